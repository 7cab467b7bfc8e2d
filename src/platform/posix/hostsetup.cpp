// Where the back end meets this host: the environment's folders, the prepared C: folder and the
// back end built over them.

#include "platform/posix/common.h"
#include "platform/posix/posixplatform.h"

#include "platform/posix/textfile.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace platform::posix {

namespace {

std::string environmentOr(const char *name, const std::string &fallback)
{
    const char *value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

// Points `link` at `target` when it is missing or is a link already; a real entry stays.
void placeLink(const fs::path &link, const fs::path &target)
{
    std::error_code error;
    if (fs::is_symlink(link, error)) {
        if (fs::read_symlink(link, error) == target)
            return;
        fs::remove(link, error);
    } else if (fs::exists(link, error)) {
        return;
    }
    fs::create_directory_symlink(target, link, error);
}

// The XDG user folders of user-dirs.dirs, by key ("DESKTOP", "DOCUMENTS", ...).
std::string xdgUserFolder(const HostSetup &host, const std::string &key)
{
    std::istringstream file = textFileLines(host.configHome + "/user-dirs.dirs");
    const std::string prefix = "XDG_" + key + "_DIR=";
    std::string line;
    while (std::getline(file, line)) {
        if (line.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string value = line.substr(prefix.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0)
            value = host.home + value.substr(5);
        while (value.size() > 1 && value.back() == '/')
            value.pop_back();
        return value;
    }
    return {};
}

} // namespace

HostSetup HostSetup::fromEnvironment(const std::string &installedProgram)
{
    HostSetup host;
    host.home = environmentOr("HOME", "/tmp");
    host.dataHome = environmentOr("XDG_DATA_HOME", host.home + "/.local/share");
    host.configHome = environmentOr("XDG_CONFIG_HOME", host.home + "/.config");
    host.installedProgram = installedProgram;
    host.applicationDirs.push_back(host.dataHome + "/applications");
    std::string dataDirs = environmentOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    std::size_t start = 0;
    while (start <= dataDirs.size()) {
        const std::size_t end = std::min(dataDirs.find(':', start), dataDirs.size());
        if (end > start)
            host.applicationDirs.push_back(dataDirs.substr(start, end - start) + "/applications");
        start = end + 1;
    }
    host.searchPath = environmentOr("PATH", "/usr/local/bin:/usr/bin:/bin");
    host.desktop = environmentOr("XDG_CURRENT_DESKTOP", "");
    return host;
}

std::unique_ptr<PosixPlatform> PosixPlatform::forHost(const HostSetup &host)
{
    prepareDriveC(host, hostUserName().value_or("Brugernavn"));
    auto backEnd = std::make_unique<PosixPlatform>(DriveTable::standard(host.driveC(), host.mountInfo));
    backEnd->setApplicationDirs(host.applicationDirs);
    TrashPlaces trash;
    trash.homeTrash = host.dataHome + "/Trash";
    trash.uid = ::getuid();
    for (const auto &mount : readMountTable(host.mountInfo))
        trash.mountPoints.push_back(mount.mountPoint);
    backEnd->setTrashPlaces(std::move(trash));
    backEnd->setMountInfo(host.mountInfo);
    backEnd->setRecentDocsFile(host.dataHome + "/recently-used.xbel");
    backEnd->setConsoleSearch(host.searchPath, host.desktop);
    backEnd->setAutostartFolder(host.configHome + "/autostart");
    return backEnd;
}

std::optional<std::string> PosixPlatform::hostUserName()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd *result = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
        result->pw_name && *result->pw_name)
        return std::string(result->pw_name);
    return std::nullopt;
}

void PosixPlatform::prepareDriveC(const HostSetup &host, const std::string &userName)
{
    std::error_code error;
    const fs::path driveC = host.driveC();
    fs::create_directories(driveC / "zunKolvra", error);
    if (!host.installedProgram.empty())
        placeLink(driveC / "zunKolvra" / "Program", host.installedProgram);

    const fs::path user = driveC / "Users" / userName;
    fs::create_directories(user / "AppData", error);
    static const std::pair<const char *, const char *> userFolders[] = {
        {"DESKTOP", "Desktop"},   {"DOCUMENTS", "Documents"}, {"DOWNLOAD", "Downloads"},
        {"PICTURES", "Pictures"}, {"MUSIC", "Music"},         {"VIDEOS", "Videos"},
    };
    for (const auto &[key, name] : userFolders) {
        const std::string target = xdgUserFolder(host, key);
        if (isDirectory(target) && target != host.home)
            placeLink(user / name, target);
    }
    if (isDirectory(host.configHome))
        placeLink(user / "AppData" / "Roaming", host.configHome);
    if (isDirectory(host.dataHome))
        placeLink(user / "AppData" / "Local", host.dataHome);
    // Windows always has these; a host without them gets folders of the program's own.
    for (const char *name : {"Desktop", "Documents", "Downloads", "Pictures", "Music", "Videos", "Favorites",
                             "AppData/Roaming", "AppData/Local"})
        fs::create_directories(user / name, error);
    for (const char *name : {"Documents", "Music", "Pictures", "Videos"})
        fs::create_directories(driveC / "Users" / "Public" / name, error);
}

} // namespace platform::posix
