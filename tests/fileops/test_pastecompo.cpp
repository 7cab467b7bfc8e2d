#include "core/messages.h"
#include "fileops/pastecompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>
#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

using messages::ShownDialog;
using testsupport::RecordedDeleteProgress;
using testsupport::RecordedPasteProgress;
using testsupport::ScriptedResponder;

namespace {

constexpr int overskrivIkke = 0;
constexpr int overskriv = 1;
constexpr int opretKopi = 2;
constexpr int spoerg = 3;

struct Fixture
{
    TestDrives drives;
    TPasteObjekt engine;
    RecordedPasteProgress &box = dynamic_cast<RecordedPasteProgress &>(engine.progressBox());
    RecordedDeleteProgress &deleteBox = dynamic_cast<RecordedDeleteProgress &>(engine.deleteBox());

    // The window's settings for the next paste.
    int ask = 2;
    bool closeAfter = true;

    void file(const QString &path, const QByteArray &bytes = "x") const { drives.writeBytes(path, bytes); }
    void folder(const QString &path) const { QDir().mkpath(drives.host(path)); }
    bool exists(const QString &path) const { return QFileInfo::exists(drives.host(path)); }
    QByteArray bytes(const QString &path) const { return drives.readBytes(path); }
    QStringList names(const QString &folder) const
    {
        return QDir(drives.host(folder))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System | QDir::Hidden, QDir::Name);
    }
    // The file system's identity of the element (inode, or file index on Windows).
    static platform::ElementId identity(const QString &path)
    {
        platform::ElementId id;
        platform::current().elementId(path.toStdU16String(), id);
        return id;
    }

    bool paste(const QString &dest, const QStringList &mapper, const QStringList &filer, int metode,
               bool flyt = false)
    {
        const PasteJob job{dest, mapper, filer, ask, metode, closeAfter, "Stifinder 1"};
        return flyt ? engine.PasteCutElementer(job) : engine.PasteElementer(job);
    }
};

QStringList informations(const ScriptedResponder &responder)
{
    QStringList texts;
    for (const ShownDialog &shown : responder.shown) {
        if (shown.kind == ShownDialog::Information)
            texts << shown.text;
    }
    return texts;
}

// A FIFO: the platform refuses to copy one at once (NotSupported), even for root.
void fifo(const TestDrives &drives, const QString &path)
{
    QDir().mkpath(QFileInfo(drives.host(path)).path());
    QVERIFY(makeFifo(drives.host(path)));
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 4099) % 251);
    return bytes;
}

} // namespace

class TestPasteCompo : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark)); }
    void confirmationAndItsAnswer();
    void copiesFoldersAndFilesWithTheProgressTexts();
    void opretKopiTwiceGivesTwoNumberedCopies();
    void aFolderIsMergedIntoOneOfTheSameName();
    void overskrivIkkeWithThreeClashesCopiesNothing();
    void theClashDialogsAnswersStick();
    void anEmptyFileCountsOneByteAndLeavesTheFileBar();
    void aFolderIsNeverPastedIntoItself_data();
    void aFolderIsNeverPastedIntoItself();
    void oneFolderUnderTwoNamesIsOneFolder_data();
    void oneFolderUnderTwoNamesIsOneFolder();
    void aNameHoldingABackslashIsOneName();
    void aCopyThatDoesNotFitCopiesNothing();
    void aSparseFileNeedsRoomOnlyForItsData_data();
    void aSparseFileNeedsRoomOnlyForItsData();
    void aCopiedTreeKeepsItsFoldersTimes_data();
    void aCopiedTreeKeepsItsFoldersTimes();
    void linksAreCopiedAsLinks();
    void aLinkClashesAsItselfNotAsWhatItLeadsTo();
    void aMoveWithinADriveRenames();
    void aMoveToAnotherDriveCopiesThenDeletesPermanently();
    void aMoveWithOverskrivIkkeLeavesTheClashAtItsSource();
    void aFolderIsReplacedOnlyAfterTheQuestion();
    void stopDuringAMoveKeepsEverySourceNotFullyCopied();
    void aFullDiskKeepsTheOldTargetAndReportsNoCopy();
    void whatWasNotCopiedIsNamedWithItsReason_data();
    void whatWasNotCopiedIsNamedWithItsReason();
    void afbroedOnlyWhenThePasteStopped();
};

void TestPasteCompo::confirmationAndItsAnswer()
{
    for (const bool ja : {false, true}) {
        Fixture f;
        f.file("C:\\Kilde\\a.txt");
        f.file("C:\\b.txt");
        f.folder("D:\\Mål");
        QList<bool> told;
        f.engine.FonPasteElements = [&told](bool doCopy) { told << doCopy; };
        f.ask = 0;
        ScriptedResponder responder;
        ja ? responder.answerJa() : responder.answerNej();
        QCOMPARE(f.paste("D:\\Mål", {"C:\\Kilde"}, {"C:\\b.txt"}, overskriv), ja);
        QCOMPARE(responder.shown.size(), 1);
        const ShownDialog &shown = responder.shown.first();
        QCOMPARE(shown.kind, ShownDialog::Confirmation);
        QCOMPARE(shown.text, QString("Skal valgte elementer kopieres?"));
        QCOMPARE(shown.destination, QString("D:\\Mål"));
        QCOMPARE(shown.folders, QStringList{"C:\\Kilde"});
        QCOMPARE(shown.files, QStringList{"C:\\b.txt"});
        QCOMPARE(told, QList<bool>{ja});
        QCOMPARE(f.exists("D:\\Mål\\Kilde\\a.txt"), ja);
        QCOMPARE(f.exists("D:\\Mål\\b.txt"), ja);
        QCOMPARE(f.box.shows, ja ? 1 : 0);
    }

    // No destination: nothing is asked and the paste does not go ahead.
    Fixture f;
    QList<bool> told;
    f.engine.FonPasteElements = [&told](bool doCopy) { told << doCopy; };
    f.ask = 0;
    ScriptedResponder responder;
    QVERIFY(!f.paste(QString(), {}, {"C:\\b.txt"}, overskriv));
    QVERIFY(responder.shown.isEmpty());
    QCOMPARE(told, QList<bool>{false});

    // Without a question the paste is told to go ahead too, so the clipboard is tidied after it.
    f.file("C:\\b.txt");
    f.ask = 2;
    told.clear();
    QVERIFY(f.paste("D:\\", {}, {"C:\\b.txt"}, overskriv));
    QVERIFY(responder.shown.isEmpty());
    QCOMPARE(told, QList<bool>{true});
}

