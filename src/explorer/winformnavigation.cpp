// Explorer window: browsing with both trees and the path bar, back and forward, the known
// folders and the selection commands.

#include "explorer/winform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/services.h"
#include "dialogs/tablook.h"
#include "explorer/activityindicator.h"
#include "explorer/listeform.h"
#include "explorer/mainhost.h"
#include "fileops/metodecompo.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Navigation

void Twinform::showActiveTree()
{
    const bool first = activeTree() == StrukturNr::mapper;
    AktiveStrukturEdit->setText(first ? "Struktur 1" : "Struktur 2");
    if (QAction *fokus = actions->action("Fokus"))
        fokus->setIcon(QIcon::fromTheme(first ? "view-list-tree" : "view-list-details"));
}

void Twinform::mappeKontrol(const QString &denneSti, bool medSti)
{
    QCoreApplication::processEvents();
    showActiveTree();
    if (denneSti.isEmpty())
        return;
    if (mainHost()) {
        services::currentElement()->setEditSti(denneSti);
        aktuelleSti = services::currentElement()->editSti();
    } else {
        aktuelleSti = denneSti;
    }
    if (core::directoryExists(denneSti)) {
        historieDir->InsertItem(denneSti, core::getLastDirectory(denneSti));
        HListeForandret = true;
    }
    if (medSti)
        udskrivSti(denneSti);
    favChanged = true;
    funkNo = metodeX->strukturY()->getNodeId(activeTree());
    if (mainHost() && mainHost()->runningOperations() > 0)
        requestRuleEvaluation();
}

void Twinform::udskrivSti(const QString &path)
{
    const QSignalBlocker blocker(stibox);
    while (stibox->count() > 0)
        stibox->removeTab(0);
    stiArray = path.split(u'\\');
    stiTabs = pathTabs(stiArray);
    // A name's "&" is no shortcut marker: doubled, the tab shows it as it is.
    for (const PathTab &tab : stiTabs)
        stibox->addTab(QString(tab.name).replace(u'&', QStringLiteral("&&")));
    stibox->setCurrentIndex(stibox->count() - 1);
    TStrukturCompo *struktur = metodeX->strukturY();
    if (core::directoryExists(path)) {
        struktur->setMappenavn(path);
        AktuelleElementEdit->setText("Mappe");
        mappenavnFelt->setText(core::getLastDirectory(path));
        filnavnFelt->setText(core::nameOf(struktur->filnavn()));
    } else if (core::fileExists(path)) {
        struktur->setFilnavn(path);
        struktur->setMappenavn(core::folderOf(path));
        mappenavnFelt->setText(core::getLastDirectory(core::folderOf(path)));
        filnavnFelt->setText(core::nameOf(path));
        AktuelleElementEdit->setText("Fil");
    }
    mappeLabel->setText(mappenavnFelt->text());
}

QString Twinform::getStien(int tabIndex) const
{
    return pathUpToTab(stiArray, stiTabs, tabIndex);
}

void Twinform::stiboxChange(int index)
{
    if (index < 0)
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::filer);
    const QString path = getStien(index);
    if (core::fileExists(path)) {
        struktur->setFilnavn(path);
        struktur->setMappenavn(core::folderOf(path));
        mappeKontrol(struktur->SelectFil(path), false);
    } else if (core::directoryExists(path)) {
        struktur->setFilnavn(QString());
        struktur->setMappenavn(path);
        mappeKontrol(struktur->makeStruktur2(path), false);
    } else {
        // Deleted since the bar was written: show the nearest folder that is left and write the
        // bar anew, so that tree and bar agree, and say why the tree is not where the tab said.
        QString nearest = core::folderOf(path);
        while (!nearest.isEmpty() && !core::directoryExists(nearest))
            nearest = core::folderOf(nearest);
        struktur->setFilnavn(QString());
        struktur->setMappenavn(nearest);
        const QString shown = struktur->makeStruktur2(nearest);
        messages::inform("\"" + path + "\" findes ikke længere.\rI stedet vises \"" + shown + "\".");
        mappeKontrol(shown, true);
    }
}

void Twinform::MappeStrukturClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::mapper);
    struktur->setFilnavn(QString());
    mappeKontrol(struktur->getDirectory(), true);
}

void Twinform::MappeStrukturDblClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::mapper);
    struktur->udfoldDirectory();
}

