#include "platform/posix/posixplatform.h"
#include "platform/posix/textfile.h"

#include "platform/paths.h"
#include "platform/posix/copyfile.h"
#include "platform/posix/launch.h"
#include "platform/posix/rename.h"
#include "platform/shelllink.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace platform::posix {

namespace {

// ShellExecuteW's "bad format" (ERROR_BAD_FORMAT): what a damaged shortcut gives.
constexpr int kBadFormat = 11;
// A shortcut is a few hundred bytes; a larger ".lnk" file is not read whole.
constexpr std::size_t kShellLinkLimit = 1024 * 1024;

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

PosixPlatform::PosixPlatform(DriveTable drives)
    : m_drives(std::move(drives))
{}

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

bool PosixPlatform::fileAttributes(const Path &path, FindData &data) const
{
    const std::string host = m_drives.toHost(path);
    struct stat info, link;
    if (host.empty() || ::lstat(host.c_str(), &link) != 0)
        return false;
    // A link stands for its target, as in a listing; a broken one is a file of its own.
    if (::stat(host.c_str(), &info) != 0)
        info = link;
    const bool directory = S_ISDIR(info.st_mode);
    const auto slash = host.find_last_of('/');
    const std::string name = slash == std::string::npos ? host : host.substr(slash + 1);
    data.name = fromUtf8(name);
    data.size = directory ? 0 : std::uint64_t(info.st_size);
    data.lastWriteTime = info.st_mtime;
    data.attributes = attributesOf(host, name, directory);
    if (S_ISLNK(link.st_mode))
        data.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    return true;
}

bool PosixPlatform::forceDirectories(const Path &path)
{
    const std::string host = m_drives.toHost(path);
    if (host.empty())
        return false;
    std::error_code error;
    if (fs::create_directories(host, error))
        m_drives.noteCreated(host);
    return isDirectory(host);
}

namespace {

bool failWith(Win32Error error)
{
    setLastError(error);
    return false;
}

// The host entry of a program path, not following a last link; false with the last error set
// when there is none.
bool hostEntry(const DriveTable &drives, const Path &path, std::string &host, struct stat &info)
{
    host = drives.toHost(path);
    if (host.empty())
        return failWith(Win32Error::PathNotFound);
    if (::lstat(host.c_str(), &info) != 0)
        return failWith(windowsErrorOf(errno));
    return true;
}

// Removes the folder `name` (relative to `parent`) and its contents; 0 or the first errno.
// Every step works on descriptors opened with O_NOFOLLOW, so a link swapped in for a folder
// during the walk is never entered.
int removeTreeAt(int parent, const char *name)
{
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    int result = 0;
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (entryName == "." || entryName == "..")
            continue;
        struct stat info;
        if (::fstatat(fd, entryName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            result = errno;
            break;
        }
        result = S_ISDIR(info.st_mode)                       ? removeTreeAt(fd, entryName.c_str())
                 : ::unlinkat(fd, entryName.c_str(), 0) == 0 ? 0
                                                             : errno;
        if (result != 0)
            break;
        errno = 0;
    }
    if (result == 0 && errno != 0)
        result = errno;
    ::closedir(dir);
    if (result == 0 && ::unlinkat(parent, name, AT_REMOVEDIR) != 0)
        result = errno;
    return result;
}

// The drive letter of a program path; 0 when it has none.
char16_t driveOf(const Path &path)
{
    const auto parsed = parseWindowsPath(path);
    return parsed ? parsed->drive : 0;
}

// A second link at `target` that points where the link `source` points.
Win32Error duplicateLink(const std::string &source, const std::string &target)
{
    std::error_code error;
    const fs::path points = fs::read_symlink(source, error);
    if (error)
        return error.value() == EINVAL ? Win32Error::NotSupported : windowsErrorOf(error.value());
    if (::symlink(points.c_str(), target.c_str()) != 0)
        return windowsErrorOf(errno);
    return Win32Error::Success;
}

// A link moved to another file system: made anew there, pointing where it pointed.
Win32Error moveLink(const std::string &source, const std::string &target)
{
    if (const Win32Error made = duplicateLink(source, target); made != Win32Error::Success)
        return made;
    if (::unlink(source.c_str()) != 0) {
        const int failure = errno;
        ::unlink(target.c_str());
        return windowsErrorOf(failure);
    }
    return Win32Error::Success;
}

} // namespace

bool PosixPlatform::moveFile(const Path &from, const Path &to)
{
    const std::string source = m_drives.toHost(from);
    std::string target = m_drives.toHost(to);
    // The same name in another letter case finds the source itself: a rename of the case only.
    if (!target.empty() && target == source && from != to) {
        const auto slash = target.find_last_of('/');
        const auto separator = to.find_last_of(u'\\');
        if (slash != std::string::npos && separator != Path::npos)
            target = target.substr(0, slash + 1) + toUtf8(to.substr(separator + 1));
    }
    if (source.empty() || target.empty())
        return failWith(Win32Error::PathNotFound);
    struct stat info;
    if (::lstat(source.c_str(), &info) != 0)
        return failWith(windowsErrorOf(errno));
    // Another drive is another volume on Windows, even where the host keeps both on one file
    // system: a folder does not move there.
    if (S_ISDIR(info.st_mode) && driveOf(from) != driveOf(to))
        return failWith(Win32Error::NotSameDevice);
    if (renameNoReplace(source, target)) {
        m_drives.noteCreated(target);
        setLastError(Win32Error::Success);
        return true;
    }
    if (errno != EXDEV)
        return failWith(windowsErrorOf(errno));
    if (S_ISDIR(info.st_mode))
        return failWith(Win32Error::NotSameDevice);
    // A file to another file system: copied, and the original removed only when the copy is
    // whole.
    Win32Error result =
        S_ISLNK(info.st_mode) ? moveLink(source, target) : copyHostFile(source, target, {}, nullptr, true);
    if (result == Win32Error::FileExists)
        result = Win32Error::AlreadyExists;
    if (result == Win32Error::Success && !S_ISLNK(info.st_mode) && ::unlink(source.c_str()) != 0) {
        result = windowsErrorOf(errno);
        ::unlink(target.c_str());
    }
    if (result == Win32Error::Success)
        m_drives.noteCreated(target);
    setLastError(result);
    return result == Win32Error::Success;
}

bool PosixPlatform::copyFileEx(const Path &from, const Path &to, const CopyProgressRoutine &progress,
                               const std::atomic<bool> *cancel, bool failIfExists)
{
    const std::string source = m_drives.toHost(from);
    const std::string target = m_drives.toHost(to);
    if (source.empty() || target.empty())
        return failWith(Win32Error::PathNotFound);
    const Win32Error result = copyHostFile(source, target, progress, cancel, failIfExists);
    if (result == Win32Error::Success)
        m_drives.noteCreated(target);
    setLastError(result);
    return result == Win32Error::Success;
}

bool PosixPlatform::copyLink(const Path &from, const Path &to)
{
    const std::string source = m_drives.toHost(from);
    const std::string target = m_drives.toHost(to);
    if (source.empty() || target.empty())
        return failWith(Win32Error::PathNotFound);
    const Win32Error result = duplicateLink(source, target);
    if (result == Win32Error::Success)
        m_drives.noteCreated(target);
    setLastError(result);
    return result == Win32Error::Success;
}

bool PosixPlatform::diskFreeSpace(const Path &folder, DiskSpace &space) const
{
    const std::string host = m_drives.toHost(folder);
    struct statvfs volume;
    if (!isDirectory(host) || ::statvfs(host.c_str(), &volume) != 0)
        return false;
    const std::uint64_t unit = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
    space.freeToCaller = std::uint64_t(volume.f_bavail) * unit;
    space.total = std::uint64_t(volume.f_blocks) * unit;
    space.totalFree = std::uint64_t(volume.f_bfree) * unit;
    return true;
}

bool PosixPlatform::moveToRecycleBin(const Path &path)
{
    return moveToTrash(m_trash, m_drives.toHost(path), std::time(nullptr));
}

int PosixPlatform::emptyRecycleBin(const std::u16string &root)
{
    std::vector<std::string> roots;
    if (root.empty()) {
        for (const auto &drive : m_drives.drives())
            roots.push_back(drive.root);
    } else {
        const auto parsed = parseWindowsPath(root);
        const Drive *drive = parsed ? m_drives.find(parsed->drive) : nullptr;
        if (!drive)
            return int(0x80070003); // path not found
        roots.push_back(drive->root);
    }
    return emptyTrash(m_trash, roots) < 0 ? int(0x80004005) : 0; // E_FAIL
}

bool PosixPlatform::replaceFile(const Path &from, const Path &to)
{
    const std::string source = m_drives.toHost(from);
    const std::string target = m_drives.toHost(to);
    if (source.empty() || target.empty())
        return failWith(Win32Error::PathNotFound);
    struct stat info;
    if (::lstat(source.c_str(), &info) != 0)
        return failWith(windowsErrorOf(errno));
    if (S_ISDIR(info.st_mode))
        return failWith(Win32Error::AccessDenied);
    if (::lstat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return failWith(Win32Error::AccessDenied);
    if (::rename(source.c_str(), target.c_str()) != 0)
        return failWith(errno == EXDEV ? Win32Error::NotSameDevice : windowsErrorOf(errno));
    // The rename itself reaches the disk with its folder: write-through.
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    m_drives.noteCreated(target);
    setLastError(Win32Error::Success);
    return true;
}

bool PosixPlatform::deleteFile(const Path &path)
{
    std::string host;
    struct stat info;
    if (!hostEntry(m_drives, path, host, info))
        return false;
    if (S_ISDIR(info.st_mode))
        return failWith(Win32Error::AccessDenied);
    if (::unlink(host.c_str()) != 0)
        return failWith(windowsErrorOf(errno));
    setLastError(Win32Error::Success);
    return true;
}

bool PosixPlatform::deleteFolder(const Path &path)
{
    std::string host;
    struct stat info;
    if (!hostEntry(m_drives, path, host, info))
        return false;
    if (!S_ISDIR(info.st_mode)) {
        // A link to a folder goes as a link; its target stays.
        if (!S_ISLNK(info.st_mode))
            return failWith(Win32Error::PathNotFound);
        if (::unlink(host.c_str()) != 0)
            return failWith(windowsErrorOf(errno));
        setLastError(Win32Error::Success);
        return true;
    }
    const int error = removeTreeAt(AT_FDCWD, host.c_str());
    if (error != 0)
        return failWith(windowsErrorOf(error));
    setLastError(Win32Error::Success);
    return true;
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
    // A desktop entry starts its program with the arguments, as a program would be.
    if ((verb.empty() || verb == u"open") && lowerExtension(target) == ".desktop" && isRegularFile(target)) {
        if (const auto entry = desktopLaunch(desktopEntry(target)["Exec"], arguments))
            return shellCodeOf(startDetached(*entry, workingFolder));
    }
    const bool program = target.find('/') == std::string::npos || posix::isProgramFile(target);
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
    struct stat info;
    if (fs::path(host).extension() == ".desktop")
        return ::stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    return posix::isProgramFile(host);
}

bool PosixPlatform::isConsoleScript(const Path &file) const
{
    const std::string host = m_drives.toHost(file);
    struct stat info;
    if (host.empty() || ::stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return lowerExtension(host) == ".sh" || posix::isProgramFile(host);
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

std::uint32_t PosixPlatform::attributesOf(const std::string &hostPath, const std::string &name,
                                          bool directory, bool askAttribute)
{
    std::uint32_t attributes = directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (!askAttribute)
        return attributes;
    char value[64];
    const ssize_t length = ::lgetxattr(hostPath.c_str(), "user.DOSATTRIB", value, sizeof value - 1);
    if (length > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value[length] = 0;
        const unsigned long dos = std::strtoul(value + 2, nullptr, 16);
        attributes |= dos & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
    return attributes;
}

bool PosixPlatform::findFiles(const Path &folder, std::vector<FindData> &entries, FindDetail detail) const
{
    const std::string host = m_drives.toHost(folder);
    DIR *dir = host.empty() ? nullptr : ::opendir(host.c_str());
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir);
    const std::size_t first = entries.size();
    // A file system that keeps no user attributes (FAT media, most network and virtual file
    // systems) says so for the folder itself; then no entry is asked.
    char probe[64];
    const bool askAttribute =
        (detail == FindDetail::All || detail == FindDetail::NoSizes) &&
        (::lgetxattr(host.c_str(), "user.DOSATTRIB", probe, sizeof probe) >= 0 || errno != ENOTSUP);
    errno = 0;
    while (dirent *entry = ::readdir(dir)) {
        FindData data;
        data.name = fromUtf8(entry->d_name);
        // The entry's type gives the kind; only a link (followed, as Windows shows what a link
        // stands for; a broken one is a file) or an untyped entry needs a status call, unless
        // sizes are wanted.
        const bool typed = entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK;
        bool directory = entry->d_type == DT_DIR;
        const bool sizes = detail == FindDetail::All || detail == FindDetail::NoAttributes;
        if (sizes || !typed) {
            struct stat info;
            const bool known = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 ||
                               ::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0;
            directory = known ? S_ISDIR(info.st_mode) : directory;
            if (known && sizes) {
                data.size = directory ? 0 : std::uint64_t(info.st_size);
                data.lastWriteTime = info.st_mtime;
            }
        }
        const std::string path = host == "/" ? "/" + std::string(entry->d_name) : host + "/" + entry->d_name;
        data.attributes = attributesOf(path, entry->d_name, directory, askAttribute);
        if (entry->d_type == DT_LNK)
            data.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        entries.push_back(std::move(data));
    }
    ::closedir(dir);
    // NTFS lists a folder in the order of its names compared without regard to case; the
    // program shows listings as they come, so give them that order here too.
    std::stable_sort(entries.begin() + std::ptrdiff_t(first), entries.end(),
                     [](const FindData &a, const FindData &b) { return lessIgnoringCase(a.name, b.name); });
    return true;
}

std::vector<std::u16string> PosixPlatform::logicalDrives() const
{
    std::vector<std::u16string> roots;
    for (const auto &drive : m_drives.drives())
        roots.push_back(std::u16string{drive.letter, u':', u'\\'});
    return roots;
}

DriveType PosixPlatform::driveType(const std::u16string &root) const
{
    const auto parsed = parseWindowsPath(root);
    const Drive *drive = parsed && parsed->components.empty() ? m_drives.find(parsed->drive) : nullptr;
    if (!drive)
        return DriveType::NoRootDir;
    return drive->type;
}

bool PosixPlatform::volumeLabel(const std::u16string &root, std::u16string &label) const
{
    const auto parsed = parseWindowsPath(root);
    const Drive *drive = parsed && parsed->components.empty() ? m_drives.find(parsed->drive) : nullptr;
    if (!drive || !isDirectory(drive->root))
        return false;
    label = drive->label;
    return true;
}

bool PosixPlatform::specialFolder(int csidl, Path &path) const
{
    // Each known folder below the user's profile or below C:\Users\Public.
    static const struct
    {
        int csidl;
        bool common;
        const char16_t *tail;
    } folders[] = {
        {CSIDL_DESKTOPDIRECTORY, false, u"\\Desktop"},
        {CSIDL_PERSONAL, false, u"\\Documents"},
        {CSIDL_FAVORITES, false, u"\\Favorites"},
        {CSIDL_MYPICTURES, false, u"\\Pictures"},
        {CSIDL_MYMUSIC, false, u"\\Music"},
        {CSIDL_MYVIDEO, false, u"\\Videos"},
        {CSIDL_PROGRAMS, false, u"\\AppData\\Local\\applications"},
        {CSIDL_LOCAL_APPDATA, false, u"\\AppData\\Local"},
        {CSIDL_COMMON_DOCUMENTS, true, u"\\Documents"},
        {CSIDL_COMMON_MUSIC, true, u"\\Music"},
        {CSIDL_COMMON_PICTURES, true, u"\\Pictures"},
        {CSIDL_COMMON_VIDEO, true, u"\\Videos"},
    };
    for (const auto &folder : folders) {
        if (folder.csidl != csidl)
            continue;
        std::u16string user;
        if (!userName(user))
            user = u"Brugernavn";
        path = (folder.common ? std::u16string(u"C:\\Users\\Public") : u"C:\\Users\\" + user) + folder.tail;
        return directoryExists(path);
    }
    return false;
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
