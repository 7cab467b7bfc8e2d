#include "tools/programs/progform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "lists/menuexefiler.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TProgform *Progform = nullptr;

namespace {

TMenuExeFiler *menu()
{
    return toolHost() ? toolHost()->menuExe() : nullptr;
}

QString currentElement()
{
    return services::currentElement()->editSti();
}

void showProgramsPage()
{
    services::pages()->showMainPage(1, 0);
}

} // namespace

const QList<TProgform::Suggestion> &TProgform::suggestions()
{
    // Linux: the usual places of the nearest program of each kind, through Z: ("/").
    static const QList<Suggestion> table{
        {"ChromeButton",
         "Chrome",
         "Chrome",
         {"C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe", "Z:\\usr\\bin\\google-chrome",
          "Z:\\usr\\bin\\chromium"}},
        {"EdgeButton",
         "Microsoft Edge",
         "Microsoft Edge",
         {"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe", "Z:\\usr\\bin\\microsoft-edge",
          "Z:\\usr\\bin\\firefox-esr", "Z:\\usr\\bin\\firefox"}},
        {"VLCButton",
         "VLC medie player",
         "VLC",
         {"C:\\Program Files\\VideoLAN\\VLC\\vlc.exe", "Z:\\usr\\bin\\vlc"}},
        {"MediaPlayerButton",
         "Media Player",
         "Media Player",
         {"C:\\Program Files (x86)\\Windows Media Player\\wmplayer.exe", "Z:\\usr\\bin\\totem",
          "Z:\\usr\\bin\\celluloid", "Z:\\usr\\bin\\mpv"}},
        {"NotesblokButton",
         "Notesblok",
         "Notesblok",
         {"C:\\Windows\\System32\\notepad.exe", "Z:\\usr\\bin\\gnome-text-editor", "Z:\\usr\\bin\\gedit",
          "Z:\\usr\\bin\\kate", "Z:\\usr\\bin\\mousepad"}},
        {"TastraButton",
         "zunTastra",
         "zunTastra",
         {"C:\\Program Files\\zunTastra\\zunTastra.exe", "C:\\Program Files (x86)\\zunTastra\\zunTastra.exe",
          "E:\\Program Files\\zunTastra\\zunTastra.exe"}},
        {"brindelButton",
         "Brindel",
         "Brindel",
         {"C:\\Program Files\\Brindel\\Brindel.exe", "C:\\Program Files (x86)\\Brindel\\Brindel.exe",
          "E:\\Program Files\\Brindel\\Brindel.exe"}},
        {"TolmaButton",
         "Tolma",
         "Tolma",
         {"C:\\Program Files\\Tolma\\Tolma.exe", "C:\\Program Files (x86)\\Tolma\\Tolma.exe",
          "E:\\Program Files\\Tolma\\Tolma.exe"}},
    };
    return table;
}

TProgform::TProgform(bool internal, QWidget *parent)
    : TToolForm("Programmer", internal, parent)
{
    setObjectName("Progform");
    suggestionPaths = QStringList(suggestions().size(), QString());
    buildActions();
    buildUi();
    if (!showInternt) {
        optFilnavn = core::delimKon(services::folders()->optMappe()) + "Programmer.txt";
        hentOpt();
        setFixedSize(kWidth, kHeight);
    }
    Progform = this;
}

TProgform::~TProgform()
{
    if (Progform == this)
        Progform = nullptr;
}

