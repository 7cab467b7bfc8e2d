#include "lists/reopenfiler.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "lists/listmoves.h"

#include <QAction>
#include <QIcon>
#include <QListWidget>
#include <QMenu>

TReopenFilerBase::TReopenFilerBase(QObject *owner)
    : QObject(owner)
{}

int TReopenFilerBase::indexOfPath(const QString &path) const
{
    for (int i = 0; i < FAntal; ++i) {
        if (Ropen[i].Filnavn.compare(path, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TReopenFilerBase::removeAt(int index)
{
    Ropen.removeAt(index);
    FAntal = int(Ropen.size());
}

void TReopenFilerBase::HentReopenFiler()
{
    Ropen.clear();
    FAntal = 0;
    if (FMainItem)
        MakeMenu();
    const auto lines = FItemfile.isEmpty() ? std::nullopt : core::readLinesOrSay(FItemfile);
    if (lines) {
        // Even lines start an entry, odd lines give it its path; an odd count leaves the last
        // entry without a path.
        for (int i = 0; i < lines->size(); ++i) {
            if (i % 2 == 0)
                Ropen.append({lines->at(i), QString()});
            else
                Ropen.last().Filnavn = lines->at(i);
        }
        FAntal = int(Ropen.size());
    }
    MakeListeMenu();
}

void TReopenFilerBase::GemReopenFiler()
{
    if (FItemfile.isEmpty())
        return;
    QStringList lines;
    for (const auto &entry : Ropen)
        lines << entry.Caption << entry.Filnavn;
    core::writeLinesOrSay(FItemfile, lines);
}

void TReopenFilerBase::MakeListeMenu()
{
    if (!FListeBoks)
        return;
    disconnect(m_click);
    disconnect(m_doubleClick);
    FListeBoks->clear();
    m_click = connect(FListeBoks, &QListWidget::itemClicked, this, [this] { listeKlik(); });
    m_doubleClick = connect(FListeBoks, &QListWidget::itemDoubleClicked, this, [this] { listeDblKlik(); });
    for (const auto &entry : Ropen)
        FListeBoks->addItem(entry.Caption);
}

void TReopenFilerBase::DeleteItem(const QString &FNavn)
{
    DeleteItem(FNavn, true);
}

void TReopenFilerBase::DeleteItem(const QString &FNavn, bool Opdater)
{
    const int index = indexOfPath(FNavn);
    if (index >= 0)
        removeAt(index);
    if (Opdater) {
        MakeListeMenu();
        afterChange();
    }
}

void TReopenFilerBase::DeleteItemByCaption(const QString &CapNavn)
{
    for (int i = 0; i < FAntal; ++i) {
        if (Ropen[i].Caption.compare(CapNavn, Qt::CaseInsensitive) == 0) {
            removeAt(i);
            break;
        }
    }
    MakeListeMenu();
    afterChange();
}

void TReopenFilerBase::DeleteItem(int Index)
{
    if (FAntal > 0 && Index >= 0 && Index < FAntal)
        removeAt(Index);
    MakeListeMenu();
    afterChange();
}

bool TReopenFilerBase::flytOp(int aIndex)
{
    return lists::moveUp(Ropen, aIndex);
}

bool TReopenFilerBase::flytNed(int aIndex)
{
    return lists::moveDown(Ropen, aIndex);
}

QString TReopenFilerBase::GetCaption(int Index) const
{
    return Index >= 0 && Index < FAntal ? Ropen[Index].Caption : QString();
}

QString TReopenFilerBase::GetFilnavn(int Index) const
{
    return Index >= 0 && Index < FAntal ? Ropen[Index].Filnavn : QString();
}

void TReopenFilerBase::SletAlleItems()
{
    if (messages::ask("Skal alle indførte elementer i listen slettes?"))
        DeleteAlleItems();
}

void TReopenFilerBase::DeleteAlleItems()
{
    Ropen.clear();
    FAntal = 0;
    MakeListeMenu();
    afterChange();
}

void TReopenFilerBase::DeleteItemFile()
{
    if (FItemfile.isEmpty() || !core::fileExists(FItemfile))
        return;
    Ropen.clear();
    FAntal = 0;
    core::deleteFile(FItemfile);
    FItemfile.clear();
}

bool TReopenFilerBase::checkedSelection(TReopenRec &entry) const
{
    if (!FListeBoks)
        return false;
    const int row = FListeBoks->currentRow();
    if (row < 0 || row >= FAntal)
        return false;
    entry = Ropen[row];
    if (FItemtype == itBibliotek && !core::directoryExists(entry.Filnavn)) {
        messages::standardInformation("Mappen blev ikke fundet.\rSlet eventuelt elementet fra listen.");
        return false;
    }
    if (FItemtype == itFil && !core::fileExists(entry.Filnavn)) {
        messages::standardInformation("Filen blev ikke fundet.\rSlet eventuelt elementet fra listen.");
        return false;
    }
    return true;
}

void TReopenFilerBase::listeKlik()
{
    TReopenRec entry;
    if (checkedSelection(entry) && FOnListeKlik)
        FOnListeKlik(entry.Caption, entry.Filnavn);
}

void TReopenFilerBase::listeDblKlik()
{
    TReopenRec entry;
    if (checkedSelection(entry) && FOnDblListeKlik)
        FOnDblListeKlik(entry.Caption, entry.Filnavn);
}

void TReopenFilerBase::MakeMenu()
{
    if (!FMainItem)
        return;
    const QList<QAction *> existing = FMainItem->actions();
    for (int i = int(existing.size()) - 1; i >= FMenuStartNr; --i) {
        FMainItem->removeAction(existing[i]);
        delete existing[i];
    }
    for (int i = 0; i < FAntal; ++i) {
        const TReopenRec entry = Ropen[i];
        auto *item = new QAction(entry.Caption, FMainItem);
        item->setStatusTip(entry.Filnavn);
        item->setProperty("imageIndex", FOnlyOneImageIndex ? FImageStartNr : FImageStartNr + i);
        const int present = int(FMainItem->actions().size());
        const bool newColumn = i > 0 && FBreakNr > 0 && present % FBreakNr == 0;
        item->setProperty("menuBreak", int(newColumn ? FBreaktype : MenuBreak::None));
        connect(item, &QAction::triggered, this, [this, item, entry] {
            if (!core::directoryExists(entry.Filnavn)) {
                messages::standardInformation("Mappen kunne ikke findes.");
                return;
            }
            if (FOnKlik)
                FOnKlik(item, entry.Caption, entry.Filnavn);
        });
        FMainItem->addAction(item);
    }
    if (FMedMenuStreg)
        FMainItem->addSeparator();
    if (!FDeleteItemCap.isEmpty()) {
        auto *deleteAll = new QAction(FDeleteItemCap, FMainItem);
        deleteAll->setStatusTip(FDeleteItemHint);
        connect(deleteAll, &QAction::triggered, this, [this] { SletAlleItems(); });
        FMainItem->addAction(deleteAll);
    }
}

void TReopenFilerY::InsertItem(const QString &FNavn, const QString &MenuCaption)
{
    if (FItemtype == itFil && !core::fileExists(FNavn))
        return;
    if (FItemtype != itAndet && indexOfPath(FNavn) >= 0)
        return;
    if (FFilantal <= 0)
        return;
    // A full list (or a longer one written by hand, which loads without a limit) gets the new
    // entry in place of its last one; nothing before it is dropped.
    if (FAntal < FFilantal)
        Ropen.append({MenuCaption, FNavn});
    else
        Ropen.last() = {MenuCaption, FNavn};
    FAntal = int(Ropen.size());
    MakeListeMenu();
    if (FListeBoks)
        FListeBoks->setCurrentRow(FAntal - 1);
}

void TReopenFilerX::InsertItem(const QString &FNavn, const QString &MenuCaption)
{
    if (FItemtype == itFil && !core::fileExists(FNavn))
        return;
    const int existing = indexOfPath(FNavn);
    if (existing >= 0)
        removeAt(existing);
    Ropen.prepend({MenuCaption, FNavn});
    FAntal = int(Ropen.size());
    MakeListeMenu();
}

void TReopenFilerX::SetCaption(int Index, const QString &NewCaption)
{
    if (Index < 0 || Index >= FAntal)
        return;
    Ropen[Index].Caption = NewCaption;
    MakeListeMenu();
    GemReopenFiler();
}
