#include "core/cp1252.h"
#include "core/linefile.h"
#include "support/testdrives.h"

#include <QDir>
#include <QTest>

class TestLineFile : public QObject
{
    Q_OBJECT
private slots:
    void writesWindows1252WithCrLfAfterEveryLine();
    void roundTripsDanishAndEmptyLines();
    void decodes_data();
    void decodes();
    void unrepresentableCharactersBecomeQuestionMarks();
    void missingFileIsNotAnEmptyList();
    void writeReplacesWholeAndLeavesNoTemporaryFile();
    void failedWriteLeavesTheOldFile();
};

void TestLineFile::writesWindows1252WithCrLfAfterEveryLine()
{
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\Egenskaber\\x.txt", {"Æblegrød", "", "€ 5"}) == false); // folder missing
    QDir().mkpath(drives.host("C:\\Egenskaber"));
    QVERIFY(core::writeLines("C:\\Egenskaber\\x.txt", {"Æblegrød", "", "€ 5"}));
    QCOMPARE(drives.readBytes("C:\\Egenskaber\\x.txt"), QByteArray("\xC6"
                                                                   "blegr\xF8"
                                                                   "d\r\n\r\n\x80 5\r\n"));
}

void TestLineFile::roundTripsDanishAndEmptyLines()
{
    TestDrives drives;
    const QStringList lines{"Søg på nettet", "", "  indrykket  ", "ÆØÅ æøå é ü", "1", ""};
    QVERIFY(core::writeLines("D:\\liste.txt", lines));
    QCOMPARE(core::readLines("D:\\liste.txt").value(), lines);
    QCOMPARE(core::readLines("d:\\LISTE.TXT").value(), lines);
}

void TestLineFile::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("cp1252") << QByteArray("h\xF8j \x96 \x80") << QStringList{"høj – €"};
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBFh\xC3\xB8j\r\n") << QStringList{"høj"};
    QTest::newRow("UTF-16LE BOM") << QByteArray("\xFF\xFEh\0\xF8\0j\0\r\0\n\0", 12) << QStringList{"høj"};
    QTest::newRow("UTF-16BE BOM") << QByteArray("\xFE\xFF\0h\0\xF8\0j", 8) << QStringList{"høj"};
    QTest::newRow("unassigned byte") << QByteArray("\x81") << QStringList{QString(QChar(0x81))};
}

void TestLineFile::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(core::decodeLines(bytes), lines);
}

void TestLineFile::unrepresentableCharactersBecomeQuestionMarks()
{
    QCOMPARE(core::encodeCp1252(QString::fromUtf8("Ω ok 😀")), QByteArray("? ok ?"));
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        QCOMPARE(core::encodeCp1252(core::decodeCp1252(byte)), byte);
    }
}

void TestLineFile::missingFileIsNotAnEmptyList()
{
    TestDrives drives;
    QVERIFY(!core::readLines("C:\\mangler.txt").has_value());
    QVERIFY(!core::readLines("Q:\\ukendt drev.txt").has_value());
    drives.writeBytes("C:\\tom.txt", {});
    QCOMPARE(core::readLines("C:\\tom.txt").value(), QStringList());
}

void TestLineFile::writeReplacesWholeAndLeavesNoTemporaryFile()
{
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\a.txt", {"1", "2", "3", "4"}));
    QVERIFY(core::writeLines("C:\\a.txt", {"ny"}));
    QCOMPARE(drives.readBytes("C:\\a.txt"), QByteArray("ny\r\n"));
    QCOMPARE(QDir(drives.rootC()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

void TestLineFile::failedWriteLeavesTheOldFile()
{
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\a.txt", {"gammel"}));
    // A folder where the temporary file would go cannot be written: here a path on no drive.
    QVERIFY(!core::writeLines("Q:\\a.txt", {"ny"}));
    QVERIFY(!core::writeLines("C:\\a.txt\\under.txt", {"ny"}));
    QCOMPARE(drives.readBytes("C:\\a.txt"), QByteArray("gammel\r\n"));
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "test_linefile.moc"
