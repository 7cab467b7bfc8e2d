#include "app/mainform.h"
#include "app/styles.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "fileops/metodecompo.h"
#include "lists/menuexefiler.h"
#include "lists/reopenfiler.h"
#include "platform/paths.h"
#include "structures/makestrukturer.h"
#include "structures/struktur.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/info/infoform.h"
#include "tools/info/urlform1.h"
#include "tools/shortcuts/genvejform.h"
#include "tools/textsearch/findform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

using testsupport::ScriptedResponder;

namespace {

const QString kOptions = "C:\\zunKolvra\\Tester\\Egenskaber\\MainEgenskaber.txt";

// The installed templates, as a small fixture of the test's own.
void installTemplates(const TestDrives &drives)
{
    drives.writeBytes("C:\\zunKolvra\\Program\\Dos\\dir.txt", "Viser filer\r\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\Dos\\Under\\x.txt", "x\r\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\Egenskaber\\Filtertyper.txt", "Tekstfil\r\n*.txt\r\n1\r\n");
}

// Every line differs from its default.
QStringList nonDefaultOptions()
{
    return {"Nat",
            "60",
            "70",
            "1250",
            "800",
            "50",
            "2",
            "1",
            "0",
            "3",
            "C:\\Programmer\\Æble.exe",
            "1",
            "0",
            "1",
            "0",
            "1",
            "0",
            "1",
            "3",
            "Mine ting",
            "1",
            "1",
            "3",
            "2",
            "D:\\Genveje",
            "1",
            "2",
            "3",
            "4",
            "5",
            "1",
            "1",
            "0",
            "0",
            "3",
            "0",
            "1",
            "0",
            "1",
            "1",
            "1",
            "0",
            "1",
            "1",
            "1"};
}

} // namespace

class TestMainform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void init() { styles::apply("Sky"); }
    void firstStartSetsUpUserFoldersAndSecondStartCopiesNothing();
    void missingTemplatesGiveEmptyFolders();
    void unwritableDataRootIsReportedAndDefaultsApply();
    void userFolderThatCannotBeMadeIsNamed_data();
    void userFolderThatCannotBeMadeIsNamed();
    void userNameFallsBackToBrugernavn();
    void rejectedOptionsFileGivesDefaultsAndTheWelcome_data();
    void rejectedOptionsFileGivesDefaultsAndTheWelcome();
    void badNumberStopsReadingAndResetsDefaults();
    void toggleLinesShowPagesOnlyForExactlyOne();
    void allLinesRoundTrip();
    void closingWritesTheOptions();
    void vanishedShortcutFolderBecomesGenveje();
    void maxElementerStepsByTenNeverBelowTen();
    void absurdSavedNumbersAreClamped();
    void closeQueryAsksWhileAnOperationRuns();
    void stylesAreOfferedAndUnknownNamesChangeNothing();
    void panelTogglesWithTheWindowWidth();
    void damagedListFilesStillStartAndAreWrittenBackValid();
    void programsMenuStartsWithTheCurrentElement();
    void vanishedProgramIsNamedAndRemoved();
    void launchErrorsAreExplained();
    void runFilnameRunsScriptsInAConsoleAndOpensTheRest();
    void openFilenOpensByNameInTheFilesFolder();
    void programButtonNeedsACurrentProgram();
    void findTekstOpensOneWindowWithItsTab();
    void windowOffEveryScreenComesBack();
    void opretFillsTheShortcutsTool();
    void helpPagesAreShownWithTheirNodes();
    void helpSearchFindsWholeWordsInThePagesText();
    void f1ReusesAnInformationWindowOfItsOwn();
    void thePageListOutlivesTheInformationWindow();
    void f1ShowsThePageOfTheActiveToolWindow();
};

