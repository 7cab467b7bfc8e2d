#include "core/danishorder.h"
#include "core/freenames.h"
#include "core/messages.h"
#include "core/sizetext.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QTest>

using testsupport::ScriptedResponder;

class TestRules : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void sizeTexts_data();
    void sizeTexts();
    void freeFolderNames();
    void renamedFileNames();
    void freeCopyNames();
    void anyEntryTakesAName_data();
    void anyEntryTakesAName();
    void listsInMessagesShowTwentyLines_data();
    void listsInMessagesShowTwentyLines();
    void aMillionElementsAreCountedNotKept();
    void danishOrder_data();
    void danishOrder();
};

void TestRules::sizeTexts_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("shortText");
    QTest::addColumn<QString>("byDigits");
    QTest::newRow("0") << qint64(0) << "0 bytes (0 bytes)"
                       << "0 bytes"
                       << "0 bytes";
    QTest::newRow("500") << qint64(500) << "500 bytes (500 bytes)"
                         << "500 bytes"
                         << "500 bytes";
    QTest::newRow("1000") << qint64(1000) << "1.000 bytes (1.000 bytes)"
                          << "1.000 bytes"
                          << "0,98 KB";
    QTest::newRow("1023") << qint64(1023) << "1.023 bytes (1.023 bytes)"
                          << "1.023 bytes"
                          << "1,00 KB";
    QTest::newRow("1024") << qint64(1024) << "1,00 KB (1.024 bytes)"
                          << "1,00 KB"
                          << "1,00 KB";
    QTest::newRow("1536") << qint64(1536) << "1,50 KB (1.536 bytes)"
                          << "1,50 KB"
                          << "1,50 KB";
    QTest::newRow("5 MB") << qint64(5) * 1024 * 1024 << "5,00 MB (5.242.880 bytes)"
                          << "5,00 MB"
                          << "5,00 MB";
    QTest::newRow("1500 GB") << qint64(1500) * 1024 * 1024 * 1024 << "1,46 TB (1.610.612.736.000 bytes)"
                             << "1,46 TB"
                             << "1,46 TB";
    QTest::newRow("999999999") << qint64(999999999) << "953,67 MB (999.999.999 bytes)"
                               << "953,67 MB"
                               << "953,67 MB";
    QTest::newRow("1000000000") << qint64(1000000000) << "953,67 MB (1.000.000.000 bytes)"
                                << "953,67 MB"
                                << "0,93 GB";
}

void TestRules::sizeTexts()
{
    QFETCH(qint64, size);
    QFETCH(QString, full);
    QFETCH(QString, shortText);
    QFETCH(QString, byDigits);
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    QCOMPARE(core::getSizeString(size, danish), full);
    QCOMPARE(core::shortSizeString(size, danish), shortText);
    QCOMPARE(core::digitCountSizeString(size, danish), byDigits);
}

void TestRules::freeFolderNames()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data\\Ny mappe"));
    QDir().mkpath(drives.host("C:\\Data\\Ny mappe Kopi (1)"));
    QCOMPARE(core::getNewDirectoryName("C:\\Data\\Ny mappe", "Kopi"), QString("C:\\Data\\Ny mappe Kopi (2)"));
    QCOMPARE(core::getNewDirectoryName(" C:\\Data\\Ny mappe Kopi (1) ", "kopi"),
             QString("C:\\Data\\Ny mappe kopi (2)"));
    QCOMPARE(core::getNewDirectoryName("C:\\Data\\Fri", "Kopi"), QString("C:\\Data\\Fri"));
    // An empty subTekst gives two blanks; a folder "abc" renamed "ABC" clashes with itself.
    QDir().mkpath(drives.host("C:\\Data\\abc"));
    QCOMPARE(core::getNewDirectoryName("C:\\Data\\ABC", ""), QString("C:\\Data\\ABC  (1)"));
    // " Kopi " in a parent's name leaves the parent alone.
    QDir().mkpath(drives.host("C:\\Min Kopi mappe\\Ny mappe"));
    QCOMPARE(core::getNewDirectoryName("C:\\Min Kopi mappe\\Ny mappe", "Kopi"),
             QString("C:\\Min Kopi mappe\\Ny mappe Kopi (1)"));
}