void TProgform::buildActions()
{
    actions = new ActionList(this);
    actions->add(
        "AFlytOp", QString(), {}, "Flyt op", [this] { flyt(-1); }, [this] { return selectedRow() > 0; });
    actions->add(
        "AFlytNed", QString(), {}, "Flyt ned", [this] { flyt(1); },
        [this] {
            const int row = selectedRow();
            return row >= 0 && row < programListe->topLevelItemCount() - 1;
        });
    actions->add(
        "AGem", QString(), {}, "Gem", [this] { AGemExecute(); }, [this] { return listeForandret; });
    actions->add(
        "visProgrammer", QString(), {}, "Vis indførte programmer i listen",
        [this] { visProgrammerExecute(); }, [] { return menu() && menu()->filantal() > 0; });
    actions->add(
        "ADelprog", "Fjern program", {}, QString(), [this] { ADelprogExecute(); },
        [this] { return SletNr >= 0 && !m_asking; });
    actions->add("aExeFile", "Indfør program", {}, "Indfør den i Stifinder valgte exefil",
                 [this] { aExeFileExecute(); });
    actions->add(
        "aInsertProgram", "Tilføj programmet", {}, "Kræver et filnavn samt en menutekst",
        [this] { aInsertProgramExecute(); },
        [this] { return filEdit && CapEdit && !filEdit->text().isEmpty() && !CapEdit->text().isEmpty(); });
}

