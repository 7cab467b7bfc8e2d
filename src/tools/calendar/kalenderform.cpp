#include "tools/calendar/kalenderform.h"

#include "core/files.h"
#include "core/kalender.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "platform/Platform.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

Tkalenderform *kalenderform = nullptr;

namespace {

TToolHost *host()
{
    return toolHost();
}

QString dateText(int day, int month, int year)
{
    return QString::number(day) + u'-' + QString::number(month) + u'-' + QString::number(year);
}

// The date the edits of a block hold as they stand; a message when they make no date.
std::optional<QDate> typedDate(const Tkalenderform::DateBlock &block)
{
    const int day = core::cleanDateNumber(block.day->text());
    const int month = core::cleanDateNumber(block.month->text());
    const int year = core::cleanDateNumber(block.year->text());
    const std::optional<QDate> date = core::dateOf(day, month, year);
    if (!date)
        messages::inform("Dag, måned og år danner ikke en gyldig dato: " + dateText(day, month, year) + "\r" +
                         "Dagen skal findes i måneden, måneden være 1 til 12 og året 1 til 9999.");
    return date;
}

} // namespace

Tkalenderform::Tkalenderform(bool internal, QWidget *parent)
    : TToolForm("Kalender", internal, parent)
{
    setObjectName("kalenderform");
    buildActions();
    buildUi();
    diffTimer = new QTimer(this);
    diffTimer->setInterval(1000);
    connect(diffTimer, &QTimer::timeout, this, [this] { diffTimerTick(); });
    if (!showInternt) {
        optFilnavn = core::delimKon(services::folders()->optMappe()) + "kalender.txt";
        hentOpt();
        setFixedSize(kWidth, kHeight);
    }
    kalenderform = this;
}

Tkalenderform::~Tkalenderform()
{
    if (kalenderform == this)
        kalenderform = nullptr;
}

void Tkalenderform::buildActions()
{
    actions = new ActionList(this);
    actions->add(
        "aMemoGem", "Gem", {}, "Gem dagens notat", [this] { aMemoGemExecute(); },
        [this] { return kalnotatMemo && kalnotatMemo->document()->isModified(); });
    actions->add(
        "aMemoSlet", "Slet", {}, "Slet dagens notat", [this] { aMemoSletExecute(); },
        [this] { return !memoFilename.isEmpty(); });
    actions->add("visNotatmappe", "Notatmappen", {}, "Åben notatmappen",
                 [] { services::explorers()->visKalMappe(services::folders()->notatMappe()); });
}

