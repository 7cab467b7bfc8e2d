#include "platform/posix/recentdocs.h"

#include "platform/posix/textfile.h"
#include "platform/posix/xmltree.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {

namespace {

constexpr const char *kBookmarkNs = "http://www.freedesktop.org/standards/desktop-bookmarks";
constexpr const char *kMimeNs = "http://www.freedesktop.org/standards/shared-mime-info";
constexpr const char *kMetadataOwner = "http://freedesktop.org";
// How the desktop opens an entry of ours: with its own opener, as the program does.
constexpr const char *kRecentExec = "'xdg-open %u'";
// A list this large is someone else's problem: it is left alone rather than read whole.
constexpr std::size_t kXbelLimit = std::size_t(64) << 20;

using Path = std::vector<const XmlNode *>;

// ASCII only: the bytes of a UTF-8 name are always escaped, whatever the locale says.
bool isUnreserved(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

bool isBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isBlank(const XmlNode &node)
{
    return node.kind == XmlNode::Kind::Text && std::all_of(node.text.begin(), node.text.end(), isBlankChar);
}

std::string indent(int level)
{
    return "\n" + std::string(std::size_t(2 * level), ' ');
}

// Adds `child` as the last element of `parent` (at nesting `level`), laid out like its
// siblings: on a line of its own, before the closing tag's line break.
XmlNode &appendLaidOut(XmlNode &parent, XmlNode child, int level)
{
    auto &children = parent.children;
    if (children.empty()) {
        children.push_back(XmlNode::textNode(indent(level + 1)));
        children.push_back(std::move(child));
        children.push_back(XmlNode::textNode(indent(level)));
        return children[children.size() - 2];
    }
    auto at = children.end();
    if (isBlank(children.back()))
        at = children.end() - 1;
    at = children.insert(at, XmlNode::textNode(indent(level + 1)));
    at = children.insert(at + 1, std::move(child));
    return *at;
}

// Puts every child of a freshly built element on a line of its own, all the way down.
void layOut(XmlNode &node, int level)
{
    std::vector<XmlNode> elements;
    elements.swap(node.children);
    for (XmlNode &child : elements) {
        layOut(child, level + 1);
        appendLaidOut(node, std::move(child), level);
    }
}

// Whether `node` (the last of `path`) is the element `local` of namespace `ns`.
bool isElement(const XmlNode &node, const Path &path, std::string_view ns, std::string_view local)
{
    return node.kind == XmlNode::Kind::Element && node.localName() == local &&
           namespaceInScope(path, node.prefix()) == ns;
}

XmlNode *findChild(XmlNode &parent, Path &path, std::string_view ns, std::string_view local,
                   const std::function<bool(const XmlNode &)> &also = {})
{
    for (XmlNode &child : parent.children) {
        path.push_back(&child);
        const bool found = isElement(child, path, ns, local) && (!also || also(child));
        path.pop_back();
        if (found)
            return &child;
    }
    return nullptr;
}

// Whether a declared prefix can name an element: an XML name without ":" ("1b" cannot), so
// that what is written here reads back, by us and by the desktop's other programs.
bool usablePrefix(const std::string &prefix)
{
    const auto nameStart = [](unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; };
    return !prefix.empty() && nameStart(static_cast<unsigned char>(prefix[0])) &&
           std::all_of(prefix.begin(), prefix.end(), [&](char c) {
               const auto u = static_cast<unsigned char>(c);
               return nameStart(u) || std::isdigit(u) || c == '-' || c == '.';
           });
}

// A name for a new element of namespace `ns` below the last of `path`: with a usable prefix
// already bound to it there, or with `wanted` declared on the element itself.
XmlNode newElement(const Path &path, std::string_view ns, const std::string &wanted, const std::string &local)
{
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        for (const auto &[name, value] : (*it)->attributes) {
            if (value != ns || !name.starts_with("xmlns:"))
                continue;
            const std::string prefix = name.substr(6);
            if (usablePrefix(prefix) && namespaceInScope(path, prefix) == ns)
                return XmlNode::element(prefix + ":" + local);
        }
    }
    return XmlNode::element(wanted + ":" + local, {{"xmlns:" + wanted, std::string(ns)}});
}

XmlNode applicationEntry(const Path &path, const std::string &now)
{
    XmlNode application = newElement(path, kBookmarkNs, "bookmark", "application");
    application.setAttribute("name", kRecentApplication);
    application.setAttribute("exec", kRecentExec);
    application.setAttribute("modified", now);
    application.setAttribute("count", "1");
    return application;
}

XmlDocument emptyList()
{
    XmlDocument document;
    document.root = XmlNode::element(
        "xbel", {{"version", "1.0"}, {"xmlns:bookmark", kBookmarkNs}, {"xmlns:mime", kMimeNs}});
    document.root.children.push_back(XmlNode::textNode("\n"));
    return document;
}

// The list in the file; a missing or empty file is an empty list. None when there is a file
// that is no bookmark list, so that it is never overwritten.
std::optional<XmlDocument> readList(const std::string &xbelFile)
{
    struct stat info;
    if (::stat(xbelFile.c_str(), &info) != 0)
        return errno == ENOENT ? std::optional(emptyList()) : std::nullopt;
    std::string text;
    if (!readRegularTextFile(xbelFile, text, kXbelLimit))
        return std::nullopt;
    if (std::all_of(text.begin(), text.end(), isBlankChar))
        return emptyList();
    auto document = parseXml(text);
    if (!document || document->root.name != "xbel")
        return std::nullopt;
    return document;
}

// Written beside the old file and renamed over it; the old file's permissions are kept.
bool writeAtomically(const std::string &file, const std::string &content)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    std::string temporary = file + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat old;
    if (::stat(file.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    bool written = true;
    for (std::size_t done = 0; written && done < content.size();) {
        const ssize_t got = ::write(fd, content.data() + done, content.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        written = got > 0;
        done += written ? std::size_t(got) : 0;
    }
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void markUsed(const XmlNode &root, XmlNode &bookmark, const std::string &now,
              std::chrono::system_clock::time_point time, const std::string &mimeType)
{
    bookmark.setAttribute("modified", now);
    bookmark.setAttribute("visited", now);
    Path path{&root, &bookmark};
    XmlNode *info = findChild(bookmark, path, "", "info");
    if (!info)
        info = &appendLaidOut(bookmark, XmlNode::element("info"), 1);
    path.push_back(info);
    XmlNode *metadata = findChild(*info, path, "", "metadata", [](const XmlNode &node) {
        const std::string *owner = node.attribute("owner");
        return owner && *owner == kMetadataOwner;
    });
    if (!metadata) {
        XmlNode made = XmlNode::element("metadata", {{"owner", kMetadataOwner}});
        path.push_back(&made);
        made.children.push_back(newElement(path, kMimeNs, "mime", "mime-type"));
        made.children.back().setAttribute("type", mimeType);
        path.pop_back();
        layOut(made, 3);
        metadata = &appendLaidOut(*info, std::move(made), 2);
    }
    path.push_back(metadata);
    XmlNode *applications = findChild(*metadata, path, kBookmarkNs, "applications");
    if (!applications)
        applications =
            &appendLaidOut(*metadata, newElement(path, kBookmarkNs, "bookmark", "applications"), 3);
    path.push_back(applications);
    XmlNode *ours = findChild(*applications, path, kBookmarkNs, "application", [](const XmlNode &node) {
        const std::string *name = node.attribute("name");
        return name && *name == kRecentApplication;
    });
    if (!ours) {
        appendLaidOut(*applications, applicationEntry(path, now), 4);
        return;
    }
    long count = 0;
    if (const std::string *old = ours->attribute("count")) {
        char *end = nullptr;
        count = std::strtol(old->c_str(), &end, 10);
        if (end == old->c_str() || count < 0)
            count = 0;
    }
    // A count past what a long holds reads as the largest long (strtol saturates) and stays there.
    ours->setAttribute("count", std::to_string(count < std::numeric_limits<long>::max() ? count + 1 : count));
    ours->setAttribute("modified", now);
    // The older form of the entry keeps its time in seconds.
    if (ours->attribute("timestamp"))
        ours->setAttribute(
            "timestamp",
            std::to_string(
                std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count()));
}

} // namespace

std::string fileUri(const std::string &hostPath)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : hostPath) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(c) || c == '/') {
            uri += c;
        } else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 0xF];
        }
    }
    return uri;
}

