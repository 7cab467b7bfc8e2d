#include "core/messages.h"
#include "fileops/metodecompo.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using testsupport::ScriptedResponder;

namespace {

// An explorer window's method object with its two trees.
struct Fixture
{
    TestDrives drives;
    StrukturView folderTree{PictureSet::FolderTree};
    StrukturView fileTree{PictureSet::FileTree};
    TMetodeCompo metode;
    TStrukturCompo &struktur = *metode.strukturY();

    Fixture()
    {
        struktur.setStruktur1(&folderTree);
        struktur.setStruktur2(&fileTree);
    }
    void file(const QString &path, const QByteArray &bytes = "x") const { drives.writeBytes(path, bytes); }
    void folder(const QString &path) const { QDir().mkpath(drives.host(path)); }
    StrukturNode *fileNode(const QString &text) const
    {
        for (StrukturNode *node : fileTree.allNodes()) {
            if (node->text == text)
                return node;
        }
        return nullptr;
    }
    QStringList paths(const KlipbordListe &list) const
    {
        QStringList result;
        for (int i = 0; i < list.count(); ++i)
            result << list.row(i).path;
        return result;
    }
};

} // namespace

class TestMetodeCompo : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void newFolderGetsAFreeName();
    void newFolderGoesBesideTheSelectedNode_data();
    void newFolderGoesBesideTheSelectedNode();
    void blankNamesAreRefused_data();
    void blankNamesAreRefused();
    void aDotFileMayBeRenamedToAnotherDotFile();
    void renamingFilesAsksAboutTheType();
    void renamingAFolderToAnotherCaseOfItsName();
    void protectedNodesMayNotBeRenamed();
    void clipboardRowsAreUniqueRegardlessOfCase();
    void copyElementsFromEitherTree();
    void pasteListsDropVanishedRowsAndSkipTheDestination();
    void sizesCountEmptyFilesAsOneByte();
    void clipboardSizeInTheBackground();
    void clipboardSizeOfAFifoNeverBlocks();
    void sizeFieldHearsOnlyTheClipboardInUse();
    void destinationByActiveTree();
    void recycleBinRoundTrip();
};

void TestMetodeCompo::newFolderGetsAFreeName()
{
    Fixture f;
    f.folder("C:\\Data\\Ny mappe");
    f.folder("C:\\Data\\Ny mappe Kopi (1)");
    f.struktur.udfoldStruktur1("C:\\Data", true);
    QCOMPARE(f.metode.OpretNyMappe(StrukturNr::mapper, ""), QString("C:\\Data\\Ny mappe Kopi (2)"));
    QVERIFY(QDir(f.drives.host("C:\\Data\\Ny mappe Kopi (2)")).exists());
    QCOMPARE(f.metode.OpretNyMappe(StrukturNr::mapper, "Breve"), QString("C:\\Data\\Breve"));

    // In the file tree, after a click on a sub-folder, the new folder goes beside it.
    f.struktur.makeStruktur2("C:\\Data");
    f.fileTree.selectNode(f.fileNode("Breve"));
    f.struktur.setMappenavn("C:\\Data\\Breve");
    QCOMPARE(f.metode.OpretNyMappe(StrukturNr::filer, "Andet"), QString("C:\\Data\\Andet"));

    ScriptedResponder responder;
    f.struktur.setMappenavn("C:\\Væk");
    f.fileTree.deselectAll();
    QCOMPARE(f.metode.OpretNyMappe(StrukturNr::filer, "x"), QString());
    f.file("C:\\Data\\Blokeret", "a file");
    f.struktur.setMappenavn("C:\\Data\\Blokeret\\Under");
    QCOMPARE(f.metode.OpretNyMappe(StrukturNr::filer, "x"), QString());
}

void TestMetodeCompo::newFolderGoesBesideTheSelectedNode_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("current"); // the current folder the selection left
    // A mouse click on a sub-folder makes it the current folder; the keyboard and Ctrl+click
    // leave the shown folder current.
    QTest::newRow("sub-folder by mouse") << "Breve"
                                         << "C:\\Data\\Breve";
    QTest::newRow("sub-folder by keyboard") << "Breve"
                                            << "C:\\Data";
    QTest::newRow("file") << "a.txt"
                          << "C:\\Data";
    QTest::newRow("nothing") << QString() << "C:\\Data";
}