void TProgform::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    auto *panels = new QHBoxLayout;
    layout->addLayout(panels, 1);

    // Left: the registered programs.
    auto *left = new QVBoxLayout;
    progInfLabel = new QLabel("Indførte programmer", this);
    progInfLabel->setObjectName("progInfLabel");
    left->addWidget(progInfLabel);
    auto *listRow = new QHBoxLayout;
    auto *listButtons = new QVBoxLayout;
    const std::pair<const char *, const char *> moves[] = {{"AFlytOp", "go-up"},
                                                           {"AFlytNed", "go-down"},
                                                           {"AGem", "document-save"},
                                                           {"visProgrammer", "view-list-details"}};
    for (const auto &[name, icon] : moves)
        listButtons->addWidget(widgets::actionButton(actions->action(name), this, {icon}));
    listButtons->addStretch(1);
    listRow->addLayout(listButtons);
    programListe = new QTreeWidget(this);
    programListe->setObjectName("programListe");
    programListe->setHeaderLabels({"Programmer"});
    programListe->setRootIsDecorated(false);
    programListe->setSelectionBehavior(QAbstractItemView::SelectRows);
    programListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listRow->addWidget(programListe, 1);
    left->addLayout(listRow, 1);
    left->addWidget(new QLabel("Valgt program", this));
    fileText = widgets::field("fileText", QString(), this);
    left->addWidget(fileText);
    left->addWidget(widgets::actionButton(actions->action("ADelprog"), this,
                                          {"list-remove", Qt::ToolButtonTextBesideIcon}));
    spmLabel = new QLabel(this);
    spmLabel->setObjectName("spmLabel");
    jaKnap = new QPushButton("Ja", this);
    jaKnap->setObjectName("jaKnap");
    jaKnap->setStatusTip("Bekræft sletning af program fra listen");
    nejKnap = new QPushButton("Nej", this);
    nejKnap->setObjectName("nejKnap");
    nejKnap->setStatusTip("Annuller sletning af program fra listen");
    auto *answerRow = new QHBoxLayout;
    answerRow->addWidget(jaKnap);
    answerRow->addWidget(nejKnap);
    answerRow->addStretch(1);
    left->addWidget(spmLabel);
    left->addLayout(answerRow);
    setRemovalAsked(false);
    panels->addLayout(left, 2);

    // Right: registering a program.
    auto *right = new QVBoxLayout;
    auto *heading = new QLabel("Indfør program", this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    right->addWidget(heading);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel("Filnavn", this));
    filEdit = widgets::field("filEdit", QString(), this);
    filEdit->setPlaceholderText("Exe-filnavn");
    fileRow->addWidget(filEdit, 1);
    fileRow->addWidget(widgets::actionButton(actions->action("aExeFile"), this,
                                             {"document-open", Qt::ToolButtonTextBesideIcon}));
    right->addLayout(fileRow);
    auto *captionRow = new QHBoxLayout;
    IconDis = new QLabel(this);
    IconDis->setObjectName("IconDis");
    IconDis->setFixedSize(32, 32);
    captionRow->addWidget(IconDis);
    captionRow->addWidget(new QLabel("Menu tekst", this));
    CapEdit = new QLineEdit(this);
    CapEdit->setObjectName("CapEdit");
    CapEdit->setPlaceholderText("Programnavn");
    captionRow->addWidget(CapEdit, 1);
    right->addLayout(captionRow);
    maxTekstCheck = widgets::check("maxTekstCheck", "Start programmet maximeret", this);
    right->addWidget(maxTekstCheck);
    auto *addRow = new QHBoxLayout;
    auto *insertProgram = new QCommandLinkButton(actions->action("aInsertProgram")->text(), this);
    insertProgram->setObjectName("aInsertProgramButton");
    insertProgram->setStatusTip(actions->action("aInsertProgram")->statusTip());
    QAction *insertAction = actions->action("aInsertProgram");
    connect(insertProgram, &QCommandLinkButton::clicked, insertAction, &QAction::trigger);
    connect(insertAction, &QAction::enabledChanged, insertProgram, &QWidget::setEnabled);
    insertProgram->setEnabled(insertAction->isEnabled());
    addRow->addWidget(insertProgram);
    addRow->addWidget(new QLabel("Tilføjet program:", this));
    addText = new QLabel(this);
    addText->setObjectName("addText");
    addText->setFont(bold);
    addRow->addWidget(addText, 1);
    right->addLayout(addRow);
    for (const char *line :
         {"1. Vælg det program der skal indføres, altså en exe-fil.", "Det kan indføres via struktur 2.",
          "2. Indfør det navn der skal anvendes i forbindelse med programmet.", "3. Tilføj programmet.",
          "Programmernes rækkefølge kan bestemmes på rediger siden."})
        right->addWidget(widgets::note(line, this));

    // Suggestions.
    auto *suggestionRow = new QHBoxLayout;
    auto *checkButton = new QPushButton("Check for programmer", this);
    checkButton->setObjectName("checkButton");
    checkButton->setStatusTip("Hvis disse programmer ikke er indførte vises de til indføring");
    connect(checkButton, &QPushButton::clicked, this, [this] { checkButtonClick(); });
    suggestionRow->addWidget(checkButton);
    for (const char *name : {"tastraUrlen", "webUrl", "tolmaUrlen"}) {
        static const QHash<QString, QString> captions{
            {"tastraUrlen", "zunTastra"}, {"webUrl", "Brindel"}, {"tolmaUrlen", "Tolma"}};
        auto *download = new QPushButton(captions.value(name), this);
        download->setObjectName(QString(name) + "Button");
        widgets::bindToAction(download, services::pages()->mainAction(name));
        suggestionRow->addWidget(download);
    }
    suggestionRow->addStretch(1);
    right->addLayout(suggestionRow);
    auto *groups = new QHBoxLayout;
    QHash<QString, QVBoxLayout *> groupLayouts;
    for (const char *title : {"Browsere", "Medie afspillere", "Andre"}) {
        auto *box = new QGroupBox(title, this);
        groupLayouts.insert(title, new QVBoxLayout(box));
        groups->addWidget(box);
    }
    const QHash<QString, QString> groupOf{
        {"ChromeButton", "Browsere"},      {"EdgeButton", "Browsere"},
        {"VLCButton", "Medie afspillere"}, {"MediaPlayerButton", "Medie afspillere"},
        {"NotesblokButton", "Andre"},      {"TastraButton", "Andre"},
        {"brindelButton", "Andre"},        {"TolmaButton", "Andre"}};
    const QHash<QString, QString> hints{
        {"brindelButton", "Åben indførte webadresser eller programmer"},
        {"TastraButton", "Til tekstfiler af enhver art, specielt scriptfiler"},
        {"TolmaButton", "Til billedfiler af type bmp, jpg samt ico"}};
    for (int i = 0; i < suggestions().size(); ++i) {
        const Suggestion &suggestion = suggestions()[i];
        auto *button = new QPushButton(suggestion.caption, this);
        button->setObjectName(suggestion.button);
        button->setStatusTip(hints.value(suggestion.button));
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, i] { registerSuggestion(i); });
        groupLayouts.value(groupOf.value(suggestion.button))->addWidget(button);
        suggestionButtons.append(button);
    }
    for (QVBoxLayout *box : std::as_const(groupLayouts))
        box->addStretch(1);
    right->addLayout(groups);
    auto *placeRow = new QHBoxLayout;
    placeRow->addWidget(new QLabel("Placering", this));
    placeringEdit = widgets::field("placeringEdit", QString(), this);
    placeRow->addWidget(placeringEdit, 1);
    right->addLayout(placeRow);
    right->addStretch(1);
    panels->addLayout(right, 3);

    layout->addLayout(bottomBar("Indfør programmer.html"));

    connect(programListe, &QTreeWidget::itemClicked, this, [this] { programListeClick(); });
    connect(jaKnap, &QPushButton::clicked, this, [this] { jaKnapClick(); });
    connect(nejKnap, &QPushButton::clicked, this, [this] { nejKnapClick(); });
}

