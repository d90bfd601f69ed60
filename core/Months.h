#pragma once

#include <array>
#include <cstdint>

#include "core/Amount.h"

// Monthly figures are indexed by calendar month, 0 = January.
inline constexpr int kMonths = 12;
using MonthAmounts = std::array<Amount, kMonths>;
using MonthFlags = std::array<bool, kMonths>;
using MonthInts = std::array<std::int32_t, kMonths>;

inline bool IsMonth(int month) { return month >= 0 && month < kMonths; }
