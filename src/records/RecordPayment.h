#pragma once

#include <QString>

class PaymentLedger;
class PaymentWorkbook;
struct PaymentRecord;

// Writes one record to both files so that a failure at any step leaves
// neither changed: the workbook is opened and its counter checked; the row
// and the advanced counter are written and the workbook is stored beside the
// original; then the ledger line is appended; last the stored workbook takes
// the original's place, and should that fail the ledger line is withdrawn.
// The record must be complete (every conversion done) and the ledger open
// and locked before this is called. Throws Exception.
void recordPayment(const PaymentRecord &record, PaymentLedger &ledger, PaymentWorkbook &workbook,
                   const QString &workbookPath);
