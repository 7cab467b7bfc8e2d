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
} // namespace

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
