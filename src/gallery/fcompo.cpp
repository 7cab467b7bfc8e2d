#include "gallery/fcompo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TFCompo::TFCompo(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TFCompo::BeregnFelter()
{
    const int V = std::max(1, AntalVandret);
    const int L = std::max(1, AntalLodret);
    // The field area runs from (0, 0) to (width - 1, height - 1).
    const int areaW = std::max(0, width() - 1);
    const int areaH = std::max(0, height() - 1);
    const int gapCol = MedRammeFelt ? RammeFelt.AfstandLodret : 0;
    const int gapRow = MedRammeFelt ? RammeFelt.AfstandVandret : 0;
    FeltBredde = std::max(0, (areaW - (V - 1) * gapCol) / V);
    FeltHojde = std::max(0, (areaH - (L - 1) * gapRow) / L);
    const int left = std::max(0, (areaW - (V - 1) * gapCol - FeltBredde * V) / 2);
    const int top = std::max(0, (areaH - (L - 1) * gapRow - FeltHojde * L) / 2);
    const int inset = MedRammeFelt ? RammeFelt.Bredde + RammeFelt.Margen : 0;
    QList<TFelt> felter;
    felter.reserve(V * L);
    for (int i = 0; i < V * L; ++i) {
        const int col = NumLodret ? i / L : i % V;
        const int row = NumLodret ? i % L : i / V;
        TFelt felt;
        felt.Nr = i;
        felt.Ydre.Left = left + col * (FeltBredde + gapCol);
        felt.Ydre.Top = top + row * (FeltHojde + gapRow);
        felt.Ydre.Right = felt.Ydre.Left + FeltBredde;
        felt.Ydre.Bottom = felt.Ydre.Top + FeltHojde;
        felt.Indre = felt.Ydre;
        if (MedRammeFelt) {
            felt.Indre.Left += inset;
            felt.Indre.Top += inset;
            felt.Indre.Right -= inset - 1;
            felt.Indre.Bottom -= inset - 1;
        }
        if (i < Felter.size()) {
            felt.Tilstand = Felter.at(i).Tilstand;
            felt.Focus = Felter.at(i).Focus;
            felt.Down = Felter.at(i).Down;
        }
        felter.append(felt);
    }
    Felter = felter;
    felterAendret();
    update();
}

void TFCompo::SetAntalVandret(int value)
{
    NytAntalVL(value, AntalLodret);
}

void TFCompo::SetAntalLodret(int value)
{
    NytAntalVL(AntalVandret, value);
}

void TFCompo::NytAntalVL(int AVandret, int ALodret)
{
    AntalVandret = std::max(1, AVandret);
    AntalLodret = std::max(1, ALodret);
    Felter.clear();
    StartNr = 0;
    updateAntal();
    BeregnFelter();
}

void TFCompo::SetAntalIalt(int value)
{
    const bool changed = value != AntalIalt;
    AntalIalt = std::max(0, value);
    updateAntal();
    if (changed && OnAntalIalt)
        OnAntalIalt(AntalIalt);
}

void TFCompo::updateAntal()
{
    Antal = std::min(AntalIalt, std::max(1, AntalVandret) * std::max(1, AntalLodret));
    SlutNr = StartNr + Antal - 1;
}

int TFCompo::feltVed(const QPoint &point) const
{
    for (const TFelt &felt : Felter)
        if (felt.Indre.contains(point.x(), point.y()))
            return felt.Nr;
    return -1;
}

void TFCompo::tegnFelt(QPainter &painter, const TFelt &felt)
{
    if (MedRammeFelt)
        RammeFelt.MakeRamme(painter, felt.Ydre, felt.Focus, felt.Tilstand);
}

void TFCompo::paintEvent(QPaintEvent *event)
{
    m_painting = true;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (const TFelt &felt : std::as_const(Felter))
        if (event->rect().intersects(felt.Ydre.toQRect()))
            tegnFelt(painter, felt);
    m_painting = false;
    m_painted = true;
}

void TFCompo::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (AutoDim)
        BeregnFelter();
}

void TBFCompo::tegnFelt(QPainter &painter, const TFelt &felt)
{
    TFCompo::tegnFelt(painter, felt);
    const int item = StartNr + felt.Nr;
    if (item >= AntalIalt)
        return;
    // The picture stays inside the frame's rings.
    const int rings = MedRammeFelt ? RammeFelt.Bredde : 0;
    painter.save();
    painter.setClipRect(felt.Ydre.toQRect().adjusted(rings, rings, -rings, -rings));
    BitmapFelt.PutBitmap(BitmapIndex + item, painter, felt.Tilstand, felt.Indre);
    painter.restore();
}

