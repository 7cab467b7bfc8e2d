// Explorer window: the widgets, pages, tool bar and menus, and the layout switches.

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
#include "dialogs/widgets.h"
#include "explorer/activityindicator.h"
#include "explorer/listeform.h"
#include "explorer/mainhost.h"
#include "fileops/metodecompo.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A click on a check box's wrapped caption ticks the box, as a click on its own text would.
class CaptionClick : public QObject
{
public:
    CaptionClick(QCheckBox *box, QObject *parent)
        : QObject(parent)
        , m_box(box)
    {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        m_box->click();
        return true;
    }

private:
    QCheckBox *m_box;
};

// A check box whose long caption wraps in a narrow page instead of widening it.
QLayout *wrappingCheck(QCheckBox *box)
{
    auto *caption = new QLabel(box->text(), box->parentWidget());
    caption->setWordWrap(true);
    caption->installEventFilter(new CaptionClick(box, caption));
    box->setAccessibleName(box->text());
    box->setText(QString());
    auto *row = new QHBoxLayout;
    row->addWidget(box, 0, Qt::AlignTop);
    row->addWidget(caption, 1);
    return row;
}

// An information button that shows a help page in the information window.
QToolButton *helpButton(const char *name, const char *page, QWidget *parent)
{
    auto *button = widgets::infoButton(name, parent);
    button->setStatusTip("Information");
    QObject::connect(button, &QToolButton::clicked, button,
                     [page] { services::help()->InfoHelp(QString::fromUtf8(page)); });
    return button;
}

// `widget` with a help button at its right.
QHBoxLayout *withHelp(QWidget *widget, QToolButton *button)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(widget, 1);
    row->addWidget(button, 0, Qt::AlignTop);
    return row;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Layout switches

void Twinform::redskabsCheckClick()
{
    auto *body = qobject_cast<QVBoxLayout *>(layout());
    if (!body)
        return;
    body->removeWidget(Redskabslinje);
    const int position = m_settings.toolBarPlacement;
    if (position == 1)
        body->addWidget(Redskabslinje);
    else
        body->insertWidget(2, Redskabslinje);
    Redskabslinje->setVisible(position != 2);
}

void Twinform::fanePlaceringsBoxClick()
{
    static const QTabWidget::TabPosition positions[] = {QTabWidget::West, QTabWidget::North,
                                                        QTabWidget::East};
    const int index = m_settings.tabPlacement;
    winBog->setTabPosition(positions[index >= 0 && index <= 2 ? index : 0]);
}

void Twinform::aTopPanelExecute()
{
    topPanel->setVisible(topPanel->isHidden());
    if (mainHost())
        mainHost()->setVistoppanel(!topPanel->isHidden());
}

void Twinform::applyTreeFont(int pointSize, const QString &fontName)
{
    for (StrukturView *tree : {MappeStruktur, FilStruktur}) {
        QFont font = tree->font();
        font.setPointSize(pointSize);
        if (fontName != QLatin1String("Default"))
            font.setFamily(fontName);
        else
            font.setFamily(QApplication::font().family());
        tree->setFont(font);
    }
}

void Twinform::applyTabLook(int bogfanerIndex)
{
    for (QTabBar *bar : {stibox, favoritBog->tabBar()})
        setTabLook(bar, bogfanerIndex);
}

void Twinform::setTreeLines(bool on)
{
    MappeStruktur->setLinjer(on);
}

void Twinform::fitToolBarToTree()
{
    // Never narrower than its buttons: a button without its picture shows its caption whole.
    funkPanel1->setFixedWidth(
        std::max({MappeStruktur->width(), kMinimumTreeWidth, funkPanel1->layout()->minimumSize().width()}));
}

// ---------------------------------------------------------------------------------------------
// Layout

