#pragma once
// The one interface to the operating system: one method per Windows service the program uses.
// Everything above this layer thinks in Windows paths ("C:\\Data\\Foto"); a back end maps them
// to the host. Strings cross as UTF-16, like QString and the Windows API.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

using Path = std::u16string;

// GetDriveTypeW values.
enum class DriveType : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// Where a program's icon comes from: a theme icon name or an image file (a host path).
struct IconSource
{
    std::u16string themeName;
    std::u16string imageFile;
    bool empty() const { return themeName.empty() && imageFile.empty(); }
};

// File attributes, as Windows reports them.
constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x1;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400; // a link
// The bits setFileAttributes sets; the others are ignored.
constexpr std::uint32_t kSettableAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// One entry of a folder listing (WIN32_FIND_DATAW).
struct FindData
{
    std::u16string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::int64_t lastWriteTime = 0; // seconds since 1970
    // What a file takes on its volume, at most `size`: a sparse file's holes take nothing, so
    // this is what a copy writes. Filled where `size` is; 0 for a folder.
    std::uint64_t allocatedSize = 0;
};

// GetFileTime's three times of a file or folder, in seconds since 1970.
struct FileTimes
{
    std::int64_t creation = 0;
    std::int64_t lastAccess = 0;
    std::int64_t lastWrite = 0;
};

// How much of each entry a folder listing fills in: everything; no sizes; everything but the
// DOS attributes kept beside the file (read-only, hidden, system), for walks that only count or
// copy; or names and kinds alone (a name starting with "." still counts as hidden), for walks
// that only look at names.
enum class FindDetail { All, NoSizes, NoAttributes, Kinds };

// Windows error codes (GetLastError) the services leave in lastError(). Named in our own
// style: <windows.h> defines the ERROR_ names as macros.
enum class Win32Error : std::uint32_t {
    Success = 0,
    FileNotFound = 2,
    PathNotFound = 3,
    AccessDenied = 5,
    NotEnoughMemory = 8,
    NotSameDevice = 17,
    WriteProtect = 19,
    GenFailure = 31,
    SharingViolation = 32,
    NotSupported = 50,
    FileExists = 80,
    DiskFull = 112,
    AlreadyExists = 183,
    FilenameTooLong = 206,
    IoDevice = 1117,
    RequestAborted = 1235,
};

// What a copy's progress routine answers (PROGRESS_CONTINUE, _CANCEL, _STOP, _QUIET).
// Cancel and Stop both end the copy and remove what was written (nothing is restartable).
enum class CopyProgress : int { Continue = 0, Cancel = 1, Stop = 2, Quiet = 3 };

// CopyFileExW's progress routine at CALLBACK_CHUNKFINISHED: the file's size and the bytes
// copied so far.
using CopyProgressRoutine = std::function<CopyProgress(std::uint64_t totalSize, std::uint64_t transferred)>;

// What a folder deletion tells after each entry below the folder that it removed: a folder, or a
// file with its size as a listing reports it (a link to a folder counts as a folder, a link to a
// file with its target's size, a link leading nowhere with its own).
using DeleteProgressRoutine = std::function<void(bool folder, std::uint64_t size)>;

// GetDiskFreeSpaceExW's three figures, in bytes.
struct DiskSpace
{
    std::uint64_t freeToCaller = 0; // what this user may still write (quotas, reserved blocks)
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
};

// The file system's identity of an element: device and inode on Linux, volume serial number and
// file index on Windows. Two paths name the same element exactly when their identities are equal,
// whatever links or drive letters lie on the way.
struct ElementId
{
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const ElementId &) const = default;
};

// SHGetSpecialFolderPathW folder numbers (CSIDL) the program asks for.
enum Csidl : int {
    CSIDL_PROGRAMS = 2,
    CSIDL_PERSONAL = 5,
    CSIDL_FAVORITES = 6,
    CSIDL_MYMUSIC = 13,
    CSIDL_MYVIDEO = 14,
    CSIDL_DESKTOPDIRECTORY = 16,
    CSIDL_LOCAL_APPDATA = 28,
    CSIDL_MYPICTURES = 39,
    CSIDL_COMMON_DOCUMENTS = 46,
    CSIDL_COMMON_MUSIC = 53,
    CSIDL_COMMON_PICTURES = 54,
    CSIDL_COMMON_VIDEO = 55,
};

