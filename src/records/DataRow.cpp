#include "DataRow.h"

#include "Exception.h"
#include "NumberText.h"

#include <QDir>
#include <cmath>

namespace {

Exception badCounter(const QString &workbookPath, const QString &what)
{
    return Exception(QStringLiteral("The row counter in cell AA2 of the workbook %1 %2; it must "
                                    "hold the number of the next free row (1 to %3). Nothing was saved")
                         .arg(QDir::toNativeSeparators(workbookPath), what)
                         .arg(LastWorkbookRow));
}

} // namespace

int dataRowFrom(const CounterCell &counter, const QString &workbookPath)
{
    long double value = 0;
    if (counter.number) {
        value = *counter.number;
    } else if (counter.text.trimmed().isEmpty()) {
        throw badCounter(workbookPath, QStringLiteral("is empty"));
    } else {
        try {
            value = StrToFloat(counter.text);
        } catch (const ConversionError &) {
            throw badCounter(workbookPath, QStringLiteral("holds \"%1\", which is no number").arg(counter.text));
        }
    }
    // Whole numbers as the spreadsheet rounds them: to the nearest, halves to even.
    const long double row = std::nearbyint(value);
    if (!(row >= 1 && row <= LastWorkbookRow))
        throw badCounter(workbookPath, QStringLiteral("names row %1, which an Excel 97-2003 sheet "
                                                      "does not have")
                                           .arg(FloatToStr(row)));
    return static_cast<int>(row);
}