void TestMainform::firstStartSetsUpUserFoldersAndSecondStartCopiesNothing()
{
    TestDrives drives;
    installTemplates(drives);
    drives.writeBytes("C:\\zunKolvra\\Program\\Dos\\Åben.txt", "x\r\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\Dos\\Æble.txt", "x\r\n");
    auto dosList = [](const Tmainform &window) {
        QStringList rows;
        for (int i = 0; i < window.dosFiler->antal(); ++i)
            rows << window.dosFiler->GetCaption(i) + " " + window.dosFiler->GetFilnavn(i);
        return rows;
    };
    const QStringList installedCommands{"dir C:\\zunKolvra\\Tester\\Dos\\dir.txt",
                                        "Æble C:\\zunKolvra\\Tester\\Dos\\Æble.txt",
                                        "Åben C:\\zunKolvra\\Tester\\Dos\\Åben.txt"};
    {
        Tmainform window;
        // The installed commands are listed in Danish order, and saved as the list to load.
        window.dosFiler->HentReopenFiler();
        QCOMPARE(dosList(window), installedCommands);
        QCOMPARE(window.windowTitle(), QString("zunKolvra: Tester"));
        QCOMPARE(window.BrugerMappe, QString("C:\\zunKolvra\\Tester"));
        QCOMPARE(window.OptMappe, QString("C:\\zunKolvra\\Tester\\Egenskaber\\"));
        QCOMPARE(window.dosMappe, QString("C:\\zunKolvra\\Tester\\Dos\\"));
        QCOMPARE(window.NotatMappe, QString("C:\\zunKolvra\\Tester\\Noter\\"));
        QCOMPARE(window.brugerKalenderMappe, QString("C:\\zunKolvra\\Tester\\Kalender"));
        QCOMPARE(window.brugerNotatMappe, QString("C:\\zunKolvra\\Tester\\Notater"));
        QCOMPARE(window.mappestrukturDir, QString("C:\\zunKolvra\\Tester\\Mappestrukturer\\"));
        QCOMPARE(window.infoDir, QString("C:\\zunKolvra\\Program\\Stifinder\\tekstfiler\\"));
        QCOMPARE(window.optFilnavn, kOptions);
        QCOMPARE(window.settings().shortcutsFolder, QString("C:\\zunKolvra\\Tester\\Genveje"));
        for (const char *folder : {"Noter", "Kalender", "Notater", "Mappestrukturer", "Genveje"})
            QVERIFY2(QDir(drives.host(QString("C:\\zunKolvra\\Tester\\") + folder)).exists(), folder);
        QCOMPARE(drives.readBytes("C:\\zunKolvra\\Tester\\Dos\\Under\\x.txt"), QByteArray("x\r\n"));
        QCOMPARE(drives.readBytes("C:\\zunKolvra\\Tester\\Egenskaber\\Filtertyper.txt"),
                 QByteArray("Tekstfil\r\n*.txt\r\n1\r\n"));
    }
    // The user's own changes survive, and new template files are not copied again.
    drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\Filtertyper.txt", "mine\r\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\Egenskaber\\Ny.txt", "ny\r\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\Dos\\ny.txt", "ny\r\n");
    drives.writeBytes("C:\\zunKolvra\\Tester\\Dos\\mit.txt", "mit\r\n");
    Tmainform second;
    QCOMPARE(drives.readBytes("C:\\zunKolvra\\Tester\\Egenskaber\\Filtertyper.txt"), QByteArray("mine\r\n"));
    QVERIFY(!QFile::exists(drives.host("C:\\zunKolvra\\Tester\\Egenskaber\\Ny.txt")));
    QVERIFY(!QFile::exists(drives.host("C:\\zunKolvra\\Tester\\Dos\\ny.txt")));
    // The saved list is the user's: a command file of its own does not join it.
    second.dosFiler->HentReopenFiler();
    QCOMPARE(dosList(second), installedCommands);
}

void TestMainform::missingTemplatesGiveEmptyFolders()
{
    TestDrives drives;
    ScriptedResponder responder;
    Tmainform window;
    QVERIFY(QDir(drives.host("C:\\zunKolvra\\Tester\\Dos")).exists());
    QVERIFY(QDir(drives.host("C:\\zunKolvra\\Tester\\Egenskaber")).exists());
    QVERIFY(responder.shown.isEmpty());
    window.GemOpt();
    QCOMPARE(core::readLines(kOptions)->size(), 45);
}

void TestMainform::unwritableDataRootIsReportedAndDefaultsApply()
{
    TestDrives drives;
    drives.writeBytes("C:\\zunKolvra", "a file where the data root should be");
    ScriptedResponder responder;
    Tmainform window;
    QCOMPARE(responder.texts(),
             QStringList{"Datamappen \"C:\\zunKolvra\\Tester\" kunne ikke oprettes.\rProgrammet starter med "
                         "standardindstillinger, og ændringer bliver ikke gemt.\r"});
    QCOMPARE(window.designName, QString("Sky"));
    QCOMPARE(window.settings().maxElementer, 120);
    window.GemOpt(); // fails quietly
    QCOMPARE(drives.readBytes("C:\\zunKolvra"), QByteArray("a file where the data root should be"));
}

void TestMainform::userFolderThatCannotBeMadeIsNamed_data()
{
    QTest::addColumn<QStringList>("blocked"); // a file stands where these folders belong
    QTest::addColumn<QStringList>("texts");
    const QString noOptions =
        "Datamappen \"C:\\zunKolvra\\Tester\\Egenskaber\" kunne ikke oprettes.\r"
        "Programmet starter med standardindstillinger, og ændringer bliver ikke gemt.\r";
    QTest::newRow("Dos") << QStringList{"Dos"}
                         << QStringList{"Mappen \"C:\\zunKolvra\\Tester\\Dos\" kunne ikke oprettes.\r"
                                        "Programmet kan ikke gemme noget i den."};
    QTest::newRow("Egenskaber") << QStringList{"Egenskaber"} << QStringList{noOptions};
    QTest::newRow("Noter and Kalender")
        << QStringList{"Noter", "Kalender"}
        << QStringList{"Disse mapper kunne ikke oprettes:\r\"C:\\zunKolvra\\Tester\\Noter\"\r"
                       "\"C:\\zunKolvra\\Tester\\Kalender\"\rProgrammet kan ikke gemme noget i dem."};
    QTest::newRow("Egenskaber and Mappestrukturer")
        << QStringList{"Egenskaber", "Mappestrukturer"}
        << QStringList{noOptions, "Mappen \"C:\\zunKolvra\\Tester\\Mappestrukturer\" kunne ikke oprettes.\r"
                                  "Programmet kan ikke gemme noget i den."};
}

void TestMainform::userFolderThatCannotBeMadeIsNamed()
{
    QFETCH(QStringList, blocked);
    QFETCH(QStringList, texts);
    TestDrives drives;
    installTemplates(drives);
    for (const QString &folder : blocked)
        drives.writeBytes("C:\\zunKolvra\\Tester\\" + folder, "a file where a folder should be");
    ScriptedResponder responder;
    Tmainform window;
    QCOMPARE(responder.texts(), texts);
}

void TestMainform::userNameFallsBackToBrugernavn()
{
    TestDrives drives;
    drives.backEnd().user.reset();
    Tmainform window;
    QCOMPARE(window.Abrugernavn, QString("Brugernavn"));
    QCOMPARE(window.BrugerMappe, QString("C:\\zunKolvra\\Brugernavn"));
    QVERIFY(QDir(drives.host("C:\\zunKolvra\\Brugernavn\\Egenskaber")).exists());
}