QWidget *Tkalenderform::dateBlock(DateBlock &block, const QString &name, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *steps = new QHBoxLayout;
    auto stepButton = [&](const QString &objectName, const QString &text, const QString &hint) {
        auto *button = new QToolButton(box);
        button->setObjectName(objectName);
        button->setText(text);
        button->setStatusTip(hint);
        button->setToolTip(hint);
        button->setAutoRaise(true);
        steps->addWidget(button);
        return button;
    };
    QToolButton *yearBack = stepButton(name + "AarTilbage", "<<", "Foregående år");
    QToolButton *monthBack = stepButton(name + "MaanedTilbage", "<", "Foregående måned");
    block.monthLabel = new QLabel(box);
    block.monthLabel->setObjectName(name + "MaanedLabel");
    block.monthLabel->setAlignment(Qt::AlignCenter);
    QFont bold = block.monthLabel->font();
    bold.setBold(true);
    block.monthLabel->setFont(bold);
    steps->addWidget(block.monthLabel, 1);
    QToolButton *monthForward = stepButton(name + "MaanedFrem", ">", "Næste måned");
    QToolButton *yearForward = stepButton(name + "AarFrem", ">>", "Næste år");
    layout->addLayout(steps);

    block.calendar = new QCalendarWidget(box);
    block.calendar->setObjectName(name);
    block.calendar->setFirstDayOfWeek(Qt::Monday);
    block.calendar->setLocale(QLocale(QLocale::Danish, QLocale::Denmark));
    block.calendar->setNavigationBarVisible(false);
    block.calendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    block.calendar->setGridVisible(true);
    // Narrow enough that the window fits beside the main window's left panel.
    block.calendar->setMinimumSize(220, 180);
    layout->addWidget(block.calendar, 1);

    block.today = new QPushButton(box);
    block.today->setObjectName(name + "Idag");
    block.today->setStatusTip("Opdater kalenderen til indførte dato");
    layout->addWidget(block.today);

    auto *edits = new QHBoxLayout;
    auto numberEdit = [&](const QString &objectName, const QString &hint, int digits) {
        auto *edit = new QLineEdit(box);
        edit->setObjectName(objectName);
        edit->setStatusTip(hint);
        edit->setToolTip(hint);
        edit->setPlaceholderText(hint);
        edit->setMaxLength(digits);
        // Digits only, as typed; a "-" may lead, which "Opdater" turns into a negative number.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]*"), edit));
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(u'0') * (digits + 2) + 16);
        edits->addWidget(edit);
        return edit;
    };
    block.day = numberEdit(name + "Dag", "Dag", 2);
    block.month = numberEdit(name + "Maaned", "Måned", 2);
    block.year = numberEdit(name + "Aar", "År", 4);
    block.update = new QPushButton("Opdater", box);
    block.update->setObjectName(name + "Opdater");
    block.update->setStatusTip("Opdater kalenderen til indførte dato");
    edits->addWidget(block.update);
    edits->addStretch(1);
    layout->addLayout(edits);

    QCalendarWidget *calendar = block.calendar;
    auto step = [calendar](int months) {
        calendar->setSelectedDate(calendar->selectedDate().addMonths(months));
    };
    connect(yearBack, &QToolButton::clicked, this, [step] { step(-12); });
    connect(monthBack, &QToolButton::clicked, this, [step] { step(-1); });
    connect(monthForward, &QToolButton::clicked, this, [step] { step(1); });
    connect(yearForward, &QToolButton::clicked, this, [step] { step(12); });
    connect(block.today, &QPushButton::clicked, this,
            [calendar] { calendar->setSelectedDate(QDate::currentDate()); });
    DateBlock *shown = &block;
    connect(calendar, &QCalendarWidget::selectionChanged, this, [this, shown] {
        const QDate date = shown->calendar->selectedDate();
        shown->calendar->setCurrentPage(date.year(), date.month());
        shown->day->setText(QString::number(date.day()));
        shown->month->setText(QString::number(date.month()));
        shown->year->setText(QString::number(date.year()));
        showMonth(*shown);
        if (shown == &kalender)
            showDay();
    });
    connect(calendar, &QCalendarWidget::currentPageChanged, this, [this, shown] { showMonth(*shown); });
    return box;
}

void Tkalenderform::showMonth(const DateBlock &block)
{
    block.monthLabel->setText(core::danishMonth(block.calendar->monthShown()) + u' ' +
                              QString::number(block.calendar->yearShown()));
}

