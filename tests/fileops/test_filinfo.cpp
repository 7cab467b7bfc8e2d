// The properties window's content: what the three pages show, the file's picture, "Anvend", and
// the folder count off the UI thread, seen through a recording window.

#include "core/messages.h"
#include "core/sizetext.h"
#include "fileops/filinfo.h"
#include "fileops/foldertree.h"
#include "fileops/metodecompo.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/listinggate.h"
#include "support/testdrives.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTest>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

using testsupport::ScriptedResponder;

namespace {

// The window as the method object sees it; "the user" closes it with userCloses().
class RecordingView : public PropertiesView
{
public:
    void setIcon(const PropertiesIcon &shown) override { icon = shown; }
    void showFilePage(const FilePage &page) override
    {
        file = page;
        side = egenskabSide::fil;
        visible = true;
    }
    void showFolderPage(const FolderPage &page) override
    {
        folder = page;
        side = egenskabSide::mappe;
        visible = true;
    }
    void showDrivePage(const DrivePage &page) override
    {
        drive = page;
        side = egenskabSide::drev;
        visible = true;
    }
    void setFolderFigures(const QString &size, const QString &indhold) override
    {
        folder.size = size;
        folder.indhold = indhold;
    }
    void closeWindow() override
    {
        visible = false;
        windowClosed();
    }
    void userCloses() { closeWindow(); }

    PropertiesIcon icon;
    FilePage file;
    FolderPage folder;
    DrivePage drive;
    int side = -1;
    bool visible = false;
};

const QString kIkonDir = "C:\\zunKolvra\\Program\\Ikoner\\";

struct Fixture
{
    TestDrives drives;
    StrukturView folderTree{PictureSet::FolderTree};
    StrukturView fileTree{PictureSet::FileTree};
    RecordingView view;
    TMetodeCompo metode;
    TStrukturCompo &struktur = *metode.strukturY();

    explicit Fixture(const QStringList &icons = {"film", "musik", "billeder", "ukendt", "txt", "pdf", "html"})
    {
        struktur.setStruktur1(&folderTree);
        struktur.setStruktur2(&fileTree);
        metode.setPropertiesView(&view);
        metode.setIkonDir(kIkonDir);
        for (const QString &icon : icons)
            file(kIkonDir + icon + "_ikon.ico", "ico");
    }
    void file(const QString &path, const QByteArray &bytes = "x") const { drives.writeBytes(path, bytes); }
    void folder(const QString &path) const { QDir().mkpath(drives.host(path)); }
    StrukturNode *node(const StrukturView &tree, const QString &text) const
    {
        for (StrukturNode *each : tree.allNodes()) {
            if (each->text == text)
                return each;
        }
        return nullptr;
    }
    void setTimes(const QString &path, qint64 access, qint64 write) const
    {
        QFile file(drives.host(path));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(access), QFileDevice::FileAccessTime));
        QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(write), QFileDevice::FileModificationTime));
    }
    // Waits for the folder page's count to end and its last figures to be written.
    void countEnds() const
    {
        QVERIFY(metode.folderCount());
        QTRY_VERIFY(metode.folderCount()->settled().isFinished());
    }
};

bool listedHidden(const QString &path)
{
    platform::FindData data;
    return platform::current().fileAttributes(path.toStdU16String(), data) &&
           (data.attributes & platform::FILE_ATTRIBUTE_HIDDEN);
}

} // namespace

class TestFilinfo : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase();
    void filePicturesAndTypeLines_data();
    void filePicturesAndTypeLines();
    void filePageShowsTheFile();
    void aProgramShowsItsOwnIcon();
    void errorsCloseTheFilePage_data();
    void errorsCloseTheFilePage();
    void applyWritesReadOnlyAndHidden();
    void applyRefusedShowsTheRealState();
    void folderPageOfTheActiveTree();
    void folderPageTellsWhatIsMissing();
    void everyFolderCountWalksAlikePastLinksAndUnreadableFolders();
    void folderPageShowsAtOnceAndFillsInWhileCounting();
    void closingOrShowingAnotherElementStopsTheCount();
    void aWindowDestroyedWhileCountingIsLeftAlone();
    void drivePage_data();
    void drivePage();
    void usedPercentRoundsHalvesToEven_data();
    void usedPercentRoundsHalvesToEven();
    void nodeKindOfTheActiveTree();
};

