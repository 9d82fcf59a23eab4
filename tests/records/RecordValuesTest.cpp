// The values a save records: date pieces, cell kinds, counter rows, sums and
// the bytes of the ledger line.

#include "CellValue.h"
#include "DataRow.h"
#include "DeclarationDate.h"
#include "Exception.h"
#include "PaymentLedger.h"
#include "PaymentRecord.h"
#include "SettlementSlip.h"
#include "XlsActiveSheet.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    const char *text, *year, *month, *day;
};

TEST(SplitDeclarationDate, SplitsOnTheBytesOfTheText)
{
    const DateCase cases[] = {
        {"2012-12-9", "2012", "12", "9"},
        {"2012/1/5", "2012", "1", "5"},
        {"", "", "", ""},
        {"20121209", "20121209", "", ""},
        {"2012-12", "2012", "12", ""},
        {"2012-", "2012", "", ""},
        {"-12-9", "", "12", "9"},
        {"2012年12月9日", "2012", "", "12月9日"},
        {"2012.12.09x", "2012", "12", "09x"},
        // the byte after the month cuts 月 in two: the half is no text
        {"2012-12月9日", "2012", "12", "9日"},
        // characters GBK lacks take four bytes, two of them ASCII digits:
        // a skip passes over the whole character and invents no digits
        {"2012\U00020000" "12-9", "2012", "12", "9"},
        {"2012-5\U0001F600", "2012", "5", ""},
        {"2012-5\u0080" "7", "2012", "5", "7"},
    };
    for (const DateCase &c : cases) {
        const DeclarationDate date = SplitDeclarationDate(QString::fromUtf8(c.text));
        EXPECT_EQ(date, (DeclarationDate{QString::fromUtf8(c.year), QString::fromUtf8(c.month),
                                         QString::fromUtf8(c.day)}))
            << c.text << " gave " << date.year.toStdString() << "|" << date.month.toStdString() << "|"
            << date.day.toStdString();
    }
}

TEST(CellValue, OnlyPlainDecimalNumbersBecomeNumbers)
{
    const struct {
        const char *text;
        double number;  // NaN: stays text
    } cases[] = {
        {"0", 0}, {"20", 20}, {"0.3", 0.3}, {"520.00", 520}, {"123456789012345", 123456789012345.0},
        {"0.000000000000001", 1e-15},
        {"", NAN}, {"007", NAN}, {"-5", NAN}, {"+5", NAN}, {"1.2.3", NAN}, {".5", NAN}, {"5.", NAN},
        {"1E5", NAN}, {" 5", NAN}, {"5 ", NAN}, {"1234567890123456", NAN}, {"=1+1", NAN},
        {"１２", NAN}, {"12元", NAN},
    };
    for (const auto &c : cases) {
        const CellValue value = cellValueOf(QString::fromUtf8(c.text));
        if (std::isnan(c.number)) {
            ASSERT_TRUE(std::holds_alternative<QString>(value)) << c.text;
            EXPECT_EQ(std::get<QString>(value), QString::fromUtf8(c.text));
        } else {
            ASSERT_TRUE(std::holds_alternative<double>(value)) << c.text;
            EXPECT_EQ(std::get<double>(value), c.number) << c.text;
        }
    }
}

TEST(DataRow, TheCounterNamesARowOfTheSheet)
{
    const struct {
        CounterCell counter;
        int row;  // 0: refused
    } cases[] = {
        {{5.0, {}}, 5},
        {{4.6, {}}, 5},
        {{2.5, {}}, 2},
        {{1.0, {}}, 1},
        {{65536.0, {}}, 65536},
        {{{}, QStringLiteral("7")}, 7},
        {{{}, {}}, 0},
        {{{}, QStringLiteral("   ")}, 0},
        {{{}, QStringLiteral("abc")}, 0},
        {{0.0, {}}, 0},
        {{0.4, {}}, 0},
        {{-3.0, {}}, 0},
        {{65537.0, {}}, 0},
        {{1e300, {}}, 0},
        {{{}, QStringLiteral("65537")}, 0},
    };
    for (const auto &c : cases) {
        const QString describe = c.counter.number ? QString::number(*c.counter.number) : c.counter.text;
        if (c.row != 0) {
            EXPECT_EQ(dataRowFrom(c.counter, QStringLiteral("/w/book.xls")), c.row) << describe.toStdString();
            continue;
        }
        try {
            dataRowFrom(c.counter, QStringLiteral("/w/book.xls"));
            ADD_FAILURE() << describe.toStdString() << " was taken as a row";
        } catch (const Exception &error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("AA2")) && error.message().contains(QStringLiteral("/w/book.xls")))
                << error.message().toStdString();
        }
    }
}

