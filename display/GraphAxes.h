#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "core/Amount.h"
#include "core/WideText.h"
#include "display/ViewUnits.h"
#include "platform/DeviceContext.h"
#include "statement/graphs/GraphScale.h"

// The axes of a line graph, shared by every edition: the value labels at the left, the value
// axis with a tick per step, the time axis at zero with month labels, and the mapping of
// (month, value) to a position in the plot. Sizes follow the layout metrics: u05 is the tick
// half-length, u1 the tick length and row gap, u15 the drop of month labels and u25 the gap
// after the label column.
class GraphAxes {
public:
    // The text of a value label (each edition takes its cents and brackets choices from its
    // own settings).
    using Formatter = std::function<Text(Amount)>;
    // Where the month labels stand: under the zero line, or in a row of their own under the
    // plot, where no line crosses them.
    enum class MonthLabels { OnZeroLine, BelowPlot };

    GraphAxes(const GraphScale& scale, const GraphMonthRange& months, const ViewUnits& units,
              Formatter formatter, MonthLabels monthLabels = MonthLabels::OnZeroLine);

    // Places the label column, the plot and the zero line inside `bounds`, measuring text in
    // the device's current font.
    void Arrange(DeviceContext& dc, const Rect& bounds);
    // Draws both axes, their ticks and labels in the current pen, font and text colour.
    void Draw(DeviceContext& dc) const;
    // Draws a line through the points in the current pen, cut at the plot's edges, with a
    // marker of the given size (+1) in the current brush on every point inside the plot.
    void DrawLine(DeviceContext& dc, std::span<const GraphPoint> points, Size marker) const;
    // The same in a series colour: pen (solid, one unit) and marker brush.
    void DrawLine(DeviceContext& dc, std::span<const GraphPoint> points, Colour colour,
                  Size marker) const;

    // The text of a value label.
    Text ValueText(Amount value) const;

    // Where a running month and a value land; not cut to the plot.
    double XOf(std::int64_t runningIndex) const;
    double YOf(Amount value) const;

    const Rect& PlotRect() const { return plotRect; }
    const Rect& LabelBox() const { return labelBox; }
    int ZeroY() const { return zeroY; }
    // Every labelStep-th interval point is labelled, starting at labelOffset.
    std::int64_t LabelStep() const { return labelStep; }
    std::int64_t LabelOffset() const { return labelOffset; }

private:
    GraphScale scale;
    GraphMonthRange months;
    ViewUnits units;
    Formatter formatter;
    MonthLabels monthLabels;
    Rect plotRect;
    Rect labelBox;
    int zeroY = 0;
    std::int64_t labelStep = 1;
    std::int64_t labelOffset = 0;
};
