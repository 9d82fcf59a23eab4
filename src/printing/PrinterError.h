#pragma once

#include "Exception.h"

// A printer that cannot be taken or a document that cannot be begun. The
// message is one of the texts below, shown to the clerk as it stands.
class PrinterError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr const char *NoDefaultPrinterMessage =
    "There is no default printer currently selected";
inline constexpr const char *PrinterNotValidMessage = "Printer selected is not valid";
inline constexpr const char *PrintingInProgressMessage = "Printing in progress";
