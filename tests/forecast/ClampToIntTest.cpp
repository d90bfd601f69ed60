#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "core/ClampToInt.h"

namespace {

TEST(ClampToInt, KeepsWhatFitsAndHoldsTheRestAtTheEnds) {
    constexpr std::int64_t intMax = std::numeric_limits<int>::max();
    constexpr std::int64_t intMin = std::numeric_limits<int>::min();
    EXPECT_EQ(ClampToInt(0), 0);
    EXPECT_EQ(ClampToInt(-123), -123);
    EXPECT_EQ(ClampToInt(intMax), intMax);
    EXPECT_EQ(ClampToInt(intMin), intMin);
    // One beyond either end would wrap to the other end if merely cast.
    EXPECT_EQ(ClampToInt(intMax + 1), intMax);
    EXPECT_EQ(ClampToInt(intMin - 1), intMin);
    EXPECT_EQ(ClampToInt(std::int64_t{1} << 32), intMax);
    EXPECT_EQ(ClampToInt(std::numeric_limits<std::int64_t>::max()), intMax);
    EXPECT_EQ(ClampToInt(std::numeric_limits<std::int64_t>::min()), intMin);
}

} // namespace
