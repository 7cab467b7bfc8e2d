#include "app/hostsetup.h"

#ifdef _WIN32
#include "platform/win32/win32platform.h"
#else
#include "platform/posix/posixplatform.h"
#endif

#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

// A resource of a static library is registered by hand, and only outside any namespace.
static void initFallbackIcons()
{
    static bool done = false;
    if (!done)
        Q_INIT_RESOURCE(fallbackicons);
    done = true;
}

namespace app {

namespace {

constexpr const char *kFallbackIcons = ":/icons";
constexpr const char *kFallbackTheme = "zunkolvra";

#ifndef _WIN32
bool isInside(const QString &path, const QString &folder)
{
    const QString child = QDir::cleanPath(path);
    const QString parent = QDir::cleanPath(folder);
    return !parent.isEmpty() && (child == parent || child.startsWith(parent + u'/'));
}
#endif

} // namespace

#ifdef _WIN32
// Windows: the program reads its data where the installer puts it, beside the executable in the
// installation folder the program's paths name.
const QString kWindowsProgramFolder = QStringLiteral("C:/zunKolvra/Program");
#endif

QString programDataFolder(const QString &applicationDir, const QString &buildDir, const QString &sourceData)
{
#ifdef _WIN32
    Q_UNUSED(applicationDir);
    Q_UNUSED(buildDir);
    Q_UNUSED(sourceData);
    return QDir(kWindowsProgramFolder + "/Stifinder").exists() ? kWindowsProgramFolder : QString();
#else
    const QString installed =
        QDir::cleanPath(QDir(applicationDir).absoluteFilePath("../share/zunkolvra/Program"));
    if (QDir(installed).exists())
        return installed;
    if (isInside(applicationDir, buildDir) && QDir(sourceData).exists())
        return QDir::cleanPath(sourceData);
    return {};
#endif
}

bool installHostPlatform()
{
    const QString data =
        programDataFolder(QCoreApplication::applicationDirPath(), QStringLiteral(ZUN_BUILD_DIR),
                          QStringLiteral(ZUN_SOURCE_DATA_PROGRAM));
    if (data.isEmpty())
        return false;
#ifdef _WIN32
    // Windows paths are the host's own: nothing to map.
    platform::install(std::make_unique<platform::win32::Win32Platform>());
#else
    const auto host = platform::posix::HostSetup::fromEnvironment(data.toStdString());
    platform::install(platform::posix::PosixPlatform::forHost(host));
#endif
    return true;
}

QString missingDataMessage()
{
#ifdef _WIN32
    const QString expected = QDir::toNativeSeparators(kWindowsProgramFolder);
#else
    const QString expected = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/zunkolvra/Program"));
#endif
    return QString("Programmets datamappe blev ikke fundet.\nDen skulle ligge i %1.\n"
                   "Installer zunKolvra Stifinder igen.")
        .arg(expected);
}

bool installQtTranslations(QTranslator &translator)
{
    if (!translator.load("qtbase_da", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

void installIconTheme()
{
    initFallbackIcons();
    QStringList paths = QIcon::themeSearchPaths();
    // Windows has no icon theme: the installation brings the pictures the program names.
    const QString installed = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("icons");
    if (QDir(installed).exists())
        paths.prepend(installed);
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = QDir(data).absoluteFilePath("icons");
        if (!paths.contains(icons) && QDir(icons).exists())
            paths.append(icons);
    }
    // The program's own pictures stand in for any name the theme lacks, and for a missing theme.
    if (!paths.contains(kFallbackIcons))
        paths.append(kFallbackIcons);
    QIcon::setThemeSearchPaths(paths);
    QIcon::setFallbackThemeName(kFallbackTheme);
    QStringList unthemed = QIcon::fallbackSearchPaths();
    const QString own = QString(kFallbackIcons) + "/" + kFallbackTheme + "/scalable";
    if (!unthemed.contains(own))
        unthemed.append(own);
    QIcon::setFallbackSearchPaths(unthemed);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName("breeze");
}

} // namespace app
