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
