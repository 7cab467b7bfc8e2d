#include "core/linefile.h"
#include "lists/imagelist.h"
#include "lists/menuexefiler.h"
#include "support/testdrives.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

// Three programs; the files exist unless the test removes them.
struct Fixture
{
    TestDrives drives;
    ImageList icons16{16};
    ImageList icons32{32};
    QMenu menu;
    TMenuExeFiler list;
    QList<std::tuple<QAction *, QString, bool>> klik;

    Fixture()
    {
        for (const char *name : {"Et", "To", "Tre"})
            drives.writeBytes(QString("C:\\Programmer\\%1.exe").arg(name), "x");
        drives.writeBytes("C:\\Egenskaber\\ProgItem.txt", "3\r\nEt\r\nC:\\Programmer\\Et.exe\r\n\r\n1\r\n"
                                                          "To\r\nC:\\Programmer\\To.exe\r\n-a\r\n3\r\n"
                                                          "Tre\r\nC:\\Programmer\\Tre.exe\r\n\r\n1\r\n");
        list.SetItemfile("C:\\Egenskaber\\ProgItem.txt");
        list.SetIconList(&icons16);
        list.SetIconList32(&icons32);
        list.SetMainItem(&menu);
        list.SetOnKlik([this](QAction *sender, const QString &caption, bool found) {
            klik.append({sender, caption, found});
        });
    }
    QStringList menuCaptions() const
    {
        QStringList captions;
        for (QAction *entry : menu.actions())
            captions << entry->text();
        return captions;
    }
};

} // namespace

class TestMenuExeFiler : public QObject
{
    Q_OBJECT
private slots:
    void loadsRecordsIconsAndMenu();
    void vanishedProgramIsLeftOutOfMenuAndSave();
    void choosingAVanishedProgramReportsAndRemovesIt();
    void choosingStartsThroughTheShellOrTheOwner();
    void deleteBeyondTheEndStillSavesAndReports();
    void columnBreaksEveryBreakNrEntries();
    void movesAndCaptionLookUp();
    void damagedFilesLoadTheCompleteRecords_data();
    void damagedFilesLoadTheCompleteRecords();
    void roundTripKeepsDanishCaptions();
};

void TestMenuExeFiler::loadsRecordsIconsAndMenu()
{
    Fixture f;
    f.list.HentProgrammer();
    QCOMPARE(f.list.filantal(), 3);
    QCOMPARE(f.icons16.count(), 3);
    QCOMPARE(f.icons32.count(), 3);
    QCOMPARE(f.icons32.image(0).size(), QSize(32, 32));
    QCOMPARE(f.list.icon32Index(), 2);
    QCOMPARE(f.menuCaptions(), (QStringList{"Et", "To", "Tre"}));
    QCOMPARE(f.list.records()[1].Parameter, QString("-a"));
    QCOMPARE(f.list.records()[1].ShowType, quint8(3));
    // Loading again keeps icons aligned with records, not doubled.
    f.list.HentProgrammer();
    QCOMPARE(f.icons16.count(), 3);
}

void TestMenuExeFiler::vanishedProgramIsLeftOutOfMenuAndSave()
{
    Fixture f;
    QFile::remove(f.drives.host("C:\\Programmer\\To.exe"));
    f.list.HentProgrammer();
    QCOMPARE(f.list.filantal(), 3); // loaded all the same
    QCOMPARE(f.menuCaptions(), (QStringList{"Et", "Tre"}));
    f.list.GemProgrammer();
    QCOMPARE(core::readLines("C:\\Egenskaber\\ProgItem.txt").value(),
             (QStringList{"2", "Et", "C:\\Programmer\\Et.exe", "", "1", "Tre", "C:\\Programmer\\Tre.exe", "",
                          "1"}));
    // The second entry of the menu starts the third program.
    f.menu.actions()[1]->trigger();
    QCOMPARE(f.drives.backEnd().shellCalls.size(), 1);
    QCOMPARE(f.drives.backEnd().shellCalls[0].file, QString("C:\\Programmer\\Tre.exe"));
}

void TestMenuExeFiler::choosingAVanishedProgramReportsAndRemovesIt()
{
    Fixture f;
    f.list.HentProgrammer();
    QFile::remove(f.drives.host("C:\\Programmer\\To.exe"));
    QAction *entry = f.menu.actions()[1];
    f.list.OnClick(entry, 1);
    QCOMPARE(f.klik.size(), 2);
    QCOMPARE(f.klik[0], std::make_tuple(entry, QString("To"), false));
    QCOMPARE(f.klik[1], std::make_tuple(static_cast<QAction *>(nullptr), QString(), true));
    QCOMPARE(f.list.filantal(), 2);
    QCOMPARE(f.icons16.count(), 2);
    QCOMPARE(f.menuCaptions(), (QStringList{"Et", "Tre"}));
    QCOMPARE(core::readLines("C:\\Egenskaber\\ProgItem.txt")->first(), QString("2"));
    QVERIFY(f.drives.backEnd().shellCalls.isEmpty());
}

