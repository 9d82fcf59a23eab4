#pragma once

#include <QString>
#include <variant>

// What a workbook cell receives: a text, or a number so that sums over the
// column work in the spreadsheet.
using CellValue = std::variant<QString, double>;

// A plain decimal number (digits with at most one point between digits, no
// sign, no leading zero before other digits, at most 15 significant digits,
// so that the number shows exactly the digits typed) becomes a number;
// every other text stays text.
CellValue cellValueOf(const QString &text);
