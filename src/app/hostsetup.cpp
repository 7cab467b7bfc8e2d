#include "app/hostsetup.h"

#include "platform/posix/posixplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>

namespace app {

void installHostPlatform()
{
    QString installed =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/zunkolvra/Program");
    if (!QDir(installed).exists())
        installed = QStringLiteral(ZUN_SOURCE_DATA_PROGRAM);
    const auto host = platform::posix::HostSetup::fromEnvironment(QDir::cleanPath(installed).toStdString());
    platform::install(platform::posix::PosixPlatform::forHost(host));
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
