// Print from the window through the private spooler of the test command.
#include "CapturedJobs.h"
#include "MainFormFixture.h"
#include "PdfTools.h"
#include "TestText.h"

#include <QPushButton>
#include <QTest>

namespace {

using PrintClick = MainFormFixture;

TEST_F(PrintClick, EachClickPrintsOnePageWithTheBoxTexts)
{
    CapturedJobs captured;
    if (!captured.available())
        GTEST_SKIP() << "SLIP_CAPTURE_DIR is not set: no private spooler to print to";
    startWindow("[Edit2]\nLeft=500\nTop=300\n[Edit57]\nLeft=900\nTop=300\n");
    box(2)->setText(u("张三"));
    box(57)->setText(u("报表数"));
    auto *print = m_form->findChild<QPushButton *>(u("Button1"));
    QTest::mouseClick(print, Qt::LeftButton);
    box(2)->setText(u("李四"));
    QTest::mouseClick(print, Qt::LeftButton);

    const QStringList jobs = captured.newJobs(2);
    ASSERT_EQ(jobs.size(), 2);
    const char *declarants[] = {"张三", "李四"};
    for (int i = 0; i < 2; ++i) {
        const std::vector<PdfPage> pages = readPdfText(jobs[i]);
        ASSERT_EQ(pages.size(), 1u) << jobs[i].toStdString();
        const QStringList words = wordsOf(pages[0]);
        EXPECT_TRUE(words.contains(u(declarants[i]))) << words.join(' ').toStdString();
        EXPECT_FALSE(words.contains(u("报表数")));
    }
}

}  // namespace
