// The text-file search tool "Find tekst": its file types, the search and the hit list.

#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/textsearch/findform.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using testsupport::ScriptedResponder;

namespace {

const QString kTypes = "C:\\zunKolvra\\Tester\\Egenskaber\\Filtertyper.txt";

// A row as the list shows it.
QStringList rowOf(const QTableView *list, int row)
{
    const QAbstractItemModel *model = list->model();
    return {model->index(row, 0).data().toString(), model->index(row, 1).data().toString(),
            model->index(row, 2).data().toString()};
}

QList<QStringList> rowsOf(const QTableView *list)
{
    QList<QStringList> rows;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        rows.append(rowOf(list, i));
    return rows;
}

int rowCount(const Tfindform &window)
{
    return window.findis->model()->rowCount();
}

bool isSelected(const Tfindform &window, int row)
{
    return window.findis->selectionModel()->isRowSelected(row, {});
}

// The user's options folder, as the main window makes it at start.
void makeOptionsFolder(const TestDrives &drives)
{
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
}

void startSearch(Tfindform &window, const QString &folder, const QString &text)
{
    window.Mappe = folder;
    window.EditFind->setEditText(text);
    window.FindSD();
}

void search(Tfindform &window, const QString &folder, const QString &text)
{
    startSearch(window, folder, text);
    window.waitForSearch();
}

// One document of `lines` lines that each hold the word once: 1,000,000 take about half a second.
constexpr int kManyLines = 1000000;
void writeManyHits(const TestDrives &drives, const QString &path)
{
    QByteArray bytes;
    const QByteArray line = "blåbær\r\n";
    bytes.reserve(line.size() * kManyLines);
    for (int i = 0; i < kManyLines; ++i)
        bytes += line;
    drives.writeBytes(path, bytes);
}

// Handles the window's events until the running search has shown rows and still runs; false
// when it ended first.
bool rowsWhileSearching(Tfindform &window)
{
    while (window.searching()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        if (window.searching() && rowCount(window) > 0)
            return true;
    }
    return false;
}

} // namespace

class TestFindform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void missingTypeListIsWrittenAsTheStandard();
    void theDownloadButtonFollowsItsAction();
    void masksAreNormalised_data();
    void masksAreNormalised();
    void anAddedTypeIsFoundWhateverItsCase();
    void searchListsHitsOfTheChosenTypeOnly();
    void theSearchTextIsListedOnce();
    void noTickedTypeSearchesNothing();
    void openAllPassesEveryHitsDocument();
    void removingAHitSelectsTheNext();
    void activationTakesTheFolderOfTheCurrentElement();
    void closingDuringASearchEndsIt();
    void manyHitsInOneDocumentAreListedAsTheyAreFound();
    void aRunningSearchStopsOrIsCleared_data();
    void aRunningSearchStopsOrIsCleared();
    void theHitListKeepsBatchesInOrder();
};

void TestFindform::missingTypeListIsWrittenAsTheStandard()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    Tfindform window(true);
    QCOMPARE(core::readLines(kTypes).value(), Tfindform::standardList());
    // Every ticked type in the filter box; "Power Shell" is not ticked.
    QCOMPARE(window.filterBoks->count(), 11);
    QCOMPARE(window.filterBoks->itemText(0), QString("Hjemmeside (*.html)"));
    QCOMPARE(window.filterBoks->itemText(10), QString("Tekstfil (*.txt)"));
    QCOMPARE(window.typeliste->topLevelItemCount(), 12);
    QVERIFY(!window.saveknap->isEnabled());
}

void TestFindform::masksAreNormalised_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("mask");
    QTest::newRow("bare") << "txt"
                          << "*.txt";
    QTest::newRow("dot") << ".txt"
                         << "*.txt";
    QTest::newRow("star") << "*.txt"
                          << "*.txt";
    QTest::newRow("last part") << "a.b.c"
                               << "*.c";
    QTest::newRow("capitals kept") << "TXT"
                                   << "*.TXT";
    QTest::newRow("everything") << "*.*"
                                << "*.*";
}

void TestFindform::masksAreNormalised()
{
    QFETCH(QString, typed);
    QFETCH(QString, mask);
    QCOMPARE(Tfindform::normaliseMask(typed), mask);
}

