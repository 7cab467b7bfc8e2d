// Explorer window: paste and delete through the window's two engines.

#include "explorer/winform.h"

#include "core/filenames.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/filinfoform.h"
#include "dialogs/radiogroup.h"
#include "dialogs/renameform.h"
#include "dialogs/services.h"
#include "explorer/mainhost.h"
#include "fileops/deletecompo.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
#include "structures/skrivtekstfiler.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {

// The nearest folder of `folder` that still exists, climbing one level at a time and stopping
// at the root; empty when not even the root is there (a drive removed meanwhile).
QString nearestExisting(QString folder)
{
    while (!folder.isEmpty() && !core::directoryExists(folder)) {
        QString parent = core::folderOf(core::withoutTrailingBackslash(folder));
        if (parent.size() == 2 && parent.at(1) == u':')
            parent += u'\\';
        if (parent.isEmpty() || parent.compare(folder, Qt::CaseInsensitive) == 0)
            return QString();
        folder = parent;
    }
    return folder;
}

// The status line after a deletion: success only when everything went.
QString sletteStatus(const TDeleteCompo &sletter, bool tilPapirkurv)
{
    if (sletter.ikkeSlettede().isEmpty())
        return tilPapirkurv ? "Der blev slettet til papirkurv" : "Der blev slettet permanent";
    if (!sletter.slettetNoget())
        return "Intet blev slettet";
    return tilPapirkurv ? "Ikke alt blev slettet til papirkurv" : "Ikke alt blev slettet permanent";
}

} // namespace

void Twinform::createEngines()
{
    // The properties window belongs to the method object, which fills it.
    auto *egenskaber = new Tfilinfoform(this);
    egenskaber->onHjaelp = [](const QString &side) { services::help()->InfoHelp(side); };
    metodeX->setPropertiesView(egenskaber);
    if (mainHost())
        metodeX->setIkonDir(services::folders()->iconFolder());
    PasteObj = new TPasteObjekt(this);
    DeleteObj = new TDeleteObjekt(this);
    PasteObj->FonPasteElements = [this](bool doCopy) { lukKlipbordKontrol(doCopy); };
}

