#include <gtest/gtest.h>

#include <limits>

#include "core/Amount.h"

namespace {
constexpr Amount kMax = std::numeric_limits<Amount>::max();
constexpr Amount kMin = std::numeric_limits<Amount>::min();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(AmountConversion, TruncationKeepsTheLastDoublesInsideTheRange) {
    EXPECT_EQ(TruncToAmount(-0.0), 0);
    EXPECT_EQ(TruncToAmount(-0.9), 0);
    // 2^63 − 1024 is the largest double below 2^63; −2^63 itself fits.
    EXPECT_EQ(TruncToAmount(9223372036854774784.0), 9223372036854774784);
    EXPECT_EQ(TruncToAmount(9223372036854775808.0), kMax);
    EXPECT_EQ(TruncToAmount(-9223372036854775808.0), kMin);
    EXPECT_EQ(TruncToAmount(-kNaN), 0);
}

TEST(AmountConversion, HalfUpRoundingOfNegativeFractions) {
    // floor(x + 0.5): -0.6 + 0.5 = -0.1 floors to -1, where truncation would give 0.
    EXPECT_EQ(ScaleRound(-6, 0.1), -1);
    // -0.5 + 0.5 = 0 exactly.
    EXPECT_EQ(ScaleRound(-5, 0.1), 0);
    // -1.6 + 0.5 = -1.1 floors to -2.
    EXPECT_EQ(ScaleRound(-16, 0.1), -2);
    // Whole results stay whole: -25 × 1.0 + 0.5 = -24.5 floors to -25.
    EXPECT_EQ(ScaleRound(-25, 1.0), -25);
    // 2^62 + 0.5 rounds to 2^62 as a double, already whole.
    EXPECT_EQ(ScaleRound(Amount{1} << 62, 1.0), Amount{1} << 62);
}

TEST(AmountConversion, RoundingAndScalingClampLikeTruncation) {
    // max × 1.0 is 2^63 as a double: beyond the range. min × 1.0 + 0.5 is still −2^63.
    EXPECT_EQ(ScaleRound(kMax, 1.0), kMax);
    EXPECT_EQ(ScaleRound(kMin, 1.0), kMin);
    EXPECT_EQ(ScaleRound(kMin, 10.0), kMin);
    EXPECT_EQ(ScaleRound(1, kInf), kMax);
    EXPECT_EQ(ScaleRound(-1, kInf), kMin);
    EXPECT_EQ(ScaleRound(1, kNaN), 0);
    EXPECT_EQ(ScaleRound(0, kInf), 0); // 0 × inf is NaN
    EXPECT_EQ(ScaleTrunc(0, kInf), 0);
    EXPECT_EQ(ScaleTrunc(kMin, -1.0), kMax);
    EXPECT_EQ(ScaleTrunc(3, kNaN), 0);
}

TEST(AmountConversion, ExactProductsEitherSideOfSixtyFourBits) {
    // 3037000499² = 9223372030926249001 fits in 64 bits; 3037000500² = 9223372037000250000
    // does not. Each is the exact integer rounded once to the nearest double.
    EXPECT_EQ(ExactProduct(-3037000499, 3037000499), -9223372030926249001.0);
    EXPECT_EQ(ExactProduct(3037000500, 3037000500), 9223372037000250000.0);
    // −2^63 × −1 = 2^63 overflows 64 bits only.
    EXPECT_EQ(ExactProduct(kMin, -1), 9223372036854775808.0);
    EXPECT_EQ(MulTrunc(kMin, -1, 1.0), kMax);
    EXPECT_EQ(MulTrunc(kMin, -1, 0.25), Amount{1} << 61);
}
