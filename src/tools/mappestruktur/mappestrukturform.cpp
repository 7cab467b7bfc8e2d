#include "tools/mappestruktur/mappestrukturform.h"

#include "core/filenames.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/listrow.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "structures/mappestrukturfiler.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

Tmappestrukturform *Mappestrukturform = nullptr;

namespace {

QString strukturDir()
{
    return services::folders()->mappestrukturMappe();
}

bool redigeres()
{
    return services::structureMenu()->msRedigeret();
}

void setRedigeres(bool edited)
{
    services::structureMenu()->setMsRedigeret(edited);
}

QListWidget *liste(const QString &name, const QString &hint, QColor farve, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setToolTip(hint);
    list->setStatusTip(hint);
    list->setItemDelegate(new ListRowDelegate(ListRowDelegate::Mark::Circle, farve, list));
    list->setUniformItemSizes(true);
    return list;
}

QStringList itemsOf(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

const QColor kLysGroen(0x90, 0xee, 0x90);
const QColor kLysBlaa(0xad, 0xd8, 0xe6);

} // namespace

Tmappestrukturform::Tmappestrukturform(bool internal, QWidget *parent)
    : TToolForm("Mappestruktur", internal, parent)
{
    setObjectName("Mappestrukturform");
    buildActions();
    buildUi();
    strukturBog->setCurrentIndex(0);
    if (!showInternt) {
        optFilnavn = core::delimKon(services::folders()->optMappe()) + "mappestruktur.txt";
        hentOpt();
    }
    Mappestrukturform = this;
}

Tmappestrukturform::~Tmappestrukturform()
{
    if (Mappestrukturform == this)
        Mappestrukturform = nullptr;
}

void Tmappestrukturform::buildActions()
{
    actions = new ActionList(this);
    auto harMapper = [this] { return mappeListe->count() > 0; };
    auto harValgt = [this] { return !valgtStruktur().isEmpty(); };
    actions->add(
        "aPunktstruktur", "Punktstruktur", {}, "Konstruer en punktstruktur", [this] { visSomStruktur(true); },
        harMapper);
    actions->add(
        "aNiveaustruktur", "Niveaustruktur", {}, "Konstruer en niveaustruktur",
        [this] { visSomStruktur(false); }, harMapper);
    actions->add(
        "aSletValgte", "Slet valgte", {}, "Slet valgte struktur", [this] { sletValgte(); }, harValgt);
    actions->add(
        "aRedigerValgte", "Rediger valgte", {}, QString(), [this] { redigerValgte(); }, harValgt);
    actions->add("aOpdater", "Opdater", {}, "Genindlæs mappestrukturer", [this] { opdater(); });
    actions->add("aVisMappe", "Vis mappe", {}, "Vis mappen hvor strukturfilerne ligger",
                 [this] { visMappen(); });
    actions->add(
        "aGemStrukturen", "Gem strukturen", {}, "Gem strukturen med valgte navn", [this] { gemStrukturen(); },
        [this] { return redigeres() && !navnEdit->text().isEmpty(); });
    actions->add("aKlargoer", "Klargør til ny", {},
                 "Klargør til helt ny struktur: Husk at gemme først, hvis noget er forandret!",
                 [this] { klargoerTilNy(); });
    actions->add(
        "aFjernMappe", "Fjern mappe", {}, "Fjern valgte mappe fra strukturen", [this] { fjernMappe(); },
        [this] { return editRow() >= 0; });
    actions->add(
        "aOP", "OP", {}, "Flyt valgte element op", [this] { flyt(-1); }, [this] { return editRow() > 0; });
    actions->add(
        "aNed", "Ned", {}, "Flyt valgte element ned", [this] { flyt(1); },
        [this] {
            const int row = editRow();
            return row >= 0 && row < strukturListeMapper->count() - 1;
        });
    actions->add(
        "aAktuelleMappe", "Aktuelle mappe", {}, "Indfør aktuelle mappe i strukturen",
        [this] { aktuelleMappe(); },
        [] { return toolHost() && core::directoryExists(services::currentElement()->editSti()); });
    actions->add("aLuk", "Luk", {}, QString(), [this] { closeWindow(); });
    actions->add("aPanel", QString(), {}, "Åben eller luk venstre panel", [this] { panelKnapClick(); });
    actions->add("aInformation", "Information", {}, QString(),
                 [] { services::help()->InfoHelp("Opret mappestrukturer.html"); });
}

void Tmappestrukturform::buildUi()
{
    auto button = [this](const char *name, QWidget *parent, const char *icon = nullptr) {
        QToolButton *b = widgets::actionButton(
            actions->action(name), parent,
            {icon ? icon : "", icon ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextOnly});
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        return b;
    };
    auto *outer = new QVBoxLayout(this);
    auto *body = new QHBoxLayout;
    outer->addLayout(body, 1);

    // Left: the saved structures.
    venstrePanel = new QGroupBox("Eksisterende strukturer", this);
    venstrePanel->setObjectName("venstrePanel");
    venstrePanel->setFixedWidth(280);
    auto *left = new QVBoxLayout(venstrePanel);
    strukturListe = liste("strukturListe", "Indførte strukturer", kLysGroen, venstrePanel);
    left->addWidget(strukturListe, 1);
    auto *grid = new QGridLayout;
    auto *aktiver = new QLabel("Aktiver valgte", venstrePanel);
    aktiver->setAlignment(Qt::AlignCenter);
    grid->addWidget(aktiver, 0, 0, 1, 2);
    grid->addWidget(button("aPunktstruktur", venstrePanel, "view-list-details"), 1, 0);
    grid->addWidget(button("aNiveaustruktur", venstrePanel, "view-list-tree"), 1, 1);
    grid->addWidget(button("aSletValgte", venstrePanel, "edit-delete"), 2, 0);
    grid->addWidget(button("aRedigerValgte", venstrePanel, "document-edit"), 2, 1);
    grid->addWidget(button("aOpdater", venstrePanel, "view-refresh"), 3, 0);
    grid->addWidget(button("aVisMappe", venstrePanel, "folder-open"), 3, 1);
    left->addLayout(grid);
    body->addWidget(venstrePanel);

    // Right: the folders of a structure, and the structure being edited.
    auto *right = new QVBoxLayout;
    auto *heading = new QLabel("Mappestrukturer", this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);
    right->addWidget(heading);
    strukturBog = new QTabWidget(this);
    strukturBog->setObjectName("strukturBog");
    mappeListe = liste("mappeListe", "Indførte mapper", kLysBlaa, strukturBog);
    strukturBog->addTab(mappeListe, "Strukturer");
    auto *edit = new QWidget(strukturBog);
    auto *editLayout = new QVBoxLayout(edit);
    strukturListeMapper = liste("strukturListeMapper", QString(), kLysGroen, edit);
    editLayout->addWidget(strukturListeMapper, 1);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Strukturnavn", edit));
    navnEdit = new QLineEdit(edit);
    navnEdit->setObjectName("navnEdit");
    navnEdit->setPlaceholderText("Indfør strukturnavn og gem");
    nameRow->addWidget(navnEdit, 1);
    nameRow->addWidget(button("aGemStrukturen", edit, "document-save"));
    editLayout->addLayout(nameRow);
    auto *editButtons = new QHBoxLayout;
    for (const auto &[name, icon] : {std::pair{"aKlargoer", "document-new"},
                                     {"aFjernMappe", "list-remove"},
                                     {"aOP", "go-up"},
                                     {"aNed", "go-down"},
                                     {"aAktuelleMappe", "list-add"}})
        editButtons->addWidget(button(name, edit, icon));
    editLayout->addLayout(editButtons);
    strukturBog->addTab(edit, "Opret og rediger strukturer");
    right->addWidget(strukturBog, 1);
    body->addLayout(right, 1);

    // Bottom: an explorer window, closing, the panel and the help page.
    auto *bottom = new QHBoxLayout;
    if (QAction *visStifinder = services::pages()->mainAction("aVisStifinder"))
        bottom->addWidget(
            widgets::actionButton(visStifinder, this, {"folder-open", Qt::ToolButtonTextBesideIcon}));
    bottom->addStretch();
    QToolButton *panel = widgets::actionButton(actions->action("aPanel"), this, {"view-split-left-right"});
    QToolButton *info = widgets::actionButton(actions->action("aInformation"), this,
                                              {"help-about", Qt::ToolButtonTextBesideIcon});
    // Inside the main window its own panel and help buttons give way to the main window's.
    panel->setVisible(!showInternt);
    info->setVisible(!showInternt);
    bottom->addWidget(panel);
    bottom->addWidget(info);
    bottom->addWidget(
        widgets::actionButton(actions->action("aLuk"), this, {"window-close", Qt::ToolButtonTextBesideIcon}));
    outer->addLayout(bottom);

    // After the selection has changed, not when the current row does: a mouse click moves the
    // current row before it selects, and the structure is read by its selected name.
    connect(strukturListe, &QListWidget::itemSelectionChanged, this, [this] { strukturListeClick(); });
    connect(mappeListe, &QListWidget::itemDoubleClicked, this, [this] { mappeListeDblClick(); });
    connect(navnEdit, &QLineEdit::textEdited, this, [this] {
        if (strukturListeMapper->count() > 0)
            redigeret();
    });
}

// ---------------------------------------------------------------------------------------------
// Options

void Tmappestrukturform::hentOpt()
{
    int left = kDefaultLeft, top = kDefaultTop, height = kDefaultHeight, width = kDefaultWidth;
    bool panel = true;
    const auto lines = core::readLines(optFilnavn);
    if (lines && lines->size() == kOptionLines) {
        bool ok[4] = {};
        const int values[4] = {lines->at(0).toInt(&ok[0]), lines->at(1).toInt(&ok[1]),
                               lines->at(2).toInt(&ok[2]), lines->at(3).toInt(&ok[3])};
        // A line that is no number, or a size no window can have, leaves the defaults.
        if (ok[0] && ok[1] && ok[2] && ok[3] && values[2] > 100 && values[3] > 200 && values[2] < 20000 &&
            values[3] < 20000) {
            left = values[0];
            top = values[1];
            height = values[2];
            width = values[3];
            panel = lines->at(4) != "0";
        }
    }
    move(left, top);
    resize(width, height);
    m_fuldBredde = panel ? width : width + venstrePanel->width();
    venstrePanel->setVisible(panel);
}

void Tmappestrukturform::gemOpt()
{
    core::writeLines(optFilnavn, {QString::number(x()), QString::number(y()), QString::number(height()),
                                  QString::number(width()), venstrePanel->isHidden() ? "0" : "1"});
}

void Tmappestrukturform::closeEvent(QCloseEvent *event)
{
    if (redigeres() && !messages::ask("Den hjemmelavede struktur er ikke gemt. Hvis der lukkes, går "
                                      "ændringerne tabt.\rSkal der lukkes alligevel?")) {
        event->ignore();
        return;
    }
    setRedigeres(false);
    TToolForm::closeEvent(event);
}

// ---------------------------------------------------------------------------------------------
// The saved structures

void Tmappestrukturform::setStrukturer(const QStringList &names)
{
    const QSignalBlocker blocker(strukturListe);
    strukturListe->clear();
    strukturListe->addItems(names);
}

QString Tmappestrukturform::valgtStruktur() const
{
    QListWidgetItem *item = strukturListe->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void Tmappestrukturform::strukturListeClick()
{
    const QString name = valgtStruktur();
    if (name.isEmpty())
        return;
    mappeListe->clear();
    const QString file = mappestruktur::filnavn(strukturDir(), name);
    const auto indhold = mappestruktur::hent(file);
    if (!indhold) {
        messages::inform(mappestruktur::ikkeHentetBesked(file, "Filen blev ikke fundet."));
        return;
    }
    // A folder that is gone stays in the list, greyed, so editing and saving the structure keeps
    // it for when it is back (a drive not plugged in); the structures are built without it.
    for (const QString &folder : indhold->alle) {
        auto *item = new QListWidgetItem(folder, mappeListe);
        if (!indhold->mapper.contains(folder)) {
            item->setForeground(QColor(0x99, 0x99, 0x99));
            item->setStatusTip("Mappen findes ikke");
        }
    }
    if (!indhold->udeladt.isEmpty())
        messages::inform(mappestruktur::udeladtBesked(name, indhold->udeladt));
}

void Tmappestrukturform::mappeListeDblClick()
{
    QListWidgetItem *item = mappeListe->currentItem();
    if (!item || !toolHost())
        return;
    if (!core::directoryExists(item->text())) {
        messages::inform("Mappen \"" + item->text() + "\" findes ikke.");
        return;
    }
    services::explorers()->openStifinder();
    services::explorers()->visMappe(item->text());
}

void Tmappestrukturform::visSomStruktur(bool punkt)
{
    if (mappeListe->count() == 0 || !toolHost())
        return;
    QStringList folders = itemsOf(mappeListe);
    folders.removeIf([](const QString &folder) { return !core::directoryExists(folder); });
    services::explorers()->openStifinder();
    services::explorers()->visStruktur(folders, punkt);
}

void Tmappestrukturform::sletValgte()
{
    const QString name = valgtStruktur();
    if (name.isEmpty())
        return;
    const QString spm = "Skal elementet \"" + name + "\" slettes permanent?";
    if (!messages::ask(redigeres()
                           ? "En struktur er ikke gemt! Ændringerne vil gå tabt, hvis der slettes.\r" + spm
                           : spm))
        return;
    setRedigeres(false);
    const QString file = mappestruktur::filnavn(strukturDir(), name);
    if (!core::fileExists(file)) {
        messages::inform("Filen blev ikke fundet.");
        return;
    }
    if (!core::deleteFile(file)) {
        messages::inform("Filen \"" + file + "\" kunne ikke slettes.\r" + core::lastErrorMessage());
        return;
    }
    mappeListe->clear();
    strukturListeMapper->clear();
    navnEdit->clear();
    opdater();
}

void Tmappestrukturform::redigerValgte()
{
    const QString name = valgtStruktur();
    if (name.isEmpty())
        return;
    if (redigeres() && !messages::ask("En struktur er ikke gemt! Ændringerne vil gå tabt, hvis der hentes en "
                                      "anden.\rSkal den valgte hentes til redigering?"))
        return;
    strukturListeMapper->clear();
    strukturListeMapper->addItems(itemsOf(mappeListe));
    navnEdit->setText(name);
    strukturBog->setCurrentIndex(1);
    setRedigeres(false);
}

void Tmappestrukturform::opdater()
{
    services::structureMenu()->loadMappeStruktur(true);
}

void Tmappestrukturform::visMappen()
{
    if (!toolHost())
        return;
    services::explorers()->openStifinder();
    services::explorers()->visMappe(core::withoutTrailingBackslash(strukturDir()));
}

// ---------------------------------------------------------------------------------------------
// The structure being edited

void Tmappestrukturform::redigeret()
{
    setRedigeres(true);
    actions->updateAll();
}

int Tmappestrukturform::editRow() const
{
    QListWidgetItem *item = strukturListeMapper->currentItem();
    return item && item->isSelected() ? strukturListeMapper->row(item) : -1;
}

void Tmappestrukturform::gemStrukturen()
{
    if (!redigeres() || navnEdit->text().isEmpty())
        return;
    const QString name = mappestruktur::nameOfInput(navnEdit->text().trimmed());
    // The name becomes a file name: one Windows refuses would be a structure no menu can open.
    const QString why = core::invalidNameMessage(name);
    if (!why.isEmpty()) {
        messages::inform(why);
        return;
    }
    const QString file = mappestruktur::filnavn(strukturDir(), name);
    if (core::fileExists(file) && !messages::ask("Skal filen \"" + file + "\" overskrives?"))
        return;
    if (!core::writeLinesOrSay(file, itemsOf(strukturListeMapper)))
        return;
    opdater();
    setRedigeres(false);
    // The saved structure is the chosen one, so its folders show on the first page.
    const QList<QListWidgetItem *> found = strukturListe->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty())
        strukturListe->setCurrentItem(found.first());
    actions->updateAll();
}

void Tmappestrukturform::klargoerTilNy()
{
    if (redigeres() && !messages::ask("Der er rediget i strukturen! Skal der klargøres alligevel?"))
        return;
    navnEdit->clear();
    strukturListeMapper->clear();
    setRedigeres(false);
    actions->updateAll();
}

void Tmappestrukturform::aktuelleMappe()
{
    const QString sti = services::currentElement()->editSti();
    if (!core::directoryExists(sti))
        return;
    strukturListeMapper->addItem(sti);
    redigeret();
}

void Tmappestrukturform::tilfoejMappe(const QString &folder)
{
    strukturBog->setCurrentIndex(1);
    strukturListeMapper->addItem(folder);
    redigeret();
}

void Tmappestrukturform::fjernMappe()
{
    const int row = editRow();
    if (row < 0)
        return;
    delete strukturListeMapper->takeItem(row);
    redigeret();
}

void Tmappestrukturform::flyt(int step)
{
    const int row = editRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= strukturListeMapper->count())
        return;
    QListWidgetItem *item = strukturListeMapper->takeItem(row);
    strukturListeMapper->insertItem(to, item);
    strukturListeMapper->setCurrentItem(item);
    redigeret();
}

void Tmappestrukturform::panelKnapClick()
{
    const int panelWidth = venstrePanel->width() + layout()->spacing();
    if (venstrePanel->isVisible()) {
        venstrePanel->hide();
        if (!showInternt)
            resize(width() - panelWidth, height());
    } else {
        venstrePanel->show();
        if (!showInternt)
            resize(width() + panelWidth, height());
    }
}
