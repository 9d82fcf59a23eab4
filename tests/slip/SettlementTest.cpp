#include "Clearing.h"
#include "Exception.h"
#include "FieldCatalogue.h"
#include "NumberText.h"
#include "Settlement.h"
#include "SettlementSlip.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

const QString Empty = QString::fromUtf8(EmptyCapital);

std::array<QString, 58> texts(const SettlementSlip &slip)
{
    std::array<QString, 58> all;
    for (int box = 1; box <= 58; ++box)
        all[box - 1] = slip.text(box);
    return all;
}

// The capital boxes 52 (fen) down to 46 (ten thousands), as one string of
// seven characters, the fen first.
QString capitals(const SettlementSlip &slip)
{
    QString out;
    for (int box = 52; box >= 46; --box)
        out += slip.text(box);
    return out;
}

MemorySlip slipWith(const char *expenses, const char *deductionsTotal, const char *threshold)
{
    MemorySlip slip;
    slip.setText(20, u(expenses));
    slip.setText(28, u(deductionsTotal));
    slip.setText(30, u(threshold));
    return slip;
}

// ---- constants ------------------------------------------------------------

TEST(SettlementConstants, RatesAreTheNearestDoubles)
{
    EXPECT_EQ(FundRate, 0.65);
    EXPECT_EQ(PatientRate, 0.35);
    EXPECT_GT(static_cast<long double>(FundRate), 0.65L);
    EXPECT_LT(static_cast<long double>(PatientRate), 0.35L);
}

TEST(SettlementConstants, CapitalNumerals)
{
    QString all;
    for (const char *numeral : CapitalNumerals)
        all += u(numeral);
    EXPECT_EQ(all, u("零壹贰叁肆伍陆柒捌玖"));
}

// ---- deductions total -----------------------------------------------------

TEST(TotalDeductions, AddsTheFiveDeductions)
{
    struct Case { std::array<const char *, 5> deductions; const char *total; };
    const Case cases[] = {
        {{"12.5", "3", "0", "0", "0.25"}, "15.75"},
        {{"0", "0", "0", "0", "0"}, "0"},
        {{"0.1", "0.2", "0", "0", "0"}, "0.3"},
        {{"1", "2", "3", "4", "5"}, "15"},
        {{".", "5.", ".5", " 7 ", "1e2"}, "112.5"},
        {{"0.1", "0.1", "0.1", "0.1", "0.1"}, "0.5"},
        {{"1e15", "0", "0", "0", "0"}, "1E15"},
        {{"0.00001", "0", "0", "0", "0"}, "1E-5"},
        {{"-5", "2", "0", "0", "0"}, "-3"},
    };
    for (const Case &c : cases) {
        MemorySlip slip;
        for (int i = 0; i < 5; ++i)
            slip.setText(23 + i, u(c.deductions[i]));
        const auto before = texts(slip);
        totalDeductions(slip);
        auto expected = before;
        expected[28 - 1] = u(c.total);
        EXPECT_EQ(texts(slip), expected) << c.total;
    }
}

TEST(TotalDeductions, AddsInExtendedPrecisionBeforeTakingToDouble)
{
    // 1e16 + 1 + 1: in double each 1 would be lost; in extended the sum is
    // 10000000000000002, whose double prints as 1E16 at 15 digits.
    MemorySlip slip;
    slip.setText(23, "10000000000000000");
    slip.setText(24, "1");
    slip.setText(25, "1");
    slip.setText(26, "-10000000000000000");
    totalDeductions(slip);
    EXPECT_EQ(slip.text(28), "2");
}

