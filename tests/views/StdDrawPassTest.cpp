#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include "display/PrintArea.h"
#include "document/RecordingMessageSink.h"
#include "platform/RecordingDeviceContext.h"
#include "support/ScopedTimeZone.h"
#include "views/StatementForecast.h"
#include "views/StdDrawPass.h"

using namespace Statement;

// Geometry of a pass on the recorder at 96 dpi with the document's Times New Roman 10 pt at
// zoom 100: characters are 8 x 16; u05 = 2, u1 = 4, u15 = 6, u25 = 9 (50, 100, 150, 250
// hundredths of a millimetre x 96 / 2540, rounded); rowPitch = 16 + 2 = 18.
//
// Standard view: the heading line is 16 high; the tab rows start 4 below it, each 16 + 2 x 6 =
// 28 high: 20-48, 48-76, 76-104. The column headings stand at 104 + 9 = 113 and the first row
// at 113 + 18 + 9 = 140. The description column runs from 9 for 27 characters of "NET SURPLUS
// BEFORE INTEREST" (216) to 225; without a tax column the months start at 225 + 9 + 9 = 243.
// A month column is as wide as "(99,999,999.99)" (15 characters, 120) and they follow each
// other 129 apart.
namespace {

constexpr int kRowPitch = 18;
constexpr int kBodyTop = 140;
constexpr int kHeadingsTop = 113;
constexpr int kMonthLeft = 243;
constexpr int kMonthWidth = 120;
constexpr int kMonthStep = 129;

constexpr Colour kRed = Rgb(200, 0, 0);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGrey130 = Rgb(130, 130, 130);
constexpr Colour kBlue = Rgb(100, 100, 255);
constexpr Colour kWhite = Rgb(255, 255, 255);

int MonthRight(int position) {
    return kMonthLeft + kMonthWidth + position * kMonthStep;
}

std::vector<const DrawOp*> Texts(const RecordingDeviceContext& dc, const Text& text) {
    std::vector<const DrawOp*> found;
    for (const DrawOp& op : dc.Operations())
        if (op.kind == DrawOp::Kind::Text && op.text == text)
            found.push_back(&op);
    return found;
}

// The figure texts drawn on the row whose label was drawn at `y`.
std::vector<const DrawOp*> RowFigures(const RecordingDeviceContext& dc, int y) {
    std::vector<const DrawOp*> found;
    for (const DrawOp& op : dc.Operations())
        if (op.kind == DrawOp::Kind::Text && op.point.y == y && op.align == Align::Right)
            found.push_back(&op);
    return found;
}

class DrawPassTest : public ::testing::Test {
protected:
    // Runs one screen pass into a client of the given size.
    void Paint(CMainDoc& doc, int width = 800, int height = 600,
               Edition edition = Edition::Standard) {
        dc = std::make_unique<RecordingDeviceContext>(DeviceCaps::Screen(width, height));
        StdPassInput input;
        input.edition = edition;
        input.client = Rect{0, 0, width, height};
        input.hScroll = hScroll;
        input.vScroll = vScroll;
        RunStdDrawPass(*dc, doc, state, input);
    }
    void Paint(int width = 800, int height = 600, Edition edition = Edition::Standard) {
        Paint(forecast.doc, width, height, edition);
    }

    const DrawOp& Only(const Text& text) {
        const auto found = Texts(*dc, text);
        EXPECT_EQ(found.size(), 1u) << ToUtf8(text);
        static const DrawOp none;
        return found.empty() ? none : *found.front();
    }

    StatementForecast forecast;
    StdViewState state;
    std::unique_ptr<RecordingDeviceContext> dc;
    int hScroll = 0;
    int vScroll = 0;
};

TEST_F(DrawPassTest, ComposesOffScreenAndCopiesInTwoBlocks) {
    forecast.AddItem(kIncome, u"Sales", 100000);
    Paint();
    // Everything is drawn on the bitmap; the device only receives the two copies.
    for (const DrawOp& op : dc->Operations()) {
        if (op.kind == DrawOp::Kind::BlockCopy)
            EXPECT_EQ(op.surface, 0);
        else
            EXPECT_EQ(op.surface, 1);
    }
    const auto copies = dc->OfKind(DrawOp::Kind::BlockCopy);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0]->rect, (Rect{0, 0, 800, 579}));
    EXPECT_EQ(copies[1]->rect, (Rect{0, 579, 800, 600}));
    EXPECT_EQ(copies[1]->point, (Point{0, 579}));
    EXPECT_EQ(state.area, (Rect{0, 0, 779, 579})); // less the scroll-bar strips
}

