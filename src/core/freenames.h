#pragma once
// Free names: a clashing folder or file name gets " " + subTekst and then " (n)" with n counted
// from 1; a renamed file gets " (n)" before its extension. One implementation for the file
// methods, the structure component and the copy engine. A name is taken by any entry of that
// name, whatever its kind: a link too, even one that leads nowhere.

#include <QString>

namespace core {

// A folder path that does not exist yet: "Ny mappe", "Ny mappe Kopi (1)", ... An earlier
// " Kopi (n)" in the last component is taken off first.
QString getNewDirectoryName(const QString &aDirectory, const QString &subTekst);
// The path for renaming oldFilename to newName in its folder; a new extension is asked about
// ("Nej" keeps the old one); a clash gets " (n)" before the extension.
QString getNewFilename(const QString &oldFilename, const QString &newName, const QString &subTekst);
// A free path for a copy of a file: "Brev.txt", "Brev Kopi (1).txt", ...
QString getNewFilnavn(const QString &aFilnavn, const QString &subTekst);

} // namespace core
