#include "core/linefile.h"
#include "core/messages.h"
#include "lists/reopenfiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTest>

using testsupport::ScriptedResponder;

namespace {

QStringList captionsOf(const QListWidget &box)
{
    QStringList captions;
    for (int i = 0; i < box.count(); ++i)
        captions << box.item(i)->text();
    return captions;
}

QStringList captionsOf(const TReopenFilerBase &list)
{
    QStringList captions;
    for (const auto &entry : list.entries())
        captions << entry.Caption;
    return captions;
}

} // namespace

class TestReopenFiler : public QObject
{
    Q_OBJECT
private slots:
    void historyOfTwentyFourReplacesTheLastEntry();
    void longHandMadeListKeepsEntriesBeyondTheLimit_data();
    void longHandMadeListKeepsEntriesBeyondTheLimit();
    void duplicatesIgnoreLetterCase();
    void favouritesMoveAnExistingPathToTheTop();
    void fiveLineFileGivesThreeEntries();
    void onlyFavouritesSaveAfterDeletions();
    void movesAtTheEndsChangeNothing();
    void missingFileEmptiesTheList();
    void clicksCheckExistenceByItemType();
    void deleteAllAsksFirst();
    void fileRoundTripKeepsDanishCaptions();
    void aFileTooLargeToReadIsSaidAndKept();
};

void TestReopenFiler::historyOfTwentyFourReplacesTheLastEntry()
{
    TestDrives drives;
    QListWidget box;
    TReopenFilerY history;
    history.SetListeBoks(&box);
    history.SetItemtype(itAndet);
    for (int i = 1; i <= 24; ++i)
        history.InsertItem(QString("C:\\Mappe%1").arg(i), QString("Mappe%1").arg(i));
    QCOMPARE(box.currentRow(), 23);
    history.InsertItem("C:\\Ny", "Ny");
    QCOMPARE(history.antal(), 24);
    QCOMPARE(box.count(), 24);
    QCOMPARE(box.item(23)->text(), QString("Ny"));
    QCOMPARE(box.item(22)->text(), QString("Mappe23"));
    QCOMPARE(box.currentRow(), 23);
    QCOMPARE(history.GetFilnavn(24), QString());
    QCOMPARE(history.GetFilnavn(23), QString("C:\\Ny"));
}

void TestReopenFiler::longHandMadeListKeepsEntriesBeyondTheLimit_data()
{
    QTest::addColumn<int>("itemType");
    QTest::newRow("history") << int(itBibliotek);
    QTest::newRow("dos commands") << int(itFil);
}

void TestReopenFiler::longHandMadeListKeepsEntriesBeyondTheLimit()
{
    QFETCH(int, itemType);
    TestDrives drives;
    QByteArray stored;
    for (int i = 1; i <= 30; ++i)
        stored += QString("E%1\r\nC:\\E%1\r\n").arg(i).toLatin1();
    drives.writeBytes("C:\\liste.txt", stored);
    drives.writeBytes("C:\\Ny", "kommando");
    QListWidget box;
    TReopenFilerY list;
    list.SetItemtype(TItemtype(itemType));
    list.SetItemfile("C:\\liste.txt");
    list.SetListeBoks(&box);
    list.HentReopenFiler();
    QCOMPARE(list.antal(), 30);

    list.InsertItem("C:\\Ny", "Ny");
    QStringList expected;
    for (int i = 1; i <= 29; ++i)
        expected << QString("E%1").arg(i);
    expected << "Ny";
    QCOMPARE(list.antal(), 30);
    QCOMPARE(captionsOf(box), expected);
    QCOMPARE(box.currentRow(), 29);
    QCOMPARE(list.GetFilnavn(28), QString("C:\\E29"));
    QCOMPARE(list.GetFilnavn(29), QString("C:\\Ny"));

    // Saved back, the file still holds the 29 old entries.
    list.GemReopenFiler();
    QCOMPARE(drives.readBytes("C:\\liste.txt"), stored.left(stored.indexOf("E30")) + "Ny\r\nC:\\Ny\r\n");
}

void TestReopenFiler::duplicatesIgnoreLetterCase()
{
    TestDrives drives;
    drives.writeBytes("C:\\Data\\Foto\\x", "");
    TReopenFilerY history;
    history.InsertItem("C:\\Data\\Foto", "Foto");
    history.InsertItem("c:\\DATA\\foto", "FOTO");
    QCOMPARE(captionsOf(history), QStringList{"Foto"});

    TReopenFilerX favourites;
    favourites.InsertItem("C:\\Data\\Foto", "Foto");
    favourites.InsertItem("c:\\DATA\\foto", "FOTO");
    QCOMPARE(captionsOf(favourites), QStringList{"FOTO"});

    // itFil lists take existing files only.
    TReopenFilerY files;
    files.SetItemtype(itFil);
    files.InsertItem("C:\\Data\\mangler.txt", "mangler");
    files.InsertItem("C:\\Data\\Foto\\x", "x");
    QCOMPARE(captionsOf(files), QStringList{"x"});
}

