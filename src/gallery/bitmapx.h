#pragma once
// The picture provider of the grids: draws a field's picture from an image list.

#include "gallery/ramme.h"

#include <QColor>
#include <QImage>
#include <QList>

class QPainter;

enum TBitType { btIngen, btSimpel, btDual, btTrio, btUnikSimpel, btUnikDual, btUnikTrio };

class TBitmapX
{
public:
    QList<QImage> BitmapListe; // the image list
    TBitType BitType = btIngen;
    bool RealDim = true;
    int Bredde = 16;
    int Hojde = 16;
    int FeltAntal = 1;
    int StartIndex = 0;
    int AktivVandret = 1;
    int AktivLodret = 1;
    bool AktivVL = true;
    bool Scale = false;
    bool Centrer = false;
    bool Gennemsigtig = false;
    QColor TransFarve = Qt::white;
    bool DontBlend = false;
    QColor BgColor; // none when invalid

    // The picture of field `FeltNr` in state `Tilstand` at the top left of `R`; true when one
    // was drawn.
    bool PutBitmap(int FeltNr, QPainter &Can, int Tilstand, const TRect &R) const;
    // The image-list index of a field in a state; -1 for none.
    int indexOf(int FeltNr, int Tilstand) const;
};
