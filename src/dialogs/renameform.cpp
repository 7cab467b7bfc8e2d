#include "dialogs/renameform.h"

#include "core/messages.h"
#include "dialogs/radiogroup.h"
#include "dialogs/widgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace dialogs {

namespace {

RenameDialog::Responder &responderSlot()
{
    static RenameDialog::Responder responder;
    return responder;
}

QPushButton *button(const QString &name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *result = new QPushButton(caption, parent);
    result->setObjectName(name);
    // The hint goes to the status line only, as every hint does while the dialog is open.
    result->setStatusTip(hint);
    result->setMinimumWidth(88);
    return result;
}

} // namespace

void RenameDialog::setResponder(Responder responder)
{
    responderSlot() = std::move(responder);
}

RenameDialog::RenameDialog(const QString &name, const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    m_layout->setContentsMargins(10, 10, 10, 10);
    m_layout->setSpacing(4);

    mappeEdit = widgets::field("mappeEdit", QString(), this);
    oldEdit = widgets::field("oldEdit", QString(), this);
    newEdit = new QLineEdit(this);
    newEdit->setObjectName("newEdit");
    newEdit->installEventFilter(this);
    omdoebButton = button("omdoebButton", "Omdøb", "Omdøb og luk boksen", this);
    omdoebButton->setDefault(true);
    annullerButton = button("annullerButton", "Annuller", "Annuller og luk boksen", this);
    connect(omdoebButton, &QPushButton::clicked, this, [this] { done(messages::mrOk); });
    connect(annullerButton, &QPushButton::clicked, this, [this] { done(messages::mrCancel); });
}

void RenameDialog::addField(const QString &caption, QLineEdit *field)
{
    auto *label = new QLabel(caption, this);
    label->setBuddy(field);
    m_layout->addWidget(label);
    m_layout->addWidget(field);
}

void RenameDialog::finish()
{
    m_layout->addSpacing(8);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(omdoebButton);
    buttons->addWidget(annullerButton);
    m_layout->addLayout(buttons);
    setTabOrder(newEdit, omdoebButton);
    setTabOrder(omdoebButton, annullerButton);

    setMinimumWidth(kMinimumWidth);
    setFixedHeight(sizeHint().height());
    resize(std::max(kMinimumWidth, sizeHint().width()), height());
}

int RenameDialog::exec()
{
    newEdit->setFocus();
    if (const Responder &responder = responderSlot()) {
        setResult(messages::mrCancel);
        const int result = responder(*this);
        setResult(result);
        return result;
    }
    QWidget *centreOn = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    const QRect area = centreOn ? centreOn->frameGeometry() : screen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
    return QDialog::exec();
}

void RenameDialog::reject()
{
    done(messages::mrCancel);
}

bool RenameDialog::event(QEvent *event)
{
    // A dialog is a window of its own: its controls' hints would stop here and never reach
    // the main window's status line.
    if (event->type() == QEvent::StatusTip) {
        if (hintInfo)
            hintInfo(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

bool RenameDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter after typing the name goes on to "Omdøb" rather than renaming at once: one more
    // Enter confirms.
    if (watched == newEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            omdoebButton->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

ScriptedRenameAnswers::ScriptedRenameAnswers()
{
    RenameDialog::setResponder([this](RenameDialog &dialog) {
        Shown now;
        now.caption = dialog.windowTitle();
        now.mappe = dialog.mappeEdit->text();
        now.old = dialog.oldEdit->text();
        now.newText = dialog.newEdit->text();
        now.newEditHasFocus = dialog.focusWidget() == dialog.newEdit;
        auto *textForm = qobject_cast<TextForm *>(&dialog);
        if (textForm)
            now.check = textForm->Check->itemIndex();
        shown.append(now);
        if (m_answers.isEmpty()) {
            ++unexpected;
            dialog.annullerButton->click();
            return dialog.result();
        }
        const Answer answer = m_answers.takeFirst();
        if (!answer.omdoeb) {
            dialog.annullerButton->click();
            return dialog.result();
        }
        dialog.newEdit->setText(answer.newName);
        if (textForm && answer.check >= 0)
            textForm->Check->setItemIndex(answer.check);
        dialog.omdoebButton->click();
        return dialog.result();
    });
}

ScriptedRenameAnswers::~ScriptedRenameAnswers()
{
    RenameDialog::setResponder({});
}

} // namespace dialogs

TrenameForm::TrenameForm(QWidget *parent)
    : RenameDialog("renameForm", "Omdøb", parent)
{
    addField("Mappe", mappeEdit);
    addField("Navn", oldEdit);
    addField("Nyt navn", newEdit);
    finish();
}

TextForm::TextForm(QWidget *parent)
    : RenameDialog("extForm", "Omdøb filtype", parent)
{
    addField("Mappe", mappeEdit);
    m_layout->addSpacing(4);
    Check =
        widgets::radio("Check", QString(),
                       {"Omdøb kun filer i denne mappe", "Omdøb filer i denne mappe samt alle undermapper"},
                       KunDenneMappe, this);
    m_layout->addWidget(Check);
    addField("Filtype", oldEdit);
    addField("Ny filtype", newEdit);
    finish();
}

bool TextForm::alleMapper() const
{
    return Check->itemIndex() == OgsaaUndermapper;
}
