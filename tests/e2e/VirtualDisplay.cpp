#include "VirtualDisplay.h"

#include "Until.h"

#include <QFile>
#include <xcb/xcb.h>
#include <gtest/gtest.h>

namespace {

constexpr int FirstDisplay = 150;
constexpr int LastDisplay = 250;

// A display is up once a client can connect to it; its socket file alone
// may be left over from an earlier server.
bool acceptsClients(const QString &name)
{
    xcb_connection_t *connection = xcb_connect(name.toLocal8Bit().constData(), nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

}  // namespace

VirtualDisplay::VirtualDisplay()
{
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    for (int number = FirstDisplay; number <= LastDisplay; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        const QString name = QStringLiteral(":%1").arg(number);
        m_server.start(QStringLiteral("Xvfb"), {name, QStringLiteral("-screen"),
                                                QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(10000)) {
            ADD_FAILURE() << "Xvfb cannot be started: " << m_server.errorString().toStdString();
            return;
        }
        // Another server that took the number first makes ours exit.
        if (waitUntil([&] { return m_server.state() != QProcess::Running || acceptsClients(name); }, 10000)
            && running()) {
            m_name = name;
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

