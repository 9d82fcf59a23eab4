// The ledger file: never created, held against other writers, never left
// with part of a line.

#include "Exception.h"
#include "PaymentLedger.h"
#include "PaymentRecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class LedgerFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_path = m_folder.filePath(PaymentLedger::FileName);
    }
    void writeLedger(const QByteArray &bytes)
    {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ledgerBytes() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString messageOfOpening(std::chrono::milliseconds lockWait = std::chrono::milliseconds(200)) const
    {
        try {
            PaymentLedger ledger(m_path, lockWait);
        } catch (const Exception &error) {
            return error.message();
        }
        return {};
    }

    QTemporaryDir m_folder;
    QString m_path;
};

TEST_F(LedgerFile, AppendsOneLineAfterWhatIsThere)
{
    writeLedger("old line\t\r\n");
    PaymentRecord record;
    record.values[0] = QStringLiteral("7");
    PaymentLedger(m_path).append(record);
    EXPECT_EQ(ledgerBytes(), "old line\t\r\n7" + QByteArray(35, '\t') + "\r\n");
}

TEST_F(LedgerFile, AMissingLedgerIsReportedAndNotCreated)
{
    const QString message = messageOfOpening();
    EXPECT_TRUE(message.contains(m_path) && message.contains(QStringLiteral("does not exist")))
        << message.toStdString();
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(LedgerFile, ALedgerHeldByAnotherWriterIsRefusedAfterAWait)
{
    writeLedger("old\r\n");
    const int other = ::open(QFile::encodeName(m_path).constData(), O_WRONLY);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    ASSERT_EQ(fcntl(other, F_OFD_SETLK, &lock), 0);
    const auto start = std::chrono::steady_clock::now();
    const QString message = messageOfOpening(std::chrono::milliseconds(300));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_TRUE(message.contains(QStringLiteral("in use")) && message.contains(m_path)) << message.toStdString();
    ::close(other);
    EXPECT_EQ(messageOfOpening(), QString());
    EXPECT_EQ(ledgerBytes(), "old\r\n");
}

TEST_F(LedgerFile, TheLockIsHeldUntilTheLedgerIsLetGo)
{
    writeLedger("");
    {
        PaymentLedger first(m_path);
        EXPECT_TRUE(messageOfOpening().contains(QStringLiteral("in use")));
    }
    EXPECT_EQ(messageOfOpening(), QString());
}

TEST_F(LedgerFile, AWithdrawnLineLeavesTheFileAsItWas)
{
    writeLedger("old\t\r\n");
    PaymentLedger ledger(m_path);
    ledger.append(PaymentRecord{});
    ledger.withdrawAppend();
    EXPECT_EQ(ledgerBytes(), "old\t\r\n");
}

TEST(LedgerDevice, AFullDiskIsReported)
{
    PaymentLedger ledger(QStringLiteral("/dev/full"));
    try {
        ledger.append(PaymentRecord{});
        ADD_FAILURE() << "writing to a full disk was taken as done";
    } catch (const Exception &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("/dev/full"))) << error.message().toStdString();
    }
}

} // namespace
