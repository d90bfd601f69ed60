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

// The rows of the Advanced statement as a user meets them, read back from the drawing: the
// labels in the description column, the one whose cell the highlight tints, and the tree line.

namespace {

using Shape = std::function<void(StatementForecast&)>;

struct Window {
    explicit Window(const Shape& setUp) {
        forecast.EveryYear(0, [](Database::CYear& year) { year.year = 2024; });
        setUp(forecast);
        state.currentKey = LayoutKey(0, 0, 0, 0);
        Pass();
    }

    // Tall enough for every row without scrolling; the recorder keeps the last pass only.
    void Pass() {
        const AdvPassInput input{Rect{0, 0, 1600, 6000}, 0, 0};
        RunAdvDrawPassSettled(dc, forecast.doc, state, input);
        dc.Clear();
        RunAdvDrawPass(dc, forecast.doc, state, input);
    }

    // The labels of the rows the highlight may stand on, top to bottom: all but the summary
    // rows, which are ruled in blue.
    std::vector<std::string> Rows() const {
        std::vector<int> rules;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Line))
            if (op->pen && op->pen->colour == Display::kHeadingBlue)
                rules.push_back(op->point.y);
        std::vector<std::string> rows;
        for (const DrawOp* op : Labels())
            if (std::find(rules.begin(), rules.end(), op->point.y) == rules.end())
                rows.push_back(ToUtf8(op->text));
        return rows;
    }

    std::vector<const DrawOp*> Labels() const {
        const Display::LayoutMetrics& m = state.metrics;
        std::vector<const DrawOp*> labels;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text))
            if (op->point.x == m.descriptionColumn.left && op->point.y >= m.ContentArea().top &&
                op->text != u"1") // a NOTES entry's number
                labels.push_back(op);
        std::stable_sort(labels.begin(), labels.end(),
                         [](const DrawOp* a, const DrawOp* b) { return a->point.y < b->point.y; });
        return labels;
    }

    int TopOf(const std::string& label) const {
        for (const DrawOp* op : Labels())
            if (ToUtf8(op->text) == label)
                return op->point.y;
        ADD_FAILURE() << "no row " << label;
        return 0;
    }

    // The label of the row whose description cell is tinted.
    std::string Tinted() const {
        std::string tinted;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::FillRect))
            for (const DrawOp* label : Labels())
                if (op->fill == Display::kRowTint && op->rect.left == label->point.x &&
                    op->rect.top == label->point.y) {
                    EXPECT_EQ(tinted, "") << "a second tinted row";
                    tinted = ToUtf8(label->text);
                }
        return tinted;
    }

    // An arrow key, then a pass; the row then tinted.
    std::string Step(bool down) {
        EXPECT_TRUE(StepHighlight(state, down));
        Pass();
        return Tinted();
    }

    // Tab round to the rows, then Down to the first row labelled so.
    void Highlight(const std::string& label) {
        for (int level = 0; level < 5 && HighlightLevel(state) != AdvLevel::Rows; ++level)
            WalkLevels(state, true);
        Pass();
        for (int press = 0; press < 100 && Tinted() != label; ++press)
            Step(true);
        ASSERT_EQ(Tinted(), label);
    }

    void ClickBox(const Text& heading) {
        for (const auto& object : state.lists.statement)
            if (const auto* found = dynamic_cast<const Display::CLineHeader*>(object.get());
                found && found->text == heading) {
                const Rect box = found->expander.glyph.Intersected(found->expander.clip);
                const Point centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
                EXPECT_EQ(ClickAt(forecast.doc, state, centre), AdvClick::SectionFlipped);
                Pass();
                return;
            }
        ADD_FAILURE() << "no heading " << ToUtf8(heading);
    }

    // Whether the tree line runs unbroken from `from` to `to`: its vertical segments down the
    // middle of the expander column joined where they meet (a line takes both end points).
    bool Unbroken(int from, int to) const {
        const Rect& column = state.metrics.expanderColumn;
        const int x = (column.left + column.right) / 2;
        std::vector<std::pair<int, int>> segments;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Line))
            if (op->point.x == x && op->end.x == x)
                segments.emplace_back(std::min(op->point.y, op->end.y),
                                      std::max(op->point.y, op->end.y));
        std::sort(segments.begin(), segments.end());
        int reached = from;
        for (const auto& [top, bottom] : segments)
            if (top <= reached + 1)
                reached = std::max(reached, bottom);
        return reached >= to;
    }

    StatementForecast forecast{{100}, {1.0}, 1};
    AdvViewState state;
    RecordingDeviceContext dc{DeviceCaps::Screen(1600, 6000)};
};

void AddNote(StatementForecast& f, const Text& text, int category, int index) {
    f.EveryYear(0, [&](Database::CYear& year) {
        auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
        note.name = u"1";
        note.Text = text;
        note.AddLink(category, index);
    });
}

