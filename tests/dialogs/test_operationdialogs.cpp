#include "core/messages.h"
#include "dialogs/deleteform.h"
#include "dialogs/existsform.h"
#include "dialogs/kopieringsform.h"
#include "dialogs/operationdialogs.h"
#include "dialogs/progressform.h"
#include "dialogs/radiogroup.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

using messages::ShownDialog;
using testsupport::ScriptedResponder;

namespace {
const QString kOptFil = "C:\\zunKolvra\\Tester\\Egenskaber\\Spm_kopiering.txt";
}

class TestOperationDialogs : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void optionsFile_data();
    void optionsFile();
    void changedSizesAreSavedAndReadBack();
    void resizeButtonsStopAtTheirLimits();
    void confirmationTextsAndAnswers_data();
    void confirmationTextsAndAnswers();
    void deleteAfterMoveKeepsTheMovePicture();
    void clashStateRule_data();
    void clashStateRule();
    void clashRuleFollowsTheUsersClicks();
    void eachEngineGetsItsOwnPair();
    void headlessQuestionsAnswerThroughTheSeam();
    void eachEngineGetsItsOwnDeleteWindow();
    void stopRaisesTheFlagAndShowingClearsIt();
    void progressTexts_data();
    void progressTexts();
    void deleteFormTexts_data();
    void deleteFormTexts();
};

void TestOperationDialogs::optionsFile_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("mappePanel");
    QTest::addColumn<int>("filPanel");

    QTest::newRow("no file: design sizes") << QByteArray() << 591 << 285 << 285;
    QTest::newRow("saved sizes") << QByteArray("731\r\n400\r\n") << 731 << 310 << 400;
    QTest::newRow("not a number: design sizes") << QByteArray("bred\r\n400\r\n") << 591 << 285 << 285;
    QTest::newRow("one line: design sizes") << QByteArray("731\r\n") << 591 << 285 << 285;
    QTest::newRow("three lines: design sizes") << QByteArray("731\r\n400\r\n1\r\n") << 591 << 285 << 285;
    QTest::newRow("too narrow: held at 415") << QByteArray("100\r\n200\r\n") << 415 << 194 << 200;
    QTest::newRow("file list wider than the box") << QByteArray("600\r\n5000\r\n") << 600 << 0 << 579;
    QTest::newRow("negative file list") << QByteArray("600\r\n-40\r\n") << 600 << 579 << 0;
}

void TestOperationDialogs::optionsFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, width);
    QFETCH(int, mappePanel);
    QFETCH(int, filPanel);
    TestDrives drives;
    if (!file.isEmpty())
        drives.writeBytes(kOptFil, file);
    Tkopieringsform dialog(kOptFil);
    QCOMPARE(dialog.width(), width);
    QCOMPARE(dialog.mappePanelBredde(), mappePanel);
    QCOMPARE(dialog.filPanelBredde(), filPanel);
    QCOMPARE(dialog.height(), 350);
    // Only read: a dialog that was not resized leaves the file as it was.
    ScriptedResponder responder;
    responder.answerJa();
    QVERIFY(dialog.skalElementerKopieres("D:\\", false, {"C:\\a.txt"}, {}));
    QCOMPARE(drives.readBytes(kOptFil), file);
}