// ---------------------------------------------------------------------------------------------
// Frame

void TProgform::hentOpt()
{
    placeLines().load(optFilnavn);
}

void TProgform::gemOpt()
{
    placeLines().save(optFilnavn);
}

void TProgform::showEvent(QShowEvent *event)
{
    TToolForm::showEvent(event);
    FormShow();
}

void TProgform::FormShow()
{
    if (m_firstShow) {
        m_firstShow = false;
        listeForandret = false;
        if (QWidget *button = findChild<QWidget *>("aExeFileButton"))
            button->setFocus();
    }
    const QString sti = currentElement();
    if (!sti.isEmpty() && core::isProgramFile(sti)) {
        filEdit->setText(sti);
        CapEdit->setFocus();
    }
}

void TProgform::closing()
{
    // Moves are saved, never lost.
    if (listeForandret)
        AGemExecute();
}

// ---------------------------------------------------------------------------------------------
// Registering

bool TProgform::CheckProgramExists(const QString &path) const
{
    TMenuExeFiler *list = menu();
    if (!list)
        return false;
    for (int i = 0; i < list->filantal(); ++i)
        if (list->GetFilnavn(i).compare(path, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TProgform::aExeFileExecute()
{
    const QString sti = currentElement();
    if (sti.isEmpty() || !core::isProgramFile(sti)) {
        messages::inform(
            "Der skal være valgt en program exe-fil i Filstrukturen.\rVælg en sådan og prøv igen.");
        if (QAction *show = services::pages()->mainAction("aVisStifinder"))
            show->trigger();
        return;
    }
    addText->clear();
    if (core::fileExists(sti))
        filEdit->setText(sti);
    CapEdit->setFocus();
}

void TProgform::resetInput()
{
    filEdit->clear();
    CapEdit->clear();
    maxTekstCheck->setChecked(false);
}

void TProgform::aInsertProgramExecute()
{
    const QString path = filEdit->text();
    if (path.isEmpty()) {
        messages::inform("Der mangler et filnavn!");
        if (QWidget *button = findChild<QWidget *>("aExeFileButton"))
            button->setFocus();
        return;
    }
    if (!core::fileExists(path)) {
        messages::inform("Filen: " + path + "\r" + "kunne ikke findes!");
        resetInput();
        return;
    }
    if (CapEdit->text().isEmpty()) {
        messages::inform("Der mangler en menu tekst!");
        CapEdit->setFocus();
        return;
    }
    if (CheckProgramExists(path)) {
        messages::standardInformation("Programmet er allerede indført!");
        resetInput();
        return;
    }
    TMenuExeFiler *list = menu();
    if (!list)
        return;
    const QString caption = CapEdit->text();
    list->InsertItem(path, caption, QString(), maxTekstCheck->isChecked() ? 3 : 1);
    list->GemProgrammer();
    toolHost()->loadProgramBox();
    addText->setText(caption);
    resetInput();
    IconDis->clear();
    IconDis->setPixmap(toolHost()->programIcon32(list->icon32Index()).pixmap(32, 32));
    showProgramsPage();
}

void TProgform::checkButtonClick()
{
    int found = 0;
    for (int i = 0; i < suggestions().size(); ++i) {
        for (const QString &path : suggestions()[i].paths) {
            if (core::fileExists(path) && !CheckProgramExists(path)) {
                suggestionPaths[i] = path;
                suggestionButtons[i]->show();
                ++found;
                break;
            }
        }
    }
    if (found == 0)
        messages::inform("Der blev ikke fundet forslag til indføring af programmer.");
}

void TProgform::registerSuggestion(int index)
{
    TMenuExeFiler *list = menu();
    if (!list || suggestionPaths.value(index).isEmpty())
        return;
    list->InsertItem(suggestionPaths[index], suggestions()[index].menuCaption, QString(), 1);
    list->GemProgrammer();
    toolHost()->loadProgramBox();
    suggestionButtons[index]->hide();
    showProgramsPage();
}

// ---------------------------------------------------------------------------------------------
// The list

void TProgform::loadListe2()
{
    programListe->clear();
    TMenuExeFiler *list = menu();
    for (int i = 0; list && i < list->filantal(); ++i)
        new QTreeWidgetItem(programListe, {list->GetCaption(i)});
}

int TProgform::selectedRow() const
{
    QTreeWidgetItem *row = programListe ? programListe->currentItem() : nullptr;
    return row && row->isSelected() ? programListe->indexOfTopLevelItem(row) : -1;
}

void TProgform::visProgrammerExecute()
{
    listeForandret = false;
    SletNr = -1;
    fileText->clear();
    loadListe2();
    progInfLabel->setText(QString::number(menu() ? menu()->filantal() : 0) + " programmer");
}

void TProgform::programListeClick()
{
    const int row = selectedRow();
    if (programListe->topLevelItemCount() > 0 && row >= 0) {
        SletNr = row;
        fileText->setText(menu()->GetCaption(SletNr));
        placeringEdit->setText(menu()->GetFilnavn(SletNr));
    } else {
        placeringEdit->clear();
    }
}

void TProgform::flyt(int step)
{
    const int row = selectedRow();
    TMenuExeFiler *list = menu();
    if (!list || row < 0)
        return;
    const bool moved = step < 0 ? list->flytOp(row) : list->flytNed(row);
    if (!moved)
        return;
    loadListe2();
    listeForandret = true;
    if (QTreeWidgetItem *item = programListe->topLevelItem(row + step)) {
        programListe->setCurrentItem(item);
        item->setSelected(true);
    }
}

void TProgform::AGemExecute()
{
    TMenuExeFiler *list = menu();
    if (!list)
        return;
    list->GemProgrammer();
    list->HentProgrammer();
    toolHost()->loadProgramBox();
    listeForandret = false;
    SletNr = -1;
    fileText->clear();
    placeringEdit->clear();
    loadListe2();
}

// ---------------------------------------------------------------------------------------------
// Removing, asked inside the window

void TProgform::setRemovalAsked(bool asked)
{
    spmLabel->setVisible(asked);
    jaKnap->setVisible(asked);
    nejKnap->setVisible(asked);
    programListe->setEnabled(!asked);
    m_asking = asked;
    actions->updateAll();
}

void TProgform::ADelprogExecute()
{
    spmLabel->setText(QString("Vil du fjerne programmet\r" + fileText->text() + "?").replace(u'\r', u'\n'));
    setRemovalAsked(true);
}

void TProgform::nejKnapClick()
{
    setRemovalAsked(false);
}

void TProgform::jaKnapClick()
{
    TMenuExeFiler *list = menu();
    if (list && SletNr >= 0) {
        list->DeleteItem(SletNr);
        delete programListe->takeTopLevelItem(SletNr);
        SletNr = -1;
        list->GemProgrammer();
        visProgrammerExecute();
        placeringEdit->clear();
    }
    fileText->clear();
    setRemovalAsked(false);
    const int count = list ? list->filantal() : 0;
    progInfLabel->setText(count <= 0 ? QString("Indførte programmer")
                                     : QString::number(count) + " programmer");
    showProgramsPage();
    if (list)
        list->setAktuelleProgram(QString());
    if (toolHost()) {
        services::launcher()->setCurrentProgram(QString());
        services::status()->InfoProg(QString());
    }
    actions->updateAll();
}
