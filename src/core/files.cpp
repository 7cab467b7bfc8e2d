#include "core/files.h"

#include "platform/Platform.h"
#include "platform/paths.h"

#include <algorithm>

namespace core {

bool fileExists(const QString &path)
{
    return platform::current().fileExists(path.toStdU16String());
}

bool directoryExists(const QString &path)
{
    return platform::current().directoryExists(path.toStdU16String());
}

bool entryExists(const QString &path)
{
    platform::FindData data;
    return platform::current().fileAttributes(path.toStdU16String(), data);
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

bool deleteFolder(const QString &path)
{
    return platform::current().deleteFolder(path.toStdU16String());
}

bool moveToRecycleBin(const QString &path)
{
    return platform::current().moveToRecycleBin(path.toStdU16String());
}

QString lastErrorMessage()
{
    using platform::Win32Error;
    // The texts of a Danish Windows, so a message reads the same on every platform.
    const Win32Error error = platform::lastError();
    switch (error) {
    case Win32Error::FileNotFound:
        return "Systemet kan ikke finde den angivne fil.";
    case Win32Error::PathNotFound:
        return "Systemet kan ikke finde den angivne sti.";
    case Win32Error::AccessDenied:
        return "Adgang nægtet.";
    case Win32Error::WriteProtect:
        return "Mediet er skrivebeskyttet.";
    case Win32Error::NotSupported:
        return "Anmodningen understøttes ikke.";
    case Win32Error::FileExists:
        return "Filen findes.";
    case Win32Error::DiskFull:
        return "Der er ikke nok plads på disken.";
    case Win32Error::AlreadyExists:
        return "Der kan ikke oprettes en fil, når filen allerede findes.";
    case Win32Error::RequestAborted:
        return "Anmodningen blev afbrudt.";
    case Win32Error::SharingViolation:
        return "Processen kan ikke få adgang til filen, fordi den bruges af en anden proces.";
    case Win32Error::FilenameTooLong:
        return "Filnavnet eller filtypenavnet er for langt.";
    case Win32Error::IoDevice:
        return "Anmodningen kunne ikke udføres på grund af en I/O-enhedsfejl.";
    default:
        return "Der opstod en ukendt fejl (" + QString::number(static_cast<quint32>(error)) + ").";
    }
}

bool sameElement(const QString &a, const QString &b)
{
    platform::ElementId first, second;
    auto &system = platform::current();
    return system.elementId(a.toStdU16String(), first) && system.elementId(b.toStdU16String(), second) &&
           first == second;
}

bool isSameOrInside(const QString &folder, const QString &path)
{
    platform::ElementId id;
    if (!platform::current().elementId(folder.toStdU16String(), id))
        return false;
    const auto ancestry = platform::current().folderAncestry(path.toStdU16String());
    return std::find(ancestry.begin(), ancestry.end(), id) != ancestry.end();
}

bool moveFile(const QString &from, const QString &to)
{
    return platform::current().moveFile(from.toStdU16String(), to.toStdU16String());
}

bool replaceFile(const QString &from, const QString &to)
{
    return platform::current().replaceFile(from.toStdU16String(), to.toStdU16String());
}

QString hostPath(const QString &path)
{
    return QString::fromStdU16String(platform::current().hostPath(path.toStdU16String()));
}

QString programPath(const QString &hostPath)
{
    return QString::fromStdU16String(platform::current().programPath(hostPath.toStdU16String()));
}

int openConsole(bool powerShell, const QString &folder)
{
    return platform::current().openConsole(powerShell ? platform::ConsoleKind::PowerShell
                                                      : platform::ConsoleKind::CommandPrompt,
                                           folder.toStdU16String());
}

bool consoleAvailable(bool powerShell)
{
    return platform::current().consoleAvailable(powerShell ? platform::ConsoleKind::PowerShell
                                                           : platform::ConsoleKind::CommandPrompt);
}

bool startupFolder(QString &folder)
{
    platform::Path path;
    if (!platform::current().startupFolder(path))
        return false;
    folder = QString::fromStdU16String(path);
    return true;
}

QString startupEntryName(const QString &shortcutName)
{
    return QString::fromStdU16String(platform::current().startupEntryName(shortcutName.toStdU16String()));
}

bool addStartupEntry(const QString &shortcut, const QString &entry)
{
    return platform::current().addStartupEntry(shortcut.toStdU16String(), entry.toStdU16String());
}

QString scriptFileName(const QString &windowsName)
{
    return QString::fromStdU16String(platform::current().scriptFileName(windowsName.toStdU16String()));
}

bool programOnSearchPath(const QString &name)
{
    return platform::current().programOnSearchPath(name.toStdU16String());
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

bool isProgramFile(const QString &path)
{
    return platform::current().isProgramFile(path.toStdU16String());
}

bool isConsoleScript(const QString &path)
{
    return platform::current().isConsoleScript(path.toStdU16String());
}

int runInConsole(const QString &file, const QString &directory)
{
    return platform::current().runInConsole(file.toStdU16String(), directory.toStdU16String());
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

namespace core {

bool addToRecentDocs(const QString &path)
{
    return platform::current().addToRecentDocs(path.toStdU16String());
}

} // namespace core