TEST_F(DrawPassTest, HeadingLineAndColumnHeadings) {
    const ScopedTimeZone utc("UTC0");
    forecast.doc.stamp = 1700000000; // 19675 days and 80000 s: 22:13:20 on Tue 14 Nov 2023
    forecast.AddItem(kIncome, u"Sales", 100000);
    Paint(2400, 600);
    const DrawOp& stamp = Only(u"Last Modified: 10:13PM Tue, 14 November, 2023");
    EXPECT_EQ(stamp.align, Align::Right);
    EXPECT_EQ(stamp.point, (Point{2391, 0})); // u25 in from the window's side, as on the left
    EXPECT_EQ(stamp.textColour, kRed);
    EXPECT_EQ(stamp.backColour, kWhite);
    EXPECT_EQ(Texts(*dc, u"Figures are").size(), 0u); // no tax setup, no text

    const DrawOp& description = Only(u"Description");
    EXPECT_EQ(description.point, (Point{9, kHeadingsTop}));
    EXPECT_EQ(description.textColour, kRed);
    const DrawOp& jan = Only(u"Jan");
    EXPECT_EQ(jan.align, Align::Right);
    EXPECT_EQ(jan.point, (Point{MonthRight(0), kHeadingsTop}));
    EXPECT_EQ(Only(u"Dec").point.x, MonthRight(11));
    // Total: two gaps after December; % two gaps after Total, two thirds as wide.
    const int totalRight = MonthRight(11) + 18 + kMonthWidth;
    EXPECT_EQ(Only(u"Total").point.x, totalRight);
    EXPECT_EQ(Only(u"%").point.x, totalRight + 18 + 80);
}

TEST_F(DrawPassTest, TaxHeadingAndTaxColumn) {
    forecast.AddTax(u"GST", 1000, u"S");
    forecast.AddItem(kIncome, u"Sales", 100000);
    forecast.EveryYear(0, [](Database::CYear& year) {
        dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).TaxLinks = {0};
    });
    Paint();
    EXPECT_EQ(Only(u"Figures are GST EXCLUSIVE").point, (Point{9, 0}));
    // The tax column is as wide as "GST" (24) and starts after the description column.
    // The first "GST" is the column heading; the tax section's heading comes later.
    EXPECT_EQ(Texts(*dc, u"GST").front()->point, (Point{234, kHeadingsTop}));
    const DrawOp& code = Only(u"S");
    EXPECT_EQ(code.align, Align::Centre);
    EXPECT_EQ(code.point.x, 234 + 12);
    EXPECT_EQ(code.clip, (Rect{234, kBodyTop + kRowPitch, 258, kBodyTop + 2 * kRowPitch}));

    forecast.View().taxExclusive = 0;
    Paint();
    EXPECT_EQ(Texts(*dc, u"Figures are GST INCLUSIVE").size(), 1u);

    // The combined company shows no tax column.
    state.selectedCompany = -1;
    Paint();
    EXPECT_TRUE(Texts(*dc, u"S").empty());
}

