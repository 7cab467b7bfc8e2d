#pragma once
// CopyFileExW on Linux: chunked copy_file_range with read/write where the kernel refuses it.

#include "platform/Platform.h"

#include <cstdint>
#include <string>

namespace platform::posix {

// Bytes between two calls of the progress routine and two looks at the cancel flag.
constexpr std::uint64_t kCopyChunk = std::uint64_t(4) << 20;

// Copies host file `from` to host path `to` as Platform::copyFileEx describes; Success or
// the reason it failed. Nothing is left under `to` (or beside it) that was not there before
// unless the copy succeeded.
Win32Error copyHostFile(const std::string &from, const std::string &to, const CopyProgressRoutine &progress,
                        const std::atomic<bool> *cancel, bool failIfExists);

// The Windows error nearest to an errno of a file operation.
Win32Error windowsErrorOf(int error);

} // namespace platform::posix
