// The tools "WMI" and "Window Applets": the class list and the scripts come from the installed
// generators, which are run here for real; the applet buttons follow what the host has.

#include "core/files.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/wmi/applets.h"
#include "tools/wmi/waform.h"
#include "tools/wmi/wmiform.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

using testsupport::ScriptedResponder;

namespace {

const QString kProgramfiler = "C:\\zunKolvra\\Program\\Programfiler";
const QString kWmiMappe = "C:\\zunKolvra\\Tester\\WMI";

// An installed script copied into the test's program folder, runnable.
void install(const TestDrives &drives, const QString &folder, const QString &name)
{
    QDir().mkpath(drives.host(folder));
    const QString target = drives.host(folder + "\\" + name);
    QVERIFY(QFile::copy(QStringLiteral(ZUN_SOURCE_DATA_PROGRAM) + "/" + QString(folder).section(u'\\', 3) +
                            "/" + name,
                        target));
    QVERIFY(QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner));
}

// The last recorded shell call carried out by the real shell.
bool runLastCall(TestDrives &drives)
{
    const TestPlatform::ShellCall call = drives.backEnd().shellCalls.last();
    return drives.backEnd().platform::posix::PosixPlatform::shellExecute(
               call.verb.toStdU16String(), call.file.toStdU16String(), call.parameters.toStdU16String(),
               call.directory.toStdU16String(), call.showCommand) > 32;
}

// An executable file `name` in `folder` that does nothing.
void fakeProgram(const QString &folder, const QString &name)
{
    QFile file(folder + "/" + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
}

// What a generated script prints when run.
QString runScript(const QString &hostPath, const QStringList &arguments = {})
{
    QProcess process;
    process.start("sh", QStringList{hostPath} + arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return "failed: " + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A value of /proc/meminfo in whole MB, as the test reads it itself.
QString memTotalMb()
{
    QFile file("/proc/meminfo");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString first = QString::fromLatin1(file.readLine()).simplified(); // "MemTotal: 123 kB"
    return QString::number(first.section(u' ', 1, 1).toDouble() / 1024, 'f', 1) + " MB";
}

} // namespace

class TestWmiform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void fromClassListToAScriptWithRealValues();
    void theClassListAndItsCommands();
    void theHtmlScriptWritesAPage();
    void appletsFollowTheHostsPrograms_data();
    void appletsFollowTheHostsPrograms();
    void theAppletsWindow();
};

void TestWmiform::fromClassListToAScriptWithRealValues()
{
    TestDrives drives;
    FakeToolHost host;
    QTemporaryDir bin;
    fakeProgram(bin.path(), "xterm");
    drives.backEnd().setConsoleSearch(bin.path().toStdString(), "");
    for (const char *name : {"_wmiClasses", "_udskrivKode", "_udskrivKodeHTML"})
        install(drives, kProgramfiler, name);
    TwmiForm window(true);
    window.FormActivate();
    QVERIFY(QDir(drives.host(kWmiMappe)).exists());

    // "Hent classes": once per window; the generator runs in the user's WMI folder.
    window.actions->updateAll();
    QAction *hent = window.actions->action("AloadListe");
    QVERIFY(hent->isEnabled());
    hent->trigger();
    window.actions->updateAll();
    QVERIFY(!hent->isEnabled());
    QCOMPARE(drives.backEnd().shellCalls.last().file, kProgramfiler + "\\_wmiClasses");
    QCOMPARE(drives.backEnd().shellCalls.last().directory, kWmiMappe);
    QVERIFY(runLastCall(drives));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(drives.host(kWmiMappe + "\\classes.txt")), 30000);
    window.actions->updateAll();
    QVERIFY(window.actions->action("Awmi")->isEnabled());
    window.actions->action("Awmi")->trigger();
    // Every machine has a processor, memory and an operating system.
    for (const char *klasse : {"Linux_Processor", "Linux_Memory", "Linux_OperatingSystem"})
        QVERIFY2(window.wmiBox->findText(klasse) > 0, klasse);

    window.wmiBox->setCurrentIndex(window.wmiBox->findText("Linux_Memory"));
    QCOMPARE(window.findEdit->text(), QString("Linux_Memory"));
    window.actions->action("AmakeFile")->trigger();
    QCOMPARE(drives.backEnd().shellCalls.last().file, kProgramfiler + "\\_udskrivKode");
    QCOMPARE(drives.backEnd().shellCalls.last().parameters, QString("\"Linux_Memory\""));
    QCOMPARE(window.vbsFile, kWmiMappe + "\\Linux_Memory.sh");
    QVERIFY(window.Timer->isActive());
    QVERIFY(runLastCall(drives));
    // The poll finds the script, runs it in a console and shows the folder.
    QTRY_VERIFY_WITH_TIMEOUT(!window.Timer->isActive(), 30000);
    QCOMPARE(drives.backEnd().shellCalls.last().file, QString("xterm"));
    QVERIFY(drives.backEnd().shellCalls.last().parameters.contains(kWmiMappe + "\\Linux_Memory.sh"));
    QCOMPARE(host.calls.last(), "explorer 0 " + kWmiMappe);

    // The script prints this machine's values.
    const QString printed = runScript(drives.host(kWmiMappe + "\\Linux_Memory.sh"));
    QVERIFY2(
        printed.contains(QRegularExpression("^MemTotal: +" + QRegularExpression::escape(memTotalMb()) + "$",
                                            QRegularExpression::MultilineOption)),
        qPrintable(printed));
    window.actions->action("AmakeFile")->trigger();
    QVERIFY(runLastCall(drives));
    QTRY_VERIFY_WITH_TIMEOUT(!window.Timer->isActive(), 30000);
    window.wmiBox->setCurrentIndex(window.wmiBox->findText("Linux_OperatingSystem"));
    window.actions->action("AmakeFile")->trigger();
    QVERIFY(runLastCall(drives));
    QTRY_VERIFY_WITH_TIMEOUT(!window.Timer->isActive(), 30000);
    const QString os = runScript(drives.host(kWmiMappe + "\\Linux_OperatingSystem.sh"));
    QVERIFY2(os.contains(QRegularExpression("^Værtsnavn: +" +
                                                QRegularExpression::escape(QSysInfo::machineHostName()) + "$",
                                            QRegularExpression::MultilineOption)),
             qPrintable(os));
    QVERIFY2(os.contains("Kerne:") && os.contains(QSysInfo::kernelVersion()), qPrintable(os));
}

