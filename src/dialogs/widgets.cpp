#include "dialogs/widgets.h"

#include "dialogs/radiogroup.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace widgets {

QCheckBox *check(const QString &name, const QString &caption, QWidget *parent, bool checked,
                 const QString &hint)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    if (!hint.isEmpty()) {
        box->setStatusTip(hint);
        box->setToolTip(hint);
    }
    return box;
}

RadioGroup *radio(const QString &name, const QString &title, const QStringList &items, int index,
                  QWidget *parent, Qt::Orientation orientation)
{
    auto *group = new RadioGroup(title, items, parent, orientation);
    group->setObjectName(name);
    group->setItemIndex(index);
    return group;
}

QLineEdit *field(const QString &name, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

QPushButton *pageSwitch(const QString &name, QWidget *parent)
{
    auto *button = new QPushButton("Vist", parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setChecked(true);
    button->setFixedWidth(72);
    QObject::connect(button, &QPushButton::toggled, button, [button](bool on) {
        button->setText(on ? QStringLiteral("Vist") : QStringLiteral("Skjult"));
    });
    return button;
}

QToolButton *infoButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon::fromTheme("dialog-information"));
    button->setAutoRaise(true);
    return button;
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QToolButton *actionButton(QAction *action, QWidget *parent, const ButtonLook &look)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(look.objectName.isEmpty() ? action->objectName() + "Button" : look.objectName);
    if (!look.iconName.isEmpty())
        action->setIcon(QIcon::fromTheme(look.iconName));
    button->setDefaultAction(action);
    button->setToolButtonStyle(look.style);
    button->setAutoRaise(look.style == Qt::ToolButtonIconOnly);
    if (look.iconSize.isValid())
        button->setIconSize(look.iconSize);
    return button;
}

void bindToAction(QAbstractButton *button, QAction *action)
{
    button->setEnabled(action && action->isEnabled());
    if (!action)
        return;
    QObject::connect(action, &QAction::enabledChanged, button, &QAbstractButton::setEnabled);
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}

} // namespace widgets
