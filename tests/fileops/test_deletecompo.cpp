#include "core/messages.h"
#include "fileops/deletecompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using messages::ShownDialog;
using testsupport::RecordedDeleteProgress;
using testsupport::ScriptedResponder;

namespace {

struct Fixture
{
    TestDrives drives;
    TDeleteObjekt engine;
    RecordedDeleteProgress &box = dynamic_cast<RecordedDeleteProgress &>(engine.deleteBox());
    // The window's settings for the next deletion.
    int ask = 0;
    bool closeAfter = true;

    bool remove(const QStringList &folders, const QStringList &files, bool toRecycleBin)
    {
        return engine.DeleteElementer({folders, files, toRecycleBin, ask, closeAfter});
    }

    void file(const QString &path, const QByteArray &bytes = "x") const { drives.writeBytes(path, bytes); }
    void sizedFile(const QString &path, qint64 size) const
    {
        drives.writeBytes(path, QByteArray());
        QFile(drives.host(path)).resize(size);
    }
    void folder(const QString &path) const { QDir().mkpath(drives.host(path)); }
    bool exists(const QString &path) const { return QFileInfo::exists(drives.host(path)); }
    QStringList trashed() const
    {
        return QDir(drives.homeTrash() + "/files")
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    }
};

} // namespace

class TestDeleteCompo : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark)); }
    void confirmationFollowsTheQuestionSetting_data();
    void confirmationFollowsTheQuestionSetting();
    void nejDeletesNothing();
    void permanentDeletionRemovesFoldersAndFiles();
    void recycleBinDeletionGoesToTheTrash();
    void anEmptyFileCountsOneByte();
    void aFileThatCannotBeDeletedStopsTheDeletion();
    void aFolderThatCannotBeDeletedWholeIsNamed();
    void whatTheRecycleBinCannotTakeIsNamedInOneMessage();
    void aFolderShowsProgressPerFile();
    void eventsAreHandledWhileTheFolderIsCounted();
    void aMissingFolderIsReportedAndPassedOver();
    void aLinkInsideADeletedFolderGoesAsALink();
    void anEmptySelectionShowsAndClosesTheWindow();
    void progressTexts_data();
    void progressTexts();
};

void TestDeleteCompo::confirmationFollowsTheQuestionSetting_data()
{
    QTest::addColumn<int>("intSpm");
    QTest::addColumn<bool>("tilPapirkurv");
    QTest::addColumn<bool>("asked");
    QTest::newRow("Spørg altid, papirkurv") << 0 << true << true;
    QTest::newRow("Spørg altid, permanent") << 0 << false << true;
    QTest::newRow("Kun før Slet, papirkurv") << 1 << true << false;
    QTest::newRow("Kun før Slet, permanent") << 1 << false << true;
    QTest::newRow("Spørg aldrig, papirkurv") << 2 << true << false;
    QTest::newRow("Spørg aldrig, permanent") << 2 << false << false;
}

void TestDeleteCompo::confirmationFollowsTheQuestionSetting()
{
    QFETCH(int, intSpm);
    QFETCH(bool, tilPapirkurv);
    QFETCH(bool, asked);
    Fixture f;
    f.file("C:\\Mappe\\a.txt");
    f.file("C:\\b.txt");
    ScriptedResponder responder;
    if (asked)
        responder.answerJa();
    f.ask = intSpm;
    QVERIFY(f.remove({"C:\\Mappe"}, {"C:\\b.txt"}, tilPapirkurv));
    QCOMPARE(responder.unexpectedQuestions, 0);
    QCOMPARE(responder.shown.size(), asked ? 1 : 0);
    if (asked) {
        const ShownDialog &shown = responder.shown.first();
        QCOMPARE(shown.kind, ShownDialog::Confirmation);
        QCOMPARE(shown.text, QString("Skal udvalgte elementer slettes?"));
        QCOMPARE(shown.destination,
                 QString(tilPapirkurv ? "Papirkurv" : "Ingen: Elementerne slettes permanent."));
        QCOMPARE(shown.folders, QStringList{"C:\\Mappe"});
        QCOMPARE(shown.files, QStringList{"C:\\b.txt"});
    }
    QVERIFY(!f.exists("C:\\Mappe"));
    QVERIFY(!f.exists("C:\\b.txt"));
    QCOMPARE(f.trashed().size(), tilPapirkurv ? 2 : 0);
}

