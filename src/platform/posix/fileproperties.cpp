// PosixPlatform: times, attributes and file system of a file or drive, and the desktop's list of
// recent documents.

#include "platform/paths.h"
#include "platform/posix/copyfile.h"
#include "platform/posix/posixplatform.h"
#include "platform/posix/recentdocs.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace platform::posix {

namespace {

constexpr const char *kDosAttrib = "user.DOSATTRIB";

bool failWith(Win32Error error)
{
    setLastError(error);
    return false;
}

// The bits of user.DOSATTRIB in its text form ("0x22"), as the listing reads them; none when
// the file has no such attribute.
std::optional<std::uint32_t> dosAttrib(const std::string &host)
{
    char value[64];
    const ssize_t length = ::getxattr(host.c_str(), kDosAttrib, value, sizeof value - 1);
    if (length < 0)
        return std::nullopt;
    value[length] = 0;
    if (length <= 2 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return 0u;
    return std::uint32_t(std::strtoul(value + 2, nullptr, 16));
}

// 0, or the errno of the failed write.
int writeDosAttrib(const std::string &host, std::optional<std::uint32_t> bits)
{
    if (!bits)
        return ::removexattr(host.c_str(), kDosAttrib) == 0 || errno == ENODATA ? 0 : errno;
    char text[16];
    const int length = std::snprintf(text, sizeof text, "0x%x", unsigned(*bits));
    return ::setxattr(host.c_str(), kDosAttrib, text, std::size_t(length), 0) == 0 ? 0 : errno;
}

int changeMode(const std::string &host, mode_t mode)
{
    return ::chmod(host.c_str(), mode) == 0 ? 0 : errno;
}

// ENOTSUP and EOPNOTSUPP are one value on Linux.
bool unsupported(int error)
{
    return error == ENOTSUP;
}

// The metadata of a path, a link followed unless it leads nowhere; 0 or the errno.
int statOf(const std::string &host, struct statx &info)
{
    constexpr unsigned mask = STATX_BASIC_STATS | STATX_BTIME;
    if (::statx(AT_FDCWD, host.c_str(), 0, mask, &info) == 0)
        return 0;
    if (errno != ENOENT)
        return errno;
    return ::statx(AT_FDCWD, host.c_str(), AT_SYMLINK_NOFOLLOW, mask, &info) == 0 ? 0 : errno;
}

} // namespace

bool PosixPlatform::fileTimes(const Path &path, FileTimes &times) const
{
    const std::string host = m_drives.toHost(path);
    if (host.empty())
        return failWith(Win32Error::PathNotFound);
    struct statx info
    {
    };
    if (const int error = statOf(host, info); error != 0)
        return failWith(windowsErrorOf(error));
    // Not every file system keeps a birth time; the last status change is the nearest there is.
    times.creation = (info.stx_mask & STATX_BTIME) ? info.stx_btime.tv_sec : info.stx_ctime.tv_sec;
    times.lastAccess = info.stx_atime.tv_sec;
    times.lastWrite = info.stx_mtime.tv_sec;
    setLastError(Win32Error::Success);
    return true;
}

bool PosixPlatform::setLastWriteTime(const Path &path, std::int64_t lastWrite)
{
    const std::string host = m_drives.toHost(path);
    if (host.empty())
        return failWith(Win32Error::PathNotFound);
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(lastWrite), 0}};
    if (::utimensat(AT_FDCWD, host.c_str(), times, 0) != 0)
        return failWith(windowsErrorOf(errno));
    setLastError(Win32Error::Success);
    return true;
}

