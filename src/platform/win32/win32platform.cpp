// Platform.h comes before <windows.h>: afterwards FILE_ATTRIBUTE_*, SW_* and CSIDL_* are
// macros, so below this point the Windows macros (same values) are used, never our constants.
#include "platform/win32/win32platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <mutex>
#include <set>
#include <string>
#include <tuple>

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 passes through unchanged");

namespace {

const wchar_t *w(const std::u16string &text)
{
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

const wchar_t *wOrNull(const std::u16string &text)
{
    return text.empty() ? nullptr : w(text);
}

std::u16string fromW(const wchar_t *text)
{
    return reinterpret_cast<const char16_t *>(text);
}

// The file APIs take paths of MAX_PATH and more only with the "\\?\" prefix, which also turns
// off their name parsing, so the path is made full and clean first. The shell calls never get it.
std::u16string longPath(const Path &path)
{
    if (path.size() < MAX_PATH || path.starts_with(u"\\\\?\\"))
        return path;
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetFullPathNameW(w(path), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    const std::u16string full = length > 0 && length < buffer.size() ? fromW(buffer.c_str()) : path;
    if (full.starts_with(u"\\\\"))
        return u"\\\\?\\UNC\\" + full.substr(2);
    return u"\\\\?\\" + full;
}

Win32Error errorFrom(DWORD code)
{
    // The "disk full" of a handle means the same to our callers.
    if (code == ERROR_HANDLE_DISK_FULL)
        return Win32Error::DiskFull;
    return static_cast<Win32Error>(code);
}

bool failWithLastError()
{
    setLastError(errorFrom(GetLastError()));
    return false;
}

bool fail(Win32Error error)
{
    setLastError(error);
    return false;
}

bool succeed()
{
    setLastError(Win32Error::Success);
    return true;
}

std::int64_t unixSeconds(const FILETIME &time)
{
    // 100 ns ticks since 1601.
    const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (static_cast<std::int64_t>(ticks) - 116444736000000000LL) / 10000000LL;
}

std::uint64_t sizeOf(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

DWORD attributesOf(const Path &path)
{
    return GetFileAttributesW(w(longPath(path)));
}

bool isFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string lastComponent(const Path &path)
{
    auto end = path.size();
    while (end > 0 && (path[end - 1] == u'\\' || path[end - 1] == u'/'))
        --end;
    const auto slash = path.find_last_of(u"\\/", end == 0 ? 0 : end - 1);
    const auto start = slash == std::u16string::npos ? 0 : slash + 1;
    return path.substr(start, end - start);
}

std::u16string parentOf(const Path &path)
{
    const auto slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool endsWith(const std::u16string &text, const std::u16string &suffix, bool ignoreCase)
{
    if (text.size() < suffix.size())
        return false;
    const auto tail = text.substr(text.size() - suffix.size());
    if (!ignoreCase)
        return tail == suffix;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        auto a = tail[i], b = suffix[i];
        if (a >= u'A' && a <= u'Z')
            a = static_cast<char16_t>(a - u'A' + u'a');
        if (b >= u'A' && b <= u'Z')
            b = static_cast<char16_t>(b - u'A' + u'a');
        if (a != b)
            return false;
    }
    return true;
}

// Volume and file index of an existing file: two names of one file compare equal.
bool fileIdentity(const Path &path, BY_HANDLE_FILE_INFORMATION &info)
{
    const HANDLE file = CreateFileW(w(longPath(path)), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return ok;
}

bool sameFile(const Path &a, const Path &b)
{
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    return fileIdentity(a, infoA) && fileIdentity(b, infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
           infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

// Removes a file even when it is read-only, as the shell's delete does.
bool removeFile(const Path &path)
{
    const auto name = longPath(path);
    if (DeleteFileW(w(name)))
        return true;
    const DWORD attributes = GetFileAttributesW(w(name));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(w(name), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
        if (DeleteFileW(w(name)))
            return true;
    }
    return false;
}

// The temporary files of copies: ".zunkopi-" and a name of this process's own, as on Linux.
constexpr char16_t kCopyTemporaryPrefix[] = u".zunkopi-";

std::u16string temporaryNameBeside(const Path &target)
{
    static std::atomic<unsigned> counter{0};
    const auto folder = parentOf(target);
    const auto unique = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    return (folder.empty() ? std::u16string() : folder + u"\\") + kCopyTemporaryPrefix +
           fromW(unique.c_str());
}

// Removes the temporary files in the folder of `target` that no running copy holds (a copy
// holds its file open without sharing delete, so DeleteFileW fails on it), the first time this
// process copies into that folder (known by volume, file index and creation time).
void sweepCopyTemporariesOnce(const Path &target)
{
    static std::mutex mutex;
    static std::set<std::tuple<DWORD, DWORD, DWORD, DWORD, DWORD>> swept;
    const auto folder = parentOf(target);
    BY_HANDLE_FILE_INFORMATION info{};
    if (folder.empty() || !fileIdentity(folder, info))
        return;
    {
        const std::lock_guard lock(mutex);
        if (!swept
                 .emplace(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
                          info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime)
                 .second)
            return;
    }
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(w(longPath(folder + u"\\" + kCopyTemporaryPrefix + u"*")), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::u16string name = fromW(found.cFileName);
        if (name.starts_with(kCopyTemporaryPrefix) && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW(w(longPath(folder + u"\\" + name)));
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

struct CopyState
{
    const CopyProgressRoutine *progress = nullptr;
    const std::atomic<bool> *cancel = nullptr;
    bool quiet = false;
    bool called = false;
    bool cancelled = false;
    std::uint64_t lastTransferred = 0;
};

DWORD CALLBACK copyProgress(LARGE_INTEGER totalSize, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER,
                            DWORD, DWORD reason, HANDLE, HANDLE, LPVOID data)
{
    auto &state = *static_cast<CopyState *>(data);
    if (state.cancel && state.cancel->load()) {
        state.cancelled = true;
        return PROGRESS_CANCEL;
    }
    if (reason != CALLBACK_CHUNK_FINISHED || state.quiet || !state.progress || !*state.progress)
        return PROGRESS_CONTINUE;
    const auto total = static_cast<std::uint64_t>(totalSize.QuadPart);
    const auto done = static_cast<std::uint64_t>(transferred.QuadPart);
    state.called = true;
    state.lastTransferred = done;
    switch ((*state.progress)(total, done)) {
    case CopyProgress::Continue:
        return PROGRESS_CONTINUE;
    case CopyProgress::Quiet:
        state.quiet = true;
        return PROGRESS_QUIET;
    case CopyProgress::Cancel:
    case CopyProgress::Stop:
        state.cancelled = true;
        return PROGRESS_CANCEL;
    }
    return PROGRESS_CONTINUE;
}

// One folder deletion: whom to tell of each entry removed, and where it stopped.
struct TreeRemoval
{
    const DeleteProgressRoutine &perEntry;
    Path failed;
};

bool deleteTree(const Path &path, TreeRemoval &removal)
{
    const DWORD attributes = attributesOf(path);
    bool removed = true;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        removed = false;
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link to a folder is removed as a link: RemoveDirectoryW never follows it.
        removed = attributes & FILE_ATTRIBUTE_DIRECTORY ? RemoveDirectoryW(w(longPath(path))) != 0
                                                        : removeFile(path);
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        removed = removeFile(path);
    } else {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW(w(longPath(path + u"\\*")), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::u16string name = fromW(found.cFileName);
                if (name == u"." || name == u"..")
                    continue;
                if (!deleteTree(path + u"\\" + name, removal)) {
                    FindClose(find);
                    return false;
                }
                // Told as the listing counts it: a link to a folder as a folder.
                if (removal.perEntry) {
                    const bool folder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
                    removal.perEntry(
                        folder, folder ? 0 : (std::uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
                }
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        if (!RemoveDirectoryW(w(longPath(path)))) {
            // A read-only folder refuses too.
            SetFileAttributesW(w(longPath(path)), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
            removed = RemoveDirectoryW(w(longPath(path))) != 0;
        }
    }
    if (removed)
        return true;
    const DWORD code = GetLastError();
    removal.failed = path;
    setLastError(errorFrom(code));
    return false;
}

} // namespace

bool Win32Platform::fileExists(const Path &path) const
{
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::directoryExists(const Path &path) const
{
    return isFolder(attributesOf(path));
}

bool Win32Platform::forceDirectories(const Path &path)
{
    if (path.empty())
        return false;
    if (directoryExists(path))
        return true;
    const auto parent = parentOf(path);
    // "C:" is a drive, not a folder to make.
    if (!parent.empty() && parent.size() > 2 && !directoryExists(parent) && !forceDirectories(parent))
        return false;
    CreateDirectoryW(w(longPath(path)), nullptr);
    return directoryExists(path);
}

bool Win32Platform::moveFile(const Path &from, const Path &to)
{
    if (MoveFileW(w(longPath(from)), w(longPath(to))))
        return succeed();
    const DWORD code = GetLastError();
    return fail(code == ERROR_FILE_EXISTS ? Win32Error::AlreadyExists : errorFrom(code));
}

bool Win32Platform::replaceFile(const Path &from, const Path &to)
{
    if (isFolder(attributesOf(from)) || isFolder(attributesOf(to)))
        return fail(Win32Error::AccessDenied);
    if (MoveFileExW(w(longPath(from)), w(longPath(to)), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return succeed();
    return failWithLastError();
}

bool Win32Platform::copyFileEx(const Path &from, const Path &to, const CopyProgressRoutine &progress,
                               const std::atomic<bool> *cancel, bool failIfExists)
{
    const DWORD source = attributesOf(from);
    if (source == INVALID_FILE_ATTRIBUTES)
        return failWithLastError();
    if (source & FILE_ATTRIBUTE_DIRECTORY)
        return fail(Win32Error::AccessDenied);
    const DWORD target = attributesOf(to);
    const bool existed = target != INVALID_FILE_ATTRIBUTES;
    if (existed) {
        if (sameFile(from, to))
            return fail(Win32Error::SharingViolation);
        if (failIfExists)
            return fail(Win32Error::FileExists);
        if (target & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
            return fail(Win32Error::AccessDenied);
    }
    if (cancel && cancel->load())
        return fail(Win32Error::RequestAborted);

    // Into a temporary name beside the target, renamed over it only when complete.
    sweepCopyTemporariesOnce(to);
    const auto temporary = temporaryNameBeside(to);
    CopyState state;
    state.progress = &progress;
    state.cancel = cancel;
    // Our flag is read in the routine, at every chunk: pbCancel is a plain BOOL, not an atomic.
    const BOOL copied = CopyFileExW(w(longPath(from)), w(longPath(temporary)), copyProgress, &state, nullptr,
                                    COPY_FILE_FAIL_IF_EXISTS);
    const DWORD code = GetLastError();
    auto discard = [&](Win32Error error) {
        removeFile(temporary);
        return fail(error);
    };
    if (!copied || state.cancelled)
        return discard(state.cancelled ? Win32Error::RequestAborted : errorFrom(code));
    // The routine's last call has transferred == total: an empty file (or a copier that reports
    // no chunks) gets one call at the end.
    if (progress && !state.quiet) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const auto size = GetFileAttributesExW(w(longPath(temporary)), GetFileExInfoStandard, &data)
                              ? sizeOf(data.nFileSizeHigh, data.nFileSizeLow)
                              : 0;
        if (!state.called || state.lastTransferred != size) {
            const auto answer = progress(size, size);
            if (answer == CopyProgress::Cancel || answer == CopyProgress::Stop)
                return discard(Win32Error::RequestAborted);
        }
    }
    if (cancel && cancel->load())
        return discard(Win32Error::RequestAborted);
    // A target that was not there at the start is never replaced unseen: one that came meanwhile
    // stays with fail-if-exists, and is otherwise replaced only as an old target would be.
    if (!existed) {
        if (MoveFileExW(w(longPath(temporary)), w(longPath(to)), 0))
            return succeed();
        const DWORD moveCode = GetLastError();
        if (moveCode != ERROR_ALREADY_EXISTS && moveCode != ERROR_FILE_EXISTS)
            return discard(errorFrom(moveCode));
        if (failIfExists)
            return discard(Win32Error::FileExists);
        const DWORD late = attributesOf(to);
        if (late != INVALID_FILE_ATTRIBUTES &&
            (late & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)))
            return discard(Win32Error::AccessDenied);
    }
    if (!MoveFileExW(w(longPath(temporary)), w(longPath(to)), MOVEFILE_REPLACE_EXISTING))
        return discard(errorFrom(GetLastError()));
    return succeed();
}

bool Win32Platform::copyLink(const Path &from, const Path &to)
{
    if (attributesOf(to) != INVALID_FILE_ATTRIBUTES)
        return fail(Win32Error::AlreadyExists);
    if (CopyFileExW(w(longPath(from)), w(longPath(to)), nullptr, nullptr, nullptr,
                    COPY_FILE_COPY_SYMLINK | COPY_FILE_FAIL_IF_EXISTS))
        return succeed();
    const DWORD code = GetLastError();
    return fail(code == ERROR_FILE_EXISTS ? Win32Error::AlreadyExists : errorFrom(code));
}

bool Win32Platform::diskFreeSpace(const Path &folder, DiskSpace &space) const
{
    Path name = folder;
    if (!name.empty() && name.back() != u'\\')
        name += u'\\';
    ULARGE_INTEGER caller{}, total{}, free{};
    if (!GetDiskFreeSpaceExW(w(name), &caller, &total, &free))
        return false;
    space.freeToCaller = caller.QuadPart;
    space.total = total.QuadPart;
    space.totalFree = free.QuadPart;
    return true;
}

bool Win32Platform::moveToRecycleBin(const Path &path)
{
    if (attributesOf(path) == INVALID_FILE_ATTRIBUTES)
        return false;
    // A list of names, each ended by a null, the list by another.
    std::u16string names = path;
    names.push_back(u'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = w(names);
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = SHFileOperationW(&operation);
    return result == 0 && !operation.fAnyOperationsAborted && attributesOf(path) == INVALID_FILE_ATTRIBUTES;
}

int Win32Platform::emptyRecycleBin(const std::u16string &root)
{
    return static_cast<int>(SHEmptyRecycleBinW(nullptr, wOrNull(root),
                                               SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
}

bool Win32Platform::deleteFile(const Path &path)
{
    if (DeleteFileW(w(longPath(path))))
        return succeed();
    return failWithLastError();
}

// Our own walk rather than SHFileOperationW: it must stop at the first entry that cannot go and
// never follow a link, which the shell's delete does not promise.
bool Win32Platform::deleteFolder(const Path &path, const DeleteProgressRoutine &perEntry, Path *failedEntry)
{
    if (failedEntry)
        *failedEntry = path;
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failWithLastError();
    // A file is no folder; a link to a folder is removed as a link by the walk.
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return fail(Win32Error::PathNotFound);
    TreeRemoval removal{perEntry, path};
    if (deleteTree(path, removal)) {
        if (failedEntry)
            failedEntry->clear();
        return succeed();
    }
    if (failedEntry)
        *failedEntry = removal.failed;
    return false;
}

bool Win32Platform::elementId(const Path &path, ElementId &id) const
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!fileIdentity(path, info))
        return false;
    id.volume = info.dwVolumeSerialNumber;
    id.index = (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

std::vector<ElementId> Win32Platform::folderAncestry(const Path &folder) const
{
    std::vector<ElementId> chain;
    const HANDLE handle = CreateFileW(w(longPath(folder)), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return chain;
    BY_HANDLE_FILE_INFORMATION info{};
    std::wstring buffer(32768, L'\0');
    const bool isFolder =
        GetFileInformationByHandle(handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    // The folder's own path after links and junctions: its parents are where it lies on disk.
    const DWORD length = isFolder ? GetFinalPathNameByHandleW(handle, buffer.data(), DWORD(buffer.size()),
                                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)
                                  : 0;
    CloseHandle(handle);
    if (!isFolder)
        return chain;
    Path real = length > 0 && length < buffer.size() ? fromW(buffer.c_str()) : folder;
    const std::size_t rootLength = real.starts_with(u"\\\\?\\") ? 7 : 3; // "\\?\C:\" or "C:\"
    for (;;) {
        ElementId id;
        if (!elementId(real, id))
            break;
        chain.push_back(id);
        if (real.size() <= rootLength)
            break;
        const auto separator = real.find_last_of(u'\\');
        real.resize(separator == Path::npos || separator < rootLength ? rootLength : separator);
    }
    return chain;
}

bool Win32Platform::userName(std::u16string &name) const
{
    wchar_t buffer[257];
    DWORD size = 257;
    if (!GetUserNameW(buffer, &size))
        return false;
    name = fromW(buffer);
    return true;
}

int Win32Platform::shellExecute(const std::u16string &verb, const Path &file,
                                const std::u16string &parameters, const Path &directory, int showCommand)
{
    const HINSTANCE result =
        ShellExecuteW(nullptr, wOrNull(verb), w(file), wOrNull(parameters), wOrNull(directory), showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool Win32Platform::isProgramFile(const Path &file) const
{
    return endsWith(file, u".exe", false);
}

bool Win32Platform::isConsoleScript(const Path &file) const
{
    return endsWith(file, u".bat", true);
}

int Win32Platform::runInConsole(const Path &file, const Path &directory)
{
    return shellExecute(u"open", u"cmd", u"/K \"" + lastComponent(file) + u"\"", directory, SW_SHOWNORMAL);
}

int Win32Platform::openConsole(ConsoleKind kind, const Path &folder)
{
    if (kind == ConsoleKind::PowerShell)
        return shellExecute(u"open", u"PowerShell", u"-NoExit -ExecutionPolicy Unrestricted cd C:Users",
                            folder, SW_SHOWNORMAL);
    return shellExecute(u"open", u"CMD", u"/K cd /D \"" + folder + u"\"", folder, SW_SHOWNORMAL);
}

bool Win32Platform::consoleAvailable(ConsoleKind) const
{
    return true;
}

bool Win32Platform::startupFolder(Path &folder)
{
    return specialFolder(CSIDL_STARTUP, folder);
}

std::u16string Win32Platform::startupEntryName(const std::u16string &shortcutName) const
{
    return shortcutName;
}

bool Win32Platform::addStartupEntry(const Path &shortcut, const Path &entry)
{
    if (CopyFileW(w(longPath(shortcut)), w(longPath(entry)), TRUE))
        return succeed();
    return failWithLastError();
}

std::u16string Win32Platform::scriptFileName(const std::u16string &windowsName) const
{
    return windowsName;
}

bool Win32Platform::programOnSearchPath(const std::u16string &name) const
{
    wchar_t found[MAX_PATH];
    const DWORD length = SearchPathW(nullptr, w(name), L".exe", MAX_PATH, found, nullptr);
    return length > 0 && length < MAX_PATH;
}

IconSource Win32Platform::extractIcon(const Path &file) const
{
    const HICON icon = ExtractIconW(GetModuleHandleW(nullptr), w(file), 0);
    // 1 means the file is no program, library or icon file; null that it holds no icon.
    if (reinterpret_cast<INT_PTR>(icon) <= 1)
        return {};
    DestroyIcon(icon);
    return {u"", file};
}

bool Win32Platform::findFiles(const Path &folder, std::vector<FindData> &entries, FindDetail detail) const
{
    WIN32_FIND_DATAW found;
    Path pattern = folder;
    if (!pattern.empty() && pattern.back() != u'\\')
        pattern += u'\\';
    pattern += u'*';
    const HANDLE find = FindFirstFileW(w(longPath(pattern)), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    // Windows lists everything in one call, so the lighter details only leave sizes out.
    const bool sizes = detail == FindDetail::All || detail == FindDetail::NoAttributes;
    do {
        FindData entry;
        entry.name = fromW(found.cFileName);
        entry.attributes = found.dwFileAttributes;
        if (sizes) {
            entry.size = sizeOf(found.nFileSizeHigh, found.nFileSizeLow);
            // CopyFileExW is not asked to keep holes, so a copy may write the whole size.
            entry.allocatedSize = entry.size;
            entry.lastWriteTime = unixSeconds(found.ftLastWriteTime);
        }
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return true;
}

bool Win32Platform::fileAttributes(const Path &path, FindData &data) const
{
    WIN32_FILE_ATTRIBUTE_DATA found{};
    if (!GetFileAttributesExW(w(longPath(path)), GetFileExInfoStandard, &found))
        return false;
    data.name = lastComponent(path);
    data.attributes = found.dwFileAttributes;
    data.size = sizeOf(found.nFileSizeHigh, found.nFileSizeLow);
    data.allocatedSize = data.size;
    data.lastWriteTime = unixSeconds(found.ftLastWriteTime);
    return true;
}

bool Win32Platform::fileTimes(const Path &path, FileTimes &times) const
{
    // Opened without the reparse flag, so a link stands for its target; the backup flag
    // opens folders too.
    const HANDLE file = CreateFileW(w(longPath(path)), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failWithLastError();
    FILETIME creation{}, access{}, write{};
    const bool ok = GetFileTime(file, &creation, &access, &write) != 0;
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok)
        return fail(errorFrom(code));
    times.creation = unixSeconds(creation);
    times.lastAccess = unixSeconds(access);
    times.lastWrite = unixSeconds(write);
    return succeed();
}

bool Win32Platform::setLastWriteTime(const Path &path, std::int64_t lastWrite)
{
    // The backup flag opens folders too.
    const HANDLE file = CreateFileW(w(longPath(path)), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failWithLastError();
    const auto ticks = static_cast<std::uint64_t>(lastWrite * 10000000LL + 116444736000000000LL);
    FILETIME write{};
    write.dwLowDateTime = static_cast<DWORD>(ticks);
    write.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    const bool ok = SetFileTime(file, nullptr, nullptr, &write) != 0;
    const DWORD code = GetLastError();
    CloseHandle(file);
    return ok ? succeed() : fail(errorFrom(code));
}

bool Win32Platform::setFileAttributes(const Path &path, std::uint32_t attributes)
{
    const DWORD kept = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE);
    if (SetFileAttributesW(w(longPath(path)), kept ? kept : FILE_ATTRIBUTE_NORMAL))
        return succeed();
    return failWithLastError();
}

std::vector<std::u16string> Win32Platform::logicalDrives() const
{
    wchar_t buffer[512];
    const DWORD length = GetLogicalDriveStringsW(512, buffer);
    std::vector<std::u16string> roots;
    if (length == 0 || length > 512)
        return roots;
    for (const wchar_t *root = buffer; *root; root += wcslen(root) + 1)
        roots.push_back(fromW(root));
    return roots;
}

DriveType Win32Platform::driveType(const std::u16string &root) const
{
    return static_cast<DriveType>(GetDriveTypeW(w(root)));
}

bool Win32Platform::volumeLabel(const std::u16string &root, std::u16string &label) const
{
    wchar_t buffer[MAX_PATH + 1];
    if (!GetVolumeInformationW(w(root), buffer, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return false;
    label = fromW(buffer);
    return true;
}

bool Win32Platform::fileSystemName(const std::u16string &root, std::u16string &name) const
{
    wchar_t buffer[MAX_PATH + 1];
    if (!GetVolumeInformationW(w(root), nullptr, 0, nullptr, nullptr, nullptr, buffer, MAX_PATH + 1))
        return false;
    name = fromW(buffer);
    return !name.empty();
}

bool Win32Platform::addToRecentDocs(const Path &path)
{
    SHAddToRecentDocs(SHARD_PATHW, path.empty() ? nullptr : w(path));
    return true;
}

bool Win32Platform::specialFolder(int csidl, Path &path) const
{
    wchar_t buffer[MAX_PATH];
    if (!SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE))
        return false;
    path = fromW(buffer);
    return !path.empty();
}

std::u16string Win32Platform::hostPath(const Path &path) const
{
    return path;
}

Path Win32Platform::programPath(const std::u16string &hostPath) const
{
    return hostPath;
}

} // namespace platform::win32
