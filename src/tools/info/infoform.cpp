#include "tools/info/infoform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "platform/Platform.h"
#include "tools/info/urlform1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

Tinfoform *infoform = nullptr;

namespace {

const char *const kTopics[] = {"infStifinder", "infKlipbordet", "infFunktioner", "infProgrammer"};

QString withoutExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

QToolButton *button(QAction *action, QWidget *parent, const QString &icon)
{
    auto *b = new QToolButton(parent);
    b->setDefaultAction(action);
    if (!icon.isEmpty())
        action->setIcon(QIcon::fromTheme(icon));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    return b;
}

} // namespace

Tinfoform::Tinfoform(bool internal, QWidget *parent)
    : TToolForm("Information", internal, parent)
{
    setObjectName("infoform");
    // The list belongs to the pages window; without one (never in the program) a list of the
    // window's own keeps the page logic whole, but the list leads nowhere.
    urlListe = urlform1 ? urlform1->urlListe : new QListWidget(this);
    if (!urlform1)
        urlListe->hide();
    buildActions();
    buildUi();
    if (toolHost())
        optFilnavn = core::delimKon(services::folders()->optMappe()) + "Information.txt";
    if (showInternt) {
        rightPanel->show();
        funkPanel->hide();
    } else {
        rightPanel->hide();
        funkPanel->show();
        // Icon buttons in the narrow bottom row; their hints still say what they are.
        for (const char *name : kTopics)
            actions->action(name)->setText(QString());
        hentOpt();
    }
    if (urlform1) {
        connect(urlform1, &Turlform1::listeSlettet, this, [this] {
            urlIndex = -1;
            actions->updateAll();
        });
        connect(urlform1, &Turlform1::visibilityChanged, this, [this] { actions->updateAll(); });
    }
    actions->updateAll();
    infoform = this;
}

Tinfoform::~Tinfoform()
{
    giveListBack();
    if (infoform == this)
        infoform = nullptr;
}

void Tinfoform::giveListBack()
{
    if (urlform1 && urlListe == urlform1->urlListe)
        urlform1->takeListBack();
}

const QStringList &Tinfoform::emnerStifinder()
{
    static const QStringList entries{"Stifinderen",           "Mappestrukturen",    "Filstrukturen",
                                     "Højre panel",           "Aktuel information", "Indstillinger",
                                     "Specifikke egenskaber", "Egenskaber2"};
    return entries;
}

const QStringList &Tinfoform::emnerKlipbordet()
{
    static const QStringList entries{"Klipbordet", "Egenskaber"};
    return entries;
}

const QStringList &Tinfoform::emnerFunktioner()
{
    // The eleventh entry is the page of the only remaining file command, the properties of a
    // drive, so that every entry of the list leads to a page of its own.
    static const QStringList entries{
        "Klip",           "Kopier",        "Sæt ind",  "Slet til papirkurv", "Slet permanent",
        "Omdøb",          "Omdøb filtype", "Ny mappe", "Mappe egenskaber",   "Ny fil",
        "Drev egenskaber"};
    return entries;
}

const QStringList &Tinfoform::emnerProgrammer()
{
    static const QStringList entries{"Genveje",
                                     "Indfør programmer",
                                     "Opret mappestrukturer",
                                     "Søg i tekstfiler",
                                     "Billeder",
                                     "Kalender",
                                     "WMI",
                                     "Applets"};
    return entries;
}

void Tinfoform::buildActions()
{
    actions = new ActionList(this);
    const auto count = [this] { return urlListe ? int(urlListe->count()) : 0; };
    actions->add(
        "Afirst", QString(), {}, "Gå til første", [this] { goToStruktur(0); },
        [this, count] { return count() >= 2 && urlIndex >= 1; });
    actions->add(
        "Aback", QString(), {}, "Tilbage", [this] { goToStruktur(qMax(0, urlIndex - 1)); },
        [this] { return urlIndex > 0; });
    actions->add(
        "Aforward", QString(), {}, "Frem", [this, count] { goToStruktur(qMin(count() - 1, urlIndex + 1)); },
        [this, count] { return urlIndex < count() - 1; });
    actions->add(
        "Alast", QString(), {}, "Gå til sidste", [this, count] { goToStruktur(count() - 1); },
        [this, count] { return count() >= 2 && urlIndex < count() - 1; });
    actions->add(
        "Ago", QString(), {}, "Opdater/Gå",
        [this] {
            const QString path = infoDir + Edit->text();
            if (core::fileExists(path)) {
                Hjemmeside = path;
                Web->setSource(QUrl::fromLocalFile(core::hostPath(path)));
                Web->reload();
            }
        },
        [this] { return Edit && !Edit->text().isEmpty(); });
    // In a window of its own the topics fill a list the user sees only in the pages window.
    const auto topicsUsable = [this] { return showInternt || (urlform1 && urlform1->isVisible()); };
    actions
        ->add(
            "infStifinder", "Stifinder", {}, "Vis informationssider angående Stifinder",
            [this] { visEmner(emnerStifinder()); }, topicsUsable)
        ->setIcon(QIcon::fromTheme("system-file-manager"));
    actions
        ->add(
            "infKlipbordet", "Klipbordet", {}, "Informationssider angående Klipbordet",
            [this] { visEmner(emnerKlipbordet()); }, topicsUsable)
        ->setIcon(QIcon::fromTheme("edit-paste"));
    actions
        ->add(
            "infFunktioner", "Funktioner", {},
            "Vis informationssider angående fil og mappe funktioner i listen",
            [this] { visEmner(emnerFunktioner()); }, topicsUsable)
        ->setIcon(QIcon::fromTheme("document-properties"));
    actions
        ->add(
            "infProgrammer", "Programmer", {}, "Vis informationssider angående programmer i listen",
            [this] { visEmner(emnerProgrammer()); }, topicsUsable)
        ->setIcon(QIcon::fromTheme("applications-other"));
    actions
        ->add(
            "aVisUrlliste", "Vis urlliste", {}, "Vis urllisten med indførte urls",
            [] {
                if (!urlform1)
                    return;
                urlform1->show();
                urlform1->raise();
            },
            [] { return urlform1 && !urlform1->isVisible(); })
        ->setIcon(QIcon::fromTheme("view-list-text"));
    actions->add("Aluk", "Luk", {}, "Luk informationen", [this] { closeWindow(); });
}

