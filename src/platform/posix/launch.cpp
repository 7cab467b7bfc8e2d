#include "platform/posix/launch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <sstream>
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

namespace {

bool isProgramType(const std::string &type)
{
    static const std::set<std::string> programs = {
        "application/x-executable",
        "application/x-pie-executable",
        "application/x-sharedlib",
        "application/x-shellscript",
        "application/x-csh",
        "application/vnd.appimage",
        "application/x-iso9660-appimage",
        "application/x-perl",
        "application/x-ruby",
        "text/x-python",
        "text/x-python3",
        "text/x-tcl",
        "application/x-desktop",
        "application/x-ms-dos-executable",
        "application/x-msdownload",
    };
    return programs.count(type) > 0;
}

std::string lowerExtensionOf(const std::string &name)
{
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == name.size() ||
        dot == (slash == std::string::npos ? 0 : slash + 1))
        return {};
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return extension;
}

// Where no MIME database is installed: the documents a user meets every day.
const char *const kCommonDocuments[] = {
    ".pdf", ".txt",  ".rtf",  ".doc",  ".docx", ".odt",  ".xls", ".xlsx", ".ods", ".ppt", ".pptx",
    ".odp", ".csv",  ".html", ".htm",  ".xml",  ".json", ".jpg", ".jpeg", ".png", ".gif", ".bmp",
    ".tif", ".tiff", ".svg",  ".webp", ".mp3",  ".wav",  ".ogg", ".flac", ".mp4", ".mkv", ".avi",
    ".mov", ".zip",  ".gz",   ".tar",  ".7z",   ".rar",  ".iso", ".eml",  ".ics", ".md",
};

// $XDG_DATA_HOME (or ~/.local/share) and the folders of $XDG_DATA_DIRS.
std::vector<std::string> dataFolders()
{
    std::vector<std::string> folders;
    const char *home = std::getenv("XDG_DATA_HOME");
    const char *user = std::getenv("HOME");
    if (home && *home)
        folders.emplace_back(home);
    else if (user && *user)
        folders.push_back(std::string(user) + "/.local/share");
    const char *dirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    for (std::string folder; std::getline(list, folder, ':');) {
        if (!folder.empty())
            folders.push_back(folder);
    }
    return folders;
}

std::set<std::string> installedDocumentExtensions()
{
    std::string globs;
    for (const std::string &folder : dataFolders()) {
        std::ifstream file(folder + "/mime/globs2");
        if (file)
            globs += std::string(std::istreambuf_iterator<char>(file), {}) + "\n";
    }
    if (globs.empty())
        return {std::begin(kCommonDocuments), std::end(kCommonDocuments)};
    return documentExtensions(globs);
}

} // namespace

std::set<std::string> documentExtensions(const std::string &globs2)
{
    std::set<std::string> documents, programs;
    std::istringstream lines(globs2);
    for (std::string line; std::getline(lines, line);) {
        // weight:type:glob[:flags]; only plain "*.ext" globs name an extension.
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (line.empty() || line[0] == '#' || second == std::string::npos)
            continue;
        const std::string type = line.substr(first + 1, second - first - 1);
        std::string glob = line.substr(second + 1);
        glob = glob.substr(0, glob.find(':'));
        if (glob.size() < 3 || glob.compare(0, 2, "*.") != 0 ||
            glob.find_first_of("*?[", 2) != std::string::npos)
            continue;
        const std::string extension = lowerExtensionOf("x" + glob.substr(1));
        if (!extension.empty())
            (isProgramType(type) ? programs : documents).insert(extension);
    }
    // An extension that also names a program type stays runnable.
    for (const std::string &extension : programs)
        documents.erase(extension);
    return documents;
}

bool namesDocument(const std::string &hostPath)
{
    static std::once_flag loaded;
    static std::set<std::string> documents;
    std::call_once(loaded, [] { documents = installedDocumentExtensions(); });
    const std::string extension = lowerExtensionOf(hostPath);
    return !extension.empty() && documents.count(extension) > 0;
}

bool isTrustedDesktopEntry(const std::string &hostPath)
{
    struct stat info;
    if (::stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (::access(hostPath.c_str(), X_OK) == 0)
        return true;
    for (std::string folder : dataFolders()) {
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        const std::string applications = folder + "/applications/";
        if (hostPath.compare(0, applications.size(), applications) == 0 &&
            hostPath.find("/../", applications.size() - 1) == std::string::npos)
            return true;
    }
    return false;
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
