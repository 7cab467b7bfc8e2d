// The desktop's recent documents: the XML reader and writer under it, file URIs, and the list
// itself, kept whole for every other program that writes it.

#include "platform/posix/posixplatform.h"
#include "platform/posix/recentdocs.h"
#include "platform/posix/xmltree.h"
#include "tempfolder.h"
#include "twodrives.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace platform::posix;

namespace {

const std::string kBookmarkNs = "http://www.freedesktop.org/standards/desktop-bookmarks";
const std::string kMimeNs = "http://www.freedesktop.org/standards/shared-mime-info";

std::chrono::system_clock::time_point at(std::int64_t seconds, std::int64_t micros = 0)
{
    return std::chrono::system_clock::time_point(std::chrono::seconds(seconds) +
                                                 std::chrono::microseconds(micros));
}

// The elements below `node` named `local` (prefix ignored), depth first.
void collect(const XmlNode &node, std::string_view local, std::vector<const XmlNode *> &found)
{
    for (const XmlNode &child : node.children) {
        if (child.kind != XmlNode::Kind::Element)
            continue;
        if (child.localName() == local)
            found.push_back(&child);
        collect(child, local, found);
    }
}

std::vector<const XmlNode *> all(const XmlNode &node, std::string_view local)
{
    std::vector<const XmlNode *> found;
    collect(node, local, found);
    return found;
}

std::string attr(const XmlNode *node, std::string_view name)
{
    const std::string *value = node ? node->attribute(name) : nullptr;
    return value ? *value : std::string("(none)");
}

XmlDocument readBack(const fs::path &file)
{
    auto document = parseXml(readFile(file));
    EXPECT_TRUE(document.has_value());
    return document ? *document : XmlDocument{};
}

// A list as another program left it: its own prefixes, a private bookmark with groups, an
// older application entry, a comment, and layout of its own.
const std::string kForeign = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- kept by another program -->
<xbel version="1.0" xmlns:bm="http://www.freedesktop.org/standards/desktop-bookmarks"
      xmlns:mt="http://www.freedesktop.org/standards/shared-mime-info">
  <bookmark href="file:///home/anden/Dokumenter/R%C3%A6kke%20%26%20f%C3%B8lge.odt" added="2020-01-01T10:00:00Z" modified="2020-01-02T10:00:00Z" visited="2020-01-03T10:00:00Z">
    <title>Række &amp; følge</title>
    <info>
      <metadata owner="http://freedesktop.org">
        <mt:mime-type type="application/vnd.oasis.opendocument.text"/>
        <bm:groups><bm:group>Kontor</bm:group></bm:groups>
        <bm:applications>
          <bm:application name="Kontorpakke" exec="&apos;kontor %u&apos;" timestamp="1577872800" count="3"/>
        </bm:applications>
        <bm:private/>
      </metadata>
    </info>
  </bookmark>
</xbel>
)";

// The text of the foreign bookmark element, exactly as it stands in a written list.
std::string foreignBookmark(const std::string &text)
{
    const auto start = text.find("<bookmark href=\"file:///home/anden/");
    const auto end = text.find("</bookmark>", start);
    return start == std::string::npos || end == std::string::npos ? std::string()
                                                                  : text.substr(start, end + 11 - start);
}

} // namespace

