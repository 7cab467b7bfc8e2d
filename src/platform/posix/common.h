#pragma once
// Small steps the Linux back end's files share.

#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace platform::posix {

// Whether the host path names a folder (a link to one counts).
bool isDirectory(const std::string &host);
// FindData::allocatedSize of a file's status: its blocks, at most its size.
std::uint64_t allocatedSizeOf(const struct stat &info);
// Leaves `error` for lastError() and gives false, for a service that gives up.
bool failWith(Win32Error error);

} // namespace platform::posix
