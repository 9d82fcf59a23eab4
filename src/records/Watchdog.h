#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Runs an action on its own thread when it is not dismissed in time: used to
// stop an office that no longer answers, which turns the call waiting for it
// into an error instead of a frozen window.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds timeout, std::function<void()> onTimeout);
    // Dismisses the watchdog and waits for its thread.
    ~Watchdog();
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    bool fired() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_dismissed;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;
};
