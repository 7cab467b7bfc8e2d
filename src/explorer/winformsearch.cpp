// Explorer window: the search page (names of folders and files under the current element),
// file types in the file tree, and structures built from the lists of the pages.

#include "explorer/winform.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "explorer/mainhost.h"
#include "explorer/navnesoegning.h"
#include "fileops/metodecompo.h"
#include "lists/reopenfiler.h"
#include "structures/strukturcompo.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// How often a running search's results reach the page.
constexpr int kCollectMs = 50;

} // namespace

// ---------------------------------------------------------------------------------------------
// Page

QWidget *Twinform::buildSearchPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH5");
    auto *layout = new QVBoxLayout(page);

    auto *searchRow = new QHBoxLayout;
    findTekstEdit = new QLineEdit(page);
    findTekstEdit->setObjectName("findTekstEdit");
    findTekstEdit->setPlaceholderText("Indfør søgeord");
    connect(findTekstEdit, &QLineEdit::returnPressed, this, [this] {
        actions->updateAll();
        if (actions->action("aSearch")->isEnabled())
            actions->action("aSearch")->trigger();
    });
    searchRow->addWidget(findTekstEdit, 1);
    searchRow->addWidget(widgets::actionButton(actions->action("aSearch"), page, {"edit-find"}));
    searchRow->addWidget(widgets::actionButton(actions->action("aStopSoeg"), page, {"process-stop"}));
    layout->addLayout(searchRow);

    mappeLabel = new QLabel(page);
    mappeLabel->setObjectName("mappeLabel");
    // Long folder names and headings must not widen the page.
    mappeLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(mappeLabel);
    BarEdit = widgets::field("BarEdit", "Søg efter", page);
    layout->addWidget(BarEdit);
    findBar = new QProgressBar(page);
    findBar->setObjectName("findBar");
    findBar->setTextVisible(false);
    findBar->setRange(0, 1);
    findBar->setValue(0);
    layout->addWidget(findBar);

    mapperOverskrift = new QLabel("Mapper", page);
    mapperOverskrift->setObjectName("mapperOverskrift");
    mapperOverskrift->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(mapperOverskrift);
    mappeBoxen = new QListWidget(page);
    mappeBoxen->setObjectName("mappeBoxen");
    tegnListe(mappeBoxen, true);
    layout->addWidget(mappeBoxen, 1);
    filerOverskrift = new QLabel("Filer", page);
    filerOverskrift->setObjectName("filerOverskrift");
    filerOverskrift->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(filerOverskrift);
    filBoxen = new QListWidget(page);
    filBoxen->setObjectName("filBoxen");
    tegnListe(filBoxen, false);
    layout->addWidget(filBoxen, 1);

    layout->addWidget(new QLabel("Fremvis filtype", page));
    extEdit = new QLineEdit(page);
    extEdit->setObjectName("extEdit");
    extEdit->setToolTip("Filefternavn med eller uden punktum");
    layout->addWidget(extEdit);
    auto *typeRow = new QHBoxLayout;
    for (const char *name : {"aExtType1", "aExtType2"})
        typeRow->addWidget(widgets::actionButton(actions->action(name), page, {{}, Qt::ToolButtonTextOnly}));
    antalExtEdit = widgets::field("antalExtEdit", "0", page);
    antalExtEdit->setToolTip("Antal filer fundne med indførte efternavn");
    antalExtEdit->setMaximumWidth(60);
    typeRow->addWidget(antalExtEdit);
    layout->addLayout(typeRow);

    auto *bottom = new QHBoxLayout;
    auto *info = widgets::infoButton("findInformation", page);
    connect(info, &QToolButton::clicked, this,
            [] { services::help()->InfoHelp("Søg efter filer og mapper.html"); });
    bottom->addWidget(info);
    bottom->addWidget(widgets::actionButton(actions->action("infoClearFind"), page, {"edit-clear"}));
    bottom->addStretch();
    layout->addLayout(bottom);
    bottom = new QHBoxLayout;
    for (const char *name :
         {"mappePunktstruktur", "mappeNiveaustruktur", "filPunktstruktur", "filNiveaustruktur"})
        bottom->addWidget(widgets::actionButton(actions->action(name), page, {{}, Qt::ToolButtonTextOnly}));
    bottom->addStretch();
    layout->addLayout(bottom);

    m_findTimer = new QTimer(this);
    m_findTimer->setInterval(kCollectMs);
    connect(m_findTimer, &QTimer::timeout, this, [this] { collectFound(); });
    return page;
}

