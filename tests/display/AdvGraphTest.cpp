#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "display/ArrangeContext.h"
#include "display/CGraphPage.h"
#include "display/DrawContext.h"
#include "display/LayoutMetrics.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "platform/RecordingDeviceContext.h"
#include "support/ForecastBuilder.h"

namespace {

using namespace ForecastBuilder;
using Database::kActual;
using Database::kExpected;
using Database::kVariance;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);

// Companies of three years running April to March, named 2000 to 2002, and a graph page key of
// real scenario 0, real company 0 and graph 0. Character cells of the recorder are 8 × 16.
class AdvGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.root->views.Append(MakeView({1}, {1.0}, 3, 3));
        company = doc.Root().View(0).Scenario(0).FindCompany(0);
        for (int i = 0; i < 3; ++i)
            company->Year(i).year = 2000 + i;
        metrics.tabInset = {2, 2};
        metrics.gapSize = {4, 4};
        metrics.tabMargin = {6, 6};
        metrics.cornerSize = {10, 10};
        metrics.ContentArea() = {20, 40, 820, 640};
        key = LayoutKey(0, 0, 0, LayoutKey::kNoEntry);
        key[LayoutKey::kGraph] = 0;
    }

    // A graph at the next index of a year, plotting nothing yet.
    Database::CGraphSettings& AddGraph(int year) {
        return company->Year(year).graphs.Append(std::make_unique<Database::CGraphSettings>());
    }
    // An Income row of a year: its figures are those of the year's "Total Income".
    Item::CItem& Income(int year) { return AddRow<Item::CItem>(company->Year(year), kIncome); }
    static void Plot(Database::CGraphSettings& graph, int kind, int series, Colour colour) {
        graph.seriesOn[kind][series] = true;
        graph.colour[kind][series] = colour;
    }

    void LayOutGraph(Display::CGraph& graph) { graph.Layout(arranging, {100, 40, 820, 640}); }
    void DrawPage(Display::CGraphPage& page) {
        page.Arrange(arranging);
        page.Draw(drawing);
    }

    // Lines by pen, fills by colour, markers by brush.
    std::vector<const DrawOp*> Ops(DrawOp::Kind kind, Colour colour) const {
        std::vector<const DrawOp*> found;
        for (const DrawOp* op : dc.OfKind(kind))
            if (kind == DrawOp::Kind::Line       ? op->pen && op->pen->colour == colour
                : kind == DrawOp::Kind::FillRect ? op->fill == colour
                                                 : op->brush == colour)
                found.push_back(op);
        return found;
    }

    CMainDoc doc;
    Database::CCompany* company = nullptr;
    Display::LayoutMetrics metrics;
    LayoutKey key;
    RecordingDeviceContext dc{DeviceCaps::Screen(900, 700)};
    Display::ArrangeContext arranging{&dc, &doc, 0, &metrics, &key};
    Display::DrawContext drawing{&dc, &doc, &metrics};
};

TEST_F(AdvGraphTest, RangeCoversOnlyTheSwitchedOnKindsAndMonths) {
    Database::CGraphSettings& graph = AddGraph(0);
    Plot(graph, kExpected, kTotalIncome, kRed);
    Item::CItem& income = Income(0);
    income.Expected[4] = 1234500; // May
    income.Expected[5] = 250000;
    // Switched off: a month of a plotted series, a kind of it, a year without this graph.
    graph.months[kExpected][kTotalIncome][6] = false;
    income.Expected[6] = 99999999;
    income.Actual[4] = -50000000;
    Income(1).Expected[0] = 77777777;

    Display::CGraph plot;
    LayOutGraph(plot);
    // 12,345.00 at most and nothing below zero: steps of 10,000.00, two of them.
    EXPECT_EQ(plot.minValue, 0);
    EXPECT_EQ(plot.maxValue, 2000000);
    EXPECT_EQ(plot.upTicks, 2);
    EXPECT_EQ(plot.downTicks, 0);
    // April of the first year is running month 3, its March 14; the year ends in 2000, so the
    // labels count from 1999.
    EXPECT_EQ(plot.firstIndex, 3);
    EXPECT_EQ(plot.lastIndex, 14);
    EXPECT_EQ(plot.firstYear, 1999);
    EXPECT_EQ(plot.settingsIndex, 0);
    EXPECT_EQ(plot.key, LayoutKey(0, 0, 0, LayoutKey::kNoEntry));
    EXPECT_EQ(plot.bounds, (Rect{100, 40, 820, 640}));
}

