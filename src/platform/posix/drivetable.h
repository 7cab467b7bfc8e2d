#pragma once
// The Linux drive table: which host folder each drive letter stands for, as Wine does it.

#include "platform/Platform.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::posix {

class CaseIndex;

struct Drive
{
    char16_t letter = 0; // upper case
    std::string root;    // host folder, no trailing slash ("/" for the host root)
    DriveType type = DriveType::Fixed;
    std::u16string label; // volume label
};

struct Mount
{
    std::string mountPoint;
    std::string fsType;
};
// The mounts of a table in /proc/self/mountinfo format; none when it cannot be read.
std::vector<Mount> readMountTable(const std::string &mountInfoPath);

class DriveTable
{
public:
    DriveTable();
    // Adds or replaces the drive of that letter; the table stays in letter order.
    void add(Drive drive);
    const std::vector<Drive> &drives() const { return m_drives; }
    const Drive *find(char16_t letter) const;

    // The host path of a program path; a component missing in the exact letter case is
    // matched against the folder's entries without regard to case. Empty when unmapped.
    std::string toHost(const std::u16string &programPath) const;
    // The program path of a host path on the drive with the longest matching root; empty
    // when no drive holds it.
    std::u16string fromHost(const std::string &hostPath) const;
    // Tells the table that this program has just made `hostPath`, so the name look-ups of its
    // folder stay valid without the folder being read again.
    void noteCreated(const std::string &hostPath) const;

    // C: the program's own folder, Z: the host root, and the media mounted under /media,
    // /run/media and /mnt with the next free letters from D: on, their kind read from the
    // mount table (`mountInfoPath` in /proc/self/mountinfo format).
    static DriveTable standard(const std::string &driveC, const std::string &mountInfoPath);
    // The kind of drive a file-system type in the mount table stands for.
    static DriveType typeOfFileSystem(const std::string &fsType);

private:
    std::vector<Drive> m_drives;
    // Shared by copies of the table; it locks itself, as look-ups come from worker threads too.
    std::shared_ptr<CaseIndex> m_caseIndex;
};

} // namespace platform::posix
