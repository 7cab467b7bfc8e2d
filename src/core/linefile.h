#pragma once
// Line files: every piece of state the program keeps is a text file read and written whole as
// a list of lines. Windows-1252 without a byte-order mark and CR LF after every line, the last
// one too; a byte-order mark met on reading is honoured. Writes go to a temporary file in the
// same folder that is then renamed over the old one, so a crash never leaves half a file.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace core {

// The lines of bytes read from a line file: the encoding by its byte-order mark (Windows-1252
// without one), lines ended by CR LF, LF or CR; a final line break adds no empty line.
QStringList decodeLines(const QByteArray &bytes);
QByteArray encodeLines(const QStringList &lines);

// The file's lines; none when the file cannot be read.
std::optional<QStringList> readLines(const QString &path);
// Replaces the file; false when it could not be written (the old file is then as it was).
bool writeLines(const QString &path, const QStringList &lines);

} // namespace core