void TestMainform::rejectedOptionsFileGivesDefaultsAndTheWelcome_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::newRow("missing") << -1;
    QTest::newRow("44 lines") << 44;
    QTest::newRow("46 lines") << 46;
    QTest::newRow("empty") << 0;
}

void TestMainform::rejectedOptionsFileGivesDefaultsAndTheWelcome()
{
    QFETCH(int, lineCount);
    TestDrives drives;
    installTemplates(drives);
    if (lineCount >= 0) {
        QStringList lines = nonDefaultOptions();
        while (lines.size() < lineCount)
            lines.append("1");
        QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
        QVERIFY(core::writeLines(kOptions, lines.mid(0, lineCount)));
    }
    Tmainform window;
    QCOMPARE(window.designName, QString("Sky"));
    QCOMPARE(window.pos(), QPoint(250, 50));
    QCOMPARE(window.size(), QSize(1270, 870));
    QCOMPARE(window.settings().maxElementer, 120);
    QCOMPARE(window.OnClickIndex, -1);
    QCOMPARE(window.GBoxV, 2);
    QVERIFY(window.settings().sharedClipboard && window.KlipbordsCheck->isChecked());
    QVERIFY(window.settings().topPanel);
    QVERIFY(!window.trayCheck->isChecked());
    QCOMPARE(window.Fontbox->currentIndex(), 1);
    QCOMPARE(window.FontnavnBox->currentText(), QString("Default"));
    QCOMPARE(window.bogfanerBox->itemIndex(), 2);
    QVERIFY(window.sikkerhedsCheck->isChecked());
    QVERIFY(!window.settings().triedBefore);
    window.FormActivate();
    QVERIFY(window.settings().triedBefore);
    QCOMPARE(window.Hovedbog->currentIndex(), 4);
    QCOMPARE(window.Programbog->currentIndex(), 0);
    QCOMPARE(window.informationsKnappenL->text(), QString("Egenskaber"));
    // The welcome page is asked for in the information window.
    QVERIFY(infoform);
    QCOMPARE(infoform->Hjemmeside, window.infoDir + "Velkommen.html");
}

void TestMainform::badNumberStopsReadingAndResetsDefaults()
{
    TestDrives drives;
    QStringList lines = nonDefaultOptions();
    lines[6] = "x";
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QVERIFY(core::writeLines(kOptions, lines));
    Tmainform window;
    // Lines 1-6 were taken, then the defaults reset style, position, size and maxElementer.
    QCOMPARE(window.designName, QString("Sky"));
    QCOMPARE(window.settings().maxElementer, 120);
    QCOMPARE(window.size(), QSize(1270, 870));
    // Nothing after line 7 was read.
    QVERIFY(!window.trayCheck->isChecked());
    QCOMPARE(window.exeProgram, QString());
    QVERIFY(!window.blokerCheck->isChecked());
    QVERIFY(!window.settings().triedBefore);
}

void TestMainform::toggleLinesShowPagesOnlyForExactlyOne()
{
    TestDrives drives;
    QStringList lines = nonDefaultOptions();
    lines[39] = "2";
    lines[40] = "1";
    lines[41] = "1";
    lines[42] = "0";
    lines[38] = "2"; // a check-box line: only "1" checks
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QVERIFY(core::writeLines(kOptions, lines));
    Tmainform window;
    QVERIFY(!window.Hovedbog->isTabVisible(window.Hovedbog->indexOf(window.globusSide)));
    QVERIFY(window.Hovedbog->isTabVisible(window.Hovedbog->indexOf(window.notatSide)));
    QVERIFY(window.Hovedbog->isTabVisible(window.Hovedbog->indexOf(window.genvejsSide)));
    QVERIFY(!window.Hovedbog->isTabVisible(window.Hovedbog->indexOf(window.oversigtSide)));
    QVERIFY(!window.tabVisCheck1->isChecked());
    QVERIFY(!window.blokerCheck->isChecked());
    QCOMPARE(window.optionLines().at(39), QString("0"));
}

void TestMainform::allLinesRoundTrip()
{
    TestDrives drives;
    QDir().mkpath(drives.host("D:\\Genveje"));
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    const QStringList lines = nonDefaultOptions();
    QCOMPARE(lines.size(), 45);
    QVERIFY(core::writeLines(kOptions, lines));
    const QByteArray before = drives.readBytes(kOptions);
    Tmainform window;
    QCOMPARE(window.optionLines(), lines);
    window.GemOpt();
    QCOMPARE(drives.readBytes(kOptions), before);
}

void TestMainform::closingWritesTheOptions()
{
    TestDrives drives;
    {
        Tmainform window;
        window.maxOpKnapClick();
        // Ctrl+Q takes the normal close path.
        QAction *quit = window.actions->action("aLukProgram");
        QCOMPARE(quit->shortcut(), QKeySequence("Ctrl+Q"));
        quit->trigger();
    }
    const auto lines = core::readLines(kOptions);
    QVERIFY(lines.has_value());
    QCOMPARE(lines->size(), 45);
    QCOMPARE(lines->at(5), QString("130"));
}

void TestMainform::vanishedShortcutFolderBecomesGenveje()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QVERIFY(core::writeLines(kOptions, nonDefaultOptions())); // names D:\Genveje, which does not exist
    Tmainform window;
    QCOMPARE(window.settings().shortcutsFolder, QString("C:\\zunKolvra\\Tester\\Genveje"));
    QVERIFY(QDir(drives.host(window.settings().shortcutsFolder)).exists());
}

