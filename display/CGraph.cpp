#include "display/CGraph.h"

#include <algorithm>
#include <limits>

#include "database/CCompany.h"
#include "database/CDisplaySettings.h"
#include "database/CGraphSettings.h"
#include "display/ArrangeContext.h"
#include "display/DrawContext.h"
#include "display/LayoutMetrics.h"
#include "display/MoneyText.h"
#include "display/Palette.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"
#include "statement/graphs/GraphTotals.h"

namespace Display {

namespace GraphTotals = Statement::GraphTotals;

namespace {

// The axes take their ticks, gaps and label drops from the layout's paddings.
ViewUnits AxisUnits(const LayoutMetrics& metrics) {
    return {metrics.tabInset, metrics.gapSize, metrics.tabMargin, metrics.cornerSize};
}

// Axis labels are written as the graph's year writes its amounts: the year shown, else the
// year whose settings the key names (the first when it names none); the forecast's own choices
// when neither resolves.
GraphAxes::Formatter LabelFormatter(const DrawContext& context, const LayoutKey& settingsKey,
                                    const Database::CCompany* company) {
    const Database::CDisplaySettings* display = context.display;
    if (!display && company) {
        const std::int32_t year = settingsKey[LayoutKey::kYear];
        if (const Database::CYear* owner = company->FindYear(year >= 0 ? year : 0))
            display = &owner->display;
    }
    if (display)
        return [display](Amount value) { return MoneyText(*display, value); };
    const Database::CPERT& root = context.doc->Root();
    const bool cents = root.cents != 0;
    const bool brackets = root.brackets != 0;
    return [cents, brackets](Amount value) { return MoneyText(value, cents, brackets); };
}

} // namespace

void CGraph::Layout(ArrangeContext& context, const Rect& rect) {
    settingsKey = *context.currentKey;
    key = settingsKey;
    key[LayoutKey::kYear] = LayoutKey::kNoEntry;
    key[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    settingsIndex = settingsKey[LayoutKey::kGraph];
    bounds = rect;
    plotRect = rect;
    placed = true;

    Amount low = 0;
    Amount high = 0;
    std::int64_t first = std::numeric_limits<std::int32_t>::max();
    std::int64_t last = 0;
    firstYear = 0;
    labelled = false;
    years = GraphTotals::GraphYears(*context.doc, key);
    for (const GraphTotals::GraphYear& year : years) {
        const Database::CGraphSettings* settings =
            GraphTotals::SettingsOf(*year.year, settingsIndex);
        if (!settings)
            continue;
        for (int series = 0; series < GraphTotals::kSeries; ++series)
            for (int kind = 0; kind < GraphTotals::kKinds; ++kind)
                for (const GraphPoint& point :
                     GraphTotals::YearPoints(year, *settings, kind, series)) {
                    if (!point.plotted)
                        continue;
                    low = std::min(low, point.value);
                    high = std::max(high, point.value);
                    first = std::min(first, point.index);
                    last = std::max(last, point.index);
                }
    }
    if (!years.empty()) {
        firstYear = FirstCalendarYear(*years.front().year);
        labelled = true;
    }
    if (last == 0) {
        first = 0;
        last = 1;
    }
    firstIndex = first;
    lastIndex = last;

    const GraphScale scale = ScaleForRange(low, high);
    minValue = scale.minValue;
    maxValue = scale.maxValue;
    upTicks = scale.upTicks;
    downTicks = scale.downTicks;
}

GraphScale CGraph::Scale() const {
    GraphScale scale;
    scale.minValue = minValue;
    scale.maxValue = maxValue;
    scale.upTicks = upTicks;
    scale.downTicks = downTicks;
    // The ends lie whole steps either side of zero.
    scale.step = scale.Steps() > 0 ? scale.Span() / scale.Steps() : 100;
    return scale;
}

GraphMonthRange CGraph::Months() const {
    GraphMonthRange months;
    months.firstIndex = firstIndex;
    months.lastIndex = lastIndex;
    months.firstYear = firstYear;
    months.labelled = labelled;
    return months;
}

void CGraph::Draw(DrawContext& context) {
    DeviceContext& dc = *context.dc;
    const Database::CCompany* company = GraphTotals::CompanyOf(*context.doc, key);
    const ViewUnits units = AxisUnits(*context.metrics);
    GraphAxes axes(Scale(), Months(), units, LabelFormatter(context, settingsKey, company));
    axes.Arrange(dc, bounds);
    plotRect = axes.PlotRect();
    dc.SetTextColour(kBlack);
    dc.SelectPen(kBlack);
    axes.Draw(dc);
    if (!company)
        return;
    // Row by row and kind by kind, each year in its own colour; a year's line ends with it.
    for (int series = 0; series < GraphTotals::kSeries; ++series)
        for (int kind = 0; kind < GraphTotals::kKinds; ++kind)
            for (const GraphTotals::GraphYear& year : years) {
                const Database::CGraphSettings* settings =
                    GraphTotals::SettingsOf(*year.year, settingsIndex);
                if (!settings || !GraphTotals::Cell(settings->seriesOn, kind, series))
                    continue;
                axes.DrawLine(dc, GraphTotals::YearPoints(year, *settings, kind, series),
                              GraphTotals::Cell(settings->colour, kind, series), units.u1);
            }
    dc.SelectPen(kBlack);
}

bool CGraph::HitTest(int x, int y) {
    return bounds.Contains({x, y});
}

} // namespace Display
