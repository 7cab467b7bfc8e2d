#include "lists/menuexefiler.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/paths.h"
#include "lists/imagelist.h"
#include "lists/listmoves.h"
#include "platform/Platform.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QMenu>

TMenuExeFiler::TMenuExeFiler(QObject *owner)
    : QObject(owner)
{}

void TMenuExeFiler::HentProgrammer()
{
    Prog.clear();
    FFilantal = 0;
    for (ImageList *list : {FIconList, FIconList32}) {
        if (list)
            list->truncate(FIconStartNr);
    }
    if (FItemfile.isEmpty() || !core::fileExists(FItemfile))
        return;
    const QStringList lines = core::readLinesOrSay(FItemfile).value_or(QStringList());
    if (lines.isEmpty())
        return;
    // A hand-edited file may promise more records than it holds or carry a show type that is
    // not a byte: only complete, valid records are taken, and the start-up goes on.
    bool countOk = false;
    const int promised = lines.first().trimmed().toInt(&countOk);
    const int available = int((lines.size() - 1) / 4);
    const int count = countOk ? std::min(promised, available) : 0;
    for (int i = 0; i < count; ++i) {
        bool showOk = false;
        const int showType = lines.at(4 * i + 4).trimmed().toInt(&showOk);
        if (!showOk || showType < 0 || showType > 255)
            continue;
        Prog.append({lines.at(4 * i + 1), lines.at(4 * i + 2), lines.at(4 * i + 3), quint8(showType)});
        InsertIcon(Prog.last().Filnavn);
    }
    FFilantal = int(Prog.size());
    if (FFilantal > 0)
        MakeMenu();
}

void TMenuExeFiler::GemProgrammer()
{
    if (FItemfile.isEmpty())
        return;
    QStringList records;
    int kept = 0;
    for (const auto &record : Prog) {
        if (!core::fileExists(record.Filnavn))
            continue;
        records << record.Caption << record.Filnavn << record.Parameter << QString::number(record.ShowType);
        ++kept;
    }
    records.prepend(QString::number(kept));
    core::writeLinesOrSay(FItemfile, records);
}

void TMenuExeFiler::InsertIcon(const QString &FNavn)
{
    if (FIconList)
        FIconList->add(programIcon(FNavn, FIconList->size()));
    if (FIconList32) {
        FIconList32->add(programIcon(FNavn, FIconList32->size()));
        FIcon32Index = FIconList32->count() - 1;
    }
}

void TMenuExeFiler::InsertItem(const QString &FNavn, const QString &MenuCaption, const QString &Param,
                               int ProgOpstart)
{
    Prog.append({MenuCaption, FNavn, Param, quint8(std::clamp(ProgOpstart, 0, 255))});
    FFilantal = int(Prog.size());
    InsertIcon(FNavn);
    MakeMenu();
}

void TMenuExeFiler::DeleteItem(int MenuNr)
{
    if (MenuNr >= 0 && MenuNr < FFilantal) {
        for (ImageList *list : {FIconList, FIconList32}) {
            if (list)
                list->removeAt(FIconStartNr + MenuNr);
        }
        Prog.removeAt(MenuNr);
        FFilantal = int(Prog.size());
    }
    GemProgrammer();
    MakeMenu();
    if (FOnKlik)
        FOnKlik(nullptr, QString(), true);
}

bool TMenuExeFiler::flytOp(int aIndex)
{
    return lists::moveUp(Prog, aIndex);
}

bool TMenuExeFiler::flytNed(int aIndex)
{
    return lists::moveDown(Prog, aIndex);
}

QString TMenuExeFiler::GetCaption(int MenuNr) const
{
    return MenuNr >= 0 && MenuNr < FFilantal ? Prog[MenuNr].Caption : QString();
}

QString TMenuExeFiler::GetFilnavn(int MenuNr) const
{
    return MenuNr >= 0 && MenuNr < FFilantal ? Prog[MenuNr].Filnavn : QString();
}

void TMenuExeFiler::GetIcon(const QString &FNavn, QPixmap &Image) const
{
    Image = programIcon(FNavn, 16);
}

QString TMenuExeFiler::getAktuelleCaption() const
{
    for (const auto &record : Prog) {
        if (record.Filnavn.compare(FAktuelleProgram, Qt::CaseInsensitive) == 0)
            return record.Caption;
    }
    return QString();
}

void TMenuExeFiler::MakeMenu()
{
    if (!FMainItem)
        return;
    for (QAction *entry : FMainItem->actions()) {
        FMainItem->removeAction(entry);
        delete entry;
    }
    for (int i = 0; i < FFilantal; ++i) {
        if (!core::fileExists(Prog[i].Filnavn))
            continue;
        auto *entry = new QAction(Prog[i].Caption, FMainItem);
        if (FIconList)
            entry->setIcon(QIcon(FIconList->image(FIconStartNr + i)));
        const int present = int(FMainItem->actions().size());
        const bool newColumn = i > 0 && FBreakNr > 0 && present > 0 && present % FBreakNr == 0;
        entry->setProperty("menuBreak", int(newColumn ? FBreaktype : MenuBreak::None));
        connect(entry, &QAction::triggered, this, [this, entry, i] { OnClick(entry, i); });
        FMainItem->addAction(entry);
    }
}

void TMenuExeFiler::OnClick(QAction *entry, int index)
{
    if (index < 0 || index >= FFilantal)
        return;
    const TProgRec record = Prog[index];
    if (!core::fileExists(record.Filnavn)) {
        if (FOnKlik)
            FOnKlik(entry, record.Caption, false);
        DeleteItem(index);
        return;
    }
    aShowtype = record.ShowType;
    FAktuelleProgram = record.Filnavn;
    FAktuelleCaption = record.Caption;
    if (FOnParam) {
        QString aParamStr;
        FOnParam(this, aParamStr);
    } else {
        core::shellExecute("open", record.Filnavn, QString(), core::folderOf(record.Filnavn),
                           record.ShowType);
    }
    if (FOnKlik)
        FOnKlik(entry, record.Caption, true);
}