void TestPasteCompo::copiesFoldersAndFilesWithTheProgressTexts()
{
    Fixture f;
    // Twelve files of 301,466 bytes: 3,45 MB in all.
    for (int i = 0; i < 10; ++i)
        f.file(QString("C:\\Foto\\%1\\b%2.jpg").arg(i % 2 ? "2024" : "2025").arg(i), QByteArray(301466, 'b'));
    f.file("C:\\c.txt", QByteArray(301466, 'c'));
    f.file("D:\\d.txt", QByteArray(301466, 'd'));
    f.folder("C:\\Mål");
    ScriptedResponder responder;
    f.closeAfter = false;
    QVERIFY(f.paste("C:\\Mål", {"C:\\Foto"}, {"C:\\c.txt", "D:\\d.txt"}, overskriv));
    QVERIFY(responder.shown.isEmpty());
    QCOMPARE(f.names("C:\\Mål"), (QStringList{"Foto", "c.txt", "d.txt"}));
    QCOMPARE(f.names("C:\\Mål\\Foto\\2024").size(), 5);
    QCOMPARE(f.bytes("C:\\Mål\\d.txt"), QByteArray(301466, 'd'));
    QVERIFY(f.exists("C:\\Foto\\2025\\b0.jpg")); // a copy leaves the source

    QCOMPARE(f.box.caption, QString("Stifinder 1 kopierer valgte elementer"));
    QCOMPARE(f.box.sourceCaption, QString("Der kopieres 1 mappe:"));
    QCOMPARE(f.box.infoText, QString("Der kopieres 12 filer: 3,45 MB"));
    QCOMPARE(f.engine.getResult(), QString("12 filer: 3,45 MB"));
    QCOMPARE(f.box.percent, QString("100%"));
    QCOMPARE(f.box.remaining, QString("0 (0 bytes)"));
    QCOMPARE(f.box.allBar, 100);
    QCOMPARE(f.box.checked, QList<bool>{true});
    QCOMPARE(f.box.countedFolders, 3);
    QCOMPARE(f.box.destination, QString("C:\\Mål"));
    QVERIFY(f.box.visible); // "Luk progressbokse" off
}

void TestPasteCompo::opretKopiTwiceGivesTwoNumberedCopies()
{
    Fixture f;
    f.file("C:\\a.txt", "ny");
    f.file("D:\\a.txt", "gammel");
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {}, {"C:\\a.txt"}, opretKopi));
    QVERIFY(f.paste("D:\\", {}, {"C:\\a.txt"}, opretKopi));
    QCOMPARE(f.names("D:\\"), (QStringList{"a Kopi (1).txt", "a Kopi (2).txt", "a.txt"}));
    QCOMPARE(f.bytes("D:\\a.txt"), QByteArray("gammel"));
    QCOMPARE(f.bytes("D:\\a Kopi (2).txt"), QByteArray("ny"));
    QVERIFY(responder.shown.isEmpty());
}

void TestPasteCompo::aFolderIsMergedIntoOneOfTheSameName()
{
    Fixture f;
    f.file("C:\\Musik\\a.mp3", "ny a");
    f.file("C:\\Musik\\Rock\\b.mp3", "ny b");
    f.file("D:\\Musik\\a.mp3", "gammel a");
    f.file("D:\\Musik\\c.mp3", "c");
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {"C:\\Musik"}, {}, overskrivIkke));
    QCOMPARE(f.names("D:\\"), QStringList{"Musik"});
    QCOMPARE(f.names("D:\\Musik"), (QStringList{"Rock", "a.mp3", "c.mp3"}));
    QCOMPARE(f.bytes("D:\\Musik\\a.mp3"), QByteArray("gammel a"));
    QCOMPARE(f.bytes("D:\\Musik\\Rock\\b.mp3"), QByteArray("ny b"));
    QCOMPARE(f.engine.ikkePastede, 1);
    QCOMPARE(f.box.checked, QList<bool>{true});
    QVERIFY(responder.shown.isEmpty());
}