void Twinform::buildFileCommandActions()
{
    // The enabling rules. A rule given for no tree leaves the command as it is while no tree
    // is active.
    auto active = [this] { return activeTree(); };
    auto byTree = [this, active](const char *name, std::function<bool()> tree1, std::function<bool()> tree2,
                                 std::function<bool()> none = {}) {
        return [this, active, name, tree1, tree2, none] {
            if (active() == StrukturNr::mapper)
                return tree1();
            if (active() == StrukturNr::filer)
                return tree2();
            if (none)
                return none();
            QAction *action = actions->action(name);
            return action && action->isEnabled();
        };
    };
    auto s1 = [this] { return MappeStruktur && MappeStruktur->selectionCount() > 0; };
    auto s2 = [this] { return FilStruktur && FilStruktur->selectionCount() > 0; };
    auto elementer = [this] { return metodeX && metodeX->klipbord()->elementAntal > 0; };
    // The lenient set while "Bloker funktioner" is off; the blocking set adds "no operation runs".
    auto allowed = [this] { return !m_bloker || funkTilladt; };
    auto deleteRule = [byTree, s1, s2, allowed, this](const char *name) {
        return byTree(
            name, [this, s1, allowed] { return allowed() && funkNo == 0 && s1(); },
            [s2, allowed] { return allowed() && s2(); });
    };
    // In the file tree with nothing selected the new folder or file goes into the folder shown,
    // so an empty folder can be filled.
    auto newRule = [this, byTree](const char *name) {
        return byTree(
            name, [this] { return (!m_bloker || funkTilladt) && funkNo < 5; },
            [this] { return m_bloker ? funkTilladt : funkNo < 5 || funkNo == nodeKind::ingen; },
            [this, name] {
                if (!m_bloker)
                    return funkNo < 5;
                QAction *action = actions->action(name);
                return action && action->isEnabled();
            });
    };
    auto fileRule = [this] { return funkNo == 1; };

    actions->add(
        "Copy", "Kopier", QKeySequence("Ctrl+C"), "Indsæt i kopieringslisten: Ctrl+C eller Insert",
        [this] { KopierElementer(false); },
        byTree(
            "Copy", [this, s1] { return funkNo < 3 && s1(); }, s2));
    actions->action("Copy")->setShortcuts({QKeySequence("Ctrl+C"), QKeySequence(Qt::Key_Insert)});
    actions->add(
        "Cut", "Klip", QKeySequence("Ctrl+X"), "Klipper til sletning efter Sæt ind: Ctrl+X",
        [this] { KopierElementer(true); },
        byTree(
            "Cut", [this, s1] { return funkTilladt && funkNo == 0 && s1(); },
            [this, s2] { return funkTilladt && s2(); }));
    actions->add(
        "Paste", "Sæt ind", QKeySequence("Ctrl+V"), "Sæt ind fra kopieringslisten: Ctrl+V",
        [this] { PasteElementer(activeTree()); },
        byTree(
            "Paste", [this, s1, elementer] { return funkTilladt && s1() && elementer(); },
            [this, elementer] { return funkTilladt && elementer(); }));
    actions->add(
        "DeleteToPapirkurv", "Slet", QKeySequence("Ctrl+D"), "Slet til papirkurv: Ctrl+D",
        [this] { DeleteElementer(activeTree(), true); }, deleteRule("DeleteToPapirkurv"));
    actions->add(
        "DeletePermanent", "Slet permanent", QKeySequence("Shift+Del"), "Slet permanent: Shift+Del",
        [this] { DeleteElementer(activeTree(), false); }, deleteRule("DeletePermanent"));
    actions->add(
        "Rename2", "Omdøb", QKeySequence("F2"), "Omdøb valgte: F2", [this] { renameInPlace(true); },
        deleteRule("Rename2"));
    actions->add(
        "NyMappe", "Mappe", QKeySequence("Ctrl+M"), "Opret en ny mappe: Ctrl+M", [this] { nyMappe(); },
        newRule("NyMappe"));
    actions->add(
        "aRun", "Kør", QKeySequence("Ctrl+K"), "Kør valgte fil, hvis muligt: Ctrl+K eller F9",
        [this] { services::launcher()->runFilname(metodeX->strukturY()->filnavn(), 0); }, fileRule);
    actions->action("aRun")->setShortcuts({QKeySequence("Ctrl+K"), QKeySequence("F9")});
    actions->add(
        "aRediger", "Rediger", QKeySequence("Ctrl+R"), "Rediger valgte fil om muligt: Ctrl+R",
        [this] { services::launcher()->runFilname(metodeX->strukturY()->filnavn(), 1); }, fileRule);
    actions->add(
        "aProgram", "Program", QKeySequence("Ctrl+P"),
        "Åben valgte program eventuelt med valgt/valgte fil/filer: Ctrl+P",
        [this] {
            services::launcher()->OpenFilMedProgram(services::launcher()->currentProgram(),
                                                    selectedFilesAsArguments());
        },
        [] { return !services::launcher()->currentProgram().isEmpty(); });
    actions->add(
        "Rename", "Omdøb", QKeySequence("Ctrl+O"), "Indfør det nye navn og omdøb: Ctrl+O",
        [this] { renameByDialog(); }, deleteRule("Rename"));
    actions->add(
        "RenameExt", "Omdøb", QKeySequence("Ctrl+U"),
        "Indfør det nye efternavn og ombøb samtlige filer også i undermapper: Ctrl+U",
        [this] { renameExtension(); }, [this] { return funkTilladt && funkNo == 1; });
    actions->add(
        "Info", "Egenskaber", QKeySequence("Ctrl+E"), "Se valgte elements egenskaber: Ctrl+E",
        [this] { showProperties(); },
        byTree(
            "Info", [s1, allowed] { return allowed() && s1(); },
            [s2, allowed] { return allowed() && s2(); }));
    buildTemplateActions(newRule("aOpretTekstfil"));
    buildRecentDocumentActions();
    buildPlayListActions();
    actions->add("aEmptyRB", "Tøm", {}, "Tøm papirkurv på aktuelle drev", [this] {
        const QString folder = metodeX->strukturY()->mappenavn();
        metodeX->EmptyRecycleBin(true, folder.left(2) + "\\");
    });
}