void TestRules::renamedFileNames()
{
    TestDrives drives;
    drives.writeBytes("C:\\D\\a.txt", "x");
    ScriptedResponder responder;
    responder.answerNej();
    QCOMPARE(core::getNewFilename("C:\\D\\a.txt", "b.doc", ""), QString("C:\\D\\b.txt"));
    QCOMPARE(responder.texts(),
             QStringList{"Filen var af type: .txt\rSkal den omdøbes til at være af type .doc?"});
    QVERIFY(!responder.shown.first().alleCheckVisible);
    responder.answerJa();
    QCOMPARE(core::getNewFilename("C:\\D\\a.txt", "b.doc", ""), QString("C:\\D\\b.doc"));
    responder.clear();
    QCOMPARE(core::getNewFilename("C:\\D\\a.txt", "b", ""), QString("C:\\D\\b.txt"));
    QCOMPARE(core::getNewFilename("C:\\D\\a.txt", "b.TXT", ""), QString("C:\\D\\b.txt"));
    QVERIFY(responder.shown.isEmpty());
    drives.writeBytes("C:\\D\\b.txt", "x");
    drives.writeBytes("C:\\D\\b (1).txt", "x");
    QCOMPARE(core::getNewFilename("C:\\D\\a.txt", "b", ""), QString("C:\\D\\b (2).txt"));
}

void TestRules::freeCopyNames()
{
    TestDrives drives;
    drives.writeBytes("C:\\D\\Brev.txt", "x");
    QCOMPARE(core::getNewFilnavn("C:\\D\\Brev.txt", "Kopi"), QString("C:\\D\\Brev Kopi (1).txt"));
    QCOMPARE(core::getNewFilnavn("C:\\D\\Ny.txt", "Kopi"), QString("C:\\D\\Ny.txt"));
    drives.writeBytes("C:\\D\\Brev Kopi (1).txt", "x");
    QCOMPARE(core::getNewFilnavn("C:\\D\\Brev Kopi (1).txt", "Kopi"), QString("C:\\D\\Brev Kopi (2).txt"));
    QFile::remove(drives.host("C:\\D\\Brev.txt"));
    QCOMPARE(core::getNewFilnavn("C:\\D\\Brev Kopi (1).txt", "Kopi"), QString("C:\\D\\Brev.txt"));
    QCOMPARE(core::getNewFilnavn("C:\\D\\README", "Kopi"), QString("C:\\D\\README"));
}

void TestRules::anyEntryTakesAName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link leading nowhere") << "dangling";
    QTest::newRow("link to itself") << "self";
    QTest::newRow("link to a folder") << "folderLink";
    QTest::newRow("folder") << "folder";
    QTest::newRow("file") << "file";
}

// A name is free only when nothing of that name is there: a link counts as itself, whether it
// leads anywhere or not, and a file takes a folder's name as a folder takes a file's.
void TestRules::anyEntryTakesAName()
{
    QFETCH(QString, kind);
    if (kind != "folder" && kind != "file")
        SKIP_LINKS_ON_WINDOWS();
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\D\\Andet"));
    const QString host = drives.host("C:\\D");
    for (const QString name : {"x", "x.txt"}) {
        const QString entry = host + "/" + name;
        if (kind == "dangling")
            QVERIFY(QFile::link("findes/ikke", entry));
        else if (kind == "self")
            QVERIFY(QFile::link(name, entry));
        else if (kind == "folderLink")
            QVERIFY(QFile::link("Andet", entry));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(entry));
        else
            drives.writeBytes("C:\\D\\" + name, "x");
    }
    QCOMPARE(core::getNewFilnavn("C:\\D\\x.txt", "Kopi"), QString("C:\\D\\x Kopi (1).txt"));
    QCOMPARE(core::getNewDirectoryName("C:\\D\\x", "Kopi"), QString("C:\\D\\x Kopi (1)"));
    QCOMPARE(core::getNewFilename("C:\\D\\y.txt", "x.txt", ""), QString("C:\\D\\x (1).txt"));
}

