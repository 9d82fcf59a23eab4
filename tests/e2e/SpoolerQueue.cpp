#include "SpoolerQueue.h"

#include "Command.h"

#include <QPrinterInfo>
#include <gtest/gtest.h>

SpoolerQueue::SpoolerQueue()
    : m_name(QPrinterInfo::defaultPrinterName())
{
    // "device for NAME: URI"
    const QString device = QString::fromLocal8Bit(runCommand(QStringLiteral("lpstat"), {QStringLiteral("-v"), m_name}));
    m_device = device.section(QStringLiteral(": "), 1).trimmed();
    if (m_name.isEmpty() || m_device.isEmpty())
        ADD_FAILURE() << "The spooler has no default queue with a device";
}

SpoolerQueue::~SpoolerQueue()
{
    if (m_removed)
        restore();
    if (m_disabled)
        enable();
}

void SpoolerQueue::remove()
{
    runCommand(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_name});
    m_removed = true;
}

void SpoolerQueue::restore()
{
    runCommand(QStringLiteral("lpadmin"), {QStringLiteral("-p"), m_name, QStringLiteral("-E"), QStringLiteral("-v"),
                                           m_device, QStringLiteral("-P"), QStringLiteral(SLIP_CAPTURE_PPD)});
    runCommand(QStringLiteral("lpadmin"), {QStringLiteral("-d"), m_name});
    m_removed = false;
}

void SpoolerQueue::disable()
{
    runCommand(QStringLiteral("cupsdisable"), {m_name});
    m_disabled = true;
}

void SpoolerQueue::enable()
{
    runCommand(QStringLiteral("cupsenable"), {m_name});
    m_disabled = false;
}

int SpoolerQueue::waitingJobs()
{
    const QByteArray listed = runCommand(QStringLiteral("lpstat"), {QStringLiteral("-o"), m_name});
    return int(listed.count('\n'));
}
