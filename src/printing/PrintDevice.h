#pragma once

#include <QString>
#include <QtGlobal>

// The printer calls one print makes, in device pixels of the printable area.
// The slip printer drives this; the real printer sits behind it, and tests
// put a recorder in its place.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    // Starts a document with no title and its one page. Throws PrinterError
    // when a document is still open or the printer cannot draw.
    virtual void beginDocument() = 0;
    // Sets the size of the print font, in points.
    virtual void setFontSize(qint32 points) = 0;
    // Draws text on one line, the top-left corner of its first character
    // cell at (x, y), over an opaque white background. An empty text leaves
    // no mark.
    virtual void drawText(qint32 x, qint32 y, const QString &text) = 0;
    // Ends the page and the document and hands them to the spooler. Throws
    // PrinterError when the printer is no longer there to take them.
    virtual void endDocument() = 0;
    // Gives up an open document after a failure, so that the next document
    // can begin; does nothing when none is open.
    virtual void abandonDocument() noexcept = 0;
};