void Twinform::showProperties()
{
    operationBracket("Der er allerede en funktion kørende.\rSkal information åbnes alligevel?", 0, [this] {
        TStrukturCompo *struktur = metodeX->strukturY();
        const StrukturNr tree = activeTree();
        // The selection makes the current file or folder, as a click on it does.
        struktur->getSelectedMedSti(tree);
        switch (metodeX->getID(tree)) {
        case 1:
            metodeX->showFileInfo(struktur->filnavn());
            break;
        case 4:
            metodeX->showDriveInfo(struktur->mappenavn());
            break;
        case 0:
        case 2:
        case 5:
            metodeX->showMappeInfo(tree);
            break;
        default:
            if (tree == StrukturNr::filer)
                metodeX->showMappeInfo(tree);
        }
    });
}

void Twinform::showAroundFolder(const QString &folder)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->udfoldStruktur1(folder, allDrives());
    const QString shown = struktur->makeStruktur2(folder);
    mappeKontrol(shown.isEmpty() ? folder : shown, true);
}

void Twinform::PasteElementer(StrukturNr tree)
{
    operationBracket(QString(), 1, [this, tree] {
        if (metodeX->klipbord()->elementAntal == 0) {
            messages::inform("Der er ingen elementer i Klipbordet.\rVælg elementer og prøv igen.");
            return;
        }
        // Without a destination or valid rows (said already) the engine does nothing.
        PasteJob job;
        loadListerne(tree, job.destination, job.folders, job.files);
        job.ask = m_settings.ask;
        job.clashRule = m_settings.clashRule;
        job.closeBoxAfter = m_settings.closeProgress;
        job.caption = windowTitle();
        const bool ok =
            metodeX->flytElementer() ? PasteObj->PasteCutElementer(job) : PasteObj->PasteElementer(job);
        pasteResultText = PasteObj->getResult();
        if (ok && m_settings.refreshAfterPaste && core::directoryExists(job.destination))
            showAroundFolder(job.destination);
    });
}

void Twinform::DeleteElementer(StrukturNr tree, bool tilPapirkurv)
{
    operationBracket("Der er allerede en funktion kørende.\rSkal der slettes alligevel?", 2,
                     [this, tree, tilPapirkurv] {
                         TStrukturCompo *struktur = metodeX->strukturY();
                         DeleteJob job;
                         job.toRecycleBin = tilPapirkurv;
                         job.ask = m_settings.ask;
                         job.closeBoxAfter = m_settings.closeProgress;
                         if (struktur->loadLister(tree, job.folders, job.files) == 0) {
                             messages::inform("Der er ikke valgt elementer til sletning.");
                             struktur->setFilnavn(QString());
                             return;
                         }
                         bool ok = false;
                         try {
                             // What could not be deleted the engine names itself, in one message.
                             ok = DeleteObj->DeleteElementer(job);
                         } catch (const std::exception &) {
                             messages::inform("Der opstod en ukendt fejl.");
                         }
                         deleteResultText = DeleteObj->getResult();
                         if (ok) {
                             const QString folder = nearestExisting(struktur->mappenavn());
                             if (folder.isEmpty()) {
                                 // Not even the drive is left: the folder tree shows the drives there are.
                                 struktur->setMappenavn(QString());
                                 setActiveTree(StrukturNr::mapper);
                                 struktur->makePreDrives();
                             } else {
                                 struktur->setMappenavn(core::withoutTrailingBackslash(folder));
                                 showAroundFolder(folder);
                             }
                             services::status()->UdskrivInfo(sletteStatus(*DeleteObj, tilPapirkurv));
                         }
                         struktur->setFilnavn(QString());
                     });
}

bool Twinform::mayStart(const QString &question) const
{
    // Asked only while another operation of the program runs and "Informer" is on.
    return !mainHost() || question.isEmpty() || mainHost()->runningOperations() <= 0 ||
           !services::settings()->settings().inform || messages::ask(question);
}

