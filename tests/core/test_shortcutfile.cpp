// The shortcut helper's file: written whole beside the target's drive table, read back the same;
// bad arguments and damaged files are refused with a clear answer.

#include "core/shortcutfile.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestShortcutFile : public QObject
{
    Q_OBJECT
private slots:
    void writtenShortcutsReadBack_data();
    void writtenShortcutsReadBack();
    void badArgumentsWriteNothing();
    void damagedFilesAreNoShortcuts();
};

void TestShortcutFile::writtenShortcutsReadBack_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("folder");
    // As the scripts hand them on, on Linux; on Windows they are the program paths.
    QTest::addColumn<bool>("hostArguments");
    QTest::addColumn<QString>("link");
    // Beyond MAX_PATH (260) in all, each name within what the host allows (255 bytes).
    const QString part = QString(60, u'æ') + "\\";
    const QString deep = "D:\\Meget lange navne\\" + part + part + part + part + "sidste";
    QTest::newRow("file") << "C:\\Users\\Tester\\fil.txt" << false << true
                          << "C:\\Users\\Tester\\Genveje\\fil.lnk";
    QTest::newRow("danish and spaces") << "C:\\Users\\Tester\\Mine billeder\\Rødgrød med fløde.jpg" << false
                                       << true << "C:\\Users\\Tester\\Genveje\\Rødgrød med fløde.lnk";
    QTest::newRow("outside windows-1252")
        << "D:\\Ωμέγα\\日本語 ファイル.txt" << false << false << "C:\\Genveje\\日本語 ファイル.lnk";
    QTest::newRow("folder") << "C:\\Users\\Tester\\Skrivebord" << true << true
                            << "C:\\Genveje\\Skrivebord.lnk";
    QVERIFY(deep.size() > 260);
    QTest::newRow("long folder") << deep << true << false << "C:\\Genveje\\sidste.lnk";
    QTest::newRow("long file") << deep + "\\en fil.txt" << false << true << "D:\\en fil.lnk";
    QTest::newRow("name ending in .lnk") << "C:\\Data\\a.txt" << false << true << "C:\\Genveje\\a.lnk.lnk";
}

void TestShortcutFile::writtenShortcutsReadBack()
{
    QFETCH(QString, target);
    QFETCH(bool, folder);
    QFETCH(bool, hostArguments);
    QFETCH(QString, link);
    TestDrives drives;
    if (folder)
        QVERIFY(QDir().mkpath(drives.host(target)));
    else
        drives.writeBytes(target, "indhold");
    const QString linkFolder = link.left(link.lastIndexOf(u'\\'));
    QVERIFY(QDir().mkpath(drives.host(linkFolder.size() == 2 ? linkFolder + "\\" : linkFolder)));
    // An older shortcut there is replaced.
    drives.writeBytes(link, "gammel");

    const QString error = hostArguments && !kWindowsHost
                              ? core::makeShortcutFile(drives.host(target), drives.host(link))
                              : core::makeShortcutFile(target, link);
    QCOMPARE(error, QString());
    QString readTarget, workingDir;
    QVERIFY(core::readShortcutFile(link, readTarget, workingDir));
    QCOMPARE(readTarget, target);
    QCOMPARE(workingDir, folder ? target : target.left(target.lastIndexOf(u'\\')));
    // Nothing but the shortcut is left beside it (System: Qt on Windows lists a shortcut whose
    // target it cannot find only among those).
    const QStringList beside =
        QDir(QFileInfo(drives.host(link)).path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QCOMPARE(beside, QStringList{QFileInfo(drives.host(link)).fileName()});
}

void TestShortcutFile::badArgumentsWriteNothing()
{
    TestDrives drives;
    drives.writeBytes("C:\\Data\\a.txt", "x");
    QCOMPARE(core::makeShortcutFile("C:\\Data\\mangler.txt", "C:\\Data\\a.lnk"),
             QString("Genvejens mål blev ikke fundet.\rC:\\Data\\mangler.txt"));
    QCOMPARE(core::makeShortcutFile("C:\\Data\\a.txt", "C:\\Ingen mappe\\a.lnk"),
             QString("Mappen til genvejen blev ikke fundet.\rC:\\Ingen mappe\\a.lnk"));
    QCOMPARE(QDir(drives.host("C:\\Data")).entryList(QDir::Files), QStringList{"a.txt"});
    QVERIFY(!QFileInfo::exists(drives.host("C:\\Ingen mappe")));
}

void TestShortcutFile::damagedFilesAreNoShortcuts()
{
    TestDrives drives;
    drives.writeBytes("C:\\Data\\a.txt", "x");
    QVERIFY(QDir().mkpath(drives.host("C:\\Genveje")));
    QCOMPARE(core::makeShortcutFile("C:\\Data\\a.txt", "C:\\Genveje\\god.lnk"), QString());
    const QByteArray good = drives.readBytes("C:\\Genveje\\god.lnk");
    drives.writeBytes("C:\\Genveje\\kort.lnk", good.left(good.size() / 2));
    drives.writeBytes("C:\\Genveje\\tekst.lnk", "[InternetShortcut]\r\nURL=http://example.com\r\n");
    drives.writeBytes("C:\\Genveje\\stor.lnk", good + QByteArray(2 * 1024 * 1024, '\0'));
    if (kHostHasFifos)
        QVERIFY(makeFifo(drives.host("C:\\Genveje\\fifo.lnk")));
    QString target, workingDir;
    for (const char *name : {"kort.lnk", "tekst.lnk", "stor.lnk", "fifo.lnk", "mangler.lnk"})
        QVERIFY2(!core::readShortcutFile(QString("C:\\Genveje\\") + name, target, workingDir), name);
    QVERIFY(core::readShortcutFile("C:\\Genveje\\god.lnk", target, workingDir));
    QCOMPARE(target, QString("C:\\Data\\a.txt"));
}

QTEST_GUILESS_MAIN(TestShortcutFile)
#include "test_shortcutfile.moc"
