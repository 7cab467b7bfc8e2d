// The shortcuts tool "Genveje": the script it starts and the file it waits for, the shortcuts of
// the fixed place, the enabling rules and its options file.

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/shortcutfile.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/shortcuts/genvejform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

using testsupport::ScriptedResponder;

namespace {

const QString kScripts = "C:\\zunKolvra\\Program\\scripts\\";
const QString kOptions = "C:\\zunKolvra\\Tester\\Egenskaber\\Genveje.txt";
const QString kFixed = "C:\\Users\\Tester\\Genveje";
const QString kFailure =
    "Der er sandsynligvist opstået en fejl.\rGenvejen kan muligvist ikke oprettes på valgte sted.";

// The test's drives with the scripts installed, the fixed place and a file and folder to point at.
struct Setup
{
    Setup()
    {
        drives.writeBytes(kScripts + "createShortcut", "#!/bin/sh\n");
        drives.writeBytes(kScripts + "createShortcutMappe", "#!/bin/sh\n");
        QDir().mkpath(drives.host(kFixed));
        QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
        drives.writeBytes("C:\\Data\\Rødgrød med fløde.txt", "x");
        QDir().mkpath(drives.host("C:\\Data\\Mine billeder"));
        host.mainSettings.shortcutsFolder = kFixed;
    }
    TestDrives drives;
    FakeToolHost host;
    const QList<TestPlatform::ShellCall> &calls() const { return drives.backEnd().shellCalls; }
};

bool enabled(Tgenvejform &window, const char *action)
{
    window.actions->updateAll();
    return window.actions->action(action)->isEnabled();
}

} // namespace

class TestGenvejform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void makingStartsTheScriptForTheKind_data();
    void makingStartsTheScriptForTheKind();
    void theShortcutAppearingEndsTheWait();
    void tenTicksWithoutTheFileFail();
    void failuresBeforeTheWait();
    void enterInTheNameMakesTheShortcut();
    void listingTakesEveryNameEndingInLnk();
    void enablingRules();
    void optionsFile_data();
    void optionsFile();
    void closingKeepsTheOptions();
    void separateWindowHasNoList();
};

void TestGenvejform::makingStartsTheScriptForTheKind_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("lnk");
    QTest::newRow("file") << "C:\\Data\\Rødgrød med fløde.txt"
                          << "Rødgrød med fløde" << kScripts + "createShortcut"
                          << kFixed + "\\Rødgrød med fløde.lnk";
    QTest::newRow("folder") << "C:\\Data\\Mine billeder"
                            << "Billeder" << kScripts + "createShortcutMappe" << kFixed + "\\Billeder.lnk";
    // A name already ending in ".lnk" gets it twice.
    QTest::newRow("name with .lnk") << "C:\\Data\\Mine billeder"
                                    << "Billeder.lnk" << kScripts + "createShortcutMappe"
                                    << kFixed + "\\Billeder.lnk.lnk";
}

void TestGenvejform::makingStartsTheScriptForTheKind()
{
    QFETCH(QString, target);
    QFETCH(QString, name);
    QFETCH(QString, script);
    QFETCH(QString, lnk);
    Setup s;
    Tgenvejform window(true);
    ScriptedResponder responder;
    window.EditTarget->setText(target);
    window.EditName->setText(name);
    QCOMPARE(window.EditDest->text(), kFixed);
    QVERIFY(enabled(window, "opretGenvej"));
    window.makeGenvej();
    QCOMPARE(s.calls().size(), 1);
    const auto &call = s.calls().first();
    QCOMPARE(call.verb, QString("open"));
    QCOMPARE(call.file, script);
    QCOMPARE(call.parameters, "\"" + target + "\" \"" + lnk + "\"");
    QCOMPARE(call.directory, QString());
    QCOMPARE(call.showCommand, 5);
    QCOMPARE(window.timerFilename, lnk);
    QVERIFY(window.pollTimer->isActive());
    QCOMPARE(window.pollTimer->interval(), 1000);
    QVERIFY(responder.texts().isEmpty());
}