TEST_F(DrawPassTest, RowsCellsAndColours) {
    forecast.AddItem(kIncome, u"Sales", 100000);
    forecast.AddItem(kDirectCost, u"Stock", 40000);
    Paint(2400, 600);
    const DrawOp& heading = Only(u"INCOME");
    EXPECT_EQ(heading.point, (Point{9, kBodyTop}));
    EXPECT_EQ(heading.textColour, kBlack);

    const DrawOp& sales = Only(u"Sales");
    const int y = kBodyTop + kRowPitch;
    EXPECT_EQ(sales.point, (Point{9, y}));
    EXPECT_EQ(sales.textColour, kGrey130);
    EXPECT_EQ(sales.backColour, kWhite);
    EXPECT_EQ(sales.clip, (Rect{9, y, 225, y + kRowPitch}));

    // Twelve months, the total and the percentage, right-aligned in their cells.
    const auto figures = RowFigures(*dc, y);
    ASSERT_EQ(figures.size(), 14u);
    for (int position = 0; position < 12; ++position) {
        const DrawOp& cell = *figures[static_cast<std::size_t>(position)];
        EXPECT_EQ(cell.text, u"1,000.00 ");
        EXPECT_EQ(cell.point.x, MonthRight(position));
        EXPECT_EQ(cell.clip, (Rect{MonthRight(position) - kMonthWidth, y, MonthRight(position),
                                   y + kRowPitch}));
        EXPECT_EQ(cell.textColour, kGrey130);
    }
    EXPECT_EQ(figures[12]->text, u"12,000.00 ");
    EXPECT_EQ(figures[13]->text, u"100.00 ");

    // The total row is black and ruled along its top, across the months, the total and %.
    const DrawOp& total = Only(u"Total Income");
    EXPECT_EQ(total.textColour, kBlack);
    const int totalY = y + kRowPitch;
    int rules = 0;
    for (const DrawOp* line : dc->OfKind(DrawOp::Kind::Line))
        if (line->point.y == totalY && line->end.y == totalY)
            ++rules;
    EXPECT_EQ(rules, 3);
    bool acrossMonths = false;
    for (const DrawOp* line : dc->OfKind(DrawOp::Kind::Line))
        acrossMonths |=
            line->point == Point{0, totalY} && line->end == Point{MonthRight(11), totalY};
    EXPECT_TRUE(acrossMonths);

    const DrawOp& gross = Only(u"GROSS SURPLUS");
    EXPECT_EQ(gross.textColour, kBlue);
    // 1,000.00 - 400.00
    EXPECT_EQ(RowFigures(*dc, gross.point.y)[0]->text, u"600.00 ");
    EXPECT_EQ(RowFigures(*dc, gross.point.y)[0]->textColour, kBlue);
}

TEST_F(DrawPassTest, MoneyTextFollowsTheRootFlags) {
    forecast.AddItem(kIncome, u"Refund", -1234567);
    forecast.AddItem(kIncome, u"Nothing", 0);
    Paint(2400, 600);
    const int y = kBodyTop + kRowPitch;
    EXPECT_EQ(RowFigures(*dc, y)[0]->text, u"(12,345.67)");
    EXPECT_EQ(RowFigures(*dc, y + kRowPitch)[0]->text, u"-  ");

    // Without brackets and cents: "%0.0f" rounds, and the month column narrows to the width
    // of "-100,000,000" (12 characters, 96).
    forecast.doc.Root().brackets = 0;
    forecast.doc.Root().cents = 0;
    forecast.doc.Changed();
    Paint(2400, 600);
    EXPECT_EQ(RowFigures(*dc, y)[0]->text, u"-12,346");
    EXPECT_EQ(RowFigures(*dc, y)[0]->point.x, kMonthLeft + 96);
    EXPECT_EQ(RowFigures(*dc, y)[1]->point.x, kMonthLeft + 96 + 9 + 96);
    EXPECT_EQ(RowFigures(*dc, y + kRowPitch)[0]->text, u"-  ");
    // The percentage keeps its cents: -12,345.67 / -12,345.67 = 100.00 %.
    EXPECT_EQ(RowFigures(*dc, y).back()->text, u"100.00");

    forecast.doc.Root().brackets = 1;
    forecast.doc.Changed();
    Paint(2400, 600);
    EXPECT_EQ(RowFigures(*dc, y)[0]->text, u"(12,346)");
}

