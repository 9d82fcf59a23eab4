#pragma once

#include <QtGlobal>

// Turns a position on the paper (tenths of a millimetre from the sheet's
// edge, before the origin shift) into a printer pixel of the printable area:
//   trunc((position + origin) * factor - offset)
// The sum is formed in 32 bits and wraps; the product and the difference are
// rounded to a 64-bit significand (x87 extended); the result is truncated
// toward zero and its low 32 bits are the coordinate.
qint32 DeviceCoordinate(qint32 position, qint32 origin, double factor, double offset);