TEST(XmlTree, ReadsAndWritesBackWhatItRead)
{
    const std::string text = "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\r\n"
                             "<!DOCTYPE xbel>\n<?stil type=\"x\"?>\n"
                             "<a x='1 \"2\"' y=\"&lt;&amp;&gt;&#65;&#x10FFFF;\t\n\" xmlns:p=\"urn:p\">"
                             "tekst &amp; mere<![CDATA[<rå & ren>]]><!-- bemærkning -->"
                             "<p:b/><c>æøå &#229;</c>\r\n<?pi data?></a>\n<!-- efter -->";
    const auto document = parseXml(text);
    ASSERT_TRUE(document.has_value());
    const XmlNode &a = document->root;
    EXPECT_EQ(a.name, "a");
    EXPECT_EQ(attr(&a, "x"), "1 \"2\"");
    EXPECT_EQ(attr(&a, "y"), "<&>A\xF4\x8F\xBF\xBF  "); // literal white space in a value reads as spaces
    ASSERT_EQ(a.children.size(), 7u);
    EXPECT_EQ(a.children[0].text, "tekst & mere");
    EXPECT_EQ(a.children[1].kind, XmlNode::Kind::CData);
    EXPECT_EQ(a.children[1].text, "<rå & ren>");
    EXPECT_EQ(a.children[2].kind, XmlNode::Kind::Comment);
    EXPECT_EQ(a.children[3].prefix(), "p");
    EXPECT_EQ(a.children[3].localName(), "b");
    EXPECT_EQ(namespaceInScope({&a, &a.children[3]}, "p"), "urn:p");
    EXPECT_EQ(namespaceInScope({&a, &a.children[3]}, "q"), "");
    EXPECT_EQ(a.children[4].children.at(0).text, "æøå å");
    EXPECT_EQ(a.children[5].text, "\n"); // a CR LF reads as one line feed
    EXPECT_EQ(a.children[6].kind, XmlNode::Kind::Instruction);
    EXPECT_EQ(document->doctype, "<!DOCTYPE xbel>");
    ASSERT_EQ(document->after.size(), 1u);

    // Written and read again, nothing has changed; writing that gives the same text.
    const std::string written = writeXml(*document);
    const auto again = parseXml(written);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(writeXml(*again), written);
    EXPECT_EQ(attr(&again->root, "y"), attr(&a, "y"));
    EXPECT_EQ(again->root.children[1].text, "<rå & ren>");
    EXPECT_NE(written.find("x=\"1 &quot;2&quot;\""), std::string::npos);
    EXPECT_NE(written.find("tekst &amp; mere"), std::string::npos);
}

TEST(XmlTree, EscapesWhatItWrites)
{
    XmlDocument document;
    document.root = XmlNode::element("r", {{"v", "a&b<c>d\"e'f\tg\nh\ri"}});
    document.root.children.push_back(XmlNode::textNode("1 < 2 && 3 > 2 ]]> \"ok\" 'ok'\r"));
    const std::string written = writeXml(document);
    EXPECT_EQ(written, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<r v=\"a&amp;b&lt;c&gt;d&quot;e&apos;f&#9;g&#10;h&#13;i\">"
                       "1 &lt; 2 &amp;&amp; 3 &gt; 2 ]]&gt; \"ok\" 'ok'&#13;</r>\n");
    const auto back = parseXml(written);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(attr(&back->root, "v"), "a&b<c>d\"e'f\tg\nh\ri");
    EXPECT_EQ(back->root.children.at(0).text, "1 < 2 && 3 > 2 ]]> \"ok\" 'ok'\r");
}

