#include "core/kalender.h"

#include <algorithm>

namespace core {

QString danishWeekday(int dayOfWeek)
{
    static const char *const names[] = {"Mandag", "Tirsdag", "Onsdag", "Torsdag",
                                        "Fredag", "Lørdag",  "Søndag"};
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? QString::fromUtf8(names[dayOfWeek - 1]) : QString();
}

QString danishMonth(int month)
{
    static const char *const names[] = {"Januar", "Februar", "Marts",     "April",   "Maj",      "Juni",
                                        "Juli",   "August",  "September", "Oktober", "November", "December"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

namespace {

// One digit gets a leading "0"; longer numbers stay as they are.
QString twoDigits(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

} // namespace

QString kortDato(const QDate &date)
{
    return twoDigits(date.day()) + u'-' + twoDigits(date.month()) + u'-' + QString::number(date.year());
}

QString yearFolderName(const QDate &date)
{
    return QString::number(date.year());
}

QString monthFolderName(const QDate &date)
{
    return twoDigits(date.month()) + u' ' + danishMonth(date.month());
}

QString dayFolderName(const QDate &date)
{
    return twoDigits(date.day()) + u' ' + danishWeekday(date.dayOfWeek());
}

QDate easterSunday(int year)
{
    const int a = year % 19, b = year % 4, c = year % 7;
    const int k = year / 100, p = (13 + 8 * k) / 25, q = k / 4;
    const int m = (15 - p + k - q) % 30, n = (4 + k - q) % 7;
    const int d = (19 * a + m) % 30, e = (2 * b + 4 * c + 6 * d + n) % 7;
    if (d == 29 && e == 6)
        return QDate(year, 4, 19);
    if (d == 28 && e == 6 && a > 10)
        return QDate(year, 4, 18);
    return 22 + d + e > 31 ? QDate(year, 4, d + e - 9) : QDate(year, 3, 22 + d + e);
}

QList<Holiday> danishHolidays(int year)
{
    const QDate easter = easterSunday(year);
    struct Movable
    {
        const char *caption;
        int days;
        bool plainMonth; // ". Marts" rather than ".  Marts"
    };
    static const Movable movable[] = {
        {"Skærtorsdag:", -3, true},    {"Langfredag:", -2, true},     {"Påskedag:", 0, false},
        {"Anden påskedag:", 1, false}, {"Store bededag:", 26, false}, {"Kristi himmelfartsdag: ", 39, false},
        {"Pinsedag:", 49, false},      {"2. pinsedag:", 50, false},
    };
    QList<Holiday> result;
    for (const Movable &holiday : movable) {
        // Store bededag was abolished as a public holiday from 2024 on; its line stays and says so.
        if (holiday.days == 26 && year >= 2024) {
            result.append({QString::fromUtf8(holiday.caption), QStringLiteral("Afskaffet fra 2024")});
            continue;
        }
        const QDate date = easter.addDays(holiday.days);
        const QString month = (holiday.plainMonth ? ". " : ".  ") + danishMonth(date.month());
        result.append({QString::fromUtf8(holiday.caption),
                       QString::number(date.day()) + month + " - " + danishWeekday(date.dayOfWeek()) + u' '});
    }
    auto fixed = [](const QString &caption, const QString &text, const QDate &date) {
        return Holiday{caption, text + " - " + danishWeekday(date.dayOfWeek())};
    };
    result.append(fixed("Juleaften:", "24. December", QDate(year, 12, 24)));
    result.append(fixed("1. Juledag:", "25. December", QDate(year, 12, 25)));
    result.append(fixed("2. juledag:", "26. December", QDate(year, 12, 26)));
    result.append(fixed(QString::fromUtf8("Nytårsdag:"), "01. Januar", QDate(year + 1, 1, 1)));
    return result;
}

QList<Holiday> holidaysNotYetFound()
{
    QList<Holiday> result = danishHolidays(2000);
    for (int i = 0; i < result.size(); ++i)
        result[i].date = i < 8 ? QStringLiteral("?") : result[i].date.section(" - ", 0, 0);
    return result;
}

int cleanDateNumber(const QString &text)
{
    constexpr qint64 limit = 999999;
    qint64 number = 0;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            number = std::min(limit, number * 10 + (c.unicode() - u'0'));
    return int(text.startsWith(u'-') ? -number : number);
}

std::optional<QDate> dateOf(int day, int month, int year)
{
    // Year 0 does not exist in the calendar the dates are shown in.
    if (year < 1 || year > 9999)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<DateDifferenceTexts> dateDifferenceTexts(const QStringList &lines)
{
    if (lines.size() < 4)
        return std::nullopt;
    QStringList numbers;
    for (int i = 0; i < 4; ++i) {
        const QString line = lines[i].trimmed();
        bool ok = false;
        line.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        numbers << line;
    }
    DateDifferenceTexts texts;
    texts.yearsMonthsDays = numbers[0] + QString::fromUtf8(" år, ") + numbers[1] +
                            (numbers[1] == "1" ? " måned samt " : " måneder samt ") + numbers[2] +
                            (numbers[2] == "1" ? " dag." : " dage.");
    texts.totalDays = numbers[3] + " dage ialt.";
    return texts;
}

} // namespace core
