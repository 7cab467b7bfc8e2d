// The calendar tool "Kalender": day notes, typed dates, date folders, the date difference
// through the installed script, and the holidays of a year.

#include "core/messages.h"
#include "faketoolhost.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/calendar/kalenderform.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using testsupport::ScriptedResponder;

namespace {

QAction *action(const Tkalenderform &window, const char *name)
{
    QAction *found = window.findChild<QAction *>(name);
    return found;
}

// A window inside the main window, shown once as the main window does on activation.
struct Calendar
{
    Calendar()
        : window(true)
    {
        window.FormActivate();
    }
    Tkalenderform window;
};

} // namespace

class TestKalenderform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void aNoteIsKeptPerDay();
    void typedNotesAreKeptWhenTheDayChangesOrTheWindowCloses();
    void typedDatesAreCleanedAndChecked();
    void theDateFolderChainIsMadeAndShown();
    void theCalendarFolderComesFromTheCurrentElement();
    void holidaysOfTheChosenYear();
    void theDateDifferenceComesFromTheScript();
};

void TestKalenderform::aNoteIsKeptPerDay()
{
    TestDrives drives;
    FakeToolHost host;
    const QDate day(2024, 5, 24);
    {
        Calendar calendar;
        Tkalenderform &window = calendar.window;
        window.kalender.calendar->setSelectedDate(day);
        QVERIFY(!action(window, "aMemoGem")->isEnabled());
        window.kalnotatMemo->insertPlainText("Mor har fødselsdag\nKøb blomster");
        QVERIFY(action(window, "aMemoGem")->isEnabled());
        action(window, "aMemoGem")->trigger();
        QVERIFY(!action(window, "aMemoGem")->isEnabled());
        QVERIFY(action(window, "aMemoSlet")->isEnabled());
        QCOMPARE(window.memoFilename, QString("C:\\zunKolvra\\Tester\\Notater\\24-05-2024.txt"));
    }
    // A new window (a new run) shows the note again on that day, and nothing on another.
    Calendar calendar;
    Tkalenderform &window = calendar.window;
    window.kalender.calendar->setSelectedDate(day);
    QCOMPARE(window.kalnotatMemo->toPlainText(), QString("Mor har fødselsdag\nKøb blomster"));
    QCOMPARE(window.kalender.day->text(), QString("24"));
    QCOMPARE(window.kalender.month->text(), QString("5"));
    window.kalender.calendar->setSelectedDate(day.addDays(1));
    QVERIFY(window.kalnotatMemo->toPlainText().isEmpty());
    QVERIFY(!action(window, "aMemoSlet")->isEnabled());
    // "Slet" removes the note file without a question.
    window.kalender.calendar->setSelectedDate(day);
    ScriptedResponder responder;
    action(window, "aMemoSlet")->trigger();
    QVERIFY(responder.texts().isEmpty());
    QVERIFY(!QFile::exists(drives.host("C:\\zunKolvra\\Tester\\Notater\\24-05-2024.txt")));
    QVERIFY(window.kalnotatMemo->toPlainText().isEmpty());
}

void TestKalenderform::typedNotesAreKeptWhenTheDayChangesOrTheWindowCloses()
{
    TestDrives drives;
    FakeToolHost host;
    ScriptedResponder responder;
    const QString notes = "C:\\zunKolvra\\Tester\\Notater\\";
    const QDate day(2024, 5, 24);
    {
        Calendar calendar;
        Tkalenderform &window = calendar.window;
        window.kalender.calendar->setSelectedDate(day);
        window.kalnotatMemo->insertPlainText("Ring til tandlægen");
        // Another day clicked without "Gem": the note goes to the day it was typed for.
        window.kalender.calendar->setSelectedDate(day.addDays(1));
        QCOMPARE(drives.readBytes(notes + "24-05-2024.txt").trimmed(), QByteArray("Ring til tandl\xe6gen"));
        QVERIFY(window.kalnotatMemo->toPlainText().isEmpty());
        // A day only looked at gets no file.
        window.kalender.calendar->setSelectedDate(day.addDays(2));
        QVERIFY(!QFile::exists(drives.host(notes + "25-05-2024.txt")));
        window.kalnotatMemo->insertPlainText("Fødselsdag");
        window.close();
    }
    QCOMPARE(drives.readBytes(notes + "26-05-2024.txt").trimmed(), QByteArray("F\xf8"
                                                                              "dselsdag"));
    QVERIFY(responder.texts().isEmpty());
}

void TestKalenderform::typedDatesAreCleanedAndChecked()
{
    TestDrives drives;
    FakeToolHost host;
    Calendar calendar;
    Tkalenderform &window = calendar.window;
    window.kalender.day->setText("12");
    window.kalender.month->setText("3");
    window.kalender.year->setText("2a25");
    window.opdater(window.kalender);
    QCOMPARE(window.kalender.year->text(), QString("225"));
    QCOMPARE(window.kalender.calendar->selectedDate(), QDate(225, 3, 12));
    window.kalender.year->setText("2025");
    // A date that does not exist is said, and the calendar stays.
    ScriptedResponder responder;
    window.kalender.day->setText("31");
    window.kalender.month->setText("2");
    window.opdater(window.kalender);
    QCOMPARE(
        responder.texts(),
        QStringList{"Dag, måned og år danner ikke en gyldig dato: 31-2-2025\rDagen skal findes i måneden, "
                    "måneden være 1 til 12 og året 1 til 9999."});
    QCOMPARE(window.kalender.calendar->selectedDate(), QDate(225, 3, 12));
}