void TestReopenFiler::favouritesMoveAnExistingPathToTheTop()
{
    TestDrives drives;
    QListWidget box;
    TReopenFilerX favourites;
    favourites.SetItemtype(itAndet);
    favourites.SetListeBoks(&box);
    for (int i = 1; i <= 7; ++i)
        favourites.InsertItem(QString("C:\\F%1").arg(i), QString("F%1").arg(i));
    QCOMPARE(captionsOf(box), (QStringList{"F7", "F6", "F5", "F4", "F3", "F2", "F1"}));
    favourites.InsertItem("c:\\f2", "Anden");
    QCOMPARE(favourites.antal(), 7);
    QCOMPARE(captionsOf(box), (QStringList{"Anden", "F7", "F6", "F5", "F4", "F3", "F1"}));
    QCOMPARE(favourites.GetFilnavn(0), QString("c:\\f2"));
}

void TestReopenFiler::fiveLineFileGivesThreeEntries()
{
    TestDrives drives;
    drives.writeBytes("C:\\liste.txt", "A\r\nC:\\A\r\nB\r\nC:\\B\r\nC\r\n");
    QListWidget box;
    TReopenFilerY list;
    list.SetItemfile("C:\\liste.txt");
    list.SetListeBoks(&box);
    list.HentReopenFiler();
    QCOMPARE(list.antal(), 3);
    QCOMPARE(captionsOf(box), (QStringList{"A", "B", "C"}));
    QCOMPARE(list.GetFilnavn(2), QString());
    // Bytes that are not text still load as lines and never stop the program.
    drives.writeBytes("C:\\liste.txt", QByteArray("\x00\x01\xFF\r\n\x80\x81", 7));
    list.HentReopenFiler();
    QCOMPARE(list.antal(), 1);
}

void TestReopenFiler::onlyFavouritesSaveAfterDeletions()
{
    TestDrives drives;
    const QByteArray stored = "A\r\nC:\\A\r\nB\r\nC:\\B\r\n";
    drives.writeBytes("C:\\y.txt", stored);
    drives.writeBytes("C:\\x.txt", stored);
    TReopenFilerY history;
    history.SetItemfile("C:\\y.txt");
    history.HentReopenFiler();
    TReopenFilerX favourites;
    favourites.SetItemfile("C:\\x.txt");
    favourites.HentReopenFiler();

    history.DeleteItem("c:\\a");
    favourites.DeleteItem("c:\\a");
    QCOMPARE(history.antal(), 1);
    QCOMPARE(drives.readBytes("C:\\y.txt"), stored);
    QCOMPARE(drives.readBytes("C:\\x.txt"), QByteArray("B\r\nC:\\B\r\n"));

    favourites.InsertItem("C:\\Ny", "Ny"); // insertions are saved by the owner
    QCOMPARE(drives.readBytes("C:\\x.txt"), QByteArray("B\r\nC:\\B\r\n"));
    favourites.DeleteItem("C:\\Ingen", false);
    QCOMPARE(drives.readBytes("C:\\x.txt"), QByteArray("B\r\nC:\\B\r\n"));
    favourites.DeleteItem(0);
    QCOMPARE(drives.readBytes("C:\\x.txt"), QByteArray("B\r\nC:\\B\r\n"));
    favourites.SetCaption(0, "Bæ");
    QCOMPARE(drives.readBytes("C:\\x.txt"), QByteArray("B\xE6\r\nC:\\B\r\n"));
    favourites.DeleteAlleItems();
    QCOMPARE(drives.readBytes("C:\\x.txt"), QByteArray());
}

void TestReopenFiler::movesAtTheEndsChangeNothing()
{
    TReopenFilerY list;
    list.SetItemtype(itAndet);
    list.InsertItem("a", "A");
    list.InsertItem("b", "B");
    list.InsertItem("c", "C");
    QVERIFY(!list.flytOp(0));
    QVERIFY(!list.flytNed(2));
    QCOMPARE(captionsOf(list), (QStringList{"A", "B", "C"}));
    QVERIFY(list.flytOp(2));
    QVERIFY(list.flytNed(0));
    QCOMPARE(captionsOf(list), (QStringList{"C", "A", "B"}));
}

void TestReopenFiler::missingFileEmptiesTheList()
{
    TestDrives drives;
    drives.writeBytes("C:\\l.txt", "A\r\nC:\\A\r\n");
    QListWidget box;
    TReopenFilerX list;
    list.SetItemfile("C:\\l.txt");
    list.SetListeBoks(&box);
    list.HentReopenFiler();
    QCOMPARE(box.count(), 1);
    list.DeleteItemFile();
    QVERIFY(!QFile::exists(drives.host("C:\\l.txt")));
    QCOMPARE(list.itemfile(), QString());
    list.SetItemfile("C:\\l.txt");
    list.HentReopenFiler();
    QCOMPARE(list.antal(), 0);
    QCOMPARE(box.count(), 0);
}

