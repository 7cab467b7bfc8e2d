// The explorer window on its own, with a fake main window.
#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "explorer/navnesoegning.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
#include "lists/reopenfiler.h"
#include "structures/strukturcompo.h"
#include "support/fakemainhost.h"
#include "support/headlessdialogs.h"
#include "support/listinggate.h"
#include "support/testdrives.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

const QString kOpt = "C:\\zunKolvra\\Tester\\Egenskaber\\";

// Files and folders (a trailing backslash) below `root`, made behind the program's back.
void makeEntries(const TestDrives &drives, const QString &root, const QStringList &entries)
{
    QDir().mkpath(drives.host(root));
    for (const QString &entry : entries) {
        if (entry.endsWith(u'\\'))
            QDir().mkpath(drives.host(root + "\\" + entry.chopped(1)));
        else
            drives.writeBytes(root + "\\" + entry, "x");
    }
}

QStringList rows(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Runs the window's command `name` when its rule allows it; false when it is disabled.
bool run(Twinform &window, const char *name)
{
    window.actions->updateAll();
    QAction *action = window.actions->action(name);
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

// Searches the current element's folder for `text` and waits for the end.
void search(Twinform &window, const QString &text)
{
    window.findTekstEdit->setText(text);
    window.aSearchExecute();
    window.waitForSearch();
}

} // namespace

class TestWinform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void livesAndClosesThroughItsHost();
    void clipboardSettingsCarryTheirHints_data();
    void clipboardSettingsCarryTheirHints();
    void operationsAreCountedAndReported();
    void closingDuringAPasteStopsItAndClosesAfter();
    void folderCaptions_data();
    void folderCaptions();
    void searchListsNamesHoldingTheText_data();
    void searchListsNamesHoldingTheText();
    void settingsFollowTheirWidgetsAndTheFile();
    void searchSurvivesLinksUnreadableAndVanishingFolders();
    void aNewSearchOrClosingEndsARunningOne();
    void resultsAreListedWhileTheSearchRuns();
    void stoppingASearchKeepsWhatItFound();
    void favouritesTakeTheCurrentElementOnceAndMoveToTheTop();
    void favouriteCaptionsAndClipboardRows();
    void structuresOfAListKeepOrLeaveOutRepeatedFolders();
    void historyIsSavedOnRequestAndEntriesMoveWithTheSelection();
    void shortcutsOfTheFixedPlace();
    void fileTypesAreMarkedOrIsolatedInTheFileTree();
    void playListsOfTheSelectedNamesWithAnExtension();
    void picturePreviewTakesJpgBmpIcoOnly_data();
    void picturePreviewTakesJpgBmpIcoOnly();
    void startOpensTheStartUpFolderWhenThereIsOne();
    void deletionReportsOnlyWhatWasDeleted_data();
    void deletionReportsOnlyWhatWasDeleted();
    void helpButtonsShowTheirPages_data();
    void helpButtonsShowTheirPages();
};

void TestWinform::livesAndClosesThroughItsHost()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    host.count = 3;
    auto *window = new Twinform;
    QCOMPARE(window->windowTitle(), QString("Stifinder 3"));
    QCOMPARE(host.clipboardWindows, QStringList{"Klipbord 3"});

    window->FormActivate();
    QCOMPARE(host.tabs, QStringList{"Stifinder 3"});
    QCOMPARE(host.focusedTab, QString("Stifinder 3"));
    window->mappeKontrol("C:\\Data", true);
    QCOMPARE(host.currentElement, QString("C:\\Data"));

    window->close();
    QCOMPARE(host.tabs, QStringList{});
    QCOMPARE(host.closed, 1);
    QCOMPARE(host.clipboardWindows, QStringList{});
    const auto options = core::readLines(kOpt + "Stifinder 3.txt");
    QVERIFY(options);
    QCOMPARE(options->size(), 24);
    QCOMPARE(options->at(0), QString("C:\\Data"));
}

void TestWinform::closingDuringAPasteStopsItAndClosesAfter()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    QPointer<Twinform> window = new Twinform;
    window->show();
    window->setAktivitetsNr(1, 0); // a paste runs
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(window->PasteObj->progressBox().stopFlag().load());
    QCOMPARE(host.closed, 0);

    window->setAktivitetsNr(-1, 1); // the paste has ended
    QTRY_VERIFY(window.isNull());
    QCOMPARE(host.closed, 1);
}

