#include "gallery/progresscompo.h"

#include <QPainter>
#include <cmath>

TProgressCompo::TProgressCompo(QWidget *parent)
    : QWidget(parent)
{
    resize(110, 30);
    Color = palette().color(QPalette::Button);
    Ramme.Art = rtInd;
    Ramme.MedFeltFarve = false;
}

void TProgressCompo::SetPosition(int value)
{
    Position = std::clamp(value, Min, std::max(Min, Max));
    const int step = std::max(1, Trin);
    const int drawn = Min + (Position - Min) / step * step;
    if (drawn != m_drawn) {
        m_drawn = drawn;
        // Drawn at once: the thumbnails keep coming while the strip advances.
        if (isVisible())
            repaint();
        else
            update();
    }
    if (OnProgress && Max > Min)
        OnProgress(int(std::lround(Position * 100.0 / (Max - Min))));
}

void TProgressCompo::SetTekst(const QString &text)
{
    Tekst = text;
    update();
}

void TProgressCompo::SetColorStep(const QColor &farve)
{
    ColorStep = farve;
    update();
}

void TProgressCompo::SetColor(const QColor &farve)
{
    Color = farve;
    update();
}

void TProgressCompo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TRect all{0, 0, width(), height()};
    const TRect inner{Ramme.Bredde, Ramme.Bredde, width() - Ramme.Bredde, height() - Ramme.Bredde};
    painter.fillRect(rect(), Color);
    if (Max > Min && m_drawn > Min) {
        const double share = double(m_drawn - Min) / (Max - Min);
        QRect bar = inner.toQRect();
        if (Orientering == Qt::Horizontal)
            bar.setWidth(int(bar.width() * share));
        else
            bar.setTop(bar.bottom() - int(bar.height() * share));
        if (!StepBitmap.isNull())
            painter.drawImage(bar, StepBitmap);
        else
            painter.fillRect(bar, ColorStep);
    }
    Ramme.KunRamme(painter, all);
}
