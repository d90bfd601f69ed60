#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <vector>

#include "display/LayoutMetrics.h"
#include "display/PrintArea.h"
#include "items/CNote.h"
#include "platform/PrintLoop.h"
#include "platform/RecordingDeviceContext.h"
#include "views/AdvPrintPass.h"
#include "views/CountingPageTarget.h"
#include "statement/AdvStatementModel.h"
#include "views/StatementForecast.h"

namespace {

// A small landscape sheet at 96 dpi without unprintable border, so that the year's twelve
// months need several pages across and its rows several pages down.
constexpr int kPaperWidth = 1100;
constexpr int kPaperHeight = 700;

DeviceCaps Paper(int width = kPaperWidth) {
    return DeviceCaps{true, width, kPaperHeight, width, kPaperHeight, 0, 0, 96, 96};
}

// A page's drawing in a comparable form.
std::vector<std::string> Digest(const std::vector<DrawOp>& ops) {
    std::vector<std::string> lines;
    for (const DrawOp& op : ops) {
        std::string line = std::to_string(static_cast<int>(op.kind)) + " " +
                           std::to_string(op.rect.left) + "," + std::to_string(op.rect.top) + "," +
                           std::to_string(op.rect.right) + "," + std::to_string(op.rect.bottom) +
                           " " + std::to_string(op.point.x) + "," + std::to_string(op.point.y) +
                           " ";
        for (char16_t c : op.text)
            line += static_cast<char>(c < 128 ? c : '?');
        lines.push_back(line);
    }
    return lines;
}

// The top page of a band of month columns: the leftmost band's pages come first.
int FirstPageOfBand(const AdvPrintLayout& layout, int band) {
    return band == 0 ? 0 : layout.PagesDown() + (band - 1) * layout.PagesDownRightOfLeftmost();
}

bool Drawn(const std::vector<DrawOp>& page, const Text& text) {
    for (const DrawOp& op : page)
        if (op.kind == DrawOp::Kind::Text && op.text == text)
            return true;
    return false;
}

// One real scenario and company whose year 2024 holds forty income rows, a bank and a note;
// only the real year is marked for printing.
class AdvPrintPassTest : public ::testing::Test {
protected:
    AdvPrintPassTest() {
        forecast.EveryYear(0, [](Database::CYear& year) { year.year = 2024; });
        for (int i = 0; i < 40; ++i)
            forecast.AddItem(kIncome, u"Sales line " + DecimalText(i + 1), 123456);
        forecast.AddItem(kExpense, u"Rent", 50000);
        forecast.EveryYear(0, [](Database::CYear& year) {
            auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
            note.name = u"1";
            note.Text = u"Prices rise in spring";
            note.AddLink(kIncome, 0);
        });
        forecast.Year(0, 0, 0).printMark = 1;
        key[LayoutKey::kView] = 0;
        key[LayoutKey::kScenario] = -1;
        key[LayoutKey::kCompany] = -1;
        key[LayoutKey::kYear] = 0;
    }

    // Prints pages in the given order through one session; the job's last page in `last`.
    std::vector<std::vector<DrawOp>> Print(const std::vector<int>& order, int* last = nullptr) {
        AdvPrintLayout layout(forecast.doc);
        AdvPrintJob job(forecast.doc, key, layout, [] { return true; });
        PrintInfo info;
        PrintSession session(job, info);
        std::vector<std::vector<DrawOp>> pages;
        if (!session.Prepare())
            return pages;
        RecordingDeviceContext dc(Paper());
        session.Begin(dc);
        if (last)
            *last = info.maxPage;
        for (int page : order) {
            dc.Clear();
            if (session.Print(dc, page) == PrintSession::Page::Printed)
                pages.push_back(dc.Operations());
        }
        across = layout.PagesAcross();
        down = layout.PagesDown();
        downLater = layout.PagesDownRightOfLeftmost();
        return pages;
    }

    std::vector<int> AllPages(int count) {
        std::vector<int> pages;
        for (int p = 1; p <= count; ++p)
            pages.push_back(p);
        return pages;
    }

