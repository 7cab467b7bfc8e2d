#include "app/mainform.h"

#include "app/clipboardwindows.h"
#include "app/notifier.h"
#include "app/styles.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/services.h"
#include "dialogs/shared.h"
#include "dialogs/tablook.h"
#include "explorer/listeform.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "lists/imagelist.h"
#include "lists/menuexefiler.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/pictures.h"
#include "structures/struktur.h"
#include "structures/strukturcompo.h"
#include "tools/info/urlform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

Tmainform *mainform = nullptr;

namespace {

void setPage(QTabWidget *book, int index)
{
    if (index >= 0 && index < book->count())
        book->setCurrentIndex(index);
}

void setComboIndex(QComboBox *box, int index)
{
    box->setCurrentIndex(index < 0 ? -1 : std::min(index, box->count() - 1));
}

} // namespace

Tmainform::Tmainform(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName("mainform");
    setMainHost(this);
    setToolHost(this);
    services::installAll(this);
    buildActions();
    buildUi();
    clipboardWindows = new ClipboardWindows(
        clientArea, [this](const QString &caption) { CloseTab(caption); }, this);
    notifier = desktopNotifier();
    egenExe = ownProgram();
    startProgTimer = new QTimer(this);
    startProgTimer->setObjectName("startProgTimer");
    startProgTimer->setInterval(1000);
    connect(startProgTimer, &QTimer::timeout, this, [this] { startProgTimerTimer(); });
    FormCreate();
    // The information window's page list, kept for the whole run.
    new Turlform1(OptMappe, this);
    actions->updateAll();
}

