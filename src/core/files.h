#pragma once
// The platform's file services in QString form, for the code above the platform layer.
// Paths are program paths ("C:\\Data\\Foto").

#include <QString>

namespace core {

bool fileExists(const QString &path);
bool directoryExists(const QString &path);
// Something of that name is there, whatever it is: a link counts as itself, also one that leads
// nowhere or to itself, where fileExists and directoryExists follow it.
bool entryExists(const QString &path);
bool forceDirectories(const QString &path);
bool copyFolder(const QString &source, const QString &destination);
bool deleteFile(const QString &path);
// The folder and all below it, permanently; links are removed as links, never followed.
bool deleteFolder(const QString &path);
// One file or folder into the recycle bin of its drive.
bool moveToRecycleBin(const QString &path);
// Whether two paths name one element, whatever links or drive letters lead there (decided by the
// file system's identity, never by the path text). False when either is missing.
bool sameElement(const QString &a, const QString &b);
// Whether the folder `path` is the folder `folder` itself or lies anywhere below it on disk.
bool isSameOrInside(const QString &folder, const QString &path);
// The Danish system message for the error the last failing file service left.
QString lastErrorMessage();
// MoveFileW: never replaces an existing target.
bool moveFile(const QString &from, const QString &to);
// MoveFileExW with MOVEFILE_REPLACE_EXISTING: a file renamed over another in one step.
bool replaceFile(const QString &from, const QString &to);
// The host path for code that opens a file itself; empty when no drive holds the path.
QString hostPath(const QString &path);
QString programPath(const QString &hostPath);
// One argument of a ShellExecuteW parameter text: in double quotes, escaped so that a path
// holding quotes or ending in a backslash reaches the program as exactly that one argument.
QString quoteArgument(const QString &argument);
// ShellExecuteW; above 32 on success.
int shellExecute(const QString &verb, const QString &file, const QString &parameters,
                 const QString &directory, int showCommand);
// The platform's program rule (".exe" on Windows; on Linux also programs and desktop entries).
bool isProgramFile(const QString &path);
// runFilname's console rule and its console: ".bat" and "cmd /K" on Windows, shell scripts
// and the desktop's terminal emulator on Linux.
bool isConsoleScript(const QString &path);
int runInConsole(const QString &file, const QString &directory);
// An interactive console (the command prompt, or PowerShell) with `folder` as its current
// folder; a ShellExecuteW code. consoleAvailable: whether this host can open that console.
int openConsole(bool powerShell, const QString &folder);
bool consoleAvailable(bool powerShell);
// The folder whose entries start with the user's session; false when there is none.
bool startupFolder(QString &folder);
// The start-up entry's name for a shortcut of that name, and the entry made from the shortcut.
QString startupEntryName(const QString &shortcutName);
bool addStartupEntry(const QString &shortcut, const QString &entry);
// The host's file name of an installed script known by its Windows name ("createShortcut.vbs").
QString scriptFileName(const QString &windowsName);
// Whether a program of that bare name is on the program search path.
bool programOnSearchPath(const QString &name);
// SHAddToRecentDocs: the file into the desktop's list of recent documents; an empty path
// empties the list.
bool addToRecentDocs(const QString &path);
// GetUserNameW: false when the system gives no user name.
bool userName(QString &name);

} // namespace core