void Twinform::FilStrukturClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::filer);
    // A selection of several (Shift or Ctrl with a click or an arrow) has no one current
    // element; Shift alone is no such selection: it also types a capital letter to find a name.
    struktur->setMultiSelect(
        (QApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) &&
        FilStruktur->selectionCount() > 1);
    mappeKontrol(struktur->getFileDirectory(false), true);
    struktur->setMultiSelect(false);
}

void Twinform::FilStrukturDblClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::filer);
    const QString path = struktur->udfoldFileDirectory();
    if (core::directoryExists(path))
        mappeKontrol(struktur->makeStruktur2(path), true);
    else if (core::fileExists(path) && mainHost())
        services::launcher()->runFilname(path, 0);
}

void Twinform::tilbageExecute()
{
    const int rows = HistorieListe->count();
    if (rows < 2 || HistorieListe->currentRow() < 0)
        return;
    const int row = HistorieListe->currentRow();
    HistorieListe->setCurrentRow(row == 0 ? rows - 1 : row - 1);
    skiftHisDir();
}

void Twinform::fremExecute()
{
    const int rows = HistorieListe->count();
    if (rows < 2 || HistorieListe->currentRow() < 0)
        return;
    const int row = HistorieListe->currentRow();
    HistorieListe->setCurrentRow(row == rows - 1 ? 0 : row + 1);
    skiftHisDir();
}

void Twinform::opdater2Execute()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    if (core::fileExists(struktur->filnavn()))
        struktur->SelectFil(struktur->filnavn());
    else
        struktur->makeStruktur2(struktur->mappenavn());
    QCoreApplication::processEvents();
    setActiveTree(StrukturNr::filer);
    mappeKontrol(struktur->mappenavn(), true);
}

void Twinform::skiftHisDir()
{
    const QString folder = historieDir->GetFilnavn(HistorieListe->currentRow());
    if (!core::directoryExists(folder))
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::filer);
    mappeKontrol(struktur->makeStruktur2(folder), true);
}

// ---------------------------------------------------------------------------------------------
// Navigation commands, known folders and selection