Tmainform::~Tmainform()
{
    qApp->removeEventFilter(this);
    if (mainHost() == this)
        setMainHost(nullptr);
    if (toolHost() == this)
        setToolHost(nullptr);
    services::removeAll(this);
    delete ImageListExe;
    delete ImageListExe32;
    if (mainform == this)
        mainform = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Data folders and options

QString Tmainform::GetUserFromWindows()
{
    QString name;
    if (core::userName(name))
        return name;
    return QStringLiteral("Brugernavn");
}

void Tmainform::CreateMapper()
{
    Abrugernavn = GetUserFromWindows();
    setWindowTitle("zunKolvra: " + Abrugernavn);

    grundMappe = "C:\\zunKolvra";
    programmappe = grundMappe + "\\Program";
    appletsDir = programmappe + "\\Window applets\\";
    infoDir = programmappe + "\\Stifinder\\tekstfiler\\";
    strukturDir = programmappe + "\\Stifinder";
    scriptDir = programmappe + "\\scripts\\";
    ikonDir = programmappe + "\\Ikoner\\";

    BrugerMappe = grundMappe + "\\" + Abrugernavn;
    if (!core::directoryExists(BrugerMappe))
        core::forceDirectories(BrugerMappe);

    // A template that is missing leaves the user's folder empty rather than absent: the rest
    // of the program relies on the folder. A folder that cannot be made is told of once below.
    QStringList failed;
    auto fromTemplate = [this, &failed](const QString &folder, const QString &templateName) {
        if (core::directoryExists(folder))
            return;
        if (!core::copyFolder(programmappe + "\\" + templateName, folder))
            core::forceDirectories(folder);
        if (!core::directoryExists(folder))
            failed << folder;
    };
    auto created = [&failed](const QString &folder) {
        if (!core::directoryExists(folder))
            core::forceDirectories(folder);
        if (!core::directoryExists(folder))
            failed << folder;
    };

    dosMappe = BrugerMappe + "\\Dos";
    fromTemplate(dosMappe, "Dos");
    dosMappe += "\\";
    NotatMappe = BrugerMappe + "\\Noter";
    created(NotatMappe);
    NotatMappe += "\\";
    OptMappe = BrugerMappe + "\\Egenskaber";
    fromTemplate(OptMappe, "Egenskaber");
    OptMappe += "\\";
    optFilnavn = OptMappe + "MainEgenskaber.txt";
    brugerKalenderMappe = BrugerMappe + "\\Kalender";
    created(brugerKalenderMappe);
    brugerNotatMappe = BrugerMappe + "\\Notater";
    created(brugerNotatMappe);
    mappestrukturDir = BrugerMappe + "\\Mappestrukturer";
    created(mappestrukturDir);
    mappestrukturDir += "\\";

    // Without the user folder nothing below it exists: that one folder is named. Without the
    // options folder the options cannot be kept; any other folder loses only what goes there.
    auto noOptions = [](const QString &folder) {
        messages::inform("Datamappen \"" + folder +
                         "\" kunne ikke oprettes.\r"
                         "Programmet starter med standardindstillinger, og ændringer bliver ikke gemt.\r");
    };
    if (!core::directoryExists(BrugerMappe)) {
        noOptions(BrugerMappe);
        failed.clear();
    } else if (failed.removeAll(core::withoutTrailingBackslash(OptMappe)) > 0) {
        noOptions(core::withoutTrailingBackslash(OptMappe));
    }
    if (failed.size() == 1) {
        messages::inform("Mappen \"" + failed.first() +
                         "\" kunne ikke oprettes.\rProgrammet kan ikke gemme noget i den.");
    } else if (failed.size() > 1) {
        QStringList quoted;
        for (const QString &folder : std::as_const(failed))
            quoted << "\"" + folder + "\"";
        messages::inform("Disse mapper kunne ikke oprettes:\r" + messages::opremsning(quoted) +
                         "\rProgrammet kan ikke gemme noget i dem.");
    }
}

core::OptionTable Tmainform::optionTable()
{
    // Lines 2 to 5 are gathered first and applied together, clamped to the screen. Each is first
    // held to a range QRect's arithmetic cannot overflow in.
    constexpr int kFar = 1 << 24;
    auto bounds = std::make_shared<QRect>(x(), y(), width(), height());
    auto open = [](RadioGroup *group) {
        return std::pair{[group] { return group->itemIndex(); },
                         [group](int index) { group->setItemIndex(index); }};
    };
    auto box = [](QCheckBox *check) {
        return std::pair{[check] { return check->isChecked(); }, [check](bool on) { check->setChecked(on); }};
    };
    auto page = [](QTabWidget *book) {
        return std::pair{[book] { return book->currentIndex(); },
                         [book](int index) { setPage(book, index); }};
    };
    using core::FlagRule;
    core::OptionTable table;
    table
        .text(
            1, [this] { return designName; }, [this](const QString &name) { designName = name; },
            QString("Sky"))
        .number(
            2, [this] { return pos().y(); }, [bounds](int top) { bounds->moveTop(top); }, 50, -kFar, kFar)
        .number(
            3, [this] { return pos().x(); }, [bounds](int left) { bounds->moveLeft(left); }, 250, -kFar, kFar)
        .number(
            4, [this] { return width(); }, [bounds](int w) { bounds->setWidth(w); }, kStandardWidth, 0, kFar)
        .number(
            5, [this] { return height(); }, [bounds](int h) { bounds->setHeight(h); }, kStandardHeight, 0,
            kFar)
        .number(
            6, [this] { return m_settings.maxElementer; }, [this](int n) { m_settings.maxElementer = n; },
            120, MainSettings::kMinimumMaxElementer, MainSettings::kMaximumMaxElementer)
        .number(
            7, [this] { return m_settings.treeFontSizeIndex; },
            [this](int index) { m_settings.treeFontSizeIndex = index; })
        .flag(8, box(trayCheck).first, box(trayCheck).second)
        .flag(
            9, [this] { return !mainPanel->isHidden(); }, [this](bool on) { mainPanel->setVisible(on); },
            true)
        .number(
            10, [this] { return m_settings.treeFontNameIndex; },
            [this](int index) { m_settings.treeFontNameIndex = index; })
        .text(
            11, [this] { return exeProgram; }, [this](const QString &path) { exeProgram = path; }, QString());
    RadioGroup *const openGroups[] = {openInfo,       openGenveje,  openProgrammer, openStrukturer,
                                      openTekstfiler, openBilleder, openKalender};
    for (int i = 0; i < 7; ++i)
        table.number(12 + i, open(openGroups[i]).first, open(openGroups[i]).second);
    table
        .number(
            19, [this] { return OnClickIndex; }, [this](int index) { OnClickIndex = index; }, -1, -1)
        .text(
            20, [this] { return OnClickCaption; },
            [this](const QString &caption) { OnClickCaption = caption; })
        .number(
            21, [this] { return m_settings.structureForm; },
            [this](int index) { m_settings.structureForm = index; })
        .number(22, open(openWmi).first, open(openWmi).second)
        .number(23, page(Hovedbog).first, page(Hovedbog).second)
        .number(24, page(Programbog).first, page(Programbog).second)
        .text(
            25, [this] { return m_settings.shortcutsFolder; },
            [this](const QString &path) { m_settings.shortcutsFolder = path; }, QString())
        .number(26, open(visProgrammer).first, open(visProgrammer).second)
        .number(27, page(funkBog).first, page(funkBog).second)
        .number(
            28, [this] { return GBoxV; }, [this](int n) { GBoxV = n; }, 2, 1, kMaximumGalleryCount)
        .number(
            29, [this] { return GBoxL; }, [this](int n) { GBoxL = n; }, 2, 1, kMaximumGalleryCount)
        .number(
            30, [this] { return colIndex; }, [this](int index) { colIndex = index; }, std::nullopt, 0,
            kMaximumGalleryCount)
        .flag(
            31, [this] { return m_settings.treeLines; }, [this](bool on) { m_settings.treeLines = on; })
        .flag(
            32, [this] { return m_settings.triedBefore; }, [this](bool on) { m_settings.triedBefore = on; })
        .flag(
            33, [this] { return m_settings.topPanel; }, [this](bool on) { m_settings.topPanel = on; }, true)
        .number(
            34, [this] { return m_settings.tabLook; }, [this](int index) { m_settings.tabLook = index; })
        .number(35, page(genvejsBog).first, page(genvejsBog).second, 0)
        .flag(
            36, [this] { return m_settings.sharedClipboard; },
            [this](bool on) { m_settings.sharedClipboard = on; }, true)
        .flag(37, box(minimerCheck).first, box(minimerCheck).second)
        .flag(
            38, [this] { return m_settings.inform; }, [this](bool on) { m_settings.inform = on; })
        .flag(
            39, [this] { return m_settings.block; }, [this](bool on) { m_settings.block = on; });
    QCheckBox *const toggles[] = {tabVisCheck1, tabVisCheck2, tabVisCheck3, tabVisCheck4};
    for (int i = 0; i < 4; ++i)
        table.flag(40 + i, box(toggles[i]).first, box(toggles[i]).second, std::nullopt,
                   FlagRule::ExactlyOneText);
    table
        .flag(
            44, [this] { return m_settings.notifications; },
            [this](bool on) { m_settings.notifications = on; })
        .flag(
            45, [this] { return m_settings.showHints; }, [this](bool on) { m_settings.showHints = on; })
        .afterApplying([this, bounds] {
            showSettings();
            const QRect kept = clampedBounds(*bounds);
            setBounds(kept.x(), kept.y(), kept.width(), kept.height());
        })
        .afterDefaults([this] { applyDesign(); });
    return table;
}

void Tmainform::showSettings()
{
    setComboIndex(Fontbox, m_settings.treeFontSizeIndex);
    setComboIndex(FontnavnBox, m_settings.treeFontNameIndex);
    CheckStrukturLinjer->setChecked(m_settings.treeLines);
    FremFormCheck->setItemIndex(m_settings.structureForm);
    bogfanerBox->setItemIndex(m_settings.tabLook);
    sikkerhedsCheck->setChecked(m_settings.inform);
    blokerCheck->setChecked(m_settings.block);
    beskedCheck->setChecked(m_settings.notifications);
    vhaFunkCheck->setChecked(m_settings.showHints);
    maxFindEdit->setText(QString::number(m_settings.maxElementer));
}

void Tmainform::bindSettings()
{
    // Connected before the widgets' own handlers, which then read the settings as changed.
    connect(Fontbox, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.treeFontSizeIndex = index; });
    connect(FontnavnBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.treeFontNameIndex = index; });
    connect(FremFormCheck, &RadioGroup::itemIndexChanged, this,
            [this](int index) { m_settings.structureForm = index; });
    connect(bogfanerBox, &RadioGroup::itemIndexChanged, this,
            [this](int index) { m_settings.tabLook = index; });
    const std::pair<QCheckBox *, bool MainSettings::*> checks[] = {
        {CheckStrukturLinjer, &MainSettings::treeLines},
        {sikkerhedsCheck, &MainSettings::inform},
        {blokerCheck, &MainSettings::block},
        {beskedCheck, &MainSettings::notifications},
        {vhaFunkCheck, &MainSettings::showHints}};
    for (const auto &[check, field] : checks)
        connect(check, &QCheckBox::toggled, this, [this, field = field](bool on) { m_settings.*field = on; });
}

