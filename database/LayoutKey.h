#pragma once

#include <array>
#include <cstdint>

// Seven levels that address a forecast object: 0 view, 1 scenario, 2 company, 3 year, 4 graph,
// 5 row category, 6 row position. kNoEntry at a level means "no entry".
struct LayoutKey {
    static constexpr std::int32_t kNoEntry = -10;
    enum Level { kView = 0, kScenario, kCompany, kYear, kGraph, kCategory, kPosition };

    // A key with no entry at any level.
    LayoutKey() = default;
    // The levels in the order view, scenario, company, year, row category, row position and
    // graph last: a row's key is written most often, and the graph level rarely.
    LayoutKey(std::int32_t view, std::int32_t scenario, std::int32_t company, std::int32_t year,
              std::int32_t category = kNoEntry, std::int32_t position = kNoEntry,
              std::int32_t graph = kNoEntry)
        : level{view, scenario, company, year, graph, category, position} {}

    std::array<std::int32_t, 7> level{kNoEntry, kNoEntry, kNoEntry, kNoEntry,
                                      kNoEntry, kNoEntry, kNoEntry};

    std::int32_t operator[](int i) const { return level[static_cast<std::size_t>(i)]; }
    std::int32_t& operator[](int i) { return level[static_cast<std::size_t>(i)]; }
    bool IsSet(int i) const { return (*this)[i] != kNoEntry; }

    friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
};