void TestMainform::maxElementerStepsByTenNeverBelowTen()
{
    TestDrives drives;
    Tmainform window;
    QCOMPARE(window.maxFindEdit->text(), QString("120"));
    window.maxOpKnapClick();
    QCOMPARE(window.settings().maxElementer, 130);
    QCOMPARE(window.maxFindEdit->text(), QString("130"));
    window.editSettings().maxElementer = 10;
    window.maxNedKnapClick();
    QCOMPARE(window.settings().maxElementer, 10);
    window.editSettings().maxElementer = 15;
    window.maxNedKnapClick();
    QCOMPARE(window.settings().maxElementer, 10);
    QCOMPARE(window.maxFindEdit->text(), QString("10"));
}

void TestMainform::absurdSavedNumbersAreClamped()
{
    TestDrives drives;
    QDir().mkpath(drives.host("D:\\Genveje"));
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QStringList lines = nonDefaultOptions();
    lines[1] = "-2147483648";  // top
    lines[2] = "99999999999";  // left, beyond int
    lines[3] = "2147483647";   // width
    lines[4] = "-40";          // height
    lines[5] = "2147483647";   // maxElementer
    lines[27] = "-2147483648"; // GBoxV
    QVERIFY(core::writeLines(kOptions, lines));
    Tmainform window;
    // The offscreen desktop is smaller than the standard size, which is then the limit.
    QCOMPARE(window.width(), 1270);
    QCOMPARE(window.height(), 776);
    QVERIFY(std::abs(window.x()) < 100000 && std::abs(window.y()) < 100000);
    QCOMPARE(window.settings().maxElementer, 1000000);
    window.maxOpKnapClick();
    QCOMPARE(window.settings().maxElementer, 1000000);
    QCOMPARE(window.maxFindEdit->text(), QString("1000000"));
    QCOMPARE(window.GBoxV, 1);
    const QStringList written = window.optionLines();
    QCOMPARE(written.at(3), QString("1270"));
    QCOMPARE(written.at(5), QString("1000000"));
}

void TestMainform::closeQueryAsksWhileAnOperationRuns()
{
    TestDrives drives;
    Tmainform window;
    ScriptedResponder responder;
    QVERIFY(window.FormCloseQuery());
    QVERIFY(responder.shown.isEmpty());

    window.processCount = 1;
    responder.answerNej();
    QVERIFY(!window.FormCloseQuery());
    responder.answerJa();
    QVERIFY(window.FormCloseQuery());
    const QString question =
        "Der er en funktion kørende.\rSkal programmet lukkes alligevel med risiko for fejl ved lukning?";
    QCOMPARE(responder.texts(), (QStringList{question, question}));

    responder.clear();
    window.MsRedigeret = true;
    QVERIFY(!window.FormCloseQuery());
    QVERIFY(responder.shown.isEmpty());
    QCloseEvent close;
    QApplication::sendEvent(&window, &close);
    QVERIFY(!close.isAccepted());
    QVERIFY(!QFile::exists(drives.host(kOptions))); // nothing saved on a refused close
}

void TestMainform::stylesAreOfferedAndUnknownNamesChangeNothing()
{
    TestDrives drives;
    Tmainform window;
    QCOMPARE(window.designBox->count(), 10);
    QCOMPARE(window.designBox->currentText(), QString("Sky"));
    QCOMPARE(window.designBox->maxVisibleItems(), 10);
    window.designBox->setCurrentIndex(window.designBox->findText("Nat"));
    window.designBoxChange();
    QCOMPARE(window.designName, QString("Nat"));
    QCOMPARE(styles::current(), QString("Nat"));
    QVERIFY(!styles::apply("Ukendt"));
    QCOMPARE(styles::current(), QString("Nat"));
}

void TestMainform::panelTogglesWithTheWindowWidth()
{
    TestDrives drives;
    Tmainform window;
    QAction *panel = window.actions->action("aPanelV");
    QAction *standard = window.actions->action("standardSize");
    window.actions->updateAll();
    QVERIFY(!standard->isEnabled());
    panel->trigger();
    QVERIFY(window.mainPanel->isHidden());
    const int narrowed = window.width();
    QVERIFY(narrowed < 1270);
    QCOMPARE(window.minimumWidth(), 1228 - (1270 - narrowed));
    window.actions->updateAll();
    QVERIFY(standard->isEnabled());
    panel->trigger();
    QVERIFY(!window.mainPanel->isHidden());
    QCOMPARE(window.width(), 1270);
    QCOMPARE(window.minimumWidth(), 1228);
    QCOMPARE(window.minimumHeight(), 776);
}

void TestMainform::damagedListFilesStillStartAndAreWrittenBackValid()
{
    TestDrives drives;
    drives.writeBytes("C:\\Programmer\\Skriv.exe", "x");
    drives.writeBytes("C:\\zunKolvra\\Tester\\Dos\\dir.txt", "x");
    drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\ProgItem.txt",
                      "7\r\nSkriv\r\nC:\\Programmer\\Skriv.exe\r\n\r\n1\r\nHalv\r\nC:\\x.exe\r\n");
    drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\dosfiler.txt",
                      QByteArray("dir\r\nC:\\zunKolvra\\Tester\\Dos\\dir.txt\r\n") + '\0' + '\xFF');
    QVERIFY(core::writeLines(kOptions, [] {
        QStringList lines = nonDefaultOptions();
        lines[10] = "C:\\programmer\\SKRIV.exe";
        return lines;
    }()));
    Tmainform window;
    window.FormShow();
    QCOMPARE(window.programBox->count(), 1);
    QCOMPARE(window.programBox->item(0)->text(), QString("Skriv"));
    QCOMPARE(window.mProgrammer->actions().size(), 1);
    QCOMPARE(window.programLabel->text(), QString("Skriv")); // the current program's caption
    QCOMPARE(window.infobarPanels[0]->text(), QString("Skriv"));
    QCOMPARE(window.dosBoxen->count(), 2);
    QCOMPARE(window.dosBoxen->item(0)->text(), QString("dir"));

    window.MenuExe->GemProgrammer();
    window.dosFiler->GemReopenFiler();
    QCOMPARE(core::readLines("C:\\zunKolvra\\Tester\\Egenskaber\\ProgItem.txt").value(),
             (QStringList{"1", "Skriv", "C:\\Programmer\\Skriv.exe", "", "1"}));
    QCOMPARE(core::readLines("C:\\zunKolvra\\Tester\\Egenskaber\\dosfiler.txt")->size(), 4);
}