// The consoles the program opens in a folder.
enum class ConsoleKind { CommandPrompt, PowerShell };

// ShellExecuteW show commands used by the program.
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;

class Platform
{
public:
    virtual ~Platform() = default;

    // FileExists: the path names something that is not a folder.
    virtual bool fileExists(const Path &path) const = 0;
    // DirectoryExists.
    virtual bool directoryExists(const Path &path) const = 0;
    // ForceDirectories: the folder and every missing parent; true when the folder exists afterwards.
    virtual bool forceDirectories(const Path &path) = 0;
    // MoveFileW (no flags): renames or moves a file or folder; never replaces an existing
    // target (false, AlreadyExists). A file moves across drives too, copied with its time and
    // attributes and then removed (a link moves as a link); a folder only within its volume,
    // otherwise false with NotSameDevice. Sets lastError().
    virtual bool moveFile(const Path &from, const Path &to) = 0;
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: renames the file `from`
    // over the file `to` in one step, within one folder's volume, so a reader sees the old file or
    // the new one and never neither; on disk when it returns. A folder on either side gives
    // AccessDenied. Sets lastError().
    virtual bool replaceFile(const Path &from, const Path &to) = 0;
    // CopyFileExW: copies one file's contents, last-write time, DOS attributes and permission
    // bits. A link is followed: its target's contents are copied (callers that want links kept
    // as links make them themselves). Only regular files: a folder gives AccessDenied, a FIFO
    // or device NotSupported, at once (the kind is read from the metadata, so nothing blocks).
    // `progress` (may be empty) is called after every chunk of a few MB, and once with (0, 0)
    // for an empty file, so its last call always has transferred == totalSize; its Cancel or
    // Stop ends the copy. `cancel` (may be null) is read before every chunk. Every copy goes to a hidden
    // temporary name beside the target (".zunkopi-" and more) and is renamed into place only once it is
    // complete, so a failed, cancelled or killed copy leaves an old target intact and never a partial file
    // under the target's name. The first copy of a process into a folder removes the temporary files there
    // that no running copy holds (left by a copy that was killed). With `failIfExists` an existing target
    // gives FileExists, and so does one that appears during the copy. Windows' refusals are kept: a target
    // that is a folder, or whose DOS attributes say read-only or hidden, gives AccessDenied; the source
    // itself as target SharingViolation. A cancel gives RequestAborted, a full disk (or quota or file-size
    // limit) DiskFull. True on success; lastError() tells why not.
    virtual bool copyFileEx(const Path &from, const Path &to, const CopyProgressRoutine &progress,
                            const std::atomic<bool> *cancel, bool failIfExists) = 0;
    // CopyFileExW with COPY_FILE_COPY_SYMLINK: a copy of the link `from` itself, pointing where
    // it points (a relative target stays relative); what it leads to is never read. Never
    // replaces an existing `to` (false, AlreadyExists). Sets lastError().
    virtual bool copyLink(const Path &from, const Path &to) = 0;
    // GetDiskFreeSpaceExW for the volume holding `folder` (a root such as "C:\\" or any folder
    // on it). False when no such folder is reachable.
    virtual bool diskFreeSpace(const Path &folder, DiskSpace &space) const = 0;
    // SHFileOperationW FO_DELETE with FOF_ALLOWUNDO for one file or folder: into the recycle
    // bin of its drive; false when it could not be put there (it is then left where it was).
    virtual bool moveToRecycleBin(const Path &path) = 0;
    // SHEmptyRecycleBinW for the drive of `root` ("C:\"; empty for every drive of the program):
    // what was deleted from that drive and nothing else. 0 (S_OK) on success.
    virtual int emptyRecycleBin(const std::u16string &root) = 0;
    // DeleteFileW: removes a file (never a folder); true when it is gone. Sets lastError().
    virtual bool deleteFile(const Path &path) = 0;
    // SHFileOperationW FO_DELETE without FOF_ALLOWUNDO for one folder: the folder and everything
    // below it, permanently. Links met on the way are removed as links, never followed; a link
    // given as `path` is removed itself. Stops at the first entry that cannot be removed (what
    // was removed stays removed). True when the folder is gone; sets lastError().
    bool deleteFolder(const Path &path) { return deleteFolder(path, {}, nullptr); }
    // The same, telling `perEntry` (may be empty) of every entry removed below `path`. When it
    // stops, `failedEntry` (may be null) gets the entry that could not be removed, `path` itself
    // when that was the folder; it is emptied when the folder is gone.
    virtual bool deleteFolder(const Path &path, const DeleteProgressRoutine &perEntry, Path *failedEntry) = 0;
    // Copies every file and subfolder of `source` into `destination` (created when missing), by
    // the services above, so every back end copies alike: a link below `source` (to a file or a
    // folder) is copied as a link and never followed; files keep their times and attributes
    // (copyFileEx), folders their last-write time and DOS attributes. An element that fails to
    // copy is skipped; false only when the destination cannot be made or `source` is not a folder.
    bool copyFolder(const Path &source, const Path &destination);
    // GetFileInformationByHandle's volume serial number and file index of the element `path`
    // names, a link followed (a link to a folder stands for that folder). False when nothing is
    // there.
    virtual bool elementId(const Path &path, ElementId &id) const = 0;
    // The identities of the folder `folder` and of every folder that really holds it, nearest
    // first, up to the root of the host: the parents after links are followed, so a folder
    // reached through a link or another drive letter lists the folders it lies in on disk.
    // Empty when `folder` is no folder.
    virtual std::vector<ElementId> folderAncestry(const Path &folder) const = 0;
    // GetUserNameW: false on failure, `name` untouched then.
    virtual bool userName(std::u16string &name) const = 0;

