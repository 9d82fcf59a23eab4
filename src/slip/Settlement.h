#pragma once

#include <array>

class SettlementSlip;

// Shares of a level-2 hospital. The doubles nearest to 0.65 and 0.35 (a
// little above and a little below); promoted to long double where they are
// used, so that a half fen of the fund share rounds up and the patient's
// share down, and the two always add up to the base.
inline constexpr double FundRate = 0.65;
inline constexpr double PatientRate = 0.35;

// Capital numerals indexed by the digit (UTF-8).
inline constexpr std::array<const char *, 10> CapitalNumerals{
    "零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};

// Click on box 28: converts the deductions in boxes 23..27 (all of them
// before anything is written), adds them in that order in extended
// precision and writes the total, taken to double, as plain text into
// box 28. Throws ConversionError and leaves box 28 unchanged on a text that
// is no number.
void totalDeductions(SettlementSlip &slip);

// Click on box 34: payment base = (expenses[20] - deductions total[28]) -
// threshold[30], taken to double, as plain text into 34; 65 % and 35 % of
// the base as displayed into 38 and 42 as money; 38 copied into the payment
// total 45; the digits of 45 one per capital box 52 (fen) .. 46 (ten
// thousands). Boxes above the highest digit keep what they held; a negative
// total empties all seven capital boxes. The three inputs are converted
// before anything is written, so a ConversionError leaves every box as it
// was.
void settleLevel2(SettlementSlip &slip);
