// The main window's own pages: saved command lines ("Dos"), notes, web search, the program
// among those that start with the session, and the tray option.

#include "app/mainform.h"
#include "app/notifier.h"
#include "app/styles.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/shortcutfile.h"
#include "dialogs/actionlist.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "lists/reopenfiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/textsearch/findform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <stdexcept>

using testsupport::ScriptedResponder;

namespace {

const QString kDos = "C:\\zunKolvra\\Tester\\Dos\\";
const QString kNoter = "C:\\zunKolvra\\Tester\\Noter\\";
const QString kDosfiler = "C:\\zunKolvra\\Tester\\Egenskaber\\dosfiler.txt";

// What the user types: the field's text, marked as changed.
void type(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setModified(true);
}

void type(QPlainTextEdit *memo, const QString &text)
{
    memo->setPlainText(text);
    memo->document()->setModified(true);
}

QStringList rows(const QListWidget *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->item(i)->text();
    return texts;
}

// Saves a command through the page, as the user does.
void saveCommand(Tmainform &window, const QString &command, const QString &description)
{
    type(window.dosEdit, command);
    type(window.dosMemo, description);
    window.actions->updateAll();
    QVERIFY(window.actions->action("aInsertDos")->isEnabled());
    window.aInsertDosExecute();
}

// An executable file of `name` in `folder`.
void placeProgram(const QTemporaryDir &folder, const QString &name)
{
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestLeftPages : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void init() { styles::apply("Sky"); }
    void commandIsSavedAndSavingItAgainAsksBeforeOverwriting();
    void commandTextsNoFileCanBeNamedAreRefused_data();
    void commandTextsNoFileCanBeNamedAreRefused();
    void sortingIsCaseBlindAndKeptOnlyWhenSaved();
    void sortingPutsDanishLettersAfterZ();
    void deletingKeepsTheFileAndSelectsTheNeighbour();
    void vanishedCommandFileIsNamedAndTheDescriptionStays();
    void consolesOpenInTheFolderOfTheCurrentElement();
    void aRunBoxMessageThatFailsIsExplained();
    void noteWithDanishLettersIsSavedListedAndReadBack();
    void noteHeadingsNoFileCanBeNamedAreRefused_data();
    void noteHeadingsNoFileCanBeNamedAreRefused();
    void overwritingAndLeavingANoteAsk();
    void notesAndDescriptionsFromALinuxEditorReadAndSaveInOneEncoding();
    void webSearchAppendsTheWordAsTyped();
    void notificationTestSendsTitleAndText();
    void startupEntryIsMadeAndRemovedByTheTimer();
    void startupWithoutShortcutFolderFailsAfterTenTicks();
    void trayOptionNeedsATray();
    void findDocSearchesTheTypeOfTheSelectedFile();
};

void TestLeftPages::commandIsSavedAndSavingItAgainAsksBeforeOverwriting()
{
    TestDrives drives;
    Tmainform window;
    window.dosFiler->HentReopenFiler();
    ScriptedResponder responder;
    saveCommand(window, "ipconfig", "Viser netværkskortets adresser.\nÆndres ikke.");
    saveCommand(window, "tree", "Mappetræet");
    QCOMPARE(rows(window.dosBoxen), (QStringList{"ipconfig", "tree"}));
    QCOMPARE(*core::readLines(kDos + "ipconfig.txt"),
             (QStringList{"Viser netværkskortets adresser.", "Ændres ikke."}));
    QCOMPARE(*core::readLines(kDosfiler),
             (QStringList{"ipconfig", kDos + "ipconfig.txt", "tree", kDos + "tree.txt"}));
    QVERIFY(!window.actions->action("aInsertDos")->isEnabled()); // saved: nothing changed since

    // The same text again: "Nej" keeps the file, "Ja" replaces it, and the row keeps its place.
    responder.answerNej();
    saveCommand(window, "ipconfig", "Ny");
    responder.answerJa();
    saveCommand(window, "ipconfig", "Nyere");
    QCOMPARE(responder.texts(),
             (QStringList(2, "Filen ipconfig eksisterer allerede.\rSkal den overskrives?")));
    QCOMPARE(*core::readLines(kDos + "ipconfig.txt"), QStringList{"Nyere"});
    QCOMPARE(rows(window.dosBoxen), (QStringList{"ipconfig", "tree"}));

    // "Klargør til ny efter gem" empties the fields; "Rediger" brings the selected one back.
    window.dosCheck->setChecked(true);
    saveCommand(window, "ping", "Svarer værten?");
    QVERIFY(window.dosEdit->text().isEmpty() && window.dosMemo->toPlainText().isEmpty());
    QCOMPARE(window.dosEdit->placeholderText(), QString("Indfør ny kommando"));
    window.dosBoxen->setCurrentRow(2);
    window.dosListeKlik("ping", kDos + "ping.txt");
    QCOMPARE(window.MemoDos->toPlainText(), QString("Svarer værten?"));
    window.aRedigerExecute();
    QCOMPARE(window.dosEdit->text(), QString("ping"));
    QCOMPARE(window.dosMemo->toPlainText(), QString("Svarer værten?"));
    QCOMPARE(window.dosBog->currentWidget(), window.dosSide2);
    window.actions->updateAll();
    QVERIFY(!window.actions->action("aInsertDos")->isEnabled());
    QVERIFY(window.actions->action("aNyDos")->isEnabled());
}

void TestLeftPages::commandTextsNoFileCanBeNamedAreRefused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("reason"); // the line that says why
    QTest::newRow("slash") << "dir /s"
                           << "Et navn må ikke indeholde tegnene \\ / : * ? \" < > |";
    QTest::newRow("pipe") << "dir | more"
                          << "Et navn må ikke indeholde tegnene \\ / : * ? \" < > |";
    QTest::newRow("device") << "CON"
                            << "CON, PRN, AUX, NUL";
    QTest::newRow("port with extension") << "lpt1.log"
                                         << "CON, PRN, AUX, NUL";
    QTest::newRow("trailing dot") << "cd.."
                                  << "Et navn må ikke slutte med et punktum.";
    QTest::newRow("trailing blank") << "cls "
                                    << "Et navn må ikke slutte med et mellemrum.";
    QTest::newRow("too long") << QString(252, u'x') << "tegn, men et navn må højst være på 255 tegn.";
}

