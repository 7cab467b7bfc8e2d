// Explorer window: the pages of visited folders and of favourite folders and files, and what
// their lists share: showing an entry in the file tree, moving and deleting entries.

#include "explorer/winform.h"

#include "core/danishorder.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/listrow.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "explorer/mainhost.h"
#include "explorer/navnesoegning.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kHistoryEmpty = "Der blev ikke fundet eksisterende emner i historielisten.";
const QString kFavouritesEmpty = "Der blev ikke fundet eksisterende emner i favoritlisten.";

// Enter or Space in a list runs `action` when it is enabled.
void keysRun(QListWidget *list, ActionList *actions, const char *action)
{
    for (const QKeySequence &key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Space)}) {
        auto *shortcut = new QShortcut(key, list, nullptr, nullptr, Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, list, [actions, action] {
            actions->updateAll();
            if (actions->action(action)->isEnabled())
                actions->action(action)->trigger();
        });
    }
}

// Command buttons in rows of at most three, so the page stays narrow beside the trees.
QVBoxLayout *buttonRow(ActionList *actions, QWidget *parent, std::initializer_list<const char *> names)
{
    auto *rows = new QVBoxLayout;
    rows->setSpacing(2);
    QHBoxLayout *row = nullptr;
    int inRow = 0;
    for (const char *name : names) {
        if (!row || inRow == 3) {
            row = new QHBoxLayout;
            row->setSpacing(2);
            rows->addLayout(row);
            inRow = 0;
        }
        row->addWidget(widgets::actionButton(actions->action(name), parent, {{}, Qt::ToolButtonTextOnly}));
        ++inRow;
    }
    if (row)
        row->addStretch();
    return rows;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Shared by the lists

void Twinform::tegnListe(QListWidget *list, bool mapper)
{
    // Folders: a green-grey square; files: the menu highlight.
    list->setItemDelegate(
        new ListRowDelegate(ListRowDelegate::Mark::Square,
                            mapper ? std::optional<QColor>(QColor(192, 220, 192)) : std::nullopt, list));
    list->setUniformItemSizes(true);
}

void Twinform::visIFilStruktur(const QString &path, bool activate)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    if (activate)
        setActiveTree(StrukturNr::filer);
    if (core::fileExists(path))
        mappeKontrol(struktur->SelectFil(path), true);
    else if (core::directoryExists(path))
        mappeKontrol(struktur->makeStruktur2(path), true);
}

void Twinform::visStruktur(QStringList folders, bool punkt)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    setActiveTree(StrukturNr::mapper);
    if (punkt)
        struktur->makePunktStruktur(folders);
    else
        struktur->makeHistoryStruktur(folders);
}

QString Twinform::currentFolder() const
{
    return metodeX->strukturY()->mappenavn();
}

QString Twinform::selectedFile()
{
    return activeTree() == StrukturNr::filer ? metodeX->strukturY()->getSelectedMedSti(StrukturNr::filer)
                                             : QString();
}

QString Twinform::selectedFilesAsArguments() const
{
    return activeTree() == StrukturNr::filer ? metodeX->strukturY()->makeParamString() : QString();
}

bool Twinform::flytValgte(TReopenFilerBase *liste, QListWidget *box, bool op)
{
    const int row = box->currentRow();
    if (row < 0 || row >= liste->antal() || !(op ? liste->flytOp(row) : liste->flytNed(row)))
        return false;
    liste->MakeListeMenu();
    box->setCurrentRow(op ? row - 1 : row + 1);
    return true;
}

bool Twinform::sletValgte(TReopenFilerBase *liste, QListWidget *box)
{
    const int row = box->currentRow();
    if (row < 0 || row >= liste->antal())
        return false;
    liste->DeleteItem(row);
    if (liste->antal() > 0)
        box->setCurrentRow(std::min(row, liste->antal() - 1));
    return true;
}

