#include "platform/posix/drivetable.h"

#include "platform/paths.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <unordered_map>

namespace platform::posix {

namespace {

std::string join(const std::string &folder, const std::string &name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

bool pathExists(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

std::u16string folded(const std::u16string &name)
{
    std::u16string result = name;
    for (char16_t &c : result)
        c = foldCase(c);
    return result;
}

bool sameTime(const timespec &a, const timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

// The names of the last few folders looked up, case-folded, valid while a folder's change time
// is the one read before its entries were. Creations of this program are added as they happen,
// so a copy of many files into one folder reads that folder once, not once per file.
class CaseIndex
{
public:
    // `folderFound` tells whether `folder` is a folder at all.
    std::string find(const std::string &folder, const std::u16string &name, bool &folderFound)
    {
        struct stat info;
        folderFound = ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (!folderFound)
            return {};
        const std::lock_guard lock(m_mutex);
        Folder *entry = lookUp(folder);
        if (!entry || entry->dev != info.st_dev || entry->ino != info.st_ino ||
            !sameTime(entry->mtime, info.st_mtim)) {
            entry = read(folder, info);
            if (!entry)
                return {};
        }
        const auto found = entry->names.find(folded(name));
        return found == entry->names.end() ? std::string() : found->second;
    }

    void noteCreated(const std::string &path)
    {
        const auto slash = path.find_last_of('/');
        if (slash == std::string::npos)
            return;
        const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
        const std::lock_guard lock(m_mutex);
        Folder *entry = lookUp(folder);
        if (!entry)
            return;
        struct stat info;
        if (::stat(folder.c_str(), &info) != 0 || entry->dev != info.st_dev || entry->ino != info.st_ino) {
            forget(folder);
            return;
        }
        const std::string name = path.substr(slash + 1);
        entry->names.emplace(folded(windowsNameOf(name)), name);
        entry->mtime = info.st_mtim;
    }

private:
    struct Folder
    {
        std::string path;
        dev_t dev = 0;
        ino_t ino = 0;
        timespec mtime{};
        std::unordered_map<std::u16string, std::string> names;
    };
    static constexpr std::size_t kFolders = 4;

    Folder *lookUp(const std::string &folder)
    {
        for (auto &entry : m_folders) {
            if (entry.path == folder)
                return &entry;
        }
        return nullptr;
    }

    void forget(const std::string &folder)
    {
        m_folders.erase(std::remove_if(m_folders.begin(), m_folders.end(),
                                       [&](const Folder &entry) { return entry.path == folder; }),
                        m_folders.end());
    }

    // `info` was read before the entries, so a change made while reading shows next time.
    Folder *read(const std::string &folder, const struct stat &info)
    {
        DIR *dir = ::opendir(folder.c_str());
        if (!dir)
            return nullptr;
        Folder entry;
        entry.path = folder;
        entry.dev = info.st_dev;
        entry.ino = info.st_ino;
        entry.mtime = info.st_mtim;
        while (dirent *item = ::readdir(dir))
            entry.names.emplace(folded(windowsNameOf(item->d_name)),
                                item->d_name); // the first of equals wins
        ::closedir(dir);
        forget(folder);
        if (m_folders.size() >= kFolders)
            m_folders.erase(m_folders.begin());
        m_folders.push_back(std::move(entry));
        return &m_folders.back();
    }

    std::mutex m_mutex;
    std::vector<Folder> m_folders; // the most recent last
};

namespace {

// Mount-table fields escape blanks and backslashes as octal ("\040").
std::string unescapeMountField(const std::string &field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            const bool octal =
                std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; });
            if (octal) {
                out += char(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isMediaMount(const std::string &mountPoint)
{
    for (const char *base : {"/media/", "/run/media/", "/mnt/"}) {
        const std::string prefix = base;
        if (mountPoint.size() > prefix.size() && mountPoint.compare(0, prefix.size(), prefix) == 0)
            return true;
    }
    return false;
}

} // namespace

DriveTable::DriveTable()
    : m_caseIndex(std::make_shared<CaseIndex>())
{}

void DriveTable::add(Drive drive)
{
    drive.letter = foldCase(drive.letter);
    while (drive.root.size() > 1 && drive.root.back() == '/')
        drive.root.pop_back();
    auto at = std::find_if(m_drives.begin(), m_drives.end(),
                           [&](const Drive &d) { return d.letter >= drive.letter; });
    if (at != m_drives.end() && at->letter == drive.letter)
        *at = std::move(drive);
    else
        m_drives.insert(at, std::move(drive));
}

const Drive *DriveTable::find(char16_t letter) const
{
    letter = foldCase(letter);
    for (const auto &drive : m_drives) {
        if (drive.letter == letter)
            return &drive;
    }
    return nullptr;
}

namespace {

// The plain case, without building components: "X:" and backslash-separated names with no
// "." or ".." and no doubled separators.
bool isPlainPath(const std::u16string &path)
{
    if (path.size() < 2 || path[1] != u':')
        return false;
    if (path.size() == 2)
        return true;
    if (path[2] != u'\\' || path.back() == u'\\')
        return false;
    std::size_t start = 3;
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != u'\\') {
            if (path[i] == u'/')
                return false;
            continue;
        }
        const std::size_t length = i - start;
        if (length == 0 || (length == 1 && path[start] == u'.') ||
            (length == 2 && path[start] == u'.' && path[start + 1] == u'.'))
            return false;
        start = i + 1;
    }
    return true;
}

} // namespace

std::string DriveTable::toHost(const std::u16string &programPath) const
{
    // A plain path's host form is the exact one below, so a miss need not be asked twice.
    bool exactMissing = false;
    if (isPlainPath(programPath)) {
        if (const Drive *drive = find(programPath[0])) {
            // Separators first: a name's own "\\" is its stand-in until now.
            std::u16string names = programPath.substr(2);
            std::replace(names.begin(), names.end(), u'\\', u'/');
            const std::string rest = hostNameOf(names);
            const std::string host = rest.empty()         ? drive->root
                                     : drive->root == "/" ? rest
                                                          : drive->root + rest;
            if (pathExists(host))
                return host;
            exactMissing = true;
        }
    }
    const auto parsed = parseWindowsPath(programPath);
    if (!parsed)
        return {};
    const Drive *drive = find(parsed->drive);
    if (!drive)
        return {};
    if (parsed->components.empty())
        return drive->root;
    std::string parent = drive->root;
    for (std::size_t i = 0; i + 1 < parsed->components.size(); ++i)
        parent = join(parent, hostNameOf(parsed->components[i]));
    const std::u16string &last = parsed->components.back();
    const std::string exact = join(parent, hostNameOf(last));
    if (!exactMissing && pathExists(exact))
        return exact;

    // Windows compares names without regard to case. Usually only the last name is new (a file
    // about to be made): its folder is there as written, and only the folder's names are asked.
    bool parentFound = false;
    const std::string lastMatch = m_caseIndex->find(parent, last, parentFound);
    if (parentFound)
        return lastMatch.empty() ? exact : join(parent, lastMatch);
    std::string host = drive->root;
    bool folderExists = true;
    for (const auto &component : parsed->components) {
        std::string next = join(host, hostNameOf(component));
        if (folderExists && !pathExists(next)) {
            bool found = false;
            const std::string match = m_caseIndex->find(host, component, found);
            if (match.empty())
                folderExists = false;
            else
                next = join(host, match);
        }
        host = std::move(next);
    }
    return host;
}

void DriveTable::noteCreated(const std::string &hostPath) const
{
    m_caseIndex->noteCreated(hostPath);
}

std::u16string DriveTable::fromHost(const std::string &hostPath) const
{
    std::string path = hostPath;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const Drive *best = nullptr;
    for (const auto &drive : m_drives) {
        const std::string &root = drive.root;
        const bool inside = root == "/" ? !path.empty() && path[0] == '/'
                                        : path.compare(0, root.size(), root) == 0 &&
                                              (path.size() == root.size() || path[root.size()] == '/');
        if (inside && (!best || root.size() > best->root.size()))
            best = &drive;
    }
    if (!best)
        return {};
    std::u16string result{best->letter, u':'};
    const std::string rest = best->root == "/" ? path.substr(1) : path.substr(best->root.size());
    std::u16string tail = windowsNameOf(rest); // "/" stays a separator
    if (!tail.empty() && tail[0] != u'/')
        tail.insert(tail.begin(), u'/');
    if (tail == u"/")
        tail.clear();
    std::replace(tail.begin(), tail.end(), u'/', u'\\');
    return result + tail;
}

DriveType DriveTable::typeOfFileSystem(const std::string &fsType)
{
    static const char *const cdRom[] = {"iso9660", "udf"};
    static const char *const remote[] = {"nfs",   "nfs4",       "cifs", "smb3", "smbfs", "fuse.sshfs",
                                         "davfs", "fuse.davfs", "9p",   "afs",  "ceph",  "fuse.rclone"};
    static const char *const ram[] = {"tmpfs", "ramfs"};
    for (const char *name : cdRom) {
        if (fsType == name)
            return DriveType::CdRom;
    }
    for (const char *name : remote) {
        if (fsType == name)
            return DriveType::Remote;
    }
    for (const char *name : ram) {
        if (fsType == name)
            return DriveType::RamDisk;
    }
    return DriveType::Removable;
}

std::vector<Mount> readMountTable(const std::string &mountInfoPath)
{
    std::vector<Mount> mounts;
    std::ifstream table(mountInfoPath);
    std::string line;
    while (std::getline(table, line)) {
        // "id parent major:minor root mountpoint options [optional...] - fstype source superoptions"
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint))
            continue;
        const auto dash = line.find(" - ");
        if (dash == std::string::npos)
            continue;
        std::istringstream tail(line.substr(dash + 3));
        std::string fsType;
        tail >> fsType;
        mounts.push_back({unescapeMountField(mountPoint), fsType});
    }
    return mounts;
}

DriveTable DriveTable::standard(const std::string &driveC, const std::string &mountInfoPath)
{
    DriveTable table;
    table.add({u'C', driveC, DriveType::Fixed, u"Lokal disk"});
    table.add({u'Z', "/", DriveType::Fixed, u"Filsystem"});
    char16_t next = u'D';
    for (const auto &mount : readMountTable(mountInfoPath)) {
        if (next >= u'Z')
            break;
        if (!isMediaMount(mount.mountPoint))
            continue;
        const auto slash = mount.mountPoint.find_last_of('/');
        table.add({next, mount.mountPoint, typeOfFileSystem(mount.fsType),
                   fromUtf8(mount.mountPoint.substr(slash + 1))});
        ++next;
    }
    return table;
}

} // namespace platform::posix