void TestFilinfo::initTestCase()
{
    // The figures as a Danish user sees them: "1,50 KB (1.536 bytes)".
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
}

void TestFilinfo::filePicturesAndTypeLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("icons"); // icon files there besides the fallbacks
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("typeLine");

    const QStringList none;
    QTest::newRow("own icon") << "brev.txt" << none << "txt"
                              << "Tekstfil: TXT-fil (.txt)";
    QTest::newRow("letter case") << "FILM.MP4" << none << "film"
                                 << "Videofil: MP4-fil (.mp4)";
    QTest::newRow("own icon beats the kind") << "film.mp4" << QStringList{"mp4"} << "mp4"
                                             << "Videofil: MP4-fil (.mp4)";
    QTest::newRow("own icon of an unknown kind") << "data.xyz" << QStringList{"xyz"} << "xyz"
                                                 << "XYZ-fil (.xyz)";
    QTest::newRow("transport stream") << "optagelse.ts" << none << "film"
                                      << "Videofil: TS-fil (.ts)";
    QTest::newRow("music") << "sang.m4a" << none << "musik"
                           << "Musikfil: M4A-fil (.m4a)";
    QTest::newRow("picture") << "foto.jpeg" << none << "billeder"
                             << "Billedfil: JPEG-fil (.jpeg)";
    QTest::newRow("windows metafile") << "tegning.wmf" << none << "billeder"
                                      << "Billedfil: WMF-fil (.wmf)";
    QTest::newRow("no extension") << "README" << none << "ukendt"
                                  << "-fil (.)";
    QTest::newRow("last extension counts") << "arkiv.tar.gz" << none << "ukendt"
                                           << "GZ-fil (.gz)";
    QTest::newRow("htm has no icon of html's") << "side.htm" << none << "ukendt"
                                               << "Webfil: HTM-fil (.htm)";
    QTest::newRow("html") << "side.html" << none << "html"
                          << "Webfil: HTML-fil (.html)";
    QTest::newRow("script") << "job.wsf" << none << "ukendt"
                            << "Window script fil: WSF-fil (.wsf)";
    QTest::newRow("stylesheet") << "stil.css" << none << "ukendt"
                                << "Stylesheet: CSS-fil (.css)";
    QTest::newRow("delphi") << "unit1.pas" << none << "ukendt"
                            << "Delphi-kildefil: PAS-fil (.pas)";
    QTest::newRow("include") << "top.inc" << none << "ukendt"
                             << "Includefil: INC-fil (.inc)";
    QTest::newRow("batch") << "start.bat" << none << "ukendt"
                           << "Batchfil: BAT-fil (.bat)";
    QTest::newRow("shortcut") << "Word.lnk" << none << "ukendt"
                              << "Genvej: LNK-fil (.lnk)";
    QTest::newRow("a dot name is all extension") << ".profil" << none << "ukendt"
                                                 << "PROFIL-fil (.profil)";
    QTest::newRow("program without an icon") << "setup.exe" << none << "ukendt"
                                             << "EXE-fil (.exe)";
}

