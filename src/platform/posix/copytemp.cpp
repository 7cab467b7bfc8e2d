#include "platform/posix/copytemp.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace platform::posix {

namespace {

bool sameInode(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A folder as the once rule knows it. The birth time tells a new folder from an old one whose
// inode number it got (file systems reuse them at once); where there is none it stays 0.
using FolderKey = std::tuple<unsigned, unsigned, std::uint64_t, std::int64_t, std::uint32_t>;

} // namespace

int makeCopyTemporary(const std::string &folder, std::string &path)
{
    // A sweep elsewhere can take a new file in the moment before it is locked: it is then
    // unlinked, and a new name is tried (nothing renames these files, so a linked one is ours).
    for (int attempt = 0; attempt < 16; ++attempt) {
        path = folder + kCopyTemporaryPrefix + "XXXXXX";
        const int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        int locked;
        do
            locked = ::flock(fd, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        // A file system without locks still copies; only its sweeps cannot tell ours apart.
        struct stat opened;
        if (::fstat(fd, &opened) == 0 && opened.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

int sweepCopyTemporaries(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    const int dirFd = ::dirfd(dir);
    const std::size_t prefixLength = std::strlen(kCopyTemporaryPrefix);
    int removed = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, kCopyTemporaryPrefix, prefixLength) != 0 ||
            (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN))
            continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Removed under our own lock, and only while the name still names what was locked.
        struct stat opened, named;
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameInode(opened, named) &&
            ::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

void sweepCopyTemporariesOnce(const std::string &folder)
{
    static std::mutex mutex;
    static std::set<FolderKey> swept;
    struct statx info;
    if (::statx(AT_FDCWD, folder.c_str(), 0, STATX_INO | STATX_BTIME, &info) != 0)
        return;
    const bool born = info.stx_mask & STATX_BTIME;
    const FolderKey key{info.stx_dev_major, info.stx_dev_minor, info.stx_ino,
                        born ? info.stx_btime.tv_sec : 0, born ? info.stx_btime.tv_nsec : 0};
    {
        const std::lock_guard lock(mutex);
        if (!swept.insert(key).second)
            return;
    }
    sweepCopyTemporaries(folder);
}

} // namespace platform::posix
