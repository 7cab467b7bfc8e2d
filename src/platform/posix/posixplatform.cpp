#include "platform/posix/posixplatform.h"
#include "platform/posix/common.h"

#include "platform/paths.h"
#include "platform/posix/copyfile.h"
#include "platform/posix/rename.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace platform::posix {

bool isDirectory(const std::string &host)
{
    struct stat info;
    return !host.empty() && ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::uint64_t allocatedSizeOf(const struct stat &info)
{
    return std::min(std::uint64_t(info.st_blocks) * 512, std::uint64_t(info.st_size));
}

bool failWith(Win32Error error)
{
    setLastError(error);
    return false;
}

PosixPlatform::PosixPlatform(DriveTable drives)
    : m_drives(std::move(drives))
{}

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
    data.name = windowsNameOf(name);
    data.size = directory ? 0 : std::uint64_t(info.st_size);
    data.allocatedSize = directory ? 0 : allocatedSizeOf(info);
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

// One folder deletion: whom to tell of each entry removed, and where it stopped.
struct TreeRemoval
{
    const DeleteProgressRoutine &perEntry;
    // The entry that could not be removed, relative to the folder being removed ('/' between
    // names); empty when it was that folder itself.
    std::string failed;
};

// Removes the folder `name` (relative to `parent`) and its contents; 0 or the first errno.
// Every step works on descriptors opened with O_NOFOLLOW, so a link swapped in for a folder
// during the walk is never entered.
int removeTreeAt(int parent, const char *name, TreeRemoval &removal)
{
    removal.failed.clear();
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
        const char *entryName = entry->d_name;
        if (std::strcmp(entryName, ".") == 0 || std::strcmp(entryName, "..") == 0)
            continue;
        struct stat info;
        if (::fstatat(fd, entryName, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            result = errno;
            removal.failed = entryName;
            break;
        }
        if (S_ISDIR(info.st_mode)) {
            result = removeTreeAt(fd, entryName, removal);
            if (result != 0) {
                removal.failed =
                    removal.failed.empty() ? std::string(entryName) : entryName + ("/" + removal.failed);
                break;
            }
            if (removal.perEntry)
                removal.perEntry(true, 0);
        } else {
            // A link is told as a listing counts it, by what it leads to: asked before it goes.
            bool folderLink = false;
            std::uint64_t size = std::uint64_t(info.st_size);
            struct stat target;
            if (removal.perEntry && S_ISLNK(info.st_mode) && ::fstatat(fd, entryName, &target, 0) == 0) {
                folderLink = S_ISDIR(target.st_mode);
                size = folderLink ? 0 : std::uint64_t(target.st_size);
            }
            if (::unlinkat(fd, entryName, 0) != 0) {
                result = errno;
                removal.failed = entryName;
                break;
            }
            if (removal.perEntry)
                removal.perEntry(folderLink, size);
        }
        errno = 0;
    }
    if (result == 0 && errno != 0)
        result = errno;
    ::closedir(dir);
    if (result == 0 && ::unlinkat(parent, name, AT_REMOVEDIR) != 0) {
        result = errno;
        removal.failed.clear();
    }
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
            target = target.substr(0, slash + 1) + hostNameOf(to.substr(separator + 1));
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

bool PosixPlatform::deleteFolder(const Path &path, const DeleteProgressRoutine &perEntry, Path *failedEntry)
{
    if (failedEntry)
        *failedEntry = path;
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
        if (failedEntry)
            failedEntry->clear();
        setLastError(Win32Error::Success);
        return true;
    }
    TreeRemoval removal{perEntry, {}};
    const int error = removeTreeAt(AT_FDCWD, host.c_str(), removal);
    if (error != 0) {
        if (failedEntry && !removal.failed.empty())
            *failedEntry = m_drives.fromHost(host + "/" + removal.failed);
        return failWith(windowsErrorOf(error));
    }
    if (failedEntry)
        failedEntry->clear();
    setLastError(Win32Error::Success);
    return true;
}

bool PosixPlatform::elementId(const Path &path, ElementId &id) const
{
    const std::string host = m_drives.toHost(path);
    struct stat info;
    if (host.empty() || ::stat(host.c_str(), &info) != 0)
        return false;
    id = {std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
    return true;
}

std::vector<ElementId> PosixPlatform::folderAncestry(const Path &folder) const
{
    std::vector<ElementId> chain;
    const std::string host = m_drives.toHost(folder);
    int fd = host.empty() ? -1 : ::open(host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    // ".." of an opened folder is the folder that really holds it, whatever link led there.
    while (fd >= 0) {
        struct stat info;
        if (::fstat(fd, &info) != 0)
            break;
        const ElementId id{std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
        if (!chain.empty() && chain.back() == id)
            break; // the root is its own parent
        chain.push_back(id);
        const int parent = ::openat(fd, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = parent;
    }
    if (fd >= 0)
        ::close(fd);
    return chain;
}

bool PosixPlatform::userName(std::u16string &name) const
{
    const auto host = hostUserName();
    if (!host)
        return false;
    name = fromUtf8(*host);
    return true;
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
        data.name = windowsNameOf(entry->d_name);
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
                data.allocatedSize = directory ? 0 : allocatedSizeOf(info);
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
    std::u16string user;
    if (!userName(user))
        user = u"Brugernavn";
    path = usersKnownFolder(csidl, user);
    return !path.empty() && directoryExists(path);
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
