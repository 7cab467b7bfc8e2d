#pragma once
// Whether a text can be the name of a file or folder on Windows. Linux takes names Windows
// refuses ("a:b", "nul.txt", "navn."), and such a file could not be opened, copied or deleted
// there, so the program refuses them everywhere.

#include <QString>

namespace core {

// Names may hold at most this many UTF-16 units, as on NTFS.
constexpr qsizetype kMaxNameLength = 255;

// "" when `name` is a usable file or folder name (one component, no path); otherwise a Danish
// message saying why not, "\r" between its lines.
QString invalidNameMessage(const QString &name);

} // namespace core
