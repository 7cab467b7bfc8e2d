#include "core/messages.h"
#include "dialogs/infform.h"
#include "dialogs/shared.h"
#include "dialogs/spform.h"
#include "support/headlessdialogs.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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
    void longTextsWrapAndNeverPassTheScreen_data();
    void longTextsWrapAndNeverPassTheScreen();
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

void TestDialogs::longTextsWrapAndNeverPassTheScreen_data()
{
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<bool>("scrolls");
    const QString path = "C:\\Users\\Søren\\Documents\\Regnskaber_og_kvitteringer_for_hele_familien_2019-2024"
                         "\\Sommerhuset_ved_Skagen\\Elregninger_med_tilhørende_bilag.xlsx";
    QTest::newRow("a long path") << "Filen \"" + path +
                                        "\" kunne ikke gemmes.\rDen tidligere udgave af filen er bevaret.\r"
                                 << false;
    QString folders;
    for (int i = 1; i <= 40; ++i)
        folders +=
            QString("Linje %1: mappen \"E:\\Foto\\Sommerferie 2019\\Skagen\\Dag %1\" findes ikke.\r").arg(i);
    QTest::newRow("forty lines") << "Strukturen \"Ferie\" er åbnet uden:\r" + folders +
                                        "Strukturfilen er ikke ændret.\r"
                                 << true;
    QTest::newRow("one very long word") << QString(3000, u'x') << true;
}

// Shown for real: every line of the text fits the width (nothing cut at the right edge), the
// dialog is no taller than the screen, and the OK button is inside it.
void TestDialogs::longTextsWrapAndNeverPassTheScreen()
{
    QFETCH(QString, tekst);
    QFETCH(bool, scrolls);
    Tinfform info;
    info.insertTekst(tekst);
    QStringList lines;
    int widest = 0;
    int width = 0;
    int scrollRange = 0;
    QRect button;
    QPixmap picture;
    auto *scrollArea = info.findChild<QScrollArea *>("tekstOmraade");
    QVERIFY(scrollArea);
    QTimer::singleShot(0, &info, [&] {
        lines = info.Label1->text().split(u'\n');
        const QFontMetrics metrics(info.Label1->font());
        for (const QString &line : std::as_const(lines))
            widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
        width = scrollArea->viewport()->width();
        scrollRange = scrollArea->verticalScrollBar()->maximum();
        button = QRect(info.BitBtn1->mapTo(&info, QPoint(0, 0)), info.BitBtn1->size());
        picture = info.grab();
        info.BitBtn1->click();
    });
    QCOMPARE(info.exec(), messages::mrOk);
    QVERIFY2(widest <= width, qPrintable(QString("%1 > %2").arg(widest).arg(width)));
    // Only line breaks were added: no character is lost.
    QCOMPARE(lines.join(QString()).remove(u' '), QString(tekst).remove(u'\r').remove(u' '));
    const int screenHeight = QGuiApplication::primaryScreen()->availableGeometry().height();
    QVERIFY2(picture.height() <= screenHeight, qPrintable(QString::number(picture.height())));
    QVERIFY(QRect(QPoint(0, 0), picture.size()).contains(button));
    QCOMPARE(scrollRange > 0, scrolls);
    const QString folder = qEnvironmentVariable("ZUN_SKAERMBILLEDER");
    if (!folder.isEmpty())
        picture.save(folder + "/besked-" + QString(QTest::currentDataTag()).replace(u' ', u'-') + ".png");
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