void Twinform::buildActions()
{
    actions = new ActionList(this, Qt::WidgetWithChildrenShortcut);
    actions->add(
        "Tilbage", "Tilbage", QKeySequence("Alt+Left"), "Gå til foregående eller sidste mappe",
        [this] { tilbageExecute(); },
        [this] { return HistorieListe && HistorieListe->currentRow() >= 0 && HistorieListe->count() > 1; });
    actions->add(
        "Frem", "Frem", QKeySequence("Alt+Right"), "Gå til næste eller første mappe",
        [this] { fremExecute(); },
        [this] { return HistorieListe && HistorieListe->currentRow() >= 0 && HistorieListe->count() > 1; });
    actions->add("Fokus", "Aktiv mappestruktur", QKeySequence("Alt+1"), "Aktiv mappestruktur: Alt+1", [this] {
        // Already the active tree: the key still brings the focus back to it.
        if (activeTree() == StrukturNr::filer) {
            setActiveTree(StrukturNr::mapper);
            mappeKontrol(metodeX->strukturY()->getDirectory(), true);
        }
        MappeStruktur->setFocus();
    });
    actions->add("Fokus2", "Aktiv filstruktur", QKeySequence("Alt+2"), "Aktiv filstruktur: Alt+2", [this] {
        TStrukturCompo *struktur = metodeX->strukturY();
        if (activeTree() == StrukturNr::mapper) {
            setActiveTree(StrukturNr::filer);
            const QString result = core::fileExists(struktur->filnavn())
                                       ? struktur->SelectFil(struktur->filnavn())
                                       : struktur->getFileDirectory(false);
            mappeKontrol(result, true);
        }
        FilStruktur->setFocus();
    });
    actions->add("opdater2", "Opdater", QKeySequence("F6"), "Opdater mappe-fil-strukturen: F6",
                 [this] { opdater2Execute(); });
    actions->add("ActionUpd", "Opdater", QKeySequence("Ctrl+Alt+O"), "Opdater",
                 [this] { actionUpdExecute(); });
    actions->add("aTopPanel", "Toppanel", QKeySequence("F7"), "Vis eller skjul toppanelet: F7",
                 [this] { aTopPanelExecute(); });
    actions->add("opdateActButton", "Opdater funktioner", {}, "Opdater funktioner",
                 [this] { requestRuleEvaluation(); });
    // Saving or loading the tree disables these three until the selection changes again.
    auto treeButtons = [this](bool on) {
        for (const char *name : {"gemStruktur", "hentStruktur", "GHopt"})
            actions->action(name)->setEnabled(on);
    };
    actions->add("gemStruktur", "Gem", QKeySequence("Ctrl+G"), "Gemmer aktuelle mappestruktur: Ctrl+G",
                 [this, treeButtons] {
                     metodeX->strukturY()->GemStrukturen();
                     treeButtons(false);
                 });
    actions->add("hentStruktur", "Hent", QKeySequence("Ctrl+H"), "Hen gemte mappestruktur: Ctrl+H",
                 [this, treeButtons] {
                     metodeX->strukturY()->HentStrukturen(
                         mainHost() ? services::settings()->settings().structureForm : 0);
                     treeButtons(false);
                 });
    actions->add("GHopt", "Bestem fremvisnings metode", {}, "Bestem fremvisnings metode",
                 [] { services::pages()->showMainPage(4, 2); });
    buildNavigationActions();
    buildClipboardActions();
    buildFileCommandActions();
    buildSearchActions();
    buildHistoryActions();
    buildFavouriteActions();
    buildShortcutActions();
    buildMenus();
}

QWidget *Twinform::buildPathBar()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    Tilbage = widgets::actionButton(actions->action("Tilbage"), bar, {"go-previous", {}, {}, "Tilbage"});
    Frem = widgets::actionButton(actions->action("Frem"), bar, {"go-next", {}, {}, "Frem"});
    stibox = new QTabBar(bar);
    stibox->setObjectName("stibox");
    stibox->setExpanding(false);
    stibox->setDrawBase(false);
    stibox->setUsesScrollButtons(true);
    connect(stibox, &QTabBar::tabBarClicked, this, [this](int index) { stiboxChange(index); });
    layout->addWidget(Tilbage);
    layout->addWidget(Frem);
    layout->addWidget(stibox, 1);
    return bar;
}

