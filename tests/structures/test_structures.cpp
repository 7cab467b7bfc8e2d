#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "platform/paths.h"
#include "structures/pictures.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using testsupport::ScriptedResponder;

namespace {

// Two trees over a test drive table, driven as an explorer window drives them.
struct Fixture
{
    TestDrives drives;
    StrukturView folderTree{PictureSet::FolderTree};
    StrukturView fileTree{PictureSet::FileTree};
    TStrukturCompo compo;

    Fixture()
    {
        compo.setStruktur1(&folderTree);
        compo.setStruktur2(&fileTree);
    }
    void file(const QString &path, const QByteArray &bytes = "x") const { drives.writeBytes(path, bytes); }
    void folder(const QString &path) const { QDir().mkpath(drives.host(path)); }

    // "text:mappe:kind" of every node, indented by depth.
    static QStringList describe(const StrukturView &tree)
    {
        QStringList lines;
        for (const StrukturNode *node : tree.allNodes()) {
            int depth = 0;
            for (const StrukturNode *up = node->parent; up && up->parent; up = up->parent)
                ++depth;
            lines << QString(depth * 2, u' ') + node->text + "|" +
                         (node->rec.filnavn.isEmpty() ? node->rec.mappe : node->rec.filnavn) + "|" +
                         QString::number(node->rec.ID);
        }
        return lines;
    }
    StrukturNode *fileNode(const QString &text) const
    {
        for (StrukturNode *node : fileTree.allNodes()) {
            if (node->text == text)
                return node;
        }
        return nullptr;
    }
};

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

} // namespace

class TestStructures : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void pathRules_data();
    void pathRules();
    void pictures_data();
    void pictures();
    void extensionClasses();
    void protectedFoldersOnlyInTheFolderTree();
    void hiddenEntriesFollowTheSwitch();
    void linksShowAsWhatTheyStandFor();
    void unreadableFolderGivesNothingAndNoMessage();
    void drivesWithPrivateFoldersOnTop();
    void levelStructureDropsVanishedFolders();
    void levelStructureOrdersDrivesByTheLastLine();
    void pointStructure();
    void udfoldStruktur1OpensFilesFolderAndStopsAtAGap();
    void emptyCdDriveIsMarkedOnce();
    void selectionsAsPathsAndParameters();
    void selectAllAndInvertSkipDisabledNodes_data();
    void selectAllAndInvertSkipDisabledNodes();
    void fileTypeMarkingAndListing();
    void renameExtensionCountsClashes();
    void renameExtensionSkipsFolderLinks_data();
    void renameExtensionSkipsFolderLinks();
    void parametersKeepAPathWithQuotesWhole();
    void driveMenuAndItsCaptions();
    void savedStructureRoundTrip();
    void savedStructureWithManySiblings();
    void knownFolders();
};

void TestStructures::pathRules_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("delimited");
    QTest::newRow("empty") << ""
                           << ""
                           << "\\";
    QTest::newRow("one char") << "C"
                              << ""
                              << "C\\";
    QTest::newRow("drive") << "C:"
                           << "C:"
                           << "C:\\";
    QTest::newRow("root") << "C:\\"
                          << "C:"
                          << "C:\\";
    QTest::newRow("folder") << "C:\\Data\\Foto"
                            << "Foto"
                            << "C:\\Data\\Foto\\";
    QTest::newRow("trailing backslash") << "C:\\Data\\"
                                        << ""
                                        << "C:\\Data\\";
    QTest::newRow("no backslash") << "Mappen"
                                  << "Mappen"
                                  << "Mappen\\";
}

void TestStructures::pathRules()
{
    QFETCH(QString, path);
    QFETCH(QString, last);
    QFETCH(QString, delimited);
    QCOMPARE(TMakeStrukturer::getLastDirectory(path), last);
    QCOMPARE(core::delimKon(path), delimited);
}

void TestStructures::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("picture");
    QTest::newRow(".JPEG is no picture extension") << "C:\\a.JPEG" << 2;
    QTest::newRow(".Mp3") << "C:\\a.Mp3" << 4;
    QTest::newRow(".JPG") << "C:\\a.JPG" << 3;
    QTest::newRow(".htm is nothing special") << "C:\\a.htm" << 2;
    QTest::newRow(".html") << "C:\\a.html" << 23;
    QTest::newRow(".wsf") << "C:\\x\\b.wsf" << 21;
    QTest::newRow(".log") << "C:\\b.log" << 6;
    QTest::newRow("dot in a folder name") << "C:\\a.mp3\\fil" << 2;
    QTest::newRow("no extension") << "C:\\README" << 2;
}