TEST_F(AdvGraphTest, VarianceBelowZeroAndLaterYearsWidenTheRange) {
    AddGraph(0); // plots nothing
    Database::CGraphSettings& graph = AddGraph(1);
    Plot(graph, kVariance, kTotalBank, kRed);
    // Only February of the second year: its month 13 (April is 3), running month 12 + 13.
    graph.months[kVariance][kTotalBank].fill(false);
    graph.months[kVariance][kTotalBank][1] = true;
    // The closing balance of February: its opening balance.
    Item::CBank& bank = Bank(company->Year(1));
    bank.ActualBalance[1] = 10000;
    bank.ExpectedBalance[1] = 40000;

    Display::CGraph plot;
    LayOutGraph(plot);
    EXPECT_EQ(plot.minValue, -30000);
    EXPECT_EQ(plot.maxValue, 0);
    EXPECT_EQ(plot.upTicks, 0);
    EXPECT_EQ(plot.downTicks, 3);
    EXPECT_EQ(plot.firstIndex, 25);
    EXPECT_EQ(plot.lastIndex, 25);

    // A single month still spans the axis with one interval. Months count from the first
    // year's April 1999, so the point is February 2001; below zero the labels start one
    // interval in, so only March is named.
    plot.Draw(drawing);
    EXPECT_EQ(dc.FindText(u"Feb 01"), nullptr);
    EXPECT_NE(dc.FindText(u"Mar 01"), nullptr);
    ASSERT_EQ(Ops(DrawOp::Kind::Ellipse, kRed).size(), 1u);
    EXPECT_EQ(Ops(DrawOp::Kind::Ellipse, kRed)[0]->rect.left + 2, plot.plotRect.left);
}

TEST_F(AdvGraphTest, NothingPlottedGivesOneStepOverOneInterval) {
    AddGraph(0);
    Display::CGraph plot;
    LayOutGraph(plot);
    EXPECT_EQ(plot.minValue, 0);
    EXPECT_EQ(plot.maxValue, 100);
    EXPECT_EQ(plot.upTicks, 1);
    EXPECT_EQ(plot.firstIndex, 0);
    EXPECT_EQ(plot.lastIndex, 1);

    // Labels follow the graph's year: without cents the top reads "1".
    company->Year(0).display.cents = false;
    plot.Draw(drawing);
    EXPECT_NE(dc.FindText(u"1 "), nullptr);
    EXPECT_EQ(dc.FindText(u"1.00 "), nullptr);
    EXPECT_TRUE(dc.OfKind(DrawOp::Kind::Ellipse).empty());
}

