#include "core/messages.h"
#include "dialogs/radiogroup.h"
#include "dialogs/renameform.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using dialogs::RenameDialog;
using dialogs::ScriptedRenameAnswers;

namespace {

std::unique_ptr<RenameDialog> make(const QString &kind, QWidget *parent = nullptr)
{
    if (kind == "TextForm")
        return std::make_unique<TextForm>(parent);
    return std::make_unique<TrenameForm>(parent);
}

QStringList labelTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

} // namespace

class TestRenameForm : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void buttonHintsGoToTheHook_data() { kinds(); }
    void buttonHintsGoToTheHook();
    void enterInNewEditMovesOnToOmdoeb_data() { kinds(); }
    void enterInNewEditMovesOnToOmdoeb();
    void escapeAndCloseBoxCancel_data() { kinds(); }
    void escapeAndCloseBoxCancel();
    void centredOnTheMainWindow();
    void scriptedAnswers();

private:
    static void kinds()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("TrenameForm") << "TrenameForm";
        QTest::newRow("TextForm") << "TextForm";
    }
};

void TestRenameForm::layout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("TrenameForm") << "TrenameForm"
                                 << "Omdøb" << QStringList{"Mappe", "Navn", "Nyt navn"};
    QTest::newRow("TextForm") << "TextForm"
                              << "Omdøb filtype" << QStringList{"Mappe", "Filtype", "Ny filtype"};
}

void TestRenameForm::layout()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QStringList, labels);
    const auto dialog = make(kind);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(labelTexts(*dialog), labels);
    // Each caption names the field under it.
    const QList<QLineEdit *> fields{dialog->mappeEdit, dialog->oldEdit, dialog->newEdit};
    const QList<QLabel *> labelWidgets = dialog->findChildren<QLabel *>();
    for (qsizetype i = 0; i < labelWidgets.size(); ++i)
        QCOMPARE(labelWidgets[i]->buddy(), fields[i]);
    QVERIFY(dialog->mappeEdit->isReadOnly());
    QVERIFY(dialog->oldEdit->isReadOnly());
    QVERIFY(!dialog->newEdit->isReadOnly());
    QCOMPARE(dialog->omdoebButton->text(), QString("Omdøb"));
    QCOMPARE(dialog->annullerButton->text(), QString("Annuller"));
    QCOMPARE(dialog->minimumWidth(), 500);
    QVERIFY(dialog->width() >= 500);
    QCOMPARE(dialog->minimumHeight(), dialog->maximumHeight());
    // The fixed height holds every control.
    QVERIFY(dialog->height() >= dialog->layout()->minimumSize().height());

    if (auto *textForm = qobject_cast<TextForm *>(dialog.get())) {
        QCOMPARE(textForm->Check->objectName(), QString("Check"));
        QCOMPARE(textForm->Check->count(), 2);
        QCOMPARE(textForm->Check->itemText(0), QString("Omdøb kun filer i denne mappe"));
        QCOMPARE(textForm->Check->itemText(1), QString("Omdøb filer i denne mappe samt alle undermapper"));
        QCOMPARE(textForm->Check->itemIndex(), 0);
        QVERIFY(!textForm->alleMapper());
        textForm->Check->setItemIndex(1);
        QVERIFY(textForm->alleMapper());
    }
}

void TestRenameForm::buttonHintsGoToTheHook()
{
    QFETCH(QString, kind);
    const auto dialog = make(kind);
    QStringList hints;
    dialog->hintInfo = [&](const QString &hint) { hints << hint; };
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    for (QPushButton *button : {dialog->omdoebButton, dialog->annullerButton}) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
    }
    // Leaving a control clears the status line.
    QCOMPARE(hints, (QStringList{"Omdøb og luk boksen", "", "Annuller og luk boksen", ""}));
    // The hints are not shown as tooltips as well.
    QCOMPARE(dialog->omdoebButton->toolTip(), QString());
}