void Twinform::renameInPlace(bool ask)
{
    if (ask && !mayStart("Der er allerede en funktion kørende.\rSkal der omdøbes alligevel?"))
        return;
    const StrukturNr treeNr = activeTree();
    StrukturView *tree = treeNr == StrukturNr::mapper ? MappeStruktur : FilStruktur;
    tree->setFocus();
    if (StrukturNode *node = tree->selectedNode())
        OldNodeTekst = node->text;
    metodeX->editSelected(treeNr);
}

void Twinform::nyMappe()
{
    if (!mayStart(
            "Der er allerede en funktion kørende.\rEr der sikkehed for, at den nye mappe ikke vil påvirke "
            "den kørende funktion? For eksempel indgå i en kørende kopiering, altså \"Sæt-ind\" funktion.\r\r"
            "Skal der indsættes en ny mappe?"))
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    const StrukturNr tree = activeTree();
    const QString created = metodeX->OpretNyMappe(tree, "Ny mappe");
    if (!core::directoryExists(created)) {
        QCoreApplication::processEvents();
        return;
    }
    if (tree == StrukturNr::mapper) {
        struktur->udfoldStruktur1(created, allDrives());
        mappeKontrol(struktur->getDirectory(), true);
    } else {
        showAroundFolder(struktur->mappenavn());
    }
    QCoreApplication::processEvents();
    // The new folder's node, ready for its name.
    metodeX->SelectMappe(tree, created);
    renameInPlace(false);
}

void Twinform::renameFinished(StrukturView *tree, StrukturNode *node, const QString &text)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    const bool file = tree == FilStruktur && !node->rec.filnavn.isEmpty();
    if (tree == FilStruktur && node->rec.ID > 1)
        return; // drives, private and protected folders keep their names
    if (file)
        struktur->setFilnavn(node->rec.filnavn);
    const QString before = node->text;
    const QString kept =
        file ? metodeX->RenameFil(before, text, node)
             : metodeX->RenameMappe(tree == MappeStruktur ? StrukturNr::mapper : StrukturNr::filer, before,
                                    text, node);
    if (kept.isEmpty() || kept == before)
        return;
    tree->strukturModel()->setText(node, kept);
    // A second later the trees are read again, so nodes below a renamed folder get its new path.
    Timer->stop();
    TimerFil->stop();
    (file ? TimerFil : Timer)->start();
}

void Twinform::renameTimerFired()
{
    Timer->stop();
    showAroundFolder(metodeX->strukturY()->mappenavn());
}

void Twinform::renameFileTimerFired()
{
    TimerFil->stop();
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::filer);
    mappeKontrol(struktur->SelectFil(struktur->filnavn()), true);
}

// ---------------------------------------------------------------------------------------------
// Drag and drop. A drop always works through the clipboard: what was dragged is registered, the
// move flag is decided and "Sæt ind" runs, so the drop pastes every ticked row.

namespace {

constexpr char kDragFormat[] = "application/x-zunkolvra-elementer";

QString rootOf(const QString &path)
{
    return path.size() >= 2 && path.at(1) == u':' ? path.left(2).toUpper() + u'\\' : QString();
}

} // namespace

QMimeData *Twinform::dragData(StrukturView *tree) const
{
    // The window's caption first, then the dragged elements' paths.
    QStringList lines{StifinderNavn};
    QList<QUrl> urls;
    for (const StrukturNode *node : tree->selectedNodes()) {
        const QString path = node->rec.filnavn.isEmpty() ? node->rec.mappe : node->rec.filnavn;
        if (path.isEmpty())
            continue;
        lines << path;
        const QString host = core::hostPath(path);
        if (!host.isEmpty())
            urls << QUrl::fromLocalFile(host);
    }
    auto *payload = new QMimeData;
    payload->setData(kDragFormat, lines.join(u'\n').toUtf8());
    payload->setUrls(urls); // other programs take the files too
    return payload;
}

