#include "dialogs/radiogroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent,
                       Qt::Orientation orientation)
    : QGroupBox(title, parent)
    , m_buttons(new QButtonGroup(this))
    , m_items(items)
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
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            emit itemIndexChanged(id);
    });
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
    return m_items.value(index);
}

void RadioGroup::setWordWrap(bool on)
{
    if (!on)
        return;
    auto *column = qobject_cast<QBoxLayout *>(layout());
    for (int i = 0; i < count(); ++i) {
        QAbstractButton *button = m_buttons->button(i);
        column->removeWidget(button);
        button->setText(QString());
        button->setAccessibleName(m_items.at(i));
        auto *text = new QLabel(m_items.at(i), this);
        text->setWordWrap(true);
        text->setProperty("radioIndex", i);
        text->installEventFilter(this);
        auto *row = new QHBoxLayout;
        row->addWidget(button, 0, Qt::AlignTop);
        row->addWidget(text, 1);
        column->insertLayout(i, row);
    }
}

void RadioGroup::setColumns(int columns)
{
    if (columns < 2 || count() == 0)
        return;
    const QMargins margins = layout()->contentsMargins();
    delete layout();
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(margins);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    const int rows = (count() + columns - 1) / columns;
    for (int i = 0; i < count(); ++i)
        grid->addWidget(m_buttons->button(i), i % rows, i / rows);
}

bool RadioGroup::eventFilter(QObject *watched, QEvent *event)
{
    // A click on a wrapped text chooses its item, as a click on a button's own text would.
    if (event->type() == QEvent::MouseButtonRelease && watched->property("radioIndex").isValid()) {
        if (QAbstractButton *button = m_buttons->button(watched->property("radioIndex").toInt()))
            button->click();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}
