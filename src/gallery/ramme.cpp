#include "gallery/ramme.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

TRammeX::TRammeX()
{
    const QPalette palette = QApplication::palette();
    FarveFelt = palette.color(QPalette::Button);
    FarveRamme = palette.color(QPalette::Button);
    FarveLys = palette.color(QPalette::Light);
    FarveSkygge = palette.color(QPalette::Dark);
}

void TRammeX::rings(QPainter &Can, const TRect &R, TRammeType art, const QColor &farve, int count) const
{
    auto ring = [&](int k, const QColor &topLeft, const QColor &bottomRight) {
        const int l = R.Left + k, t = R.Top + k, r = R.Right - 1 - k, b = R.Bottom - 1 - k;
        if (r < l || b < t)
            return;
        Can.setPen(topLeft);
        Can.drawLine(l, t, r, t);
        Can.drawLine(l, t, l, b);
        Can.setPen(bottomRight);
        Can.drawLine(l, b, r, b);
        Can.drawLine(r, t, r, b);
    };
    auto kind = [&](int k, TRammeType style) {
        switch (style) {
        case rtUd:
            ring(k, FarveLys, FarveSkygge);
            break;
        case rtInd:
            ring(k, FarveSkygge, FarveLys);
            break;
        default:
            ring(k, farve, farve);
        }
    };
    if (art == rtRifletUd || art == rtRifletInd) {
        const TRammeType first = art == rtRifletUd ? rtUd : rtInd;
        const TRammeType last = art == rtRifletUd ? rtInd : rtUd;
        int k = 0;
        for (int i = 0; i < BreddeDybde && k < count; ++i)
            kind(k++, first);
        while (k < count - BreddeDybde)
            kind(k++, rtIngen);
        while (k < count)
            kind(k++, last);
        return;
    }
    for (int k = 0; k < count; ++k)
        kind(k, art);
}

void TRammeX::MakeRamme(QPainter &Can, const TRect &R, bool Focus, int Tilstand) const
{
    TRammeType art = ArtUaktiv;
    QColor farve = FarveUaktiv;
    if (Tilstand == 1) {
        art = Art;
        farve = FarveRamme;
    } else if (Tilstand == 2 || Tilstand == 4) {
        art = ReaktionNede;
        farve = FarveAktiv;
    } else if (Tilstand == 3) {
        art = ReaktionOver;
        farve = FarveOver;
    }
    const bool focusRing = Focus && FocusRamme;
    const int count = Bredde + (focusRing ? 1 : 0);
    Can.save();
    Can.setRenderHint(QPainter::Antialiasing, false);
    if (SomListe)
        Can.fillRect(R.toQRect(), farve);
    else if (MedFeltFarve)
        Can.fillRect(R.toQRect(), FarveFelt);
    rings(Can, R, art, farve, count);
    if (MedOmrids || focusRing) {
        Can.setPen(FarveOmrids);
        Can.setBrush(Qt::NoBrush);
        Can.drawRect(R.Left, R.Top, R.width() - 1, R.height() - 1);
    }
    Can.restore();
}

void TRammeX::KunRamme(QPainter &Can, const TRect &R) const
{
    Can.save();
    if (MedFeltFarve)
        Can.fillRect(R.toQRect(), FarveFelt);
    rings(Can, R, Art, FarveRamme, Bredde);
    Can.restore();
}

TRect TRammeGrundX::NytClientRect(const TRect &R) const
{
    return {R.Left + AfstandV, R.Top + AfstandO, R.Right - AfstandH, R.Bottom - AfstandN};
}
