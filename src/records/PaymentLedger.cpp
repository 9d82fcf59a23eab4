#include "PaymentLedger.h"

#include "Exception.h"
#include "GbkText.h"
#include "PaymentRecord.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Takes an exclusive lock on the whole file. Open-file-description locks
// belong to this descriptor alone, so they neither leak into the office
// process nor vanish when another descriptor of the same file is closed; on
// NFS and SMB shares they become locks the server enforces between desks.
bool tryLock(int fd)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

} // namespace

PaymentLedger::PaymentLedger(const QString &path, std::chrono::milliseconds lockWait)
    : m_path(QDir::toNativeSeparators(path))
{
    const QByteArray nativePath = QFile::encodeName(path);
    m_fd = ::open(nativePath.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            throw Exception(QStringLiteral("The ledger file %1 does not exist; it must be created "
                                           "beforehand (an empty file serves). Nothing was saved")
                                .arg(m_path));
        throw Exception(QStringLiteral("The ledger file %1 cannot be opened for writing (%2). "
                                       "Nothing was saved")
                            .arg(m_path, systemError(error)));
    }
    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    while (!tryLock(m_fd)) {
        const int error = errno;
        if ((error != EAGAIN && error != EACCES) || std::chrono::steady_clock::now() >= deadline) {
            ::close(m_fd);
            m_fd = -1;
            throw Exception(QStringLiteral("The ledger file %1 is in use by another program or "
                                           "desk; try again when it is free. Nothing was saved")
                                .arg(m_path));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

PaymentLedger::~PaymentLedger()
{
    if (m_fd >= 0)
        ::close(m_fd);  // releases the lock
}

QByteArray PaymentLedger::line(const PaymentRecord &record)
{
    QByteArray bytes;
    for (const QString &value : record.values) {
        bytes += toGbk(value);
        bytes += '\t';
    }
    bytes += "\r\n";
    return bytes;
}

void PaymentLedger::append(const PaymentRecord &record)
{
    const QByteArray bytes = line(record);
    struct stat status {};
    if (fstat(m_fd, &status) != 0)
        throw Exception(QStringLiteral("The ledger file %1 cannot be read (%2). Nothing was saved")
                            .arg(m_path, systemError(errno)));
    m_lengthBeforeAppend = status.st_size;
    const ssize_t written = pwrite(m_fd, bytes.constData(), bytes.size(), m_lengthBeforeAppend);
    const int error = errno;
    if (written == bytes.size() && fdatasync(m_fd) == 0)
        return;
    const int syncError = errno;
    truncateTo(m_lengthBeforeAppend);
    m_lengthBeforeAppend = -1;
    const QString reason = written < 0 ? systemError(error)
                           : written < bytes.size()
                               ? QStringLiteral("only %1 of %2 bytes were written").arg(written).arg(bytes.size())
                               : systemError(syncError);
    throw Exception(QStringLiteral("The line could not be written to the ledger file %1 (%2). "
                                   "Nothing was saved")
                        .arg(m_path, reason));
}

void PaymentLedger::withdrawAppend()
{
    if (m_lengthBeforeAppend >= 0)
        truncateTo(m_lengthBeforeAppend);
    m_lengthBeforeAppend = -1;
}

void PaymentLedger::truncateTo(qint64 length)
{
    // Best effort: when even this fails the caller's report of the first
    // failure is the one that matters.
    if (ftruncate(m_fd, length) == 0)
        fdatasync(m_fd);
}
