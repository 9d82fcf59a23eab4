#include "EmHeight.h"
#include "PrinterMetrics.h"

#include <gtest/gtest.h>

namespace {

struct FactorCase {
    int dotsPerInch;
    double factor;
};

class FactorAtResolution : public testing::TestWithParam<FactorCase> {};

INSTANTIATE_TEST_SUITE_P(PrinterResolutions, FactorAtResolution, testing::Values(
    FactorCase{600, 2.3622047244094486},
    FactorCase{300, 1.1811023622047243},
    FactorCase{360, 1.4173228346456692},
    FactorCase{1200, 4.724409448818897}));

TEST_P(FactorAtResolution, IsTheDoubleNearestToResolutionOver254)
{
    const FactorCase c = GetParam();
    EXPECT_EQ(pixelsPerTenthMillimetre(c.dotsPerInch), c.factor);
}

TEST(PrinterMetrics, KeepsEachAxisApart)
{
    const PrinterMetrics m = PrinterMetrics::measured(600, 300, 50, 25);
    EXPECT_EQ(m.horizontalResolution, 600.0);
    EXPECT_EQ(m.verticalResolution, 300.0);
    EXPECT_EQ(m.horizontalFactor, 2.3622047244094486);
    EXPECT_EQ(m.verticalFactor, 1.1811023622047243);
    EXPECT_EQ(m.horizontalOffset, 50.0);
    EXPECT_EQ(m.verticalOffset, 25.0);
}

struct EmCase {
    qint32 points;
    qint32 dotsPerInch;
    qint64 pixels;
};

class EmHeightAtResolution : public testing::TestWithParam<EmCase> {};

INSTANTIATE_TEST_SUITE_P(Sizes, EmHeightAtResolution, testing::Values(
    EmCase{14, 600, 117},   // 116.67
    EmCase{14, 300, 58},    // 58.33
    EmCase{3, 300, 13},     // 12.5: a half rounds up
    EmCase{-3, 300, -13},   // and away from zero below it
    EmCase{1, 36, 1},       // 0.5
    EmCase{1, 35, 0},       // 0.49
    EmCase{0, 1200, 0}));

TEST_P(EmHeightAtResolution, RoundsHalvesAwayFromZero)
{
    const EmCase c = GetParam();
    EXPECT_EQ(emHeightPixels(c.points, c.dotsPerInch), c.pixels);
}

} // namespace
