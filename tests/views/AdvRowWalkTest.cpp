#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "display/CLineHeader.h"
#include "display/Palette.h"
#include "items/CNote.h"
#include "platform/RecordingDeviceContext.h"
#include "views/AdvDrawPass.h"
#include "views/AdvInput.h"
#include "views/StatementForecast.h"

// The keyboard on the rows of the Advanced statement: the arrow keys reach every row in the
// order drawn, and a section's box keeps the highlight on its heading. Rows are read back from
// the drawing: the labels in the description column, and the one whose cell the highlight
// tints.

namespace {

constexpr int kWidth = 1600;
// Tall enough for every row of these years without scrolling.
constexpr int kHeight = 6000;

struct DrawnRow {
    std::string label;
    int top = 0;
    bool operator==(const DrawnRow&) const = default;
};

class RowWalk {
  public:
    explicit RowWalk(const std::function<void(StatementForecast&)>& setUp) {
        forecast.EveryYear(0, [](Database::CYear& year) { year.year = 2024; });
        setUp(forecast);
        state.currentKey = LayoutKey(0, 0, 0, 0);
        Pass();
    }

    // Passes until the columns settle; the recorder keeps the last one only.
    void Pass() {
        const AdvPassInput input{Rect{0, 0, kWidth, kHeight}, 0, 0};
        RunAdvDrawPassSettled(dc, forecast.doc, state, input);
        dc.Clear();
        RunAdvDrawPass(dc, forecast.doc, state, input);
    }

    // The rows drawn, top to bottom, that the highlight may stand on: every label in the
    // description column below the headings, less the summary rows (ruled in blue) and the
    // numbers of the NOTES entries.
    std::vector<DrawnRow> Rows() const {
        const Display::LayoutMetrics& m = state.metrics;
        std::vector<int> rules;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Line))
            if (op->pen && op->pen->colour == Display::kHeadingBlue && op->point.y == op->end.y)
                rules.push_back(op->point.y);
        std::vector<DrawnRow> rows;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text)) {
            if (op->point.x != m.descriptionColumn.left || op->point.y < m.ContentArea().top)
                continue;
            if (std::find(rules.begin(), rules.end(), op->point.y) != rules.end())
                continue;
            if (std::find(noteNumbers.begin(), noteNumbers.end(), op->text) != noteNumbers.end())
                continue;
            rows.push_back({ToUtf8(op->text), op->point.y});
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const DrawnRow& a, const DrawnRow& b) { return a.top < b.top; });
        return rows;
    }

    // The row whose description cell the highlight tints (none: an empty label).
    DrawnRow Tinted() const {
        const Display::LayoutMetrics& m = state.metrics;
        std::vector<DrawnRow> tinted;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::FillRect)) {
            if (op->fill != Display::kRowTint || op->rect.left != m.descriptionColumn.left)
                continue;
            for (const DrawOp* text : dc.OfKind(DrawOp::Kind::Text))
                if (text->point.x == m.descriptionColumn.left && text->point.y == op->rect.top)
                    tinted.push_back({ToUtf8(text->text), text->point.y});
        }
        EXPECT_LE(tinted.size(), 1u);
        return tinted.empty() ? DrawnRow{} : tinted.front();
    }

    // Tab round to the rows.
    void EnterRows() {
        for (int level = 0; level < 5 && HighlightLevel(state) != AdvLevel::Rows; ++level)
            WalkLevels(state, true);
        Pass();
    }

    // The rows the arrow key passes through, one a press, until it moves no further; the row it
    // starts on first.
    std::vector<std::string> Walk(bool down, std::size_t limit) {
        DrawnRow at = Tinted();
        std::vector<std::string> seen{at.label};
        for (std::size_t press = 0; press < limit; ++press) {
            EXPECT_TRUE(StepHighlight(state, down));
            Pass();
            const DrawnRow now = Tinted();
            if (now == at)
                break;
            seen.push_back(now.label);
            at = now;
        }
        return seen;
    }

    // Clicks the box of the heading labelled so.
    void ClickBox(const Text& heading) {
        for (const auto& object : state.lists.statement) {
            const auto* found = dynamic_cast<const Display::CLineHeader*>(object.get());
            if (!found || found->text != heading)
                continue;
            const Rect glyph = found->expander.glyph.Intersected(found->expander.clip);
            ASSERT_FALSE(glyph.IsEmpty());
            const Point centre{(glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2};
            EXPECT_EQ(ClickAt(state, centre), AdvClick::SectionFlipped);
            Pass();
            return;
        }
        FAIL() << "no heading " << ToUtf8(heading);
    }

    // Puts the highlight on the row drawn with this label (the first of that name).
    void Highlight(const std::string& label) {
        EnterRows();
        for (std::size_t press = 0; press < 200 && Tinted().label != label; ++press) {
            StepHighlight(state, true);
            Pass();
        }
        ASSERT_EQ(Tinted().label, label);
    }

    StatementForecast forecast{{100}, {1.0}, 1};
    AdvViewState state;
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
    std::vector<Text> noteNumbers;
};

