#include "dialogs/actionlist.h"

#include <QTimer>
#include <QWidget>

namespace {
// Often enough that a button follows the state at once to the eye, rarely enough to cost nothing.
constexpr int kIdleIntervalMs = 150;
} // namespace

ActionList::ActionList(QWidget *owner, Qt::ShortcutContext context)
    : QObject(owner)
    , m_owner(owner)
    , m_context(context)
    , m_idle(new QTimer(this))
{
    m_idle->setInterval(kIdleIntervalMs);
    connect(m_idle, &QTimer::timeout, this, &ActionList::updateAll);
    m_idle->start();
}

QAction *ActionList::add(const QString &name, const QString &caption, const QKeySequence &shortcut,
                         const QString &hint, std::function<void()> execute, std::function<bool()> enabled)
{
    auto *action = new QAction(caption, m_owner);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(m_context);
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    if (execute)
        connect(action, &QAction::triggered, this, [execute = std::move(execute)] { execute(); });
    // Rules are first evaluated once the window is built (updateAll), never here.
    if (enabled)
        m_rules.append({action, std::move(enabled)});
    m_owner->addAction(action);
    m_byName.insert(name, action);
    return action;
}

void ActionList::updateAll()
{
    for (const auto &[action, enabled] : m_rules)
        action->setEnabled(enabled());
}
