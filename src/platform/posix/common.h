#pragma once
// Small steps the Linux back end's files share.

#include "platform/Platform.h"

#include <string>

namespace platform::posix {

// Whether the host path names a folder (a link to one counts).
bool isDirectory(const std::string &host);
// Leaves `error` for lastError() and gives false, for a service that gives up.
bool failWith(Win32Error error);

} // namespace platform::posix
