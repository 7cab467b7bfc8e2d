#include "tools/textsearch/findform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

Tfindform *findform = nullptr;

namespace {

enum Column { DocumentColumn, PositionColumn, TextColumn };

// Hits reach the window at least this often while a search runs.
constexpr qint64 kBatchMs = 50;

// The names in `folder` that the listing with `mask` gives, in listing order: files only.
bool matchingFiles(const QString &folder, const QString &mask, QStringList &names)
{
    std::vector<platform::FindData> entries;
    const QString listed = core::withoutTrailingBackslash(folder);
    if (!platform::current().findFiles(listed.toStdU16String(), entries, platform::FindDetail::NoSizes))
        return false;
    const bool everything = mask == "*.*" || mask == "*";
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(mask),
                                     QRegularExpression::CaseInsensitiveOption);
    for (const platform::FindData &entry : entries) {
        const QString name = QString::fromStdU16String(entry.name);
        if (name == "." || name == ".." || (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (!everything && !pattern.match(name).hasMatch())
            continue;
        if (core::fileExists(folder + name))
            names.append(name);
    }
    return true;
}

QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace

Tfindform::Tfindform(bool internal, QWidget *parent)
    : TToolForm("Find tekst", internal, parent)
{
    setObjectName("findform");
    const QString optMappe = services::folders()->optMappe();
    typelistenavn = core::delimKon(optMappe) + "Filtertyper.txt";
    buildActions();
    buildUi();
    saveknap->setEnabled(false);
    if (!showInternt) {
        setMinimumSize(632, 426);
        optFilnavn = core::delimKon(optMappe) + "Findoptions.txt";
        hentOpt();
    }
    hentTyper();
    findform = this;
}

Tfindform::~Tfindform()
{
    stopSearch();
    if (findform == this)
        findform = nullptr;
}

QStringList Tfindform::standardList()
{
    return {"Hjemmeside",  "*.html",
            "1",           "ASP",
            "*.asp",       "1",
            "Includefile", "*.inc",
            "1",           "ASA",
            "*.asa",       "1",
            "StyleSheet",  "*.css",
            "1",           "JavaScript",
            "*.js",        "1",
            "VB script",   "*.vbs",
            "1",           "Windows script files",
            "*.wsf",       "1",
            "Batch",       "*.bat",
            "1",           "Power Shell",
            "*.ps1",       "0",
            "Rich Text",   "*.rtf",
            "1",           "Tekstfil",
            "*.txt",       "1"};
}

QString Tfindform::normaliseMask(const QString &text)
{
    if (text == "*.*")
        return text;
    const qsizetype dot = text.lastIndexOf(u'.');
    return "*." + (dot < 0 ? text : text.mid(dot + 1));
}

// ---------------------------------------------------------------------------------------------
// Layout and commands

void Tfindform::buildActions()
{
    actions = new ActionList(this);
    auto selected = [this] { return findis ? findis->selectedItems().size() : 0; };
    actions->add(
        "AfindBib", "Find i bibliotek", {}, "Find i alle filer i valgte bibliotek", [this] { FindSD(); },
        [this] { return EditFind && !EditFind->currentText().isEmpty(); });
    actions->add(
        "aAktuelle", "Aktuelle", {}, "Sæt aktuelle mappe som søgemappe", [this] { aAktuelleExecute(); },
        [] { return !services::currentElement()->editSti().isEmpty(); });
    actions->add(
        "Afjern", "Fjern valgte", {}, "Fjern det i listen valgte element", [this] { fjernValgte(); },
        [this, selected] { return findis->topLevelItemCount() > 0 && selected() > 0; });
    actions->add(
        "AsletAlt", "Ryd listen", {}, "Fjern alle fundne elementer", [this] { rydListen(); },
        [this] { return findis->topLevelItemCount() > 0; });
    actions->add(
        "AopenAll", "Åben alle", {}, "Åben alle i listen valgte dokumenter med valgte program",
        [this] { aabenAlle(); },
        [selected] { return selected() > 0 && !services::launcher()->currentProgram().isEmpty(); });
    actions->add(
        "AvisValgte", "Åben", {}, "Åben valgte til redigering hvis muligt", [this] { aabenValgte(); },
        [selected] { return selected() == 1; });
    actions->add(
        "ArunValgte", "Kør", {}, "Kør valgte dokument hvis muligt", [this] { koerValgte(); },
        [selected] { return selected() == 1; });
    actions->add(
        "aFind", "Find", {}, "Vis valgte i Stifinder", [this] { findValgte(); },
        [selected] { return selected() == 1; });
    auto row = [this] { return typeliste ? typeliste->indexOfTopLevelItem(typeliste->currentItem()) : -1; };
    actions->add(
        "Aop", "Flyt valgte op", {}, "Flyt valgte filtype op i listen", [this] { flytType(-1); },
        [row] { return row() > 0; });
    actions->add(
        "Aned", "Flyt valgte ned", {}, "Flyt valgte filtype ned i listen", [this] { flytType(1); },
        [this, row] { return row() >= 0 && row() < typeliste->topLevelItemCount() - 1; });
}

void Tfindform::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel("Søg i dokumenter", this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel("Søgemappe", this));
    dirEdit = widgets::field("dirEdit", QString(), this);
    folderRow->addWidget(dirEdit, 1);
    folderRow->addWidget(
        widgets::actionButton(actions->action("aAktuelle"), this, {"go-jump", Qt::ToolButtonTextBesideIcon}));
    layout->addLayout(folderRow);

    pageBog = new QTabWidget(this);
    pageBog->setObjectName("pageBog");
    layout->addWidget(pageBog, 1);

    // Page "Søg".
    auto *search = new QWidget;
    auto *grid = new QGridLayout(search);
    grid->addWidget(new QLabel("Filtype filter", search), 0, 0);
    filterBoks = new QComboBox(search);
    filterBoks->setObjectName("filterBoks");
    filterBoks->setStatusTip("Filterboksen: Nye dokumenter er af valgte type");
    grid->addWidget(filterBoks, 0, 1);
    auto *chooseFile = new QPushButton("Vælg fil fra disk", search);
    chooseFile->setObjectName("vaelgFilKnap");
    chooseFile->setStatusTip("Vælg mappe der skal søges i ved valg af fil");
    grid->addWidget(chooseFile, 0, 2);
    grid->addWidget(new QLabel("Søg efter", search), 1, 0);
    EditFind = new QComboBox(search);
    EditFind->setObjectName("EditFind");
    EditFind->setEditable(true);
    EditFind->setInsertPolicy(QComboBox::NoInsert);
    EditFind->lineEdit()->setPlaceholderText("Indfør søgeord");
    grid->addWidget(EditFind, 1, 1);
    auto *clearTexts = new QPushButton("#", search);
    clearTexts->setObjectName("rydFindKnap");
    clearTexts->setStatusTip("Ryd find- listen");
    auto *findRow = new QHBoxLayout;
    findRow->addWidget(clearTexts);
    findRow->addWidget(widgets::actionButton(actions->action("AfindBib"), search,
                                             {"edit-find", Qt::ToolButtonTextBesideIcon}));
    grid->addLayout(findRow, 1, 2);
    Check1 = widgets::check("Check1", "Kun hele ord", search);
    Check2 = widgets::check("Check2", "Forskel på store og små bogstaver", search);
    grid->addWidget(Check1, 2, 1);
    grid->addWidget(Check2, 3, 1);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel("Fundne:", search));
    countdis = new QLabel("0", search);
    countdis->setObjectName("countdis");
    countRow->addWidget(countdis);
    countRow->addStretch(1);
    grid->addLayout(countRow, 3, 2);