void TestKalenderform::theDateFolderChainIsMadeAndShown()
{
    TestDrives drives;
    FakeToolHost host;
    Calendar calendar;
    Tkalenderform &window = calendar.window;
    window.kalender.calendar->setSelectedDate(QDate(2024, 5, 24));
    window.findChild<QPushButton *>("ButtonOpretMappe")->click();
    const QString day = "C:\\zunKolvra\\Tester\\Kalender\\2024\\05 Maj\\24 Fredag";
    QVERIFY(QDir(drives.host(day)).exists());
    QCOMPARE(host.calls, QStringList{"structure C: | C:\\zunKolvra\\Tester\\Kalender | "
                                     "C:\\zunKolvra\\Tester\\Kalender\\2024 | "
                                     "C:\\zunKolvra\\Tester\\Kalender\\2024\\05 Maj | " +
                                     day + " -> " + day});
}

void TestKalenderform::theCalendarFolderComesFromTheCurrentElement()
{
    TestDrives drives;
    FakeToolHost host;
    Calendar calendar;
    Tkalenderform &window = calendar.window;
    ScriptedResponder responder;
    host.current = "C:\\Findes\\ikke";
    window.indsaetAktuelle();
    QCOMPARE(responder.texts(), QStringList{"Der skal være valgt en mappe."});
    QDir().mkpath(drives.host("C:\\Datoer"));
    host.current = "C:\\Datoer";
    window.indsaetAktuelle();
    QCOMPARE(window.mappeEdit->text(), QString("C:\\Datoer"));
    QCOMPARE(host.calendar, QString("C:\\Datoer"));
}

void TestKalenderform::holidaysOfTheChosenYear()
{
    TestDrives drives;
    FakeToolHost host;
    Calendar calendar;
    Tkalenderform &window = calendar.window;
    QCOMPARE(window.holidayLabels[2]->text(), QString("?"));
    QCOMPARE(window.holidayLabels[11]->text(), QString("01. Januar"));
    QPushButton *nu = window.findChild<QPushButton *>("nuKnap");
    QVERIFY(!nu->isEnabled());
    // From the current year to 2024: ten back and one at a time forward.
    const int now = QDate::currentDate().year();
    window.findChild<QPushButton *>("tiAarTilbage")->click();
    QVERIFY(nu->isEnabled());
    for (int year = now - 10; year < 2024; ++year)
        window.findChild<QPushButton *>("etAarFrem")->click();
    for (int year = now - 10; year > 2024; --year)
        window.findChild<QPushButton *>("etAarTilbage")->click();
    QCOMPARE(window.aarEdit->text(), QString("2024"));
    QCOMPARE(window.holidayLabels[2]->text(), QString("?")); // only "Find datoer" works them out
    window.findChild<QPushButton *>("DatoerFindKnap")->click();
    QCOMPARE(window.datoerLabel->text(), QString("Datoer: 2024"));
    QCOMPARE(window.holidayLabels[2]->text(), QString("31.  Marts - Søndag "));
    QCOMPARE(window.holidayLabels[11]->text(), QString("01. Januar - Onsdag"));
    nu->click();
    QCOMPARE(window.aarEdit->text(), QString::number(now));
    QVERIFY(!nu->isEnabled());
    // The year never leaves the calendar the holidays are worked out in.
    for (int i = 0; i < 1000; ++i)
        window.findChild<QPushButton *>("tiAarFrem")->click();
    QCOMPARE(window.aarEdit->text(), QString("9998"));
}

void TestKalenderform::theDateDifferenceComesFromTheScript()
{
    TestDrives drives;
    FakeToolHost host;
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    Calendar calendar;
    Tkalenderform &window = calendar.window;
    window.kalender1.calendar->setSelectedDate(QDate(2023, 1, 31));
    window.kalender2.calendar->setSelectedDate(QDate(2024, 3, 1));
    {
        ScriptedResponder responder;
        window.findChild<QPushButton *>("beregnKnap")->click();
        QCOMPARE(responder.texts(), QStringList{"Der mangler en fil!"});
    }
    // The installed script, and a stale result that must not be shown.
    QDir().mkpath(drives.host("C:\\zunKolvra\\Program\\scripts"));
    const QString script = drives.host("C:\\zunKolvra\\Program\\scripts\\datediff");
    QVERIFY(QFile::copy(QStringLiteral(ZUN_SOURCE_DATA_PROGRAM) + "/scripts/datediff", script));
    QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
    drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\datediff.txt", "9\r\n9\r\n9\r\n9\r\n");
    window.findChild<QPushButton *>("beregnKnap")->click();
    QVERIFY(window.diffTimer->isActive());
    QVERIFY(!QFile::exists(drives.host("C:\\zunKolvra\\Tester\\Egenskaber\\datediff.txt")));
    // The shell of the tests records the start; here it is carried out by the real one.
    const TestPlatform::ShellCall call = drives.backEnd().shellCalls.last();
    QCOMPARE(call.file, QString("C:\\zunKolvra\\Program\\scripts\\datediff"));
    QCOMPARE(call.parameters,
             QString("\"C:\\zunKolvra\\Tester\\Egenskaber\\datediff.txt\" 31-1-2023 1-3-2024"));
    QVERIFY(drives.backEnd().platform::posix::PosixPlatform::shellExecute(
                call.verb.toStdU16String(), call.file.toStdU16String(), call.parameters.toStdU16String(),
                call.directory.toStdU16String(), call.showCommand) > 32);
    QTRY_VERIFY_WITH_TIMEOUT(!window.Edit1->text().isEmpty(), 10000);
    QCOMPARE(window.Edit1->text(), QString("1 år, 1 måned samt 1 dag."));
    QCOMPARE(window.Edit2->text(), QString("395 dage ialt."));
    QVERIFY(!window.diffTimer->isActive());
}

QTEST_MAIN(TestKalenderform)
#include "test_kalenderform.moc"