void TestStructures::pictures()
{
    QFETCH(QString, path);
    QFETCH(int, picture);
    QCOMPARE(filePicture(path), picture);
}

void TestStructures::extensionClasses()
{
    QVERIFY(TMapper::erDetEnBilledfil(".JPG"));
    QVERIFY(TMapper::erDetEnBilledfil(".Gif"));
    QVERIFY(!TMapper::erDetEnBilledfil("jpg"));
    QVERIFY(!TMapper::erDetEnBilledfil(".jpeg"));
    QVERIFY(TMapper::erDetEnTekstfil(".HTML"));
    QVERIFY(!TMapper::erDetEnTekstfil(".htm"));
    QVERIFY(TMapper::erDetEnTekstfil(".ps1"));
}

void TestStructures::protectedFoldersOnlyInTheFolderTree()
{
    Fixture f;
    f.folder("C:\\Dokumenter\\windows");
    f.folder("C:\\Dokumenter\\Program Files (X86)");
    f.folder("C:\\Dokumenter\\Andet");
    f.file("C:\\Dokumenter\\brev.txt");
    f.compo.addSL("C:\\Dokumenter");
    QCOMPARE(f.compo.SL.size(), 12);
    QStringList kinds;
    for (qsizetype i = 0; i < f.compo.SL.size(); i += 4)
        kinds << f.compo.SL[i] + "=" + f.compo.SL[i + 3];
    QCOMPARE(sorted(kinds), (QStringList{"Andet=0", "Program Files (X86)=5", "windows=5"}));

    QCOMPARE(f.compo.makeStruktur2("C:\\Dokumenter"), QString("C:\\Dokumenter"));
    QCOMPARE(f.compo.mappenavn(), QString("C:\\Dokumenter"));
    const QStringList nodes = Fixture::describe(f.fileTree);
    QCOMPARE(nodes.size(), 4);
    QCOMPARE(nodes.last(), QString("brev.txt|C:\\Dokumenter\\brev.txt|1")); // files after folders
    QVERIFY(nodes.contains("windows|C:\\Dokumenter\\windows|0"));
    QCOMPARE(f.fileNode("brev.txt")->picture, 6);
    QCOMPARE(f.fileNode("Andet")->picture, 1);
    QCOMPARE(f.compo.SLfil, (QStringList{"brev.txt", "", "C:\\Dokumenter\\brev.txt", "1"}));
}

void TestStructures::hiddenEntriesFollowTheSwitch()
{
    if (kWindowsHost && !runningUnderWine())
        QSKIP("a name starting with \".\" is hidden under Wine and on Linux, not on Windows");
    Fixture f;
    f.folder("C:\\D\\.skjult mappe");
    f.folder("C:\\D\\synlig");
    f.file("C:\\D\\.skjult.txt");
    f.file("C:\\D\\system.txt");
    f.file("C:\\D\\dos-skjult.txt");
    // The system bit alone still shows, the hidden bit hides (where the file system keeps them).
    const bool xattrs = f.drives.setDosAttributes("C:\\D\\system.txt", 0x4) &&
                        f.drives.setDosAttributes("C:\\D\\dos-skjult.txt", 0x2);
    f.compo.makeStruktur2("C:\\D");
    QStringList shown;
    for (const StrukturNode *node : f.fileTree.allNodes())
        shown << node->text;
    QStringList expected{"synlig", "system.txt"};
    if (!xattrs)
        expected << "dos-skjult.txt";
    QCOMPARE(sorted(shown), sorted(expected));
    f.compo.SL.clear();
    f.compo.addSL("C:\\D");
    QCOMPARE(f.compo.SL.size(), 4);

    f.compo.setShowHidden(true);
    f.compo.makeStruktur2("C:\\D");
    QCOMPARE(f.fileTree.allNodes().size(), std::size_t(5));
}