void TestLeftPages::commandTextsNoFileCanBeNamedAreRefused()
{
    QFETCH(QString, command);
    QFETCH(QString, reason);
    TestDrives drives;
    Tmainform window;
    window.dosFiler->HentReopenFiler();
    ScriptedResponder responder;
    saveCommand(window, command, "Beskrivelse");
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY2(responder.texts()[0].contains(reason), qPrintable(responder.texts()[0]));
    QVERIFY(
        responder.texts()[0].endsWith("Kommandoens tekst bliver filnavnet, så kommandoen blev ikke gemt."));
    QCOMPARE(window.dosBoxen->count(), 0);
    QVERIFY(QDir(drives.host(kDos)).entryList(QDir::Files).isEmpty());
    QVERIFY(!QFile::exists(drives.host(kDosfiler)));
    // What was typed stays, to be corrected.
    QCOMPARE(window.dosEdit->text(), command);
    QVERIFY(window.dosEdit->isModified());
}

void TestLeftPages::sortingIsCaseBlindAndKeptOnlyWhenSaved()
{
    TestDrives drives;
    Tmainform window;
    window.dosFiler->HentReopenFiler();
    ScriptedResponder responder;
    for (const char *command : {"b", "A", "c", "ab"})
        saveCommand(window, command, "x");
    QVERIFY(!window.gemDosKnap->isEnabled());
    window.sorterButtonClick();
    QCOMPARE(rows(window.dosBoxen), (QStringList{"A", "ab", "b", "c"}));
    QCOMPARE(window.dosFiler->GetFilnavn(0), kDos + "A.txt");
    QVERIFY(window.gemDosKnap->isEnabled());
    QCOMPARE(core::readLines(kDosfiler)->at(0), QString("b")); // not saved yet
    QVERIFY(responder.texts().isEmpty());
    window.sorterButtonClick();
    QCOMPARE(responder.texts(),
             QStringList{"Listen var sorteret i forvejen.\rDer blev altså ikke flyttet nogen "
                         "elementer."});
    window.gemDosKnapClick();
    QVERIFY(!window.gemDosKnap->isEnabled());
    QCOMPARE(*core::readLines(kDosfiler), (QStringList{"A", kDos + "A.txt", "ab", kDos + "ab.txt", "b",
                                                       kDos + "b.txt", "c", kDos + "c.txt"}));

    // Moving: up from the top and down from the bottom are not offered.
    window.dosBoxen->setCurrentRow(0);
    window.actions->updateAll();
    QVERIFY(!window.actions->action("aDosOp")->isEnabled());
    QVERIFY(window.actions->action("aDosNed")->isEnabled());
    window.aDosNedExecute();
    QCOMPARE(rows(window.dosBoxen), (QStringList{"ab", "A", "b", "c"}));
    QCOMPARE(window.dosBoxen->currentRow(), 1);
    QVERIFY(window.gemDosKnap->isEnabled());
    window.dosBoxen->setCurrentRow(3);
    window.actions->updateAll();
    QVERIFY(!window.actions->action("aDosNed")->isEnabled());
    window.aDosOpExecute();
    QCOMPARE(rows(window.dosBoxen), (QStringList{"ab", "A", "c", "b"}));
    QCOMPARE(window.dosBoxen->currentRow(), 2);
}

