#pragma once
// Holds a folder walk at one folder until the test lets it go on: the test platform calls it
// before listing that folder, on the walk's thread. It lets go at the latest when it goes out of
// scope, so no walk is left waiting.

#include "support/testdrives.h"

#include <condition_variable>
#include <memory>
#include <mutex>

class ListingGate
{
public:
    ListingGate() = default;
    ListingGate(const ListingGate &) = delete;
    ListingGate &operator=(const ListingGate &) = delete;
    ~ListingGate() { open(); }

    void holdAt(const QString &folder, TestPlatform &platform)
    {
        platform.beforeListing = [state = m_state, folder](const QString &listed) {
            if (listed.compare(folder, Qt::CaseInsensitive) != 0)
                return;
            std::unique_lock lock(state->mutex);
            state->reached = true;
            state->changed.wait(lock, [&] { return state->open; });
        };
    }
    // The walk has come to the folder and waits there (or has gone on after open()).
    bool reached() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->reached;
    }
    void open()
    {
        std::lock_guard lock(m_state->mutex);
        m_state->open = true;
        m_state->changed.notify_all();
    }

private:
    struct State
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool reached = false;
        bool open = false;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};
