#pragma once
// The user's programs list: caption, program file, parameter and show type per program, kept
// in "ProgItem.txt", with the programs' icons in two image lists and a submenu of the programs.

#include "lists/reopenfiler.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class ImageList;
class QAction;
class QMenu;
class QPixmap;

struct TProgRec
{
    QString Caption;
    QString Filnavn;
    QString Parameter;
    quint8 ShowType = 1;
};

class TMenuExeFiler : public QObject
{
    Q_OBJECT
public:
    // `Sender` is the menu entry, or none when the list changed.
    using KlikEvent = std::function<void(QAction *Sender, const QString &MenuCaption, bool Found)>;
    using ParamEvent = std::function<void(QObject *Sender, QString &aParamStr)>;

    explicit TMenuExeFiler(QObject *owner = nullptr);

    void SetItemfile(const QString &value) { FItemfile = value; }
    void SetMainItem(QMenu *value) { FMainItem = value; }
    void SetIconList(ImageList *value) { FIconList = value; }
    void SetIconList32(ImageList *value) { FIconList32 = value; }
    void SetIconStartNr(int value) { FIconStartNr = value; }
    void SetBreakNr(int value) { FBreakNr = value; }
    void SetBreaktype(MenuBreak value) { FBreaktype = value; }
    void SetOnKlik(KlikEvent value) { FOnKlik = std::move(value); }
    void SetOnParam(ParamEvent value) { FOnParam = std::move(value); }

    int filantal() const { return FFilantal; }
    int iconStartNr() const { return FIconStartNr; }
    int icon32Index() const { return FIcon32Index; }
    const QList<TProgRec> &records() const { return Prog; }
    QString aktuelleProgram() const { return FAktuelleProgram; }
    QString aktuelleCaption() const { return FAktuelleCaption; }
    int showtype() const { return aShowtype; }

    void HentProgrammer();
    void GemProgrammer();
    // `ProgOpstart` is the show type, 0-255.
    void InsertItem(const QString &FNavn, const QString &MenuCaption, const QString &Param, int ProgOpstart);
    void DeleteItem(int MenuNr);
    bool flytOp(int aIndex);
    bool flytNed(int aIndex);
    QString GetCaption(int MenuNr) const;
    QString GetFilnavn(int MenuNr) const;
    // The file's first icon at 16 pixels, or a blank 16 x 16 picture.
    void GetIcon(const QString &FNavn, QPixmap &Image) const;
    void setAktuelleProgram(const QString &value) { FAktuelleProgram = value; }
    QString getAktuelleCaption() const;
    void MakeMenu();
    // A menu entry of record `index` was chosen.
    void OnClick(QAction *entry, int index);

private:
    void InsertIcon(const QString &FNavn);

    int FFilantal = 0;
    QMenu *FMainItem = nullptr;
    KlikEvent FOnKlik;
    int FBreakNr = 0;
    MenuBreak FBreaktype = MenuBreak::None;
    QString FItemfile;
    ImageList *FIconList = nullptr;
    ImageList *FIconList32 = nullptr;
    int FIconStartNr = 0;
    int FIcon32Index = 0;
    ParamEvent FOnParam;
    QString FAktuelleProgram;
    QString FAktuelleCaption;
    QList<TProgRec> Prog;
    int aShowtype = 0;
};