void TestLeftPages::sortingPutsDanishLettersAfterZ()
{
    TestDrives drives;
    Tmainform window;
    window.dosFiler->HentReopenFiler();
    ScriptedResponder responder;
    for (const char *command : {"årsag", "Ønske", "z", "æble", "Å"})
        saveCommand(window, command, "x");
    window.sorterButtonClick();
    QCOMPARE(rows(window.dosBoxen), (QStringList{"z", "æble", "Ønske", "Å", "årsag"}));
}

void TestLeftPages::deletingKeepsTheFileAndSelectsTheNeighbour()
{
    TestDrives drives;
    Tmainform window;
    window.dosFiler->HentReopenFiler();
    ScriptedResponder responder;
    for (const char *command : {"en", "to", "tre"})
        saveCommand(window, command, "x");
    window.dosBoxen->setCurrentRow(2);
    responder.answerNej();
    window.aSletDosExecute();
    QCOMPARE(window.dosBoxen->count(), 3);
    responder.answerJa();
    window.aSletDosExecute();
    QCOMPARE(responder.texts(), (QStringList(2, "Skal kommandoen tre slettes?")));
    QCOMPARE(rows(window.dosBoxen), (QStringList{"en", "to"}));
    QCOMPARE(window.dosBoxen->currentRow(), 1);
    QVERIFY(QFile::exists(drives.host(kDos + "tre.txt")));
    QCOMPARE(core::readLines(kDosfiler)->size(), 6); // reaches the file with the next save
    QVERIFY(!window.gemDosKnap->isEnabled());

    window.dosBoxen->setCurrentRow(0);
    responder.answerJa();
    window.aSletDosExecute();
    QCOMPARE(rows(window.dosBoxen), QStringList{"to"});
    QCOMPARE(window.dosBoxen->currentRow(), 0);

    responder.answerJa();
    window.dosFiler->SletAlleItems();
    QCOMPARE(window.dosBoxen->count(), 0);
    window.actions->updateAll();
    QVERIFY(!window.actions->action("aSletAltDos")->isEnabled());
}

void TestLeftPages::vanishedCommandFileIsNamedAndTheDescriptionStays()
{
    TestDrives drives;
    Tmainform window;
    window.dosFiler->HentReopenFiler();
    ScriptedResponder responder;
    saveCommand(window, "en", "første");
    saveCommand(window, "to", "anden");
    window.dosBoxen->setCurrentRow(0);
    window.dosFiler->listeKlik();
    QCOMPARE(window.MemoDos->toPlainText(), QString("første"));
    QVERIFY(QFile::remove(drives.host(kDos + "to.txt")));
    window.dosBoxen->setCurrentRow(1);
    window.dosFiler->listeKlik();
    QCOMPARE(responder.texts(), QStringList{"Filen blev ikke fundet.\rSlet eventuelt elementet fra listen."});
    QCOMPARE(window.MemoDos->toPlainText(), QString("første"));
}