QWidget *Twinform::buildToolBar()
{
    Redskabslinje = new QFrame(this);
    Redskabslinje->setObjectName("Redskabslinje");
    Redskabslinje->setFixedHeight(36);
    auto *layout = new QHBoxLayout(Redskabslinje);
    layout->setContentsMargins(4, 2, 4, 2);
    using Tools = std::initializer_list<std::pair<const char *, const char *>>;
    auto addTools = [this](QHBoxLayout *to, QWidget *parent, Tools tools) {
        for (const auto &[name, icon] : tools)
            to->addWidget(widgets::actionButton(actions->action(name), parent, {icon}));
    };

    // Above the folder tree: its own commands.
    funkPanel1 = new QFrame(Redskabslinje);
    funkPanel1->setObjectName("funkPanel1");
    auto *left = new QHBoxLayout(funkPanel1);
    left->setContentsMargins(0, 0, 0, 0);
    addTools(left, funkPanel1,
             {{"Fokus", "view-list-tree"},
              {"KunDrev", "drive-harddisk"},
              {"OpdaterKunEn", "view-refresh"},
              {"UdfoldStruktur", "view-list-tree"},
              {"SammenfoldStruktur", "view-list-text"},
              {"aMedtagPrivat", "drive-harddisk"}});
    // The home-made structures: the folder-structure tool, with the structure menu as its
    // drop-down, and the last structure built again (always enabled, unlike F3).
    auto *strukturKnap = new QToolButton(funkPanel1);
    strukturKnap->setObjectName("mappeStrukturKnap");
    strukturKnap->setText("Strukturer"); // shown where the icon theme has no picture
    strukturKnap->setIcon(QIcon::fromTheme("folder-favorites"));
    strukturKnap->setToolTip("Åben boksen til oprettelse af strukturmapper: Ctrl+4");
    strukturKnap->setStatusTip(strukturKnap->toolTip());
    strukturKnap->setAutoRaise(true);
    if (services::structureMenu()->mappeStrukturMenu()) {
        strukturKnap->setMenu(services::structureMenu()->mappeStrukturMenu());
        strukturKnap->setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(strukturKnap, &QToolButton::clicked, this, [] { services::structureMenu()->opretStrukturer(); });
    left->addWidget(strukturKnap);
    auto *genskabKnap = new QToolButton(funkPanel1);
    genskabKnap->setObjectName("genskabKnap");
    genskabKnap->setText("Genskab");
    genskabKnap->setIcon(QIcon::fromTheme("view-restore"));
    genskabKnap->setToolTip("Genskab sidste aktiverede hjemmelavede struktur: F3");
    genskabKnap->setStatusTip(genskabKnap->toolTip());
    genskabKnap->setAutoRaise(true);
    connect(genskabKnap, &QToolButton::clicked, this, [] { services::structureMenu()->CallOnClick(); });
    left->addWidget(genskabKnap);
    left->addStretch();

    // Above the file tree: its commands and the selection panel, three buttons or one split
    // button with a menu (setMarkerButton).
    funkPanel2 = new QFrame(Redskabslinje);
    funkPanel2->setObjectName("funkPanel2");
    auto *middle = new QHBoxLayout(funkPanel2);
    middle->setContentsMargins(0, 0, 0, 0);
    addTools(middle, funkPanel2, {{"Fokus2", "view-list-details"}});
    selectionPanel = new QFrame(funkPanel2);
    selectionPanel->setObjectName("selectionPanel");
    auto *panel = new QHBoxLayout(selectionPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(0);
    auto *selectMenu = new QMenu(this);
    for (const char *name : {"selectAlleElementer", "deselectElementer", "inverterSelection"}) {
        panel->addWidget(widgets::actionButton(actions->action(name), selectionPanel));
        selectMenu->addAction(actions->action(name));
    }
    aSelectButton = widgets::actionButton(actions->action("aSelectButton"), selectionPanel,
                                          {{}, {}, {}, "aSelectButton"});
    aSelectButton->setMenu(selectMenu);
    aSelectButton->setPopupMode(QToolButton::MenuButtonPopup);
    panel->addWidget(aSelectButton);
    middle->addWidget(selectionPanel);
    addTools(middle, funkPanel2, {{"drevKnap2", "drive-harddisk"}, {"opdater2", "view-refresh"}});
    // "Kør" with "Kør", "Program" and "Rediger" in its drop-down.
    auto *runMenu = new QMenu(this);
    runMenu->setObjectName("korMenu");
    runMenu->addActions({actions->action("aRun"), actions->action("aProgram"), actions->action("aRediger")});
    QToolButton *run = widgets::actionButton(actions->action("aRun"), funkPanel2, {"system-run"});
    run->setMenu(runMenu);
    run->setPopupMode(QToolButton::MenuButtonPopup);
    middle->addWidget(run);
    // "Musik, film og billeder" with the three play lists in its drop-down, and the preview.
    QToolButton *html = widgets::actionButton(actions->action("aHTMLbutton"), funkPanel2);
    html->setPopupMode(QToolButton::MenuButtonPopup);
    middle->addWidget(html);
    middle->addWidget(widgets::actionButton(actions->action("aShowPic"), funkPanel2));
    middle->addStretch();

    layout->addWidget(funkPanel1);
    layout->addWidget(funkPanel2, 1);
    addTools(layout, Redskabslinje,
             {{"aInsertFavoritmappe", "bookmark-new"},
              {"gemStruktur", "document-save"},
              {"hentStruktur", "document-open"},
              {"GHopt", "configure"},
              {"aTopPanel", "view-split-top-bottom"},
              {"ActionUpd", "object-unlocked"},
              {"opdateActButton", "view-refresh"}});
    return Redskabslinje;
}

QWidget *Twinform::buildKnownFoldersPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH1");
    auto *layout = new QVBoxLayout(page);
    auto *grid = new QGridLayout;
    static const char *const folders[] = {
        "Adesktopdir", "Adokudir",   "Amusikdir", "Avideodir",   "Apicdir",  "AallUsers", "aFavoritmappe",
        "aDownload",   "aKontakter", "aOneDrev",  "aStartMappe", "Aprogdir", "aKamBil",   "aKamFilm"};
    for (int i = 0; i < 14; ++i) {
        auto *button = new QToolButton(page);
        button->setDefaultAction(actions->action(folders[i]));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        grid->addWidget(button, i / 2, i % 2);
    }
    layout->addLayout(grid);
    // "Start" and the page's help on one row, so the page stays as narrow as its grid.
    auto *startRow = new QHBoxLayout;
    auto *startKnap = new QPushButton("Start", page);
    startKnap->setObjectName("startKnap");
    startKnap->setStatusTip("Åben mappen med opstartprogrammer");
    connect(startKnap, &QPushButton::clicked, this, [this] { aabnOpstartMappe(); });
    startRow->addWidget(startKnap);
    startRow->addStretch();
    auto *infAktMapBut = widgets::infoButton("infAktMapBut", page);
    infAktMapBut->setText("Info");
    connect(infAktMapBut, &QToolButton::clicked, this,
            [] { services::help()->InfoHelp("Aktiverbare mapper.html"); });
    startRow->addWidget(infAktMapBut);
    layout->addLayout(startRow);
    auto *strukTekst =
        new QLabel("Fremstil alle mapper som punktstruktur eller niveaustruktur i mappestrukturen.", page);
    strukTekst->setWordWrap(true);
    layout->addWidget(strukTekst);
    auto *strukRow = new QHBoxLayout;
    for (const char *name : {"aStrukPunkt", "aStrukNiveau"}) {
        auto *button = new QToolButton(page);
        button->setDefaultAction(actions->action(name));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        strukRow->addWidget(button);
    }
    layout->addLayout(strukRow);
    mappeBox = widgets::radio("mappeBox", "Vælg struktur til visning af mappe",
                              {"Mappestuktur", "Filstruktur"}, 1, page);
    layout->addWidget(mappeBox);
    if (QWidget *shortcuts = buildShortcutsPanel(page))
        layout->addWidget(shortcuts, 1);
    else
        layout->addStretch();
    return page;
}

QWidget *Twinform::buildSettingsPage()
{
    auto *page = new QWidget;
    page->setObjectName("EgenSiden");
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    egenskabsBogen = new QTabWidget(page);
    egenskabsBogen->setObjectName("egenskabsBogen");

    auto *egenskaber = new QWidget;
    auto *layout = new QVBoxLayout(egenskaber);
    auto *intro = new QLabel("Bestem om følgende tabs skal være synlige eller skjulte.", egenskaber);
    intro->setWordWrap(true);
    layout->addLayout(withHelp(intro, helpButton("informationsKnap", "Andre egenskaber.html", egenskaber)));
    auto *tools = new QGroupBox("Redskabslinje", egenskaber);
    auto *toolsLayout = new QVBoxLayout(tools);
    auto *udfoldRow = new QHBoxLayout;
    udfoldCheck = widgets::check("udfoldCheck", "Vis alle markerknapper", tools);
    connect(udfoldCheck, &QCheckBox::clicked, this, [this] { setMarkerButton(); });
    auto *infUdfold = widgets::infoButton("infUdfold", tools);
    udfoldRow->addWidget(udfoldCheck, 1);
    udfoldRow->addWidget(infUdfold);
    toolsLayout->addLayout(udfoldRow);
    redskabsCheck =
        widgets::radio("redskabsCheck", "Placering", {"Oppe", "Nede", "Ude"}, 0, tools, Qt::Horizontal);
    toolsLayout->addWidget(redskabsCheck);
    layout->addWidget(tools);
    auto *tabs = new QGroupBox("Bogfaner", egenskaber);
    auto *tabsLayout = new QVBoxLayout(tabs);
    fanePlaceringsBox = widgets::radio("fanePlaceringsBox", "Placering", {"Venstre", "Top", "Højre"}, 0, tabs,
                                       Qt::Horizontal);
    tabsLayout->addWidget(fanePlaceringsBox);
    layout->addWidget(tabs);
    auto *klip = new QGroupBox("Klipbord", egenskaber);
    KDTcheck = widgets::check("KDTcheck", "Aktiver", klip);
    KDTcheck->setStatusTip("Aktiver funktionen");
    sammeKbutton = new QPushButton("Bestem indstilling", klip);
    sammeKbutton->setObjectName("sammeKbutton");
    sammeKbutton->setStatusTip("Gå til indstillinger angående fælles klipbord");
    connect(sammeKbutton, &QPushButton::clicked, this,
            [] { services::pages()->showMainPage(4, 1, "Program egenskaber"); });
    auto *transfer = new QToolButton(klip);
    transfer->setDefaultAction(actions->action("KlipbordsdataTransfer"));
    transfer->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *transferInfo = widgets::infoButton("transferInfo", klip);
    connect(transferInfo, &QToolButton::clicked, this, [] {
        messages::inform(mainHost() && services::settings()->settings().sharedClipboard
                             ? infoText("transferShared")
                             : infoText("transferInfo"));
    });
    auto *sameInfo = widgets::infoButton("sammeKinfo", klip);
    connect(sameInfo, &QToolButton::clicked, this, [] { messages::inform(infoText("sammeKinfo")); });
    auto *restore = new QToolButton(klip);
    restore->setDefaultAction(actions->action("klipbordsGendannelse"));
    restore->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *restoreInfo = widgets::infoButton("gendanInfo", klip);
    connect(restoreInfo, &QToolButton::clicked, this, [] { messages::inform(infoText("gendanInfo")); });

    // "Aktiver" above the buttons, so that the page stays narrow.
    auto *klipGrid = new QGridLayout(klip);
    klipGrid->addWidget(KDTcheck, 0, 0, 1, 2);
    klipGrid->addWidget(transfer, 1, 0);
    klipGrid->addWidget(transferInfo, 1, 1);
    klipGrid->addWidget(sammeKbutton, 2, 0);
    klipGrid->addWidget(sameInfo, 2, 1);
    klipGrid->addWidget(restore, 3, 0);
    klipGrid->addWidget(restoreInfo, 3, 1);
    klipGrid->setColumnStretch(0, 1);
    layout->addWidget(klip);
    auto *panel = new QGroupBox("Panel indhold", egenskaber);
    auto *panelLayout = new QFormLayout(panel);
    tabVisCheck1 = widgets::pageSwitch("tabVisCheck1", panel);
    tabVisCheck0 = widgets::pageSwitch("tabVisCheck0", panel);
    tabVisCheck2 = widgets::pageSwitch("tabVisCheck2", panel);
    tabVisCheck3 = widgets::pageSwitch("tabVisCheck3", panel);
    panelLayout->addRow("Kendte mapper", tabVisCheck1);
    panelLayout->addRow("Besøgte mapper", tabVisCheck0);
    panelLayout->addRow("Favoritter", tabVisCheck2);
    panelLayout->addRow("Fil og mappenavne", tabVisCheck3);
    for (QPushButton *toggle : {tabVisCheck0, tabVisCheck1, tabVisCheck2, tabVisCheck3})
        connect(toggle, &QPushButton::clicked, this, [this] { bestemTabs(); });
    layout->addWidget(panel);
    layout->addStretch();
    egenskabsBogen->addTab(egenskaber, "Egenskaber");

    auto *stifinder = new QWidget;
    auto *own = new QVBoxLayout(stifinder);
    stifindernavnLabel = new QLabel(stifinder);
    stifindernavnLabel->setObjectName("stifindernavnLabel");
    QFont bold = stifindernavnLabel->font();
    bold.setBold(true);
    stifindernavnLabel->setFont(bold);
    own->addWidget(stifindernavnLabel);
    own->addLayout(withHelp(new QLabel("Specifikke egenskaber", stifinder),
                            helpButton("informationsKnappen", "Specifikke egenskaber.html", stifinder)));
    privatCheckBox =
        widgets::check("privatCheckBox", "Start op med privatmapper øverst i mappestrukturen", stifinder);
    hiddenCheck = widgets::check("hiddenCheck", "Vis skjulte filer og mapper", stifinder);
    RadioOpstart = widgets::radio(
        "RadioOpstart", "Program opstart",
        {"Standard opstart med alle drev i mappestrukturen. Filstrukturen indrettes herefter, "
         "altså med første drev i mappestrukturen indlæst.",
         "Gemmer filstrukturen når programmet lukkes og henter den næste gang programmet åbnes. "
         "Mappestrukturen indrettes derefter med aktuelle drev.",
         "Gemmer filstrukturen når programmet lukkes og henter den næste gang programmet åbnes. "
         "Mappestrukturen indrettes derefter med alle drev."},
        0, stifinder);
    RadioOpstart->setWordWrap(true);
    own->addLayout(wrappingCheck(privatCheckBox));
    own->addWidget(RadioOpstart);
    own->addWidget(hiddenCheck);
    own->addStretch();
    connect(privatCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { metodeX ? metodeX->strukturY()->setShowPrivate(on) : void(); });
    connect(hiddenCheck, &QCheckBox::toggled, this,
            [this](bool on) { metodeX ? metodeX->strukturY()->setShowHidden(on) : void(); });
    egenskabsBogen->addTab(stifinder, "Stifinder");

    connect(infUdfold, &QToolButton::clicked, this, [] { messages::inform(infoText("infUdfold")); });
    connect(redskabsCheck, &RadioGroup::itemClicked, this, [this] { redskabsCheckClick(); });
    connect(fanePlaceringsBox, &RadioGroup::itemClicked, this, [this] { fanePlaceringsBoxClick(); });
    outer->addWidget(egenskabsBogen);
    return page;
}

QWidget *Twinform::buildCurrentElementPage()
{
    auto *page = new QWidget;
    page->setObjectName("mainside");
    auto *layout = new QVBoxLayout(page);
    auto *facts = new QFormLayout;
    mappenavnFelt = widgets::field("mappenavnFelt", QString(), page);
    filnavnFelt = widgets::field("filnavnFelt", QString(), page);
    facts->addRow("Mappenavn",
                  withHelp(mappenavnFelt, helpButton("infoInfoBut", "Aktuel information.html", page)));
    facts->addRow("Filnavn", filnavnFelt);
    auto *fokus = new QPushButton("Aktiv mappestruktur", page);
    fokus->setObjectName("FokusButton");
    connect(fokus, &QPushButton::clicked, actions->action("Fokus"), &QAction::trigger);
    auto *fokus2 = new QPushButton("Aktiv filstruktur", page);
    fokus2->setObjectName("Fokus2Button");
    connect(fokus2, &QPushButton::clicked, actions->action("Fokus2"), &QAction::trigger);
    AktiveStrukturEdit = widgets::field("AktiveStrukturEdit", "Struktur 1", page);
    AktuelleElementEdit = widgets::field("AktuelleElementEdit", "Adgang forbudt", page);
    facts->addRow(fokus, AktiveStrukturEdit);
    facts->addRow(fokus2, AktuelleElementEdit);
    EditMappe = widgets::field("EditMappe", "Ingen", page);
    EditFil = widgets::field("EditFil", "Ingen", page);
    auto withButton = [page](QWidget *field, QAction *action, const char *icon) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(field, 1);
        auto *button = new QToolButton(page);
        action->setIcon(QIcon::fromTheme(icon));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        row->addWidget(button);
        return row;
    };
    facts->addRow("Antal mapper i klipbordet",
                  withButton(EditMappe, actions->action("aAnnullerMapper"), "edit-clear"));
    facts->addRow("Antal filer i klipbordet",
                  withButton(EditFil, actions->action("aAnnullerFiler"), "edit-clear"));
    sizeLabel = new QLabel("Ukendt", page);
    sizeLabel->setObjectName("sizeLabel");
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeLabel, 1);
    auto *sizeButton = new QPushButton("Info", page);
    sizeButton->setObjectName("aMappeFilSizeButton");
    QAction *sizeAction = actions->action("aMappeFilSize");
    connect(sizeButton, &QPushButton::clicked, sizeAction, &QAction::trigger);
    connect(sizeAction, &QAction::changed, sizeButton,
            [sizeButton, sizeAction] { sizeButton->setEnabled(sizeAction->isEnabled()); });
    auto *sizeInfo = widgets::infoButton("sizeInfo", page);
    connect(sizeInfo, &QToolButton::clicked, this, [] { messages::inform(infoText("sizeInfo")); });
    sizeRow->addWidget(sizeButton);
    sizeRow->addWidget(sizeInfo);
    // Under its caption, across the page: the size text grows with the size and must not
    // widen the page.
    facts->addRow(new QLabel("Størrelse", page));
    facts->addRow(sizeRow);
    layout->addLayout(facts);

    auto *heading = new QLabel("Indstillinger", page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addLayout(withHelp(heading, helpButton("infoIndstillingerButton", "indstillinger.html", page)));
    spmBox =
        widgets::radio("spmBox", "Sæt ind og slet", {"Spørg altid", "Kun før Slet", "Spørg aldrig"}, 0, page);
    resultBox = widgets::radio("resultBox", "Sæt ind", {"Overskriv ikke", "Overskriv", "Opret kopi", "Spørg"},
                               3, page);
    layout->addWidget(spmBox);
    layout->addWidget(resultBox);
    auto addCheck = [&](QCheckBox *&box, const char *name, const char *caption, bool checked,
                        const char *info, const QString &hint = QString()) {
        auto *row = new QHBoxLayout;
        box = widgets::check(name, caption, page, checked, hint);
        row->addWidget(box, 1);
        auto *button = widgets::infoButton(info, page);
        connect(button, &QToolButton::clicked, this, [info] { messages::inform(infoText(info)); });
        row->addWidget(button);
        layout->addLayout(row);
    };
    addCheck(DragDropCheck, "DragDropCheck", "Anvend Drag-Drop-kopiering", true, "KlipInf06");
    addCheck(opdaterCheck, "opdaterCheck", "Auto-opdater efter sæt ind", true, "KlipInf07");
    addCheck(LukCheck, "LukCheck", "Luk progressbokse", true, "KlipInf03");
    addCheck(rydCheck, "rydCheck", "Ryd kopieringslister", true, "KlipInf02",
             "Ryd lister efter Sæt-ind funktionen");
    addCheck(visKlipbordCheck, "visKlipbordCheck", "Vis Klipbord", false, "KlipInf01",
             "Vis Klipbordet efter hver kopiering");
    addCheck(visIndstillingerCheck, "visIndstillingerCheck", "Gå til indstillinger", true, "klipInf",
             "Gå til indstillinger ved klip og kopiering");
    connect(visKlipbordCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!opstart && metodeX)
            metodeX->setBoolVisKlipbord(on);
    });
    layout->addStretch();
    return page;
}

