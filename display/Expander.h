#pragma once

#include <cstdint>

#include "platform/DrawTypes.h"
#include "statement/OutlineStyle.h"

class DeviceContext;

namespace Display {

// The outline glyphs are stored with the statement (a section's state is one of them).
using ExpanderStyle = Statement::OutlineStyle;
using Statement::kConnectorEnd;
using Statement::kConnectorStub;
using Statement::kConnectorThrough;
using Statement::kLineThrough;
using Statement::kMinusBox;
using Statement::kMinusBoxUp;
using Statement::kNoGlyph;
using Statement::kPlusBox;
using Statement::kPlusBoxUp;

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
    // bottom, and the line under an open box, continue `below` units further, across the gap or
    // empty row left under it; lines that come from the row top start `above` units higher,
    // across an empty row left over it. A box joins the line above it.
    void Draw(DeviceContext& dc, int below = 0, int above = 0) const;
    // The tree line alone, down through the cell (nothing on a printer): what hangs between two
    // rows, such as an opened note, keeps the line unbroken.
    void DrawLine(DeviceContext& dc) const;
};

// The style a click leaves: open becomes closed and closed open; others are unchanged.
std::int32_t FlippedStyle(std::int32_t style);

} // namespace Display
