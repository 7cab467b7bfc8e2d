#include "support/mappedwin32.h"

#include "platform/paths.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

long peakResidentKilobytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

namespace testsupport {

using platform::Path;

namespace {

// Set while the Windows back end runs below one of our calls: the paths it hands to the services
// it calls itself (a copied folder's entries, a folder's parents) are host paths already.
thread_local int t_hostPaths = 0;

struct HostPaths
{
    HostPaths() { ++t_hostPaths; }
    ~HostPaths() { --t_hostPaths; }
    HostPaths(const HostPaths &) = delete;
    HostPaths &operator=(const HostPaths &) = delete;
};

char16_t upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string backslashed(std::u16string path)
{
    for (auto &c : path)
        if (c == u'/')
            c = u'\\';
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

bool notFound()
{
    platform::setLastError(platform::Win32Error::PathNotFound);
    return false;
}

} // namespace

void MappedDriveTable::add(MappedDrive drive)
{
    drive.letter = upper(drive.letter);
    for (auto &known : m_drives)
        if (known.letter == drive.letter) {
            known = std::move(drive);
            return;
        }
    m_drives.push_back(std::move(drive));
    std::sort(m_drives.begin(), m_drives.end(),
              [](const MappedDrive &a, const MappedDrive &b) { return a.letter < b.letter; });
}

const MappedDrive *MappedDriveTable::find(char16_t letter) const
{
    for (const auto &drive : m_drives)
        if (drive.letter == upper(letter))
            return &drive;
    return nullptr;
}

std::u16string MappedDriveTable::toHost(const Path &path) const
{
    if (path.size() < 2 || path[1] != u':' || (path.size() > 2 && path[2] != u'\\' && path[2] != u'/'))
        return {};
    const MappedDrive *drive = find(path[0]);
    if (!drive)
        return {};
    return backslashed(platform::fromUtf8(drive->root) + path.substr(2));
}

Path MappedDriveTable::fromHost(const std::u16string &hostPath) const
{
    const std::u16string path = backslashed(hostPath);
    const MappedDrive *best = nullptr;
    std::size_t bestLength = 0;
    for (const auto &drive : m_drives) {
        const std::u16string root = backslashed(platform::fromUtf8(drive.root));
        const bool inside = path.size() >= root.size() &&
                            platform::equalsIgnoreCase(path.substr(0, root.size()), root) &&
                            (path.size() == root.size() || path[root.size()] == u'\\');
        if (inside && root.size() > bestLength) {
            best = &drive;
            bestLength = root.size();
        }
    }
    if (!best)
        return {};
    return std::u16string{best->letter, u':'} + path.substr(bestLength);
}

// A program path's host path; a host path already (inside a service's own calls) as it is.
static std::u16string hostOf(const testsupport::MappedDriveTable &drives, const platform::Path &path)
{
    return t_hostPaths ? path : drives.toHost(path);
}

// Each service: its paths mapped to the host unless they are host paths already.
#define ZUN_HOST(name, path)                                                                                 \
    const std::u16string name = hostOf(m_drives, path);                                                      \
    if (name.empty())                                                                                        \
        return notFound();                                                                                   \
    const HostPaths hostPaths##name

bool MappedWin32Platform::fileExists(const Path &path) const
{
    ZUN_HOST(host, path);
    return Win32Platform::fileExists(host);
}

bool MappedWin32Platform::directoryExists(const Path &path) const
{
    ZUN_HOST(host, path);
    return Win32Platform::directoryExists(host);
}

bool MappedWin32Platform::forceDirectories(const Path &path)
{
    ZUN_HOST(host, path);
    return Win32Platform::forceDirectories(host);
}

bool MappedWin32Platform::moveFile(const Path &from, const Path &to)
{
    const std::u16string target = hostOf(m_drives, to);
    if (target.empty())
        return notFound();
    ZUN_HOST(host, from);
    return Win32Platform::moveFile(host, target);
}

bool MappedWin32Platform::replaceFile(const Path &from, const Path &to)
{
    const std::u16string target = hostOf(m_drives, to);
    if (target.empty())
        return notFound();
    ZUN_HOST(host, from);
    return Win32Platform::replaceFile(host, target);
}

bool MappedWin32Platform::copyFileEx(const Path &from, const Path &to,
                                     const platform::CopyProgressRoutine &progress,
                                     const std::atomic<bool> *cancel, bool failIfExists)
{
    const std::u16string target = hostOf(m_drives, to);
    if (target.empty())
        return notFound();
    ZUN_HOST(host, from);
    return Win32Platform::copyFileEx(host, target, progress, cancel, failIfExists);
}

bool MappedWin32Platform::copyLink(const Path &from, const Path &to)
{
    const std::u16string target = hostOf(m_drives, to);
    if (target.empty())
        return notFound();
    ZUN_HOST(host, from);
    return Win32Platform::copyLink(host, target);
}

bool MappedWin32Platform::diskFreeSpace(const Path &folder, platform::DiskSpace &space) const
{
    ZUN_HOST(host, folder);
    return Win32Platform::diskFreeSpace(host, space);
}

bool MappedWin32Platform::moveToRecycleBin(const Path &path)
{
    if (!recycleBin || (!path.empty() && drivesWithoutRecycleBin.contains(upper(path[0]))))
        return false;
    ZUN_HOST(host, path);
    return Win32Platform::moveToRecycleBin(host);
}

int MappedWin32Platform::emptyRecycleBin(const std::u16string &root)
{
    if (!recycleBin)
        return static_cast<int>(E_ACCESSDENIED);
    if (root.empty())
        return Win32Platform::emptyRecycleBin(root);
    const std::u16string host = m_drives.toHost(root);
    return host.empty() ? static_cast<int>(E_INVALIDARG) : Win32Platform::emptyRecycleBin(host);
}

bool MappedWin32Platform::deleteFile(const Path &path)
{
    ZUN_HOST(host, path);
    return Win32Platform::deleteFile(host);
}

bool MappedWin32Platform::deleteFolder(const Path &path, const platform::DeleteProgressRoutine &perEntry,
                                       Path *failedEntry)
{
    if (failedEntry)
        *failedEntry = path;
    ZUN_HOST(host, path);
    const bool deleted = Win32Platform::deleteFolder(host, perEntry, failedEntry);
    if (failedEntry && !failedEntry->empty() && !t_hostPaths) {
        const Path failed = m_drives.fromHost(*failedEntry);
        *failedEntry = failed.empty() ? path : failed;
    }
    return deleted;
}

bool MappedWin32Platform::elementId(const Path &path, platform::ElementId &id) const
{
    ZUN_HOST(host, path);
    return Win32Platform::elementId(host, id);
}

std::vector<platform::ElementId> MappedWin32Platform::folderAncestry(const Path &folder) const
{
    const std::u16string host = hostOf(m_drives, folder);
    if (host.empty())
        return {};
    const HostPaths hostPaths;
    return Win32Platform::folderAncestry(host);
}

// As the Linux back end in a test: no Startup folder.
bool MappedWin32Platform::startupFolder(Path &)
{
    return false;
}

bool MappedWin32Platform::addStartupEntry(const Path &shortcut, const Path &entry)
{
    const std::u16string target = hostOf(m_drives, entry);
    if (target.empty())
        return notFound();
    ZUN_HOST(host, shortcut);
    return Win32Platform::addStartupEntry(host, target);
}

platform::IconSource MappedWin32Platform::extractIcon(const Path &file) const
{
    const std::u16string host = hostOf(m_drives, file);
    if (host.empty())
        return {};
    const HostPaths hostPaths;
    return Win32Platform::extractIcon(host);
}

bool MappedWin32Platform::findFiles(const Path &folder, std::vector<platform::FindData> &entries,
                                    platform::FindDetail detail) const
{
    ZUN_HOST(host, folder);
    return Win32Platform::findFiles(host, entries, detail);
}

bool MappedWin32Platform::fileAttributes(const Path &path, platform::FindData &data) const
{
    ZUN_HOST(host, path);
    return Win32Platform::fileAttributes(host, data);
}

bool MappedWin32Platform::fileTimes(const Path &path, platform::FileTimes &times) const
{
    ZUN_HOST(host, path);
    return Win32Platform::fileTimes(host, times);
}

bool MappedWin32Platform::setLastWriteTime(const Path &path, std::int64_t lastWrite)
{
    ZUN_HOST(host, path);
    return Win32Platform::setLastWriteTime(host, lastWrite);
}

bool MappedWin32Platform::setFileAttributes(const Path &path, std::uint32_t attributes)
{
    ZUN_HOST(host, path);
    return Win32Platform::setFileAttributes(host, attributes);
}

#undef ZUN_HOST

std::vector<std::u16string> MappedWin32Platform::logicalDrives() const
{
    std::vector<std::u16string> roots;
    for (const auto &drive : m_drives.drives())
        roots.push_back(std::u16string{drive.letter, u':', u'\\'});
    return roots;
}

platform::DriveType MappedWin32Platform::driveType(const std::u16string &root) const
{
    const MappedDrive *drive = root.empty() ? nullptr : m_drives.find(root[0]);
    return drive ? drive->type : platform::DriveType::NoRootDir;
}

bool MappedWin32Platform::volumeLabel(const std::u16string &root, std::u16string &label) const
{
    const MappedDrive *drive = root.empty() ? nullptr : m_drives.find(root[0]);
    if (!drive)
        return false;
    label = drive->label;
    return true;
}

// The file system of the host volume the drive's folder lies on.
bool MappedWin32Platform::fileSystemName(const std::u16string &root, std::u16string &name) const
{
    const MappedDrive *drive = root.empty() ? nullptr : m_drives.find(root[0]);
    if (!drive)
        return false;
    const std::u16string host = backslashed(platform::fromUtf8(drive->root));
    if (!Win32Platform::directoryExists(host))
        return false;
    wchar_t volume[MAX_PATH + 1];
    if (!GetVolumePathNameW(reinterpret_cast<const wchar_t *>(host.c_str()), volume, MAX_PATH + 1))
        return false;
    return Win32Platform::fileSystemName(reinterpret_cast<const char16_t *>(volume), name);
}

// As the Linux back end in a test: no list of recent documents, so the user's is never written.
bool MappedWin32Platform::addToRecentDocs(const Path &)
{
    return false;
}

// As the Linux back end lays them out: the user's folders below C:\Users\<user>, the shared ones
// below C:\Users\Public, each only when it is there.
bool MappedWin32Platform::specialFolder(int csidl, Path &path) const
{
    std::u16string user;
    if (!userName(user))
        user = u"Brugernavn";
    path = platform::usersKnownFolder(csidl, user);
    return !path.empty() && directoryExists(path);
}

std::u16string MappedWin32Platform::hostPath(const Path &path) const
{
    return hostOf(m_drives, path);
}

Path MappedWin32Platform::programPath(const std::u16string &hostPath) const
{
    return t_hostPaths ? hostPath : m_drives.fromHost(hostPath);
}

} // namespace testsupport
