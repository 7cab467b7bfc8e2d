// Main window: the help pages — showing a page in the information window, F1, the contents
// tree and its text search, the information buttons and the lists of shortcut keys.

#include "app/mainform.h"

#include "core/danishorder.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "core/textsearch.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "explorer/listeform.h"
#include "explorer/winform.h"
#include "gallery/galform.h"
#include "platform/Platform.h"
#include "structures/makestrukturer.h"
#include "structures/struktur.h"
#include "tools/calendar/kalenderform.h"
#include "tools/info/infoform.h"
#include "tools/mappestruktur/mappestrukturform.h"
#include "tools/programs/progform.h"
#include "tools/shortcuts/genvejform.h"
#include "tools/textsearch/findform.h"
#include "tools/wmi/waform.h"
#include "tools/wmi/wmiform.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <span>

namespace {

QString withoutExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

// A row of a key list: what it shows, and its page or its text.
struct KeyRow
{
    const char *key;
    const char *function;
    const char *page; // a help page, or none
    const char *text; // a text for the information dialog, or none
};

const char *const kOpdaterMapper = "Opdaterer mappestrukturen med aktuelle drev for valgte mappe.\r"
                                   "Valgte mappe udfoldes, hvis den indeholder mapper.";
const char *const kOpdaterAlle = "Opdaterer mappestrukturen med aktuelle drev for valgte mappe.\r"
                                 "Valgte mappe udfoldes, hvis den indeholder mapper.\r"
                                 "Alle registrerede drev medtages.";
const char *const kF9 =
    "Filer kan åbnes eller køres ved denne funktion, hvis der findes programmer dertil på "
    "computeren der er registreret af styresystemet som anvendelige dertil.\r\r"
    "Funktionen kan også aktiveres ved \"Ctrl+K\".\r\r"
    "Hvis der er indført programmer hertil kan filer også køres ved funktionen \"Program\" "
    "med genvejen \"Ctrl+P\".";
const char *const kAnnuller = "Tømmer klipbordet for alle valgte mapper og filer.\r"
                              "Kan benyttes, hvis klip eller kopiering skal annulleres.";
const char *const kMulti = "Anvendes til fil-mappe-strukturen, der har mulighed for multi-markering.";
const char *const kIkkeAnvendt = "Bogstavet er ikke anvendt til genveje.";

const KeyRow kFTaster[] = {
    {"F1", "Information", "zunStifinder.html", nullptr},
    {"F2", "Omdøb valgte mappe eller fil", "Omdøb.html", nullptr},
    {"F3", "Indfør sidst anvendte struktur", "Opret mappestrukturer.html", nullptr},
    {"F4", "Opdater mappestukturen", nullptr, kOpdaterMapper},
    {"F5", "Opdater mappestrukturen", nullptr, kOpdaterAlle},
    {"F6", "Opdater filstrukturen", nullptr,
     "Opdaterer mappe-fil strukturen.\rÅbner eventuelt en valgt mappe for at vise dens indhold."},
    {"F7", "Åben og luk toppanelet", nullptr,
     "Åbner eller lukker for redskabslinjen med fil og mappe funktioner.\r"
     "De fleste af funktionerne i redskabslinjen vises også i popup-menuerne til strukturene."},
    {"F8", "Åben og luk venstre panel", nullptr,
     "Åbner eller lukker for venstre panel.\rHvis panelet er lukket, eller siden med programmer ikke er "
     "valgt, kan programmerne åbnes fra drop-down-menuen i øverste venstre hjørne af selve programmet."},
    {"F9", "Åben eller kør valgte fil", nullptr, kF9},
    {"F10", "Åben og vis programsiden", nullptr, "Åbner og viser programsiden i venstre panel."},
};

const KeyRow kFunktioner[] = {
    {"Ctrl+Z", "Annuller kopiering", nullptr, kAnnuller},
    {"Ctrl+X", "Klipper til klipbord", "Klip.html", nullptr},
    {"Ctrl+C", "Kopierer til klipbord", "Kopier.html", nullptr},
    {"Ctrl+V", "Indsætter fra klipbord", "Sæt ind.html", nullptr},
    {"Ctrl+D", "Sletter til papirkurv", "Slet til papirkurv.html", nullptr},
    {"Shift+Del", "Sletter permanent", "Slet permanent.html", nullptr},
    {"F2", "Omdøb mappe eller fil", "Omdøb.html", nullptr},
    {"Ctrl+O", "Omdøb ved boks", "Omdøb.html", nullptr},
    {"Ctrl+M", "Ny mappe", "Ny mappe.html", nullptr},
    {"Ctrl+E", "Egenskaber", "Mappe egenskaber.html", nullptr},
    {"Ingen", "Ny fil", "Ny fil.html", nullptr},
    {"Ctrl+U", "Omdøb filefternavne", "Omdøb filtype.html", nullptr},
    {"Ctrl+Alt+O", "Skift opdatering", nullptr,
     "Skifter opdateringsmetode for funktionerne.\rRød: blokerer funktioner\rBlå: blokerer ikke funktioner."},
};

const KeyRow kCtrl[] = {
    {"A", "Marker alle mapper og filer", nullptr, kMulti},
    {"B", "Ikke anvendt", nullptr, kIkkeAnvendt},
    {"C", "Kopier valgte elementer", "Kopier.html", nullptr},
    {"D", "Slet til papirkurv", "Slet til papirkurv.html", nullptr},
    {"E", "Drev, mappe og fil egenskaber", "Mappe egenskaber.html", nullptr},
    {"F", "Fjern alle markeringer", nullptr, kMulti},
    {"G", "Gemmer aktuelle mappestruktur", nullptr,
     "Gemmer aktuelle mappestruktur, altså strukturen i struktur 1."},
    {"H", "Henter gemte mappestruktur", nullptr,
     "Henter gemte mappestruktur, der vises i struktur 1.\rFremstillingsmetoden kan bestemmes under "
     "\"Programegenskaber/Hjemmelavede strukturer\"."},
    {"I", "Inverterer markeringen", nullptr, kMulti},
    {"J", "Ikke anvendt", nullptr, kIkkeAnvendt},
    {"K", "Åbner fil i andet program", nullptr, kF9},
    {"L", "Ikke anvendt", nullptr, kIkkeAnvendt},
    {"M", "Opretter ny mappe", "Ny mappe.html", nullptr},
    {"N", "Indsætter valgte i favoritliste", nullptr,
     "Indsætter valgte mappe eller fil i relevante favoritliste."},
    {"O", "Omdøb ved boks", "Omdøb.html", nullptr},
    {"P", "Åben med program", nullptr, "Forsøger at åbne fil ved indført og valgt program."},
    {"Q", "Lukker programmet", nullptr, "Lukker programmet."},
    {"R", "Åbner til redigering", nullptr, "Forsøger at åbne valgte fil til redigering i relevant program."},
    {"S", "Aktiver eller åben en Stifinder", nullptr,
     "Aktiverer en Stifinder.\rHvis der ikke er en Stifinder åben, åbnes en Stifinder med tilhørende "
     "Klipbord."},
    {"T", "Tilføj mappe til struktur", "Opret mappestrukturer.html",
     "Tilføjer en valgt mappe til programmet \"Mappestrukturer\", også kaldet \"Tilføj\" som funktion."},
    {"U", "Omdøb filtype", "Omdøb filtype.html", nullptr},
    {"V", "Indsæt fra klipbord", "Sæt ind.html", nullptr},
    {"X", "Klipper til klipbord", "Klip.html", nullptr},
    {"Y", "Ikke anvendt", nullptr, kIkkeAnvendt},
    {"Z", "Annuller kopiering", nullptr, kAnnuller},
};

const char *const kProgramFunktioner[] = {"Klipbord",
                                          "Filfinder med Klipbord",
                                          "Genveje til oprettelse af genveje",
                                          "Indfør program",
                                          "Opret mappestrukturer",
                                          "Søg i tekstdokumenter",
                                          "Galleri til jpg, ico samt bmp filer",
                                          "Kalender med funktioner",
                                          "WMI",
                                          "Window applets"};
const char *const kProgramSider[] = {"Klipbordet.html",
                                     "Stifinderen.html",
                                     "Genveje.html",
                                     "Indfør programmer.html",
                                     "Opret mappestrukturer.html",
                                     "Søg i tekstfiler.html",
                                     "Billeder.html",
                                     "Kalender.html",
                                     "WMI.html",
                                     "Applets.html"};

// Enter and Space in a list or tree act as its double click.
class ActivateKeys : public QObject
{
public:
    ActivateKeys(QObject *parent, std::function<void()> activate)
        : QObject(parent)
        , m_activate(std::move(activate))
    {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                m_activate();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> m_activate;
};

QTreeWidget *keyList(const char *name, const QStringList &headers, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return list;
}

// The contents list: its groups and rows, and what a click on a row does (a page of the left
// panel, a help page, or nothing).
const char *const kIndholdGrupper[] = {"Programmer", "Udvalgte programmer", "Søg på nettet",  "Notater",
                                       "Egenskaber", "Information",         "Program genveje"};
struct IndholdRow
{
    int group;
    const char *text;
    int page;         // a page of the left panel, or -1
    const char *help; // a help page, or none
};
const IndholdRow kIndhold[] = {
    {0, "Programmer med funktioner", 0, nullptr},
    {0, "Opret genveje", -1, "Genveje.html"},
    {0, "Indfør programmer", -1, "Indfør programmer.html"},
    {0, "Opret egne mappestrukturer", -1, "Opret mappestrukturer.html"},
    {0, "Søg efter tekst i tekstfiler", -1, "Søg i tekstfiler.html"},
    {0, "Billeder, Kalender, WMI og Applets", -1, nullptr},
    {1, "Udvalgte programmer", 1, nullptr},
    {1, "Der kan indføres programmer", -1, "Indfører et program.html"},
    {2, "Søg på nettet", 2, nullptr},
    {3, "Skriv notater", 3, nullptr},
    {4, "Program egenskaber", 4, nullptr},
    {5, "Program information", 5, nullptr},
    {6, "Program genveje", 6, nullptr},
    {2, "Søg med Google, Bing eller på YouTube", -1, "Søg på nettet.html"},
    {3, "Til smånotater og beskeder", -1, "Notater.html"},
    {4, "Lidt design og funktion", -1, "Egenskaber1.html"},
    {5, "Hele informationsstrukturen", -1, nullptr},
    {6, "Viser grupperede genveje", -1, "Program genveje.html"},
    {1, "Filer kan startes op med program", -1, "Programmer.html"},
    {4, "Struktur og klipbord", -1, "Egenskaber2.html"},
};

} // namespace

void Tmainform::visSide(int page, int genvejsPage)
{
    showMainPanel();
    Hovedbog->setCurrentIndex(page);
    if (page == 5)
        infoBogen->setCurrentIndex(0);
    if (page == 6 && genvejsPage >= 0)
        genvejsBog->setCurrentIndex(genvejsPage);
    HovedbogChange();
}

void Tmainform::indholdKlik(QTreeWidgetItem *item)
{
    const int row = item ? item->data(0, Qt::UserRole).toInt() : -1;
    if (item)
        item->setSelected(false);
    if (row < 0 || row >= int(std::size(kIndhold)))
        return;
    const IndholdRow &r = kIndhold[row];
    if (r.page >= 0)
        Hovedbog->setCurrentIndex(r.page);
    else if (r.help)
        InfoHelp(QString::fromUtf8(r.help));
    HovedbogChange();
}

void Tmainform::foldIndhold(bool ud)
{
    if (QTreeWidgetItem *current = indholdsListe->currentItem())
        current->setSelected(false);
    for (int i = 0; i < indholdsListe->topLevelItemCount(); ++i)
        indholdsListe->topLevelItem(i)->setExpanded(ud);
}

Tinfoform *Tmainform::openInfoform()
{
    if (infoform) {
        if (auto *child = qobject_cast<QMdiSubWindow *>(infoform->parentWidget())) {
            child->show();
            clientArea->setActiveSubWindow(child);
        } else {
            infoform->show();
            infoform->raise();
        }
        return infoform;
    }
    auto *tool = new Tinfoform(openInfo->itemIndex() == 0);
    tool->infoDir = infoDir;
    tool->nodeTekst = [this](const QString &name) { return Struktur->getNodeTekst(name); };
    tool->infoHelp = [this](const QString &page) { InfoHelp(page); };
    placeTool(tool, openInfo);
    return tool;
}

void Tmainform::InfoHelp(const QString &page)
{
    Tinfoform *window = openInfoform();
    if (!window)
        return;
    window->LoadHjemmeside(page);
    const QString name = withoutExtension(page);
    for (QTreeWidgetItem *node : Struktur->allNodes()) {
        if (node->text(0).compare(name, Qt::CaseInsensitive) == 0) {
            Struktur->setCurrentItem(node);
            node->setSelected(true);
            node->setExpanded(true);
            StrukturClick();
            break;
        }
    }
}

void Tmainform::InfoStruk(const QString &side, const QString &tekst)
{
    Tinfoform *window = openInfoform();
    if (!window)
        return;
    window->LoadHjemmeside(side);
    HintInfo(tekst);
}

void Tmainform::StrukturClick()
{
    QTreeWidgetItem *node = Struktur->currentItem();
    if (!node || !node->isSelected())
        return;
    const QString name = Struktur->SelectedData();
    if (!name.isEmpty())
        InfoStruk(name + ".html", name);
}

void Tmainform::aInfoExecute()
{
    QMdiSubWindow *active = clientArea->activeSubWindow();
    QWidget *window = active ? active->widget() : nullptr;
    if (clientArea->subWindowList().isEmpty() || !window) {
        InfoHelp("zunStifinder.html");
        return;
    }
    if (auto *explorer = qobject_cast<Twinform *>(window)) {
        // The page of the tree in use.
        const bool folders = explorer->activeTree() == StrukturNr::mapper;
        InfoHelp(folders ? "Mappestrukturen.html" : "Filstrukturen.html");
        return;
    }
    QString page;
    if (qobject_cast<Tlisteform *>(window))
        page = "Klipbordet.html";
    else if (qobject_cast<Tgenvejform *>(window))
        page = "Genveje.html";
    else if (qobject_cast<TProgform *>(window))
        page = "Indfør programmer.html";
    else if (qobject_cast<Tmappestrukturform *>(window))
        page = "Opret mappestrukturer.html";
    else if (qobject_cast<Tfindform *>(window))
        page = "Søg i tekstfiler.html";
    else if (qobject_cast<TGalForm *>(window))
        page = "Billeder.html";
    else if (qobject_cast<Tkalenderform *>(window))
        page = "Kalender.html";
    else if (qobject_cast<TwmiForm *>(window))
        page = "WMI.html";
    else if (qobject_cast<TwaForm *>(window))
        page = "Applets.html";
    if (!page.isEmpty()) {
        InfoHelp(page);
        return;
    }
    if (infoform && infoform->showInternt)
        openInfoform();
    else
        InfoHelp("zunStifinder.html");
}

void Tmainform::informationsKnappenClick()
{
    QString page;
    switch (Hovedbog->currentIndex()) {
    case 0:
        page = funkBog->currentIndex() == 2 ? "Dos.html" : "Programmer med funktioner.html";
        break;
    case 1:
        page = "Programmer.html";
        break;
    case 2:
        page = "Søg på nettet.html";
        break;
    case 3:
        page = "Notater.html";
        break;
    case 4:
        if (Programbog->currentIndex() == 4) {
            messages::inform("Tabbene vises i venstre side af panelet.\r\rSiderne \"Søg på nettet\", "
                             "\"Notater\",\"Program genveje\" samt \"Indhold\" kan vises eller skjules.");
            return;
        }
        page = "Egenskaber" + QString::number(Programbog->currentIndex() + 1) + ".html";
        break;
    case 5:
        page = "zunStifinder.html";
        break;
    case 6:
        page = "Program genveje.html";
        break;
    case 7:
        messages::inform("Indholdsstruktur med informations genveje.");
        return;
    default:
        return;
    }
    InfoHelp(page);
}

void Tmainform::aSearchExecute()
{
    findis->clear();
    QCoreApplication::processEvents();
    const QString needle = EditFind->text();
    if (needle.isEmpty()) {
        messages::inform("Der mangler en søgetekst.");
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<platform::FindData> entries;
    const QString folder = core::withoutTrailingBackslash(infoDir);
    if (platform::current().findFiles(folder.toStdU16String(), entries, platform::FindDetail::Kinds)) {
        QStringList names;
        for (const platform::FindData &entry : entries) {
            const QString name = QString::fromStdU16String(entry.name);
            if (name == "." || name == ".." || (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY))
                continue;
            const QString path = infoDir + name;
            if (!core::fileExists(path))
                continue;
            // The page as plain text, markup included, so a word of the markup finds it too.
            QList<core::TextHit> hits;
            if (core::searchDocument(path, needle, {true, false}, {}, hits) && !hits.isEmpty())
                names.append(withoutExtension(name));
        }
        core::sortDanish(names);
        findis->addItems(names);
    }
    QApplication::restoreOverrideCursor();
}

void Tmainform::buildHelpPages()
{
    // Page "Søg" of the contents: a word searched in every page.
    auto *soeg = infoBogen->widget(1);
    auto *soegLayout = new QVBoxLayout(soeg);
    EditFind = new QLineEdit(soeg);
    EditFind->setObjectName("EditFind");
    EditFind->setPlaceholderText("Søgeord");
    auto *findButton = new QToolButton(soeg);
    findButton->setDefaultAction(actions->action("aSearch"));
    findButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(EditFind, &QLineEdit::textChanged, actions, [this] { actions->updateAll(); });
    connect(EditFind, &QLineEdit::returnPressed, this, [this] {
        if (!EditFind->text().isEmpty())
            aSearchExecute();
    });
    auto *findRow = new QHBoxLayout;
    findRow->addWidget(EditFind, 1);
    findRow->addWidget(findButton);
    soegLayout->addLayout(findRow);
    findis = new QListWidget(soeg);
    findis->setObjectName("findis");
    soegLayout->addWidget(findis, 1);
    const auto showFound = [this] {
        if (QListWidgetItem *item = findis->currentItem())
            InfoHelp(item->text() + ".html");
    };
    connect(findis, &QListWidget::itemDoubleClicked, this, showFound);
    findis->installEventFilter(new ActivateKeys(findis, showFound));

    // The contents tree: a click shows the node's page, so do Enter and Space.
    connect(Struktur, &QTreeWidget::itemClicked, this, [this] { StrukturClick(); });
    Struktur->installEventFilter(new ActivateKeys(Struktur, [this] { StrukturClick(); }));

    // The four lists of shortcut keys.
    struct ListDef
    {
        const char *name;
        QStringList headers;
        std::span<const KeyRow> rows;
        int page;
    };
    const ListDef lists[] = {{"ListeGenvejstaster2", {"Genvej", "Funktion"}, kFunktioner, 0},
                             {"ListeGenvejstaster1", {"Tast", "Funktion"}, kFTaster, 2},
                             {"ListeGenvejstaster3", {"Tast", "Funktion"}, kCtrl, 3}};
    for (const ListDef &def : lists) {
        QWidget *page = genvejsBog->widget(def.page);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        QTreeWidget *list = keyList(def.name, def.headers, page);
        for (const KeyRow &row : def.rows)
            new QTreeWidgetItem(list, {QString::fromUtf8(row.key), QString::fromUtf8(row.function)});
        layout->addWidget(list);
        const std::span<const KeyRow> rows = def.rows;
        const auto activate = [this, list, rows] {
            const int index = list->indexOfTopLevelItem(list->currentItem());
            if (index < 0 || index >= int(rows.size()))
                return;
            const KeyRow &row = rows[size_t(index)];
            if (row.text)
                messages::inform(QString::fromUtf8(row.text));
            if (row.page)
                InfoHelp(QString::fromUtf8(row.page));
        };
        connect(list, &QTreeWidget::itemDoubleClicked, this, activate);
        list->installEventFilter(new ActivateKeys(list, activate));
    }
    {
        QWidget *page = genvejsBog->widget(1);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        QTreeWidget *list = keyList("ListeGenvejstaster4", {"Ctrl+", "Funktion"}, page);
        for (int i = 0; i < 10; ++i)
            new QTreeWidgetItem(list, {QString::number(i), QString::fromUtf8(kProgramFunktioner[i])});
        layout->addWidget(list);
        const auto activate = [this, list] {
            const int index = list->indexOfTopLevelItem(list->currentItem());
            if (index >= 0 && index < 10)
                InfoHelp(QString::fromUtf8(kProgramSider[index]));
        };
        connect(list, &QTreeWidget::itemDoubleClicked, this, activate);
        list->installEventFilter(new ActivateKeys(list, activate));
    }
    for (int i = 0; i < 10; ++i)
        new QTreeWidgetItem(progInfoListe,
                            {i == 2 ? QString("Opret genvej") : QString::fromUtf8(kProgramFunktioner[i])});
    const auto activateProg = [this] {
        const int index = progInfoListe->indexOfTopLevelItem(progInfoListe->currentItem());
        if (index >= 0 && index < 10)
            InfoHelp(QString::fromUtf8(kProgramSider[index]));
    };
    connect(progInfoListe, &QTreeWidget::itemDoubleClicked, this, activateProg);
    progInfoListe->installEventFilter(new ActivateKeys(progInfoListe, activateProg));

    // The contents tree's own buttons and its count of nodes.
    auto *strukturSide = new QWidget;
    auto *strukturLayout = new QVBoxLayout(strukturSide);
    strukturLayout->setContentsMargins(0, 0, 0, 0);
    auto *knapper = new QHBoxLayout;
    auto *expandKnap = new QToolButton(strukturSide);
    expandKnap->setObjectName("expandKnap");
    expandKnap->setIcon(QIcon::fromTheme("list-add"));
    expandKnap->setToolTip("Udfold struktur");
    connect(expandKnap, &QToolButton::clicked, Struktur, &QTreeWidget::expandAll);
    auto *collapseKnap = new QToolButton(strukturSide);
    collapseKnap->setObjectName("collapseKnap");
    collapseKnap->setIcon(QIcon::fromTheme("list-remove"));
    collapseKnap->setToolTip("Sammenfold struktur");
    connect(collapseKnap, &QToolButton::clicked, Struktur, &QTreeWidget::collapseAll);
    antalLabel = new QLabel(strukturSide);
    antalLabel->setObjectName("antalLabel");
    knapper->addWidget(expandKnap);
    knapper->addWidget(collapseKnap);
    knapper->addWidget(antalLabel, 1);
    strukturLayout->addLayout(knapper);
    infoBogen->removeTab(0);
    strukturLayout->addWidget(Struktur, 1);
    Struktur->show(); // taking it out of the tab widget hid it
    infoBogen->insertTab(0, strukturSide, "Struktur");
    infoBogen->setCurrentIndex(0);

    // Page "Indhold": the contents list in groups that fold.
    auto *indholdLayout = new QVBoxLayout(oversigtSide);
    indholdLayout->setContentsMargins(0, 0, 0, 0);
    auto *foldRow = new QHBoxLayout;
    auto *foldUd = new QPushButton("Fold alle ud", oversigtSide);
    foldUd->setToolTip("Udfold struktur");
    auto *foldSammen = new QPushButton("Fold alle sammen", oversigtSide);
    foldSammen->setToolTip("Sammenfold struktur");
    connect(foldUd, &QPushButton::clicked, this, [this] { foldIndhold(true); });
    connect(foldSammen, &QPushButton::clicked, this, [this] { foldIndhold(false); });
    foldRow->addWidget(foldUd);
    foldRow->addWidget(foldSammen);
    foldRow->addStretch(1);
    indholdLayout->addLayout(foldRow);
    indholdsListe = new QTreeWidget(oversigtSide);
    indholdsListe->setObjectName("indholdsListe");
    indholdsListe->setHeaderHidden(true);
    QList<QTreeWidgetItem *> grupper;
    for (const char *gruppe : kIndholdGrupper) {
        auto *item = new QTreeWidgetItem(indholdsListe, {QString::fromUtf8(gruppe)});
        item->setFlags(Qt::ItemIsEnabled);
        QFont font = item->font(0);
        font.setBold(true);
        item->setFont(0, font);
        grupper.append(item);
    }
    for (int row = 0; row < int(std::size(kIndhold)); ++row) {
        auto *item =
            new QTreeWidgetItem(grupper[kIndhold[row].group], {QString::fromUtf8(kIndhold[row].text)});
        item->setData(0, Qt::UserRole, row);
    }
    connect(indholdsListe, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item->parent())
            indholdKlik(item);
    });
    connect(indholdsListe, &QTreeWidget::itemDoubleClicked, this,
            [](QTreeWidgetItem *item) { item->setSelected(false); });
    indholdLayout->addWidget(indholdsListe, 1);
    foldIndhold(false);

    informationsKnappen->setEnabled(true);
    genvejsinfoButton->setEnabled(true);
    connect(informationsKnappen, &QToolButton::clicked, this, [this] { informationsKnappenClick(); });
    connect(genvejsinfoButton, &QToolButton::clicked, this, [this] { InfoHelp("Genvejstaster.html"); });
}