void TestStructures::linksShowAsWhatTheyStandFor()
{
    SKIP_LINKS_ON_WINDOWS();
    Fixture f;
    f.folder("C:\\D\\mappe");
    f.file("C:\\D\\fil.txt");
    QVERIFY(QFile::link(f.drives.host("C:\\D\\mappe"), f.drives.host("C:\\D\\til mappe")));
    QVERIFY(QFile::link(f.drives.host("C:\\D\\fil.txt"), f.drives.host("C:\\D\\til fil.txt")));
    QVERIFY(QFile::link(f.drives.host("C:\\D\\væk"), f.drives.host("C:\\D\\brudt.txt")));
    f.compo.makeStruktur2("C:\\D");
    QCOMPARE(Fixture::describe(f.fileTree),
             (QStringList{"mappe|C:\\D\\mappe|" + QString::number(nodeKind::mappe),
                          "til mappe|C:\\D\\til mappe|" + QString::number(nodeKind::mappe),
                          "fil.txt|C:\\D\\fil.txt|" + QString::number(nodeKind::fil),
                          "til fil.txt|C:\\D\\til fil.txt|" + QString::number(nodeKind::fil)}));
    f.compo.SL.clear();
    f.compo.addSL("C:\\D");
    QCOMPARE(f.compo.SL,
             (QStringList{"mappe", "C:\\D\\mappe", "", "0", "til mappe", "C:\\D\\til mappe", "", "0"}));
}

void TestStructures::unreadableFolderGivesNothingAndNoMessage()
{
    Fixture f;
    ScriptedResponder responder;
    f.compo.addSLfil("C:\\Findes ikke");
    QVERIFY(f.compo.SL.isEmpty() && f.compo.SLfil.isEmpty());
    // A link that points back at its own folder is listed once, not followed.
    SKIP_LINKS_ON_WINDOWS();
    f.folder("C:\\Loop");
    QFile::link(f.drives.host("C:\\Loop"), f.drives.host("C:\\Loop\\igen"));
    f.compo.addSL("C:\\Loop");
    QCOMPARE(f.compo.SL.size(), 4);
    QVERIFY(f.compo.udfoldStruktur1("C:\\Loop\\igen\\igen\\igen", true));
    QVERIFY(responder.shown.isEmpty());
}

void TestStructures::drivesWithPrivateFoldersOnTop()
{
    Fixture f;
    f.folder("C:\\Users\\Tester\\Pictures");
    f.folder("C:\\Users\\Tester\\Desktop");
    QCOMPARE(f.compo.makeStruktur1(), QString("C:"));
    QCOMPARE(Fixture::describe(f.folderTree), (QStringList{"System (C:)|C:|4", "Data (D:)|D:|4"}));
    QCOMPARE(f.folderTree.firstNode()->picture, 1);
    QCOMPARE(f.folderTree.topNodes()[1]->picture, 2);

    f.compo.setShowPrivate(true);
    f.compo.makePreDrives();
    QCOMPARE(Fixture::describe(f.folderTree),
             (QStringList{"Tester|C:\\users\\Tester|2", "  Skrivebord|C:\\users\\Tester\\Desktop|2",
                          "  Billeder|C:\\users\\Tester\\Pictures|2", "System (C:)|C:|4", "Data (D:)|D:|4"}));
    QVERIFY(f.folderTree.isNodeExpanded(f.folderTree.firstNode()));

    // A RAM disk or network drive never shows.
    f.drives.backEnd().driveTable().add(
        {u'E', f.drives.rootD().toStdString(), platform::DriveType::RamDisk, u"ram"});
    f.drives.backEnd().driveTable().add(
        {u'F', f.drives.rootD().toStdString(), platform::DriveType::Remote, u"net"});
    f.compo.setShowPrivate(false);
    f.compo.makePreDrives();
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(2));
}

void TestStructures::levelStructureDropsVanishedFolders()
{
    Fixture f;
    f.folder("C:\\Users\\Tester");
    QStringList history{"C:\\", "C:\\Users", "C:\\Væk"};
    f.compo.makeHistoryStruktur(history);
    QCOMPARE(history, (QStringList{"C:", "C:\\Users"}));
    QCOMPARE(Fixture::describe(f.folderTree), (QStringList{"System (C:)|C:|4", "  Users|C:\\Users|0"}));
    QVERIFY(f.folderTree.isNodeExpanded(f.folderTree.firstNode()));

    QStringList nothing{"C:\\Væk"};
    f.compo.makeHistoryStruktur(nothing);
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(2)); // the drives
    QCOMPARE(f.folderTree.selectedNode(), f.folderTree.firstNode());
}

