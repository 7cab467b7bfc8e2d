#include "platform/posix/xmltree.h"

#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace platform::posix {

namespace {

// Deeper documents are refused rather than followed down the stack.
constexpr int kMaxDepth = 200;

bool isXmlChar(std::uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Well-formed UTF-8 of characters XML allows: no overlong forms, surrogates or control
// characters.
bool isXmlUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t c;
        std::size_t length;
        if (lead < 0x80) {
            c = lead;
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            c = lead & 0x1Fu;
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            c = lead & 0x0Fu;
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            c = lead & 0x07u;
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3Fu);
        }
        const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
        if (overlong || !isXmlChar(c))
            return false;
        i += length;
    }
    return true;
}

bool isNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || u >= 0x80;
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class Reader
{
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    {}

    std::optional<XmlDocument> document()
    {
        XmlDocument doc;
        if (startsWith("<?xml") && m_pos + 5 < m_text.size() && isSpace(m_text[m_pos + 5])) {
            if (!declaration())
                return std::nullopt;
        }
        bool haveRoot = false;
        for (;;) {
            skipSpace();
            if (atEnd())
                break;
            if (startsWith("<!--") || startsWith("<?")) {
                XmlNode node;
                if (!(startsWith("<!--") ? comment(node) : instruction(node)))
                    return std::nullopt;
                (haveRoot ? doc.after : doc.before).push_back(std::move(node));
            } else if (startsWith("<!DOCTYPE")) {
                if (haveRoot || !doc.doctype.empty() || !doctype(doc.doctype))
                    return std::nullopt;
            } else if (!haveRoot && peek() == '<') {
                if (!element(doc.root, 0))
                    return std::nullopt;
                haveRoot = true;
            } else {
                return std::nullopt;
            }
        }
        if (!haveRoot)
            return std::nullopt;
        return doc;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    bool startsWith(std::string_view what) const { return m_text.substr(m_pos).starts_with(what); }
    bool skipSpace()
    {
        const std::size_t start = m_pos;
        while (!atEnd() && isSpace(m_text[m_pos]))
            ++m_pos;
        return m_pos > start;
    }
    bool expect(std::string_view what)
    {
        if (!startsWith(what))
            return false;
        m_pos += what.size();
        return true;
    }

    bool name(std::string &out)
    {
        if (atEnd() || !isNameStart(m_text[m_pos]))
            return false;
        const std::size_t start = m_pos;
        while (!atEnd() && isNameChar(m_text[m_pos]))
            ++m_pos;
        out.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    // An entity or character reference after its "&"; appends what it stands for.
    bool reference(std::string &out)
    {
        const std::size_t semicolon = m_text.find(';', m_pos);
        if (semicolon == std::string_view::npos || semicolon - m_pos > 12)
            return false;
        const std::string_view ref = m_text.substr(m_pos, semicolon - m_pos);
        m_pos = semicolon + 1;
        static const std::pair<std::string_view, char> named[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
        for (const auto &[entity, character] : named) {
            if (ref == entity) {
                out += character;
                return true;
            }
        }
        if (ref.size() < 2 || ref[0] != '#')
            return false; // no DTD, so no other entity is known
        const bool hex = ref[1] == 'x';
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty())
            return false;
        std::uint32_t value = 0;
        for (const char d : digits) {
            std::uint32_t digit;
            if (d >= '0' && d <= '9')
                digit = std::uint32_t(d - '0');
            else if (hex && d >= 'a' && d <= 'f')
                digit = std::uint32_t(d - 'a' + 10);
            else if (hex && d >= 'A' && d <= 'F')
                digit = std::uint32_t(d - 'A' + 10);
            else
                return false;
            value = value * (hex ? 16u : 10u) + digit;
            if (value > 0x10FFFF)
                return false;
        }
        if (!isXmlChar(value))
            return false;
        appendUtf8(out, char32_t(value));
        return true;
    }

    bool attributeValue(std::string &out)
    {
        const char quote = peek();
        if (quote != '"' && quote != '\'')
            return false;
        ++m_pos;
        for (;;) {
            if (atEnd())
                return false;
            const char c = m_text[m_pos++];
            if (c == quote)
                return true;
            if (c == '<')
                return false;
            if (c == '&') {
                if (!reference(out))
                    return false;
            } else {
                // Literal white space in a value reads as a space; a referenced one stays.
                out += isSpace(c) ? ' ' : c;
            }
        }
    }

    bool declaration()
    {
        m_pos += 5;
        const std::size_t end = m_text.find("?>", m_pos);
        if (end == std::string_view::npos)
            return false;
        // Only UTF-8 is read; a declared encoding of another name is refused.
        std::string content(m_text.substr(m_pos, end - m_pos));
        std::transform(content.begin(), content.end(), content.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        const std::size_t encoding = content.find("encoding");
        if (encoding != std::string::npos) {
            const std::size_t quote = content.find_first_of("\"'", encoding);
            if (quote == std::string::npos)
                return false;
            const std::size_t close = content.find(content[quote], quote + 1);
            if (close == std::string::npos)
                return false;
            const std::string value = content.substr(quote + 1, close - quote - 1);
            if (value != "utf-8" && value != "utf8")
                return false;
        }
        m_pos = end + 2;
        return true;
    }

    bool comment(XmlNode &node)
    {
        m_pos += 4;
        const std::size_t end = m_text.find("--", m_pos);
        if (end == std::string_view::npos || !m_text.substr(end).starts_with("-->"))
            return false;
        node.kind = XmlNode::Kind::Comment;
        node.text.assign(m_text.substr(m_pos, end - m_pos));
        m_pos = end + 3;
        return true;
    }

    bool instruction(XmlNode &node)
    {
        m_pos += 2;
        if (!name(node.name))
            return false;
        std::string lower = node.name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (lower == "xml")
            return false; // a declaration anywhere but at the very start
        const bool spaced = skipSpace();
        const std::size_t end = m_text.find("?>", m_pos);
        if (end == std::string_view::npos || (!spaced && end != m_pos))
            return false;
        node.kind = XmlNode::Kind::Instruction;
        node.text.assign(m_text.substr(m_pos, end - m_pos));
        m_pos = end + 2;
        return true;
    }

    // Kept as written, internal subset and all.
    bool doctype(std::string &out)
    {
        const std::size_t start = m_pos;
        int brackets = 0;
        char quote = 0;
        for (; !atEnd(); ++m_pos) {
            const char c = m_text[m_pos];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++m_pos;
                out.assign(m_text.substr(start, m_pos - start));
                return brackets == 0;
            }
        }
        return false;
    }

    bool element(XmlNode &node, int depth)
    {
        if (depth > kMaxDepth || !expect("<") || !name(node.name))
            return false;
        node.kind = XmlNode::Kind::Element;
        for (;;) {
            const bool spaced = skipSpace();
            if (expect("/>"))
                return true;
            if (expect(">"))
                break;
            std::string attributeName, value;
            if (!spaced || !name(attributeName))
                return false;
            skipSpace();
            if (!expect("="))
                return false;
            skipSpace();
            if (!attributeValue(value) || node.attribute(attributeName))
                return false;
            node.attributes.emplace_back(std::move(attributeName), std::move(value));
        }
        for (;;) {
            if (atEnd())
                return false;
            if (expect("</")) {
                std::string closing;
                if (!name(closing) || closing != node.name)
                    return false;
                skipSpace();
                return expect(">");
            }
            XmlNode child;
            if (startsWith("<!--")) {
                if (!comment(child))
                    return false;
            } else if (expect("<![CDATA[")) {
                const std::size_t end = m_text.find("]]>", m_pos);
                if (end == std::string_view::npos)
                    return false;
                child.kind = XmlNode::Kind::CData;
                child.text.assign(m_text.substr(m_pos, end - m_pos));
                m_pos = end + 3;
            } else if (startsWith("<?")) {
                if (!instruction(child))
                    return false;
            } else if (peek() == '<') {
                if (!element(child, depth + 1))
                    return false;
            } else if (!text(child)) {
                return false;
            }
            node.children.push_back(std::move(child));
        }
    }

    bool text(XmlNode &node)
    {
        node.kind = XmlNode::Kind::Text;
        while (!atEnd() && m_text[m_pos] != '<') {
            if (startsWith("]]>"))
                return false;
            const char c = m_text[m_pos++];
            if (c == '&') {
                if (!reference(node.text))
                    return false;
            } else {
                node.text += c;
            }
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

void escapeInto(std::string &out, std::string_view text, bool attribute)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\'':
            out += attribute ? "&apos;" : "'";
            break;
        case '\r':
            out += "&#13;"; // read back as a line break otherwise
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        default:
            out += c;
        }
    }
}

void writeNode(std::string &out, const XmlNode &node)
{
    switch (node.kind) {
    case XmlNode::Kind::Text:
        escapeInto(out, node.text, false);
        return;
    case XmlNode::Kind::CData:
        out += "<![CDATA[" + node.text + "]]>";
        return;
    case XmlNode::Kind::Comment:
        out += "<!--" + node.text + "-->";
        return;
    case XmlNode::Kind::Instruction:
        out += "<?" + node.name + (node.text.empty() ? "" : " " + node.text) + "?>";
        return;
    case XmlNode::Kind::Element:
        break;
    }
    out += '<';
    out += node.name;
    for (const auto &[name, value] : node.attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        escapeInto(out, value, true);
        out += '"';
    }
    if (node.children.empty()) {
        out += "/>";
        return;
    }
    out += '>';
    for (const XmlNode &child : node.children)
        writeNode(out, child);
    out += "</";
    out += node.name;
    out += '>';
}

} // namespace

XmlNode XmlNode::element(std::string name, std::vector<std::pair<std::string, std::string>> attributes)
{
    XmlNode node;
    node.kind = Kind::Element;
    node.name = std::move(name);
    node.attributes = std::move(attributes);
    return node;
}

XmlNode XmlNode::textNode(std::string text)
{
    XmlNode node;
    node.kind = Kind::Text;
    node.text = std::move(text);
    return node;
}

const std::string *XmlNode::attribute(std::string_view attributeName) const
{
    for (const auto &[key, value] : attributes) {
        if (key == attributeName)
            return &value;
    }
    return nullptr;
}

void XmlNode::setAttribute(std::string_view attributeName, std::string value)
{
    for (auto &[key, old] : attributes) {
        if (key == attributeName) {
            old = std::move(value);
            return;
        }
    }
    attributes.emplace_back(std::string(attributeName), std::move(value));
}

std::string_view XmlNode::localName() const
{
    const std::string_view full = name;
    const std::size_t colon = full.find(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

std::string_view XmlNode::prefix() const
{
    const std::string_view full = name;
    const std::size_t colon = full.find(':');
    return colon == std::string_view::npos ? std::string_view() : full.substr(0, colon);
}

std::optional<XmlDocument> parseXml(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (!isXmlUtf8(text))
        return std::nullopt;
    // Line ends read as line feeds, as the XML rules have it.
    std::string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            normal += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            normal += text[i];
        }
    }
    return Reader(normal).document();
}

std::string writeXml(const XmlDocument &document)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    for (const XmlNode &node : document.before) {
        writeNode(out, node);
        out += '\n';
    }
    if (!document.doctype.empty())
        out += document.doctype + "\n";
    writeNode(out, document.root);
    for (const XmlNode &node : document.after) {
        out += '\n';
        writeNode(out, node);
    }
    out += '\n';
    return out;
}

std::string namespaceInScope(const std::vector<const XmlNode *> &path, std::string_view prefix)
{
    if (prefix == "xml")
        return "http://www.w3.org/XML/1998/namespace";
    const std::string declaration = prefix.empty() ? std::string("xmlns") : "xmlns:" + std::string(prefix);
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (const std::string *uri = (*it)->attribute(declaration))
            return *uri;
    }
    return {};
}

} // namespace platform::posix