TEST_F(AdvGraphTest, EachYearDrawsItsOwnLineInItsColourBrokenWhereMonthsAreOff) {
    Plot(AddGraph(0), kExpected, kTotalIncome, kRed);
    Plot(AddGraph(1), kExpected, kTotalIncome, kBlue);
    company->Year(0).Graph(0).months[kExpected][kTotalIncome][8] = false; // September
    Income(0).Expected.fill(100000);
    Income(1).Expected.fill(100000);

    Display::CGraph plot;
    LayOutGraph(plot);
    EXPECT_EQ(plot.firstIndex, 3);
    EXPECT_EQ(plot.lastIndex, 26);
    plot.Draw(drawing);

    // The first year: April to August and October to March, 4 + 5 segments, 11 markers. The
    // second: 11 segments and 12 markers. No segment joins one year's March to the next April.
    EXPECT_EQ(Ops(DrawOp::Kind::Line, kRed).size(), 9u);
    EXPECT_EQ(Ops(DrawOp::Kind::Ellipse, kRed).size(), 11u);
    EXPECT_EQ(Ops(DrawOp::Kind::Line, kBlue).size(), 11u);
    EXPECT_EQ(Ops(DrawOp::Kind::Ellipse, kBlue).size(), 12u);
    const auto blue = Ops(DrawOp::Kind::Line, kBlue);
    const auto red = Ops(DrawOp::Kind::Line, kRed);
    const int lastRed = std::max_element(red.begin(), red.end(),
                                         [](auto* a, auto* b) { return a->end.x < b->end.x; })[0]
                            ->end.x;
    for (const DrawOp* line : blue)
        EXPECT_GT(line->point.x, lastRed);
    // 1,000.00 is the axis's top.
    EXPECT_EQ(red[0]->point.y, plot.plotRect.top);
}

TEST_F(AdvGraphTest, LegendHasAColumnPerYearAndAnEntryPerPlottedKindAndRow) {
    Database::CGraphSettings& first = AddGraph(0);
    Plot(first, kExpected, kTotalIncome, kRed);
    Plot(first, kActual, kTotalBank, kGreen);
    AddGraph(1);
    Database::CGraphSettings& third = AddGraph(2);
    Plot(third, kExpected, kTotalIncome, kBlue);
    Plot(third, kVariance, kTotalIncome, kGreen);
    // An entry takes the row's name in the first year that plots it.
    Total(company->Year(2), kTotalIncome).name = u"Sales";

    Display::CGraphLedgend legend;
    legend.Layout(arranging, {20, 40});
    legend.Draw(drawing);

    // "2000" on its side is 16 wide and 32 high; the empty middle column takes no room.
    ASSERT_EQ(legend.yearColumns.size(), 3u);
    EXPECT_EQ(legend.yearColumns[0], (Rect{24, 44, 40, 76}));
    EXPECT_TRUE(legend.yearColumns[1].IsEmpty());
    EXPECT_EQ(legend.yearColumns[2], (Rect{44, 44, 60, 76}));

    // Row by row, Actual, Expected and Variance within a row, right of the last column and
    // under the year names.
    EXPECT_EQ(legend.entryRects[kExpected][kTotalIncome], (Rect{64, 80, 64 + 17 * 8, 96}));
    EXPECT_EQ(legend.entryRects[kVariance][kTotalIncome], (Rect{64, 96, 64 + 16 * 8, 112}));
    EXPECT_EQ(legend.entryRects[kActual][kTotalBank], (Rect{64, 112, 64 + 17 * 8, 128}));
    EXPECT_TRUE(legend.entryRects[kActual][kTotalIncome].IsEmpty());
    EXPECT_EQ(legend.bounds, (Rect{24, 44, 64 + 17 * 8, 128}));
    EXPECT_NE(dc.FindText(u"Expected - Income"), nullptr);
    EXPECT_NE(dc.FindText(u"Variance - Sales"), nullptr);
    EXPECT_NE(dc.FindText(u"Actual - Bank A/C"), nullptr);

    // Year names read upwards from each column's bottom-left corner.
    const DrawOp* year = dc.FindText(u"2000");
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->font.escapement, 900);
    EXPECT_EQ(year->point, (Point{24, 76}));
    EXPECT_NE(dc.FindText(u"2002"), nullptr);
    EXPECT_EQ(dc.FindText(u"2001"), nullptr);

    // Cells in each year's colour where that year plots the entry.
    const auto red = Ops(DrawOp::Kind::FillRect, kRed);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0]->rect, (Rect{24, 80, 40, 96}));
    const auto blue = Ops(DrawOp::Kind::FillRect, kBlue);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0]->rect, (Rect{44, 80, 60, 96}));
    const auto green = Ops(DrawOp::Kind::FillRect, kGreen);
    ASSERT_EQ(green.size(), 2u);
    EXPECT_EQ(green[0]->rect, (Rect{44, 96, 60, 112}));
    EXPECT_EQ(green[1]->rect, (Rect{24, 112, 40, 128}));
}