TEST_F(DrawPassTest, ClosingBankBalanceTurnsRedOneCentBeyondTheLimit) {
    for (const Amount opening : {-500000, -500001}) {
        StatementForecast shop;
        shop.SetBank(opening, 500000);
        Paint(shop.doc, 2400, 600);
        const DrawOp& label = Only(u"Closing Bank Balance");
        EXPECT_EQ(label.textColour, kBlack);
        // Twelve months and the total; no income, so no percentage.
        const auto figures = RowFigures(*dc, label.point.y);
        ASSERT_EQ(figures.size(), 13u);
        const Colour expected = opening == -500001 ? kRed : kBlack;
        for (int i = 0; i < 13; ++i)
            EXPECT_EQ(figures[static_cast<std::size_t>(i)]->textColour, expected) << opening;
        // The limit is shown as stored, in black.
        const DrawOp& limit = Only(u"O/D Limit");
        EXPECT_EQ(RowFigures(*dc, limit.point.y)[0]->text, u"5,000.00 ");
        EXPECT_EQ(RowFigures(*dc, limit.point.y)[0]->textColour, kBlack);
    }
}

TEST_F(DrawPassTest, AprilStartAndShortYearColumns) {
    StatementForecast april({100}, {1.0}, 1, 3);
    april.AddItem(kIncome, u"Sales", 100);
    april.EveryYear(0, [](Database::CYear& year) { year.months = 6; });
    Paint(april.doc, 2400, 600);
    EXPECT_EQ(Only(u"Apr").point.x, MonthRight(0));
    EXPECT_EQ(Only(u"Sep").point.x, MonthRight(5));
    for (const char16_t* month : {u"Oct", u"Jan", u"Mar"})
        EXPECT_TRUE(Texts(*dc, month).empty()) << ToUtf8(month);
    // Total and % follow the last month shown.
    EXPECT_EQ(Only(u"Total").point.x, MonthRight(5) + 18 + kMonthWidth);
    const auto figures = RowFigures(*dc, kBodyTop + kRowPitch);
    ASSERT_EQ(figures.size(), 8u);          // six months, the total and %
    EXPECT_EQ(figures[6]->text, u"12.00 "); // all twelve stored months add up
}

TEST_F(DrawPassTest, TabRowsLabelsOffsetsAndColours) {
    StatementForecast group({100, 50}, {1.0, 1.0, 1.0}, 2);
    state.selectedScenario = 1;
    state.selectedCompany = -1;
    state.FocusTabRow(FocusSection::ScenarioTabs);
    Paint(group.doc);
    EXPECT_EQ(state.scenarioTabOffset, 1);
    EXPECT_EQ(state.companyTabOffset, 1);
    ASSERT_EQ(state.scenarioTabs.size(), 3u);
    ASSERT_EQ(state.companyTabs.size(), 4u);
    ASSERT_EQ(state.yearTabs.size(), 3u); // 2020, 2021, "Graphs"

    const DrawOp& combined = Only(u"All (Wt = 0)");
    // The first tab starts u25 in; its text u15 further in and u1 down from the row's top.
    EXPECT_EQ(combined.point, (Point{9 + 6, 20 + 4}));
    EXPECT_EQ(state.scenarioTabs[0], (Rect{9, 20, 9 + 12 * 8 + 12, 48}));
    EXPECT_EQ(combined.textColour, Rgb(170, 170, 170));
    EXPECT_EQ(combined.backColour, Rgb(230, 230, 230));
    // Selected with the focus on its row.
    const DrawOp& second = Only(u"Scenario 2 (Wt = 50)");
    EXPECT_EQ(second.textColour, kRed);
    EXPECT_EQ(second.backColour, Rgb(170, 170, 170));
    EXPECT_EQ(state.scenarioTabs[2].left, state.scenarioTabs[1].right); // no gap
    const DrawOp& groupTab = Only(u"Group");
    EXPECT_EQ(groupTab.textColour, kRed);
    EXPECT_EQ(groupTab.backColour, Rgb(230, 230, 230));
    EXPECT_EQ(Only(u"Company 3").backColour, Rgb(245, 245, 245));
    EXPECT_EQ(Only(u"2020").textColour, kRed);
    EXPECT_EQ(Only(u"2020").backColour, kWhite);
    EXPECT_EQ(Only(u"Graphs").point.y, 76 + 4);

    // One scenario and one company: no combined tabs.
    state = StdViewState{};
    Paint();
    EXPECT_EQ(state.scenarioTabOffset, 0);
    EXPECT_EQ(state.companyTabOffset, 0);
    EXPECT_EQ(state.scenarioTabs.size(), 1u);
    EXPECT_TRUE(Texts(*dc, u"All (Wt = 0)").empty());
    EXPECT_EQ(Only(u"Scenario 1 (Wt = 100)").textColour, kRed);
}

