#pragma once

#include "CellValue.h"

#include <QString>
#include <optional>

// The contents of the counter cell as the workbook holds it.
struct CounterCell {
    std::optional<double> number;  // set when the cell holds a number
    QString text;                  // the cell's text otherwise (empty for an empty cell)
};

// The workbook "2012居民支付表.xls": the sheet that was active when it was
// last saved, whose cell AA2 names the row the next save fills. A save calls
// only these operations. Every failure is an Exception naming the file.
class PaymentWorkbook {
public:
    static inline const QString FileName = QStringLiteral("2012居民支付表.xls");
    static constexpr int CounterRow = 2;
    static constexpr int CounterColumn = 27;  // AA

    virtual ~PaymentWorkbook() = default;

    // Opens the workbook for writing; refuses one that is missing, is no
    // Excel 97-2003 workbook or is held by another user.
    virtual void open(const QString &path) = 0;
    virtual CounterCell counter() = 0;
    // Row and column are 1-based.
    virtual void write(int row, int column, const CellValue &value) = 0;
    virtual void setCounter(int nextRow) = 0;
    // Stores the changed workbook in a complete file beside the original,
    // which stays untouched until commit.
    virtual void save() = 0;
    // Puts the stored file in place of the original in one step.
    virtual void commit() = 0;
    // Lets the workbook go; a stored file that was not committed is removed.
    // Never throws.
    virtual void close() noexcept = 0;
};