void TestDeleteCompo::nejDeletesNothing()
{
    Fixture f;
    f.file("C:\\Mappe\\a.txt");
    f.file("C:\\b.txt");
    ScriptedResponder responder;
    responder.answerNej();
    QVERIFY(!f.remove({"C:\\Mappe"}, {"C:\\b.txt"}, false));
    QVERIFY(f.exists("C:\\Mappe\\a.txt"));
    QVERIFY(f.exists("C:\\b.txt"));
    QCOMPARE(f.box.shows, 0);
    QCOMPARE(f.engine.getResult(), QString());
}

void TestDeleteCompo::permanentDeletionRemovesFoldersAndFiles()
{
    Fixture f;
    f.file("C:\\Foto\\a.jpg", "12345");
    f.file("C:\\Foto\\2024\\b.jpg", "123");
    f.folder("C:\\Foto\\Tom");
    f.file("D:\\Arkiv\\c.txt", "12");
    f.file("C:\\d.txt", "1234567");
    f.file("D:\\e.txt", "1");
    ScriptedResponder responder;
    f.ask = 2;
    f.closeAfter = false;
    QVERIFY(f.remove({"C:\\Foto", "D:\\Arkiv"}, {"C:\\d.txt", "D:\\e.txt"}, false));
    for (const QString &path : QStringList{"C:\\Foto", "D:\\Arkiv", "C:\\d.txt", "D:\\e.txt"})
        QVERIFY2(!f.exists(path), qPrintable(path));
    QVERIFY(f.trashed().isEmpty());
    QVERIFY(responder.shown.isEmpty());

    QCOMPARE(f.engine.totalSize, qint64(18));
    QCOMPARE(f.engine.posSize, qint64(18));
    QCOMPARE(f.engine.antalFiler, 0);
    QCOMPARE(f.engine.antalMapper, 4); // two listed, "2024" and "Tom" below them
    QCOMPARE(f.box.heading, QString("Vedvarende sletning: 18 bytes"));
    QCOMPARE(f.engine.getResult(), QString(" 18 bytes"));
    QCOMPARE(f.box.info, QString("Antal filer: 5"));
    QCOMPARE(f.box.folderCaption, QString("Følgende 2 mapper slettes:"));
    QCOMPARE(f.box.folders, (QStringList{"C:\\Foto", "D:\\Arkiv"}));
    QCOMPARE(f.box.checked, (QList<bool>{true, true}));
    QCOMPARE(f.box.bar, 100);
    QCOMPARE(f.box.percent, QString("100%"));
    QCOMPARE(f.box.remaining, QString("0 (0 bytes)"));
    // "Luk progressbokse" off: the window stays.
    QVERIFY(f.box.visible);
    QCOMPARE(f.box.closes, 0);
}

void TestDeleteCompo::recycleBinDeletionGoesToTheTrash()
{
    Fixture f;
    // 3.618.000 bytes in three files: 3,45 MB.
    f.sizedFile("C:\\Film\\a.mp4", 1000000);
    f.sizedFile("C:\\Film\\b.mp4", 1618000);
    f.sizedFile("C:\\c.mp4", 1000000);
    ScriptedResponder responder;
    f.ask = 1;
    QVERIFY(f.remove({"C:\\Film"}, {"C:\\c.mp4"}, true));
    QVERIFY(responder.shown.isEmpty());
    QVERIFY(!f.exists("C:\\Film"));
    QVERIFY(!f.exists("C:\\c.mp4"));
    QCOMPARE(f.trashed(), (QStringList{"c.mp4", "Film"}));
    QVERIFY(QFile::exists(f.drives.homeTrash() + "/files/Film/b.mp4"));
    QCOMPARE(f.box.heading, QString("Papirkurvs sletning: 3,45 MB"));
    QCOMPARE(f.engine.getResult(), QString(" 3,45 MB"));
    QCOMPARE(f.box.folderCaption, QString("Følgende 1 mappe slettes:"));
    QCOMPARE(f.box.info, QString("Antal filer: 3"));
    QVERIFY(!f.box.visible);
    QCOMPARE(f.box.shows, 1);
    QCOMPARE(f.box.closes, 1);
}

