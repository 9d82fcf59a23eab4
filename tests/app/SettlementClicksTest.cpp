#include "FieldCatalogue.h"
#include "MainFormFixture.h"
#include "ModalMessage.h"
#include "TestText.h"

#include <QPushButton>
#include <QTest>

namespace {

using SettlementClicks = MainFormFixture;

TEST_F(SettlementClicks, ClicksComputeTheLevelTwoRowAndClearResetsIt)
{
    startWindow("[Name]\n复核=甲\n");
    QTest::keyClicks(box(1), u("x"));
    box(20)->clear();
    QTest::keyClicks(box(20), u("1000"));
    box(30)->clear();
    QTest::keyClicks(box(30), u("200"));
    box(24)->clear();
    QTest::keyClicks(box(24), u("12.5"));

    // The base uses the deductions total as last computed: not yet clicked.
    QTest::mouseClick(box(34), Qt::LeftButton);
    EXPECT_EQ(box(34)->text(), u("800"));
    QTest::mouseClick(box(28), Qt::LeftButton);
    EXPECT_EQ(box(28)->text(), u("12.5"));
    QTest::mouseClick(box(34), Qt::LeftButton);
    EXPECT_EQ(box(34)->text(), u("787.5"));
    EXPECT_EQ(box(38)->text(), u("511.88"));
    EXPECT_EQ(box(42)->text(), u("275.62"));
    EXPECT_EQ(box(45)->text(), u("511.88"));
    const char *capitals[] = {"捌", "捌", "壹", "壹", "伍", "█", "█"};  // Edit52 down to Edit46
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(box(52 - i)->text(), u(capitals[i])) << "Edit" << 52 - i;

    QTest::mouseClick(m_form->findChild<QPushButton *>(u("Button3")), Qt::LeftButton);
    for (const FieldSpec &field : fieldCatalogue())
        EXPECT_EQ(box(field.number)->text(), u(field.clearText)) << "Edit" << field.number;
}

TEST_F(SettlementClicks, ANonNumberIsReportedAndChangesNoBox)
{
    startWindow(nullptr);
    box(23)->clear();
    QTest::keyClicks(box(23), u("1.2.3"));
    box(28)->setText(u("4"));

    const auto shown = messageShownBy([&] { QTest::mouseClick(box(28), Qt::LeftButton); });
    EXPECT_EQ(shown, u("'1.2.3' is not a valid floating point value."));
    EXPECT_EQ(box(28)->text(), u("4"));

    // The window goes on: the next click works once the text is mended.
    box(23)->setText(u("1.2"));
    QTest::mouseClick(box(28), Qt::LeftButton);
    EXPECT_EQ(box(28)->text(), u("1.2"));
}

TEST_F(SettlementClicks, ReadOnlyBoxesIgnoreTypingButReactToClicks)
{
    startWindow(nullptr);
    QTest::keyClicks(box(34), u("55"));
    EXPECT_EQ(box(34)->text(), u("0"));
    QTest::mouseClick(box(34), Qt::LeftButton);
    EXPECT_EQ(box(38)->text(), u("0.00"));
    EXPECT_EQ(box(52)->text(), u("零"));
    EXPECT_EQ(box(49)->text(), u("█"));
}

}  // namespace