void TestStructures::levelStructureOrdersDrivesByTheLastLine()
{
    Fixture f;
    f.folder("D:\\A\\Windows");
    f.folder("C:\\B");
    QStringList list{"D:\\A\\Windows", "C:\\B"};
    f.compo.makeHistoryStruktur(list);
    QCOMPARE(Fixture::describe(f.folderTree),
             (QStringList{"System (C:)|C:|4", "  B|C:\\B|0", "Data (D:)|D:|4", "  A|D:\\A|0",
                          "    Windows|D:\\A\\Windows|5"}));

    QCOMPARE(f.compo.udfoldMappe("D:\\A\\Windows\\"), QString("D:\\A\\Windows\\"));
    QCOMPARE(Fixture::describe(f.folderTree),
             (QStringList{"Data (D:)|D:|4", "  A|D:\\A|0", "    Windows|D:\\A\\Windows|5"}));
    QCOMPARE(f.compo.udfoldMappe("D:\\Væk"), QString());
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(2));
}

void TestStructures::pointStructure()
{
    Fixture f;
    f.folder("C:\\Data\\Foto");
    f.folder("D:\\Program Files");
    QStringList list{"C:\\Data\\Foto", "D:", "D:\\Program Files", "C:\\Væk"};
    f.compo.makePunktStruktur(list);
    QCOMPARE(list.size(), 3);
    QCOMPARE(Fixture::describe(f.folderTree),
             (QStringList{"Data (D:)|D:|4", "Foto|C:\\Data\\Foto|0", "Program Files|D:\\Program Files|5"}));
    QCOMPARE(f.folderTree.selectedNode(), f.folderTree.firstNode());

    QStringList drivesOnly{"D:", "C:\\"};
    f.compo.makePunktStruktur(drivesOnly);
    QCOMPARE(Fixture::describe(f.folderTree), (QStringList{"Data (D:)|D:|4", "System (C:)|C:|4"}));

    QStringList noDrives{"C:\\Data\\Foto", "D:\\Program Files"};
    f.compo.makePunktStruktur(noDrives);
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(2));
    QCOMPARE(f.folderTree.firstNode()->text, QString("Foto"));
}

void TestStructures::udfoldStruktur1OpensFilesFolderAndStopsAtAGap()
{
    Fixture f;
    f.file("C:\\Data\\Foto\\Ferie\\billede.jpg");
    QVERIFY(f.compo.udfoldStruktur1("c:\\data\\foto\\ferie\\billede.jpg", false));
    QCOMPARE(f.folderTree.selectedNode()->rec.mappe, QString("C:\\Data\\Foto\\Ferie"));
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(1)); // only the path's drive

    QVERIFY(f.compo.udfoldStruktur1("C:\\Data", true));
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(2));
    QCOMPARE(f.folderTree.selectedNode()->text, QString("Data"));
    QCOMPARE(f.folderTree.selectedNode()->children.size(), std::size_t(1));

    // A path that does not exist opens the folder selected in the tree instead.
    QVERIFY(f.compo.udfoldStruktur1("C:\\Væk\\Foto", true));
    QCOMPARE(f.folderTree.selectedNode()->text, QString("Data"));

    // A middle folder the tree does not show (hidden): stops at the last level it found.
    f.folder("C:\\Data\\.skjult\\Ferie");
    QVERIFY(!f.compo.udfoldStruktur1("C:\\Data\\.skjult\\Ferie", true));
    QCOMPARE(f.folderTree.selectedNode()->text, QString("Data"));

    // Nothing to fall back on: false, and the tree stays as it was.
    f.folderTree.selectNode(nullptr);
    const QStringList before = Fixture::describe(f.folderTree);
    QVERIFY(!f.compo.udfoldStruktur1("C:\\Data\\Væk\\Ferie", true));
    QCOMPARE(Fixture::describe(f.folderTree), before);
}

