#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Amount.h"

TEST(AmountText, GroupsThousandsAndBracketsNegatives) {
    EXPECT_EQ(AmountText(123456789, true, true), "1,234,567.89 ");
    EXPECT_EQ(AmountText(-123456, true, true), "(1,234.56)");
    EXPECT_EQ(AmountText(-123456, true, false), "-1,234.56");
    // The minus sign is not a digit: no separator after it.
    EXPECT_EQ(AmountText(-12345, true, false), "-123.45");
    EXPECT_EQ(AmountText(-99999, true, false), "-999.99");
    EXPECT_EQ(AmountText(-100000, false, false), "-1,000");
}

TEST(AmountText, WithoutCentsRoundsToWholeUnits) {
    EXPECT_EQ(AmountText(123456, false, false), "1,235");
    EXPECT_EQ(AmountText(123456, false, true), "1,235 ");
    EXPECT_EQ(AmountText(250, false, false), "3"); // 2.5 rounds away from zero
}

// The text as the statement first formed it, through the double of amount × 0.01.
std::string TextThroughDouble(Amount amount, bool cents, bool brackets) {
    const double x = static_cast<double>(amount) * 0.01;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, cents ? "%0.2f" : "%0.0f", cents ? x : std::round(x));
    std::string text = buffer;
    std::size_t p = cents ? text.size() - 3 : text.size();
    while (p > (amount < 0 ? 4u : 3u))
        text.insert(p -= 3, ",");
    if (brackets)
        text = amount < 0 ? "(" + text.substr(1) + ")" : text + " ";
    return text;
}

TEST(AmountText, EveryAmountReadsAsThroughItsDouble) {
    std::vector<Amount> amounts = {1, -1, 40, -40, 50, -50, 99, 100, 150, -250, 999'999,
                                   1'000'000, -123'456'789, 999'999'999'999'999,
                                   -999'999'999'999'999, 1'000'000'000'000'000,
                                   std::numeric_limits<Amount>::max(),
                                   std::numeric_limits<Amount>::min()};
    // Every half and its neighbours across the magnitudes, and a spread of others.
    for (Amount scale = 1; scale < 10'000'000'000'000; scale *= 10)
        for (Amount offset : {-1, 0, 1})
            amounts.push_back(scale * 100 + 50 + offset);
    std::uint64_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        amounts.push_back(static_cast<Amount>(state >> (i % 14 + 14)) * (i % 2 ? 1 : -1));
    }
    for (Amount amount : amounts) {
        if (amount == 0)
            continue;
        for (bool cents : {false, true})
            for (bool brackets : {false, true})
                ASSERT_EQ(AmountText(amount, cents, brackets),
                          TextThroughDouble(amount, cents, brackets))
                    << amount << " " << cents << brackets;
    }
}

TEST(AmountText, ZeroIsADashWhateverTheFlags) {
    for (bool cents : {false, true})
        for (bool brackets : {false, true})
            EXPECT_EQ(AmountText(0, cents, brackets), "-  ");
}

TEST(DecimalAmountText, IsExactWithTwoDecimalsAndNoSeparators) {
    EXPECT_EQ(DecimalAmountText(0), "0.00");
    EXPECT_EQ(DecimalAmountText(5), "0.05");
    EXPECT_EQ(DecimalAmountText(-5), "-0.05");
    EXPECT_EQ(DecimalAmountText(-123450), "-1234.50");
    EXPECT_EQ(DecimalAmountText(100000000), "1000000.00");
    // Beyond the range where a double holds every hundredth, and the most negative amount,
    // whose magnitude has no signed form.
    EXPECT_EQ(DecimalAmountText(std::numeric_limits<Amount>::max()), "92233720368547758.07");
    EXPECT_EQ(DecimalAmountText(std::numeric_limits<Amount>::min()), "-92233720368547758.08");
}

