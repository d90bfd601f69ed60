#include <gtest/gtest.h>

#include <climits>

#include "database/CYear.h"
#include "display/TabRow.h"
#include "items/CNote.h"
#include "platform/RecordingDeviceContext.h"
#include "views/AdvDrawPass.h"
#include "views/StatementForecast.h"
#include "views/StdDrawPass.h"

// A statement wider than an int can count: at 1000 % and 1000 points the recorder measures a
// character 8000 units wide, so a label of 300,000 characters measures 2.4 billion, and 5,000
// markers of a note numbered with 200 digits, each cut to 64 ("999…, 999…"), together 2.6
// billion. Such a file draws, clamped at the edge of the int range, rather than wrap round.
namespace {

// A window large enough for the tabs, panels, headings and first rows at that size (a line is
// 16,000 units high).
constexpr int kWidth = 1000000;
constexpr int kHeight = 1000000;

class WideStatementTest : public ::testing::Test {
protected:
    WideStatementTest() {
        forecast.doc.zoom = 1000;
        forecast.doc.fontSize = 10000;
        forecast.View().Scenario(0).name = label;
        forecast.AddItem(kIncome, label, 100);
        forecast.EveryYear(0, [](Database::CYear& year) {
            auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
            note.name = Text(200, u'9');
            note.Text = u"Prices rise in spring";
            for (int i = 0; i < 5000; ++i)
                note.AddLink(kIncome, 0);
        });
    }

    const Text label = Text(300000, u'W');
    StatementForecast forecast;
};

TEST_F(WideStatementTest, TheAdvancedColumnsEndAtTheEdgeOfTheIntRange) {
    AdvViewState state;
    state.currentKey = LayoutKey(0, 0, 0, 0);
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
    RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, kWidth, kHeight}, 0, 0});

    const Display::LayoutMetrics& m = state.metrics;
    // Every measure from the description on is held at INT_MAX.
    EXPECT_EQ(m.descriptionColumn.right, INT_MAX);
    EXPECT_EQ(m.notesColumn.right, INT_MAX);
    // The markers' run reached the edge: the notes column is measured up to it.
    EXPECT_EQ(m.notesWidth, INT_MAX - m.notesColumn.left);
    EXPECT_GE(state.hScrollMax, 0);
    // The row's label starts where the description column does, and is clipped to the window.
    const DrawOp* drawn = dc.FindText(label);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->point.x, m.descriptionColumn.left);
}

TEST_F(WideStatementTest, TheStandardTabsAndRowsEndAtTheEdgeOfTheIntRange) {
    StdViewState state;
    StdPassInput input;
    input.client = Rect{0, 0, kWidth, kHeight};
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
    RunStdDrawPass(dc, forecast.doc, state, input);

    // The one scenario's tab ends at INT_MAX however wide its label measures, and the company
    // and year tabs below it start where it does.
    ASSERT_EQ(state.scenarioTabs.size(), 1u);
    EXPECT_EQ(state.scenarioTabs[0].right, INT_MAX);
    ASSERT_EQ(state.companyTabs.size(), 1u);
    EXPECT_EQ(state.companyTabs[0].left, state.scenarioTabs[0].left);
    EXPECT_GE(state.hScrollMax, 0);
    EXPECT_NE(dc.FindText(label), nullptr);
}

// Two tabs each wider than an int can count: the second starts where the first ends, both held
// at INT_MAX rather than wrapped round.
TEST_F(WideStatementTest, TheSecondOfTwoVeryWideTabsStartsAtTheEdgeOfTheIntRange) {
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
    dc.SelectFont(Font{u"", 100000, 400, 0});
    Display::TabRow row;
    row.labels = {label, label};
    std::vector<Rect> rects;
    const ViewUnits units{{5, 5}, {10, 10}, {15, 15}, {25, 25}};
    Display::DrawTabRow(dc, Rect{0, 0, kWidth, kHeight}, 0, units, row, true, false, rects);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].left, 25);
    EXPECT_EQ(rects[0].right, INT_MAX);
    EXPECT_EQ(rects[1].left, INT_MAX);
    EXPECT_EQ(rects[1].right, INT_MAX);
}

} // namespace