// A loan shows its interest in INTEREST, its advance and principal in the capital sections and
// its own block under LOANS, all with the loan's key; an investment likewise in OTHER INCOME and
// INVESTMENTS; the bank gives interest lines and a block of its own.
const Shape kWithLoan = [](StatementForecast& f) {
    f.AddItem(kIncome, u"Sales", 10000);
    f.AddItem(kExpense, u"Rent", 10000);
    f.AddItem(kExpense, u"Electricity", 10000);
    f.AddLoan(kLoan, u"Equipment Loan", 1000000);
};
const Shape kWithLoansAndInvestment = [](StatementForecast& f) {
    f.AddItem(kIncome, u"Sales", 10000);
    f.AddItem(kOtherIncome, u"Grants", 10000);
    f.AddLoan(kLoan, u"Van Loan", 500000);
    f.AddLoan(kLoan, u"Equipment Loan", 1000000);
    f.AddLoan(kInvestment, u"Deposit", 200000);
    AddNote(f, u"Refinanced in May", kLoan, 0);
};
const Shape kWithTaxAndLoan = [](StatementForecast& f) {
    f.AddTax(u"VAT", 2000);
    f.EveryYear(0, [](Database::CYear& year) { year.ItemAt(kTax, 0).name = u"VAT"; });
    f.AddItem(kIncome, u"Sales", 10000);
    f.AddLoan(kLoan, u"Equipment Loan", 1000000);
};

TEST(AdvRowWalkTest, TheArrowsReachEveryRowOnceInTheOrderDrawnDownAndUp) {
    for (const Shape& shape : {kWithLoan, kWithLoansAndInvestment, kWithTaxAndLoan}) {
        Window window(shape);
        const std::vector<std::string> rows = window.Rows();
        ASSERT_GT(rows.size(), 20u);
        window.Highlight(rows.front());
        std::vector<std::string> down{window.Tinted()};
        while (down.size() <= rows.size() && down.back() != rows.back())
            down.push_back(window.Step(true));
        EXPECT_EQ(down, rows);
        EXPECT_EQ(window.Step(true), rows.back()); // the last row keeps it

        std::vector<std::string> up{rows.back()};
        while (up.size() <= rows.size() && up.back() != rows.front())
            up.push_back(window.Step(false));
        std::reverse(up.begin(), up.end());
        EXPECT_EQ(up, rows);
    }
}

// Closing the section or block the highlighted row is in puts the highlight on its heading,
// where it stays when the box opens again; the arrows go on from there.
TEST(AdvRowWalkTest, ABoxKeepsTheHighlightOnItsHeadingClosedAndOpenedAgain) {
    struct Case {
        std::string highlighted;
        Text box;
        std::string nextClosed;
        std::string nextOpen;
    };
    const Case cases[] = {
        {"Rent", u"EXPENSES", "Total Expenses", "Rent"},
        {"  Interest", u"  Equipment Loan", "  Total Equipment Loan", "  Opening Balance"},
        {"  Payments", u"LOANS", "Total Loans", "  Equipment Loan"},
        {"Rent", u"INCOME", "Electricity", "Electricity"}, // elsewhere: it stays on its row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.highlighted + " in " + ToUtf8(c.box));
        Window window(kWithLoan);
        window.Highlight(c.highlighted);
        const bool inside = c.nextClosed != c.nextOpen;
        const std::string stays = inside ? ToUtf8(c.box) : c.highlighted;
        window.ClickBox(c.box);
        EXPECT_EQ(window.Tinted(), stays);
        EXPECT_EQ(window.Step(true), c.nextClosed);
        window.Step(false);
        window.ClickBox(c.box);
        EXPECT_EQ(window.Tinted(), stays);
        EXPECT_EQ(window.Step(true), c.nextOpen);
    }
}

// The tree line runs unbroken from a heading's box through its rows: through the bank block,
// past the empty row over "O/D Limit", and past an opened note.
TEST(AdvRowWalkTest, TheTreeLineRunsUnbrokenPastTheBankBlockAndAnOpenedNote) {
    struct Case {
        std::string from, to, opened;
    };
    const Case cases[] = {
        {"  Bank A/C", "O/D Limit", ""},
        {"INCOME", "Total Income", "Sales"},
        {"  Deposit", "  Total Deposit", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        Window window([](StatementForecast& f) {
            kWithLoansAndInvestment(f);
            AddNote(f, u"Prices rise in May", kIncome, 0);
        });
        if (!c.opened.empty()) {
            window.Highlight(c.opened);
            ASSERT_NE(window.dc.FindText(u"Prices rise in May"), nullptr);
        }
        const int line = window.state.lineHeight;
        EXPECT_TRUE(window.Unbroken(window.TopOf(c.from) + line - 1, window.TopOf(c.to)));
    }
}

} // namespace
