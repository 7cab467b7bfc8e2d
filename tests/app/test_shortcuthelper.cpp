// The installed shortcut scripts with the program as their helper, as the shortcuts tool starts
// them on Linux: host paths in, a shortcut file out that the reader takes back.

#include "platform/paths.h"
#include "platform/shelllink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program path a host path has on drive Z:, the host's root.
QString onDriveZ(const QString &host)
{
    return "Z:" + QString(host).replace(u'/', u'\\');
}

struct Run
{
    int exitCode = -1;
    QString errors;
};

Run runScript(const QString &script, const QString &target, const QString &link)
{
    QProcess process;
    // The helper lays out its drive C: in a home of its own, run by ctest or not.
    static QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("ZUNKOLVRA_PROGRAM", ZUN_PROGRAM);
    process.setProcessEnvironment(environment);
    process.start(QString(ZUN_SCRIPTS) + "/" + script, {target, link});
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

class TestShortcutHelper : public QObject
{
    Q_OBJECT
private slots:
    void scriptsAreExecutable();
    void scriptsWriteShortcutsTheReaderTakesBack_data();
    void scriptsWriteShortcutsTheReaderTakesBack();
    void aMissingTargetIsSaidAndWritesNothing();
};

void TestShortcutHelper::scriptsAreExecutable()
{
    for (const char *name : {"createShortcut", "createShortcutMappe"}) {
        const QFileInfo script(QString(ZUN_SCRIPTS) + "/" + name);
        QVERIFY2(script.isFile() && script.isExecutable(), name);
    }
}

void TestShortcutHelper::scriptsWriteShortcutsTheReaderTakesBack_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("target"); // below the test's folder
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("link");
    QTest::newRow("file") << "createShortcut"
                          << "Mine ting/Rødgrød med fløde.txt" << false << "Genveje/Rødgrød.lnk";
    QTest::newRow("folder") << "createShortcutMappe"
                            << "Mine ting/Årsopgørelse 2026" << true << "Genveje/Årsopgørelse.lnk";
    QTest::newRow("outside windows-1252") << "createShortcut"
                                          << "Ωμέγα/日本語 ファイル.txt" << false << "Genveje/日本語.lnk";
    const QString part = QString(60, u'ø') + "/";
    QTest::newRow("long") << "createShortcutMappe" << part + part + part + part + "sidste" << true
                          << "Genveje/sidste.lnk.lnk";
}

void TestShortcutHelper::scriptsWriteShortcutsTheReaderTakesBack()
{
    QFETCH(QString, script);
    QFETCH(QString, target);
    QFETCH(bool, folder);
    QFETCH(QString, link);
    QTemporaryDir base;
    const QDir root(base.path());
    const QString targetHost = root.absoluteFilePath(target);
    const QString linkHost = root.absoluteFilePath(link);
    QVERIFY(root.mkpath(folder ? target : QFileInfo(target).path()));
    QVERIFY(root.mkpath(QFileInfo(link).path()));
    if (!folder) {
        QFile file(targetHost);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    const Run run = runScript(script, targetHost, linkHost);
    QCOMPARE(run.errors, QString());
    QCOMPARE(run.exitCode, 0);
    QFile file(linkHost);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto parsed =
        platform::readShellLink(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                onDriveZ(QFileInfo(linkHost).path()).toStdU16String());
    QVERIFY(parsed);
    QCOMPARE(QString::fromStdU16String(parsed->target), onDriveZ(targetHost));
    QCOMPARE(QString::fromStdU16String(parsed->workingDir),
             onDriveZ(folder ? targetHost : QFileInfo(targetHost).path()));
    QCOMPARE(bool(parsed->attributes & 0x10), folder);
    // Only the shortcut is left in its folder: the temporary name was renamed into place.
    QCOMPARE(QDir(QFileInfo(linkHost).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(linkHost).fileName()});
}

void TestShortcutHelper::aMissingTargetIsSaidAndWritesNothing()
{
    QTemporaryDir base;
    const QString link = base.filePath("væk.lnk");
    const Run run = runScript("createShortcut", base.filePath("væk.txt"), link);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errors, "Genvejens mål blev ikke fundet.\n" + base.filePath("væk.txt") + "\n");
    QVERIFY(!QFileInfo::exists(link));
}

QTEST_GUILESS_MAIN(TestShortcutHelper)
#include "test_shortcuthelper.moc"
