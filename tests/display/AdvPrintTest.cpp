#include <gtest/gtest.h>

#include "display/CColumnHeaders.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CNoteBox.h"
#include "display/CTotal.h"
#include "items/CNote.h"
#include "display/LayoutFixture.h"

using namespace Display;

namespace {

DeviceCaps Printer() {
    DeviceCaps caps = DeviceCaps::Screen(4000, 3000);
    caps.printing = true;
    return caps;
}

TEST(PrintedRowsTest, RowsAndHeadingsBreakToTheNextPage) {
    // Pages of 110 units; a row takes 16 and a gap of 4.
    LayoutFixture f(Printer());
    f.metrics.pageBodyHeight = 110;
    f.forecast.AddItem(kIncome, u"Row", 100);
    std::int32_t open = kMinusBox;
    auto& first = f.AddLine(kIncome, 0);
    // Four lines fit below the first row; five (the most a heading asks for) do not.
    auto& fits = f.Add<CLineHeader>(Text(u"A"), 4, &open);
    auto& moves = f.Add<CLineHeader>(Text(u"B"), 9, &open);
    std::vector<CLine*> rows;
    for (int n = 0; n < 5; ++n)
        rows.push_back(&f.AddLine(kIncome, 0));
    f.Pass();
    EXPECT_EQ(first.descriptionCell.top, 0);
    EXPECT_EQ(fits.textRect.top, 20);
    EXPECT_EQ(moves.textRect.top, 110);
    // Rows at 130, 150, 170 and 190 (ending at the page's bottom, 220); the next would cross it.
    EXPECT_EQ(rows[3]->descriptionCell.top, 190);
    EXPECT_EQ(rows[4]->descriptionCell.top, 220);
    EXPECT_EQ(f.metrics.pagesDown, 3);
}

// Page `page` of ten rows under the column headings, with room for eight rows a page.
std::vector<Text> PrintRowsPage(int page, int& pagesDown) {
    LayoutFixture f(Printer());
    f.metrics.pageRect[3].bottom = 40 + 8 * 20;
    f.metrics.vOffset = (page - 1) * 8 * 20;
    for (int n = 0; n < 10; ++n)
        f.forecast.AddItem(kIncome, u"R" + DecimalText(n), 100);
    f.Add<CColumnHeaders>(f.Model());
    for (int n = 0; n < 10; ++n)
        f.AddLine(kIncome, n);
    f.Pass();
    pagesDown = f.metrics.pagesDown;
    std::vector<Text> rows;
    for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::Text))
        if (op->text.size() == 2 && op->text[0] == u'R')
            rows.push_back(op->text);
    return rows;
}

TEST(PrintedRowsTest, EachPageDrawsItsOwnRowsUnderTheHeadings) {
    int pages = 0;
    const std::vector<Text> first = PrintRowsPage(1, pages);
    EXPECT_EQ(pages, 2);
    ASSERT_EQ(first.size(), 8u);
    EXPECT_EQ(first.back(), u"R7");
    const std::vector<Text> second = PrintRowsPage(2, pages);
    EXPECT_EQ(second, (std::vector<Text>{u"R8", u"R9"}));
    EXPECT_EQ(pages, 2);
}

// A printed page of a row with a note: its marker, the NOTES heading and the entry, on the page
// whose left edge stands `offset` units into the statement.
void PrintNotesPage(LayoutFixture& f, int offset) {
    f.metrics.hOffset = offset;
    f.forecast.AddItem(kIncome, u"Sales", 100);
    auto& note = ForecastBuilder::AddRow<Item::CNote>(f.Year(), kNote);
    note.name = u"1";
    note.Text = u"Settled in March";
    note.AddLink(kIncome, 0);
    static std::int32_t open = kMinusBox;
    f.AddLine(kIncome, 0);
    f.Add<CNoteBox>(f.RowKey(kNote, 0), 0, nullptr);
    f.Add<CLineHeader>(Text(u"NOTES"), 2, &open);
    f.Add<CNoteBox>(f.RowKey(kNote, 0), -1, nullptr);
    f.Pass();
}

TEST(PrintedRowsTest, PagesRightOfTheLeftmostCarryNoNotes) {
    LayoutFixture leftmost(Printer());
    PrintNotesPage(leftmost, 0);
    EXPECT_NE(leftmost.dc.FindText(u"NOTES"), nullptr);
    EXPECT_NE(leftmost.dc.FindText(u"Settled in March"), nullptr);
    EXPECT_EQ(leftmost.dc.FindText(u"1")->textColour, Rgb(200, 0, 0));

    LayoutFixture right(Printer());
    PrintNotesPage(right, 500);
    EXPECT_NE(right.dc.FindText(u"Sales"), nullptr);
    EXPECT_EQ(right.dc.FindText(u"NOTES"), nullptr);
    EXPECT_EQ(right.dc.FindText(u"Settled in March"), nullptr);
    EXPECT_EQ(right.dc.FindText(u"1"), nullptr);
}

// The rule over a summary row cut by the content's right edge at 2000, inside the second
// column of the sixth month (1850-1950, 1950-2050).
int RuleEnd(DeviceCaps caps) {
    LayoutFixture f(caps);
    f.metrics.pageRect[3].right = 2000;
    f.AddTotal(u"NET SURPLUS");
    f.Pass();
    const auto lines = f.dc.OfKind(DrawOp::Kind::Line);
    return lines.size() == 1 ? lines[0]->end.x : -1;
}

TEST(PrintedRowsTest, TheSummaryRuleStopsAtTheLastCellOnThePage) {
    EXPECT_EQ(RuleEnd(Printer()), 1950);
    EXPECT_EQ(RuleEnd(DeviceCaps::Screen(4000, 3000)), 2000);
}

} // namespace
