#include "display/StdGraphsPage.h"

#include <algorithm>
#include <vector>

#include "display/GraphAxes.h"
#include "display/Palette.h"
#include "document/CMainDoc.h"
#include "statement/graphs/GraphSeriesData.h"

namespace {

using Display::kBlack;
using Display::kWhite;

// Draws the legend buttons down the area's left edge, in as many columns as the room above
// `bottom` needs; returns the right edge of the legend.
int DrawLegend(DeviceContext& dc, const CMainDoc& doc, const Rect& area, int bottom,
               const ViewUnits& units, const std::array<bool, 16>& shown, bool layoutLegend,
               std::array<Rect, 16>& legendButtons) {
    const Database::CTaxSetup* taxSetup = doc.Root().TaxSetup(0);
    const Size rim = units.u05;
    // White room either side of the label, so the text never touches its coloured frame; half
    // a blank more on each side takes up what a printer's text may run wider than measured.
    const int pad = units.u1.width + dc.TextExtent(u" ").width / 2;
    int columnLeft = area.left;
    int columnRight = area.left;
    int top = area.top;
    dc.SetBackColour(kWhite);
    for (int series = 0; series < GraphSeriesData::kSeries; ++series) {
        const auto index = static_cast<std::size_t>(series);
        const Text label = StdGraphSeriesLabel(series, taxSetup);
        const Size extent = dc.TextExtent(label);
        const int height = extent.height + 2 * rim.height;
        // A button that would pass the bottom starts the next column; every column holds one.
        if (top > area.top && top + height > bottom) {
            columnLeft = columnRight + units.u25.width;
            top = area.top;
        }
        // A rim of the series colour stays visible around the label's white box.
        const Rect button{columnLeft, top, columnLeft + extent.width + 2 * (rim.width + pad),
                          top + height};
        top = button.bottom + units.u1.height;
        columnRight = std::max(columnRight, button.right);

        Rect visible = button.Intersected(area);
        if (visible.IsEmpty())
            visible = Rect{};
        if (layoutLegend)
            legendButtons[index] = visible;
        if (visible.IsEmpty())
            continue;
        const Colour colour = doc.seriesColour[index];
        dc.SelectPen(colour);
        dc.SelectBrush(colour);
        dc.RoundRect(visible, units.u25.width, units.u25.height);
        const Rect inside = Rect{button.left + rim.width, button.top + rim.height,
                                 button.right - rim.width, button.bottom - rim.height}
                                .Intersected(visible);
        if (!inside.IsEmpty())
            dc.FillRect(inside, kWhite);
        dc.SetTextColour(shown[index] ? Display::kCurrentRed : Display::kHighlightGrey);
        // Centred, and cut by the page only: a label is never cut by its own frame.
        dc.DrawText((button.left + button.right) / 2, button.top + rim.height, label, Align::Centre,
                    area);
    }
    return columnRight;
}

} // namespace

void DrawStdGraphsPage(DeviceContext& dc, const CMainDoc& doc, const Database::CCompany* company,
                       const Rect& area, const ViewUnits& units, const std::array<bool, 16>& shown,
                       bool offsetYear, bool layoutLegend, std::array<Rect, 16>& legendButtons,
                       int keepBelowLegend) {
    const int legendRight = DrawLegend(dc, doc, area, area.bottom - std::max(0, keepBelowLegend),
                                       units, shown, layoutLegend, legendButtons);
    dc.SetTextColour(kBlack);

    if (std::none_of(shown.begin(), shown.end(), [](bool on) { return on; }))
        return;
    Rect graphRect = area;
    graphRect.left = legendRight + units.u25.width;
    if (graphRect.IsEmpty())
        return;

    GraphSeriesData data;
    data.Load(doc, company, shown, offsetYear);
    GraphAxes axes(
        data.Scale(), data.Months(), units,
        [&data](Amount value) { return data.AmountLabel(value); },
        GraphAxes::MonthLabels::BelowPlot);
    axes.Arrange(dc, graphRect);
    dc.SelectPen(kBlack);
    axes.Draw(dc);

    std::vector<GraphPoint> points(static_cast<std::size_t>(data.MonthCount()));
    for (int series = 0; series < GraphSeriesData::kSeries; ++series) {
        const auto index = static_cast<std::size_t>(series);
        if (!shown[index])
            continue;
        const std::vector<Amount>& values = data.Values(series);
        for (std::size_t p = 0; p < points.size() && p < values.size(); ++p)
            points[p] = {data.Months().firstIndex + static_cast<std::int64_t>(p), values[p], true};
        axes.DrawLine(dc, points, doc.seriesColour[index], units.u1);
    }
    dc.SelectPen(kBlack);
    dc.SelectBrush(kWhite);
}
