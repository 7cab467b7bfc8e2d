#include "fileops/metodecompo.h"

#include "fileops/foldertree.h"

#include "core/eventsduring.h"
#include "core/filenames.h"
#include "core/files.h"
#include "core/freenames.h"
#include "core/messages.h"
#include "core/paths.h"
#include "core/sizetext.h"
#include "platform/Platform.h"
#include "structures/pictures.h"
#include "structures/strukturcompo.h"

#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The paths of the checked rows, from the last row to the first, line breaks taken off.
QStringList checkedPaths(const KlipbordListe &list)
{
    QStringList paths;
    for (int i = list.count() - 1; i >= 0; --i) {
        if (list.row(i).checked)
            paths << KlipbordListe::cleanPath(list.row(i).path);
    }
    return paths;
}

void removeRowsOf(KlipbordListe &list, const QStringList &paths)
{
    // One pass over the rows with hashed look-ups: after a move, every row may have vanished.
    list.removePaths(paths);
}

// Why a name typed in an in-place rename cannot be used, or "" when it can. A file name that is
// only an extension would turn "d.txt" into the hidden ".txt"; a file that was already such a
// name may keep that form.
QString unusableName(const QString &newName, const QString &oldName, bool file)
{
    if (newName.trimmed().isEmpty())
        return QStringLiteral(
            "Der mangler et nyt navn.\rNavnet må ikke være tomt eller kun bestå af mellemrum.");
    if (const QString refused = core::invalidNameMessage(newName); !refused.isEmpty())
        return refused;
    if (!file)
        return QString();
    auto base = [](const QString &name) {
        const qsizetype dot = name.lastIndexOf(u'.');
        return (dot < 0 ? name : name.left(dot)).trimmed();
    };
    if (base(newName).isEmpty() && !base(oldName).isEmpty())
        return "Der mangler et nyt navn.\rNavnet må ikke kun bestå af filtypen \"" + newName.trimmed() +
               "\".";
    return QString();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TMetoder

TMetoder::TMetoder(QObject *owner, Klipbord *sharedKlipbord)
    : QObject(owner)
{
    setStrukturY(nullptr);
    setKlipbord(sharedKlipbord);
}

TMetoder::~TMetoder()
{
    onUdskrivTilWin = nullptr; // the window it writes to may be half gone
    if (m_ownsKlipbord && FKlipbord) {
        FKlipbord->Mappeliste->removeAll();
        FKlipbord->Filliste->removeAll();
    }
}

void TMetoder::setKlipbord(Klipbord *value)
{
    if (FKlipbord) {
        disconnect(FKlipbord->Mappeliste, nullptr, this, nullptr);
        disconnect(FKlipbord->Filliste, nullptr, this, nullptr);
    }
    if (m_ownsKlipbord && FKlipbord && FKlipbord != value)
        FKlipbord->deleteLater();
    m_ownsKlipbord = !value;
    FKlipbord = value ? value : new Klipbord(this);
    // A size counted before the rows changed is no longer the clipboard's size: until it is
    // counted again the window says so (or shows nothing for an empty clipboard).
    for (KlipbordListe *list : {FKlipbord->Mappeliste, FKlipbord->Filliste}) {
        connect(list, &KlipbordListe::rowsChanged, this, [this] {
            if (!onUdskrivTilWin)
                return;
            const bool rows = FKlipbord->Mappeliste->count() + FKlipbord->Filliste->count() > 0;
            onUdskrivTilWin(rows ? QStringLiteral("Ukendt") : QString());
        });
    }
}

void TMetoder::setStrukturY(TStrukturCompo *value)
{
    FStrukturY = value ? value : new TStrukturCompo(this);
}

QString TMetoder::delimKon(const QString &S)
{
    return core::delimKon(S);
}

QString TMetoder::getLastDirectory(const QString &aDirectory)
{
    return core::getLastDirectory(aDirectory);
}

QString TMetoder::getNewDirectoryName(const QString &aDirectory, const QString &subTekst)
{
    return core::getNewDirectoryName(aDirectory, subTekst);
}

QString TMetoder::getNewFilename(const QString &oldFilename, const QString &newName, const QString &subTekst)
{
    return core::getNewFilename(oldFilename, newName, subTekst);
}

QString TMetoder::getSizeString(qint64 aSize)
{
    return core::getSizeString(aSize);
}

QString TMetoder::totalS() const
{
    return core::shortSizeString(totalSize);
}

bool TMetoder::erDetEnBilledfil(const QString &ext)
{
    return isPictureExtension(ext);
}

int TMetoder::getFilensImageIndex(const QString &aFilnavn)
{
    return filePicture(aFilnavn);
}

qint64 TMetoder::getFilensSize(const QString &aFilnavn, qint64 *paaDisk)
{
    // From the metadata only: opening a FIFO blocks until a writer comes, and the background
    // computation, and with it the program's exit, would wait for it.
    platform::FindData data;
    if (!platform::current().fileAttributes(aFilnavn.toStdU16String(), data) ||
        (data.attributes & platform::FILE_ATTRIBUTE_DIRECTORY))
        throw FilFejl(aFilnavn);
    if (paaDisk)
        *paaDisk = qint64(data.allocatedSize);
    return std::max<qint64>(qint64(data.size), 1);
}

bool TMetoder::getMappeInfo(const QString &dir)
{
    TreeCount count;
    if (!countTree(dir, count)) {
        messages::inform("Der opstod en ukendt fejl.\r");
        return false;
    }
    antalMapper += int(count.folders);
    antalFiler += int(count.files);
    // An empty file counts one byte, as everywhere the clipboard's size is shown.
    totalSize += count.bytes + count.emptyFiles;
    return true;
}

qint64 TMetoder::sizeOfKlipbord()
{
    totalSize = 0;
    antalFiler = 0;
    antalMapper = int(listeMapper.size());
    for (const QString &folder : listeMapper)
        getMappeInfo(folder);
    for (const QString &file : listeFiler) {
        totalSize += getFilensSize(file);
        ++antalFiler;
    }
    return totalSize;
}

QString TMetoder::getSizeOfKlipbord()
{
    // The rows belong to the user-interface thread, so they are read here; the pool thread
    // only checks and counts paths, and the watcher hands its result back to this thread,
    // which drops the vanished rows and writes the fields. Nothing waits for it.
    FKlipbord->setFields("?", "?", "?", "Beregner...");
    struct Result
    {
        QStringList mapper, filer, vanishedMapper, vanishedFiler;
        TreeCount count;
    };
    const QStringList folders = checkedPaths(*FKlipbord->Mappeliste);
    const QStringList files = checkedPaths(*FKlipbord->Filliste);
    auto compute = [folders, files] {
        Result result;
        for (const QString &folder : folders)
            (core::directoryExists(folder) ? result.mapper : result.vanishedMapper) << folder;
        for (const QString &file : files)
            (core::fileExists(file) ? result.filer : result.vanishedFiler) << file;
        result.count.folders = result.mapper.size();
        for (const QString &folder : result.mapper)
            countTree(folder, result.count);
        // An empty file counts one byte.
        result.count.bytes += result.count.emptyFiles;
        for (const QString &file : result.filer) {
            ++result.count.files;
            try {
                result.count.bytes += getFilensSize(file);
            } catch (const FilFejl &) {
                // Counted as a file; its bytes cannot be read.
            }
        }
        return result;
    };
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcher<Result>::finished, this, [this, watcher] {
        const Result result = watcher->result();
        watcher->deleteLater();
        removeRowsOf(*FKlipbord->Mappeliste, result.vanishedMapper);
        removeRowsOf(*FKlipbord->Filliste, result.vanishedFiler);
        listeMapper = result.mapper;
        listeFiler = result.filer;
        antalMapper = int(result.count.folders);
        antalFiler = int(result.count.files);
        totalSize = result.count.bytes;
        FKlipbord->setFields(getSizeString(totalSize), QString::number(antalMapper),
                             QString::number(antalFiler), "");
        if (onUdskrivTilWin)
            onUdskrivTilWin(totalS() + "  Filer: " + QString::number(antalFiler));
    });
    const QFuture<Result> future = QtConcurrent::run(compute);
    watcher->setFuture(future);
    m_sizeDone = QFuture<void>(future);
    return QString();
}

