#include "display/Expander.h"

#include <algorithm>

#include "platform/DeviceContext.h"

namespace Display {
namespace {

// The square a box glyph takes: the cell shrunk along its longer side, centred, and inset on
// every side so that boxes on rows one under the other stand apart, joined by the tree line. The
// inset keeps the side's parity, so the box stays centred on the line.
Rect BoxOf(const Rect& cell) {
    int side = std::min(cell.Width(), cell.Height());
    side -= 2 * (side / 6);
    const int left = cell.left + (cell.Width() - side) / 2;
    const int top = cell.top + (cell.Height() - side) / 2;
    return {left, top, left + side, top + side};
}

// Draws the horizontal or vertical segment from (x1, y1) to (x2, y2), cut to the area.
void ClippedLine(DeviceContext& dc, const Rect& area, int x1, int y1, int x2, int y2) {
    if (area.IsEmpty())
        return;
    if (y1 == y2) {
        if (y1 < area.top || y1 >= area.bottom)
            return;
        const int from = std::max(std::min(x1, x2), area.left);
        const int to = std::min(std::max(x1, x2), area.right);
        if (from < to)
            dc.Line(from, y1, to, y1);
    } else {
        if (x1 < area.left || x1 >= area.right)
            return;
        const int from = std::max(std::min(y1, y2), area.top);
        const int to = std::min(std::max(y1, y2), area.bottom);
        if (from < to)
            dc.Line(x1, from, x1, to);
    }
}

} // namespace

std::int32_t FlippedStyle(std::int32_t style) {
    switch (style) {
    case kPlusBox: return kMinusBox;
    case kMinusBox: return kPlusBox;
    case kPlusBoxUp: return kMinusBoxUp;
    case kMinusBoxUp: return kPlusBoxUp;
    default: return style;
    }
}

bool Expander::HitTest(int x, int y) const {
    return AnswersClicks() && glyph.Intersected(clip).Contains({x, y});
}

void Expander::Draw(DeviceContext& dc, int below, int above) const {
    const std::int32_t kind = Style();
    if (dc.IsPrinting() || kind < 0 || kind >= kNoGlyph || glyph.IsEmpty())
        return;
    const Rect area = glyph.Intersected(clip);
    // Lines that run to the row bottom or from its top may reach across the gap or empty row
    // below or above it.
    const Rect reach =
        Rect{glyph.left, glyph.top - above, glyph.right, glyph.bottom + below}.Intersected(clip);
    const int midX = (glyph.left + glyph.right) / 2;
    const int midY = (glyph.top + glyph.bottom) / 2;
    const int top = glyph.top - above;

    switch (kind) {
    case kPlusBox:
    case kMinusBox:
    case kPlusBoxUp:
    case kMinusBoxUp: {
        const Rect box = BoxOf(glyph);
        const int right = box.right - 1;
        const int bottom = box.bottom - 1;
        // A line takes both its end points, so the sides end on the box's last row and column:
        // no corner sticks out now that the box no longer fills its cell.
        ClippedLine(dc, area, box.left, box.top, right, box.top);
        ClippedLine(dc, area, box.left, bottom, right, bottom);
        ClippedLine(dc, area, box.left, box.top, box.left, bottom);
        ClippedLine(dc, area, right, box.top, right, bottom);
        const int boxMidX = (box.left + box.right) / 2;
        const int boxMidY = (box.top + box.bottom) / 2;
        ClippedLine(dc, area, box.left + 2, boxMidY, right - 2, boxMidY);
        if (kind == kPlusBox || kind == kPlusBoxUp)
            ClippedLine(dc, area, boxMidX, box.top + 2, boxMidX, bottom - 2);
        // Every box hangs on the line from the row above (the stored Up styles draw alike); an
        // open one carries it on to the rows it opens.
        ClippedLine(dc, area, boxMidX, glyph.top, boxMidX, box.top);
        if (kind == kMinusBox || kind == kMinusBoxUp)
            ClippedLine(dc, reach, boxMidX, bottom, boxMidX, glyph.bottom + below);
        break;
    }
    case kConnectorEnd:
        ClippedLine(dc, reach, midX, top, midX, midY + 1);
        ClippedLine(dc, area, midX, midY, glyph.right, midY);
        break;
    case kConnectorThrough:
        ClippedLine(dc, reach, midX, top, midX, glyph.bottom + below);
        ClippedLine(dc, area, midX, midY, glyph.right, midY);
        break;
    case kLineThrough:
        ClippedLine(dc, reach, midX, top, midX, glyph.bottom + below);
        ClippedLine(dc, area, glyph.left, midY, glyph.right, midY);
        break;
    case kConnectorStub:
        ClippedLine(dc, area, midX, midY, glyph.right, midY);
        break;
    default: break;
    }
}

void Expander::DrawLine(DeviceContext& dc) const {
    if (dc.IsPrinting() || glyph.IsEmpty())
        return;
    const int midX = (glyph.left + glyph.right) / 2;
    ClippedLine(dc, glyph.Intersected(clip), midX, glyph.top, midX, glyph.bottom);
}

} // namespace Display