TEST(SaturatingAmounts, StopAtTheEndsOfTheRangeInsteadOfWrapping) {
    constexpr Amount max = std::numeric_limits<Amount>::max();
    constexpr Amount min = std::numeric_limits<Amount>::min();
    EXPECT_EQ(SaturatingAdd(2, -5), -3);
    EXPECT_EQ(SaturatingAdd(max, 1), max);
    EXPECT_EQ(SaturatingAdd(max - 1, 1), max);
    EXPECT_EQ(SaturatingAdd(min, -1), min);
    EXPECT_EQ(SaturatingAdd(max, min), -1);
    EXPECT_EQ(SaturatingSub(2, 5), -3);
    EXPECT_EQ(SaturatingSub(min, 1), min);
    EXPECT_EQ(SaturatingSub(0, min), max);
    EXPECT_EQ(SaturatingSub(-1, min), max);
    EXPECT_EQ(SaturatingSub(max, -1), max);
    // The most negative amount has no positive counterpart: its negation is the largest.
    EXPECT_EQ(SaturatingNegate(min), max);
    EXPECT_EQ(SaturatingNegate(max), min + 1);
    EXPECT_EQ(SaturatingTimes(min, -1), max);
    EXPECT_EQ(SaturatingTimes(min, 1), min);
    EXPECT_EQ(SaturatingTimes(-7, 0), -7);
}

TEST(PercentOf, TruncatesTowardZeroAndIsExactBeyondADoublesReach) {
    EXPECT_EQ(PercentOf(1, 3), 3333);
    EXPECT_EQ(PercentOf(-1, 3), -3333);
    EXPECT_EQ(PercentOf(250, -1000), -2500);
    // 9,999,999,999,999,990,000 ÷ 3: the product fits neither 64 bits nor a double exactly;
    // the quotient is still exact.
    EXPECT_EQ(PercentOf(999'999'999'999'999, 3), 3'333'333'333'333'330'000);
    EXPECT_EQ(PercentOf(std::numeric_limits<Amount>::max(), 1), std::numeric_limits<Amount>::max());
    EXPECT_EQ(PercentOf(std::numeric_limits<Amount>::min(), 1), std::numeric_limits<Amount>::min());
    EXPECT_EQ(PercentOf(std::numeric_limits<Amount>::min(), -1),
              std::numeric_limits<Amount>::max());
    // 2^63 × 10000 ÷ 2^62 is 20000 exactly.
    EXPECT_EQ(PercentOf(std::numeric_limits<Amount>::min(), Amount{1} << 62), -20000);
}

TEST(AmountFile, ReadingTruncatesTowardZero) {
    EXPECT_EQ(AmountFromFile(0.29), 28); // 0.29 × 100.0 = 28.999999999999996
    EXPECT_EQ(AmountFromFile(0.5), 50);
    EXPECT_EQ(AmountFromFile(-0.295), -29);
    EXPECT_EQ(AmountToFile(1234), 12.34);
}

TEST(AmountFile, OutOfRangeDoublesAreClampedNotUndefined) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(AmountFromFile(nan), 0);
    EXPECT_EQ(AmountFromFile(inf), std::numeric_limits<Amount>::max());
    EXPECT_EQ(AmountFromFile(-inf), std::numeric_limits<Amount>::min());
    EXPECT_EQ(AmountFromFile(1e300), std::numeric_limits<Amount>::max());
}

TEST(AmountArithmetic, ProductsAreExactBeforeScaling) {
    // 12.5 % of 1,000.01: trunc(100001 × 1250 × 0.0001) = trunc(12500.125) = 12500
    EXPECT_EQ(MulTrunc(100001, 1250, 0.0001), 12500);
    EXPECT_EQ(MulTrunc(-100001, 1250, 0.0001), -12500);
    // A product beyond 64 bits is still formed exactly and then clamped.
    const Amount big = std::numeric_limits<Amount>::max();
    EXPECT_EQ(MulTrunc(big, 2, 0.5), big);
    EXPECT_EQ(ScaleRound(15, 0.1), 2);   // floor(1.5 + 0.5)
    EXPECT_EQ(ScaleRound(-15, 0.1), -1); // floor(-1.5 + 0.5): half up, not away from zero
    EXPECT_EQ(ScaleTrunc(-7, 0.5), -3);
}