void Tinfoform::buildUi()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *left = new QVBoxLayout;
    auto *bar = new QHBoxLayout;
    bar->addWidget(button(actions->action("Afirst"), this, "go-first"));
    bar->addWidget(button(actions->action("Aback"), this, "go-previous"));
    bar->addWidget(button(actions->action("Aforward"), this, "go-next"));
    bar->addWidget(button(actions->action("Alast"), this, "go-last"));
    Edit = new QLineEdit(this);
    Edit->setObjectName("Edit");
    connect(Edit, &QLineEdit::textChanged, actions, [this] { actions->updateAll(); });
    connect(Edit, &QLineEdit::returnPressed, this, [this] { actions->action("Ago")->trigger(); });
    bar->addWidget(Edit, 1);
    bar->addWidget(button(actions->action("Ago"), this, "view-refresh"));
    auto *luk = new QPushButton("Luk", this);
    luk->setToolTip("Luk informationen");
    connect(luk, &QPushButton::clicked, this, [this] { closeWindow(); });
    bar->addWidget(luk);
    left->addLayout(bar);

    Web = new QTextBrowser(this);
    Web->setObjectName("Web");
    // Every link is decided here: help pages through the main window, web addresses outside.
    Web->setOpenLinks(false);
    connect(Web, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) { linkClicked(url); });
    connect(Web, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) { pageShown(url); });
    left->addWidget(Web, 1);

    // The list answers wherever it is shown: here inside the main window, or in its own window.
    connect(urlListe, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { goToStruktur(urlListe->row(item)); });

    QAction *visInfoStruk = services::pages()->mainAction("aVisInfoStruk");
    funkPanel = new QWidget(this);
    funkPanel->setObjectName("funkPanel");
    auto *funk = new QHBoxLayout(funkPanel);
    funk->setContentsMargins(4, 2, 4, 2);
    if (visInfoStruk) {
        auto *b = new QToolButton(funkPanel);
        b->setDefaultAction(visInfoStruk);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        funk->addWidget(b);
    }
    funk->addWidget(new QLabel("Liste emner:", funkPanel));
    for (const char *name : kTopics) {
        QToolButton *b = button(actions->action(name), funkPanel, QString());
        b->setObjectName(QString(name) + "Knap");
        funk->addWidget(b);
    }
    funk->addStretch(1);
    auto *visUrlliste = new QToolButton(funkPanel);
    visUrlliste->setObjectName("visUrllisteKnap");
    visUrlliste->setDefaultAction(actions->action("aVisUrlliste"));
    visUrlliste->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    funk->addWidget(visUrlliste);
    left->addWidget(funkPanel);
    layout->addLayout(left, 1);

    rightPanel = new QWidget(this);
    rightPanel->setObjectName("rightPanel");
    rightPanel->setFixedWidth(210);
    auto *right = new QVBoxLayout(rightPanel);
    auto *heading = new QLabel("Information", rightPanel);
    heading->setStyleSheet("font-weight: bold; font-size: 12pt;");
    right->addWidget(heading);
    const auto wide = [rightPanel = rightPanel, right](QAction *action, Qt::ToolButtonStyle style) {
        auto *b = new QToolButton(rightPanel);
        b->setDefaultAction(action);
        b->setToolButtonStyle(style);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        right->addWidget(b);
        return b;
    };
    // The main window's commands that lead back to the explorer, the contents and the panel.
    if (toolHost())
        for (const char *name : {"aVisStifinder", "aVisInfoStruk", "aPanelV"})
            if (QAction *main = services::pages()->mainAction(name))
                wide(main, Qt::ToolButtonTextBesideIcon);
    right->addWidget(new QLabel("Liste emner", rightPanel));
    for (const char *name : kTopics)
        wide(actions->action(name), Qt::ToolButtonTextBesideIcon);
    // "Lister": the main window's four lists of shortcut keys.
    auto *lister = new QToolButton(rightPanel);
    lister->setText("Lister");
    lister->setPopupMode(QToolButton::InstantPopup);
    lister->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *listerMenu = new QMenu(lister);
    for (const char *name : {"visGT1", "visGT2", "visGT3", "visGT4"})
        if (QAction *main = services::pages()->mainAction(name))
            listerMenu->addAction(main);
    lister->setMenu(listerMenu);
    right->addWidget(lister);
    if (urlform1)
        wide(urlform1->actions->action("AsletAlle"), Qt::ToolButtonTextOnly)->setObjectName("sletListeKnap");
    layout->addWidget(rightPanel);
    // Inside the main window the list is borrowed from the pages window for the right panel.
    if (showInternt && urlform1) {
        right->addWidget(urlListe, 1);
        urlListe->show();
    } else {
        right->addStretch(1);
    }
}