TEST(XmlTree, RefusesWhatIsNotWellFormed)
{
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep.insert(deep.size() / 2, "<d></d>");
    const std::pair<const char *, std::string> cases[] = {
        {"empty", ""},
        {"unclosed", "<a><b></a>"},
        {"wrong end tag", "<a></b>"},
        {"unknown entity", "<a>&nbsp;</a>"},
        {"bare ampersand", "<a>fish & chips</a>"},
        {"reference to no character", "<a>&#0;</a>"},
        {"reference out of range", "<a>&#x110000;</a>"},
        {"twice the same attribute", "<a x='1' x='2'/>"},
        {"attributes without space", "<a x='1'y='2'/>"},
        {"less-than in a value", "<a x='<'/>"},
        {"unquoted value", "<a x=1/>"},
        {"two roots", "<a/><b/>"},
        {"text outside the root", "<a/>tekst"},
        {"end of CDATA in text", "<a>]]></a>"},
        {"double hyphen in a comment", "<a><!-- a -- b --></a>"},
        {"a control character", "<a>\x01</a>"},
        {"not UTF-8", "<a>\xE6</a>"},
        {"an overlong form", "<a>\xC0\xBC</a>"},
        {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>"},
        {"a declaration later on", "<a><?xml version=\"1.0\"?></a>"},
        {"nested too deep", deep},
    };
    for (const auto &[name, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(parseXml(text).has_value());
    }
}

TEST(RecentDocs, FileUrisArePercentEncodedBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/brev.txt", "file:///home/u/brev.txt"},
        {"/home/u/a b.txt", "file:///home/u/a%20b.txt"},
        {"/home/u/Ærø/æ.txt", "file:///home/u/%C3%86r%C3%B8/%C3%A6.txt"},
        {"/tmp/&<>\"'#?%;=+", "file:///tmp/%26%3C%3E%22%27%23%3F%25%3B%3D%2B"},
        {"/tmp/latin1-\xE6", "file:///tmp/latin1-%E6"}, // a name that is no UTF-8 keeps its byte
        {"/tmp/-._~", "file:///tmp/-._~"},
    };
    for (const auto &[path, uri] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(fileUri(path), uri);
        EXPECT_EQ(hostPathOfUri(uri), path);
    }
    EXPECT_EQ(hostPathOfUri("file:///home/u/%c3%a6"), "/home/u/æ");
    EXPECT_EQ(hostPathOfUri("file://localhost/x"), "/x");
    for (const char *notOurs : {"http://x/y", "file://server/x", "file:///a%G1", "file:///a%2", "relativ"})
        EXPECT_EQ(hostPathOfUri(notOurs), "") << notOurs;
}

TEST(RecentDocs, AFirstEntryMakesTheListAndItsFolder)
{
    TempFolder home;
    const fs::path list = home.path() / "data/recently-used.xbel";
    const std::string file = "/home/u/Rapport & <udkast> \"1\" 'æ'.pdf";
    ASSERT_TRUE(addRecentFile(list.string(), file, "application/pdf", at(1714557600, 123456)));

    const XmlDocument document = readBack(list);
    EXPECT_EQ(document.root.name, "xbel");
    EXPECT_EQ(attr(&document.root, "version"), "1.0");
    EXPECT_EQ(attr(&document.root, "xmlns:bookmark"), kBookmarkNs);
    EXPECT_EQ(attr(&document.root, "xmlns:mime"), kMimeNs);
    const auto bookmarks = all(document.root, "bookmark");
    ASSERT_EQ(bookmarks.size(), 1u);
    const XmlNode *bookmark = bookmarks[0];
    EXPECT_EQ(hostPathOfUri(attr(bookmark, "href")), file);
    EXPECT_EQ(attr(bookmark, "href").find_first_of(" &<>\"'"), std::string::npos);
    for (const char *time : {"added", "modified", "visited"})
        EXPECT_EQ(attr(bookmark, time), "2024-05-01T10:00:00.123456Z") << time;
    const auto metadata = all(*bookmark, "metadata");
    ASSERT_EQ(metadata.size(), 1u);
    EXPECT_EQ(attr(metadata[0], "owner"), "http://freedesktop.org");
    const auto mime = all(*bookmark, "mime-type");
    ASSERT_EQ(mime.size(), 1u);
    EXPECT_EQ(mime[0]->name, "mime:mime-type");
    EXPECT_EQ(attr(mime[0], "type"), "application/pdf");
    const auto applications = all(*bookmark, "application");
    ASSERT_EQ(applications.size(), 1u);
    EXPECT_EQ(applications[0]->name, "bookmark:application");
    EXPECT_EQ(attr(applications[0], "name"), kRecentApplication);
    EXPECT_EQ(attr(applications[0], "exec"), "'xdg-open %u'");
    EXPECT_EQ(attr(applications[0], "count"), "1");
    EXPECT_EQ(attr(applications[0], "modified"), "2024-05-01T10:00:00.123456Z");
    EXPECT_EQ(all(*bookmark, "applications").at(0)->name, "bookmark:applications");

    // Laid out as the desktop lays it out, and written in one piece: no temporary file stays.
    const std::string text = readFile(list);
    EXPECT_NE(text.find("\n  <bookmark href="), std::string::npos);
    EXPECT_NE(text.find("\n        <bookmark:applications>\n          <bookmark:application "),
              std::string::npos);
    EXPECT_NE(text.find("exec=\"&apos;xdg-open %u&apos;\""), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(list.parent_path()), fs::directory_iterator()), 1);
}

