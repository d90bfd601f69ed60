#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "display/StdGraphsPage.h"
#include "document/CMainDoc.h"
#include "platform/RecordingDeviceContext.h"
#include "support/ForecastBuilder.h"

namespace {

using namespace ForecastBuilder;

const ViewUnits kUnits{{2, 2}, {4, 4}, {6, 6}, {10, 10}};
constexpr Colour kShown = Rgb(200, 0, 0);
constexpr Colour kNotShown = Rgb(170, 170, 170);

class GraphPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.root->views.Append(MakeView({1}, {1.0}, 1, 3));
        company = doc.Root().View(0).Scenario(0).FindCompany(0);
        company->Year(0).year = 2025; // April 2024 to March 2025
        // In every company: the statement counts its rows in the combined one.
        ForEachCompany(doc.Root().View(0), [](Database::CCompany& each) {
            AddRow<Item::CItem>(each.Year(0), kIncome).Expected.fill(50000);
        });
    }

    void AddTaxSetup(const Text& name) {
        // The statement's tax setup is the first view's combined company's.
        Database::CCompany& combined = *doc.Root().View(0).Scenario(-1).FindCompany(-1);
        ForecastBuilder::AddTaxSetup(combined, 1750).name = name;
    }

    void Draw(const Rect& area, bool offsetYear = false, int keepBelowLegend = 0) {
        DrawStdGraphsPage(dc, doc, company, area, kUnits, shown, offsetYear, true, buttons,
                          keepBelowLegend);
    }

    // The text drawn inside a legend button.
    const DrawOp* LabelOf(int series) const {
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text))
            if (buttons[series].Contains(op->point))
                return op;
        return nullptr;
    }

    CMainDoc doc;
    Database::CCompany* company = nullptr;
    RecordingDeviceContext dc{DeviceCaps::Screen(800, 600)};
    std::array<bool, 16> shown{};
    std::array<Rect, 16> buttons{};
};

TEST_F(GraphPageTest, LegendButtonsAreLabelledAndColouredPerSeries) {
    AddTaxSetup(u"VAT");
    doc.seriesColour[2] = Rgb(1, 2, 3);
    shown[0] = true;
    shown[13] = true;
    Draw({0, 0, 700, 500});

    const char16_t* expected[16] = {u"Income",
                                    u"Direct Costs",
                                    u"Gross Surplus",
                                    u"Expenses",
                                    u"Net Surplus Before Interest",
                                    u"Interest",
                                    u"Net Surplus",
                                    u"Capital Receipts",
                                    u"Capital Expenses",
                                    u"Capital Payments",
                                    u"Net Movement Before VAT",
                                    u"VAT",
                                    u"Net Cash Movement",
                                    u"Bank A/C",
                                    u"Total Investments",
                                    u"Total Loans"};
    const auto fills = dc.OfKind(DrawOp::Kind::RoundRect);
    ASSERT_EQ(fills.size(), 16u);
    for (int s = 0; s < 16; ++s) {
        SCOPED_TRACE(s);
        const DrawOp* label = LabelOf(s);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, expected[s]);
        EXPECT_EQ(label->align, Align::Centre);
        EXPECT_EQ(label->textColour, s == 0 || s == 13 ? kShown : kNotShown);
        EXPECT_EQ(label->backColour, Rgb(255, 255, 255));
        // The button is a white box with a rim of the series colour around it, and white room
        // of u1 and half a blank (4 + 4) between the label and the rim on either side.
        EXPECT_EQ(fills[s]->rect, buttons[s]);
        EXPECT_EQ(fills[s]->brush, doc.seriesColour[s]);
        EXPECT_EQ(fills[s]->pen->colour, doc.seriesColour[s]);
        const Rect inside{buttons[s].left + 2, buttons[s].top + 2, buttons[s].right - 2,
                          buttons[s].bottom - 2};
        const auto white = dc.OfKind(DrawOp::Kind::FillRect);
        EXPECT_TRUE(std::any_of(white.begin(), white.end(), [&](const DrawOp* op) {
            return op->rect == inside && op->fill == Rgb(255, 255, 255);
        }));
        EXPECT_EQ(label->rect.left - inside.left, 8);
        EXPECT_EQ(inside.right - label->rect.right, 8);
        EXPECT_EQ(label->clip, (Rect{0, 0, 700, 500})); // never cut by its own frame
        EXPECT_EQ(label->rect.top, inside.top);
        EXPECT_EQ(label->rect.bottom, inside.bottom);
        // Stacked from the area's top, u1 apart.
        EXPECT_EQ(buttons[s].left, 0);
        EXPECT_EQ(buttons[s].top, s == 0 ? 0 : buttons[s - 1].bottom + 4);
    }
    EXPECT_EQ(fills[2]->brush, Rgb(1, 2, 3));
}

TEST_F(GraphPageTest, WithoutATaxSetupTheTaxButtonsAreEmpty) {
    Draw({0, 0, 700, 500});
    for (int s : {10, 11}) {
        ASSERT_NE(LabelOf(s), nullptr);
        EXPECT_EQ(LabelOf(s)->text, u"");
        EXPECT_EQ(buttons[s].Width(), 2 * (kUnits.u05.width + kUnits.u1.width + 4));
    }
    EXPECT_EQ(LabelOf(12)->text, u"Net Cash Movement");
}

