#include "explorer/activityindicator.h"

#include <QPainter>
#include <QTimer>

ActivityIndicator::ActivityIndicator(QWidget *parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    setObjectName("AktivitetBoks");
    setFixedSize(sizeHint());
    m_timer->setInterval(60);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 30) % 360;
        update();
    });
}

void ActivityIndicator::setSpinning(bool on)
{
    m_spinning = on;
    if (on)
        m_timer->start();
    else
        m_timer->stop();
    update();
}

void ActivityIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(4, 4, -4, -4);
    QPen track(palette().color(QPalette::Mid), 2.5);
    painter.setPen(track);
    painter.drawEllipse(ring);
    if (!m_spinning)
        return;
    QPen arc(palette().color(QPalette::Highlight), 2.5, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(arc);
    painter.drawArc(ring, -m_angle * 16, 100 * 16);
}
