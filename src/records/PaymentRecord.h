#pragma once

#include <QString>
#include <array>
#include <span>

class SettlementSlip;

// Where the value of one ledger field comes from.
enum class FieldSource {
    Empty,        // always empty
    Box,          // the text of one box of the slip
    Year,         // pieces of the declaration date (box 4)
    Month,
    Day,
    Sum,          // the sum of the amounts in some boxes
};

// One of the 35 fields of a payment record, in ledger order.
struct PaymentField {
    FieldSource source;
    int box;                 // the box read for Box
    std::span<const int> addends;  // the boxes added, in order, for Sum
    int column;              // 1-based workbook column; 0 when the field has no cell
    bool alwaysText;         // written as text even when it looks like a number
    const char *heading;     // the column's heading in a new workbook (UTF-8)
};

inline constexpr int PaymentFieldCount = 35;

// The 35 fields in ledger order.
std::span<const PaymentField, PaymentFieldCount> paymentFields();

// The values one save records: the same texts go to the ledger line and,
// for the fields that have a column, to the workbook row.
struct PaymentRecord {
    std::array<QString, PaymentFieldCount> values;

    // Reads the slip and works out the date pieces and the sums. Throws
    // ConversionError when an amount of a sum is no number, before any
    // value is recorded.
    static PaymentRecord fromSlip(const SettlementSlip &slip);
};