void TestGenvejform::theShortcutAppearingEndsTheWait()
{
    Setup s;
    Tgenvejform window(true);
    ScriptedResponder responder;
    const QString target = "C:\\Data\\Rødgrød med fløde.txt";
    const QString lnk = kFixed + "\\Grød.lnk";
    window.EditTarget->setText(target);
    window.EditName->setText("Grød");
    window.makeGenvej();
    window.pollTimerTick();
    window.pollTimerTick();
    QCOMPARE(window.timerCount, 2);
    QVERIFY(responder.texts().isEmpty());
    // The helper does what the script asks of it.
    QCOMPARE(core::makeShortcutFile(s.drives.host(target), s.drives.host(lnk)), QString());
    window.pollTimerTick();
    QCOMPARE(responder.texts(), QStringList{"Genvejen er lavet:\rGrød.lnk"});
    QVERIFY(!window.pollTimer->isActive());
    QCOMPARE(window.timerCount, 0);
    QVERIFY(window.EditTarget->text().isEmpty());
    QVERIFY(window.EditName->text().isEmpty());
    QCOMPARE(window.EditDest->text(), kFixed);
    QCOMPARE(s.host.calls, QStringList{"explorer 1 " + kFixed});
    QString readTarget, workingDir;
    QVERIFY(core::readShortcutFile(lnk, readTarget, workingDir));
    QCOMPARE(readTarget, target);

    // A shortcut already there counts at the first tick, whatever the script does.
    responder.clear();
    window.EditTarget->setText(target);
    window.EditName->setText("Grød");
    window.makeGenvej();
    window.pollTimerTick();
    QCOMPARE(responder.texts(), QStringList{"Genvejen er lavet:\rGrød.lnk"});
    QVERIFY(!window.pollTimer->isActive());
}

void TestGenvejform::tenTicksWithoutTheFileFail()
{
    Setup s;
    Tgenvejform window(true);
    ScriptedResponder responder;
    window.EditTarget->setText("C:\\Data\\Mine billeder");
    window.EditName->setText("Billeder");
    window.makeGenvej();
    for (int tick = 1; tick < 10; ++tick)
        window.pollTimerTick();
    QVERIFY(responder.texts().isEmpty());
    QVERIFY(window.pollTimer->isActive());
    window.pollTimerTick();
    QCOMPARE(responder.texts(), QStringList{kFailure});
    QVERIFY(!window.pollTimer->isActive());
    QCOMPARE(window.timerCount, 0);
    // The fields stay for another try.
    QCOMPARE(window.EditName->text(), QString("Billeder"));

    // A second shortcut while one is awaited waits for the new file only, from the start.
    responder.clear();
    window.makeGenvej();
    for (int tick = 0; tick < 5; ++tick)
        window.pollTimerTick();
    window.EditName->setText("Andre");
    window.makeGenvej();
    QCOMPARE(window.timerCount, 0);
    QCOMPARE(window.timerFilename, kFixed + "\\Andre.lnk");
    for (int tick = 0; tick < 9; ++tick)
        window.pollTimerTick();
    QVERIFY(responder.texts().isEmpty());
    window.pollTimerTick();
    QCOMPARE(responder.texts(), QStringList{kFailure});
}

void TestGenvejform::failuresBeforeTheWait()
{
    Setup s;
    Tgenvejform window(true);
    ScriptedResponder responder;
    // A target that is gone: said, and nothing started or awaited.
    window.EditTarget->setText("C:\\Data\\væk.txt");
    window.EditName->setText("Væk");
    window.makeGenvej();
    QCOMPARE(responder.texts(), QStringList{"Genvejens mål blev ikke fundet."});
    QVERIFY(s.calls().isEmpty());
    QVERIFY(!window.pollTimer->isActive());

    struct Case
    {
        const char *what;
        QString dest;
        bool removeScript;
        int shellResult;
        QStringList texts;
        QStringList hostCalls;
        int shellCalls;
    };
    const Case cases[] = {
        {"missing script",
         kFixed,
         true,
         42,
         {"Der synes at mangle en fil til skabelse af en genvej.", kFailure},
         {},
         0},
        {"destination is no folder", "C:\\Ingen mappe", false, 42, {kFailure}, {}, 0},
        {"script fails to start", kFixed, false, 5, {kFailure}, {"error 5"}, 1},
    };
    for (const Case &c : cases) {
        responder.clear();
        s.host.calls.clear();
        s.drives.backEnd().shellCalls.clear();
        s.drives.backEnd().shellResult = c.shellResult;
        if (c.removeScript)
            QFile::remove(s.drives.host(kScripts + "createShortcut"));
        else
            s.drives.writeBytes(kScripts + "createShortcut", "#!/bin/sh\n");
        window.EditTarget->setText("C:\\Data\\Rødgrød med fløde.txt");
        window.EditDest->setText(c.dest);
        window.EditName->setText("Grød");
        window.makeGenvej();
        // The wait runs in every case and ends in the failure message.
        QVERIFY2(window.pollTimer->isActive(), c.what);
        for (int tick = 0; tick < 10; ++tick)
            window.pollTimerTick();
        QVERIFY2(!window.pollTimer->isActive(), c.what);
        QCOMPARE(responder.texts(), c.texts);
        QCOMPARE(s.host.calls, c.hostCalls);
        QCOMPARE(s.calls().size(), c.shellCalls);
    }
}

