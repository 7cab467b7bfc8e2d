#pragma once
// How ShellExecuteW's "open" and "edit" come out on Linux: a program runs by itself, anything
// else goes to the desktop's opener. The decision is kept apart from starting anything, so it
// can be checked without launching.

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::posix {

// The desktop's opener for documents, folders and web addresses.
inline constexpr const char *kDesktopOpener = "xdg-open";

struct Launch
{
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const Launch &) const = default;
};

// A regular, executable file that starts with the ELF magic or "#!". The execute bit alone
// says little: media mounted with default masks mark every document executable. Only a
// regular file is opened, so a FIFO or device never blocks the check.
bool isProgramFile(const std::string &hostPath);

// The extensions (lower case, with their dot) that a shared MIME database's globs2 text gives a
// type other than a program's or a script's: ".pdf", ".txt", ".jpg", but not ".sh" or ".py".
std::set<std::string> documentExtensions(const std::string &globs2);
// Whether the file's extension names a document, by the desktop's MIME database
// ($XDG_DATA_HOME and $XDG_DATA_DIRS, mime/globs2; a built-in list of common documents where
// there is none): such a file goes to the opener even when it is executable and starts like a
// program, so "faktura.pdf" with "#!/bin/sh" and the execute bit never runs.
bool namesDocument(const std::string &hostPath);
// Whether a desktop entry may start its program, as the desktops decide: when it is marked
// executable, or when it lies in an applications folder of the XDG data folders (the installed
// programs' own entries, which are never executable).
bool isTrustedDesktopEntry(const std::string &hostPath);

// What `verb` on `target` (a host path, or a bare name looked up on the search path) comes to:
// "open" runs a program with `arguments` and hands everything else to the desktop's opener,
// without the arguments, as Windows passes them to programs only; "edit" always goes to the
// opener. None for a verb the host has no counterpart for.
std::optional<Launch> planLaunch(const std::u16string &verb, const std::string &target, bool targetIsProgram,
                                 std::vector<std::string> arguments);

// What a desktop entry's Exec line (quoted as the desktop entry format says) comes to with
// `arguments`: %f and %u take the first argument, %F and %U all of them, %i, %c and %k and the
// other field codes nothing, %% a percent sign. None when the line names no program.
std::optional<Launch> desktopLaunch(const std::string &exec, const std::vector<std::string> &arguments);

// Whether `name` is an executable file in a folder of `searchPath` (a PATH value).
bool onSearchPath(const std::string &searchPath, const std::string &name);

// The terminal emulator that runs console scripts: "x-terminal-emulator" (Debian's choice of
// the desktop's terminal), else the terminal of the first desktop named in `desktop` (a
// XDG_CURRENT_DESKTOP value: GNOME, KDE, XFCE, MATE, LXQt, LXDE), else xterm; the first of
// these found as an executable file in a folder of `searchPath` (a PATH value). Its name, or
// empty when there is none.
std::string findTerminal(const std::string &searchPath, const std::string &desktop);

// The arguments that make `terminal` run `command` (program first), with `keepOpen` kept open
// after the command ends where the terminal can do that (xterm, konsole, xfce4-terminal).
std::vector<std::string> terminalArguments(const std::string &terminal,
                                           const std::vector<std::string> &command, bool keepOpen = true);

// The text of a desktop entry that starts the program `hostProgram` (a host path) at the start
// of a session; none when the path cannot stand in an Exec line (a line break).
std::optional<std::string> autostartEntry(const std::string &hostProgram, const std::string &name);

} // namespace platform::posix
