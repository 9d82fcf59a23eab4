#include "FieldCatalogue.h"
#include "SettlementSlip.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FieldCatalogue, HoldsFiftyEightBoxesInNumberOrder)
{
    const auto fields = fieldCatalogue();
    ASSERT_EQ(fields.size(), 58u);
    for (int i = 0; i < 58; ++i)
        EXPECT_EQ(fields[i].number, i + 1);
}

TEST(FieldCatalogue, PlacesAndSizesOfSampleBoxes)
{
    struct Case { int box, left, top, width, height; };
    const Case cases[] = {
        {1, 116, 57, 81, 19},  {10, 435, 77, 136, 19}, {20, 260, 117, 144, 19},
        {28, 156, 297, 80, 19}, {34, 405, 217, 103, 19}, {45, 212, 317, 104, 19},
        {48, 542, 317, 20, 19}, {49, 588, 317, 20, 21},  {52, 719, 317, 20, 21},
        {55, 672, 337, 64, 21}, {58, 700, 297, 104, 21},
    };
    for (const Case &c : cases) {
        const FieldSpec &f = fieldSpec(c.box);
        EXPECT_EQ(f.left, c.left) << "Edit" << c.box;
        EXPECT_EQ(f.top, c.top) << "Edit" << c.box;
        EXPECT_EQ(f.width, c.width) << "Edit" << c.box;
        EXPECT_EQ(f.height, c.height) << "Edit" << c.box;
    }
}

TEST(FieldCatalogue, EveryBoxLiesInsideThePicture)
{
    for (const FieldSpec &f : fieldCatalogue()) {
        EXPECT_GE(f.left, 0);
        EXPECT_LE(f.left + f.width, 861) << "Edit" << f.number;
        EXPECT_LE(f.top + f.height, 417) << "Edit" << f.number;
    }
}

TEST(FieldCatalogue, ReadOnlyAndFilteredSets)
{
    std::set<int> readOnly, filtered, unprinted;
    for (const FieldSpec &f : fieldCatalogue()) {
        if (f.readOnly) readOnly.insert(f.number);
        if (f.numericFilter) filtered.insert(f.number);
        if (!f.printed) unprinted.insert(f.number);
    }
    std::set<int> expectedReadOnly{28};
    for (int n = 33; n <= 45; ++n) expectedReadOnly.insert(n);
    EXPECT_EQ(readOnly, expectedReadOnly);
    EXPECT_EQ(filtered, (std::set<int>{9, 18, 19, 20, 22, 23, 24, 25, 26, 27, 29, 30, 31, 32, 56, 57, 58}));
    EXPECT_EQ(unprinted, (std::set<int>{56, 57, 58}));
}

TEST(FieldCatalogue, StartUpDefaultsOfAFreshSlip)
{
    const MemorySlip slip;
    EXPECT_EQ(slip.text(1), u("桐溪区"));
    EXPECT_EQ(slip.text(19), "1");
    EXPECT_EQ(slip.text(21), "1");
    for (int n : {2, 3, 4, 5, 6, 9, 18, 53, 54, 55})
        EXPECT_TRUE(slip.text(n).isEmpty()) << "Edit" << n;
    for (int n : {20, 22, 23, 27, 28, 29, 30, 33, 34, 38, 42, 44, 45, 56, 57, 58})
        EXPECT_EQ(slip.text(n), "0") << "Edit" << n;
    for (int n = 46; n <= 52; ++n) {
        EXPECT_EQ(slip.text(n), QString(QChar(0x2588))) << "Edit" << n;
        EXPECT_EQ(slip.text(n).toUtf8(), QByteArray(EmptyCapital));
    }
}

}  // namespace
