#include "app/mainform.h"

#include "app/styles.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
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
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

Tmainform *mainform = nullptr;

namespace {

constexpr int kPanelWidth = 340;
const QStringList kFontSizeItems{"Lille", "Mellem", "Stor"};
const QStringList kFontNameItems{"Tahoma", "Lucida Fax", "Lucida Sans", "Arial", "Verdana", "Default"};
const QStringList kOpenModes{"Internt", "Externt"};

void setPage(QTabWidget *book, int index)
{
    if (index >= 0 && index < book->count())
        book->setCurrentIndex(index);
}

void setComboIndex(QComboBox *box, int index)
{
    box->setCurrentIndex(index < 0 ? -1 : std::min(index, box->count() - 1));
}

QToolButton *actionButton(QAction *action, const QString &iconName, QWidget *parent,
                          Qt::ToolButtonStyle style = Qt::ToolButtonIconOnly)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(action->objectName() + "Button");
    if (!iconName.isEmpty())
        action->setIcon(QIcon::fromTheme(iconName));
    button->setDefaultAction(action);
    button->setToolButtonStyle(style);
    button->setAutoRaise(style == Qt::ToolButtonIconOnly);
    button->setIconSize(style == Qt::ToolButtonTextUnderIcon ? QSize(24, 24) : QSize(18, 18));
    return button;
}

QLabel *noteLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

Tmainform::Tmainform(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName("mainform");
    setMainHost(this);
    buildActions();
    buildUi();
    FormCreate();
    actions->updateAll();
}

