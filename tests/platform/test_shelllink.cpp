// Shell links: what the writer makes reads back the same, in the documented layout, and damaged
// bytes give no link and never a read outside them.

#include "platform/Platform.h"
#include "platform/shelllink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using platform::readShellLink;
using platform::writeShellLink;

namespace {

std::string narrow(const std::u16string &text)
{
    std::string out;
    for (const char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::uint32_t u32At(const std::string &bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void setU32(std::string &bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

constexpr std::size_t kLinkInfo = 0x4C;

// A link to a file in a folder of its own, made as the helper makes it.
std::string sampleLink()
{
    return writeShellLink(u"C:\\Users\\Tester\\Dokumenter\\Æbler og pærer.txt", false,
                          u"C:\\Users\\Tester\\Dokumenter", u"C:\\Users\\Tester\\Genveje");
}

} // namespace

TEST(ShellLink, WrittenLinksReadBack)
{
    const std::u16string longFolder = u"C:\\Lange navne\\" + std::u16string(120, u'å') + u"\\" +
                                      std::u16string(120, u'Ø') + u"\\mappe med mellemrum";
    ASSERT_GT(longFolder.size(), 260u);
    struct Case
    {
        std::u16string target;
        bool directory;
        std::u16string workingDir;
        std::u16string linkFolder;
        std::u16string expected; // the target as read back
    };
    const Case cases[] = {
        {u"C:\\Users\\Tester\\fil.txt", false, u"C:\\Users\\Tester", u"C:\\Users\\Tester\\Genveje",
         u"C:\\Users\\Tester\\fil.txt"},
        {u"C:\\Users\\Tester\\Mine billeder\\Æble på bord.jpg", false, u"C:\\Users\\Tester\\Mine billeder",
         u"C:\\Users\\Tester\\Genveje", u"C:\\Users\\Tester\\Mine billeder\\Æble på bord.jpg"},
        {u"D:\\Ωμέγα\\日本語 ファイル.txt", false, u"D:\\Ωμέγα", u"C:\\Genveje",
         u"D:\\Ωμέγα\\日本語 ファイル.txt"},
        {u"C:\\Smil \U0001F600\\€ og Œ.txt", false, u"C:\\Smil \U0001F600", u"C:\\Smil \U0001F600",
         u"C:\\Smil \U0001F600\\€ og Œ.txt"},
        {longFolder, true, longFolder, u"C:\\Genveje", longFolder},
        {longFolder + u"\\en fil med et langt navn.txt", false, longFolder, u"D:\\",
         longFolder + u"\\en fil med et langt navn.txt"},
        {u"C:\\Users\\Tester\\Skrivebord", true, u"", u"C:\\Users\\Tester\\Genveje",
         u"C:\\Users\\Tester\\Skrivebord"},
        {u"C:", true, u"C:\\", u"C:\\Genveje", u"C:\\"},
        {u"c:/users/tester/små bogstaver.txt", false, u"", u"C:\\", u"C:\\users\\tester\\små bogstaver.txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(narrow(c.target));
        const std::string bytes = writeShellLink(c.target, c.directory, c.workingDir, c.linkFolder);
        const auto link = readShellLink(bytes, c.linkFolder);
        ASSERT_TRUE(link.has_value());
        EXPECT_EQ(link->target, c.expected);
        EXPECT_EQ(link->workingDir, c.workingDir);
        EXPECT_EQ((link->attributes & platform::FILE_ATTRIBUTE_DIRECTORY) != 0, c.directory);
    }
}

// The fields where Windows looks for them: header size, class id, flags, show command, and the
// LinkInfo with its Unicode header size, the ANSI path in Windows-1252 and the terminal block.
TEST(ShellLink, LayoutIsTheDocumentedOne)
{
    const std::string bytes = sampleLink();
    const unsigned char head[] = {0x4C, 0, 0,    0, 0x01, 0x14, 0x02, 0, 0, 0,
                                  0,    0, 0xC0, 0, 0,    0,    0,    0, 0, 0x46};
    ASSERT_GT(bytes.size(), kLinkInfo + 0x24);
    EXPECT_EQ(std::memcmp(bytes.data(), head, sizeof head), 0);
    EXPECT_EQ(u32At(bytes, 20), 0x2u | 0x8u | 0x10u | 0x80u); // LinkInfo, relative path, working dir, Unicode
    EXPECT_EQ(u32At(bytes, 24), platform::FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(u32At(bytes, 60), 1u); // SW_SHOWNORMAL
    EXPECT_EQ(u32At(bytes, kLinkInfo + 4), 0x24u);
    EXPECT_EQ(u32At(bytes, kLinkInfo + 8), 1u); // VolumeIDAndLocalBasePath
    const std::size_t ansi = kLinkInfo + u32At(bytes, kLinkInfo + 16);
    EXPECT_EQ(bytes.substr(ansi, bytes.find('\0', ansi) - ansi), "C:\\Users\\Tester\\Dokumenter\\\xC6"
                                                                 "bler og p\xE6rer.txt");
    EXPECT_EQ(u32At(bytes, bytes.size() - 4), 0u);
    // The relative path follows LinkInfo: ".." up from the shortcut's folder.
    const std::size_t strings = kLinkInfo + u32At(bytes, kLinkInfo);
    const std::u16string relative = u"..\\Dokumenter\\Æbler og pærer.txt";
    EXPECT_EQ(static_cast<unsigned char>(bytes[strings]), relative.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[strings + 2]), '.');
}

// Without the Unicode path the ANSI one counts; without either, the relative path against the
// link's own folder (wherever the link was moved to).
TEST(ShellLink, ReaderFallsBackToAnsiThenRelativePath)
{
    std::string noUnicode = sampleLink();
    setU32(noUnicode, kLinkInfo + 28, 0);
    auto link = readShellLink(noUnicode, u"C:\\Andetsteds");
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->target, u"C:\\Users\\Tester\\Dokumenter\\Æbler og pærer.txt");

    std::string relativeOnly = sampleLink();
    setU32(relativeOnly, kLinkInfo + 8, 0); // no VolumeID and base path
    link = readShellLink(relativeOnly, u"D:\\Flyttet\\Genveje");
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->target, u"D:\\Flyttet\\Dokumenter\\Æbler og pærer.txt");
    EXPECT_EQ(link->workingDir, u"C:\\Users\\Tester\\Dokumenter");
}

TEST(ShellLink, DamagedLinksAreRefused)
{
    const std::string good = sampleLink();
    ASSERT_TRUE(readShellLink(good, u"C:\\").has_value());
    // Cut short anywhere, the terminal block included.
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(readShellLink(std::string_view(good).substr(0, length), u"C:\\").has_value()) << length;

    const std::size_t strings = kLinkInfo + u32At(good, kLinkInfo);
    struct Patch
    {
        const char *what;
        std::size_t at;
        std::uint32_t value;
    };
    const Patch patches[] = {
        {"header size", 0, 0x4D},
        {"class id", 4, 0x00021402},
        {"LinkInfo size past the end", kLinkInfo, 0xFFFFFFF0},
        {"LinkInfo size below its header", kLinkInfo, 8},
        {"LinkInfo header size", kLinkInfo + 4, 0x20},
        {"volume offset past LinkInfo", kLinkInfo + 12, 0x7FFFFFFF},
        {"base path offset past LinkInfo", kLinkInfo + 16, 0xFFFF},
        {"suffix offset past LinkInfo", kLinkInfo + 24, 0x10000},
        {"Unicode base path offset past LinkInfo", kLinkInfo + 28, 0xFFFFFF},
        {"volume size past LinkInfo", kLinkInfo + 0x24, 0xFFFF},
        {"relative path count past the end", strings, 0x0000FFFF | (u32At(good, strings) & 0xFFFF0000)},
        {"ID list past the end", 20, u32At(good, 20) | 0x1},
        {"a name field that is not there", 20, u32At(good, 20) | 0x4 | 0x20 | 0x40},
        {"an extra block past the end", static_cast<std::uint32_t>(good.size() - 4), 0x1000},
        {"an extra block below its size", static_cast<std::uint32_t>(good.size() - 4), 6},
    };
    for (const Patch &patch : patches) {
        std::string bad = good;
        setU32(bad, patch.at, patch.value);
        EXPECT_FALSE(readShellLink(bad, u"C:\\").has_value()) << patch.what;
    }
    // No NUL before the end of LinkInfo: the base paths run into the next block.
    std::string unterminated = good;
    for (std::size_t i = kLinkInfo + 0x24; i < strings; ++i)
        if (unterminated[i] == '\0')
            unterminated[i] = 'x';
    EXPECT_FALSE(readShellLink(unterminated, u"C:\\").has_value());
}

// Random damage never reads outside the bytes (the sanitizer build watches) nor ends the program.
TEST(ShellLink, RandomDamageIsHarmless)
{
    const std::string good = sampleLink();
    std::mt19937 random(18);
    for (int round = 0; round < 20000; ++round) {
        std::string bad = good;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i)
            bad[random() % bad.size()] = static_cast<char>(random() & 0xFF);
        if (round % 7 == 0)
            bad.resize(random() % bad.size());
        const auto link = readShellLink(bad, u"C:\\Genveje");
        if (link) {
            EXPECT_FALSE(link->target.empty());
        }
    }
}
