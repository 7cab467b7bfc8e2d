#include "platform/posix/launch.h"

#include <cstring>
#include <fcntl.h>
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
