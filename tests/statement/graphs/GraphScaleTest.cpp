#include <gtest/gtest.h>

#include <limits>

#include "statement/graphs/GraphScale.h"

namespace {

TEST(GraphScaleTest, EmptyRangeRunsFromZeroToOneUnitInOneStep) {
    const GraphScale scale = ScaleForRange(0, 0);
    EXPECT_EQ(scale.minValue, 0);
    EXPECT_EQ(scale.maxValue, 100);
    EXPECT_EQ(scale.step, 100);
    EXPECT_EQ(scale.Steps(), 1);
}

TEST(GraphScaleTest, EndsOnWholeStepsOfAPowerOfTen) {
    // 1,234,500: the largest power of ten not above it is 1,000,000; ceil(1.2345) = 2 steps.
    GraphScale scale = ScaleForRange(0, 1234500);
    EXPECT_EQ(scale.step, 1000000);
    EXPECT_EQ(scale.upTicks, 2);
    EXPECT_EQ(scale.downTicks, 0);
    EXPECT_EQ(scale.maxValue, 2000000);
    EXPECT_EQ(scale.TickValue(1), 1000000);

    // An exact power of ten is one step of itself, not ten of a tenth.
    scale = ScaleForRange(0, 1000000);
    EXPECT_EQ(scale.step, 1000000);
    EXPECT_EQ(scale.Steps(), 1);

    // -2,500 .. 12,000: step 10,000 from the larger end; ceil(0.25) = 1 down, ceil(1.2) = 2 up.
    scale = ScaleForRange(-2500, 12000);
    EXPECT_EQ(scale.step, 10000);
    EXPECT_EQ(scale.downTicks, 1);
    EXPECT_EQ(scale.upTicks, 2);
    EXPECT_EQ(scale.minValue, -10000);
    EXPECT_EQ(scale.maxValue, 20000);
    EXPECT_EQ(scale.TickValue(0), -10000);
    EXPECT_EQ(scale.TickValue(3), 20000);

    // Only negatives: -5 has step 1 and zero stays the top tick.
    scale = ScaleForRange(-5, 0);
    EXPECT_EQ(scale.step, 1);
    EXPECT_EQ(scale.upTicks, 0);
    EXPECT_EQ(scale.downTicks, 5);
    EXPECT_EQ(scale.maxValue, 0);
}

TEST(GraphScaleTest, ExtremeValuesStayInRange) {
    constexpr Amount kMax = std::numeric_limits<Amount>::max();
    constexpr Amount kMin = std::numeric_limits<Amount>::min();
    const GraphScale scale = ScaleForRange(kMin, kMax);
    // Held to ±(10^18 - 1): step 10^17, ten steps either way.
    EXPECT_EQ(scale.step, 100'000'000'000'000'000);
    EXPECT_EQ(scale.upTicks, 10);
    EXPECT_EQ(scale.downTicks, 10);
    EXPECT_EQ(scale.maxValue, 1'000'000'000'000'000'000);
    EXPECT_EQ(scale.Span(), 2'000'000'000'000'000'000);
}

} // namespace
