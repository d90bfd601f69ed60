#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "core/WideText.h"
#include "display/GraphAxes.h"
#include "platform/RecordingDeviceContext.h"

namespace {

// Character cells of the recorder are 8 × 16 at the default 10 pt.
const ViewUnits kUnits{{2, 2}, {4, 4}, {6, 6}, {10, 10}};

GraphMonthRange Months(std::int64_t first, std::int64_t last, std::int64_t firstYear = 2024) {
    GraphMonthRange range;
    range.firstIndex = first;
    range.lastIndex = last;
    range.firstYear = firstYear;
    return range;
}

GraphAxes MakeAxes(const GraphScale& scale, const GraphMonthRange& months) {
    return GraphAxes(scale, months, kUnits,
                     [](Amount value) { return Ascii(AmountText(value, true, true)); });
}

// The value labels, bottom first (they are the right-aligned texts).
std::vector<const DrawOp*> ValueLabels(const RecordingDeviceContext& dc) {
    std::vector<const DrawOp*> labels;
    for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text))
        if (op->align == Align::Right)
            labels.push_back(op);
    return labels;
}

std::vector<const DrawOp*> MonthLabels(const RecordingDeviceContext& dc) {
    std::vector<const DrawOp*> labels;
    for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text))
        if (op->align == Align::Centre)
            labels.push_back(op);
    return labels;
}

int CentreY(const DrawOp* text) {
    return (text->rect.top + text->rect.bottom) / 2;
}

TEST(GraphAxesTest, AllZeroValuesGiveAnAxisFromZeroToOneUnit) {
    RecordingDeviceContext dc;
    GraphAxes axes = MakeAxes(ScaleForRange(0, 0), Months(0, 11));
    axes.Arrange(dc, {0, 0, 400, 300});
    axes.Draw(dc);

    const auto labels = ValueLabels(dc);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->text, u"-  ");
    EXPECT_EQ(labels[1]->text, u"1.00 ");
    // Right-aligned at the label column's right edge, centred on the plot's bottom and top.
    EXPECT_EQ(labels[0]->point.x, axes.LabelBox().right);
    EXPECT_EQ(labels[1]->point.x, axes.LabelBox().right);
    EXPECT_EQ(CentreY(labels[0]), axes.PlotRect().bottom);
    EXPECT_EQ(CentreY(labels[1]), axes.PlotRect().top);
    // Without negatives the zero line is the plot's bottom and leaves the month labels' drop
    // and a text line below it.
    EXPECT_EQ(axes.ZeroY(), axes.PlotRect().bottom);
    EXPECT_EQ(axes.PlotRect().bottom, 300 - 6 - 16);
    EXPECT_GT(axes.PlotRect().left, axes.LabelBox().right);
}

TEST(GraphAxesTest, TicksStandAtWholeStepsEquallySpaced) {
    RecordingDeviceContext dc;
    GraphAxes axes = MakeAxes(ScaleForRange(0, 1234500), Months(0, 11));
    axes.Arrange(dc, {0, 0, 400, 300});
    axes.Draw(dc);

    const auto labels = ValueLabels(dc);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0]->text, u"-  ");
    EXPECT_EQ(labels[1]->text, u"10,000.00 ");
    EXPECT_EQ(labels[2]->text, u"20,000.00 ");
    const int lower = CentreY(labels[0]) - CentreY(labels[1]);
    const int upper = CentreY(labels[1]) - CentreY(labels[2]);
    EXPECT_GT(lower, 0);
    EXPECT_LE(std::abs(lower - upper), 1);
    // Each value label has its tick, u1 long, ending at the value axis.
    int ticks = 0;
    for (const DrawOp* line : dc.OfKind(DrawOp::Kind::Line))
        if (line->end.x == axes.PlotRect().left && line->point.x == line->end.x - 4 &&
            line->point.y == line->end.y)
            ++ticks;
    EXPECT_EQ(ticks, 3);
}

