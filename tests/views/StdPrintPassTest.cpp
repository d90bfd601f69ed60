#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "display/PrintArea.h"
#include "platform/RecordingDeviceContext.h"
#include "support/ScopedTimeZone.h"
#include "views/StatementForecast.h"
#include "views/StdDrawPass.h"

using namespace Statement;

// Printing at 96 dpi with zero margins and no physical offset: the page is the area, and the
// geometry is that of the screen tests (StdDrawPassTest.cpp): the statement body starts at 140,
// rows are 18 apart, month columns start at 243, 120 wide and 129 apart.
namespace {

constexpr int kBodyTop = 140;
constexpr int kRowPitch = 18;

DeviceCaps Page(int width, int height) {
    return DeviceCaps{true, width, height, width, height, 0, 0, 96, 96};
}

class PrintPassTest : public ::testing::Test {
protected:
    // Lays out (and, when state.drawing, draws) one page.
    void PrintPage(int width, int height) {
        dc = std::make_unique<RecordingDeviceContext>(Page(width, height));
        RunStdDrawPass(*dc, forecast.doc, state, OnPaper());
    }

    // What the print job hands the pass: the page less the forecast's margins.
    StdPassInput OnPaper() const {
        StdPassInput input;
        input.printArea = PrintArea(*dc, forecast.doc.Root());
        return input;
    }

    bool Drawn(const Text& text) const { return dc->FindText(text) != nullptr; }
    int TopOf(const Text& text) const {
        const DrawOp* op = dc->FindText(text);
        return op ? op->point.y : -1;
    }

    // The page loop of the Standard view: down the rows of a column band first, then across.
    // Returns the texts drawn on each page.
    std::vector<std::vector<Text>> PrintAll(int width, int height, int pageLimit = 200) {
        state.printOffsetX = state.printOffsetY = state.bandStartX = 0;
        state.moreAcross = state.moreDown = false;
        std::vector<std::vector<Text>> pages;
        for (int page = 0; page < pageLimit; ++page) {
            if (state.moreDown) {
                state.moreDown = false;
                state.printOffsetY -= state.pageBodyHeight;
                state.printOffsetX = state.bandStartX;
            } else {
                state.printOffsetY = 0;
                if (state.moreAcross) {
                    state.moreAcross = false;
                    state.printOffsetX -= state.pageBodyWidth;
                    state.bandStartX = state.printOffsetX;
                }
            }
            state.drawing = true;
            PrintPage(width, height);
            std::vector<Text> texts;
            for (const DrawOp* op : dc->OfKind(DrawOp::Kind::Text))
                texts.push_back(op->text);
            pages.push_back(std::move(texts));
            if (!state.moreDown && !state.moreAcross)
                return pages;
        }
        ADD_FAILURE() << "the page loop did not end";
        return pages;
    }