void Twinform::buildUi()
{
    auto *body = new QVBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    topPanel = new QFrame(this);
    topPanel->setObjectName("topPanel");
    topPanel->setFixedHeight(38);
    auto *top = new QHBoxLayout(topPanel);
    top->setContentsMargins(6, 2, 6, 2);
    // The top panel carries the file commands; the three renames show their icons only, their
    // hints tell them apart.
    top->setSpacing(2);
    const std::pair<const char *, Qt::ToolButtonStyle> commands[] = {
        {"ActionUpd", Qt::ToolButtonIconOnly},       {"AnnullerKopiering", Qt::ToolButtonIconOnly},
        {"Cut", Qt::ToolButtonTextBesideIcon},       {"Copy", Qt::ToolButtonTextBesideIcon},
        {"Paste", Qt::ToolButtonTextBesideIcon},     {"DeleteToPapirkurv", Qt::ToolButtonTextBesideIcon},
        {"DeletePermanent", Qt::ToolButtonIconOnly}, {"Rename2", Qt::ToolButtonTextBesideIcon},
        {"Rename", Qt::ToolButtonIconOnly},          {"RenameExt", Qt::ToolButtonIconOnly},
        {"NyMappe", Qt::ToolButtonTextBesideIcon},   {"aOpretTekstfil", Qt::ToolButtonTextBesideIcon},
        {"Info", Qt::ToolButtonTextBesideIcon},      {"insertFilSFWS", Qt::ToolButtonIconOnly},
        {"ekstraButton3", Qt::ToolButtonIconOnly},   {"aEmptyRB", Qt::ToolButtonIconOnly},
    };
    for (const auto &[name, look] : commands) {
        QToolButton *button = widgets::actionButton(actions->action(name), topPanel, {{}, look});
        if (actions->action(name)->menu())
            button->setPopupMode(QToolButton::MenuButtonPopup);
        top->addWidget(button);
    }
    top->addStretch();
    AktivitetBoks = new ActivityIndicator(topPanel);
    top->addWidget(AktivitetBoks);
    body->addWidget(topPanel);
    body->addWidget(buildPathBar());
    body->addWidget(buildToolBar());

    splitter = new QSplitter(this);
    splitter->setObjectName("splitter");
    MappeStruktur = new StrukturView(PictureSet::FolderTree, splitter);
    MappeStruktur->setObjectName("MappeStruktur");
    MappeStruktur->setMinimumWidth(kMinimumTreeWidth);
    MappeStruktur->setIndentation(12);
    FilStruktur = new StrukturView(PictureSet::FileTree, splitter);
    FilStruktur->setObjectName("FilStruktur");
    FilStruktur->setIndentation(5);
    FilStruktur->setMinimumWidth(kMinimumFileTreeWidth);
    winBog = new QTabWidget(splitter);
    winBog->setObjectName("winBog");
    winBog->setTabPosition(QTabWidget::West);
    winBog->setIconSize(QSize(22, 22));
    static const struct
    {
        const char *icon;
        const char *hint;
    } pages[] = {{"folder-favorites", "Kendte mapper"}, {"view-history", "Besøgte mapper"},
                 {"bookmarks", "Favoritter"},           {"edit-find", "Fil og mappenavne"},
                 {"configure", "Egenskaber"},           {"dialog-information", "Aktuelle element"}};
    QWidget *contents[] = {buildKnownFoldersPage(), buildHistoryPage(),  buildFavouritesPage(),
                           buildSearchPage(),       buildSettingsPage(), buildCurrentElementPage()};
    for (int i = 0; i < 6; ++i) {
        winBog->addTab(contents[i], QIcon::fromTheme(pages[i].icon), QString());
        winBog->setTabToolTip(i, pages[i].hint);
    }
    splitter->addWidget(MappeStruktur);
    splitter->addWidget(FilStruktur);
    splitter->addWidget(winBog);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    // The trees get the room; the page area only the width its pages need.
    splitter->setSizes({kDefaultTreeWidth, 2 * kDefaultTreeWidth, winBog->minimumSizeHint().width()});
    connect(splitter, &QSplitter::splitterMoved, this, [this] { fitToolBarToTree(); });
    body->addWidget(splitter, 1);

    connectTrees();
}

