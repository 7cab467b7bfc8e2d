#include "platform/posix/copyfile.h"

#include "platform/posix/copytemp.h"
#include "platform/posix/rename.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace platform::posix {

namespace {

constexpr const char *kDosAttrib = "user.DOSATTRIB";

class Descriptor
{
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd)
    {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Closes now: a late write error (NFS, a full disk) shows only here.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// A missing folder on the way to the target is a path, not a file, that is not there.
Win32Error targetErrorOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? Win32Error::PathNotFound : windowsErrorOf(error);
}

// copy_file_range refused for this pair of files (old kernels across file systems, file
// systems without it): the bytes go through read and write instead.
bool rangeRefused(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP ||
           error == EBADF;
}

// The DOS attribute bits of user.DOSATTRIB in its text form ("0x22"); 0 when there are none.
std::uint32_t dosAttributes(const std::string &path)
{
    char value[64];
    const ssize_t length = ::getxattr(path.c_str(), kDosAttrib, value, sizeof value - 1);
    if (length <= 2 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return 0;
    value[length] = 0;
    return std::uint32_t(std::strtoul(value + 2, nullptr, 16));
}

bool writeAll(int fd, const char *data, std::size_t size, std::uint64_t offset)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size, off_t(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= std::size_t(written);
        offset += std::uint64_t(written);
    }
    return true;
}

// The bytes of `in` into `out`, a chunk at a time, with the routine told after each. A file
// with fewer blocks than its size has holes: they are found with SEEK_DATA and SEEK_HOLE and
// stay holes in the copy (only the data extents are copied, and the copy's length is set at the
// end), while the routine sees the file's whole size go by.
Win32Error copyBytes(int in, int out, const struct stat &source, const CopyProgressRoutine &progress,
                     const std::atomic<bool> *cancel)
{
    const std::uint64_t size = std::uint64_t(source.st_size);
    bool sparse = std::uint64_t(source.st_blocks) * 512 < size;
    bool skipped = false;
    std::uint64_t dataEnd = 0; // where the data extent at `done` ends, while sparse
    bool useRange = true;
    bool quiet = !progress;
    bool reported = false;
    std::vector<char> buffer;
    std::uint64_t done = 0;
    for (bool atEnd = false; !atEnd;) {
        if (cancel && cancel->load())
            return Win32Error::RequestAborted;
        std::uint64_t chunk = 0;
        while (chunk < kCopyChunk) {
            if (sparse && done >= dataEnd) {
                // The next data extent, within the size the file had when it was opened.
                const off_t data = ::lseek(in, off_t(done), SEEK_DATA);
                const off_t hole = data < 0 ? data : ::lseek(in, data, SEEK_HOLE);
                std::uint64_t next, end;
                if (data >= 0 && hole >= 0) {
                    next = std::min(std::uint64_t(data), size);
                    end = std::min(std::uint64_t(hole), size);
                } else if (data < 0 && errno == ENXIO) {
                    // Only a hole up to the end (of the file as it is now, should it have shrunk).
                    struct stat now;
                    next = ::fstat(in, &now) == 0 ? std::min(size, std::uint64_t(now.st_size)) : size;
                    next = end = std::max(next, done);
                } else {
                    sparse = false; // a file system that cannot tell: every byte is copied
                    continue;
                }
                skipped |= next > done;
                chunk += next - done;
                done = next;
                dataEnd = end;
                if (done >= dataEnd) {
                    atEnd = true;
                    break;
                }
                if (chunk >= kCopyChunk)
                    break;
            }
            std::size_t want = std::size_t(kCopyChunk - chunk);
            if (sparse)
                want = std::size_t(std::min<std::uint64_t>(want, dataEnd - done));
            ssize_t got;
            if (useRange) {
                loff_t inOffset = loff_t(done), outOffset = loff_t(done);
                got = ::copy_file_range(in, &inOffset, out, &outOffset, want, 0);
                // A refusal, or an end before the size the file had (it shrank, or it is
                // one of the kernel's files that report size 0), is checked by reading.
                if ((got < 0 && rangeRefused(errno)) || (got == 0 && (size == 0 || done < size))) {
                    useRange = false;
                    continue;
                }
            } else {
                if (buffer.empty())
                    buffer.resize(std::size_t(1) << 20);
                got = ::pread(in, buffer.data(), std::min(want, buffer.size()), off_t(done));
                if (got > 0 && !writeAll(out, buffer.data(), std::size_t(got), done))
                    return windowsErrorOf(errno);
            }
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                return windowsErrorOf(errno);
            }
            if (got == 0) {
                atEnd = true;
                break;
            }
            chunk += std::uint64_t(got);
            done += std::uint64_t(got);
            // The size the file had when it was opened is copied: no call to find the end.
            if (size > 0 && done >= size) {
                atEnd = true;
                break;
            }
        }
        if (chunk == 0 && reported)
            break; // the end fell on a chunk boundary: already told
        reported = true;
        if (!quiet) {
            const CopyProgress answer = progress(std::max(size, done), done);
            if (answer == CopyProgress::Cancel || answer == CopyProgress::Stop)
                return Win32Error::RequestAborted;
            quiet = answer == CopyProgress::Quiet;
        }
    }
    // A hole at the end is only a length.
    if (skipped && ::ftruncate(out, off_t(done)) != 0)
        return windowsErrorOf(errno);
    return Win32Error::Success;
}

