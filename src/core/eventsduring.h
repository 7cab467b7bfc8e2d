#pragma once
// Work too long to hold the interface thread: it runs on a thread of its own while the calling
// thread goes on with its events, so windows repaint and timers run, and the caller goes on
// when the work is done, as if it had run in place.

#include <QEventLoop>
#include <functional>

namespace core {

// Runs `work` on a worker thread and processes this thread's events (`flags`) until it is done;
// an exception of `work` is thrown here. `meanwhile`, when given, runs here every 50 ms, to show
// how far the work came. Without an application, or off the thread of the application, `work`
// simply runs here. `work` must touch nothing that the events may change.
void whileProcessingEvents(const std::function<void()> &work,
                           QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents,
                           const std::function<void()> &meanwhile = {});

} // namespace core