    auto *hitsRow = new QHBoxLayout;
    findis = new QTreeWidget(search);
    findis->setObjectName("findis");
    findis->setHeaderLabels({"Dokument", "Position", "Tekst"});
    findis->setRootIsDecorated(false);
    findis->setSelectionMode(QAbstractItemView::ExtendedSelection);
    findis->setSelectionBehavior(QAbstractItemView::SelectRows);
    findis->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findis->setUniformRowHeights(true);
    findis->setColumnWidth(DocumentColumn, 320);
    findis->header()->setStretchLastSection(true);
    hitsRow->addWidget(findis, 1);
    auto *hitButtons = new QVBoxLayout;
    const std::pair<const char *, const char *> hitCommands[] = {
        {"Afjern", "list-remove"},       {"AsletAlt", "edit-clear-all"}, {"AopenAll", "document-open-folder"},
        {"AvisValgte", "document-edit"}, {"ArunValgte", "system-run"},   {"aFind", "system-file-manager"}};
    for (const auto &[name, icon] : hitCommands) {
        QToolButton *button =
            widgets::actionButton(actions->action(name), search, {icon, Qt::ToolButtonTextBesideIcon});
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        hitButtons->addWidget(button);
    }
    hitButtons->addStretch(1);
    hitsRow->addLayout(hitButtons);
    grid->addLayout(hitsRow, 4, 0, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    pageBog->addTab(search, "Søg");

    // Page "Filtre".
    auto *filters = new QWidget;
    auto *filterLayout = new QVBoxLayout(filters);
    filterLayout->addWidget(
        new QLabel("Afkryds filtyper der skal være tilgængelige i Filterboksen.", filters));
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(widgets::actionButton(actions->action("Aop"), filters, {"go-up"}));
    moveRow->addWidget(widgets::actionButton(actions->action("Aned"), filters, {"go-down"}));
    moveRow->addStretch(1);
    filterLayout->addLayout(moveRow);
    typeliste = new QTreeWidget(filters);
    typeliste->setObjectName("typeliste");
    typeliste->setHeaderLabels({"Tekst", "Type"});
    typeliste->setRootIsDecorated(false);
    typeliste->setColumnWidth(0, 200);
    filterLayout->addWidget(typeliste, 1);
    auto *insertRow = new QHBoxLayout;
    insertRow->addWidget(new QLabel("Tekst", filters));
    tekstedit = new QLineEdit(filters);
    tekstedit->setObjectName("tekstedit");
    insertRow->addWidget(tekstedit);
    insertRow->addWidget(new QLabel("Type", filters));
    typeedit = new QLineEdit(filters);
    typeedit->setObjectName("typeedit");
    insertRow->addWidget(typeedit);
    insertknap = new QPushButton(QIcon::fromTheme("list-add"), QString(), filters);
    insertknap->setObjectName("insertknap");
    insertknap->setStatusTip("Indfør i listen");
    insertRow->addWidget(insertknap);
    filterLayout->addLayout(insertRow);
    auto *listButtons = new QHBoxLayout;
    auto *sletKnap = new QPushButton("Slet valgte", filters);
    sletKnap->setObjectName("sletKnap");
    sletKnap->setStatusTip("Slet valgte punkt fra listen");
    auto *standardKnap = new QPushButton("Standard", filters);
    standardKnap->setObjectName("standardKnap");
    standardKnap->setStatusTip("Slet nuværende liste og hent standardlisten, der automatisk gemmes");
    saveknap = new QPushButton("Gem", filters);
    saveknap->setObjectName("saveknap");
    saveknap->setStatusTip("Gem listen og luk");
    for (QPushButton *button : {sletKnap, standardKnap, saveknap})
        listButtons->addWidget(button);
    listButtons->addStretch(1);
    filterLayout->addLayout(listButtons);
    for (const char *text :
         {"Åben alle funktionen:",
          "Denne funktion kræver at der er indført et program, der kan åbne dokumenter, der sendes som "
          "parametre til programmet.",
          "Programmet skal endvidere være valgt som det aktive program.",
          "Tekstfiler kan altid åbnes med programmet zunTastra.",
          "Indfør programmet ved Andre funktioner: Indfør og vælg der derefter som det aktive program i "
          "Højre panelet."})
        filterLayout->addWidget(widgets::note(text, filters));
    auto *download = new QPushButton("Download programmet", filters);
    download->setObjectName("zunTastra");
    download->setStatusTip("Download programmet, hvis du ikke har det allerede");
    widgets::bindToAction(download, services::pages()->mainAction("tastraUrlen"));
    filterLayout->addWidget(download, 0, Qt::AlignLeft);
    pageBog->addTab(filters, "Filtre");

    layout->addLayout(bottomBar("Søg i tekstfiler.html"));

    connect(chooseFile, &QPushButton::clicked, this, [this] {
        const QString start = core::hostPath(Mappe);
        const QString chosen = QFileDialog::getOpenFileName(this, "Vælg fil fra disk", start);
        if (!chosen.isEmpty())
            vaelgFilFraDisk(core::programPath(chosen));
    });
    connect(clearTexts, &QPushButton::clicked, this, [this] {
        const QString text = EditFind->currentText();
        EditFind->clear();
        EditFind->setEditText(text);
    });
    connect(EditFind->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!EditFind->currentText().isEmpty())
            FindSD();
    });
    connect(findis, &QTreeWidget::itemDoubleClicked, this, [this] { aabenValgte(); });
    connect(filterBoks, &QComboBox::activated, this, [this](int index) { filterItemIndex = index; });
    connect(typeliste, &QTreeWidget::itemChanged, this, [this] { saveknap->setEnabled(true); });
    connect(typeliste, &QTreeWidget::currentItemChanged, this, [this] { saveknap->setEnabled(true); });
    connect(insertknap, &QPushButton::clicked, this, [this] { insertType(); });
    connect(typeedit, &QLineEdit::returnPressed, this, [this] { insertType(); });
    connect(sletKnap, &QPushButton::clicked, this, [this] { sletValgteType(); });
    connect(standardKnap, &QPushButton::clicked, this, [this] { standardTyper(); });
    connect(saveknap, &QPushButton::clicked, this, [this] { GemTyper(); });
}

