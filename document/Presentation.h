#pragma once

#include <algorithm>
#include <cstdint>

// How the zoom and font size a file stores are read wherever they take effect: the window, the
// printer, the PNG and PDF exports and the Font Toolbar. A file may hold any 32-bit value; one
// outside what the viewer itself offers (a zoom of 1 to 1000 %, a size of 0.1 to 1000 points)
// carries no meaning, so the default stands in for it. The nearest end would draw the statement
// too small to read (1 %) or so large that its measures leave the int range.

inline constexpr std::int32_t kDefaultZoom = 100;
inline constexpr std::int32_t kMinUsableZoom = 1;
inline constexpr std::int32_t kMaxUsableZoom = 1000;
// Tenths of a point.
inline constexpr std::int32_t kDefaultFontSize = 100;
inline constexpr std::int32_t kMinUsableFontSize = 1;
inline constexpr std::int32_t kMaxUsableFontSize = 10000;

// The zoom, in percent, that a stored zoom is drawn at.
constexpr std::int32_t UsableZoom(std::int32_t stored) {
    return stored >= kMinUsableZoom && stored <= kMaxUsableZoom ? stored : kDefaultZoom;
}

// The font size, in tenths of a point, that a stored size is drawn at.
constexpr std::int32_t UsableFontSize(std::int32_t stored) {
    return stored >= kMinUsableFontSize && stored <= kMaxUsableFontSize ? stored : kDefaultFontSize;
}

// The statement's font size in tenths of a point at a zoom, both read as above: never below
// 0.1 point, never above 10,000 points.
constexpr std::int32_t ZoomedFontSize(std::int32_t storedSize, std::int32_t storedZoom) {
    return std::max<std::int32_t>(1, UsableFontSize(storedSize) * UsableZoom(storedZoom) / 100);
}
