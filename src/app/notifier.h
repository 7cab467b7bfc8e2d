#pragma once
// Where the program's notifications go: the desktop's notification service when one answers.
// The main window falls back to its status line when a notifier does not deliver; tests install
// a fake.

#include <QString>
#include <memory>

class Notifier
{
public:
    virtual ~Notifier() = default;
    // Shows a notification numbered `number`; false when it could not be delivered.
    virtual bool notify(int number, const QString &title, const QString &text, const QString &soundFile) = 0;
};

// The desktop's notifications: the freedesktop service on the session bus (Linux), the
// notification area (Windows).
std::unique_ptr<Notifier> desktopNotifier();
