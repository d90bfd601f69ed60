#include "display/StdGraphsPage.h"

#include <algorithm>
#include <vector>

#include "database/CTaxSetup.h"
#include "display/GraphAxes.h"
#include "display/Palette.h"
#include "document/CMainDoc.h"
#include "statement/graphs/GraphSeriesData.h"

namespace {

using Display::kBlack;
using Display::kWhite;

// Draws the legend buttons down the area's left edge; returns the right edge of the widest.
int DrawLegend(DeviceContext& dc, const CMainDoc& doc, const Rect& area, const ViewUnits& units,
               const std::array<bool, 16>& shown, bool layoutLegend,
               std::array<Rect, 16>& legendButtons) {
    const Database::CTaxSetup* taxSetup = doc.Root().TaxSetup(0);
    const Size rim = units.u05;
    // White room either side of the label, so the text never touches its coloured frame.
    const int pad = units.u1.width;
    int right = area.left;
    int top = area.top;
    dc.SetBackColour(kWhite);
    for (int series = 0; series < GraphSeriesData::kSeries; ++series) {
        const auto index = static_cast<std::size_t>(series);
        const Text label = StdGraphSeriesLabel(series, taxSetup);
        const Size extent = dc.TextExtent(label);
        // A rim of the series colour stays visible around the label's white box.
        const Rect button{area.left, top, area.left + extent.width + 2 * (rim.width + pad),
                          top + extent.height + 2 * rim.height};
        top = button.bottom + units.u1.height;
        right = std::max(right, button.right);

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
        dc.DrawText(button.left + rim.width + pad, button.top + rim.height, label, Align::Left,
                    visible);
    }
    return right;
}

} // namespace

void DrawStdGraphsPage(DeviceContext& dc, const CMainDoc& doc, const Database::CCompany* company,
                       const Rect& area, const ViewUnits& units, const std::array<bool, 16>& shown,
                       bool offsetYear, bool layoutLegend, std::array<Rect, 16>& legendButtons) {
    const int legendRight = DrawLegend(dc, doc, area, units, shown, layoutLegend, legendButtons);
    dc.SetTextColour(kBlack);

    if (std::none_of(shown.begin(), shown.end(), [](bool on) { return on; }))
        return;
    Rect graphRect = area;
    graphRect.left = legendRight + units.u25.width;
    if (graphRect.IsEmpty())
        return;

    GraphSeriesData data;
    data.Load(doc, company, shown, offsetYear);
    GraphAxes axes(data.Scale(), data.Months(), units,
                   [&data](Amount value) { return data.AmountLabel(value); });
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