void Tkalenderform::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    bog = new QTabWidget(this);
    bog->setObjectName("bog");
    columns->addWidget(bog, 1);

    // Page "Kalender": the calendar and the day's note.
    auto *calendarPage = new QWidget(bog);
    auto *calendarLayout = new QHBoxLayout(calendarPage);
    auto *calendarColumn = new QVBoxLayout;
    calendarColumn->addWidget(dateBlock(kalender, "kalender", calendarPage), 1);
    auto *opretMappeKnap = new QPushButton("Opret/Aktiver mappe", calendarPage);
    opretMappeKnap->setObjectName("ButtonOpretMappe");
    opretMappeKnap->setStatusTip("Opret eller se mappe til datorelaterede filer for valgte dato");
    opretMappeKnap->setIcon(QIcon::fromTheme("folder-new"));
    calendarColumn->addWidget(opretMappeKnap);
    calendarLayout->addLayout(calendarColumn, 3);
    auto *notes = new QGroupBox("Dagens notater", calendarPage);
    auto *notesLayout = new QVBoxLayout(notes);
    kalnotatMemo = new QPlainTextEdit(notes);
    kalnotatMemo->setObjectName("kalnotatMemo");
    kalnotatMemo->setMinimumWidth(120);
    notesLayout->addWidget(kalnotatMemo, 1);
    auto *noteButtons = new QHBoxLayout;
    noteButtons->addWidget(widgets::actionButton(actions->action("aMemoSlet"), notes,
                                                 {"edit-delete", Qt::ToolButtonTextBesideIcon}));
    noteButtons->addWidget(widgets::actionButton(actions->action("aMemoGem"), notes,
                                                 {"document-save", Qt::ToolButtonTextBesideIcon}));
    noteButtons->addWidget(widgets::actionButton(actions->action("visNotatmappe"), notes,
                                                 {"folder-open", Qt::ToolButtonTextBesideIcon}));
    noteButtons->addStretch(1);
    notesLayout->addLayout(noteButtons);
    calendarLayout->addWidget(notes, 2);
    bog->addTab(calendarPage, "Kalender");

    // Page "Datoforskelle": two dates and their difference.
    auto *diffPage = new QWidget(bog);
    auto *diffLayout = new QVBoxLayout(diffPage);
    diffLayout->addWidget(new QLabel("Vælg datoer", diffPage));
    auto *dates = new QHBoxLayout;
    dates->addWidget(dateBlock(kalender1, "kalender1", diffPage), 1);
    dates->addWidget(dateBlock(kalender2, "kalender2", diffPage), 1);
    diffLayout->addLayout(dates, 1);
    auto *results = new QGridLayout;
    auto *beregnKnap = new QPushButton("Beregn", diffPage);
    beregnKnap->setObjectName("beregnKnap");
    beregnKnap->setStatusTip("Beregn forskellen mellem de to datoer");
    results->addWidget(beregnKnap, 0, 0, 2, 1);
    results->addWidget(new QLabel("Forskel (år, måneder samt dage)", diffPage), 0, 1);
    Edit1 = widgets::field("Edit1", QString(), diffPage);
    Edit1->setReadOnly(true);
    results->addWidget(Edit1, 0, 2);
    results->addWidget(new QLabel("Forskel (dage ialt)", diffPage), 1, 1);
    Edit2 = widgets::field("Edit2", QString(), diffPage);
    Edit2->setReadOnly(true);
    results->addWidget(Edit2, 1, 2);
    results->setColumnStretch(2, 1);
    diffLayout->addLayout(results);
    bog->addTab(diffPage, "Datoforskelle");

    // Side panel "Find datoer": the public holidays of a year.
    auto *side = new QGroupBox("Find datoer", this);
    side->setObjectName("findDatoerPanel");
    auto *sideLayout = new QVBoxLayout(side);
    auto *yearRow = new QHBoxLayout;
    auto yearButton = [&](const QString &objectName, const QString &text, const QString &hint) {
        auto *button = new QPushButton(text, side);
        button->setObjectName(objectName);
        button->setStatusTip(hint);
        button->setToolTip(hint);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(text) + 24);
        yearRow->addWidget(button);
        return button;
    };
    QPushButton *tiTilbage = yearButton("tiAarTilbage", "<<", "Gå ti år tilbage");
    QPushButton *etTilbage = yearButton("etAarTilbage", "<", "Gå et år tilbage");
    aarEdit = widgets::field("aarEdit", QString::number(QDate::currentDate().year()), side);
    aarEdit->setReadOnly(true);
    aarEdit->setStatusTip("Viser det år datoerne beregnes ud fra");
    aarEdit->setMaxLength(4);
    aarEdit->setAlignment(Qt::AlignCenter);
    aarEdit->setMaximumWidth(aarEdit->fontMetrics().horizontalAdvance("00000") + 16);
    yearRow->addWidget(aarEdit);
    QPushButton *etFrem = yearButton("etAarFrem", ">", "Gå et år frem");
    QPushButton *tiFrem = yearButton("tiAarFrem", ">>", "Gå ti år frem");
    yearRow->addStretch(1);
    sideLayout->addLayout(yearRow);
    auto *findRow = new QHBoxLayout;
    nuKnap = new QPushButton("Nu", side);
    nuKnap->setObjectName("nuKnap");
    nuKnap->setStatusTip("Gå til nuværende år");
    nuKnap->setEnabled(false);
    findRow->addWidget(nuKnap);
    auto *findKnap = new QPushButton("Find datoer", side);
    findKnap->setObjectName("DatoerFindKnap");
    findKnap->setStatusTip("Find datoer");
    findRow->addWidget(findKnap);
    findRow->addStretch(1);
    sideLayout->addLayout(findRow);
    datoerLabel = new QLabel(side);
    datoerLabel->setObjectName("datoerLabel");
    QFont bold = datoerLabel->font();
    bold.setBold(true);
    datoerLabel->setFont(bold);
    sideLayout->addWidget(datoerLabel);
    auto *holidays = new QGridLayout;
    holidays->setVerticalSpacing(4);
    const QList<core::Holiday> initial = core::holidaysNotYetFound();
    for (int i = 0; i < initial.size(); ++i) {
        holidays->addWidget(new QLabel(initial[i].caption, side), i, 0);
        auto *date = new QLabel(initial[i].date, side);
        // Room for the longest date, so that "Find datoer" does not move the window's columns.
        date->setMinimumWidth(date->fontMetrics().horizontalAdvance("26. December - Torsdag "));
        date->setObjectName(QString("datoLabel%1").arg(i + 1));
        holidayLabels.append(date);
        holidays->addWidget(date, i, 1);
    }
    holidays->setColumnStretch(1, 1);
    sideLayout->addLayout(holidays);
    sideLayout->addStretch(1);
    auto *closeRow = new QHBoxLayout;
    QToolButton *info = widgets::infoButton("infoKnap", side);
    connect(info, &QToolButton::clicked, this, [] { services::help()->InfoHelp("Kalender.html"); });
    info->setVisible(!showInternt);
    closeRow->addWidget(info);
    closeRow->addStretch(1);
    auto *luk = new QPushButton("Luk", side);
    luk->setObjectName("lukKnap");
    connect(luk, &QPushButton::clicked, this, [this] { closeWindow(); });
    closeRow->addWidget(luk);
    sideLayout->addLayout(closeRow);
    columns->addWidget(side);

    // Bottom strip: the calendar folder.
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel("Kalendermappe ", this));
    mappeEdit = widgets::field("mappeEdit", services::folders()->kalenderMappe(), this);
    mappeEdit->setReadOnly(true);
    bottom->addWidget(mappeEdit, 1);
    auto *indsaet = new QPushButton("Indsæt aktuelle", this);
    indsaet->setObjectName("indsaetAktuelle");
    indsaet->setStatusTip("Vælg aktuelle mappe som kalendermappe");
    bottom->addWidget(indsaet);
    auto *vis = new QToolButton(this);
    vis->setObjectName("visDatomappe");
    vis->setIcon(QIcon::fromTheme("folder-open"));
    vis->setStatusTip("Vis kalendermappe");
    vis->setToolTip("Vis kalendermappe");
    bottom->addWidget(vis);
    layout->addLayout(bottom);

    connect(opretMappeKnap, &QPushButton::clicked, this, [this] { opretMappe(); });
    connect(beregnKnap, &QPushButton::clicked, this, [this] { beregn(); });
    connect(kalender.update, &QPushButton::clicked, this, [this] { opdater(kalender); });
    connect(kalender2.update, &QPushButton::clicked, this, [this] { opdater(kalender2); });
    connect(kalnotatMemo, &QPlainTextEdit::modificationChanged, this, [this] { actions->updateAll(); });
    connect(tiTilbage, &QPushButton::clicked, this, [this] { stepYear(-10); });
    connect(etTilbage, &QPushButton::clicked, this, [this] { stepYear(-1); });
    connect(etFrem, &QPushButton::clicked, this, [this] { stepYear(1); });
    connect(tiFrem, &QPushButton::clicked, this, [this] { stepYear(10); });
    connect(nuKnap, &QPushButton::clicked, this, [this] {
        aarEdit->setText(QString::number(QDate::currentDate().year()));
        nuKnap->setEnabled(false);
    });
    connect(findKnap, &QPushButton::clicked, this, [this] { findDatoer(); });
    connect(indsaet, &QPushButton::clicked, this, [this] { indsaetAktuelle(); });
    connect(vis, &QToolButton::clicked, this,
            [] { services::explorers()->visKalMappe(services::folders()->kalenderMappe()); });
}

