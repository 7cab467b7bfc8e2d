#include "gallery/rulskakt.h"

#include "gallery/fcompo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

TRulskakt::TRulskakt(QWidget *parent)
    : QWidget(parent)
{
    resize(17, 160);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        m_repeat.setInterval(TimerInterval);
        if (m_pressed == Op)
            flyt(Position - Step);
        else if (m_pressed == Ned)
            flyt(Position + Step);
    });
}

int TRulskakt::clamp(int value) const
{
    return std::max(PosMin, std::min(value, std::max(PosMin, PosMax)));
}

void TRulskakt::NyePos(int PosVis, int PosMaximum, int NyPos)
{
    PosVisible = std::max(1, PosVis);
    PosMax = PosMaximum;
    Position = clamp(NyPos);
    update();
}

void TRulskakt::NyPosition(int NyPos)
{
    Position = clamp(NyPos);
    update();
}

void TRulskakt::SetPosition(int NyPos)
{
    flyt(NyPos);
}

void TRulskakt::SetPosMax(int value)
{
    PosMax = value;
    Position = clamp(Position);
    update();
}

void TRulskakt::SetPosVisible(int value)
{
    PosVisible = std::max(1, value);
    update();
}

void TRulskakt::flyt(int NyPos)
{
    Position = clamp(NyPos);
    update();
    if (CompoFunktion && Component)
        Component->NytStartNr(Position);
    else if (OnPosition)
        OnPosition(Position);
}

// The arrow buttons are squares of the shaft's inner width; the track lies between them with
// one pixel to spare at each end.
TRect TRulskakt::knapOp() const
{
    const TRect inner = RammeYdre.NytClientRect({0, 0, width(), height()});
    return {inner.Left, inner.Top, inner.Right, inner.Top + inner.width()};
}

TRect TRulskakt::knapNed() const
{
    const TRect inner = RammeYdre.NytClientRect({0, 0, width(), height()});
    return {inner.Left, inner.Bottom - inner.width(), inner.Right, inner.Bottom};
}

int TRulskakt::trackTop() const
{
    return knapOp().Bottom + 1;
}

int TRulskakt::trackLength() const
{
    return std::max(0, knapNed().Top - 1 - trackTop());
}

int TRulskakt::thumbLength() const
{
    const int track = trackLength();
    if (PosKnapDim)
        return std::min(track, PosKnapMin);
    const double range = double(PosMax - PosMin + PosVisible);
    const double share = range > 0 ? std::min(double(PosVisible) / range, 1.0) : 1.0;
    return std::min(track, std::max(PosKnapMin, int(track * share)));
}

double TRulskakt::pixelsPerPosition() const
{
    const int free = trackLength() - thumbLength();
    const int range = PosMax - PosMin;
    return range < 2 ? double(free) : double(free) / range;
}

TRect TRulskakt::thumb() const
{
    const TRect inner = RammeYdre.NytClientRect({0, 0, width(), height()});
    const int top = trackTop() + int((Position - PosMin) * pixelsPerPosition());
    return {inner.Left, top, inner.Right, top + thumbLength()};
}

void TRulskakt::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TRect all{0, 0, width(), height()};
    painter.fillRect(rect(),
                     RammeYdre.MedFeltFarve ? RammeYdre.FarveFelt : palette().color(QPalette::Window));
    RammeYdre.KunRamme(painter, all);
    const bool enabled = isEnabled();
    auto state = [&](Part part) {
        if (!enabled)
            return 0;
        return m_pressed == part ? 2 : m_over == part ? 3 : 1;
    };
    for (Part part : {Op, Ned}) {
        const TRect knap = part == Op ? knapOp() : knapNed();
        const int tilstand = state(part);
        RammeKnap.MakeRamme(painter, knap, hasFocus() && tilstand > 1, tilstand);
        if (!MedMark)
            continue;
        const int m = MarkMargen + (tilstand == 2 ? 1 : 0);
        const int l = knap.Left, r = knap.Right - 1, t = knap.Top, b = knap.Bottom - 1;
        const int apexX = l + m + (r - l - 2 * m) / 2;
        QPolygon triangle;
        if (part == Op)
            triangle << QPoint(l + m, b - m) << QPoint(r - m, b - m) << QPoint(apexX, t + m);
        else
            triangle << QPoint(l + m, t + m) << QPoint(r - m, t + m) << QPoint(apexX, b - m);
        painter.setPen(MarkFarve);
        painter.setBrush(MarkFarve);
        painter.drawPolygon(triangle);
    }
    const TRect knap = thumb();
    const QImage &picture = m_pressed == Thumb && !BitmapPosA.isNull() ? BitmapPosA : BitmapPos;
    if (!picture.isNull())
        painter.drawImage(knap.toQRect(), picture);
    RammePos.MakeRamme(painter, knap, hasFocus(), enabled ? 1 : 0);
}

void TRulskakt::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    if (OnMusNede)
        OnMusNede();
    if (knapOp().contains(at.x(), at.y())) {
        m_pressed = Op;
        flyt(Position - Step);
    } else if (knapNed().contains(at.x(), at.y())) {
        m_pressed = Ned;
        flyt(Position + Step);
    } else if (thumb().contains(at.x(), at.y())) {
        m_pressed = Thumb;
        m_dragStart = at.y();
        m_dragPosition = Position;
        update();
        return;
    } else {
        return; // the bare track does nothing
    }
    m_repeat.start(TimerDelay);
    update();
}

void TRulskakt::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_pressed == Thumb) {
        const double perPosition = pixelsPerPosition();
        if (perPosition > 0) {
            const int moved = int((at.y() - m_dragStart) / perPosition);
            if (clamp(m_dragPosition + moved) != Position)
                flyt(m_dragPosition + moved);
        }
        return;
    }
    const Part over = knapOp().contains(at.x(), at.y())    ? Op
                      : knapNed().contains(at.x(), at.y()) ? Ned
                      : thumb().contains(at.x(), at.y())   ? Thumb
                                                           : None;
    if (over != m_over) {
        m_over = over;
        update();
    }
}

void TRulskakt::mouseReleaseEvent(QMouseEvent *)
{
    m_repeat.stop();
    m_pressed = None;
    update();
    if (OnMusOp)
        OnMusOp();
}

void TRulskakt::enterEvent(QEnterEvent *event)
{
    if (OnMusOver)
        OnMusOver();
    QWidget::enterEvent(event);
}

void TRulskakt::leaveEvent(QEvent *event)
{
    m_over = None;
    update();
    QWidget::leaveEvent(event);
}

void TRulskakt::keyPressEvent(QKeyEvent *event)
{
    if (Component) {
        Component->Tast(event->key());
        return;
    }
    switch (event->key()) {
    case Qt::Key_Home:
        flyt(PosMin);
        break;
    case Qt::Key_End:
        flyt(PosMax);
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        flyt(Position - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        flyt(Position + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
