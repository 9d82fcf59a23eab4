#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

// A LibreOffice process of our own, in a process group of its own so that
// the launcher and the office it starts are stopped together. Its output
// goes nowhere; it inherits no open file of ours. A guard process in the
// same group kills the group when this program ends in any way, even killed
// outright, so that no office is left behind holding the workbook open.
class OfficeProcess {
public:
    // Starts `program` with `arguments`. Throws Exception when it cannot run.
    OfficeProcess(const QString &program, const QStringList &arguments);
    // Stops whatever is left of the process group and collects it.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess &) = delete;
    OfficeProcess &operator=(const OfficeProcess &) = delete;

    pid_t pid() const { return m_pid; }
    bool hasExited() const;
    // Kills the whole group at once. Safe to call from another thread while
    // the process is being talked to.
    void kill() const noexcept;
    // Waits up to `milliseconds` for the process to end by itself; true when it did.
    bool waitForExit(int milliseconds) const;

private:
    void startGuard();

    pid_t m_pid = -1;
    pid_t m_guardPid = -1;
    int m_guardPipe = -1;  // its write end; the guard acts when it closes
};
