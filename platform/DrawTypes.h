#pragma once

#include <algorithm>
#include <cstdint>

#include "core/WideText.h"

// A colour as the forecast files hold it: 0x00BBGGRR (red in the low byte).
using Colour = std::uint32_t;

// The colour of the given red, green and blue (each 0-255).
constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int RedOf(Colour colour) {
    return static_cast<int>(colour & 0xFF);
}
constexpr int GreenOf(Colour colour) {
    return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int BlueOf(Colour colour) {
    return static_cast<int>(colour >> 16 & 0xFF);
}

// A position in logical units.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A width and height in logical units.
struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle in logical units; left and top are inside it, right and bottom just outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // The part shared with another rectangle (empty when they do not meet).
    constexpr Rect Intersected(const Rect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    // The same rectangle with left ≤ right and top ≤ bottom.
    constexpr Rect Normalised() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Where text stands relative to its reference point: the point is its left edge, right edge or
// centre; the point's y is always the top of the text.
enum class Align { Left, Right, Centre };

// A font as the drawing code asks for it.
struct Font {
    Text face;               // family name; empty means the device's default face
    int tenthsOfPoint = 100; // 100 is 10 pt
    int weight = 400;        // 100-900: 400 regular, 700 bold
    int escapement = 0;      // tenths of a degree anticlockwise; 900 writes upwards
    friend bool operator==(const Font&, const Font&) = default;
};

// What drawing code may ask of a device. Sizes are in device units (logical units here).
struct DeviceCaps {
    bool printing = false; // a printer, a preview page or a PDF page
    int horzRes = 0;       // width of the printable area (the client area on screen)
    int vertRes = 0;       // height of the printable area
    int physicalWidth = 0; // the whole sheet
    int physicalHeight = 0;
    int physicalOffsetX = 0; // from the sheet's edge to the printable area
    int physicalOffsetY = 0;
    int logPixelsX = 96; // units per inch
    int logPixelsY = 96;

    // A screen surface of the given size and resolution.
    static constexpr DeviceCaps Screen(int width, int height, int dpi = 96) {
        return {false, width, height, width, height, 0, 0, dpi, dpi};
    }
    friend bool operator==(const DeviceCaps&, const DeviceCaps&) = default;
};
