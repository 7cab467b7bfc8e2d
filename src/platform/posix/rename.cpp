#include "platform/posix/rename.h"

#include "platform/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {

bool renameNoReplace(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != ENOTSUP)
        return false;
    return renameNoReplaceByHand(from, to);
}

bool renameNoReplaceByHand(const std::string &from, const std::string &to)
{
    struct stat source, target;
    if (::lstat(from.c_str(), &source) != 0)
        return false;
    if (::lstat(to.c_str(), &target) == 0) {
        const bool sameEntry = target.st_dev == source.st_dev && target.st_ino == source.st_ino &&
                               from != to && equalsIgnoreCase(fromUtf8(from), fromUtf8(to));
        if (sameEntry)
            return ::rename(from.c_str(), to.c_str()) == 0;
        errno = EEXIST;
        return false;
    }
    if (errno != ENOENT)
        return false;
    if (!S_ISDIR(source.st_mode)) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) == 0)
                return true;
            const int error = errno;
            ::unlink(to.c_str());
            errno = error;
            return false;
        }
        if (errno == EEXIST)
            return false; // the target came meanwhile
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace platform::posix