void TestMenuExeFiler::choosingStartsThroughTheShellOrTheOwner()
{
    Fixture f;
    f.list.HentProgrammer();
    f.list.OnClick(f.menu.actions()[1], 1);
    QCOMPARE(f.drives.backEnd().shellCalls.size(), 1);
    const auto call = f.drives.backEnd().shellCalls[0];
    QCOMPARE(call.verb, QString("open"));
    QCOMPARE(call.parameters, QString()); // the stored parameter is not passed
    QCOMPARE(call.directory, QString("C:\\Programmer"));
    QCOMPARE(call.showCommand, 3);
    QCOMPARE(f.list.aktuelleProgram(), QString("C:\\Programmer\\To.exe"));
    QCOMPARE(f.list.aktuelleCaption(), QString("To"));
    QCOMPARE(f.list.showtype(), 3);
    QCOMPARE(std::get<2>(f.klik.last()), true);

    int ownerStarts = 0;
    f.list.SetOnParam([&](QObject *, QString &parameters) {
        ++ownerStarts;
        QCOMPARE(parameters, QString());
    });
    f.list.OnClick(f.menu.actions()[0], 0);
    QCOMPARE(ownerStarts, 1);
    QCOMPARE(f.drives.backEnd().shellCalls.size(), 1);
}

void TestMenuExeFiler::deleteBeyondTheEndStillSavesAndReports()
{
    Fixture f;
    f.list.HentProgrammer();
    QFile::remove(f.drives.host("C:\\Egenskaber\\ProgItem.txt"));
    f.list.DeleteItem(f.list.filantal());
    QCOMPARE(f.list.filantal(), 3);
    QCOMPARE(f.icons16.count(), 3);
    QCOMPARE(core::readLines("C:\\Egenskaber\\ProgItem.txt")->first(), QString("3"));
    QCOMPARE(f.klik.size(), 1);
    QCOMPARE(std::get<0>(f.klik[0]), static_cast<QAction *>(nullptr));
    QCOMPARE(f.menuCaptions().size(), 3);
}

void TestMenuExeFiler::columnBreaksEveryBreakNrEntries()
{
    Fixture f;
    f.list.SetBreakNr(10);
    f.list.SetBreaktype(MenuBreak::BarBreak);
    for (int i = 0; i < 22; ++i)
        f.list.InsertItem("C:\\Programmer\\Et.exe", QString("P%1").arg(i + 1), QString(), 1);
    QList<int> breaks;
    const auto entries = f.menu.actions();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i]->property("menuBreak").toInt() == int(MenuBreak::BarBreak))
            breaks << i + 1;
    }
    QCOMPARE(breaks, (QList<int>{11, 21}));
}

void TestMenuExeFiler::movesAndCaptionLookUp()
{
    Fixture f;
    f.list.HentProgrammer();
    QVERIFY(!f.list.flytOp(0));
    QVERIFY(!f.list.flytNed(2));
    QVERIFY(f.list.flytNed(0));
    QCOMPARE(f.list.GetCaption(0), QString("To"));
    QCOMPARE(f.list.GetCaption(3), QString());
    QCOMPARE(f.list.GetFilnavn(3), QString());
    f.list.setAktuelleProgram("c:\\PROGRAMMER\\tre.EXE");
    QCOMPARE(f.list.getAktuelleCaption(), QString("Tre"));
    f.list.setAktuelleProgram("C:\\Andet.exe");
    QCOMPARE(f.list.getAktuelleCaption(), QString());
}

void TestMenuExeFiler::damagedFilesLoadTheCompleteRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("captions");
    const QByteArray one = "Et\r\nC:\\Programmer\\Et.exe\r\n\r\n1\r\n";
    QTest::newRow("count larger than the records") << "5\r\n" + one + "To\r\nC:\\x" << QStringList{"Et"};
    QTest::newRow("show type not a byte") << "2\r\n" + one + "To\r\nC:\\Programmer\\To.exe\r\n\r\n300\r\n"
                                          << QStringList{"Et"};
    QTest::newRow("show type not a number")
        << "2\r\nTo\r\nC:\\Programmer\\To.exe\r\n\r\nx\r\n" + one << QStringList{"Et"};
    QTest::newRow("count not a number") << "mange\r\n" + one << QStringList{};
    QTest::newRow("negative count") << "-4\r\n" + one << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestMenuExeFiler::damagedFilesLoadTheCompleteRecords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, captions);
    Fixture f;
    f.drives.writeBytes("C:\\Egenskaber\\ProgItem.txt", bytes);
    f.list.HentProgrammer();
    QCOMPARE(f.menuCaptions(), captions);
    QCOMPARE(f.icons16.count(), captions.size());
    f.list.GemProgrammer();
    const auto saved = core::readLines("C:\\Egenskaber\\ProgItem.txt").value();
    QCOMPARE(saved.size(), 1 + 4 * captions.size());
    QCOMPARE(saved.first(), QString::number(captions.size()));
}

void TestMenuExeFiler::roundTripKeepsDanishCaptions()
{
    Fixture f;
    f.list.InsertItem("C:\\Programmer\\Et.exe", "Tekstbehandling på dansk", "/ny \"ærø\"", 3);
    f.list.GemProgrammer();
    QCOMPARE(f.drives.readBytes("C:\\Egenskaber\\ProgItem.txt"),
             QByteArray(
                 "1\r\nTekstbehandling p\xE5 dansk\r\nC:\\Programmer\\Et.exe\r\n/ny \"\xE6r\xF8\"\r\n3\r\n"));
    TMenuExeFiler again;
    again.SetItemfile("C:\\Egenskaber\\ProgItem.txt");
    again.HentProgrammer();
    QCOMPARE(again.records().size(), 1);
    QCOMPARE(again.records()[0].Caption, QString("Tekstbehandling på dansk"));
    QCOMPARE(again.records()[0].Parameter, QString("/ny \"ærø\""));
}

QObject *makeMenuExeFilerTest()
{
    return new TestMenuExeFiler;
}

#include "test_menuexefiler.moc"