void TestWmiform::theClassListAndItsCommands()
{
    TestDrives drives;
    FakeToolHost host;
    for (const char *name : {"_wmiClasses", "_udskrivKode", "_udskrivKodeHTML"})
        drives.writeBytes(kProgramfiler + "\\" + name, "#!/bin/sh\n");
    TwmiForm window(true);
    window.actions->updateAll();
    QVERIFY(!window.actions->action("Awmi")->isEnabled());
    // A last empty line gives no item; the first item chooses nothing.
    drives.writeBytes(kWmiMappe + "\\classes.txt", "Linux_Disk\nWin32_Process\n\n");
    window.actions->updateAll();
    window.actions->action("Awmi")->trigger();
    QCOMPARE(window.wmiBox->count(), 3);
    QCOMPARE(window.wmiBox->itemText(0), QString("Vælg en wmi class"));
    QCOMPARE(window.wmiBox->currentIndex(), 0);
    QVERIFY(!window.actions->action("Awmi")->isEnabled());
    QVERIFY(!window.actions->action("AmakeFile")->isEnabled());
    QVERIFY(!window.actions->action("AmakeFileHTML")->isEnabled());
    window.wmiBox->setCurrentIndex(2);
    QVERIFY(window.actions->action("AmakeFileHTML")->isEnabled());
    // "Skriv HTML" waits for the class's HTML script; an old one is removed first.
    drives.writeBytes(kWmiMappe + "\\Win32_Process_Html.sh", "gammel");
    window.actions->action("AmakeFileHTML")->trigger();
    QCOMPARE(window.vbsFile, kWmiMappe + "\\Win32_Process_Html.sh");
    QVERIFY(!QFile::exists(drives.host(window.vbsFile)));
    QCOMPARE(drives.backEnd().shellCalls.last().file, kProgramfiler + "\\_udskrivKodeHTML");
    window.TimerTimer();
    QVERIFY(window.Timer->isActive());
    QVERIFY(!host.calls.contains("explorer 0 " + kWmiMappe));

    // A generator the shell cannot start is explained and nothing is waited for.
    window.Timer->stop();
    drives.backEnd().shellResult = 2;
    window.actions->action("AmakeFile")->trigger();
    QCOMPARE(host.calls.last(), QString("error 2"));
    QVERIFY(!window.Timer->isActive());
    // A missing class list is an unknown error, and the search address carries the text as typed,
    // percent-encoded so that "&", "#" and "%" are part of the search.
    QFile::remove(drives.host(kWmiMappe + "\\classes.txt"));
    ScriptedResponder responder;
    window.AwmiExecute();
    QCOMPARE(responder.texts(), QStringList{"Der opstod en ukendt fejl."});
    window.findEdit->setText("Win32_Process æ&b C# 100%");
    QCOMPARE(window.googleUrl(),
             QString("https://www.google.com/search?q=Win32_Process%20%C3%A6%26b%20C%23%20100%25"));
}

void TestWmiform::theHtmlScriptWritesAPage()
{
    QTemporaryDir folder;
    QProcess generator;
    generator.setWorkingDirectory(folder.path());
    generator.start(QStringLiteral(ZUN_SOURCE_DATA_PROGRAM) + "/Programfiler/_udskrivKodeHTML",
                    {"Linux_Memory"});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitCode(), 0);
    const QString script = folder.filePath("Linux_Memory_Html.sh");
    QCOMPARE(runScript(script).trimmed(), folder.filePath("Linux_Memory.html"));
    QFile page(folder.filePath("Linux_Memory.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QVERIFY2(html.contains("<tr><td>MemTotal</td><td>" + memTotalMb() + "</td></tr>\r\n"), qPrintable(html));
    QVERIFY(html.startsWith("<!DOCTYPE html>\r\n") && html.endsWith("</html>\r\n"));
    // An unknown class writes nothing.
    generator.start(QStringLiteral(ZUN_SOURCE_DATA_PROGRAM) + "/Programfiler/_udskrivKode", {"Ukendt"});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitCode(), 2);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"Linux_Memory.html", "Linux_Memory_Html.sh"}));
}