TEST_F(DrawPassTest, BasicViewHasTheYearRowOnly) {
    StatementForecast group({100, 50}, {1.0, 1.0}, 2);
    group.AddTax(u"GST", 1000);
    state.selectedScenario = 1;
    state.selectedCompany = 1;
    state.selectedYear = 1;
    Paint(group.doc, 800, 600, Edition::Basic);
    EXPECT_EQ(state.selectedScenario, 0);
    EXPECT_EQ(state.selectedCompany, 0);
    EXPECT_EQ(state.selectedYear, 1);
    EXPECT_TRUE(state.scenarioTabs.empty());
    EXPECT_TRUE(state.companyTabs.empty());
    ASSERT_EQ(state.yearTabs.size(), 3u);
    // The heading line ("Figures are GST EXCLUSIVE", 16 high) and then the year row.
    EXPECT_EQ(state.yearTabs[0].top, 20);
    EXPECT_EQ(Only(u"2021").textColour, kRed);
    EXPECT_EQ(Texts(*dc, u"Scenario 1 (Wt = 100)").size(), 0u);
    EXPECT_EQ(Only(u"on Expense").textColour, kGrey130);
    EXPECT_EQ(Only(u"Adjustment").textColour, kGrey130);
}

TEST_F(DrawPassTest, SelectionOutOfRangeResetsAllThree) {
    StatementForecast group({100, 50}, {1.0, 1.0}, 2);
    state.selectedScenario = 1;
    state.selectedCompany = 5;
    state.selectedYear = 1;
    Paint(group.doc);
    EXPECT_EQ(state.selectedScenario, 0);
    EXPECT_EQ(state.selectedCompany, 0);
    EXPECT_EQ(state.selectedYear, 0);
    EXPECT_EQ(Only(u"Scenario 1 (Wt = 100)").textColour, kRed);
}

TEST_F(DrawPassTest, FocusHighlightAndRowRectangles) {
    forecast.AddItem(kIncome, u"Sales", 100);
    forecast.AddItem(kIncome, u"Hidden", 100);
    forecast.AddItem(kIncome, u"Fees", 100);
    forecast.EveryYear(0, [](Database::CYear& year) { year.ItemAt(kIncome, 1).SetHidden(true); });
    state.FocusStatementRow(StatementSection::Income, 2);
    Paint();
    // Rows: INCOME 140, Sales 158, Fees 176 (the hidden row takes no space).
    const int totalRight = MonthRight(11) + 18 + kMonthWidth;
    ASSERT_EQ(state.sectionRows[StatementSection::Income].size(), 3u);
    EXPECT_EQ(state.sectionRows[StatementSection::Income][0], (Rect{9, 158, totalRight, 176}));
    EXPECT_EQ(state.sectionRows[StatementSection::Income][1].Height(), 0);
    EXPECT_EQ(state.sectionRows[StatementSection::Income][2], (Rect{9, 176, totalRight, 194}));
    EXPECT_EQ(state.hiddenRowCount, 1);

    const auto fills = dc->OfKind(DrawOp::Kind::Rectangle);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->rect, (Rect{9, 176, totalRight, 194}));
    EXPECT_EQ(fills[0]->brush, Rgb(205, 205, 205));
    EXPECT_EQ(fills[0]->pen->colour, Rgb(205, 205, 205));
    EXPECT_EQ(Only(u"Fees").backColour, Rgb(205, 205, 205));
    EXPECT_EQ(Only(u"Fees").textColour, kGrey130);
    EXPECT_EQ(Only(u"Sales").backColour, kWhite);

    // No highlight on the combined company.
    state.selectedCompany = -1;
    Paint();
    EXPECT_TRUE(dc->OfKind(DrawOp::Kind::Rectangle).empty());
}

