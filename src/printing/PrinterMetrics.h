#pragma once

// What the print needs to know of the printer, measured once when the printer
// is taken: resolutions in dots per inch, the factors turning tenths of a
// millimetre into printer pixels, and the distance in printer pixels from the
// sheet's top-left corner to the printable area's. All hold whole numbers
// except the factors.
struct PrinterMetrics {
    double horizontalResolution = 0;
    double verticalResolution = 0;
    double horizontalFactor = 0;
    double verticalFactor = 0;
    double horizontalOffset = 0;
    double verticalOffset = 0;

    static PrinterMetrics measured(int horizontalDotsPerInch, int verticalDotsPerInch,
                                   int horizontalOffsetPixels, int verticalOffsetPixels);
};

// Printer pixels per tenth of a millimetre: 1/254 held in extended precision,
// times the resolution, rounded to a double (2.3622047244094486 at 600 dpi).
double pixelsPerTenthMillimetre(int dotsPerInch);