void TestWinform::operationsAreCountedAndReported()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    host.mainSettings.notifications = true;
    Twinform window;
    int seenInside = -1;
    QVERIFY(window.operationBracket(QString(), 0, [&] { seenInside = host.operations; }));
    QCOMPARE(seenInside, 1);
    QCOMPARE(host.operations, 0);
    window.pasteResultText = "2 filer";
    window.setAktivitetsNr(0, 1);
    QCOMPARE(host.notices, QStringList{"Information: Der blev kopieret 2 filer"});
}

void TestWinform::folderCaptions_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("drive") << "C:"
                           << "Drev C:";
    QTest::newRow("folder") << "C:\\Data"
                            << "Data";
    QTest::newRow("deeper") << "D:\\A\\Foto 2024"
                            << "Foto 2024";
    QTest::newRow("no backslash") << "Data"
                                  << "Data";
}

void TestWinform::folderCaptions()
{
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QCOMPARE(mappeCaption(path), caption);
}

void TestWinform::searchListsNamesHoldingTheText_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxElementer");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("folderHeading");
    QTest::addColumn<QString>("fileHeading");
    QTest::addColumn<QString>("bar");

    // Depth first in the listing's order; the last found is on top.
    QTest::newRow("substring without regard to case")
        << QStringList{"Rapport.txt", "Trappe.doc", "andet.txt", "RAPmappe\\", "RAPmappe\\x.rap"} << "rap"
        << 120 << QStringList{"RAPmappe"} << QStringList{"Trappe.doc", "Rapport.txt", "x.rap"}
        << "Der er undersøgt 1:1 mappenavne"
        << "Der er undersøgt 4:3 filnavne"
        << "100%";
    QStringList fifty;
    for (int i = 0; i < 50; ++i)
        fifty << QString("rap %1.txt").arg(i, 2, 10, QChar(u'0'));
    QTest::newRow("maxElementer stops the walk")
        << fifty << "RAP" << 10 << QStringList{} << QStringList{"rap 09.txt"} << "Mapper"
        << "Der er undersøgt 10:10 filnavne"
        << "20%";
    QTest::newRow("the text is no pattern")
        << QStringList{"[a]b.txt", "ab.txt", "ab\\"} << "[a]" << 120 << QStringList{}
        << QStringList{"[a]b.txt"} << "Der er undersøgt 1:0 mappenavne"
        << "Der er undersøgt 2:1 filnavne"
        << "100%";
    QTest::newRow("no entries") << QStringList{} << "rap" << 120 << QStringList{} << QStringList{} << "Mapper"
                                << "Filer"
                                << "100%";
}

void TestWinform::searchListsNamesHoldingTheText()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    QFETCH(int, maxElementer);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, folderHeading);
    QFETCH(QString, fileHeading);
    QFETCH(QString, bar);

    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Data", entries);
    FakeMainHost host(kOpt);
    host.mainSettings.maxElementer = maxElementer;
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.mappeKontrol("C:\\Data", true);
    search(window, text);

    QVERIFY(!window.searchRunning());
    QCOMPARE(responder.texts(), QStringList{});
    QCOMPARE(window.mappeLabel->text(), QString("Data"));
    QCOMPARE(rows(window.mappeBoxen), folders);
    const QStringList found = rows(window.filBoxen);
    if (maxElementer < 120) {
        QCOMPARE(found.size(), maxElementer);
        QCOMPARE(found.first(), files.first());
    } else {
        QCOMPARE(found, files);
    }
    QCOMPARE(window.mapperOverskrift->text(), folderHeading);
    QCOMPARE(window.filerOverskrift->text(), fileHeading);
    QCOMPARE(window.BarEdit->text(), bar);

    window.infoClearFind();
    QCOMPARE(window.mappeBoxen->count() + window.filBoxen->count(), 0);
    QCOMPARE(window.filerOverskrift->text(), QString("Filer"));
    QCOMPARE(window.BarEdit->text(), QString("Søg efter"));
    QCOMPARE(window.findTekstEdit->text(), QString());
}

void TestWinform::clipboardSettingsCarryTheirHints_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("hint");
    QTest::newRow("Vis Klipbord") << "visKlipbordCheck"
                                  << "Vis Klipbordet efter hver kopiering";
    QTest::newRow("Ryd kopieringslister") << "rydCheck"
                                          << "Ryd lister efter Sæt-ind funktionen";
    QTest::newRow("Gå til indstillinger") << "visIndstillingerCheck"
                                          << "Gå til indstillinger ved klip og kopiering";
}

