#pragma once

#include <cstdint>

namespace Statement {

// The outline glyphs at the left of the Advanced statement's rows. The forecast stores a
// section's or block's open/closed state as one of the four box styles; the connector styles
// only draw the outline's lines.
enum OutlineStyle : std::int32_t {
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

} // namespace Statement
