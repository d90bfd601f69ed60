#include "display/RowCells.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "display/CLayout.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "platform/DeviceContext.h"

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

void TintRow(DeviceContext& dc, const Rect& description, const MonthCellAt& monthCell,
             const std::array<Rect, 3>& totalCells, const std::array<Rect, 3>* percentCells,
             const Rect& clip) {
    Fill(dc, description, clip, kRowTint);
    const auto group = [&](const std::array<Rect, 3>& cells) {
        Fill(dc, Group(cells.data(), 3), clip, kGroupTint);
        for (int k = 0; k < 3; ++k)
            if (!cells[static_cast<std::size_t>(k)].IsEmpty())
                Fill(dc, cells[static_cast<std::size_t>(k)], clip, kSubColumnDark[k]);
    };
    for (int i = 0; i < 12; ++i)
        group({monthCell(i, Database::kActual), monthCell(i, Database::kExpected),
               monthCell(i, Database::kVariance)});
    group(totalCells);
    if (percentCells)
        group(*percentCells);
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
