#include "gallery/bitmapx.h"

#include <QPainter>

int TBitmapX::indexOf(int FeltNr, int Tilstand) const
{
    const bool pressed = Tilstand == 2 || Tilstand == 4;
    const bool hovered = Tilstand == 3;
    switch (BitType) {
    case btIngen:
        return -1;
    case btSimpel:
        return StartIndex;
    case btDual:
        return StartIndex + (pressed ? 1 : 0);
    case btTrio:
        return StartIndex + (hovered ? 1 : pressed ? 2 : 0);
    case btUnikSimpel:
        return StartIndex + FeltNr;
    case btUnikDual:
        return StartIndex + FeltNr + (pressed ? FeltAntal : 0);
    case btUnikTrio:
        return StartIndex + FeltNr + (hovered ? FeltAntal : pressed ? 2 * FeltAntal : 0);
    }
    return -1;
}

bool TBitmapX::PutBitmap(int FeltNr, QPainter &Can, int Tilstand, const TRect &R) const
{
    const int index = indexOf(FeltNr, Tilstand);
    if (index < 0 || index >= BitmapListe.size() || BitmapListe.at(index).isNull())
        return false;
    const QImage &image = BitmapListe.at(index);
    QPoint at(R.Left, R.Top);
    if (AktivVL && (Tilstand == 2 || Tilstand == 4))
        at += QPoint(AktivVandret, AktivLodret);
    if (BgColor.isValid())
        Can.fillRect(QRect(at, RealDim ? image.size() : QSize(Bredde, Hojde)), BgColor);
    if (RealDim)
        Can.drawImage(at, image);
    else
        Can.drawImage(QRect(at, QSize(Bredde, Hojde)), image);
    return true;
}