TEST_F(AdvGraphTest, PageFillsTheContentAreaWithLegendThenPlot) {
    Plot(AddGraph(0), kExpected, kTotalIncome, kRed);
    Display::CGraphPage page(key);
    DrawPage(page);

    EXPECT_TRUE(metrics.graphPage);
    EXPECT_EQ(page.bounds, metrics.ContentArea());
    // The legend is 4 + 16 + 4 + "Expected - Income" wide; the plot starts a corner further.
    const int legendWidth = 16 + 4 + 17 * 8;
    EXPECT_EQ(page.legendRect, (Rect{20, 40, 20 + legendWidth, 640}));
    EXPECT_EQ(page.graphRect, (Rect{20 + legendWidth + 10, 40, 820, 640}));
    EXPECT_EQ(page.graph.bounds, page.graphRect);
    EXPECT_TRUE(page.HitTest(20, 40));
    EXPECT_NE(dc.FindText(u"Expected - Income"), nullptr);
    EXPECT_EQ(Ops(DrawOp::Kind::Ellipse, kRed).size(), 12u);
}

TEST_F(AdvGraphTest, ACompanyThatDoesNotResolveLeavesAxesOnly) {
    Plot(AddGraph(0), kExpected, kTotalIncome, kRed);
    key[LayoutKey::kCompany] = 5;
    Display::CGraphPage page(key);
    DrawPage(page);

    EXPECT_TRUE(page.legend.yearColumns.empty());
    EXPECT_EQ(page.graph.lastIndex, 1);
    EXPECT_FALSE(dc.OfKind(DrawOp::Kind::Line).empty());
    EXPECT_TRUE(dc.OfKind(DrawOp::Kind::Ellipse).empty());
    EXPECT_TRUE(dc.OfKind(DrawOp::Kind::FillRect).empty());
    // Axes name no months when there is no company to count them from.
    for (const DrawOp* text : dc.OfKind(DrawOp::Kind::Text))
        EXPECT_NE(text->align, Align::Centre) << ToUtf8(text->text);
}

TEST(AdvGraphExampleTest, TheExampleGraphPlotsItsSeriesOverBothYears) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(VARNOBEL_EXAMPLES "/sample.cfs", sink), CMainDoc::OpenResult::Loaded);
    doc.Recalculate();
    const Database::CCompany& company = *doc.Root().View(0).Scenario(-1).FindCompany(-1);
    const Database::CGraphSettings& settings = company.Year(0).Graph(0);

    Display::LayoutMetrics metrics;
    metrics.gapSize = {4, 4};
    metrics.cornerSize = {10, 10};
    metrics.ContentArea() = {0, 0, 1200, 800};
    LayoutKey key(0, -1, -1, LayoutKey::kNoEntry);
    key[LayoutKey::kGraph] = 0;
    RecordingDeviceContext dc{DeviceCaps::Screen(1200, 800)};
    Display::CGraphPage page(key);
    Display::ArrangeContext arranging{&dc, &doc, 0, &metrics, &key};
    page.Arrange(arranging);
    Display::DrawContext drawing{&dc, &doc, &metrics};
    page.Draw(drawing);

    // Every series the example switches on has its entry and 24 markers (two full years).
    int entries = 0;
    for (int kind = 0; kind < 3; ++kind)
        for (int series = 0; series < 18; ++series) {
            if (!settings.seriesOn[kind][series])
                continue;
            ++entries;
            EXPECT_FALSE(page.legend.entryRects[kind][series].IsEmpty());
        }
    EXPECT_EQ(entries, 3);
    EXPECT_EQ(page.graph.lastIndex - page.graph.firstIndex, 23);
    // The range holds every plotted value, so every point gets its marker.
    EXPECT_EQ(dc.OfKind(DrawOp::Kind::Ellipse).size(), 3u * 24u);
}

} // namespace
