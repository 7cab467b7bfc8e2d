#include "core/messages.h"
#include "dialogs/infform.h"
#include "dialogs/shared.h"
#include "dialogs/spform.h"
#include "support/headlessdialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testsupport::ScriptedResponder;

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void heightFollowsTextAndCheckBoxWidthNever();
    void answersCountOnlyJaAsYes();
    void escapeAndCloseBoxAnswerNej();
    void checkBoxIsClearedAtEveryShow();
    void closingResetsTextAndFontSize();
};

void TestDialogs::heightFollowsTextAndCheckBoxWidthNever()
{
    ScriptedResponder responder;
    responder.answerNej();
    responder.answerNej();
    responder.answerNej();
    bool forAlle = false;
    messages::ask("Skal filen slettes?");
    messages::askForAll("Skal filen slettes?", forAlle);
    messages::ask("Linje 1\rLinje 2\rLinje 3\r");
    messages::inform("Linje 1\rLinje 2\rLinje 3\r");
    messages::inform("Kort");
    const auto &shown = responder.shown;
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown[1].height - shown[0].height, 23);
    QVERIFY(shown[1].alleCheckVisible && !shown[0].alleCheckVisible);
    QVERIFY(shown[2].height > shown[0].height);
    QVERIFY(shown[3].height > shown[4].height);
    for (const auto &dialog : shown)
        QCOMPARE(dialog.width, 323);
    // Text plus 80: the one-line message is at least one line of 10-point text high.
    QVERIFY(shown[4].height >= 80 + QFontMetrics(dialogs::infform().font()).height());
    QCOMPARE(shown[2].text, QString("Linje 1\rLinje 2\rLinje 3\r"));
    QCOMPARE(responder.unexpectedQuestions, 0);
    // The check box is hidden again after the batch question.
    QVERIFY(dialogs::spform().alleCheck->isHidden());
}

void TestDialogs::answersCountOnlyJaAsYes()
{
    ScriptedResponder responder;
    responder.answerJa();
    responder.answerNej();
    QVERIFY(messages::ask("Ja?"));
    QVERIFY(!messages::ask("Nej?"));
    QVERIFY(!messages::ask("Ingen svar i køen"));
    QCOMPARE(responder.unexpectedQuestions, 1);
    QCOMPARE(responder.texts(), (QStringList{"Ja?", "Nej?", "Ingen svar i køen"}));
}

void TestDialogs::escapeAndCloseBoxAnswerNej()
{
    Tspform dialog;
    dialog.insertTekst("Lukke?");
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), messages::mrCancel);

    dialog.insertTekst("Lukke?");
    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    QCOMPARE(dialog.exec(), messages::mrCancel);

    dialog.insertTekst("Ja?");
    QTimer::singleShot(0, &dialog, [&] { dialog.BitBtn1->click(); });
    QCOMPARE(dialog.exec(), messages::mrOk);

    Tinfform info;
    info.insertTekst("Besked");
    QTimer::singleShot(0, &info, [&] { info.BitBtn1->click(); });
    QCOMPARE(info.exec(), messages::mrOk);
}

void TestDialogs::checkBoxIsClearedAtEveryShow()
{
    QList<bool> checkedAtShow;
    messages::DialogSeam::setResponder([&](const messages::ShownDialog &, bool &alleChecked) {
        checkedAtShow.append(dialogs::spform().alleCheck->isChecked());
        alleChecked = true; // the user ticks it each time
        return messages::mrOk;
    });
    bool forAlle = false;
    QVERIFY(messages::askForAll("Overskriv?", forAlle));
    QVERIFY(forAlle);
    QVERIFY(messages::askForAll("Overskriv?", forAlle));
    messages::DialogSeam::setResponder({});
    QCOMPARE(checkedAtShow, (QList<bool>{false, false}));
}

void TestDialogs::closingResetsTextAndFontSize()
{
    ScriptedResponder responder;
    messages::inform("Noget");
    QCOMPARE(dialogs::infform().tekst(), QString());
    QCOMPARE(dialogs::infform().Label1->text(), QString());
    QCOMPARE(dialogs::infform().Label1->font().pointSize(), 8);
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
