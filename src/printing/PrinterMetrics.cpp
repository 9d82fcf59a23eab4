#include "PrinterMetrics.h"

double pixelsPerTenthMillimetre(int dotsPerInch)
{
    constexpr long double tenthMillimetresPerInch = 1.0L / 254.0L;
    return static_cast<double>(tenthMillimetresPerInch * static_cast<long double>(dotsPerInch));
}

PrinterMetrics PrinterMetrics::measured(int horizontalDotsPerInch, int verticalDotsPerInch,
                                        int horizontalOffsetPixels, int verticalOffsetPixels)
{
    PrinterMetrics metrics;
    metrics.horizontalResolution = horizontalDotsPerInch;
    metrics.verticalResolution = verticalDotsPerInch;
    metrics.horizontalFactor = pixelsPerTenthMillimetre(horizontalDotsPerInch);
    metrics.verticalFactor = pixelsPerTenthMillimetre(verticalDotsPerInch);
    metrics.horizontalOffset = horizontalOffsetPixels;
    metrics.verticalOffset = verticalOffsetPixels;
    return metrics;
}