void TestDeleteCompo::anEmptyFileCountsOneByte()
{
    Fixture f;
    f.file("C:\\tom.txt", QByteArray());
    f.file("C:\\ti.txt", "0123456789");
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({}, {"C:\\tom.txt", "C:\\ti.txt"}, false));
    QCOMPARE(f.engine.totalSize, qint64(11));
    QCOMPARE(f.engine.getResult(), QString(" 11 bytes"));
    QVERIFY(!f.exists("C:\\tom.txt"));
}

void TestDeleteCompo::aFileThatCannotBeDeletedStopsTheDeletion()
{
    Fixture f;
    f.file("C:\\a.txt");
    f.file("C:\\Laast\\b.txt");
    f.file("C:\\c.txt");
    f.file("C:\\d.txt");
    // A folder that may not be written: its files cannot be unlinked (except by root, and on
    // Windows, whose folders have no such bits: there the back end refuses).
#ifdef _WIN32
    f.drives.backEnd().refusedDeletes << "C:\\Laast\\b.txt";
#else
    const QString laast = f.drives.host("C:\\Laast");
    QVERIFY(::chmod(QFile::encodeName(laast).constData(), 0555) == 0);
    const auto restore = qScopeGuard([&] { ::chmod(QFile::encodeName(laast).constData(), 0755); });
    if (::geteuid() == 0)
        f.drives.backEnd().refusedDeletes << "C:\\Laast\\b.txt";
#endif
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({}, {"C:\\a.txt", "C:\\Laast\\b.txt", "C:\\c.txt", "C:\\d.txt"}, false));
    QCOMPARE(responder.texts(),
             QStringList{"Filen\rC:\\Laast\\b.txt\rkunne ikke slettes.\rAdgang nægtet.\r"
                         "Sletningen stoppede ved denne fil; 2 filer efter den er ikke slettet."});
    QVERIFY(!f.exists("C:\\a.txt"));
    QVERIFY(f.exists("C:\\Laast\\b.txt"));
    QVERIFY(f.exists("C:\\c.txt"));
    QCOMPARE(f.engine.ikkeSlettede().size(), 1);
    QCOMPARE(f.engine.getResult(), QString(" 1 bytes, men 1 element kunne ikke slettes"));
    // The window stays open for the user to see how far it came.
    QVERIFY(f.box.visible);
    QCOMPARE(f.box.closes, 0);
}

// A read-only sub-folder stops the permanent deletion of its folder at the first entry that
// cannot go; the message names the folder and that entry, what was removed stays removed, and
// the deletion goes on with the next listed element.
void TestDeleteCompo::aFolderThatCannotBeDeletedWholeIsNamed()
{
    Fixture f;
    f.file("C:\\Mappe\\Laast\\b.txt", "bb");
    f.file("C:\\Efter\\c.txt", "ccc");
    f.file("C:\\d.txt", "dddd");
    if (!f.drives.lockFolder("C:\\Mappe\\Laast"))
        QSKIP("no folder can be locked here: the file system has no immutable flag for root, or the host is "
              "Windows, whose folder rights Wine does not enforce");
    ScriptedResponder responder;
    f.ask = 2;
    f.closeAfter = false;
    QVERIFY(f.remove({"C:\\Mappe", "C:\\Efter"}, {"C:\\d.txt"}, false));
    QCOMPARE(responder.texts(), QStringList{"Mappen\rC:\\Mappe\rkunne ikke slettes helt. Sletningen stoppede "
                                            "ved:\rC:\\Mappe\\Laast\\b.txt\rAdgang nægtet."});
    QVERIFY(f.exists("C:\\Mappe\\Laast\\b.txt"));
    QVERIFY(!f.exists("C:\\Efter"));
    QVERIFY(!f.exists("C:\\d.txt"));
    QCOMPARE(f.box.checked, (QList<bool>{false, true}));
    QVERIFY(f.engine.slettetNoget());
    QCOMPARE(f.engine.getResult(), QString(" 7 bytes, men 1 element kunne ikke slettes"));
    // What is left is still to be deleted.
    QCOMPARE(f.box.remaining, QString("1 (2 bytes)"));
}