void TestWinform::clipboardSettingsCarryTheirHints()
{
    QFETCH(QString, box);
    QFETCH(QString, hint);
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    Twinform window;
    auto *check = window.findChild<QCheckBox *>(box);
    QVERIFY(check);
    QCOMPARE(check->statusTip(), hint);
    QCOMPARE(check->toolTip(), hint);
}

void TestWinform::settingsFollowTheirWidgetsAndTheFile()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    Twinform window;
    const ExplorerSettings before = window.settings();

    // A click on a settings page changes the setting the commands read.
    window.LukCheck->click();
    QCOMPARE(window.settings().closeProgress, !before.closeProgress);
    window.resultBox->setItemIndex(0);
    QCOMPARE(window.settings().clashRule, 0);
    window.tabVisCheck2->click();
    QCOMPARE(window.settings().pagesShown[2], false);
    QVERIFY(!window.winBog->isTabVisible(2));

    // What the options file says is shown, and what is shown is what the file gets.
    QStringList lines = window.optionLines();
    lines[9] = "2";  // "Spørg aldrig"
    lines[15] = "0"; // "Luk progressbokse" off
    lines[20] = "0"; // "Kendte mapper" hidden
    QVERIFY(core::writeLines(window.optFilnavn, lines));
    window.HentOpt();
    QCOMPARE(window.settings().ask, 2);
    QCOMPARE(window.spmBox->itemIndex(), 2);
    QVERIFY(!window.settings().closeProgress);
    QVERIFY(!window.LukCheck->isChecked());
    QVERIFY(!window.settings().pagesShown[0]);
    QVERIFY(!window.tabVisCheck1->isChecked());
    QCOMPARE(window.optionLines(), lines);
}

void TestWinform::searchSurvivesLinksUnreadableAndVanishingFolders()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Data", {"sub\\", "locked\\", "locked\\loop hidden.txt", "zz loop.txt"});
    // A link from a sub-folder back to the searched folder.
    QVERIFY(QFile::link(drives.host("C:\\Data"), drives.host("C:\\Data\\sub\\loop")));
    drives.backEnd().refusedListings << "C:\\Data\\locked";
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.mappeKontrol("C:\\Data", true);

    search(window, "loop");
    QCOMPARE(rows(window.mappeBoxen), QStringList{"loop"});
    QCOMPARE(rows(window.filBoxen), QStringList{"zz loop.txt"});
    QCOMPARE(window.mapperOverskrift->text(), QString("Der er undersøgt 3:1 mappenavne"));
    QCOMPARE(responder.texts(), QStringList{});

    // The search folder itself cannot be read.
    drives.backEnd().refusedListings << "C:\\Data";
    search(window, "loop");
    QCOMPARE(responder.texts(),
             QStringList{"Der opstod en fejl.\rVælg eventuelt ny mappe, der skal søges i."});
    QCOMPARE(window.mappeBoxen->count() + window.filBoxen->count(), 0);
    drives.backEnd().refusedListings.clear();
    responder.clear();

    // The search folder goes away while it is counted.
    const QString data = drives.host("C:\\Data");
    drives.backEnd().beforeListing = [data](const QString &folder) {
        if (folder.compare("C:\\Data\\sub", Qt::CaseInsensitive) == 0)
            QDir(data).removeRecursively();
    };
    search(window, "loop");
    QVERIFY(!window.searchRunning());
    QCOMPARE(window.mappeBoxen->count() + window.filBoxen->count(), 0);
    QCOMPARE(responder.texts(), QStringList{});

    // An unexpected error in the walk ends the search, which says so.
    QDir().mkpath(drives.host("C:\\Data\\sub"));
    drives.backEnd().beforeListing = [](const QString &folder) {
        if (folder.compare("C:\\Data\\sub", Qt::CaseInsensitive) == 0)
            throw std::runtime_error("læsefejl");
    };
    search(window, "loop");
    QVERIFY(!window.searchRunning());
    QCOMPARE(responder.texts(), QStringList{"Information:\rDer opstod en ukendt fejl."});
    QCOMPARE(window.BarEdit->text(), QString("Søg efter"));
    drives.backEnd().beforeListing = {};
}

