#include "Settlement.h"

#include "FieldCatalogue.h"
#include "NumberText.h"
#include "SettlementSlip.h"

#include <cmath>

namespace {

constexpr int CapitalBoxCount = 7;

// The box of capital position i, counted from the fen upwards.
int capitalBox(int position)
{
    return 52 - position;
}

// The digits of the payment total in box 45, lowest first, one per box.
void writeCapitals(SettlementSlip &slip)
{
    const QString total = slip.text(45);
    const qsizetype digitCount = total.size() - 1;  // all but the "."
    const long double fen = nearbyintl(StrToFloat(total) * 100);
    if (fen < 0) {
        // The digits of a negative amount mean nothing on the slip.
        for (int i = 0; i < CapitalBoxCount; ++i)
            slip.setText(capitalBox(i), QString::fromUtf8(EmptyCapital));
        return;
    }
    // Only the lowest seven digits reach a box; fmodl is exact, so this
    // holds for totals of any size.
    auto amount = static_cast<long long>(fmodl(fen, 1e7L));
    for (qsizetype i = 0; i < digitCount && i < CapitalBoxCount; ++i) {
        slip.setText(capitalBox(int(i)), QString::fromUtf8(CapitalNumerals[amount % 10]));
        amount /= 10;
    }
}

}  // namespace

void totalDeductions(SettlementSlip &slip)
{
    long double deductions[5];
    for (int i = 0; i < 5; ++i)
        deductions[i] = StrToFloat(slip.text(23 + i));
    long double sum = deductions[0];
    for (int i = 1; i < 5; ++i)
        sum += deductions[i];
    slip.setText(28, FloatToStr(RoundToDouble(sum)));
}

void settleLevel2(SettlementSlip &slip)
{
    const long double expenses = StrToFloat(slip.text(20));
    const long double deductions = StrToFloat(slip.text(28));
    const long double threshold = StrToFloat(slip.text(30));
    const double base = RoundToDouble((expenses - deductions) - threshold);

    slip.setText(34, FloatToStr(base));
    slip.setText(38, FormatMoney(StrToFloat(slip.text(34)) * FundRate));
    slip.setText(42, FormatMoney(StrToFloat(slip.text(34)) * PatientRate));
    slip.setText(45, slip.text(38));
    writeCapitals(slip);
}