// ---------------------------------------------------------------------------------------------
// Frame

void Tkalenderform::hentOpt()
{
    placeLines().load(optFilnavn);
}

void Tkalenderform::gemOpt()
{
    placeLines().save(optFilnavn);
}

void Tkalenderform::activated()
{
    if (m_firstActivation) {
        m_firstActivation = false;
        const QDate today = QDate::currentDate();
        for (DateBlock *block : {&kalender, &kalender1, &kalender2}) {
            block->today->setText("I dag: " + core::kortDato(today));
            block->calendar->setSelectedDate(today);
            // The signal only comes on a change: the first day is shown here.
            block->day->setText(QString::number(today.day()));
            block->month->setText(QString::number(today.month()));
            block->year->setText(QString::number(today.year()));
            showMonth(*block);
        }
        showDay();
    }
    datoerLabel->clear();
}

void Tkalenderform::closing()
{
    diffTimer->stop();
    saveEditedNote();
}

// ---------------------------------------------------------------------------------------------
// Day notes

QString Tkalenderform::noteFile() const
{
    const QString folder = services::folders()->notatMappe();
    return folder + "\\" + core::kortDato(kalender.calendar->selectedDate()) + ".txt";
}

void Tkalenderform::saveEditedNote()
{
    if (!kalnotatMemo->document()->isModified() || shownNoteFile.isEmpty())
        return;
    // Nothing typed for a day without a note: no empty file.
    if (kalnotatMemo->toPlainText().isEmpty() && !core::fileExists(shownNoteFile))
        return;
    const QString folder = services::folders()->notatMappe();
    if (!core::directoryExists(folder))
        core::forceDirectories(folder);
    if (core::writeLinesOrSay(shownNoteFile, kalnotatMemo->toPlainText().split(u'\n')))
        kalnotatMemo->document()->setModified(false);
}