void TestWinform::aNewSearchOrClosingEndsARunningOne()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\A", {"held\\", "held\\gammel.txt", "gammel.txt"});
    makeEntries(drives, "C:\\B", {"ny gammel.txt"});
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    QPointer<Twinform> window = new Twinform;
    window->mappeKontrol("C:\\A", true);
    {
        ListingGate gate;
        gate.holdAt("C:\\A\\held", drives.backEnd());
        window->findTekstEdit->setText("gammel");
        window->aSearchExecute();
        QTRY_VERIFY(gate.reached());
        QVERIFY(window->searchRunning());
        QCOMPARE(window->BarEdit->text(), QString("Undersøger..."));
        QCoreApplication::processEvents();
        gate.open();
        // The next search starts while the first may still walk: only its own results show.
        window->mappeKontrol("C:\\B", true);
        window->aSearchExecute();
        window->waitForSearch();
    }
    QCOMPARE(rows(window->filBoxen), QStringList{"ny gammel.txt"});
    QCOMPARE(window->filerOverskrift->text(), QString("Der er undersøgt 1:1 filnavne"));

    ListingGate gate;
    gate.holdAt("C:\\A\\held", drives.backEnd());
    window->mappeKontrol("C:\\A", true);
    window->aSearchExecute();
    QTRY_VERIFY(gate.reached());
    gate.open();
    window->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(host.closed, 1);
}

void TestWinform::resultsAreListedWhileTheSearchRuns()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Docs", {"a\\Rapport 1.txt", "a\\Rapport 2.txt", "z\\Rapport 3.txt"});
    FakeMainHost host(kOpt);
    // The walk is held when the search (not the count) comes to the last folder.
    struct Hold
    {
        std::mutex mutex;
        std::condition_variable changed;
        int visits = 0;
        bool open = false;
    };
    auto hold = std::make_shared<Hold>();
    drives.backEnd().beforeListing = [hold](const QString &folder) {
        if (!folder.endsWith("\\z"))
            return;
        std::unique_lock lock(hold->mutex);
        if (++hold->visits == 2)
            hold->changed.wait(lock, [&] { return hold->open; });
    };
    auto openHold = [hold] {
        std::lock_guard lock(hold->mutex);
        hold->open = true;
        hold->changed.notify_all();
    };
    Twinform window;
    // Let go also when a check fails, before the window's end waits for the held walk.
    auto release = qScopeGuard(openHold);
    window.mappeKontrol("C:\\Docs", true);
    window.findTekstEdit->setText("rapport");
    window.aSearchExecute();
    QTRY_COMPARE(rows(window.filBoxen), (QStringList{"Rapport 2.txt", "Rapport 1.txt"}));
    QVERIFY(window.searchRunning());
    QCOMPARE(window.filerOverskrift->text(), QString("Filer"));
    QCOMPARE(window.BarEdit->text(), QString("60%")); // 3 of the 5 entries examined
    openHold();
    window.waitForSearch();
    QCOMPARE(window.filBoxen->count(), 3);
    QCOMPARE(window.BarEdit->text(), QString("100%"));
}

void TestWinform::stoppingASearchKeepsWhatItFound()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Docs", {"a\\Rapport 1.txt", "a\\Rapport 2.txt", "z\\Rapport 3.txt"});
    FakeMainHost host(kOpt);
    // The walk is held when the search (not the count) comes to the last folder, and let go a
    // moment after "Stop" was pressed, which waits for it.
    struct Hold
    {
        std::mutex mutex;
        std::condition_variable changed;
        int visits = 0;
        bool reached = false;
        bool open = false;
    };
    auto hold = std::make_shared<Hold>();
    drives.backEnd().beforeListing = [hold](const QString &folder) {
        if (!folder.endsWith("\\z"))
            return;
        std::unique_lock lock(hold->mutex);
        if (++hold->visits == 2) {
            hold->reached = true;
            hold->changed.wait(lock, [&] { return hold->open; });
        }
    };
    auto openHold = [hold] {
        std::lock_guard lock(hold->mutex);
        hold->open = true;
        hold->changed.notify_all();
    };
    auto reached = [hold] {
        std::lock_guard lock(hold->mutex);
        return hold->reached;
    };
    Twinform window;
    auto release = qScopeGuard(openHold);
    window.mappeKontrol("C:\\Docs", true);
    window.findTekstEdit->setText("rapport");
    QVERIFY(!run(window, "aStopSoeg")); // nothing to stop yet
    window.aSearchExecute();
    QTRY_VERIFY(reached());
    QVERIFY(window.searchRunning());
    std::thread opener([openHold] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        openHold();
    });
    const bool stopped = run(window, "aStopSoeg");
    opener.join();
    QVERIFY(stopped);
    QVERIFY(!window.searchRunning());
    QCOMPARE(rows(window.filBoxen), (QStringList{"Rapport 2.txt", "Rapport 1.txt"}));
    QCOMPARE(window.filerOverskrift->text(), QString("Der er undersøgt 2:2 filnavne"));
    QCOMPARE(window.mapperOverskrift->text(), QString("Der er undersøgt 2:0 mappenavne"));
    QCOMPARE(window.BarEdit->text(), QString("80%")); // 4 of the 5 entries examined
    QVERIFY(!run(window, "aStopSoeg"));
    // Nothing of the stopped walk comes later.
    QTest::qWait(100);
    QCOMPARE(window.filBoxen->count(), 2);
}

