#include "VirtualDisplay.h"

#include "Until.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr int FirstDisplay = 150;
constexpr int LastDisplay = 250;

}  // namespace

VirtualDisplay::VirtualDisplay()
{
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    for (int number = FirstDisplay; number <= LastDisplay; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                                                QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(10000)) {
            ADD_FAILURE() << "Xvfb cannot be started: " << m_server.errorString().toStdString();
            return;
        }
        // Another server that took the number first makes ours exit.
        if (waitUntil([&] { return QFile::exists(socket) || m_server.state() != QProcess::Running; }, 10000)
            && running()) {
            m_name = QStringLiteral(":%1").arg(number);
            return;
        }
        m_server.kill();
        m_server.waitForFinished();
    }
    ADD_FAILURE() << "No free display for Xvfb from :" << FirstDisplay << " to :" << LastDisplay;
}

VirtualDisplay::~VirtualDisplay()
{
    if (!running())
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

