#include "tools/textsearch/findform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "platform/Platform.h"
#include "platform/memory.h"

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
#include <QTableView>
#include <QTextLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

Tfindform *findform = nullptr;

namespace {

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
    cancelWorker();
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
    auto selected = [this] { return findis ? selectedCount() : 0; };
    auto rows = [this] { return fundListe ? fundListe->rowCount() : 0; };
    actions->add(
        "AfindBib", "Find i bibliotek", {}, "Find i alle filer i valgte bibliotek", [this] { FindSD(); },
        [this] { return EditFind && !EditFind->currentText().isEmpty(); });
    actions->add(
        "AstopSoeg", "Stop", {}, "Stop søgningen: de fundne beholdes", [this] { stopSoegning(); },
        [this] { return m_running; });
    actions->add(
        "aAktuelle", "Aktuelle", {}, "Sæt aktuelle mappe som søgemappe", [this] { aAktuelleExecute(); },
        [] { return !services::currentElement()->editSti().isEmpty(); });
    actions->add(
        "Afjern", "Fjern valgte", {}, "Fjern det i listen valgte element", [this] { fjernValgte(); },
        [rows, selected] { return rows() > 0 && selected() > 0; });
    // During a search the list may still be empty: clearing it then stops the search.
    actions->add(
        "AsletAlt", "Ryd listen", {}, "Fjern alle fundne elementer", [this] { rydListen(); },
        [this, rows] { return rows() > 0 || m_running; });
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
    findRow->addWidget(widgets::actionButton(actions->action("AstopSoeg"), search,
                                             {"process-stop", Qt::ToolButtonTextBesideIcon}));
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
    fundListe = new FundListe(this);
    // Hits on one line share its layout.
    fundListe->setDisplayLine([this, laidOut = QString(), lineRows = QList<QPair<qsizetype, qsizetype>>()](
                                  const QString &line, qsizetype column) mutable {
        if (line != laidOut) {
            laidOut = line;
            lineRows = displayRows(font(), line);
        }
        return displayLine(lineRows, line, column);
    });
    // A table rather than a tree: it keeps nothing per row but its height, so millions of rows
    // cost the view little.
    findis = new QTableView(search);
    findis->setObjectName("findis");
    findis->setModel(fundListe);
    findis->setSelectionMode(QAbstractItemView::ExtendedSelection);
    findis->setSelectionBehavior(QAbstractItemView::SelectRows);
    findis->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findis->setShowGrid(true);
    findis->setWordWrap(false);
    findis->setCornerButtonEnabled(false);
    setRowHeader();
    findis->horizontalHeader()->setHighlightSections(false);
    findis->horizontalHeader()->setStretchLastSection(true);
    findis->setColumnWidth(FundListe::DocumentColumn, 320);
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
    connect(findis, &QTableView::doubleClicked, this, [this] { aabenValgte(); });
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

void Tfindform::cancelWorker()
{
    if (m_cancel)
        m_cancel->store(true);
    m_search.waitForFinished();
}

void Tfindform::stopSearch()
{
    cancelWorker();
    ++m_generation;
    if (m_running)
        searchEnded(m_generation);
}

void Tfindform::stopSoegning()
{
    if (!m_running)
        return;
    cancelWorker();
    // What the worker handed over before it stopped reaches the list now, with its end.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (m_running)
        searchEnded(m_generation);
}

void Tfindform::waitForSearch()
{
    while (m_running)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
}

namespace {

// The worker's hits, gathered into batches for the window: a small record per hit; a line only
// where the search cannot read it again, and then once for all the hits on it.
class BatchSink : public core::TextHitSink
{
public:
    explicit BatchSink(std::function<void()> due)
        : m_due(std::move(due))
    {
        m_sinceSent.start();
    }

    FundListe::Batch batch;

    // The document searched next; it gets its index with its first hit.
    void beginDocument(const QString &path)
    {
        m_path = path;
        m_listed = false;
    }
    void hitAt(qint64 position, qint64 offset) override { add(position, -1, offset); }
    void hitInLine(qint64 position, const QString &line, qsizetype column) override
    {
        if (m_lineIndex < 0 || line != m_line) {
            batch.lines.append(line);
            m_line = line;
            m_lineIndex = m_lines++;
        }
        add(position, m_lineIndex, column);
    }
    void restart() override
    {
        if (!m_listed)
            return;
        while (!batch.hits.empty() && batch.hits.back().document == m_document)
            batch.hits.pop_back();
        batch.retract = m_document;
    }
    bool due() const { return m_sinceSent.elapsed() >= kBatchMs; }
    // Hands the batch over.
    FundListe::Batch take()
    {
        m_sinceSent.restart();
        // Kept as it is by the list: no room to spare.
        batch.hits.shrink_to_fit();
        FundListe::Batch taken = std::move(batch);
        batch = FundListe::Batch();
        return taken;
    }

private:
    void add(qint64 position, qint32 line, qint64 where)
    {
        if (!m_listed) {
            batch.documents.append(m_path);
            m_document = m_documents++;
            m_listed = true;
        }
        batch.hits.push_back({m_document, line, position, where});
        if (due())
            m_due();
    }

