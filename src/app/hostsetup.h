#pragma once
// Installs the platform back end of the host the program runs on.

#include <QString>

class QTranslator;

namespace app {

// The data/Program folder of a program in applicationDir: the installed one beside the executable
// ("../share/zunkolvra/Program"), else the source tree's sourceData when the executable lies in
// the build tree buildDir (a build run in place). Empty when neither: an installed program never
// falls back to the source tree, whose copy may be stale or gone.
QString programDataFolder(const QString &applicationDir, const QString &buildDir, const QString &sourceData);

// Installs the host platform over the data folder found for this executable. False (nothing
// installed) when no data folder was found; the caller says so and ends.
bool installHostPlatform();

// The Danish message for a program that found no data folder.
QString missingDataMessage();

// Loads Qt's own Danish translations (qtbase_da) from Qt's translations folder into translator
// and installs it. False when the file is not there (the package is missing).
bool installQtTranslations(QTranslator &translator);

// The freedesktop icon theme (Breeze unless the desktop names one), found in the XDG data
// folders also where the platform plugin does not look (offscreen), with the program's own
// pictures for every name the theme lacks.
void installIconTheme();

} // namespace app
