#include "platform/paths.h"

#include <algorithm>

namespace platform {

std::string toUtf8(const std::u16string &text)
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
        }
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
    return out;
}

std::u16string fromUtf8(const std::string &text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        std::size_t length = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            length = 2;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
        }
        if (length > 1) {
            if (i + length > text.size()) {
                length = 1;
            } else {
                c = b & (0x7F >> length);
                for (std::size_t k = 1; k < length; ++k) {
                    const auto next = static_cast<unsigned char>(text[i + k]);
                    if ((next & 0xC0) != 0x80) {
                        c = 0xFFFD;
                        length = k;
                        break;
                    }
                    c = (c << 6) | (next & 0x3F);
                }
            }
        }
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c > 0x10FFFF ? 0xFFFD : c);
        }
        i += length;
    }
    return out;
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
            quoted = !quoted;
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

} // namespace platform