void Twinform::addListCommands(const ListCommands &c)
{
    auto box = c.box;
    auto liste = c.liste;
    auto changed = c.changed;
    auto selected = [this, box] { return (this->*box) && (this->*box)->currentRow() >= 0; };
    actions->add(
        c.op, "Op", {}, "Flyt valgte op",
        [this, box, liste, changed] {
            if (flytValgte(liste(), this->*box, true) && changed)
                changed();
        },
        [this, box] { return (this->*box) && (this->*box)->currentRow() > 0; });
    actions->add(
        c.ned, "Ned", {}, "Flyt valgte ned",
        [this, box, liste, changed] {
            if (flytValgte(liste(), this->*box, false) && changed)
                changed();
        },
        [this, box] {
            QListWidget *list = this->*box;
            return list && list->currentRow() >= 0 && list->currentRow() < list->count() - 1;
        });
    actions->add(
        c.slet, "Slet", {}, c.sletHint,
        [this, box, liste, changed] {
            if (sletValgte(liste(), this->*box) && changed)
                changed();
        },
        selected);
    actions->add(
        c.alle, "Ryd", {}, c.alleHint, [liste] { liste()->SletAlleItems(); },
        [liste] { return liste() && liste()->antal() > 0; });
}

// ---------------------------------------------------------------------------------------------
// Visited folders

QWidget *Twinform::buildHistoryPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH2");
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Besøgte mapper", page));
    HistorieListe = new QListWidget(page);
    HistorieListe->setObjectName("HistorieListe");
    tegnListe(HistorieListe, true);
    keysRun(HistorieListe, actions, "skiftHisDir");
    layout->addWidget(HistorieListe, 1);
    layout->addLayout(buttonRow(actions, page, {"hGem", "hHent", "hOp", "hNed", "hSlet", "hClearListe"}));
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(buttonRow(actions, page, {"hStruktur", "hStruktur2"}));
    auto *info = widgets::infoButton("hInformation", page);
    info->setToolTip("Information om Historielisten");
    connect(info, &QToolButton::clicked, this, [] { services::help()->InfoHelp("Besøgte mapper.html"); });
    bottom->addWidget(info);
    layout->addLayout(bottom);
    return page;
}

void Twinform::buildHistoryActions()
{
    actions->add(
        "skiftHisDir", "Vis", {}, "Vis valgte mappe", [this] { skiftHisDir(); },
        [this] { return HistorieListe && HistorieListe->currentRow() >= 0; });
    actions->add(
        "hGem", "Gem", {}, "Gem nuværende liste",
        [this] {
            historieDir->GemReopenFiler();
            HListeForandret = false;
            services::status()->UdskrivInfo("Listen er gemt!");
        },
        [this] { return HListeForandret; });
    actions->add("hHent", "Hent", {}, "Erstat nuværende liste med den tidligere gemte", [this] {
        if (!core::fileExists(historieDir->itemfile())) {
            messages::inform("Der blev ikke fundet en gemt historieliste.");
            return;
        }
        historieDir->HentReopenFiler();
        HListeForandret = false;
        services::status()->UdskrivInfo("Listen er hentet!");
    });
    addListCommands({"hOp", "hNed", "hSlet", "Slet valgte", "hClearListe", "Ryd hele listen",
                     [this] { return static_cast<TReopenFilerBase *>(historieDir); },
                     &Twinform::HistorieListe, [this] { HListeForandret = true; }});
    actions->add(
        "hStruktur", "Punkt", {}, "Fremstil en punktstruktur",
        [this] { listeStruktur(historieDir, true, false, false, kHistoryEmpty); },
        [this] { return historieDir && historieDir->antal() > 0; });
    actions->add(
        "hStruktur2", "Niveau", {}, "Fremstil en niveaustruktur",
        [this] { listeStruktur(historieDir, false, false, false, kHistoryEmpty); },
        [this] { return historieDir && historieDir->antal() > 0; });
}

// ---------------------------------------------------------------------------------------------
// Favourites

