#pragma once
// Line files: every piece of state the program keeps is a text file read and written whole as
// a list of lines, CR LF after every line, the last one too.
//
// Encoding: Windows-1252 without a byte-order mark. A file with any character the code page
// cannot hold, or whose bytes would read as something else (a first line starting with "ÿþ",
// "þÿ" or "ï»¿", or text such as "Ã¸" whose bytes are valid UTF-8), is written as UTF-8 with a
// byte-order mark instead, so it reads back as written; one with a lone surrogate (a Windows
// name may hold one) as UTF-16 with a byte-order mark, the only form that keeps it. A
// byte-order mark (UTF-8, UTF-16) met on reading is honoured, and a U+FEFF after it is a
// character of the first value; a file without one that is valid UTF-8 and holds bytes above
// 127 is read as UTF-8, since that is what Linux editors write. Every file a user may have
// written (structures, notes, command descriptions, filter types, the programs list) is read
// this way.
//
// Line breaks inside a value: a value may hold CR or LF (a Linux file name can). In the file
// CR stands as U+E00D and LF as U+E00A, so every value stays one line; a value's own U+E00D,
// U+E00A or U+E000 is written with U+E000 before it. None of these is in Windows-1252, so such
// a file is never Windows-1252, and reading turns them back.
//
// Reading takes only a regular file (a link is followed) of at most kMaxLineFileBytes; a device,
// FIFO, folder or larger file counts as unreadable. A regular file that could not be read (too
// large, no permission) is never written over afterwards, since whatever stood in for its
// contents is not what it holds. Writes go to a temporary file in the same
// folder that is renamed over the old one only when every byte was written, so a crash or a
// full disk never leaves half a file; a target that exists but is not a regular file is never
// written over.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace core {

constexpr qint64 kMaxLineFileBytes = 16 * 1024 * 1024;

// The lines of bytes read from a line file: the encoding by its byte-order mark (without one,
// UTF-8 when valid and not plain ASCII, else Windows-1252), lines ended by CR LF, LF or CR; a
// final line break adds no empty line.
QStringList decodeLines(const QByteArray &bytes);
QByteArray encodeLines(const QStringList &lines);

// The file's lines; none when the file cannot be read.
std::optional<QStringList> readLines(const QString &path);
// Replaces the file; false when it could not be written (the old file is then as it was).
bool writeLines(const QString &path, const QStringList &lines);
// writeLines, and when the file could not be written the user is told so in Danish (a full disk,
// a read-only folder): the old file is kept, and nothing is lost silently.
bool writeLinesOrSay(const QString &path, const QStringList &lines);
// readLines, and when the file exists but could not be read the user is told why and that it is
// kept as it is (refusedMessage).
std::optional<QStringList> readLinesOrSay(const QString &path);
QString refusedMessage(const QString &path);
// Whether the file exists and its last read was refused, so it will not be written.
bool wasRefused(const QString &path);

} // namespace core
