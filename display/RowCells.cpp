#include "display/RowCells.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "display/CLayout.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "platform/DeviceContext.h"
#include "statement/AdvStatementModel.h"

namespace Display {
namespace {

// The smallest rectangle holding the non-empty ones among the cells.
Rect Group(const Rect* cells, int count) {
    Rect group;
    for (int k = 0; k < count; ++k) {
        if (cells[k].IsEmpty())
            continue;
        group = group.IsEmpty() ? cells[k]
                                : Rect{std::min(group.left, cells[k].left),
                                       std::min(group.top, cells[k].top),
                                       std::max(group.right, cells[k].right),
                                       std::max(group.bottom, cells[k].bottom)};
    }
    return group;
}

void Fill(DeviceContext& dc, const Rect& rect, const Rect& clip, Colour colour) {
    const Rect visible = rect.Intersected(clip);
    if (!visible.IsEmpty())
        dc.FillRect(visible, colour);
}

} // namespace

void RowCells::Taxes(const LayoutMetrics& metrics, const Rect& rows, std::size_t taxCount,
                     std::vector<Rect>& cells) {
    const std::size_t count = std::min(metrics.taxColumns.size(), taxCount);
    cells.resize(count);
    for (std::size_t t = 0; t < count; ++t)
        cells[t] = ColumnCell(metrics.taxColumns[t], rows);
}

Rect RowCells::Figure(const LayoutMetrics& metrics, int column, const Rect& rows) {
    return ColumnCell(metrics.figureColumns[static_cast<std::size_t>(column)], rows);
}

void FigureCells::Place(const LayoutMetrics& metrics, const Rect& rows) {
    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 3; ++k)
            months[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)] =
                RowCells::Figure(metrics, 3 * i + k, rows);
    for (int k = 0; k < 3; ++k) {
        totals[static_cast<std::size_t>(k)] =
            RowCells::Figure(metrics, LayoutMetrics::kTotalColumn + k, rows);
        percents[static_cast<std::size_t>(k)] =
            RowCells::Figure(metrics, LayoutMetrics::kPercentColumn + k, rows);
    }
}

void MeasureFigures(DeviceContext& dc, LayoutMetrics& metrics, const Statement::AdvEntry& entry,
                    bool withTotals) {
    const auto measure = [&](const Statement::AdvCell& cell) {
        if (cell.present)
            metrics.widestFigure =
                std::max(metrics.widestFigure, metrics.figureWidths.Width(dc, cell.Text()));
    };
    for (const Statement::AdvTriple& month : entry.months)
        for (const Statement::AdvCell& cell : month)
            measure(cell);
    if (!withTotals)
        return;
    for (const Statement::AdvCell& cell : entry.totals)
        measure(cell);
    if (entry.showPercentage)
        for (const Statement::AdvCell& cell : entry.percents)
            measure(cell);
}

void DrawMonthFigures(DeviceContext& dc, const Statement::AdvEntry& entry, const FigureCells& cells,
                      const Rect& clip, const Colour* colours,
                      const std::function<Colour(Amount)>& textColour) {
    for (std::size_t i = 0; i < entry.months.size(); ++i) {
        for (std::size_t k = 0; k < 3; ++k) {
            const Statement::AdvCell& cell = entry.months[i][k];
            if (!cell.present)
                continue;
            if (textColour)
                dc.SetTextColour(textColour(cell.value));
            DrawFigure(dc, Ascii(cell.Text()), cells.months[i][k], clip, colours[k]);
        }
    }
}

void TintRow(DeviceContext& dc, const Rect& description, const FigureCells& cells,
             bool withPercentages, const Rect& clip, const Rect& figureClip) {
    Fill(dc, description, clip, kRowTint);
    const auto group = [&](const std::array<Rect, 3>& sub) {
        Fill(dc, Group(sub.data(), 3), figureClip, kGroupTint);
        for (int k = 0; k < 3; ++k)
            if (!sub[static_cast<std::size_t>(k)].IsEmpty())
                Fill(dc, sub[static_cast<std::size_t>(k)], figureClip, kSubColumnDark[k]);
    };
    for (const auto& month : cells.months)
        group(month);
    group(cells.totals);
    if (withPercentages)
        group(cells.percents);
}

void DrawFigure(DeviceContext& dc, const Text& text, const Rect& cell, const Rect& clip,
                Colour background) {
    const Rect visible = cell.Intersected(clip);
    if (visible.IsEmpty())
        return;
    dc.FillRect(visible, background);
    dc.SetBackColour(background);
    CLayout::DrawTextInCell(dc, text, Align::Right, cell, clip);
}

} // namespace Display