void TestMetodeCompo::newFolderGoesBesideTheSelectedNode()
{
    QFETCH(QString, selected);
    QFETCH(QString, current);
    Fixture f;
    f.folder("C:\\Data\\Breve");
    f.file("C:\\Data\\a.txt");
    f.struktur.makeStruktur2("C:\\Data");
    f.fileTree.deselectAll();
    if (!selected.isEmpty())
        f.fileTree.selectNode(f.fileNode(selected));
    f.struktur.setMappenavn(current);
    QCOMPARE(f.metode.OpretNyMappe(StrukturNr::filer, ""), QString("C:\\Data\\Ny mappe"));
    QVERIFY(QDir(f.drives.host("C:\\Data\\Ny mappe")).exists());
    // The shown folder stays current, so the view shows it again rather than its parent.
    QCOMPARE(f.struktur.mappenavn(), QString("C:\\Data"));
}

void TestMetodeCompo::blankNamesAreRefused_data()
{
    QTest::addColumn<QString>("old"); // a file when it has a dot, else a folder
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString blank = "Der mangler et nyt navn.\rNavnet må ikke være tomt eller kun bestå af mellemrum.";
    QTest::newRow("file, empty") << "d.txt"
                                 << "" << blank;
    QTest::newRow("file, blanks") << "d.txt"
                                  << "   " << blank;
    QTest::newRow("file, only the extension")
        << "d.txt"
        << ".txt"
        << "Der mangler et nyt navn.\rNavnet må ikke kun bestå af filtypen \".txt\".";
    QTest::newRow("file, blanks and an extension")
        << "d.txt"
        << "  .doc"
        << "Der mangler et nyt navn.\rNavnet må ikke kun bestå af filtypen \".doc\".";
    QTest::newRow("folder, empty") << "Breve"
                                   << "" << blank;
    QTest::newRow("folder, blanks") << "Breve"
                                    << " \t " << blank;
}

