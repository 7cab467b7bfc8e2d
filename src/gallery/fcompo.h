#pragma once
// Grids of fields, painted by themselves: TFCompo lays the fields out, TBFCompo draws a picture
// in each, TKnapPan makes them selectable with the mouse and the keyboard.

#include "gallery/bitmapx.h"
#include "gallery/ramme.h"

#include <QList>
#include <QWidget>
#include <functional>

// One grid position.
struct TFelt
{
    int Nr = 0;
    TRect Ydre;       // outer rectangle
    TRect Indre;      // inner rectangle: hit-testing and the picture
    int Tilstand = 1; // 0 disabled, 1 normal, 2 pressed, 3 hovered or focused
    bool Focus = false;
    bool Down = false;
};

class TFCompo : public QWidget
{
    Q_OBJECT
public:
    explicit TFCompo(QWidget *parent = nullptr);

    TRammeFeltX RammeFelt;
    bool MedRammeFelt = true; // without a field frame the fields touch
    bool AutoDim = true;
    int FeltBredde = 0;
    int FeltHojde = 0;
    int AntalVandret = 1;
    int AntalLodret = 1;
    int AntalIalt = 0;
    int Antal = 0;
    int StartNr = 0;
    int SlutNr = -1;
    bool NumLodret = false;
    std::function<void(int)> OnAntalIalt;

    QList<TFelt> Felter;

    // The fields of the current size and counts.
    void BeregnFelter();
    void SetAntalVandret(int value);
    void SetAntalLodret(int value);
    // Both counts at once (counts below 1 taken as 1).
    void NytAntalVL(int AVandret, int ALodret);
    void SetAntalIalt(int value);
    // The field under a point (by its inner rectangle); -1 for none.
    int feltVed(const QPoint &point) const;

protected:
    // Draws one field: its frame for its state, then its content.
    virtual void tegnFelt(QPainter &painter, const TFelt &felt);
    virtual void felterAendret() {}
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateAntal();
    bool m_painting = false;
    bool m_painted = false;
};

class TBFCompo : public TFCompo
{
    Q_OBJECT
public:
    using TFCompo::TFCompo;
    TBitmapX BitmapFelt;
    int BitmapIndex = 0;

protected:
    void tegnFelt(QPainter &painter, const TFelt &felt) override;
};

class TKnapPan : public TBFCompo
{
    Q_OBJECT
public:
    explicit TKnapPan(QWidget *parent = nullptr);

    bool FocusOver = true;
    bool FocusInOut = true;
    bool AlleOppe = false;
    bool RulRundt = true;
    bool FlatSelect = false;
    bool ToolFunktion = false;
    bool NoOverFocus = false;
    bool NoMouse = false;
    int TimerDelay = 400;
    int TimerInterval = 100;
    bool TimerAuto = false;
    bool FocusReguler = false;

    std::function<void(Qt::MouseButton, int)> OnMus;
    std::function<void(int)> OnMusOver;
    std::function<void(int)> OnMusOut;
    std::function<void(int)> OnMusOp;
    std::function<void(int)> OnMusKlik;
    std::function<void(int)> OnStartNr;
    std::function<void(int)> OnNewDown;
    std::function<void(int)> OnKey;

    int ANr = -1;    // the selected field, relative to the page; -1 none
    int OverNr = -1; // the field last hovered
    int FunkNr = -1; // the field pressed

    // Scrolls so that item `NytNr` is in field 0; `Opkald` raises OnStartNr.
    void NytStartNr(int NytNr, bool Opkald = true);
    void InitAlleUp();
    void InitFocus(int n);
    void InitUp(int n);
    void InitDown(int n);
    // A key as the grid handles it; true when it was used.
    bool Tast(int key);

protected:
    void felterAendret() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

    void setTilstand(int field, int tilstand, bool focus);
    void repaintFelt(int field);
    // The page-relative selection moved to `field`, raising OnNewDown.
    void vaelg(int field);

private:
    bool m_pressed = false;
};
