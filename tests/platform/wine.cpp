#include "testdrive.h"

#include <windows.h>

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// libstdc++ of MinGW makes no links, so the Windows call itself; unprivileged where the
// developer mode allows it.
bool makeLink(const std::filesystem::path &target, const std::filesystem::path &link, bool folder,
              std::string &why)
{
    const DWORD flags =
        (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), flags)) {
        why = "CreateSymbolicLinkW failed with " + std::to_string(GetLastError());
        return false;
    }
    // Wine 8 answers success and makes nothing.
    if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) {
        why = "CreateSymbolicLinkW reported success but made no link (Wine)";
        return false;
    }
    return true;
}

HeldFile::HeldFile(const std::filesystem::path &file)
{
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    m_held = handle != INVALID_HANDLE_VALUE;
}

HeldFile::~HeldFile()
{
    if (m_held)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}
