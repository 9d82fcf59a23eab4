#include "PaymentRecorder.h"

#include "CalcWorkbook.h"
#include "Office.h"
#include "PaymentLedger.h"
#include "PaymentRecord.h"
#include "RecordPayment.h"
#include "Watchdog.h"

#include <QDir>
#include <optional>

PaymentRecorder::PaymentRecorder(const QString &workingDirectory)
    : PaymentRecorder(workingDirectory, OfficeOptions())
{
}

PaymentRecorder::PaymentRecorder(const QString &workingDirectory, const OfficeOptions &options)
    : m_workingDirectory(workingDirectory), m_options(std::make_unique<OfficeOptions>(options))
{
    Office::prepareEnvironment();
    startOffice();
}

PaymentRecorder::~PaymentRecorder()
{
    m_closing = true;
    if (m_starting.valid()) {
        try {
            m_starting.get();
        } catch (const Exception &) {
            // an office that never came up needs no ending
        }
    }
    m_office.reset();
}

QString PaymentRecorder::ledgerPath() const
{
    return QDir(m_workingDirectory).filePath(PaymentLedger::FileName);
}

QString PaymentRecorder::workbookPath() const
{
    return QDir(m_workingDirectory).filePath(PaymentWorkbook::FileName);
}

void PaymentRecorder::startOffice()
{
    m_starting = std::async(std::launch::async, [options = *m_options, this] {
        return std::make_unique<Office>(options, &m_closing);
    });
}

Office &PaymentRecorder::readyOffice()
{
    if (m_office && m_office->hasExited())
        m_office.reset();
    if (!m_office) {
        if (!m_starting.valid())
            startOffice();
        try {
            m_office = m_starting.get();
        } catch (const Exception &error) {
            throw Exception(QStringLiteral("The workbook %1 cannot be written: %2. Nothing was saved")
                                .arg(QDir::toNativeSeparators(workbookPath()), error.message()));
        }
    }
    return *m_office;
}

void PaymentRecorder::replaceOffice()
{
    m_office.reset();
    startOffice();
}

void PaymentRecorder::save(const SettlementSlip &slip)
{
    const PaymentRecord record = PaymentRecord::fromSlip(slip);
    PaymentLedger ledger(ledgerPath());
    Office &office = readyOffice();
    std::optional<Watchdog> watchdog(std::in_place, m_options->callTimeout, [&office] { office.kill(); });
    try {
        CalcWorkbook workbook(office);
        recordPayment(record, ledger, workbook, workbookPath());
    } catch (const Exception &error) {
        const bool timedOut = watchdog->fired();
        watchdog.reset();
        if (timedOut) {
            replaceOffice();
            throw OfficeFailure(QStringLiteral("LibreOffice did not answer within %1 seconds while saving to "
                                               "the workbook %2; it was stopped and is started afresh for "
                                               "the next save. Nothing was saved")
                                    .arg(std::chrono::duration_cast<std::chrono::seconds>(m_options->callTimeout).count())
                                    .arg(QDir::toNativeSeparators(workbookPath())));
        }
        if (dynamic_cast<const OfficeFailure *>(&error))
            replaceOffice();
        throw;
    }
    // An office that hung only while letting the stored workbook go has
    // recorded everything, but it is no longer usable.
    const bool timedOut = watchdog->fired();
    watchdog.reset();
    if (timedOut)
        replaceOffice();
}