void TestFilinfo::filePicturesAndTypeLines()
{
    QFETCH(QString, name);
    QFETCH(QStringList, icons);
    QFETCH(QString, picture);
    QFETCH(QString, typeLine);
    Fixture f;
    for (const QString &icon : icons)
        f.file(kIkonDir + icon + "_ikon.ico", "ico");
    f.file("C:\\Data\\" + name);
    ScriptedResponder responder;

    f.metode.showFileInfo("C:\\Data\\" + name);
    QCOMPARE(responder.texts(), QStringList());
    QCOMPARE(f.view.icon.imageFile, f.drives.host(f.metode.makeIconFilnavn(picture)));
    QCOMPARE(f.view.icon.themeName, QString());
    QCOMPARE(f.view.file.filtype, typeLine);
    QCOMPARE(f.metode.insertIkon("C:\\Data\\" + name), filinfo::extensionOf(name));
}

void TestFilinfo::filePageShowsTheFile()
{
    Fixture f;
    f.file("C:\\Data\\Under\\Rapport æ.txt", QByteArray(1536, 'x'));
    f.setTimes("C:\\Data\\Under\\Rapport æ.txt", 1700000000, 1600000000);
    const bool xattrs = f.drives.setDosAttributes("C:\\Data\\Under\\Rapport æ.txt", 0x23);
    ScriptedResponder responder;

    f.metode.showFileInfo("C:\\Data\\Under\\Rapport æ.txt");
    QCOMPARE(responder.texts(), QStringList());
    QVERIFY(f.view.visible);
    QCOMPARE(f.view.side, egenskabSide::fil);
    QCOMPARE(f.view.file.filnavn, QString("C:\\Data\\Under\\Rapport æ.txt"));
    QCOMPARE(f.view.file.navn, QString("Rapport æ.txt"));
    QCOMPARE(f.view.file.placering, QString("C:\\Data\\Under\\"));
    QCOMPARE(f.view.file.size, QString("1,50 KB (1.536 bytes)"));
    QCOMPARE(f.metode.getSizeInfo("C:\\Data\\Under\\Rapport æ.txt"), QString("1,50 KB (1.536 bytes)"));
    const QLocale danish;
    QCOMPARE(f.view.file.aendret,
             danish.toString(QDateTime::fromSecsSinceEpoch(1600000000), QLocale::ShortFormat));
    QCOMPARE(f.view.file.aabnet,
             danish.toString(QDateTime::fromSecsSinceEpoch(1700000000), QLocale::ShortFormat));
    const QString oprettetText = f.view.file.oprettet;
    if (xattrs) {
        QVERIFY(f.view.file.readOnly);
        QVERIFY(f.view.file.hidden);
    }

    // A file in a drive root: the folder is the root with its backslash.
    f.file("D:\\tom.txt", "");
    f.metode.showFileInfo("D:\\tom.txt");
    QCOMPARE(f.view.file.placering, QString("D:\\"));
    QCOMPARE(f.view.file.size, core::getSizeString(0));
    QVERIFY(!f.view.file.readOnly);
    QVERIFY(!f.view.file.hidden);

    // Made by the test: its creation lies after the times it was given.
    if (runningUnderWine())
        QSKIP("Wine gives the last write time as the creation time where the Linux file system keeps none");
    const QDateTime oprettet = danish.toDateTime(oprettetText, QLocale::ShortFormat);
    QVERIFY2(oprettet.isValid() && oprettet.toSecsSinceEpoch() > 1700000000, qPrintable(oprettetText));
}

