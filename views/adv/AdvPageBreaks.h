#pragma once

#include <array>

// Which band of pages across each figure column of a printed Advanced statement goes on, from
// the columns' widths and the room the page leaves beside the labels.
namespace AdvPageBreaks {

// Twelve months, Total and Percentage, each with an Actual, an Expected and a Variance column.
inline constexpr int kGroups = 14;
inline constexpr int kColumns = 3 * kGroups;

// The room for figures, from where they start to the page's right edge.
struct Room {
    // On the first band, after the description, notes and tax columns.
    int first = 0;
    // On every later band, after the repeated description column.
    int later = 0;
    // Before every shown column.
    int gap = 0;
};

// Where the columns went.
struct Bands {
    // Per column, its band and its left edge measured from where that band's figures start
    // (the gap before it included); a column not shown (width 0) stands where the next one
    // would, with nothing drawn.
    std::array<int, kColumns> band{};
    std::array<int, kColumns> left{};
    int count = 1;
    // False when some column is wider than any band's room, so part of it would be cut.
    bool fits = true;
};

// Lays the columns (widths by group: a group's Actual, Expected and Variance; 0 for one not
// shown) on bands left to right. A group goes whole on the band where it fits in what is left,
// else whole on the next band; only a group wider than a later band's room is split, between
// its columns, each whole, filling what is left of each band.
Bands Break(const std::array<int, kColumns>& widths, const Room& room);

} // namespace AdvPageBreaks