bool PosixPlatform::setFileAttributes(const Path &path, std::uint32_t attributes)
{
    const std::string host = m_drives.toHost(path);
    if (host.empty())
        return failWith(Win32Error::PathNotFound);
    struct stat info;
    if (::stat(host.c_str(), &info) != 0)
        return failWith(windowsErrorOf(errno));

    const std::optional<std::uint32_t> oldBits = dosAttrib(host);
    // Without the attribute the listing reports a file as archived: that needs no writing.
    const std::uint32_t current = oldBits.value_or(S_ISDIR(info.st_mode) ? 0 : FILE_ATTRIBUTE_ARCHIVE);
    const std::uint32_t newBits = (current & ~kSettableAttributes) | (attributes & kSettableAttributes);
    const bool bitsChange = newBits != current;
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    const mode_t oldMode = info.st_mode & 07777;
    mode_t newMode = oldMode;
    // On Windows a folder's read-only bit only marks it for the shell; its contents stay
    // writable, so only a file loses its write bits.
    if (!S_ISDIR(info.st_mode))
        newMode =
            readOnly ? mode_t(oldMode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : mode_t(oldMode | S_IWUSR);
    const bool modeChanges = newMode != oldMode;

    // Hidden and system live only in the attribute; read-only has the write bits too.
    auto writeBits = [&]() -> int {
        if (!bitsChange)
            return 0;
        const int error = writeDosAttrib(host, newBits);
        return unsupported(error) && !(newBits & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) ? 0 : error;
    };
    auto fail = [](int error) {
        return failWith(unsupported(error) ? Win32Error::NotSupported : windowsErrorOf(error));
    };

    // A user may write the attribute of a file only while it has a write bit: setting
    // read-only writes the attribute first, clearing it gives the write bit back first.
    if (readOnly) {
        if (const int error = writeBits(); error != 0)
            return fail(error);
        if (modeChanges) {
            if (const int error = changeMode(host, newMode); error != 0) {
                if (bitsChange)
                    writeDosAttrib(host, oldBits);
                return fail(error);
            }
        }
    } else {
        if (modeChanges) {
            if (const int error = changeMode(host, newMode); error != 0)
                return fail(error);
        }
        if (const int error = writeBits(); error != 0) {
            if (modeChanges)
                changeMode(host, oldMode);
            return fail(error);
        }
    }
    setLastError(Win32Error::Success);
    return true;
}

bool PosixPlatform::fileSystemName(const std::u16string &root, std::u16string &name) const
{
    const auto parsed = parseWindowsPath(root);
    const Drive *drive = parsed && parsed->components.empty() ? m_drives.find(parsed->drive) : nullptr;
    char real[PATH_MAX];
    if (!drive || !::realpath(drive->root.c_str(), real))
        return false;
    // The mount that holds the drive's folder: the longest mount point above it, the last
    // one mounted when several share a point.
    const std::string folder = real;
    const Mount *holder = nullptr;
    const auto mounts = readMountTable(m_mountInfo);
    for (const Mount &mount : mounts) {
        const std::string &point = mount.mountPoint;
        const bool above = point == "/" || folder == point ||
                           (folder.size() > point.size() && folder.compare(0, point.size(), point) == 0 &&
                            folder[point.size()] == '/');
        if (above && (!holder || point.size() >= holder->mountPoint.size()))
            holder = &mount;
    }
    if (!holder || holder->fsType.empty())
        return false;
    name = fromUtf8(holder->fsType);
    return true;
}

bool PosixPlatform::addToRecentDocs(const Path &path)
{
    if (m_recentDocs.empty())
        return false;
    if (path.empty())
        return clearRecentFiles(m_recentDocs);
    const std::string host = m_drives.toHost(path);
    struct stat info;
    if (host.empty() || ::stat(host.c_str(), &info) != 0)
        return false;
    // The desktop shows where the file really lies: the drive table's links on the way are
    // resolved, the name itself is kept.
    std::string shown = host;
    const std::filesystem::path hostPath(host);
    char real[PATH_MAX];
    if (hostPath.has_filename() && ::realpath(hostPath.parent_path().c_str(), real))
        shown = (std::filesystem::path(real) / hostPath.filename()).string();
    return addRecentFile(m_recentDocs, shown, mimeTypeOf(shown, S_ISDIR(info.st_mode)),
                         std::chrono::system_clock::now());
}

} // namespace platform::posix