// ---------------------------------------------------------------------------------------------
// Frame: options, activation, closing

void Tfindform::hentOpt()
{
    int left = kDefaultLeft, top = kDefaultTop, height = 576, width = 728;
    const auto lines = core::readLines(optFilnavn);
    if (lines && lines->size() == kOptionLines) {
        bool ok = true;
        int values[kOptionLines];
        for (int i = 0; i < kOptionLines && ok; ++i)
            values[i] = lines->at(i).toInt(&ok);
        if (ok) {
            left = values[0];
            top = values[1];
            height = std::max(values[2], 426);
            width = std::max(values[3], 632);
            filterItemIndex = std::max(values[4], 0);
        }
    }
    resize(width, height);
    move(left, top);
}

void Tfindform::gemOpt()
{
    core::writeLines(optFilnavn, {QString::number(x()), QString::number(y()), QString::number(height()),
                                  QString::number(width()), QString::number(filterItemIndex)});
}

void Tfindform::activated()
{
    const QString sti = services::currentElement()->editSti();
    if (core::fileExists(sti)) {
        Mappe = core::folderOf(sti) + "\\";
        dirEdit->setText(Mappe);
        if (ErExtListet("*" + extensionOf(core::nameOf(sti)))) {
            pageBog->setCurrentIndex(0);
            EditFind->setFocus();
        } else {
            messages::inform(
                "Filtypen er ikke registreret.\rDu må selv registrere filtypen, hvis der er tale om "
                "en tekstfil.");
            pageBog->setCurrentIndex(1);
        }
    } else if (core::directoryExists(sti)) {
        Mappe = core::delimKon(sti);
        dirEdit->setText(Mappe);
        messages::inform("Der er ikke registreret en filtype.\rBestem hvilken filtype, der skal søges i.");
        pageBog->setCurrentIndex(0);
        filterBoks->setFocus();
    }
}