// A slip with every box empty but those given.
MemorySlip slipWith(std::initializer_list<std::pair<int, const char *>> texts)
{
    MemorySlip slip;
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        slip.setText(box, QString());
    for (const auto &[box, text] : texts)
        slip.setText(box, QString::fromUtf8(text));
    return slip;
}

TEST(PaymentRecord, SumsOfTheDeductions)
{
    const struct {
        const char *edit23, *edit24, *edit25, *edit26, *edit27;
        const char *field18, *field19, *field32;
    } cases[] = {
        {"0", "0", "0", "0", "0", "0", "0", "0"},
        {"12.5", "7.5", "0", "0", "0", "20", "0", "0"},
        {"0.1", "0.2", "0.1", "0.2", "0.2", "0.3", "0.5", "0.3"},
        {"1", "2", "3", "4", "5", "3", "12", "8"},
    };
    for (const auto &c : cases) {
        const PaymentRecord record = PaymentRecord::fromSlip(
            slipWith({{23, c.edit23}, {24, c.edit24}, {25, c.edit25}, {26, c.edit26}, {27, c.edit27}}));
        EXPECT_EQ(record.values[17], QString::fromUtf8(c.field18));
        EXPECT_EQ(record.values[18], QString::fromUtf8(c.field19));
        EXPECT_EQ(record.values[31], QString::fromUtf8(c.field32));
    }
}

TEST(PaymentRecord, AnAmountThatIsNoNumberStopsTheRecordWithItsText)
{
    const struct {
        int box;
        const char *text, *message;
    } cases[] = {
        {24, "", "'' is not a valid floating point value"},
        {23, "1.2.3", "'1.2.3' is not a valid floating point value"},
        {27, "x", "'x' is not a valid floating point value"},
    };
    for (const auto &c : cases) {
        MemorySlip slip = slipWith({{23, "0"}, {24, "0"}, {25, "0"}, {26, "0"}, {27, "0"}});
        slip.setText(c.box, QString::fromUtf8(c.text));
        try {
            PaymentRecord::fromSlip(slip);
            ADD_FAILURE() << "box " << c.box << " holding '" << c.text << "' was taken";
        } catch (const ConversionError &error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(PaymentLedger, TheLineHoldsEveryFieldInGbkFollowedByTabAndEndsInCrLf)
{
    const PaymentRecord record = PaymentRecord::fromSlip(slipWith({
        {4, "2012-12-9"}, {5, "A01"}, {6, "张三"}, {9, "45"}, {10, "110101199001011234"},
        {12, "桐溪医院"}, {13, "肺炎"}, {16, "2012-11-1"}, {17, "2012-11-20"}, {18, "19"},
        {21, "1"}, {22, "300"}, {23, "12.5"}, {24, "7.5"}, {25, "1"}, {26, "2"}, {27, "3"},
        {30, "200"}, {34, "800"}, {38, "520.00"}, {42, "280.00"}, {56, "50"}, {57, "600"}, {58, "0"},
    }));
    const QByteArray expected =
        "A01\t2012\t12\t9\t\t\xD5\xC5\xC8\xFD\t45\t110101199001011234\t\xCD\xA9\xCF\xAA\xD2\xBD\xD4\xBA\t\t"
        "\xB7\xCE\xD1\xD7\t1\t2012-11-1\t2012-11-20\t19\t50\t\t20\t6\t200\t800\t\t520.00\t280.00\t0\t\t\t"
        "600\t12.5\t7.5\t2\t4\t\t\t300\t\r\n";
    EXPECT_EQ(PaymentLedger::line(record), expected);
}

TEST(PaymentLedger, AnEmptyRecordIsThirtyFiveTabs)
{
    EXPECT_EQ(PaymentLedger::line(PaymentRecord{}), QByteArray(35, '\t') + "\r\n");
}

TEST(XlsActiveSheet, BytesThatAreNoWorkbookGiveNothing)
{
    const QByteArray magic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    const QByteArray cases[] = {
        QByteArray(), QByteArray("a,b\n1,2\n"), magic, magic + QByteArray(600, '\xFF'),
        magic + QByteArray(4000, '\0'),
    };
    for (const QByteArray &bytes : cases)
        EXPECT_EQ(xlsActiveSheet(bytes), std::nullopt) << bytes.size() << " bytes";
}

} // namespace