TKnapPan::TKnapPan(QWidget *parent)
    : TBFCompo(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void TKnapPan::felterAendret()
{
    if (ANr >= Felter.size())
        ANr = -1;
}

void TKnapPan::repaintFelt(int field)
{
    if (field >= 0 && field < Felter.size())
        update(Felter.at(field).Ydre.toQRect());
}

void TKnapPan::setTilstand(int field, int tilstand, bool focus)
{
    if (field < 0 || field >= Felter.size())
        return;
    Felter[field].Tilstand = tilstand;
    Felter[field].Focus = focus;
    repaintFelt(field);
}

void TKnapPan::InitAlleUp()
{
    for (int i = 0; i < Felter.size(); ++i)
        setTilstand(i, 1, false);
    for (TFelt &felt : Felter)
        felt.Down = false;
    ANr = -1;
    OverNr = -1;
}

void TKnapPan::InitFocus(int n)
{
    if (n < 0 || n >= Felter.size())
        return;
    if (ANr >= 0 && ANr != n)
        setTilstand(ANr, 1, false);
    ANr = n;
    setTilstand(n, 3, true);
}

void TKnapPan::InitUp(int n)
{
    if (n >= 0 && n < Felter.size()) {
        Felter[n].Down = false;
        setTilstand(n, 1, Felter[n].Focus);
    }
}

void TKnapPan::InitDown(int n)
{
    if (n >= 0 && n < Felter.size()) {
        Felter[n].Down = true;
        setTilstand(n, 2, Felter[n].Focus);
    }
}

void TKnapPan::vaelg(int field)
{
    InitFocus(field);
    if (OnNewDown)
        OnNewDown(StartNr + field);
}

void TKnapPan::NytStartNr(int NytNr, bool Opkald)
{
    if (m_painting || NytNr < 0 || AntalIalt == 0)
        return;
    StartNr = std::min(NytNr, std::max(0, AntalIalt - Antal));
    updateAntal();
    update();
    if (Opkald && OnStartNr)
        OnStartNr(StartNr);
    if (ANr >= 0 && ANr < Antal && OnNewDown)
        OnNewDown(StartNr + ANr);
}

bool TKnapPan::Tast(int key)
{
    if (AntalIalt == 0 || Antal == 0)
        return false;
    const int V = std::max(1, AntalVandret);
    const int L = std::max(1, AntalLodret);
    const int page = V * L;
    int n = ANr;
    if (n >= Antal)
        n = Antal - 1;
    if (n < 0)
        n = 0;
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        const int step = key == Qt::Key_PageUp ? -Antal : Antal;
        const int first = std::clamp(StartNr + step, 0, std::max(0, AntalIalt - Antal));
        const bool scrolled = first != StartNr;
        StartNr = first;
        updateAntal();
        update();
        vaelg(n);
        if (scrolled && OnStartNr)
            OnStartNr(StartNr);
        return true;
    }
    int target = 0; // absolute item
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Right:
        target = StartNr + n + 1;
        break;
    case Qt::Key_Left:
        target = StartNr + n - 1;
        break;
    case Qt::Key_Up:
        target = StartNr + (n < V && n != 0 ? page + n - V - 1 : n - V);
        break;
    case Qt::Key_Down:
        target = StartNr + (n >= page - V && n != page - 1 ? n % V + 1 : n + V);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = AntalIalt - 1;
        break;
    default:
        return false;
    }
    target = std::clamp(target, 0, AntalIalt - 1);
    int first = StartNr;
    if (target < StartNr)
        first = target;
    else if (target > StartNr + Antal - 1)
        first = std::max(0, target - Antal + 1);
    const bool scrolled = first != StartNr;
    StartNr = first;
    updateAntal();
    if (scrolled)
        update();
    vaelg(std::clamp(target - StartNr, 0, Antal - 1));
    if (scrolled && OnStartNr)
        OnStartNr(StartNr);
    return true;
}

void TKnapPan::keyPressEvent(QKeyEvent *event)
{
    if (OnKey)
        OnKey(event->key());
    if (!Tast(event->key()))
        TBFCompo::keyPressEvent(event);
}

bool TKnapPan::focusNextPrevChild(bool next)
{
    return TBFCompo::focusNextPrevChild(next);
}

void TKnapPan::mousePressEvent(QMouseEvent *event)
{
    if (AntalIalt == 0 || NoMouse || !m_painted)
        return;
    setFocus(Qt::MouseFocusReason);
    const int field = feltVed(event->position().toPoint());
    if (field < 0 || field >= Antal)
        return;
    if (ANr >= 0 && ANr != field)
        setTilstand(ANr, 1, false);
    ANr = field;
    FunkNr = field;
    m_pressed = true;
    setTilstand(field, 2, true);
}

void TKnapPan::mouseMoveEvent(QMouseEvent *event)
{
    const int field = feltVed(event->position().toPoint());
    if (m_pressed) {
        if (field != FunkNr)
            setTilstand(FunkNr, FocusInOut ? 1 : 3, true);
        else
            setTilstand(FunkNr, 2, true);
        return;
    }
    if (NoOverFocus && !hasFocus())
        return;
    if (focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (field >= 0 && field < Antal) {
        if (FocusOver && field != ANr)
            vaelg(field);
        if (field != OverNr && OnMusOver)
            OnMusOver(StartNr + field);
        OverNr = field;
    } else if (OverNr >= 0) {
        if (FocusInOut)
            setTilstand(OverNr, 1, false);
        if (OnMusOut)
            OnMusOut(StartNr + OverNr);
        OverNr = -1;
    }
}

void TKnapPan::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    const int field = feltVed(event->position().toPoint());
    const int pressed = FunkNr;
    FunkNr = -1;
    if (field == pressed) {
        setTilstand(field, 3, true);
        if (OnMus)
            OnMus(event->button(), StartNr + field);
    } else {
        setTilstand(pressed, 1, true);
        if (field >= 0 && OnMusOp)
            OnMusOp(StartNr + field);
    }
}

void TKnapPan::leaveEvent(QEvent *event)
{
    if (OverNr >= 0 && FocusInOut && !m_pressed)
        setTilstand(OverNr, 1, false);
    OverNr = -1;
    TBFCompo::leaveEvent(event);
}