Tmainform::~Tmainform()
{
    qApp->removeEventFilter(this);
    if (mainHost() == this)
        setMainHost(nullptr);
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
    // of the program relies on the folder.
    auto fromTemplate = [this](const QString &folder, const QString &templateName) {
        if (core::directoryExists(folder))
            return;
        if (!core::copyFolder(programmappe + "\\" + templateName, folder))
            core::forceDirectories(folder);
    };
    auto created = [](const QString &folder) {
        if (!core::directoryExists(folder))
            core::forceDirectories(folder);
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

    if (!core::directoryExists(OptMappe)) {
        messages::inform("Datamappen \"" + BrugerMappe +
                         "\" kunne ikke oprettes.\r"
                         "Programmet starter med standardindstillinger, og ændringer bliver ikke gemt.\r");
    }
}

void Tmainform::defaultOpt()
{
    designName = "Sky";
    applyDesign();
    setBounds(250, 50, kStandardWidth, kStandardHeight);
    maxElementer = 120;
    mainPanel->setVisible(true);
    exeProgram.clear();
    OnClickIndex = -1;
    GBoxV = 2;
    GBoxL = 2;
    PlaceringsMappe.clear();
    Vistoppanel = true;
    genvejsBog->setCurrentIndex(0);
    sammeKlipbord = true;
}

void Tmainform::HentOpt()
{
    const auto read = core::readLines(optFilnavn);
    if (!read || read->size() != kOptionLines) {
        defaultOpt();
        return;
    }
    const QStringList &lines = *read;
    auto line = [&](int number) -> const QString & { return lines.at(number - 1); };
    auto check = [&](QCheckBox *box, int number) { box->setChecked(core::optionInt(line(number)) == 1); };
    try {
        designName = line(1);
        int top = core::optionInt(line(2));
        int left = core::optionInt(line(3));
        move(left, top);
        resize(core::optionInt(line(4)), height());
        resize(width(), core::optionInt(line(5)));
        maxElementer = core::optionInt(line(6));
        setComboIndex(Fontbox, core::optionInt(line(7)));
        check(trayCheck, 8);
        mainPanel->setVisible(core::optionInt(line(9)) == 1);
        setComboIndex(FontnavnBox, core::optionInt(line(10)));
        exeProgram = line(11);
        RadioGroup *const openGroups[] = {openInfo,       openGenveje,  openProgrammer, openStrukturer,
                                          openTekstfiler, openBilleder, openKalender};
        for (int i = 0; i < 7; ++i)
            openGroups[i]->setItemIndex(core::optionInt(line(12 + i)));
        OnClickIndex = core::optionInt(line(19));
        OnClickCaption = line(20);
        FremFormCheck->setItemIndex(core::optionInt(line(21)));
        openWmi->setItemIndex(core::optionInt(line(22)));
        setPage(Hovedbog, core::optionInt(line(23)));
        setPage(Programbog, core::optionInt(line(24)));
        PlaceringsMappe = line(25);
        visProgrammer->setItemIndex(core::optionInt(line(26)));
        setPage(funkBog, core::optionInt(line(27)));
        GBoxV = core::optionInt(line(28));
        GBoxL = core::optionInt(line(29));
        colIndex = core::optionInt(line(30));
        check(CheckStrukturLinjer, 31);
        TryedBefore = core::optionInt(line(32)) == 1;
        Vistoppanel = core::optionInt(line(33)) == 1;
        bogfanerBox->setItemIndex(core::optionInt(line(34)));
        setPage(genvejsBog, core::optionInt(line(35)));
        sammeKlipbord = core::optionInt(line(36)) == 1;
        check(minimerCheck, 37);
        check(sikkerhedsCheck, 38);
        check(blokerCheck, 39);
        QCheckBox *const toggles[] = {tabVisCheck1, tabVisCheck2, tabVisCheck3, tabVisCheck4};
        for (int i = 0; i < 4; ++i)
            toggles[i]->setChecked(line(40 + i) == QLatin1String("1"));
        check(beskedCheck, 44);
        check(vhaFunkCheck, 45);
    } catch (const core::BadOptionLine &) {
        defaultOpt();
    }
}

QStringList Tmainform::optionLines() const
{
    const QPoint position = pos();
    return {
        designName,
        QString::number(position.y()),
        QString::number(position.x()),
        QString::number(width()),
        QString::number(height()),
        QString::number(maxElementer),
        QString::number(Fontbox->currentIndex()),
        core::optionFlag(trayCheck->isChecked()),
        core::optionFlag(!mainPanel->isHidden()),
        QString::number(FontnavnBox->currentIndex()),
        exeProgram,
        QString::number(openInfo->itemIndex()),
        QString::number(openGenveje->itemIndex()),
        QString::number(openProgrammer->itemIndex()),
        QString::number(openStrukturer->itemIndex()),
        QString::number(openTekstfiler->itemIndex()),
        QString::number(openBilleder->itemIndex()),
        QString::number(openKalender->itemIndex()),
        QString::number(OnClickIndex),
        OnClickCaption,
        QString::number(FremFormCheck->itemIndex()),
        QString::number(openWmi->itemIndex()),
        QString::number(Hovedbog->currentIndex()),
        QString::number(Programbog->currentIndex()),
        PlaceringsMappe,
        QString::number(visProgrammer->itemIndex()),
        QString::number(funkBog->currentIndex()),
        QString::number(GBoxV),
        QString::number(GBoxL),
        QString::number(colIndex),
        core::optionFlag(CheckStrukturLinjer->isChecked()),
        core::optionFlag(TryedBefore),
        core::optionFlag(Vistoppanel),
        QString::number(bogfanerBox->itemIndex()),
        QString::number(genvejsBog->currentIndex()),
        core::optionFlag(sammeKlipbord),
        core::optionFlag(minimerCheck->isChecked()),
        core::optionFlag(sikkerhedsCheck->isChecked()),
        core::optionFlag(blokerCheck->isChecked()),
        core::optionFlag(tabVisCheck1->isChecked()),
        core::optionFlag(tabVisCheck2->isChecked()),
        core::optionFlag(tabVisCheck3->isChecked()),
        core::optionFlag(tabVisCheck4->isChecked()),
        core::optionFlag(beskedCheck->isChecked()),
        core::optionFlag(vhaFunkCheck->isChecked()),
    };
}

void Tmainform::GemOpt()
{
    core::writeLines(optFilnavn, optionLines());
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
    Struktur->setLinjer(CheckStrukturLinjer->isChecked());
    KlipbordsCheck->setChecked(sammeKlipbord);
    bestemTabs();

    if (PlaceringsMappe.isEmpty() || !core::directoryExists(PlaceringsMappe)) {
        PlaceringsMappe = BrugerMappe + "\\Genveje";
        if (!core::directoryExists(PlaceringsMappe))
            core::forceDirectories(PlaceringsMappe);
    }

    applyDesign();
    designBox->blockSignals(true);
    designBox->clear();
    designBox->addItems(styles::names());
    designBox->setMaxVisibleItems(designBox->count());
    designBox->setCurrentIndex(designBox->findText(designName));
    designBox->blockSignals(false);

    maxFindEdit->setText(QString::number(maxElementer));
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
    if (!TryedBefore) {
        TryedBefore = true;
        Hovedbog->setCurrentIndex(4);
        Programbog->setCurrentIndex(0);
        informationsKnappenL->setText("Egenskaber");
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
    if (!clientArea->subWindowList().isEmpty()) {
        CloseAlleElementerExecute();
        // The explorer windows one at a time, the one numbered NewCount first; each saves its
        // own files as it closes.
        QList<Twinform *> open = explorerWindows();
        while (!open.isEmpty()) {
            Twinform *next = open.constLast();
            for (Twinform *window : open) {
                if (window->StifinderNavn == "Stifinder " + QString::number(NewCount))
                    next = window;
            }
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
    return processCount > 0 && vhaFunkCheck->isChecked();
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
        window->applyTreeFont(treeFontSize(), treeFontName());
}

void Tmainform::FontnavnBoxClick()
{
    FontboxClick();
}

void Tmainform::CheckStrukturLinjerClick()
{
    Struktur->setLinjer(CheckStrukturLinjer->isChecked());
    for (Twinform *window : explorerWindows())
        window->setTreeLines(CheckStrukturLinjer->isChecked());
}

void Tmainform::applyTabLook(QTabBar *bar) const
{
    bar->setDrawBase(bogfanerBox->itemIndex() == 2);
    setTabLook(bar, bogfanerBox->itemIndex());
}

void Tmainform::bogfanerBoxClick()
{
    for (QTabBar *bar : {tc, funkBog->tabBar(), Programbog->tabBar()})
        applyTabLook(bar);
    for (Twinform *window : explorerWindows())
        window->applyTabLook(bogfanerBox->itemIndex());
}

void Tmainform::FremFormCheckClick()
{
    // The explorer windows read "Vis strukturer som" when they load a saved tree.
}

void Tmainform::blokerCheckClick()
{
    for (Twinform *window : explorerWindows())
        window->setActionUpdates(blokerCheck->isChecked());
}

void Tmainform::maxOpKnapClick()
{
    maxElementer += 10;
    maxFindEdit->setText(QString::number(maxElementer));
}

void Tmainform::maxNedKnapClick()
{
    maxElementer = std::max(10, maxElementer - 10);
    maxFindEdit->setText(QString::number(maxElementer));
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

// ---------------------------------------------------------------------------------------------
// The registry of explorer windows

QList<QMdiSubWindow *> Tmainform::childWindows() const
{
    // The most recently active first; windows never active come after all others.
    QList<QMdiSubWindow *> children = clientArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    std::reverse(children.begin(), children.end());
    return children;
}

int Tmainform::openChildWindows() const
{
    int open = 0;
    for (QMdiSubWindow *child : clientArea->subWindowList())
        open += !child->isHidden();
    return open;
}

QList<Twinform *> Tmainform::explorerWindows() const
{
    QList<Twinform *> windows;
    for (QMdiSubWindow *child : childWindows()) {
        if (auto *window = qobject_cast<Twinform *>(child->widget()))
            windows.append(window);
    }
    return windows;
}

Twinform *Tmainform::activeExplorer() const
{
    QMdiSubWindow *active = clientArea->activeSubWindow();
    return active ? qobject_cast<Twinform *>(active->widget()) : nullptr;
}

void Tmainform::NewCountKontrol()
{
    if (explorerWindows().isEmpty())
        NewCount = 0;
}

void Tmainform::makeNewStifinder()
{
    NewCountKontrol();
    ++NewCount;
    auto *window = new Twinform;
    // Without a frame: the maximized window fills the client area, and the tab bar names it.
    QMdiSubWindow *child = clientArea->addSubWindow(window, Qt::FramelessWindowHint);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(window->StifinderNavn);
    child->setWindowIcon(QIcon::fromTheme("system-file-manager"));
    child->showMaximized();
    clientArea->setActiveSubWindow(child);
    QCoreApplication::processEvents();
    // Maximized again once the client area has its size (at start it may not have it yet).
    QTimer::singleShot(0, child, [child] { child->showMaximized(); });
}

void Tmainform::openStifinder()
{
    const QList<Twinform *> windows = explorerWindows();
    if (windows.isEmpty()) {
        makeNewStifinder();
        return;
    }
    QWidget *child = windows.first()->parentWidget();
    child->show();
    clientArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(child));
}

void Tmainform::aktiverWinform(bool opdater, const QString &potMappe)
{
    if (explorerWindows().isEmpty()) {
        makeNewStifinder();
        return;
    }
    openStifinder();
    Twinform *window = explorerWindows().first();
    TStrukturCompo *struktur = window->metodeX->strukturY();
    if (core::directoryExists(potMappe)) {
        const QString shown = struktur->makeStruktur2(potMappe);
        struktur->setAktiveStruktur(2);
        window->mappeKontrol(shown, true);
    } else if (opdater) {
        window->opdater2Execute();
    }
}

Twinform *Tmainform::getWinformQuietly(const QString &aCaption) const
{
    for (Twinform *window : explorerWindows()) {
        if (window->StifinderNavn.compare(aCaption, Qt::CaseInsensitive) == 0)
            return window;
    }
    return nullptr;
}

Twinform *Tmainform::getWinform(const QString &aCaption)
{
    Twinform *window = getWinformQuietly(aCaption);
    if (!window)
        messages::inform(
            "Der blev ikke fundet en Filfinder.\rDer skal være en Filfinder for at udføre funktionen.");
    return window;
}

void Tmainform::closeExplorer(Twinform *window)
{
    if (auto *child = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        child->close();
    else
        window->close();
}

void Tmainform::CloseElementExecute()
{
    const QList<QMdiSubWindow *> children = childWindows();
    if (NewCount <= 1 && sammeKlipbord) {
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (auto *window = qobject_cast<Twinform *>((*it)->widget())) {
                (*it)->show();
                closeExplorer(window);
                break;
            }
        }
    } else {
        const QString caption = "Stifinder " + QString::number(NewCount);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            auto *window = qobject_cast<Twinform *>((*it)->widget());
            if (window && window->StifinderNavn.compare(caption, Qt::CaseInsensitive) == 0) {
                closeExplorer(window);
                break;
            }
        }
    }
    QCoreApplication::processEvents();
}

void Tmainform::CloseAlleElementerExecute()
{
    const QList<QMdiSubWindow *> children = childWindows();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        QWidget *content = (*it)->widget();
        if (content && !content->inherits("Twinform") && !content->inherits("Tlisteform"))
            (*it)->close();
    }
}

void Tmainform::explorerClosed()
{
    --NewCount;
}

void Tmainform::InsertTab()
{
    QMdiSubWindow *active = clientArea->activeSubWindow();
    if (!active)
        return;
    const QString caption = active->widget() ? active->widget()->windowTitle() : active->windowTitle();
    if (active->widget() && active->widget()->inherits("Tlisteform")) {
        int clipboards = 0;
        // Clipboard windows are made hidden with their clipboard: those shown have tabs.
        for (QMdiSubWindow *child : childWindows())
            clipboards += !child->isHidden() && child->widget() && child->widget()->inherits("Tlisteform");
        tc->insertTab(std::max(0, clipboards - 1), caption);
    } else {
        tc->addTab(caption);
    }
}

void Tmainform::SetTCindex()
{
    QMdiSubWindow *active = clientArea->activeSubWindow();
    if (!active || tc->count() == 0)
        return;
    fokusTab(active->widget() ? active->widget()->windowTitle() : active->windowTitle());
}

void Tmainform::fokusTab(const QString &aName)
{
    for (int i = 0; i < tc->count(); ++i) {
        if (tc->tabText(i) == aName) {
            const QSignalBlocker blocker(tc);
            tc->setCurrentIndex(i);
            return;
        }
    }
}

void Tmainform::CloseTab(const QString &aCapNavn)
{
    for (int i = 0; i < tc->count(); ++i) {
        if (tc->tabText(i) == aCapNavn) {
            tc->removeTab(i);
            break;
        }
    }
    if (tc->count() == 0) {
        NewCount = 0;
        // No explorer window is left to share the clipboard: it goes with the last one.
        if (sharedKlipbord && explorerWindows().size() <= 1) {
            Klipbord *last = std::exchange(sharedKlipbord, nullptr);
            destroyClipboardWindow(last);
            last->deleteLater();
        }
    }
}

void Tmainform::tcChange(int index)
{
    if (index < 0)
        return;
    const QString caption = tc->tabText(index);
    for (QMdiSubWindow *child : childWindows()) {
        const QString title = child->widget() ? child->widget()->windowTitle() : child->windowTitle();
        if (title == caption) {
            child->show();
            clientArea->setActiveSubWindow(child);
            return;
        }
    }
}

void Tmainform::setKlipbord(Twinform *aWinform)
{
    // The rule for a shared clipboard: the registry keeps it, not "Stifinder 1". Every explorer
    // window, number 1 included, uses the same one while sharing is on, so closing any window,
    // "Stifinder 1" too, leaves the others a working clipboard with every row; it is emptied
    // only when the last explorer window closes.
    try {
        if (!sammeKlipbord)
            return;
        if (!sharedKlipbord) {
            sharedKlipbord = new Klipbord(this);
            sharedKlipbord->winformCaption = "Stifinder 1";
            createClipboardWindow(sharedKlipbord, true, 1);
        }
        aWinform->metodeX->setKlipbord(sharedKlipbord);
    } catch (const std::exception &) {
        messages::inform("Der opstod en fejl.\r");
    }
}

void Tmainform::kopierKlipbordsdata(const QString &aCaption, const KlipbordListe &Mliste,
                                    const KlipbordListe &Fliste)
{
    try {
        for (Twinform *window : explorerWindows()) {
            if (window->StifinderNavn.compare(aCaption, Qt::CaseInsensitive) == 0)
                continue;
            for (int i = 0; i < Mliste.count(); ++i) {
                const QString path = Mliste.row(i).path.trimmed();
                if (Mliste.row(i).checked && core::directoryExists(path))
                    window->metodeX->CopyListAdd(1, Mliste.row(i).picture, path, true);
            }
            for (int i = 0; i < Fliste.count(); ++i) {
                const QString path = Fliste.row(i).path.trimmed();
                if (Fliste.row(i).checked && core::fileExists(path))
                    window->metodeX->CopyListAdd(2, Fliste.row(i).picture, path, true);
            }
            window->actions->updateAll();
            QCoreApplication::processEvents();
            if (window->visIndstillingerCheck->isChecked())
                window->winBog->setCurrentIndex(5);
            window->KDTcheck->setChecked(false);
        }
    } catch (const std::exception &) {
        messages::inform("Der opstod desværre en ukendt fejl.\r");
    }
}

void Tmainform::udskivKlipbordInf(const QString &antMapper, const QString &antFiler)
{
    for (Twinform *window : explorerWindows()) {
        if (!antMapper.isEmpty())
            window->EditMappe->setText(antMapper);
        if (!antFiler.isEmpty())
            window->EditFil->setText(antFiler);
    }
}

void Tmainform::makeInfo(const QString &overskrift, const QString &tekst)
{
    ++ncNumber;
    // The desktop's notification service where one answers; the status line otherwise.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    if (bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service)) {
        QDBusInterface notifications(service, "/org/freedesktop/Notifications", service, bus);
        QVariantMap hints;
        hints.insert("sound-file", core::hostPath(programmappe + "\\Lydfiler\\Musik06.wav"));
        hints.insert("desktop-entry", "zunkolvra");
        const QDBusMessage reply = notifications.call(
            "Notify", "zun Kolvra " + QString::number(ncNumber), uint(0), "system-file-manager", overskrift,
            QString(tekst).replace(u'\r', u'\n'), QStringList(), hints, -1);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return;
    }
    UdskrivInfo(overskrift + ": " + QString(tekst).replace(u'\r', u' '));
}

void Tmainform::runFilname(const QString &aFilename, int fileRunNumber)
{
    if (!core::fileExists(aFilename))
        return;
    const QString folder = core::folderOf(aFilename);
    const QString name = core::nameOf(aFilename);
    int result;
    if (extensionOf(name).compare(".bat", Qt::CaseInsensitive) == 0 && fileRunNumber == 0)
        result = core::shellExecute("open", "cmd", "/K " + name, folder, platform::SW_SHOWNORMAL);
    else
        result = core::shellExecute(fileRunNumber != 0 ? "edit" : "open", name, QString(), folder,
                                    platform::SW_SHOWNORMAL);
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::klipbordStiKnapClick()
{
    const QString text = EditSti->text();
    QGuiApplication::clipboard()->setText(core::fileExists(text) ? core::folderOf(text) : text);
    UdskrivInfo("Stien blev kopieret til klipbordet");
}

void Tmainform::klipbordStiFilKnapClick()
{
    const QString text = EditSti->text();
    if (core::fileExists(text)) {
        QGuiApplication::clipboard()->setText(text);
        UdskrivInfo("Filnavnet blev kopieret til klipbordet");
    } else {
        UdskrivInfo("Der er ikke valgt et filnavn");
    }
}

void Tmainform::aOpenStifinderExecute()
{
    QString folder = EditSti->text();
    if (core::fileExists(folder))
        folder = core::folderOf(folder);
    if (core::directoryExists(folder))
        core::shellExecute("open", folder, QString(), QString(), platform::SW_SHOWNORMAL);
    else
        UdskrivInfo("Mappen blev ikke fundet.");
}

bool Tmainform::beskedChecked() const
{
    return beskedCheck->isChecked();
}

bool Tmainform::blokerChecked() const
{
    return blokerCheck->isChecked();
}

void Tmainform::setBlokerChecked(bool checked)
{
    blokerCheck->setChecked(checked);
    blokerCheckClick();
}

bool Tmainform::vhaFunkChecked() const
{
    return vhaFunkCheck->isChecked();
}

bool Tmainform::sikkerhedsChecked() const
{
    return sikkerhedsCheck->isChecked();
}

bool Tmainform::strukturLinjer() const
{
    return CheckStrukturLinjer->isChecked();
}

int Tmainform::bogfanerIndex() const
{
    return bogfanerBox->itemIndex();
}

int Tmainform::treeFontSize() const
{
    return 8 + std::clamp(Fontbox->currentIndex(), 0, 2);
}

QString Tmainform::treeFontName() const
{
    return FontnavnBox->currentText();
}

int Tmainform::fremFormIndex() const
{
    return FremFormCheck->itemIndex();
}

void Tmainform::setEditSti(const QString &path)
{
    EditSti->setText(path);
}

QString Tmainform::editSti() const
{
    return EditSti->text();
}

void Tmainform::updateCloseElement()
{
    actions->updateAll();
}

void Tmainform::showExplorer(Twinform *window)
{
    if (auto *child = qobject_cast<QMdiSubWindow *>(window->parentWidget())) {
        child->show();
        clientArea->setActiveSubWindow(child);
    }
}

void Tmainform::showClipboardCounts(const QString &caption, const QString &antMapper, const QString &antFiler)
{
    if (Twinform *window = getWinformQuietly(caption)) {
        if (!antMapper.isEmpty())
            window->EditMappe->setText(antMapper);
        if (!antFiler.isEmpty())
            window->EditFil->setText(antFiler);
    }
}

void Tmainform::showClipboardSize(const QString &caption, const QString &text)
{
    if (Twinform *window = getWinformQuietly(caption))
        window->sizeLabel->setText(text);
}

QMdiSubWindow *Tmainform::clipboardFrame(Klipbord *klipbord) const
{
    for (QMdiSubWindow *child : clientArea->subWindowList()) {
        auto *window = qobject_cast<Tlisteform *>(child->widget());
        if (window && window->klipbord() == klipbord)
            return child;
    }
    return nullptr;
}

void Tmainform::createClipboardWindow(Klipbord *klipbord, bool shared, int number)
{
    if (clipboardFrame(klipbord))
        return;
    auto *window = new Tlisteform(klipbord, shared, number, OptMappe);
    QMdiSubWindow *child = clientArea->addSubWindow(window, Qt::FramelessWindowHint);
    child->setWindowTitle(window->windowTitle());
    child->hide();
}

void Tmainform::showClipboardWindow(Klipbord *klipbord)
{
    if (QMdiSubWindow *child = clipboardFrame(klipbord)) {
        child->showMaximized();
        clientArea->setActiveSubWindow(child);
    }
}

void Tmainform::destroyClipboardWindow(Klipbord *klipbord)
{
    if (QMdiSubWindow *child = clipboardFrame(klipbord)) {
        CloseTab(child->widget()->windowTitle());
        clientArea->removeSubWindow(child);
        delete child;
    }
}

void Tmainform::showMainPage(int hovedbogPage, int programbogPage, const QString &caption)
{
    showMainPanel();
    Hovedbog->setCurrentIndex(hovedbogPage);
    if (hovedbogPage == 4)
        Programbog->setCurrentIndex(programbogPage);
    HovedbogChange();
    if (!caption.isEmpty())
        informationsKnappenL->setText(caption);
}

// ---------------------------------------------------------------------------------------------
// Programs list and launching

void Tmainform::loadProgramBox()
{
    programBox->clear();
    for (int i = 0; i < MenuExe->filantal(); ++i) {
        auto *row = new QListWidgetItem(QIcon(ImageListExe32->image(MenuExe->iconStartNr() + i)),
                                        MenuExe->GetCaption(i), programBox);
        row->setToolTip(MenuExe->GetFilnavn(i));
    }
}

void Tmainform::InfoProg(const QString &s)
{
    QFont font = infobarPanels[0]->font();
    font.setPointSize(9);
    infobarPanels[0]->setFixedWidth(QFontMetrics(font).horizontalAdvance(s) + 8 + 12);
    infobarPanels[0]->setText(s);
    programLabel->setText(s.isEmpty() ? QStringLiteral("Valgte program") : s);
}

void Tmainform::MenuExeKlik(QAction *Sender, const QString &MenuCaption, bool Found)
{
    if (!Found)
        messages::inform(MenuCaption + " blev ikke fundet.\rDet vil blive slettet fra listen.");
    else if (!Sender)
        loadProgramBox();
}

QString Tmainform::currentArguments() const
{
    return EditSti->text().isEmpty() ? QString() : "\"" + EditSti->text() + "\"";
}

void Tmainform::MenuExeParam(QObject *, QString &aParamStr)
{
    aParamStr = currentArguments();
    exeProgram = MenuExe->aktuelleProgram();
    InfoProg(MenuExe->getAktuelleCaption());
    OpenFilMedProgram(exeProgram, aParamStr);
}

void Tmainform::OpenTheEle()
{
    OpenFilMedProgram(exeProgram, currentArguments());
}

void Tmainform::OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn)
{
    const int result = core::shellExecute("open", aProgram, aFilnavn, QString(), platform::SW_SHOW);
    if (result <= 32)
        ErrorInfo(result);
}

QString Tmainform::errorText(int Nr)
{
    switch (Nr) {
    case 0:
        return "Operationssystemet er løbet tør for hukommelse eller resourcer.";
    case 2:
        return "Den specificerede fil blev ikke fundet.";
    case 3:
        return "Stien blev ikke fundet.";
    case 5:
        return "Operationssystemet forbød adgang til filen.";
    case 8:
        return "Der var ikke hukommelse nok til at fuldføre operationen.";
    case 11:
        return "Invalid exe fil (non-Microsoft Win32 .exe eller fejl i .exe image).";
    case 26:
        return "Der opstod en \"sharing violation\".";
    case 27:
        return "Filnavnsassociatonen er ukomplet eller invalid";
    case 28:
        return "\"DDE transaction\" kunne ikke udføres fordi \"the request timed out\".";
    case 29:
        return "\"DDE transaction\" mislykkedes.";
    case 30:
        return "Den \"Dynamic Data Exchange (DDE) transaction\" kunne ikke fuldføres\rfordi andre \"DDE "
               "transactions\" skulle udføres.";
    case 31:
        return "Der er ikke associeret noget program til givne filefternavn.\rDer er muligvist valgt: For "
               "redigering.\rDer skal muligvist vælges: For kørsel.";
    case 32:
        return "Det specificerede \"dynamic-link library (DLL)\" blev ikke fundet.";
    default:
        return "Meningsløs operation eller ukendt fejl.";
    }
}

void Tmainform::ErrorInfo(int Nr)
{
    messages::inform(errorText(Nr) + "\r");
}

void Tmainform::programBoxClick()
{
    const int row = programBox->currentRow();
    if (row < 0)
        return;
    MenuExe->setAktuelleProgram(MenuExe->GetFilnavn(row));
    exeProgram = MenuExe->GetFilnavn(row);
    InfoProg(MenuExe->getAktuelleCaption());
}

void Tmainform::programBoxDblClick()
{
    const int row = programBox->currentRow();
    if (row < 0)
        return;
    exeProgram = MenuExe->GetFilnavn(row);
    OpenTheEle();
}

void Tmainform::dosListeKlik(const QString &, const QString &)
{
    // The DOS page shows the command's description here once it is built.
}

void Tmainform::dosListeDblKlik(const QString &, const QString &) {}

// ---------------------------------------------------------------------------------------------
// Page captions and status line

namespace {
const char *const kFunkBogCaptions[] = {"Programmer med funktioner", "Programmer: Egenskaber",
                                        "Dos kommandoer"};
} // namespace

void Tmainform::HovedbogChange()
{
    static const char *const captions[] = {nullptr, "Udvalgte programmer", "Søg på nettet",   "Notater",
                                           nullptr, "Velkommen",           "Program genveje", "Indhold"};
    static const char *const optionCaptions[] = {"Program Egenskaber", "Klipbord", "Strukturer", "Sikkerhed",
                                                 ""};
    const int page = Hovedbog->currentIndex();
    if (page == 0)
        funkBogChange();
    else if (page == 4 && Programbog->currentIndex() >= 0)
        informationsKnappenL->setText(optionCaptions[Programbog->currentIndex()]);
    else if (page > 0 && page < 8)
        informationsKnappenL->setText(captions[page]);
    informationsKnappen->setIcon(QIcon::fromTheme(page == 7 ? "view-list-tree" : "dialog-information"));
}

void Tmainform::funkBogChange()
{
    const int page = funkBog->currentIndex();
    if (page >= 0 && page < 3)
        informationsKnappenL->setText(kFunkBogCaptions[page]);
}

void Tmainform::ProgrambogChange()
{
    static const char *const captions[] = {"Egenskaber", "Klipbord", "Strukturer", "Sikkerhed", ""};
    const int page = Programbog->currentIndex();
    if (page >= 0 && page < 5)
        informationsKnappenL->setText(captions[page]);
}

void Tmainform::UdskrivInfo(const QString &s)
{
    infobarPanels[2]->setText(s);
}

void Tmainform::HintInfo(const QString &hint)
{
    infobarPanels[2]->setText(hint);
}

// ---------------------------------------------------------------------------------------------
// Commands and layout

void Tmainform::buildActions()
{
    actions = new ActionList(this);
    auto never = [] { return false; }; // commands of tool windows not in this build
    auto activeIs = [this](const char *className) {
        QMdiSubWindow *active = clientArea->activeSubWindow();
        return active && active->widget() && active->widget()->inherits(className);
    };
    actions->add("aStifinder", "Stifinder", QKeySequence("Ctrl+1"), "Åben en ny stifinder: Ctrl+1",
                 [this] { makeNewStifinder(); });
    actions->add(
        "aVisStifinder", "Stifinder", QKeySequence("Ctrl+S"),
        "Vis eller åben en Stifinder, hvis der ikke er en inde: Ctrl+S", [this] { openStifinder(); },
        [activeIs] { return !activeIs("Twinform"); });
    actions->add(
        "aVisKlipbordet", "Klipbord", QKeySequence("Ctrl+0"), "Åben eller vis klipbord: Ctrl+0",
        [this] {
            for (QMdiSubWindow *child : childWindows()) {
                if (child->widget() && child->widget()->inherits("Tlisteform")) {
                    child->showMaximized();
                    clientArea->setActiveSubWindow(child);
                    return;
                }
            }
        },
        [activeIs] { return !activeIs("Tlisteform"); });
    actions->add("opretGenveje", "Genveje", QKeySequence("Ctrl+2"),
                 "Opret genveje til mapper og programmer: Ctrl+2", {}, never);
    actions->add("progInsert", "Indfør", QKeySequence("Ctrl+3"),
                 "Indfør, rediger eller fjern program: Ctrl+3", {}, never);
    actions->add("OpretSmappe", "Opret", QKeySequence("Ctrl+4"),
                 "Åben boksen til oprettelse af strukturmapper: Ctrl+4", {}, never);
    actions->add("findTekst", "Søg", QKeySequence("Ctrl+5"), "Søg i tekstdokumenter i mapper: Ctrl+5", {},
                 never);
    actions->add("aBilledGal", "Billeder", QKeySequence("Ctrl+6"),
                 "Åben Galleri til bmp, jpg samt ico billedfiler: Ctrl+6", {}, never);
    actions->add("visKalender", "Kalender", QKeySequence("Ctrl+7"), "Vis kalender: Ctrl+7", {}, never);
    actions->add("aWmi", "WMI", QKeySequence("Ctrl+8"), "WMI: Ctrl+8", {}, never);
    actions->add("winApp", "Applets", QKeySequence("Ctrl+9"), "Åben Window Applets: Ctrl+9", {}, never);
    actions->add("aInfo", "Information", QKeySequence("F1"), "Information angående aktive element: F1", {},
                 never);
    actions->add("aInfo2", "Information", {}, "Information angående aktive element: F1", {}, never);
    actions->add("aInsertMappe", "Tilføj", QKeySequence("Ctrl+T"),
                 "Indfør aktuelle mappe i ny hjemmelavet struktur: Ctrl+T", {}, never);
    actions->add("aInsertGenvej", "Opret", {}, "Opret genvej til aktuelle element", {}, never);
    actions->add("aFindDoc", "Søg", {}, "Søg efter tekst i tekstdokumenter", {}, never);
    actions->add(
        "OpenElement", "Åben", QKeySequence("F10"), "Åben nyt element: F10",
        [this] {
            showMainPanel();
            Hovedbog->setCurrentIndex(0);
            funkBog->setCurrentIndex(0);
            HovedbogChange();
        },
        [this] { return mainPanel->isHidden(); });
    actions->add("programmerAction", "Programmer", {}, "Programmer", [this] {
        auto *button = findChild<QToolButton *>("progMenu");
        PuProgrammer->popup(button ? button->mapToGlobal(QPoint(4, button->height())) : QCursor::pos());
    });
    actions->add(
        "CloseElement", "Luk", {}, "Luk sidst åbnede Stifinder og dets Klipbord",
        [this] { CloseElementExecute(); },
        [this, activeIs] {
            return !clientArea->subWindowList().isEmpty() && processCount == 0 && activeIs("Twinform");
        });
    actions->add(
        "CloseAlleElementer", "Luk alle", {}, "Luk alle elementer undtagen Stifinder",
        [this] { CloseAlleElementerExecute(); },
        [this, activeIs] {
            return !clientArea->subWindowList().isEmpty() && !activeIs("Twinform") && !activeIs("Tlisteform");
        });
    actions->add("aOpenStifinder", "Åben i Windows Stifinder", QKeySequence("Ctrl+Alt+S"),
                 "Åben aktuelle mappe i Window Stifinder: Ctrl+Alt+S", [this] { aOpenStifinderExecute(); });
    actions->add(
        "aSammeKlipbord", "Anvend samme klipbord", {},
        "Hvis valgt bruger alle stifindere samme klipbord og ellers hvert sit",
        [this] { sammeKlipbord = KlipbordsCheck->isChecked(); }, [this] { return openChildWindows() == 0; });
    actions->add("aPanelV", "Vis/Skjul", QKeySequence("F8"), "Luk eller åben venstre panel: F8",
                 [this] { aPanelVExecute(); });
    actions->add(
        "standardSize", "Standard", {}, "Sæt standard størrelse", [this] { standardSizeExecute(); },
        [this] { return !isStandardSize(); });
    actions->add("aLukProgram", "Luk programmet", QKeySequence("Ctrl+Q"), "Lukker programmet",
                 [this] { close(); });
}

QCheckBox *Tmainform::makeCheck(const QString &objectName, const QString &caption, const QString &hint,
                                QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    if (!hint.isEmpty()) {
        box->setStatusTip(hint);
        box->setToolTip(hint);
    }
    return box;
}

RadioGroup *Tmainform::makeOpenGroup(const QString &objectName, const QString &title, QWidget *parent)
{
    auto *group = new RadioGroup(title, kOpenModes, parent, Qt::Horizontal);
    group->setObjectName(objectName);
    group->setItemIndex(0);
    return group;
}

QWidget *Tmainform::buildFunctionsPage()
{
    funkBog = new QTabWidget;
    funkBog->setObjectName("funkBog");

    // "Programmer": the grid of easy functions and the function list.
    auto *programmer = new QWidget;
    auto *programmerLayout = new QVBoxLayout(programmer);
    auto *grid = new QGroupBox("Nem-funktioner", programmer);
    auto *gridLayout = new QGridLayout(grid);
    gridLayout->setSpacing(4);
    static const std::pair<const char *, const char *> cells[] = {
        {"aStifinder", "system-file-manager"},
        {"aVisKlipbordet", "edit-paste"},
        {"aVisStifinder", "folder-open"},
        {"findTekst", "edit-find"},
        {"OpretSmappe", "folder-new"},
        {"aBilledGal", "image-x-generic"},
        {"progInsert", "run-build"},
        {"opretGenveje", "insert-link"},
        {"aInfo", "help-contents"},
        {"aInsertMappe", "list-add"},
        {"aInsertGenvej", "bookmark-new"},
        {"aFindDoc", "document-preview"},
        {"winApp", "preferences-system"},
        {"aWmi", "computer"},
        {"visKalender", "view-calendar"},
    };
    for (int i = 0; i < 15; ++i) {
        auto *button =
            actionButton(actions->action(cells[i].first), cells[i].second, grid, Qt::ToolButtonTextUnderIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        gridLayout->addWidget(button, i / 3, i % 3);
    }
    programmerLayout->addWidget(grid);
    progInfoListe = new QTreeWidget(programmer);
    progInfoListe->setObjectName("progInfoListe");
    progInfoListe->setHeaderLabels({"Information"});
    progInfoListe->setRootIsDecorated(false);
    programmerLayout->addWidget(progInfoListe, 1);
    funkBog->addTab(programmer, "Programmer");

    // "Egenskaber": where each tool window opens.
    auto *egenskaber = new QWidget;
    auto *egenskaberLayout = new QVBoxLayout(egenskaber);
    egenskaberLayout->addWidget(
        noteLabel("Programmer kan åbnes internt i eller externt altså uden for programmet.", egenskaber));
    openInfo = makeOpenGroup("openInfo", "Information", egenskaber);
    openGenveje = makeOpenGroup("openGenveje", "Genveje", egenskaber);
    openProgrammer = makeOpenGroup("openProgrammer", "Indfør programmer", egenskaber);
    openStrukturer = makeOpenGroup("openStrukturer", "Mappestrukturer", egenskaber);
    openTekstfiler = makeOpenGroup("openTekstfiler", "Søg i tekstfiler", egenskaber);
    openBilleder = makeOpenGroup("openBilleder", "Billeder", egenskaber);
    openKalender = makeOpenGroup("openKalender", "Kalender", egenskaber);
    openWmi = makeOpenGroup("openWmi", "WMI", egenskaber);
    for (RadioGroup *group : {openInfo, openGenveje, openProgrammer, openStrukturer, openTekstfiler,
                              openBilleder, openKalender, openWmi})
        egenskaberLayout->addWidget(group);
    egenskaberLayout->addStretch();
    funkBog->addTab(egenskaber, "Egenskaber");

    auto *dos = new QWidget;
    dos->setObjectName("dosSide");
    auto *dosLayout = new QVBoxLayout(dos);
    dosLayout->addWidget(new QLabel("Dos kommandoer", dos));
    dosBoxen = new QListWidget(dos);
    dosBoxen->setObjectName("dosBoxen");
    dosLayout->addWidget(dosBoxen, 1);
    funkBog->addTab(dos, "Dos");

    connect(funkBog, &QTabWidget::currentChanged, this, [this] { funkBogChange(); });
    return funkBog;
}

QWidget *Tmainform::buildOptionsBook()
{
    Programbog = new QTabWidget;
    Programbog->setObjectName("Programbog");

    // 0: general
    auto *general = new QWidget;
    auto *generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(new QLabel("Vælg programdesign", general));
    designBox = new QComboBox(general);
    designBox->setObjectName("designBox");
    generalLayout->addWidget(designBox);
    bogfanerBox = new RadioGroup("Fremstillings muligheder", {"Fladknapper", "Knapper", "Tabs"}, general);
    bogfanerBox->setObjectName("bogfanerBox");
    bogfanerBox->setItemIndex(2);
    generalLayout->addWidget(bogfanerBox);
    auto *size = new QGroupBox("Vinduets størrelse", general);
    auto *sizeLayout = new QGridLayout(size);
    breddeLabel = new QLabel(size);
    breddeLabel->setObjectName("breddeLabel");
    hojdeLabel = new QLabel(size);
    hojdeLabel->setObjectName("hojdeLabel");
    auto *standardButton = new QPushButton(size);
    standardButton->setObjectName("standardSizeButton");
    auto *standardAction = actions->action("standardSize");
    standardButton->setText(standardAction->text());
    standardButton->setStatusTip(standardAction->statusTip());
    connect(standardButton, &QPushButton::clicked, standardAction, &QAction::trigger);
    connect(standardAction, &QAction::changed, standardButton,
            [standardButton, standardAction] { standardButton->setEnabled(standardAction->isEnabled()); });
    standardButton->setEnabled(standardAction->isEnabled());
    sizeLayout->addWidget(breddeLabel, 0, 0);
    sizeLayout->addWidget(hojdeLabel, 1, 0);
    sizeLayout->addWidget(standardButton, 0, 1, 2, 1);
    generalLayout->addWidget(size);
    trayCheck =
        makeCheck("trayCheck", "Minimer til system bakken", "Fungerer ved næste programopstart", general);
    minimerCheck =
        makeCheck("minimerCheck", "Minimer ved opstart", "Fungerer ved næste programopstart", general);
    generalLayout->addWidget(trayCheck);
    generalLayout->addWidget(minimerCheck);
    generalLayout->addStretch();
    Programbog->addTab(general, "Design");

    // 1: clipboard
    auto *klipbord = new QWidget;
    auto *klipbordLayout = new QVBoxLayout(klipbord);
    KlipbordsCheck = makeCheck("KlipbordsCheck", "Anvend samme klipbord",
                               actions->action("aSammeKlipbord")->statusTip(), klipbord);
    auto *sameAction = actions->action("aSammeKlipbord");
    connect(KlipbordsCheck, &QCheckBox::clicked, sameAction, &QAction::trigger);
    connect(sameAction, &QAction::changed, KlipbordsCheck,
            [this, sameAction] { KlipbordsCheck->setEnabled(sameAction->isEnabled()); });
    klipbordLayout->addWidget(KlipbordsCheck);
    klipbordLayout->addWidget(noteLabel(
        "Denne egenskab kan kun ændres, hvis alle stifindere og andre elementer er lukkede.", klipbord));
    klipbordLayout->addStretch();
    Programbog->addTab(klipbord, "Klipbord");

    // 2: structures
    auto *strukturer = new QWidget;
    auto *strukturLayout = new QVBoxLayout(strukturer);
    auto *fonts = new QFormLayout;
    Fontbox = new QComboBox(strukturer);
    Fontbox->setObjectName("Fontbox");
    Fontbox->addItems(kFontSizeItems);
    Fontbox->setCurrentIndex(1);
    FontnavnBox = new QComboBox(strukturer);
    FontnavnBox->setObjectName("FontnavnBox");
    FontnavnBox->addItems(kFontNameItems);
    FontnavnBox->setCurrentIndex(5);
    fonts->addRow("Skriftstørrelse", Fontbox);
    fonts->addRow("Skrifttype", FontnavnBox);
    strukturLayout->addLayout(fonts);
    CheckStrukturLinjer = makeCheck("CheckStrukturLinjer", "Mappestruktur med linjer", {}, strukturer);
    strukturLayout->addWidget(CheckStrukturLinjer);
    FremFormCheck = new RadioGroup("Vis strukturer som", {"Niveaustruktur", "Punktstruktur"}, strukturer);
    FremFormCheck->setObjectName("FremFormCheck");
    FremFormCheck->setItemIndex(0);
    strukturLayout->addWidget(FremFormCheck);
    auto *maxBox = new QGroupBox("Maximum antal", strukturer);
    auto *maxLayout = new QHBoxLayout(maxBox);
    maxFindEdit = new QLineEdit(maxBox);
    maxFindEdit->setObjectName("maxFindEdit");
    maxFindEdit->setReadOnly(true);
    maxFindEdit->setMaxLength(3);
    maxFindEdit->setFixedWidth(56);
    maxFindEdit->setAlignment(Qt::AlignRight);
    maxOpKnap = new QToolButton(maxBox);
    maxOpKnap->setObjectName("maxOpKnap");
    maxOpKnap->setArrowType(Qt::UpArrow);
    maxNedKnap = new QToolButton(maxBox);
    maxNedKnap->setObjectName("maxNedKnap");
    maxNedKnap->setArrowType(Qt::DownArrow);
    maxLayout->addWidget(maxFindEdit);
    maxLayout->addWidget(maxOpKnap);
    maxLayout->addWidget(maxNedKnap);
    maxLayout->addWidget(noteLabel("elementer i søgelisterne", maxBox), 1);
    strukturLayout->addWidget(maxBox);
    strukturLayout->addStretch();
    Programbog->addTab(strukturer, "Strukturer");

    // 3: safety
    auto *sikkerhed = new QWidget;
    auto *sikkerhedLayout = new QVBoxLayout(sikkerhed);
    sikkerhedsCheck = makeCheck("sikkerhedsCheck", "Informer", {}, sikkerhed);
    sikkerhedsCheck->setChecked(true);
    blokerCheck = makeCheck("blokerCheck", "Bloker funktioner", {}, sikkerhed);
    beskedCheck = makeCheck("beskedCheck", "Informer via besked-centeret", {}, sikkerhed);
    vhaFunkCheck = makeCheck("vhaFunkCheck", "Vis hints", {}, sikkerhed);
    sikkerhedLayout->addWidget(sikkerhedsCheck);
    sikkerhedLayout->addWidget(
        noteLabel("Spørg før en funktion, der kan overlappe en kørende funktion.", sikkerhed));
    sikkerhedLayout->addWidget(blokerCheck);
    sikkerhedLayout->addWidget(
        noteLabel("Andre funktioner spærres, mens der kopieres eller slettes.", sikkerhed));
    sikkerhedLayout->addWidget(beskedCheck);
    sikkerhedLayout->addWidget(vhaFunkCheck);
    sikkerhedLayout->addWidget(
        noteLabel("Hints vises som små tekstbokse, mens en funktion kører.", sikkerhed));
    sikkerhedLayout->addStretch();
    Programbog->addTab(sikkerhed, "Sikkerhed");

    // 4: visible pages
    auto *sider = new QWidget;
    auto *siderLayout = new QVBoxLayout(sider);
    siderLayout->addWidget(noteLabel("Vælg hvilke sider der vises i venstre panel.", sider));
    tabVisCheck1 = makeCheck("tabVisCheck1", "Søg på nettet", {}, sider);
    tabVisCheck2 = makeCheck("tabVisCheck2", "Notater", {}, sider);
    tabVisCheck3 = makeCheck("tabVisCheck3", "Program genveje", {}, sider);
    tabVisCheck4 = makeCheck("tabVisCheck4", "Indhold", {}, sider);
    tabVisCheck1->setChecked(true);
    tabVisCheck2->setChecked(true);
    for (QCheckBox *box : {tabVisCheck1, tabVisCheck2, tabVisCheck3, tabVisCheck4}) {
        siderLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this] { bestemTabs(); });
    }
    siderLayout->addStretch();
    Programbog->addTab(sider, "Sider");

    connect(designBox, &QComboBox::activated, this, [this] { designBoxChange(); });
    connect(Fontbox, &QComboBox::activated, this, [this] { FontboxClick(); });
    connect(FontnavnBox, &QComboBox::activated, this, [this] { FontnavnBoxClick(); });
    connect(CheckStrukturLinjer, &QCheckBox::clicked, this, [this] { CheckStrukturLinjerClick(); });
    connect(bogfanerBox, &RadioGroup::itemClicked, this, [this] { bogfanerBoxClick(); });
    connect(FremFormCheck, &RadioGroup::itemClicked, this, [this] { FremFormCheckClick(); });
    connect(blokerCheck, &QCheckBox::clicked, this, [this] { blokerCheckClick(); });
    connect(vhaFunkCheck, &QCheckBox::clicked, this, [this] { blokerCheckClick(); });
    connect(maxOpKnap, &QToolButton::clicked, this, [this] { maxOpKnapClick(); });
    connect(maxNedKnap, &QToolButton::clicked, this, [this] { maxNedKnapClick(); });
    connect(Programbog, &QTabWidget::currentChanged, this, [this] { ProgrambogChange(); });
    Programbog->tabBar()->setUsesScrollButtons(true);
    return Programbog;
}

