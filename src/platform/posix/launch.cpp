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

std::optional<Launch> desktopLaunch(const std::string &exec, const std::vector<std::string> &arguments)
{
    // The words of the line: blanks separate them, double quotes keep blanks, and inside quotes a
    // backslash takes the next character as it is.
    std::vector<std::pair<std::string, bool>> words; // text, quoted
    std::string word;
    bool inWord = false, quoted = false, wasQuoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size())
                word += exec[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = wasQuoted = inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.emplace_back(word, wasQuoted);
            word.clear();
            inWord = wasQuoted = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.emplace_back(word, wasQuoted);

    std::vector<std::string> expanded;
    for (const auto &[text, wasInQuotes] : words) {
        if (!wasInQuotes && text.size() == 2 && text[0] == '%') {
            if (text[1] == 'f' || text[1] == 'u') {
                if (!arguments.empty())
                    expanded.push_back(arguments.front());
            } else if (text[1] == 'F' || text[1] == 'U') {
                expanded.insert(expanded.end(), arguments.begin(), arguments.end());
            } else if (text[1] == '%') {
                expanded.push_back("%");
            }
            continue; // %i, %c, %k and the deprecated codes give nothing
        }
        std::string plain;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 1 < text.size()) {
                if (text[i + 1] == '%')
                    plain += '%';
                ++i;
            } else {
                plain += text[i];
            }
        }
        expanded.push_back(plain);
    }
    if (expanded.empty() || expanded.front().empty())
        return std::nullopt;
    Launch launch{expanded.front(), {}};
    launch.arguments.assign(expanded.begin() + 1, expanded.end());
    return launch;
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

std::string findTerminal(const std::string &searchPath, const std::string &desktop)
{
    for (const std::string &name :
         {std::string("x-terminal-emulator"), desktopTerminal(desktop), std::string("xterm")})
        if (!name.empty() && onSearchPath(searchPath, name))
            return name;
    return {};
}

std::vector<std::string> terminalArguments(const std::string &terminal,
                                           const std::vector<std::string> &command, bool keepOpen)
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
    if (!keepOpen && arguments.size() == 2)
        arguments.erase(arguments.begin());
    arguments.insert(arguments.end(), command.begin(), command.end());
    return arguments;
}

std::optional<std::string> autostartEntry(const std::string &hostProgram, const std::string &name)
{
    if (hostProgram.empty() || hostProgram.find_first_of("\r\n") != std::string::npos ||
        name.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    // The Exec line quotes its program, with the characters the format reserves inside quotes
    // escaped; then the value itself escapes its backslashes, and a percent sign is doubled.
    std::string quoted = "\"";
    for (const char c : hostProgram) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string exec;
    for (const char c : quoted) {
        if (c == '\\')
            exec += "\\\\";
        else if (c == '%')
            exec += "%%";
        else
            exec += c;
    }
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec +
           "\nIcon=system-file-manager\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

} // namespace platform::posix
