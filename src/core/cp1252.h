#pragma once
// Windows-1252, the Windows ANSI code page the line files are kept in.

#include <QByteArray>
#include <QString>

namespace core {

QString decodeCp1252(const QByteArray &bytes);
// A character the code page cannot hold becomes "?", as Windows writes it; `exact`, when
// given, tells whether every character was held.
QByteArray encodeCp1252(const QString &text, bool *exact = nullptr);

} // namespace core
