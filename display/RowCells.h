#pragma once

#include <array>
#include <functional>
#include <vector>

#include "core/WideText.h"
#include "platform/DrawTypes.h"

class DeviceContext;

namespace Display {

struct LayoutMetrics;

// The cells of one statement row across the columns of the metrics. Rows and totals keep their
// own copies (laid out by sub-column differently); this is where both take them from.
struct RowCells {
    // Tax cells: one per tax column of the metrics, at most `taxCount` (the document's taxes).
    static void Taxes(const LayoutMetrics& metrics, const Rect& rows, std::size_t taxCount,
                      std::vector<Rect>& cells);
    // Figure column `column` (0-44) over the rows.
    static Rect Figure(const LayoutMetrics& metrics, int column, const Rect& rows);
};

// A figure's cell by display position (0-11) and sub-column (0-2).
using MonthCellAt = std::function<const Rect&(int position, int sub)>;

// The highlight tint of a row on screen: description in grey, each group of sub-cells
// (months, Total and, when shown, Percentage) in the group colour, each sub-cell in its darker
// sub-column colour; all cut to the clip.
void TintRow(DeviceContext& dc, const Rect& description, const MonthCellAt& monthCell,
             const std::array<Rect, 3>& totalCells, const std::array<Rect, 3>* percentCells,
             const Rect& clip);

// One figure: its cell filled in the background colour and the text right-aligned in it, both
// cut to the clip.
void DrawFigure(DeviceContext& dc, const Text& text, const Rect& cell, const Rect& clip,
                Colour background);

} // namespace Display
