#pragma once

#include <array>
#include <cstdint>

// Seven levels that address a forecast object: 0 view, 1 scenario, 2 company, 3 year, 4 graph,
// 5 row category, 6 row position. kNoEntry at a level means "no entry".
struct LayoutKey {
    static constexpr std::int32_t kNoEntry = -10;
    enum Level { kView = 0, kScenario, kCompany, kYear, kGraph, kCategory, kPosition };

    std::array<std::int32_t, 7> level{kNoEntry, kNoEntry, kNoEntry, kNoEntry,
                                      kNoEntry, kNoEntry, kNoEntry};

    std::int32_t operator[](int i) const { return level[static_cast<std::size_t>(i)]; }
    std::int32_t& operator[](int i) { return level[static_cast<std::size_t>(i)]; }
};
