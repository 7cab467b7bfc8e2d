// Main window: its commands, the left panel with the option pages, the top row and the status bar.

#include "app/mainform.h"

#include "app/clipboardwindows.h"

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
#include "dialogs/widgets.h"
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

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QStringList kOpenModes{"Internt", "Externt"};

} // namespace

// ---------------------------------------------------------------------------------------------
// Commands and layout

void Tmainform::buildActions()
{
    actions = new ActionList(this);
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
            // The active explorer window's own clipboard; else the first one made.
            if (Twinform *explorer = activeExplorer()) {
                if (clipboardWindows->frame(explorer->metodeX->klipbord())) {
                    clipboardWindows->show(explorer->metodeX->klipbord());
                    return;
                }
            }
            const QList<Tlisteform *> made = clipboardWindows->windows();
            if (!made.isEmpty())
                clipboardWindows->show(made.first()->klipbord());
        },
        [activeIs] { return !activeIs("Tlisteform"); });
    actions->add(
        "opretGenveje", "Genveje", QKeySequence("Ctrl+2"), "Opret genveje til mapper og programmer: Ctrl+2",
        [this] { openGenvejform(); }, [this] { return !EditSti->text().isEmpty(); });
    actions->add("progInsert", "Indfør", QKeySequence("Ctrl+3"),
                 "Indfør, rediger eller fjern program: Ctrl+3", [this] { openProgform(); });
    actions->add(
        "progOpen2", "Program", {}, "Åben valgte program eventuelt med valgt/valgte fil/filer",
        [this] { OpenTheEle(); }, [this] { return !exeProgram.isEmpty(); });
    actions->add(
        "ProgInsert2", "Indfør", {}, "Indfør eller rediger programmer",
        [this] { actions->action("progInsert")->trigger(); },
        [this] { return actions->action("progInsert")->isEnabled(); });
    actions->add("OpretSmappe", "Opret", QKeySequence("Ctrl+4"),
                 "Åben boksen til oprettelse af strukturmapper: Ctrl+4", [this] { opretStrukturer(); });
    actions->add("findTekst", "Søg", QKeySequence("Ctrl+5"), "Søg i tekstdokumenter i mapper: Ctrl+5",
                 [this] { openFindform(); });
    actions->add("aBilledGal", "Billeder", QKeySequence("Ctrl+6"),
                 "Åben Galleri til bmp, jpg samt ico billedfiler: Ctrl+6", [this] { openGalForm(); });
    actions->add("visKalender", "Kalender", QKeySequence("Ctrl+7"), "Vis kalender: Ctrl+7",
                 [this] { openKalenderform(); });
    actions->add("aWmi", "WMI", QKeySequence("Ctrl+8"), "WMI: Ctrl+8", [this] { openWmiForm(); });
    actions->add("winApp", "Applets", QKeySequence("Ctrl+9"), "Åben Window Applets: Ctrl+9",
                 [this] { openWaForm(); });
    actions->add("aInfo", "Information", QKeySequence("F1"), "Information angående aktive element: F1",
                 [this] { aInfoExecute(); });
    actions->add("aInfo2", "Information", {}, "Information angående aktive element: F1",
                 [this] { aInfoExecute(); });
    const auto pageShown = [this](int page, int genvejsPage) {
        return !mainPanel->isHidden() && Hovedbog->currentIndex() == page &&
               (genvejsPage < 0 || genvejsBog->currentIndex() == genvejsPage);
    };
    actions->add(
        "aVisInfoStruk", "Vis infoside", {}, "Vis informationsstrukturen", [this] { visSide(5); },
        [pageShown] { return !pageShown(5, -1); });
    const char *const gtCaptions[] = {"Funktioner", "Programmer", "F taster", "Ctrl+Bogstav"};
    const char *const gtHints[] = {"Genvejstaster til funktioner", "Genvejstaster til programmer",
                                   "Liste over F-taster", "Liste over Ctrl+Bogstav genveje"};
    for (int i = 0; i < 4; ++i)
        actions->add(
            "visGT" + QString::number(i + 1), gtCaptions[i], {}, gtHints[i], [this, i] { visSide(6, i); },
            [pageShown, i] { return !pageShown(6, i); });
    actions->add(
        "aSearch", "Søg", {}, "Find tekst i infosiderne", [this] { aSearchExecute(); },
        [this] { return EditFind && !EditFind->text().isEmpty(); });
    actions->add(
        "aInsertMappe", "Tilføj", QKeySequence("Ctrl+T"),
        "Indfør aktuelle mappe i ny hjemmelavet struktur: Ctrl+T", [this] { aInsertMappeExecute(); },
        [activeIs] { return activeIs("Twinform"); });
    actions->add(
        "aInsertGenvej", "Opret", {}, "Opret genvej til aktuelle element", [this] { aInsertGenvejExecute(); },
        [activeIs] { return activeIs("Twinform"); });
    actions->add(
        "aFindDoc", "Søg", {}, "Søg efter tekst i tekstdokumenter", [this] { aFindDocExecute(); },
        [activeIs] { return activeIs("Twinform"); });
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
        "aLukVindue", "Luk vindue", QKeySequence("Ctrl+F4"), "Luk det aktive vindue: Ctrl+F4",
        [this] {
            if (QMdiSubWindow *active = clientArea->activeSubWindow())
                closeChildWindow(active);
        },
        [this] { return clientArea->activeSubWindow() && processCount == 0; });
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
        [this] { m_settings.sharedClipboard = KlipbordsCheck->isChecked(); },
        [this] { return openChildWindows() == 0; });
    actions->add("aPanelV", "Vis/Skjul", QKeySequence("F8"), "Luk eller åben venstre panel: F8",
                 [this] { aPanelVExecute(); });
    actions->add(
        "standardSize", "Standard", {}, "Sæt standard størrelse", [this] { standardSizeExecute(); },
        [this] { return !isStandardSize(); });
    actions->add("aLukProgram", "Luk programmet", QKeySequence("Ctrl+Q"), "Lukker programmet",
                 [this] { close(); });
    buildDosActions();
    buildNoteActions();
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
        auto *button = widgets::actionButton(actions->action(cells[i].first), grid,
                                             {cells[i].second, Qt::ToolButtonTextUnderIcon, QSize(24, 24)});
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
        widgets::note("Programmer kan åbnes internt i eller externt altså uden for programmet.", egenskaber));
    openInfo = widgets::radio("openInfo", "Information", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openGenveje = widgets::radio("openGenveje", "Genveje", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openProgrammer =
        widgets::radio("openProgrammer", "Indfør programmer", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openStrukturer =
        widgets::radio("openStrukturer", "Mappestrukturer", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openTekstfiler =
        widgets::radio("openTekstfiler", "Søg i tekstfiler", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openBilleder = widgets::radio("openBilleder", "Billeder", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openKalender = widgets::radio("openKalender", "Kalender", kOpenModes, 0, egenskaber, Qt::Horizontal);
    openWmi = widgets::radio("openWmi", "WMI", kOpenModes, 0, egenskaber, Qt::Horizontal);
    for (RadioGroup *group : {openInfo, openGenveje, openProgrammer, openStrukturer, openTekstfiler,
                              openBilleder, openKalender, openWmi})
        egenskaberLayout->addWidget(group);
    egenskaberLayout->addStretch();
    funkBog->addTab(egenskaber, "Egenskaber");

    funkBog->addTab(buildDosPage(), "Dos");

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
    trayCheck = widgets::check("trayCheck", "Minimer til system bakken", general, false,
                               "Fungerer ved næste programopstart");
    minimerCheck = widgets::check("minimerCheck", "Minimer ved opstart", general, false,
                                  "Fungerer ved næste programopstart");
    generalLayout->addWidget(trayCheck);
    generalLayout->addWidget(minimerCheck);
    auto *startUp = new QGroupBox("StartUp-program", general);
    auto *startUpLayout = new QHBoxLayout(startUp);
    startProgDoButton = new QPushButton("Udfør", startUp);
    startProgDoButton->setObjectName("startProgDoButton");
    startProgDoButton->setStatusTip("Tilføj eller fjern programmet som StartUp-program");
    connect(startProgDoButton, &QPushButton::clicked, this, [this] { startProgDoButtonClick(); });
    startUpLayout->addWidget(startProgDoButton);
    startUpLayout->addStretch(1);
    generalLayout->addWidget(startUp);
    generalLayout->addStretch();
    Programbog->addTab(general, "Design");

    // 1: clipboard
    auto *klipbord = new QWidget;
    auto *klipbordLayout = new QVBoxLayout(klipbord);
    KlipbordsCheck = widgets::check("KlipbordsCheck", "Anvend samme klipbord", klipbord, false,
                                    actions->action("aSammeKlipbord")->statusTip());
    auto *sameAction = actions->action("aSammeKlipbord");
    connect(KlipbordsCheck, &QCheckBox::clicked, sameAction, &QAction::trigger);
    connect(sameAction, &QAction::changed, KlipbordsCheck,
            [this, sameAction] { KlipbordsCheck->setEnabled(sameAction->isEnabled()); });
    klipbordLayout->addWidget(KlipbordsCheck);
    klipbordLayout->addWidget(widgets::note(
        "Denne egenskab kan kun ændres, hvis alle stifindere og andre elementer er lukkede.", klipbord));
    klipbordLayout->addStretch();
    Programbog->addTab(klipbord, "Klipbord");

    // 2: structures
    auto *strukturer = new QWidget;
    auto *strukturLayout = new QVBoxLayout(strukturer);
    auto *fonts = new QFormLayout;
    Fontbox = new QComboBox(strukturer);
    Fontbox->setObjectName("Fontbox");
    Fontbox->addItems(MainSettings::kFontSizeItems);
    Fontbox->setCurrentIndex(1);
    FontnavnBox = new QComboBox(strukturer);
    FontnavnBox->setObjectName("FontnavnBox");
    FontnavnBox->addItems(MainSettings::kFontNameItems);
    FontnavnBox->setCurrentIndex(5);
    fonts->addRow("Skriftstørrelse", Fontbox);
    fonts->addRow("Skrifttype", FontnavnBox);
    strukturLayout->addLayout(fonts);
    CheckStrukturLinjer = widgets::check("CheckStrukturLinjer", "Mappestruktur med linjer", strukturer);
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
    // Wide enough for the largest count the options allow; a value is never cut.
    maxFindEdit->setFixedWidth(QFontMetrics(maxFindEdit->font()).horizontalAdvance("0000000") + 16);
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
    maxLayout->addWidget(widgets::note("elementer i søgelisterne", maxBox), 1);
    strukturLayout->addWidget(maxBox);
    strukturLayout->addStretch();
    Programbog->addTab(strukturer, "Strukturer");

    // 3: safety
    auto *sikkerhed = new QWidget;
    auto *sikkerhedLayout = new QVBoxLayout(sikkerhed);
    sikkerhedsCheck = widgets::check("sikkerhedsCheck", "Informer", sikkerhed);
    sikkerhedsCheck->setChecked(true);
    blokerCheck = widgets::check("blokerCheck", "Bloker funktioner", sikkerhed);
    beskedCheck = widgets::check("beskedCheck", "Informer via besked-centeret", sikkerhed);
    vhaFunkCheck = widgets::check("vhaFunkCheck", "Vis hints", sikkerhed);
    sikkerhedLayout->addWidget(sikkerhedsCheck);
    sikkerhedLayout->addWidget(
        widgets::note("Spørg før en funktion, der kan overlappe en kørende funktion.", sikkerhed));
    sikkerhedLayout->addWidget(blokerCheck);
    sikkerhedLayout->addWidget(
        widgets::note("Andre funktioner spærres, mens der kopieres eller slettes.", sikkerhed));
    sikkerhedLayout->addWidget(beskedCheck);
    sikkerhedLayout->addWidget(vhaFunkCheck);
    sikkerhedLayout->addWidget(
        widgets::note("Hints vises som små tekstbokse, mens en funktion kører.", sikkerhed));
    sikkerhedLayout->addStretch();
    Programbog->addTab(sikkerhed, "Sikkerhed");

    // 4: visible pages
    auto *sider = new QWidget;
    auto *siderLayout = new QVBoxLayout(sider);
    siderLayout->addWidget(widgets::note("Vælg hvilke sider der vises i venstre panel.", sider));
    tabVisCheck1 = widgets::check("tabVisCheck1", "Søg på nettet", sider);
    tabVisCheck2 = widgets::check("tabVisCheck2", "Notater", sider);
    tabVisCheck3 = widgets::check("tabVisCheck3", "Program genveje", sider);
    tabVisCheck4 = widgets::check("tabVisCheck4", "Indhold", sider);
    tabVisCheck1->setChecked(true);
    tabVisCheck2->setChecked(true);
    for (QCheckBox *box : {tabVisCheck1, tabVisCheck2, tabVisCheck3, tabVisCheck4}) {
        siderLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this] { bestemTabs(); });
    }
    siderLayout->addStretch();
    Programbog->addTab(sider, "Sider");

    connect(designBox, &QComboBox::activated, this, [this] { designBoxChange(); });
    bindSettings();
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
    layout->addWidget(widgets::actionButton(actions->action("aOpenStifinder"), PanelSti,
                                            {"system-file-manager", Qt::ToolButtonIconOnly, QSize(18, 18)}));
    layout->addWidget(
        widgets::actionButton(actions->action("aPanelV"), PanelSti,
                              {"view-split-left-right", Qt::ToolButtonIconOnly, QSize(18, 18)}));
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
    topLayout->addWidget(widgets::actionButton(actions->action("OpenElement"), topPanel,
                                               {"document-open", Qt::ToolButtonIconOnly, QSize(18, 18)}));
    auto *progMenu = widgets::actionButton(actions->action("programmerAction"), topPanel,
                                           {"applications-other", Qt::ToolButtonIconOnly, QSize(18, 18)});
    progMenu->setObjectName("progMenu");
    topLayout->addWidget(progMenu);
    topLayout->addWidget(widgets::actionButton(actions->action("aInfo2"), topPanel,
                                               {"help-about", Qt::ToolButtonIconOnly, QSize(18, 18)}));
    tc = new QTabBar(topPanel);
    tc->setObjectName("tc");
    tc->setExpanding(false);
    tc->setDrawBase(false);
    // Every child window can be closed from its tab.
    tc->setTabsClosable(true);
    topLayout->addWidget(tc, 1);
    topLayout->addWidget(widgets::actionButton(actions->action("CloseElement"), topPanel,
                                               {"window-close", Qt::ToolButtonIconOnly, QSize(18, 18)}));
    topLayout->addWidget(
        widgets::actionButton(actions->action("CloseAlleElementer"), topPanel,
                              {"window-close-symbolic", Qt::ToolButtonIconOnly, QSize(18, 18)}));
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
    auto *programButtons = new QHBoxLayout;
    programButtons->addWidget(
        widgets::actionButton(actions->action("progOpen2"), programmerSide,
                              {"system-run", Qt::ToolButtonTextBesideIcon, QSize(18, 18)}));
    programButtons->addWidget(
        widgets::actionButton(actions->action("ProgInsert2"), programmerSide,
                              {"run-build", Qt::ToolButtonTextBesideIcon, QSize(18, 18)}));
    programButtons->addStretch(1);
    programLayout->addLayout(programButtons);
    programLayout->addWidget(visProgrammer);
    Hovedbog->addTab(programmerSide, "Programmer");

    globusSide = buildGlobusPage();
    Hovedbog->addTab(globusSide, "Søg på nettet");
    notatSide = buildNotatPage();
    Hovedbog->addTab(notatSide, "Notater");
    Hovedbog->addTab(buildOptionsBook(), "Egenskaber");

    infoBogen = new QTabWidget;
    infoBogen->setObjectName("infoBogen");
    Struktur = new TStruktur;
    Struktur->setObjectName("Struktur");
    Struktur->SetDataOn(true);
    Struktur->SetFlytmode(TStruktur::SidstINiveau);
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
        // Child windows have no frame and fill the client area; one that comes forward after
        // another was closed or hidden is maximized again.
        if (!child->isMaximized())
            child->showMaximized();
        if (auto *window = qobject_cast<Twinform *>(child->widget()))
            window->FormActivate();
        else if (auto *clipboard = qobject_cast<Tlisteform *>(child->widget()))
            clipboard->FormActivate();
        else if (auto *tool = qobject_cast<TToolForm *>(child->widget()))
            tool->FormActivate();
    });
    connect(tc, &QTabBar::tabBarClicked, this, [this](int index) { tcChange(index); });
    connect(tc, &QTabBar::tabCloseRequested, this, [this](int index) {
        if (QMdiSubWindow *child = childByCaption(tc->tabText(index)))
            closeChildWindow(child);
    });
    middle->addWidget(clientArea, 1);
    centralLayout->addLayout(middle, 1);
    centralLayout->addWidget(buildCurrentElementBar());

    setCentralWidget(central);
    buildStatusBar();
    buildProgramsMenu();
    buildMappeStrukturMenu();
    buildHelpPages();
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