void TestWmiform::appletsFollowTheHostsPrograms_data()
{
    QTest::addColumn<QByteArray>("script"); // empty: no script
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("unavailable");

    const QByteArray panels = "#!/bin/sh\n# panel: lydpanel lyd\n# panel: blandepult\nexit 0\n";
    QTest::newRow("first panel installed") << panels << QStringList{"lydpanel"} << "";
    QTest::newRow("a later panel installed") << panels << QStringList{"blandepult"} << "";
    QTest::newRow("none installed")
        << panels << QStringList{}
        << "Ikke tilgængelig: intet af programmerne lydpanel, blandepult er installeret.";
    QTest::newRow("a script that names no panel") << QByteArray("#!/bin/sh\nexit 0\n") << QStringList{} << "";
    QTest::newRow("no script")
        << QByteArray() << QStringList{"lydpanel"}
        << "Ikke tilgængelig: scriptet C:\\zunKolvra\\Program\\Window applets\\lyd findes "
           "ikke.";
}

void TestWmiform::appletsFollowTheHostsPrograms()
{
    QFETCH(QByteArray, script);
    QFETCH(QStringList, installed);
    QFETCH(QString, unavailable);
    TestDrives drives;
    FakeToolHost host;
    QTemporaryDir bin;
    for (const QString &program : installed)
        fakeProgram(bin.path(), program);
    drives.backEnd().setConsoleSearch(bin.path().toStdString(), "");
    if (!script.isEmpty())
        drives.writeBytes(host.applets + "lyd", script);
    const Applet &lyd = *appletByName("winApp10");
    QCOMPARE(appletPath(host.applets, lyd), host.applets + "lyd");
    QCOMPARE(appletUnavailable(appletPath(host.applets, lyd)), unavailable);

    QWidget parent;
    QToolButton *button = appletButton(host.applets, lyd, &parent);
    QCOMPARE(button->text(), QString("Lyd"));
    QCOMPARE(button->isEnabled(), unavailable.isEmpty());
    QVERIFY(button->statusTip().startsWith(
        "Åbner en boks angående afspilning, optagelse, lyde samt kommunikation"));
    QCOMPARE(button->statusTip().contains(unavailable), true);
    // Started through the shell; a missing script is explained as Windows explains it.
    runApplet(host.applets, lyd);
    if (script.isEmpty()) {
        QCOMPARE(host.calls, QStringList{"error 2"});
        QVERIFY(drives.backEnd().shellCalls.isEmpty());
    } else {
        QCOMPARE(drives.backEnd().shellCalls.size(), 1);
        QCOMPARE(drives.backEnd().shellCalls.first().verb, QString("open"));
        QCOMPARE(drives.backEnd().shellCalls.first().file, host.applets + "lyd");
    }
}

void TestWmiform::theAppletsWindow()
{
    TestDrives drives;
    FakeToolHost host;
    QTemporaryDir bin;
    fakeProgram(bin.path(), "pavucontrol");
    drives.backEnd().setConsoleSearch(bin.path().toStdString(), "");
    QDir().mkpath(drives.host("C:\\zunKolvra\\Program\\Window applets"));
    for (const QList<Applet> &group : appletGroups()) {
        for (const Applet &applet : group)
            install(drives, "C:\\zunKolvra\\Program\\Window applets", core::scriptFileName(applet.script));
    }
    drives.writeBytes(host.info + "Applets2.html", "<html><body><p>Hjælp til knapperne</p></body></html>");
    // Closing frees the window, as inside the main window.
    QPointer<TwaForm> window = new TwaForm;
    window->FormActivate();
    QCOMPARE(window->windowTitle(), QString("Window Applets"));
    QCOMPARE(host.tabs, QStringList{"Window Applets"});
    QList<QToolButton *> buttons;
    for (const QList<Applet> &group : appletGroups()) {
        for (const Applet &applet : group)
            buttons << window->findChild<QToolButton *>(applet.name);
    }
    QCOMPARE(buttons.size(), 20);
    // Only the sound panel is on this search path.
    for (QToolButton *button : buttons)
        QCOMPARE(button->isEnabled(), button->objectName() == "winApp10");
    QVERIFY(window->findChild<QLabel *>("appletNote"));
    QVERIFY(window->Browser->toPlainText().contains("Hjælp til knapperne"));
    buttons[13]->click();
    QCOMPARE(drives.backEnd().shellCalls.last().file, host.applets + "lyd");
    QCOMPARE(waForm, window.data());
    window->closeWindow();
    QVERIFY(host.tabs.isEmpty());
    QTRY_VERIFY(window.isNull());
    QCOMPARE(waForm, nullptr);
}

QTEST_MAIN(TestWmiform)
#include "test_wmiform.moc"
