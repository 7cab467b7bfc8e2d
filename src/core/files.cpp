#include "core/files.h"

#include "platform/Platform.h"
#include "platform/paths.h"

namespace core {

bool fileExists(const QString &path)
{
    return platform::current().fileExists(path.toStdU16String());
}

bool directoryExists(const QString &path)
{
    return platform::current().directoryExists(path.toStdU16String());
}

bool forceDirectories(const QString &path)
{
    return platform::current().forceDirectories(path.toStdU16String());
}

bool copyFolder(const QString &source, const QString &destination)
{
    return platform::current().copyFolder(source.toStdU16String(), destination.toStdU16String());
}

bool deleteFile(const QString &path)
{
    return platform::current().deleteFile(path.toStdU16String());
}

bool moveFile(const QString &from, const QString &to)
{
    return platform::current().moveFile(from.toStdU16String(), to.toStdU16String());
}

QString hostPath(const QString &path)
{
    return QString::fromStdU16String(platform::current().hostPath(path.toStdU16String()));
}

QString programPath(const QString &hostPath)
{
    return QString::fromStdU16String(platform::current().programPath(hostPath.toStdU16String()));
}

QString quoteArgument(const QString &argument)
{
    return QString::fromStdU16String(platform::quoteArgument(argument.toStdU16String()));
}

int shellExecute(const QString &verb, const QString &file, const QString &parameters,
                 const QString &directory, int showCommand)
{
    return platform::current().shellExecute(verb.toStdU16String(), file.toStdU16String(),
                                            parameters.toStdU16String(), directory.toStdU16String(),
                                            showCommand);
}

bool userName(QString &name)
{
    std::u16string result;
    if (!platform::current().userName(result))
        return false;
    name = QString::fromStdU16String(result);
    return true;
}

} // namespace core
