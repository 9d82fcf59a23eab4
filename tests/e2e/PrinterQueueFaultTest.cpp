// The printer queue taken away or stopped while the window runs, through
// the private spooler of the test command: the clerk learns of a slip that
// did not print, loses none that was taken, and the next Print works once
// the queue is back.

#include "CapturedJobs.h"
#include "MainFormFixture.h"
#include "ModalMessage.h"
#include "PdfTools.h"
#include "PrinterError.h"
#include "SpoolerQueue.h"
#include "TestText.h"

#include <QPushButton>
#include <QTest>

namespace {

class PrinterQueueFault : public MainFormFixture {
protected:
    void SetUp() override
    {
        if (!m_captured.available())
            GTEST_SKIP() << "SLIP_CAPTURE_DIR is not set: no private spooler to print to";
        startWindow("[Edit2]\nLeft=500\nTop=300\n");
    }

    std::optional<QString> printShowing()
    {
        auto *print = m_form->findChild<QPushButton *>(u("Button1"));
        return messageShownBy([&] { QTest::mouseClick(print, Qt::LeftButton); });
    }

    // The words on each page printed since the last call, one list per job,
    // once `expected` jobs are there.
    std::vector<QStringList> printedPages(int expected)
    {
        std::vector<QStringList> printed;
        for (const QString &job : m_captured.newJobs(expected)) {
            QStringList words;
            for (const PdfPage &page : readPdfText(job))
                words << wordsOf(page);
            printed.push_back(words);
        }
        return printed;
    }

    CapturedJobs m_captured;
};

TEST_F(PrinterQueueFault, PrintOnARemovedQueueIsReportedAndTheNextPrintWorksOnceItIsBack)
{
    SpoolerQueue queue;
    queue.remove();
    box(2)->setText(u("张三"));
    const std::optional<QString> shown = printShowing();
    ASSERT_TRUE(shown.has_value()) << "the print into a removed queue was taken as done";
    EXPECT_EQ(*shown, QString::fromLatin1(PrinterUnavailableMessage).arg(queue.name()) + u("."));

    queue.restore();
    box(2)->setText(u("李四"));
    const std::optional<QString> again = printShowing();
    EXPECT_FALSE(again.has_value()) << again.value_or(QString()).toStdString();
    const std::vector<QStringList> printed = printedPages(1);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed[0].contains(u("李四")));
    EXPECT_FALSE(printed[0].contains(u("张三")));
}

// A stopped queue still takes the job: nothing is lost, so the print has
// nothing to report, and the slip comes out once the queue runs again.
TEST_F(PrinterQueueFault, AJobTakenByADisabledQueueWaitsAndPrintsOnceItIsEnabled)
{
    SpoolerQueue queue;
    queue.disable();
    box(2)->setText(u("王五"));
    const std::optional<QString> shown = printShowing();
    EXPECT_FALSE(shown.has_value()) << shown.value_or(QString()).toStdString();
    EXPECT_EQ(queue.waitingJobs(), 1);
    EXPECT_TRUE(printedPages(0).empty());

    queue.enable();
    const std::vector<QStringList> printed = printedPages(1);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed[0].contains(u("王五")));
}

}  // namespace
