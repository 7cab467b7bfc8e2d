#pragma once
// The order of names in every list the program sorts: as listings compare them (letter case
// ignored, every other character by its code), except that Æ, Ø and Å come after Z, in that
// order, as a Danish reader expects. Our own rule rather than the system's collation, so the
// order is the same on every system (Qt for Windows is built without ICU) and fast enough for a
// folder of 100,000 names.

#include <QString>
#include <QStringList>
#include <algorithm>
#include <string_view>

namespace core {

// Negative, zero or positive as `a` sorts before, with or after `b`.
int compareDanish(std::u16string_view a, std::u16string_view b);
inline int compareDanish(const QString &a, const QString &b)
{
    return compareDanish(
        std::u16string_view(reinterpret_cast<const char16_t *>(a.utf16()), std::size_t(a.size())),
        std::u16string_view(reinterpret_cast<const char16_t *>(b.utf16()), std::size_t(b.size())));
}
// Sorts the names in Danish order; names equal but for letter case keep their order.
void sortDanish(QStringList &names);
// The same for the entries of a folder listing (anything with a UTF-16 `name`).
template<typename Entries> void sortEntriesDanish(Entries &entries)
{
    const auto less = [](const auto &a, const auto &b) {
        return compareDanish(std::u16string_view(a.name), std::u16string_view(b.name)) < 0;
    };
    // A listing in the file system's order is mostly in this order already: one pass tells.
    if (!std::is_sorted(entries.begin(), entries.end(), less))
        std::stable_sort(entries.begin(), entries.end(), less);
}

} // namespace core