void TestOperationDialogs::changedSizesAreSavedAndReadBack()
{
    TestDrives drives;
    QVERIFY(QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber")));
    {
        Tkopieringsform dialog(kOptFil);
        dialog.udfold();
        ScriptedResponder responder;
        responder.answerNej();
        QVERIFY(!dialog.skalElementerSlettes({"C:\\a.txt"}, {}, true));
    }
    QCOMPARE(drives.readBytes(kOptFil), QByteArray("731\r\n355\r\n"));
    Tkopieringsform again(kOptFil);
    QCOMPARE(again.width(), 731);
    QCOMPARE(again.mappePanelBredde(), 355);
    QCOMPARE(again.filPanelBredde(), 355);

    // gemOpt writes the two lines as they stand.
    again.sammenfold();
    again.sammenfold();
    again.gemOpt();
    QCOMPARE(drives.readBytes(kOptFil), QByteArray("451\r\n215\r\n"));
}

void TestOperationDialogs::resizeButtonsStopAtTheirLimits()
{
    TestDrives drives;
    Tkopieringsform dialog(kOptFil);
    QAction *udfold = dialog.udfoldButton->defaultAction();
    QAction *sammenfold = dialog.sammenfoldButton->defaultAction();
    QCOMPARE(udfold->toolTip(), QString("Gør boksen større"));
    QCOMPARE(sammenfold->toolTip(), QString("Gør boksen mindre"));

    QList<int> widths;
    while (sammenfold->isEnabled()) {
        sammenfold->trigger();
        widths.append(dialog.width());
        QCOMPARE(dialog.mappePanelBredde(), (dialog.width() - 21) / 2);
        QCOMPARE(dialog.mappePanelBredde() + dialog.filPanelBredde(), dialog.width() - 21);
    }
    // 451 is still above 415, but the box never gets narrower than 415.
    QCOMPARE(widths, (QList<int>{451, 415}));
    dialog.sammenfold();
    QCOMPARE(dialog.width(), 415);

    widths.clear();
    while (udfold->isEnabled()) {
        udfold->trigger();
        widths.append(dialog.width());
    }
    QCOMPARE(widths, (QList<int>{555, 695, 835, 975, 1115, 1255, 1395, 1535, 1675}));
    QVERIFY(sammenfold->isEnabled());
    QCOMPARE(dialog.mappePanelBredde(), 827);
}

void TestOperationDialogs::confirmationTextsAndAnswers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("ja");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("picture");

    QTest::newRow("copy, Ja") << "copy" << true << "Kopiering af elementer"
                              << "Skal valgte elementer kopieres?"
                              << "D:\\Mål" << 2;
    QTest::newRow("copy, Nej") << "copy" << false << "Kopiering af elementer"
                               << "Skal valgte elementer kopieres?"
                               << "D:\\Mål" << 2;
    QTest::newRow("move, Ja") << "move" << true << "Flytning af elementer"
                              << "Skal valgte elementer flyttes?"
                              << "D:\\Mål" << 7;
    QTest::newRow("to the recycle bin") << "bin" << true << "Sletning af elementer"
                                        << "Skal udvalgte elementer slettes?"
                                        << "Papirkurv" << 2;
    QTest::newRow("permanently, Nej") << "permanent" << false << "Sletning af elementer"
                                      << "Skal udvalgte elementer slettes?"
                                      << "Ingen: Elementerne slettes permanent." << 2;
}

void TestOperationDialogs::confirmationTextsAndAnswers()
{
    QFETCH(QString, kind);
    QFETCH(bool, ja);
    TestDrives drives;
    Tkopieringsform dialog(kOptFil);
    const QStringList files{"C:\\b.txt", "C:\\a æøå.txt"};
    const QStringList folders{"C:\\Zeta", "C:\\Alfa"};
    ScriptedResponder responder;
    ja ? responder.answerJa() : responder.answerNej();
    bool answer = false;
    if (kind == "copy" || kind == "move")
        answer = dialog.skalElementerKopieres("D:\\Mål", kind == "move", files, folders);
    else
        answer = dialog.skalElementerSlettes(files, folders, kind == "bin");
    QFETCH(QString, caption);
    QFETCH(QString, question);
    QFETCH(QString, destination);
    QFETCH(int, picture);
    QCOMPARE(answer, ja);
    QCOMPARE(responder.shown.size(), 1);
    const ShownDialog &shown = responder.shown.first();
    QCOMPARE(shown.kind, ShownDialog::Confirmation);
    QCOMPARE(shown.caption, caption);
    QCOMPARE(shown.text, question);
    QCOMPARE(shown.destination, destination);
    // In the order given, not sorted.
    QCOMPARE(shown.files, files);
    QCOMPARE(shown.folders, folders);
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.LabelSpm->text(), question);
    QCOMPARE(dialog.EditDest->text(), destination);
    QCOMPARE(dialog.billede(), picture);
    QCOMPARE(responder.unexpectedQuestions, 0);
}

void TestOperationDialogs::deleteAfterMoveKeepsTheMovePicture()
{
    TestDrives drives;
    Tkopieringsform dialog(kOptFil);
    ScriptedResponder responder;
    responder.answerJa();
    responder.answerJa();
    responder.answerJa();
    dialog.skalElementerKopieres("D:\\", true, {"C:\\a.txt"}, {});
    dialog.skalElementerSlettes({"C:\\a.txt"}, {}, false);
    QCOMPARE(dialog.billede(), 7);
    dialog.skalElementerKopieres("D:\\", false, {"C:\\a.txt"}, {});
    QCOMPARE(dialog.billede(), 2);
    // The lists are refilled, not added to.
    QCOMPARE(dialog.FilListe->count(), 1);
    // An unanswered confirmation is a "Nej".
    QVERIFY(!dialog.skalElementerSlettes({}, {"C:\\Mappe"}, true));
    QCOMPARE(responder.unexpectedQuestions, 1);
}