TEST_F(DrawPassTest, ScrollingShiftsColumnsAndRowsAndSetsRanges) {
    forecast.AddItem(kIncome, u"Sales", 100);
    Paint();
    // w + (w + u25) x 12 + w x 2 / 3 + 4 u25 = 120 + 1548 + 80 + 36.
    EXPECT_EQ(state.hScrollMax, 1784);
    EXPECT_EQ(state.hScrollPage, 779 - kMonthLeft);
    EXPECT_EQ(state.vScrollPage, 579 - kBodyTop);
    EXPECT_EQ(state.body.top, kBodyTop);
    EXPECT_EQ(state.monthArea.left, kMonthLeft);
    EXPECT_EQ(state.descriptionRight, 225); // where the horizontal bar begins
    EXPECT_EQ(state.rowPitch, kRowPitch);
    const int maxBefore = state.vScrollMax;

    hScroll = kMonthStep;
    vScroll = kRowPitch;
    Paint();
    // January moved under the description column and is not drawn; February takes its place.
    EXPECT_TRUE(Texts(*dc, u"Jan").empty());
    EXPECT_EQ(Only(u"Feb").point.x, MonthRight(0));
    // INCOME scrolled above the body; Sales is the first row.
    EXPECT_TRUE(Texts(*dc, u"INCOME").empty());
    EXPECT_EQ(Only(u"Sales").point.y, kBodyTop);
    EXPECT_EQ(state.vScrollMax, maxBefore);
}

TEST_F(DrawPassTest, GraphsTabDrawsTheGraphsPage) {
    forecast.AddItem(kIncome, u"Sales", 100000);
    forecast.doc.seriesShown[0] = true;
    state.selectedYear = 1; // the year count
    Paint();
    EXPECT_TRUE(Texts(*dc, u"INCOME").empty());
    EXPECT_TRUE(Texts(*dc, u"Description").empty());
    EXPECT_EQ(Only(u"Graphs").textColour, kRed);
    EXPECT_FALSE(Texts(*dc, u"Income").empty());
    // The legend starts inside the year panel; the area loses u25 instead of the bar strips.
    EXPECT_EQ(state.area, (Rect{0, 0, 791, 591}));
    EXPECT_EQ(state.legendButtons[0].left, 9);
    EXPECT_EQ(state.legendButtons[0].top, 104 + 9);
}

// Income only: nothing below zero, so the month labels hang under the plot's bottom. In both
// editions they, and the last month's label at the right end, stay inside the year panel's
// outline.
TEST_F(DrawPassTest, TheGraphsMonthLabelsStayInsideThePanel) {
    forecast.AddItem(kIncome, u"Sales", 100000);
    forecast.doc.seriesShown[0] = true;
    for (const Edition edition : {Edition::Standard, Edition::Basic}) {
        SCOPED_TRACE(static_cast<int>(edition));
        state.selectedYear = 1;
        Paint(800, 600, edition);
        int months = 0;
        for (const DrawOp* op : dc->OfKind(DrawOp::Kind::Text)) {
            if (op->align != Align::Centre)
                continue;
            ++months;
            EXPECT_LT(op->rect.bottom, state.area.bottom - 1) << ToUtf8(op->text);
            EXPECT_LT(op->rect.right, state.area.right - 1) << ToUtf8(op->text);
        }
        EXPECT_GT(months, 3);
    }
}

TEST_F(DrawPassTest, NothingToDrawLeavesNoTabs) {
    CMainDoc empty;
    dc = std::make_unique<RecordingDeviceContext>(DeviceCaps::Screen(300, 200));
    StdPassInput input;
    input.client = Rect{0, 0, 300, 200};
    RunStdDrawPass(*dc, empty, state, input);
    EXPECT_TRUE(state.yearTabs.empty());
    EXPECT_TRUE(dc->OfKind(DrawOp::Kind::Text).empty());
}

