#include "platform/posix/posixplatform.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <set>
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

bool isDirectory(const std::string &host)
{
    struct stat info;
    return !host.empty() && ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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
    std::ifstream file(host.configHome + "/user-dirs.dirs");
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

// Copies folder contents; `active` holds the folders being copied, so a link that loops back
// is not followed forever.
bool copyTree(const fs::path &source, const fs::path &destination, std::set<fs::path> &active)
{
    std::error_code error;
    const fs::path real = fs::canonical(source, error);
    if (error || !active.insert(real).second)
        return false;
    fs::create_directories(destination, error);
    if (!fs::is_directory(destination, error)) {
        active.erase(real);
        return false;
    }
    fs::directory_iterator it(source, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path target = destination / it->path().filename();
        std::error_code entryError;
        if (it->is_directory(entryError))
            copyTree(it->path(), target, active);
        else
            fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, entryError);
    }
    active.erase(real);
    return true;
}

} // namespace

HostSetup HostSetup::fromEnvironment(const std::string &installedProgram)
{
    HostSetup host;
    host.home = environmentOr("HOME", "/tmp");
    host.dataHome = environmentOr("XDG_DATA_HOME", host.home + "/.local/share");
    host.configHome = environmentOr("XDG_CONFIG_HOME", host.home + "/.config");
    host.installedProgram = installedProgram;
    return host;
}

PosixPlatform::PosixPlatform(DriveTable drives)
    : m_drives(std::move(drives))
{}

std::unique_ptr<PosixPlatform> PosixPlatform::forHost(const HostSetup &host)
{
    prepareDriveC(host, hostUserName().value_or("Brugernavn"));
    return std::make_unique<PosixPlatform>(DriveTable::standard(host.driveC(), host.mountInfo));
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
}

bool PosixPlatform::fileExists(const Path &path) const
{
    const std::string host = m_drives.toHost(path);
    struct stat info;
    return !host.empty() && ::stat(host.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool PosixPlatform::directoryExists(const Path &path) const
{
    return isDirectory(m_drives.toHost(path));
}

bool PosixPlatform::forceDirectories(const Path &path)
{
    const std::string host = m_drives.toHost(path);
    if (host.empty())
        return false;
    std::error_code error;
    fs::create_directories(host, error);
    return isDirectory(host);
}

bool PosixPlatform::copyFolder(const Path &source, const Path &destination)
{
    const std::string from = m_drives.toHost(source);
    const std::string to = m_drives.toHost(destination);
    if (to.empty() || !isDirectory(from))
        return false;
    std::set<fs::path> active;
    return copyTree(from, to, active);
}

bool PosixPlatform::userName(std::u16string &name) const
{
    const auto host = hostUserName();
    if (!host)
        return false;
    name = fromUtf8(*host);
    return true;
}

std::u16string PosixPlatform::hostPath(const Path &path) const
{
    return fromUtf8(m_drives.toHost(path));
}

Path PosixPlatform::programPath(const std::u16string &hostPath) const
{
    return m_drives.fromHost(toUtf8(hostPath));
}

} // namespace platform::posix
