#pragma once

#include <array>
#include <functional>
#include <vector>

#include "core/Amount.h"
#include "core/WideText.h"
#include "platform/DrawTypes.h"

class DeviceContext;

namespace Statement {
struct AdvEntry;
}

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

// The figure cells of a line or total: each month's three sub-columns by display position, the
// three Total and the three Percentage cells, placed from the metrics' columns over the rows.
struct FigureCells {
    std::array<std::array<Rect, 3>, 12> months{};
    std::array<Rect, 3> totals{};
    std::array<Rect, 3> percents{};

    void Place(const LayoutMetrics& metrics, const Rect& rows);
};

// Widens the metrics' widest figure to the figures of an entry that are measured: the months
// present always, and the totals and percentages when `withTotals` (an entry that takes its
// place).
void MeasureFigures(DeviceContext& dc, LayoutMetrics& metrics, const Statement::AdvEntry& entry,
                    bool withTotals);

// The present month figures of an entry, right-aligned on their sub-column colours, cut to the
// clip; `textColour`, when given, picks each figure's colour from its value.
void DrawMonthFigures(DeviceContext& dc, const Statement::AdvEntry& entry, const FigureCells& cells,
                      const Rect& clip, const Colour* colours,
                      const std::function<Colour(Amount)>& textColour = {});

// The highlight tint of a row on screen: description in grey, cut to `clip`; each group of
// sub-cells (months, Total and, when `withPercentages`, Percentage) in the group colour and each
// sub-cell in its darker sub-column colour, cut to `figureClip` like the figures, so that cells
// scrolled left pass under the columns that stay put.
void TintRow(DeviceContext& dc, const Rect& description, const FigureCells& cells,
             bool withPercentages, const Rect& clip, const Rect& figureClip);

// One figure: its cell filled in the background colour and the text right-aligned in it, both
// cut to the clip.
void DrawFigure(DeviceContext& dc, const Text& text, const Rect& cell, const Rect& clip,
                Colour background);

} // namespace Display