bool Twinform::startTreeDrag(StrukturView *tree)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    if (tree == MappeStruktur) {
        // A bare drive such as "C:" is not dragged.
        if (struktur->mappenavn().size() == 2 && funkTilladt)
            return false;
    } else {
        if (!funkTilladt)
            return false;
        setActiveTree(StrukturNr::filer);
    }
    if (tree->selectionCount() == 0)
        return false;
    DrevSource = rootOf(struktur->mappenavn());
    auto *drag = new QDrag(tree);
    drag->setMimeData(dragData(tree));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    DrevSource.clear();
    DrevDest.clear();
    return true;
}

bool Twinform::acceptsDrag(const QMimeData *payload, bool pathBar) const
{
    if (!payload || !payload->hasFormat(kDragFormat))
        return false;
    return pathBar ? !mainHost() || mainHost()->runningOperations() == 0 : funkTilladt;
}

void Twinform::registerDragged(const QMimeData *payload)
{
    const QStringList lines = QString::fromUtf8(payload->data(kDragFormat)).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return;
    if (lines.first() == StifinderNavn) {
        // From this window: its active tree's selection, as "Kopier" takes it.
        metodeX->CopyElementer(activeTree());
        return;
    }
    // From another explorer window: the elements dragged there, from the drive they lie on, so a
    // drag between two windows moves or copies as a drag within one window does.
    for (qsizetype i = 1; i < lines.size(); ++i)
        metodeX->RegisterElements(lines.at(i));
    if (lines.size() > 1)
        DrevSource = rootOf(lines.at(1));
}

void Twinform::decideMoveFlag()
{
    metodeX->setFlytElementer(!m_settings.dragDropCopies && !DrevSource.isEmpty() &&
                              DrevSource.compare(DrevDest, Qt::CaseInsensitive) == 0);
}

void Twinform::treeDrop(StrukturView *tree, const QMimeData *payload, const QPoint &position)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    registerDragged(payload);
    if (tree == MappeStruktur) {
        struktur->getFocusDirectory(position);
        if (!core::directoryExists(struktur->mappenavn()))
            return;
        // The tree dropped on is the one the user works in now.
        setActiveTree(StrukturNr::mapper);
        DrevDest = rootOf(struktur->mappenavn());
        decideMoveFlag();
        PasteElementer(StrukturNr::mapper);
        return;
    }
    setActiveTree(StrukturNr::filer);
    DrevDest = rootOf(struktur->mappenavn());
    if (m_settings.dragDropCopies) {
        metodeX->setFlytElementer(false);
        PasteElementer(StrukturNr::filer);
        return;
    }
    decideMoveFlag();
    struktur->getFocusFilDirectory(position);
    PasteElementer(StrukturNr::filer);
}

void Twinform::pathBarDrop(const QMimeData *payload, const QPoint &position)
{
    registerDragged(payload);
    const int index = stibox->tabAt(position);
    if (index < 0)
        return; // the elements stay on the clipboard
    stibox->setCurrentIndex(index);
    stiboxChange(index);
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::mapper);
    struktur->udfoldStruktur1(struktur->mappenavn(), allDrives());
    mappeKontrol(struktur->mappenavn(), true);
    MappeStruktur->setFocus();
    DrevDest = rootOf(struktur->mappenavn());
    decideMoveFlag();
    PasteElementer(StrukturNr::mapper);
}

bool Twinform::dragEvent(QObject *watched, QEvent *event)
{
    StrukturView *tree = watched == MappeStruktur->viewport() ? MappeStruktur
                         : watched == FilStruktur->viewport() ? FilStruktur
                                                              : nullptr;
    const bool pathBar = watched == stibox;
    if (!tree && !pathBar)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_dragTree = tree && mouse->button() == Qt::LeftButton && tree->nodeAt(mouse->position().toPoint())
                         ? tree
                         : nullptr;
        m_dragStart = mouse->position().toPoint();
        return false;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!tree || tree != m_dragTree || !(mouse->buttons() & Qt::LeftButton) ||
            (mouse->position().toPoint() - m_dragStart).manhattanLength() < QApplication::startDragDistance())
            return false;
        m_dragTree = nullptr;
        return startTreeDrag(tree);
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!acceptsDrag(drag->mimeData(), pathBar))
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!acceptsDrag(drop->mimeData(), pathBar))
            return false;
        drop->acceptProposedAction();
        // The paste runs after the drag has ended, not inside the drag's own event loop.
        auto *payload = new QMimeData;
        payload->setData(kDragFormat, drop->mimeData()->data(kDragFormat));
        const QPoint position = drop->position().toPoint();
        QTimer::singleShot(0, this, [this, tree, payload, position] {
            std::unique_ptr<QMimeData> owned(payload);
            tree ? treeDrop(tree, payload, position) : pathBarDrop(payload, position);
        });
        return true;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Rename by dialog, rename of an extension, new files from templates, recent documents