void TestMainform::programsMenuStartsWithTheCurrentElement()
{
    TestDrives drives;
    drives.writeBytes("C:\\Programmer\\Vis.exe", "x");
    drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\ProgItem.txt",
                      "1\r\nVis billeder\r\nC:\\Programmer\\Vis.exe\r\n\r\n1\r\n");
    Tmainform window;
    window.EditSti->setText("D:\\Mine billeder");
    window.mProgrammer->actions().first()->trigger();
    const auto &calls = drives.backEnd().shellCalls;
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].file, QString("C:\\Programmer\\Vis.exe"));
    QCOMPARE(calls[0].parameters, QString("\"D:\\Mine billeder\""));
    QCOMPARE(calls[0].verb, QString("open"));
    QCOMPARE(window.exeProgram, QString("C:\\Programmer\\Vis.exe"));
    QCOMPARE(window.programLabel->text(), QString("Vis billeder"));

    window.programBox->setCurrentRow(0);
    window.EditSti->clear();
    window.programBoxDblClick();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[1].parameters, QString());
}

void TestMainform::vanishedProgramIsNamedAndRemoved()
{
    TestDrives drives;
    drives.writeBytes("C:\\Programmer\\Et.exe", "x");
    drives.writeBytes("C:\\Programmer\\To.exe", "x");
    drives.writeBytes(
        "C:\\zunKolvra\\Tester\\Egenskaber\\ProgItem.txt",
        "2\r\nEt\r\nC:\\Programmer\\Et.exe\r\n\r\n1\r\nTo\r\nC:\\Programmer\\To.exe\r\n\r\n1\r\n");
    Tmainform window;
    QCOMPARE(window.programBox->count(), 2);
    QFile::remove(drives.host("C:\\Programmer\\Et.exe"));
    ScriptedResponder responder;
    window.mProgrammer->actions().first()->trigger();
    QCOMPARE(responder.texts(), QStringList{"Et blev ikke fundet.\rDet vil blive slettet fra listen."});
    QCOMPARE(window.programBox->count(), 1);
    QCOMPARE(window.programBox->item(0)->text(), QString("To"));
    QVERIFY(drives.backEnd().shellCalls.isEmpty());
}

void TestMainform::launchErrorsAreExplained()
{
    TestDrives drives;
    Tmainform window;
    ScriptedResponder responder;
    drives.backEnd().shellResult = 31;
    window.OpenFilMedProgram("C:\\a.exe", "");
    drives.backEnd().shellResult = 4;
    window.OpenFilMedProgram("C:\\a.exe", "");
    drives.backEnd().shellResult = 33;
    window.OpenFilMedProgram("C:\\a.exe", "");
    QCOMPARE(responder.texts(),
             (QStringList{
                 "Der er ikke associeret noget program til givne filefternavn.\rDer er muligvist valgt: For "
                 "redigering.\rDer skal muligvist vælges: For kørsel.\r",
                 "Meningsløs operation eller ukendt fejl.\r"}));
}

// A script of any letter case runs in the terminal found on the search path; other files are
// opened or edited by name in their folder; a missing file does nothing, a missing terminal is
// explained.
void TestMainform::runFilnameRunsScriptsInAConsoleAndOpensTheRest()
{
    TestDrives drives;
    drives.writeBytes("C:\\Skripter\\Kør.SH", "echo hej\n");
    drives.writeBytes("C:\\Skripter\\gammel.bat", "echo hej\r\n");
    drives.writeBytes("C:\\Skripter\\brev.txt", "x");
    QTemporaryDir bin;
    QFile terminal(bin.filePath("xterm"));
    QVERIFY(terminal.open(QIODevice::WriteOnly));
    terminal.write("#!/bin/sh\n");
    terminal.close();
    terminal.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Tmainform window;
    ScriptedResponder responder;
    auto &calls = drives.backEnd().shellCalls;

    window.runFilname("C:\\Skripter\\Kør.SH", 0);
    QCOMPARE(calls.size(), 0);
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY(responder.texts()[0].startsWith("Der er ikke associeret noget program"));

    drives.backEnd().setConsoleSearch(bin.path().toStdString(), "");
    struct Case
    {
        QString file;
        int run;
        QString verb, target, parameters;
    };
    const Case cases[] = {
        {"C:\\Skripter\\Kør.SH", 0, "open", "xterm", "\"-hold\" \"-e\" \"sh\" \"C:\\Skripter\\Kør.SH\""},
        {"C:\\Skripter\\Kør.SH", 1, "edit", "Kør.SH", ""},
        {"C:\\Skripter\\gammel.bat", 0, "open", "gammel.bat", ""},
        {"C:\\Skripter\\brev.txt", 0, "open", "brev.txt", ""},
        {"C:\\Skripter\\brev.txt", 1, "edit", "brev.txt", ""},
    };
    for (const Case &c : cases) {
        calls.clear();
        window.runFilname(c.file, c.run);
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].verb, c.verb);
        QCOMPARE(calls[0].file, c.target);
        QCOMPARE(calls[0].parameters, c.parameters);
        QCOMPARE(calls[0].directory, QString("C:\\Skripter"));
        QCOMPARE(calls[0].showCommand, 1);
    }
    calls.clear();
    window.runFilname("C:\\Skripter\\mangler.sh", 0);
    QVERIFY(calls.isEmpty());
    QCOMPARE(responder.texts().size(), 1);
}

