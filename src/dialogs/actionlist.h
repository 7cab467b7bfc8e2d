#pragma once
// A window's commands: actions carrying their name, caption, shortcut and hint, each with an
// enabling rule. The rules are evaluated when the event loop is idle, and at once when the
// window asks for it after a long operation.

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <functional>

class QTimer;

class ActionList : public QObject
{
    Q_OBJECT
public:
    // The owner receives the actions, so their shortcuts work anywhere in it. A child window
    // among several of its kind (explorer and clipboard windows) takes its shortcuts only while
    // the focus is inside it (Qt::WidgetWithChildrenShortcut), so each acts on its own window.
    explicit ActionList(QWidget *owner, Qt::ShortcutContext context = Qt::WindowShortcut);

    QAction *add(const QString &name, const QString &caption, const QKeySequence &shortcut,
                 const QString &hint, std::function<void()> execute, std::function<bool()> enabled = {});
    QAction *action(const QString &name) const { return m_byName.value(name); }
    // Re-evaluates every enabling rule now.
    void updateAll();

private:
    QWidget *m_owner;
    Qt::ShortcutContext m_context;
    QHash<QString, QAction *> m_byName;
    QList<QPair<QAction *, std::function<bool()>>> m_rules;
    QTimer *m_idle;
};
