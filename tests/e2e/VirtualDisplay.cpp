#include "VirtualDisplay.h"

#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace {

constexpr int StartTimeoutMs = 30000;

}  // namespace

VirtualDisplay::VirtualDisplay()
{
    // Xvfb picks a free display itself and writes its number to standard
    // output only once it accepts clients (-displayfd), so the number is
    // ours and the server is ready. Without -noreset the server would start
    // over each time its last client leaves, and a client that connects in
    // that moment is turned away.
    if (!m_errors.open()) {
        ADD_FAILURE() << "No file for Xvfb's error output: " << m_errors.errorString().toStdString();
        return;
    }
    m_server.setStandardErrorFile(m_errors.fileName());
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                    QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted(StartTimeoutMs)) {
        ADD_FAILURE() << "Xvfb cannot be started: " << m_server.errorString().toStdString();
        return;
    }
    const QDeadlineTimer deadline(StartTimeoutMs);
    QByteArray output;
    while (!output.endsWith('\n') && m_server.waitForReadyRead(int(deadline.remainingTime())))
        output += m_server.readAllStandardOutput();
    bool isNumber = false;
    const int number = output.trimmed().toInt(&isNumber);
    if (!isNumber) {
        ADD_FAILURE() << "Xvfb did not name a display that it serves; "
                      << diagnosis().toStdString();
        stop();
        return;
    }
    m_name = QStringLiteral(":%1").arg(number);
}

VirtualDisplay::~VirtualDisplay()
{
    stop();
}

bool VirtualDisplay::running()
{
    return !m_name.isEmpty() && m_server.state() == QProcess::Running && !m_server.waitForFinished(0);
}

QString VirtualDisplay::diagnosis()
{
    const QString state = running() ? QStringLiteral("Xvfb is running")
                                    : QStringLiteral("Xvfb has ended (%1)").arg(m_server.exitStatus() == QProcess::CrashExit
                                                                                   ? QStringLiteral("crashed")
                                                                                   : QStringLiteral("exit code %1").arg(m_server.exitCode()));
    m_errors.seek(0);
    const QString said = QString::fromLocal8Bit(m_errors.readAll()).trimmed();
    return said.isEmpty() ? state : state + QStringLiteral("; it said: ") + said;
}

void VirtualDisplay::stop()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished();
    }
}

QProcessEnvironment VirtualDisplay::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    return environment;
}
