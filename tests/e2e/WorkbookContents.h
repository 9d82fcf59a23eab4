#pragma once

#include <QString>
#include <map>
#include <vector>

// What a payment workbook holds, read back through LibreOffice: the counter
// cell and the cells of some rows.
struct WorkbookContents {
    // AA2 as its text (a number as LibreOffice shows it).
    QString counter;
    // Per row asked for: every non-empty cell of columns 1..LastColumn, by
    // column (1-based). A cell holding a number gives the number in the
    // shortest text that reads back as it (6825 for 6825.00).
    std::vector<std::map<int, QString>> rows;

    static constexpr int LastColumn = 40;

    // Starts an office of its own for the reading. Fails the current test
    // when the workbook cannot be read.
    static WorkbookContents read(const QString &path, const std::vector<int> &rowNumbers);
};