TEST(GraphAxesTest, NegativesRaiseTheZeroLineAndShiftTheMonthLabels) {
    // Labels are 64 units wide at most ("(100.00)"), so the plot runs from 74 to
    // 400 - 48 / 2 = 376: 302 wide. "Nov 99" is 48 wide; with 12 intervals s grows while
    // 3 × 48 × 12 = 1728 > 2 × 302 × s, so s = 3 and the offset is ceil(3 / 3) = 1.
    RecordingDeviceContext dc;
    GraphAxes axes = MakeAxes(ScaleForRange(-2500, 12000), Months(0, 12));
    axes.Arrange(dc, {0, 0, 400, 300});
    axes.Draw(dc);

    EXPECT_EQ(axes.PlotRect().left, 74);
    EXPECT_EQ(axes.PlotRect().right, 376);
    EXPECT_EQ(axes.LabelStep(), 3);
    EXPECT_EQ(axes.LabelOffset(), 1);
    // One step down of three: the zero line is a third of the height above the bottom.
    const Rect plot = axes.PlotRect();
    EXPECT_EQ(axes.ZeroY(), plot.bottom - plot.Height() / 3);
    EXPECT_NE(dc.FindText(u"-  "), nullptr);
    EXPECT_EQ(CentreY(dc.FindText(u"-  ")), axes.ZeroY());
    EXPECT_EQ(dc.FindText(u"(100.00)")->rect.right, axes.LabelBox().right);

    const auto months = MonthLabels(dc);
    ASSERT_EQ(months.size(), 4u);
    EXPECT_EQ(months[0]->text, u"Feb 24");
    EXPECT_EQ(months[1]->text, u"May 24");
    EXPECT_EQ(months[3]->text, u"Nov 24");
    EXPECT_EQ(months[0]->point.x, static_cast<int>(axes.XOf(1) + 0.5));
    EXPECT_EQ(months[0]->point.y, axes.ZeroY() + 6);

    // The same range without negatives labels from the first month.
    RecordingDeviceContext plain;
    GraphAxes positive = MakeAxes(ScaleForRange(0, 12000), Months(0, 12));
    positive.Arrange(plain, {0, 0, 400, 300});
    positive.Draw(plain);
    EXPECT_EQ(positive.LabelOffset(), 0);
    ASSERT_FALSE(MonthLabels(plain).empty());
    EXPECT_EQ(MonthLabels(plain)[0]->text, u"Jan 24");
    EXPECT_EQ(MonthLabels(plain)[0]->point.x, positive.PlotRect().left);
}

// The month labels hang under the zero line: wherever it lies, they end inside the bounds, and
// the plot keeps its whole height, or as much as that allows.
TEST(GraphAxesTest, MonthLabelsEndInsideTheBoundsWhereverTheZeroLineLies) {
    // Steps of 1.00 above and below zero: none below, one short step below, half, all.
    for (const auto& [up, down] : {std::pair{4, 0}, {40, 1}, {2, 2}, {0, 3}}) {
        const GraphScale scale{-100 * down, 100 * up, 100, up, down};
        for (const Rect& bounds : {Rect{0, 0, 400, 300}, Rect{20, 50, 420, 90}}) {
            SCOPED_TRACE(testing::Message() << up << " up, " << down << " down");
            RecordingDeviceContext dc;
            GraphAxes axes = MakeAxes(scale, Months(0, 11));
            axes.Arrange(dc, bounds);
            axes.Draw(dc);
            const auto months = MonthLabels(dc);
            ASSERT_FALSE(months.empty());
            for (const DrawOp* label : months)
                EXPECT_LE(label->rect.bottom, bounds.bottom) << ToUtf8(label->text);
            EXPECT_GE(axes.PlotRect().top, bounds.top);
            EXPECT_TRUE(axes.PlotRect().bottom == bounds.bottom - 8 ||
                        months[0]->rect.bottom >= bounds.bottom - 1);
        }
    }
}

TEST(GraphAxesTest, ASingleMonthGetsOneIntervalAcrossThePlot) {
    RecordingDeviceContext dc;
    GraphAxes axes = MakeAxes(ScaleForRange(0, 500), Months(3, 3));
    axes.Arrange(dc, {0, 0, 400, 300});
    axes.Draw(dc);

    const auto months = MonthLabels(dc);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0]->text, u"Apr 24");
    EXPECT_EQ(months[1]->text, u"May 24");
    EXPECT_EQ(months[0]->point.x, axes.PlotRect().left);
    EXPECT_EQ(months[1]->point.x, axes.PlotRect().right);
    // Labelled points get the long tick, from u1 below the zero line to u05 above it.
    int longTicks = 0;
    for (const DrawOp* line : dc.OfKind(DrawOp::Kind::Line))
        if (line->point.y == axes.ZeroY() + 4 && line->end.y == axes.ZeroY() - 2)
            ++longTicks;
    EXPECT_EQ(longTicks, 2);
}