void TestLeftPages::consolesOpenInTheFolderOfTheCurrentElement()
{
    TestDrives drives;
    drives.writeBytes("C:\\Data\\Mine ting\\brev.txt", "x");
    QTemporaryDir bin;
    placeProgram(bin, "xterm");
    drives.backEnd().setConsoleSearch(bin.path().toStdString(), "");
    Tmainform window;
    ScriptedResponder responder;
    auto &calls = drives.backEnd().shellCalls;

    // Without pwsh the PowerShell button is disabled and says why.
    QVERIFY(!window.SpeedButton81->isEnabled());
    QVERIFY(window.SpeedButton81->statusTip().contains("ikke installeret"));

    const QPair<QString, QString> cases[] = {
        {"C:\\Data\\Mine ting\\brev.txt", "C:\\Data\\Mine ting"},
        {"C:\\Data\\Mine ting", "C:\\Data\\Mine ting"},
        {"", "C:"},
        {"C:\\Findes ikke\\x.txt", "C:"},
    };
    for (const auto &[current, folder] : cases) {
        calls.clear();
        window.EditSti->setText(current);
        window.dosKnapClick();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].file, QString("xterm"));
        QCOMPARE(calls[0].parameters, QString());
        QCOMPARE(calls[0].directory, folder);
    }

    placeProgram(bin, "pwsh");
    window.updateConsoleButtons();
    QVERIFY(window.SpeedButton81->isEnabled());
    QCOMPARE(window.SpeedButton81->statusTip(), QString("Åben en PowerShell-konsol"));
    calls.clear();
    window.EditSti->setText("C:\\Data\\Mine ting\\brev.txt");
    window.SpeedButton81Click();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].parameters, QString("\"-e\" \"pwsh\""));
    QCOMPARE(calls[0].directory, QString("C:\\Data\\Mine ting"));
    QVERIFY(responder.texts().isEmpty());

    // A console that cannot start is explained.
    drives.backEnd().setConsoleSearch("", "");
    window.dosKnapClick();
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY(responder.texts()[0].startsWith("Der er ikke associeret noget program"));
    window.aGoBoksExecute();
    QCOMPARE(responder.texts().last(), QString("Tryk Windows-tasten + R for at åbne kør-kassen."));
}

void TestLeftPages::aRunBoxMessageThatFailsIsExplained()
{
    TestDrives drives;
    Tmainform window;
    QStringList texts;
    messages::DialogSeam::setResponder([&texts](const messages::ShownDialog &shown, bool &) {
        texts << shown.text;
        if (texts.size() == 1)
            throw std::runtime_error("ikke vist");
        return messages::mrOk;
    });
    window.aGoBoksExecute();
    messages::DialogSeam::setResponder({});
    QCOMPARE(texts, (QStringList{"Tryk Windows-tasten + R for at åbne kør-kassen.",
                                 "Ukendt fejl!\rKør-kassen kunne ikke åbnes."}));
}

void TestLeftPages::noteWithDanishLettersIsSavedListedAndReadBack()
{
    TestDrives drives;
    drives.writeBytes(kNoter + "Gammel.txt", "gammel\r\n");
    QDir().mkpath(drives.host(kNoter + "Mappe.txt"));
    drives.writeBytes(kNoter + "andet.doc", "x");
    Tmainform window;
    window.loadNotater();
    QCOMPARE(rows(window.notatBox), QStringList{"Gammel"});
    QCOMPARE(window.NotatLabel->text(), QString("Eksisterende notater: 1"));
    ScriptedResponder responder;

    QTest::keyClicks(window.notatEdit, "Indkøb på årsdagen");
    QVERIFY(window.nytNotatNavn);
    type(window.notatMemo, "Æbler, østers og blåbær\n\nØl til Søren");
    window.actions->updateAll();
    QVERIFY(window.actions->action("aGemNotat")->isEnabled());
    window.aGemNotatExecute();
    QVERIFY(responder.texts().isEmpty());
    QVERIFY(!window.nytNotatNavn);
    QCOMPARE(drives.readBytes(kNoter + "Indkøb på årsdagen.txt"), QByteArray("\xc6"
                                                                             "bler, \xf8"
                                                                             "sters og bl\xe5"
                                                                             "b\xe6"
                                                                             "r\r\n\r\n\xd8"
                                                                             "l til S\xf8"
                                                                             "ren\r\n"));
    QCOMPARE(rows(window.notatBox), (QStringList{"Gammel", "Indkøb på årsdagen"}));
    QCOMPARE(window.NotatLabel->text(), QString("Eksisterende notater: 2"));

    window.nytNotatButtonClick();
    QVERIFY(window.notatEdit->text().isEmpty() && window.notatMemo->toPlainText().isEmpty());
    window.loadNotater();
    window.notatBox->setCurrentRow(int(rows(window.notatBox).indexOf("Indkøb på årsdagen")));
    window.aHentNotatExecute();
    QCOMPARE(window.notatEdit->text(), QString("Indkøb på årsdagen"));
    QCOMPARE(window.notatMemo->toPlainText(), QString("Æbler, østers og blåbær\n\nØl til Søren"));
    window.actions->updateAll();
    QVERIFY(!window.actions->action("aGemNotat")->isEnabled());
    QVERIFY(responder.texts().isEmpty());

    // A note whose file went away.
    QVERIFY(QFile::remove(drives.host(kNoter + "Gammel.txt")));
    window.notatBox->setCurrentRow(int(rows(window.notatBox).indexOf("Gammel")));
    window.aHentNotatExecute();
    QCOMPARE(responder.texts(), QStringList{"Filen blev ikke fundet.\r"});
    QCOMPARE(window.notatEdit->text(), QString("Indkøb på årsdagen"));
}