TEST(TotalDeductions, AConversionErrorChangesNothing)
{
    const char *const bad[] = {"", " ", "1.2.3", "1 2", "abc", "-", "1e"};
    for (int box = 23; box <= 27; ++box) {
        for (const char *text : bad) {
            MemorySlip slip;
            slip.setText(28, "99");
            slip.setText(box, u(text));
            const auto before = texts(slip);
            try {
                totalDeductions(slip);
                ADD_FAILURE() << "no error for '" << text << "' in Edit" << box;
            } catch (const ConversionError &e) {
                EXPECT_EQ(e.message(), u("'") + u(text) + u("' is not a valid floating point value"));
            }
            EXPECT_EQ(texts(slip), before) << "Edit" << box << " '" << text << "'";
        }
    }
}

TEST(TotalDeductions, ConvertsAllFiveBeforeWriting)
{
    // The last box fails: the total is still untouched.
    MemorySlip slip;
    slip.setText(23, "1");
    slip.setText(27, "x");
    EXPECT_THROW(totalDeductions(slip), ConversionError);
    EXPECT_EQ(slip.text(28), "0");
}

TEST(TotalDeductions, AnOverflowingSumChangesNothing)
{
    MemorySlip slip;
    slip.setText(23, "1e4932");
    slip.setText(24, "1e4932");
    const auto before = texts(slip);
    EXPECT_THROW(totalDeductions(slip), Exception);
    EXPECT_EQ(texts(slip), before);
}

// ---- settlement -----------------------------------------------------------

struct SettlementCase {
    const char *expenses, *deductionsTotal, *threshold;
    const char *base, *fund, *patient;
    const char *capitals;  // boxes 52..46 after a run on a fresh slip
};

TEST(SettleLevel2, WorkedExamples)
{
    const SettlementCase cases[] = {
        {"1000", "0", "200", "800", "520.00", "280.00", "零零零贰伍██"},
        {"1000", "800", "200", "0", "0.00", "0.00", "零零零████"},
        {"100.5", "0", "0", "100.5", "65.33", "35.17", "叁叁伍陆███"},
        {"2000.3", "0", "0", "2000.3", "1300.20", "700.10", "零贰零零叁壹█"},
        {"2500.3", "300", "200", "2000.3", "1300.20", "700.10", "零贰零零叁壹█"},
        {"0.82", "0", "0", "0.82", "0.53", "0.29", "叁伍零████"},
        {"200000", "0", "0", "200000", "130000.00", "70000.00", "零零零零零零叁"},
        {"15.75", "15.75", "0", "0", "0.00", "0.00", "零零零████"},
        {"99999.99", "0", "0", "99999.99", "64999.99", "35000.00", "玖玖玖玖玖肆陆"},
        {"153846.14", "0", "0", "153846.14", "99999.99", "53846.15", "玖玖玖玖玖玖玖"},
        {" 1000 ", ".", "200.", "800", "520.00", "280.00", "零零零贰伍██"},
        {"1e3", "0", "2e2", "800", "520.00", "280.00", "零零零贰伍██"},
    };
    for (const SettlementCase &c : cases) {
        MemorySlip slip = slipWith(c.expenses, c.deductionsTotal, c.threshold);
        auto expected = texts(slip);
        settleLevel2(slip);
        expected[34 - 1] = u(c.base);
        expected[38 - 1] = u(c.fund);
        expected[42 - 1] = u(c.patient);
        expected[45 - 1] = u(c.fund);
        const QString digits = u(c.capitals);
        ASSERT_EQ(digits.size(), 7);
        for (int i = 0; i < 7; ++i)
            expected[52 - i - 1] = digits.at(i);
        EXPECT_EQ(texts(slip), expected) << c.expenses << " " << c.deductionsTotal << " "
                                         << c.threshold;
    }
}

TEST(SettleLevel2, OtherRowsAndInputsAreNeverWritten)
{
    MemorySlip slip = slipWith("5000", "100", "300");
    for (int box : {29, 31, 32, 33, 35, 36, 37, 39, 40, 41, 43, 44})
        slip.setText(box, QStringLiteral("x%1").arg(box));
    const auto before = texts(slip);
    settleLevel2(slip);
    const auto after = texts(slip);
    for (int box = 1; box <= 58; ++box) {
        const bool written = box == 34 || box == 38 || box == 42 || (box >= 45 && box <= 52);
        if (!written) {
            EXPECT_EQ(after[box - 1], before[box - 1]) << "Edit" << box;
        }
    }
}