void Twinform::buildSearchActions()
{
    actions->add(
        "aSearch", "Søg", {}, "Start søgning: Der søges i aktuelle element mappen",
        [this] { aSearchExecute(); }, [this] { return findTekstEdit && !findTekstEdit->text().isEmpty(); });
    // The walk ends where it is; what it found stays, with the counts so far.
    actions->add(
        "aStopSoeg", "Stop", {}, "Stop søgningen: det fundne beholdes",
        [this] {
            if (!m_soegning || !m_soegningAktiv)
                return;
            m_soegning->stop();
            collectFound();
        },
        [this] { return m_soegningAktiv; });
    actions->add("infoClearFind", "Rens lister", {}, "Rens lister: Klargør til ny søgning",
                 [this] { infoClearFind(); });
    auto typed = [this] { return extEdit && !extEdit->text().isEmpty(); };
    actions->add(
        "aExtType1", "Vis", {}, "Fremhæv filer med indførte efternavn: Opdater struktur 2 ved F6",
        [this] { visFiltype(false); }, typed);
    actions->add(
        "aExtType2", "Isoler", {}, "Fremvis kun filer med indførte efternavn: Opdater struktur 2 ved F6",
        [this] { visFiltype(true); }, typed);

    const QString folders = "Der blev ikke fundet eksisterende emner i mappelisten.\r";
    const QString files = "Der blev ikke fundet eksisterende emner i fillisten.\r";
    const struct
    {
        const char *name, *caption, *hint;
        bool fileList, punkt;
    } structures[] = {
        {"mappePunktstruktur", "M", "Fremstil en mappe punktstruktur", false, true},
        {"mappeNiveaustruktur", "M", "Fremstil en mappe niveaustruktur", false, false},
        {"filPunktstruktur", "F", "Fremstil en punktstruktur ud fra filnavne", true, true},
        {"filNiveaustruktur", "F", "Fremstil en niveaustruktur ud fra filnavne", true, false},
    };
    for (const auto &s : structures) {
        const bool fileList = s.fileList;
        const bool punkt = s.punkt;
        actions->add(
            s.name, s.caption, {}, s.hint,
            [this, fileList, punkt, text = fileList ? files : folders] {
                // The point structures leave out repeated folders.
                listeStruktur(fileList ? findFiler : findDir, punkt, punkt, true, text);
            },
            [this, fileList] {
                const TReopenFilerX *list = fileList ? findFiler : findDir;
                return list && list->antal() > 0;
            });
    }
}

// ---------------------------------------------------------------------------------------------
// Search

void Twinform::infoClearFind()
{
    if (m_soegning)
        m_soegning->stop();
    if (m_soegningAktiv)
        searchEnded();
    findTekstEdit->clear();
    findTekstEdit->setPlaceholderText("Indfør søgeord");
    BarEdit->setText("Søg efter");
    findDir->DeleteAlleItems();
    findFiler->DeleteAlleItems();
    findBar->setValue(0);
    mapperOverskrift->setText("Mapper");
    filerOverskrift->setText("Filer");
}

void Twinform::aSearchExecute()
{
    try {
        // A search still running ends before its lists are emptied, so nothing of it comes late.
        if (m_soegning)
            m_soegning->stop();
        if (m_soegningAktiv)
            searchEnded();
        setCursor(Qt::BusyCursor);
        findDir->DeleteAlleItems();
        findFiler->DeleteAlleItems();
        mapperOverskrift->setText("Mapper");
        filerOverskrift->setText("Filer");
        BarEdit->setText("Søg efter");
        findBar->setValue(0);
        mappeLabel->clear();
        QString folder = mainHost() ? services::currentElement()->editSti() : aktuelleSti;
        if (core::fileExists(folder))
            folder = core::folderOf(folder);
        QCoreApplication::processEvents();
        BarEdit->setText("Forbereder...");
        const QString text = findTekstEdit->text();
        if (text.isEmpty()) {
            messages::inform(
                "Der mangler en tekst!\rIndfør en tekst der skal søges efter i mappe og filnavne.");
            unsetCursor();
            return;
        }
        mappeLabel->setText(core::getLastDirectory(folder));
        QCoreApplication::processEvents();
        findElement(folder, text);
    } catch (const std::exception &) {
        messages::inform("Der opstod en ukendt fejl.");
        unsetCursor();
    }
}

