#include "platform/posix/launch.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {

bool isProgramFile(const std::string &hostPath)
{
    struct stat info;
    if (::stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::access(hostPath.c_str(), X_OK) != 0)
        return false;
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    char head[4] = {};
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    return (got >= 4 && std::memcmp(head,
                                    "\x7F"
                                    "ELF",
                                    4) == 0) ||
           (got >= 2 && head[0] == '#' && head[1] == '!');
}

std::optional<Launch> planLaunch(const std::u16string &verb, const std::string &target, bool targetIsProgram,
                                 std::vector<std::string> arguments)
{
    const bool open = verb.empty() || verb == u"open";
    if (!open && verb != u"edit")
        return std::nullopt;
    const bool onSearchPath = target.find('/') == std::string::npos;
    if (open && (targetIsProgram || onSearchPath))
        return Launch{target, std::move(arguments)};
    return Launch{kDesktopOpener, {target}};
}

} // namespace platform::posix

namespace platform::posix {

namespace {

bool executableIn(const std::string &folder, const std::string &name)
{
    const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + name;
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool onSearchPath(const std::string &searchPath, const std::string &name)
{
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
        if (end > start && executableIn(searchPath.substr(start, end - start), name))
            return true;
        start = end + 1;
    }
    return false;
}

std::string desktopTerminal(const std::string &desktop)
{
    struct Pair
    {
        const char *desktop, *terminal;
    };
    static const Pair pairs[] = {{"GNOME", "gnome-terminal"}, {"KDE", "konsole"},
                                 {"XFCE", "xfce4-terminal"},  {"MATE", "mate-terminal"},
                                 {"LXQt", "qterminal"},       {"LXDE", "lxterminal"}};
    std::size_t start = 0;
    while (start < desktop.size()) {
        const std::size_t end = std::min(desktop.find(':', start), desktop.size());
        const std::string name = desktop.substr(start, end - start);
        for (const Pair &pair : pairs)
            if (name == pair.desktop)
                return pair.terminal;
        start = end + 1;
    }
    return {};
}

} // namespace

std::string findTerminal(const std::string &searchPath, const std::string &desktop)
{
    for (const std::string &name :
         {std::string("x-terminal-emulator"), desktopTerminal(desktop), std::string("xterm")})
        if (!name.empty() && onSearchPath(searchPath, name))
            return name;
    return {};
}

std::vector<std::string> terminalArguments(const std::string &terminal,
                                           const std::vector<std::string> &command)
{
    std::vector<std::string> arguments;
    if (terminal == "xterm")
        arguments = {"-hold", "-e"};
    else if (terminal == "konsole")
        arguments = {"--hold", "-e"};
    else if (terminal == "xfce4-terminal")
        arguments = {"--hold", "-x"};
    else if (terminal == "gnome-terminal")
        arguments = {"--"};
    else if (terminal == "mate-terminal")
        arguments = {"-x"};
    else
        arguments = {"-e"}; // what Debian asks of every x-terminal-emulator
    arguments.insert(arguments.end(), command.begin(), command.end());
    return arguments;
}

} // namespace platform::posix
