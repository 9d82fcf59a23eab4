#pragma once

#include <QString>
#include <atomic>
#include <future>
#include <memory>

class Office;
struct OfficeOptions;
class SettlementSlip;

// Records a slip: one line appended to the ledger "居民支付表.TXT" and one
// row written into the workbook "2012居民支付表.xls", both in the working
// folder. The window makes one at start-up and calls save for each click of
// Save, on its own thread.
class PaymentRecorder {
public:
    // Starts LibreOffice in the background so that the first save finds it
    // ready; returns at once, and never fails, even without LibreOffice (the
    // first save then reports it).
    explicit PaymentRecorder(const QString &workingDirectory);
    PaymentRecorder(const QString &workingDirectory, const OfficeOptions &options);
    // Ends the office.
    ~PaymentRecorder();
    PaymentRecorder(const PaymentRecorder &) = delete;
    PaymentRecorder &operator=(const PaymentRecorder &) = delete;

    // Records the slip as it stands. Either both files get the record or
    // neither does; every failure is an Exception whose message names the
    // file concerned.
    void save(const SettlementSlip &slip);

    QString ledgerPath() const;
    QString workbookPath() const;

private:
    void startOffice();
    Office &readyOffice();
    // Drops an office that failed and starts the next one in the background.
    void replaceOffice();

    QString m_workingDirectory;
    std::unique_ptr<OfficeOptions> m_options;
    std::atomic<bool> m_closing = false;
    std::future<std::unique_ptr<Office>> m_starting;
    std::unique_ptr<Office> m_office;
};
