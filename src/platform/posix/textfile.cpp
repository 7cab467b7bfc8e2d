#include "platform/posix/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {

bool readRegularTextFile(const std::string &path, std::string &text, std::size_t limit)
{
    text.clear();
    // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || std::size_t(st.st_size) > limit) {
        ::close(fd);
        return false;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            ::close(fd);
            text.clear();
            return false;
        }
        if (got == 0)
            break;
        // A file that grows while it is read is cut at the limit.
        text.append(buffer, std::min(std::size_t(got), limit - text.size()));
        if (text.size() >= limit)
            break;
    }
    ::close(fd);
    return true;
}

std::istringstream textFileLines(const std::string &path)
{
    std::string text;
    readRegularTextFile(path, text);
    return std::istringstream(text);
}

} // namespace platform::posix
