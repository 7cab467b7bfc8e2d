#include "platform/shelllink.h"

#include "platform/Platform.h"
#include "platform/paths.h"

#include <array>

namespace platform {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// 00021401-0000-0000-C000-000000000046 as stored: the first three groups little-endian.
constexpr std::array<unsigned char, 16> kLinkClsid{0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                   0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// LinkFlags.
constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;

// LinkInfoFlags and header sizes.
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kLinkInfoHeaderSizeUnicode = 0x24;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kShowNormal = 1;

// The characters of 0x80..0x9F; 0 where the code page has none (the byte stands for itself).
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void put16(std::string &out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void set32(std::string &out, std::size_t at, std::uint32_t value)
{
    std::string bytes;
    put32(bytes, value);
    out.replace(at, 4, bytes);
}

void putUtf16(std::string &out, const std::u16string &text)
{
    for (const char16_t c : text)
        put16(out, c);
}

std::u16string joined(const WindowsPath &path)
{
    std::u16string text{path.drive, u':', u'\\'};
    for (std::size_t i = 0; i < path.components.size(); ++i) {
        if (i > 0)
            text += u'\\';
        text += path.components[i];
    }
    return text;
}

// The path of `target` relative to `folder` (".\\a.txt", "..\\b\\c.txt"); none across drives.
std::optional<std::u16string> relativePath(const std::u16string &target, const std::u16string &folder)
{
    const auto to = parseWindowsPath(target);
    const auto from = parseWindowsPath(folder);
    if (!to || !from || to->drive != from->drive)
        return std::nullopt;
    std::size_t common = 0;
    while (common < to->components.size() && common < from->components.size() &&
           equalsIgnoreCase(to->components[common], from->components[common]))
        ++common;
    std::u16string text;
    for (std::size_t i = common; i < from->components.size(); ++i)
        text += u"..\\";
    if (text.empty())
        text = u".\\";
    for (std::size_t i = common; i < to->components.size(); ++i) {
        text += to->components[i];
        if (i + 1 < to->components.size())
            text += u'\\';
    }
    return text;
}

// Little-endian reads that check their bounds: a read past the end fails and never throws.
class Bytes
{
public:
    explicit Bytes(std::string_view bytes)
        : m_bytes(bytes)
    {}
    std::size_t size() const { return m_bytes.size(); }
    bool fits(std::size_t at, std::size_t count) const
    {
        return at <= m_bytes.size() && count <= m_bytes.size() - at;
    }
    bool u16(std::size_t at, std::uint32_t &value) const
    {
        if (!fits(at, 2))
            return false;
        value = byte(at) | (byte(at + 1) << 8);
        return true;
    }
    bool u32(std::size_t at, std::uint32_t &value) const
    {
        std::uint32_t low, high;
        if (!u16(at, low) || !u16(at + 2, high))
            return false;
        value = low | (high << 16);
        return true;
    }
    std::string_view view(std::size_t at, std::size_t count) const { return m_bytes.substr(at, count); }
    // A NUL-terminated string of bytes in [at, end), or of UTF-16 units; none without its NUL.
    std::optional<std::u16string> ansiz(std::size_t at, std::size_t end) const
    {
        for (std::size_t i = at; i < end && i < m_bytes.size(); ++i)
            if (m_bytes[i] == '\0')
                return fromWindows1252(m_bytes.substr(at, i - at));
        return std::nullopt;
    }
    std::optional<std::u16string> utf16z(std::size_t at, std::size_t end) const
    {
        std::u16string text;
        for (std::size_t i = at; i + 1 < end && i + 1 < m_bytes.size(); i += 2) {
            const auto unit = static_cast<char16_t>(byte(i) | (byte(i + 1) << 8));
            if (unit == 0)
                return text;
            text += unit;
        }
        return std::nullopt;
    }
    std::u16string utf16(std::size_t at, std::size_t units) const
    {
        std::u16string text;
        text.reserve(units);
        for (std::size_t i = 0; i < units; ++i)
            text += static_cast<char16_t>(byte(at + 2 * i) | (byte(at + 2 * i + 1) << 8));
        return text;
    }

private:
    std::uint32_t byte(std::size_t at) const { return static_cast<unsigned char>(m_bytes[at]); }
    std::string_view m_bytes;
};

struct LinkInfoPaths
{
    std::u16string unicodePath;
    std::u16string ansiPath;
};

// The LinkInfo block at `at` of `size` bytes (already checked to lie inside the file).
std::optional<LinkInfoPaths> readLinkInfo(const Bytes &bytes, std::size_t at, std::uint32_t size)
{
    const std::size_t end = at + size;
    std::uint32_t headerSize, flags, volumeOffset, baseOffset, networkOffset, suffixOffset;
    if (size < kLinkInfoHeaderSize || !bytes.u32(at + 4, headerSize) || !bytes.u32(at + 8, flags) ||
        !bytes.u32(at + 12, volumeOffset) || !bytes.u32(at + 16, baseOffset) ||
        !bytes.u32(at + 20, networkOffset) || !bytes.u32(at + 24, suffixOffset))
        return std::nullopt;
    if (headerSize != kLinkInfoHeaderSize && (headerSize < kLinkInfoHeaderSizeUnicode || headerSize > size))
        return std::nullopt;
    const auto inside = [&](std::uint32_t offset) { return offset >= headerSize && offset < size; };
    LinkInfoPaths paths;
    std::u16string ansiSuffix, unicodeSuffix;
    if (suffixOffset != 0) {
        if (!inside(suffixOffset))
            return std::nullopt;
        const auto suffix = bytes.ansiz(at + suffixOffset, end);
        if (!suffix)
            return std::nullopt;
        ansiSuffix = *suffix;
    }
    if (flags & kVolumeIdAndLocalBasePath) {
        std::uint32_t volumeSize;
        if (!inside(volumeOffset) || !bytes.u32(at + volumeOffset, volumeSize) ||
            volumeSize < kVolumeIdHeaderSize || volumeSize > size - volumeOffset)
            return std::nullopt;
        if (!inside(baseOffset))
            return std::nullopt;
        const auto base = bytes.ansiz(at + baseOffset, end);
        if (!base)
            return std::nullopt;
        paths.ansiPath = *base + ansiSuffix;
    }
    if (headerSize >= kLinkInfoHeaderSizeUnicode) {
        std::uint32_t baseUnicode, suffixUnicode;
        if (!bytes.u32(at + 28, baseUnicode) || !bytes.u32(at + 32, suffixUnicode))
            return std::nullopt;
        if (suffixUnicode != 0) {
            if (!inside(suffixUnicode))
                return std::nullopt;
            const auto suffix = bytes.utf16z(at + suffixUnicode, end);
            if (!suffix)
                return std::nullopt;
            unicodeSuffix = *suffix;
        }
        if ((flags & kVolumeIdAndLocalBasePath) && baseUnicode != 0) {
            if (!inside(baseUnicode))
                return std::nullopt;
            const auto base = bytes.utf16z(at + baseUnicode, end);
            if (!base)
                return std::nullopt;
            paths.unicodePath = *base + (suffixUnicode != 0 ? unicodeSuffix : ansiSuffix);
        }
    }
    return paths;
}

} // namespace

std::string toWindows1252(const std::u16string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighControls.size(); ++i)
            if (kHighControls[i] != 0 && kHighControls[i] == c)
                mapped = static_cast<char>(0x80 + i);
        out += mapped;
    }
    return out;
}

