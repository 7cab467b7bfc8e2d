#pragma once
// Windows shell links (".lnk"), the documented binary format: a header with the link class id,
// LinkInfo with the volume and the local base path (ANSI and UTF-16), and the relative path and
// working folder as UTF-16 strings, ended by the terminal extra-data block. Written by the
// shortcut helper and read wherever a link is opened; nothing here touches a file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct ShellLink
{
    std::u16string target;        // a Windows path: "C:\\Users\\Tester\\fil.txt"
    std::u16string workingDir;    // empty when the link names none
    std::uint32_t attributes = 0; // of the target when the link was made (FILE_ATTRIBUTE_DIRECTORY)
};

// The bytes of a link to `target` (a full Windows path, "C:" or "C:\\" for a drive) with
// `workingDir` (may be empty). The relative path is written when the target lies on the drive of
// `linkFolder`, the folder the link file goes into. `directory` marks a folder target.
std::string writeShellLink(const std::u16string &target, bool directory, const std::u16string &workingDir,
                           const std::u16string &linkFolder);

// What the bytes of a link file say, or none when they are not a whole, well-formed link (cut
// short, another header size or class id, a length or offset past its block or the file). The
// target is the UTF-16 local base path, else the ANSI one, else the relative path against
// `linkFolder`. Every length is checked before it is used, so no input allocates more than its
// own size or reads outside it.
std::optional<ShellLink> readShellLink(std::string_view bytes, const std::u16string &linkFolder);

// Windows-1252, as the ANSI fields of a link are written on a Danish system: a character the code
// page lacks becomes "?".
std::string toWindows1252(const std::u16string &text);
std::u16string fromWindows1252(std::string_view bytes);

} // namespace platform
