#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

struct PaymentRecord;

// The text ledger "居民支付表.TXT": one line per save, never read by the
// program. An object holds the file open and locked against every other
// writer that takes the same lock (another copy of this program, another
// desk on a shared folder) from its creation to its destruction, so a whole
// save is one undisturbed step.
class PaymentLedger {
public:
    static inline const QString FileName = QStringLiteral("居民支付表.TXT");

    // Opens the existing ledger at `path` and locks it, waiting up to
    // `lockWait` for another writer to finish. Never creates the file.
    // Throws Exception naming the file when it is missing, cannot be opened
    // for writing or stays locked.
    explicit PaymentLedger(const QString &path,
                           std::chrono::milliseconds lockWait = std::chrono::seconds(3));
    ~PaymentLedger();
    PaymentLedger(const PaymentLedger &) = delete;
    PaymentLedger &operator=(const PaymentLedger &) = delete;

    // Appends the record's line with a single write. A write that fails or
    // falls short is cut back, so the file never keeps part of a line, and
    // reported with an Exception.
    void append(const PaymentRecord &record);
    // Removes the line that append added, for a save that fails after it.
    void withdrawAppend();

    // The bytes of a record's line: each of the 35 values in GB18030, each
    // followed by TAB, then CR LF.
    static QByteArray line(const PaymentRecord &record);

private:
    void truncateTo(qint64 length);

    QString m_path;
    int m_fd = -1;
    qint64 m_lengthBeforeAppend = -1;
};
