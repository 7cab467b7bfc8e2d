#include "core/shortcutfile.h"

#include "core/files.h"
#include "core/paths.h"
#include "platform/paths.h"
#include "platform/shelllink.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace core {

namespace {

// A shortcut is a few hundred bytes; anything much larger is no shortcut of ours.
constexpr qint64 kShortcutLimit = 1024 * 1024;

// A program path as it stands, a host path through the drive table.
QString asProgramPath(const QString &argument)
{
    if (platform::parseWindowsPath(argument.toStdU16String()))
        return withoutTrailingBackslash(argument);
    return programPath(argument);
}

} // namespace

QString makeShortcutFile(const QString &targetArgument, const QString &linkArgument)
{
    const QString target = asProgramPath(targetArgument);
    const QString link = asProgramPath(linkArgument);
    const bool directory = directoryExists(target);
    if (target.isEmpty() || (!directory && !fileExists(target)))
        return "Genvejens mål blev ikke fundet.\r" + targetArgument;
    const QString folder = folderOf(link);
    if (link.isEmpty() || !directoryExists(folder))
        return "Mappen til genvejen blev ikke fundet.\r" + linkArgument;
    const QString workingDir = directory ? target : folderOf(target);
    const std::string bytes = platform::writeShellLink(target.toStdU16String(), directory,
                                                       workingDir.toStdU16String(), folder.toStdU16String());
    // Written whole under a name of its own beside the shortcut, then renamed over it, so an old
    // shortcut is never left half written. Not QSaveFile: on Windows its commit fails for a name
    // ending in ".lnk" (Qt 6.4). The name is fresh and made new, so no file of the user's is hit.
    const QString pending = link + ".ny-" + QString::number(QRandomGenerator::global()->generate(), 36);
    QFile file(hostPath(pending));
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    const bool written =
        opened && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.flush();
    file.close();
    if (!written || !replaceFile(pending, link)) {
        if (opened)
            QFile::remove(file.fileName());
        return "Genvejen kunne ikke skrives.\r" + link;
    }
    return QString();
}

bool readShortcutFile(const QString &link, QString &target, QString &workingDir)
{
    const QString host = hostPath(link);
    // Qt on Windows takes a ".lnk" file for a shortcut and answers for its target: here the file
    // itself counts, and its size is read from it once open.
    const QFileInfo info(host);
    if (host.isEmpty() || !(info.isShortcut() || info.isFile()))
        return false;
    QFile file(host);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kShortcutLimit)
        return false;
    const QByteArray bytes = file.read(kShortcutLimit);
    const auto parsed = platform::readShellLink(
        std::string_view(bytes.constData(), std::size_t(bytes.size())), folderOf(link).toStdU16String());
    if (!parsed)
        return false;
    target = QString::fromStdU16String(parsed->target);
    workingDir = QString::fromStdU16String(parsed->workingDir);
    return true;
}

} // namespace core
