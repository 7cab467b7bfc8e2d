#include "platform/paths.h"

#include <gtest/gtest.h>

using platform::parseWindowsPath;

TEST(Paths, ParsesDriveAndComponents)
{
    struct Case
    {
        std::u16string path;
        bool valid;
        char16_t drive;
        std::vector<std::u16string> components;
    };
    const Case cases[] = {
        {u"C:", true, u'C', {}},
        {u"c:\\", true, u'C', {}},
        {u"C:\\Data\\Foto", true, u'C', {u"Data", u"Foto"}},
        {u"d:/Data//Foto\\", true, u'D', {u"Data", u"Foto"}},
        {u"C:\\a\\.\\b\\..\\c", true, u'C', {u"a", u"c"}},
        {u"C:\\..\\..\\x", true, u'C', {u"x"}},
        {u"C:relative", false, 0, {}},
        {u"\\\\server\\share", false, 0, {}},
        {u"Data\\Foto", false, 0, {}},
        {u"1:\\x", false, 0, {}},
        {u"", false, 0, {}},
    };
    for (const auto &c : cases) {
        const auto parsed = parseWindowsPath(c.path);
        ASSERT_EQ(parsed.has_value(), c.valid) << platform::toUtf8(c.path);
        if (!c.valid)
            continue;
        EXPECT_EQ(parsed->drive, c.drive);
        EXPECT_EQ(parsed->components, c.components) << platform::toUtf8(c.path);
    }
}

TEST(Paths, Utf8RoundTripKeepsDanishLettersAndAstralCharacters)
{
    const std::u16string text = u"Æblegrød på Ørsted – 😀";
    EXPECT_EQ(platform::fromUtf8(platform::toUtf8(text)), text);
    EXPECT_EQ(platform::toUtf8(u"å"), "\xC3\xA5");
    // Broken UTF-8 from the host becomes the replacement character, never a crash.
    EXPECT_EQ(platform::fromUtf8("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(platform::fromUtf8("\xFF"
                                 "b"),
              u"\uFFFD"
              u"b");
}

TEST(Paths, ComparesWithoutLetterCaseLikeWindows)
{
    EXPECT_TRUE(platform::equalsIgnoreCase(u"Ærø Søby", u"æRØ sØBY"));
    EXPECT_FALSE(platform::equalsIgnoreCase(u"a", u"b"));
    EXPECT_FALSE(platform::equalsIgnoreCase(u"ab", u"a"));
}

TEST(Paths, SplitsArgumentsLikeCommandLineToArgv)
{
    struct Case
    {
        std::u16string text;
        std::vector<std::u16string> arguments;
    };
    const Case cases[] = {
        {u"", {}},
        {u"   ", {}},
        {u"a b\tc", {u"a", u"b", u"c"}},
        {u"\"C:\\Mine ting\\a.txt\" \"C:\\b.txt\"", {u"C:\\Mine ting\\a.txt", u"C:\\b.txt"}},
        {u"\"\"", {u""}},
        {u"a\\\\\\\"b", {u"a\\\"b"}},     // 3 backslashes + quote: one backslash and a quote
        {u"\"a\\\\\" b", {u"a\\", u"b"}}, // 2 backslashes + quote: one backslash, quote closes
        {u"C:\\a\\b", {u"C:\\a\\b"}},     // backslashes without a quote are literal
        {u"x\"y z\"w", {u"xy zw"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::splitArguments(c.text), c.arguments) << platform::toUtf8(c.text);
}