void Twinform::buildMenus()
{
    // The four tree menus carry the file commands.
    QAction *klip = actions->action("Cut");
    QAction *kopier = actions->action("Copy");
    QAction *paste = actions->action("Paste");
    QAction *sletKurv = actions->action("DeleteToPapirkurv");
    QAction *sletHelt = actions->action("DeletePermanent");
    QAction *omdobHer = actions->action("Rename2");
    QAction *omdob = actions->action("Rename");
    QAction *mappe = actions->action("NyMappe");
    QAction *egenskaber = actions->action("Info");
    auto menu = [this](const char *name) {
        auto *result = new QMenu(this);
        result->setObjectName(name);
        return result;
    };
    PUdirbox = menu("PUdirbox");
    PUfilbox = menu("PUfilbox");
    for (QMenu *full : {PUdirbox, PUfilbox}) {
        full->addActions({klip, kopier, paste});
        full->addSeparator();
        full->addActions({sletKurv, sletHelt});
        full->addSeparator();
        full->addActions({omdobHer, omdob, mappe});
        full->addSeparator();
        full->addAction(egenskaber);
    }
    PUdirboxDrev = menu("PUdirboxDrev");
    PUdirboxDrev->addActions({paste, mappe});
    PUdirboxDrev->addSeparator();
    PUdirboxDrev->addAction(egenskaber);
    PUdirPrivate = menu("PUdirPrivate");
    PUdirPrivate->addActions({kopier, paste, mappe});
    PUdirPrivate->addSeparator();
    PUdirPrivate->addAction(egenskaber);

    // The drive menus of the two trees fill themselves when opened.
    drevMenu1 = menu("drevMenu1");
    drevMenu2 = menu("drevMenu2");
    // Opening a tree's drive menu makes that tree the one the user works in.
    connect(drevMenu1, &QMenu::aboutToShow, this, [this] {
        setActiveTree(StrukturNr::mapper);
        metodeX->strukturY()->makeDrevMenu(StrukturNr::mapper, drevMenu1);
    });
    connect(drevMenu2, &QMenu::aboutToShow, this, [this] {
        setActiveTree(StrukturNr::filer);
        metodeX->strukturY()->makeDrevMenu(StrukturNr::filer, drevMenu2);
    });
    actions->action("KunDrev")->setMenu(drevMenu1);
    actions->add("drevKnap2", "Drev", {}, "Vælg drev til visning i filstrukturen",
                 [this] { drevMenu2->popup(QCursor::pos()); });
    actions->add(
        "aSelectButton", "Marker", {}, "Marker alt",
        [this] {
            QAction *all = actions->action("selectAlleElementer");
            actions->updateAll();
            if (all->isEnabled())
                all->trigger();
        },
        [this] { return activeTree() == StrukturNr::filer; });
    static const std::pair<const char *, const char *> icons[] = {{"Cut", "edit-cut"},
                                                                  {"Copy", "edit-copy"},
                                                                  {"Paste", "edit-paste"},
                                                                  {"DeleteToPapirkurv", "edit-delete"},
                                                                  {"DeletePermanent", "edit-delete-shred"},
                                                                  {"Rename2", "edit-rename"},
                                                                  {"NyMappe", "folder-new"},
                                                                  {"Rename", "edit-rename"},
                                                                  {"RenameExt", "edit-find-replace"},
                                                                  {"aOpretTekstfil", "document-new"},
                                                                  {"insertFilSFWS", "document-open-recent"},
                                                                  {"ekstraButton3", "edit-clear-history"},
                                                                  {"aEmptyRB", "user-trash"},
                                                                  {"AnnullerKopiering", "edit-undo"},
                                                                  {"aRun", "system-run"},
                                                                  {"aProgram", "applications-other"},
                                                                  {"aRediger", "accessories-text-editor"},
                                                                  {"Info", "document-properties"},
                                                                  {"selectAlleElementer", "edit-select-all"},
                                                                  {"deselectElementer", "edit-select-none"},
                                                                  {"inverterSelection", "edit-select-invert"},
                                                                  {"aSelectButton", "edit-select-all"}};
    for (const auto &[name, icon] : icons)
        actions->action(name)->setIcon(QIcon::fromTheme(icon));
}