void TestOperationDialogs::clashStateRule_data()
{
    // The user's first answer, what the engine reads, and how the dialog opens the next time.
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("leaveChecked"); // -1: the box as the click left it
    QTest::addColumn<int>("handling");
    QTest::addColumn<bool>("overskriv");

    QTest::newRow("OK at once") << -1 << -1 << 3 << true;
    QTest::newRow("OK, this one not") << -1 << 0 << 3 << false;
    QTest::newRow("Overskriv ingen") << 0 << -1 << 0 << false;
    QTest::newRow("Overskriv alle") << 1 << -1 << 1 << false;
    QTest::newRow("Opret kopier, box ticked again") << 2 << 1 << 2 << true;
    QTest::newRow("Spørg hver gang") << 3 << -1 << 3 << true;
}

void TestOperationDialogs::clashStateRule()
{
    QFETCH(int, click);
    QFETCH(int, leaveChecked);
    QFETCH(int, handling);
    QFETCH(bool, overskriv);
    TExistsForm dialog;
    ScriptedResponder responder;
    responder.answerClash(click, leaveChecked < 0 ? std::nullopt : std::optional<bool>(leaveChecked == 1));
    responder.answerClash(-1);
    const messages::ClashResult first = dialog.askUser("D:\\Mål", "a.txt");
    QCOMPARE(first.handling, handling);
    QCOMPARE(first.overskriv, overskriv);
    const messages::ClashResult second = dialog.askUser("D:\\Mål", "b.txt");

    QCOMPARE(responder.shown.size(), 2);
    const ShownDialog &opened = responder.shown[0];
    QCOMPARE(opened.kind, ShownDialog::Clash);
    QCOMPARE(opened.caption, QString("Bestem handling"));
    QCOMPARE(opened.text, QString("a.txt"));
    QCOMPARE(opened.destination, QString("D:\\Mål"));
    QCOMPARE(opened.handling, 3);
    QVERIFY(opened.overskrivChecked);
    // The choice is kept; the box is checked exactly when "Spørg hver gang" is chosen.
    QCOMPARE(responder.shown[1].handling, handling);
    QCOMPARE(responder.shown[1].overskrivChecked, handling == 3);
    QCOMPARE(second.handling, handling);
    QCOMPARE(second.overskriv, handling == 3);
    QCOMPARE(dialog.filEdit->text(), QString("b.txt"));
    QCOMPARE(dialog.height(), 320);
    QVERIFY(dialog.width() >= 410);
}

void TestOperationDialogs::clashRuleFollowsTheUsersClicks()
{
    TExistsForm dialog;
    const auto buttons = dialog.resultBox->findChildren<QRadioButton *>();
    QCOMPARE(buttons.size(), 4);
    QCOMPARE(dialog.resultBox->itemText(2), QString("Opret kopier"));
    QVERIFY(dialog.checkOverskriv->isChecked());
    for (int i : {1, 3, 0, 3, 2}) {
        buttons[i]->click();
        QCOMPARE(dialog.handling(), i);
        QCOMPARE(dialog.overskriv(), i == 3);
    }
}

void TestOperationDialogs::eachEngineGetsItsOwnPair()
{
    TestDrives drives;
    QWidget mainWindow;
    dialogs::installOperationDialogs(&mainWindow, "C:\\zunKolvra\\Tester\\Egenskaber");
    drives.writeBytes(kOptFil, "871\r\n300\r\n");
    auto paste = messages::makeOperationQuestions();
    auto other = messages::makeOperationQuestions();
    auto &pair = static_cast<dialogs::OperationDialogs &>(*paste);
    QCOMPARE(pair.kopieringsform().optFilnavn, kOptFil);
    QCOMPARE(pair.kopieringsform().width(), 871);
    QCOMPARE(pair.kopieringsform().parentWidget(), &mainWindow);

    ScriptedResponder responder;
    responder.answerClash(1);
    responder.answerClash(-1);
    responder.answerClash(-1);
    QCOMPARE(paste->askUser("D:\\", "a.txt").handling, 1);
    QCOMPARE(paste->askUser("D:\\", "b.txt").handling, 1);
    QCOMPARE(other->askUser("D:\\", "c.txt").handling, 3);
    responder.answerJa();
    QVERIFY(paste->skalElementerKopieres("D:\\", false, {"C:\\a.txt"}, {}));
    m_dialogs.install();
}