void TestReopenFiler::clicksCheckExistenceByItemType()
{
    TestDrives drives;
    drives.writeBytes("C:\\Data\\brev.txt", "x");
    ScriptedResponder responder;
    QListWidget box;
    TReopenFilerY folders;
    folders.SetListeBoks(&box);
    folders.SetItemtype(itAndet);
    folders.InsertItem("C:\\Data", "Data");
    folders.InsertItem("C:\\Væk", "Væk");
    folders.SetItemtype(itBibliotek);
    QStringList clicks;
    folders.SetOnListeKlik(
        [&](const QString &caption, const QString &path) { clicks << "klik " + caption + path; });
    folders.SetOnDblListeKlik(
        [&](const QString &caption, const QString &) { clicks << "dobbelt " + caption; });

    box.setCurrentRow(0);
    folders.listeKlik();
    folders.listeDblKlik();
    box.setCurrentRow(1);
    folders.listeKlik();
    QCOMPARE(clicks, (QStringList{"klik DataC:\\Data", "dobbelt Data"}));
    QCOMPARE(responder.texts(),
             QStringList{"Mappen blev ikke fundet.\rSlet eventuelt elementet fra listen."});
    QCOMPARE(responder.shown.first().kind, messages::ShownDialog::StandardInformation);

    responder.clear();
    TReopenFilerX files;
    QListWidget fileBox;
    files.SetListeBoks(&fileBox);
    files.SetItemtype(itAndet);
    files.InsertItem("C:\\Data\\væk.txt", "væk");
    files.SetItemtype(itFil);
    fileBox.setCurrentRow(0);
    files.listeDblKlik();
    QCOMPARE(responder.texts(), QStringList{"Filen blev ikke fundet.\rSlet eventuelt elementet fra listen."});
}

void TestReopenFiler::deleteAllAsksFirst()
{
    TestDrives drives;
    ScriptedResponder responder;
    TReopenFilerY list;
    list.SetItemtype(itAndet);
    list.InsertItem("a", "A");
    responder.answerNej();
    list.SletAlleItems();
    QCOMPARE(list.antal(), 1);
    responder.answerJa();
    list.SletAlleItems();
    QCOMPARE(list.antal(), 0);
    QCOMPARE(responder.texts().value(0), QString("Skal alle indførte elementer i listen slettes?"));
    QVERIFY(!responder.shown.first().alleCheckVisible);
}

void TestReopenFiler::fileRoundTripKeepsDanishCaptions()
{
    TestDrives drives;
    TReopenFilerX list;
    list.SetItemtype(itAndet);
    list.SetItemfile("D:\\favoritmapper1.txt");
    list.InsertItem("D:\\Billeder\\Ærø", "Ærø ferie");
    list.InsertItem("D:\\Musik", "");
    list.GemReopenFiler();
    QCOMPARE(drives.readBytes("D:\\favoritmapper1.txt"),
             QByteArray("\r\nD:\\Musik\r\n\xC6r\xF8 ferie\r\nD:\\Billeder\\\xC6r\xF8\r\n"));
    TReopenFilerX again;
    again.SetItemfile("D:\\favoritmapper1.txt");
    again.HentReopenFiler();
    QCOMPARE(captionsOf(again), (QStringList{"", "Ærø ferie"}));
    QCOMPARE(again.GetFilnavn(1), QString("D:\\Billeder\\Ærø"));
}

QObject *makeReopenFilerTest()
{
    return new TestReopenFiler;
}

// A list file over the size limit loads as an empty list, with a word, and is never written
// over by that empty list (or anything added to it) at the next save.
void TestReopenFiler::aFileTooLargeToReadIsSaidAndKept()
{
    TestDrives drives;
    ScriptedResponder responder;
    const QString path = "C:\\favoritmapper1.txt";
    drives.writeBytes(path, "Ferie\r\nC:\\Ferie\r\n");
    QFile grown(drives.host(path));
    QVERIFY(grown.resize(core::kMaxLineFileBytes + 1));
    const QString said = "Filen \"C:\\favoritmapper1.txt\" kunne ikke læses, fordi den er større end 16 MB.\r"
                         "Filen bliver ikke ændret, så intet af den går tabt.";
    QCOMPARE(core::refusedMessage(path), said);

    TReopenFilerX favourites;
    favourites.SetItemfile(path);
    favourites.HentReopenFiler();
    QCOMPARE(favourites.antal(), 0);
    QCOMPARE(responder.texts(), QStringList{said});
    favourites.GemReopenFiler();
    QCOMPARE(QFileInfo(drives.host(path)).size(), core::kMaxLineFileBytes + 1);
    QVERIFY(drives.readBytes(path).startsWith("Ferie\r\nC:\\Ferie\r\n"));
    QCOMPARE(responder.texts(), (QStringList{said, said}));

    // Once the user has made it readable again, it is read and saved as usual.
    QVERIFY(grown.resize(17));
    favourites.HentReopenFiler();
    QCOMPARE(favourites.antal(), 1);
    favourites.GemReopenFiler();
    QCOMPARE(drives.readBytes(path), QByteArray("Ferie\r\nC:\\Ferie\r\n"));
}

#include "test_reopenfiler.moc"