void Tkalenderform::showDay()
{
    saveEditedNote();
    const QString file = noteFile();
    shownNoteFile = file;
    const std::optional<QStringList> lines =
        core::fileExists(file) ? core::readLinesOrSay(file) : std::nullopt;
    if (lines) {
        kalnotatMemo->setPlainText(lines->join(u'\n'));
        memoFilename = file;
    } else {
        kalnotatMemo->clear();
        memoFilename.clear();
    }
    kalnotatMemo->document()->setModified(false);
    actions->updateAll();
}

void Tkalenderform::aMemoGemExecute()
{
    const QString file = shownNoteFile.isEmpty() ? noteFile() : shownNoteFile;
    const QString folder = services::folders()->notatMappe();
    if (!core::directoryExists(folder))
        core::forceDirectories(folder);
    if (!core::writeLinesOrSay(file, kalnotatMemo->toPlainText().split(u'\n')))
        return;
    kalnotatMemo->document()->setModified(false);
    memoFilename = file;
    actions->updateAll();
}

void Tkalenderform::aMemoSletExecute()
{
    const QString file = noteFile();
    if (core::fileExists(file))
        core::deleteFile(file);
    kalnotatMemo->clear();
    kalnotatMemo->document()->setModified(false);
    memoFilename.clear();
    actions->updateAll();
}

// ---------------------------------------------------------------------------------------------
// Dates

