#include "structures/strukturcompo.h"

#include "core/danishorder.h"
#include "core/eventsduring.h"
#include "core/files.h"
#include "core/freenames.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "platform/Platform.h"
#include "structures/pictures.h"

#include <QAction>
#include <QHash>
#include <QMenu>

namespace {

const QString kUnknownError = QStringLiteral("Der opstod en ukendt fejl.\r");

} // namespace

TStrukturCompo::TStrukturCompo(QObject *owner)
    : TMakeStrukturer(owner)
{}

bool TStrukturCompo::isFolderNode(const StrukturNode *node)
{
    return node && !node->rec.mappe.isEmpty() && core::directoryExists(node->rec.mappe);
}

bool TStrukturCompo::isFileNode(const StrukturNode *node)
{
    return node && !node->rec.filnavn.isEmpty() && core::fileExists(node->rec.filnavn);
}

StrukturView *TStrukturCompo::view(StrukturNr tree) const
{
    return tree == StrukturNr::mapper ? FStruktur1 : tree == StrukturNr::filer ? FStruktur2 : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Building from lists of folders

void TStrukturCompo::makeHisDrive(const QString &aDrive)
{
    for (StrukturNode *node : FStruktur1->topNodes()) {
        if (node->rec.mappe.compare(aDrive, Qt::CaseInsensitive) == 0)
            return;
    }
    for (const ShownDrive &drive : shownDrives()) {
        if (drive.root.compare(aDrive + "\\", Qt::CaseInsensitive) != 0)
            continue;
        if (StartNo == 0)
            FStruktur1->clear();
        addDriveNode(drive);
        ++StartNo;
        return;
    }
}

void TStrukturCompo::cleanFolderList(QStringList &aList)
{
    // A saved tree of 100,000 folders takes a second to look up: then on a worker, while the
    // window repaints without taking input.
    std::vector<char> findes(std::size_t(aList.size()));
    const auto slaaOp = [&] {
        for (qsizetype i = 0; i < aList.size(); ++i)
            findes[std::size_t(i)] = core::directoryExists(aList.at(i));
    };
    if (aList.size() > 1000)
        core::whileProcessingEvents(slaaOp, QEventLoop::ExcludeUserInputEvents);
    else
        slaaOp();
    QStringList kept;
    kept.reserve(aList.size());
    for (qsizetype i = 0; i < aList.size(); ++i) {
        if (!findes[std::size_t(i)])
            continue;
        const QString &folder = aList.at(i);
        kept << (folder.size() == 3 && folder.at(2) == u'\\' ? folder.left(2) : folder);
    }
    aList = std::move(kept);
}

bool TStrukturCompo::drivesWhenNothingLeft(QStringList &aList)
{
    cleanFolderList(aList);
    if (!aList.isEmpty())
        return false;
    makePreDrives();
    FStruktur1->selectNode(FStruktur1->firstNode());
    return true;
}

void TStrukturCompo::makeHistoryStruktur(QStringList &aList)
{
    try {
        if (drivesWhenNothingLeft(aList))
            return;
        FStruktur1->clear();
        StartNo = 0;
        for (qsizetype i = aList.size() - 1; i >= 0; --i)
            makeHisDrive(aList.at(i).split(u'\\').first());
        // A saved tree may hold a folder with 100,000 sub-folders: the children of each parent
        // are found through a hash of their case-folded names, made when the parent is first
        // met, never by a walk along the siblings.
        QHash<QString, StrukturNode *> drives;
        for (StrukturNode *top : FStruktur1->topNodes()) {
            if (!drives.contains(top->rec.mappe.toCaseFolded()))
                drives.insert(top->rec.mappe.toCaseFolded(), top);
        }
        QHash<const StrukturNode *, QHash<QString, StrukturNode *>> childrenByName;
        auto childSlot = [&childrenByName](StrukturNode *parent, const QString &name) -> StrukturNode *& {
            auto known = childrenByName.find(parent);
            if (known == childrenByName.end()) {
                known = childrenByName.insert(parent, {});
                // The first of equal names wins, as in getStartNode.
                for (const auto &child : parent->children) {
                    const QString key = child->text.toCaseFolded();
                    if (!known->contains(key))
                        known->insert(key, child.get());
                }
            }
            return (*known)[name.toCaseFolded()];
        };
        for (const QString &line : aList) {
            const QStringList parts = line.split(u'\\', Qt::SkipEmptyParts);
            if (parts.size() < 2)
                continue;
            StrukturNode *current = drives.value(parts.first().toCaseFolded());
            if (!current)
                continue;
            QString path = parts.first();
            for (qsizetype p = 1; p < parts.size(); ++p) {
                path += "\\" + parts.at(p);
                StrukturNode *&child = childSlot(current, parts.at(p));
                if (!child) {
                    child = FStruktur1->addNode(
                        current, parts.at(p), 3,
                        {path, QString(),
                         isProtectedName(parts.at(p)) ? nodeKind::beskyttet : nodeKind::mappe});
                }
                current = child;
            }
        }
        FStruktur1->expandAllNodes();
    } catch (const std::exception &) {
        messages::inform("Det lykkedes ikke at fremstille strukturen.\r");
    }
}

void TStrukturCompo::makePunktStruktur(QStringList &aList)
{
    try {
        if (drivesWhenNothingLeft(aList))
            return;
        QStringList lastParts;
        for (const QString &line : aList)
            lastParts << getLastDirectory(line);
        FStruktur1->clear();
        StartNo = 0;
        int driveLines = 0;
        for (const QString &line : aList) {
            if (line.size() == 2) {
                makeHisDrive(line);
                ++driveLines;
            }
        }
        if (driveLines == aList.size()) {
            FStruktur1->selectNode(FStruktur1->firstNode());
            return;
        }
        for (qsizetype i = 0; i < aList.size(); ++i) {
            if (aList.at(i).size() == 2)
                continue;
            const QString &name = lastParts.at(i);
            FStruktur1->addNode(
                nullptr, name, 3,
                {aList.at(i), QString(), isProtectedName(name) ? nodeKind::beskyttet : nodeKind::mappe});
        }
        FStruktur1->selectNode(FStruktur1->firstNode());
    } catch (const std::exception &) {
        messages::inform("Det lykkedes ikke at fremstille strukturen.\r");
    }
}

QString TStrukturCompo::udfoldMappe(const QString &aDirectory)
{
    try {
        FStruktur1->clear();
        if (!core::directoryExists(aDirectory)) {
            makePreDrives();
            FStruktur1->selectNode(FStruktur1->firstNode());
            return QString();
        }
        const QStringList parts = core::withoutTrailingBackslash(aDirectory).split(u'\\');
        QStringList prefixes;
        QString path;
        for (const QString &part : parts) {
            path = path.isEmpty() ? part : path + "\\" + part;
            prefixes << path;
        }
        makeHistoryStruktur(prefixes);
        return prefixes.isEmpty() ? QString() : prefixes.last() + "\\";
    } catch (const std::exception &) {
        messages::inform(kUnknownError);
        return QString();
    }
}

// ---------------------------------------------------------------------------------------------
// Folder tree

bool TStrukturCompo::readLevel(StrukturNode *node)
{
    FStruktur1->strukturModel()->removeChildren(node);
    SL.clear();
    addSL(node->rec.mappe);
    addFolderNodes(node, 3);
    FStruktur1->expandNode(node);
    return !node->children.empty();
}

bool TStrukturCompo::udfoldNode(StrukturNode *aNode)
{
    return aNode && readLevel(aNode);
}

StrukturNode *TStrukturCompo::getStartNode(StrukturNode *aNode, const QString &aBib) const
{
    if (!aNode)
        return nullptr;
    for (const auto &child : aNode->children) {
        if (child->text.compare(aBib, Qt::CaseInsensitive) == 0)
            return child.get();
    }
    return nullptr;
}

QString TStrukturCompo::udfoldDirectory()
{
    try {
        if (FStruktur1->isEmpty())
            return QString();
        if (!FStruktur1->selectedNode())
            FStruktur1->selectNode(FStruktur1->firstNode());
        StrukturNode *node = FStruktur1->selectedNode();
        if (!node)
            return QString();
        const bool found = readLevel(node);
        if (!found && getDrevType(node->rec.mappe + "\\") == 3) {
            if (node->enabled)
                FStruktur1->strukturModel()->setText(node, node->text + " TOM");
            FStruktur1->strukturModel()->setEnabled(node, false);
            FStruktur1->collapseNode(node);
            return QStringLiteral("Ikke tilgængeligt");
        }
        return node->rec.mappe;
    } catch (const std::exception &) {
        messages::inform(kUnknownError);
        return QString();
    }
}

bool TStrukturCompo::udfoldStruktur1(const QString &aDirectory, bool medAlleDrev)
{
    QString folder = aDirectory;
    if (core::fileExists(folder))
        folder = core::folderOf(folder);
    if (!core::directoryExists(folder)) {
        const StrukturNode *selected = FStruktur1->selectedNode();
        if (!selected || !core::directoryExists(selected->rec.mappe))
            return false;
        folder = selected->rec.mappe;
    }
    try {
        FStruktur1->clear();
        if (medAlleDrev)
            makePreDrives();
        else
            makeDrive(folder.left(1) + ":");
        const QStringList parts = core::withoutTrailingBackslash(folder).split(u'\\');
        const std::vector<StrukturNode *> top = FStruktur1->topNodes();
        if (top.empty())
            return false;
        std::size_t start = 0;
        if (FShowPrivate && top.front()->rec.ID == nodeKind::privat)
            start = 1;
        StrukturNode *drive = nullptr;
        for (std::size_t i = start; i < top.size(); ++i) {
            drive = top[i];
            if (drive->rec.mappe.compare(parts.first(), Qt::CaseInsensitive) == 0)
                break;
        }
        if (!drive)
            return false;
        bool more = readLevel(drive);
        FStruktur1->selectNode(drive);
        StrukturNode *current = drive;
        for (qsizetype p = 1; p < parts.size(); ++p) {
            if (!more)
                return false;
            StrukturNode *child = getStartNode(current, parts.at(p));
            if (!child)
                return false;
            FStruktur1->selectNode(child);
            more = readLevel(child);
            current = child;
        }
        return true;
    } catch (const std::exception &) {
        makePreDrives();
        return false;
    }
}

void TStrukturCompo::makeDrive(const QString &aDrive)
{
    if (FShowPrivate) {
        makePreStruktur(true);
        FStruktur1->collapseAllNodes();
    } else {
        FStruktur1->clear();
    }
    for (const ShownDrive &drive : shownDrives()) {
        if (drive.root.compare(aDrive + "\\", Qt::CaseInsensitive) == 0) {
            addDriveNode(drive);
            return;
        }
    }
}

QString TStrukturCompo::getDirectory()
{
    const StrukturNode *node = FStruktur1->selectedNode();
    if (!node || !core::directoryExists(node->rec.mappe))
        return QString();
    return makeStruktur2(node->rec.mappe);
}

QString TStrukturCompo::getFocusDirectory(const QPoint &point)
{
    StrukturNode *node = FStruktur1->nodeAt(point);
    if (node && core::directoryExists(node->rec.mappe)) {
        FStruktur1->selectNode(node);
        FMappenavn = node->rec.mappe;
        return FMappenavn;
    }
    FStruktur1->deselectAll();
    return QString();
}

void TStrukturCompo::deselectMapper()
{
    FStruktur1->deselectAll();
}

// ---------------------------------------------------------------------------------------------
// File tree

QString TStrukturCompo::getFileDirectory(bool FjernSelect)
{
    if (FMultiSelect)
        return QString();
    QString result = core::directoryExists(FMappenavn) ? FMappenavn : QString();
    const StrukturNode *node = FStruktur2->selectedNode();
    if (node) {
        result = isFolderNode(node) ? node->rec.mappe : node->rec.filnavn;
        if (FjernSelect && FStruktur2->selectionCount() > 1)
            FStruktur2->deselectAll();
    } else {
        FFilnavn.clear();
    }
    return result;
}

QString TStrukturCompo::udfoldFileDirectory() const
{
    const StrukturNode *node = FStruktur2->selectedNode();
    if (!node)
        return QString();
    return isFolderNode(node) ? node->rec.mappe : node->rec.filnavn;
}

QString TStrukturCompo::getFocusFilDirectory(const QPoint &point)
{
    StrukturNode *node = FStruktur2->nodeAt(point);
    if (!node) {
        FStruktur2->deselectAll();
        return FMappenavn;
    }
    if (isFolderNode(node)) {
        FStruktur2->selectNode(node);
        FMappenavn = node->rec.mappe;
        return FMappenavn;
    }
    if (isFileNode(node)) {
        FStruktur2->selectNode(node);
        FFilnavn = node->rec.filnavn;
    }
    return FMappenavn;
}

QString TStrukturCompo::SelectFil(const QString &fName)
{
    if (!core::fileExists(fName))
        return FFilnavn;
    makeStruktur2(core::folderOf(fName));
    StrukturNode *chosen = nullptr;
    for (StrukturNode *node : FStruktur2->allNodes()) {
        if (node->rec.filnavn.compare(fName, Qt::CaseInsensitive) == 0) {
            chosen = node;
            break;
        }
    }
    if (!chosen)
        chosen = FStruktur2->firstNode();
    FStruktur2->selectNode(chosen);
    if (isFileNode(chosen))
        FFilnavn = chosen->rec.filnavn;
    return FFilnavn;
}

void TStrukturCompo::SelectMapperFiler(int actionNumber)
{
    if (FStruktur2->isEmpty())
        return;
    auto selectNone = [this] {
        FStruktur2->deselectAll();
        FFilnavn.clear();
    };
    switch (actionNumber) {
    case markering::alle:
        FStruktur2->selectAllNodes();
        FFilnavn.clear();
        break;
    case markering::ingen:
        selectNone();
        return;
    case markering::inverter: {
        StrukturNode *first = FStruktur2->invertNodeSelection();
        if (!first) {
            selectNone();
            return;
        }
        FStruktur2->selectionModel()->setCurrentIndex(FStruktur2->strukturModel()->indexOf(first),
                                                      QItemSelectionModel::NoUpdate);
        break;
    }
    default:
        return;
    }
    FStruktur2->setFocus();
    const StrukturNode *node = FStruktur2->selectedNode();
    if (isFileNode(node))
        FFilnavn = node->rec.filnavn;
}

QString TStrukturCompo::makeParamString() const
{
    QStringList files;
    for (const StrukturNode *node : FStruktur2->selectedNodes()) {
        const QString path = FMappenavn + "\\" + node->text;
        if (core::fileExists(path))
            files << core::quoteArgument(path);
    }
    return files.join(u' ');
}

int TStrukturCompo::getSelectListe(QStringList &aListe) const
{
    for (const StrukturNode *node : FStruktur2->selectedNodes()) {
        if (!extensionOf(node->text).isEmpty())
            aListe << node->text;
    }
    return int(aListe.size());
}

int TStrukturCompo::fremvisFiltype(const QString &aExt)
{
    const QString extension = aExt.startsWith(u'.') ? aExt : "." + aExt;
    int marked = 0;
    FStruktur2->deselectAll();
    for (StrukturNode *node : FStruktur2->allNodes()) {
        if (!node->rec.filnavn.isEmpty() &&
            extensionOf(node->rec.filnavn).compare(extension, Qt::CaseInsensitive) == 0) {
            FStruktur2->strukturModel()->setPicture(node, 15);
            ++marked;
        }
    }
    return marked;
}

int TStrukturCompo::makeStrukturFil(const QString &aExt)
{
    const QString extension = aExt.isEmpty() || aExt.startsWith(u'.') ? aExt : "." + aExt;
    SLfil.clear();
    FStruktur2->clear();
    std::vector<platform::FindData> entries;
    platform::current().findFiles(FMappenavn.toStdU16String(), entries);
    core::sortEntriesDanish(entries);
    for (const auto &entry : entries) {
        if (entry.attributes & (platform::FILE_ATTRIBUTE_DIRECTORY | platform::FILE_ATTRIBUTE_HIDDEN))
            continue;
        const QString name = QString::fromStdU16String(entry.name);
        const QString path = core::delimKon(FMappenavn) + name;
        if (!core::fileExists(path))
            continue;
        if (!extension.isEmpty() && extensionOf(name).compare(extension, Qt::CaseInsensitive) != 0)
            continue;
        SLfil << name << QString() << path << QStringLiteral("1");
        FStruktur2->addNode(nullptr, name, filePicture(path), {QString(), path, nodeKind::fil});
    }
    return int(SLfil.size() / 4);
}

int TStrukturCompo::RenameFilExt(const QString &aMappe, const QString &oldExt, const QString &newExt,
                                 bool alleMapper)
{
    try {
        QStringList files;
        QStringList folders{aMappe};
        while (!folders.isEmpty()) {
            const QString folder = folders.takeFirst();
            std::vector<platform::FindData> entries;
            platform::current().findFiles(folder.toStdU16String(), entries);
            for (const auto &entry : entries) {
                const QString name = QString::fromStdU16String(entry.name);
                if (name == QLatin1String(".") || name == QLatin1String(".."))
                    continue;
                const QString path = core::delimKon(folder) + name;
                if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) {
                    // A link to a folder is not entered: it may lead back up the tree.
                    if (alleMapper && !(entry.attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT))
                        folders << path;
                } else if (name.endsWith(oldExt, Qt::CaseInsensitive)) {
                    files << path;
                }
            }
        }
        for (const QString &file : files) {
            if (!core::fileExists(file))
                continue;
            const QString name = core::nameOf(file);
            const QString stem = name.left(name.size() - extensionOf(name).size());
            const QString target = core::folderOf(file) + "\\" + stem + newExt;
            if (!core::fileExists(target))
                core::moveFile(file, target);
        }
        if (!files.isEmpty())
            makeStruktur2(aMappe);
        return int(files.size());
    } catch (const std::exception &) {
        messages::inform("Der opstod en ukendt fejl!");
        return -1;
    }
}

