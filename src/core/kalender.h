#pragma once
// The calendar tool's date rules without its window: Danish names, the short date of note
// files, the date folders, Easter and the public holidays, the cleaning of typed numbers and
// the texts of a date difference.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace core {

// "Mandag" … "Søndag" for Qt's day of week 1 … 7; "Januar" … "December" for 1 … 12.
QString danishWeekday(int dayOfWeek);
QString danishMonth(int month);

// The short date of the note files and of "I dag: ", day, month and year in that order.
QString kortDato(const QDate &date);

// The date folders under the calendar folder: "2024", "03 Marts", "24 Søndag".
QString yearFolderName(const QDate &date);
QString monthFolderName(const QDate &date);
QString dayFolderName(const QDate &date);

// Easter Sunday of a Gregorian year (Gauss).
QDate easterSunday(int year);

// Years the holidays are worked out for: the Gregorian calendar, and room for the New Year's
// Day that follows.
inline constexpr int kFirstHolidayYear = 1583;
inline constexpr int kLastHolidayYear = 9998;

struct Holiday
{
    QString caption; // "Skærtorsdag:", …
    QString date;    // "28. Marts - Torsdag ", …
    bool operator==(const Holiday &) const = default;
};
// The twelve lines of "Find datoer" for a year; before any year, the movable ones show "?".
QList<Holiday> danishHolidays(int year);
QList<Holiday> holidaysNotYetFound();

// A typed day, month or year: its digits in order, negated when it starts with "-", 0 without
// digits; held to ±999999 so that no typing overflows.
int cleanDateNumber(const QString &text);

// The date a day, month and year make; none when they make no date.
std::optional<QDate> dateOf(int day, int month, int year);

// The date-difference result file's four lines (years, months, days, total days) as the two
// fields show them; none when the file does not hold four numbers.
struct DateDifferenceTexts
{
    QString yearsMonthsDays; // "1 år, 2 måneder samt 1 dag."
    QString totalDays;       // "427 dage ialt."
};
std::optional<DateDifferenceTexts> dateDifferenceTexts(const QStringList &lines);

} // namespace core
