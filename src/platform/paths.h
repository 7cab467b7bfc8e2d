#pragma once
// Text and path helpers shared by the back ends: UTF-8/UTF-16 conversion and the parsing of
// Windows paths into a drive letter and components.

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Host names are bytes and program names UTF-16. A byte that is not part of well-formed UTF-8
// (a Latin-1 name, an overlong form) becomes U+EF80 + (byte - 0x80), and that character turns
// back into the byte, so toUtf8(fromUtf8(bytes)) == bytes for every host name. Lone
// surrogates, which no host name yields, are written as U+FFFD.
std::string toUtf8(const std::u16string &text);
std::u16string fromUtf8(const std::string &text);
// One host name (a path component) as a program name and back: as fromUtf8 and toUtf8, and
// the characters no Windows name can hold (\ : * ? " < > | and the control characters) become
// U+F000 plus their code, so every host name is exactly one Windows name ("sub\x.txt" is a
// name, not a path) and returns to its own bytes. A well-formed U+F0xx of that set in a host
// name is escaped byte by byte, as the escape range is.
std::u16string windowsNameOf(const std::string &hostName);
std::string hostNameOf(const std::u16string &windowsName);
// One code point written as UTF-8.
void appendUtf8(std::string &out, char32_t c);

// Letter case folded the way Windows compares file names (ASCII and Latin-1 letters).
char16_t foldCase(char16_t c);
bool equalsIgnoreCase(const std::u16string &a, const std::u16string &b);
// Ordinal order of the case-folded names, as NTFS keeps a folder.
bool lessIgnoringCase(const std::u16string &a, const std::u16string &b);

struct WindowsPath
{
    char16_t drive = 0;                     // upper-case letter
    std::vector<std::u16string> components; // no empty components, no "." entries
};

// "C:", "C:\\", "c:\\a\\b\\", "C:/a/b" parse; relative and UNC paths do not. ".." climbs, but
// never above the drive root.
std::optional<WindowsPath> parseWindowsPath(const std::u16string &path);

// Splits a Windows argument text the way CommandLineToArgvW does: blanks separate arguments
// outside double quotes; 2n backslashes before a quote give n and toggle quoting, 2n+1 give n
// and a literal quote; a doubled quote inside quotes is a literal quote; other backslashes are
// literal.
std::vector<std::u16string> splitArguments(const std::u16string &text);
// One argument in double quotes, escaped so that splitArguments (and a Windows program) reads
// it back as exactly that one argument, whatever quotes and backslashes it holds.
std::u16string quoteArgument(const std::u16string &argument);

} // namespace platform
