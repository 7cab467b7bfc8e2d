#pragma once
// The scroll shaft: two arrow buttons and a thumb over a track, painted by itself. Vertical;
// a linked grid gets its keys.

#include "gallery/ramme.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

class TKnapPan;

class TRulskakt : public QWidget
{
    Q_OBJECT
public:
    explicit TRulskakt(QWidget *parent = nullptr);

    Qt::Orientation Orientering = Qt::Vertical;
    int PosMin = 0;
    int PosMax = 10;
    int PosVisible = 11;
    int Position = 0;
    int Step = 1;
    int PosKnapMin = 4;
    int TimerDelay = 400;
    int TimerInterval = 100;
    TRammeGrundX RammeYdre; // the outer frame
    TRammeX RammeKnap;
    TRammeX RammePos;
    bool MedMark = true;
    QColor MarkFarve = Qt::black;
    int MarkMargen = 3;
    TKnapPan *Component = nullptr;
    bool CompoFunktion = false;
    bool FocusOver = true;
    bool FocusInOut = true;
    bool NoOverFocus = false;
    bool PosKnapDim = false;
    QImage BitmapPos;
    QImage BitmapPosA;
    std::function<void(int)> OnPosition;
    std::function<void()> OnMusNede;
    std::function<void()> OnMusOp;
    std::function<void()> OnMusOver;

    // Visible amount, maximum and position at once.
    void NyePos(int PosVis, int PosMaximum, int NyPos);
    // Moves without raising OnPosition.
    void NyPosition(int NyPos);
    // Moves and raises OnPosition.
    void SetPosition(int NyPos);
    void SetPosMax(int value);
    void SetPosVisible(int value);

    // The geometry, for painting and hit-testing.
    TRect knapOp() const;
    TRect knapNed() const;
    int trackTop() const;
    int trackLength() const;
    int thumbLength() const;
    double pixelsPerPosition() const;
    TRect thumb() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // A change by the user: clamped, painted, and passed on.
    void flyt(int NyPos);
    int clamp(int value) const;
    enum Part { None, Op, Ned, Thumb };
    Part m_pressed = None;
    Part m_over = None;
    int m_dragStart = 0;
    int m_dragPosition = 0;
    QTimer m_repeat;
};