void TestWinform::favouritesTakeTheCurrentElementOnceAndMoveToTheTop()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Data", {"a.txt"});
    FakeMainHost host(kOpt);
    Twinform window;

    window.mappeKontrol("C:\\Data", true);
    QVERIFY(run(window, "aInsertFavoritmappe"));
    // Nothing new shown since: the second Ctrl+N finds the command disabled.
    QVERIFY(!run(window, "aInsertFavoritmappe"));
    window.mappeKontrol("C:", true);
    QVERIFY(run(window, "aInsertFavoritmappe"));
    QCOMPARE(rows(window.favoritliste), (QStringList{"Drev C:", "Data"}));
    window.mappeKontrol("C:\\Data", true);
    QVERIFY(run(window, "aInsertFavoritmappe"));
    QCOMPARE(rows(window.favoritliste), (QStringList{"Data", "Drev C:"}));
    QCOMPARE(window.winBog->currentIndex(), 2);
    QCOMPARE(window.favoritBog->currentIndex(), 0);
    // Saved at each insertion, two lines an entry.
    QCOMPARE(core::readLines(kOpt + "favoritmapper1.txt").value_or(QStringList()),
             (QStringList{"Data", "C:\\Data", "Drev C:", "C:"}));

    window.mappeKontrol("C:\\Data\\a.txt", true);
    QVERIFY(run(window, "aInsertFavoritmappe"));
    QCOMPARE(rows(window.favfilerListe), QStringList{"a.txt"});
    QCOMPARE(window.favoritBog->currentIndex(), 1);
    QCOMPARE(core::readLines(kOpt + "favoritfiler1.txt").value_or(QStringList()),
             (QStringList{"a.txt", "C:\\Data\\a.txt"}));
}

void TestWinform::favouriteCaptionsAndClipboardRows()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Data", {"a.txt", "Gammel\\"});
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.FavDir->InsertItem("C:\\Data\\Gammel", "Gammel");
    window.FavDir->InsertItem("C:\\Data", "Data");
    window.FavFiler->InsertItem("C:\\Data\\a.txt", "a.txt");

    window.favoritliste->setCurrentRow(0);
    QVERIFY(!run(window, "fRenameCaption")); // an empty field
    window.RenamMEdit->setText("Mine data");
    QVERIFY(run(window, "fRenameCaption"));
    QCOMPARE(rows(window.favoritliste), (QStringList{"Mine data", "Gammel"}));
    QCOMPARE(window.RenamMEdit->text(), QString());

    window.visIndstillingerCheck->setChecked(true);
    window.favoritliste->setCurrentRow(0);
    QVERIFY(run(window, "fKopier"));
    window.favfilerListe->setCurrentRow(0);
    QVERIFY(run(window, "fLkopier"));
    Klipbord *klipbord = window.metodeX->klipbord();
    QCOMPARE(klipbord->Mappeliste->count(), 1);
    QCOMPARE(klipbord->Filliste->count(), 1);
    QCOMPARE(window.winBog->currentIndex(), 5);

    QVERIFY(QDir(drives.host("C:\\Data\\Gammel")).removeRecursively());
    window.favoritliste->setCurrentRow(1);
    QVERIFY(run(window, "fKopier"));
    QCOMPARE(responder.texts(), QStringList{"Mappen kunne ikke findes.\rSlet eventuelt valgte element."});
    QCOMPARE(klipbord->Mappeliste->count(), 1);
}

