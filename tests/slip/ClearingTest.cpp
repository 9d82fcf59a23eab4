#include "Clearing.h"
#include "SettlementSlip.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What every box holds after Clear, written out box by box.
QString textAfterClear(int box)
{
    if (box <= 18 || (box >= 53 && box <= 55))
        return QString();
    if (box == 19 || box == 21)
        return QStringLiteral("1");
    if (box >= 46 && box <= 52)
        return u("█");
    return QStringLiteral("0");  // 20, 22..45, 56..58
}

// Records the order of the writes and fails on any read.
class RecordingSlip : public SettlementSlip {
public:
    QString text(int box) const override
    {
        ADD_FAILURE() << "Clear read Edit" << box;
        return QString();
    }
    void setText(int box, const QString &) override { writes.push_back(box); }
    std::vector<int> writes;
};

TEST(ClearSlip, WritesTheClearTextOfEveryBox)
{
    MemorySlip slip;
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        slip.setText(box, QStringLiteral("typed %1").arg(box));
    clearSlip(slip);
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        EXPECT_EQ(slip.text(box), textAfterClear(box)) << "Edit" << box;
}

TEST(ClearSlip, EmptiesTheDistrictAndTheSignatoriesOfAFreshSlip)
{
    MemorySlip slip;
    slip.setText(53, u("王五"));
    slip.setText(54, u("赵六"));
    slip.setText(55, u("孙七"));
    ASSERT_EQ(slip.text(1), u("桐溪区"));
    clearSlip(slip);
    for (int box : {1, 53, 54, 55})
        EXPECT_TRUE(slip.text(box).isEmpty()) << "Edit" << box;
}

TEST(ClearSlip, WritesBoxesOneTo58InOrderAndReadsNothing)
{
    RecordingSlip slip;
    clearSlip(slip);
    std::vector<int> expected;
    for (int box = 1; box <= 58; ++box)
        expected.push_back(box);
    EXPECT_EQ(slip.writes, expected);
}

}  // namespace
