#pragma once
// Windows only: the Windows back end over a drive table of the test's own, so that a test's
// program paths ("C:\\Mappe\\fil.txt") land in its temporary folders and never on the machine's
// own drives. Every path going in is mapped to the host, every path coming out back; a letter
// the table does not hold reaches nothing. The host's surroundings (special folders, the Startup
// folder, recent documents) are the ones the Linux back end shows a test, so the tests expect the
// same on both.

#include "platform/win32/win32platform.h"

#include <set>
#include <string>
#include <vector>

// Whether the tests run under Wine, which leaves some services out (each test that skips says
// which and why).
bool runningUnderWine();

namespace testsupport {

// As the Linux drive table's entries, so a test adds drives the same way on both hosts.
struct MappedDrive
{
    char16_t letter = 0;
    std::string root; // host folder (UTF-8, either separator)
    platform::DriveType type = platform::DriveType::Fixed;
    std::u16string label;
};

class MappedDriveTable
{
public:
    void add(MappedDrive drive);
    const std::vector<MappedDrive> &drives() const { return m_drives; }
    const MappedDrive *find(char16_t letter) const;
    // The host path of a program path; empty when no drive of the table holds it.
    std::u16string toHost(const platform::Path &path) const;
    // The program path of a host path on the drive with the longest matching root; empty when
    // none holds it.
    platform::Path fromHost(const std::u16string &hostPath) const;

private:
    std::vector<MappedDrive> m_drives;
};

class MappedWin32Platform : public platform::win32::Win32Platform
{
public:
    explicit MappedWin32Platform(MappedDriveTable drives)
        : m_drives(std::move(drives))
    {}
    const MappedDriveTable &driveTable() const { return m_drives; }
    MappedDriveTable &driveTable() { return m_drives; }
    // Whether files may go to the recycle bin at all: only Wine's in a throwaway home may be
    // filled, never a real Windows' own.
    bool recycleBin = false;
    // Drives whose files cannot go to the recycle bin (a drive without one).
    std::set<char16_t> drivesWithoutRecycleBin;

    bool fileExists(const platform::Path &path) const override;
    bool directoryExists(const platform::Path &path) const override;
    bool forceDirectories(const platform::Path &path) override;
    bool moveFile(const platform::Path &from, const platform::Path &to) override;
    bool replaceFile(const platform::Path &from, const platform::Path &to) override;
    bool copyFileEx(const platform::Path &from, const platform::Path &to,
                    const platform::CopyProgressRoutine &progress, const std::atomic<bool> *cancel,
                    bool failIfExists) override;
    bool copyLink(const platform::Path &from, const platform::Path &to) override;
    bool diskFreeSpace(const platform::Path &folder, platform::DiskSpace &space) const override;
    bool moveToRecycleBin(const platform::Path &path) override;
    int emptyRecycleBin(const std::u16string &root) override;
    bool deleteFile(const platform::Path &path) override;
    using Platform::deleteFolder;
    bool deleteFolder(const platform::Path &path, const platform::DeleteProgressRoutine &perEntry,
                      platform::Path *failedEntry) override;
    bool elementId(const platform::Path &path, platform::ElementId &id) const override;
    std::vector<platform::ElementId> folderAncestry(const platform::Path &folder) const override;
    bool startupFolder(platform::Path &folder) override;
    bool addStartupEntry(const platform::Path &shortcut, const platform::Path &entry) override;
    platform::IconSource extractIcon(const platform::Path &file) const override;
    bool findFiles(const platform::Path &folder, std::vector<platform::FindData> &entries,
                   platform::FindDetail detail = platform::FindDetail::All) const override;
    bool fileAttributes(const platform::Path &path, platform::FindData &data) const override;
    bool fileTimes(const platform::Path &path, platform::FileTimes &times) const override;
    bool setLastWriteTime(const platform::Path &path, std::int64_t lastWrite) override;
    bool setFileAttributes(const platform::Path &path, std::uint32_t attributes) override;
    std::vector<std::u16string> logicalDrives() const override;
    platform::DriveType driveType(const std::u16string &root) const override;
    bool volumeLabel(const std::u16string &root, std::u16string &label) const override;
    bool fileSystemName(const std::u16string &root, std::u16string &name) const override;
    bool addToRecentDocs(const platform::Path &path) override;
    bool specialFolder(int csidl, platform::Path &path) const override;
    std::u16string hostPath(const platform::Path &path) const override;
    platform::Path programPath(const std::u16string &hostPath) const override;

private:
    MappedDriveTable m_drives;
};

} // namespace testsupport