void TestWinform::structuresOfAListKeepOrLeaveOutRepeatedFolders()
{
    TestDrives drives;
    makeEntries(drives, "C:\\Data", {"a.txt", "b.txt", "Sub\\", "Sub\\c.txt"});
    const QList<TReopenRec> files = {{"c.txt", "C:\\Data\\Sub\\c.txt"},
                                     {"a.txt", "C:\\Data\\a.txt"},
                                     {"b.txt", "C:\\data\\b.txt"},
                                     {"x.txt", "C:\\Borte\\x.txt"}};
    // The level structure keeps a folder once per file; the point structure once.
    QCOMPARE(Twinform::listeMapper(files, true, false),
             (QStringList{"C:\\Data\\Sub", "C:\\Data", "C:\\data"}));
    QCOMPARE(Twinform::listeMapper(files, true, true), (QStringList{"C:\\Data\\Sub", "C:\\Data"}));

    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.FavDir->InsertItem("C:\\Borte", "Borte");
    QVERIFY(run(window, "fStruktur"));
    QCOMPARE(responder.texts(), QStringList{"Der blev ikke fundet eksisterende emner i favoritlisten."});
}

void TestWinform::historyIsSavedOnRequestAndEntriesMoveWithTheSelection()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Data", {"A\\", "B\\"});
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.historieDir->DeleteAlleItems();
    window.HListeForandret = false;

    QVERIFY(run(window, "hHent"));
    QCOMPARE(responder.texts(), QStringList{"Der blev ikke fundet en gemt historieliste."});
    QVERIFY(!run(window, "hGem"));
    for (const char *folder : {"C:\\Data", "C:\\Data\\A", "C:\\Data\\B"})
        window.mappeKontrol(folder, true);
    QCOMPARE(rows(window.HistorieListe), (QStringList{"Data", "A", "B"}));

    window.HistorieListe->setCurrentRow(0);
    QVERIFY(!run(window, "hOp"));
    QVERIFY(run(window, "hNed"));
    QCOMPARE(rows(window.HistorieListe), (QStringList{"A", "Data", "B"}));
    QCOMPARE(window.HistorieListe->currentRow(), 1);
    window.HistorieListe->setCurrentRow(2);
    QVERIFY(!run(window, "hNed"));
    QVERIFY(run(window, "hSlet"));
    QCOMPARE(window.HistorieListe->currentRow(), 1); // the last went: the one before it
    QVERIFY(run(window, "hGem"));
    QCOMPARE(host.statusLines.last(), QString("Listen er gemt!"));
    QVERIFY(!window.HListeForandret);
    QCOMPARE(core::readLines(kOpt + "historiemapper1.txt").value_or(QStringList()),
             (QStringList{"A", "C:\\Data\\A", "Data", "C:\\Data"}));

    window.mappeKontrol("C:\\Data\\B", true);
    QVERIFY(run(window, "hHent"));
    QCOMPARE(rows(window.HistorieListe), (QStringList{"A", "Data"}));
    QCOMPARE(host.statusLines.last(), QString("Listen er hentet!"));
}

void TestWinform::shortcutsOfTheFixedPlace()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    {
        Twinform without; // no fixed place: no panel
        QVERIFY(!without.genvejsListe);
    }
    const QString place = "C:\\zunKolvra\\Tester\\Genveje";
    makeEntries(drives, place, {"a.lnk", "b.txt", "mappe.lnk\\"});
    host.mainSettings.shortcutsFolder = place;
    testsupport::ScriptedResponder responder;
    Twinform window;
    QVERIFY(window.genvejsListe);
    QVERIFY(run(window, "hentGenveje"));
    QCOMPARE(rows(window.genvejsListe), QStringList{"a"});
    QVERIFY(!run(window, "runGenvej"));
    window.genvejsListe->setCurrentRow(0);
    QVERIFY(run(window, "runGenvej"));
    QCOMPARE(host.launched, QStringList{place + "\\a.lnk"});

    QVERIFY(QFile::remove(drives.host(place + "\\a.lnk")));
    QVERIFY(run(window, "runGenvej"));
    QVERIFY(run(window, "hentGenveje"));
    QCOMPARE(responder.texts(),
             (QStringList{"Filen blev ikke fundet.",
                          "Der blev ikke fundet nogen genveje i mappen til \"Fast placering\"."}));
}