    // ShellExecuteW: `file` opened with `verb` ("open", "edit"), `parameters` as its argument
    // text and `directory` (may be empty) as working folder. Above 32 on success, else the
    // Windows error code (2 file not found, 3 path not found, 5 access denied, 31 no
    // association, ...). Opening a shortcut (".lnk") opens its target with the shortcut's
    // working folder; a damaged shortcut gives 11 (bad format).
    virtual int shellExecute(const std::u16string &verb, const Path &file, const std::u16string &parameters,
                             const Path &directory, int showCommand) = 0;
    // Whether a file counts as a program wherever a program file is asked for (the programs tool).
    // Windows: the extension ".exe", letter case counting. Linux also: an executable program
    // (ELF or "#!") and a desktop entry (".desktop").
    virtual bool isProgramFile(const Path &file) const = 0;
    // Whether running `file` means running it in a console window that stays open. Windows: a
    // ".bat" file, any letter case. Linux: a shell script (".sh", any case) or a program.
    virtual bool isConsoleScript(const Path &file) const = 0;
    // Runs `file` in such a console with `directory` as working folder: Windows "cmd /K" with
    // the file's name; Linux the desktop's terminal emulator. A ShellExecuteW code as above
    // (31 when the host has no console to run it in).
    virtual int runInConsole(const Path &file, const Path &directory) = 0;
    // Opens an interactive console with `folder` as its current folder. Windows: ShellExecuteW of
    // "CMD" with "/K cd /D" and the quoted folder, or of "PowerShell" with "-NoExit
    // -ExecutionPolicy Unrestricted cd C:Users". Linux: the desktop's terminal emulator started
    // in the folder, running the user's shell, or "pwsh" for PowerShell. A ShellExecuteW code
    // (31 when the host has no such console).
    virtual int openConsole(ConsoleKind kind, const Path &folder) = 0;
    // Whether openConsole can start that console here. Windows: always. Linux: a terminal
    // emulator is found, and for PowerShell also "pwsh" on the search path.
    virtual bool consoleAvailable(ConsoleKind kind) const = 0;
    // The folder whose entries start with the user's session: Windows the user's Startup folder;
    // Linux the XDG autostart folder ($XDG_CONFIG_HOME/autostart), made when missing, as the
    // desktops expect. False when there is none.
    virtual bool startupFolder(Path &folder) = 0;
    // The name of the start-up entry made from the shortcut named `shortcutName`: Windows the
    // shortcut's own name; Linux the name with ".desktop" in place of ".lnk".
    virtual std::u16string startupEntryName(const std::u16string &shortcutName) const = 0;
    // Makes the start-up entry `entry` from the shortcut `shortcut`, never over an existing
    // file: Windows copies the shortcut; Linux writes a desktop entry that starts the shortcut's
    // target. False when it could not; sets lastError().
    virtual bool addStartupEntry(const Path &shortcut, const Path &entry) = 0;
    // The host's file name of an installed script the program knows by its Windows name
    // ("createShortcut.vbs"): the same name on Windows; on Linux the name without its extension,
    // a script of ours that does the same work (a VBScript file would only be opened as text).
    virtual std::u16string scriptFileName(const std::u16string &windowsName) const = 0;
    // Whether a program of that bare name is found on the program search path (Windows:
    // SearchPathW with ".exe"; Linux: an executable file in a folder of PATH).
    virtual bool programOnSearchPath(const std::u16string &name) const = 0;
    // ExtractIconW with icon index 0: the first icon of a program file; empty when it has none.
    virtual IconSource extractIcon(const Path &file) const = 0;

