// End-to-end: the slip printer takes the system's default printer, which the
// test command points at a private CUPS spooler whose default queue keeps each
// job as a PDF file in the folder named by SLIP_CAPTURE_DIR. The captured
// file is what a real printer would receive.
#include "CapturedJobs.h"
#include "CoordinateFile.h"
#include "PdfTools.h"
#include "PrinterError.h"
#include "SlipPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double ToleranceMillimetres = 0.1;
// Qt gives a custom paper to the printer in whole points.
constexpr double PaperToleranceMillimetres = 0.5 * MillimetresPerPoint;

class ThroughTheSpooler : public testing::Test {
protected:
    CapturedJobs captured;

    void SetUp() override
    {
        if (!captured.available())
            GTEST_SKIP() << "SLIP_CAPTURE_DIR is not set: no private spooler to print to";
    }

    QStringList newJobs(int expected) { return captured.newJobs(expected); }
};

// 55 places on an 11 by 5 grid over the slip, shifted by the origin.
PrintLayout gridLayout()
{
    PrintLayout layout;
    layout.left[0] = 25;
    layout.top[0] = -30;
    for (int n = 1; n < PrintLayout::PairCount; ++n) {
        layout.left[n] = 150 + ((n - 1) % 11) * 220 + n % 3;
        layout.top[n] = 150 + ((n - 1) / 11) * 200 + n % 4;
    }
    layout.fontSize = 10;
    layout.pageWidth = 2600;
    layout.pageLength = 1200;
    return layout;
}

void expectPaper(const PdfPage &page, const PrintLayout &layout)
{
    EXPECT_NEAR(page.width * MillimetresPerPoint, layout.pageWidth / 10.0, PaperToleranceMillimetres);
    EXPECT_NEAR(page.height * MillimetresPerPoint, layout.pageLength / 10.0, PaperToleranceMillimetres);
}

TEST_F(ThroughTheSpooler, PutsEveryTextAtItsPlaceOnTheConfiguredPaper)
{
    const PrintLayout layout = gridLayout();
    MemorySlip slip;
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        slip.setText(box, QStringLiteral("E%1").arg(box));
    slip.setText(1, QStringLiteral("桐溪区"));
    slip.setText(46, QStringLiteral("\u2588"));
    slip.setText(9, QString());
    slip.setText(20, QStringLiteral("12.50"));

    auto printer = SlipPrinter::setUpDefault(layout);
    printer->print(slip);

    const QStringList jobs = newJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    const std::vector<PdfPage> pages = readPdfText(jobs.front());
    ASSERT_EQ(pages.size(), 1u);
    const PdfPage &page = pages.front();
    expectPaper(page, layout);

    int expectedWords = 0;
    for (int box = 1; box <= SlipPrinter::PrintedBoxCount; ++box) {
        const QString text = slip.text(box);
        if (text.isEmpty())
            continue;
        ++expectedWords;
        SCOPED_TRACE(text.toStdString());
        const auto word = std::find_if(page.words.begin(), page.words.end(),
                                       [&](const PdfWord &w) { return w.text == text; });
        ASSERT_NE(word, page.words.end());
        // pdftotext puts the word's top at the baseline less the font's
        // ascent: the top of the character cell, the point the layout gives.
        EXPECT_NEAR(word->xMin * MillimetresPerPoint, (layout.left[box] + layout.left[0]) / 10.0,
                    ToleranceMillimetres);
        EXPECT_NEAR(word->yMin * MillimetresPerPoint, (layout.top[box] + layout.top[0]) / 10.0,
                    ToleranceMillimetres);
    }
    // Nothing else is on the page: no report box, no stray text.
    EXPECT_EQ(int(page.words.size()), expectedWords);
}

TEST_F(ThroughTheSpooler, WithoutACoordinateFileEveryTextStandsAt22mm)
{
    const PrintLayout layout = readCoordinateFile(QStringLiteral("/nonexistent/%1")
                                                      .arg(QString::fromUtf8(CoordinateFileName)))
                                   .layout;
    auto printer = SlipPrinter::setUpDefault(layout);
    printer->print(MemorySlip());

    const QStringList jobs = newJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    const std::vector<PdfPage> pages = readPdfText(jobs.front());
    ASSERT_EQ(pages.size(), 1u);
    expectPaper(pages.front(), layout);
    ASSERT_FALSE(pages.front().words.empty());
    for (const PdfWord &word : pages.front().words) {
        SCOPED_TRACE(word.text.toStdString());
        EXPECT_NEAR(word.xMin * MillimetresPerPoint, 22.0, ToleranceMillimetres);
        EXPECT_NEAR(word.yMin * MillimetresPerPoint, 22.0, ToleranceMillimetres);
    }
}

TEST_F(ThroughTheSpooler, TwoPrintsGiveTwoOnePageDocumentsAlike)
{
    const PrintLayout layout = gridLayout();
    MemorySlip slip;
    auto printer = SlipPrinter::setUpDefault(layout);
    printer->print(slip);
    printer->print(slip);

    const QStringList jobs = newJobs(2);
    ASSERT_EQ(jobs.size(), 2);
    const std::vector<PdfPage> first = readPdfText(jobs[0]);
    const std::vector<PdfPage> second = readPdfText(jobs[1]);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    ASSERT_EQ(first[0].words.size(), second[0].words.size());
    for (std::size_t i = 0; i < first[0].words.size(); ++i) {
        EXPECT_EQ(first[0].words[i].text, second[0].words[i].text);
        EXPECT_EQ(first[0].words[i].xMin, second[0].words[i].xMin);
        EXPECT_EQ(first[0].words[i].yMin, second[0].words[i].yMin);
    }
}

// PRINTER and LPDEST name the default printer before the spooler's own
// default; naming a queue that does not exist leaves no default.
class NamedDefault : public ThroughTheSpooler, public testing::WithParamInterface<const char *> {
protected:
    void TearDown() override { qunsetenv(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Variables, NamedDefault, testing::Values("PRINTER", "LPDEST"));

TEST_P(NamedDefault, ThatDoesNotExistMeansThereIsNoDefaultPrinter)
{
    qputenv(GetParam(), "no-such-queue");
    try {
        SlipPrinter::setUpDefault(gridLayout());
        FAIL() << "a printer was set up";
    } catch (const PrinterError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("There is no default printer currently selected"));
    }
}

// Run by the test command with CUPS_SERVER naming a socket where no spooler
// listens; elsewhere the spooler is there and the case does not apply.
TEST(PrinterSetUpWithoutSpooler, SaysThereIsNoDefaultPrinter)
{
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    if (!server.startsWith(QLatin1Char('/')) || QFileInfo::exists(server))
        GTEST_SKIP() << "CUPS_SERVER does not name a socket without a spooler";
    try {
        SlipPrinter::setUpDefault(gridLayout());
        FAIL() << "a printer was set up";
    } catch (const PrinterError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("There is no default printer currently selected"));
    }
}

} // namespace