void TestOperationDialogs::eachEngineGetsItsOwnDeleteWindow()
{
    TestDrives drives;
    QWidget mainWindow;
    dialogs::installOperationDialogs(&mainWindow, "C:\\zunKolvra\\Tester\\Egenskaber");
    auto view = messages::makeDeleteProgressView();
    auto other = messages::makeDeleteProgressView();
    auto &shown = dynamic_cast<dialogs::DeleteFormView &>(*view);
    Tdeleteform *form = shown.form();
    QVERIFY(form);
    QVERIFY(form != dynamic_cast<dialogs::DeleteFormView &>(*other).form());
    QCOMPARE(form->parentWidget(), &mainWindow);

    view->setHeading("Vedvarende sletning: 3,45 MB");
    view->setFolderCaption("Følgende 2 mapper slettes:");
    view->addFolder("C:\\Foto");
    view->addFolder("C:\\Musik");
    view->checkFolder(1);
    view->setBar(42);
    view->setPercent("42%");
    view->setRemaining("1.234 (2,00 MB)");
    view->setInfo("Antal filer: 7");
    QCOMPARE(form->destLabel->text(), QString("Vedvarende sletning: 3,45 MB"));
    QCOMPARE(form->mapperLabel->text(), QString("Følgende 2 mapper slettes:"));
    QCOMPARE(form->listbox->count(), 2);
    QCOMPARE(form->listbox->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(form->listbox->item(1)->checkState(), Qt::Checked);
    QCOMPARE(form->proBar->value(), 42);
    QCOMPARE(form->LabelProcent->text(), QString("42%"));
    QCOMPARE(form->LabelResterende->text(), QString("1.234 (2,00 MB)"));
    QCOMPARE(form->LabelInfo->text(), QString("Antal filer: 7"));
    view->clearFolders();
    QCOMPARE(form->listbox->count(), 0);

    view->showWindow();
    QVERIFY(form->isVisible());
    QVERIFY(!form->isModal());
    view->closeWindow();
    QVERIFY(!form->isVisible());
    m_dialogs.install();
}

void TestOperationDialogs::headlessQuestionsAnswerThroughTheSeam()
{
    auto questions = messages::makeOperationQuestions();
    // No user at all: nothing is confirmed and nothing overwritten.
    QVERIFY(!questions->skalElementerKopieres("D:\\", false, {"C:\\a.txt"}, {}));
    const messages::ClashResult none = questions->askUser("D:\\", "a.txt");
    QCOMPARE(none.handling, 0);
    QVERIFY(!none.overskriv);

    ScriptedResponder responder;
    responder.answerJa();
    responder.answerClash(2);
    responder.answerClash(-1);
    QVERIFY(questions->skalElementerSlettes({"C:\\a.txt"}, {}, false));
    QCOMPARE(responder.shown[0].destination, QString("Ingen: Elementerne slettes permanent."));
    QCOMPARE(questions->askUser("D:\\", "a.txt").handling, 2);
    const messages::ClashResult kept = questions->askUser("D:\\", "b.txt");
    QCOMPARE(kept.handling, 2);
    QVERIFY(!kept.overskriv);
    QCOMPARE(responder.unexpectedQuestions, 0);
}

void TestOperationDialogs::stopRaisesTheFlagAndShowingClearsIt()
{
    Tprogressform progress;
    QCOMPARE(progress.windowTitle(), QString("Kopierer mapper og filer"));
    QCOMPARE(progress.size(), QSize(400, 362));
    QCOMPARE(progress.stopButton->text(), QString("Stop"));
    QCOMPARE(progress.stopButton->toolTip(),
             QString("Stop processen på eget ansvar.\nKopieringen er muligvist ikke gennemført."));
    QVERIFY(!(progress.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(progress.windowFlags() & Qt::WindowStaysOnTopHint);

    progress.show();
    QVERIFY(!progress.FCancel);
    progress.stopButton->click();
    QVERIFY(progress.FCancel);
    QVERIFY(progress.isCancelled());
    // Still shown: the flag stays until the next showing.
    progress.show();
    QVERIFY(progress.isCancelled());
    progress.hide();
    progress.show();
    QVERIFY(!progress.FCancel);
}

void TestOperationDialogs::progressTexts_data()
{
    QTest::addColumn<int>("folders");
    QTest::addColumn<QString>("source");
    QTest::newRow("none") << 0 << "Der kopieres 0 mapper:";
    QTest::newRow("one") << 1 << "Der kopieres 1 mappe:";
    QTest::newRow("two") << 2 << "Der kopieres 2 mapper:";
    QTest::newRow("many") << 1500 << "Der kopieres 1500 mapper:";
}

void TestOperationDialogs::progressTexts()
{
    QFETCH(int, folders);
    QFETCH(QString, source);
    Tprogressform progress;
    QCOMPARE(progress.LabelInfo->text(), QString("Kopierings information"));
    QCOMPARE(progress.kildeLabel->text(), QString("Kildemapper"));
    QCOMPARE(progress.LabelProcent->text(), QString("0%"));
    QVERIFY(progress.infoBar->findChildren<QLabel *>().first()->text() == " Indlæste mapper");

    progress.tilfoejMappe("C:\\Gammel");
    progress.LabelProcent->setText("50%");
    progress.pBarAll->setValue(50);
    progress.infoLabel->setText("1 fil blev ikke overskrevet.");
    progress.nulstil("D:\\Mål", folders);
    QCOMPARE(progress.kildeLabel->text(), source);
    QCOMPARE(progress.LabelProcent->text(), QString("0%"));
    QCOMPARE(progress.LabelInfo->text(), QString());
    QCOMPARE(progress.infoLabel->text(), QString());
    QCOMPARE(progress.destinationEdit->text(), QString("D:\\Mål"));
    QCOMPARE(progress.pBarAll->value(), 0);
    QCOMPARE(progress.listbox->count(), 0);

    progress.tilfoejMappe("C:\\Alfa");
    progress.tilfoejMappe("C:\\Beta");
    progress.markerMappe(1);
    progress.markerMappe(7);
    QCOMPARE(progress.listbox->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(progress.listbox->item(1)->checkState(), Qt::Checked);
    QVERIFY(!progress.listbox->isEnabled());
    progress.setIndlaesteMapper(12);
    QCOMPARE(progress.indlaesteMapper(), QString("12"));
}

void TestOperationDialogs::deleteFormTexts_data()
{
    QTest::addColumn<int>("folders");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("mapper");
    QTest::newRow("none, recycle bin") << 0 << "Papirkurvs sletning"
                                       << "Følgende 0 mapper slettes:";
    QTest::newRow("one, permanent") << 1 << "Vedvarende sletning"
                                    << "Følgende 1 mappe slettes:";
    QTest::newRow("three") << 3 << "Papirkurvs sletning"
                           << "Følgende 3 mapper slettes:";
}

void TestOperationDialogs::deleteFormTexts()
{
    QFETCH(int, folders);
    QFETCH(QString, heading);
    QFETCH(QString, mapper);
    Tdeleteform form;
    QCOMPARE(form.windowTitle(), QString("Sletter mapper og filer"));
    QCOMPARE(form.size(), QSize(384, 299));
    QCOMPARE(form.destLabel->text(), QString("Der slettes til papirkurv / Sletningen er permanent"));
    QCOMPARE(form.mapperLabel->text(), QString("Følgende mapper slettes"));
    QCOMPARE(form.LabelInfo->text(), QString("Kopierings information"));

    form.tilfoejMappe("C:\\Gammel");
    form.proBar->setValue(80);
    form.LabelResterende->setText("3 (1,00 KB)");
    form.nulstil(heading, folders);
    QCOMPARE(form.destLabel->text(), heading);
    QCOMPARE(form.mapperLabel->text(), mapper);
    QCOMPARE(form.LabelProcent->text(), QString("0%"));
    QCOMPARE(form.LabelResterende->text(), QString());
    QCOMPARE(form.LabelInfo->text(), QString());
    QCOMPARE(form.proBar->value(), 0);
    QCOMPARE(form.listbox->count(), 0);
    form.tilfoejMappe("C:\\Alfa");
    form.markerMappe(0);
    QCOMPARE(form.listbox->item(0)->checkState(), Qt::Checked);
}

QTEST_MAIN(TestOperationDialogs)
#include "test_operationdialogs.moc"