// ---------------------------------------------------------------------------------------------
// Either tree

int TStrukturCompo::getNodeId(StrukturNr tree) const
{
    const StrukturView *shown = view(tree);
    const StrukturNode *node = shown ? shown->selectedNode() : nullptr;
    return node ? node->rec.ID : nodeKind::ingen;
}

QString TStrukturCompo::getSelectedMedSti(StrukturNr tree)
{
    FFilnavn.clear();
    const StrukturView *shown = view(tree);
    const StrukturNode *node = shown ? shown->selectedNode() : nullptr;
    if (!node)
        return QString();
    if (tree == StrukturNr::filer && isFileNode(node)) {
        FFilnavn = node->rec.filnavn;
        return FFilnavn;
    }
    FMappenavn = node->rec.mappe;
    return FMappenavn;
}

QString TStrukturCompo::getSelected(StrukturNr tree)
{
    const QString path = getSelectedMedSti(tree);
    if (path.isEmpty())
        return QString();
    return FFilnavn.isEmpty() ? getLastDirectory(path) : core::nameOf(path);
}

int TStrukturCompo::loadLister(StrukturNr tree, QStringList &aMlist, QStringList &aFlist)
{
    aMlist.clear();
    aFlist.clear();
    FFilnavn.clear();
    if (tree == StrukturNr::mapper) {
        for (const StrukturNode *node : FStruktur1->selectedNodes()) {
            if (core::directoryExists(node->rec.mappe))
                aMlist << node->rec.mappe;
        }
    } else if (tree == StrukturNr::filer) {
        for (const StrukturNode *node : FStruktur2->selectedNodes()) {
            if (isFolderNode(node))
                aMlist << node->rec.mappe;
            else if (isFileNode(node))
                aFlist << node->rec.filnavn;
        }
    }
    return int(aMlist.size() + aFlist.size());
}