void AddItem(StatementForecast& forecast, int category, const Text& name) {
    forecast.AddItem(category, name, 10000);
}

struct WalkCase {
    const char* name;
    std::function<void(StatementForecast&)> setUp;
};

// A loan shows its interest in INTEREST, its advances and principal in the capital sections and
// its block under LOANS, all with the loan's key; an investment likewise in OTHER INCOME and
// INVESTMENTS; the bank gives interest lines and its own block.
const WalkCase kWalks[] = {
    {"a loan",
     [](StatementForecast& f) {
         AddItem(f, kIncome, u"Sales");
         AddItem(f, kExpense, u"Rent");
         f.AddLoan(kLoan, u"Equipment Loan", 1000000);
     }},
    {"two loans, an investment and a note on the first loan",
     [](StatementForecast& f) {
         AddItem(f, kIncome, u"Sales");
         AddItem(f, kOtherIncome, u"Grants");
         AddItem(f, kCapitalExpense, u"Oven");
         f.AddLoan(kLoan, u"Van Loan", 500000);
         f.AddLoan(kLoan, u"Equipment Loan", 1000000);
         f.AddLoan(kInvestment, u"Deposit", 200000);
         f.EveryYear(0, [](Database::CYear& year) {
             auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
             note.name = u"1";
             note.Text = u"Refinanced in May";
             note.AddLink(kLoan, 0);
         });
     }},
    {"a tax and a loan",
     [](StatementForecast& f) {
         f.AddTax(u"VAT", 2000);
         f.EveryYear(0, [](Database::CYear& year) { year.ItemAt(kTax, 0).name = u"VAT"; });
         AddItem(f, kIncome, u"Sales");
         f.AddLoan(kLoan, u"Equipment Loan", 1000000);
     }},
};

TEST(AdvRowWalkTest, TheArrowsReachEveryRowOnceInTheOrderDrawnDownAndUp) {
    for (const WalkCase& c : kWalks) {
        SCOPED_TRACE(c.name);
        RowWalk walk(c.setUp);
        walk.noteNumbers = {u"1"};
        std::vector<std::string> expected;
        for (const DrawnRow& row : walk.Rows())
            expected.push_back(row.label);
        ASSERT_GT(expected.size(), 20u);

        walk.EnterRows();
        const std::vector<std::string> down = walk.Walk(true, expected.size() + 2);
        EXPECT_EQ(down, expected);

        std::vector<std::string> up = walk.Walk(false, expected.size() + 2);
        std::reverse(up.begin(), up.end());
        EXPECT_EQ(up, expected);
    }
}

// Rows that show the loan: each is reached on its own, and only the block's heading, which
// carries the note's marker, opens the note (whose text the NOTES section shows anyway).
TEST(AdvRowWalkTest, RowsSharingAForecastRowAreHighlightedOneAtATime) {
    RowWalk walk(kWalks[1].setUp);
    const auto noteTexts = [&] {
        int count = 0;
        for (const DrawOp* op : walk.dc.OfKind(DrawOp::Kind::Text))
            count += op->text == u"Refinanced in May" ? 1 : 0;
        return count;
    };
    EXPECT_EQ(noteTexts(), 1);
    walk.Highlight("Interest Van Loan");
    EXPECT_EQ(noteTexts(), 1);
    int tintedCells = 0;
    for (const DrawOp* op : walk.dc.OfKind(DrawOp::Kind::FillRect))
        tintedCells += op->fill == Display::kRowTint ? 1 : 0;
    EXPECT_EQ(tintedCells, 1);

    walk.Highlight("  Van Loan");
    EXPECT_EQ(noteTexts(), 2);
}

struct CloseCase {
    const char* name;
    std::string highlighted;
    Text box;
    // The row after the heading while it is closed, and the first row in it once opened.
    std::string nextClosed;
    std::string nextOpen;
};

const CloseCase kCloses[] = {
    {"a section", "Rent", u"EXPENSES", "Total Expenses", "Rent"},
    {"a loan's block", "  Interest", u"  Equipment Loan", "  Total Equipment Loan",
     "  Opening Balance"},
    {"the section holding the block", "  Payments", u"LOANS", "Total Loans", "  Equipment Loan"},
};

TEST(AdvRowWalkTest, ABoxKeepsTheHighlightOnItsHeadingWhenClosedAndOpenedAgain) {
    for (const CloseCase& c : kCloses) {
        SCOPED_TRACE(c.name);
        RowWalk walk(kWalks[0].setUp);
        walk.Highlight(c.highlighted);

        walk.ClickBox(c.box);
        EXPECT_EQ(walk.Tinted().label, ToUtf8(c.box));
        StepHighlight(walk.state, true);
        walk.Pass();
        EXPECT_EQ(walk.Tinted().label, c.nextClosed);

        StepHighlight(walk.state, false);
        walk.Pass();
        walk.ClickBox(c.box);
        EXPECT_EQ(walk.Tinted().label, ToUtf8(c.box));
        StepHighlight(walk.state, true);
        walk.Pass();
        EXPECT_EQ(walk.Tinted().label, c.nextOpen);
    }
}

