#pragma once
// SHAddToRecentDocs on Linux: the desktop's list of recently used files, the freedesktop.org
// bookmark file recently-used.xbel. Every other entry and attribute in it stays as it was, and
// the file is replaced in one rename, so a crash never leaves half a list.

#include <chrono>
#include <string>

namespace platform::posix {

// The name an entry of ours gives as its application.
constexpr const char *kRecentApplication = "zunKolvra Stifinder";

// "file://" + the absolute host path with every byte other than letters, digits, "-._~" and "/"
// percent-encoded.
std::string fileUri(const std::string &hostPath);
// The host path of a file URI ("file:///..." or "file://localhost/..."); empty when it is none.
std::string hostPathOfUri(const std::string &uri);
// "2024-05-01T10:00:00.123456Z", as the bookmark file keeps its times.
std::string bookmarkTime(std::chrono::system_clock::time_point time);
// The MIME type the bookmark of a host file names, by its extension; folders "inode/directory".
std::string mimeTypeOf(const std::string &hostPath, bool directory);

// Adds `hostPath` to the list in `xbelFile` at `now`, or when it is there already marks it
// modified and visited and counts one more use by this program. The file (and its folder) is
// made when missing. False, and the file left alone, when it cannot be read as a bookmark file.
bool addRecentFile(const std::string &xbelFile, const std::string &hostPath, const std::string &mimeType,
                   std::chrono::system_clock::time_point now);
// Removes every bookmark from the list; a missing list is an empty one.
bool clearRecentFiles(const std::string &xbelFile);

} // namespace platform::posix
