#include "platform/Platform.h"

#include <stdexcept>

namespace platform {

namespace {
thread_local Win32Error t_lastError = Win32Error::Success;

std::unique_ptr<Platform> &slot()
{
    static std::unique_ptr<Platform> backEnd;
    return backEnd;
}

// The folder `to` takes the source folder's attributes and, once its contents are in (which
// touches it), its last-write time.
void copyFolderDetails(Platform &system, const FindData &from, const Path &to)
{
    if (from.attributes & kSettableAttributes)
        system.setFileAttributes(to, from.attributes & kSettableAttributes);
    system.setLastWriteTime(to, from.lastWriteTime);
}

void copyBelow(Platform &system, const Path &source, const Path &destination)
{
    std::vector<FindData> entries;
    if (!system.findFiles(source, entries))
        return;
    for (const FindData &entry : entries) {
        if (entry.name == u"." || entry.name == u"..")
            continue;
        const Path from = source + u"\\" + entry.name;
        const Path to = destination + u"\\" + entry.name;
        if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            system.copyLink(from, to);
        } else if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!system.forceDirectories(to))
                continue;
            copyBelow(system, from, to);
            copyFolderDetails(system, entry, to);
        } else {
            system.copyFileEx(from, to, {}, nullptr, false);
        }
    }
}
} // namespace

bool Platform::copyFolder(const Path &source, const Path &destination)
{
    FindData top;
    if (!directoryExists(source) || !fileAttributes(source, top) || !forceDirectories(destination))
        return false;
    copyBelow(*this, source, destination);
    copyFolderDetails(*this, top, destination);
    return true;
}

Platform &current()
{
    auto &backEnd = slot();
    if (!backEnd)
        throw std::logic_error("no platform back end installed");
    return *backEnd;
}

void install(std::unique_ptr<Platform> backEnd)
{
    slot() = std::move(backEnd);
}

Win32Error lastError()
{
    return t_lastError;
}

void setLastError(Win32Error error)
{
    t_lastError = error;
}

Path usersKnownFolder(int csidl, const std::u16string &user)
{
    static const struct
    {
        int csidl;
        bool common;
        const char16_t *tail;
    } folders[] = {
        {CSIDL_DESKTOPDIRECTORY, false, u"\\Desktop"},
        {CSIDL_PERSONAL, false, u"\\Documents"},
        {CSIDL_FAVORITES, false, u"\\Favorites"},
        {CSIDL_MYPICTURES, false, u"\\Pictures"},
        {CSIDL_MYMUSIC, false, u"\\Music"},
        {CSIDL_MYVIDEO, false, u"\\Videos"},
        {CSIDL_PROGRAMS, false, u"\\AppData\\Local\\applications"},
        {CSIDL_LOCAL_APPDATA, false, u"\\AppData\\Local"},
        {CSIDL_COMMON_DOCUMENTS, true, u"\\Documents"},
        {CSIDL_COMMON_MUSIC, true, u"\\Music"},
        {CSIDL_COMMON_PICTURES, true, u"\\Pictures"},
        {CSIDL_COMMON_VIDEO, true, u"\\Videos"},
    };
    for (const auto &folder : folders) {
        if (folder.csidl == csidl)
            return (folder.common ? std::u16string(u"C:\\Users\\Public") : u"C:\\Users\\" + user) +
                   folder.tail;
    }
    return {};
}

} // namespace platform