    // FindFirstFileW/FindNextFileW over `folder` + "\*": every entry, "." and ".." included, with
    // its attributes, in the file system's order (nothing is sorted). False when the folder
    // cannot be listed; an error midway ends the listing and keeps what was read.
    // FindDetail::NoSizes leaves the sizes and last-write time at 0, for listings that show names
    // only: on Linux they cost a status call per entry.
    virtual bool findFiles(const Path &folder, std::vector<FindData> &entries,
                           FindDetail detail = FindDetail::All) const = 0;
    // GetFileAttributesExW: attributes, size and last write time of one file or folder, from
    // its metadata alone (nothing is opened, so a FIFO or a device never blocks); `data.name`
    // is the last component. False when nothing is there.
    virtual bool fileAttributes(const Path &path, FindData &data) const = 0;
    // GetFileTime: creation, last access and last write of a file or folder (a link stands for
    // its target, as in a listing). A file system that keeps no creation time gives the nearest
    // it has (on Linux the last status change). False when nothing is there; sets lastError().
    virtual bool fileTimes(const Path &path, FileTimes &times) const = 0;
    // SetFileTime with the last-write time alone (seconds since 1970), of a file or a folder (a
    // link stands for its target). Writing into a folder changes its time, so a copied folder
    // gets its time once its contents are in. False when nothing is there or the time cannot
    // be set; sets lastError().
    virtual bool setLastWriteTime(const Path &path, std::int64_t lastWrite) = 0;
    // SetFileAttributesW: READONLY, HIDDEN, SYSTEM and ARCHIVE of `attributes` become the file's
    // (other bits are ignored), so that fileAttributes and findFiles report them afterwards. A
    // file system that cannot keep HIDDEN or SYSTEM gives NotSupported and nothing changes; a
    // file the user may not change gives AccessDenied. Sets lastError().
    virtual bool setFileAttributes(const Path &path, std::uint32_t attributes) = 0;
    // GetLogicalDriveStringsW: the roots "C:\", "D:\", ... in the platform's order.
    virtual std::vector<std::u16string> logicalDrives() const = 0;
    // GetDriveTypeW of a root such as "C:\".
    virtual DriveType driveType(const std::u16string &root) const = 0;
    // GetVolumeInformationW's volume label of a root such as "C:\"; false on failure.
    virtual bool volumeLabel(const std::u16string &root, std::u16string &label) const = 0;
    // GetVolumeInformationW's file system name of a root such as "C:\" ("NTFS", "ext4"); false
    // when it is not known.
    virtual bool fileSystemName(const std::u16string &root, std::u16string &name) const = 0;
    // SHAddToRecentDocs(SHARD_PATHW): the file or folder `path` goes into the desktop's list of
    // recent documents (again, when it is there already); an empty path clears the list. True
    // when the list was written.
    virtual bool addToRecentDocs(const Path &path) = 0;
    // SHGetSpecialFolderPathW without creating the folder; false when there is none.
    virtual bool specialFolder(int csidl, Path &path) const = 0;

    // The host file-system path a program path stands for (the identity on Windows);
    // empty when no drive holds it. For code that opens files itself (line files, images).
    virtual std::u16string hostPath(const Path &path) const = 0;
    // The program path of a host path; empty when it lies on no drive.
    virtual Path programPath(const std::u16string &hostPath) const = 0;
};

// The back end in force. The program installs its host's back end at start; tests install one
// with a drive table of their own.
Platform &current();
void install(std::unique_ptr<Platform> backEnd);

// GetLastError/SetLastError: the error the last failing service call of this thread left.
// Only the services whose comment says so set it.
Win32Error lastError();
void setLastError(Win32Error error);

// Where a back end without Windows' own known folders lays them out: below C:\Users\<user>
// (C:\Users\Public for the shared ones). Empty for a folder it does not lay out.
Path usersKnownFolder(int csidl, const std::u16string &user);

} // namespace platform
