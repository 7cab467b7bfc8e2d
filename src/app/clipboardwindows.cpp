#include "app/clipboardwindows.h"

#include "explorer/listeform.h"
#include "fileops/klipbord.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <utility>

ClipboardWindows::ClipboardWindows(QMdiArea *area, std::function<void(const QString &)> closeTab,
                                   QObject *parent)
    : QObject(parent)
    , m_area(area)
    , m_closeTab(std::move(closeTab))
{}

Klipbord *ClipboardWindows::shared(const QString &optMappe)
{
    if (!m_shared) {
        m_shared = new Klipbord(this);
        m_shared->winformCaption = "Stifinder 1";
        create(m_shared, true, 1, optMappe);
    }
    return m_shared;
}

void ClipboardWindows::releaseShared()
{
    if (Klipbord *last = std::exchange(m_shared, nullptr)) {
        destroy(last);
        last->deleteLater();
    }
}

void ClipboardWindows::create(Klipbord *klipbord, bool shared, int number, const QString &optMappe)
{
    if (frame(klipbord))
        return;
    auto *window = new Tlisteform(klipbord, shared, number, optMappe);
    QMdiSubWindow *child = m_area->addSubWindow(window, Qt::FramelessWindowHint);
    child->setWindowTitle(window->windowTitle());
    child->hide();
    m_made.append(window);
}

void ClipboardWindows::show(Klipbord *klipbord)
{
    if (QMdiSubWindow *child = frame(klipbord)) {
        child->showMaximized();
        m_area->setActiveSubWindow(child);
    }
}

void ClipboardWindows::destroy(Klipbord *klipbord)
{
    if (QMdiSubWindow *child = frame(klipbord)) {
        m_closeTab(child->widget()->windowTitle());
        m_made.removeAll(qobject_cast<Tlisteform *>(child->widget()));
        m_area->removeSubWindow(child);
        delete child;
    }
}

QMdiSubWindow *ClipboardWindows::frame(Klipbord *klipbord) const
{
    for (const QPointer<Tlisteform> &window : m_made) {
        if (window && window->klipbord() == klipbord)
            return qobject_cast<QMdiSubWindow *>(window->parentWidget());
    }
    return nullptr;
}

int ClipboardWindows::tabPosition(const Tlisteform *window, const QStringList &tabTexts) const
{
    int position = 0;
    for (const QPointer<Tlisteform> &made : m_made) {
        if (made == window)
            break;
        if (made && tabTexts.contains(made->windowTitle()))
            ++position;
    }
    return position;
}

QList<Tlisteform *> ClipboardWindows::windows() const
{
    QList<Tlisteform *> result;
    for (const QPointer<Tlisteform> &window : m_made)
        if (window)
            result.append(window);
    return result;
}
