#pragma once
// The Windows back end: every service is the Windows API call of the same name, program paths
// are host paths. <windows.h> stays inside the .cpp: its macros clash with our names.

#include "platform/Platform.h"

namespace platform::win32 {

class Win32Platform : public Platform
{
public:
    bool fileExists(const Path &path) const override;
    bool directoryExists(const Path &path) const override;
    bool forceDirectories(const Path &path) override;
    bool moveFile(const Path &from, const Path &to) override;
    bool replaceFile(const Path &from, const Path &to) override;
    bool copyFileEx(const Path &from, const Path &to, const CopyProgressRoutine &progress,
                    const std::atomic<bool> *cancel, bool failIfExists) override;
    bool copyLink(const Path &from, const Path &to) override;
    bool diskFreeSpace(const Path &folder, DiskSpace &space) const override;
    bool moveToRecycleBin(const Path &path) override;
    int emptyRecycleBin(const std::u16string &root) override;
    bool deleteFile(const Path &path) override;
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
    std::u16string scriptFileName(const std::u16string &windowsName) const override;
    bool programOnSearchPath(const std::u16string &name) const override;
    // The program file itself as the image: Windows keeps icons inside the .exe, and the UI's
    // file icon provider reads its first one. Empty when ExtractIconW finds none.
    IconSource extractIcon(const Path &file) const override;

    bool findFiles(const Path &folder, std::vector<FindData> &entries,
                   FindDetail detail = FindDetail::All) const override;
    bool fileAttributes(const Path &path, FindData &data) const override;
    bool fileTimes(const Path &path, FileTimes &times) const override;
    bool setLastWriteTime(const Path &path, std::int64_t lastWrite) override;
    bool setFileAttributes(const Path &path, std::uint32_t attributes) override;
    std::vector<std::u16string> logicalDrives() const override;
    DriveType driveType(const std::u16string &root) const override;
    bool volumeLabel(const std::u16string &root, std::u16string &label) const override;
    bool fileSystemName(const std::u16string &root, std::u16string &name) const override;
    bool addToRecentDocs(const Path &path) override;
    bool specialFolder(int csidl, Path &path) const override;

    std::u16string hostPath(const Path &path) const override;
    Path programPath(const std::u16string &hostPath) const override;
};

} // namespace platform::win32
