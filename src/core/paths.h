#pragma once
// Path rules shared by every part of the program. Paths are Windows paths.

#include <QString>

namespace core {

// S with a backslash appended unless it already ends with one ("" gives "\").
QString delimKon(const QString &S);
// A path read from a file a user may have written: "/" separates too ("C:/Data/Foto" is
// "C:\Data\Foto"), since no Windows name can hold one.
QString pathFromFile(const QString &path);
// The path without one trailing backslash.
QString withoutTrailingBackslash(const QString &path);
// The last component: "" for a text of length 0 or 1, the first two characters for length 2 or
// 3 ("C:\" gives "C:"), else what follows the last backslash (the whole text without one).
QString getLastDirectory(const QString &aDirectory);
// The folder part of a path ("C:\a\b.txt" gives "C:\a"); "" without a backslash.
QString folderOf(const QString &path);
// The name part of a path.
QString nameOf(const QString &path);
// A web search: `prefix` (an address ending in "?q=" or the like) and the words percent-encoded
// as UTF-8, so that "&", "#", "%" and blanks reach the search engine as typed.
QString webSearchAddress(const QString &prefix, const QString &words);

} // namespace core