    StatementForecast forecast;
    StdViewState state;
    std::unique_ptr<RecordingDeviceContext> dc;
};

// Sales (one row) and ten expenses: INCOME 140, Sales 158, Total Income 176, an empty row at
// 194, EXPENSES at 212. No direct costs, so no GROSS SURPLUS line.
class SectionBreakTest : public PrintPassTest {
protected:
    SectionBreakTest() {
        forecast.AddItem(kIncome, u"Sales", 100000);
        for (int i = 0; i < 10; ++i)
            forecast.AddItem(kExpense, u"Cost " + DecimalText(i), 100);
    }
};

TEST_F(SectionBreakTest, HeadingFourRowsAboveTheBottomMovesTheSection) {
    // 4 rows fit below 212 on a page ending at 212 + 72; a section of 10 rows needs
    // min(10, 5) + 2 = 7.
    PrintPage(800, 212 + 4 * kRowPitch);
    EXPECT_TRUE(Drawn(u"Total Income"));
    EXPECT_FALSE(Drawn(u"EXPENSES"));
    EXPECT_FALSE(Drawn(u"Cost 0"));
    EXPECT_TRUE(state.moreDown);
    EXPECT_EQ(state.printOffsetY, 4 * kRowPitch); // the space left on the page
    EXPECT_EQ(state.pageBodyHeight, 212 + 4 * kRowPitch - kBodyTop);

    // The next page starts with the section.
    state.moreDown = false;
    state.printOffsetY -= state.pageBodyHeight;
    PrintPage(800, 212 + 4 * kRowPitch);
    EXPECT_EQ(TopOf(u"EXPENSES"), kBodyTop);
    EXPECT_FALSE(Drawn(u"Sales"));
}

TEST_F(SectionBreakTest, HeadingWithSevenRowsLeftStays) {
    PrintPage(800, 212 + 7 * kRowPitch);
    EXPECT_EQ(TopOf(u"EXPENSES"), 212);
    EXPECT_EQ(state.printOffsetY, 0);
    // Cost 0 ... Cost 5 fill the page exactly (230 ... 320, the last ending at 338); Cost 6
    // would end below the bottom.
    EXPECT_TRUE(Drawn(u"Cost 5"));
    EXPECT_FALSE(Drawn(u"Cost 6"));
    EXPECT_TRUE(state.moreDown);
}

TEST_F(SectionBreakTest, StraddlingRowMovesToTheNextPage) {
    // Nine units more: Cost 6 at 338 would straddle the bottom at 347.
    PrintPage(800, 212 + 7 * kRowPitch + 9);
    EXPECT_FALSE(Drawn(u"Cost 6"));
    EXPECT_EQ(state.printOffsetY, 9);
    EXPECT_TRUE(state.moreDown);
    state.moreDown = false;
    state.printOffsetY -= state.pageBodyHeight;
    PrintPage(800, 212 + 7 * kRowPitch + 9);
    EXPECT_EQ(TopOf(u"Cost 6"), kBodyTop);
}

TEST_F(SectionBreakTest, LayingOutWithoutDrawingDrawsNothing) {
    state.drawing = false;
    PrintPage(800, 212 + 4 * kRowPitch);
    EXPECT_TRUE(dc->Operations().empty());
    EXPECT_TRUE(state.moreDown);
    EXPECT_EQ(state.printOffsetY, 4 * kRowPitch);
    EXPECT_TRUE(state.moreAcross); // the year is wider than 800
}

TEST_F(PrintPassTest, ColumnsCutAtTheRightEdgeStartTheNextBand) {
    forecast.AddItem(kIncome, u"Sales", 100);
    state.drawing = true;
    PrintPage(800, 2000);
    // May (243 + 4 x 129 = 759 to 879) is the first column past 800: it starts the next band,
    // 4 x 129 further along the year.
    EXPECT_TRUE(state.moreAcross);
    EXPECT_EQ(state.printOffsetX, 0);
    EXPECT_EQ(state.pageBodyWidth, 4 * 129);
    EXPECT_TRUE(Drawn(u"Apr"));
    EXPECT_FALSE(Drawn(u"May"));
    EXPECT_TRUE(Drawn(u"Description"));

    // The next band: no description column, so the months start at 9 + 9 + 9 = 27 and May
    // stands first.
    state.moreAcross = false;
    state.printOffsetX -= state.pageBodyWidth;
    PrintPage(800, 2000);
    EXPECT_FALSE(Drawn(u"Description"));
    EXPECT_FALSE(Drawn(u"Sales"));
    const DrawOp* may = dc->FindText(u"May");
    ASSERT_NE(may, nullptr);
    EXPECT_EQ(may->point.x, 27 + 120);
    EXPECT_FALSE(Drawn(u"Apr"));
}

// Texts every page repeats: the heading line, the tabs and the column headings.
bool PageFurniture(const Text& text) {
    static const std::set<Text> furniture = {u"Scenario 1 (Wt = 100)",
                                             u"Company 1",
                                             u"2020",
                                             u"Graphs",
                                             u"Description",
                                             u"Total",
                                             u"%",
                                             u"Jan",
                                             u"Feb",
                                             u"Mar",
                                             u"Apr",
                                             u"May",
                                             u"Jun",
                                             u"Jul",
                                             u"Aug",
                                             u"Sep",
                                             u"Oct",
                                             u"Nov",
                                             u"Dec"};
    return furniture.count(text) > 0 || text.rfind(u"Last Modified: ", 0) == 0;
}

TEST_F(PrintPassTest, PageLoopPrintsEveryLineAndFigureOnce) {
    Item::CItem& sales = forecast.AddItem(kIncome, u"Sales", 0);
    for (int m = 0; m < 12; ++m)
        sales.Expected[m] = 100 * (m + 1);
    for (int i = 0; i < 12; ++i)
        forecast.AddItem(kExpense, u"Cost " + DecimalText(i), 7 * i);
    forecast.AddLoan(kLoan, u"Van", 100000);
    forecast.AddLoan(kLoan, u"Car", 50000);

    // One page large enough for the whole statement...
    std::map<Text, int> whole;
    for (const auto& page : PrintAll(3000, 3000))
        for (const Text& text : page)
            if (!PageFurniture(text))
                ++whole[text];
    ASSERT_GT(whole[u"Total Loans"], 0);

    // ... holds what the pages of a small sheet hold together, each line and figure once.
    const auto pages = PrintAll(700, 420);
    EXPECT_GT(pages.size(), 6u);
    std::map<Text, int> together;
    for (const auto& page : pages)
        for (const Text& text : page)
            if (!PageFurniture(text))
                ++together[text];
    EXPECT_EQ(together, whole);
}

TEST_F(PrintPassTest, TinyPagesEnd) {
    forecast.AddItem(kIncome, u"Sales", 100);
    // Shorter than one row below the headings, and narrower than one month column.
    EXPECT_LE(PrintAll(800, 150).size(), 20u);
    EXPECT_LE(PrintAll(260, 2000).size(), 20u);
    EXPECT_LE(PrintAll(10, 10).size(), 20u);
}

TEST_F(PrintPassTest, AreaIsThePageLessTheMargins) {
    // The stamp 0 read in UTC, whose text the test finds.
    const ScopedTimeZone utc("UTC0");
    forecast.AddItem(kIncome, u"Sales", 100);
    Database::CPERT& root = forecast.doc.Root();
    root.marginLeft = 10;   // 38 units, inside the 50 the printer cannot reach
    root.marginTop = 20;    // 76 units, 36 beyond the physical offset of 40
    root.marginRight = 10;  // 38 units: 738 + 50 is short of the sheet's 800
    root.marginBottom = 30; // 113 units: 113 + 1000 + 40 passes 1100 by 53
    dc = std::make_unique<RecordingDeviceContext>(
        DeviceCaps{true, 700, 1000, 800, 1100, 50, 40, 96, 96});
    state.drawing = true;
    RunStdDrawPass(*dc, forecast.doc, state, OnPaper());
    const DrawOp* stamp = dc->FindText(u"Last Modified: 12:00AM Thu, 01 January, 1970");
    ASSERT_NE(stamp, nullptr);
    EXPECT_EQ(stamp->point, (Point{700, 36}));
    EXPECT_EQ(state.pageBodyHeight, 947 - (36 + kBodyTop));
    // No off-screen bitmap while printing.
    EXPECT_TRUE(dc->OfKind(DrawOp::Kind::BlockCopy).empty());
}

TEST_F(PrintPassTest, ALargeHeadingKeepsTheTaxBasisClearOfTheStamp) {
    const ScopedTimeZone utc("UTC0");
    forecast.AddTax(u"GST", 1000);
    forecast.AddItem(kIncome, u"Sales", 100);
    forecast.doc.fontSize = 240;
    state.drawing = true;
    PrintPage(1200, 2000);
    // A character is 19 units at 24 pt: the stamp's 44 take 836 at the right, and the basis
    // keeps 1200 - 836 - 19 of its 25 x 19: 17 characters and the ellipsis.
    const DrawOp* stamp = dc->FindText(u"Last Modified: 12:00AM Thu, 01 January, 1970");
    ASSERT_NE(stamp, nullptr);
    EXPECT_EQ(stamp->point.x, 1200);
    const auto basis =
        std::find_if(dc->Operations().begin(), dc->Operations().end(),
                     [](const DrawOp& op) { return op.text.rfind(u"Figures are GST ", 0) == 0; });
    ASSERT_NE(basis, dc->Operations().end());
    EXPECT_EQ(basis->text.size(), 18u);
    EXPECT_EQ(basis->text.back(), u'\u2026');
    EXPECT_EQ(basis->point.x, 0);
}

TEST_F(PrintPassTest, NoFocusHighlightOnPaper) {
    forecast.AddItem(kIncome, u"Sales", 100);
    state.FocusStatementRow(StatementSection::Income, 0);
    state.drawing = true;
    PrintPage(800, 2000);
    EXPECT_TRUE(dc->OfKind(DrawOp::Kind::Rectangle).empty());
}

} // namespace