void TestRules::listsInMessagesShowTwentyLines_data()
{
    QTest::addColumn<QStringList>("elementer");
    QTest::addColumn<QString>("mellem");
    QTest::addColumn<QString>("tekst");
    const auto numbered = [](int n, const QString &text) {
        QStringList list;
        for (int i = 1; i <= n; ++i)
            list << text.arg(i);
        return list;
    };
    QTest::newRow("none") << QStringList{} << "\r" << QString();
    QTest::newRow("three") << numbered(3, "l%1") << "\r"
                           << "l1\rl2\rl3";
    QTest::newRow("twenty") << numbered(20, "l%1") << "\r" << numbered(20, "l%1").join(u'\r');
    QTest::newRow("twenty-one") << numbered(21, "l%1") << "\r"
                                << numbered(20, "l%1").join(u'\r') + "\r… og 1 mere";
    QTest::newRow("thirty-five") << numbered(35, "l%1") << "\r"
                                 << numbered(20, "l%1").join(u'\r') + "\r… og 15 mere";
    // Blocks of three lines with an empty line between: 3 + 4 * 4 = 19 lines, a sixth would pass 20.
    QTest::newRow("blocks") << numbered(8, "Filen\rb%1\rkunne ikke slettes.") << "\r\r"
                            << numbered(5, "Filen\rb%1\rkunne ikke slettes.").join("\r\r") +
                                   "\r\r… og 3 mere";
    // One element longer than the limit is shown whole: it is all there is to tell.
    QTest::newRow("one long block") << QStringList{QString("x\r").repeated(24) + "y", "z"} << "\r"
                                    << QString("x\r").repeated(24) + "y\r… og 1 mere";
}

void TestRules::listsInMessagesShowTwentyLines()
{
    QFETCH(QStringList, elementer);
    QFETCH(QString, mellem);
    QFETCH(QString, tekst);
    QCOMPARE(messages::opremsning(elementer, mellem), tekst);
    messages::Opremsning liste(mellem);
    for (const QString &element : elementer)
        liste.add(element);
    QCOMPARE(liste.tekst(), tekst);
    QCOMPARE(liste.size(), elementer.size());
}

void TestRules::aMillionElementsAreCountedNotKept()
{
    messages::Opremsning liste;
    for (int i = 0; i < 1200000; ++i) {
        if (liste.fuld())
            liste.tael();
        else
            liste.add("Linje " + QString::number(i + 1) + ": mappen findes ikke.");
    }
    QCOMPARE(liste.size(), 1200000);
    QCOMPARE(liste.vist().size(), messages::kOpremsningLinjer);
    QVERIFY(liste.tekst().endsWith("\r… og " + QLocale().toString(1200000 - 20) + " mere"));
    QCOMPARE(liste.tekst().count(u'\r'), 20);
}

void TestRules::danishOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("Æ, Ø and Å after Z") << QStringList{"Århus", "Ørsted", "Zulu", "Ærø", "abe"}
                                        << QStringList{"abe", "Zulu", "Ærø", "Ørsted", "Århus"};
    QTest::newRow("letter case ignored, its order kept")
        << QStringList{"åen", "ÆBLE", "Åen", "æble", "B"} << QStringList{"B", "ÆBLE", "æble", "åen", "Åen"};
    QTest::newRow("inside a name") << QStringList{"blå", "blæk", "blø", "blz", "bla"}
                                   << QStringList{"bla", "blz", "blæk", "blø", "blå"};
    QTest::newRow("prefixes first") << QStringList{"Øl 2", "Øl", "Ø"} << QStringList{"Ø", "Øl", "Øl 2"};
    // Everything but Æ, Ø and Å keeps the order listings have: digits, then letters, then the
    // characters above Z by their code.
    QTest::newRow("the rest as listed")
        << QStringList{"é", "_a", "Ä", "Z", "9", "ü"} << QStringList{"9", "Z", "_a", "Ä", "é", "ü"};
}

void TestRules::danishOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    core::sortDanish(names);
    QCOMPARE(names, sorted);
    for (qsizetype i = 1; i < sorted.size(); ++i)
        QVERIFY(core::compareDanish(sorted.at(i - 1), sorted.at(i)) <= 0);
    QCOMPARE(core::compareDanish(QString("Æble"), QString("æBLE")), 0);
}

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
