#pragma once
// Reading and writing the values of an options file: numbers in decimal, booleans as "1"/"0".
// A line that is not a number ends the reading of the file (the caller applies its defaults).

#include <QString>

namespace core {

struct BadOptionLine
{
};

// The line as a decimal integer; throws BadOptionLine when it is not one.
int optionInt(const QString &line);
inline QString optionFlag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace core