void TestLeftPages::noteHeadingsNoFileCanBeNamedAreRefused_data()
{
    QTest::addColumn<QString>("heading");
    QTest::newRow("slash") << "Mor/Far";
    QTest::newRow("colon") << "Kl. 10:30";
    QTest::newRow("question") << "Hvorfor?";
    QTest::newRow("quote") << "Et \"citat\"";
    QTest::newRow("device") << "PRN";
    QTest::newRow("port") << "COM1";
    QTest::newRow("trailing dot") << "Osv.";
    QTest::newRow("trailing blank") << "Noter ";
}

void TestLeftPages::noteHeadingsNoFileCanBeNamedAreRefused()
{
    QFETCH(QString, heading);
    TestDrives drives;
    Tmainform window;
    window.loadNotater();
    ScriptedResponder responder;
    QTest::keyClicks(window.notatEdit, heading);
    type(window.notatMemo, "Må ikke gå tabt");
    window.aGemNotatExecute();
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY2(responder.texts()[0].startsWith("Navnet \"" + heading + "\" kan ikke bruges.\r"),
             qPrintable(responder.texts()[0]));
    QVERIFY(responder.texts()[0].endsWith("Overskriften bliver filnavnet, så notatet blev ikke gemt."));
    QVERIFY(QDir(drives.host(kNoter)).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    QCOMPARE(window.notatBox->count(), 0);
    QCOMPARE(window.notatMemo->toPlainText(), QString("Må ikke gå tabt"));
    window.actions->updateAll();
    QVERIFY(window.actions->action("aGemNotat")->isEnabled()); // still unsaved
}

void TestLeftPages::overwritingAndLeavingANoteAsk()
{
    TestDrives drives;
    drives.writeBytes(kNoter + "Plan.txt", "gammel plan\r\n");
    Tmainform window;
    window.loadNotater();
    ScriptedResponder responder;
    const QString overwrite = "Filnavn:\r" + kNoter + "Plan.txt\rSkal denne fil overskrives?";

    // A typed heading that names an existing note asks; "Nej" keeps the file.
    QTest::keyClicks(window.notatEdit, "Plan");
    type(window.notatMemo, "ny plan");
    responder.answerNej();
    window.aGemNotatExecute();
    QCOMPARE(responder.texts(), QStringList{overwrite});
    QCOMPARE(*core::readLines(kNoter + "Plan.txt"), QStringList{"gammel plan"});

    // Loading with unsaved changes asks; "Nej" keeps the current note.
    window.notatBox->setCurrentRow(0);
    responder.answerNej();
    window.aHentNotatExecute();
    QCOMPARE(responder.texts().last(),
             QString("Nuværende notat er ikke gemt.\rSkal der åbnes et nyt notat alligevel?"));
    QCOMPARE(window.notatMemo->toPlainText(), QString("ny plan"));
    responder.answerJa();
    window.notatBoxDblClick();
    QCOMPARE(window.notatMemo->toPlainText(), QString("gammel plan"));

    // A loaded note edited and saved under its own heading is overwritten without a question.
    responder.clear();
    type(window.notatMemo, "rettet plan");
    window.aGemNotatExecute();
    QVERIFY(responder.texts().isEmpty());
    QCOMPARE(*core::readLines(kNoter + "Plan.txt"), QStringList{"rettet plan"});
    QCOMPARE(window.notatBox->count(), 1);

    // A new note over an edited one asks first.
    type(window.notatMemo, "endnu en rettelse");
    responder.answerNej();
    window.nytNotatButtonClick();
    QCOMPARE(responder.texts(),
             QStringList{"Nuværende notat er redigeret men ikke gemt.\rSkal der startes et "
                         "nyt notat alligevel?"});
    QCOMPARE(window.notatEdit->text(), QString("Plan"));
}

void TestLeftPages::notesAndDescriptionsFromALinuxEditorReadAndSaveInOneEncoding()
{
    TestDrives drives;
    // UTF-8 without a mark and LF line ends, as gedit or nano write them.
    drives.writeBytes(kNoter + "Indkøb.txt", "Æbler og blåbær\nØl\n");
    drives.writeBytes(kDos + "ping.txt", "Svarer værten på første pakke?\n");
    Tmainform window;
    window.loadNotater();
    ScriptedResponder responder;
    window.notatBox->setCurrentRow(0);
    window.aHentNotatExecute();
    QCOMPARE(window.notatMemo->toPlainText(), QString("Æbler og blåbær\nØl"));

    // Edited and saved: every letter in one encoding, the old ones as the new.
    type(window.notatMemo, window.notatMemo->toPlainText() + "\nSødmælk");
    window.aGemNotatExecute();
    QCOMPARE(drives.readBytes(kNoter + "Indkøb.txt"), QByteArray("\xc6"
                                                                 "bler og bl\xe5"
                                                                 "b\xe6"
                                                                 "r\r\n\xd8"
                                                                 "l\r\nS\xf8"
                                                                 "dm\xe6"
                                                                 "lk\r\n"));
    window.aHentNotatExecute();
    QCOMPARE(window.notatMemo->toPlainText(), QString("Æbler og blåbær\nØl\nSødmælk"));

    window.dosListeKlik("ping", kDos + "ping.txt");
    QCOMPARE(window.MemoDos->toPlainText(), QString("Svarer værten på første pakke?"));
    QVERIFY(responder.texts().isEmpty());
}

void TestLeftPages::webSearchAppendsTheWordAsTyped()
{
    TestDrives drives;
    Tmainform window;
    ScriptedResponder responder;
    auto &calls = drives.backEnd().shellCalls;
    QAction *google = window.actions->action("googleUrlen");
    QAction *bing = window.actions->action("bingUrl");
    QAction *tube = window.actions->action("tubeUrl");
    QVERIFY(window.CheckFind->isChecked());
    window.actions->updateAll();
    QVERIFY(!google->isEnabled() && !bing->isEnabled() && !tube->isEnabled());

    // The text field chosen but empty, the memo filled: the engines search for the stand-in words.
    window.findMemo->setPlainText("rød & grøn");
    window.actions->updateAll();
    QVERIFY(google->isEnabled() && bing->isEnabled());
    google->trigger();
    window.CheckMemo->click();
    QVERIFY(!window.CheckFind->isChecked());
    bing->trigger();
    window.findEditX->setText("æblekage opskrift");
    window.CheckFind->click();
    google->trigger();
    window.actions->updateAll();
    QVERIFY(!tube->isEnabled());
    window.tubeEdit->setText("Kim Larsen");
    window.actions->updateAll();
    QVERIFY(!tube->isEnabled()); // its radio button is not chosen
    window.CheckTube->click();
    window.actions->updateAll();
    QVERIFY(tube->isEnabled() && !google->isEnabled());
    tube->trigger();
    type(window.dosEdit, "dir /s");
    window.actions->updateAll();
    window.actions->action("googleUrlDos")->trigger();
    type(window.notatEdit, "Ærø");
    window.actions->updateAll();
    window.actions->action("googleUrl2")->trigger();

    QStringList opened;
    for (const auto &call : calls) {
        QCOMPARE(call.verb, QString("open"));
        QVERIFY(call.parameters.isEmpty() && call.directory.isEmpty());
        opened << call.file;
    }
    QCOMPARE(opened, (QStringList{"https://www.google.com/search?q=Der%20mangler%20et%20s%C3%B8geord",
                                  "https://www.bing.com/search?q=r%C3%B8d%20%26%20gr%C3%B8n",
                                  "https://www.google.com/search?q=%C3%A6blekage%20opskrift",
                                  "https://www.youtube.com/results?search_query=Kim%20Larsen",
                                  "https://www.google.com/search?q=dir%20%2Fs",
                                  "https://www.google.com/search?q=%C3%86r%C3%B8"}));
    window.actions->updateAll();
    QVERIFY(window.actions->action("aClearMemo")->isEnabled());
    window.actions->action("aClearMemo")->trigger();
    QVERIFY(window.findMemo->toPlainText().isEmpty());

    // A browser that cannot be started is explained.
    drives.backEnd().shellResult = 31;
    tube->trigger();
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY(responder.texts()[0].startsWith("Der er ikke associeret noget program"));
    // The maker's download pages have no address in this build.
    for (const char *name : {"webUrl", "tastraUrlen", "tolmaUrlen"})
        QVERIFY(!window.actions->action(name)->isEnabled());
}

void TestLeftPages::notificationTestSendsTitleAndText()
{
    TestDrives drives;
    Tmainform window;
    window.notifier.reset(); // no desktop service: the status line shows it
    window.bcEdit->setText("Hej");
    window.bcEditTekst->setText("Fra Stifinder");
    window.bcButtonClick();
    QCOMPARE(window.infobarPanels[2]->text(), QString("Hej: Fra Stifinder"));
    QCOMPARE(window.ncNumber, 1);
    window.bcNyButton->click();
    QVERIFY(window.bcEdit->text().isEmpty() && window.bcEditTekst->text().isEmpty());
}

void TestLeftPages::startupEntryIsMadeAndRemovedByTheTimer()
{
    TestDrives drives;
    drives.backEnd().setAutostartFolder((drives.rootC() + "/config/autostart").toStdString());
    drives.writeBytes("C:\\Program\\zunkolvra", "#!/bin/sh\n");
    drives.writeBytes("C:\\zunKolvra\\Program\\scripts\\createShortcut", "#!/bin/sh\n");
    Tmainform window;
    ScriptedResponder responder;
    auto &calls = drives.backEnd().shellCalls;
    const QString lnk = "C:\\zunKolvra\\Tester\\Genveje\\zunKolvra.lnk";
    const QString entry = drives.rootC() + "/config/autostart/zunKolvra.desktop";

    window.egenExe.clear();
    window.startProgDoButtonClick();
    QCOMPARE(responder.texts(), (QStringList{"Det kan tage lidt tid.\rTryk OK-Knappen for at starte "
                                             "funktionen.\rDer bringes en information, når funktionen er "
                                             "gennemført.",
                                             "Genvejens mål blev ikke fundet."}));
    QVERIFY(!window.startProgTimer->isActive());

    window.egenExe = "C:\\Program\\zunkolvra";
    for (int round = 0; round < 2; ++round) {
        responder.clear();
        calls.clear();
        window.makeOpstartProg();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].file, QString("C:\\zunKolvra\\Program\\scripts\\createShortcut"));
        QCOMPARE(calls[0].parameters, "\"C:\\Program\\zunkolvra\" \"" + lnk + "\"");
        QCOMPARE(calls[0].showCommand, 5);
        QVERIFY(window.startProgTimer->isActive());
        QCOMPARE(window.SPtimerFilename, lnk);
        // The script's work, as its helper does it.
        if (round == 0) {
            window.startProgTimerTimer();
            QVERIFY(window.startProgTimer->isActive());
            QVERIFY(responder.texts().isEmpty());
            QCOMPARE(core::makeShortcutFile("C:\\Program\\zunkolvra", lnk), QString());
        }
        window.startProgTimerTimer();
        QVERIFY(!window.startProgTimer->isActive());
        QCOMPARE(window.SPtimerCount, 0);
        if (round == 0) {
            QCOMPARE(responder.texts(), QStringList{"Programmet er indført som StartUp-program."});
            QFile file(entry);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(
                file.readAll().contains("Exec=\"" + drives.host("C:\\Program\\zunkolvra").toUtf8() + "\"\n"));
        } else {
            QCOMPARE(responder.texts(), QStringList{"Programmet blev fjernet som StartUp-program."});
            QVERIFY(!QFile::exists(entry));
        }
        // The shortcut stays where it was made; the Startup folder is shown.
        QVERIFY(QFile::exists(drives.host(lnk)));
        QVERIFY(!window.explorerWindows().isEmpty());
    }

    // Without the script nothing is made, and the timer runs out.
    QVERIFY(QFile::remove(drives.host("C:\\zunKolvra\\Program\\scripts\\createShortcut")));
    QVERIFY(QFile::remove(drives.host(lnk)));
    responder.clear();
    window.makeOpstartProg();
    QCOMPARE(responder.texts(), QStringList{"Der synes at mangle en fil til skabelse af en genvej."});
}