QString TStrukturCompo::getNewDirectoryName(const QString &aDirectory, const QString &subTekst)
{
    return core::getNewDirectoryName(aDirectory, subTekst);
}

QString TStrukturCompo::getNewFilename(const QString &oldFilename, const QString &newName,
                                       const QString &subTekst)
{
    return core::getNewFilename(oldFilename, newName, subTekst);
}

// ---------------------------------------------------------------------------------------------
// Drive menu

QString TStrukturCompo::driveOfCaption(const QString &caption)
{
    QString drive;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = caption.indexOf(u'(', from);
        if (open < 0)
            break;
        const qsizetype close = caption.indexOf(u')', open + 1);
        if (close < 0)
            break;
        drive += caption.mid(open + 1, close - open - 1);
        from = close + 1;
    }
    return drive.remove(u'&');
}

void TStrukturCompo::makeDrevMenu(StrukturNr tree, QMenu *PU)
{
    PU->clear();
    for (const ShownDrive &drive : shownDrives()) {
        // "&" in a label would become a mnemonic; doubled it stays a letter.
        QAction *item = PU->addAction(strukturPicture(PictureSet::FolderTree, drive.node.picture),
                                      QString(drive.node.caption).replace(u'&', QLatin1String("&&")));
        item->setProperty("imageIndex", drive.node.picture);
        connect(item, &QAction::triggered, this, [this, tree, item] { drevKlik(tree, item); });
    }
}