    StatementForecast forecast{{100}, {1.0}, 1};
    LayoutKey key;
    int across = 0;
    int down = 0;
    int downLater = 0;
};

TEST_F(AdvPrintPassTest, CountedPagesArePrintedAndAnEarlierPageDrawsAlike) {
    int last = 0;
    Print({}, &last);
    ASSERT_GT(across, 1);
    ASSERT_GT(down, 1);
    EXPECT_EQ(last, down + (across - 1) * downLater);

    // The page loop prints exactly the counted pages.
    AdvPrintLayout layout(forecast.doc);
    AdvPrintJob job(forecast.doc, key, layout, [] { return true; });
    CountingPageTarget target(Paper());
    PrintInfo info;
    EXPECT_EQ(RunPrintLoop(job, target, info).pages, last);
    EXPECT_EQ(target.kept, last);

    ASSERT_GE(last, 5);
    const auto pages = Print({1, 2, 3, 4, 5, 4});
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(Digest(pages[5]), Digest(pages[3]));
    EXPECT_NE(Digest(pages[4]), Digest(pages[3]));
}

TEST_F(AdvPrintPassTest, PagesAcrossRepeatTheDescriptionAndKeepEveryMonthWhole) {
    LayoutKey year;
    year[LayoutKey::kView] = 0;
    year[LayoutKey::kScenario] = 0;
    year[LayoutKey::kCompany] = 0;
    year[LayoutKey::kYear] = 0;
    // Widths a few units apart, so that some page edge falls inside some group.
    for (int width = 900; width <= 1300; width += 23) {
        SCOPED_TRACE("paper width " + std::to_string(width));
        AdvPrintLayout layout(forecast.doc);
        RecordingDeviceContext dc(Paper(width));
        const int pages = layout.CountPages(dc, PrintArea(dc, forecast.doc.Root()), year);
        const int bands = layout.PagesAcross();
        ASSERT_GT(bands, 2);
        EXPECT_EQ(pages, layout.PagesDown() + (bands - 1) * layout.PagesDownRightOfLeftmost());

        // Each of the 14 groups (twelve months, Total, Percentage) shows whole on exactly one band.
        std::vector<int> shown(14, 0);
        for (int band = 0; band < bands; ++band) {
            dc.Clear();
            layout.PrintPage(dc, PrintArea(dc, forecast.doc.Root()), year,
                             FirstPageOfBand(layout, band));
            EXPECT_TRUE(Drawn(dc.Operations(), u"Description")) << "band " << band;
            // The notes column only on the leftmost band.
            EXPECT_EQ(Drawn(dc.Operations(), u"Notes"), band == 0) << "band " << band;
            const Display::LayoutMetrics& m = layout.Metrics();
            const int left = m.figureAreaLeft;
            const int right = m.ContentArea().right;
            for (int group = 0; group < 14; ++group) {
                int groupLeft = INT32_MAX;
                int groupRight = INT32_MIN;
                for (int k = 0; k < 3; ++k) {
                    const Rect& column = m.figureColumns[static_cast<std::size_t>(3 * group + k)];
                    if (column.Width() <= 0)
                        continue;
                    groupLeft = std::min(groupLeft, column.left);
                    groupRight = std::max(groupRight, column.right);
                }
                if (groupLeft == INT32_MAX || groupRight <= left || groupLeft >= right)
                    continue;
                ++shown[static_cast<std::size_t>(group)];
                EXPECT_GE(groupLeft, left) << "group " << group << " on band " << band;
                EXPECT_LE(groupRight, right) << "group " << group << " on band " << band;
            }
        }
        for (int group = 0; group < 14; ++group)
            EXPECT_EQ(shown[static_cast<std::size_t>(group)], 1) << "group " << group;
    }
}

TEST_F(AdvPrintPassTest, CollapsedPrintsFewerPagesThanExpandedAndNothingWithoutMarks) {
    int collapsed = 0;
    int expanded = 0;
    forecast.doc.Root().SetPrintOption(PrintOption::Collapsed);
    Print({}, &collapsed);
    forecast.doc.Root().SetPrintOption(PrintOption::Expanded);
    Print({}, &expanded);
    EXPECT_GT(collapsed, 0);
    EXPECT_LT(collapsed, expanded);

    forecast.Year(0, 0, 0).printMark = 0;
    int none = -1;
    EXPECT_TRUE(Print({1}, &none).empty());
    EXPECT_EQ(none, 0);
}

// Paper too narrow for a month group beside the description shares the groups out among bands
// a column at a time: every column stands whole on exactly one band, under its month's heading
// repeated there, and none is cut at a page's edge; the long label takes at most half the page.
TEST_F(AdvPrintPassTest, AStatementWiderThanThePaperSharesItsGroupsOutAndCutsNoColumn) {
    forecast.AddItem(kExpense, Text(120, u'L'), 100);
    LayoutKey year(0, 0, 0, 0);
    const std::vector<Text> headings = {u"Jan 24", u"Feb 24", u"Mar 24", u"Apr 24",    u"May 24",
                                        u"Jun 24", u"Jul 24", u"Aug 24", u"Sep 24",    u"Oct 24",
                                        u"Nov 24", u"Dec 24", u"Total",  u"Percentage"};
    for (int width : {450, 345}) {
        SCOPED_TRACE("paper width " + std::to_string(width));
        AdvPrintLayout layout(forecast.doc);
        RecordingDeviceContext dc(Paper(width));
        const Rect area = PrintArea(dc, forecast.doc.Root());
        ASSERT_GT(layout.CountPages(dc, area, year), 0);
        ASSERT_GT(layout.PagesAcross(), 14);
        std::array<int, 42> bandsHolding{};
        for (int band = 0; band < layout.PagesAcross(); ++band) {
            dc.Clear();
            layout.PrintPage(dc, area, year, FirstPageOfBand(layout, band));
            const Display::LayoutMetrics& metrics = layout.Metrics();
            EXPECT_LE(metrics.descriptionColumn.Width(), area.Width() / 2);
            const Rect& content = metrics.ContentArea();
            for (std::size_t c = 0; c < bandsHolding.size(); ++c) {
                const Rect& column = metrics.figureColumns[c];
                if (column.right <= content.left || column.left >= content.right)
                    continue;
                ++bandsHolding[c];
                EXPECT_TRUE(column.left >= content.left && column.right <= content.right) << c;
                EXPECT_TRUE(Drawn(dc.Operations(), headings[c / 3])) << "column " << c;
            }
        }
        for (std::size_t c = 0; c < bandsHolding.size(); ++c)
            EXPECT_EQ(bandsHolding[c], 1) << "column " << c;
    }

    // Narrower still, a figure column is wider than the half page beside the description: the
    // job says so rather than cut it.
    AdvPrintLayout layout(forecast.doc);
    AdvPrintJob job(forecast.doc, key, layout, [] { return true; });
    CountingPageTarget target(Paper(150));
    PrintInfo info;
    const PrintResult result = RunPrintLoop(job, target, info);
    EXPECT_EQ(result.status, PrintResult::Status::Failed);
    EXPECT_NE(result.message.find(u"too narrow"), Text::npos);
    EXPECT_EQ(target.kept, 0);
}


// The statement starts as far into the paper at 600 dpi as at 96: the view tabs' strip is as
// wide as their text in the device's own units.
TEST_F(AdvPrintPassTest, TheStatementStartsAsFarInOnFineAndCoarsePaper) {
    forecast.doc.SetMargins(10, 10, 10, 10);
    const auto descriptionMm = [&](int dpi) {
        const int width = kPaperWidth * dpi / 96;
        const int height = kPaperHeight * dpi / 96;
        RecordingDeviceContext dc(DeviceCaps{true, width, height, width, height, 0, 0, dpi, dpi});
        AdvPrintLayout layout(forecast.doc);
        layout.CountPages(dc, PrintArea(dc, forecast.doc.Root()), key);
        return layout.Metrics().descriptionColumn.left * 25.4 / dpi;
    };
    const double coarse = descriptionMm(96);
    EXPECT_NEAR(descriptionMm(600), coarse, 0.5);
    EXPECT_LT(coarse, 25.0);
}

// Whatever the paper's height, every printed page shows a row of figures or a note, and none
// ends on a section or block heading; the pages that hold only notes print on the leftmost band
// of month columns alone.
TEST_F(AdvPrintPassTest, EveryPageShowsRowsAndNoPageEndsOnAHeading) {
    Text note;
    for (int i = 0; i < 400; ++i)
        note += u"Prices rise in spring ";
    forecast.EveryYear(0, [&](Database::CYear& year) {
        dynamic_cast<Item::CNote&>(year.ItemAt(kNote, 0)).Text = note;
    });
    std::vector<Text> headings;
    for (const Statement::AdvEntry& entry :
         Statement::BuildAdvStatementModel(forecast.doc, key, Statement::AdvOutline::File).entries)
        if (entry.IsHeading())
            headings.push_back(entry.label);
    ASSERT_GE(headings.size(), 3u);

    bool notesAlone = false;
    for (int height = 420; height <= 700; height += 13) {
        SCOPED_TRACE("paper height " + std::to_string(height));
        RecordingDeviceContext dc(
            DeviceCaps{true, kPaperWidth, height, kPaperWidth, height, 0, 0, 96, 96});
        AdvPrintLayout layout(forecast.doc);
        const Rect area = PrintArea(dc, forecast.doc.Root());
        const int pages = layout.CountPages(dc, area, key);
        ASSERT_GT(pages, 0);
        notesAlone = notesAlone || layout.PagesDownRightOfLeftmost() < layout.PagesDown();
        for (int page = 0; page < pages; ++page) {
            dc.Clear();
            layout.PrintPage(dc, area, key, page);
            const int labels = layout.Metrics().descriptionColumn.left;
            bool content = false;
            const DrawOp* lowest = nullptr;
            for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text)) {
                const bool figure = op->text == u"-  " ||
                                    (op->text.find(u'.') != Text::npos &&
                                     op->text.find_first_of(u"0123456789") != Text::npos);
                content = content || figure || op->text.find(u"Prices") != Text::npos;
                if (op->point.x == labels && (!lowest || op->point.y > lowest->point.y))
                    lowest = op;
            }
            EXPECT_TRUE(content) << "page " << page;
            ASSERT_NE(lowest, nullptr) << "page " << page;
            EXPECT_EQ(std::find(headings.begin(), headings.end(), lowest->text), headings.end())
                << "page " << page << " ends on " << ToUtf8(lowest->text);
        }
    }
    EXPECT_TRUE(notesAlone);
}

// Margins that leave no room on the sheet, or no room for one row below the headings, fail the
// job rather than print blank pages, and leave the view's key where it was.
TEST_F(AdvPrintPassTest, MarginsThatLeaveNoRoomForARowFailTheJob) {
    // The paper is 185 mm high; the heading, the tabs and the column headings take some 40 mm.
    for (const auto& [top, bottom] : {std::pair{100, 100}, std::pair{70, 80}, std::pair{140, 0},
                                      std::pair{0, 145}}) {
        SCOPED_TRACE(std::to_string(top) + " mm above, " + std::to_string(bottom) + " below");
        forecast.doc.SetMargins(top, 0, bottom, 0);
        AdvPrintLayout layout(forecast.doc);
        AdvPrintJob job(forecast.doc, key, layout, [] { return true; });
        CountingPageTarget target(Paper());
        PrintInfo info;
        const PrintResult result = RunPrintLoop(job, target, info);
        EXPECT_EQ(result.status, PrintResult::Status::Failed);
        EXPECT_NE(result.message.find(u"margins"), Text::npos);
        EXPECT_EQ(target.kept, 0);
        EXPECT_EQ(key[LayoutKey::kYear], 0);
    }
}

} // namespace
