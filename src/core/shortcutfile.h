#pragma once
// The shortcut helper: the program started by the shortcut scripts writes the Windows shortcut
// file (".lnk") itself. The scripts hand on host paths on Linux (the platform turns drive paths
// into host paths before it starts a program), so both arguments may be either kind.

#include <QString>

namespace core {

// A shortcut at `link` to the folder or file `target`, with the target's folder (a folder
// target: the folder itself) as working folder. Written to a temporary name beside it and
// renamed into place, replacing an older shortcut there. Empty on success, else a Danish message.
QString makeShortcutFile(const QString &target, const QString &link);

// The target and working folder a shortcut file names; false when it is no readable, whole
// shortcut.
bool readShortcutFile(const QString &link, QString &target, QString &workingDir);

} // namespace core