void TestStructures::emptyCdDriveIsMarkedOnce()
{
    Fixture f;
    QTemporaryDir disc;
    f.drives.backEnd().driveTable().add(
        {u'E', disc.path().toStdString(), platform::DriveType::CdRom, u"DVD"});
    f.compo.makeDrive("E:");
    QCOMPARE(Fixture::describe(f.folderTree), QStringList{"Diskdrev(E:)|E:|4"});
    QCOMPARE(f.folderTree.firstNode()->picture, 12);
    QCOMPARE(f.compo.udfoldDirectory(), QString("Ikke tilgængeligt"));
    QCOMPARE(f.folderTree.firstNode()->text, QString("Diskdrev(E:) TOM"));
    QVERIFY(!f.folderTree.firstNode()->enabled);
    f.folderTree.selectNode(f.folderTree.firstNode());
    f.compo.udfoldDirectory();
    QCOMPARE(f.folderTree.firstNode()->text, QString("Diskdrev(E:) TOM"));

    // A disc with folders opens as any drive.
    QDir().mkpath(disc.path() + "/Film");
    f.compo.makeDrive("E:");
    QCOMPARE(f.compo.udfoldDirectory(), QString("E:"));
    QCOMPARE(f.folderTree.firstNode()->children.size(), std::size_t(1));
}

void TestStructures::selectionsAsPathsAndParameters()
{
    Fixture f;
    f.file("C:\\Mine ting\\a b.txt");
    f.file("C:\\Mine ting\\c.doc");
    f.folder("C:\\Mine ting\\Under");
    f.compo.makeStruktur2("C:\\Mine ting");
    QCOMPARE(f.compo.makeParamString(), QString());
    QCOMPARE(f.compo.getNodeId(StrukturNr::filer), 100);
    f.compo.SelectMapperFiler(1);
    QCOMPARE(f.fileTree.selectedNodes().size(), std::size_t(3));
    QCOMPARE(f.compo.makeParamString(), QString("\"C:\\Mine ting\\a b.txt\" \"C:\\Mine ting\\c.doc\""));
    QStringList names;
    QCOMPARE(f.compo.getSelectListe(names), 2);
    QStringList folders, files;
    QCOMPARE(f.compo.loadLister(StrukturNr::filer, folders, files), 3);
    QCOMPARE(folders, QStringList{"C:\\Mine ting\\Under"});
    QCOMPARE(files.size(), 2);

    f.fileTree.selectNode(f.fileNode("Under"));
    f.compo.SelectMapperFiler(3);
    QCOMPARE(f.fileTree.selectedNodes().size(), std::size_t(2));
    QVERIFY(!f.fileTree.isNodeSelected(f.fileNode("Under")));
    f.compo.SelectMapperFiler(2);
    QVERIFY(f.fileTree.selectedNodes().empty());

    // The folder keeps the letter case it was given; the name is the file system's.
    QCOMPARE(f.compo.SelectFil("c:\\mine ting\\C.DOC"), QString("c:\\mine ting\\c.doc"));
    QCOMPARE(f.compo.getNodeId(StrukturNr::filer), 1);
    QCOMPARE(f.compo.getSelected(StrukturNr::filer), QString("c.doc"));
    QCOMPARE(f.compo.getFileDirectory(true), QString("c:\\mine ting\\c.doc"));
    f.compo.setMultiSelect(true);
    QCOMPARE(f.compo.getFileDirectory(true), QString());

    // The folder tree, with nothing selected there, has neither.
    QCOMPARE(f.compo.getNodeId(StrukturNr::mapper), 100);
    QCOMPARE(f.compo.getSelected(StrukturNr::mapper), QString());
    QCOMPARE(f.compo.loadLister(StrukturNr::mapper, folders, files), 0);
}

void TestStructures::selectAllAndInvertSkipDisabledNodes_data()
{
    // Nodes by name: "-" disabled, "*" selected beforehand, ">" a child of the top node before.
    QTest::addColumn<QString>("nodes");
    QTest::addColumn<QStringList>("all");
    QTest::addColumn<QStringList>("inverted");
    QTest::newRow("all enabled") << "a b c d" << QStringList{"a", "b", "c", "d"}
                                 << QStringList{"a", "b", "c", "d"};
    QTest::newRow("disabled inside") << "a -b c *d" << QStringList{"a", "c", "d"} << QStringList{"a", "c"};
    QTest::newRow("disabled at the ends") << "-a *b c -d" << QStringList{"b", "c"} << QStringList{"c"};
    QTest::newRow("every other selected")
        << "*a b *c d *e" << QStringList{"a", "b", "c", "d", "e"} << QStringList{"b", "d"};
    QTest::newRow("all selected") << "*a *b" << QStringList{"a", "b"} << QStringList{};
    QTest::newRow("only a disabled one left") << "*a -b" << QStringList{"a"} << QStringList{};
    QTest::newRow("children") << "a >*a1 >-a2 >a3 *b >b1" << QStringList{"a", "a1", "a3", "b", "b1"}
                              << QStringList{"a", "a3", "b1"};
}