void Twinform::connectTrees()
{
    for (StrukturView *tree : {MappeStruktur, FilStruktur}) {
        connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, tree] {
            for (const char *name : {"gemStruktur", "hentStruktur", "GHopt"})
                actions->action(name)->setEnabled(true);
            if (!tree->selectedNode() && metodeX)
                funkNo = metodeX->strukturY()->getNodeId(activeTree());
        });
        tree->viewport()->installEventFilter(this);
        tree->viewport()->setAcceptDrops(true);
    }
    stibox->installEventFilter(this);
    stibox->setAcceptDrops(true);
    connect(MappeStruktur, &QTreeView::clicked, this, [this] { MappeStrukturClick(); });
    connect(MappeStruktur, &QTreeView::doubleClicked, this, [this] { MappeStrukturDblClick(); });
    connect(FilStruktur, &QTreeView::clicked, this, [this] { FilStrukturClick(); });
    connect(FilStruktur, &QTreeView::doubleClicked, this, [this] { FilStrukturDblClick(); });
    // The keyboard moves the current element as a click does.
    connect(MappeStruktur, &StrukturView::keyboardMoved, this, [this] { MappeStrukturClick(); });
    connect(FilStruktur, &StrukturView::keyboardMoved, this, [this] { FilStrukturClick(); });
    // Enter does what the mouse does: in the folder tree it shows the folder's contents, in the
    // file tree it opens the folder or runs the file. An in-place rename keeps its own Enter.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *showFolder = new QShortcut(key, MappeStruktur, nullptr, nullptr, Qt::WidgetShortcut);
        connect(showFolder, &QShortcut::activated, this, [this] {
            if (MappeStruktur->currentIndex().isValid())
                MappeStrukturClick();
        });
        auto *open = new QShortcut(key, FilStruktur, nullptr, nullptr, Qt::WidgetShortcut);
        connect(open, &QShortcut::activated, this, [this] {
            if (FilStruktur->currentIndex().isValid())
                FilStrukturDblClick();
        });
    }

    // An in-place rename ends by renaming the folder or file on disk.
    Timer = new QTimer(this);
    TimerFil = new QTimer(this);
    for (QTimer *timer : {Timer, TimerFil}) {
        timer->setSingleShot(true);
        timer->setInterval(1000);
    }
    connect(Timer, &QTimer::timeout, this, [this] { renameTimerFired(); });
    connect(TimerFil, &QTimer::timeout, this, [this] { renameFileTimerFired(); });
    for (StrukturView *tree : {MappeStruktur, FilStruktur}) {
        connect(tree->strukturModel(), &StrukturModel::textEdited, this,
                [this, tree](StrukturNode *node, const QString &text) { renameFinished(tree, node, text); });
    }
}