void Twinform::renameByDialog()
{
    if (!mayStart("Der er allerede en funktion kørende.\rSkal der omdøbes alligevel?"))
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    const StrukturNr tree = activeTree();
    const QString shown = struktur->getSelected(tree);
    if (shown.isEmpty()) {
        messages::inform("Der er ikke valgt element, der skal omdøbes.");
        return;
    }
    const QString path = struktur->getSelectedMedSti(tree);
    const bool file = core::fileExists(path);
    // A file keeps its extension: the user types the name without it.
    const QString fileName = core::nameOf(path);
    const QString extension =
        file && fileName.lastIndexOf(u'.') >= 0 ? fileName.mid(fileName.lastIndexOf(u'.')) : QString();
    const QString old = core::withoutTrailingBackslash(path);
    const QString base = core::withoutTrailingBackslash(core::folderOf(old));
    if (!m_renameForm) {
        m_renameForm = new TrenameForm(window());
        m_renameForm->hintInfo = [](const QString &hint) { services::status()->HintInfo(hint); };
    }
    m_renameForm->oldEdit->setText(shown);
    m_renameForm->mappeEdit->setText(base);
    m_renameForm->newEdit->clear();
    if (m_renameForm->exec() != messages::mrOk)
        return;
    const QString typed = m_renameForm->newEdit->text();
    if (typed.isEmpty()) {
        messages::inform("Der mangler et nyt navn.\rIndfør det nye navn og tryk \"Omdøb\".");
        renameByDialog();
        return;
    }
    if (const QString refused = core::invalidNameMessage(typed + extension); !refused.isEmpty()) {
        messages::inform(refused);
        renameByDialog();
        return;
    }
    QString target = base + "\\" + typed + extension;
    bool moved = false;
    if (file) {
        target = TStrukturCompo::getNewFilename(path, typed + extension, QString());
        moved = core::moveFile(path, target);
        if (moved) {
            setActiveTree(StrukturNr::filer);
            mappeKontrol(struktur->makeStruktur2(core::folderOf(target)), true);
        }
    } else {
        if (target.compare(old, Qt::CaseInsensitive) != 0)
            target = TStrukturCompo::getNewDirectoryName(target, QString());
        struktur->setMappenavn(target);
        QCoreApplication::processEvents();
        moved = core::moveFile(old, target);
        if (moved) {
            setActiveTree(StrukturNr::mapper);
            struktur->udfoldStruktur1(target, allDrives());
            mappeKontrol(struktur->getDirectory(), true);
        }
    }
    if (!moved)
        messages::inform("Der opstod en fejl af ukendt art, der gjorde at emnet ikke kunne omdøbes.");
}

void Twinform::renameExtension()
{
    if (!mayStart("Der er allerede en funktion kørende.\rSkal fil-efternavne omdøbes alligevel?"))
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    const QString current = struktur->filnavn();
    const QString folder = core::folderOf(current);
    const QString name = core::nameOf(current);
    const QString oldExtension = name.lastIndexOf(u'.') < 0 ? QString() : name.mid(name.lastIndexOf(u'.'));
    if (!m_extForm) {
        m_extForm = new TextForm(window());
        m_extForm->hintInfo = [](const QString &hint) { services::status()->HintInfo(hint); };
    }
    m_extForm->mappeEdit->setText(folder);
    m_extForm->oldEdit->setText(oldExtension);
    m_extForm->newEdit->clear();
    if (m_extForm->exec() != messages::mrOk)
        return;
    QString newExtension = m_extForm->newEdit->text();
    if (newExtension.isEmpty()) {
        messages::inform("Der mangler en ny filtype.\rIndfør filtype og tryk \"Omdøb\"");
        renameExtension();
        return;
    }
    if (!newExtension.startsWith(u'.'))
        newExtension.prepend(u'.');
    if (const QString refused = core::invalidNameMessage("fil" + newExtension); !refused.isEmpty()) {
        messages::inform(refused);
        renameExtension();
        return;
    }
    const bool alleMapper = m_extForm->alleMapper();
    operationBracket(QString(), 0, [&] {
        const int count = struktur->RenameFilExt(folder, oldExtension, newExtension, alleMapper);
        setBeskedInfo("Der blev omdøbt " + QString::number(count) + (count == 1 ? " fil." : " filer."));
    });
}