void Twinform::buildNavigationActions()
{
    auto struktur = [this] { return metodeX->strukturY(); };
    auto hasFolder = [this] { return metodeX && !metodeX->strukturY()->mappenavn().isEmpty(); };
    auto rebuild = [this](bool medAlleDrev) {
        TStrukturCompo *compo = metodeX->strukturY();
        setActiveTree(StrukturNr::mapper);
        compo->udfoldStruktur1(compo->mappenavn(), medAlleDrev);
        mappeKontrol(compo->mappenavn(), false);
    };
    actions->add(
        "OpdaterKunEn", "Opdater", QKeySequence("F4"),
        "Opdater aktuelle mappe på aktuelle drev uden at vise andre drev: F4", [rebuild] { rebuild(false); },
        hasFolder);
    actions->add(
        "OpdaterAlle", "Opdater alle", QKeySequence("F5"),
        "Opdater aktuelle mappe på aktuelle drev med samtlige drev i strukturen: F5",
        [rebuild] { rebuild(true); }, hasFolder);
    actions->add(
        "indstilMappestruktur", "Indstil", {}, "Indstil mappestrukturen til denne mappe",
        [this, rebuild] { rebuild(allDrives()); }, hasFolder);
    actions->add("KunDrev", "Drev", {}, "Opdater alle drev eller vælg drev til mappestrukturen",
                 [this, struktur] {
                     setActiveTree(StrukturNr::mapper);
                     struktur()->makePreDrives();
                 });
    actions->add("UdfoldStruktur", "Udfold", {}, "Udfold strukturen",
                 [this] { MappeStruktur->expandAllNodes(); });
    actions->add("SammenfoldStruktur", "Sammenfold", {}, "Sammenfold struktur",
                 [this] { MappeStruktur->collapseAllNodes(); });
    actions->add("aMedtagPrivat", "Privatmapper", {},
                 "Medtag eller fjern privatmapper med opdatering af alle drev", [this] {
                     privatCheckBox->setChecked(!m_settings.showPrivate);
                     metodeX->strukturY()->makePreDrives();
                     actions->action("aMedtagPrivat")
                         ->setIcon(QIcon::fromTheme(m_settings.showPrivate ? "user-home" : "drive-harddisk"));
                 });
    // The last home-made structure chosen, built again by the main window's structure menu.
    actions->add(
        "aReloadStruktur", "Genskab", QKeySequence("F3"),
        "Genskab sidste aktiverede hjemmelavede struktur: F3",
        [] { services::structureMenu()->CallOnClick(); },
        [] { return services::structureMenu()->onClickIndex() > 1; });

    // The selection commands of the file tree. With neither tree active, "Marker alt" and
    // "Inverter valg" keep the state they had.
    auto fileTreeActive = [this] { return activeTree() == StrukturNr::filer; };
    auto keep = [this](const char *name, bool whenFileTree, bool fileTree, bool folderTree) {
        if (fileTree)
            return whenFileTree;
        if (folderTree)
            return false;
        QAction *action = actions->action(name);
        return action && action->isEnabled();
    };
    // They select in the file tree, and only while the user works there.
    auto selectFiles = [this](int actionNumber) {
        if (activeTree() != StrukturNr::filer)
            return;
        metodeX->strukturY()->SelectMapperFiler(actionNumber);
        mappeKontrol(metodeX->strukturY()->mappenavn(), true);
    };
    actions->add(
        "selectAlleElementer", "Marker alt", QKeySequence("Ctrl+A"), "Marker alt",
        [selectFiles] { selectFiles(markering::alle); },
        [this, keep] {
            const StrukturNr active = activeTree();
            const bool notAll = FilStruktur->selectionCount() < FilStruktur->strukturModel()->rowCount();
            return keep("selectAlleElementer", notAll, active == StrukturNr::filer,
                        active == StrukturNr::mapper);
        });
    actions->add(
        "deselectElementer", "Fjern", QKeySequence("Ctrl+F"), "Fjern alle markeringer",
        [selectFiles] { selectFiles(markering::ingen); },
        [this, fileTreeActive] { return fileTreeActive() && FilStruktur->selectionCount() > 0; });
    actions->add(
        "inverterSelection", "Inverter valg", QKeySequence("Ctrl+I"), "Inverter nuværende markering",
        [selectFiles] { selectFiles(markering::inverter); },
        [this, keep] {
            const StrukturNr active = activeTree();
            return keep("inverterSelection", !FilStruktur->isEmpty(), active == StrukturNr::filer,
                        active == StrukturNr::mapper);
        });
    actions->add(
        "deselectAll", "Fjern alle markeringer", {}, "Fjern alle markeringer: Alt+Mus",
        [this] {
            if (activeTree() != StrukturNr::mapper)
                return;
            metodeX->strukturY()->deselectMapper();
            mappeKontrol(metodeX->strukturY()->mappenavn(), true);
        },
        [this] { return activeTree() == StrukturNr::mapper && MappeStruktur->selectionCount() > 0; });

    // Known folders.
    auto known = [this](const char *name, const char *caption, const char *icon,
                        std::function<QString()> path) {
        QAction *action = actions->add(name, caption, {}, caption, [this, path] {
            QString folder;
            try {
                folder = path();
            } catch (const StrukturFejl &error) {
                messages::inform(error.message());
                return;
            }
            openMappeStruktur(folder);
        });
        action->setIcon(QIcon::fromTheme(icon));
    };
    auto special = [](int csidl) {
        platform::Path path;
        return platform::current().specialFolder(csidl, path) ? QString::fromStdU16String(path) : QString();
    };
    known("Adesktopdir", "Skrivebord", "user-desktop",
          [special] { return special(platform::CSIDL_DESKTOPDIRECTORY); });
    known("Adokudir", "Dokumenter", "folder-documents",
          [special] { return special(platform::CSIDL_PERSONAL); });
    known("Amusikdir", "Musik", "folder-music", [special] { return special(platform::CSIDL_MYMUSIC); });
    known("Avideodir", "Videoer", "folder-videos", [special] { return special(platform::CSIDL_MYVIDEO); });
    known("Apicdir", "Billeder", "folder-pictures",
          [special] { return special(platform::CSIDL_MYPICTURES); });
    known("AallUsers", "Alle brugere", "system-users",
          [this] { return metodeX->strukturY()->GetAllUsers(); });
    known("aFavoritmappe", "Favoritter", "folder-favorites",
          [this] { return metodeX->strukturY()->GetMyFavorit(); });
    known("aDownload", "Overførsler", "folder-download",
          [this] { return metodeX->strukturY()->GetMyDownLoad(); });
    known("aKontakter", "Kontakter", "contact-new",
          [this] { return getSpecialMappe(specialMappe::kontakter); });
    known("aOneDrev", "OneDrive", "folder-cloud", [this] { return getSpecialMappe(specialMappe::oneDrive); });
    known("aStartMappe", "Startmenu", "application-menu",
          [this] { return metodeX->strukturY()->GetStartMenuPrograms(); });
    known("Aprogdir", "AppData", "folder-development", [this] { return metodeX->strukturY()->GetMyApp(); });
    known("aKamBil", "Billeder", "camera-photo",
          [this] { return getSpecialMappe(specialMappe::kameraBilleder); });
    known("aKamFilm", "Film", "camera-video",
          [this] { return getSpecialMappe(specialMappe::skaermoptagelser); });
    actions->action("aKamBil")->setToolTip("Kamerabilleder");
    actions->action("aKamFilm")->setToolTip("Skærmoptagelser");
}

