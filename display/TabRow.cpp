#include "display/TabRow.h"

#include <algorithm>

#include "core/ClampToInt.h"
#include "database/LayoutKey.h"
#include "display/Palette.h"
#include "platform/DeviceContext.h"

namespace Display {

TabFills TabFillsOf(int level, Colour focus) {
    switch (level) {
    case LayoutKey::kScenario:
        return {kPanelGrey, kLightPanel, focus};
    case LayoutKey::kCompany:
        return {kLightPanel, kLighterPanel, focus};
    default:
        return {kWhite, kWhite, focus};
    }
}

Size TabSize(DeviceContext& dc, const Text& label, Size margin) {
    const Size text = dc.TextExtent(label);
    return {AddClamped(text.width, 2LL * margin.width), AddClamped(text.height, 2LL * margin.height)};
}

void DrawTab(DeviceContext& dc, const Rect& tab, Size corner, const Text& label, Point textAt,
             Colour fill, bool current) {
    dc.SelectPen(kHighlightGrey);
    dc.SelectBrush(fill);
    dc.RoundRect(tab, corner.width, corner.height);
    dc.SetTextColour(current ? kCurrentRed : kHighlightGrey);
    dc.SetBackColour(fill);
    dc.DrawText(textAt.x, textAt.y, label, Align::Left, tab);
}

void DrawPanel(DeviceContext& dc, const Rect& panel, Size corner, Colour outline, int penWidth,
               Colour fill) {
    dc.SelectPen(outline, penWidth);
    dc.SelectBrush(fill);
    dc.RoundRect(panel, corner.width, corner.height);
}

void JoinTab(DeviceContext& dc, const Rect& tab, int panelTop, Colour fill, int penWidth) {
    dc.SelectPen(fill, penWidth);
    dc.Line(tab.left + 1, panelTop, tab.right - 1, panelTop);
}

int DrawTabRow(DeviceContext& dc, const Rect& area, int top, const ViewUnits& units,
               const TabRow& row, bool lastRow, bool draw, std::vector<Rect>& rects) {
    const Size margin = units.u15;
    // Every tab is one line high, whatever its label (an empty one included).
    const int height = TabSize(dc, u"Fg", margin).height;
    const int panelTop = top + height;
    rects.clear();
    int x = area.left + units.u25.width;
    for (const Text& label : row.labels) {
        const int width = TabSize(dc, label, margin).width;
        rects.push_back(Rect{x, top, AddClamped(x, width), panelTop});
        x = AddClamped(x, width);
    }
    if (!draw)
        return panelTop;

    // The next row's panel covers this one from its own top down, so a panel above the last
    // ends just below that (its rounded corners hidden): filling the whole area again would
    // only be painted over.
    const int panelBottom =
        lastRow ? area.bottom : std::min(area.bottom, panelTop + height + units.u25.height);
    DrawPanel(dc, Rect{area.left, panelTop, area.right, panelBottom}, units.u25, kHighlightGrey, 0,
              row.fills.panel);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const bool current = static_cast<int>(i) == row.current;
        // One unit into the panel, so the joining line covers both outlines.
        const Rect tab{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom + 1};
        DrawTab(dc, tab, units.u25, row.labels[i],
                Point{tab.left + margin.width, tab.top + units.u1.height},
                row.fills.Of(current, row.focused), current);
    }
    if (row.current >= 0 && row.current < static_cast<int>(rects.size()))
        JoinTab(dc, rects[static_cast<std::size_t>(row.current)], panelTop, row.fills.panel, 0);
    return panelTop;
}

} // namespace Display