void TestStructures::selectAllAndInvertSkipDisabledNodes()
{
    QFETCH(QString, nodes);
    QFETCH(QStringList, all);
    QFETCH(QStringList, inverted);
    Fixture f;
    auto build = [&] {
        f.fileTree.clear();
        StrukturNode *top = nullptr;
        for (QString name : nodes.split(u' ')) {
            const bool child = name.startsWith(u'>');
            const bool disabled = name.contains(u'-');
            const bool selected = name.contains(u'*');
            name.remove(u'>').remove(u'-').remove(u'*');
            StrukturNode *node =
                f.fileTree.addNode(child ? top : nullptr, name, 0, {QString(), "C:\\" + name, nodeKind::fil});
            if (!child)
                top = node;
            if (disabled)
                f.fileTree.strukturModel()->setEnabled(node, false);
            if (selected)
                f.fileTree.setNodeSelected(node, true);
        }
    };
    auto selectedNames = [&] {
        QStringList names;
        for (const StrukturNode *node : f.fileTree.selectedNodes())
            names << node->text;
        return names;
    };
    QSignalSpy notices(f.fileTree.selectionModel(), &QItemSelectionModel::selectionChanged);

    build();
    notices.clear();
    f.compo.SelectMapperFiler(1);
    QCOMPARE(selectedNames(), all);
    QCOMPARE(f.fileTree.selectionCount(), int(all.size()));
    // The view hears of the whole selection at once, not of each node: a folder of 100,000
    // files would otherwise take minutes.
    QVERIFY2(notices.count() <= 2, qPrintable(QString::number(notices.count())));

    build();
    notices.clear();
    f.compo.SelectMapperFiler(3);
    QCOMPARE(selectedNames(), inverted);
    QCOMPARE(f.fileTree.selectionCount(), int(inverted.size()));
    QVERIFY2(notices.count() <= 2, qPrintable(QString::number(notices.count())));
    if (!inverted.isEmpty())
        QCOMPARE(f.fileTree.selectedNode()->text, inverted.first());
}

void TestStructures::fileTypeMarkingAndListing()
{
    Fixture f;
    for (const char *name : {"a.txt", "B.TXT", "c.doc", ".skjult.txt"})
        f.file(QString("C:\\T\\") + name);
    f.folder("C:\\T\\mappe.txt");
    f.compo.setShowHidden(true);
    for (const char *extension : {"txt", ".txt", ".TXT"}) {
        f.compo.makeStruktur2("C:\\T");
        QCOMPARE(f.compo.fremvisFiltype(extension), 3);
        QCOMPARE(f.fileNode("a.txt")->picture, 15);
        QCOMPARE(f.fileNode("mappe.txt")->picture, 1);
    }
    // Only files of the type, hidden ones left out whatever the switch says, no folders.
    QCOMPARE(f.compo.makeStrukturFil("TXT"), 2);
    QStringList shown;
    for (const StrukturNode *node : f.fileTree.allNodes())
        shown << node->text;
    QCOMPARE(sorted(shown), (QStringList{"B.TXT", "a.txt"}));
    QCOMPARE(f.compo.makeStrukturFil(""), 3);
}

void TestStructures::renameExtensionCountsClashes()
{
    Fixture f;
    f.file("C:\\R\\a.txt", "a");
    f.file("C:\\R\\b.txt", "b");
    f.file("C:\\R\\b.md", "fandtes");
    f.file("C:\\R\\Under\\c.txt", "c");
    QCOMPARE(f.compo.RenameFilExt("C:\\R", ".txt", ".md", false), 2);
    QVERIFY(QFile::exists(f.drives.host("C:\\R\\a.md")));
    QCOMPARE(f.drives.readBytes("C:\\R\\b.md"), QByteArray("fandtes"));
    QVERIFY(QFile::exists(f.drives.host("C:\\R\\b.txt")));
    QVERIFY(QFile::exists(f.drives.host("C:\\R\\Under\\c.txt")));
    QCOMPARE(f.fileTree.allNodes().size(), std::size_t(4)); // shown again
    QCOMPARE(f.compo.RenameFilExt("C:\\R", ".txt", ".md", true), 2);
    QVERIFY(QFile::exists(f.drives.host("C:\\R\\Under\\c.md")));
}