void TestFindform::anAddedTypeIsFoundWhateverItsCase()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes(kTypes, "Tekstfil\r\n*.txt\r\n0\r\nLog\r\n*.log\r\n1\r\n");
    Tfindform window(true);
    QVERIFY(!window.ErExtListet("*.txt")); // not ticked
    window.tekstedit->setText("Store");
    window.typeedit->setText("TXT");
    window.insertType();
    QCOMPARE(window.typeliste->topLevelItem(2)->text(1), QString("*.TXT"));
    QVERIFY(window.saveknap->isEnabled());
    QVERIFY(window.ErExtListet("*.txt"));
    window.GemTyper();
    QCOMPARE(core::readLines(kTypes).value(),
             (QStringList{"Tekstfil", "*.txt", "0", "Log", "*.log", "1", "Store", "*.TXT", "1"}));
    QVERIFY(window.ErExtListet("*.txt"));
    QCOMPARE(window.filterBoks->currentIndex(), 1); // the second ticked type
}

void TestFindform::searchListsHitsOfTheChosenTypeOnly()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes(kTypes, "Tekstfil\r\n*.txt\r\n1\r\nRich Text\r\n*.rtf\r\n1\r\n");
    drives.writeBytes("D:\\Søg\\a.txt", "abcabc");
    drives.writeBytes("D:\\Søg\\b.TXT", "første\r\nlinje med abc\r\n");
    drives.writeBytes("D:\\Søg\\c.rtf", "{\\rtf1 abc}");
    drives.writeBytes("D:\\Søg\\Under\\d.txt", "abc");
    drives.writeBytes("D:\\Søg\\binær.txt", QByteArray("\0\xFF"
                                                       "abc\0",
                                                       6));
    Tfindform window(true);
    window.filterBoks->setCurrentIndex(0);
    search(window, "D:\\Søg\\", "abc");
    QList<QStringList> rows = rowsOf(window.findis);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, (QList<QStringList>{{"D:\\Søg\\a.txt", "0", "abcabc"},
                                       {"D:\\Søg\\a.txt", "3", "abcabc"},
                                       {"D:\\Søg\\b.TXT", "17", "linje med abc"},
                                       {"D:\\Søg\\binær.txt", "2",
                                        QString::fromLatin1("\0\xFF"
                                                            "abc\0",
                                                            6)}}));
    QCOMPARE(window.countdis->text(), QString("4"));

    window.filterBoks->setCurrentIndex(1);
    search(window, "D:\\Søg\\", "ABC");
    QCOMPARE(rowsOf(window.findis), (QList<QStringList>{{"D:\\Søg\\c.rtf", "0", "abc"}}));
    window.Check2->setChecked(true);
    search(window, "D:\\Søg\\", "ABC");
    QCOMPARE(rowCount(window), 0);
    QCOMPARE(window.countdis->text(), QString("0"));
}

void TestFindform::theSearchTextIsListedOnce()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes("D:\\Søg\\a.txt", "x");
    Tfindform window(true);
    search(window, "D:\\Søg\\", "abc");
    search(window, "D:\\Søg\\", "abc");
    search(window, "D:\\Søg\\", "ABC");
    QCOMPARE(window.EditFind->count(), 2);
    QCOMPARE(window.EditFind->itemText(0), QString("abc"));
    QCOMPARE(window.EditFind->itemText(1), QString("ABC"));
}

// The filter box without a position searches the first ticked type; with no ticked type at all
// nothing is searched and nothing fails.
void TestFindform::noTickedTypeSearchesNothing()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes(kTypes, "Tekstfil\r\n*.txt\r\n1\r\n");
    drives.writeBytes("D:\\Søg\\a.txt", "abc");
    Tfindform window(true);
    window.filterBoks->setCurrentIndex(-1);
    search(window, "D:\\Søg\\", "abc");
    QCOMPARE(rowCount(window), 1);
    window.typeliste->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    search(window, "D:\\Søg\\", "abc");
    QCOMPARE(rowCount(window), 0);
    QVERIFY(!window.searching());
}

void TestFindform::openAllPassesEveryHitsDocument()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes("D:\\Søg\\Mit brev.txt", "abc abc abc");
    Tfindform window(true);
    QVERIFY(window.ErExtListet("*.txt"));
    search(window, "D:\\Søg\\", "abc");
    QCOMPARE(rowCount(window), 3);
    window.findis->selectAll();
    window.actions->updateAll();
    QVERIFY(!window.actions->action("AopenAll")->isEnabled()); // no current program
    host.program = "C:\\Programmer\\Skriv.exe";
    ScriptedResponder responder;
    responder.answerJa();
    window.aabenAlle();
    const QString quoted = "\"D:\\Søg\\Mit brev.txt\"";
    QCOMPARE(host.calls,
             QStringList{"program C:\\Programmer\\Skriv.exe " + quoted + " " + quoted + " " + quoted});
    QCOMPARE(responder.texts(),
             QStringList{"Der er 3 dokumenter i listen.\rDe forsøges åbnet med valgte program:\r"
                         "Skriv.exe\rSkal de alle åbnes?"});
}

