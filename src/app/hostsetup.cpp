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

namespace app {

namespace {

bool isInside(const QString &path, const QString &folder)
{
    const QString child = QDir::cleanPath(path);
    const QString parent = QDir::cleanPath(folder);
    return !parent.isEmpty() && (child == parent || child.startsWith(parent + u'/'));
}

} // namespace

QString programDataFolder(const QString &applicationDir, const QString &buildDir, const QString &sourceData)
{
    const QString installed =
        QDir::cleanPath(QDir(applicationDir).absoluteFilePath("../share/zunkolvra/Program"));
    if (QDir(installed).exists())
        return installed;
    if (isInside(applicationDir, buildDir) && QDir(sourceData).exists())
        return QDir::cleanPath(sourceData);
    return {};
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
    const QString expected = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/zunkolvra/Program"));
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
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = QDir(data).absoluteFilePath("icons");
        if (!paths.contains(icons) && QDir(icons).exists())
            paths.append(icons);
    }
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName("breeze");
}

} // namespace app
