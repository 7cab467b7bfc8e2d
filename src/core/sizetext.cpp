#include "core/sizetext.h"

namespace core {

namespace {

constexpr double kKB = 1024.0;
constexpr double kMB = kKB * 1024.0;
constexpr double kGB = kMB * 1024.0;
constexpr double kTB = kGB * 1024.0;

QString inUnit(double value, double unit, const char *name, const QLocale &locale)
{
    return locale.toString(value / unit, 'f', 2) + " " + name;
}

QString bytes(qint64 size, const QLocale &locale)
{
    return locale.toString(size) + " bytes";
}

} // namespace

QString shortSizeString(qint64 aSize, const QLocale &locale)
{
    const double v = double(aSize);
    if (v >= kTB)
        return inUnit(v, kTB, "TB", locale);
    if (v >= kGB)
        return inUnit(v, kGB, "GB", locale);
    if (v >= kMB)
        return inUnit(v, kMB, "MB", locale);
    if (v >= kKB)
        return inUnit(v, kKB, "KB", locale);
    return bytes(aSize, locale);
}

QString getSizeString(qint64 aSize, const QLocale &locale)
{
    return shortSizeString(aSize, locale) + " (" + bytes(aSize, locale) + ")";
}

QString digitCountSizeString(qint64 aSize, const QLocale &locale)
{
    const qsizetype digits = QString::number(aSize < 0 ? -aSize : aSize).size();
    const double v = double(aSize);
    if (digits >= 13)
        return inUnit(v, kTB, "TB", locale);
    if (digits >= 10)
        return inUnit(v, kGB, "GB", locale);
    if (digits >= 7)
        return inUnit(v, kMB, "MB", locale);
    if (digits >= 4)
        return inUnit(v, kKB, "KB", locale);
    return bytes(aSize, locale);
}

} // namespace core