void TestFilinfo::aProgramShowsItsOwnIcon()
{
    SKIP_ON_WINDOWS("the program is a shell script, whose icon Windows cannot extract");
    Fixture f;
    f.file("C:\\Programmer\\vis.exe", "#!/bin/sh\n");
    QVERIFY(QFile::setPermissions(f.drives.host("C:\\Programmer\\vis.exe"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ScriptedResponder responder;
    f.metode.showFileInfo("C:\\Programmer\\vis.exe");
    QCOMPARE(responder.texts(), QStringList());
    const platform::IconSource own = platform::current().extractIcon(u"C:\\Programmer\\vis.exe");
    QVERIFY(!own.empty());
    QCOMPARE(f.view.icon.themeName, QString::fromStdU16String(own.themeName));
    QCOMPARE(f.view.icon.imageFile, QString::fromStdU16String(own.imageFile));
    QCOMPARE(f.view.file.filtype, QString("EXE-fil (.exe)"));
}

void TestFilinfo::errorsCloseTheFilePage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("icons");
    QTest::newRow("no such file") << "C:\\Data\\væk.txt" << QStringList{"txt", "ukendt"};
    QTest::newRow("the fallback picture is missing") << "C:\\Data\\a.doc" << QStringList{"txt"};
}

void TestFilinfo::errorsCloseTheFilePage()
{
    QFETCH(QString, file);
    QFETCH(QStringList, icons);
    Fixture f(icons);
    f.file("C:\\Data\\a.doc");
    f.view.visible = true;
    ScriptedResponder responder;
    f.metode.showFileInfo(file);
    QVERIFY(!f.view.visible);
    QCOMPARE(responder.texts(), QStringList{"Der opstod en fejl.\rFilen er muligvist i brug."});
}

void TestFilinfo::applyWritesReadOnlyAndHidden()
{
    Fixture f;
    f.file("C:\\Data\\a.txt");
    if (!f.drives.setDosAttributes("C:\\Data\\a.txt", 0))
        QSKIP("the temporary folder keeps no user attributes");
    ScriptedResponder responder;

    auto state = filinfo::applyAttributes("C:\\Data\\a.txt", false, true);
    QVERIFY(state && !state->readOnly && state->hidden);
    QVERIFY(listedHidden("C:\\Data\\a.txt"));
    std::vector<platform::FindData> entries;
    QVERIFY(platform::current().findFiles(u"C:\\Data", entries));
    for (const auto &entry : entries) {
        if (entry.name == u"a.txt")
            QVERIFY(entry.attributes & platform::FILE_ATTRIBUTE_HIDDEN);
    }

    state = filinfo::applyAttributes("C:\\Data\\a.txt", true, false);
    QVERIFY(state && state->readOnly && !state->hidden);
    QVERIFY(!listedHidden("C:\\Data\\a.txt"));
    QVERIFY(!(QFile::permissions(f.drives.host("C:\\Data\\a.txt")) & QFile::WriteOwner));
    state = filinfo::applyAttributes("C:\\Data\\a.txt", false, false);
    QVERIFY(state && !state->readOnly && !state->hidden);
    QVERIFY(QFile::permissions(f.drives.host("C:\\Data\\a.txt")) & QFile::WriteOwner);
    QCOMPARE(responder.texts(), QStringList());

    // No such file: nothing is done and nothing said.
    QVERIFY(!filinfo::applyAttributes("C:\\Data\\væk.txt", true, true));
    QCOMPARE(responder.texts(), QStringList());
}

void TestFilinfo::applyRefusedShowsTheRealState()
{
    Fixture f;
    f.file("C:\\Data\\andens.txt");
    f.drives.backEnd().refusedAttributeChanges << "C:\\Data\\andens.txt";
    ScriptedResponder responder;
    const auto state = filinfo::applyAttributes("C:\\Data\\andens.txt", true, true);
    QCOMPARE(responder.texts(), QStringList{"Der opstod en fejl.\rStien er muligvist invalid, eller der er "
                                            "muligvist ikke adgang til filen.\r"});
    QVERIFY(state && !state->readOnly && !state->hidden);
    QVERIFY(!listedHidden("C:\\Data\\andens.txt"));
}

void TestFilinfo::folderPageOfTheActiveTree()
{
    Fixture f;
    f.file("C:\\Data\\Foto\\a.jpg", QByteArray(2048, 'x'));
    f.file("C:\\Data\\Foto\\Ferie\\b.jpg", QByteArray(1024, 'x'));
    f.struktur.udfoldStruktur1("C:\\Data\\Foto", true);
    f.struktur.makeStruktur2("C:\\Data");
    ScriptedResponder responder;
    const QString tre = core::getSizeString(3072);

    // The folder tree: its selected node.
    f.folderTree.selectNode(f.node(f.folderTree, "Foto"));
    f.metode.showMappeInfo(StrukturNr::mapper);
    QCOMPARE(f.view.side, egenskabSide::mappe);
    QCOMPARE(f.view.folder.navn, QString("Foto"));
    QCOMPARE(f.view.folder.placering, QString("C:\\Data"));
    QVERIFY(!f.view.folder.oprettet.isEmpty());
    f.countEnds();
    QCOMPARE(f.view.folder.size, tre);
    QCOMPARE(f.view.folder.indhold, QString("2 filer, 1 mapper"));

    // The file tree: its selected folder node, or with nothing selected its current folder.
    f.fileTree.selectNode(f.node(f.fileTree, "Foto"));
    f.metode.showMappeInfo(StrukturNr::filer);
    QCOMPARE(f.view.folder.navn, QString("Foto"));
    f.countEnds();
    QCOMPARE(f.view.folder.size, tre);
    f.fileTree.deselectAll();
    f.metode.showMappeInfo(StrukturNr::filer);
    QCOMPARE(f.view.folder.navn, QString("Data"));
    QCOMPARE(f.view.folder.placering, QString("C:"));
    f.countEnds();
    QCOMPARE(f.view.folder.indhold, QString("2 filer, 2 mapper"));
    QCOMPARE(responder.texts(), QStringList());
}

void TestFilinfo::folderPageTellsWhatIsMissing()
{
    Fixture f;
    f.folder("C:\\Data\\Foto");
    f.struktur.udfoldStruktur1("C:\\Data", true);
    ScriptedResponder responder;

    f.folderTree.deselectAll();
    f.metode.showMappeInfo(StrukturNr::mapper);
    QCOMPARE(responder.texts(), QStringList{"Der er ikke valgt en mappe."});

    f.folderTree.selectNode(f.node(f.folderTree, "Foto"));
    QVERIFY(QDir(f.drives.host("C:\\Data\\Foto")).removeRecursively());
    responder.clear();
    f.metode.showMappeInfo(StrukturNr::mapper);
    QCOMPARE(responder.texts(), QStringList{"Mappen blev ikke fundet."});

    // A file selected in the file tree names no folder.
    f.file("C:\\Data\\a.txt");
    f.struktur.makeStruktur2("C:\\Data");
    f.fileTree.selectNode(f.node(f.fileTree, "a.txt"));
    responder.clear();
    f.metode.showMappeInfo(StrukturNr::filer);
    QCOMPARE(responder.texts(), QStringList{"Mappen blev ikke fundet."});
    QCOMPARE(f.view.side, -1); // no page was ever shown
}

void TestFilinfo::everyFolderCountWalksAlikePastLinksAndUnreadableFolders()
{
    SKIP_LINKS_ON_WINDOWS();
    Fixture f;
    f.file("C:\\Træ\\a.txt", QByteArray(1000, 'x'));
    f.file("C:\\Træ\\.skjult", QByteArray(10, 'x'));
    f.file("C:\\Træ\\tom.txt", "");
    f.file("C:\\Træ\\Under\\b.txt", QByteArray(100, 'x'));
    f.file("C:\\Træ\\Under\\Dybere\\c.txt", QByteArray(5, 'x'));
    f.folder("C:\\Træ\\Tom mappe");
    f.folder("C:\\Træ\\.Skjult mappe");
    // A link back up the tree, and one to a folder elsewhere: counted, never entered.
    QVERIFY(QFile::link(f.drives.host("C:\\Træ"), f.drives.host("C:\\Træ\\Under\\op")));
    f.file("D:\\Andet\\stor.bin", QByteArray(100000, 'x'));
    QVERIFY(QFile::link(f.drives.host("D:\\Andet"), f.drives.host("C:\\Træ\\andet")));
    // A folder that cannot be listed is counted as a folder and passed over.
    f.file("C:\\Træ\\Låst\\x.bin", QByteArray(7, 'x'));
    f.drives.backEnd().refusedListings << "C:\\Træ\\Låst";

    filinfo::FolderCount count;
    filinfo::FolderFigures last;
    bool done = false;
    count.start("C:\\Træ", [&](const filinfo::FolderFigures &figures, bool end) {
        last = figures;
        done = end;
    });
    QTRY_VERIFY(done);
    QCOMPARE(last.files, qint64(5));
    QCOMPARE(last.bytes, qint64(1115));
    QCOMPARE(last.folders, qint64(7)); // Under, Dybere, Tom mappe, .Skjult mappe, op, andet, Låst
    QVERIFY(!count.isRunning());

    // The clipboard's size and the engines' preparation count by the same walk.
    TreeCount tree;
    QVERIFY(countTree("C:\\Træ", tree));
    QCOMPARE(tree.files, last.files);
    QCOMPARE(tree.bytes, last.bytes);
    QCOMPARE(tree.folders, last.folders);
    QCOMPARE(tree.emptyFiles, qint64(1));
    QVERIFY(!tree.complete);
    QVERIFY(f.metode.getMappeInfo("C:\\Træ"));
    QCOMPARE(f.metode.antalFiler, 5);
    QCOMPARE(f.metode.antalMapper, 7);
    QCOMPARE(f.metode.totalSize, qint64(1116)); // the empty file counts one byte there
    TreeCount refused;
    QVERIFY(!countTree("C:\\Træ\\Låst", refused));
    QCOMPARE(refused.folders + refused.files, qint64(0));
}

void TestFilinfo::folderPageShowsAtOnceAndFillsInWhileCounting()
{
    Fixture f;
    for (int i = 0; i < 40; ++i)
        f.file(QString("C:\\Stor\\A\\fil%1.bin").arg(i), QByteArray(1024, 'x'));
    f.file("C:\\Stor\\Sidst\\z.bin", QByteArray(1024, 'x'));
    f.struktur.udfoldStruktur1("C:\\Stor", true);
    f.folderTree.selectNode(f.node(f.folderTree, "Stor"));
    QVERIFY(f.folderTree.selectedNode());
    // The walk takes the last folder first ("Sidst" is listed before "A"): held at "A", it has
    // counted something and not everything.
    ListingGate gate;
    gate.holdAt("C:\\Stor\\A", f.drives.backEnd());

    f.metode.showMappeInfo(StrukturNr::mapper);
    QVERIFY(f.view.visible);
    QCOMPARE(f.view.folder.size, core::getSizeString(0));
    QCOMPARE(f.view.folder.indhold, QString("0 filer, 0 mapper"));
    QTRY_VERIFY(gate.reached());
    QTRY_COMPARE(f.view.folder.indhold, QString("1 filer, 2 mapper"));
    QCOMPARE(f.view.folder.size, core::getSizeString(1024));
    QVERIFY(f.metode.folderCount()->isRunning());

    gate.open();
    f.countEnds();
    QCOMPARE(f.view.folder.indhold, QString("41 filer, 2 mapper"));
    QCOMPARE(f.view.folder.size, core::getSizeString(41 * 1024));
}

void TestFilinfo::closingOrShowingAnotherElementStopsTheCount()
{
    for (const bool closeIt : {true, false}) {
        Fixture f;
        f.file("C:\\Stor\\A\\a.bin", QByteArray(1024, 'x'));
        f.file("C:\\Stor\\Sidst\\z.bin");
        f.struktur.udfoldStruktur1("C:\\Stor", true);
        f.folderTree.selectNode(f.node(f.folderTree, "Stor"));
        ListingGate gate;
        gate.holdAt("C:\\Stor\\A", f.drives.backEnd());
        f.metode.showMappeInfo(StrukturNr::mapper);
        QTRY_VERIFY(gate.reached());
        if (closeIt)
            f.view.userCloses();
        else
            f.metode.showDriveInfo("D:");
        QVERIFY(!f.metode.folderCount()->isRunning());
        const QString shown = f.view.folder.indhold;
        gate.open();
        QTRY_VERIFY(f.metode.folderCount()->settled().isFinished());
        // The rest of the tree is never reported.
        QCOMPARE(f.view.folder.indhold, shown);
        QVERIFY(shown != "2 filer, 2 mapper");
    }
}

void TestFilinfo::aWindowDestroyedWhileCountingIsLeftAlone()
{
    Fixture f;
    f.file("C:\\Stor\\A\\a.bin");
    f.file("C:\\Stor\\Sidst\\z.bin");
    f.struktur.udfoldStruktur1("C:\\Stor", true);
    f.folderTree.selectNode(f.node(f.folderTree, "Stor"));
    ListingGate gate;
    gate.holdAt("C:\\Stor\\A", f.drives.backEnd());
    auto *window = new RecordingView;
    f.metode.setPropertiesView(window);
    f.metode.showMappeInfo(StrukturNr::mapper);
    QTRY_VERIFY(gate.reached());
    delete window;
    QCOMPARE(f.metode.propertiesView(), nullptr);
    QVERIFY(!f.metode.folderCount()->isRunning());
    gate.open();
    QTRY_VERIFY(f.metode.folderCount()->settled().isFinished());
    // Without a window, the other pages still say what went wrong.
    ScriptedResponder responder;
    f.metode.showFileInfo("C:\\væk.txt");
    QCOMPARE(responder.texts(), QStringList{"Der opstod en fejl.\rFilen er muligvist i brug."});
}

void TestFilinfo::drivePage_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("root"); // "": the test's own C: folder
    QTest::addColumn<QString>("navn");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("filsystem");
    QTest::addColumn<qint64>("capacity");
    QTest::addColumn<qint64>("free");
    QTest::addColumn<int>("bar");

    QTest::newRow("local") << "C:" << int(platform::DriveType::Fixed) << ""
                           << "System (C:)"
                           << "Lokal disk"
                           << "ext4" << qint64(1000) << qint64(250) << 75;
    QTest::newRow("removable, by its caption") << "E:\\ USB" << int(platform::DriveType::Removable) << ""
                                               << "Stick (E:)"
                                               << "Flytbar disk"
                                               << "vfat" << qint64(3000) << qint64(1000) << 67;
    QTest::newRow("no medium: capacity 0")
        << "F:" << int(platform::DriveType::CdRom) << "/nonexistent/zun-dvd"
        << " (F:)"
        << "CD ROM disk"
        << "Ukendt" << qint64(0) << qint64(0) << 100;
    QTest::newRow("network") << "G:" << int(platform::DriveType::Remote) << ""
                             << "Net (G:)"
                             << "Fjern disk"
                             << "ext4" << qint64(200) << qint64(199) << 0;
    QTest::newRow("ram disk") << "H:" << int(platform::DriveType::RamDisk) << ""
                              << "Ram (H:)"
                              << "RAM disk"
                              << "ext4" << qint64(200) << qint64(0) << 100;
    QTest::newRow("unknown kind") << "I:" << int(platform::DriveType::Unknown) << ""
                                  << "X (I:)"
                                  << ""
                                  << "ext4" << qint64(200) << qint64(100) << 50;
}

void TestFilinfo::drivePage()
{
    QFETCH(QString, drive);
    QFETCH(int, kind);
    QFETCH(QString, root);
    QFETCH(QString, navn);
    QFETCH(QString, type);
    QFETCH(QString, filsystem);
    QFETCH(qint64, capacity);
    QFETCH(qint64, free);
    QFETCH(int, bar);
    Fixture f;
    auto &backEnd = f.drives.backEnd();
    const QString host = root.isEmpty() ? f.drives.rootC() : root;
    const char16_t letter = drive.at(0).unicode();
    if (letter != u'C') {
        backEnd.driveTable().add({letter, host.toStdString(), platform::DriveType(kind),
                                  navn.left(navn.indexOf(" (")).toStdU16String()});
    }
#ifdef _WIN32
    // The file system is the host volume's own: no table of the test's names it.
    std::u16string hostFileSystem;
    if (filsystem != "Ukendt")
        filsystem = backEnd.fileSystemName(std::u16string{letter, u':', u'\\'}, hostFileSystem)
                        ? QString::fromStdU16String(hostFileSystem)
                        : "Ukendt";
#else
    QTemporaryDir mounts;
    QFile table(mounts.filePath("mountinfo"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("22 1 8:1 / / rw - ext4 /dev/vda rw\n");
    if (filsystem == "vfat")
        table.write("23 22 8:2 / " + QFile::encodeName(QDir(host).canonicalPath()) +
                    " rw - vfat /dev/sdb1 rw\n");
    table.close();
    backEnd.setMountInfo(QFile::encodeName(table.fileName()).toStdString());
#endif
    backEnd.totalBytes = quint64(capacity);
    backEnd.freeToCaller = quint64(free);
    ScriptedResponder responder;

    f.metode.showDriveInfo(drive);
    QCOMPARE(responder.texts(), QStringList());
    QCOMPARE(f.view.side, egenskabSide::drev);
    QCOMPARE(f.view.drive.navn, navn);
    QCOMPARE(f.view.drive.type, type);
    QCOMPARE(f.view.drive.filsystem, filsystem);
    QCOMPARE(f.view.drive.kapasitet, core::getSizeString(capacity));
    QCOMPARE(f.view.drive.ledig, core::getSizeString(free));
    QCOMPARE(f.view.drive.anvendt, core::getSizeString(capacity - free));
    QCOMPARE(f.view.drive.bar, bar);
}

void TestFilinfo::usedPercentRoundsHalvesToEven_data()
{
    QTest::addColumn<quint64>("used");
    QTest::addColumn<quint64>("capacity");
    QTest::addColumn<int>("percent");
    QTest::newRow("no capacity") << quint64(0) << quint64(0) << 100;
    QTest::newRow("a third") << quint64(1) << quint64(3) << 33;
    QTest::newRow("two thirds") << quint64(2) << quint64(3) << 67;
    QTest::newRow("half of one: down to 0") << quint64(1) << quint64(200) << 0;
    QTest::newRow("one and a half: up to 2") << quint64(3) << quint64(200) << 2;
    QTest::newRow("two and a half: down to 2") << quint64(5) << quint64(200) << 2;
    QTest::newRow("full") << quint64(7) << quint64(7) << 100;
    QTest::newRow("beyond 64 bits times 100")
        << quint64(18000000000000000000ull) << quint64(18446744073709551615ull) << 98;
}

void TestFilinfo::usedPercentRoundsHalvesToEven()
{
    QFETCH(quint64, used);
    QFETCH(quint64, capacity);
    QFETCH(int, percent);
    QCOMPARE(filinfo::usedPercent(used, capacity), percent);
}

void TestFilinfo::nodeKindOfTheActiveTree()
{
    Fixture f;
    f.file("C:\\Data\\a.txt");
    f.folder("C:\\Data\\Foto");
    f.struktur.makeStruktur2("C:\\Data");
    QCOMPARE(f.metode.getID(StrukturNr::filer), nodeKind::ingen);
    f.fileTree.selectNode(f.node(f.fileTree, "a.txt"));
    QCOMPARE(f.metode.getID(StrukturNr::filer), nodeKind::fil);
    f.fileTree.selectNode(f.node(f.fileTree, "Foto"));
    QCOMPARE(f.metode.getID(StrukturNr::filer), nodeKind::mappe);
    QCOMPARE(f.metode.getID(StrukturNr::mapper), nodeKind::ingen);
}

QTEST_MAIN(TestFilinfo)
#include "test_filinfo.moc"