void TestStructures::renameExtensionSkipsFolderLinks_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("link to its own folder") << ".";
    QTest::newRow("link to the parent") << "..";
}

void TestStructures::renameExtensionSkipsFolderLinks()
{
    SKIP_LINKS_ON_WINDOWS();
    QFETCH(QString, target);
    Fixture f;
    f.file("C:\\R\\a.txt", "a");
    f.file("C:\\R\\Under\\c.txt", "c");
    QVERIFY(QFile::link(target, f.drives.host("C:\\R\\Under\\ring")));
    QCOMPARE(f.compo.RenameFilExt("C:\\R", ".txt", ".md", true), 2);
    QCOMPARE(f.drives.readBytes("C:\\R\\a.md"), QByteArray("a"));
    QCOMPARE(f.drives.readBytes("C:\\R\\Under\\c.md"), QByteArray("c"));
}

void TestStructures::parametersKeepAPathWithQuotesWhole()
{
    SKIP_ON_WINDOWS("a name holding quotes, which no Windows name can");
    Fixture f;
    // A host name may hold quotes; the program sees them as the stand-ins a Windows name can hold.
    f.file("C:\\P\\x\" --evil \"y.txt");
    f.file("C:\\P\\a b.txt");
    const QString evil = QString("C:\\P\\x") + QChar(0xF022) + " --evil " + QChar(0xF022) + "y.txt";
    f.compo.makeStruktur2("C:\\P");
    f.compo.SelectMapperFiler(1);
    std::vector<std::u16string> expected{u"C:\\P\\a b.txt", evil.toStdU16String()};
    auto arguments = platform::splitArguments(f.compo.makeParamString().toStdU16String());
    std::sort(arguments.begin(), arguments.end());
    std::sort(expected.begin(), expected.end());
    QVERIFY(arguments == expected);
}

void TestStructures::driveMenuAndItsCaptions()
{
    Fixture f;
    f.drives.backEnd().driveTable().add(
        {u'D', f.drives.rootD().toStdString(), platform::DriveType::Removable, u"USB (gammel) & ny"});
    QMenu menu;
    f.compo.makeDrevMenu(StrukturNr::mapper, &menu);
    QStringList captions;
    for (QAction *item : menu.actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{"System (C:)", "USB (gammel) && ny (D:)"}));
    QCOMPARE(TStrukturCompo::driveOfCaption("USB (E:)"), QString("E:"));
    QCOMPARE(TStrukturCompo::driveOfCaption("USB (gammel) && ny (D:)"), QString("gammelD:"));

    QStringList changes;
    f.compo.setOnDirectoryChange(
        [&](const QString &path, bool withPath) { changes << path + (withPath ? "+" : "-"); });
    menu.actions()[0]->trigger();
    QCOMPARE(Fixture::describe(f.folderTree), QStringList{"System (C:)|C:|4"});
    menu.actions()[1]->trigger(); // the label's parentheses: no drive matches
    QVERIFY(f.folderTree.isEmpty());
    f.compo.makeDrevMenu(StrukturNr::filer, &menu);
    menu.actions()[0]->trigger();
    QCOMPARE(f.compo.mappenavn(), QString("C:"));
    QCOMPARE(changes, (QStringList{"C:-", "gammelD:-", "C:+"}));
}

void TestStructures::savedStructureRoundTrip()
{
    Fixture f;
    ScriptedResponder responder;
    f.compo.setGemHentFilnavn("C:\\GemHentStruktur Stifinder 1.txt");
    QVERIFY(!f.compo.HentStrukturen(0));
    QCOMPARE(responder.texts(), QStringList{"Der er ikke gemt en struktur."});
    QVERIFY(!f.compo.GemStrukturen()); // an empty tree is not saved

    f.folder("C:\\Data\\Foto");
    f.folder("D:\\Arkiv");
    QStringList list{"C:\\Data\\Foto", "D:\\Arkiv"};
    f.compo.makeHistoryStruktur(list);
    QVERIFY(f.compo.GemStrukturen());
    QCOMPARE(core::readLines("C:\\GemHentStruktur Stifinder 1.txt").value(),
             (QStringList{"D:", "D:\\Arkiv", "C:", "C:\\Data", "C:\\Data\\Foto"}));
    const QStringList shown = Fixture::describe(f.folderTree);
    f.folderTree.clear();
    QVERIFY(f.compo.HentStrukturen(0));
    // The same tree; its drives now in the order of the saved file's last line.
    QCOMPARE(sorted(Fixture::describe(f.folderTree)), sorted(shown));
    QCOMPARE(f.folderTree.firstNode()->text, QString("System (C:)"));
    QVERIFY(f.compo.HentStrukturen(1));
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(5));
    QCOMPARE(responder.shown.size(), 1);
}