void TestGenvejform::enterInTheNameMakesTheShortcut()
{
    Setup s;
    Tgenvejform window(true);
    ScriptedResponder responder;
    window.show();
    window.EditTarget->setText("C:\\Data\\Mine billeder");
    // Without a name the command is disabled and Enter does nothing.
    QTest::keyClick(window.EditName, Qt::Key_Return);
    QVERIFY(s.calls().isEmpty());
    window.EditName->setText("Billeder");
    QTest::keyClick(window.EditName, Qt::Key_Return);
    QCOMPARE(s.calls().size(), 1);
}

void TestGenvejform::listingTakesEveryNameEndingInLnk()
{
    Setup s;
    for (const char *name : {"a.lnk", "B.LNK", "backuplnk", "noter.txt", "x.lnk.bak"})
        s.drives.writeBytes(kFixed + "\\" + name, "x");
    QDir().mkpath(s.drives.host(kFixed + "\\mappe.lnk"));
    Tgenvejform window(true);
    ScriptedResponder responder;
    QVERIFY(enabled(window, "hentGenveje"));
    QVERIFY(!enabled(window, "runGenvej"));
    window.actions->action("hentGenveje")->trigger();
    QStringList names;
    for (int i = 0; i < window.genvejsListe->count(); ++i)
        names << window.genvejsListe->item(i)->text();
    names.sort();
    QCOMPARE(names, (QStringList{"B", "a", "backuplnk"}));
    QVERIFY(responder.texts().isEmpty());
    QCOMPARE(window.genvejsListe->sizeHintForRow(0), 19);

    // "Kør" runs the listed name followed by ".lnk".
    window.genvejsListe->setCurrentItem(window.genvejsListe->findItems("a", Qt::MatchExactly).first());
    QVERIFY(enabled(window, "runGenvej"));
    window.actions->action("runGenvej")->trigger();
    QCOMPARE(s.host.calls, QStringList{"run 0 " + kFixed + "\\a.lnk"});
    QVERIFY(responder.texts().isEmpty());

    // A listed name without such a shortcut ("backuplnk" has no ".lnk"), or one that has gone
    // since, is said, not run.
    QFile::remove(s.drives.host(kFixed + "\\a.lnk"));
    for (const char *name : {"backuplnk", "a"}) {
        window.genvejsListe->setCurrentItem(window.genvejsListe->findItems(name, Qt::MatchExactly).first());
        window.actions->action("runGenvej")->trigger();
        QCOMPARE(responder.texts(), QStringList{"Genvejen\r" + kFixed + "\\" + name + ".lnk\r" +
                                                "findes ikke længere.\rHent genvejene igen."});
        responder.shown.clear();
    }
    QCOMPARE(s.host.calls.size(), 1);

    window.actions->action("visStifinder")->trigger();
    QCOMPARE(s.host.calls.last(), "folder " + kFixed);

    // A fixed place without shortcuts is said.
    QDir().mkpath(s.drives.host("C:\\Tom"));
    window.EditDestFast->setText("C:\\Tom");
    window.actions->action("hentGenveje")->trigger();
    QCOMPARE(window.genvejsListe->count(), 0);
    QCOMPARE(responder.texts(),
             QStringList{"Der blev ikke fundet nogen genveje i mappen til \"Fast placering\"."});
    window.EditDestFast->setText("C:\\Væk");
    QVERIFY(!enabled(window, "hentGenveje"));
    QVERIFY(!enabled(window, "visStifinder"));
}