std::u16string fromWindows1252(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c >= 0x80 && c < 0xA0 && kHighControls[c - 0x80] != 0)
            text += kHighControls[c - 0x80];
        else
            text += static_cast<char16_t>(c);
    }
    return text;
}

std::string writeShellLink(const std::u16string &target, bool directory, const std::u16string &workingDir,
                           const std::u16string &linkFolder)
{
    const auto parsed = parseWindowsPath(target);
    const std::u16string basePath = parsed ? joined(*parsed) : target;
    const auto relative = relativePath(target, linkFolder);
    // A StringData length is 16 bits.
    const bool withRelative = relative && relative->size() <= 0xFFFF;
    const bool withWorkingDir = !workingDir.empty() && workingDir.size() <= 0xFFFF;

    std::string out;
    put32(out, kHeaderSize);
    out.append(reinterpret_cast<const char *>(kLinkClsid.data()), kLinkClsid.size());
    put32(out, kHasLinkInfo | kIsUnicode | (withRelative ? kHasRelativePath : 0) |
                   (withWorkingDir ? kHasWorkingDir : 0));
    put32(out, directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
    out.append(24, '\0'); // creation, access and write time: not known
    put32(out, 0);        // file size
    put32(out, 0);        // icon index
    put32(out, kShowNormal);
    put16(out, 0);        // hot key
    out.append(10, '\0'); // reserved

    // LinkInfo: header with the Unicode offsets, VolumeID, the ANSI base path, an empty common
    // path suffix, then both again in UTF-16.
    const std::size_t info = out.size();
    std::string ansiBase = toWindows1252(basePath);
    ansiBase += '\0';
    const std::uint32_t volumeOffset = kLinkInfoHeaderSizeUnicode;
    const std::uint32_t volumeSize = kVolumeIdHeaderSize + 1; // an empty label
    const std::uint32_t baseOffset = volumeOffset + volumeSize;
    const auto suffixOffset = static_cast<std::uint32_t>(baseOffset + ansiBase.size());
    std::uint32_t baseUnicodeOffset = suffixOffset + 1;
    baseUnicodeOffset += baseUnicodeOffset % 2;
    const auto suffixUnicodeOffset =
        static_cast<std::uint32_t>(baseUnicodeOffset + 2 * (basePath.size() + 1));
    put32(out, 0); // LinkInfoSize, set below
    put32(out, kLinkInfoHeaderSizeUnicode);
    put32(out, kVolumeIdAndLocalBasePath);
    put32(out, volumeOffset);
    put32(out, baseOffset);
    put32(out, 0); // no network link
    put32(out, suffixOffset);
    put32(out, baseUnicodeOffset);
    put32(out, suffixUnicodeOffset);
    put32(out, volumeSize);
    put32(out, kDriveFixed);
    put32(out, 0);                   // serial number
    put32(out, kVolumeIdHeaderSize); // label offset
    out += '\0';                     // label
    out += ansiBase;
    out += '\0'; // common path suffix
    if (out.size() - info < baseUnicodeOffset)
        out += '\0';
    putUtf16(out, basePath);
    put16(out, 0);
    put16(out, 0); // common path suffix
    set32(out, info, static_cast<std::uint32_t>(out.size() - info));

    if (withRelative) {
        put16(out, static_cast<std::uint32_t>(relative->size()));
        putUtf16(out, *relative);
    }
    if (withWorkingDir) {
        put16(out, static_cast<std::uint32_t>(workingDir.size()));
        putUtf16(out, workingDir);
    }
    put32(out, 0); // terminal extra-data block
    return out;
}

std::optional<ShellLink> readShellLink(std::string_view data, const std::u16string &linkFolder)
{
    const Bytes bytes(data);
    std::uint32_t headerSize, flags;
    ShellLink link;
    if (!bytes.u32(0, headerSize) || headerSize != kHeaderSize || !bytes.fits(0, kHeaderSize))
        return std::nullopt;
    if (bytes.view(4, kLinkClsid.size()) !=
        std::string_view(reinterpret_cast<const char *>(kLinkClsid.data()), kLinkClsid.size()))
        return std::nullopt;
    if (!bytes.u32(20, flags) || !bytes.u32(24, link.attributes))
        return std::nullopt;
    std::size_t at = kHeaderSize;

    if (flags & kHasLinkTargetIdList) {
        std::uint32_t idListSize;
        if (!bytes.u16(at, idListSize) || !bytes.fits(at + 2, idListSize))
            return std::nullopt;
        at += 2 + idListSize;
    }
    LinkInfoPaths paths;
    if (flags & kHasLinkInfo) {
        std::uint32_t infoSize;
        if (!bytes.u32(at, infoSize) || !bytes.fits(at, infoSize))
            return std::nullopt;
        const auto read = readLinkInfo(bytes, at, infoSize);
        if (!read)
            return std::nullopt;
        if (!(flags & kForceNoLinkInfo))
            paths = *read;
        at += infoSize;
    }

    // StringData, in its fixed order; each a 16-bit count of characters.
    const std::size_t unitSize = (flags & kIsUnicode) ? 2 : 1;
    std::u16string relative;
    for (const std::uint32_t field :
         {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
        if (!(flags & field))
            continue;
        std::uint32_t count;
        if (!bytes.u16(at, count) || !bytes.fits(at + 2, std::size_t{count} * unitSize))
            return std::nullopt;
        const std::u16string text =
            unitSize == 2 ? bytes.utf16(at + 2, count) : fromWindows1252(bytes.view(at + 2, count));
        if (field == kHasRelativePath)
            relative = text;
        else if (field == kHasWorkingDir)
            link.workingDir = text;
        at += 2 + std::size_t{count} * unitSize;
    }

    // ExtraData: blocks of at least eight bytes up to the terminal block (a size below four).
    for (;;) {
        std::uint32_t blockSize;
        if (!bytes.u32(at, blockSize))
            return std::nullopt;
        if (blockSize < 4)
            break;
        if (blockSize < 8 || !bytes.fits(at, blockSize))
            return std::nullopt;
        at += blockSize;
    }

    if (!paths.unicodePath.empty()) {
        link.target = paths.unicodePath;
    } else if (!paths.ansiPath.empty()) {
        link.target = paths.ansiPath;
    } else if (!relative.empty()) {
        const auto resolved = parseWindowsPath(linkFolder + u'\\' + relative);
        if (!resolved)
            return std::nullopt;
        link.target = joined(*resolved);
    } else {
        return std::nullopt;
    }
    return link;
}

} // namespace platform