// Where no recycle bin can be made, nothing is deleted and each element left is named, in one
// message for all of them.
void TestDeleteCompo::whatTheRecycleBinCannotTakeIsNamedInOneMessage()
{
    Fixture f;
    f.drives.noTrashOnD();
    f.file("D:\\Mappe\\a.txt");
    f.file("D:\\b.txt");
    f.file("C:\\c.txt");
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({"D:\\Mappe"}, {"D:\\b.txt", "C:\\c.txt"}, true));
    QCOMPARE(
        responder.texts(),
        QStringList{"Følgende 2 elementer kunne ikke slettes:\r\rMappen\rD:\\Mappe\rkunne ikke flyttes til "
                    "papirkurven.\r\rFilen\rD:\\b.txt\rkunne ikke flyttes til papirkurven."});
    QVERIFY(f.exists("D:\\Mappe\\a.txt"));
    QVERIFY(f.exists("D:\\b.txt"));
    QVERIFY(!f.exists("C:\\c.txt"));
    QCOMPARE(f.trashed(), QStringList{"c.txt"});
    QCOMPARE(f.box.checked, QList<bool>{false});
    QCOMPARE(f.engine.getResult(), QString(" 1 bytes, men 2 elementer kunne ikke slettes"));
    // The recycle bin's failures do not stop the deletion, so the window closes as usual.
    QCOMPARE(f.box.closes, 1);
}

// The permanent deletion of one big folder moves the bar as its files go, not only when the
// folder is gone.
void TestDeleteCompo::eventsAreHandledWhileTheFolderIsCounted()
{
    // A folder of 100,000 files is one long listing before anything goes: the listing waits
    // here for a timer of the window's thread, which only comes while that thread handles its
    // events.
    Fixture f;
    f.file("C:\\Stor\\a.txt");
    std::atomic<bool> fired = false, sawIt = false, first = true;
    f.drives.backEnd().beforeListing = [&](const QString &) {
        if (!first.exchange(false))
            return;
        QElapsedTimer clock;
        clock.start();
        while (!fired && clock.elapsed() < 2000)
            QThread::msleep(2);
        sawIt = fired.load();
    };
    QTimer::singleShot(20, [&fired] { fired = true; });
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({"C:\\Stor"}, {}, false));
    QVERIFY(sawIt);
    QVERIFY(responder.shown.isEmpty());
    QVERIFY(!f.exists("C:\\Stor"));
    QCOMPARE(f.box.heading, QString("Vedvarende sletning: 1 bytes"));
}

void TestDeleteCompo::aFolderShowsProgressPerFile()
{
    Fixture f;
    for (int i = 0; i < 40; ++i)
        f.file(QString("C:\\Stor\\%1\\f%2.txt").arg(i % 4).arg(i), "0123456789");
    QList<int> seen;
    f.drives.backEnd().onEntryRemoved = [&f, &seen] {
        QTest::qWait(5); // slow enough for the 50 ms between two repaints
        if (seen.isEmpty() || seen.last() != f.box.bar)
            seen << f.box.bar;
    };
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({"C:\\Stor"}, {}, false));
    QVERIFY(responder.shown.isEmpty());
    QVERIFY(!f.exists("C:\\Stor"));
    QVERIFY2(std::any_of(seen.cbegin(), seen.cend(), [](int bar) { return bar > 0 && bar < 100; }),
             qPrintable(QString("bar values seen: %1").arg(seen.size())));
    QCOMPARE(f.box.bar, 100);
    QCOMPARE(f.box.remaining, QString("0 (0 bytes)"));
}