QWidget *Twinform::buildFavouritesPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH3");
    auto *layout = new QVBoxLayout(page);
    favoritBog = new QTabWidget(page);
    favoritBog->setObjectName("favoritBog");

    auto sub = [this](QListWidget *&list, const char *listName, QLineEdit *&edit, const char *editName,
                      const char *visName, const char *renameName, std::initializer_list<const char *> row1,
                      std::initializer_list<const char *> row2, const char *info, const char *helpPage) {
        auto *tab = new QWidget;
        auto *column = new QVBoxLayout(tab);
        list = new QListWidget(tab);
        list->setObjectName(listName);
        tegnListe(list, &list == &favoritliste);
        keysRun(list, actions, visName);
        column->addWidget(list, 1);
        auto *renameRow = new QHBoxLayout;
        edit = new QLineEdit(tab);
        edit->setObjectName(editName);
        edit->setToolTip("Indfør ny tekst til valgte punkt");
        connect(edit, &QLineEdit::returnPressed, this, [this, renameName] {
            actions->updateAll();
            if (actions->action(renameName)->isEnabled())
                actions->action(renameName)->trigger();
        });
        connect(edit, &QLineEdit::textChanged, actions, &ActionList::updateAll);
        renameRow->addWidget(edit, 1);
        renameRow->addWidget(
            widgets::actionButton(actions->action(renameName), tab, {{}, Qt::ToolButtonTextOnly}));
        column->addLayout(renameRow);
        column->addLayout(buttonRow(actions, tab, row1));
        column->addLayout(buttonRow(actions, tab, row2));
        auto *button = widgets::infoButton(info, tab);
        connect(button, &QToolButton::clicked, this, [helpPage] { services::help()->InfoHelp(helpPage); });
        column->addWidget(button, 0, Qt::AlignRight);
        return tab;
    };
    favoritBog->addTab(sub(favoritliste, "favoritliste", RenamMEdit, "RenamMEdit", "MLVisMappe",
                           "fRenameCaption", {"MLVisMappe", "fOp", "fNed", "fSletValgte", "fSletAlle"},
                           {"fKopier", "fStruktur", "fStruktur1"}, "mInformation", "Favoritmapper.html"),
                       "Mapper");
    favoritBog->addTab(sub(favfilerListe, "favfilerListe", RenamFEdit, "RenamFEdit", "FLVisMappe",
                           "FLRenameCaption", {"FLVisMappe", "FLop", "FLned", "FLsletValgte", "FLsletAlle"},
                           {"FLopen", "FLopenEdit", "FLopenProgram", "fLkopier", "fxStruktur", "fxStruktur1"},
                           "fInformation", "Favoritfiler.html"),
                       "Filer");
    layout->addWidget(favoritBog, 1);
    return page;
}

void Twinform::aInsertFavoritmappeExecute()
{
    favChanged = false;
    const QString path = mainHost() ? services::currentElement()->editSti() : aktuelleSti;
    if (core::fileExists(path)) {
        FavFiler->InsertItem(path, core::nameOf(path));
        FavFiler->GemReopenFiler();
        winBog->setCurrentIndex(2);
        favoritBog->setCurrentIndex(1);
    } else if (core::directoryExists(path)) {
        FavDir->InsertItem(path, mappeCaption(path));
        FavDir->GemReopenFiler();
        winBog->setCurrentIndex(2);
        favoritBog->setCurrentIndex(0);
    }
    actions->updateAll();
}

void Twinform::kopierFavorit(bool fil)
{
    QListWidget *box = fil ? favfilerListe : favoritliste;
    const QString path = (fil ? FavFiler : FavDir)->GetFilnavn(box->currentRow());
    if (fil ? !core::fileExists(path) : !core::directoryExists(path)) {
        messages::inform(fil ? "Filen kunne ikke findes.\rSlet eventuelt valgte element."
                             : "Mappen kunne ikke findes.\rSlet eventuelt valgte element.");
        return;
    }
    if (fil)
        metodeX->CopyListAdd(2, TMetodeCompo::getFilensImageIndex(path), path, true);
    else
        metodeX->CopyListAdd(1, 4, path, true);
    if (m_settings.showSettingsPage)
        winBog->setCurrentIndex(5);
}