void Tmainform::defaultOpt()
{
    optionTable().applyDefaults();
}

void Tmainform::HentOpt()
{
    optionTable().load(optFilnavn);
}

QStringList Tmainform::optionLines() const
{
    return const_cast<Tmainform *>(this)->optionTable().lines();
}

void Tmainform::GemOpt()
{
    optionTable().save(optFilnavn);
}

QRect Tmainform::clampedBounds(const QRect &saved)
{
    // Never larger than the desktop (though the standard size is always allowed), never smaller
    // than the window's minimum, and kept near the desktop so no position can overflow.
    QRect desktop(0, 0, kStandardWidth, kStandardHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        desktop = desktop.united(screen->virtualGeometry());
    const int widthLimit = std::max(desktop.width(), kStandardWidth);
    const int heightLimit = std::max(desktop.height(), kStandardHeight);
    const int w = std::clamp(saved.width(), kMinimumWidthWithPanel - kPanelWidth, widthLimit);
    const int h = std::clamp(saved.height(), kMinimumHeight, heightLimit);
    const int left = std::clamp(saved.x(), desktop.left() - w, desktop.right());
    const int top = std::clamp(saved.y(), desktop.top() - h, desktop.bottom());
    return {left, top, w, h};
}

void Tmainform::keepOnScreen()
{
    // A position saved on a screen that is no longer there would leave the window out of sight.
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty() || QGuiApplication::screenAt(pos() + QPoint(50, 20)))
        return;
    move(250, 50);
}

