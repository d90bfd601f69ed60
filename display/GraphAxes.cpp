#include "display/GraphAxes.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "display/MoneyText.h"

namespace {

// A position in logical units from a computed one. Positions of values far outside the plot
// may be huge (or not a number after a damaged range); they are held to a range that any
// device can take before they become integers.
int ToCoord(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1.0e9, 1.0e9)));
}

// Cuts the segment (x1, y1)-(x2, y2) to the rectangle; false when no part of it lies inside.
bool ClipSegment(const Rect& rect, double& x1, double& y1, double& x2, double& y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    // Each edge as p × t ≤ q: left, right, top, bottom.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - rect.left, rect.right - x1, y1 - rect.top, rect.bottom - y1};
    for (int edge = 0; edge < 4; ++edge) {
        if (p[edge] == 0.0) {
            if (q[edge] < 0.0)
                return false;
            continue;
        }
        const double t = q[edge] / p[edge];
        if (p[edge] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double startX = x1 + t0 * dx;
    const double startY = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = startX;
    y1 = startY;
    return true;
}

} // namespace

GraphAxes::GraphAxes(const GraphScale& scale, const GraphMonthRange& months, const ViewUnits& units,
                     Formatter formatter, MonthLabels monthLabels)
    : scale(scale), months(months), units(units), formatter(std::move(formatter)),
      monthLabels(monthLabels) {}

Text GraphAxes::ValueText(Amount value) const {
    return formatter ? formatter(value) : Display::MoneyText(value, true, true);
}

void GraphAxes::Arrange(DeviceContext& dc, const Rect& bounds) {
    plotRect = bounds;
    const Size minExtent = dc.TextExtent(ValueText(scale.minValue));
    const Size maxExtent = dc.TextExtent(ValueText(scale.maxValue));
    const int labelWidth = std::max(minExtent.width, maxExtent.width);
    const int labelHeight = std::max(minExtent.height, maxExtent.height);
    labelBox = {bounds.left, bounds.top, bounds.left + labelWidth, bounds.top + labelHeight};

    plotRect.left = labelBox.right + units.u25.width;
    plotRect.top += labelHeight / 2;
    plotRect.bottom -= labelHeight / 2;
    // The month labels hang under the zero line by their drop and a line of text, and must end
    // inside the bounds: without negative steps the zero line is the plot's bottom, which rises
    // by that much; with few steps below zero the plot is shortened until they fit. The zero
    // line lies at bottom - (bottom - top) × down / steps, so it is at most `lowest` while the
    // bottom is at most (lowest × steps - top × down) / (steps - down).
    const std::int64_t steps = scale.Steps();
    const std::int64_t down = scale.downTicks;
    if (monthLabels == MonthLabels::BelowPlot) {
        plotRect.bottom = std::max(plotRect.top, bounds.bottom - units.u15.height - labelHeight);
    } else if (down < steps) {
        const std::int64_t lowest =
            static_cast<std::int64_t>(bounds.bottom) - units.u15.height - labelHeight;
        const std::int64_t bottom = (lowest * steps - plotRect.top * down) / (steps - down);
        plotRect.bottom = static_cast<int>(
            std::clamp<std::int64_t>(bottom, plotRect.top, std::max(plotRect.top, plotRect.bottom)));
    }

    const std::int64_t height = plotRect.Height();
    zeroY = static_cast<int>(plotRect.bottom - height * scale.downTicks / scale.Steps());

    // The last month label is centred on the right end, so half of one must fit beyond it.
    const std::int64_t monthWidth = dc.TextExtent(u"Nov 99").width;
    plotRect.right -= static_cast<int>(monthWidth / 2);

    // Label every s-th month so that labels stand at least one and a half widths apart:
    // s grows while 1.5 × label width > plot width × s / m.
    const std::int64_t m = months.Intervals();
    const std::int64_t plotWidth = plotRect.Width();
    labelStep = 1;
    while (3 * monthWidth * m > 2 * plotWidth * labelStep && labelStep + 1 < m)
        ++labelStep;
    // Below zero the lines run through the labels' row; moving the labels off the first month
    // keeps the value axis clear.
    labelOffset = scale.downTicks > 0 ? (labelStep + 2) / 3 : 0;
}

double GraphAxes::XOf(std::int64_t runningIndex) const {
    return plotRect.left + static_cast<double>(plotRect.Width()) *
                               static_cast<double>(runningIndex - months.firstIndex) /
                               static_cast<double>(months.Intervals());
}

double GraphAxes::YOf(Amount value) const {
    return zeroY - static_cast<double>(plotRect.Height()) * static_cast<double>(value) /
                       static_cast<double>(scale.Span());
}

void GraphAxes::Draw(DeviceContext& dc) const {
    const int left = plotRect.left;
    const int labelHeight = labelBox.Height();

    // The value axis, whose plot right edge is still the one before the month labels' room.
    dc.Line(left, plotRect.top, left, plotRect.bottom);
    const int steps = scale.Steps();
    const std::int64_t height = plotRect.Height();
    for (int t = 0; t <= steps; ++t) {
        const int y = static_cast<int>(plotRect.bottom - height * t / steps);
        dc.Line(left - units.u1.width, y, left, y);
        const int top = y - labelHeight / 2;
        dc.DrawText(labelBox.right, top, ValueText(scale.TickValue(t)), Align::Right,
                    Rect{labelBox.left, top, labelBox.right, top + labelHeight});
    }

    dc.Line(left, zeroY, plotRect.right, zeroY);
    const std::int64_t m = months.Intervals();
    for (std::int64_t x = 0; x <= m; ++x) {
        const int px = ToCoord(XOf(months.firstIndex + x));
        const bool labelled =
            months.labelled && x >= labelOffset && (x - labelOffset) % labelStep == 0;
        if (labelled) {
            dc.Line(px, zeroY + units.u1.height, px, zeroY - units.u05.height);
            const int row = monthLabels == MonthLabels::BelowPlot ? plotRect.bottom : zeroY;
            dc.DrawText(px, row + units.u15.height,
                        GraphMonthLabel(months.firstIndex + x, months.firstYear), Align::Centre);
        } else {
            dc.Line(px, zeroY + units.u05.height, px, zeroY - units.u05.height);
        }
    }
}

void GraphAxes::DrawLine(DeviceContext& dc, std::span<const GraphPoint> points, Size marker) const {
    bool previous = false;
    double previousX = 0.0;
    double previousY = 0.0;
    for (const GraphPoint& point : points) {
        if (!point.plotted || point.index < months.firstIndex || point.index > months.lastIndex) {
            previous = false;
            continue;
        }
        const double x = XOf(point.index);
        const double y = YOf(point.value);
        if (previous) {
            double x1 = previousX, y1 = previousY, x2 = x, y2 = y;
            if (ClipSegment(plotRect, x1, y1, x2, y2))
                dc.Line(ToCoord(x1), ToCoord(y1), ToCoord(x2), ToCoord(y2));
        }
        if (y >= plotRect.top && y <= plotRect.bottom) {
            const int left = ToCoord(x) - marker.width / 2;
            const int top = ToCoord(y) - marker.height / 2;
            dc.Ellipse({left, top, left + marker.width + 1, top + marker.height + 1});
        }
        previous = true;
        previousX = x;
        previousY = y;
    }
}

void GraphAxes::DrawLine(DeviceContext& dc, std::span<const GraphPoint> points, Colour colour,
                         Size marker) const {
    dc.SelectPen(colour);
    dc.SelectBrush(colour);
    DrawLine(dc, points, marker);
}