void TestPasteCompo::overskrivIkkeWithThreeClashesCopiesNothing()
{
    Fixture f;
    for (const QString name : {"a", "b", "c"}) {
        f.file("C:\\" + name + ".txt", "ny");
        f.file("D:\\" + name + ".txt", "gammel");
    }
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {}, {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"}, overskrivIkke));
    for (const QString name : {"a", "b", "c"})
        QCOMPARE(f.bytes("D:\\" + name + ".txt"), QByteArray("gammel"));
    QCOMPARE(f.box.note, QString("3 filer blev ikke overskrevede."));
    QVERIFY(responder.shown.isEmpty());

    QVERIFY(f.paste("D:\\", {}, {"C:\\a.txt"}, overskrivIkke));
    QCOMPARE(f.box.note, QString("1 fil blev ikke overskrevet."));
}

void TestPasteCompo::theClashDialogsAnswersStick()
{
    struct Case
    {
        const char *name;
        QList<messages::DialogSeam::ClashAnswer> answers;
        int questions;
        QByteArray a, b, c; // what D: holds afterwards
    };
    const QList<Case> cases = {
        {"Overskriv alle at the first clash", {{1, std::nullopt}}, 1, "ny", "ny", "ny"},
        {"Overskriv ingen at the first clash", {{0, std::nullopt}}, 1, "gammel", "gammel", "gammel"},
        {"Opret kopier at the first clash", {{2, std::nullopt}}, 1, "gammel", "gammel", "gammel"},
        {"Spørg hver gang, this one not, then all", {{3, false}, {1, std::nullopt}}, 2, "gammel", "ny", "ny"},
        {"Spørg hver gang each time", {{3, true}, {3, false}, {3, true}}, 3, "ny", "gammel", "ny"},
    };
    for (const Case &c : cases) {
        Fixture f;
        for (const QString name : {"a", "b", "c"}) {
            f.file("C:\\" + name + ".txt", "ny");
            f.file("D:\\" + name + ".txt", "gammel");
        }
        ScriptedResponder responder;
        for (const auto &answer : c.answers)
            responder.answerClash(answer.handling, answer.overskriv);
        QVERIFY2(f.paste("D:\\", {}, {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"}, spoerg), c.name);
        QCOMPARE(responder.shown.size(), c.questions);
        QCOMPARE(responder.unexpectedQuestions, 0);
        QCOMPARE(responder.shown.first().kind, ShownDialog::Clash);
        QCOMPARE(responder.shown.first().text, QString("a.txt"));
        QCOMPARE(responder.shown.first().destination, QString("D:"));
        QCOMPARE(f.bytes("D:\\a.txt"), c.a);
        QCOMPARE(f.bytes("D:\\b.txt"), c.b);
        QCOMPARE(f.bytes("D:\\c.txt"), c.c);
        if (c.answers.first().handling == 2)
            QCOMPARE(f.names("D:\\").size(), 6);
    }
}

void TestPasteCompo::anEmptyFileCountsOneByteAndLeavesTheFileBar()
{
    Fixture f;
    f.file("C:\\tom.txt", QByteArray());
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {}, {"C:\\tom.txt"}, overskriv));
    QVERIFY(f.exists("D:\\tom.txt"));
    QCOMPARE(f.engine.totalSize, qint64(1));
    QCOMPARE(f.box.infoText, QString("Der kopieres 1 fil: 1 bytes"));
    QCOMPARE(f.box.fileBarChanges, 0);
}

void TestPasteCompo::aFolderIsNeverPastedIntoItself_data()
{
    QTest::addColumn<QString>("dest");
    QTest::addColumn<bool>("flyt");
    QTest::addColumn<bool>("refused");
    QTest::newRow("into itself") << "C:\\A" << false << true;
    QTest::newRow("into its sub-folder") << "C:\\A\\B" << false << true;
    QTest::newRow("other case, moved") << "c:\\a\\b\\" << true << true;
    QTest::newRow("a name that only begins alike") << "C:\\AB" << false << false;
    QTest::newRow("moved beside itself") << "C:\\AB" << true << false;
}

void TestPasteCompo::aFolderIsNeverPastedIntoItself()
{
    QFETCH(QString, dest);
    QFETCH(bool, flyt);
    QFETCH(bool, refused);
    Fixture f;
    f.file("C:\\A\\B\\x.txt");
    f.folder("C:\\AB");
    ScriptedResponder responder;
    QCOMPARE(f.paste(dest, {"C:\\A"}, {}, overskriv, flyt), !refused);
    if (refused) {
        QCOMPARE(informations(responder),
                 QStringList{
                     "Mappen\rC:\\A\r" +
                     QString(flyt ? "kan ikke flyttes ind i sig selv eller i en af sine egne undermapper.\r"
                                    "Intet er blevet flyttet."
                                  : "kan ikke kopieres ind i sig selv eller i en af sine egne undermapper.\r"
                                    "Intet er blevet kopieret.")});
        QCOMPARE(f.names("C:\\A"), QStringList{"B"});
        QCOMPARE(f.names("C:\\A\\B"), QStringList{"x.txt"});
        QCOMPARE(f.box.shows, 0);
    } else {
        QVERIFY(informations(responder).isEmpty());
        QVERIFY(f.exists("C:\\AB\\A\\B\\x.txt"));
        QCOMPARE(f.exists("C:\\A"), !flyt);
    }
}

void TestPasteCompo::oneFolderUnderTwoNamesIsOneFolder_data()
{
    // D:\\Hjem\\Dok is also C:\\Dok (a link, as the user's folders of drive C: are), and
    // C:\\Dyb leads into D:\\Hjem\\Dok\\Flyt\\Under.
    QTest::addColumn<QString>("kilde");
    QTest::addColumn<QString>("dest");
    QTest::addColumn<bool>("flyt");
    QTest::addColumn<int>("metode");
    QTest::addColumn<QString>("besked"); // empty: the paste goes ahead
    const QString ind = "kan ikke kopieres ind i sig selv eller i en af sine egne undermapper.\r"
                        "Intet er blevet kopieret.";
    const QString indFlyt = "kan ikke flyttes ind i sig selv eller i en af sine egne undermapper.\r"
                            "Intet er blevet flyttet.";
    const QString allerede = "ligger allerede i mappen:\rD:\\Hjem\\Dok\rIntet er blevet flyttet.";
    QTest::newRow("moved to where it lies, by the other name")
        << "C:\\Dok\\Flyt"
        << "D:\\Hjem\\Dok" << true << opretKopi << "Mappen\rC:\\Dok\\Flyt\r" + allerede;
    QTest::newRow("moved to where it lies, replacing itself")
        << "C:\\Dok\\Flyt"
        << "D:\\Hjem\\Dok" << true << overskriv << "Mappen\rC:\\Dok\\Flyt\r" + allerede;
    QTest::newRow("copied below itself, by the other name")
        << "D:\\Hjem\\Dok\\Flyt"
        << "C:\\Dok\\Flyt\\Under" << false << opretKopi << "Mappen\rD:\\Hjem\\Dok\\Flyt\r" + ind;
    QTest::newRow("moved below itself, by the other name")
        << "D:\\Hjem\\Dok\\Flyt"
        << "C:\\Dok\\Flyt\\Under" << true << opretKopi << "Mappen\rD:\\Hjem\\Dok\\Flyt\r" + indFlyt;
    QTest::newRow("copied into itself through a link inside it")
        << "D:\\Hjem\\Dok\\Flyt"
        << "C:\\Dyb" << false << overskriv << "Mappen\rD:\\Hjem\\Dok\\Flyt\r" + ind;
    QTest::newRow("copied into itself by the other name")
        << "C:\\Dok\\Flyt"
        << "D:\\Hjem\\Dok\\Flyt" << false << opretKopi << "Mappen\rC:\\Dok\\Flyt\r" + ind;
    QTest::newRow("copied beside itself: allowed") << "C:\\Dok\\Flyt"
                                                   << "D:\\Hjem\\Andet" << false << opretKopi << QString();
    QTest::newRow("moved beside itself: allowed") << "C:\\Dok\\Flyt"
                                                  << "D:\\Hjem\\Andet" << true << opretKopi << QString();
}

void TestPasteCompo::oneFolderUnderTwoNamesIsOneFolder()
{
    SKIP_LINKS_ON_WINDOWS();
    QFETCH(QString, kilde);
    QFETCH(QString, dest);
    QFETCH(bool, flyt);
    QFETCH(int, metode);
    QFETCH(QString, besked);
    Fixture f;
    f.file("D:\\Hjem\\Dok\\Flyt\\a.txt", "indhold");
    f.folder("D:\\Hjem\\Dok\\Flyt\\Under");
    f.folder("D:\\Hjem\\Andet");
    QVERIFY(QFile::link(f.drives.host("D:\\Hjem\\Dok"), f.drives.rootC() + "/Dok"));
    QVERIFY(QFile::link(f.drives.host("D:\\Hjem\\Dok\\Flyt\\Under"), f.drives.rootC() + "/Dyb"));
    ScriptedResponder responder;
    QCOMPARE(f.paste(dest, {kilde}, {}, metode, flyt), besked.isEmpty());
    if (besked.isEmpty()) {
        QVERIFY(informations(responder).isEmpty());
        QCOMPARE(f.bytes("D:\\Hjem\\Andet\\Flyt\\a.txt"), QByteArray("indhold"));
        QCOMPARE(f.exists("D:\\Hjem\\Dok\\Flyt"), !flyt);
        return;
    }
    QCOMPARE(informations(responder), QStringList{besked});
    QCOMPARE(f.box.shows, 0);
    QCOMPARE(f.names("D:\\Hjem\\Dok"), QStringList{"Flyt"});
    QCOMPARE(f.names("D:\\Hjem\\Dok\\Flyt"), (QStringList{"Under", "a.txt"}));
    QVERIFY(f.names("D:\\Hjem\\Dok\\Flyt\\Under").isEmpty());
    QCOMPARE(f.bytes("D:\\Hjem\\Dok\\Flyt\\a.txt"), QByteArray("indhold"));
}

void TestPasteCompo::aNameHoldingABackslashIsOneName()
{
    SKIP_ON_WINDOWS("a name holding \"\\\", which no Windows name can");
    // "sub\x.txt" as one host name (made on Windows, unpacked here) beside the folder "sub".
    Fixture f;
    QDir().mkpath(f.drives.rootC() + "/K/sub");
    QFile one(f.drives.rootC() + "/K/sub\\x.txt");
    QVERIFY(one.open(QIODevice::WriteOnly) && one.write("navnet") == 6);
    one.close();
    QFile two(f.drives.rootC() + "/K/sub/x.txt");
    QVERIFY(two.open(QIODevice::WriteOnly) && two.write("mappens") == 7);
    two.close();
    ScriptedResponder responder;
    QVERIFY(f.paste("D:", {"C:\\K"}, {}, overskrivIkke, true));
    QVERIFY(informations(responder).isEmpty());
    QVERIFY(!QFileInfo::exists(f.drives.rootC() + "/K"));
    QCOMPARE(f.drives.readBytes(QString("D:\\K\\sub") + QChar(0xF05C) + "x.txt"), QByteArray("navnet"));
    QCOMPARE(f.drives.readBytes("D:\\K\\sub\\x.txt"), QByteArray("mappens"));
}

void TestPasteCompo::aCopyThatDoesNotFitCopiesNothing()
{
    Fixture f;
    f.file("C:\\Stor\\a.bin", QByteArray(3000, 'a'));
    f.file("C:\\b.bin", QByteArray(2000, 'b'));
    f.drives.backEnd().freeToCaller = 4000;
    ScriptedResponder responder;
    QVERIFY(!f.paste("D:\\", {"C:\\Stor"}, {"C:\\b.bin"}, overskriv));
    QCOMPARE(informations(responder),
             QStringList{"Der er ikke plads nok på destinationsdrevet.\rDer skal bruges "
                         "4,88 KB, men der er kun 3,91 KB ledig plads.\rIntet er blevet "
                         "kopieret."});
    QVERIFY(f.names("D:\\").isEmpty());
    QCOMPARE(f.box.shows, 0);

    // A move to another drive that does not fit leaves every source where it was.
    responder.clear();
    QVERIFY(f.paste("D:\\", {"C:\\Stor"}, {"C:\\b.bin"}, overskriv, true));
    QCOMPARE(informations(responder).size(), 1);
    QVERIFY(f.exists("C:\\Stor\\a.bin"));
    QVERIFY(f.exists("C:\\b.bin"));
    QVERIFY(f.names("D:\\").isEmpty());

    f.drives.backEnd().freeToCaller = 5000;
    responder.clear();
    QVERIFY(f.paste("D:\\", {"C:\\Stor"}, {"C:\\b.bin"}, overskriv));
    QVERIFY(responder.shown.isEmpty());
    QVERIFY(f.exists("D:\\b.bin"));
}

void TestPasteCompo::aSparseFileNeedsRoomOnlyForItsData_data()
{
    QTest::addColumn<bool>("iMappe");
    QTest::addColumn<bool>("flyt");
    QTest::newRow("file") << false << false;
    QTest::newRow("file in a folder") << true << false;
    QTest::newRow("folder moved to another drive") << true << true;
}

// 64 MiB of which 192 KiB are data: the free-space check counts what the copy writes, while the
// progress window shows the size the file has.
void TestPasteCompo::aSparseFileNeedsRoomOnlyForItsData()
{
#ifdef _WIN32
    QSKIP("a sparse file is made with POSIX calls, and the Windows back end does not keep holes in a copy");
#else
    QFETCH(bool, iMappe);
    QFETCH(bool, flyt);
    constexpr qint64 kSize = qint64(64) << 20;
    Fixture f;
    f.folder("C:\\Tynd");
    const QByteArray host = QFile::encodeName(f.drives.host("C:\\Tynd\\tynd.bin"));
    const int fd = ::open(host.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    const QByteArray block = pattern(64 << 10);
    for (const qint64 offset : {qint64(0), qint64(20) << 20, qint64(50) << 20})
        QCOMPARE(::pwrite(fd, block.constData(), size_t(block.size()), offset), ssize_t(block.size()));
    QCOMPARE(::ftruncate(fd, kSize), 0);
    ::close(fd);
    struct stat source
    {
    };
    QCOMPARE(::stat(host.constData(), &source), 0);
    if (qint64(source.st_blocks) * 512 >= kSize / 2)
        QSKIP("the temporary folder's file system keeps no holes");

    // Room for the data, not for the size.
    f.drives.backEnd().freeToCaller = 32 << 20;
    ScriptedResponder responder;
    QVERIFY(iMappe ? f.paste("D:\\", {"C:\\Tynd"}, {}, overskriv, flyt)
                   : f.paste("D:\\", {}, {"C:\\Tynd\\tynd.bin"}, overskriv, flyt));
    QCOMPARE(informations(responder), QStringList());
    const QString kopi = iMappe ? "D:\\Tynd\\tynd.bin" : "D:\\tynd.bin";
    struct stat copy
    {
    };
    QCOMPARE(::stat(QFile::encodeName(f.drives.host(kopi)).constData(), &copy), 0);
    QCOMPARE(qint64(copy.st_size), kSize);
    QVERIFY(qint64(copy.st_blocks) * 512 < kSize / 2);
    QCOMPARE(f.box.infoText, QString("Der kopieres 1 fil: 64,00 MB"));
    QCOMPARE(f.exists("C:\\Tynd"), !flyt);
#endif
}

void TestPasteCompo::aCopiedTreeKeepsItsFoldersTimes_data()
{
    QTest::addColumn<bool>("flyt");
    QTest::newRow("copy") << false;
    QTest::newRow("move to another drive") << true;
}

// Every folder the copy makes gets its source's last-write time, set after its contents were
// written; a folder that was there already is merged into and is no copy.
void TestPasteCompo::aCopiedTreeKeepsItsFoldersTimes()
{
    QFETCH(bool, flyt);
    Fixture f;
    f.file("C:\\Træ\\a.txt");
    f.file("C:\\Træ\\Under\\b.txt");
    f.file("C:\\Træ\\Under\\Dybere\\c.txt");
    f.folder("C:\\Træ\\Tom");
    f.file("C:\\Findes\\d.txt");
    f.file("D:\\Findes\\gammel.txt");
    const auto setTime = [](const QString &path, std::int64_t seconds) {
        QVERIFY(platform::current().setLastWriteTime(path.toStdU16String(), seconds));
    };
    const auto timeOf = [](const QString &path) {
        platform::FileTimes times;
        platform::current().fileTimes(path.toStdU16String(), times);
        return times.lastWrite;
    };
    const QList<QPair<QString, std::int64_t>> folders{{"Træ\\Under\\Dybere", 978350400},
                                                      {"Træ\\Under", 978350401},
                                                      {"Træ\\Tom", 978350402},
                                                      {"Findes", 978350403},
                                                      {"Træ", 978350404}};
    for (const auto &[folder, seconds] : folders)
        setTime("C:\\" + folder, seconds);
    setTime("D:\\Findes", 978350500);

    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {"C:\\Træ", "C:\\Findes"}, {}, overskrivIkke, flyt));
    QVERIFY(f.exists("D:\\Træ\\Under\\Dybere\\c.txt"));
    QVERIFY(f.exists("D:\\Findes\\d.txt"));
    for (const auto &[folder, seconds] : folders) {
        if (folder == "Findes")
            QVERIFY2(timeOf("D:\\" + folder) != seconds, qPrintable(folder));
        else
            QCOMPARE(timeOf("D:\\" + folder), seconds);
    }
}

void TestPasteCompo::linksAreCopiedAsLinks()
{
    SKIP_LINKS_ON_WINDOWS();
    Fixture f;
    f.file("C:\\Mappe\\fil.txt", "indhold");
    f.folder("C:\\Mappe\\Under");
    const QString host = f.drives.host("C:\\Mappe");
    QVERIFY(QFile::link("fil.txt", host + "/link.txt"));
    QVERIFY(QFile::link("..", host + "/Under/op")); // a loop back up the tree
    QVERIFY(QFile::link("findes/ikke", host + "/død"));
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {"C:\\Mappe"}, {}, overskriv));
    QCOMPARE(f.names("D:\\Mappe"), (QStringList{"Under", "død", "fil.txt", "link.txt"}));
    const QString copy = f.drives.host("D:\\Mappe");
    QCOMPARE(QFileInfo(copy + "/link.txt").symLinkTarget(), copy + "/fil.txt");
    QCOMPARE(QFile::symLinkTarget(copy + "/Under/op"), copy);
    QVERIFY(QFileInfo(copy + "/død").isSymLink());
    QCOMPARE(f.names("D:\\Mappe\\Under"), QStringList{"op"});
    QVERIFY(informations(responder).isEmpty());
    QCOMPARE(f.box.checked, QList<bool>{true});
}

