#include "Exception.h"
#include "NumberText.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <string>

namespace {

QString conversionMessage(const QString &text)
{
    try {
        StrToFloat(text);
    } catch (const ConversionError &e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

// ---- text to number -------------------------------------------------------

TEST(StrToFloat, AcceptsTheNumberGrammar)
{
    struct Case { const char *text; long double value; };
    const Case cases[] = {
        {"0", 0},
        {"12.5", 12.5L},
        {"  12.5  ", 12.5L},
        {"+3", 3},
        {"-3", -3},
        {"007", 7},
        {".", 0},
        {"+.", 0},
        {"-.", 0},
        {"5.", 5},
        {".5", 0.5L},
        {"-.25", -0.25L},
        {"1e3", 1000},
        {"1E3", 1000},
        {"1e+3", 1000},
        {"2.5e-1", 0.25L},
        {"1.5E-5", 1.5E-5L},
        {" -2.5e2 ", -250},
        {".e5", 0},
        {"5.e1", 50},
        {"1e0000000000000000000000000000000000005", 100000},
        {"0.000000000000000000000000000001e30", 1},
        {"1e-99999999999999999999", 0},  // below the range: nearest is 0
    };
    for (const Case &c : cases)
        EXPECT_EQ(StrToFloat(u(c.text)), c.value) << c.text;
}

TEST(StrToFloat, ReadsANegativeZeroAsZero)
{
    const long double value = StrToFloat(QStringLiteral("-0"));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(FloatToStr(value), "0");
}

TEST(StrToFloat, RoundsToTheNearestExtendedValue)
{
    // Literals with an L suffix are correctly rounded by the compiler.
    EXPECT_EQ(StrToFloat("0.1"), 0.1L);
    EXPECT_EQ(StrToFloat("2000.3"), 2000.3L);
    EXPECT_EQ(StrToFloat("0.82"), 0.82L);
    EXPECT_EQ(StrToFloat("100.5"), 100.5L);
    EXPECT_EQ(StrToFloat("12345678901234567891"), 12345678901234567891.0L);
    EXPECT_EQ(StrToFloat("3.14159265358979323846264338327950288"),
              3.14159265358979323846264338327950288L);
    EXPECT_EQ(StrToFloat("1e4932"), 1e4932L);
    EXPECT_NE(StrToFloat("0.1"), static_cast<long double>(0.1));  // not via double
}

TEST(StrToFloat, RejectsEverythingElseWithTheTextInTheMessage)
{
    const char *const texts[] = {
        "", " ", "   ", "1.2.3", "..", "1..2", "1 2", "1. 2", "- 1", "+-1", "--1",
        "+", "-", "1e", "1e+", "1E-", "e5", "E", "1e5.5", "1e 5", "1.2e3e4", "1,5",
        "1,000", "abc", "12a", "0x10", "inf", "INF", "nan", "\t1", "1\n", "1_000",
        "１２", "１.5", "½", "1٫5", "12元",
    };
    for (const char *text : texts)
        EXPECT_EQ(conversionMessage(u(text)),
                  u("'") + u(text) + u("' is not a valid floating point value"))
            << text;
}

TEST(StrToFloat, QuotesTheTextAsGivenIncludingBlanks)
{
    EXPECT_EQ(conversionMessage("  1 2 "), "'  1 2 ' is not a valid floating point value");
    EXPECT_EQ(conversionMessage(""), "'' is not a valid floating point value");
    EXPECT_EQ(conversionMessage("1.2.3"), "'1.2.3' is not a valid floating point value");
}

TEST(StrToFloat, RejectsNumbersBeyondTheExtendedRange)
{
    for (const char *text : {"1e4933", "-1e5000", "1e99999999999999999999", "2e4932"})
        EXPECT_EQ(conversionMessage(u(text)),
                  u("'") + u(text) + u("' is not a valid floating point value"))
            << text;
}

TEST(StrToFloat, IgnoresTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char *commaLocale = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            commaLocale = name;
            break;
        }
    }
    if (!commaLocale)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(StrToFloat("12.5"), 12.5L);
    EXPECT_EQ(FloatToStr(12.5L), "12.5");
    EXPECT_EQ(FormatMoney(12.5L), "12.50");
    EXPECT_THROW(StrToFloat("12,5"), ConversionError);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// ---- number to plain text -------------------------------------------------

TEST(FloatToStr, WritesAtMostFifteenSignificantDigits)
{
    struct Case { long double value; const char *text; };
    const Case cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {1, "1"},
        {-200, "-200"},
        {800, "800"},
        {500.1L, "500.1"},
        {15.75L, "15.75"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},  // 0.30000000000000004 as a double
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-2.0 / 3, "-0.666666666666667"},
        {123456789012345, "123456789012345"},
        {999999999999999, "999999999999999"},
        {12345.678901234567L, "12345.6789012346"},
        {0.0001L, "0.0001"},
        {0.00012345L, "0.00012345"},
        {100.5L, "100.5"},
        {99999.99L, "99999.99"},
        {1e14L + 0.25L, "100000000000000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

TEST(FloatToStr, TakesTheValueToDoubleFirst)
{
    // 0.1 in extended precision differs from 0.1 as a double, but both
    // read as 0.1 once taken to double.
    EXPECT_EQ(FloatToStr(0.1L), "0.1");
    // 1 + 2^-60 is 1 as a double.
    EXPECT_EQ(FloatToStr(1.0L + 0x1p-60L), "1");
}

TEST(FloatToStr, RoundsAHalfAwayFromZeroOnTheExactExpansion)
{
    struct Case { double value; const char *text; };
    const Case cases[] = {
        // Exact ties at the 16th digit: away from zero, where printf's
        // nearest-even would give ...0, ...4 and ...2.
        {100000000000000.5, "100000000000001"},
        {-100000000000000.5, "-100000000000001"},
        {123456789012344.5, "123456789012345"},
        {100000000000002.5, "100000000000003"},
        // Just above and below a half.
        {100000000000000.625, "100000000000001"},
        {100000000000000.375, "100000000000000"},
        // 9 carrying into a new digit.
        {999999999999999.5, "1E15"},
        // 0.15 as a double lies below 0.15 but the 16th digit decides.
        {0.15, "0.15"},
        {1.0000000000000049, "1"},           // 1.00000000000000488...
        {1.0000000000000051, "1.00000000000001"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

TEST(FloatToStr, UsesScientificFormOnlyForTinyOrHugeMagnitudes)
{
    struct Case { double value; const char *text; };
    const Case cases[] = {
        {1e15, "1E15"},
        {1.5e-5, "1.5E-5"},
        {-1.2e20, "-1.2E20"},
        {0.00001, "1E-5"},
        {0.000099999, "9.9999E-5"},
        {9.99999999999999999e-5, "0.0001"},  // rounds up to 0.0001 first
        {1234567890123456.0, "1.23456789012346E15"},
        {123456789012345678.0, "1.23456789012346E17"},
        {9999999999999998.0, "1E16"},
        {1e100, "1E100"},
        {-1e-100, "-1E-100"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {4.9406564584124654e-324, "4.94065645841247E-324"},
        {2.2250738585072014e-308, "2.2250738585072E-308"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

TEST(FloatToStr, WritesInfinitiesAndNaN)
{
    EXPECT_EQ(FloatToStr(INFINITY), "INF");
    EXPECT_EQ(FloatToStr(-INFINITY), "-INF");
    EXPECT_EQ(FloatToStr(NAN), "NAN");
    EXPECT_EQ(FloatToStr(1e400L), "INF");  // beyond the double range
}

TEST(FloatToStr, TextsOfTwoDecimalAmountsReadBackToTheSameValue)
{
    for (long long n = 0; n <= 9999999; n += 997) {
        const long double value = static_cast<long double>(n) / 100;
        const QString text = FloatToStr(value);
        const QString expected = QString::number(n / 100) + (n % 100 == 0 ? QString()
            : n % 10 == 0 ? QStringLiteral(".%1").arg(n / 10 % 10)
                          : QStringLiteral(".%1").arg(n % 100, 2, 10, QLatin1Char('0')));
        ASSERT_EQ(text, expected) << n;
        ASSERT_EQ(StrToFloat(text), value) << n;
    }
}

// ---- number to money text -------------------------------------------------

TEST(FormatMoney, RoundsToTwoDecimals)
{
    struct Case { long double value; const char *text; };
    const Case cases[] = {
        {0, "0.00"},
        {-0.0L, "0.00"},
        {1, "1.00"},
        {800, "800.00"},
        {0.5L, "0.50"},
        {0.05L, "0.05"},
        {0.005L, "0.01"},
        {0.0049L, "0.00"},
        {0.00049L, "0.00"},
        {0.00001L, "0.00"},
        {1e-4000L, "0.00"},
        {0.125L, "0.13"},
        {-0.125L, "-0.13"},
        {2.675, "2.67"},   // the double lies below 2.675
        {2.675L, "2.68"},  // the extended value lies above
        {999.995L, "1000.00"},
        {9.995L, "10.00"},
        {-130, "-130.00"},
        {-70, "-70.00"},
        {1234567.891L, "1234567.89"},
        {26000000, "26000000.00"},
        {1e15L, "1000000000000000.00"},
        {-1.2e20L, "-120000000000000000000.00"},
        {123456789012345678.0L, "123456789012345678.00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormatMoney(c.value), c.text) << c.text;
}

TEST(FormatMoney, NeverWritesMinusZero)
{
    EXPECT_EQ(FormatMoney(-0.001L), "0.00");
    EXPECT_EQ(FormatMoney(-0.004999L), "0.00");
    EXPECT_EQ(FormatMoney(-1e-30L), "0.00");
    EXPECT_EQ(FormatMoney(-0.005L), "-0.01");
}

TEST(FormatMoney, JudgesHalvesOnEighteenSignificantDigits)
{
    // 1e18 + 5 scaled to 18 digits is an exact tie: nearest even.
    EXPECT_EQ(FormatMoney(1000000000000000005.0L), "1000000000000000000.00");
    EXPECT_EQ(FormatMoney(1000000000000000015.0L), "1000000000000000020.00");
    // 0.0050000000000000000001 and 0.00499999999999999999996 both have
    // 5000... as their first 18 digits.
    EXPECT_EQ(FormatMoney(0.00499999999999999999996L), "0.01");
    // 18 digits of 65.32499999999999999 (extended) carry up to 65.325.
    EXPECT_EQ(FormatMoney(65.324999999999999999L), "65.33");
    EXPECT_EQ(FormatMoney(65.3249999999999996L), "65.32");
}

TEST(FormatMoney, SharesOfTheWorkedExamples)
{
    struct Case { const char *base; const char *fund; const char *patient; };
    const Case cases[] = {
        {"100.5", "65.33", "35.17"},
        {"0.82", "0.53", "0.29"},
        {"2000.3", "1300.20", "700.10"},
        {"800", "520.00", "280.00"},
        {"0", "0.00", "0.00"},
        {"-200", "-130.00", "-70.00"},
        {"200000", "130000.00", "70000.00"},
        {"40000000", "26000000.00", "14000000.00"},
    };
    for (const Case &c : cases) {
        const long double base = StrToFloat(c.base);
        EXPECT_EQ(FormatMoney(base * 0.65), c.fund) << c.base;
        EXPECT_EQ(FormatMoney(base * 0.35), c.patient) << c.base;
    }
}

TEST(FormatMoney, WritesInfinitiesAndNaN)
{
    EXPECT_EQ(FormatMoney(INFINITY), "INF");
    EXPECT_EQ(FormatMoney(-INFINITY), "-INF");
    EXPECT_EQ(FormatMoney(NAN), "NAN");
}

TEST(FormatMoney, WritesEveryIntegerDigitOfTheLargestValue)
{
    // 1.18973149535723176502e4932: its 18 digits round up to ...177.
    const QString text = FormatMoney(LDBL_MAX);
    EXPECT_EQ(text.size(), 4933 + 3);
    EXPECT_TRUE(text.startsWith("118973149535723177000")) << qPrintable(text.left(30));
    EXPECT_TRUE(text.endsWith("000.00"));
}

// ---- taking a value to double ---------------------------------------------

TEST(RoundToDouble, RoundsToNearest)
{
    EXPECT_EQ(RoundToDouble(0.1L), 0.1);
    EXPECT_EQ(RoundToDouble(1.0L + 0x1p-60L), 1.0);
    EXPECT_EQ(RoundToDouble(-200), -200.0);
}

TEST(RoundToDouble, RefusesValuesBeyondTheDoubleRange)
{
    for (long double value : {1e309L, -1e4000L, static_cast<long double>(INFINITY)}) {
        try {
            RoundToDouble(value);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError &) {
            ADD_FAILURE() << "not a conversion error";
        } catch (const Exception &e) {
            EXPECT_EQ(e.message(), "Floating point overflow");
        }
    }
}

}  // namespace
