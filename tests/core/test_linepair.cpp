// A tree file and its data file saved as a pair: a save cut off at any step leaves the old pair
// or the new pair once the next reader has repaired it, never one file of each.

#include "core/files.h"
#include "core/linefile.h"
#include "core/linepair.h"
#include "support/testdrives.h"

#include <QDir>
#include <QTest>

namespace {

const QString kTree = "C:\\Data\\struktur.txt";
const QString kData = "C:\\Data\\data.txt";
const QStringList kOldTree{"Gammel", "\tA"};
const QStringList kOldData{"0Gammel", "1A"};
const QStringList kNewTree{"Ny", "\tB", "\tC"};
const QStringList kNewData{"0Ny", "1B", "2C"};

} // namespace

class TestLinePair : public QObject
{
    Q_OBJECT
private slots:
    void anInterruptedSaveIsUndoneOrFinished_data();
    void anInterruptedSaveIsUndoneOrFinished();
    void aSaveAfterAnInterruptedOneWritesTheNewPair();
    void aFailedSaveKeepsTheOldPair();
};

void TestLinePair::anInterruptedSaveIsUndoneOrFinished_data()
{
    // The files on disk when the save stopped, in the order a save makes them.
    QTest::addColumn<bool>("treePending");
    QTest::addColumn<bool>("dataPending");
    QTest::addColumn<bool>("treeRenamed");
    QTest::addColumn<bool>("newPair");
    QTest::addColumn<int>("repair");
    QTest::newRow("nothing written yet")
        << false << false << false << false << int(core::PairRepair::Nothing);
    QTest::newRow("new tree file pending")
        << true << false << false << false << int(core::PairRepair::OldPairKept);
    QTest::newRow("both new files pending")
        << true << true << false << false << int(core::PairRepair::OldPairKept);
    QTest::newRow("tree renamed, data pending")
        << false << true << true << true << int(core::PairRepair::NewPairDone);
}

void TestLinePair::anInterruptedSaveIsUndoneOrFinished()
{
    QFETCH(bool, treePending);
    QFETCH(bool, dataPending);
    QFETCH(bool, treeRenamed);
    QFETCH(bool, newPair);
    QFETCH(int, repair);
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    QVERIFY(core::writeLines(kTree, treeRenamed ? kNewTree : kOldTree));
    QVERIFY(core::writeLines(kData, kOldData));
    if (treePending)
        QVERIFY(core::writeLines(core::pendingName(kTree), kNewTree));
    if (dataPending)
        QVERIFY(core::writeLines(core::pendingName(kData), kNewData));

    QCOMPARE(int(core::repairLinePair(kTree, kData)), repair);
    QCOMPARE(core::readLines(kTree).value(), newPair ? kNewTree : kOldTree);
    QCOMPARE(core::readLines(kData).value(), newPair ? kNewData : kOldData);
    QVERIFY(!core::fileExists(core::pendingName(kTree)));
    QVERIFY(!core::fileExists(core::pendingName(kData)));
    QCOMPARE(int(core::repairLinePair(kTree, kData)), int(core::PairRepair::Nothing));
}

void TestLinePair::aSaveAfterAnInterruptedOneWritesTheNewPair()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    // An earlier save got as far as its tree: its data waits and belongs to that tree.
    QVERIFY(core::writeLines(kTree, kOldTree));
    QVERIFY(core::writeLines(kData, {"0stale"}));
    QVERIFY(core::writeLines(core::pendingName(kData), kOldData));

    QVERIFY(core::writeLinePair(kTree, kNewTree, kData, kNewData));
    QCOMPARE(core::readLines(kTree).value(), kNewTree);
    QCOMPARE(core::readLines(kData).value(), kNewData);
    QCOMPARE(QDir(drives.host("C:\\Data")).entryList(QDir::Files), (QStringList{"data.txt", "struktur.txt"}));
}

void TestLinePair::aFailedSaveKeepsTheOldPair()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    QVERIFY(core::writeLines(kData, kOldData));
    // The tree's name is taken by a folder: the new tree cannot be renamed into place.
    QDir().mkpath(drives.host(kTree));
    QVERIFY(!core::writeLinePair(kTree, kNewTree, kData, kNewData));
    QCOMPARE(core::readLines(kData).value(), kOldData);
    QVERIFY(!core::fileExists(core::pendingName(kTree)));
    QVERIFY(!core::fileExists(core::pendingName(kData)));
}

QTEST_GUILESS_MAIN(TestLinePair)
#include "test_linepair.moc"
