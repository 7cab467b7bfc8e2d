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
#include "explorer/navnesoegning.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>

// ---------------------------------------------------------------------------------------------
// Creation

Twinform::Twinform(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    opstart = true;
    buildActions();
    buildUi();
    bindSettings();
    setAktivitetsNr(0, 0);
    funkTilladt = true;
    aktivitetsAntal = 0;
    funkNo = -1;

    const int number = mainHost() ? mainHost()->freeExplorerNumber() : 1;
    StifinderNavn = "Stifinder " + QString::number(number);
    setObjectName(StifinderNavn);
    setWindowTitle(StifinderNavn);
    const QString optMappe = services::folders()->optMappe();
    optFilnavn = optMappe + StifinderNavn + ".txt";

    createLists();
    metodeX = new TMetodeCompo(this);
    createEngines();
    TStrukturCompo *struktur = metodeX->strukturY();

    HentOpt();
    bestemTabs();
    newMetodeObjekt();
    if (mainHost() && metodeX->ownsKlipbord())
        mainHost()->createClipboardWindow(metodeX->klipbord(), false, number);
    metodeX->onVisKlipbord = [this] {
        if (mainHost())
            mainHost()->showClipboardWindow(metodeX->klipbord());
    };
    metodeX->onUdskrivTilWin = [this](const QString &text) { sizeLabel->setText(text); };
    setMarkerButton();

    redskabsCheckClick();
    if (mainHost()) {
        applyTreeFont(services::settings()->settings().treeFontSize(),
                      services::settings()->settings().treeFontName());
        topPanel->setVisible(services::settings()->settings().topPanel);
    }

    struktur->setGemHentFilnavn(savedTreeFile());
    struktur->setStruktur1(MappeStruktur);
    struktur->setStruktur2(FilStruktur);
    struktur->setOnDirectoryChange([this](const QString &path, bool medSti) { mappeKontrol(path, medSti); });
    struktur->setShowPrivate(m_settings.showPrivate);
    struktur->setShowHidden(m_settings.showHidden);

    if (!makeOpstartStrukturer()) {
        struktur->makePreDrives();
        setActiveTree(StrukturNr::filer);
        mappeKontrol(struktur->makeStruktur2(QString()), true);
    }
    if (mainHost()) {
        applyTabLook(services::settings()->settings().tabLook);
        setTreeLines(services::settings()->settings().treeLines);
    }
    FavDir->HentReopenFiler();
    FavFiler->HentReopenFiler();
}

Twinform::~Twinform() = default;

