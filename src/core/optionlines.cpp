#include "core/optionlines.h"

namespace core {

int optionInt(const QString &line)
{
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    if (!ok)
        throw BadOptionLine{};
    return value;
}

} // namespace core