void TestMainform::openFilenOpensByNameInTheFilesFolder()
{
    TestDrives drives;
    Tmainform window;
    ScriptedResponder responder;
    window.OpenFilen("D:\\Mine ting\\brev.txt", true);
    window.OpenFilen("D:\\Mine ting\\brev.txt", false);
    drives.backEnd().shellResult = 2;
    window.OpenFilen("D:\\væk.txt", false);
    const auto &calls = drives.backEnd().shellCalls;
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].verb, QString("edit"));
    QCOMPARE(calls[1].verb, QString("open"));
    QCOMPARE(calls[1].file, QString("brev.txt"));
    QCOMPARE(calls[1].directory, QString("D:\\Mine ting"));
    QCOMPARE(calls[1].showCommand, 1);
    QCOMPARE(responder.texts(), QStringList{"Den specificerede fil blev ikke fundet.\r"});
}

// "Program" on the programs page starts the current program with the current element, and only
// while there is one.
void TestMainform::programButtonNeedsACurrentProgram()
{
    TestDrives drives;
    Tmainform window;
    QAction *program = window.actions->action("progOpen2");
    window.actions->updateAll();
    QVERIFY(!program->isEnabled());
    window.exeProgram = "C:\\Programmer\\Vis.exe";
    window.EditSti->setText("D:\\Mine \"ting\"; $(rm -rf ~)");
    window.actions->updateAll();
    QVERIFY(program->isEnabled());
    program->trigger();
    const auto &calls = drives.backEnd().shellCalls;
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].file, QString("C:\\Programmer\\Vis.exe"));
    QCOMPARE(QString::fromStdU16String(platform::splitArguments(calls[0].parameters.toStdU16String()).at(0)),
             QString("D:\\Mine \"ting\"; $(rm -rf ~)"));
}

// One "Find tekst" at a time, inside the client area with its tab; its mode is fixed while it
// is open.
void TestMainform::findTekstOpensOneWindowWithItsTab()
{
    TestDrives drives;
    Tmainform window;
    window.show();
    auto tabs = [&window] {
        QStringList texts;
        for (int i = 0; i < window.tc->count(); ++i)
            texts << window.tc->tabText(i);
        return texts;
    };
    auto frames = [&window] {
        int count = 0;
        for (QMdiSubWindow *child : window.clientArea->subWindowList())
            count += child->windowTitle() == "Find tekst" ? 1 : 0;
        return count;
    };
    QAction *open = window.actions->action("findTekst");
    open->trigger();
    open->trigger();
    QVERIFY(findform);
    QCOMPARE(frames(), 1);
    QTRY_COMPARE(tabs().count("Find tekst"), 1);
    QVERIFY(!window.openTekstfiler->isEnabled());
    QPointer<Tfindform> tool = findform;
    QVERIFY(tool->close());
    QTRY_VERIFY(!tool);
    QVERIFY(!findform);
    QTRY_COMPARE(frames(), 0);
    QCOMPARE(tabs().count("Find tekst"), 0);
    QVERIFY(window.openTekstfiler->isEnabled());
}

void TestMainform::windowOffEveryScreenComesBack()
{
    TestDrives drives;
    QStringList lines = nonDefaultOptions();
    lines[1] = "-30000";
    lines[2] = "-30000";
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QVERIFY(core::writeLines(kOptions, lines));
    Tmainform window;
    QCOMPARE(window.pos(), QPoint(250, 50));
}

// "Opret" fills the shortcuts tool from the current element: the fixed place while it exists,
// else the element's own folder; the name without extension or the last folder name.
void TestMainform::opretFillsTheShortcutsTool()
{
    TestDrives drives;
    drives.writeBytes("C:\\Data\\Brev til Søren.txt", "x");
    QDir().mkpath(drives.host("C:\\Data\\Mine ting"));
    Tmainform window;
    window.show();
    ScriptedResponder responder;
    QAction *genveje = window.actions->action("opretGenveje");
    window.EditSti->clear();
    window.actions->updateAll();
    QVERIFY(!genveje->isEnabled());
    window.aInsertGenvejExecute();
    QCOMPARE(responder.texts(), QStringList{"Ukendt fejl: fil eller mappe synes ikke at eksistere."});
    QVERIFY(!genvejform);

    QVERIFY(QFileInfo(drives.host(window.settings().shortcutsFolder)).isDir());
    window.EditSti->setText("C:\\Data\\Brev til Søren.txt");
    window.actions->updateAll();
    QVERIFY(genveje->isEnabled());
    window.aInsertGenvejExecute();
    QVERIFY(genvejform);
    QPointer<Tgenvejform> tool = genvejform;
    QCOMPARE(tool->EditTarget->text(), QString("C:\\Data\\Brev til Søren.txt"));
    QCOMPARE(tool->EditDest->text(), window.settings().shortcutsFolder);
    QCOMPARE(tool->EditName->text(), QString("Brev til Søren"));
    QVERIFY(!window.openGenveje->isEnabled());

    window.editSettings().shortcutsFolder = "C:\\Findes ikke";
    window.EditSti->setText("C:\\Data\\Mine ting");
    window.aInsertGenvejExecute();
    QCOMPARE(genvejform, tool.data());
    QCOMPARE(tool->EditTarget->text(), QString("C:\\Data\\Mine ting"));
    QCOMPARE(tool->EditDest->text(), QString("C:\\Data\\Mine ting"));
    QCOMPARE(tool->EditName->text(), QString("Mine ting"));
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY(tool->close());
    QTRY_VERIFY(!tool);
    QVERIFY(window.openGenveje->isEnabled());
}