void TestGenvejform::enablingRules()
{
    Setup s;
    Tgenvejform window(true);
    const QString file = "C:\\Data\\Rødgrød med fløde.txt";
    const QString folder = "C:\\Data\\Mine billeder";
    struct Case
    {
        QString current;
        bool insertFil, insertMappe, destination, fast;
        QString dest; // EditDest after destinationMappe
    };
    const Case cases[] = {
        {file, true, false, true, false, "C:\\Data"},
        {folder, false, true, true, true, folder},
        {"C:\\Data\\væk.txt", false, false, true, false, kFixed},
        {QString(), false, false, false, false, kFixed},
    };
    for (const Case &c : cases) {
        s.host.current = c.current;
        window.EditDest->setText(kFixed);
        QCOMPARE(enabled(window, "insertFil"), c.insertFil);
        QCOMPARE(enabled(window, "insertMappe"), c.insertMappe);
        QCOMPARE(enabled(window, "destinationMappe"), c.destination);
        QCOMPARE(enabled(window, "fastPlaceringsMappe"), c.fast);
        if (c.destination)
            window.actions->action("destinationMappe")->trigger();
        QCOMPARE(window.EditDest->text(), c.dest);
    }

    // "Gem" only for another existing folder: letter case alone is no other folder.
    QCOMPARE(window.EditDestFast->text(), kFixed);
    QVERIFY(!enabled(window, "gemFastPlacering"));
    window.EditDestFast->setText(kFixed.toUpper());
    QVERIFY(core::directoryExists(kFixed.toUpper())); // the same folder, as on Windows
    QVERIFY(!enabled(window, "gemFastPlacering"));
    window.EditDestFast->setText("C:\\Data\\Ingen");
    QVERIFY(!enabled(window, "gemFastPlacering"));
    s.host.current = folder;
    QVERIFY(enabled(window, "fastPlaceringsMappe"));
    window.actions->action("fastPlaceringsMappe")->trigger();
    QCOMPARE(window.EditDestFast->text(), folder);
    QCOMPARE(window.EditDest->text(), folder);
    QVERIFY(enabled(window, "gemFastPlacering"));
    window.EditDest->clear();
    window.actions->action("gemFastPlacering")->trigger();
    QCOMPARE(s.host.mainSettings.shortcutsFolder, folder);
    QCOMPARE(window.EditDest->text(), folder);
    QVERIFY(!enabled(window, "gemFastPlacering"));

    // "Opret genvej" needs target, name and destination.
    window.EditTarget->setText(file);
    window.EditName->setText("Grød");
    QVERIFY(enabled(window, "opretGenvej"));
    window.EditDest->clear();
    QVERIFY(!enabled(window, "opretGenvej"));
}

void TestGenvejform::optionsFile_data()
{
    // A line that is no number puts the defaults in force, as in every options file.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("load");
    QTest::newRow("missing") << QByteArray() << 20 << 40 << false;
    QTest::newRow("saved") << QByteArray("300\r\n200\r\n1\r\n") << 300 << 200 << true;
    QTest::newRow("two lines") << QByteArray("300\r\n200\r\n") << 20 << 40 << false;
    QTest::newRow("flag no number") << QByteArray("300\r\n200\r\nja\r\n") << 20 << 40 << false;
    QTest::newRow("top no number") << QByteArray("300\r\nhøjt\r\n1\r\n") << 20 << 40 << false;
    QTest::newRow("far off") << QByteArray("99999999999\r\n-70000\r\n1\r\n") << 10000 << -10000 << true;
}

void TestGenvejform::optionsFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, load);
    Setup s;
    if (!file.isEmpty())
        s.drives.writeBytes(kOptions, file);
    Tgenvejform window(true);
    QCOMPARE(window.optFilnavn, kOptions);
    QCOMPARE(window.aLeft, left);
    QCOMPARE(window.aTop, top);
    QCOMPARE(window.aLoadGenveje, load);
    QCOMPARE(window.autoLoadCheck->isChecked(), load);
}

void TestGenvejform::closingKeepsTheOptions()
{
    Setup s;
    s.drives.writeBytes(kFixed + "\\a.lnk", "x");
    s.drives.writeBytes(kOptions, "300\r\n200\r\n1\r\n");
    {
        // Inside the main window: the list loads on the first activation; closing keeps the box.
        auto *window = new Tgenvejform(true);
        window->FormActivate();
        QCOMPARE(s.host.tabs, QStringList{"Genveje"});
        QCOMPARE(window->genvejsListe->count(), 1);
        window->autoLoadCheck->setChecked(false);
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QCOMPARE(core::readLines(kOptions), std::optional<QStringList>(QStringList{"300", "200", "0"}));
    QVERIFY(s.host.tabs.isEmpty());
    QVERIFY(genvejform == nullptr);
}

void TestGenvejform::separateWindowHasNoList()
{
    Setup s;
    s.drives.writeBytes(kOptions, "120\r\n130\r\n1\r\n");
    auto *window = new Tgenvejform(false);
    window->show();
    QVERIFY(window->panelFunk->isHidden());
    QCOMPARE(window->size(), QSize(570, 620));
    QCOMPARE(window->EditDestFast->text(), kFixed);
    QCOMPARE(window->EditDest->text(), kFixed);
    window->FormActivate();
    QCOMPARE(window->genvejsListe->count(), 0);
    window->move(150, 160);
    QVERIFY(window->close());
    // The position is kept, the auto-load flag unchanged.
    const auto lines = core::readLines(kOptions);
    QVERIFY(lines);
    QCOMPARE(lines->value(2), QString("1"));
    QCOMPARE(lines->size(), 3);
}

QTEST_MAIN(TestGenvejform)
#include "test_genvejform.moc"
