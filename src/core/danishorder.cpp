#include "core/danishorder.h"

#include "platform/paths.h"

#include <QStringList>
#include <algorithm>

namespace core {

namespace {

// The character's place: its upper case as listings compare it, with Æ, Ø and Å moved to right
// after Z and everything above Z moved up to make room, so all else keeps its order.
char32_t weight(char16_t c)
{
    const char16_t upper = platform::foldCase(c);
    if (upper <= u'Z')
        return upper;
    switch (upper) {
    case u'Æ':
        return U'Z' + 1;
    case u'Ø':
        return U'Z' + 2;
    case u'Å':
        return U'Z' + 3;
    default:
        return char32_t(upper) + 3;
    }
}

} // namespace

int compareDanish(std::u16string_view a, std::u16string_view b)
{
    const std::size_t length = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        if (a[i] == b[i])
            continue;
        const char32_t x = weight(a[i]);
        const char32_t y = weight(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void sortDanish(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return compareDanish(a, b) < 0; });
}

} // namespace core
