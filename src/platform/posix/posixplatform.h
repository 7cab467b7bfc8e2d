#pragma once
// The Linux back end: Windows paths through the drive table, Windows services by their
// nearest host equivalents.

#include "platform/Platform.h"
#include "platform/posix/drivetable.h"
#include "platform/posix/launch.h"
#include "platform/posix/trash.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

// What the back end needs to know of the host. The program reads it from the environment;
// tests make one of temporary folders so that nothing touches the real home folder.
struct HostSetup
{
    std::string home;             // the user's home folder
    std::string dataHome;         // XDG_DATA_HOME
    std::string configHome;       // XDG_CONFIG_HOME, where user-dirs.dirs lives
    std::string installedProgram; // the installed data/Program folder
    std::string mountInfo = "/proc/self/mountinfo";
    std::vector<std::string> applicationDirs; // where .desktop entries declare program icons
    std::string searchPath;                   // PATH, where the terminal emulator is looked for
    std::string desktop;                      // XDG_CURRENT_DESKTOP

    static HostSetup fromEnvironment(const std::string &installedProgram);
    std::string driveC() const { return dataHome + "/zunKolvra/drive_c"; }
};

class PosixPlatform : public Platform
{
public:
    explicit PosixPlatform(DriveTable drives);

    // The standard drive table over a prepared C: folder.
    static std::unique_ptr<PosixPlatform> forHost(const HostSetup &host);
    // Lays out the C: folder: "zunKolvra\\Program" as a link to the installed data, and
    // "Users\\<user>" with links to the XDG user folders that exist (folders of its own for
    // those that do not, so every known folder is there) and "Users\\Public". Entries the user
    // made are left alone; links of ours are pointed at their current targets.
    static void prepareDriveC(const HostSetup &host, const std::string &userName);
    // The host's user name; none when the host does not give one.
    static std::optional<std::string> hostUserName();

    const DriveTable &driveTable() const { return m_drives; }
    DriveTable &driveTable() { return m_drives; }
    void setApplicationDirs(std::vector<std::string> dirs) { m_applicationDirs = std::move(dirs); }
    void setTrashPlaces(TrashPlaces places) { m_trash = std::move(places); }
    const TrashPlaces &trashPlaces() const { return m_trash; }
    // The mount table fileSystemName reads (/proc/self/mountinfo format).
    void setMountInfo(std::string path) { m_mountInfo = std::move(path); }
    // The desktop's recently-used.xbel; none (the default) makes addToRecentDocs do nothing.
    void setRecentDocsFile(std::string path) { m_recentDocs = std::move(path); }
    const std::string &recentDocsFile() const { return m_recentDocs; }
    // Where runInConsole looks for a terminal emulator (a PATH value) and the desktop that
    // prefers one (an XDG_CURRENT_DESKTOP value); none found gives 31.
    void setConsoleSearch(std::string searchPath, std::string desktop)
    {
        m_searchPath = std::move(searchPath);
        m_desktop = std::move(desktop);
    }
    // The XDG autostart folder (host path) startupFolder gives; none: there is no Startup folder.
    void setAutostartFolder(std::string folder) { m_autostart = std::move(folder); }

    bool programOnSearchPath(const std::u16string &name) const override;
    bool fileExists(const Path &path) const override;
    bool directoryExists(const Path &path) const override;
    bool forceDirectories(const Path &path) override;
    bool moveFile(const Path &from, const Path &to) override;
    bool replaceFile(const Path &from, const Path &to) override;
    bool copyFileEx(const Path &from, const Path &to, const CopyProgressRoutine &progress,
                    const std::atomic<bool> *cancel, bool failIfExists) override;
    bool diskFreeSpace(const Path &folder, DiskSpace &space) const override;
    bool moveToRecycleBin(const Path &path) override;
    int emptyRecycleBin(const std::u16string &root) override;
    bool deleteFile(const Path &path) override;
    bool copyLink(const Path &from, const Path &to) override;
    using Platform::deleteFolder;
    bool deleteFolder(const Path &path, const DeleteProgressRoutine &perEntry, Path *failedEntry) override;
    bool elementId(const Path &path, ElementId &id) const override;
    std::vector<ElementId> folderAncestry(const Path &folder) const override;
    bool userName(std::u16string &name) const override;
    int shellExecute(const std::u16string &verb, const Path &file, const std::u16string &parameters,
                     const Path &directory, int showCommand) override;
    bool isProgramFile(const Path &file) const override;
    bool isConsoleScript(const Path &file) const override;
    int runInConsole(const Path &file, const Path &directory) override;
    int openConsole(ConsoleKind kind, const Path &folder) override;
    bool consoleAvailable(ConsoleKind kind) const override;
    bool startupFolder(Path &folder) override;
    std::u16string startupEntryName(const std::u16string &shortcutName) const override;
    bool addStartupEntry(const Path &shortcut, const Path &entry) override;
    IconSource extractIcon(const Path &file) const override;
    std::u16string scriptFileName(const std::u16string &windowsName) const override;
    bool findFiles(const Path &folder, std::vector<FindData> &entries,
                   FindDetail detail = FindDetail::All) const override;
    bool fileAttributes(const Path &path, FindData &data) const override;
    bool fileTimes(const Path &path, FileTimes &times) const override;
    bool setLastWriteTime(const Path &path, std::int64_t lastWrite) override;
    // Read-only is both a file's write bits (all taken, the owner's given back) and the bit of
    // user.DOSATTRIB; where a file system keeps no user attributes only the write bits hold it.
    bool setFileAttributes(const Path &path, std::uint32_t attributes) override;
    std::vector<std::u16string> logicalDrives() const override;
    DriveType driveType(const std::u16string &root) const override;
    bool volumeLabel(const std::u16string &root, std::u16string &label) const override;
    bool fileSystemName(const std::u16string &root, std::u16string &name) const override;
    bool addToRecentDocs(const Path &path) override;
    bool specialFolder(int csidl, Path &path) const override;
    std::u16string hostPath(const Path &path) const override;
    Path programPath(const std::u16string &hostPath) const override;

    // The attributes Windows would report: directory from the file type, hidden for a name
    // starting with "." or the hidden bit of user.DOSATTRIB (as Samba and Wine keep it).
    // `askAttribute` false skips reading the attribute (a file system that keeps none).
    static std::uint32_t attributesOf(const std::string &hostPath, const std::string &name, bool directory,
                                      bool askAttribute = true);

protected:
    // Starts the program of a launch detached from this process, in `directory` when given:
    // 0, or the errno of the failed start. Tests replace it, so nothing is started for real.
    virtual int startDetached(const Launch &launch, const std::string &directory);

private:
    // The icon a .desktop entry gives the program of that file name, read once.
    std::u16string declaredIcon(const std::string &programName) const;
    // The host form of an argument: program paths become host paths.
    std::string hostArgument(const std::u16string &argument) const;

    DriveTable m_drives;
    std::vector<std::string> m_applicationDirs;
    TrashPlaces m_trash;
    std::string m_mountInfo = "/proc/self/mountinfo";
    std::string m_recentDocs;
    std::string m_searchPath;
    std::string m_desktop;
    std::string m_autostart;
    mutable std::map<std::string, std::u16string> m_declaredIcons;
    mutable bool m_declaredIconsRead = false;
};

} // namespace platform::posix
