#include "SlipPrinter.h"

#include "DeviceCoordinate.h"
#include "QtPrintDevice.h"

SlipPrinter::SlipPrinter(std::unique_ptr<PrintDevice> device, const PrinterMetrics &metrics,
                         const PrintLayout &layout)
    : m_device(std::move(device)), m_metrics(metrics), m_layout(layout)
{
}

std::unique_ptr<SlipPrinter> SlipPrinter::setUpDefault(const PrintLayout &layout)
{
    auto device = QtPrintDevice::openDefault();
    // Measured before the paper changes: the offsets are those of the
    // printer's own paper.
    const PrinterMetrics metrics = device->measure();
    device->setUserPaper(layout.pageWidth, layout.pageLength);
    return std::make_unique<SlipPrinter>(std::move(device), metrics, layout);
}

void SlipPrinter::print(const SettlementSlip &slip)
{
    m_device->beginDocument();
    try {
        m_device->setFontSize(m_layout.fontSize);
        for (int box = 1; box <= PrintedBoxCount; ++box) {
            const QString text = slip.text(box);
            const qint32 y = DeviceCoordinate(m_layout.top[box], m_layout.top[0],
                                              m_metrics.verticalFactor, m_metrics.verticalOffset);
            const qint32 x = DeviceCoordinate(m_layout.left[box], m_layout.left[0],
                                              m_metrics.horizontalFactor, m_metrics.horizontalOffset);
            m_device->drawText(x, y, text);
        }
        m_device->endDocument();
    } catch (...) {
        m_device->abandonDocument();
        throw;
    }
}
