#include "StarterWorkbook.h"

#include "CalcWorkbook.h"
#include "PaymentRecord.h"

void makeStarterWorkbook(CalcWorkbook &workbook, const QString &path)
{
    constexpr int headingRow = 1;
    workbook.create(path);
    for (const PaymentField &field : paymentFields())
        if (field.column != 0)
            workbook.write(headingRow, field.column, QString::fromUtf8(field.heading));
    workbook.write(headingRow, PaymentWorkbook::CounterColumn, QStringLiteral("下一行"));
    workbook.setCounter(FirstFreeRow);
    workbook.save();
    workbook.commit();
    workbook.close();
}