// A dangling link, a link to itself and one to its own folder, pasted again over their earlier
// copy with "Opret kopi": each gets its copy name, and the move that follows can remove its source.
void TestPasteCompo::aLinkClashesAsItselfNotAsWhatItLeadsTo()
{
    SKIP_LINKS_ON_WINDOWS();
    Fixture f;
    f.file("C:\\Mappe\\fil.txt", "indhold");
    const QString host = f.drives.host("C:\\Mappe");
    QVERIFY(QFile::link("findes/ikke", host + "/død"));
    QVERIFY(QFile::link("selv", host + "/selv"));
    QVERIFY(QFile::link(".", host + "/loop"));
    const auto sorted = [&f](const QString &folder) {
        QStringList names = f.names(folder);
        names.sort();
        return names;
    };
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", {"C:\\Mappe"}, {}, opretKopi));
    QVERIFY(f.paste("D:\\", {"C:\\Mappe"}, {}, opretKopi));
    QCOMPARE(informations(responder), QStringList{});
    QCOMPARE(f.box.checked, QList<bool>{true});
    QCOMPARE(sorted("D:\\Mappe"), (QStringList{"død", "død Kopi (1)", "fil Kopi (1).txt", "fil.txt", "loop",
                                               "loop Kopi (1)", "selv", "selv Kopi (1)"}));
    const QString copy = f.drives.host("D:\\Mappe");
    QCOMPARE(QFileInfo(copy + "/død Kopi (1)").symLinkTarget(), copy + "/findes/ikke");
    QCOMPARE(QFile::symLinkTarget(copy + "/loop Kopi (1)"), copy);
    QVERIFY(QFileInfo(copy + "/selv Kopi (1)").isSymLink());

    // Moved to another drive over both copies: everything arrives, so the source goes.
    QVERIFY(f.paste("D:\\", {"C:\\Mappe"}, {}, opretKopi, true));
    QCOMPARE(informations(responder), QStringList{});
    QVERIFY(!f.exists("C:\\Mappe"));
    QCOMPARE(sorted("D:\\Mappe").size(), 12);
    QVERIFY(QFileInfo(copy + "/død Kopi (2)").isSymLink());
}