void TestWinform::fileTypesAreMarkedOrIsolatedInTheFileTree()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Data", {"a.txt", "b.TXT", "c.jpg"});
    FakeMainHost host(kOpt);
    Twinform window;
    window.visIFilStruktur("C:\\Data");
    QVERIFY(!run(window, "aExtType2"));
    window.extEdit->setText("txt");
    QVERIFY(run(window, "aExtType2"));
    QCOMPARE(window.antalExtEdit->text(), QString("2"));
    QCOMPARE(host.statusLines.last(), QString("Der blev fundte 2 filer af typen txt"));
    window.extEdit->setText(".jpg");
    QVERIFY(run(window, "aExtType1"));
    QCOMPARE(window.antalExtEdit->text(), QString("0")); // tree 2 holds only the isolated files
}

void TestWinform::playListsOfTheSelectedNamesWithAnExtension()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    makeEntries(drives, "C:\\Film", {"film1.mp4", "film2.mp4", "film3.mkv", "Mappe\\", "Mappe.2\\"});
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.visIFilStruktur("C:\\Film");
    // With nothing selected nothing is written.
    QCOMPARE(window.skrivAfspilningsliste(TSkrivTekstfiler::Afspiller::Film), QString());
    QCOMPARE(
        responder.texts(),
        QStringList{"Der er ingen valgte filer med efternavn.\rVælg en eller flere filer og prøv igen.\r"});
    QVERIFY(run(window, "selectAlleElementer"));
    const QString written = window.skrivAfspilningsliste(TSkrivTekstfiler::Afspiller::Film);
    QCOMPARE(written, QString("C:\\Film\\Film_afspilningsliste.html"));
    // The folder without an extension is left out; the one with a dot is listed.
    const QString page = QString::fromUtf8(drives.readBytes(written));
    for (const char *name : {"film1.mp4", "film2.mp4", "film3.mkv", "Mappe.2"})
        QVERIFY2(page.contains(QString(" <td>") + name + "</td>"), name);
    QVERIFY(!page.contains(" <td>Mappe</td>"));
    // The page is selected in the file tree and opened.
    QCOMPARE(window.metodeX->strukturY()->filnavn(), written);
    QCOMPARE(host.launched.last(), "open " + written);
    window.visIFilStruktur("C:\\Film");
    QVERIFY(run(window, "selectAlleElementer"));
    QCOMPARE(window.skrivAfspilningsliste(TSkrivTekstfiler::Afspiller::Billeder),
             QString("C:\\Film\\Billed_afspilningsliste.html"));
    window.visIFilStruktur("C:\\Film");
    window.metodeX->strukturY()->SelectFil("C:\\Film\\film2.mp4");
    QCOMPARE(window.skrivAfspilningsliste(TSkrivTekstfiler::Afspiller::Film),
             QString("C:\\Film\\Film_afspilningsliste (1).html"));
}

void TestWinform::picturePreviewTakesJpgBmpIcoOnly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("shown");
    QTest::newRow("jpg") << "C:\\Data\\a.jpg" << true;
    QTest::newRow("JPG in capitals") << "C:\\Data\\B.JPG" << true;
    QTest::newRow("bmp") << "C:\\Data\\c.bmp" << true;
    QTest::newRow("ico") << "C:\\Data\\d.Ico" << true;
    QTest::newRow("png") << "C:\\Data\\e.png" << false;
    QTest::newRow("jpeg") << "C:\\Data\\f.jpeg" << false;
    QTest::newRow("no extension") << "C:\\Data\\jpg" << false;
}

void TestWinform::picturePreviewTakesJpgBmpIcoOnly()
{
    QFETCH(QString, file);
    QFETCH(bool, shown);
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    QCOMPARE(window.visBillede(file), shown);
    QCOMPARE(host.galleryOpened, shown ? 1 : 0);
    QCOMPARE(responder.texts(),
             shown ? QStringList()
                   : QStringList{"Valgte fil er ikke en billedfil af type jpg, bmp eller ico.\r"});
}

void TestWinform::startOpensTheStartUpFolderWhenThereIsOne()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.aabnOpstartMappe(); // this host has no start-up folder
    QCOMPARE(responder.texts(), QStringList{"Mappen kunne ikke findes.\r"});
    // On Linux the desktop's autostart folder, where the start-up program writes its entry.
    drives.backEnd().setAutostartFolder((drives.rootC() + "/config/autostart").toStdString());
    const QString startup = "C:\\config\\autostart";
    makeEntries(drives, startup, {"autostart.desktop"});
    window.aabnOpstartMappe();
    QCOMPARE(responder.texts().size(), 1);
    QCOMPARE(window.metodeX->strukturY()->mappenavn(), startup);
}

