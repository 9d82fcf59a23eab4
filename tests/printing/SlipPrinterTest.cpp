#include "RecordingPrintDevice.h"
#include "SlipPrinter.h"

#include <gtest/gtest.h>

namespace {

using Call = RecordingPrintDevice::Call;
using Event = RecordingPrintDevice::Event;

// Simple metrics so that the expected places follow from the layout by hand:
// x = Left(N) + Left(0) - 3, y = 2 * (Top(N) + Top(0)) - 7. Different values
// on the two axes show a mix-up.
PrinterMetrics plainMetrics()
{
    PrinterMetrics m;
    m.horizontalResolution = 254;
    m.verticalResolution = 508;
    m.horizontalFactor = 1.0;
    m.verticalFactor = 2.0;
    m.horizontalOffset = 3;
    m.verticalOffset = 7;
    return m;
}

// Every pair differs from every other, and from the origin.
PrintLayout distinctLayout()
{
    PrintLayout layout;
    layout.left[0] = 40;
    layout.top[0] = -20;
    for (int n = 1; n < PrintLayout::PairCount; ++n) {
        layout.left[n] = 1000 + 17 * n;
        layout.top[n] = 500 + 31 * n;
    }
    layout.fontSize = 11;
    layout.pageLength = 1200;
    layout.pageWidth = 2600;
    return layout;
}

MemorySlip slipOfBoxNames()
{
    MemorySlip slip;
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        slip.setText(box, QStringLiteral("Edit%1").arg(box));
    return slip;
}

class SlipPrinterFixture : public testing::Test {
protected:
    std::vector<Event> events;
    PrintLayout layout = distinctLayout();
    SlipPrinter printer{std::make_unique<RecordingPrintDevice>(events), plainMetrics(), layout};

    std::vector<Event> draws() const
    {
        std::vector<Event> result;
        for (const Event &e : events)
            if (e.call == Call::Draw)
                result.push_back(e);
        return result;
    }
};

TEST_F(SlipPrinterFixture, DrawsTheFiftyFiveBoxesInOrderEachAtItsOwnPlace)
{
    printer.print(slipOfBoxNames());

    ASSERT_EQ(events.size(), 2u + 55u + 1u);
    EXPECT_EQ(events.front().call, Call::Begin);
    EXPECT_EQ(events[1].call, Call::FontSize);
    EXPECT_EQ(events[1].points, 11);
    EXPECT_EQ(events.back().call, Call::End);
    const std::vector<Event> drawn = draws();
    ASSERT_EQ(drawn.size(), 55u);
    for (int box = 1; box <= 55; ++box) {
        SCOPED_TRACE(box);
        const Event &e = drawn[box - 1];
        EXPECT_EQ(e.text, QStringLiteral("Edit%1").arg(box));
        EXPECT_EQ(e.x, layout.left[box] + layout.left[0] - 3);
        EXPECT_EQ(e.y, 2 * (layout.top[box] + layout.top[0]) - 7);
    }
}

TEST_F(SlipPrinterFixture, NeverPrintsTheReportBoxes)
{
    printer.print(slipOfBoxNames());

    for (const Event &e : draws())
        for (int box = 56; box <= 58; ++box)
            EXPECT_NE(e.text, QStringLiteral("Edit%1").arg(box));
}

TEST_F(SlipPrinterFixture, PassesEmptyTextsOnInTheirTurn)
{
    MemorySlip slip = slipOfBoxNames();
    slip.setText(7, QString());
    printer.print(slip);

    const std::vector<Event> drawn = draws();
    ASSERT_EQ(drawn.size(), 55u);
    EXPECT_TRUE(drawn[6].text.isEmpty());
    EXPECT_EQ(drawn[7].text, QStringLiteral("Edit8"));
}

TEST_F(SlipPrinterFixture, TwoPrintsMakeTwoDocumentsWithTheSameContent)
{
    const MemorySlip slip = slipOfBoxNames();
    printer.print(slip);
    const std::vector<Event> first = events;
    events.clear();
    printer.print(slip);

    ASSERT_EQ(events.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(events[i].call, first[i].call);
        EXPECT_EQ(events[i].text, first[i].text);
        EXPECT_EQ(events[i].x, first[i].x);
        EXPECT_EQ(events[i].y, first[i].y);
    }
}

// A slip whose box 30 cannot be read, as a window box could fail.
class FailingSlip : public MemorySlip {
public:
    bool failing = true;
    QString text(int box) const override
    {
        if (failing && box == 30)
            throw Exception(QStringLiteral("box 30 unreadable"));
        return MemorySlip::text(box);
    }
};

TEST_F(SlipPrinterFixture, AFailureAfterBeginGivesTheDocumentUpSoTheNextPrintWorks)
{
    FailingSlip slip;
    EXPECT_THROW(printer.print(slip), Exception);

    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().call, Call::Abandon);
    EXPECT_EQ(draws().size(), 29u);

    events.clear();
    slip.failing = false;
    ASSERT_NO_THROW(printer.print(slip));
    EXPECT_EQ(events.front().call, Call::Begin);
    EXPECT_EQ(events.back().call, Call::End);
    EXPECT_EQ(draws().size(), 55u);
}

} // namespace
