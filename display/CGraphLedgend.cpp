#include "display/CGraphLedgend.h"

#include <algorithm>

#include "database/CCompany.h"
#include "database/CGraphSettings.h"
#include "display/LayoutMetrics.h"
#include "display/Palette.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"
#include "statement/graphs/GraphTotals.h"

namespace Display {

namespace GraphTotals = Statement::GraphTotals;

namespace {

using GraphTotals::Cell;

constexpr int kUpwards = 900;

constexpr std::array<std::u16string_view, GraphTotals::kKinds> kKindPrefix = {
    u"Actual - ", u"Expected - ", u"Variance - "};

} // namespace

void CGraphLedgend::Layout(ArrangeContext& context, Point origin) {
    DeviceContext& dc = *context.dc;
    const Size gap = context.metrics->gapSize;
    legendKey = *context.currentKey;
    legendKey[LayoutKey::kYear] = LayoutKey::kNoEntry;
    legendKey[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    key = legendKey;
    settingsIndex = (*context.currentKey)[LayoutKey::kGraph];
    for (auto& kind : entryRects)
        kind.fill(Rect{});
    for (auto& kind : entryLabels)
        kind.fill(Text());
    placed = true;

    const Database::CCompany* company = GraphTotals::CompanyOf(*context.doc, legendKey);
    const int years = company ? company->YearCount() : 0;
    yearColumns.assign(static_cast<std::size_t>(years), Rect{});

    // Year names stand on their side, so a column is as wide as a line is high.
    const Size upright = dc.TextExtent(u"2000");
    std::array<std::array<Size, GraphTotals::kSeries>, GraphTotals::kKinds> entrySize{};
    for (int i = 0; i < years; ++i) {
        const Database::CYear& year = company->Year(i);
        const Database::CGraphSettings* settings = GraphTotals::SettingsOf(year, settingsIndex);
        if (!settings)
            continue;
        for (int kind = 0; kind < GraphTotals::kKinds; ++kind)
            for (int series = 0; series < GraphTotals::kSeries; ++series) {
                if (!Cell(settings->seriesOn, kind, series))
                    continue;
                yearColumns[static_cast<std::size_t>(i)] = {0, 0, upright.height, upright.width};
                // The first year that plots an entry names it.
                Text& label = Cell(entryLabels, kind, series);
                const Text* name = GraphTotals::SeriesName(year, series);
                if (!label.empty() || !name)
                    continue;
                label = Text(kKindPrefix[static_cast<std::size_t>(kind)]) + *name;
                Cell(entrySize, kind, series) = dc.TextExtent(label);
            }
    }

    const int top = origin.y + gap.height;
    int x = origin.x + gap.width;
    int bottom = top;
    for (std::size_t i = 0; i < yearColumns.size(); ++i) {
        Rect& yearColumn = yearColumns[i];
        if (i > 0 && !yearColumn.IsEmpty())
            x += gap.width;
        yearColumn = {x, top, x + yearColumn.Width(), top + yearColumn.Height()};
        x = yearColumn.right;
        bottom = std::max(bottom, yearColumn.bottom);
    }

    // The year names head their columns; the entries' rows run beneath them, so that each
    // year's cell of an entry lies under its name.
    const int entriesLeft = x + gap.width;
    int right = entriesLeft;
    int y = bottom > top ? bottom + gap.height : top;
    for (int series = 0; series < GraphTotals::kSeries; ++series)
        for (int kind = 0; kind < GraphTotals::kKinds; ++kind) {
            if (Cell(entryLabels, kind, series).empty())
                continue;
            const Size size = Cell(entrySize, kind, series);
            Cell(entryRects, kind, series) = {entriesLeft, y, entriesLeft + size.width,
                                              y + size.height};
            y += size.height;
            right = std::max(right, entriesLeft + size.width);
        }
    bounds = {origin.x + gap.width, top, right, y};
}

void CGraphLedgend::Draw(DrawContext& context) {
    const Database::CCompany* company = GraphTotals::CompanyOf(*context.doc, legendKey);
    if (!company)
        return;
    DeviceContext& dc = *context.dc;
    const int years = std::min(static_cast<int>(yearColumns.size()), company->YearCount());
    dc.SetTextColour(kBlack);

    Font upwards = dc.CurrentFont();
    upwards.escapement = kUpwards;
    const Font previous = dc.SelectFont(upwards);
    for (int i = 0; i < years; ++i) {
        const Rect& yearColumn = yearColumns[static_cast<std::size_t>(i)];
        if (!yearColumn.IsEmpty())
            dc.DrawText(yearColumn.left, yearColumn.bottom, company->Year(i).DisplayName());
    }
    dc.SelectFont(previous);

    for (int series = 0; series < GraphTotals::kSeries; ++series)
        for (int kind = 0; kind < GraphTotals::kKinds; ++kind) {
            const Rect& entry = Cell(entryRects, kind, series);
            if (entry.IsEmpty())
                continue;
            DrawTextInCell(dc, Cell(entryLabels, kind, series), Align::Left, entry, entry);
            for (int i = 0; i < years; ++i) {
                const Database::CGraphSettings* settings =
                    GraphTotals::SettingsOf(company->Year(i), settingsIndex);
                if (!settings || !Cell(settings->seriesOn, kind, series))
                    continue;
                const Rect& yearColumn = yearColumns[static_cast<std::size_t>(i)];
                dc.FillRect({yearColumn.left, entry.top, yearColumn.right, entry.bottom},
                            Cell(settings->colour, kind, series));
            }
        }
}

bool CGraphLedgend::HitTest(int x, int y) {
    return bounds.Contains({x, y});
}

} // namespace Display
