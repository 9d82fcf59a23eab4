#include "Clearing.h"

#include "FieldCatalogue.h"
#include "SettlementSlip.h"

void clearSlip(SettlementSlip &slip)
{
    for (const FieldSpec &field : fieldCatalogue())
        slip.setText(field.number, QString::fromUtf8(field.clearText));
}
