#include "app/hostsetup.h"

#include "platform/posix/posixplatform.h"

#include <QCoreApplication>
#include <QDir>

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

} // namespace app