void Tmainform::setBounds(int left, int top, int width, int height)
{
    move(left, top);
    resize(width, height);
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void Tmainform::FormCreate()
{
    qApp->installEventFilter(this); // hints: status line or tooltips
    opstart = true;
    CreateMapper();
    HentOpt();
    setupTray();
    updateConsoleButtons();
    Struktur->setLinjer(m_settings.treeLines);
    // The contents of the information pages, read-only.
    Struktur->SetStrukturfile(strukturDir + "\\struktur.txt");
    Struktur->SetDatafile(strukturDir + "\\data.txt");
    Struktur->SetInfomappe(strukturDir + "\\tekstfiler" + "\\");
    Struktur->SetBilledmappe(strukturDir + "\\tekstfiler" + "\\Billeder");
    Struktur->SetHtmlmappe(Struktur->FInfomappe + "Design og funktioner\\");
    Struktur->HentStruktur();
    antalLabel->setText(QString::number(Struktur->allNodes().size()));
    KlipbordsCheck->setChecked(m_settings.sharedClipboard);
    bestemTabs();

    if (m_settings.shortcutsFolder.isEmpty() || !core::directoryExists(m_settings.shortcutsFolder)) {
        m_settings.shortcutsFolder = BrugerMappe + "\\Genveje";
        if (!core::directoryExists(m_settings.shortcutsFolder))
            core::forceDirectories(m_settings.shortcutsFolder);
    }

    applyDesign();
    designBox->blockSignals(true);
    designBox->clear();
    designBox->addItems(styles::names());
    designBox->setMaxVisibleItems(designBox->count());
    designBox->setCurrentIndex(designBox->findText(designName));
    designBox->blockSignals(false);

    maxFindEdit->setText(QString::number(m_settings.maxElementer));
    keepOnScreen();

    MenuExe->SetItemfile(OptMappe + "ProgItem.txt");
    MenuExe->SetIconList(ImageListExe);
    MenuExe->SetIconList32(ImageListExe32);
    MenuExe->SetMainItem(mProgrammer);
    MenuExe->SetOnKlik(
        [this](QAction *sender, const QString &caption, bool found) { MenuExeKlik(sender, caption, found); });
    MenuExe->SetOnParam([this](QObject *sender, QString &parameters) { MenuExeParam(sender, parameters); });
    MenuExe->HentProgrammer();
    loadProgramBox();

    visProgrammerClick();
    setMinimumHeight(kMinimumHeight);

    dosFiler = new TReopenFilerY(this);
    dosFiler->SetItemfile(OptMappe + "dosfiler.txt");
    dosFiler->SetListeBoks(dosBoxen);
    dosFiler->SetOnDblListeKlik(
        [this](const QString &caption, const QString &path) { dosListeDblKlik(caption, path); });
    dosFiler->SetOnListeKlik(
        [this](const QString &caption, const QString &path) { dosListeKlik(caption, path); });
    dosFiler->SetItemtype(itFil);
    // Without an options folder the list could not be saved; that has been told already.
    if (core::directoryExists(OptMappe) && !core::fileExists(dosFiler->itemfile()))
        listInstalledDosCommands();
    setMinimumWidth(mainPanel->isHidden() ? kMinimumWidthWithPanel - kPanelWidth : kMinimumWidthWithPanel);
    for (QTabBar *bar : {tc, funkBog->tabBar(), Programbog->tabBar()})
        applyTabLook(bar);
    HovedbogChange();
}

void Tmainform::FormShow()
{
    if (opstart) {
        MenuExe->setAktuelleProgram(exeProgram);
        InfoProg(MenuExe->getAktuelleCaption());
        dosFiler->HentReopenFiler();
        loadNotater();
        QCoreApplication::processEvents();
    }
    activateWindow();
    setFocus();
}

void Tmainform::FormActivate()
{
    if (!opstart)
        return;
    opstart = false;
    makeNewStifinder();
    HovedbogChange();
    if (!m_settings.triedBefore) {
        m_settings.triedBefore = true;
        Hovedbog->setCurrentIndex(4);
        Programbog->setCurrentIndex(0);
        informationsKnappenL->setText("Egenskaber");
        InfoHelp("Velkommen.html");
    }
    if (minimerCheck->isChecked())
        showMinimized();
}

bool Tmainform::FormCloseQuery()
{
    if (MsRedigeret)
        return false;
    if (processCount < 1)
        return true;
    return messages::ask(
        "Der er en funktion kørende.\rSkal programmet lukkes alligevel med risiko for fejl ved "
        "lukning?");
}

void Tmainform::FormClose()
{
    // Tool windows of their own save their place as they close.
    for (TToolForm *tool : findChildren<TToolForm *>(Qt::FindDirectChildrenOnly))
        tool->close();
    if (!clientArea->subWindowList().isEmpty()) {
        CloseAlleElementerExecute();
        // The explorer windows one at a time, the highest numbered first; each saves its own
        // files as it closes.
        QList<Twinform *> open = explorerWindows();
        while (Twinform *next = highestNumbered(open)) {
            open.removeOne(next);
            closeExplorer(next);
        }
    }
    GemOpt();
}

void Tmainform::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    FormShow();
    // Without a window manager the window may never be told it is active; the first showing
    // then counts as the first activation.
    QTimer::singleShot(500, this, [this] { FormActivate(); });
}