void Tfindform::closing()
{
    stopSearch();
}

// ---------------------------------------------------------------------------------------------
// Search folder

void Tfindform::aAktuelleExecute()
{
    const QString sti = services::currentElement()->editSti();
    if (sti.isEmpty())
        return;
    Mappe = core::directoryExists(sti) ? core::delimKon(sti) : core::folderOf(sti) + "\\";
    dirEdit->setText(Mappe);
}

void Tfindform::vaelgFilFraDisk(const QString &chosen)
{
    if (!core::fileExists(chosen)) {
        messages::inform(
            "Der skal være valgt en tekstfiltype.\rTekstfiler kan for eksempel være filer med "
            "følgende efternavne:\rtxt, rtf, asp, html, inc, css, js, asa, wsf, vbs, xml, bat eller ps1");
        return;
    }
    Mappe = core::folderOf(chosen) + "\\";
    dirEdit->setText(Mappe);
    const QString mask = "*" + extensionOf(core::nameOf(chosen));
    if (ErExtListet(mask)) {
        pageBog->setCurrentIndex(0);
    } else {
        messages::inform("Filtypen " + mask + " er ikke registreret." + "\r" +
                         "Du må selv registrere filtypen, hvis der er tale om en tekstfil.");
        pageBog->setCurrentIndex(1);
    }
}

