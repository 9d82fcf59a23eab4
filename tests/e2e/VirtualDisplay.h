#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryFile>

// An X server of our own (Xvfb) on a display it finds free, stopped by its
// PID when this object goes.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // False when no server could be started, or it has ended since; the
    // reason for a failed start is in the test's failures.
    bool running();
    QString name() const { return m_name; }
    // Whether the server still runs and what it wrote to its error output,
    // for the message of a test that could not reach it.
    QString diagnosis();
    // The test's own environment with DISPLAY naming this server.
    QProcessEnvironment environment() const;

private:
    void stop();

    QTemporaryFile m_errors;
    QProcess m_server;
    QString m_name;
};