void TestRenameForm::enterInNewEditMovesOnToOmdoeb()
{
    QFETCH(QString, kind);
    const auto dialog = make(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    dialog->newEdit->setFocus();
    QVERIFY(dialog->newEdit->hasFocus());
    QTest::keyClicks(dialog->newEdit, "Nyt");
    QTest::keyClick(dialog->newEdit, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->omdoebButton->hasFocus());
    QCOMPARE(dialog->newEdit->text(), QString("Nyt"));
    // The keypad's Enter does the same.
    dialog->newEdit->setFocus();
    QTest::keyClick(dialog->newEdit, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->omdoebButton->hasFocus());
    // Enter on "Omdøb" renames.
    QTest::keyClick(dialog->omdoebButton, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), messages::mrOk);
}

void TestRenameForm::escapeAndCloseBoxCancel()
{
    QFETCH(QString, kind);
    const auto dialog = make(kind);
    QTimer::singleShot(0, dialog.get(), [&] { QTest::keyClick(dialog->newEdit, Qt::Key_Escape); });
    QCOMPARE(dialog->exec(), messages::mrCancel);
    QTimer::singleShot(0, dialog.get(), [&] { dialog->close(); });
    QCOMPARE(dialog->exec(), messages::mrCancel);
    QTimer::singleShot(0, dialog.get(), [&] { dialog->annullerButton->click(); });
    QCOMPARE(dialog->exec(), messages::mrCancel);
    QTimer::singleShot(0, dialog.get(), [&] { dialog->omdoebButton->click(); });
    QCOMPARE(dialog->exec(), messages::mrOk);
}

void TestRenameForm::centredOnTheMainWindow()
{
    QWidget main;
    main.setGeometry(100, 80, 1200, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TrenameForm dialog(&main);
    QPoint centre;
    bool focusInNewEdit = false;
    QTimer::singleShot(0, &dialog, [&] {
        centre = dialog.frameGeometry().center();
        focusInNewEdit = dialog.focusWidget() == dialog.newEdit;
        dialog.annullerButton->click();
    });
    dialog.exec();
    QVERIFY2((centre - main.frameGeometry().center()).manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(centre.x()).arg(centre.y())));
    QVERIFY(focusInNewEdit);
}

void TestRenameForm::scriptedAnswers()
{
    TrenameForm rename;
    TextForm ext;
    ScriptedRenameAnswers answers;
    answers.answerOmdoeb("Nyt navn");
    answers.answerAnnuller();
    answers.answerOmdoeb(".md", TextForm::OgsaaUndermapper);

    rename.mappeEdit->setText("C:\\Data");
    rename.oldEdit->setText("Brev.txt");
    QCOMPARE(rename.exec(), messages::mrOk);
    QCOMPARE(rename.newEdit->text(), QString("Nyt navn"));

    rename.newEdit->clear();
    QCOMPARE(rename.exec(), messages::mrCancel);

    ext.mappeEdit->setText("C:\\Data");
    ext.oldEdit->setText(".txt");
    QCOMPARE(ext.exec(), messages::mrOk);
    QCOMPARE(ext.newEdit->text(), QString(".md"));
    QVERIFY(ext.alleMapper());

    // Nothing queued: "Annuller", counted.
    QCOMPARE(ext.exec(), messages::mrCancel);
    QCOMPARE(answers.unexpected, 1);

    QCOMPARE(answers.shown.size(), 4);
    QCOMPARE(answers.shown[0].caption, QString("Omdøb"));
    QCOMPARE(answers.shown[0].mappe, QString("C:\\Data"));
    QCOMPARE(answers.shown[0].old, QString("Brev.txt"));
    QCOMPARE(answers.shown[0].check, -1);
    QCOMPARE(answers.shown[1].newText, QString());
    QCOMPARE(answers.shown[2].caption, QString("Omdøb filtype"));
    QCOMPARE(answers.shown[2].old, QString(".txt"));
    QCOMPARE(answers.shown[2].check, int(TextForm::KunDenneMappe));
    QCOMPARE(answers.shown[3].check, int(TextForm::OgsaaUndermapper));
    for (const auto &shown : answers.shown)
        QVERIFY(shown.newEditHasFocus);
}

QTEST_MAIN(TestRenameForm)
#include "test_renameform.moc"