void TestFindform::removingAHitSelectsTheNext()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes("D:\\Søg\\a.txt", "abc abc abc");
    Tfindform window(true);
    QVERIFY(window.ErExtListet("*.txt"));
    search(window, "D:\\Søg\\", "abc");
    window.findis->selectRow(2);
    window.fjernValgte();
    QCOMPARE(window.countdis->text(), QString("2"));
    QVERIFY(isSelected(window, 1)); // the last one went: the one before
    window.fjernValgte();
    QCOMPARE(rowCount(window), 1);
    QVERIFY(isSelected(window, 0));
    window.rydListen();
    QCOMPARE(rowCount(window), 0);
    QCOMPARE(window.countdis->text(), QString("0"));
    QVERIFY(window.EditFind->currentText().isEmpty());
}

void TestFindform::activationTakesTheFolderOfTheCurrentElement()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    drives.writeBytes("D:\\Søg\\a.txt", "x");
    drives.writeBytes("D:\\Søg\\b.xyz", "x");
    Tfindform window(true);
    ScriptedResponder responder;
    host.current = "D:\\Søg\\b.xyz";
    window.FormActivate();
    QCOMPARE(window.Mappe, QString("D:\\Søg\\"));
    QCOMPARE(window.pageBog->currentIndex(), 1);
    host.current = "D:\\Søg\\a.txt";
    window.FormActivate();
    QCOMPARE(window.pageBog->currentIndex(), 0);
    QCOMPARE(window.filterBoks->currentText(), QString("Tekstfil (*.txt)"));
    host.current = "D:\\Søg";
    window.FormActivate();
    QCOMPARE(window.dirEdit->text(), QString("D:\\Søg\\"));
    QCOMPARE(
        responder.texts(),
        (QStringList{"Filtypen er ikke registreret.\rDu må selv registrere filtypen, hvis der er tale om en "
                     "tekstfil.",
                     "Der er ikke registreret en filtype.\rBestem hvilken filtype, der skal søges i."}));
    QCOMPARE(host.tabs, QStringList{"Find tekst"}); // the tab on the first activation only
}

void TestFindform::closingDuringASearchEndsIt()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    for (int i = 0; i < 50; ++i)
        drives.writeBytes(QString("D:\\Søg\\f%1.txt").arg(i), QByteArray(20000, 'a'));
    auto *window = new Tfindform(true);
    QVERIFY(window->ErExtListet("*.txt"));
    window->Mappe = "D:\\Søg\\";
    window->EditFind->setEditText("a");
    window->FindSD();
    window->FindSD(); // a new search ends the running one
    QVERIFY(window->close());
    QCOMPARE(host.tabs, QStringList{});
    delete window;
}

// Rows and their count reach the window while the one document is still searched, and a hit
// holds a small record only: its line is read again from the document when its row is shown.
void TestFindform::manyHitsInOneDocumentAreListedAsTheyAreFound()
{
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    writeManyHits(drives, "D:\\Søg\\bær.txt");
    Tfindform window(true);
    QVERIFY(window.ErExtListet("*.txt"));
    startSearch(window, "D:\\Søg\\", "blåbær");
    QVERIFY(rowsWhileSearching(window));
    QCOMPARE(window.countdis->text(), QString::number(rowCount(window)));
    window.waitForSearch();
    QCOMPARE(rowCount(window), kManyLines);
    QCOMPARE(window.countdis->text(), QString::number(kManyLines));
    QCOMPARE(rowOf(window.findis, 0), (QStringList{"D:\\Søg\\bær.txt", "0", "blåbær"}));
    QCOMPARE(rowOf(window.findis, kManyLines - 1),
             (QStringList{"D:\\Søg\\bær.txt", QString::number(7 * (kManyLines - 1)), "blåbær"}));
    QVERIFY(sizeof(FundListe::Fund) <= 24);
    QVERIFY2(window.fundListe->bytesHeld() <= 2 * kManyLines * qsizetype(sizeof(FundListe::Fund)),
             "the hits hold more than their records");
    window.rydListen();
    QCOMPARE(window.fundListe->bytesHeld(), 0);
}

