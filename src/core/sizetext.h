#pragma once
// Size texts: byte counts by powers of 1024 with two decimals in the user's number format,
// shared by the file methods and both engines.

#include <QLocale>
#include <QString>

namespace core {

// "1,50 KB (1.536 bytes)"; "500 bytes (500 bytes)".
QString getSizeString(qint64 aSize, const QLocale &locale = QLocale());
// "1,50 KB"; "500 bytes".
QString shortSizeString(qint64 aSize, const QLocale &locale = QLocale());
// The unit chosen by the number of decimal digits: 1000 bytes give "0,98 KB".
QString digitCountSizeString(qint64 aSize, const QLocale &locale = QLocale());

} // namespace core
