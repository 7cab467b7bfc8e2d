#include "platform/paths.h"

#include <algorithm>

namespace platform {

namespace {

// Host names are bytes; most are UTF-8, but not all (old Latin-1 names, damaged media). Each
// byte that is not part of a well-formed UTF-8 sequence becomes one private-use character, so
// every host name has exactly one UTF-16 form and converts back to the same bytes. A private
// range (rather than lone surrogates) survives QString and UTF-8 line files unchanged.
constexpr char32_t kEscapeBase = 0xEF00; // bytes 0x80..0xFF as U+EF80..U+EFFF

bool isEscape(char32_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

// The characters a Windows name cannot hold stand in a program name as U+F000 plus their code,
// so a host name holding them is still one name ("sub\x.txt" is no path).
constexpr char32_t kRefusedBase = 0xF000;

bool refusedInWindowsName(char32_t c)
{
    return (c >= 0x01 && c <= 0x1F) || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
           c == u'<' || c == u'>' || c == u'|';
}

bool isRefusedStandIn(char32_t c)
{
    return c >= kRefusedBase && c < kRefusedBase + 0x80 && refusedInWindowsName(c - kRefusedBase);
}

// The code point of a well-formed UTF-8 sequence at text[i] (shortest form, no surrogates,
// at most U+10FFFF) and its length; length 0 when the bytes there are not one.
char32_t decodeSequence(const std::string &text, std::size_t i, std::size_t &length)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char b = byte(0);
    length = 0;
    std::size_t need;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        need = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 3;
        if (b == 0xE0)
            low = 0xA0; // overlong
        else if (b == 0xED)
            high = 0x9F; // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 4;
        if (b == 0xF0)
            low = 0x90; // overlong
        else if (b == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0; // a continuation byte, C0, C1 or F5..FF
    }
    if (i + need > text.size() || byte(1) < low || byte(1) > high)
        return 0;
    char32_t c = b & (0x7F >> need);
    for (std::size_t k = 1; k < need; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(k) & 0x3F);
    }
    length = need;
    return c;
}

} // namespace

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

namespace {

std::string encodeHost(const std::u16string &text, bool name)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // lone surrogate
        } else if (isEscape(c)) {
            out += char(c - kEscapeBase);
            continue;
        } else if (name && isRefusedStandIn(c)) {
            out += char(c - kRefusedBase);
            continue;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string decodeHost(const std::string &text, bool name)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += char16_t(name && refusedInWindowsName(b) ? kRefusedBase + b : b);
            ++i;
            continue;
        }
        std::size_t length = 0;
        const char32_t c = decodeSequence(text, i, length);
        // A well-formed character that stands for something else is escaped too, byte by
        // byte; otherwise it would read back as what it stands for.
        if (length == 0 || isEscape(c) || (name && isRefusedStandIn(c))) {
            out += char16_t(kEscapeBase + b);
            ++i;
        } else if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
            i += length;
        } else {
            out += char16_t(c);
            i += length;
        }
    }
    return out;
}

} // namespace

std::string toUtf8(const std::u16string &text)
{
    return encodeHost(text, false);
}

std::string hostNameOf(const std::u16string &windowsName)
{
    return encodeHost(windowsName, true);
}

std::u16string windowsNameOf(const std::string &hostName)
{
    return decodeHost(hostName, true);
}

std::u16string fromUtf8(const std::string &text)
{
    return decodeHost(text, false);
}

char16_t foldCase(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return c - 32;
    // Latin-1 lower-case letters, except ÷ (0xF7) and ÿ (0xFF, whose capital is elsewhere).
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 32;
    return c;
}

bool equalsIgnoreCase(const std::u16string &a, const std::u16string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

bool lessIgnoringCase(const std::u16string &a, const std::u16string &b)
{
    const std::size_t length = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t x = foldCase(a[i]);
        const char16_t y = foldCase(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

std::optional<WindowsPath> parseWindowsPath(const std::u16string &path)
{
    if (path.size() < 2 || path[1] != u':')
        return std::nullopt;
    const char16_t letter = foldCase(path[0]);
    if (letter < u'A' || letter > u'Z')
        return std::nullopt;
    if (path.size() > 2 && path[2] != u'\\' && path[2] != u'/')
        return std::nullopt; // "C:foo" is relative to the drive's current folder
    WindowsPath parsed;
    parsed.drive = letter;
    std::u16string part;
    auto flush = [&] {
        if (part == u"..") {
            if (!parsed.components.empty())
                parsed.components.pop_back();
        } else if (!part.empty() && part != u".") {
            parsed.components.push_back(part);
        }
        part.clear();
    };
    for (std::size_t i = 2; i < path.size(); ++i) {
        if (path[i] == u'\\' || path[i] == u'/')
            flush();
        else
            part += path[i];
    }
    flush();
    return parsed;
}

std::vector<std::u16string> splitArguments(const std::u16string &text)
{
    std::vector<std::u16string> arguments;
    std::u16string current;
    bool inArgument = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\\') {
            std::size_t slashes = 0;
            while (i < text.size() && text[i] == u'\\') {
                ++slashes;
                ++i;
            }
            inArgument = true;
            if (i < text.size() && text[i] == u'"') {
                current.append(slashes / 2, u'\\');
                if (slashes % 2 == 1) {
                    current += u'"';
                    ++i;
                }
            } else {
                current.append(slashes, u'\\');
            }
            continue;
        }
        if (c == u'"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == u'"') {
                current += u'"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inArgument = true;
        } else if ((c == u' ' || c == u'\t') && !quoted) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
        ++i;
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

std::u16string quoteArgument(const std::u16string &argument)
{
    std::u16string out(1, u'"');
    std::size_t slashes = 0;
    for (const char16_t c : argument) {
        if (c == u'\\') {
            ++slashes;
            out += c;
            continue;
        }
        if (c == u'"') {
            // Backslashes before a quote are doubled and the quote itself escaped.
            out.append(slashes + 1, u'\\');
        }
        slashes = 0;
        out += c;
    }
    out.append(slashes, u'\\'); // trailing backslashes must not escape the closing quote
    out += u'"';
    return out;
}

} // namespace platform