void TestStructures::savedStructureWithManySiblings()
{
    Fixture f;
    constexpr int kSiblings = 500;
    QStringList lines{"C:", "C:\\Stor"};
    f.folder("C:\\Stor");
    const QDir storFolder(f.drives.host("C:\\Stor"));
    for (int i = kSiblings - 1; i >= 0; --i) {
        const QString name = QString("m%1").arg(i, 4, 10, QChar(u'0'));
        QVERIFY(storFolder.mkdir(name));
        lines << "C:\\Stor\\" + name;
    }
    f.folder("C:\\Stor\\m0007\\Under");
    // The same folders again in other letter cases, deeper lines first.
    lines << "c:\\STOR\\M0007\\Under"
          << "C:\\Stor\\m0007\\UNDER"
          << "C:\\stor\\M0499";
    f.compo.setGemHentFilnavn("C:\\GemHentStruktur Stifinder 1.txt");
    QVERIFY(core::writeLines("C:\\GemHentStruktur Stifinder 1.txt", lines));

    QVERIFY(f.compo.HentStrukturen(0));
    QCOMPARE(f.folderTree.topNodes().size(), std::size_t(1));
    const StrukturNode *drive = f.folderTree.firstNode();
    QCOMPARE(drive->children.size(), std::size_t(1));
    const StrukturNode *stor = drive->children.front().get();
    QCOMPARE(stor->text, QString("Stor"));
    QCOMPARE(stor->children.size(), std::size_t(kSiblings));
    // In the order of the lines, each folder once.
    QCOMPARE(stor->children.front()->text, QString("m0499"));
    QCOMPARE(stor->children.back()->text, QString("m0000"));
    for (std::size_t i = 0; i < stor->children.size(); ++i)
        QCOMPARE(stor->children[i]->row, int(i));
    const StrukturNode *m0007 = stor->children[kSiblings - 1 - 7].get();
    QCOMPARE(m0007->text, QString("m0007"));
    QCOMPARE(m0007->children.size(), std::size_t(1));
    QCOMPARE(m0007->children.front()->text, QString("Under"));
    QCOMPARE(m0007->children.front()->rec.mappe, QString("c:\\STOR\\M0007\\Under"));
    QCOMPARE(f.folderTree.allNodes().size(), std::size_t(kSiblings + 3));
}

void TestStructures::knownFolders()
{
    Fixture f;
    QCOMPARE(f.compo.brugernavn(), QString("Tester"));
    QCOMPARE(f.compo.GetMyDownLoad(), QString("C:"));
    QCOMPARE(f.compo.GetAllUsers(), QString("C:"));
    f.folder("C:\\Users\\Tester\\Downloads");
    f.folder("C:\\Users\\Tester\\Pictures");
    QCOMPARE(f.compo.GetMyDownLoad(), QString("C:\\users\\Tester\\Downloads"));
    QCOMPARE(f.compo.GetMyPictures(), QString("C:\\Users\\Tester\\Pictures"));
    try {
        f.compo.GetMyMusic();
        QFAIL("no music folder");
    } catch (const StrukturFejl &error) {
        QCOMPARE(error.message(), QString("Kunne ikke finde musikmappen."));
    }
    QCOMPARE(TStrukMapper::getDrevType("C:\\"), 2);
    QCOMPARE(TStrukMapper::getDrevType("Q:\\"), 0);
    QCOMPARE(TStrukMapper::getVolumeLabel(u'D'), QString("Data"));
    QCOMPARE(TStrukMapper::getVolumeLabel(u'Q'), QString());
}

QTEST_MAIN(TestStructures)
#include "test_structures.moc"
