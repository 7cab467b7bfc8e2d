#pragma once
// The progress strip: a bar that fills from the left in steps, drawn at once when it advances.

#include "gallery/ramme.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

class TProgressCompo : public QWidget
{
    Q_OBJECT
public:
    explicit TProgressCompo(QWidget *parent = nullptr);

    int Min = 0;
    int Max = 100;
    int Position = 0;
    int Trin = 5;
    QColor Color;                // the strip's own colour
    QColor ColorStep = Qt::blue; // the bar
    Qt::Orientation Orientering = Qt::Horizontal;
    QImage StepBitmap;
    bool Opfrisk = false;
    QString Tekst;
    TRammeGrundX Ramme;
    std::function<void(int)> OnProgress;

    void SetPosition(int value);
    void SetTekst(const QString &text);
    void SetColorStep(const QColor &farve);
    void SetColor(const QColor &farve);
    // The position the bar is drawn at: a whole number of steps.
    int drawnPosition() const { return m_drawn; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_drawn = 0;
};
