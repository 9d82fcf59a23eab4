#include "AutomaticFills.h"

#include "SettlementSlip.h"

QString DeclarationDateText(const QDate &date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month())
        .arg(date.day());
}

void fillDeclarationDate(SettlementSlip &slip, const QDate &today)
{
    slip.setText(4, DeclarationDateText(today));
}

void copyDeclarantToPatient(SettlementSlip &slip)
{
    slip.setText(6, slip.text(2));
}