void TestPasteCompo::aMoveWithinADriveRenames()
{
    Fixture f;
    f.file("C:\\Gammel\\Under\\a.txt", "a");
    f.file("C:\\b.txt", "b");
    f.folder("C:\\Ny");
    const platform::ElementId folder = f.identity("C:\\Gammel");
    const platform::ElementId file = f.identity("C:\\b.txt");
    ScriptedResponder responder;
    QVERIFY(f.paste("C:\\Ny", {"C:\\Gammel"}, {"C:\\b.txt"}, overskriv, true));
    QVERIFY(responder.shown.isEmpty());
    QVERIFY(!f.exists("C:\\Gammel"));
    QVERIFY(!f.exists("C:\\b.txt"));
    QVERIFY(f.identity("C:\\Ny\\Gammel") == folder);
    QVERIFY(f.identity("C:\\Ny\\b.txt") == file);
    QCOMPARE(f.bytes("C:\\Ny\\Gammel\\Under\\a.txt"), QByteArray("a"));
    QCOMPARE(f.box.shows, 0); // a rename needs no progress window
    QVERIFY(f.engine.pasteMapper().isEmpty());
    QVERIFY(f.engine.pasteFiler().isEmpty());
}

void TestPasteCompo::aMoveToAnotherDriveCopiesThenDeletesPermanently()
{
    Fixture f;
    f.file("D:\\Foto\\a.jpg", "12345");
    f.file("D:\\Foto\\2024\\b.jpg", "123");
    f.file("D:\\c.txt", "cc");
    ScriptedResponder responder;
    f.closeAfter = false;
    QVERIFY(f.paste("C:\\", {"D:\\Foto"}, {"D:\\c.txt"}, overskriv, true));
    QVERIFY2(responder.shown.isEmpty(), qPrintable(responder.texts().join(" | ")));
    QCOMPARE(f.bytes("C:\\Foto\\2024\\b.jpg"), QByteArray("123"));
    QCOMPARE(f.bytes("C:\\c.txt"), QByteArray("cc"));
    QVERIFY(f.names("D:\\").isEmpty());
    QVERIFY(!QDir(f.drives.homeTrash() + "/files").exists() ||
            QDir(f.drives.homeTrash() + "/files")
                .isEmpty(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden));
    QCOMPARE(f.deleteBox.heading, QString("Sletningen er permanent: 10 bytes"));
    QCOMPARE(f.deleteBox.checked, QList<bool>{true});
    QCOMPARE(f.engine.getResult(), QString("3 filer: 10 bytes"));
}

