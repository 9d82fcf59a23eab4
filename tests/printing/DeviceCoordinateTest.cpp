#include "DeviceCoordinate.h"
#include "PrinterMetrics.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct CoordinateCase {
    int dotsPerInch;
    double offset;
    qint32 origin;
    qint32 position;
    qint32 coordinate;
};

class DeviceCoordinateAtResolution : public testing::TestWithParam<CoordinateCase> {};

// Worked examples: the factor lies a hair below dpi/254 at most resolutions,
// so whole device values come out one pixel less, and truncation goes toward
// zero for negative values.
INSTANTIATE_TEST_SUITE_P(WorkedExamples, DeviceCoordinateAtResolution, testing::Values(
    CoordinateCase{600, 50, 0, 110, 209},
    CoordinateCase{600, 0, 0, 254, 599},
    CoordinateCase{360, 0, 0, 127, 179},
    CoordinateCase{600, 0, 110, 110, 519},
    CoordinateCase{600, 50, 110, -150, -144},
    CoordinateCase{180, 0, 0, 116, 82},
    // At 400 dpi the factor lies just above the quotient: an inch is exact.
    CoordinateCase{400, 0, 0, 254, 400}));

TEST_P(DeviceCoordinateAtResolution, TruncatesTheExtendedPrecisionResult)
{
    const CoordinateCase c = GetParam();
    EXPECT_EQ(DeviceCoordinate(c.position, c.origin, pixelsPerTenthMillimetre(c.dotsPerInch), c.offset),
              c.coordinate);
}

TEST(DeviceCoordinate, SumWrapsAroundInThirtyTwoBits)
{
    constexpr qint32 max = std::numeric_limits<qint32>::max();
    constexpr qint32 min = std::numeric_limits<qint32>::min();
    EXPECT_EQ(DeviceCoordinate(max, 1, 1.0, 0), min);
    EXPECT_EQ(DeviceCoordinate(min, -1, 1.0, 0), max);
    // 0x7FFFFFFF + 0x7FFFFFFF wraps to -2.
    EXPECT_EQ(DeviceCoordinate(max, max, 1.0, 0), -2);
}

TEST(DeviceCoordinate, KeepsTheLowThirtyTwoBitsOfALargeResult)
{
    constexpr qint32 max = std::numeric_limits<qint32>::max();
    // (2^31 - 1) * 4 = 2^33 - 4, whose low 32 bits read as -4.
    EXPECT_EQ(DeviceCoordinate(max, 0, 4.0, 0), -4);
    // 2^30 * 2 = 2^31, one past the largest 32-bit value, reads as -2^31.
    EXPECT_EQ(DeviceCoordinate(1 << 30, 0, 2.0, 0), std::numeric_limits<qint32>::min());
    // Beyond the range of a 64-bit integer: 2^30 * 2^40 = 2^70, low bits 0.
    EXPECT_EQ(DeviceCoordinate(1 << 30, 0, 1099511627776.0, 0), 0);
}

} // namespace
