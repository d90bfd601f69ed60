#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// A 64-bit value as an int, held at the ends of the int range instead of wrapping: positions,
// sizes and counts worked out in 64 bits from a damaged file's figures stay in range on their
// way to an interface that takes int.
constexpr int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// a + b on the way to an int, held at the ends of the range: a layout that a damaged file makes
// wider than an int can count ends at the edge instead of wrapping.
constexpr int AddClamped(std::int64_t a, std::int64_t b) {
    return ClampToInt(a + b);
}
