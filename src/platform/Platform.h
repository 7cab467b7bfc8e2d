#pragma once
// The one interface to the operating system: one method per Windows service the program uses.
// Everything above this layer thinks in Windows paths ("C:\\Data\\Foto"); a back end maps them
// to the host. Strings cross as UTF-16, like QString and the Windows API.

#include <memory>
#include <string>

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
