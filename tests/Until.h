#pragma once

#include <QDeadlineTimer>
#include <QThread>

// Asks `condition` every 50 ms until it holds or `timeoutMs` have passed;
// tells which.
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}
