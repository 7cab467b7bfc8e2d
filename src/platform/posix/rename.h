#pragma once
// MoveFileW's rule on Linux: a rename that never replaces an existing target.

#include <string>

namespace platform::posix {

// renameat2 with RENAME_NOREPLACE, and renameNoReplaceByHand where the file system refuses
// the flag. False with errno set when nothing was renamed (EEXIST for a target in the way).
bool renameNoReplace(const std::string &from, const std::string &to);

// The same without the flag, for file systems that refuse it (network and some FUSE ones):
// a file gets a hard link under the new name and loses the old one, which fails at once on an
// existing target; where there are no hard links, and for folders, the target is checked just
// before a plain rename. A target that is the source under another letter case (a
// case-insensitive file system) is renamed to.
bool renameNoReplaceByHand(const std::string &from, const std::string &to);

} // namespace platform::posix