TEST(SettleLevel2, HigherCapitalDigitsStayUntilClear)
{
    MemorySlip slip = slipWith("3000", "0", "0");
    settleLevel2(slip);
    EXPECT_EQ(slip.text(45), "1950.00");
    EXPECT_EQ(capitals(slip), u("零零零伍玖壹█"));

    slip.setText(20, "1000");
    settleLevel2(slip);
    EXPECT_EQ(slip.text(45), "650.00");
    EXPECT_EQ(capitals(slip), u("零零零伍陆壹█"));

    clearSlip(slip);
    slip.setText(20, "1000");
    settleLevel2(slip);
    EXPECT_EQ(capitals(slip), u("零零零伍陆██"));
}

TEST(SettleLevel2, UsesTheDeductionsTotalAsLastWritten)
{
    MemorySlip slip = slipWith("1000", "0", "0");
    slip.setText(23, "50");
    totalDeductions(slip);
    ASSERT_EQ(slip.text(28), "50");
    slip.setText(23, "100");  // changed, but Edit28 not clicked again
    settleLevel2(slip);
    EXPECT_EQ(slip.text(34), "950");
    EXPECT_EQ(slip.text(38), "617.50");
}

TEST(SettleLevel2, ComputesTheSharesFromTheBaseAsDisplayed)
{
    // The base is the double 100.50000000000001421..., shown as 100.5.
    // 35 % of the double would be 35.1750000000000049... -> 35.18; of the
    // text it is 35.17.
    MemorySlip slip = slipWith("100.500000000000011", "0", "0");
    settleLevel2(slip);
    EXPECT_EQ(slip.text(34), "100.5");
    EXPECT_EQ(slip.text(38), "65.33");
    EXPECT_EQ(slip.text(42), "35.17");
}

TEST(SettleLevel2, AConversionErrorChangesNothing)
{
    const char *const bad[] = {"", "1.2.3", "1 2", "12a", "+", "-"};
    for (int box : {20, 28, 30}) {
        for (const char *text : bad) {
            MemorySlip slip = slipWith("3000", "0", "0");
            settleLevel2(slip);  // boxes now hold an earlier result
            slip.setText(box, u(text));
            const auto before = texts(slip);
            try {
                settleLevel2(slip);
                ADD_FAILURE() << "no error for '" << text << "' in Edit" << box;
            } catch (const ConversionError &e) {
                EXPECT_EQ(e.message(), u("'") + u(text) + u("' is not a valid floating point value"));
            }
            EXPECT_EQ(texts(slip), before) << "Edit" << box << " '" << text << "'";
        }
    }
}

TEST(SettleLevel2, ABaseBeyondTheDoubleRangeChangesNothing)
{
    MemorySlip slip = slipWith("1e4000", "0", "0");
    const auto before = texts(slip);
    try {
        settleLevel2(slip);
        ADD_FAILURE() << "no error";
    } catch (const Exception &e) {
        EXPECT_EQ(e.message(), "Floating point overflow");
    }
    EXPECT_EQ(texts(slip), before);
}

TEST(SettleLevel2, ANegativeBaseEmptiesEveryCapitalBox)
{
    MemorySlip slip = slipWith("200000", "0", "0");
    settleLevel2(slip);
    ASSERT_EQ(capitals(slip), u("零零零零零零叁"));

    slip.setText(20, "0");
    slip.setText(30, "200");
    settleLevel2(slip);
    EXPECT_EQ(slip.text(34), "-200");
    EXPECT_EQ(slip.text(38), "-130.00");
    EXPECT_EQ(slip.text(42), "-70.00");
    EXPECT_EQ(slip.text(45), "-130.00");
    EXPECT_EQ(capitals(slip), QString(7, Empty.at(0)));
}

