#pragma once

#include "PaymentWorkbook.h"

// An .xls sheet holds rows 1 to 65536; a row beyond that would be dropped
// silently when the workbook is stored.
inline constexpr int LastWorkbookRow = 65536;

// The row the counter names: a number rounded to the nearest whole number,
// or a text that reads as one. Throws Exception naming the workbook when the
// counter is empty, no number, or names a row outside 1..65536.
int dataRowFrom(const CounterCell &counter, const QString &workbookPath);