TEST(GraphAxesTest, MonthLabelsNameTheMonthAndTwoDigitYear) {
    EXPECT_EQ(GraphMonthLabel(3, 2024), u"Apr 24");
    EXPECT_EQ(GraphMonthLabel(14, 2024), u"Mar 25");
    EXPECT_EQ(GraphMonthLabel(0, 2005), u"Jan 05");
    // Across a century the two digits start again.
    EXPECT_EQ(GraphMonthLabel(11, 1999), u"Dec 99");
    EXPECT_EQ(GraphMonthLabel(12, 1999), u"Jan 00");
    EXPECT_EQ(GraphMonthLabel(25, 2098), u"Feb 00");
    // A damaged index before the first month still names a month of the year before.
    EXPECT_EQ(GraphMonthLabel(-1, 2024), u"Dec 23");
}

std::vector<const DrawOp*> LinesInColour(const RecordingDeviceContext& dc, Colour colour) {
    std::vector<const DrawOp*> lines;
    for (const DrawOp* line : dc.OfKind(DrawOp::Kind::Line))
        if (line->pen && line->pen->colour == colour)
            lines.push_back(line);
    return lines;
}

TEST(GraphAxesTest, ALineLeavingThePlotIsCutAtTheEdge) {
    RecordingDeviceContext dc;
    GraphAxes axes = MakeAxes(ScaleForRange(0, 100), Months(0, 2));
    axes.Arrange(dc, {0, 0, 400, 300});
    const Colour red = Rgb(255, 0, 0);
    dc.SelectPen(red);
    dc.SelectBrush(red);
    const std::vector<GraphPoint> points = {{0, 50}, {1, 300}, {2, 50}};
    axes.DrawLine(dc, points, {4, 4});

    const Rect plot = axes.PlotRect();
    const auto lines = LinesInColour(dc, red);
    ASSERT_EQ(lines.size(), 2u);
    // 50 → 300 crosses the top (100) after (100 - 50) / (300 - 50) = 0.2 of the way; the way
    // back down enters it at 0.8 of the second interval.
    const double x0 = axes.XOf(0), x1 = axes.XOf(1), x2 = axes.XOf(2);
    EXPECT_EQ(lines[0]->point.y, static_cast<int>(axes.YOf(50) + 0.5));
    EXPECT_EQ(lines[0]->end.y, plot.top);
    EXPECT_NEAR(lines[0]->end.x, x0 + 0.2 * (x1 - x0), 1.0);
    EXPECT_EQ(lines[1]->point.y, plot.top);
    EXPECT_NEAR(lines[1]->point.x, x1 + 0.8 * (x2 - x1), 1.0);
    EXPECT_EQ(lines[1]->end.y, static_cast<int>(axes.YOf(50) + 0.5));

    // Markers only on the points inside the plot, (4 + 1) square, centred, in the brush.
    const auto markers = dc.OfKind(DrawOp::Kind::Ellipse);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0]->rect.Width(), 5);
    EXPECT_EQ(markers[0]->rect.Height(), 5);
    EXPECT_EQ(markers[0]->rect.left + 2, static_cast<int>(x0 + 0.5));
    EXPECT_EQ(markers[0]->brush, red);
}

TEST(GraphAxesTest, AMonthThatDoesNotPlotBreaksTheLine) {
    RecordingDeviceContext dc;
    GraphAxes axes = MakeAxes(ScaleForRange(0, 100), Months(0, 3));
    axes.Arrange(dc, {0, 0, 400, 300});
    const Colour blue = Rgb(0, 0, 255);
    dc.SelectPen(blue);
    const std::vector<GraphPoint> points = {{0, 50}, {1, 60, false}, {2, 70}, {3, 80}};
    axes.DrawLine(dc, points, {4, 4});
    // Only months 2 and 3 are joined; months 0, 2 and 3 have markers.
    const auto lines = LinesInColour(dc, blue);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->point.x, static_cast<int>(axes.XOf(2) + 0.5));
    EXPECT_EQ(dc.OfKind(DrawOp::Kind::Ellipse).size(), 3u);

    // Points outside the month range do not plot either.
    dc.Clear();
    const std::vector<GraphPoint> outside = {{-1, 50}, {4, 50}};
    axes.DrawLine(dc, outside, {4, 4});
    EXPECT_TRUE(dc.Operations().empty());
}

} // namespace