void TestPasteCompo::aMoveWithOverskrivIkkeLeavesTheClashAtItsSource()
{
    Fixture f;
    f.file("D:\\a.txt", "ny a");
    f.file("D:\\b.txt", "ny b");
    f.file("C:\\a.txt", "gammel a");
    ScriptedResponder responder;
    QVERIFY(f.paste("C:\\", {}, {"D:\\a.txt", "D:\\b.txt"}, overskrivIkke, true));
    QCOMPARE(f.bytes("D:\\a.txt"), QByteArray("ny a"));
    QCOMPARE(f.bytes("C:\\a.txt"), QByteArray("gammel a"));
    QCOMPARE(f.bytes("C:\\b.txt"), QByteArray("ny b"));
    QVERIFY(!f.exists("D:\\b.txt"));
    QCOMPARE(
        informations(responder),
        (QStringList{"Der var mapper eller filer, der ikke blev kopierede til destinationen.",
                     "1 element blev ikke flyttede på grund af den valgte indstilling \"Overskriv ikke\"."}));
}

void TestPasteCompo::aFolderIsReplacedOnlyAfterTheQuestion()
{
    const QString question =
        "Der eksisterer allerede en mappe med navnet:\rC:\\Mål\\%1\rMå denne mappe slettes og "
        "erstattes af den nye mappe?";
    {
        Fixture f;
        f.file("C:\\A\\ny.txt", "ny");
        f.file("C:\\Mål\\A\\gammel.txt", "gammel");
        ScriptedResponder responder;
        responder.answerJa();
        QVERIFY(f.paste("C:\\Mål", {"C:\\A"}, {}, overskriv, true));
        QCOMPARE(responder.shown.size(), 1);
        QCOMPARE(responder.shown.first().text, question.arg("A"));
        QVERIFY(responder.shown.first().alleCheckVisible);
        QCOMPARE(f.names("C:\\Mål"), QStringList{"A"});
        QCOMPARE(f.names("C:\\Mål\\A"), QStringList{"ny.txt"});
        QVERIFY(!f.exists("C:\\A"));
    }
    {
        // "Nej" with "Gør det samme med alle": every later clash stays without asking; a folder
        // without a clash still moves.
        Fixture f;
        for (const QString name : {"A", "B"}) {
            f.file("C:\\" + name + "\\ny.txt", "ny");
            f.file("C:\\Mål\\" + name + "\\gammel.txt", "gammel");
        }
        f.file("C:\\C\\c.txt", "c");
        ScriptedResponder responder;
        responder.answerNej(true);
        QVERIFY(f.paste("C:\\Mål", {"C:\\A", "C:\\B", "C:\\C"}, {}, overskriv, true));
        QCOMPARE(responder.shown.size(), 1);
        QCOMPARE(responder.shown.first().text, question.arg("B")); // the list goes from its end
        QVERIFY(f.exists("C:\\A\\ny.txt"));
        QVERIFY(f.exists("C:\\B\\ny.txt"));
        QVERIFY(f.exists("C:\\Mål\\A\\gammel.txt"));
        QVERIFY(f.exists("C:\\Mål\\C\\c.txt"));
        QVERIFY(!f.exists("C:\\C"));
    }
}