// What Windows keeps of a copied file: the last-write time and the attributes, and here the
// permission bits. The attribute first: writing it needs the file writable.
void keepMetadata(int in, int out, const struct stat &source)
{
    std::vector<char> value(256);
    ssize_t length = ::fgetxattr(in, kDosAttrib, value.data(), value.size());
    if (length < 0 && errno == ERANGE) {
        length = ::fgetxattr(in, kDosAttrib, nullptr, 0);
        value.resize(std::size_t(std::max<ssize_t>(length, 0)));
        length = length > 0 ? ::fgetxattr(in, kDosAttrib, value.data(), value.size()) : -1;
    }
    // A file system without user attributes (FAT, many network ones) loses them, as Windows
    // loses what FAT cannot hold.
    if (length >= 0)
        ::fsetxattr(out, kDosAttrib, value.data(), std::size_t(length), 0);
    ::fchmod(out, source.st_mode & 0777);
    const timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
    ::futimens(out, times);
}

// Windows' refusals of an existing target: a folder, the source itself, read-only or hidden.
Win32Error refusedTarget(const std::string &to, const struct stat &source)
{
    struct stat existing;
    if (::stat(to.c_str(), &existing) != 0) // a broken link is simply replaced
        return Win32Error::Success;
    if (S_ISDIR(existing.st_mode))
        return Win32Error::AccessDenied;
    if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino)
        return Win32Error::SharingViolation;
    if (dosAttributes(to) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
        return Win32Error::AccessDenied;
    return Win32Error::Success;
}

// The whole copy `written` renamed to `to`. A target that was not there at the start is never
// replaced unseen: one that came meanwhile stays with fail-if-exists, and is otherwise replaced
// only as an old target would be.
Win32Error moveIntoPlace(const std::string &written, const std::string &to, const struct stat &source,
                         bool existed, bool failIfExists)
{
    if (!existed) {
        if (renameNoReplace(written, to))
            return Win32Error::Success;
        if (errno != EEXIST)
            return targetErrorOf(errno);
        if (failIfExists)
            return Win32Error::FileExists;
        if (const Win32Error refused = refusedTarget(to, source); refused != Win32Error::Success)
            return refused;
    }
    return ::rename(written.c_str(), to.c_str()) == 0 ? Win32Error::Success : targetErrorOf(errno);
}

} // namespace

Win32Error windowsErrorOf(int error)
{
    switch (error) {
    case 0:
        return Win32Error::Success;
    case ENOENT:
        return Win32Error::FileNotFound;
    case ENOTDIR:
        return Win32Error::PathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return Win32Error::AccessDenied;
    case EROFS:
        return Win32Error::WriteProtect;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // the file does not fit where it goes, as on a full disk
        return Win32Error::DiskFull;
    case EEXIST:
        return Win32Error::AlreadyExists;
    case ENAMETOOLONG:
        return Win32Error::FilenameTooLong;
    case EXDEV:
        return Win32Error::NotSameDevice;
    case EBUSY:
    case ETXTBSY:
        return Win32Error::SharingViolation;
    case ENOMEM:
        return Win32Error::NotEnoughMemory;
    case EIO:
        return Win32Error::IoDevice;
    default:
        return Win32Error::GenFailure;
    }
}

Win32Error copyHostFile(const std::string &from, const std::string &to, const CopyProgressRoutine &progress,
                        const std::atomic<bool> *cancel, bool failIfExists)
{
    // The kind first, from the metadata: a FIFO or device is never opened for reading.
    struct stat source;
    if (::stat(from.c_str(), &source) != 0)
        return windowsErrorOf(errno);
    if (S_ISDIR(source.st_mode))
        return Win32Error::AccessDenied;
    if (!S_ISREG(source.st_mode))
        return Win32Error::NotSupported;
    // Non-blocking, should it have been swapped for a FIFO meanwhile; the check is repeated
    // on what was opened.
    Descriptor in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (in.get() < 0)
        return windowsErrorOf(errno);
    if (::fstat(in.get(), &source) != 0)
        return windowsErrorOf(errno);
    if (!S_ISREG(source.st_mode))
        return S_ISDIR(source.st_mode) ? Win32Error::AccessDenied : Win32Error::NotSupported;

    // The copy is written under a temporary name beside the target and renamed into place only
    // once it is whole, so a crash never leaves a cut-short file under the target's name.
    struct stat existing;
    const bool exists = ::lstat(to.c_str(), &existing) == 0;
    if (exists) {
        if (failIfExists)
            return Win32Error::FileExists;
        if (const Win32Error refused = refusedTarget(to, source); refused != Win32Error::Success)
            return refused;
    } else if (errno != ENOENT) {
        return targetErrorOf(errno);
    }
    const auto slash = to.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string("./") : to.substr(0, slash + 1);
    sweepCopyTemporariesOnce(folder);
    std::string written;
    Descriptor out(makeCopyTemporary(folder, written));
    if (out.get() < 0)
        return targetErrorOf(errno);
    // Our lock on the temporary file lasts until the rename: the second descriptor keeps it
    // while the first is closed for its late errors.
    const Descriptor lock(::dup(out.get()));

    Win32Error result = copyBytes(in.get(), out.get(), source, progress, cancel);
    if (result == Win32Error::Success)
        keepMetadata(in.get(), out.get(), source);
    if (!out.close() && result == Win32Error::Success)
        result = windowsErrorOf(errno);
    if (result == Win32Error::Success)
        result = moveIntoPlace(written, to, source, exists, failIfExists);
    if (result != Win32Error::Success)
        ::unlink(written.c_str());
    return result;
}

} // namespace platform::posix