void TestLeftPages::startupWithoutShortcutFolderFailsAfterTenTicks()
{
    TestDrives drives;
    drives.backEnd().setAutostartFolder((drives.rootC() + "/config/autostart").toStdString());
    drives.writeBytes("C:\\Program\\zunkolvra", "#!/bin/sh\n");
    Tmainform window;
    ScriptedResponder responder;
    window.egenExe = "C:\\Program\\zunkolvra";
    window.editSettings().shortcutsFolder = "C:\\Findes ikke";
    window.makeOpstartProg();
    QVERIFY(drives.backEnd().shellCalls.isEmpty());
    QVERIFY(window.startProgTimer->isActive());
    for (int tick = 1; tick < 10; ++tick)
        window.startProgTimerTimer();
    QVERIFY(responder.texts().isEmpty());
    QVERIFY(window.startProgTimer->isActive());
    window.startProgTimerTimer();
    QCOMPARE(responder.texts(), QStringList{"Det lykkedes ikke at indføre programmet som startprogram."});
    QVERIFY(!window.startProgTimer->isActive());
    QVERIFY(!QFile::exists(drives.rootC() + "/config/autostart/zunKolvra.desktop"));
}

void TestLeftPages::trayOptionNeedsATray()
{
    TestDrives drives;
    {
        Tmainform first;
        first.trayCheck->setChecked(true);
        first.GemOpt();
    }
    const auto saved = Tmainform::systemTrayAvailable;
    {
        Tmainform::systemTrayAvailable = [] { return false; };
        Tmainform window;
        QVERIFY(window.trayCheck->isChecked());
        QVERIFY(!window.trayCheck->isEnabled());
        QVERIFY(window.trayCheck->statusTip().contains("ingen system bakke"));
        QVERIFY(!window.TrayIcon);
        QCOMPARE(window.optionLines().at(7), QString("1")); // the choice is kept for a desktop with a tray
        window.show();
        window.showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(!window.isHidden()); // minimised, never vanished
    }
    {
        Tmainform::systemTrayAvailable = [] { return true; };
        Tmainform window;
        QVERIFY(window.trayCheck->isEnabled());
        QVERIFY(window.TrayIcon);
        QCOMPARE(window.TrayIcon->toolTip(), QString("zunKolvra"));
        QVERIFY(!window.TrayIcon->contextMenu());
        window.show();
        window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(window.isHidden());
        window.restoreFromTray();
        QVERIFY(window.isVisible());
    }
    Tmainform::systemTrayAvailable = saved;
}

