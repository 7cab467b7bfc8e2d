#pragma once
// The home-made folder structures on disk: one file per structure in the structures folder,
// named after the structure with ".txt", one full folder path per line in the user's order.
// A structure's name is kept as it is ("Mor & Far"); menus that give "&" a meaning of their own
// get it doubled for display only (menuCaption), never in the name.

#include "core/messages.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace mappestruktur {

// The structure folder ends with a backslash.
QString filnavn(const QString &mappestrukturDir, const QString &name);
// The name a user typed, as the structure is saved under: without any extension ("Arbejde.txt"
// is "Arbejde", "Projekt 2.0" is "Projekt 2").
QString nameOfInput(const QString &input);
// The names of the saved structures in Danish order: every "*.txt" that is not a folder. None when the folder
// cannot be listed.
std::optional<QStringList> names(const QString &mappestrukturDir);
// A caption for a menu that reads "&" as an accelerator marker: every "&" doubled.
QString menuCaption(const QString &name);

struct Indhold
{
    QStringList mapper;           // the folders that exist, in the file's order
    QStringList alle;             // every line with a folder, gone or not, in the file's order
    messages::Opremsning udeladt; // one Danish line per line left out
};
// The structure file's folders; none when it cannot be read. Empty lines and folders that are
// gone are left out and named. "/" in a line is read as "\".
std::optional<Indhold> hent(const QString &path);
// What to say when hent gave nothing: why, when the file is there but was refused (too large),
// else `mangler`.
QString ikkeHentetBesked(const QString &path, const QString &mangler);
// The message for what hent left out of the structure `name`.
QString udeladtBesked(const QString &name, const messages::Opremsning &udeladt);

} // namespace mappestruktur
