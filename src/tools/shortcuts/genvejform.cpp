#include "tools/shortcuts/genvejform.h"

#include "core/danishorder.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/listrow.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

Tgenvejform *genvejform = nullptr;

namespace {

const QString kFailure =
    "Der er sandsynligvist opstået en fejl.\rGenvejen kan muligvist ikke oprettes på valgte sted.";

QString currentElement()
{
    return services::currentElement()->editSti();
}

QString placeringsMappe()
{
    return toolHost() ? services::settings()->settings().shortcutsFolder : QString();
}

QLineEdit *edit(const QString &name, const QString &hint, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setStatusTip(hint);
    return field;
}

QLabel *label(const QString &text, QWidget *parent, bool bold = false)
{
    auto *shown = new QLabel(text, parent);
    if (bold) {
        QFont font = shown->font();
        font.setBold(true);
        shown->setFont(font);
    }
    return shown;
}

} // namespace

Tgenvejform::Tgenvejform(bool internal, QWidget *parent)
    : TToolForm("Genveje", internal, parent)
{
    setObjectName("genvejform");
    pollTimer = new QTimer(this);
    pollTimer->setObjectName("pollTimer");
    pollTimer->setInterval(kPollInterval);
    connect(pollTimer, &QTimer::timeout, this, [this] { pollTimerTick(); });
    buildActions();
    buildUi();
    optFilnavn = core::delimKon(services::folders()->optMappe()) + "Genveje.txt";
    hentOpt();
    if (showInternt) {
        autoLoadCheck->setChecked(aLoadGenveje);
    } else {
        panelFunk->hide();
        setFixedSize(kWidth, kHeight);
        move(aLeft, aTop);
    }
    EditDestFast->setText(placeringsMappe());
    EditDest->setText(placeringsMappe());
    actions->updateAll();
    genvejform = this;
}

Tgenvejform::~Tgenvejform()
{
    if (genvejform == this)
        genvejform = nullptr;
}

void Tgenvejform::buildActions()
{
    actions = new ActionList(this);
    const auto fastFolder = [this] { return EditDestFast && core::directoryExists(EditDestFast->text()); };
    actions->add(
        "insertFil", "Indfør program eller fil", {}, "Indfør fil der skal oprettes en genvej til",
        [this] { EditTarget->setText(currentElement()); }, [] { return core::fileExists(currentElement()); });
    actions->add(
        "insertMappe", "Indfør mappe", {}, "Indfør mappe der skal oprettes en genvej til",
        [this] { EditTarget->setText(currentElement()); },
        [] { return core::directoryExists(currentElement()); });
    actions->add(
        "destinationMappe", "Indfør placering", {}, "Indfør hvor genvejen skal placeres",
        [this] {
            const QString sti = currentElement();
            if (core::directoryExists(sti))
                EditDest->setText(sti);
            else if (core::fileExists(sti))
                EditDest->setText(core::folderOf(sti));
        },
        [] { return !currentElement().isEmpty(); });
    actions->add(
        "fastPlaceringsMappe", "Indfør", {}, "Indfør en fast placering af genveje",
        [this] {
            EditDestFast->setText(currentElement());
            EditDest->setText(currentElement());
        },
        [] { return core::directoryExists(currentElement()); });
    actions->add(
        "gemFastPlacering", "Gem", {}, "Gem mappen til senere brug",
        [this] {
            if (toolHost())
                toolHost()->setPlaceringsMappe(EditDestFast->text());
            EditDest->setText(placeringsMappe());
        },
        [this, fastFolder] {
            return fastFolder() && EditDestFast->text().compare(placeringsMappe(), Qt::CaseInsensitive) != 0;
        });
    actions->add(
        "opretGenvej", "Opret genvej", {}, "Opret genvejen", [this] { makeGenvej(); },
        [this] {
            return EditTarget && !EditTarget->text().isEmpty() && !EditName->text().isEmpty() &&
                   !EditDest->text().isEmpty();
        });
    actions->add(
        "hentGenveje", "Hent", {}, "Indlæser alle genveje anbragt i den faste placering",
        [this] { loadGenveje(EditDestFast->text()); }, fastFolder);
    actions->add(
        "runGenvej", "Kør", {}, "Kør valgte genvej", [this] { runGenvejExecute(); },
        [this] {
            return genvejsListe && genvejsListe->currentItem() && genvejsListe->currentItem()->isSelected();
        });
    actions->add(
        "visStifinder", "Vis", {}, "Vis mappen i Stifinder",
        [this] { services::explorers()->visKalMappe(EditDestFast->text()); }, fastFolder);
}