void TestLeftPages::findDocSearchesTheTypeOfTheSelectedFile()
{
    TestDrives drives;
    drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\Filtertyper.txt", "Tekstfil\r\n*.txt\r\n1\r\n");
    drives.writeBytes("C:\\Data\\brev.txt", "x");
    drives.writeBytes("C:\\Data\\tegning.xyz", "x");
    Tmainform window;
    window.show();
    QTRY_COMPARE(window.explorerWindows().size(), 1);
    ScriptedResponder responder;
    auto *explorer = qobject_cast<QMdiSubWindow *>(window.explorerWindows().first()->parentWidget());
    window.clientArea->setActiveSubWindow(explorer);
    window.aFindDocExecute();
    QCOMPARE(responder.texts().size(), 1);
    QVERIFY(responder.texts()[0].startsWith("Der skal være valgt en tekstfiltype.\r"));
    QVERIFY(!findform);

    window.showFileInExplorer("C:\\Data\\brev.txt");
    window.clientArea->setActiveSubWindow(explorer);
    window.aFindDocExecute();
    QVERIFY(findform);
    QCOMPARE(findform->pageBog->currentIndex(), 0);
    QCOMPARE(responder.texts().size(), 1);

    window.showFileInExplorer("C:\\Data\\tegning.xyz");
    window.clientArea->setActiveSubWindow(explorer);
    window.aFindDocExecute();
    QCOMPARE(responder.texts().last(),
             QString("Filtypen er ikke registreret.\rDu må selv registrere filtypen, "
                     "hvis der er tale om en tekstfil."));
    QCOMPARE(findform->pageBog->currentIndex(), 1);
}

QTEST_MAIN(TestLeftPages)
#include "test_leftpages.moc"