void TestWinform::deletionReportsOnlyWhatWasDeleted_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("tilPapirkurv");
    QTest::addColumn<QString>("locked"); // a sub-folder nothing can be removed from
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("messages");
    QTest::newRow("permanently, all of it")
        << "C:\\Data" << false << QString() << "Der blev slettet permanent"
        << "Information: Der blev slettet  2 bytes" << 0;
    QTest::newRow("permanently, a read-only sub-folder")
        << "C:\\Data" << false << "C:\\Data\\Mappe\\Laast"
        << "Ikke alt blev slettet permanent"
        << "Information: Der blev slettet  1 bytes, men 1 element kunne ikke slettes" << 1;
    QTest::newRow("to the recycle bin, all of it")
        << "C:\\Data" << true << QString() << "Der blev slettet til papirkurv"
        << "Information: Der blev slettet  2 bytes" << 0;
    QTest::newRow("to the recycle bin where none can be made")
        << "D:\\Data" << true << QString() << "Intet blev slettet"
        << "Information: Der blev slettet  0 bytes, men 2 elementer kunne ikke slettes" << 1;
}

// Shift+Del and Ctrl+D of everything shown in the file tree: the status line and the notice
// claim a deletion only for what is gone.
void TestWinform::deletionReportsOnlyWhatWasDeleted()
{
    QFETCH(QString, folder);
    QFETCH(bool, tilPapirkurv);
    QFETCH(QString, locked);
    QFETCH(QString, status);
    QFETCH(QString, notice);
    QFETCH(int, messages);
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    drives.noTrashOnD();
    makeEntries(drives, folder, {"Mappe\\", "b.txt"});
    if (!locked.isEmpty()) {
        makeEntries(drives, locked, {"c.txt"});
        if (!drives.lockFolder(locked))
            QSKIP("this file system cannot make a folder read-only for root");
    } else {
        makeEntries(drives, folder + "\\Mappe", {"a.txt"});
    }
    FakeMainHost host(kOpt);
    host.mainSettings.notifications = true;
    testsupport::ScriptedResponder responder;
    Twinform window;
    window.spmBox->setItemIndex(2); // "Spørg aldrig"
    window.visIFilStruktur(folder);
    QVERIFY(run(window, "selectAlleElementer"));
    QVERIFY(run(window, tilPapirkurv ? "DeleteToPapirkurv" : "DeletePermanent"));
    QCOMPARE(responder.shown.size(), messages);
    QCOMPARE(host.statusLines, QStringList{status});
    QCOMPARE(host.notices, QStringList{notice});
}

void TestWinform::helpButtonsShowTheirPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("winBogPage");
    QTest::addColumn<int>("settingsTab"); // -1: not on the settings page
    QTest::newRow("known folders") << "infAktMapBut"
                                   << "Aktiverbare mapper.html" << 0 << -1;
    QTest::newRow("history") << "hInformation"
                             << "Besøgte mapper.html" << 1 << -1;
    QTest::newRow("favourite folders") << "mInformation"
                                       << "Favoritmapper.html" << 2 << -1;
    QTest::newRow("favourite files") << "fInformation"
                                     << "Favoritfiler.html" << 2 << -1;
    QTest::newRow("search") << "findInformation"
                            << "Søg efter filer og mapper.html" << 3 << -1;
    QTest::newRow("Egenskaber") << "informationsKnap"
                                << "Andre egenskaber.html" << 4 << 0;
    QTest::newRow("Stifinder") << "informationsKnappen"
                               << "Specifikke egenskaber.html" << 4 << 1;
    QTest::newRow("current element") << "infoInfoBut"
                                     << "Aktuel information.html" << 5 << -1;
    QTest::newRow("Indstillinger") << "infoIndstillingerButton"
                                   << "indstillinger.html" << 5 << -1;
}

void TestWinform::helpButtonsShowTheirPages()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    QFETCH(int, winBogPage);
    QFETCH(int, settingsTab);
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    Twinform window;
    auto *help = window.findChild<QAbstractButton *>(button);
    QVERIFY(help);
    QVERIFY(window.winBog->widget(winBogPage)->isAncestorOf(help));
    if (settingsTab >= 0)
        QVERIFY(window.egenskabsBogen->widget(settingsTab)->isAncestorOf(help));
    help->click();
    QCOMPARE(host.launched, QStringList{page});
}

QTEST_MAIN(TestWinform)
#include "test_winform.moc"
