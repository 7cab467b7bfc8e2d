#include "app/notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QStringList>
#include <QVariantMap>

namespace {

class DesktopNotifier : public Notifier
{
public:
    bool notify(int number, const QString &title, const QString &text, const QString &soundFile) override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        const QString service = QStringLiteral("org.freedesktop.Notifications");
        if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(service))
            return false;
        QDBusInterface notifications(service, "/org/freedesktop/Notifications", service, bus);
        QVariantMap hints;
        hints.insert("sound-file", soundFile);
        hints.insert("desktop-entry", "zunkolvra");
        const QDBusMessage reply = notifications.call(
            "Notify", "zun Kolvra " + QString::number(number), uint(0), "system-file-manager", title,
            QString(text).replace(u'\r', u'\n'), QStringList(), hints, -1);
        return reply.type() == QDBusMessage::ReplyMessage;
    }
};

} // namespace

std::unique_ptr<Notifier> desktopNotifier()
{
    return std::make_unique<DesktopNotifier>();
}
