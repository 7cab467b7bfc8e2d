#include "platform/posix/trash.h"
#include "platform/posix/textfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform::posix {

namespace {

bool isUnder(const std::string &path, const std::string &root)
{
    if (root == "/")
        return !path.empty() && path[0] == '/';
    return path.compare(0, root.size(), root) == 0 &&
           (path.size() == root.size() || path[root.size()] == '/');
}

// A folder itself, not a link to one: a link planted on a shared volume would carry the
// user's files, and the permissions set on them, wherever it points.
bool isRealFolder(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isRealTrash(const std::string &trash)
{
    return isRealFolder(trash) && isRealFolder(trash + "/files") && isRealFolder(trash + "/info");
}

// A folder of the trash, made private to the user when missing; an existing one only when it
// is a real folder.
bool realFolder(const std::string &path)
{
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return isRealFolder(path);
}

// The administrator's ".Trash" of a volume counts only as a sticky folder that is not a link.
bool isAdminTrash(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX);
}

std::string volumeBase(const std::string &top)
{
    return top == "/" ? std::string() : top;
}

// The home trash, made with its parents when missing (the user's own folders, which may be
// links of the user's choosing), with real "files" and "info" folders.
bool prepareHomeTrash(const std::string &trash)
{
    std::error_code error;
    fs::create_directories(fs::path(trash).parent_path(), error);
    if (::mkdir(trash.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return fs::is_directory(trash, error) && realFolder(trash + "/files") && realFolder(trash + "/info");
}

// The trash of a volume top, made when missing: the administrator's ".Trash/$uid" when
// ".Trash" is usable, else ".Trash-$uid". Empty when neither is a real folder: the file then
// stays where it is.
std::string prepareVolumeTrash(const std::string &top, uid_t uid)
{
    const std::string base = volumeBase(top);
    const std::string admin = base + "/.Trash";
    const std::string user = admin + "/" + std::to_string(uid);
    if (isAdminTrash(admin) && realFolder(user) && realFolder(user + "/files") && realFolder(user + "/info"))
        return user;
    const std::string own = base + "/.Trash-" + std::to_string(uid);
    if (realFolder(own) && realFolder(own + "/files") && realFolder(own + "/info"))
        return own;
    return {};
}

// Every trash with the volume top its relative paths start from (none for the home trash).
struct KnownTrash
{
    std::string folder;
    std::string top;
};

std::vector<KnownTrash> allTrashes(const TrashPlaces &places)
{
    std::vector<KnownTrash> trashes{{places.homeTrash, {}}};
    // Only the trashes a deletion could have used: emptying a linked one would remove files
    // wherever the link points.
    for (const auto &top : places.mountPoints) {
        const std::string base = volumeBase(top);
        const std::string user = base + "/.Trash/" + std::to_string(places.uid);
        if (isAdminTrash(base + "/.Trash") && isRealTrash(user))
            trashes.push_back({user, top});
        const std::string own = base + "/.Trash-" + std::to_string(places.uid);
        if (isRealTrash(own))
            trashes.push_back({own, top});
    }
    return trashes;
}

std::string isoTime(std::time_t now)
{
    char text[32];
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// The host path of the nearest existing folder at or above `path`.
std::string existingAncestor(std::string path)
{
    std::error_code error;
    while (!path.empty() && !fs::exists(path, error))
        path = fs::path(path).parent_path().string();
    return path.empty() ? "/" : path;
}

} // namespace

std::string volumeTop(const std::vector<std::string> &mountPoints, const std::string &path)
{
    std::string best = "/";
    for (const auto &top : mountPoints) {
        if (isUnder(path, top) && top.size() > best.size())
            best = top;
    }
    return best;
}

std::string percentEncode(const std::string &path)
{
    static const char *hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto b = static_cast<unsigned char>(c);
        const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                           b == '-' || b == '_' || b == '.' || b == '~' || b == '/';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

std::string percentDecode(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool moveToTrash(const TrashPlaces &places, const std::string &hostPath, std::time_t now)
{
    struct stat item;
    if (places.homeTrash.empty() || hostPath.empty() || hostPath == "/" ||
        ::lstat(hostPath.c_str(), &item) != 0)
        return false;
    const std::string top = volumeTop(places.mountPoints, hostPath);
    const bool home = top == volumeTop(places.mountPoints, existingAncestor(places.homeTrash));
    const std::string trash = home ? places.homeTrash : prepareVolumeTrash(top, places.uid);
    if (trash.empty() || (home && !prepareHomeTrash(trash)))
        return false; // never somewhere else instead

    // The home trash keeps absolute paths, a volume trash paths relative to the volume top.
    const std::string recorded = home ? hostPath : hostPath.substr(top == "/" ? 1 : top.size() + 1);
    const std::string name = fs::path(hostPath).filename().string();
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string candidate = attempt == 1 ? name : name + "." + std::to_string(attempt);
        const std::string info = trash + "/info/" + candidate + ".trashinfo";
        // Creating the info file exclusively reserves the name, even against another program.
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const std::string text =
            "[Trash Info]\nPath=" + percentEncode(recorded) + "\nDeletionDate=" + isoTime(now) + "\n";
        const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
        ::close(fd);
        struct stat existing;
        const std::string target = trash + "/files/" + candidate;
        if (written && ::lstat(target.c_str(), &existing) != 0 &&
            ::rename(hostPath.c_str(), target.c_str()) == 0)
            return true;
        ::unlink(info.c_str());
        if (!written || errno != EEXIST)
            return false;
    }
    return false;
}

int emptyTrash(const TrashPlaces &places, const std::vector<std::string> &roots)
{
    int removed = 0;
    bool failed = false;
    for (const auto &trash : allTrashes(places)) {
        std::error_code error;
        fs::directory_iterator it(trash.folder + "/info", error);
        for (; !error && it != fs::directory_iterator(); it.increment(error)) {
            if (it->path().extension() != ".trashinfo")
                continue;
            std::istringstream info = textFileLines(it->path());
            std::string line, recorded;
            while (std::getline(info, line)) {
                if (line.rfind("Path=", 0) == 0)
                    recorded = percentDecode(line.substr(5));
            }
            if (recorded.empty())
                continue;
            std::string original = recorded;
            if (recorded[0] != '/')
                original = (trash.top == "/" ? std::string() : trash.top) + "/" + recorded;
            bool wanted = false;
            for (const auto &root : roots)
                wanted = wanted || isUnder(original, root);
            if (!wanted)
                continue;
            std::error_code removeError;
            fs::remove_all(fs::path(trash.folder) / "files" / it->path().stem(), removeError);
            if (removeError) {
                failed = true;
                continue;
            }
            fs::remove(it->path(), removeError);
            ++removed;
        }
    }
    return failed ? -1 : removed;
}

} // namespace platform::posix