namespace {

const QString kHelp = "C:\\zunKolvra\\Program\\Stifinder\\tekstfiler\\";

// A small installation of help pages with their contents tree.
void installHelp(const TestDrives &drives)
{
    drives.writeBytes("C:\\zunKolvra\\Program\\Stifinder\\struktur.txt",
                      "zunStifinder\r\n\tStifinderen\r\n\t\tOmd\xf8"
                      "b\r\n\tKalender\r\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\Stifinder\\data.txt",
                      "5zunStifinder\r\n1Stifinderen\r\n0Omd\xf8"
                      "b\r\n0Kalender\r\n");
    drives.writeBytes(kHelp + "zunStifinder.html",
                      "<html><body><h1>Stifinder</h1><p>Om hele programmet.</p></body></html>");
    drives.writeBytes(kHelp + "Omdøb.html", "<html><body><h1>Omdøb</h1><p class=\"tast\">F2 omdøber "
                                            "mappen.</p></body></html>");
    drives.writeBytes(kHelp + "Kalender.html",
                      "<html><body><h1>Kalender</h1><p>Notater til dagen; mapper.</p></body></html>");
    drives.writeBytes(kHelp + "Stifinderen.html",
                      "<html><body><h1>Stifinderen</h1><p>Mappestrukturen og filerne.</p></body></html>");
    QDir().mkpath(drives.host(kHelp + "Billeder"));
}

QStringList listed(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

void TestMainform::helpPagesAreShownWithTheirNodes()
{
    TestDrives drives;
    installHelp(drives);
    Tmainform window;
    window.show();
    QCOMPARE(window.Struktur->topLevelItemCount(), 1);

    // F1 with no child window: the page of the whole program, in the one information window.
    QVERIFY(window.clientArea->subWindowList().isEmpty());
    window.actions->action("aInfo")->trigger();
    QVERIFY(infoform);
    QPointer<Tinfoform> first = infoform;
    QCOMPARE(infoform->Web->source().fileName(), "zunStifinder.html");
    QCOMPARE(window.Struktur->currentItem()->text(0), "zunStifinder");
    window.actions->action("aInfo")->trigger();
    QCOMPARE(infoform, first.data());

    // A page name in another letter case still finds its node, which is selected and expanded.
    window.InfoHelp("omdøb.html");
    QTreeWidgetItem *node = window.Struktur->currentItem();
    QCOMPARE(node->text(0), "Omdøb");
    QVERIFY(node->isSelected() && node->isExpanded());
    QCOMPARE(infoform->Web->source().fileName(), "Omdøb.html");

    // A click on a node shows its page and names it in the status line.
    QTreeWidgetItem *kalender = window.Struktur->topLevelItem(0)->child(1);
    window.Struktur->setCurrentItem(kalender);
    window.StrukturClick();
    QCOMPARE(infoform->Web->source().fileName(), "Kalender.html");
    QCOMPARE(window.infobarPanels[2]->text(), "Kalender");

    // A tool's information button goes the same way; a page that is missing changes nothing.
    window.InfoHelp("Stifinderen.html");
    QCOMPARE(infoform->Web->source().fileName(), "Stifinderen.html");
    window.InfoHelp("Findes ikke.html");
    QCOMPARE(infoform->Web->source().fileName(), "Stifinderen.html");
    QCOMPARE(infoform->urlListe->count(), 4);

    // The information button of the left panel, and its text-only pages.
    ScriptedResponder responder;
    window.Hovedbog->setCurrentIndex(7);
    window.informationsKnappenClick();
    QCOMPARE(responder.texts(), QStringList{"Indholdsstruktur med informations genveje."});
    window.Hovedbog->setCurrentIndex(5);
    window.informationsKnappenClick();
    QCOMPARE(infoform->Hjemmeside, kHelp + "zunStifinder.html");

    // The contents list: a row leads to a page of the panel or to a help page, or does nothing
    // but lose its selection.
    auto row = [&window](int group, int index) {
        return window.indholdsListe->topLevelItem(group)->child(index);
    };
    QTreeWidgetItem *billeder = row(0, 5);
    billeder->setSelected(true);
    window.indholdKlik(billeder);
    QVERIFY(!billeder->isSelected());
    QCOMPARE(infoform->Hjemmeside, kHelp + "zunStifinder.html");
    QCOMPARE(window.Hovedbog->currentIndex(), 5);
    window.indholdKlik(row(0, 1));
    QCOMPARE(infoform->Hjemmeside, kHelp + "Genveje.html");
    window.indholdKlik(row(3, 0));
    QCOMPARE(window.Hovedbog->currentIndex(), 3);
    QCOMPARE(window.informationsKnappenL->text(), "Notater");

    // The key lists are reached from their commands, which are off while their list is shown.
    QAction *visGT3 = window.actions->action("visGT3");
    window.actions->updateAll();
    QVERIFY(visGT3->isEnabled());
    visGT3->trigger();
    QCOMPARE(window.Hovedbog->currentIndex(), 6);
    QCOMPARE(window.genvejsBog->currentIndex(), 2);
    QCOMPARE(window.informationsKnappenL->text(), "Program genveje");
    window.actions->updateAll();
    QVERIFY(!visGT3->isEnabled());
    QVERIFY(window.actions->action("visGT1")->isEnabled());

    // F1 in an explorer window: the page of the tree in use.
    window.makeNewStifinder();
    Twinform *explorer = window.activeExplorer();
    QVERIFY(explorer);
    explorer->setActiveTree(StrukturNr::mapper);
    window.actions->action("aInfo")->trigger();
    QCOMPARE(infoform->Hjemmeside, kHelp + "Mappestrukturen.html");
    window.clientArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(explorer->parentWidget()));
    explorer->setActiveTree(StrukturNr::filer);
    window.actions->action("aInfo")->trigger();
    QCOMPARE(infoform->Hjemmeside, kHelp + "Filstrukturen.html");
}

void TestMainform::helpSearchFindsWholeWordsInThePagesText()
{
    TestDrives drives;
    installHelp(drives);
    Tmainform window;
    ScriptedResponder responder;
    QAction *search = window.actions->action("aSearch");
    window.actions->updateAll();
    QVERIFY(!search->isEnabled());

    struct Case
    {
        const char *word;
        QStringList pages;
    } const cases[] = {
        {"mapper", {"Kalender"}}, // a whole word: "Mappestrukturen" and "mappen" do not count
        {"MAPPEN", {"Omdøb"}},    // letter case does not count
        {"tast", {"Omdøb"}},      // a word of the markup counts too
        {"html", {"Kalender", "Omdøb", "Stifinderen", "zunStifinder"}},
        {"Billeder", {}}, // a folder is no page
    };
    for (const Case &c : cases) {
        window.EditFind->setText(QString::fromUtf8(c.word));
        window.actions->updateAll();
        QVERIFY(search->isEnabled());
        search->trigger();
        QCOMPARE(listed(window.findis), c.pages);
    }
    QVERIFY(responder.texts().isEmpty());
    window.EditFind->clear();
    window.aSearchExecute();
    QCOMPARE(responder.texts(), QStringList{"Der mangler en søgetekst."});
    QCOMPARE(window.findis->count(), 0);
}

void TestMainform::f1ReusesAnInformationWindowOfItsOwn()
{
    TestDrives drives;
    installHelp(drives);
    Tmainform window;
    window.opstart = false; // no first activation: no explorer window, no welcome page
    window.show();
    window.openInfo->setItemIndex(1); // "Externt"
    window.InfoHelp("Kalender.html");
    QVERIFY(infoform);
    QPointer<Tinfoform> own = infoform;
    QVERIFY(!own->showInternt && own->isWindow());
    QVERIFY(!window.openInfo->isEnabled());
    // No child window is open: F1 shows the program's page in that same window.
    QVERIFY(window.clientArea->subWindowList().isEmpty());
    window.actions->action("aInfo")->trigger();
    QCOMPARE(infoform, own.data());
    QCOMPARE(own->Web->source().fileName(), "zunStifinder.html");
    QCOMPARE(own->urlListe->count(), 2);
    QVERIFY(own->close());
    QTRY_VERIFY(!own);
    QVERIFY(!infoform);
    QVERIFY(window.openInfo->isEnabled());
}

void TestMainform::thePageListOutlivesTheInformationWindow()
{
    TestDrives drives;
    installHelp(drives);
    Tmainform window;
    window.opstart = false;
    window.show();
    // The pages window is made with the main window, hidden, its size kept in the options folder.
    QVERIFY(urlform1);
    QCOMPARE(urlform1->parentWidget(), &window);
    QVERIFY(!urlform1->isVisible());
    QCOMPARE(urlform1->optfilnavn, window.OptMappe + "urlboks.txt");

    // Inside the main window the information window shows the list in its right panel.
    window.InfoHelp("Kalender.html");
    QVERIFY(infoform && infoform->showInternt);
    QVERIFY(infoform->rightPanel->isAncestorOf(urlform1->urlListe));
    window.InfoHelp("zunStifinder.html");
    QCOMPARE(urlform1->urlListe->count(), 2);
    infoform->closeWindow();
    QTRY_VERIFY(!infoform);
    QVERIFY(urlform1->holdsList());

    // The next information window, of its own this time, finds the list as it was.
    window.openInfo->setItemIndex(1); // "Externt"
    window.InfoHelp("Omdøb.html");
    QVERIFY(infoform && !infoform->showInternt);
    QVERIFY(urlform1->holdsList());
    QCOMPARE(urlform1->urlListe->count(), 3);
    QCOMPARE(urlform1->urlListe->currentItem()->text(), "Omdøb");
}

void TestMainform::f1ShowsThePageOfTheActiveToolWindow()
{
    TestDrives drives;
    installHelp(drives);
    Tmainform window;
    window.opstart = false;
    window.show();
    const struct
    {
        const char *opens;
        const char *page;
    } cases[] = {
        {"visKalender", "Kalender.html"},
        {"aWmi", "WMI.html"},
        {"winApp", "Applets.html"},
    };
    for (const auto &c : cases) {
        // The action brings its tool window forward, over the information window of the last round.
        window.actions->action(c.opens)->trigger();
        window.actions->action("aInfo")->trigger();
        QVERIFY(infoform);
        QCOMPARE(infoform->Hjemmeside, kHelp + c.page);
    }
}

QTEST_MAIN(TestMainform)
#include "test_mainform.moc"