void Twinform::buildFavouriteActions()
{
    actions->add(
        "aInsertFavoritmappe", "Favorit", QKeySequence("Ctrl+N"),
        "Indsæt aktuelle mappe eller fil i relevante favoritliste: Ctrl+N",
        [this] { aInsertFavoritmappeExecute(); },
        [this] { return favChanged && winBog && winBog->isTabVisible(2); });
    actions->action("aInsertFavoritmappe")->setIcon(QIcon::fromTheme("bookmark-new"));

    auto selected = [this](QListWidget *Twinform::*box) {
        return [this, box] { return (this->*box) && (this->*box)->currentRow() >= 0; };
    };
    // Folders.
    actions->add(
        "MLVisMappe", "Vis", {}, "Indstil Struktur 2 til valgte mappe",
        [this] { visIFilStruktur(FavDir->GetFilnavn(favoritliste->currentRow())); },
        selected(&Twinform::favoritliste));
    addListCommands({"fOp",
                     "fNed",
                     "fSletValgte",
                     "Slet valgte element fra listen",
                     "fSletAlle",
                     "Slet alle elementer fra listen",
                     [this] { return static_cast<TReopenFilerBase *>(FavDir); },
                     &Twinform::favoritliste,
                     {}});
    actions->add(
        "fRenameCaption", "Omdøb", {}, "Omdøb valgte elements tekst",
        [this] {
            FavDir->SetCaption(favoritliste->currentRow(), RenamMEdit->text());
            RenamMEdit->clear();
        },
        [this] { return favoritliste && favoritliste->currentRow() >= 0 && !RenamMEdit->text().isEmpty(); });
    actions->add(
        "fKopier", "Kopier", {}, "Indsæt valgte mappe i klipbordet", [this] { kopierFavorit(false); },
        selected(&Twinform::favoritliste));
    actions->add(
        "fStruktur", "Punkt", {}, "Fremstil en punktstruktur",
        [this] { listeStruktur(FavDir, true, false, false, kFavouritesEmpty); },
        [this] { return FavDir && FavDir->antal() > 0; });
    actions->add(
        "fStruktur1", "Niveau", {}, "Fremstil en niveaustruktur",
        [this] { listeStruktur(FavDir, false, false, false, kFavouritesEmpty); },
        [this] { return FavDir && FavDir->antal() > 0; });

    // Files.
    actions->add(
        "FLVisMappe", "Vis", {}, "Indstil Struktur 2 til valgte fils mappe",
        [this] { visIFilStruktur(FavFiler->GetFilnavn(favfilerListe->currentRow())); },
        selected(&Twinform::favfilerListe));
    addListCommands({"FLop",
                     "FLned",
                     "FLsletValgte",
                     "Slet valgte element fra listen",
                     "FLsletAlle",
                     "Slet alle elementer fra listen",
                     [this] { return static_cast<TReopenFilerBase *>(FavFiler); },
                     &Twinform::favfilerListe,
                     {}});
    actions->add(
        "FLRenameCaption", "Omdøb", {}, "Omdøb valgte elements tekst",
        [this] {
            FavFiler->SetCaption(favfilerListe->currentRow(), RenamFEdit->text());
            RenamFEdit->clear();
        },
        [this] {
            return favfilerListe && favfilerListe->currentRow() >= 0 && !RenamFEdit->text().isEmpty();
        });
    actions->add(
        "fLkopier", "Kopier", {}, "Indsæt valgte fil i klipbordet", [this] { kopierFavorit(true); },
        selected(&Twinform::favfilerListe));
    auto run = [this](int mode) {
        services::launcher()->runFilname(FavFiler->GetFilnavn(favfilerListe->currentRow()), mode);
    };
    actions->add(
        "FLopen", "Kør", {}, "Forsøg at køre valgte fil i listen", [run] { run(0); },
        selected(&Twinform::favfilerListe));
    actions->add(
        "FLopenEdit", "Rediger", {}, "Åben valgte fil i listen til redigering, hvis muligt",
        [run] { run(1); }, selected(&Twinform::favfilerListe));
    actions->add(
        "FLopenProgram", "Program", {}, "Kør aktive program med valgte fil som parameter",
        [this] {
            const QString path = FavFiler->GetFilnavn(favfilerListe->currentRow());
            if (mainHost() && core::fileExists(path))
                services::launcher()->OpenFilMedProgram(services::launcher()->currentProgram(),
                                                        "\"" + path + "\"");
        },
        [this] {
            return !services::launcher()->currentProgram().isEmpty() && favfilerListe &&
                   favfilerListe->currentRow() >= 0;
        });
    // The point structure of the files' folders leaves out repeated folders; the level one keeps them.
    actions->add(
        "fxStruktur", "Punkt", {}, "Fremstil en punktstruktur",
        [this] { listeStruktur(FavFiler, true, true, false, kFavouritesEmpty); },
        [this] { return FavFiler && FavFiler->antal() > 0; });
    actions->add(
        "fxStruktur1", "Niveau", {}, "Fremstil en niveaustruktur",
        [this] { listeStruktur(FavFiler, false, false, false, kFavouritesEmpty); },
        [this] { return FavFiler && FavFiler->antal() > 0; });
}