void Tmainform::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    if (event->type() == QEvent::WindowStateChange)
        minimizeToTray();
}

void Tmainform::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void Tmainform::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    breddeLabel->setText("Bredde: " + QString::number(width()));
    hojdeLabel->setText("Højde: " + QString::number(height()));
}

bool Tmainform::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        HintInfo(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool Tmainform::hintsAsTooltips() const
{
    return processCount > 0 && m_settings.showHints;
}

bool Tmainform::eventFilter(QObject *watched, QEvent *event)
{
    // Hints are tooltips only while an operation runs with "Vis hints"; else the status line
    // shows them, also those of picture-only tabs that have no status tip of their own.
    if (event->type() == QEvent::ToolTip && !hintsAsTooltips()) {
        if (auto *bar = qobject_cast<QTabBar *>(watched)) {
            const int tab = bar->tabAt(static_cast<QHelpEvent *>(event)->pos());
            if (tab >= 0 && !bar->tabToolTip(tab).isEmpty())
                HintInfo(bar->tabToolTip(tab));
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Option handlers

void Tmainform::designBoxChange()
{
    designName = designBox->currentText();
    applyDesign();
}

void Tmainform::applyDesign()
{
    styles::apply(designName);
    clientArea->setBackground(QApplication::palette().color(QPalette::Window).darker(112));
}

void Tmainform::FontboxClick()
{
    for (Twinform *window : explorerWindows())
        window->applyTreeFont(m_settings.treeFontSize(), m_settings.treeFontName());
}

void Tmainform::FontnavnBoxClick()
{
    FontboxClick();
}

void Tmainform::CheckStrukturLinjerClick()
{
    Struktur->setLinjer(m_settings.treeLines);
    for (Twinform *window : explorerWindows())
        window->setTreeLines(m_settings.treeLines);
}

void Tmainform::applyTabLook(QTabBar *bar) const
{
    bar->setDrawBase(m_settings.tabLook == 2);
    setTabLook(bar, m_settings.tabLook);
}

void Tmainform::bogfanerBoxClick()
{
    for (QTabBar *bar : {tc, funkBog->tabBar(), Programbog->tabBar()})
        applyTabLook(bar);
    for (Twinform *window : explorerWindows())
        window->applyTabLook(m_settings.tabLook);
}

void Tmainform::FremFormCheckClick()
{
    // The explorer windows read "Vis strukturer som" when they load a saved tree.
}

void Tmainform::blokerCheckClick()
{
    for (Twinform *window : explorerWindows())
        window->setActionUpdates(m_settings.block);
}

void Tmainform::maxOpKnapClick()
{
    m_settings.maxElementer = std::min(MainSettings::kMaximumMaxElementer, m_settings.maxElementer + 10);
    maxFindEdit->setText(QString::number(m_settings.maxElementer));
}

void Tmainform::maxNedKnapClick()
{
    m_settings.maxElementer = std::max(10, m_settings.maxElementer - 10);
    maxFindEdit->setText(QString::number(m_settings.maxElementer));
}

void Tmainform::bestemTabs()
{
    Hovedbog->setTabVisible(Hovedbog->indexOf(globusSide), tabVisCheck1->isChecked());
    Hovedbog->setTabVisible(Hovedbog->indexOf(notatSide), tabVisCheck2->isChecked());
    Hovedbog->setTabVisible(Hovedbog->indexOf(genvejsSide), tabVisCheck3->isChecked());
    Hovedbog->setTabVisible(Hovedbog->indexOf(oversigtSide), tabVisCheck4->isChecked());
}

void Tmainform::visProgrammerClick()
{
    const bool icons = visProgrammer->itemIndex() == 1;
    programBox->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    programBox->setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
}

bool Tmainform::isStandardSize() const
{
    return width() == kStandardWidth && height() == kStandardHeight;
}

void Tmainform::standardSizeExecute()
{
    resize(kStandardWidth, kStandardHeight);
}

void Tmainform::showMainPanel()
{
    if (!mainPanel->isHidden())
        return;
    setMinimumWidth(0);
    mainPanel->show();
    resize(width() + kPanelWidth, height());
    QCoreApplication::processEvents();
    setMinimumWidth(kMinimumWidthWithPanel);
}

void Tmainform::aPanelVExecute()
{
    if (mainPanel->isHidden()) {
        showMainPanel();
        return;
    }
    setMinimumWidth(0);
    mainPanel->hide();
    resize(width() - kPanelWidth, height());
    QCoreApplication::processEvents();
    setMinimumWidth(kMinimumWidthWithPanel - kPanelWidth);
    QCoreApplication::processEvents();
}
