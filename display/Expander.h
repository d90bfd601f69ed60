#pragma once

#include <cstdint>

#include "platform/DrawTypes.h"

class DeviceContext;

namespace Display {

// The outline glyphs drawn at the left of a row. The box styles open and close a section; the
// connector styles only draw the outline's lines.
enum ExpanderStyle : std::int32_t {
    kPlusBox = 0,          // closed: box with a plus sign
    kMinusBox = 1,         // open: box with a minus sign
    kPlusBoxUp = 2,        // closed, with a connector from the box up to the row top
    kMinusBoxUp = 3,       // open, with a connector up
    kConnectorEnd = 4,     // from the row top to the centre, then right
    kConnectorThrough = 5, // as kConnectorEnd, continuing down to the row bottom
    kLineThrough = 6,      // down through the row, crossed at the centre
    kConnectorStub = 7,    // one short segment at the centre
    kNoGlyph = 8,          // this and anything above draws nothing
};

// The outline glyph of one row: where it is drawn, what it may touch, and which style it shows.
// The style is read through the pointer on every use, so a flipped section state shows at once.
struct Expander {
    Rect glyph;
    Rect clip;
    const std::int32_t* style = nullptr;

    // The style in force; kNoGlyph when there is none.
    std::int32_t Style() const { return style ? *style : kNoGlyph; }
    // Only the box styles open and close.
    bool AnswersClicks() const { return Style() >= kPlusBox && Style() <= kMinusBoxUp; }
    // True for a box style when the point lies in the glyph cut to the clip.
    bool HitTest(int x, int y) const;
    // Takes the row's cell, the area it must stay inside and the style.
    void Set(const Rect& cell, const Rect& clipArea, const std::int32_t* styleValue) {
        glyph = cell;
        clip = clipArea;
        style = styleValue;
    }
    // Draws the glyph with the current pen (nothing on a printer). Lines that run to the row
    // bottom continue `below` units further, across an empty row left under it.
    void Draw(DeviceContext& dc, int below = 0) const;
};

// The style a click leaves: open becomes closed and closed open; others are unchanged.
std::int32_t FlippedStyle(std::int32_t style);

} // namespace Display
