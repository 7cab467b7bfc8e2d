// The calendar's date rules: Easter and the holidays, folder names, typed numbers, and the
// texts of a date difference.

#include "core/kalender.h"

#include <QTest>

namespace {

// Easter Sunday by the anonymous Gregorian algorithm (Meeus, Jones, Butcher): another
// computation than the one under test, so that both must agree.
QDate meeusEaster(int year)
{
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

} // namespace

class TestKalender : public QObject
{
    Q_OBJECT
private slots:
    void easterSunday_data();
    void easterSunday();
    void easterAgreesWithAnotherAlgorithmForEveryYear();
    void holidayLinesOf2024();
    void holidayLinesBeforeAnyYear();
    void dateFolderNames();
    void typedNumbers_data();
    void typedNumbers();
    void dateDifferenceTexts();
};

void TestKalender::easterSunday_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("easter");
    // The two exceptions of the rule (d = 29, e = 6 and d = 28, e = 6, a > 10), the earliest and
    // latest Easter of the range, century years and ordinary years.
    QTest::newRow("1954: 18 April by the second exception") << 1954 << QDate(1954, 4, 18);
    QTest::newRow("1981: 19 April by the first exception") << 1981 << QDate(1981, 4, 19);
    QTest::newRow("2000") << 2000 << QDate(2000, 4, 23);
    QTest::newRow("2008: early") << 2008 << QDate(2008, 3, 23);
    QTest::newRow("2018: 1 April") << 2018 << QDate(2018, 4, 1);
    QTest::newRow("2019") << 2019 << QDate(2019, 4, 21);
    QTest::newRow("2024: 31 March") << 2024 << QDate(2024, 3, 31);
    QTest::newRow("2038: latest possible") << 2038 << QDate(2038, 4, 25);
    QTest::newRow("2285: earliest possible") << 2285 << QDate(2285, 3, 22);
    QTest::newRow("2100") << 2100 << QDate(2100, 3, 28);
}

void TestKalender::easterSunday()
{
    QFETCH(int, year);
    QFETCH(QDate, easter);
    QCOMPARE(meeusEaster(year), easter); // the reference itself is right
    QCOMPARE(core::easterSunday(year), easter);
    QCOMPARE(core::easterSunday(year).dayOfWeek(), 7);
}

void TestKalender::easterAgreesWithAnotherAlgorithmForEveryYear()
{
    for (int year = core::kFirstHolidayYear; year <= core::kLastHolidayYear; ++year)
        if (core::easterSunday(year) != meeusEaster(year))
            QFAIL(qPrintable(QString("Easter %1: %2 against %3")
                                 .arg(year)
                                 .arg(core::easterSunday(year).toString(Qt::ISODate),
                                      meeusEaster(year).toString(Qt::ISODate))));
}

void TestKalender::holidayLinesOf2024()
{
    const QList<core::Holiday> expected{
        {"Skærtorsdag:", "28. Marts - Torsdag "},  {"Langfredag:", "29. Marts - Fredag "},
        {"Påskedag:", "31.  Marts - Søndag "},     {"Anden påskedag:", "1.  April - Mandag "},
        {"Store bededag:", "Afskaffet fra 2024"},  {"Kristi himmelfartsdag: ", "9.  Maj - Torsdag "},
        {"Pinsedag:", "19.  Maj - Søndag "},       {"2. pinsedag:", "20.  Maj - Mandag "},
        {"Juleaften:", "24. December - Tirsdag"},  {"1. Juledag:", "25. December - Onsdag"},
        {"2. juledag:", "26. December - Torsdag"}, {"Nytårsdag:", "01. Januar - Onsdag"}, // 1 January 2025
    };
    QCOMPARE(core::danishHolidays(2024), expected);
    // Store bededag up to 2023 only: the fourth Friday after Easter.
    QCOMPARE(core::danishHolidays(2023)[4].date, QString("5.  Maj - Fredag "));
    QCOMPARE(core::danishHolidays(2030)[4].date, QString("Afskaffet fra 2024"));
    // Easter on 1 April: Skærtorsdag and Langfredag fall in March.
    QCOMPARE(core::danishHolidays(2018)[0].date, QString("29. Marts - Torsdag "));
    QCOMPARE(core::danishHolidays(2018)[1].date, QString("30. Marts - Fredag "));
    // Easter on 23 March: Kristi himmelfartsdag on 1 May, Pinsedag on 11 May.
    QCOMPARE(core::danishHolidays(2008)[5].date, QString("1.  Maj - Torsdag "));
    QCOMPARE(core::danishHolidays(2008)[6].date, QString("11.  Maj - Søndag "));
}

void TestKalender::holidayLinesBeforeAnyYear()
{
    QStringList dates;
    for (const core::Holiday &holiday : core::holidaysNotYetFound())
        dates << holiday.date;
    QCOMPARE(dates, (QStringList{"?", "?", "?", "?", "?", "?", "?", "?", "24. December", "25. December",
                                 "26. December", "01. Januar"}));
}

void TestKalender::dateFolderNames()
{
    const QDate date(2024, 5, 24);
    QCOMPARE(core::yearFolderName(date), QString("2024"));
    QCOMPARE(core::monthFolderName(date), QString("05 Maj"));
    QCOMPARE(core::dayFolderName(date), QString("24 Fredag"));
    QCOMPARE(core::monthFolderName(QDate(2024, 12, 1)), QString("12 December"));
    QCOMPARE(core::dayFolderName(QDate(2024, 12, 1)), QString("01 Søndag"));
    QCOMPARE(core::kortDato(QDate(2024, 3, 7)), QString("07-03-2024"));
}

void TestKalender::typedNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("number");
    QTest::newRow("letters dropped") << "1a2" << 12;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("minus later ignored") << "5-" << 5;
    QTest::newRow("absurdly long") << "99999999999999999999" << 999999;
}

void TestKalender::typedNumbers()
{
    QFETCH(QString, typed);
    QFETCH(int, number);
    QCOMPARE(core::cleanDateNumber(typed), number);
}

void TestKalender::dateDifferenceTexts()
{
    const auto many = core::dateDifferenceTexts({"2", "3", "4", "1191"});
    QVERIFY(many);
    QCOMPARE(many->yearsMonthsDays, QString("2 år, 3 måneder samt 4 dage."));
    QCOMPARE(many->totalDays, QString("1191 dage ialt."));
    const auto one = core::dateDifferenceTexts({"0", "1", "1", "32"});
    QVERIFY(one);
    QCOMPARE(one->yearsMonthsDays, QString("0 år, 1 måned samt 1 dag."));
    QVERIFY(!core::dateDifferenceTexts({"1", "2", "3"}));
    QVERIFY(!core::dateDifferenceTexts({"1", "to", "3", "4"}));
    QVERIFY(!core::dateOf(31, 2, 2024));
    QVERIFY(!core::dateOf(1, 13, 2024));
    QVERIFY(!core::dateOf(1, 1, 0));
    QCOMPARE(*core::dateOf(29, 2, 2024), QDate(2024, 2, 29));
}

QTEST_GUILESS_MAIN(TestKalender)
#include "test_kalender.moc"