void Tinfoform::LoadHjemmeside(const QString &page)
{
    const QString path = infoDir + page;
    Hjemmeside = path;
    if (!core::fileExists(path))
        return; // the page shown stays; no message
    const QUrl url = QUrl::fromLocalFile(core::hostPath(path));
    if (Web->source() == url)
        pageShown(url);
    else
        Web->setSource(url);
}

void Tinfoform::pageShown(const QUrl &url)
{
    const QString name = url.fileName();
    if (name.isEmpty())
        return;
    Edit->setText(name);
    UrlLister(name);
}

void Tinfoform::UrlLister(const QString &name)
{
    if (name.compare(oldUrl, Qt::CaseInsensitive) == 0)
        return;
    oldUrl = name;
    Hjemmeside = infoDir + name;
    if (naviKlikket) {
        naviKlikket = false;
        selectEntry(urlIndex);
        return;
    }
    QString entry = withoutExtension(name);
    entry = nodeTekst ? nodeTekst(entry) : entry;
    // A page without a node in the contents keeps its own name, so the list can lead back to it.
    if (entry.isEmpty())
        entry = withoutExtension(name);
    int found = -1;
    for (int i = 0; i < urlListe->count(); ++i)
        if (urlListe->item(i)->text().compare(entry, Qt::CaseInsensitive) == 0)
            found = i;
    if (found < 0) {
        urlListe->addItem(entry);
        found = urlListe->count() - 1;
    }
    urlIndex = found;
    selectEntry(found);
}

void Tinfoform::selectEntry(int index)
{
    if (index >= 0 && index < urlListe->count())
        urlListe->setCurrentRow(index);
    actions->updateAll();
}

void Tinfoform::goToStruktur(int index)
{
    if (!urlform1 || index < 0 || index >= urlListe->count())
        return;
    urlIndex = index;
    naviKlikket = true;
    const QString page = urlListe->item(index)->text() + ".html";
    if (infoHelp)
        infoHelp(page);
    else
        LoadHjemmeside(page);
    // A page already shown raises no change: the list follows at once.
    if (naviKlikket && oldUrl.compare(page, Qt::CaseInsensitive) == 0) {
        naviKlikket = false;
        selectEntry(urlIndex);
    }
    actions->updateAll();
}

void Tinfoform::visEmner(const QStringList &entries)
{
    urlListe->clear();
    urlListe->addItems(entries);
    urlIndex = -1;
    actions->updateAll();
}

void Tinfoform::linkClicked(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == "http" || scheme == "https" || scheme == "mailto" || scheme == "ftp") {
        core::shellExecute("open", url.toString(), QString(), QString(), platform::SW_SHOWNORMAL);
        return;
    }
    if (url.isRelative() && url.path().isEmpty())
        return; // an anchor in the same page
    const QString name = url.isRelative() ? url.path().section(u'/', -1) : url.fileName();
    if (name.isEmpty())
        return;
    if (infoHelp)
        infoHelp(name);
    else
        LoadHjemmeside(name);
}

void Tinfoform::closing()
{
    // The list stays with the pages window for the next information window.
    if (showInternt)
        giveListBack();
    else if (urlform1 && urlform1->isVisible())
        urlform1->close();
}

void Tinfoform::hentOpt()
{
    int left = kDefaultLeft, top = kDefaultTop, height = kDefaultHeight;
    const auto lines = core::readLines(optFilnavn);
    if (lines && lines->size() == 3) {
        bool ok1 = false, ok2 = false, ok3 = false;
        const int l = lines->at(0).toInt(&ok1);
        const int t = lines->at(1).toInt(&ok2);
        const int h = lines->at(2).toInt(&ok3);
        if (ok1 && ok2 && ok3 && h > 100) {
            left = l;
            top = t;
            height = h;
        }
    }
    move(left, top);
    resize(kWidth, height);
    setMinimumWidth(kWidth);
    setMaximumWidth(kWidth);
}

void Tinfoform::gemOpt()
{
    core::writeLinesOrSay(optFilnavn,
                          {QString::number(x()), QString::number(y()), QString::number(height())});
}