void TestMetodeCompo::blankNamesAreRefused()
{
    QFETCH(QString, old);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Fixture f;
    const bool file = old.contains('.');
    const QString path = "C:\\D\\" + old;
    if (file)
        f.file(path, "indhold");
    else
        f.folder(path);
    f.struktur.makeStruktur2("C:\\D");
    StrukturNode *node = f.fileNode(old);
    QVERIFY(node);
    ScriptedResponder responder;
    if (file) {
        f.struktur.setFilnavn(path);
        QCOMPARE(f.metode.RenameFil(old, typed, node), old);
        QCOMPARE(f.drives.readBytes(path), QByteArray("indhold"));
    } else {
        QCOMPARE(f.metode.RenameMappe(StrukturNr::filer, old, typed, node), old);
        QVERIFY(QDir(f.drives.host(path)).exists());
    }
    QCOMPARE(QDir(f.drives.host("C:\\D")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{old});
    QCOMPARE(responder.texts(), QStringList{message});
}

void TestMetodeCompo::aDotFileMayBeRenamedToAnotherDotFile()
{
    Fixture f;
    f.struktur.setShowHidden(true);
    f.file("C:\\D\\.bashrc", "indhold");
    f.struktur.makeStruktur2("C:\\D");
    f.struktur.setFilnavn("C:\\D\\.bashrc");
    ScriptedResponder responder;
    responder.answerJa(); // the extension changes
    QCOMPARE(f.metode.RenameFil(".bashrc", ".profile", f.fileNode(".bashrc")), QString(".profile"));
    QCOMPARE(f.drives.readBytes("C:\\D\\.profile"), QByteArray("indhold"));
}

void TestMetodeCompo::renamingFilesAsksAboutTheType()
{
    Fixture f;
    f.file("C:\\D\\a.txt", "A");
    f.file("C:\\D\\c.txt", "C");
    f.struktur.makeStruktur2("C:\\D");
    ScriptedResponder responder;
    responder.answerNej();
    StrukturNode *a = f.fileNode("a.txt");
    f.struktur.setFilnavn("C:\\D\\a.txt");
    QCOMPARE(f.metode.RenameFil("a.txt", "b.doc", a), QString("b.txt"));
    QCOMPARE(f.drives.readBytes("C:\\D\\b.txt"), QByteArray("A"));
    QCOMPARE(a->rec.filnavn, QString("C:\\D\\b.txt"));
    QCOMPARE(f.struktur.filnavn(), QString("C:\\D\\b.txt"));
    QCOMPARE(responder.texts(),
             QStringList{"Filen var af type: .txt\rSkal den omdøbes til at være af type .doc?"});

    responder.clear();
    StrukturNode *c = f.fileNode("c.txt");
    f.struktur.setFilnavn("C:\\D\\c.txt");
    QCOMPARE(f.metode.RenameFil("c.txt", "b", c), QString("b (1).txt"));
    QVERIFY(responder.shown.isEmpty());
}

void TestMetodeCompo::renamingAFolderToAnotherCaseOfItsName()
{
    Fixture f;
    f.folder("C:\\D\\abc");
    f.folder("C:\\D\\lås");
    f.struktur.udfoldStruktur1("C:\\D\\abc", true);
    StrukturNode *node = f.folderTree.selectedNode();
    QCOMPARE(f.metode.RenameMappe(StrukturNr::mapper, "abc", "abc", node), QString("abc"));
    // Another letter case of the same name is the same folder, renamed in place.
    QCOMPARE(f.metode.RenameMappe(StrukturNr::mapper, "abc", "ABC", node), QString("ABC"));
    if (runningUnderWine())
        QSKIP("Wine's MoveFileW leaves a folder as it was when only the letter case of its name changes");
    QCOMPARE(QDir(f.drives.host("C:\\D")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{"ABC", "lås"}));
    QCOMPARE(f.struktur.mappenavn(), QString("C:\\D\\ABC"));

    // A failed rename names both folders and keeps the old name.
    ScriptedResponder responder;
    f.file("C:\\D\\fil", "x");
    StrukturNode *las = f.struktur.getStartNode(node->parent, "lås");
    QCOMPARE(f.metode.RenameMappe(StrukturNr::mapper, "lås", "fil", las), QString("lås"));
    QCOMPARE(responder.texts(), QStringList{"Mappen:\rC:\\D\\lås\rkunne ikke omdøbes til:\rC:\\D\\fil"});
    QVERIFY(f.folderTree.selectedNodes().empty());

    // A name Windows refuses is refused before anything is tried.
    responder.clear();
    QCOMPARE(f.metode.RenameMappe(StrukturNr::mapper, "lås", "a\\b", las), QString("lås"));
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY(responder.texts().first().startsWith("Navnet \"a\\b\" kan ikke bruges."));
    QVERIFY(QDir(f.drives.host("C:\\D\\lås")).exists());
}

void TestMetodeCompo::protectedNodesMayNotBeRenamed()
{
    Fixture f;
    ScriptedResponder responder;
    f.metode.editSelected(StrukturNr::mapper);
    f.struktur.makeStruktur1();
    f.metode.editSelected(StrukturNr::mapper);
    f.folder("C:\\P\\Windows");
    f.struktur.makeStruktur2("C:\\P");
    f.fileTree.selectNode(f.fileTree.firstNode());
    f.fileTree.firstNode()->rec.ID = 5;
    f.metode.editSelected(StrukturNr::filer);
    QCOMPARE(responder.texts(), (QStringList{"Der er ikke valgt element, der skal omdøbes.",
                                             "System (C:)\rmå ikke omdøbes.", "Windows\rmå ikke omdøbes"}));
}

void TestMetodeCompo::clipboardRowsAreUniqueRegardlessOfCase()
{
    Fixture f;
    f.file("C:\\D\\a.txt");
    f.folder("C:\\D\\Under");
    QVERIFY(f.metode.RegisterElements("C:\\D\\a.txt"));
    QVERIFY(f.metode.RegisterElements("c:\\d\\A.TXT"));
    QVERIFY(f.metode.RegisterElements("C:\\D\\Under"));
    QVERIFY(!f.metode.RegisterElements("C:\\D\\væk.txt"));
    f.metode.CopyListAdd(2, 6, "C:\\D\\a.txt\r\n", true);
    Klipbord &klipbord = *f.metode.klipbord();
    QCOMPARE(f.paths(*klipbord.Filliste), QStringList{"C:\\D\\a.txt"});
    QCOMPARE(klipbord.Filliste->row(0).picture, 2);
    QCOMPARE(f.paths(*klipbord.Mappeliste), QStringList{"C:\\D\\Under"});
    QCOMPARE(klipbord.Mappeliste->row(0).picture, 4);
    QCOMPARE(klipbord.elementAntal, 2);
    klipbord.Filliste->setChecked(0, false);
    QCOMPARE(klipbord.elementAntal, 1);
}

void TestMetodeCompo::copyElementsFromEitherTree()
{
    Fixture f;
    f.file("C:\\D\\bog.pdf");
    f.folder("C:\\D\\Under");
    ScriptedResponder responder;
    QCOMPARE(f.metode.CopyElementer(StrukturNr::filer), 0);
    QCOMPARE(
        responder.texts(),
        QStringList{"Der er ikke valgt elementer til kopiering.\rDer skal vælges elementer til kopiering."});

    f.struktur.makeStruktur2("C:\\D");
    f.fileTree.selectAllNodes();
    int shown = 0;
    f.metode.onVisKlipbord = [&] { ++shown; };
    QCOMPARE(f.metode.CopyElementer(StrukturNr::filer), 2);
    QCOMPARE(shown, 0);
    Klipbord &klipbord = *f.metode.klipbord();
    QCOMPARE(klipbord.Filliste->row(0).picture, 28); // the picture it had in the file tree
    QCOMPARE(f.paths(*klipbord.Mappeliste), QStringList{"C:\\D\\Under"});

    f.metode.setBoolVisKlipbord(true);
    f.struktur.udfoldStruktur1("C:\\D", true);
    QCOMPARE(f.metode.CopyElementer(StrukturNr::mapper), 0);
    QCOMPARE(shown, 1);
    QCOMPARE(f.paths(*klipbord.Mappeliste), (QStringList{"C:\\D\\Under", "C:\\D"}));
}

void TestMetodeCompo::pasteListsDropVanishedRowsAndSkipTheDestination()
{
    Fixture f;
    f.folder("C:\\A");
    f.folder("C:\\Mål");
    f.folder("C:\\Væk");
    f.file("C:\\f1.txt");
    f.file("C:\\f2.txt");
    for (const char *path : {"C:\\A", "C:\\Mål", "C:\\Væk", "C:\\f1.txt", "C:\\f2.txt"})
        f.metode.RegisterElements(path);
    Klipbord &klipbord = *f.metode.klipbord();
    klipbord.Filliste->setChecked(1, false);
    QDir(f.drives.host("C:\\Væk")).removeRecursively();

    QStringList folders, files;
    QCOMPARE(f.metode.loadLister(folders, files, "c:\\mål"), 2);
    QCOMPARE(folders, QStringList{"C:\\A"});
    QCOMPARE(files, QStringList{"C:\\f1.txt"});
    QCOMPARE(f.paths(*klipbord.Mappeliste), (QStringList{"C:\\A", "C:\\Mål"}));
    QCOMPARE(f.paths(*klipbord.Filliste), (QStringList{"C:\\f1.txt", "C:\\f2.txt"}));

    ScriptedResponder responder;
    klipbord.Mappeliste->setChecked(0, false);
    klipbord.Filliste->setChecked(0, false);
    folders.clear();
    files.clear();
    QCOMPARE(f.metode.loadLister(folders, files, "C:\\Mål"), 0);
    QCOMPARE(responder.texts(), QStringList{"Der mangler elementer til kopiering.\rKilde og destination er "
                                            "muligvist den samme eller der mangler elementer i Klipbordet."});
}

void TestMetodeCompo::sizesCountEmptyFilesAsOneByte()
{
    Fixture f;
    f.file("C:\\S\\tom.txt", "");
    f.file("C:\\S\\fem.txt", "12345");
    f.file("C:\\S\\Under\\.skjult", "123");
    // Windows: no symbolic link (QFile::link makes a shortcut file there).
    if (!kWindowsHost)
        QFile::link(f.drives.host("C:\\S"), f.drives.host("C:\\S\\Under\\ring"));
    QCOMPARE(TMetoder::getFilensSize("C:\\S\\tom.txt"), qint64(1));
    QCOMPARE(TMetoder::getFilensSize("C:\\S\\fem.txt"), qint64(5));
    QVERIFY_THROWS_EXCEPTION(FilFejl, TMetoder::getFilensSize("C:\\S\\væk.txt"));
    QVERIFY(f.metode.getMappeInfo("C:\\S"));
    // Under, and the link that is counted but not entered.
    QCOMPARE(f.metode.antalMapper, kWindowsHost ? 1 : 2);
    QCOMPARE(f.metode.antalFiler, 3);
    QCOMPARE(f.metode.totalSize, qint64(1 + 5 + 3));
    ScriptedResponder responder;
    QVERIFY(!f.metode.getMappeInfo("C:\\Væk"));
    QCOMPARE(responder.texts(), QStringList{"Der opstod en ukendt fejl.\r"});
}

void TestMetodeCompo::clipboardSizeInTheBackground()
{
    Fixture f;
    f.file("C:\\K\\Mappe\\a.txt", QByteArray(2048, 'a'));
    f.file("C:\\K\\Mappe\\tom.txt", "");
    f.file("C:\\K\\b.txt", QByteArray(1024, 'b'));
    f.file("C:\\K\\c.txt", "c");
    f.folder("C:\\K\\Væk");
    for (const char *path : {"C:\\K\\Mappe", "C:\\K\\Væk", "C:\\K\\b.txt", "C:\\K\\c.txt"})
        f.metode.RegisterElements(path);
    Klipbord &klipbord = *f.metode.klipbord();
    klipbord.Filliste->setChecked(1, false); // c.txt does not count
    QDir(f.drives.host("C:\\K\\Væk")).removeRecursively();
    QString windowField;
    f.metode.onUdskrivTilWin = [&](const QString &text) { windowField = text; };

    QCOMPARE(f.metode.getSizeOfKlipbord(), QString());
    QCOMPARE(klipbord.sizeText, QString("?"));
    QCOMPARE(klipbord.infoText, QString("Beregner..."));
    QTRY_COMPARE(klipbord.infoText, QString());
    QCOMPARE(f.metode.totalSize, qint64(2048 + 1 + 1024));
    QCOMPARE(klipbord.mapperText, QString("1"));
    QCOMPARE(klipbord.filerText, QString("3"));
    QCOMPARE(klipbord.sizeText, TMetoder::getSizeString(3073));
    QCOMPARE(windowField, f.metode.totalS() + "  Filer: 3");
    QCOMPARE(f.paths(*klipbord.Mappeliste), QStringList{"C:\\K\\Mappe"}); // the vanished row is gone
    QCOMPARE(f.metode.listeFiler, QStringList{"C:\\K\\b.txt"});
}

void TestMetodeCompo::clipboardSizeOfAFifoNeverBlocks()
{
#ifdef _WIN32
    QSKIP("Windows has no FIFOs");
#else
    Fixture f;
    f.file("C:\\K\\fem.txt", "12345");
    const QByteArray fifo = QFile::encodeName(f.drives.host("C:\\K\\rør"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    // A reader blocked on the FIFO is let go at the end, so a failure cannot hang the test.
    const auto release = qScopeGuard([&] {
        const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    QVERIFY(f.metode.RegisterElements("C:\\K\\rør"));
    QVERIFY(f.metode.RegisterElements("C:\\K\\fem.txt"));
    Klipbord &klipbord = *f.metode.klipbord();

    f.metode.getSizeOfKlipbord();
    QTRY_VERIFY_WITH_TIMEOUT(f.metode.sizeComputation().isFinished(), 3000);
    QTRY_COMPARE(klipbord.infoText, QString());
    QCOMPARE(f.metode.antalFiler, 2);
    QCOMPARE(f.metode.totalSize, qint64(1 + 5)); // the FIFO holds nothing: one byte, as an empty file
    QCOMPARE(TMetoder::getFilensSize("C:\\K\\rør"), qint64(1));
    QVERIFY_THROWS_EXCEPTION(FilFejl, TMetoder::getFilensSize("C:\\K"));
#endif
}

void TestMetodeCompo::sizeFieldHearsOnlyTheClipboardInUse()
{
    Fixture f;
    f.file("C:\\D\\a.txt");
    f.file("C:\\D\\b.txt");
    TMetodeCompo other(nullptr, f.metode.klipbord()); // sharing the first one's clipboard
    QStringList mine, theirs;
    f.metode.onUdskrivTilWin = [&mine](const QString &text) { mine << text; };
    other.onUdskrivTilWin = [&theirs](const QString &text) { theirs << text; };
    other.RegisterElements("C:\\D\\a.txt");
    QCOMPARE(mine, QStringList{"Ukendt"});
    QCOMPARE(theirs, QStringList{"Ukendt"});

    // Sharing ends: the other window's field no longer follows the first clipboard.
    other.setKlipbord(nullptr);
    mine.clear();
    theirs.clear();
    f.metode.RegisterElements("C:\\D\\b.txt");
    QCOMPARE(mine, QStringList{"Ukendt"});
    QVERIFY(theirs.isEmpty());
    f.metode.klipbord()->Filliste->removeAll();
    QCOMPARE(mine, (QStringList{"Ukendt", ""}));
}

void TestMetodeCompo::destinationByActiveTree()
{
    Fixture f;
    f.file("C:\\D\\a.txt");
    f.folder("C:\\D\\Under");
    f.struktur.makeStruktur2("C:\\D");
    QCOMPARE(f.metode.getDestination(StrukturNr::filer), QString("C:\\D"));
    f.fileTree.selectNode(f.fileNode("Under"));
    QCOMPARE(f.metode.getDestination(StrukturNr::filer), QString("C:\\D\\Under"));
    f.fileTree.selectNode(f.fileNode("a.txt"));
    QCOMPARE(f.metode.getDestination(StrukturNr::filer), QString("C:\\D"));
    QCOMPARE(f.metode.getDestination(StrukturNr::mapper), QString());
    QCOMPARE(f.metode.getDestination(StrukturNr::ingen), QString());
    QVERIFY(!f.metode.SelectMappe(StrukturNr::ingen, "C:\\D"));
    f.struktur.makeStruktur1();
    QVERIFY(f.metode.SelectMappe(StrukturNr::mapper, "d:"));
    QCOMPARE(f.metode.getDestination(StrukturNr::mapper), QString("D:"));
}

void TestMetodeCompo::recycleBinRoundTrip()
{
    SKIP_ON_WINDOWS("Wine keeps one recycle bin for every drive and names what it holds its own way; a real "
                    "Windows' recycle bin is the user's own");
    Fixture f;
    f.file("C:\\Skrald\\brev.txt", "x");
    f.file("D:\\Behold\\brev.txt", "y");
    QVERIFY(platform::current().moveToRecycleBin(u"C:\\Skrald\\brev.txt"));
    QVERIFY(platform::current().moveToRecycleBin(u"D:\\Behold\\brev.txt"));
    const QString trash = f.drives.homeTrash();
    QVERIFY(QFile::exists(trash + "/files/brev.txt"));
    QVERIFY(QFile::exists(trash + "/files/brev.txt.2"));
    ScriptedResponder responder;
    responder.answerNej();
    QCOMPARE(f.metode.EmptyRecycleBin(true, "C:\\"), 0);
    QVERIFY(QFile::exists(trash + "/files/brev.txt"));
    QCOMPARE(f.metode.EmptyRecycleBin(false, "C:\\"), 0);
    QVERIFY(!QFile::exists(trash + "/files/brev.txt"));
    QVERIFY(QFile::exists(trash + "/files/brev.txt.2"));
}

QTEST_MAIN(TestMetodeCompo)
#include "test_metodecompo.moc"
