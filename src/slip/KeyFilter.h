#pragma once

#include <QChar>

// The filter of the numeric boxes: a digit, "." and backspace pass as they
// are; every other character becomes QChar(0), which the box discards.
QChar NumericKeyFilter(QChar c);