// ---------------------------------------------------------------------------------------------
// File types

void Tfindform::hentTyper()
{
    const auto lines = core::readLines(typelistenavn);
    if (lines) {
        filliste = *lines;
    } else {
        filliste = standardList();
        core::writeLines(typelistenavn, filliste);
    }
    fillFilterBoks();
    fillTypeliste();
}

void Tfindform::fillFilterBoks()
{
    filterBoks->clear();
    for (qsizetype i = 0; i + 2 < filliste.size(); i += 3)
        if (filliste[i + 2] == "1")
            filterBoks->addItem(filliste[i] + " (" + filliste[i + 1] + ")");
    filterBoks->setMaxVisibleItems(std::max(1, filterBoks->count()));
    filterBoks->setCurrentIndex(filterItemIndex < filterBoks->count() ? filterItemIndex : -1);
}

void Tfindform::fillTypeliste()
{
    const QSignalBlocker blocker(typeliste);
    typeliste->clear();
    for (qsizetype i = 0; i + 2 < filliste.size(); i += 3) {
        auto *row = new QTreeWidgetItem(typeliste, {filliste[i], filliste[i + 1]});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, filliste[i + 2] == "1" ? Qt::Checked : Qt::Unchecked);
    }
}

bool Tfindform::ErExtListet(const QString &mask)
{
    int ticked = 0;
    for (int i = 0; i < typeliste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = typeliste->topLevelItem(i);
        if (row->checkState(0) != Qt::Checked)
            continue;
        if (row->text(1).compare(mask, Qt::CaseInsensitive) == 0) {
            if (ticked < filterBoks->count()) {
                filterBoks->setCurrentIndex(ticked);
                filterItemIndex = ticked;
            }
            return true;
        }
        ++ticked;
    }
    return false;
}

void Tfindform::insertType()
{
    if (tekstedit->text().isEmpty() || typeedit->text().isEmpty())
        return;
    auto *row = new QTreeWidgetItem(typeliste, {tekstedit->text(), normaliseMask(typeedit->text())});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Checked);
    saveknap->setEnabled(true);
    tekstedit->clear();
    typeedit->clear();
    tekstedit->setFocus();
}

void Tfindform::flytType(int step)
{
    const int index = typeliste->indexOfTopLevelItem(typeliste->currentItem());
    const int target = index + step;
    if (index < 0 || target < 0 || target >= typeliste->topLevelItemCount())
        return;
    QTreeWidgetItem *row = typeliste->takeTopLevelItem(index);
    typeliste->insertTopLevelItem(target, row);
    saveknap->setEnabled(true);
    if (step > 0) {
        typeliste->setCurrentItem(row);
    } else {
        typeliste->setCurrentItem(nullptr);
        typeliste->clearSelection();
    }
}

void Tfindform::sletValgteType()
{
    QTreeWidgetItem *row = typeliste->currentItem();
    if (!row || !row->isSelected()) {
        messages::inform("Der er ikke valgt en filtype!");
        return;
    }
    if (messages::ask("Skal filtypen:\r" + row->text(0) + "\r" + "slettes permanent?")) {
        delete row;
        saveknap->setEnabled(true);
    }
}

void Tfindform::GemTyper()
{
    filliste.clear();
    for (int i = 0; i < typeliste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = typeliste->topLevelItem(i);
        filliste << row->text(0) << row->text(1) << (row->checkState(0) == Qt::Checked ? "1" : "0");
    }
    core::writeLinesOrSay(typelistenavn, filliste);
    fillFilterBoks();
}

