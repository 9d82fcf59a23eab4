#pragma once

#include <QByteArray>
#include <optional>

// The index of the sheet that was active when an Excel 97-2003 workbook was
// last saved, read from the workbook's window settings (the WINDOW1 record of
// its Workbook stream). LibreOffice keeps this when it stores the workbook,
// but a hidden document always reports its first sheet as active, so the
// file itself is asked. Empty when the bytes are no such workbook.
std::optional<int> xlsActiveSheet(const QByteArray &file);
