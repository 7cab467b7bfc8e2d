#pragma once
// A small XML reader and writer for the desktop's own files (recently-used.xbel): the whole
// document as a tree that is written back as it was read, so that entries and attributes other
// programs keep there survive a change of ours. UTF-8 only; no DTD beyond keeping it.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::posix {

struct XmlNode
{
    enum class Kind { Element, Text, CData, Comment, Instruction };

    Kind kind = Kind::Element;
    std::string name; // element name as written (with its prefix); an instruction's target
    // Values are unescaped; the writer escapes them again.
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text; // text (unescaped), CDATA, comment or instruction content
    std::vector<XmlNode> children;

    static XmlNode element(std::string name,
                           std::vector<std::pair<std::string, std::string>> attributes = {});
    static XmlNode textNode(std::string text);

    const std::string *attribute(std::string_view attributeName) const;
    void setAttribute(std::string_view attributeName, std::string value);
    // The name without its prefix, and the prefix ("" when there is none).
    std::string_view localName() const;
    std::string_view prefix() const;
};

struct XmlDocument
{
    std::vector<XmlNode> before; // comments and instructions before the root
    std::string doctype;         // "<!DOCTYPE ...>" as written, or empty
    XmlNode root;
    std::vector<XmlNode> after;
};

// The document, or none when the text is no well-formed UTF-8 XML (or declares another
// encoding, or nests deeper than the reader follows).
std::optional<XmlDocument> parseXml(std::string_view text);
// The document with an XML declaration for UTF-8 and a line break at the end.
std::string writeXml(const XmlDocument &document);

// The namespace URI bound to `prefix` ("" for the default namespace) by the elements from the
// root down to the last of `path`; "" when it is not bound.
std::string namespaceInScope(const std::vector<const XmlNode *> &path, std::string_view prefix);

} // namespace platform::posix