QWidget *Tmainform::buildCurrentElementBar()
{
    PanelSti = new QFrame;
    PanelSti->setObjectName("PanelSti");
    auto *layout = new QHBoxLayout(PanelSti);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(new QLabel("Aktuelle element", PanelSti));
    auto *klipbordStiKnap = new QToolButton(PanelSti);
    klipbordStiKnap->setObjectName("klipbordStiKnap");
    klipbordStiKnap->setIcon(QIcon::fromTheme("edit-copy"));
    klipbordStiKnap->setStatusTip("Kopier aktuelle sti til klipbordet");
    auto *klipbordStiFilKnap = new QToolButton(PanelSti);
    klipbordStiFilKnap->setObjectName("klipbordStiFilKnap");
    klipbordStiFilKnap->setIcon(QIcon::fromTheme("edit-copy-path", QIcon::fromTheme("document-properties")));
    klipbordStiFilKnap->setStatusTip("Kopier aktuelle sti med filnavn til klipbordet");
    for (QToolButton *button : {klipbordStiKnap, klipbordStiFilKnap}) {
        button->setAutoRaise(true);
        layout->addWidget(button);
    }
    connect(klipbordStiKnap, &QToolButton::clicked, this, [this] { klipbordStiKnapClick(); });
    connect(klipbordStiFilKnap, &QToolButton::clicked, this, [this] { klipbordStiFilKnapClick(); });
    layout->addWidget(actionButton(actions->action("aOpenStifinder"), "system-file-manager", PanelSti));
    layout->addWidget(actionButton(actions->action("aPanelV"), "view-split-left-right", PanelSti));
    EditSti = new QLineEdit(PanelSti);
    EditSti->setObjectName("EditSti");
    EditSti->setReadOnly(true);
    layout->addWidget(EditSti, 1);
    return PanelSti;
}

