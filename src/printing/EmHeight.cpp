#include "EmHeight.h"

qint64 emHeightPixels(qint32 points, qint32 dotsPerInch)
{
    const qint64 numerator = qint64(points) * dotsPerInch;
    const qint64 magnitude = (numerator < 0 ? -numerator : numerator);
    const qint64 rounded = (magnitude + 36) / 72;
    return numerator < 0 ? -rounded : rounded;
}