void Tgenvejform::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    auto *panels = new QHBoxLayout;
    layout->addLayout(panels, 1);
    const auto button = [this](const char *name) {
        return widgets::actionButton(actions->action(name), this, {{}, Qt::ToolButtonTextOnly});
    };

    // Left: the shortcuts of the fixed place, inside the main window only.
    panelFunk = new QWidget(this);
    panelFunk->setObjectName("panelFunk");
    auto *left = new QVBoxLayout(panelFunk);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(label("Genveje i Fast placering", panelFunk, true));
    genvejsListe = new QListWidget(panelFunk);
    genvejsListe->setObjectName("genvejsListe");
    genvejsListe->setItemDelegate(
        new ListRowDelegate(ListRowDelegate::Mark::Square, std::nullopt, genvejsListe));
    genvejsListe->setUniformItemSizes(true);
    left->addWidget(genvejsListe, 1);
    auto *listButtons = new QHBoxLayout;
    for (const char *name : {"hentGenveje", "runGenvej", "visStifinder"})
        listButtons->addWidget(button(name));
    listButtons->addStretch(1);
    left->addLayout(listButtons);
    autoLoadCheck = widgets::check("autoLoadCheck", "Indlæs genveje automatisk ved opstart", panelFunk, false,
                                   "Indlæs altid genveje ved opstart");
    left->addWidget(autoLoadCheck);
    panels->addWidget(panelFunk, 2);

    // Right: making a shortcut and the fixed place.
    auto *right = new QVBoxLayout;
    right->addWidget(label("Genveje", this, true));
    right->addWidget(
        widgets::note("Alle navne hentes fra \"Aktuelle element\", der bestemmes ved Stifinder.", this));
    right->addWidget(label("Valgte element: Genvejens destination", this));
    EditTarget = edit("EditTarget", "Genvejens mål: Mappe eller program exe fil", this);
    right->addWidget(EditTarget);
    auto *targetButtons = new QHBoxLayout;
    targetButtons->addWidget(button("insertFil"));
    targetButtons->addWidget(button("insertMappe"));
    targetButtons->addStretch(1);
    right->addLayout(targetButtons);
    auto *grid = new QGridLayout;
    grid->addWidget(label("Placering", this), 0, 0);
    EditDest = edit("EditDest", "Den færdige genvejs placering", this);
    grid->addWidget(EditDest, 0, 1);
    grid->addWidget(button("destinationMappe"), 0, 2);
    grid->addWidget(label("Navn:", this), 1, 0);
    EditName = edit("EditName", "Genvejens navn", this);
    grid->addWidget(EditName, 1, 1);
    grid->addWidget(button("opretGenvej"), 1, 2);
    right->addLayout(grid);
    right->addWidget(widgets::note(
        "Det kan tage lidt tid. Der bringes en information, når funktionen er gennemført.", this));
    right->addSpacing(8);
    right->addWidget(label("Nemmeste metode til oprettelse af genvej er:", this, true));
    for (const char *line :
         {"1. Indfør en fast placering ved hjælp af Stifinder og gem den.",
          "2. Åben Stifinder og vælg genvejens destination.", "3. Vælg Nem-funktionen \"Opret\".",
          "4. Tryk \"Opret genvej\".",
          "5. Genvejen skabes og vises i Stifinder i mappen, der er valgt til fast placering."})
        right->addWidget(widgets::note(line, this));
    right->addSpacing(8);
    auto *fast = new QGridLayout;
    fast->addWidget(label("Fast plasering", this), 0, 0);
    EditDestFast = edit("EditDestFast", "Den færdige genvejs placering", this);
    fast->addWidget(EditDestFast, 0, 1);
    auto *fastButtons = new QHBoxLayout;
    fastButtons->addWidget(button("fastPlaceringsMappe"));
    fastButtons->addWidget(button("gemFastPlacering"));
    fast->addLayout(fastButtons, 0, 2);
    right->addLayout(fast);
    right->addWidget(
        widgets::note("Ved at oprette en fast placering anbringes alle genveje i samme mappe og er "
                      "derved lette at finde frem til.",
                      this));
    right->addWidget(widgets::note("Filer anbragt her kan naturligvis flyttes senere, hvis relevant.", this));
    right->addStretch(1);
    panels->addLayout(right, 3);

    layout->addLayout(bottomBar("Genveje.html"));

    // Keys: Enter in the name makes the shortcut; a double click or Space in the list runs one.
    const auto runIfEnabled = [this](const char *name) {
        actions->updateAll();
        if (actions->action(name)->isEnabled())
            actions->action(name)->trigger();
    };
    connect(EditName, &QLineEdit::returnPressed, this, [runIfEnabled] { runIfEnabled("opretGenvej"); });
    connect(genvejsListe, &QListWidget::itemDoubleClicked, this,
            [runIfEnabled] { runIfEnabled("runGenvej"); });
    auto *space =
        new QShortcut(QKeySequence(Qt::Key_Space), genvejsListe, nullptr, nullptr, Qt::WidgetShortcut);
    connect(space, &QShortcut::activated, this, [runIfEnabled] { runIfEnabled("runGenvej"); });
    for (QLineEdit *field : {EditTarget, EditDest, EditName, EditDestFast})
        connect(field, &QLineEdit::textChanged, actions, &ActionList::updateAll);
    connect(genvejsListe, &QListWidget::itemSelectionChanged, actions, &ActionList::updateAll);
}

// ---------------------------------------------------------------------------------------------
// Frame

