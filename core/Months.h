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

// The English three-letter name of a calendar month (0 January), taken mod 12.
inline const char16_t* MonthAbbreviation(int month) {
    static constexpr const char16_t* kNames[kMonths] = {u"Jan", u"Feb", u"Mar", u"Apr",
                                                        u"May", u"Jun", u"Jul", u"Aug",
                                                        u"Sep", u"Oct", u"Nov", u"Dec"};
    return kNames[((month % kMonths) + kMonths) % kMonths];
}
