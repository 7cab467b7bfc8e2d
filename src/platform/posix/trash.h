#pragma once
// The recycle bin on Linux, laid out as freedesktop.org desktops keep it. Files from the home
// folder's volume go to the home trash, files from another volume to that volume's
// ".Trash/$uid" (when the administrator made ".Trash" a sticky folder) or ".Trash-$uid". A
// volume trash that is a link is never used: the file then stays where it is. Each item gets
// a ".trashinfo" with its percent-encoded original path and the deletion date.

#include <ctime>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform::posix {

struct TrashPlaces
{
    std::string homeTrash;                // $XDG_DATA_HOME/Trash
    std::vector<std::string> mountPoints; // every mount point of the machine
    uid_t uid = 0;
};

// The mount point that holds a host path: the longest one that is a prefix ("/" at least).
std::string volumeTop(const std::vector<std::string> &mountPoints, const std::string &path);
std::string percentEncode(const std::string &path);
std::string percentDecode(const std::string &text);

// Moves the file or folder into its trash; false leaves it where it was.
bool moveToTrash(const TrashPlaces &places, const std::string &hostPath, std::time_t now);
// Removes from every trash the items whose original path lies under one of `roots`; the
// number of items removed, or -1 when one of them could not be removed.
int emptyTrash(const TrashPlaces &places, const std::vector<std::string> &roots);

} // namespace platform::posix
