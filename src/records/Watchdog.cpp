#include "Watchdog.h"

Watchdog::Watchdog(std::chrono::milliseconds timeout, std::function<void()> onTimeout)
    : m_thread([this, timeout, action = std::move(onTimeout)] {
          std::unique_lock lock(m_mutex);
          if (m_dismissed.wait_for(lock, timeout, [this] { return m_done; }))
              return;
          m_fired = true;
          action();
      })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_dismissed.notify_one();
    m_thread.join();
}

bool Watchdog::fired() const
{
    std::lock_guard lock(m_mutex);
    return m_fired;
}
