#pragma once
// The one interface to the operating system: one method per Windows service the program uses.
// Everything above this layer thinks in Windows paths ("C:\\Data\\Foto"); a back end maps them
// to the host. Strings cross as UTF-16, like QString and the Windows API.

#include <cstdint>
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

// One entry of a folder listing (WIN32_FIND_DATAW).
struct FindData
{
    std::u16string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::int64_t lastWriteTime = 0; // seconds since 1970
};

// How much of each entry a folder listing fills in.
enum class FindDetail { All, NoSizes };

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
    // MoveFileW: renames or moves a file or folder; never replaces an existing target (false
    // then). A file moves across drives too; a folder only within its drive.
    virtual bool moveFile(const Path &from, const Path &to) = 0;
    // SHFileOperationW FO_DELETE with FOF_ALLOWUNDO for one file or folder: into the recycle
    // bin of its drive; false when it could not be put there (it is then left where it was).
    virtual bool moveToRecycleBin(const Path &path) = 0;
    // SHEmptyRecycleBinW for the drive of `root` ("C:\"; empty for every drive of the program):
    // what was deleted from that drive and nothing else. 0 (S_OK) on success.
    virtual int emptyRecycleBin(const std::u16string &root) = 0;
    // DeleteFileW: removes a file (never a folder); true when it is gone.
    virtual bool deleteFile(const Path &path) = 0;
    // Copies every file and subfolder of `source` into `destination` (created when missing).
    // A file that fails to copy is skipped; false only when the destination cannot be made or
    // `source` is not a folder.
    virtual bool copyFolder(const Path &source, const Path &destination) = 0;
    // GetUserNameW: false on failure, `name` untouched then.
    virtual bool userName(std::u16string &name) const = 0;

    // ShellExecuteW: `file` opened with `verb` ("open", "edit"), `parameters` as its argument
    // text and `directory` (may be empty) as working folder. Above 32 on success, else the
    // Windows error code (2 file not found, 3 path not found, 5 access denied, 31 no
    // association, ...).
    virtual int shellExecute(const std::u16string &verb, const Path &file, const std::u16string &parameters,
                             const Path &directory, int showCommand) = 0;
    // ExtractIconW with icon index 0: the first icon of a program file; empty when it has none.
    virtual IconSource extractIcon(const Path &file) const = 0;

    // FindFirstFileW/FindNextFileW over `folder` + "\*": every entry, "." and ".." included, with
    // its attributes, in the file system's order (nothing is sorted). False when the folder
    // cannot be listed; an error midway ends the listing and keeps what was read.
    // FindDetail::NoSizes leaves size and last-write time at 0, for listings that show names
    // only: on Linux they cost a status call per entry.
    virtual bool findFiles(const Path &folder, std::vector<FindData> &entries,
                           FindDetail detail = FindDetail::All) const = 0;
    // GetFileAttributesExW: attributes, size and last write time of one file or folder, from
    // its metadata alone (nothing is opened, so a FIFO or a device never blocks); `data.name`
    // is the last component. False when nothing is there.
    virtual bool fileAttributes(const Path &path, FindData &data) const = 0;
    // GetLogicalDriveStringsW: the roots "C:\", "D:\", ... in the platform's order.
    virtual std::vector<std::u16string> logicalDrives() const = 0;
    // GetDriveTypeW of a root such as "C:\".
    virtual DriveType driveType(const std::u16string &root) const = 0;
    // GetVolumeInformationW's volume label of a root such as "C:\"; false on failure.
    virtual bool volumeLabel(const std::u16string &root, std::u16string &label) const = 0;
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

} // namespace platform
