// The text-file search tool "Find tekst": its file types, the search and the hit list.

#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/textsearch/findform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using testsupport::ScriptedResponder;

namespace {

const QString kTypes = "C:\\zunKolvra\\Tester\\Egenskaber\\Filtertyper.txt";

QList<QStringList> rowsOf(const QTreeWidget *list)
{
    QList<QStringList> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        rows.append({item->text(0), item->text(1), item->text(2)});
    }
    return rows;
}

// The user's options folder, as the main window makes it at start.
void makeOptionsFolder(const TestDrives &drives)
{
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
}

void search(Tfindform &window, const QString &folder, const QString &text)
{
    window.Mappe = folder;
    window.EditFind->setEditText(text);
    window.FindSD();
    window.waitForSearch();
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
    QCOMPARE(window.findis->topLevelItemCount(), 0);
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
    QCOMPARE(window.findis->topLevelItemCount(), 1);
    window.typeliste->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    search(window, "D:\\Søg\\", "abc");
    QCOMPARE(window.findis->topLevelItemCount(), 0);
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
    QCOMPARE(window.findis->topLevelItemCount(), 3);
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
    window.findis->topLevelItem(2)->setSelected(true);
    window.fjernValgte();
    QCOMPARE(window.countdis->text(), QString("2"));
    QVERIFY(window.findis->topLevelItem(1)->isSelected()); // the last one went: the one before
    window.fjernValgte();
    QCOMPARE(window.findis->topLevelItemCount(), 1);
    QVERIFY(window.findis->topLevelItem(0)->isSelected());
    window.rydListen();
    QCOMPARE(window.findis->topLevelItemCount(), 0);
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
