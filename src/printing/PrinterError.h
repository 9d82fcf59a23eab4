#pragma once

#include "Exception.h"

// A printer that cannot be taken, a document that cannot be begun, or a
// printer that was gone when the document was handed over. The message is
// one of the texts below (the last with the printer's name), shown to the
// clerk as it stands.
class PrinterError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr const char *NoDefaultPrinterMessage =
    "There is no default printer currently selected";
inline constexpr const char *PrinterNotValidMessage = "Printer selected is not valid";
inline constexpr const char *PrintingInProgressMessage = "Printing in progress";
inline constexpr const char *PrinterUnavailableMessage =
    "The printer \"%1\" is not available: the slip was not printed";
