#pragma once

#include "PrintDevice.h"
#include "PrintLayout.h"
#include "PrinterMetrics.h"
#include "SettlementSlip.h"

#include <memory>

// Prints the texts of Edit1..Edit55 onto one page of the pre-printed slip,
// each at its place in the layout, on the printer taken at start-up.
class SlipPrinter {
public:
    // The boxes that are printed: Edit1..Edit55.
    static constexpr int PrintedBoxCount = PrintLayout::PairCount - 1;

    SlipPrinter(std::unique_ptr<PrintDevice> device, const PrinterMetrics &metrics,
                const PrintLayout &layout);

    // Takes the system's default printer, measures it as it comes and then
    // gives it the layout's paper (width "Pagewitch" by length "Pagelength").
    // Throws PrinterError with "There is no default printer currently
    // selected" or "Printer selected is not valid".
    static std::unique_ptr<SlipPrinter> setUpDefault(const PrintLayout &layout);

    // One document of one page with the slip's current texts. A failure
    // after the document has begun gives the document up before the error
    // leaves, so the next print can begin.
    void print(const SettlementSlip &slip);

    const PrinterMetrics &metrics() const { return m_metrics; }

private:
    std::unique_ptr<PrintDevice> m_device;
    PrinterMetrics m_metrics;
    PrintLayout m_layout;
};