void TestDeleteCompo::aMissingFolderIsReportedAndPassedOver()
{
    Fixture f;
    f.file("C:\\Findes\\a.txt");
    f.file("C:\\Efter\\b.txt");
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({"C:\\Findes", "C:\\Mangler", "C:\\Efter"}, {}, false));
    QCOMPARE(responder.texts(), QStringList{"Mappen\rC:\\Mangler\reksisterer ikke."});
    QCOMPARE(responder.shown.first().kind, ShownDialog::Information);
    QVERIFY(!f.exists("C:\\Findes"));
    QVERIFY(!f.exists("C:\\Efter"));
    QCOMPARE(f.box.folders, (QStringList{"C:\\Findes", "C:\\Mangler", "C:\\Efter"}));
    QCOMPARE(f.box.checked, (QList<bool>{true, false, true}));
    QCOMPARE(f.box.folderCaption, QString("Følgende 3 mapper slettes:"));
}

void TestDeleteCompo::aLinkInsideADeletedFolderGoesAsALink()
{
    SKIP_LINKS_ON_WINDOWS();
    Fixture f;
    f.file("C:\\Maal\\behold.txt", "123");
    f.file("C:\\Slet\\a.txt", "1");
    QVERIFY(QFile::link(f.drives.host("C:\\Maal"), f.drives.host("C:\\Slet\\Genvej")));
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({"C:\\Slet"}, {}, false));
    QVERIFY(!f.exists("C:\\Slet"));
    QVERIFY(f.exists("C:\\Maal\\behold.txt"));
    // Counted as a folder, not entered.
    QCOMPARE(f.engine.antalMapper, 2);
    QCOMPARE(f.engine.totalSize, qint64(1));
}

void TestDeleteCompo::anEmptySelectionShowsAndClosesTheWindow()
{
    Fixture f;
    ScriptedResponder responder;
    f.ask = 2;
    QVERIFY(f.remove({}, {}, true));
    QVERIFY(responder.shown.isEmpty());
    QCOMPARE(f.box.shows, 1);
    QCOMPARE(f.box.closes, 1);
    QCOMPARE(f.box.folderCaption, QString("Følgende 0 mapper slettes:"));
    QCOMPARE(f.engine.getResult(), QString(" 0 bytes"));
}

void TestDeleteCompo::progressTexts_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("pos");
    QTest::addColumn<int>("antalFiler");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<QString>("all");
    QTest::newRow("nothing to delete") << qint64(0) << qint64(0) << 0 << 0 << "0 (0 bytes)"
                                       << "0 bytes";
    QTest::newRow("truncated") << qint64(3) << qint64(2) << 1 << 66 << "1 (1 bytes)"
                               << "3 bytes";
    QTest::newRow("thousands") << qint64(3 * 1048576) << qint64(1048576) << 1234 << 33 << "1.234 (2,00 MB)"
                               << "3,00 MB";
    QTest::newRow("done") << qint64(2048) << qint64(2048) << 0 << 100 << "0 (0 bytes)"
                          << "2,00 KB";
}

void TestDeleteCompo::progressTexts()
{
    QFETCH(qint64, total);
    QFETCH(qint64, pos);
    QFETCH(int, antalFiler);
    QFETCH(int, percent);
    QFETCH(QString, remaining);
    QFETCH(QString, all);
    Fixture f;
    f.engine.totalSize = total;
    f.engine.posSize = pos;
    f.engine.antalFiler = antalFiler;
    QCOMPARE(f.engine.progressInfoDel(), percent);
    QCOMPARE(f.box.percent, QString::number(percent) + "%");
    QCOMPARE(f.box.remaining, remaining);
    QCOMPARE(f.engine.setTotalString(true), all);
}

QTEST_MAIN(TestDeleteCompo)
#include "test_deletecompo.moc"
