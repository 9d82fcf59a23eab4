#pragma once

#include <QtGlobal>

// The em height in printer pixels of a font of the given size in points:
// points * dotsPerInch / 72, to the nearest whole pixel with halves rounded
// away from zero (14 pt at 600 dpi is 117 pixels).
qint64 emHeightPixels(qint32 points, qint32 dotsPerInch);