void Tfindform::standardTyper()
{
    if (!messages::ask(
            "Der vil muligvist blive fjernet typer, der er indført senere!\rSkal standardlisten hentes "
            "alligevel?"))
        return;
    filliste = standardList();
    core::writeLinesOrSay(typelistenavn, filliste);
    fillTypeliste();
    fillFilterBoks();
    saveknap->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Search

QString Tfindform::searchMask() const
{
    // The filter box's position counts the ticked rows of the type list. Without a position the
    // first ticked type is searched; without any, none.
    const int position = std::max(filterBoks->currentIndex(), 0);
    int ticked = 0;
    for (int i = 0; i < typeliste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = typeliste->topLevelItem(i);
        if (row->checkState(0) != Qt::Checked)
            continue;
        if (ticked++ == position)
            return row->text(1);
    }
    return QString();
}

QList<QPair<qsizetype, qsizetype>> Tfindform::displayRows(const QFont &font, const QString &line)
{
    // The edit's client width: its two-pixel border on each side taken off.
    constexpr int kWidth = kDisplayWidth - 4;
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<QPair<qsizetype, qsizetype>> rows;
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(kWidth);
        rows.append({row.textStart(), row.textLength()});
    }
    layout.endLayout();
    return rows;
}

QString Tfindform::displayLine(const QList<QPair<qsizetype, qsizetype>> &rows, const QString &line,
                               qsizetype column)
{
    for (const auto &[start, length] : rows)
        if (column >= start && column < start + length)
            return line.mid(start, length);
    return line;
}

bool Tfindform::searching() const
{
    return m_running;
}

void Tfindform::stopSearch()
{
    if (m_cancel)
        m_cancel->store(true);
    m_search.waitForFinished();
}

void Tfindform::waitForSearch()
{
    while (m_running)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
}

