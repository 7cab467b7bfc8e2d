#include "dialogs/infform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

Tinfform::Tinfform(QWidget *parent)
    : MessageDialog(messages::ShownDialog::Information, "Information", parent)
{
    setObjectName("infform");
    Label1 = textWidget();
    Label1->setObjectName("Label1");
    BitBtn1 = new QPushButton("OK", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumWidth(88);
    m_buttonRow->insertWidget(2, BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(messages::mrOk); });
}
