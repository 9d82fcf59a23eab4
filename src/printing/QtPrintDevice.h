#pragma once

#include "PrintDevice.h"
#include "PrinterMetrics.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

// The print device over a QPrinter: device pixels at the printer's own
// resolution, origin at the top-left corner of the printable area.
class QtPrintDevice final : public PrintDevice {
public:
    // The face of the print: it draws the slip's Chinese texts.
    static constexpr const char *FontFamily = "WenQuanYi Micro Hei";

    explicit QtPrintDevice(std::unique_ptr<QPrinter> printer);
    ~QtPrintDevice() override;

    // The system's default printer at its own resolution (the PRINTER and
    // LPDEST variables and the spooler's default decide which). Throws
    // PrinterError when there is none or it cannot be used.
    static std::unique_ptr<QtPrintDevice> openDefault();

    // Resolutions and the printable area's offsets as the printer has them now.
    PrinterMetrics measure() const;
    // Sets a user-defined paper of the given width and length in tenths of a
    // millimetre, exactly as given; orientation, copies and the rest stay.
    // Sizes outside 1..32767 leave the paper as it is.
    void setUserPaper(qint32 width, qint32 length);

    const QPrinter &printer() const { return *m_printer; }

    void beginDocument() override;
    void setFontSize(qint32 points) override;
    void drawText(qint32 x, qint32 y, const QString &text) override;
    void endDocument() override;
    void abandonDocument() noexcept override;

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
};