void Tkalenderform::opdater(DateBlock &block)
{
    for (QLineEdit *edit : {block.day, block.month, block.year})
        edit->setText(QString::number(core::cleanDateNumber(edit->text())));
    if (const std::optional<QDate> date = typedDate(block))
        block.calendar->setSelectedDate(*date);
}

void Tkalenderform::opretMappe()
{
    if (!host())
        return;
    const QString root = services::folders()->kalenderMappe();
    QStringList chain{root.left(2), root}; // "C:", then the calendar folder
    const QDate date = kalender.calendar->selectedDate();
    QString folder = root;
    for (const QString &name :
         {core::yearFolderName(date), core::monthFolderName(date), core::dayFolderName(date)}) {
        folder = core::delimKon(folder) + name;
        if (!core::directoryExists(folder) && !core::forceDirectories(folder)) {
            messages::inform("Mappen " + folder + " kunne ikke oprettes.\r" + core::lastErrorMessage());
            return;
        }
        chain << folder;
    }
    services::explorers()->opretKalenderStruk(chain, folder);
}

void Tkalenderform::indsaetAktuelle()
{
    const QString sti = services::currentElement()->editSti();
    if (sti.isEmpty() || !core::directoryExists(sti)) {
        messages::inform("Der skal være valgt en mappe.");
        return;
    }
    mappeEdit->setText(sti);
    services::folders()->setKalenderMappe(sti);
}

QString Tkalenderform::resultFile() const
{
    return core::delimKon(services::folders()->optMappe()) + "datediff.txt";
}

void Tkalenderform::beregn()
{
    Edit1->clear();
    Edit2->clear();
    const std::optional<QDate> first = typedDate(kalender1);
    if (!first)
        return;
    const std::optional<QDate> second = typedDate(kalender2);
    if (!second)
        return;
    const QString script = (services::folders()->scriptMappe()) + core::scriptFileName("datediff.vbs");
    const QString parameters = u'"' + resultFile() + u'"' + u' ' +
                               dateText(first->day(), first->month(), first->year()) + u' ' +
                               dateText(second->day(), second->month(), second->year());
    if (!core::fileExists(script)) {
        messages::inform("Der mangler en fil!");
        return;
    }
    // A result left by an earlier calculation must not be read as this one's.
    if (core::fileExists(resultFile()))
        core::deleteFile(resultFile());
    const int result = core::shellExecute("open", script, parameters, QString(), platform::SW_SHOWNORMAL);
    if (result > 32)
        diffTimer->start();
    else if (host())
        services::status()->ErrorInfo(result);
}

void Tkalenderform::diffTimerTick()
{
    const QString file = resultFile();
    if (!core::fileExists(file))
        return;
    diffTimer->stop();
    const std::optional<QStringList> lines = core::readLines(file);
    const std::optional<core::DateDifferenceTexts> texts =
        lines ? core::dateDifferenceTexts(*lines) : std::nullopt;
    if (!texts) {
        messages::inform("Resultatet af beregningen kunne ikke læses:\r" + file);
        return;
    }
    Edit1->setText(texts->yearsMonthsDays);
    Edit2->setText(texts->totalDays);
}

// ---------------------------------------------------------------------------------------------
// Holidays

void Tkalenderform::stepYear(int years)
{
    const int year = std::clamp(core::cleanDateNumber(aarEdit->text()) + years, core::kFirstHolidayYear,
                                core::kLastHolidayYear);
    aarEdit->setText(QString::number(year));
    nuKnap->setEnabled(true);
}

void Tkalenderform::findDatoer()
{
    const int year =
        std::clamp(core::cleanDateNumber(aarEdit->text()), core::kFirstHolidayYear, core::kLastHolidayYear);
    datoerLabel->setText("Datoer: " + QString::number(year));
    const QList<core::Holiday> holidays = core::danishHolidays(year);
    for (int i = 0; i < holidays.size() && i < holidayLabels.size(); ++i)
        holidayLabels[i]->setText(holidays[i].date);
}