void Tfindform::FindSD()
{
    if (!core::directoryExists(Mappe))
        return;
    stopSearch();
    ++m_generation;
    m_running = false;
    unsetCursor();
    findis->clear();
    countdis->setText("0");
    QCoreApplication::processEvents();
    FTekst = EditFind->currentText();
    if (FTekst.isEmpty())
        return;
    setCursor(Qt::BusyCursor);
    const core::TextSearchOptions options{Check1->isChecked(), Check2->isChecked()};
    if (EditFind->findText(FTekst, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        EditFind->addItem(FTekst);
    EditFind->setEditText(FTekst);
    const QString mask = searchMask();

    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_running = true;
    const quint64 generation = m_generation;
    const QPointer<Tfindform> self(this);
    m_search = QtConcurrent::run(
        [self, generation, cancel = m_cancel, folder = Mappe, mask, needle = FTekst, options, font = font()] {
            QList<QStringList> rows;
            QElapsedTimer sinceSent;
            sinceSent.start();
            auto send = [&](bool last) {
                if (!rows.isEmpty() || last)
                    QMetaObject::invokeMethod(
                        self.data(),
                        [self, generation, batch = std::move(rows), last] {
                            if (!self)
                                return;
                            self->addRows(batch, generation);
                            if (last)
                                self->searchEnded(generation);
                        },
                        Qt::QueuedConnection);
                rows.clear();
                sinceSent.restart();
            };
            QStringList names;
            if (!mask.isEmpty() && matchingFiles(folder, mask, names)) {
                // Hits on one line share its layout.
                QString laidOut;
                QList<QPair<qsizetype, qsizetype>> lineRows;
                const core::DisplayLine cutter = [&](const QString &line, qsizetype column) {
                    if (line != laidOut) {
                        laidOut = line;
                        lineRows = displayRows(font, line);
                    }
                    return displayLine(lineRows, line, column);
                };
                for (const QString &name : std::as_const(names)) {
                    if (cancel->load())
                        return;
                    const QString path = folder + name;
                    QList<core::TextHit> hits;
                    // A document that cannot be read ends the search; its hits so far stay.
                    const bool read = core::searchDocument(path, needle, options, cutter, hits, cancel.get());
                    for (const core::TextHit &hit : std::as_const(hits))
                        rows.append({path, QString::number(hit.position), hit.text});
                    if (!read)
                        break;
                    if (sinceSent.elapsed() >= kBatchMs)
                        send(false);
                }
            }
            if (!cancel->load())
                send(true);
        });
}

void Tfindform::addRows(const QList<QStringList> &rows, quint64 generation)
{
    if (generation != m_generation)
        return;
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const QStringList &row : rows) {
        auto *item = new QTreeWidgetItem(row);
        item->setTextAlignment(PositionColumn, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    findis->addTopLevelItems(items);
    countdis->setText(QString::number(findis->topLevelItemCount()));
}

void Tfindform::searchEnded(quint64 generation)
{
    if (generation != m_generation)
        return;
    m_running = false;
    countdis->setText(QString::number(findis->topLevelItemCount()));
    unsetCursor();
    actions->updateAll();
}

// ---------------------------------------------------------------------------------------------
// The hit list

QString Tfindform::selectedDocument() const
{
    const QList<QTreeWidgetItem *> rows = findis->selectedItems();
    return rows.size() == 1 ? rows.first()->text(DocumentColumn) : QString();
}

void Tfindform::aabenValgte()
{
    const QString path = selectedDocument();
    if (path.isEmpty())
        return;
    if (!core::fileExists(path)) {
        messages::inform("Filen blev ikke fundet.");
        return;
    }
    const QString name = core::nameOf(path);
    const QString folder = core::folderOf(path);
    int result = core::shellExecute("edit", name, QString(), folder, platform::SW_SHOWNORMAL);
    if (result <= 32)
        result = core::shellExecute("open", name, QString(), folder, platform::SW_SHOWNORMAL);
    if (result <= 32 && toolHost())
        services::status()->ErrorInfo(result);
}

void Tfindform::koerValgte()
{
    const QString path = selectedDocument();
    if (path.isEmpty())
        return;
    if (!core::fileExists(path)) {
        messages::inform("Filen blev ikke fundet.\r");
        return;
    }
    services::launcher()->OpenFilen(path, false);
}

void Tfindform::findValgte()
{
    const QString path = selectedDocument();
    if (!path.isEmpty() && toolHost())
        services::explorers()->showFileInExplorer(path);
}

void Tfindform::fjernValgte()
{
    const QList<QTreeWidgetItem *> rows = findis->selectedItems();
    if (rows.isEmpty())
        return;
    // The first selected row in list order.
    int index = findis->topLevelItemCount();
    for (QTreeWidgetItem *row : rows)
        index = std::min(index, findis->indexOfTopLevelItem(row));
    delete findis->takeTopLevelItem(index);
    countdis->setText(QString::number(findis->topLevelItemCount()));
    findis->clearSelection();
    const int count = findis->topLevelItemCount();
    if (count > 0) {
        QTreeWidgetItem *next = findis->topLevelItem(std::min(index, count - 1));
        findis->setCurrentItem(next);
        next->setSelected(true);
    }
}

void Tfindform::rydListen()
{
    findis->clear();
    EditFind->setEditText(QString());
    countdis->setText("0");
}

void Tfindform::aabenAlle()
{
    if (!toolHost() || services::launcher()->currentProgram().isEmpty())
        return;
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < findis->topLevelItemCount(); ++i)
        if (findis->topLevelItem(i)->isSelected())
            rows.append(findis->topLevelItem(i));
    const qsizetype n = rows.size();
    if (n == 0)
        return;
    const QString program = core::nameOf(services::launcher()->currentProgram());
    const QString question = n == 1 ? "Der er valgt et dokument i listen.\rSkal det åbnes med " + program
                                    : "Der er " + QString::number(n) + " dokumenter i listen." + "\r" +
                                          "De forsøges åbnet med valgte program:" + "\r" + program + "\r" +
                                          "Skal de alle åbnes?";
    if (!messages::ask(question))
        return;
    QStringList parts;
    for (const QTreeWidgetItem *row : std::as_const(rows)) {
        const QString path = row->text(DocumentColumn);
        if (core::fileExists(path))
            parts.append(core::quoteArgument(path));
    }
    if (!parts.isEmpty())
        services::launcher()->OpenFilMedProgram(services::launcher()->currentProgram(), parts.join(u' '));
}
