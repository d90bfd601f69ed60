#pragma once

#include <cstdint>

#include "core/Amount.h"
#include "database/LayoutKey.h"
#include "display/CLayout.h"
#include "display/GraphAxes.h"
#include "statement/graphs/GraphTotals.h"

namespace Display {

// The plot of a company's graph: every year's total rows as Actual, Expected and Variance lines
// where the year's graph settings switch them on, over a value axis of whole steps and a month
// axis through zero.
class CGraph : public CLayout {
public:
    // Takes the current key and places the plot in `rect`; the range covers every month that
    // will be plotted.
    void Layout(ArrangeContext& context, const Rect& rect);
    // Draws the axes and the lines.
    void Draw(DrawContext& context) override;
    bool HitTest(int x, int y) override;

    // The value axis and the months along the time axis as the last layout found them.
    GraphScale Scale() const;
    GraphMonthRange Months() const;

    LayoutKey settingsKey;
    Rect plotRect;
    Amount minValue = 0;
    Amount maxValue = 0;
    std::int64_t firstIndex = 0;
    std::int64_t lastIndex = 0;
    std::int32_t settingsIndex = LayoutKey::kNoEntry;
    std::int64_t firstYear = 0;
    int upTicks = 0;
    int downTicks = 0;

private:
    // False when the company did not resolve: the axes then name no months.
    bool labelled = false;
    // The company's years as the last layout read them from their statements; the draw of the
    // same pass plots them.
    std::vector<Statement::GraphTotals::GraphYear> years;
};

} // namespace Display
