#include "RecordPayment.h"

#include "DataRow.h"
#include "PaymentLedger.h"
#include "PaymentRecord.h"
#include "PaymentWorkbook.h"

namespace {

// Closes the workbook however the save ends; a file stored but not put in
// place is removed with it.
class OpenWorkbook {
public:
    OpenWorkbook(PaymentWorkbook &workbook, const QString &path) : m_workbook(workbook)
    {
        m_workbook.open(path);
    }
    ~OpenWorkbook() { m_workbook.close(); }
    PaymentWorkbook *operator->() const { return &m_workbook; }

private:
    PaymentWorkbook &m_workbook;
};

} // namespace

void recordPayment(const PaymentRecord &record, PaymentLedger &ledger, PaymentWorkbook &workbook,
                   const QString &workbookPath)
{
    OpenWorkbook open(workbook, workbookPath);
    const int row = dataRowFrom(open->counter(), workbookPath);
    const auto fields = paymentFields();
    for (int i = 0; i < PaymentFieldCount; ++i) {
        const PaymentField &field = fields[i];
        if (field.column == 0)
            continue;
        const QString &value = record.values[i];
        open->write(row, field.column, field.alwaysText ? CellValue(value) : cellValueOf(value));
    }
    open->setCounter(row + 1);
    open->save();
    ledger.append(record);
    try {
        open->commit();
    } catch (...) {
        ledger.withdrawAppend();
        throw;
    }
}