void TestFindform::aRunningSearchStopsOrIsCleared_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("rowsKept");
    QTest::newRow("Stop") << "AstopSoeg" << true;
    QTest::newRow("Ryd listen") << "AsletAlt" << false;
}

void TestFindform::aRunningSearchStopsOrIsCleared()
{
    QFETCH(QString, command);
    QFETCH(bool, rowsKept);
    TestDrives drives;
    makeOptionsFolder(drives);
    FakeToolHost host;
    writeManyHits(drives, "D:\\Søg\\bær.txt");
    Tfindform window(true);
    QVERIFY(window.ErExtListet("*.txt"));
    QAction *action = window.actions->action(command.toLatin1());
    window.actions->updateAll();
    QVERIFY(!action->isEnabled());
    startSearch(window, "D:\\Søg\\", "blåbær");
    QVERIFY(rowsWhileSearching(window));
    window.actions->updateAll();
    QVERIFY(action->isEnabled());
    action->trigger();
    QVERIFY(!window.searching());
    const int rows = rowCount(window);
    if (rowsKept) {
        QVERIFY(rows > 0);
        QVERIFY(rows < kManyLines);
        QCOMPARE(rowOf(window.findis, 0), (QStringList{"D:\\Søg\\bær.txt", "0", "blåbær"}));
    } else {
        QCOMPARE(rows, 0);
        QVERIFY(window.EditFind->currentText().isEmpty());
    }
    QCOMPARE(window.countdis->text(), QString::number(rows));
    window.actions->updateAll();
    QVERIFY(!window.actions->action("AstopSoeg")->isEnabled());
    // Nothing of the stopped search comes later.
    QTest::qWait(200);
    QCOMPARE(rowCount(window), rows);
}

// Batches large and small, a document read again from its start (its hits taken back also from
// earlier batches), single rows removed anywhere: the rows stay those handed over, in order.
void TestFindform::theHitListKeepsBatchesInOrder()
{
    FundListe list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // Hits of one document at the positions from `first` on; all on the one kept line.
    auto batch = [](QStringList documents, quint32 document, qint64 first, int count, qint64 retract = -1) {
        FundListe::Batch made{std::move(documents), {}, {}, retract};
        if (document == 0 && first == 0)
            made.lines = {"linje"};
        for (int i = 0; i < count; ++i)
            made.hits.push_back({document, 0, first + i, 0});
        return made;
    };
    auto positions = [&list] {
        QList<qint64> all;
        for (int row = 0; row < list.rowCount(); ++row)
            all.append(list.position(row));
        return all;
    };
    auto range = [](qint64 first, qint64 count) {
        QList<qint64> all;
        for (qint64 i = 0; i < count; ++i)
            all.append(first + i);
        return all;
    };
    list.append(batch({"A"}, 0, 0, 5000));
    list.append(batch({}, 0, 5000, 10));
    list.append(batch({"B"}, 1, 0, 3));
    list.append(batch({}, 1, 3, 6000));
    list.append(batch({}, 1, 6003, 2));
    QCOMPARE(list.rowCount(), 11015);
    // B is read again: its rows in three batches go, the new ones come.
    list.append(batch({}, 1, 100, 2, 1));
    QCOMPARE(positions(), range(0, 5010) + range(100, 2));
    QCOMPARE(list.document(5010), QString("B"));
    QCOMPARE(list.text(5011), QString("linje"));
    list.removeHit(5011);
    list.removeHit(4999);
    list.removeHit(0);
    QCOMPARE(positions(), range(1, 4998) + range(5000, 10) + range(100, 1));
    QCOMPARE(list.document(0), QString("A"));
    list.clear();
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(list.bytesHeld(), 0);
}

void TestFindform::theDownloadButtonFollowsItsAction()
{
    TestDrives drives;
    FakeToolHost host;
    QAction tastra("zunTastra");
    tastra.setEnabled(false);
    int triggered = 0;
    QObject::connect(&tastra, &QAction::triggered, [&triggered] { ++triggered; });
    host.actions.insert("tastraUrlen", &tastra);
    Tfindform window(true);
    auto *button = window.findChild<QPushButton *>("zunTastra");
    QVERIFY(button);
    QVERIFY(!button->isEnabled());
    tastra.setEnabled(true);
    QVERIFY(button->isEnabled());
    button->click();
    QCOMPARE(triggered, 1);
}

QTEST_MAIN(TestFindform)
#include "test_findform.moc"