TEST_F(DrawPassTest, SurvivesADamagedTree) {
    forecast.AddItem(kIncome, u"Sales", std::numeric_limits<Amount>::max());
    forecast.AddLoan(kLoan, u"Loan", std::numeric_limits<Amount>::min());
    forecast.AddTax(u"GST", std::numeric_limits<Amount>::max());
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.startMonth = 99;
        year.months = -5;
        // A row of the wrong class in a category.
        year.Items(kIncome).Append(std::make_unique<Item::CLoan>());
    });
    forecast.doc.stamp = std::numeric_limits<std::int64_t>::min();
    forecast.doc.zoom = -7;
    forecast.doc.fontSize = std::numeric_limits<std::int32_t>::max();
    forecast.doc.Root().marginTop = std::numeric_limits<std::int32_t>::max();
    state.selectedScenario = -7;
    state.FocusStatementRow(StatementSection::Investments, 1000);
    hScroll = std::numeric_limits<int>::max();
    vScroll = std::numeric_limits<int>::min();
    Paint();
    EXPECT_FALSE(state.yearTabs.empty());
    EXPECT_EQ(state.selectedScenario, 0);

    Paint(0, 0);
    Paint(1, 1);

    RecordingDeviceContext printer(DeviceCaps{true, 400, 300, 400, 300, 0, 0, 96, 96});
    StdPassInput input;
    input.printArea = PrintArea(printer, forecast.doc.Root());
    state.drawing = true;
    RunStdDrawPass(printer, forecast.doc, state, input);
}

} // namespace

namespace {

std::vector<std::tuple<Text, int, int>> DrawnTexts(const RecordingDeviceContext& dc) {
    std::vector<std::tuple<Text, int, int>> texts;
    for (const DrawOp& op : dc.Operations())
        if (op.kind == DrawOp::Kind::Text)
            texts.emplace_back(op.text, op.point.x, op.point.y);
    return texts;
}

} // namespace

// A pass calculates only when the document reports a change of the figures' inputs: a repaint
// of an unchanged forecast draws the figures of the last calculation, the same as a pass after
// a fresh one, and a display flag switched and reported is calculated before the next pass.
TEST_F(DrawPassTest, RecalculatesOnlyAfterAReportedChange) {
    forecast.AddItem(kIncome, u"Sales", 100);
    Database::CYear& year = forecast.Year();
    year.display.showExpected[5] = false;
    Paint();
    EXPECT_EQ(year.incomeExpected, 1200); // hidden columns included: every month counts
    EXPECT_FALSE(forecast.doc.RecalculateIfChanged());
    const auto first = DrawnTexts(*dc);
    ASSERT_FALSE(first.empty());
    Paint();
    EXPECT_EQ(DrawnTexts(*dc), first);
    forecast.doc.Recalculate();
    Paint();
    EXPECT_EQ(DrawnTexts(*dc), first);

    year.display.includeHidden = false;
    Paint(); // not reported: no calculation
    EXPECT_EQ(year.incomeExpected, 1200);
    forecast.doc.Changed();
    Paint();
    EXPECT_EQ(year.incomeExpected, 1100); // June no longer counts
    EXPECT_FALSE(forecast.doc.RecalculateIfChanged());
}

// A read, New and a root put in place from outside each count as a change.
TEST(DocumentRevision, ReadNewAndANewRootEachCallForACalculation) {
    StatementForecast forecast;
    forecast.AddItem(kIncome, u"Sales", 100);
    CMainDoc& doc = forecast.doc;
    EXPECT_TRUE(doc.RecalculateIfChanged());
    EXPECT_FALSE(doc.RecalculateIfChanged());

    const std::vector<std::uint8_t> bytes = doc.Store();
    RecordingMessageSink sink;
    ASSERT_TRUE(doc.Read(bytes, "again.cfs", sink));
    EXPECT_TRUE(doc.RecalculateIfChanged());
    EXPECT_EQ(doc.Root().View(0).Scenario(0).Company(0).Year(0).incomeExpected, 1200);

    doc.root = std::make_unique<Database::CPERT>();
    EXPECT_TRUE(doc.RecalculateIfChanged());
    ASSERT_TRUE(doc.NewDocument());
    EXPECT_TRUE(doc.RecalculateIfChanged());
    EXPECT_FALSE(doc.RecalculateIfChanged());
}