void Tmainform::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName("infobar");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 3; ++i) {
        infobarPanels[i] = new QLabel(bar);
        infobarPanels[i]->setObjectName(QString("infobarPanel%1").arg(i));
    }
    infobarPanels[0]->setMinimumWidth(240);
    infobarPanels[1]->setFixedWidth(8);
    infobarPanels[1]->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->addWidget(infobarPanels[0]);
    bar->addWidget(infobarPanels[1]);
    bar->addWidget(infobarPanels[2], 1);
    setStatusBar(bar);
}

void Tmainform::buildUi()
{
    auto *central = new QWidget(this);
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);

    // Top row: element buttons, window tabs, close buttons.
    topPanel = new QFrame(central);
    topPanel->setObjectName("topPanel");
    auto *topLayout = new QHBoxLayout(topPanel);
    topLayout->setContentsMargins(4, 3, 4, 0);
    topLayout->addWidget(actionButton(actions->action("OpenElement"), "document-open", topPanel));
    auto *progMenu = actionButton(actions->action("programmerAction"), "applications-other", topPanel);
    progMenu->setObjectName("progMenu");
    topLayout->addWidget(progMenu);
    topLayout->addWidget(actionButton(actions->action("aInfo2"), "help-about", topPanel));
    tc = new QTabBar(topPanel);
    tc->setObjectName("tc");
    tc->setExpanding(false);
    tc->setDrawBase(false);
    topLayout->addWidget(tc, 1);
    topLayout->addWidget(actionButton(actions->action("CloseElement"), "window-close", topPanel));
    topLayout->addWidget(
        actionButton(actions->action("CloseAlleElementer"), "window-close-symbolic", topPanel));
    centralLayout->addWidget(topPanel);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);

    // Left panel.
    mainPanel = new QFrame(central);
    mainPanel->setObjectName("mainPanel");
    mainPanel->setFixedWidth(kPanelWidth);
    auto *panelLayout = new QVBoxLayout(mainPanel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    auto *captionRow = new QHBoxLayout;
    informationsKnappen = new QToolButton(mainPanel);
    informationsKnappen->setObjectName("informationsKnappen");
    informationsKnappen->setAutoRaise(true);
    informationsKnappen->setStatusTip("Information om aktuelle side");
    informationsKnappen->setEnabled(false);
    informationsKnappenL = new QLabel(mainPanel);
    informationsKnappenL->setObjectName("informationsKnappenL");
    genvejsinfoButton = new QToolButton(mainPanel);
    genvejsinfoButton->setObjectName("genvejsinfoButton");
    genvejsinfoButton->setAutoRaise(true);
    genvejsinfoButton->setIcon(QIcon::fromTheme("input-keyboard"));
    genvejsinfoButton->setStatusTip("Information: Genvejstaster");
    genvejsinfoButton->setEnabled(false);
    captionRow->addWidget(informationsKnappen);
    captionRow->addWidget(informationsKnappenL, 1);
    captionRow->addWidget(genvejsinfoButton);
    panelLayout->addLayout(captionRow);

    Hovedbog = new QTabWidget(mainPanel);
    Hovedbog->setObjectName("Hovedbog");
    Hovedbog->setTabPosition(QTabWidget::West);
    Hovedbog->setUsesScrollButtons(true);
    Hovedbog->addTab(buildFunctionsPage(), "Funktioner");

    programmerSide = new QWidget;
    programmerSide->setObjectName("programmerSide");
    auto *programLayout = new QVBoxLayout(programmerSide);
    programLabel = new QLabel("Valgte program", programmerSide);
    programLabel->setObjectName("programLabel");
    programLabel->setStatusTip("Aktive program");
    programBox = new QListWidget(programmerSide);
    programBox->setObjectName("programBox");
    programBox->setStatusTip("Klik på program for at gøre det til aktive program");
    visProgrammer = new RadioGroup("Visningstyper", {"Opstil som liste", "Opstil flydende"}, programmerSide);
    visProgrammer->setObjectName("visProgrammer");
    visProgrammer->setItemIndex(0);
    connect(visProgrammer, &RadioGroup::itemClicked, this, [this] { visProgrammerClick(); });
    connect(programBox, &QListWidget::itemClicked, this, [this] { programBoxClick(); });
    connect(programBox, &QListWidget::itemDoubleClicked, this, [this] { programBoxDblClick(); });
    programLayout->addWidget(programLabel);
    programLayout->addWidget(programBox, 1);
    programLayout->addWidget(visProgrammer);
    Hovedbog->addTab(programmerSide, "Programmer");

    globusSide = new QWidget;
    globusSide->setObjectName("globusSide");
    Hovedbog->addTab(globusSide, "Søg på nettet");
    notatSide = new QWidget;
    notatSide->setObjectName("notatSide");
    Hovedbog->addTab(notatSide, "Notater");
    Hovedbog->addTab(buildOptionsBook(), "Egenskaber");

    infoBogen = new QTabWidget;
    infoBogen->setObjectName("infoBogen");
    Struktur = new StrukturView(PictureSet::FolderTree);
    Struktur->setObjectName("Struktur");
    infoBogen->addTab(Struktur, "Struktur");
    infoBogen->addTab(new QWidget, "Søg");
    Hovedbog->addTab(infoBogen, "Information");

    genvejsSide = new QWidget;
    genvejsSide->setObjectName("genvejsSide");
    auto *genvejsLayout = new QVBoxLayout(genvejsSide);
    genvejsLayout->setContentsMargins(0, 0, 0, 0);
    genvejsBog = new QTabWidget(genvejsSide);
    genvejsBog->setObjectName("genvejsBog");
    for (const char *page : {"Funktioner", "Programmer", "F taster", "Ctrl+"})
        genvejsBog->addTab(new QWidget, page);
    genvejsLayout->addWidget(genvejsBog);
    Hovedbog->addTab(genvejsSide, "Program genveje");
    oversigtSide = new QWidget;
    oversigtSide->setObjectName("oversigtSide");
    Hovedbog->addTab(oversigtSide, "Indhold");
    connect(Hovedbog, &QTabWidget::currentChanged, this, [this] { HovedbogChange(); });
    panelLayout->addWidget(Hovedbog, 1);
    middle->addWidget(mainPanel);

    clientArea = new QMdiArea(central);
    clientArea->setObjectName("clientArea");
    clientArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(clientArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *child) {
        // A clipboard window is made hidden: only a shown window is activated.
        if (!child || child->isHidden())
            return;
        if (auto *window = qobject_cast<Twinform *>(child->widget()))
            window->FormActivate();
        else if (auto *clipboard = qobject_cast<Tlisteform *>(child->widget()))
            clipboard->FormActivate();
    });
    connect(tc, &QTabBar::tabBarClicked, this, [this](int index) { tcChange(index); });
    middle->addWidget(clientArea, 1);
    centralLayout->addLayout(middle, 1);
    centralLayout->addWidget(buildCurrentElementBar());

    setCentralWidget(central);
    buildStatusBar();
    buildProgramsMenu();
}

void Tmainform::buildProgramsMenu()
{
    ImageListExe = new ImageList(16);
    ImageListExe32 = new ImageList(32);
    MenuExe = new TMenuExeFiler(this);
    PuProgrammer = new QMenu(this);
    PuProgrammer->setObjectName("PuProgrammer");
    PuProgrammer->addAction(actions->action("aStifinder"));
    PuProgrammer->addSeparator();
    for (const char *name : {"aInfo", "opretGenveje", "progInsert", "OpretSmappe", "findTekst", "aBilledGal"})
        PuProgrammer->addAction(actions->action(name));
    PuProgrammer->addSeparator();
    for (const char *name : {"visKalender", "aWmi", "winApp"})
        PuProgrammer->addAction(actions->action(name));
    PuProgrammer->addSeparator();
    mProgrammer = PuProgrammer->addMenu(QIcon::fromTheme("applications-other"), "Programmer");
    mProgrammer->setObjectName("mProgrammer");
}
