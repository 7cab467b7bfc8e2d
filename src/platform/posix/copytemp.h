#pragma once
// The temporary files a copy writes before it renames them into place: ".zunkopi-XXXXXX" beside
// the target. A running copy holds an exclusive flock on its file, so one that holds no lock was
// left by a copy that ended without tidying up (killed, a power cut) and may go.

#include <string>

namespace platform::posix {

inline constexpr char kCopyTemporaryPrefix[] = ".zunkopi-";

// A new temporary file in `folder` (ending in "/"), locked for as long as its descriptor stays
// open; its descriptor, with its path in `path`, or -1 with errno set.
int makeCopyTemporary(const std::string &folder, std::string &path);

// Removes the temporary files in `folder` that no running copy holds, the first time this
// process asks for that folder (known by device, inode and birth time); later calls cost one
// status call. Thread-safe.
void sweepCopyTemporariesOnce(const std::string &folder);

// The same without the once rule; how many were removed.
int sweepCopyTemporaries(const std::string &folder);

} // namespace platform::posix
