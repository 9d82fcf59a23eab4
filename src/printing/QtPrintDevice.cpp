#include "QtPrintDevice.h"

#include "EmHeight.h"
#include "PrinterError.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinterInfo>
#include <algorithm>

QtPrintDevice::QtPrintDevice(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer))
{
    // Device (0, 0) is the top-left corner of the printable area, the point
    // the measured offsets lead to.
    m_printer->setFullPage(false);
}

QtPrintDevice::~QtPrintDevice()
{
    abandonDocument();
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::openDefault()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrinterError(QString::fromLatin1(NoDefaultPrinterMessage));
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // A printer Qt cannot drive is replaced by a PDF file writer; that is
    // not the printer the clerk has.
    if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat
        || printer->printerName() != info.printerName())
        throw PrinterError(QString::fromLatin1(PrinterNotValidMessage));
    return std::make_unique<QtPrintDevice>(std::move(printer));
}

PrinterMetrics QtPrintDevice::measure() const
{
    const QRect printable = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    return PrinterMetrics::measured(m_printer->logicalDpiX(), m_printer->logicalDpiY(),
                                    printable.left(), printable.top());
}

void QtPrintDevice::setUserPaper(qint32 width, qint32 length)
{
    constexpr qint32 largest = 32767;
    if (width < 1 || width > largest || length < 1 || length > largest)
        return;
    m_printer->setPageSize(QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter,
                                     QString(), QPageSize::ExactMatch));
}

void QtPrintDevice::beginDocument()
{
    if (m_painter.isActive())
        throw PrinterError(QString::fromLatin1(PrintingInProgressMessage));
    if (!m_painter.begin(m_printer.get()))
        throw PrinterError(QString::fromLatin1(PrinterNotValidMessage));
    m_painter.setPen(Qt::black);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(Qt::white);
}

void QtPrintDevice::setFontSize(qint32 points)
{
    // A size of zero or less would make no visible text; one pixel is the
    // least a font can have, and a size beyond any paper is cut down.
    constexpr qint64 largestPixelSize = 1 << 20;
    const qint64 em = emHeightPixels(points, m_printer->logicalDpiY());
    QFont font(QString::fromLatin1(FontFamily));
    font.setPixelSize(int(std::clamp<qint64>(em < 0 ? -em : em, 1, largestPixelSize)));
    m_painter.setFont(font);
}

void QtPrintDevice::drawText(qint32 x, qint32 y, const QString &text)
{
    if (text.isEmpty())
        return;
    // QPainter places text by its baseline; the cell's top lies one ascent
    // above it.
    const qreal ascent = QFontMetricsF(m_painter.font(), m_printer.get()).ascent();
    m_painter.drawText(QPointF(x, y + ascent), text);
}

void QtPrintDevice::endDocument()
{
    const bool handedOver = m_painter.end();
    // Qt hands the document to the spooler without telling whether it was
    // taken; a queue that is gone now has not taken it, and the clerk must
    // know that the slip did not print. A PDF file writer has no queue.
    const QString name = m_printer->printerName();
    const bool queueGone = m_printer->outputFormat() == QPrinter::NativeFormat
                           && QPrinterInfo::printerInfo(name).isNull();
    if (!handedOver || queueGone)
        throw PrinterError(QString::fromLatin1(PrinterUnavailableMessage).arg(name));
}

void QtPrintDevice::abandonDocument() noexcept
{
    if (!m_painter.isActive())
        return;
    // Print engines that can cancel a job drop it here; the others hand what
    // was drawn to the spooler when the painter ends.
    m_printer->abort();
    m_painter.end();
}
