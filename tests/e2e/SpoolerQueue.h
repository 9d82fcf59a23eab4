#pragma once

#include <QProcessEnvironment>
#include <QString>

// The default queue of the private spooler the test command starts, taken
// away or stopped as a fault and brought back as the spooler made it. The
// queue is back when this object goes, whatever the test did.
class SpoolerQueue {
public:
    SpoolerQueue();
    ~SpoolerQueue();
    SpoolerQueue(const SpoolerQueue &) = delete;
    SpoolerQueue &operator=(const SpoolerQueue &) = delete;

    QString name() const { return m_name; }

    // Deletes the queue (lpadmin -x), with any job it holds.
    void remove();
    // Makes it again: same name and device, enabled, the default.
    void restore();
    // Stops it (cupsdisable): it still takes jobs but prints none.
    void disable();
    void enable();
    // The jobs waiting in the queue (lpstat -o).
    int waitingJobs();

private:
    QString m_name;
    QString m_device;
    bool m_removed = false;
    bool m_disabled = false;
};