void TestPasteCompo::stopDuringAMoveKeepsEverySourceNotFullyCopied()
{
    if (runningUnderWine())
        QSKIP("Wine's CopyFileExW calls the progress routine only when a file is copied whole, so no stop "
              "comes during one");
    Fixture f;
    const QByteArray big = pattern(10 << 20);
    f.file("D:\\Mappe\\lille.txt", "lille");
    f.file("D:\\Mappe\\Under\\x.txt", "x");
    f.file("D:\\a.txt", "a");
    f.file("D:\\b.bin", big);
    f.file("D:\\c.txt", "c");
    f.file("C:\\b.bin", "gammel b");
    // "Stop" while the big file reports its first chunk.
    f.box.onFileBar = [&f](int value) {
        if (value > 0 && value < 100)
            f.box.stop = true;
    };
    ScriptedResponder responder;
    f.closeAfter = false;
    QVERIFY(f.paste("C:\\", {"D:\\Mappe"}, {"D:\\a.txt", "D:\\b.bin", "D:\\c.txt"}, overskriv, true));

    QVERIFY(f.box.stop);
    QCOMPARE(f.engine.getResult(), QString("ukendt antal bytes, da kopieringsfunktionen blev afbrudt."));
    // What was copied whole before the stop has moved.
    QCOMPARE(f.bytes("C:\\Mappe\\Under\\x.txt"), QByteArray("x"));
    QCOMPARE(f.bytes("C:\\a.txt"), QByteArray("a"));
    QVERIFY(!f.exists("D:\\Mappe"));
    QVERIFY(!f.exists("D:\\a.txt"));
    // The stopped file and everything after it stay; the old target is as it was.
    QCOMPARE(f.bytes("D:\\b.bin"), big);
    QCOMPARE(f.bytes("C:\\b.bin"), QByteArray("gammel b"));
    QCOMPARE(f.bytes("D:\\c.txt"), QByteArray("c"));
    QCOMPARE(f.names("C:\\"), (QStringList{"Mappe", "a.txt", "b.bin"}));
    QCOMPARE(informations(responder),
             QStringList{"Der var mapper eller filer, der ikke blev kopierede til destinationen."});

    // The next paste runs normally: showing the window clears the flag.
    f.box.onFileBar = {};
    responder.clear();
    QVERIFY(f.paste("C:\\", {}, {"D:\\c.txt"}, overskriv, true));
    QCOMPARE(f.bytes("C:\\c.txt"), QByteArray("c"));
    QVERIFY(!f.exists("D:\\c.txt"));
    QCOMPARE(f.engine.getResult(), QString("1 fil: 1 bytes"));
}

// A destination that fills up mid-copy: a file-size limit on this process makes every write past
// 64 KiB fail as a full disk does.
void TestPasteCompo::aFullDiskKeepsTheOldTargetAndReportsNoCopy()
{
#ifdef _WIN32
    QSKIP("a full disk is stood for by a file-size limit (setrlimit); Windows has none");
#else
    for (const bool flyt : {false, true}) {
        Fixture f;
        const QByteArray big = pattern(1 << 20);
        f.file("C:\\lille.txt", "lille");
        f.file("C:\\stor.bin", big);
        f.file("C:\\efter.txt", "efter");
        f.file("D:\\stor.bin", "gammel");
        ScriptedResponder responder;

        rlimit before{};
        ::getrlimit(RLIMIT_FSIZE, &before);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = 64 << 10;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool result =
            f.paste("D:\\", {}, {"C:\\lille.txt", "C:\\stor.bin", "C:\\efter.txt"}, overskriv, flyt);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(result);
        QCOMPARE(f.bytes("D:\\stor.bin"), QByteArray("gammel"));
        QCOMPARE(f.bytes("D:\\lille.txt"), QByteArray("lille"));
        QCOMPARE(f.names("D:\\"), (QStringList{"lille.txt", "stor.bin"})); // no half copy beside them
        QCOMPARE(f.engine.getResult(), QString("ukendt antal bytes, da kopieringsfunktionen blev afbrudt."));
        const QStringList said = informations(responder);
        QVERIFY(!said.isEmpty());
        QCOMPARE(said.first(),
                 QString("Der er ikke plads til filen:\rD:\\stor.bin\rDestinationsdrevet er fuldt, og "
                         "kopieringen er stoppet.\rEn fil, der ikke blev kopieret helt, er ikke ændret på "
                         "destinationen."));
        // A move leaves every source that was not copied whole.
        QCOMPARE(f.exists("C:\\lille.txt"), !flyt);
        QCOMPARE(f.bytes("C:\\stor.bin"), big);
        QCOMPARE(f.bytes("C:\\efter.txt"), QByteArray("efter"));
    }
#endif
}