// ---------------------------------------------------------------------------------------------
// Shortcuts of the fixed place

QWidget *Twinform::buildShortcutsPanel(QWidget *page)
{
    m_genvejsMappe = mainHost() ? services::settings()->settings().shortcutsFolder : QString();
    if (m_genvejsMappe.isEmpty() || !core::directoryExists(m_genvejsMappe))
        return nullptr;
    auto *panel = new QGroupBox("Genveje i Fast placering", page);
    panel->setObjectName("genvejsPanel");
    auto *column = new QVBoxLayout(panel);
    genvejsListe = new QListWidget(panel);
    genvejsListe->setObjectName("genvejsListe");
    tegnListe(genvejsListe, false);
    keysRun(genvejsListe, actions, "runGenvej");
    connect(genvejsListe, &QListWidget::itemDoubleClicked, this, [this] {
        actions->updateAll();
        if (actions->action("runGenvej")->isEnabled())
            actions->action("runGenvej")->trigger();
    });
    column->addWidget(genvejsListe, 1);
    auto *row = new QHBoxLayout;
    row->addLayout(buttonRow(actions, panel, {"hentGenveje", "runGenvej", "visStifinder"}), 1);
    auto *info = widgets::infoButton("genvejsInfo", panel);
    connect(info, &QToolButton::clicked, this, [] {
        messages::inform("Genveje kan aktiveres herfra, hvis der er indført genveje i mappen \"Fast "
                         "placering.\"\rDet kan gøres med programmet \"Genveje\".\rDer er informationsfiler "
                         "om emnet genveje.");
    });
    row->addWidget(info);
    column->addLayout(row);
    return panel;
}

void Twinform::hentGenveje()
{
    genvejsListe->clear();
    std::vector<platform::FindData> entries;
    // A folder that cannot be read ends the reading quietly.
    platform::current().findFiles(m_genvejsMappe.toStdU16String(), entries, platform::FindDetail::NoSizes);
    core::sortEntriesDanish(entries);
    for (const platform::FindData &entry : entries) {
        const QString name = QString::fromStdU16String(entry.name);
        // The pattern "*lnk": any name that ends so.
        if (!name.endsWith("lnk", Qt::CaseInsensitive) ||
            (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) ||
            !core::fileExists(core::delimKon(m_genvejsMappe) + name))
            continue;
        const qsizetype dot = name.lastIndexOf(u'.');
        genvejsListe->addItem(dot > 0 ? name.left(dot) : name);
    }
    if (genvejsListe->count() == 0)
        messages::inform("Der blev ikke fundet nogen genveje i mappen til \"Fast placering\".");
}

void Twinform::buildShortcutActions()
{
    auto folderExists = [this] { return !m_genvejsMappe.isEmpty() && core::directoryExists(m_genvejsMappe); };
    actions->add(
        "hentGenveje", "Hent", {}, "Indlæser alle genveje anbragt i den faste placering",
        [this] { hentGenveje(); }, folderExists);
    actions->add(
        "runGenvej", "Kør", {}, "Kør valgte genvej",
        [this] {
            const QString path =
                core::delimKon(m_genvejsMappe) + genvejsListe->currentItem()->text() + ".lnk";
            if (!core::fileExists(path)) {
                messages::inform("Filen blev ikke fundet.");
                return;
            }
            services::launcher()->runFilname(path, 0);
        },
        [this, folderExists] { return genvejsListe && genvejsListe->currentItem() && folderExists(); });
    actions->add(
        "visStifinder", "Vis", {}, "Vis mappen i Stifinder",
        [this] {
            // The first explorer window shows the folder in its file tree.
            Twinform *first = mainHost() ? mainHost()->findExplorer("Stifinder 1") : nullptr;
            if (!first)
                first = this;
            if (mainHost())
                mainHost()->showExplorer(first);
            first->visIFilStruktur(m_genvejsMappe);
        },
        folderExists);
}
