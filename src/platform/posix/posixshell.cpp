// ShellExecuteW and the desktop on Linux: programs and documents started, consoles, the session's
// start-up entries, program icons.

#include "platform/posix/common.h"
#include "platform/posix/posixplatform.h"

#include "platform/paths.h"
#include "platform/posix/copyfile.h"
#include "platform/posix/launch.h"
#include "platform/posix/rename.h"
#include "platform/posix/textfile.h"
#include "platform/shelllink.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace platform::posix {

namespace {

// ShellExecuteW's "bad format" (ERROR_BAD_FORMAT): what a damaged shortcut gives.
constexpr int kBadFormat = 11;
// A shortcut is a few hundred bytes; a larger ".lnk" file is not read whole.
constexpr std::size_t kShellLinkLimit = 1024 * 1024;

bool isRegularFile(const std::string &host)
{
    struct stat info;
    return !host.empty() && ::stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string lowerExtension(const std::string &path)
{
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

// A program or script that runs when opened: never a file whose extension names a document.
bool runsByItself(const std::string &host)
{
    return posix::isProgramFile(host) && !posix::namesDocument(host);
}

// The keys of the [Desktop Entry] group of a .desktop file.
std::map<std::string, std::string> desktopEntry(const std::string &path)
{
    std::map<std::string, std::string> keys;
    std::istringstream file = textFileLines(path);
    std::string line;
    bool inEntry = false;
    while (std::getline(file, line)) {
        if (!line.empty() && line[0] == '[') {
            inEntry = line.rfind("[Desktop Entry]", 0) == 0;
            continue;
        }
        const auto equals = line.find('=');
        if (inEntry && equals != std::string::npos)
            keys.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return keys;
}

IconSource iconOfEntry(const std::string &icon)
{
    IconSource source;
    if (icon.empty())
        return source;
    if (icon[0] == '/')
        source.imageFile = fromUtf8(icon);
    else
        source.themeName = fromUtf8(icon);
    return source;
}

// Starts a program detached from this process (it outlives the program, as on Windows) and
// tells whether it could be started: 0, or the errno of the failed start.
int spawnDetached(const std::string &program, const std::vector<std::string> &arguments,
                  const std::string &directory)
{
    // Everything the child needs is made before fork: only async-signal-safe calls after it.
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const auto &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return errno;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            if (!directory.empty() && ::chdir(directory.c_str()) != 0) {
                const int error = errno;
                (void)!::write(report[1], &error, sizeof error);
                ::_exit(127);
            }
            ::execvp(argv[0], argv.data());
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    int error = 0;
    const ssize_t got = ::read(report[0], &error, sizeof error);
    ::close(report[0]);
    return got == ssize_t(sizeof error) ? error : 0;
}

int shellCodeOf(int error)
{
    switch (error) {
    case 0:
        return 42;
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case ENOEXEC:
        return 11;
    case ENOMEM:
        return 8;
    default:
        return 5;
    }
}

} // namespace

std::string PosixPlatform::hostArgument(const std::u16string &argument) const
{
    if (parseWindowsPath(argument)) {
        const std::string host = m_drives.toHost(argument);
        if (!host.empty())
            return host;
    }
    return toUtf8(argument);
}

int PosixPlatform::shellExecute(const std::u16string &verb, const Path &file,
                                const std::u16string &parameters, const Path &directory,
                                int showCommand /*the desktop decides*/)
{
    std::string workingFolder;
    if (!directory.empty()) {
        workingFolder = m_drives.toHost(directory);
        if (!isDirectory(workingFolder))
            return 3;
    }
    std::string target;
    if (parseWindowsPath(file)) {
        target = m_drives.toHost(file);
        struct stat info;
        if (target.empty() || ::stat(target.c_str(), &info) != 0)
            return isDirectory(fs::path(target).parent_path().string()) ? 2 : 3;
    } else if (!workingFolder.empty() && fs::exists(fs::path(workingFolder) / toUtf8(file))) {
        target = (fs::path(workingFolder) / toUtf8(file)).string(); // a name in the working folder
    } else {
        target = toUtf8(file); // a program looked up on the search path
    }

    // A shortcut opens what it points to, found through the drive table, in its working folder
    // when that exists. Only one link is followed: a link to a link is refused like a damaged one.
    if ((verb.empty() || verb == u"open") && lowerExtension(target) == ".lnk" && isRegularFile(target)) {
        std::string bytes;
        const auto link =
            readRegularTextFile(target, bytes, kShellLinkLimit)
                ? readShellLink(bytes, programPath(fromUtf8(fs::path(target).parent_path().string())))
                : std::nullopt;
        if (!link || lowerExtension(m_drives.toHost(link->target)) == ".lnk")
            return kBadFormat;
        const Path folder = directoryExists(link->workingDir) ? link->workingDir : Path();
        return shellExecute(verb, link->target, parameters, folder, showCommand);
    }

    std::vector<std::string> arguments;
    for (const auto &argument : splitArguments(parameters))
        arguments.push_back(hostArgument(argument));
    // A desktop entry starts its program with the arguments, as a program would be, but only one
    // the desktops would start (executable, or an installed program's): otherwise a document.
    if ((verb.empty() || verb == u"open") && lowerExtension(target) == ".desktop" &&
        posix::isTrustedDesktopEntry(target)) {
        if (const auto entry = desktopLaunch(desktopEntry(target)["Exec"], arguments))
            return shellCodeOf(startDetached(*entry, workingFolder));
    }
    const bool program = target.find('/') == std::string::npos || runsByItself(target);
    const auto launch = planLaunch(verb, target, program, std::move(arguments));
    if (!launch)
        return 31;
    const int error = startDetached(*launch, workingFolder);
    // No opener on this desktop: Windows says no program is associated with the file.
    if (launch->program == kDesktopOpener && error == ENOENT)
        return 31;
    return shellCodeOf(error);
}

bool PosixPlatform::isProgramFile(const Path &file) const
{
    if (file.size() > 4 && file.compare(file.size() - 4, 4, u".exe") == 0)
        return true;
    const std::string host = m_drives.toHost(file);
    if (host.empty())
        return false;
    if (fs::path(host).extension() == ".desktop")
        return posix::isTrustedDesktopEntry(host);
    return runsByItself(host);
}

bool PosixPlatform::isConsoleScript(const Path &file) const
{
    const std::string host = m_drives.toHost(file);
    struct stat info;
    if (host.empty() || ::stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return lowerExtension(host) == ".sh" || runsByItself(host);
}

int PosixPlatform::runInConsole(const Path &file, const Path &directory)
{
    const std::string host = m_drives.toHost(file);
    struct stat info;
    if (host.empty() || ::stat(host.c_str(), &info) != 0)
        return isDirectory(fs::path(host).parent_path().string()) ? 2 : 3;
    const std::string terminal = findTerminal(m_searchPath, m_desktop);
    if (terminal.empty())
        return 31;
    // A script without the execute bit is read by the shell it was written for.
    std::vector<std::string> command;
    if (!posix::isProgramFile(host))
        command.push_back("sh");
    command.push_back(toUtf8(file));
    // Through shellExecute, so the script's program path becomes its host path there and a
    // path with quotes or blanks stays one argument.
    std::u16string parameters;
    for (const std::string &argument : terminalArguments(terminal, command)) {
        if (!parameters.empty())
            parameters += u' ';
        parameters += quoteArgument(fromUtf8(argument));
    }
    return shellExecute(u"open", fromUtf8(terminal), parameters, directory, SW_SHOWNORMAL);
}

bool PosixPlatform::consoleAvailable(ConsoleKind kind) const
{
    if (findTerminal(m_searchPath, m_desktop).empty())
        return false;
    return kind != ConsoleKind::PowerShell || onSearchPath(m_searchPath, "pwsh");
}

int PosixPlatform::openConsole(ConsoleKind kind, const Path &folder)
{
    if (!consoleAvailable(kind))
        return 31;
    const std::string terminal = findTerminal(m_searchPath, m_desktop);
    // A terminal starts the user's shell in its own working folder; PowerShell is its command,
    // and the window closes with it.
    std::u16string parameters;
    if (kind == ConsoleKind::PowerShell) {
        for (const std::string &argument : terminalArguments(terminal, {"pwsh"}, false)) {
            if (!parameters.empty())
                parameters += u' ';
            parameters += quoteArgument(fromUtf8(argument));
        }
    }
    return shellExecute(u"open", fromUtf8(terminal), parameters, folder, SW_SHOWNORMAL);
}

bool PosixPlatform::startupFolder(Path &folder)
{
    if (m_autostart.empty())
        return false;
    std::error_code error;
    fs::create_directories(m_autostart, error);
    if (!isDirectory(m_autostart))
        return false;
    const Path path = programPath(fromUtf8(m_autostart));
    if (path.empty())
        return false;
    folder = path;
    return true;
}

std::u16string PosixPlatform::startupEntryName(const std::u16string &shortcutName) const
{
    const auto dot = shortcutName.rfind(u'.');
    return (dot == std::u16string::npos ? shortcutName : shortcutName.substr(0, dot)) + u".desktop";
}

bool PosixPlatform::addStartupEntry(const Path &shortcut, const Path &entry)
{
    const std::string link = m_drives.toHost(shortcut);
    const std::string target = m_drives.toHost(entry);
    std::string bytes;
    if (link.empty() || !readRegularTextFile(link, bytes, kShellLinkLimit))
        return failWith(Win32Error::FileNotFound);
    const auto shell = readShellLink(bytes, programPath(fromUtf8(fs::path(link).parent_path().string())));
    const std::string program = shell ? m_drives.toHost(shell->target) : std::string();
    const auto text = autostartEntry(program, fs::path(target).stem().string());
    if (!text || target.empty())
        return failWith(Win32Error::FileNotFound);
    // Written whole under a temporary name and renamed into place, never over an existing entry.
    const std::string temporary = target + ".ny";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return failWith(windowsErrorOf(errno));
    const bool written = ::write(fd, text->data(), text->size()) == ssize_t(text->size()) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temporary.c_str());
        return failWith(windowsErrorOf(writeError));
    }
    if (!renameNoReplace(temporary, target)) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return failWith(renameError == EEXIST ? Win32Error::FileExists : windowsErrorOf(renameError));
    }
    setLastError(Win32Error::Success);
    return true;
}

std::u16string PosixPlatform::scriptFileName(const std::u16string &windowsName) const
{
    const auto dot = windowsName.rfind(u'.');
    return dot == std::u16string::npos || dot == 0 ? windowsName : windowsName.substr(0, dot);
}

bool PosixPlatform::programOnSearchPath(const std::u16string &name) const
{
    return name.find(u'/') == std::u16string::npos && !name.empty() &&
           onSearchPath(m_searchPath, toUtf8(name));
}

int PosixPlatform::startDetached(const Launch &launch, const std::string &directory)
{
    return spawnDetached(launch.program, launch.arguments, directory);
}

std::u16string PosixPlatform::declaredIcon(const std::string &programName) const
{
    if (!m_declaredIconsRead) {
        m_declaredIconsRead = true;
        for (const auto &folder : m_applicationDirs) {
            std::error_code error;
            fs::directory_iterator it(folder, error);
            for (; !error && it != fs::directory_iterator(); it.increment(error)) {
                if (it->path().extension() != ".desktop")
                    continue;
                auto keys = desktopEntry(it->path().string());
                const std::string exec = keys["Exec"];
                const std::string program = fs::path(exec.substr(0, exec.find(' '))).filename().string();
                if (!program.empty() && !keys["Icon"].empty())
                    m_declaredIcons.emplace(program, fromUtf8(keys["Icon"]));
            }
        }
    }
    const auto found = m_declaredIcons.find(programName);
    return found == m_declaredIcons.end() ? std::u16string() : found->second;
}

IconSource PosixPlatform::extractIcon(const Path &file) const
{
    const std::string host = m_drives.toHost(file);
    struct stat info;
    if (host.empty() || ::stat(host.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return {};
    const std::string extension = lowerExtension(host);
    if (extension == ".desktop")
        return iconOfEntry(desktopEntry(host)["Icon"]);
    if (extension == ".ico" || extension == ".png" || extension == ".svg" || extension == ".xpm")
        return IconSource{{}, fromUtf8(host)};
    if (!posix::isProgramFile(host))
        return {};
    const std::u16string declared = declaredIcon(fs::path(host).filename().string());
    if (!declared.empty())
        return iconOfEntry(toUtf8(declared));
    return IconSource{u"application-x-executable", {}};
}

} // namespace platform::posix