TEST(SettleLevel2, ATinyNegativeBaseGivesZeroShares)
{
    MemorySlip slip = slipWith("0", "0.001", "0");
    settleLevel2(slip);
    EXPECT_EQ(slip.text(34), "-0.001");
    EXPECT_EQ(slip.text(38), "0.00");
    EXPECT_EQ(slip.text(42), "0.00");
    EXPECT_EQ(capitals(slip), u("零零零████"));
}

TEST(SettleLevel2, TotalsBeyond32BitFenKeepTheirLowestSevenDigits)
{
    const SettlementCase cases[] = {
        {"40000000", "0", "0", "40000000", "26000000.00", "14000000.00", "零零零零零零零"},
        {"40000123.45", "0", "0", "40000123.45", "26000080.24", "14000043.21", "肆贰零捌零零零"},
        {"33041000", "0", "0", "33041000", "21476650.00", "11564350.00", "零零零伍陆陆柒"},
        // 0.65 (a double) times 1e18 keeps its representation error in the
        // 18 digits: 650000000000000022.00, far beyond 64-bit fen.
        {"1e18", "0", "0", "1E18", "650000000000000022.00", "349999999999999978.00",
         "零零贰贰零零零"},
    };
    for (const SettlementCase &c : cases) {
        MemorySlip slip = slipWith(c.expenses, c.deductionsTotal, c.threshold);
        settleLevel2(slip);
        EXPECT_EQ(slip.text(34), c.base);
        EXPECT_EQ(slip.text(38), c.fund);
        EXPECT_EQ(slip.text(42), c.patient);
        EXPECT_EQ(slip.text(45), c.fund);
        EXPECT_EQ(capitals(slip), u(c.capitals)) << c.expenses;
    }
}

TEST(SettleLevel2, AfterClearTheDeductionsAndTheSettlementStartFromZero)
{
    MemorySlip slip = slipWith("200000", "5", "7");
    settleLevel2(slip);
    clearSlip(slip);
    totalDeductions(slip);
    EXPECT_EQ(slip.text(28), "0");
    settleLevel2(slip);
    EXPECT_EQ(slip.text(34), "0");
    for (int box : {38, 42, 45})
        EXPECT_EQ(slip.text(box), "0.00") << "Edit" << box;
    EXPECT_EQ(capitals(slip), u("零零零████"));
}

// ---- the two shares add up to the base ------------------------------------

// "65.33" -> 6533; the money texts here carry exactly two decimals.
std::int64_t fenOf(const QString &money)
{
    std::int64_t fen = 0;
    bool negative = false;
    for (QChar c : money) {
        if (c == QLatin1Char('-'))
            negative = true;
        else if (c != QLatin1Char('.'))
            fen = fen * 10 + (c.unicode() - u'0');
    }
    return negative ? -fen : fen;
}

// Every base 0.00 .. 99999.99, in ten blocks of a million so that the
// blocks run side by side. The base as read back from its text is the
// extended value nearest to n / 100, which is what n / 100.0L is.
class SharesAddUp : public testing::TestWithParam<int> {};

TEST_P(SharesAddUp, ForEveryBaseWithTwoDecimalsInTheBlock)
{
    constexpr std::int64_t BlockSize = 1'000'000;
    const std::int64_t begin = GetParam() * BlockSize;
    std::int64_t mismatches = 0;
    std::int64_t first = -1;
    for (std::int64_t n = begin; n < begin + BlockSize; ++n) {
        const long double base = static_cast<long double>(n) / 100;
        const std::int64_t fund = fenOf(FormatMoney(base * FundRate));
        const std::int64_t patient = fenOf(FormatMoney(base * PatientRate));
        if (fund + patient != n) {
            if (first < 0)
                first = n;
            ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0) << "first at base " << first << " fen";
}

INSTANTIATE_TEST_SUITE_P(SettlementShares, SharesAddUp, testing::Range(0, 10));

}  // namespace
