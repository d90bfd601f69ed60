#pragma once

#include <vector>

#include "core/WideText.h"
#include "display/ViewUnits.h"
#include "platform/DrawTypes.h"

class DeviceContext;

// The index tabs of both statements: a tab is its label with a margin each side, outlined in
// grey with rounded corners; it stands on a panel of the same rounded shape, whose edge opens
// where the current tab joins it.
namespace Display {

// The font of the view tabs, which read upwards in the current face and size.
inline Font VerticalTabFont(const Font& current) {
    return Font{current.face, current.tenthsOfPoint, 400, 900};
}

// The fills of one level of tabs and of the panel they stand on. The current tab takes the
// panel's fill, so that it reads as part of the panel, unless it holds the focus.
struct TabFills {
    Colour panel;
    Colour other;
    Colour focus;

    Colour Of(bool current, bool focused) const {
        return !current ? other : focused ? focus : panel;
    }
};

// The fills of the tabs at a key level: scenarios stand on the darkest grey, companies on a
// lighter one, views, years and graphs on white. `focus` fills a current tab with the focus.
TabFills TabFillsOf(int level, Colour focus);

// A tab's size: its label's extent with `margin` on each side.
Size TabSize(DeviceContext& dc, const Text& label, Size margin);

// Draws a tab filled with `fill`, its label red when it is the current tab and grey otherwise,
// written from `textAt` and clipped to the tab.
void DrawTab(DeviceContext& dc, const Rect& tab, Size corner, const Text& label, Point textAt,
             Colour fill, bool current);

// Draws a panel in `fill`, outlined in `outline` with a pen of `penWidth`.
void DrawPanel(DeviceContext& dc, const Rect& panel, Size corner, Colour outline, int penWidth,
               Colour fill);

// Opens the top edge of a panel at `panelTop` where `tab` stands on it, in the panel's fill.
void JoinTab(DeviceContext& dc, const Rect& tab, int panelTop, Colour fill, int penWidth);

// One row of tabs on its panel, as the Standard and Basic statements draw a level of their
// selection: the tabs from a small indent at the left of the area, one text line and a margin
// high, the panel below reaching the area's bottom.
struct TabRow {
    std::vector<Text> labels;
    int current = -1;
    bool focused = false;
    TabFills fills;
};

// Lays `row` out at `top` in `area` (the tabs into `rects`) and draws it when `draw`. A row above
// another draws only the top of its panel, which the next row covers from there down. Returns
// the panel's top, where the next row starts.
int DrawTabRow(DeviceContext& dc, const Rect& area, int top, const ViewUnits& units,
               const TabRow& row, bool lastRow, bool draw, std::vector<Rect>& rects);

} // namespace Display
