#pragma once

#include <cstddef>

#include "core/WideText.h"

namespace Statement {

// A marker on a row reads its note's number; a number longer than any a person would give a
// note is cut, so that a note linked to rows thousands of times does not repeat a long text
// as often. The NOTES entry shows the number whole.
inline constexpr std::size_t kMaxMarkerLength = 64;

inline Text MarkerLabel(const Text& number) {
    if (number.size() <= kMaxMarkerLength)
        return number;
    return number.substr(0, kMaxMarkerLength) + u"\u2026";
}

// The text a marker draws on its row: its label, after ", " when a marker shown before it stands
// on the row, whatever that marker's number (an empty one too), so "1, , 3" keeps its places.
inline Text MarkerText(const Text& label, bool followsShownMarker) {
    return followsShownMarker ? u", " + label : label;
}

} // namespace Statement
