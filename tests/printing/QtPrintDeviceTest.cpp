#include "PdfTools.h"
#include "PrinterError.h"
#include "QtPrintDevice.h"
#include "SlipPrinter.h"

#include <QFontMetricsF>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A print device over a QPrinter that writes a PDF file instead of going to
// a spooler, at the resolution printers report to Qt.
class PdfFileDevice : public testing::Test {
protected:
    QTemporaryDir dir;
    QString pdfPath = dir.filePath(QStringLiteral("slip.pdf"));

    std::unique_ptr<QPrinter> pdfPrinter(const QString &path) const
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    }
    std::unique_ptr<QtPrintDevice> device(const QString &path)
    {
        return std::make_unique<QtPrintDevice>(pdfPrinter(path));
    }
};

struct PaperCase {
    qint32 width, length;  // tenths of a millimetre
};

class UserPaper : public PdfFileDevice, public testing::WithParamInterface<PaperCase> {};

INSTANTIATE_TEST_SUITE_P(Sizes, UserPaper, testing::Values(
    PaperCase{2600, 1200},  // the slip: wider than long
    PaperCase{1200, 2600},
    PaperCase{2095, 2970},  // half a millimetre off A4 stays as given
    PaperCase{1, 32767}));

TEST_P(UserPaper, IsSetExactlyAndLeavesOrientationAndCopies)
{
    const PaperCase c = GetParam();
    auto printer = pdfPrinter(pdfPath);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setCopyCount(3);
    QtPrintDevice device(std::move(printer));

    device.setUserPaper(c.width, c.length);

    const QPageSize paper = device.printer().pageLayout().pageSize();
    EXPECT_EQ(paper.definitionUnits(), QPageSize::Millimeter);
    EXPECT_EQ(paper.definitionSize(), QSizeF(c.width / 10.0, c.length / 10.0));
    EXPECT_EQ(device.printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(device.printer().copyCount(), 3);
}

class UnusablePaper : public PdfFileDevice, public testing::WithParamInterface<PaperCase> {};

INSTANTIATE_TEST_SUITE_P(Sizes, UnusablePaper, testing::Values(
    PaperCase{0, 1200}, PaperCase{2600, 0}, PaperCase{-2600, 1200}, PaperCase{32768, 1200},
    PaperCase{2600, 2147483647}));

TEST_P(UnusablePaper, LeavesThePrintersPaper)
{
    const PaperCase c = GetParam();
    QtPrintDevice device(pdfPrinter(pdfPath));
    const QPageSize before = device.printer().pageLayout().pageSize();

    device.setUserPaper(c.width, c.length);

    EXPECT_TRUE(device.printer().pageLayout().pageSize().isEquivalentTo(before));
}

TEST_F(PdfFileDevice, ASlipOfEmptyBoxesLeavesOneBlankPage)
{
    PrintLayout layout;
    layout.left.fill(110);
    layout.top.fill(110);
    layout.fontSize = 14;
    layout.pageWidth = 2600;
    layout.pageLength = 1200;
    auto pdf = device(pdfPath);
    pdf->setUserPaper(layout.pageWidth, layout.pageLength);
    const PrinterMetrics metrics = pdf->measure();
    SlipPrinter printer(std::move(pdf), metrics, layout);
    MemorySlip slip;
    for (int box = 1; box <= SettlementSlip::FieldCount; ++box)
        slip.setText(box, QString());

    printer.print(slip);

    EXPECT_EQ(readPdfText(pdfPath).size(), 1u);
    const QImage page = renderFirstPage(pdfPath, 100);
    ASSERT_FALSE(page.isNull());
    int marked = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            marked += qGray(page.pixel(x, y)) < 250;
    EXPECT_EQ(marked, 0);
}

TEST_F(PdfFileDevice, TextCoversWhatLiesUnderItsCellsWithWhite)
{
    constexpr int renderDpi = 150;
    auto pdf = device(pdfPath);
    const QPointF printable = pdf->printer().pageRect(QPrinter::DevicePixel).topLeft();
    const double scale = renderDpi / double(pdf->printer().resolution());
    pdf->beginDocument();
    pdf->setFontSize(36);
    QFont sized(QString::fromLatin1(QtPrintDevice::FontFamily));
    sized.setPixelSize(36 * pdf->printer().resolution() / 72);
    const QFontMetricsF metrics(sized, &pdf->printer());
    const double blockWidth = metrics.horizontalAdvance(QStringLiteral("\u2588"));
    const double spaceWidth = metrics.horizontalAdvance(QStringLiteral(" "));
    ASSERT_LT(spaceWidth, blockWidth);
    pdf->drawText(1000, 1000, QStringLiteral("\u2588"));
    pdf->drawText(1000, 1000, QStringLiteral(" "));
    pdf->endDocument();

    const QImage page = renderFirstPage(pdfPath, renderDpi);
    ASSERT_FALSE(page.isNull());
    const double middleY = (printable.y() + 1000 + metrics.height() / 2) * scale;
    const auto grey = [&](double deviceX) {
        return qGray(page.pixel(int((printable.x() + deviceX) * scale), int(middleY)));
    };
    // Under the blank's cell the block is gone; beyond it the block stays.
    EXPECT_GT(grey(1000 + spaceWidth / 2), 200);
    EXPECT_LT(grey(1000 + (spaceWidth + blockWidth) / 2), 50);
}

TEST_F(PdfFileDevice, RefusesASecondDocumentWhileOneIsOpen)
{
    auto pdf = device(pdfPath);
    pdf->beginDocument();
    try {
        pdf->beginDocument();
        FAIL() << "a second document began";
    } catch (const PrinterError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Printing in progress"));
    }
}

TEST_F(PdfFileDevice, AnAbandonedDocumentLetsTheNextOneBegin)
{
    auto pdf = device(pdfPath);
    pdf->beginDocument();
    pdf->drawText(0, 0, QStringLiteral("half"));
    pdf->abandonDocument();

    EXPECT_NO_THROW(pdf->beginDocument());
    pdf->endDocument();
}

TEST_F(PdfFileDevice, APrinterThatCannotDrawIsNotValid)
{
    auto pdf = device(dir.filePath(QStringLiteral("no-such-folder/slip.pdf")));
    try {
        pdf->beginDocument();
        FAIL() << "the document began";
    } catch (const PrinterError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Printer selected is not valid"));
    }
}

} // namespace
