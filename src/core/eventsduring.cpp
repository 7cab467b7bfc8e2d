#include "core/eventsduring.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

namespace core {

void whileProcessingEvents(const std::function<void()> &work, QEventLoop::ProcessEventsFlags flags,
                           const std::function<void()> &meanwhile)
{
    QCoreApplication *app = QCoreApplication::instance();
    bool inPlace = !app || QThread::currentThread() != app->thread();
#ifdef Q_OS_WIN
    // The Windows dispatcher holds back input while it is excluded, and keys typed meanwhile
    // were lost (seen under Wine: a type-ahead and F2 right after a paste): there such work
    // runs in place, as before, and the keys wait in the system's queue.
    inPlace = inPlace || flags.testFlag(QEventLoop::ExcludeUserInputEvents);
#endif
    if (inPlace) {
        work();
        return;
    }
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        // Wakes the waiting thread, should it wait for events just now.
        QMetaObject::invokeMethod(
            app, [] {}, Qt::QueuedConnection);
    });
    QTimer timer;
    if (meanwhile) {
        QObject::connect(&timer, &QTimer::timeout, meanwhile);
        timer.start(50);
    }
    // As the engines pump their messages: no nested event loop, so nothing deferred is deleted
    // under the caller's feet.
    while (!done)
        QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace core
