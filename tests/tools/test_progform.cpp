// The programs tool "Programmer": registering, suggestions, moving and removing.

#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "lists/menuexefiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/programs/progform.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using testsupport::ScriptedResponder;

namespace {

const QString kItems = "C:\\zunKolvra\\Tester\\Egenskaber\\ProgItem.txt";

// The main window's programs list over the test's options folder.
struct Programs
{
    explicit Programs(const TestDrives &drives)
    {
        QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
        list.SetItemfile(kItems);
        list.HentProgrammer();
        host.menu = &list;
    }
    TMenuExeFiler list;
    FakeToolHost host;
};

QStringList captions(const TMenuExeFiler &list)
{
    QStringList result;
    for (int i = 0; i < list.filantal(); ++i)
        result << list.GetCaption(i);
    return result;
}

} // namespace

class TestProgform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void onlyAProgramFileIsTaken();
    void addingChecksInOrder();
    void suggestionsOfferTheFirstPathNotRegistered();
    void noSuggestionIsSaid();
    void downloadButtonsFollowTheirActions();
    void unsavedMovesAreSavedOnClosing();
    void removingAsksInsideTheWindow();
};

void TestProgform::onlyAProgramFileIsTaken()
{
    TestDrives drives;
    Programs p(drives);
    drives.writeBytes("C:\\Programmer\\Skriv.EXE", "x");
    drives.writeBytes("C:\\Programmer\\skriv.exe", "x");
    TProgform window(true);
    ScriptedResponder responder;
    p.host.current = "C:\\Programmer\\Skriv.EXE";
    window.FormShow();
    QVERIFY(window.filEdit->text().isEmpty());
    window.aExeFileExecute();
    QCOMPARE(responder.texts(),
             QStringList{"Der skal være valgt en program exe-fil i Filstrukturen.\rVælg en "
                         "sådan og prøv igen."});
    p.host.current = "C:\\Programmer\\skriv.exe";
    window.aExeFileExecute();
    QCOMPARE(window.filEdit->text(), QString("C:\\Programmer\\skriv.exe"));
}

void TestProgform::addingChecksInOrder()
{
    TestDrives drives;
    Programs p(drives);
    drives.writeBytes("C:\\Programmer\\Skriv.exe", "x");
    TProgform window(true);
    ScriptedResponder responder;
    window.filEdit->setText("C:\\Programmer\\Mangler.exe");
    window.CapEdit->setText("Mangler");
    window.aInsertProgramExecute();
    QVERIFY(window.filEdit->text().isEmpty()); // the input is reset
    window.filEdit->setText("C:\\Programmer\\Skriv.exe");
    window.aInsertProgramExecute();
    window.CapEdit->setText("Skriv");
    window.maxTekstCheck->setChecked(true);
    window.aInsertProgramExecute();
    QCOMPARE(captions(p.list), QStringList{"Skriv"});
    QCOMPARE(p.list.records().at(0).ShowType, quint8(3));
    QCOMPARE(window.addText->text(), QString("Skriv"));
    QVERIFY(!window.maxTekstCheck->isChecked());
    QCOMPARE(p.host.programBoxLoads, 1);
    QCOMPARE(p.host.mainPage, 1);
    QCOMPARE(core::readLines(kItems)->at(0), QString("1"));
    // The same program again, in other letters.
    window.filEdit->setText("C:\\PROGRAMMER\\skriv.exe");
    drives.writeBytes("C:\\PROGRAMMER\\skriv.exe", "x");
    window.CapEdit->setText("Igen");
    window.aInsertProgramExecute();
    QCOMPARE(captions(p.list), QStringList{"Skriv"});
    QCOMPARE(responder.texts(),
             (QStringList{"Filen: C:\\Programmer\\Mangler.exe\rkunne ikke findes!",
                          "Der mangler en menu tekst!", "Programmet er allerede indført!"}));
}

void TestProgform::suggestionsOfferTheFirstPathNotRegistered()
{
    TestDrives drives;
    Programs p(drives);
    drives.writeBytes("C:\\Program Files\\zunTastra\\zunTastra.exe", "x");
    drives.writeBytes("C:\\Program Files (x86)\\zunTastra\\zunTastra.exe", "x");
    drives.writeBytes("C:\\Program Files\\VideoLAN\\VLC\\vlc.exe", "x");
    TProgform window(true);
    window.show();
    window.checkButtonClick();
    auto button = [&window](const char *name) { return window.findChild<QPushButton *>(name); };
    QVERIFY(button("TastraButton")->isVisible());
    QVERIFY(button("VLCButton")->isVisible());
    QVERIFY(!button("ChromeButton")->isVisible());
    QCOMPARE(window.suggestionPaths[5], QString("C:\\Program Files\\zunTastra\\zunTastra.exe"));
    button("TastraButton")->click();
    QCOMPARE(p.list.GetFilnavn(0), QString("C:\\Program Files\\zunTastra\\zunTastra.exe"));
    QCOMPARE(p.list.GetCaption(0), QString("zunTastra"));
    QVERIFY(!button("TastraButton")->isVisible());
    window.checkButtonClick();
    QCOMPARE(window.suggestionPaths[5], QString("C:\\Program Files (x86)\\zunTastra\\zunTastra.exe"));
    button("VLCButton")->click();
    QCOMPARE(captions(p.list), (QStringList{"zunTastra", "VLC"}));
}

