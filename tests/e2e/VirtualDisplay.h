#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// An X server of our own (Xvfb) on the first free display from :150 on,
// stopped by its PID when this object goes.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // False when no server could be started; the reason is in the test's
    // failures.
    bool running() const { return m_server.state() == QProcess::Running; }
    QString name() const { return m_name; }
    // The test's own environment with DISPLAY naming this server.
    QProcessEnvironment environment() const;

private:
    QProcess m_server;
    QString m_name;
};
