#pragma once
// Reopen lists: ordered entries of caption and path, shown in a list box, kept in a line file
// of two lines per entry. TReopenFilerY appends and is limited in length (history, saved DOS
// commands); TReopenFilerX puts new entries on top and saves itself after deletions
// (favourites, search results).

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QListWidget;
class QMenu;

struct TReopenRec
{
    QString Caption;
    QString Filnavn;
};

enum TItemtype { itFil, itBibliotek, itAndet };

// How a new menu column starts.
enum class MenuBreak { None, Break, BarBreak };

class TReopenFilerBase : public QObject
{
    Q_OBJECT
public:
    using ListeKlik = std::function<void(const QString &Capnavn, const QString &Filnavn)>;
    using MenuKlik = std::function<void(QAction *sender, const QString &Caption, const QString &Filnavn)>;

    // Setters that only store.
    void SetBreakNr(int value) { FBreakNr = value; }
    void SetBreaktype(MenuBreak value) { FBreaktype = value; }
    void SetDeleteItemCap(const QString &value) { FDeleteItemCap = value; }
    void SetImageStartNr(int value) { FImageStartNr = value; }
    void SetItemfile(const QString &value) { FItemfile = value; }
    void SetMainItem(QMenu *value) { FMainItem = value; }
    void SetMenuStartNr(int value) { FMenuStartNr = value; }
    void SetOnlyOneImageIndex(bool value) { FOnlyOneImageIndex = value; }
    void SetMedMenuStreg(bool value) { FMedMenuStreg = value; }
    void SetDeleteItemHint(const QString &value) { FDeleteItemHint = value; }
    void SetItemtype(TItemtype value) { FItemtype = value; }
    void SetListeBoks(QListWidget *value) { FListeBoks = value; }
    void SetOnKlik(MenuKlik value) { FOnKlik = std::move(value); }
    void SetOnListeKlik(ListeKlik value) { FOnListeKlik = std::move(value); }
    void SetOnDblListeKlik(ListeKlik value) { FOnDblListeKlik = std::move(value); }

    int antal() const { return FAntal; }
    QString itemfile() const { return FItemfile; }
    const QList<TReopenRec> &entries() const { return Ropen; }

    void HentReopenFiler();
    void GemReopenFiler();
    void MakeListeMenu();
    virtual void InsertItem(const QString &FNavn, const QString &MenuCaption) = 0;
    void DeleteItem(const QString &FNavn);
    void DeleteItem(const QString &FNavn, bool Opdater);
    void DeleteItemByCaption(const QString &CapNavn);
    void DeleteItem(int Index);
    bool flytOp(int aIndex);
    bool flytNed(int aIndex);
    QString GetCaption(int Index) const;
    QString GetFilnavn(int Index) const;
    void SletAlleItems();
    void DeleteAlleItems();
    void DeleteItemFile();
    void MakeMenu();

    // The list box's row events, after the existence check of the item type.
    void listeKlik();
    void listeDblKlik();

protected:
    explicit TReopenFilerBase(QObject *owner);
    // After a deletion: TReopenFilerX saves, TReopenFilerY does not.
    virtual void afterChange() {}
    int indexOfPath(const QString &path) const;
    void removeAt(int index);
    // The entry behind the selected row, when it passes the existence check.
    bool checkedSelection(TReopenRec &entry) const;

    int FBreakNr = 16;
    int FImageStartNr = 0;
    QString FDeleteItemCap = "Slet alle favorit mapper";
    QString FItemfile;
    MenuBreak FBreaktype = MenuBreak::BarBreak;
    QMenu *FMainItem = nullptr;
    MenuKlik FOnKlik;
    ListeKlik FOnDblListeKlik;
    ListeKlik FOnListeKlik;
    int FMenuStartNr = 2;
    int FAntal = 0;
    bool FMedMenuStreg = true;
    bool FOnlyOneImageIndex = true;
    QString FDeleteItemHint = "Sletter alle aktuelle mapper fra listen";
    TItemtype FItemtype = itBibliotek;
    QListWidget *FListeBoks = nullptr;
    QList<TReopenRec> Ropen;

private:
    QMetaObject::Connection m_click;
    QMetaObject::Connection m_doubleClick;
};

class TReopenFilerY : public TReopenFilerBase
{
    Q_OBJECT
public:
    explicit TReopenFilerY(QObject *owner = nullptr)
        : TReopenFilerBase(owner)
    {}
    void SetFilantal(int value) { FFilantal = value; }
    int filantal() const { return FFilantal; }
    void InsertItem(const QString &FNavn, const QString &MenuCaption) override;

private:
    int FFilantal = 24;
};

class TReopenFilerX : public TReopenFilerBase
{
    Q_OBJECT
public:
    explicit TReopenFilerX(QObject *owner = nullptr)
        : TReopenFilerBase(owner)
    {}
    void InsertItem(const QString &FNavn, const QString &MenuCaption) override;
    void SetCaption(int Index, const QString &NewCaption);

protected:
    void afterChange() override { GemReopenFiler(); }
};
