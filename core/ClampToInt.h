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