std::string hostPathOfUri(const std::string &uri)
{
    std::string_view rest = uri;
    if (!rest.starts_with("file://"))
        return {};
    rest.remove_prefix(7);
    if (rest.starts_with("localhost/"))
        rest.remove_prefix(9);
    if (!rest.starts_with('/'))
        return {};
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && hexValue(rest[i + 1]) >= 0 &&
            hexValue(rest[i + 2]) >= 0) {
            path += char(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2]));
            i += 2;
        } else if (rest[i] == '%' || rest[i] == '?' || rest[i] == '#') {
            return {};
        } else {
            path += rest[i];
        }
    }
    return path;
}

std::string bookmarkTime(std::chrono::system_clock::time_point time)
{
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(time.time_since_epoch()).count();
    std::time_t seconds = std::time_t(micros / 1000000);
    long fraction = long(micros % 1000000);
    if (fraction < 0) {
        fraction += 1000000;
        --seconds;
    }
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[96]; // room for any int the fields may hold
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%06ldZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, fraction);
    return text;
}

std::string mimeTypeOf(const std::string &hostPath, bool directory)
{
    if (directory)
        return "inode/directory";
    static const std::pair<const char *, const char *> types[] = {
        {"txt", "text/plain"},
        {"htm", "text/html"},
        {"html", "text/html"},
        {"css", "text/css"},
        {"js", "text/javascript"},
        {"xml", "application/xml"},
        {"pdf", "application/pdf"},
        {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},
        {"png", "image/png"},
        {"gif", "image/gif"},
        {"bmp", "image/bmp"},
        {"tif", "image/tiff"},
        {"tiff", "image/tiff"},
        {"ico", "image/vnd.microsoft.icon"},
        {"svg", "image/svg+xml"},
        {"webp", "image/webp"},
        {"mp3", "audio/mpeg"},
        {"m4a", "audio/mp4"},
        {"wav", "audio/x-wav"},
        {"ogg", "audio/ogg"},
        {"flac", "audio/flac"},
        {"mp4", "video/mp4"},
        {"m4v", "video/mp4"},
        {"avi", "video/x-msvideo"},
        {"mov", "video/quicktime"},
        {"wmv", "video/x-ms-wmv"},
        {"mpg", "video/mpeg"},
        {"mpeg", "video/mpeg"},
        {"mkv", "video/x-matroska"},
        {"zip", "application/zip"},
        {"doc", "application/msword"},
        {"odt", "application/vnd.oasis.opendocument.text"},
    };
    const std::string name = std::filesystem::path(hostPath).filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        std::string extension = name.substr(dot + 1);
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        for (const auto &[known, type] : types) {
            if (extension == known)
                return type;
        }
    }
    return "application/octet-stream";
}