QString Twinform::historyFile() const
{
    return (services::folders()->optMappe()) + "historiemapper" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::favouriteFoldersFile() const
{
    return (services::folders()->optMappe()) + "favoritmapper" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::favouriteFilesFile() const
{
    return (services::folders()->optMappe()) + "favoritfiler" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::savedTreeFile() const
{
    return (services::folders()->optMappe()) + "GemHentStruktur " + StifinderNavn + ".txt";
}

void Twinform::createLists()
{
    historieDir = new TReopenFilerY(this);
    historieDir->SetItemfile(historyFile());
    historieDir->SetListeBoks(HistorieListe);
    historieDir->SetItemtype(itBibliotek);
    auto status = [](const QString &path) { services::status()->UdskrivInfo(path); };
    auto show = [this](const QString &, const QString &path) { visIFilStruktur(path); };
    historieDir->SetOnDblListeKlik(show);
    historieDir->SetOnListeKlik([status](const QString &, const QString &path) { status(path); });

    FavDir = new TReopenFilerX(this);
    FavDir->SetItemfile(favouriteFoldersFile());
    FavDir->SetListeBoks(favoritliste);
    FavDir->SetItemtype(itBibliotek);
    FavDir->SetOnListeKlik([this, status](const QString &caption, const QString &path) {
        RenamMEdit->setText(caption);
        status(path);
    });
    FavDir->SetOnDblListeKlik(show);
    FavFiler = new TReopenFilerX(this);
    FavFiler->SetItemfile(favouriteFilesFile());
    FavFiler->SetListeBoks(favfilerListe);
    FavFiler->SetItemtype(itFil);
    FavFiler->SetOnListeKlik([this, status](const QString &caption, const QString &path) {
        RenamFEdit->setText(caption);
        status(path);
    });
    FavFiler->SetOnDblListeKlik(
        [](const QString &, const QString &path) { services::launcher()->runFilname(path, 0); });

    findDir = new TReopenFilerX(this);
    findDir->SetListeBoks(mappeBoxen);
    findDir->SetItemtype(itBibliotek);
    findFiler = new TReopenFilerX(this);
    findFiler->SetListeBoks(filBoxen);
    findFiler->SetItemtype(itFil);
    for (TReopenFilerX *found : {findDir, findFiler}) {
        found->SetOnListeKlik([status](const QString &, const QString &path) { status(path); });
        found->SetOnDblListeKlik(show);
    }
}

void Twinform::newMetodeObjekt()
{
    if (mainHost())
        mainHost()->setKlipbord(this);
    metodeX->setBoolVisKlipbord(m_settings.showClipboard);
}

// ---------------------------------------------------------------------------------------------
// Options file

core::OptionTable Twinform::optionTable()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    ExplorerSettings &settings = m_settings;
    const ExplorerSettings defaults;
    auto flag = [&settings](bool ExplorerSettings::*field) {
        return std::pair{[&settings, field] { return settings.*field; },
                         [&settings, field](bool on) { settings.*field = on; }};
    };
    auto number = [&settings](int ExplorerSettings::*field) {
        return std::pair{[&settings, field] { return settings.*field; },
                         [&settings, field](int value) { settings.*field = value; }};
    };
    auto page = [](QTabWidget *book) {
        return std::pair{[book] { return book->currentIndex(); },
                         [book](int index) { book->setCurrentIndex(index); }};
    };
    using core::FlagRule;
    core::OptionTable table;
    table
        .text(
            1, [struktur] { return struktur->mappenavn(); },
            [struktur](const QString &path) { struktur->setMappenavn(path); }, QString("C:"))
        .text(
            2, [struktur] { return struktur->filnavn(); },
            [struktur](const QString &path) { struktur->setFilnavn(path); }, QString())
        .number(
            3, [this] { return std::max(MappeStruktur->width(), splitter->sizes().value(0)); },
            [this](int treeWidth) {
                QList<int> sizes = splitter->sizes();
                sizes[0] = treeWidth;
                splitter->setSizes(sizes);
            },
            kDefaultTreeWidth, kMinimumTreeWidth, kMaximumTreeWidth);
    // Only the tree's start-up lines are reset by a damaged file; the others keep what was read
    // before the damage, or their design values.
    auto flagLine = [&](int line, bool ExplorerSettings::*field, bool reset = false) {
        table.flag(line, flag(field).first, flag(field).second,
                   reset ? std::optional<bool>(defaults.*field) : std::nullopt, FlagRule::NonZeroByte);
    };
    // A choice of `choices` radio buttons.
    auto numberLine = [&](int line, int ExplorerSettings::*field, int choices, bool reset = false) {
        table.number(line, number(field).first, number(field).second,
                     reset ? std::optional<int>(defaults.*field) : std::nullopt, 0, choices - 1);
    };
    flagLine(4, &ExplorerSettings::showPrivate, true);
    numberLine(5, &ExplorerSettings::startMode, 3, true);
    flagLine(6, &ExplorerSettings::showHidden, true);
    numberLine(7, &ExplorerSettings::knownFoldersTree, 2);
    table.number(8, page(winBog).first, page(winBog).second)
        .number(9, page(favoritBog).first, page(favoritBog).second);
    numberLine(10, &ExplorerSettings::ask, 3);
    numberLine(11, &ExplorerSettings::clashRule, 4);
    flagLine(12, &ExplorerSettings::dragDropCopies);
    flagLine(13, &ExplorerSettings::refreshAfterPaste);
    flagLine(14, &ExplorerSettings::showClipboard);
    flagLine(15, &ExplorerSettings::clearLists);
    flagLine(16, &ExplorerSettings::closeProgress);
    flagLine(17, &ExplorerSettings::showSettingsPage);
    numberLine(18, &ExplorerSettings::tabPlacement, 3);
    flagLine(19, &ExplorerSettings::allSelectionButtons, true);
    numberLine(20, &ExplorerSettings::toolBarPlacement, 3);
    // The page switches, in the file's order: known folders, favourites, names, visited.
    static constexpr std::size_t kPageOfLine[] = {0, 2, 3, 1};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t shownPage = kPageOfLine[i];
        table.flag(
            21 + int(i), [&settings, shownPage] { return settings.pagesShown[shownPage]; },
            [&settings, shownPage](bool on) { settings.pagesShown[shownPage] = on; });
    }
    table.afterApplying([this, struktur] {
        showSettings();
        fanePlaceringsBoxClick();
        redskabsCheckClick();
        if (!core::directoryExists(struktur->mappenavn()))
            struktur->setMappenavn("C:");
        if (!core::fileExists(struktur->filnavn()))
            struktur->setFilnavn(QString());
    });
    return table;
}

void Twinform::showSettings()
{
    const ExplorerSettings s = m_settings; // the widgets' signals write back while they are set
    privatCheckBox->setChecked(s.showPrivate);
    RadioOpstart->setItemIndex(s.startMode);
    hiddenCheck->setChecked(s.showHidden);
    mappeBox->setItemIndex(s.knownFoldersTree);
    spmBox->setItemIndex(s.ask);
    resultBox->setItemIndex(s.clashRule);
    DragDropCheck->setChecked(s.dragDropCopies);
    opdaterCheck->setChecked(s.refreshAfterPaste);
    visKlipbordCheck->setChecked(s.showClipboard);
    rydCheck->setChecked(s.clearLists);
    LukCheck->setChecked(s.closeProgress);
    visIndstillingerCheck->setChecked(s.showSettingsPage);
    fanePlaceringsBox->setItemIndex(s.tabPlacement);
    udfoldCheck->setChecked(s.allSelectionButtons);
    redskabsCheck->setItemIndex(s.toolBarPlacement);
    for (std::size_t i = 0; i < 4; ++i)
        pageSwitches()[i]->setChecked(s.pagesShown[i]);
}

void Twinform::bindSettings()
{
    // On toggled and itemIndexChanged, which come before the clicks the widgets' handlers use.
    const std::pair<QCheckBox *, bool ExplorerSettings::*> checks[] = {
        {privatCheckBox, &ExplorerSettings::showPrivate},
        {hiddenCheck, &ExplorerSettings::showHidden},
        {DragDropCheck, &ExplorerSettings::dragDropCopies},
        {opdaterCheck, &ExplorerSettings::refreshAfterPaste},
        {visKlipbordCheck, &ExplorerSettings::showClipboard},
        {rydCheck, &ExplorerSettings::clearLists},
        {LukCheck, &ExplorerSettings::closeProgress},
        {visIndstillingerCheck, &ExplorerSettings::showSettingsPage},
        {udfoldCheck, &ExplorerSettings::allSelectionButtons}};
    for (const auto &[check, field] : checks)
        connect(check, &QCheckBox::toggled, this, [this, field = field](bool on) { m_settings.*field = on; });
    const std::pair<RadioGroup *, int ExplorerSettings::*> radios[] = {
        {RadioOpstart, &ExplorerSettings::startMode},
        {mappeBox, &ExplorerSettings::knownFoldersTree},
        {spmBox, &ExplorerSettings::ask},
        {resultBox, &ExplorerSettings::clashRule},
        {fanePlaceringsBox, &ExplorerSettings::tabPlacement},
        {redskabsCheck, &ExplorerSettings::toolBarPlacement}};
    for (const auto &[group, field] : radios)
        connect(group, &RadioGroup::itemIndexChanged, this,
                [this, field = field](int index) { m_settings.*field = index; });
    for (std::size_t i = 0; i < 4; ++i)
        connect(pageSwitches()[i], &QPushButton::toggled, this,
                [this, i](bool on) { m_settings.pagesShown[i] = on; });
}

std::array<QPushButton *, 4> Twinform::pageSwitches() const
{
    return {tabVisCheck1, tabVisCheck0, tabVisCheck2, tabVisCheck3};
}

void Twinform::defaultOpt()
{
    optionTable().applyDefaults();
}

void Twinform::HentOpt()
{
    optionTable().load(optFilnavn);
}

QStringList Twinform::optionLines() const
{
    return const_cast<Twinform *>(this)->optionTable().lines();
}

void Twinform::GemOpt()
{
    optionTable().save(optFilnavn);
}

bool Twinform::makeOpstartStrukturer()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    try {
        const int mode = m_settings.startMode;
        if (mode <= 0) {
            struktur->makePreDrives();
            setActiveTree(StrukturNr::filer);
            mappeKontrol(struktur->makeStruktur2(QString()), true);
            return true;
        }
        const QString folder = struktur->mappenavn();
        const QString file = struktur->filnavn();
        struktur->udfoldStruktur1(folder, mode == 2);
        setActiveTree(StrukturNr::filer);
        if (core::fileExists(file)) {
            mappeKontrol(struktur->SelectFil(file), true);
        } else {
            mappeKontrol(struktur->makeStruktur2(core::directoryExists(folder) ? folder : QString()), true);
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void Twinform::bestemTabs()
{
    for (std::size_t i = 0; i < 4; ++i)
        winBog->setTabVisible(int(i), m_settings.pagesShown[i]);
}

// ---------------------------------------------------------------------------------------------
// Activation and closing

void Twinform::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitToolBarToTree();
}

void Twinform::FormActivate()
{
    if (opstart) {
        opstart = false;
        fitToolBarToTree();
        if (mainHost()) {
            services::tabs()->InsertTab(this);
            services::tabs()->SetTCindex();
        }
        (activeTree() == StrukturNr::mapper ? MappeStruktur : FilStruktur)->setFocus();
        services::structureMenu()->loadMappeStruktur(false);
        if (mainHost() && !services::settings()->settings().triedBefore) {
            winBog->setCurrentIndex(4);
            egenskabsBogen->setCurrentIndex(1);
        }
        if (mainHost() && services::settings()->settings().sharedClipboard) {
            Klipbord *klipbord = metodeX->klipbord();
            mainHost()->udskivKlipbordInf(QString::number(klipbord->Mappeliste->count()),
                                          QString::number(klipbord->Filliste->count()));
        }
        funkNo = metodeX->strukturY()->getNodeId(activeTree());
        setActionUpdates(mainHost() && services::settings()->settings().block);
    }
    if (mainHost()) {
        services::tabs()->fokusTab(StifinderNavn);
        services::currentElement()->setEditSti(aktuelleSti);
    }
    stifindernavnLabel->setText(StifinderNavn);
}

void Twinform::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    // A running search ends here, before the lists it fills go away.
    if (m_soegning)
        m_soegning->stop();
    m_soegningAktiv = false;
    if (mainHost() && metodeX->ownsKlipbord())
        mainHost()->destroyClipboardWindow(metodeX->klipbord());
    GemOpt();
    FavDir->GemReopenFiler();
    FavFiler->GemReopenFiler();
    if (mainHost()) {
        mainHost()->explorerClosed();
        services::tabs()->CloseTab(StifinderNavn);
    }
}

void Twinform::closeEvent(QCloseEvent *event)
{
    // A paste or deletion still runs on this window's engines: the copy is stopped, and the
    // window closes as soon as the operation has ended.
    if (aktivitetsAntal > 0) {
        m_closeWhenDone = true;
        PasteObj->progressBox().stopFlag() = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Activity, operations and enabling rules

void Twinform::setAktivitetsNr(int ant, int infoNo)
{
    aktivitetsAntal += ant;
    funkTilladt = aktivitetsAntal <= 0;
    if (funkTilladt && m_closeWhenDone) {
        m_closeWhenDone = false;
        // Inside the main window the frame around it is what closes.
        QTimer::singleShot(0, this, [this] {
            if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
                frame->close();
            else
                close();
        });
    }
    if (AktivitetBoks)
        AktivitetBoks->setSpinning(!funkTilladt);
    if (mainHost() && services::settings()->settings().notifications) {
        if (infoNo == 1)
            setBeskedInfo("Der blev kopieret " +
                          (pasteResultText.isEmpty() ? QStringLiteral("0 bytes") : pasteResultText));
        else if (infoNo == 2)
            setBeskedInfo("Der blev slettet " +
                          (deleteResultText.isEmpty() ? QStringLiteral("0 bytes") : deleteResultText));
    }
    if (actions)
        actions->updateAll();
}

void Twinform::setBeskedInfo(const QString &text)
{
    if (mainHost() && services::settings()->settings().notifications)
        services::status()->makeInfo("Information", text);
}

bool Twinform::operationBracket(const QString &question, int infoNo, const std::function<void()> &work)
{
    if (!mayStart(question))
        return false;
    if (mainHost()) {
        mainHost()->changeProcessCount(1);
        mainHost()->updateCloseElement();
    }
    setAktivitetsNr(1, 0);
    QCoreApplication::processEvents();
    work();
    QCoreApplication::processEvents();
    if (mainHost()) {
        mainHost()->changeProcessCount(-1);
        mainHost()->updateCloseElement();
    }
    setAktivitetsNr(-1, infoNo);
    QCoreApplication::processEvents();
    return true;
}

void Twinform::requestRuleEvaluation()
{
    // A pool task whose only work is to hand the evaluation back to the user-interface thread.
    // It does not wait for it: a window closed meanwhile (or a program ending) would leave it
    // waiting forever; the guard is checked on the user-interface thread, where it is safe.
    QPointer<ActionList> rules(actions);
    QThreadPool::globalInstance()->start([rules] {
        QMetaObject::invokeMethod(
            qApp,
            [rules] {
                if (rules)
                    rules->updateAll();
            },
            Qt::QueuedConnection);
    });
}

void Twinform::setActionUpdates(bool bloker)
{
    m_bloker = bloker;
    if (QAction *update = actions->action("ActionUpd"))
        update->setIcon(QIcon::fromTheme(bloker ? "object-locked" : "object-unlocked"));
    requestRuleEvaluation();
}

void Twinform::actionUpdExecute()
{
    if (!mainHost())
        return;
    const bool blocking = !services::settings()->settings().block;
    mainHost()->setBlokerChecked(blocking);
    if (blocking)
        services::status()->UdskrivInfo("Andre funktioner blokeres nu ved aktive tidskrævende funktioner.");
    else if (services::settings()->settings().inform)
        services::status()->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, men der informeres.");
    else
        services::status()->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, og der informeres ikke.");
}
