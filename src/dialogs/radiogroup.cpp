#include "dialogs/radiogroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent,
                       Qt::Orientation orientation)
    : QGroupBox(title, parent)
    , m_buttons(new QButtonGroup(this))
{
    auto *layout =
        new QBoxLayout(orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(orientation == Qt::Vertical ? 2 : 12);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_buttons->addButton(button, i);
        layout->addWidget(button);
    }
    if (orientation == Qt::Horizontal)
        layout->addStretch();
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::count() const
{
    return int(m_buttons->buttons().size());
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (count() == 0)
        return;
    if (index < 0) {
        m_buttons->setExclusive(false);
        if (auto *checked = m_buttons->checkedButton())
            checked->setChecked(false);
        m_buttons->setExclusive(true);
        return;
    }
    m_buttons->button(std::min(index, count() - 1))->setChecked(true);
}

QString RadioGroup::itemText(int index) const
{
    auto *button = m_buttons->button(index);
    return button ? button->text() : QString();
}
