#include "AutomaticFills.h"
#include "SettlementSlip.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

TEST(DeclarationDateText, YearMonthDayWithoutLeadingZeros)
{
    struct Case { int year, month, day; const char *text; };
    const Case cases[] = {
        {2026, 12, 9, "2026-12-9"},
        {2026, 1, 5, "2026-1-5"},
        {2025, 10, 31, "2025-10-31"},
        {2024, 2, 29, "2024-2-29"},
        {2000, 1, 1, "2000-1-1"},
        {999, 3, 4, "0999-3-4"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DeclarationDateText(QDate(c.year, c.month, c.day)), c.text) << c.text;
}

TEST(DeclarationDateText, IsTheSameOnEveryLocale)
{
    const QLocale saved;
    for (QLocale::Language language : {QLocale::German, QLocale::Arabic, QLocale::Chinese,
                                       QLocale::English}) {
        QLocale::setDefault(QLocale(language));
        EXPECT_EQ(DeclarationDateText(QDate(2026, 3, 7)), "2026-3-7") << int(language);
    }
    QLocale::setDefault(saved);
}

TEST(FillDeclarationDate, ReplacesBoxFourOnly)
{
    MemorySlip slip;
    slip.setText(4, QStringLiteral("1999/1/1 typed by hand"));
    MemorySlip expected = slip;
    fillDeclarationDate(slip, QDate(2026, 12, 9));
    expected.setText(4, QStringLiteral("2026-12-9"));
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        EXPECT_EQ(slip.text(box), expected.text(box)) << "Edit" << box;

    fillDeclarationDate(slip, QDate(2026, 12, 9));  // a second click: same text
    EXPECT_EQ(slip.text(4), "2026-12-9");
}

TEST(CopyDeclarantToPatient, CopiesBoxTwoIntoBoxSix)
{
    MemorySlip slip;
    slip.setText(2, QString::fromUtf8("张三"));
    slip.setText(6, QStringLiteral("old name"));
    MemorySlip expected = slip;
    copyDeclarantToPatient(slip);
    expected.setText(6, QString::fromUtf8("张三"));
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        EXPECT_EQ(slip.text(box), expected.text(box)) << "Edit" << box;
}

TEST(CopyDeclarantToPatient, AnEmptyDeclarantEmptiesTheName)
{
    MemorySlip slip;
    slip.setText(6, QString::fromUtf8("李四"));
    copyDeclarantToPatient(slip);
    EXPECT_TRUE(slip.text(6).isEmpty());
    EXPECT_TRUE(slip.text(2).isEmpty());
}

}  // namespace
