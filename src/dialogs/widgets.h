#pragma once
// The small widget factories every window uses: named controls made in one line, and the one
// way a command's button is built.

#include <QSize>
#include <QString>
#include <QStringList>
#include <Qt>
#include <utility>

class QAbstractButton;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class RadioGroup;

namespace widgets {

// A check box named `name`; a hint given goes to the status line and the tooltip.
QCheckBox *check(const QString &name, const QString &caption, QWidget *parent, bool checked = false,
                 const QString &hint = QString());
RadioGroup *radio(const QString &name, const QString &title, const QStringList &items, int index,
                  QWidget *parent, Qt::Orientation orientation = Qt::Vertical);
// A read-only text field.
QLineEdit *field(const QString &name, const QString &text, QWidget *parent);
// A page switch: "Vist" when on, "Skjult" when off.
QPushButton *pageSwitch(const QString &name, QWidget *parent);
QToolButton *infoButton(const QString &name, QWidget *parent);
// A wrapped explanatory text.
QLabel *note(const QString &text, QWidget *parent);

// How a command's button looks.
struct ButtonLook
{
    ButtonLook(QString icon = {}, Qt::ToolButtonStyle buttonStyle = Qt::ToolButtonIconOnly, QSize size = {},
               QString name = {})
        : iconName(std::move(icon))
        , style(buttonStyle)
        , iconSize(size)
        , objectName(std::move(name))
    {}
    QString iconName;          // set on the action when given
    Qt::ToolButtonStyle style; // picture only: raised on hover
    QSize iconSize;            // the style's default when empty
    QString objectName;        // the action's name + "Button" when empty
};
// A tool button that carries `action`: its caption, picture, hint, enabled state and shortcut.
QToolButton *actionButton(QAction *action, QWidget *parent, const ButtonLook &look = {});
// A button of its own caption that runs `action` and is enabled exactly while the action is;
// without an action it stays disabled.
void bindToAction(QAbstractButton *button, QAction *action);

} // namespace widgets