void TStrukturCompo::drevKlik(StrukturNr tree, QAction *Sender)
{
    if (!Sender)
        return;
    try {
        const QString drive = driveOfCaption(Sender->text());
        if (tree == StrukturNr::mapper) {
            FStruktur1->clear();
            makeDrive(drive);
            udfoldDirectory();
            if (FonDirectoryChange)
                FonDirectoryChange(drive, false);
        } else if (tree == StrukturNr::filer) {
            makeStruktur2(drive);
            if (FonDirectoryChange)
                FonDirectoryChange(drive, true);
        }
    } catch (const std::exception &) {
        messages::inform(kUnknownError);
    }
}

// ---------------------------------------------------------------------------------------------
// Saved structure

bool TStrukturCompo::GemStrukturen()
{
    if (FStruktur1->isEmpty())
        return false;
    QStringList lines;
    for (const StrukturNode *node : FStruktur1->allNodes()) {
        if (core::directoryExists(node->rec.mappe))
            lines << node->rec.mappe;
    }
    if (!core::writeLines(FGemHentFilnavn, lines)) {
        messages::inform("Der opstod en ukendt fejl.");
        return false;
    }
    return true;
}

bool TStrukturCompo::HentStrukturen(int fremstillingsNo)
{
    if (!core::fileExists(FGemHentFilnavn)) {
        messages::inform("Der er ikke gemt en struktur.");
        return false;
    }
    auto lines = core::readLines(FGemHentFilnavn);
    if (!lines) {
        messages::inform("Der opstod en ukendt fejl.");
        return false;
    }
    if (fremstillingsNo == 0)
        makeHistoryStruktur(*lines);
    else if (fremstillingsNo == 1)
        makePunktStruktur(*lines);
    return true;
}
