// Work handed to a worker while the interface thread goes on with its events.

#include "core/eventsduring.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

// Waits on the calling thread until `flag` is up, at most two seconds; whether it came up.
bool waitFor(const std::atomic<bool> &flag)
{
    QElapsedTimer clock;
    clock.start();
    while (!flag && clock.elapsed() < 2000)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return flag;
}

} // namespace

class TestEventsDuring : public QObject
{
    Q_OBJECT
private slots:
    void timersOfThisThreadRunWhileTheWorkRuns();
    void theWorksExceptionReachesTheCaller();
    void offTheApplicationsThreadTheWorkRunsInPlace();
};

void TestEventsDuring::timersOfThisThreadRunWhileTheWorkRuns()
{
    // The work waits for a timer of the calling thread: it can only come while the caller
    // processes its events.
    std::atomic<bool> fired = false;
    QTimer::singleShot(20, [&fired] { fired = true; });
    bool sawIt = false;
    Qt::HANDLE workThread = nullptr;
    core::whileProcessingEvents([&] {
        workThread = QThread::currentThreadId();
        sawIt = waitFor(fired);
    });
    QVERIFY(sawIt);
    QVERIFY(workThread != QThread::currentThreadId());
}

void TestEventsDuring::theWorksExceptionReachesTheCaller()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             core::whileProcessingEvents([] { throw std::runtime_error("fejl"); }));
}

void TestEventsDuring::offTheApplicationsThreadTheWorkRunsInPlace()
{
    Qt::HANDLE caller = nullptr, worker = nullptr;
    std::thread other([&] {
        caller = QThread::currentThreadId();
        core::whileProcessingEvents([&] { worker = QThread::currentThreadId(); });
    });
    other.join();
    QCOMPARE(worker, caller);
}

QTEST_GUILESS_MAIN(TestEventsDuring)
#include "test_eventsduring.moc"
