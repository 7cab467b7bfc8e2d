#include "dialogs/spform.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

Tspform::Tspform(QWidget *parent)
    : MessageDialog(messages::ShownDialog::Question, "Spørgsmål", parent)
{
    setObjectName("spform");
    textLabel = textWidget();
    textLabel->setObjectName("textLabel");
    alleCheck = new QCheckBox("Gør det samme med alle", this);
    alleCheck->setObjectName("alleCheck");
    alleCheck->hide();

    BitBtn1 = new QPushButton("Ja", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    annullerButton = new QPushButton("Nej", Panel1);
    annullerButton->setObjectName("annullerButton");
    for (QPushButton *button : {annullerButton, BitBtn1})
        button->setMinimumWidth(88);
    m_buttonRow->insertWidget(2, annullerButton);
    m_buttonRow->insertWidget(3, BitBtn1);
    // "Ja" first in the tab order, so it has the focus when the dialog opens.
    setTabOrder(BitBtn1, annullerButton);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(messages::mrOk); });
    connect(annullerButton, &QPushButton::clicked, this, [this] { done(messages::mrCancel); });
}

int Tspform::extraHeight() const
{
    return alleCheck->isHidden() ? 0 : kAlleCheckHeight;
}

void Tspform::prepareShow()
{
    alleCheck->setChecked(false);
    alleCheck->adjustSize();
    alleCheck->move(textArea().left(), textArea().bottom() + 1 + 6);
    BitBtn1->setFocus();
}

bool Tspform::alleCheckShown() const
{
    return !alleCheck->isHidden();
}

bool Tspform::answerAlleCheck(bool checked)
{
    alleCheck->setChecked(checked && !alleCheck->isHidden());
    return alleCheck->isChecked();
}