void TestProgform::noSuggestionIsSaid()
{
    TestDrives drives;
    Programs p(drives);
    // Z: is not in the test's drive table, so no program of the host is found either.
    TProgform window(true);
    ScriptedResponder responder;
    window.checkButtonClick();
    QCOMPARE(responder.texts(), QStringList{"Der blev ikke fundet forslag til indføring af programmer."});
    for (QPushButton *button : window.suggestionButtons)
        QVERIFY(button->isHidden());
}

void TestProgform::unsavedMovesAreSavedOnClosing()
{
    TestDrives drives;
    Programs p(drives);
    for (const char *name : {"Et", "To", "Tre"}) {
        drives.writeBytes(QString("C:\\P\\%1.exe").arg(name), "x");
        p.list.InsertItem(QString("C:\\P\\%1.exe").arg(name), name, QString(), 1);
    }
    p.list.GemProgrammer();
    auto *window = new TProgform(true);
    window->visProgrammerExecute();
    QCOMPARE(window->progInfLabel->text(), QString("3 programmer"));
    window->programListe->setCurrentItem(window->programListe->topLevelItem(2));
    window->actions->updateAll();
    QVERIFY(window->actions->action("AFlytOp")->isEnabled());
    QVERIFY(!window->actions->action("AFlytNed")->isEnabled());
    window->flyt(-1);
    QCOMPARE(window->programListe->indexOfTopLevelItem(window->programListe->currentItem()), 1);
    window->actions->updateAll();
    QVERIFY(window->actions->action("AGem")->isEnabled());
    QVERIFY(window->close());
    delete window;
    QCOMPARE(core::readLines(kItems)->mid(1, 1), QStringList{"Et"});
    QCOMPARE(core::readLines(kItems)->at(5), QString("Tre"));
    QVERIFY(p.host.programBoxLoads > 0);
}

void TestProgform::removingAsksInsideTheWindow()
{
    TestDrives drives;
    Programs p(drives);
    for (const char *name : {"Et", "To"}) {
        drives.writeBytes(QString("C:\\P\\%1.exe").arg(name), "x");
        p.list.InsertItem(QString("C:\\P\\%1.exe").arg(name), name, QString(), 1);
    }
    p.host.program = "C:\\P\\Et.exe";
    TProgform window(true);
    window.show();
    window.visProgrammerExecute();
    window.programListe->setCurrentItem(window.programListe->topLevelItem(0));
    window.programListeClick();
    QCOMPARE(window.placeringEdit->text(), QString("C:\\P\\Et.exe"));
    window.actions->updateAll();
    QVERIFY(window.actions->action("ADelprog")->isEnabled());
    window.ADelprogExecute();
    QVERIFY(window.jaKnap->isVisible());
    QVERIFY(!window.programListe->isEnabled());
    QVERIFY(!window.actions->action("ADelprog")->isEnabled());
    window.nejKnapClick();
    QVERIFY(!window.jaKnap->isVisible());
    QCOMPARE(p.list.filantal(), 2);
    window.ADelprogExecute();
    window.jaKnapClick();
    QCOMPARE(captions(p.list), QStringList{"To"});
    QCOMPARE(window.programListe->topLevelItemCount(), 1);
    QCOMPARE(window.progInfLabel->text(), QString("1 programmer"));
    QVERIFY(!window.actions->action("ADelprog")->isEnabled());
    QVERIFY(p.host.program.isEmpty());
    QCOMPARE(p.host.mainPage, 1);
}

// The download buttons are greyed while the main window's actions are, and run them.
void TestProgform::downloadButtonsFollowTheirActions()
{
    TestDrives drives;
    Programs programs(drives);
    QHash<QString, int> triggered;
    for (const char *name : {"tastraUrlen", "webUrl", "tolmaUrlen"}) {
        auto *action = new QAction(name, &programs.list);
        action->setEnabled(false);
        QObject::connect(action, &QAction::triggered, [&triggered, name] { ++triggered[name]; });
        programs.host.actions.insert(name, action);
    }
    std::unique_ptr<TProgform> window(new TProgform(true));
    for (const char *name : {"tastraUrlen", "webUrl", "tolmaUrlen"}) {
        auto *button = window->findChild<QPushButton *>(QString(name) + "Button");
        QVERIFY(button);
        QVERIFY(!button->isEnabled());
        programs.host.actions.value(name)->setEnabled(true);
        QVERIFY(button->isEnabled());
        button->click();
        QCOMPARE(triggered.value(name), 1);
    }
}

QTEST_MAIN(TestProgform)
#include "test_progform.moc"
