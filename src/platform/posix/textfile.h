#pragma once
// Small text files the back end reads itself (user-dirs.dirs, .desktop entries, .trashinfo):
// only regular files, opened without blocking and read up to a limit, so that a FIFO, a device
// or a link to one can never hang or swamp the program.

#include <cstddef>
#include <sstream>
#include <string>

namespace platform::posix {

constexpr std::size_t kTextFileLimit = 1024 * 1024;

// The file's text; false (and nothing read) when it is no regular file or larger than `limit`.
bool readRegularTextFile(const std::string &path, std::string &text, std::size_t limit = kTextFileLimit);

// The file's text as a stream of lines; empty when it cannot be read as above.
std::istringstream textFileLines(const std::string &path);

} // namespace platform::posix