TEST_F(GraphPageTest, TheLegendWrapsIntoColumnsAboveTheRoomKeptBelowIt) {
    // Buttons are 16 + 4 high, 24 apart: a column takes those that end above the bottom less
    // the room kept (at least one), the next starts u25 right of its widest button.
    shown[0] = true;
    for (const auto [height, keep, perColumn] :
         {std::tuple{500, 0, 16}, {100, 0, 4}, {100, 30, 3}, {10, 0, 1}}) {
        dc.Clear();
        Draw({0, 0, 4000, height}, false, keep);
        int left = 0, right = 0;
        for (int s = 0; s < 16; ++s) {
            left = s % perColumn == 0 && s > 0 ? right + 10 : left;
            EXPECT_EQ(buttons[s].left, left) << height << keep;
            EXPECT_EQ(buttons[s].top, s % perColumn * 24);
            EXPECT_TRUE(perColumn == 1 || buttons[s].bottom <= height - keep);
            right = std::max(right, buttons[s].right);
        }
        EXPECT_GE(dc.FindText(u"500.00 ")->rect.left, right + 10); // the graph right of it all
    }
}

TEST_F(GraphPageTest, NoGraphWhileNoSeriesIsShown) {
    Draw({0, 0, 700, 500});
    EXPECT_TRUE(dc.OfKind(DrawOp::Kind::Line).empty());
    EXPECT_EQ(dc.FindText(u"-  "), nullptr);
}

TEST_F(GraphPageTest, TheGraphFillsTheRestOfTheAreaWithAprilLabels) {
    shown[0] = true;
    Draw({0, 0, 700, 500});

    int legendRight = 0;
    for (const Rect& button : buttons)
        legendRight = std::max(legendRight, button.right);
    // Income of 500.00 a month: axis 0 to 500.00 in one step, right of the legend.
    const DrawOp* zero = dc.FindText(u"-  ");
    const DrawOp* top = dc.FindText(u"500.00 ");
    ASSERT_NE(zero, nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_GE(top->rect.left, legendRight + kUnits.u25.width);
    EXPECT_EQ(zero->align, Align::Right);
    EXPECT_LT(top->rect.top, zero->rect.top);

    const DrawOp* first = dc.FindText(u"Apr 24");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->align, Align::Centre);
    EXPECT_GT(first->point.y, zero->point.y);
    // The plot runs from 230 + 56 + 10 = 296 to 700 - 24 = 676; with 11 intervals and labels
    // 48 wide every third month is labelled (3 × 48 × 11 = 1584 ≤ 2 × 380 × 3).
    EXPECT_NE(dc.FindText(u"Jul 24"), nullptr);
    EXPECT_NE(dc.FindText(u"Jan 25"), nullptr);
    EXPECT_EQ(dc.FindText(u"May 24"), nullptr);
    // Direct costs above the income put the Gross Surplus below zero: the month labels still
    // stand under the plot, below its lowest value label, where no line runs.
    ForEachCompany(doc.Root().View(0), [](Database::CCompany& each) {
        AddRow<Item::CItem>(each.Year(0), kDirectCost).Expected.fill(80000);
    });
    shown[2] = true;
    dc.Clear();
    Draw({0, 0, 700, 500});
    // -300.00 to 500.00 in steps of 100.00: the month labels hang u15 under the plot's bottom,
    // where the lowest value label is centred.
    const Rect lowest = dc.FindText(u"(300.00)")->rect;
    int months = 0;
    for (const DrawOp* text : dc.OfKind(DrawOp::Kind::Text))
        if (text->align == Align::Centre && text->point.x > 300 && ++months)
            EXPECT_EQ(text->rect.top, (lowest.top + lowest.bottom) / 2 + 6) << ToUtf8(text->text);
    EXPECT_GE(months, 3);

    // Twelve equal values on the top of the axis: eleven joins, twelve markers, in green.
    int joins = 0;
    for (const DrawOp* line : dc.OfKind(DrawOp::Kind::Line))
        if (line->pen->colour == doc.seriesColour[0] && line->point.y == line->end.y)
            ++joins;
    EXPECT_EQ(joins, 11);
    const auto markers = dc.OfKind(DrawOp::Kind::Ellipse);
    ASSERT_EQ(markers.size(), 12u);
    EXPECT_EQ(markers[0]->brush, doc.seriesColour[0]);
    EXPECT_EQ(markers[0]->rect.Width(), kUnits.u1.width + 1);
}

TEST_F(GraphPageTest, OffsetYearCountsLabelsFromTheFollowingYear) {
    shown[0] = true;
    Draw({0, 0, 700, 500}, true);
    EXPECT_NE(dc.FindText(u"Apr 25"), nullptr);
    EXPECT_EQ(dc.FindText(u"Apr 24"), nullptr);
}

TEST_F(GraphPageTest, WithoutACompanyOnlyTheAxesAreDrawn) {
    shown[0] = true;
    DrawStdGraphsPage(dc, doc, nullptr, {0, 0, 700, 500}, kUnits, shown, false, false, buttons);
    EXPECT_NE(dc.FindText(u"1.00 "), nullptr);
    EXPECT_TRUE(dc.OfKind(DrawOp::Kind::Ellipse).empty());
    // No year, so no month to name: the centred texts are the legend's.
    for (const DrawOp* text : dc.OfKind(DrawOp::Kind::Text))
        if (text->align == Align::Centre)
            EXPECT_LT(text->point.x, 300) << ToUtf8(text->text);
    // The legend is drawn but, as when printing, not laid out.
    EXPECT_EQ(dc.OfKind(DrawOp::Kind::RoundRect).size(), 16u);
    for (const Rect& button : buttons)
        EXPECT_TRUE(button.IsEmpty());
}

TEST_F(GraphPageTest, TinyAreasDrawWithoutFailing) {
    shown.fill(true);
    for (const Rect& area : {Rect{0, 0, 0, 0}, Rect{0, 0, 30, 10}, Rect{50, 50, 10, 10}}) {
        dc.Clear();
        Draw(area);
        for (const Rect& button : buttons)
            EXPECT_TRUE(button.IsEmpty() || area.Intersected(button) == button);
    }
}

} // namespace
