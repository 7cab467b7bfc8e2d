#pragma once
// Frame painters of the picture-panel components: a rectangle drawn as rings of one pixel in
// the style and colour of a field's state (1 normal, 2 pressed, 3 hovered or focused, 4 active,
// anything else disabled).

#include <QColor>
#include <QRect>

class QPainter;

// A rectangle as the components count it: right and bottom lie just outside.
struct TRect
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    // The same pixels as a QRect.
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TRect &) const = default;
};

enum TRammeType { rtIngen, rtUd, rtInd, rtRifletUd, rtRifletInd };

class TRammeX
{
public:
    TRammeX();
    virtual ~TRammeX() = default;

    TRammeType Art = rtIngen;
    TRammeType ArtUaktiv = rtIngen;
    TRammeType ReaktionNede = rtInd;
    TRammeType ReaktionOver = rtUd;
    int Bredde = 1;
    int BreddeRifler = 1;
    int BreddeDybde = 1;
    QColor FarveFelt;
    QColor FarveRamme;
    QColor FarveLys;
    QColor FarveSkygge;
    QColor FarveOmrids = Qt::black;
    QColor FarveUaktiv = QColor(128, 128, 128);
    QColor FarveOver = Qt::black;
    QColor FarveAktiv = Qt::black;
    bool MedFeltFarve = true;
    bool MedOmrids = false;
    bool FocusRamme = false;
    bool SomListe = false;
    bool TilpasAlign = false;

    void MakeRamme(QPainter &Can, const TRect &R, bool Focus, int Tilstand) const;
    // The normal style, whatever the state.
    void KunRamme(QPainter &Can, const TRect &R) const;

private:
    void rings(QPainter &Can, const TRect &R, TRammeType art, const QColor &farve, int count) const;
};

// The outer frame of a component: distances from its edges to the client area.
class TRammeGrundX : public TRammeX
{
public:
    int AfstandO = 0, AfstandN = 0, AfstandH = 0, AfstandV = 0;
    bool ClientLodret = false, ClientVandret = false;
    TRect NytClientRect(const TRect &R) const;
};

// A grid's inner frame: the gaps between rows (AfstandVandret) and between columns (AfstandLodret).
class TRammeIndreX : public TRammeGrundX
{
public:
    int AfstandVandret = 0;
    int AfstandLodret = 0;
};

// The frame of one grid field; Margen lies between the frame and the field's inner area.
class TRammeFeltX : public TRammeIndreX
{
public:
    int Margen = 0;
};
