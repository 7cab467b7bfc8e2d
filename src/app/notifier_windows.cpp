#include "app/notifier.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace {

// Windows shows an application's notifications from its icon in the notification area: an icon
// of the notifier's own, shown while a message is up.
class TrayNotifier : public Notifier
{
public:
    bool notify(int number, const QString &title, const QString &text, const QString &soundFile) override
    {
        Q_UNUSED(soundFile); // Windows plays its own notification sound
        if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
            return false;
        if (!m_icon) {
            m_icon = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
            m_icon->setToolTip("zun Kolvra " + QString::number(number));
        }
        m_icon->show();
        m_icon->showMessage(title, QString(text).replace(u'\r', u'\n'), QSystemTrayIcon::Information);
        return true;
    }

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace

std::unique_ptr<Notifier> desktopNotifier()
{
    return std::make_unique<TrayNotifier>();
}