TEST(RecentDocs, EveryOtherEntryAndAttributeStays)
{
    TempFolder home;
    const fs::path list = home.path() / "recently-used.xbel";
    home.write("recently-used.xbel", kForeign);
    ::chmod(list.c_str(), 0640);

    ASSERT_TRUE(addRecentFile(list.string(), "/home/u/a.txt", "text/plain", at(1714557600)));
    std::string text = readFile(list);
    EXPECT_EQ(foreignBookmark(text), foreignBookmark(kForeign));
    EXPECT_NE(text.find("<!-- kept by another program -->"), std::string::npos);
    struct stat info;
    ASSERT_EQ(::stat(list.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // Our entry names its elements with the prefixes the list already binds.
    XmlDocument document = readBack(list);
    auto bookmarks = all(document.root, "bookmark");
    ASSERT_EQ(bookmarks.size(), 2u);
    EXPECT_EQ(all(*bookmarks[1], "application").at(0)->name, "bm:application");
    EXPECT_EQ(all(*bookmarks[1], "mime-type").at(0)->name, "mt:mime-type");
    EXPECT_FALSE(all(*bookmarks[1], "application").at(0)->attribute("xmlns:bookmark"));

    // The same file again: one entry, used once more; the time it was added stays.
    ASSERT_TRUE(addRecentFile(list.string(), "/home/u/a.txt", "text/plain", at(1714561200)));
    document = readBack(list);
    bookmarks = all(document.root, "bookmark");
    ASSERT_EQ(bookmarks.size(), 2u);
    EXPECT_EQ(attr(bookmarks[1], "added"), "2024-05-01T10:00:00.000000Z");
    EXPECT_EQ(attr(bookmarks[1], "modified"), "2024-05-01T11:00:00.000000Z");
    EXPECT_EQ(attr(bookmarks[1], "visited"), "2024-05-01T11:00:00.000000Z");
    ASSERT_EQ(all(*bookmarks[1], "application").size(), 1u);
    EXPECT_EQ(attr(all(*bookmarks[1], "application")[0], "count"), "2");

    // A file another program put there gets our application beside the other one, whose entry
    // stays; the bookmark's own parts are kept.
    ASSERT_TRUE(addRecentFile(list.string(), "/home/anden/Dokumenter/Række & følge.odt", "text/plain",
                              at(1714564800)));
    document = readBack(list);
    bookmarks = all(document.root, "bookmark");
    ASSERT_EQ(bookmarks.size(), 2u);
    const XmlNode *foreign = bookmarks[0];
    EXPECT_EQ(attr(foreign, "added"), "2020-01-01T10:00:00Z");
    EXPECT_EQ(attr(foreign, "visited"), "2024-05-01T12:00:00.000000Z");
    EXPECT_EQ(attr(all(*foreign, "mime-type").at(0), "type"), "application/vnd.oasis.opendocument.text");
    EXPECT_EQ(all(*foreign, "private").size(), 1u);
    EXPECT_EQ(all(*foreign, "group").at(0)->children.at(0).text, "Kontor");
    EXPECT_EQ(all(*foreign, "title").at(0)->children.at(0).text, "Række & følge");
    const auto applications = all(*foreign, "application");
    ASSERT_EQ(applications.size(), 2u);
    EXPECT_EQ(attr(applications[0], "name"), "Kontorpakke");
    EXPECT_EQ(attr(applications[0], "exec"), "'kontor %u'");
    EXPECT_EQ(attr(applications[0], "count"), "3");
    EXPECT_EQ(attr(applications[1], "name"), kRecentApplication);
    EXPECT_EQ(attr(applications[1], "count"), "1");
    EXPECT_EQ(std::distance(fs::directory_iterator(home.path()), fs::directory_iterator()), 1);
}

TEST(RecentDocs, AnOlderApplicationEntryKeepsItsTimeInSeconds)
{
    for (const auto &[count, next] : std::vector<std::pair<std::string, std::string>>{
             {"7", "8"}, {"99999999999999999999", std::to_string(std::numeric_limits<long>::max())}}) {
        SCOPED_TRACE(count);
        TempFolder home;
        home.write(
            "recently-used.xbel",
            "<xbel version=\"1.0\" xmlns:bookmark=\"" + kBookmarkNs +
                "\"><bookmark href=\"file:///x\" added=\"2020-01-01T10:00:00Z\"><info><metadata "
                "owner=\"http://freedesktop.org\"><bookmark:applications><bookmark:application name=\"" +
                kRecentApplication + "\" exec=\"x\" timestamp=\"1\" count=\"" + count +
                "\"/>"
                "</bookmark:applications></metadata></info></bookmark></xbel>");
        const fs::path list = home.path() / "recently-used.xbel";
        ASSERT_TRUE(addRecentFile(list.string(), "/x", "text/plain", at(1714557600)));
        const XmlDocument document = readBack(list);
        const auto applications = all(document.root, "application");
        ASSERT_EQ(applications.size(), 1u);
        EXPECT_EQ(attr(applications[0], "timestamp"), "1714557600");
        EXPECT_EQ(attr(applications[0], "count"), next);
    }
}

TEST(RecentDocs, APrefixThatNamesNoElementIsNotWrittenWith)
{
    TempFolder home;
    const std::string kept = "<bookmark href=\"file:///y\" added=\"2020-01-01T10:00:00Z\"/>";
    home.write("recently-used.xbel",
               "<xbel version=\"1.0\" xmlns:1b=\"" + kBookmarkNs + "\">" + kept + "</xbel>");
    const fs::path list = home.path() / "recently-used.xbel";
    ASSERT_TRUE(addRecentFile(list.string(), "/x", "text/plain", at(1714557600)));
    const std::string written = readFile(list);
    EXPECT_EQ(written.find("<1b:"), std::string::npos) << written;
    EXPECT_NE(written.find(kept), std::string::npos) << written;
    // It reads back, and the next addition works too.
    ASSERT_EQ(all(readBack(list).root, "application").size(), 1u);
    ASSERT_TRUE(addRecentFile(list.string(), "/x", "text/plain", at(1714557601)));
    EXPECT_EQ(attr(all(readBack(list).root, "application")[0], "count"), "2");
}

TEST(RecentDocs, AListThatCannotBeReadIsLeftAlone)
{
    TempFolder home;
    const fs::path list = home.path() / "recently-used.xbel";
    for (const std::string &broken : {std::string("<xbel><bookmark href='file:///a'></xbel>"),
                                      std::string("<html/>"), std::string("<xbel>\xE6</xbel>")}) {
        home.write("recently-used.xbel", broken);
        EXPECT_FALSE(addRecentFile(list.string(), "/home/u/a.txt", "text/plain", at(0)));
        EXPECT_FALSE(clearRecentFiles(list.string()));
        EXPECT_EQ(readFile(list), broken);
    }
    // An empty file is an empty list.
    home.write("recently-used.xbel", "");
    EXPECT_TRUE(addRecentFile(list.string(), "/home/u/a.txt", "text/plain", at(0)));
    EXPECT_EQ(all(readBack(list).root, "bookmark").size(), 1u);
}

TEST(RecentDocs, ClearingRemovesTheBookmarksOnly)
{
    TempFolder home;
    const fs::path list = home.path() / "recently-used.xbel";
    EXPECT_TRUE(clearRecentFiles(list.string())); // no list is an empty one
    EXPECT_FALSE(fs::exists(list));

    home.write("recently-used.xbel", kForeign);
    ASSERT_TRUE(addRecentFile(list.string(), "/home/u/a.txt", "text/plain", at(0)));
    ASSERT_TRUE(clearRecentFiles(list.string()));
    const std::string text = readFile(list);
    const XmlDocument document = readBack(list);
    EXPECT_TRUE(all(document.root, "bookmark").empty());
    EXPECT_EQ(attr(&document.root, "xmlns:bm"), kBookmarkNs);
    EXPECT_NE(text.find("<!-- kept by another program -->"), std::string::npos);
    EXPECT_NE(text.find("\n</xbel>"), std::string::npos);
    // Adding after clearing starts a fresh list in the same file.
    ASSERT_TRUE(addRecentFile(list.string(), "/home/u/b.txt", "text/plain", at(0)));
    EXPECT_EQ(all(readBack(list).root, "bookmark").size(), 1u);
}

TEST(RecentDocs, ThePlatformAddsTheRealPathOfAProgramPath)
{
    TwoDrives f;
    TempFolder data;
    const fs::path list = data.path() / "recently-used.xbel";
    f.d.write("Dokumenter/brev æ.txt", "x");
    fs::create_directory_symlink(f.d.path() / "Dokumenter", f.c.path() / "Docs");

    // Without a list of the desktop's nothing is written anywhere.
    EXPECT_FALSE(f.platform.addToRecentDocs(u"C:\\Docs\\brev æ.txt"));

    f.platform.setRecentDocsFile(list.string());
    ASSERT_TRUE(f.platform.addToRecentDocs(u"c:\\docs\\BREV Æ.TXT"));
    ASSERT_TRUE(f.platform.addToRecentDocs(u"D:\\Dokumenter"));
    EXPECT_FALSE(f.platform.addToRecentDocs(u"C:\\væk.txt"));
    XmlDocument document = readBack(list);
    auto bookmarks = all(document.root, "bookmark");
    ASSERT_EQ(bookmarks.size(), 2u);
    const std::string real = fs::canonical(f.d.path()).string() + "/Dokumenter";
    EXPECT_EQ(hostPathOfUri(attr(bookmarks[0], "href")), real + "/brev æ.txt");
    EXPECT_EQ(attr(all(*bookmarks[0], "mime-type").at(0), "type"), "text/plain");
    EXPECT_EQ(hostPathOfUri(attr(bookmarks[1], "href")), real);
    EXPECT_EQ(attr(all(*bookmarks[1], "mime-type").at(0), "type"), "inode/directory");

    // An empty path clears the list.
    ASSERT_TRUE(f.platform.addToRecentDocs(u""));
    EXPECT_TRUE(all(readBack(list).root, "bookmark").empty());
}

TEST(RecentDocs, TheHostsListLiesInItsDataFolder)
{
    TempFolder home;
    HostSetup host;
    host.home = home.str();
    host.dataHome = home.str() + "/data";
    host.configHome = home.str() + "/config";
    host.mountInfo = "/nonexistent";
    const auto backEnd = PosixPlatform::forHost(host);
    home.write("data/zunKolvra/drive_c/brev.txt", "x");
    ASSERT_TRUE(backEnd->addToRecentDocs(u"C:\\brev.txt"));
    const XmlDocument document = readBack(home.path() / "data/recently-used.xbel");
    const auto bookmarks = all(document.root, "bookmark");
    ASSERT_EQ(bookmarks.size(), 1u);
    EXPECT_EQ(hostPathOfUri(attr(bookmarks[0], "href")),
              fs::canonical(home.path()).string() + "/data/zunKolvra/drive_c/brev.txt");
}