    std::function<void()> m_due;
    QElapsedTimer m_sinceSent;
    QString m_path;
    bool m_listed = false;
    quint32 m_document = 0;
    quint32 m_documents = 0;
    QString m_line;
    qint32 m_lineIndex = -1;
    qint32 m_lines = 0;
};

} // namespace

void Tfindform::FindSD()
{
    if (!core::directoryExists(Mappe))
        return;
    stopSearch();
    unsetCursor();
    clearHits();
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
    actions->updateAll();
    const quint64 generation = m_generation;
    const QPointer<Tfindform> self(this);
    m_search = QtConcurrent::run(
        [self, generation, cancel = m_cancel, folder = Mappe, mask, needle = FTekst, options] {
            std::function<void(bool)> send;
            // Rows reach the window while a document is searched, not only between documents.
            BatchSink sink([&send] { send(false); });
            send = [&](bool last) {
                if (sink.batch.hits.empty() && sink.batch.retract < 0 && !last)
                    return;
                QMetaObject::invokeMethod(
                    self.data(),
                    [self, generation, batch = sink.take(), last]() mutable {
                        if (!self)
                            return;
                        self->addRows(std::move(batch), generation);
                        if (last)
                            self->searchEnded(generation);
                    },
                    Qt::QueuedConnection);
            };
            QStringList names;
            if (!mask.isEmpty() && matchingFiles(folder, mask, names)) {
                for (const QString &name : std::as_const(names)) {
                    if (cancel->load())
                        break;
                    const QString path = folder + name;
                    sink.beginDocument(path);
                    // A document that cannot be read ends the search; its hits so far stay.
                    if (!core::searchDocument(path, needle, options, sink, cancel.get()))
                        break;
                    if (sink.due())
                        send(false);
                }
            }
            send(true);
        });
}

void Tfindform::addRows(FundListe::Batch batch, quint64 generation)
{
    if (generation != m_generation)
        return;
    fundListe->append(std::move(batch));
    countdis->setText(QString::number(fundListe->rowCount()));
}

void Tfindform::searchEnded(quint64 generation)
{
    if (generation != m_generation)
        return;
    m_running = false;
    countdis->setText(QString::number(fundListe->rowCount()));
    unsetCursor();
    actions->updateAll();
}

// ---------------------------------------------------------------------------------------------
// The hit list

void Tfindform::setRowHeader()
{
    auto *rows = new QHeaderView(Qt::Vertical, findis);
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(findis->fontMetrics().height() + 4);
    findis->setVerticalHeader(rows);
}

void Tfindform::clearHits()
{
    const bool many = fundListe->rowCount() > 100000;
    fundListe->clear();
    // An emptied header keeps room for every row it had: a new one gives that memory back. The
    // hits' batches came from the worker's heap, which keeps what is freed unless told.
    if (many) {
        setRowHeader();
        platform::releaseFreeMemory();
    }
}

QList<QPair<int, int>> Tfindform::selectedRanges() const
{
    QList<QPair<int, int>> ranges;
    for (const QItemSelectionRange &range : findis->selectionModel()->selection())
        ranges.append({range.top(), range.bottom()});
    std::sort(ranges.begin(), ranges.end());
    QList<QPair<int, int>> merged;
    for (const auto &[top, bottom] : std::as_const(ranges)) {
        if (!merged.isEmpty() && top <= merged.last().second + 1)
            merged.last().second = std::max(merged.last().second, bottom);
        else
            merged.append({top, bottom});
    }
    return merged;
}

int Tfindform::selectedCount() const
{
    int count = 0;
    for (const auto &[top, bottom] : selectedRanges())
        count += bottom - top + 1;
    return count;
}

QString Tfindform::selectedDocument() const
{
    const QList<QPair<int, int>> ranges = selectedRanges();
    return ranges.size() == 1 && ranges[0].first == ranges[0].second ? fundListe->document(ranges[0].first)
                                                                     : QString();
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
    const QList<QPair<int, int>> ranges = selectedRanges();
    if (ranges.isEmpty())
        return;
    // The first selected row in list order.
    const int index = ranges.first().first;
    fundListe->removeHit(index);
    countdis->setText(QString::number(fundListe->rowCount()));
    findis->clearSelection();
    const int count = fundListe->rowCount();
    if (count > 0)
        findis->selectionModel()->setCurrentIndex(fundListe->index(std::min(index, count - 1), 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
}

void Tfindform::rydListen()
{
    stopSearch();
    clearHits();
    EditFind->setEditText(QString());
    countdis->setText("0");
}

void Tfindform::aabenAlle()
{
    if (!toolHost() || services::launcher()->currentProgram().isEmpty())
        return;
    const QList<QPair<int, int>> ranges = selectedRanges();
    const qsizetype n = selectedCount();
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
    QHash<QString, bool> exists; // many hits share a document
    for (const auto &[top, bottom] : ranges)
        for (int row = top; row <= bottom; ++row) {
            const QString path = fundListe->document(row);
            auto known = exists.find(path);
            if (known == exists.end())
                known = exists.insert(path, core::fileExists(path));
            if (*known)
                parts.append(core::quoteArgument(path));
        }
    if (!parts.isEmpty())
        services::launcher()->OpenFilMedProgram(services::launcher()->currentProgram(), parts.join(u' '));
}