// ---------------------------------------------------------------------------------------------
// TPreMetoder

void TPreMetoder::CopyListAdd(int aList, int aIndex, const QString &aTekst, bool check)
{
    (aList == 1 ? FKlipbord->Mappeliste : FKlipbord->Filliste)->add(aIndex, aTekst, check);
}

bool TPreMetoder::RegisterElements(const QString &aElement)
{
    if (core::directoryExists(aElement)) {
        CopyListAdd(1, 4, aElement, true);
        return true;
    }
    if (core::fileExists(aElement)) {
        CopyListAdd(2, 2, aElement, true);
        return true;
    }
    return false;
}

int TPreMetoder::CopyElementer(StrukturNr tree)
{
    int result = 0;
    try {
        // Each list takes its rows in one step: the views and the counts that follow every change
        // of a list would otherwise be redone for each of many thousand rows.
        QList<KlipbordRow> mapper, filer;
        if (tree == StrukturNr::mapper) {
            for (const StrukturNode *node : FStrukturY->struktur1()->selectedNodes()) {
                if (core::directoryExists(node->rec.mappe))
                    mapper.append({true, 4, node->rec.mappe});
            }
        } else {
            StrukturView *fileTree = FStrukturY->struktur2();
            if (fileTree->isEmpty()) {
                messages::inform(
                    "Der er ikke valgt elementer til kopiering.\rDer skal vælges elementer til kopiering.");
                return 0;
            }
            const auto selected = fileTree->selectedNodes();
            // The nodes' texts are taken first: the tree may change while the disk is asked.
            struct Valgt
            {
                QString filnavn, mappe;
                int picture;
                int kind = 0; // 2 a file, 1 a folder, 0 gone
            };
            std::vector<Valgt> valgte;
            valgte.reserve(selected.size());
            for (const StrukturNode *node : selected)
                valgte.push_back({node->rec.filnavn, node->rec.mappe, node->picture});
            const auto spoerg = [&valgte] {
                for (Valgt &valgt : valgte)
                    valgt.kind = core::fileExists(valgt.filnavn)      ? 2
                                 : core::directoryExists(valgt.mappe) ? 1
                                                                      : 0;
            };
            // Many rows are looked up on a worker while the window repaints; a few, here.
            if (valgte.size() > 1000)
                core::whileProcessingEvents(spoerg, QEventLoop::ExcludeUserInputEvents);
            else
                spoerg();
            for (const Valgt &valgt : valgte) {
                if (valgt.kind == 2)
                    filer.append({true, valgt.picture, valgt.filnavn});
                else if (valgt.kind == 1)
                    mapper.append({true, 4, valgt.mappe});
            }
            result = int(selected.size());
        }
        FKlipbord->Mappeliste->addRows(mapper);
        FKlipbord->Filliste->addRows(filer);
        if (m_visKlipbord && onVisKlipbord)
            onVisKlipbord();
    } catch (const std::exception &) {
        messages::inform("Kopieringen blev muligvist afbrudt.\rDer opstod en ukendt fejl.");
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// TMetodeCompo

int TMetodeCompo::EmptyRecycleBin(bool Confirm, const QString &aDrive)
{
    if (Confirm && !messages::ask("Skal papirkurven tømmes?"))
        return 0;
    return platform::current().emptyRecycleBin(aDrive.toStdU16String());
}

void TMetodeCompo::editSelected(StrukturNr treeNr)
{
    try {
        const bool folderTree = treeNr == StrukturNr::mapper;
        StrukturView *tree = folderTree ? FStrukturY->struktur1() : FStrukturY->struktur2();
        StrukturNode *node = tree ? tree->selectedNode() : nullptr;
        if (!node) {
            messages::inform("Der er ikke valgt element, der skal omdøbes.");
            return;
        }
        if (node->rec.ID >= 2) {
            messages::inform(node->text + "\r" + (folderTree ? "må ikke omdøbes." : "må ikke omdøbes"));
            return;
        }
        tree->edit(tree->strukturModel()->indexOf(node));
    } catch (const std::exception &) {
        messages::inform("Der opstod en fejl.");
    }
}

QString TMetodeCompo::RenameMappe(StrukturNr treeNr, const QString &aOldName, const QString &aNewName,
                                  StrukturNode *aNode)
{
    if (aOldName == aNewName)
        return aOldName;
    if (const QString problem = unusableName(aNewName, aOldName, false); !problem.isEmpty()) {
        messages::inform(problem);
        return aOldName;
    }
    try {
        const bool folderTree = treeNr == StrukturNr::mapper;
        StrukturView *tree = folderTree ? FStrukturY->struktur1() : FStrukturY->struktur2();
        tree->selectNode(aNode);
        const QString old = aNode->rec.mappe;
        if (!core::directoryExists(old))
            return QString();
        const QString parent = core::withoutTrailingBackslash(core::folderOf(old));
        QString target = parent + "\\" + aNewName;
        // The folder itself under another letter case is no clash.
        if (core::directoryExists(target) && target.compare(old, Qt::CaseInsensitive) != 0)
            target = core::getNewDirectoryName(target, "");
        if (!core::moveFile(old, target)) {
            messages::inform("Mappen:\r" + old + "\r" + "kunne ikke omdøbes til:" + "\r" + target);
            tree->deselectAll();
            return aOldName;
        }
        aNode->rec.mappe = target;
        if (folderTree) {
            FStrukturY->setMappenavn(target);
        } else {
            FStrukturY->setMappenavn(core::folderOf(target));
            tree->deselectAll();
        }
        return core::getLastDirectory(target);
    } catch (const std::exception &) {
        messages::inform("Elementet kunne ikke omdøbes.\rDer opstod en fejl.");
        return aOldName;
    }
}

QString TMetodeCompo::RenameFil(const QString &aOldName, const QString &aNewName, StrukturNode *aNode)
{
    const QString failure = QStringLiteral("Der opstod en fejl ved omdøbning af fil.");
    if (const QString problem = unusableName(aNewName, aOldName, true); !problem.isEmpty()) {
        messages::inform(problem);
        return aOldName;
    }
    try {
        StrukturView *tree = FStrukturY->struktur2();
        tree->selectNode(aNode);
        const QString old = FStrukturY->filnavn();
        if (!core::fileExists(old))
            return aOldName;
        const QString target = core::getNewFilename(old, aNewName, "");
        if (!core::moveFile(old, target)) {
            messages::inform(failure);
            return aOldName;
        }
        aNode->rec.filnavn = target;
        FStrukturY->setFilnavn(target);
        tree->selectNode(aNode);
        return core::nameOf(target);
    } catch (const std::exception &) {
        messages::inform(failure);
        return aOldName;
    }
}

QString TMetodeCompo::OpretNyMappe(StrukturNr tree, const QString &mappeNavnet)
{
    const QString failure = QStringLiteral("Der kunne ikke oprettes en ny mappe.\rDer opstod en fejl.");
    try {
        QString parent;
        if (tree == StrukturNr::mapper) {
            const StrukturNode *node = FStrukturY->struktur1()->selectedNode();
            if (!node || !core::directoryExists(node->rec.mappe))
                return QString();
            parent = node->rec.mappe;
        } else {
            const StrukturNode *node = FStrukturY->struktur2()->selectedNode();
            // The folder holding the selected node is meant. The current folder cannot tell:
            // a mouse click on a sub-folder makes it current, the keyboard or Ctrl+click does not.
            if (node) {
                const QString selected = node->rec.filnavn.isEmpty() ? node->rec.mappe : node->rec.filnavn;
                const QString holder = core::folderOf(core::withoutTrailingBackslash(selected));
                if (core::directoryExists(holder))
                    FStrukturY->setMappenavn(holder);
            }
            parent = FStrukturY->mappenavn();
            if (!core::directoryExists(parent))
                return QString();
        }
        const QString name = mappeNavnet.isEmpty() ? QStringLiteral("Ny mappe") : mappeNavnet;
        const QString path =
            core::getNewDirectoryName(core::withoutTrailingBackslash(parent) + "\\" + name, "Kopi");
        core::forceDirectories(path);
        if (core::directoryExists(path))
            return path;
    } catch (const std::exception &) {
    }
    messages::inform(failure);
    return QString();
}

bool TMetodeCompo::SelectMappe(StrukturNr treeNr, const QString &aNewMappe)
{
    StrukturView *tree = FStrukturY->view(treeNr);
    if (!tree || tree->isEmpty())
        return false;
    for (StrukturNode *node : tree->topNodes()) {
        if (node->rec.mappe.compare(aNewMappe, Qt::CaseInsensitive) == 0) {
            tree->selectNode(node);
            tree->setFocus();
            return true;
        }
    }
    return false;
}

QString TMetodeCompo::getDestination(StrukturNr tree) const
{
    if (tree == StrukturNr::mapper) {
        const StrukturNode *node = FStrukturY->struktur1()->selectedNode();
        return node ? node->rec.mappe : QString();
    }
    if (tree == StrukturNr::filer) {
        const StrukturNode *node = FStrukturY->struktur2()->selectedNode();
        const QString destination =
            node && node->rec.filnavn.isEmpty() ? node->rec.mappe : FStrukturY->mappenavn();
        return core::directoryExists(destination) ? destination : QString();
    }
    return QString();
}

int TMetodeCompo::loadLister(QStringList &aMlist, QStringList &aFlist, const QString &aDest)
{
    // The destination folder itself is no folder to paste, under whatever name its row has.
    platform::ElementId destId;
    const bool destKnown = !aDest.isEmpty() && platform::current().elementId(aDest.toStdU16String(), destId);
    const auto isDest = [&](const QString &path) {
        platform::ElementId id;
        return destKnown && platform::current().elementId(path.toStdU16String(), id) && id == destId;
    };
    auto collect = [](KlipbordListe &list, QStringList &into, auto exists, auto skip) {
        for (int i = list.count() - 1; i >= 0; --i) {
            if (!list.row(i).checked)
                continue;
            const QString path = KlipbordListe::cleanPath(list.row(i).path);
            if (!exists(path))
                list.removeAt(i);
            else if (!skip(path))
                into << path;
        }
    };
    collect(
        *FKlipbord->Mappeliste, aMlist, [](const QString &p) { return core::directoryExists(p); }, isDest);
    collect(
        *FKlipbord->Filliste, aFlist, [](const QString &p) { return core::fileExists(p); },
        [](const QString &) { return false; });
    if (aMlist.isEmpty() && aFlist.isEmpty())
        messages::inform(
            "Der mangler elementer til kopiering.\rKilde og destination er muligvist den samme eller der "
            "mangler elementer i Klipbordet.");
    return int(aMlist.size() + aFlist.size());
}