// Closing a section the highlight is not in leaves it where it stands.
TEST(AdvRowWalkTest, ClosingAnotherSectionLeavesTheHighlightOnItsRow) {
    RowWalk walk(kWalks[0].setUp);
    walk.Highlight("Rent");
    walk.ClickBox(u"INCOME");
    EXPECT_EQ(walk.Tinted().label, "Rent");
}

// The tree line down the expander column: its vertical segments joined where they meet or touch
// (a line takes both its end points), as runs from top to bottom.
std::vector<std::pair<int, int>> TreeRuns(const RowWalk& walk) {
    const Rect& column = walk.state.metrics.expanderColumn;
    const int midX = (column.left + column.right) / 2;
    std::vector<std::pair<int, int>> segments;
    for (const DrawOp* op : walk.dc.OfKind(DrawOp::Kind::Line))
        if (op->point.x == midX && op->end.x == midX)
            segments.emplace_back(std::min(op->point.y, op->end.y),
                                  std::max(op->point.y, op->end.y));
    std::sort(segments.begin(), segments.end());
    std::vector<std::pair<int, int>> runs;
    for (const auto& segment : segments) {
        if (!runs.empty() && segment.first <= runs.back().second + 1)
            runs.back().second = std::max(runs.back().second, segment.second);
        else
            runs.push_back(segment);
    }
    return runs;
}

// Whether one run of the tree line covers `from` to `to`.
bool Unbroken(const RowWalk& walk, int from, int to) {
    for (const auto& [top, bottom] : TreeRuns(walk))
        if (top <= from && bottom >= to)
            return true;
    return false;
}

int TopOf(const RowWalk& walk, const std::string& label) {
    for (const DrawnRow& row : walk.Rows())
        if (row.label == label)
            return row.top;
    ADD_FAILURE() << "no row " << label;
    return 0;
}

const WalkCase kTree{"a note on a line, a bank and an investment", [](StatementForecast& f) {
                         AddItem(f, kIncome, u"Sales");
                         AddItem(f, kIncome, u"Fees");
                         f.AddLoan(kInvestment, u"Deposit", 200000);
                         f.EveryYear(0, [](Database::CYear& year) {
                             auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
                             note.name = u"1";
                             note.Text = u"Fees rise in May";
                             note.AddLink(kIncome, 0);
                         });
                     }};

// The line runs unbroken from a heading's box through the rows under it: through the bank block
// (past "Net Movement" and the empty row over "O/D Limit") and past an opened note.
TEST(AdvTreeLineTest, TheLineRunsUnbrokenThroughTheBankBlockAndPastAnOpenedNote) {
    struct Span {
        const char* from;
        const char* to;
        const char* opened; // the row whose note is open, if any
    };
    const Span spans[] = {
        {"INCOME", "Total Income", nullptr},
        {"  Bank A/C", "O/D Limit", nullptr},
        {"INCOME", "Total Income", "Sales"},
    };
    for (const Span& span : spans) {
        SCOPED_TRACE(span.opened ? span.opened : span.from);
        RowWalk walk(kTree.setUp);
        if (span.opened) {
            walk.Highlight(span.opened);
            ASSERT_NE(walk.dc.FindText(u"Fees rise in May"), nullptr);
        }
        const int line = walk.state.lineHeight;
        // From the bottom of the heading's box to the middle of the last row.
        EXPECT_TRUE(
            Unbroken(walk, TopOf(walk, span.from) + line - 1, TopOf(walk, span.to) + line / 2));
    }
}

// Boxes on rows one under the other stand apart, the line between them.
TEST(AdvTreeLineTest, ASectionsBoxAndItsFirstBlocksBoxDoNotTouch) {
    RowWalk walk(kTree.setUp);
    const Rect& column = walk.state.metrics.expanderColumn;
    const int line = walk.state.lineHeight;
    // The lowest and highest box edge drawn across the expander column on a row.
    const auto edges = [&](int top) {
        std::pair<int, int> found{INT32_MAX, INT32_MIN};
        for (const DrawOp* op : walk.dc.OfKind(DrawOp::Kind::Line))
            if (op->point.y == op->end.y && op->point.y >= top && op->point.y < top + line &&
                op->point.x >= column.left && op->end.x <= column.right) {
                found.first = std::min(found.first, op->point.y);
                found.second = std::max(found.second, op->point.y);
            }
        return found;
    };
    const int investments = edges(TopOf(walk, "INVESTMENTS")).second;
    const int deposit = edges(TopOf(walk, "  Deposit")).first;
    EXPECT_GT(deposit - investments, walk.state.metrics.RowGap() + 2);
    EXPECT_TRUE(Unbroken(walk, investments, deposit));
}

} // namespace