void Tgenvejform::hentOpt()
{
    // A line that is no number puts the defaults in force; a position far off any screen is
    // clamped to within reach.
    core::OptionTable()
        .number(
            1, [this] { return aLeft; }, [this](int value) { aLeft = value; }, kDefaultLeft, -10000, 10000)
        .number(
            2, [this] { return aTop; }, [this](int value) { aTop = value; }, kDefaultTop, -10000, 10000)
        .flag(
            3, [this] { return aLoadGenveje; }, [this](bool on) { aLoadGenveje = on; }, false)
        .load(optFilnavn);
}

void Tgenvejform::gemOpt()
{
    if (!showInternt) {
        aLeft = x();
        aTop = y();
    }
    core::OptionTable()
        .number(
            1, [this] { return aLeft; }, [](int) {})
        .number(
            2, [this] { return aTop; }, [](int) {})
        .flag(
            3, [this] { return aLoadGenveje; }, [](bool) {})
        .save(optFilnavn);
}

void Tgenvejform::activated()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    actions->updateAll();
    if (showInternt && autoLoadCheck->isChecked() && actions->action("hentGenveje")->isEnabled())
        loadGenveje(EditDestFast->text());
}

void Tgenvejform::closing()
{
    // The wait ends with the window.
    pollTimer->stop();
    // The frame writes the options of a window of its own; inside the main window this does.
    if (showInternt) {
        aLoadGenveje = autoLoadCheck->isChecked();
        gemOpt();
    }
}

// ---------------------------------------------------------------------------------------------
// Making a shortcut

void Tgenvejform::makeGenvej()
{
    const QString target = EditTarget->text();
    const bool folder = core::directoryExists(target);
    if (!folder && !core::fileExists(target)) {
        messages::inform("Genvejens mål blev ikke fundet.");
        return;
    }
    QString lnk;
    if (core::directoryExists(EditDest->text())) {
        lnk = EditDest->text() + "\\" + EditName->text() + ".lnk";
        const QString script =
            (services::folders()->scriptMappe()) +
            core::scriptFileName(folder ? "createShortcutMappe.vbs" : "createShortcut.vbs");
        // A drive root keeps no backslash before its closing quote, where it would escape it.
        OpenFilMedParametre(script, "\"" + core::withoutTrailingBackslash(target) + "\" \"" + lnk + "\"");
    }
    // A second shortcut while one is awaited restarts the wait for the new file only.
    timerFilename = lnk;
    timerCount = 0;
    pollTimer->start();
}

void Tgenvejform::OpenFilMedParametre(const QString &script, const QString &parameters)
{
    if (!core::fileExists(script)) {
        messages::inform("Der synes at mangle en fil til skabelse af en genvej.");
        return;
    }
    const int result = core::shellExecute("open", script, parameters, QString(), platform::SW_SHOW);
    if (result <= 32 && toolHost())
        services::status()->ErrorInfo(result);
}

void Tgenvejform::pollTimerTick()
{
    try {
        ++timerCount;
        if (!timerFilename.isEmpty() && core::fileExists(timerFilename)) {
            pollTimer->stop();
            timerCount = 0;
            EditTarget->clear();
            EditName->clear();
            services::explorers()->aktiverWinform(true, EditDest->text());
            messages::inform("Genvejen er lavet:\r" + core::nameOf(timerFilename));
        } else if (timerCount >= kPollTicks) {
            pollTimer->stop();
            timerCount = 0;
            messages::inform(kFailure);
        }
    } catch (...) {
        pollTimer->stop();
        timerCount = 0;
        messages::inform(kFailure);
    }
}

// ---------------------------------------------------------------------------------------------
// The shortcuts of the fixed place

void Tgenvejform::loadGenveje(const QString &folder)
{
    genvejsListe->clear();
    std::vector<platform::FindData> entries;
    // A listing that fails midway keeps what was read.
    platform::current().findFiles(folder.toStdU16String(), entries, platform::FindDetail::Kinds);
    core::sortEntriesDanish(entries);
    const QString prefix = core::delimKon(folder);
    for (const platform::FindData &entry : entries) {
        const QString name = QString::fromStdU16String(entry.name);
        // The pattern "*lnk": any name that ends in those letters, with or without a full stop.
        if (!name.endsWith("lnk", Qt::CaseInsensitive) ||
            (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) || !core::fileExists(prefix + name))
            continue;
        const qsizetype dot = name.lastIndexOf(u'.');
        genvejsListe->addItem(dot > 0 ? name.left(dot) : name);
    }
    actions->updateAll();
    if (genvejsListe->count() == 0)
        messages::inform("Der blev ikke fundet nogen genveje i mappen til \"Fast placering\".");
}

void Tgenvejform::runGenvejExecute()
{
    QListWidgetItem *row = genvejsListe->currentItem();
    if (!row || !toolHost())
        return;
    const QString genvej = EditDestFast->text() + "\\" + row->text() + ".lnk";
    // The list is read once; the shortcut may have gone since.
    if (!core::fileExists(genvej)) {
        messages::inform("Genvejen\r" + genvej + "\r" + "findes ikke længere.\rHent genvejene igen.");
        return;
    }
    services::launcher()->runFilname(genvej, 0);
}