QString Twinform::getSpecialMappe(int kind) const
{
    static const char *const tails[] = {"\\Contacts", "\\OneDrive", "\\Pictures\\Camera Roll",
                                        "\\Videos\\Captures"};
    if (kind < specialMappe::kontakter || kind > specialMappe::skaermoptagelser)
        return QString();
    const QString path = "C:\\Users\\" + metodeX->strukturY()->brugernavn() + tails[kind];
    return core::directoryExists(path) ? path : QString();
}

void Twinform::openMappeStruktur(const QString &path)
{
    if (!core::directoryExists(path)) {
        messages::inform("Mappen blev ikke fundet.");
        return;
    }
    TStrukturCompo *struktur = metodeX->strukturY();
    if (m_settings.knownFoldersTree == 1) {
        setActiveTree(StrukturNr::filer);
        mappeKontrol(struktur->makeStruktur2(path), true);
    } else {
        setActiveTree(StrukturNr::mapper);
        struktur->udfoldMappe(path);
    }
}

void Twinform::setMarkerButton()
{
    const bool all = m_settings.allSelectionButtons;
    aSelectButton->setVisible(!all);
    static const std::pair<const char *, const char *> captions[] = {
        {"selectAlleElementer", "Marker alt"},
        {"deselectElementer", "Fjern alle markeringer"},
        {"inverterSelection", "Inverter nuværende markering"}};
    for (const auto &[name, caption] : captions) {
        actions->action(name)->setText(all ? QString() : QString::fromUtf8(caption));
        if (QWidget *button = selectionPanel->findChild<QToolButton *>(QString(name) + "Button"))
            button->setVisible(all);
    }
    // The design width, unless a button without its picture needs more for its caption.
    selectionPanel->setFixedWidth(std::max(all ? 84 : 43, selectionPanel->layout()->minimumSize().width()));
}

QMenu *Twinform::contextMenuFor(StrukturView *tree) const
{
    // Only the tree the user works in has a menu.
    const StrukturNr treeNr = tree == MappeStruktur ? StrukturNr::mapper : StrukturNr::filer;
    if (activeTree() != treeNr)
        return nullptr;
    const int kind = metodeX->strukturY()->getNodeId(treeNr);
    if (treeNr == StrukturNr::mapper) {
        switch (kind) {
        case 0:
            return PUdirbox;
        case 2:
        case 3:
            return PUdirPrivate;
        case 4:
            return PUdirboxDrev;
        default:
            return nullptr;
        }
    }
    return kind > 1 ? PUdirboxDrev : PUfilbox;
}

void Twinform::treeMousePress(StrukturView *tree, QMouseEvent *event)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (tree == FilStruktur) {
        struktur->setMultiSelect(keys & (Qt::ShiftModifier | Qt::ControlModifier));
        if (keys & Qt::AltModifier)
            struktur->getFileDirectory(true);
    } else if ((keys & Qt::AltModifier) && event->button() != Qt::RightButton) {
        // The right button keeps the context menu.
        QAction *deselect = actions->action("deselectAll");
        actions->updateAll();
        if (deselect->isEnabled())
            deselect->trigger();
    }
    if (event->button() == Qt::RightButton) {
        const QPoint where = event->globalPosition().toPoint();
        // After the press has selected the node under the mouse.
        QTimer::singleShot(0, this, [this, tree, where] {
            if (QMenu *menu = contextMenuFor(tree))
                menu->popup(where);
        });
    }
}

bool Twinform::eventFilter(QObject *watched, QEvent *event)
{
    if (dragEvent(watched, event))
        return true;
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == MappeStruktur->viewport())
            treeMousePress(MappeStruktur, static_cast<QMouseEvent *>(event));
        else if (watched == FilStruktur->viewport())
            treeMousePress(FilStruktur, static_cast<QMouseEvent *>(event));
        else if (watched == stibox && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            actions->updateAll();
            if (actions->action("deselectElementer")->isEnabled())
                actions->action("deselectElementer")->trigger();
        }
    }
    return QWidget::eventFilter(watched, event);
}