void Twinform::makeFiler(const QString &name)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    try {
        TSkrivTekstfiler skriver;
        const QString created = skriver.opretTekstfil(core::delimKon(struktur->mappenavn()) + name);
        if (created.isEmpty())
            return; // said already
        setActiveTree(StrukturNr::filer);
        struktur->SelectFil(created);
        FilStruktur->setFocus();
        mappeKontrol(created, false);
        QCoreApplication::processEvents();
        renameInPlace(false);
    } catch (const std::exception &) {
        messages::inform("Fejlinformation:\rDet kunne ikke lade sig gøre at oprette en fil.");
    }
}

void Twinform::buildTemplateActions(const std::function<bool()> &rule)
{
    actions->add(
        "aOpretTekstfil", "Ny fil", {}, "Opret en ny tekstfil", [this] { makeFiler("Tekstfil.txt"); }, rule);
    static const std::pair<const char *, const char *> templates[] = {
        {"Action1", "Almindelig tekstfil"},
        {"Action2", "Rich Text tekstfil"},
        {"Action3", "Hjemmeside fil"},
        {"Action4", "Active Server Page"},
        {"Action5", "Include files kan anvendes i forbindelse med asp-sider"},
        {"Action6", "Active Server Application er af filtypen asp"},
        {"Action7", "CSS bruges til at definere layoutet på dine HTML-sider"},
        {"Action8", "JavaScript er et programmeringssprog, der kan anvendes til hjemmesider"},
        {"Action10", "VBScript er et \"script\"-sprog, der fortolkes via Microsofts Windows Script Host"},
        {"Action11", "En Windows Script File er en filtype, der køres med Microsoft Windows Script Host"},
        {"Action12",
         "En batch fil er en script fil, der kan udføre forskellige kommandoer via en dos-konsol"},
        {"Action13", "Windows PowerShell er en kommandolinjegrænseflade"},
    };
    static const char *const names[] = {
        "Tekstfil.txt", "RichText.rtf",   "Hjemmeside.html", "ASP.asp",      "Includefile.inc",
        "ASA.asa",      "StyleSheet.css", "JavaScript.js",   "VBscript.vbs", "WindowsScriptFiles.wsf",
        "Batch.bat",    "PowerShell.ps1"};
    m_templateMenu = new QMenu(this);
    m_templateMenu->setObjectName("nyFilMenu");
    for (std::size_t i = 0; i < std::size(templates); ++i) {
        const QString fileName = names[i];
        QAction *action = actions->add(
            templates[i].first, fileName, {}, templates[i].second, [this, fileName] { makeFiler(fileName); },
            rule);
        m_templateMenu->addAction(action);
    }
    actions->action("aOpretTekstfil")->setMenu(m_templateMenu);
}

void Twinform::buildRecentDocumentActions()
{
    actions->add(
        "insertFilSFWS", "Tilføj", {}, "Indfør fil i Stifinders Hurtig adgang/Seneste filer",
        [this] {
            core::addToRecentDocs(metodeX->strukturY()->filnavn());
            messages::inform(
                "Der blev gjort et forsøg på at indsætte valgte fil i Seneste i Windows Stifinder.");
        },
        [this] { return funkNo == 1; });
    actions->add("ekstraButton3", "Rens", {}, "Rens Window Stifinders Seneste filer", [] {
        core::addToRecentDocs(QString());
        messages::inform("Der blev gjort et forsøg på at tømme Seneste i Windows Stifinder.");
    });
}