bool addRecentFile(const std::string &xbelFile, const std::string &hostPath, const std::string &mimeType,
                   std::chrono::system_clock::time_point now)
{
    auto document = readList(xbelFile);
    if (!document)
        return false;
    const std::string time = bookmarkTime(now);
    XmlNode &root = document->root;
    for (XmlNode &child : root.children) {
        const std::string *href = child.attribute("href");
        if (child.kind == XmlNode::Kind::Element && child.name == "bookmark" && href &&
            hostPathOfUri(*href) == hostPath) {
            markUsed(root, child, time, now, mimeType);
            return writeAtomically(xbelFile, writeXml(*document));
        }
    }
    XmlNode bookmark = XmlNode::element(
        "bookmark", {{"href", fileUri(hostPath)}, {"added", time}, {"modified", time}, {"visited", time}});
    XmlNode info = XmlNode::element("info");
    XmlNode metadata = XmlNode::element("metadata", {{"owner", kMetadataOwner}});
    Path path{&root, &bookmark, &info, &metadata};
    XmlNode mime = newElement(path, kMimeNs, "mime", "mime-type");
    mime.setAttribute("type", mimeType);
    XmlNode applications = newElement(path, kBookmarkNs, "bookmark", "applications");
    path.push_back(&applications);
    applications.children.push_back(applicationEntry(path, time));
    metadata.children.push_back(std::move(mime));
    metadata.children.push_back(std::move(applications));
    info.children.push_back(std::move(metadata));
    bookmark.children.push_back(std::move(info));
    layOut(bookmark, 1);
    appendLaidOut(root, std::move(bookmark), 0);
    return writeAtomically(xbelFile, writeXml(*document));
}

bool clearRecentFiles(const std::string &xbelFile)
{
    struct stat info;
    if (::stat(xbelFile.c_str(), &info) != 0 && errno == ENOENT)
        return true;
    auto document = readList(xbelFile);
    if (!document)
        return false;
    auto &children = document->root.children;
    std::vector<XmlNode> kept;
    for (auto &child : children) {
        if (child.kind == XmlNode::Kind::Element && child.name == "bookmark") {
            if (!kept.empty() && isBlank(kept.back()))
                kept.pop_back(); // the bookmark's own line goes with it
            continue;
        }
        kept.push_back(std::move(child));
    }
    if (kept.empty() || !isBlank(kept.back()))
        kept.push_back(XmlNode::textNode("\n"));
    children = std::move(kept);
    return writeAtomically(xbelFile, writeXml(*document));
}

} // namespace platform::posix
