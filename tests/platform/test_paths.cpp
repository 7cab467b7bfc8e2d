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
    // Broken UTF-8 from the host becomes one escape per byte, never a crash.
    EXPECT_EQ(platform::fromUtf8("a\xC3"), u"a\uEFC3");
    EXPECT_EQ(platform::fromUtf8("\xFF"
                                 "b"),
              u"\uEFFF"
              u"b");
}

// Every host name has one program name, and that name gives back the host's bytes.
TEST(Paths, EveryHostNameRoundTripsToItsOwnBytes)
{
    const std::string names[] = {
        "\xE6"
        "ble", // Latin-1 "æble"
        "\xF8"
        "ble", // Latin-1 "øble"
        "\xC3\xA6"
        "ble",              // UTF-8 "æble"
        "\xC0\xAE",         // overlong "."
        "\xC0\xAE\xC0\xAE", // overlong ".."
        "\xE0\x80\xAE",     // three-byte overlong "."
        "a\xC0\xAF"
        "b",                // overlong "/"
        "\xED\xA0\x80",     // an encoded surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xEE\xBF\xA6"
        "ble",                       // U+EFE6 written out: the escape of "\xE6" is taken
        "\xEE\xBD\xBF",              // U+EF7F, just below the escape range
        "\xE2\x82",                  // cut short
        "\xF0\x9F\x98\x80 \x80\xBF", // astral, then stray continuation bytes
    };
    std::vector<std::u16string> programNames;
    for (const std::string &name : names) {
        const std::u16string program = platform::fromUtf8(name);
        EXPECT_EQ(platform::toUtf8(program), name) << name;
        EXPECT_NE(program, u".") << name;
        EXPECT_NE(program, u"..") << name;
        EXPECT_EQ(program.find(u'/'), std::u16string::npos) << name;
        for (const auto &other : programNames)
            EXPECT_FALSE(platform::equalsIgnoreCase(program, other)) << name;
        programNames.push_back(program);
    }
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
        {u"\"a \"\"b\" c", {u"a \"b", u"c"}}, // a doubled quote inside quotes is a literal one
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::splitArguments(c.text), c.arguments) << platform::toUtf8(c.text);
}

// A quoted argument is read back as that one argument, whatever it holds.
TEST(Paths, QuotedArgumentsSplitBackToThemselves)
{
    const std::u16string arguments[] = {
        u"C:\\Mine ting\\a.txt",
        u"C:\\x\" --evil \"y.txt",
        u"C:\\",     // a trailing backslash
        u"a\\\\\"b", // backslashes before a quote
        u"\"",
        u"",
        u"tab\there",
    };
    for (const auto &argument : arguments) {
        const std::u16string quoted = platform::quoteArgument(argument);
        EXPECT_EQ(platform::splitArguments(quoted), std::vector<std::u16string>{argument})
            << platform::toUtf8(quoted);
        EXPECT_EQ(platform::splitArguments(quoted + u" " + quoted),
                  (std::vector<std::u16string>{argument, argument}))
            << platform::toUtf8(quoted);
    }
    EXPECT_EQ(platform::quoteArgument(u"C:\\Mine ting\\a.txt"), u"\"C:\\Mine ting\\a.txt\"");
}
