#pragma once
// The clipboard windows of the main window's client area: made hidden with their clipboard,
// shown when asked for, removed with the explorer window that owns them. Keeps the shared
// clipboard of "Anvend samme klipbord", which goes with the last explorer window, and the
// order the clipboard windows were made in, which their tabs follow.

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class Klipbord;
class QMdiArea;
class QMdiSubWindow;
class Tlisteform;

class ClipboardWindows : public QObject
{
    Q_OBJECT
public:
    // `closeTab` removes a window's tab from the main window's tab bar.
    ClipboardWindows(QMdiArea *area, std::function<void(const QString &)> closeTab, QObject *parent);

    // The clipboard every explorer window uses while sharing is on; made with its window on
    // first use.
    Klipbord *shared(const QString &optMappe);
    bool hasShared() const { return m_shared != nullptr; }
    // Removes the shared clipboard and its window.
    void releaseShared();

    void create(Klipbord *klipbord, bool shared, int number, const QString &optMappe);
    void show(Klipbord *klipbord);
    void destroy(Klipbord *klipbord);
    QMdiSubWindow *frame(Klipbord *klipbord) const;

    // Where the tab of `window` goes in a bar holding `tabTexts`: after the tabs of the clipboard
    // windows made before it.
    int tabPosition(const Tlisteform *window, const QStringList &tabTexts) const;
    // The clipboard windows, in the order they were made.
    QList<Tlisteform *> windows() const;

private:
    QMdiArea *m_area;
    std::function<void(const QString &)> m_closeTab;
    Klipbord *m_shared = nullptr; // a child of this object
    QList<QPointer<Tlisteform>> m_made;
};
