#pragma once

#include <QString>

class CalcWorkbook;

// The first row that a new workbook leaves free: row 1 holds the headings,
// row 2 the counter in AA2 (the data row never uses column AA).
inline constexpr int FirstFreeRow = 3;

// Stores a new payment workbook at `path`: one sheet with a heading over
// each of the 27 recorded columns and over the counter, and the counter in
// AA2 pointing at the first free row. Throws Exception.
void makeStarterWorkbook(CalcWorkbook &workbook, const QString &path);