void TestPasteCompo::whatWasNotCopiedIsNamedWithItsReason_data()
{
    QTest::addColumn<QStringList>("fifos");
    QTest::addColumn<QString>("fileInTheWay"); // a file where the paste must make a folder
    QTest::addColumn<QString>("unreadable");
    QTest::addColumn<QStringList>("filer");
    QTest::addColumn<QString>("message");

    const QString delvis =
        "Der opstod en fejl. Mappen: \rC:\\Kilde\rblev ikke kopieret helt til: \rD:\\Kilde\r"
        "Følgende blev ikke kopieret:\r";
    QTest::newRow("a file below the folder")
        << QStringList{"C:\\Kilde\\Under\\rør"} << QString() << QString() << QStringList{}
        << delvis + "Filen C:\\Kilde\\Under\\rør: Anmodningen understøttes ikke.";
    QTest::newRow("a sub-folder where a file is")
        << QStringList{} << "D:\\Kilde\\Under" << QString() << QStringList{}
        << delvis + "Mappen C:\\Kilde\\Under: Der findes allerede en fil med det navn.";
    QTest::newRow("a sub-folder that cannot be read")
        << QStringList{} << QString() << "C:\\Kilde\\Under" << QStringList{}
        << delvis + "Mappen C:\\Kilde\\Under: Adgang nægtet.";
    QStringList mange;
    QStringList linjer;
    for (int i = 1; i <= 22; ++i) {
        mange << QString("C:\\Kilde\\rør %1").arg(i, 2, 10, QChar(u'0'));
        if (i <= 20)
            linjer << "Filen " + mange.last() + ": Anmodningen understøttes ikke.";
    }
    QTest::newRow("twenty-two files: twenty named")
        << mange << QString() << QString() << QStringList{} << delvis + linjer.join(u'\r') + "\r… og 2 mere";
    QTest::newRow("the folder itself where a file is")
        << QStringList{} << "D:\\Kilde" << QString() << QStringList{}
        << "Der opstod en fejl. Mappen: \rC:\\Kilde\rblev ikke kopieret til: \rD:\\Kilde\r"
           "Der findes allerede en fil med det navn.";
    QTest::newRow("a listed file")
        << QStringList{"C:\\rør"} << QString() << QString() << QStringList{"C:\\rør"}
        << "Der opstod en fejl. Filen: \rC:\\rør\rblev ikke kopieret til: \rD:\\rør\r"
           "Anmodningen understøttes ikke.";
}

// A copy error names the element that was not copied, inside the tree too, with the system's
// reason; the rest of the paste goes on, so nothing says it was broken off.
void TestPasteCompo::whatWasNotCopiedIsNamedWithItsReason()
{
    QFETCH(QStringList, fifos);
    QFETCH(QString, fileInTheWay);
    QFETCH(QString, unreadable);
    QFETCH(QStringList, filer);
    QFETCH(QString, message);
    if (!fifos.isEmpty())
        SKIP_ON_WINDOWS("Windows has no FIFOs");
    Fixture f;
    f.file("C:\\Kilde\\a.txt", "a");
    f.file("C:\\Kilde\\Under\\b.txt", "b");
    f.file("C:\\c.txt", "c");
    for (const QString &path : fifos)
        fifo(f.drives, path);
    if (!fileInTheWay.isEmpty())
        f.file(fileInTheWay, "i vejen");
    if (!unreadable.isEmpty())
        f.drives.backEnd().refusedListings << unreadable;
    const bool mappe = filer.isEmpty();
    ScriptedResponder responder;
    QVERIFY(f.paste("D:\\", mappe ? QStringList{"C:\\Kilde"} : QStringList{},
                    filer + QStringList{"C:\\c.txt"}, overskriv));
    QCOMPARE(informations(responder), QStringList{message});
    QCOMPARE(f.bytes("D:\\c.txt"), QByteArray("c")); // the paste went on
    if (mappe) {
        QCOMPARE(f.box.checked, QList<bool>{false});
        if (fileInTheWay != "D:\\Kilde")
            QCOMPARE(f.bytes("D:\\Kilde\\a.txt"), QByteArray("a"));
    }
}

// A full destination stops the paste: then, and only then, the folder's message says that an
// error broke the process off; what failed before it is still named.
void TestPasteCompo::afbroedOnlyWhenThePasteStopped()
{
#ifdef _WIN32
    QSKIP("a full disk is stood for by a file-size limit (setrlimit); Windows has none");
#else
    Fixture f;
    fifo(f.drives, "C:\\Kilde\\a rør");
    f.file("C:\\Kilde\\b.bin", pattern(1 << 20));
    ScriptedResponder responder;
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before;
    limit.rlim_cur = 64 << 10;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool result = f.paste("D:\\", {"C:\\Kilde"}, {}, overskriv);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(result);
    QCOMPARE(
        informations(responder),
        (QStringList{"Der er ikke plads til filen:\rD:\\Kilde\\b.bin\rDestinationsdrevet er fuldt, og "
                     "kopieringen er stoppet.\rEn fil, der ikke blev kopieret helt, er ikke ændret på "
                     "destinationen.",
                     "Der opstod en fejl, der afbrød processen. Mappen: \rC:\\Kilde\rblev ikke kopieret helt "
                     "til: \rD:\\Kilde\rFølgende blev ikke kopieret:\rFilen C:\\Kilde\\a rør: Anmodningen "
                     "understøttes ikke."}));
#endif
}

QTEST_MAIN(TestPasteCompo)
#include "test_pastecompo.moc"