void Twinform::findElement(const QString &aMappe, const QString &ElementS)
{
    // Closed while the messages were processed: no walk is started for a window going away.
    if (m_closed)
        return;
    BarEdit->setText("Undersøger...");
    if (!m_soegning)
        m_soegning = std::make_unique<NavneSoegning>();
    m_soegning->start(aMappe, ElementS, mainHost() ? services::settings()->settings().maxElementer : 120);
    m_soegningAktiv = true;
    setCursor(Qt::BusyCursor);
    m_findTimer->start();
}

bool Twinform::searchRunning() const
{
    return m_soegningAktiv;
}

void Twinform::waitForSearch()
{
    if (m_soegning)
        m_soegning->wait();
    if (m_soegningAktiv)
        collectFound();
}

void Twinform::collectFound()
{
    if (!m_soegning || !m_soegningAktiv)
        return;
    NavneSoegning::Tal tal;
    const QList<NavneSoegning::Fund> found = m_soegning->take(tal);
    if (tal.counted) {
        findBar->setRange(0, std::max(1, tal.ialtAntal));
        findBar->setValue(tal.ialtAntal > 0 ? std::min(tal.progress, tal.ialtAntal) : 0);
    }
    // Inserted one by one: the last found goes on top, and the percentage is the one after it.
    for (const NavneSoegning::Fund &fund : found) {
        if (fund.mappe)
            findDir->InsertItem(fund.path, mappeCaption(fund.path));
        else
            findFiler->InsertItem(fund.path, core::nameOf(fund.path));
    }
    if (!found.isEmpty())
        BarEdit->setText(QString::number(NavneSoegning::percent(tal.progress, tal.ialtAntal)) + "%");
    if (!tal.done)
        return;
    if (tal.unreadable || tal.failed) {
        searchEnded();
        BarEdit->setText("Søg efter");
        messages::inform(tal.failed ? "Information:\rDer opstod en ukendt fejl."
                                    : "Der opstod en fejl.\rVælg eventuelt ny mappe, der skal søges i.");
        return;
    }
    if (tal.mappeAntal > 0)
        mapperOverskrift->setText("Der er undersøgt " + QString::number(tal.mappeAntal) + ":" +
                                  QString::number(tal.mappeAntalF) + " mappenavne");
    if (tal.filAntal > 0)
        filerOverskrift->setText("Der er undersøgt " + QString::number(tal.filAntal) + ":" +
                                 QString::number(tal.filAntalF) + " filnavne");
    // A folder without entries has nothing left to examine: the bar is full and says 100%.
    if (tal.ialtAntal == 0)
        findBar->setValue(findBar->maximum());
    BarEdit->setText(QString::number(NavneSoegning::percent(tal.progress, tal.ialtAntal)) + "%");
    searchEnded();
}

void Twinform::searchEnded()
{
    m_soegningAktiv = false;
    m_findTimer->stop();
    unsetCursor();
    actions->updateAll();
}

// ---------------------------------------------------------------------------------------------
// File types in the file tree

void Twinform::visFiltype(bool isoler)
{
    const QString ext = extEdit->text();
    TStrukturCompo *struktur = metodeX->strukturY();
    const int n = isoler ? struktur->makeStrukturFil(ext) : struktur->fremvisFiltype(ext);
    services::status()->UdskrivInfo("Der blev fundte " + QString::number(n) + " filer af typen " + ext);
    antalExtEdit->setText(QString::number(n));
    FilStruktur->setFocus();
    mappeKontrol(QString(), false);
}

// ---------------------------------------------------------------------------------------------
// Structures from lists

QStringList Twinform::listeMapper(const QList<TReopenRec> &entries, bool filer, bool udenGentagelser)
{
    QStringList folders;
    QSet<QString> seen;
    for (const TReopenRec &entry : entries) {
        const QString folder = filer ? core::folderOf(entry.Filnavn) : entry.Filnavn;
        if (!core::directoryExists(folder))
            continue;
        if (udenGentagelser) {
            const QString key = folder.toCaseFolded();
            if (seen.contains(key))
                continue;
            seen.insert(key);
        }
        folders << folder;
    }
    return folders;
}

bool Twinform::listeStruktur(const TReopenFilerBase *liste, bool punkt, bool udenGentagelser, bool kontrol,
                             const QString &tomTekst)
{
    const bool filer = liste == findFiler || liste == FavFiler;
    QStringList folders = listeMapper(liste->entries(), filer, udenGentagelser);
    if (folders.isEmpty()) {
        messages::inform(tomTekst);
        return false;
    }
    visStruktur(folders, punkt);
    if (kontrol)
        mappeKontrol(QString(), false);
    return true;
}
