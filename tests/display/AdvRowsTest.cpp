#include <gtest/gtest.h>

#include "display/CColumnHeaders.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CTotal.h"
#include "display/LayoutFixture.h"
#include "display/Palette.h"

using namespace Display;
using Database::kActual;
using Database::kVariance;

namespace {

constexpr Colour kRed = Rgb(200, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 200);

int CountText(const std::vector<const DrawOp*>& ops, const Text& text, Colour colour) {
    int count = 0;
    for (const DrawOp* op : ops)
        if (op->text == text && op->textColour == colour)
            ++count;
    return count;
}

// Income less direct costs: two section totals feeding one summary row.
class RowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& sales = f.forecast.AddItem(kIncome, u"Sales", 100000);
        sales.Actual[0] = 90000;
        f.forecast.AddItem(kDirectCost, u"Stock", 30000);
        f.Year().incomeExpected = 1200000;
    }

    LayoutFixture f;
};

TEST_F(RowsTest, SummaryRowsDrawNegativesRedUnderTheirRule) {
    CTotal& summary = f.AddTotal(u"GROSS SURPLUS");
    f.Pass();

    const auto row = f.TextsOnRow(summary.cells.months[0][0]);
    EXPECT_EQ(CountText(row, u"GROSS SURPLUS", kBlue), 1);
    EXPECT_EQ(CountText(row, u"700.00 ", kBlue), 12);
    // Variance of every month but January: nothing actual against 700.00 expected.
    EXPECT_EQ(CountText(row, u"(700.00)", kRed), 11);
    EXPECT_EQ(CountText(row, u"200.00 ", kBlue), 1);
    EXPECT_EQ(CountText(row, u"8,400.00 ", kBlue), 1);
    EXPECT_EQ(CountText(row, u"70.00 ", kBlue), 1);
    // The rule over the figures ends at the last percentage cell.
    const auto lines = f.dc.OfKind(DrawOp::Kind::Line);
    const bool rule = std::any_of(lines.begin(), lines.end(), [&](const DrawOp* op) {
        return op->point.y == summary.cells.months[0][0].top &&
               op->end.x == summary.cells.percents[2].right;
    });
    EXPECT_TRUE(rule);
}

// A summary row colours each figure by its own sign, whatever the cell: surpluses that fall short
// of their plan while their share of income rises (and the reverse) put a negative Total
// Variance beside a positive Percentage Variance.
TEST(SummaryColoursTest, EveryNegativeFigureIsRedAndEveryOtherBlue) {
    struct Case {
        const char* name;
        Amount incomeActual; // a month, against 1,000.00 expected
        Amount costActual;   // a month, against 300.00 expected
        const char16_t* totalVariance;
        const char16_t* percentVariance;
    };
    const Case cases[] = {
        // Surplus 400.00 a month against 700.00, on 80 % of income against 70 %.
        {"behind plan, larger share", 50000, 10000, u"(3,600.00)", u"10.00 "},
        // Surplus 800.00 a month against 700.00, on 57.14 % of income against 70 %.
        {"ahead of plan, smaller share", 140000, 60000, u"1,200.00 ", u"(12.86)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutFixture f;
        auto& sales = f.forecast.AddItem(kIncome, u"Sales", 100000);
        sales.Actual.fill(c.incomeActual);
        auto& stock = f.forecast.AddItem(kDirectCost, u"Stock", 30000);
        stock.Actual.fill(c.costActual);
        f.Year().incomeExpected = 12 * 100000;
        f.Year().incomeActual = 12 * c.incomeActual;
        CTotal& summary = f.AddTotal(u"GROSS SURPLUS");
        f.Pass();

        int figures = 0;
        bool sawTotal = false, sawPercent = false;
        for (const DrawOp* op : f.TextsOnRow(summary.cells.months[0][0])) {
            if (op->text == u"GROSS SURPLUS")
                continue;
            ++figures;
            const bool negative = !op->text.empty() && op->text[0] == u'(';
            EXPECT_EQ(op->textColour, negative ? kRed : kBlue) << ToUtf8(op->text);
            sawTotal = sawTotal || (op->text == c.totalVariance &&
                                    op->point.x == summary.cells.totals[kVariance].right);
            sawPercent = sawPercent || (op->text == c.percentVariance &&
                                        op->point.x == summary.cells.percents[kVariance].right);
        }
        // Twelve months of three, three totals and three percentages.
        EXPECT_EQ(figures, 36 + 3 + 3);
        EXPECT_TRUE(sawTotal);
        EXPECT_TRUE(sawPercent);
    }
}

TEST_F(RowsTest, AClosedSectionsRowTakesNoPlaceAndATotalWithoutRowsShowsDashes) {
    f.Year().sectionState[kIncome] = 0;
    f.Year().ItemAt(kDirectCost, 0).SetHidden(true);
    f.outline = Statement::AdvOutline::File;
    f.AddLine(kIncome, 0);
    CTotal& incomeTotal = f.AddTotal(u"Total Income");
    CTotal& costTotal = f.AddTotal(u"Total Direct Costs");
    costTotal.SetSuppressed(false); // drawn here although its section is empty
    f.Pass();

    EXPECT_EQ(f.dc.FindText(u"Sales"), nullptr);
    // The income total takes the place the hidden row would have had.
    EXPECT_EQ(incomeTotal.labelRect.top, 0);
    EXPECT_NE(f.dc.FindText(u"12,000.00 "), nullptr);
    // A total without rows shows "-  " in every month and its totals.
    const auto costRow = f.TextsOnRow(costTotal.labelRect);
    EXPECT_EQ(CountText(costRow, u"-  ", Rgb(0, 0, 0)), 36 + 3 + 2); // no Actual % without a base
}

// Scrolled right, the first months lie under the description and notes columns: a highlighted
// row or total tints its cells only where its figures may be drawn, and its description in full.
TEST(HighlightTintTest, FiguresScrolledLeftTakeTheirTintUnderTheFixedColumns) {
    for (const bool total : {false, true}) {
        SCOPED_TRACE(total ? "total" : "line");
        LayoutFixture f;
        f.forecast.AddItem(kIncome, u"Sales", 100);
        for (Rect& column : f.metrics.figureColumns) {
            column.left -= 250;
            column.right -= 250;
        }
        CLayout& row = total ? static_cast<CLayout&>(f.AddTotal(u"Total Income"))
                             : static_cast<CLayout&>(f.AddLine(kIncome, 0));
        f.highlight = total ? f.RowKey(kTotal, 0) : f.RowKey(kIncome, 0);
        f.Pass();
        ASSERT_TRUE(row.highlighted);

        int figureTints = 0;
        int descriptionTints = 0;
        for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::FillRect)) {
            const bool tint = op->fill == kGroupTint || op->fill == kSubColumnDark[0] ||
                              op->fill == kSubColumnDark[1] || op->fill == kSubColumnDark[2];
            if (op->fill == kRowTint && op->rect.left == f.metrics.descriptionColumn.left)
                ++descriptionTints;
            if (!tint)
                continue;
            ++figureTints;
            EXPECT_GE(op->rect.left, f.metrics.figureAreaLeft);
        }
        EXPECT_EQ(descriptionTints, 1);
        EXPECT_GT(figureTints, 0);
    }
}

TEST(ColumnHeadersTest, MonthsFollowTheYearStartAndTogglesFlipTheirMonth) {
    LayoutFixture f(DeviceCaps::Screen(4000, 3000), 6);
    f.Year().year = 2000;
    auto& headers = f.Add<CColumnHeaders>(f.forecast.doc, f.Model());
    f.Pass();

    const auto texts = f.dc.OfKind(DrawOp::Kind::Text);
    std::vector<Text> months;
    for (const DrawOp* op : texts)
        if (op->text.size() == 6 && op->text[3] == u' ')
            months.push_back(op->text);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months.front(), u"Jul 99");
    EXPECT_EQ(months[5], u"Dec 99");
    EXPECT_EQ(months[6], u"Jan 00");
    EXPECT_EQ(months.back(), u"Jun 00");
    EXPECT_EQ(headers.toggles[0].toggles[kActual].flag, &f.Year().display.showActual[6]);
    EXPECT_EQ(headers.toggles[6].toggles[kVariance].flag, &f.Year().display.showVariance[0]);
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Bitmap).size(), 14u * 3);
    // Rows start below the heading: two lines and the toggles.
    EXPECT_EQ(f.metrics.ContentArea().top, 2 * 16 + 4 + 4 + 20 + 4);

    const Rect toggle = headers.toggles[0].toggles[kActual].rect;
    EXPECT_TRUE(headers.HitTest(toggle.left + 1, toggle.top + 1));
    EXPECT_TRUE(headers.ToggleFlipped());
    EXPECT_FALSE(f.Year().display.showActual[6]);
    f.Pass();
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Bitmap)[0]->bitmap, CColumnHeaders::kActualOff);
}

TEST(ColumnHeadersTest, APrintedHeadingHasNoTogglesNoGlyphsAndNoTint) {
    DeviceCaps printer = DeviceCaps::Screen(4000, 3000);
    printer.printing = true;
    LayoutFixture f(printer);
    f.forecast.AddItem(kIncome, u"Sales", 100);
    std::int32_t open = kMinusBox;
    f.Add<CColumnHeaders>(f.forecast.doc, f.Model());
    f.Add<CLineHeader>(Text(u"INCOME"), 1, &open);
    f.AddLine(kIncome, 0);
    f.highlight = f.RowKey(kIncome, 0);
    f.Pass();
    EXPECT_TRUE(f.dc.OfKind(DrawOp::Kind::Bitmap).empty());
    EXPECT_TRUE(f.dc.OfKind(DrawOp::Kind::Line).empty());
    for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::FillRect))
        EXPECT_NE(op->fill, Rgb(205, 205, 205));
    EXPECT_EQ(f.metrics.ContentArea().top, 2 * 16 + 4 + 4);
}

TEST(LineHeaderTest, TheGlyphOpensAndClosesItsSection) {
    LayoutFixture f;
    std::int32_t state = kMinusBox;
    auto& heading = f.Add<CLineHeader>(Text(u"INCOME"), 1, &state);
    f.Pass();
    // An open box: four sides, the minus bar, and the tree line into it and on below it.
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Line).size(), 7u);
    const Rect glyph = heading.expanderCell;
    EXPECT_FALSE(heading.HitTest(glyph.right + 30, glyph.top + 1));
    EXPECT_TRUE(heading.HitTest(glyph.left + 8, glyph.top + 8));
    EXPECT_EQ(state, kPlusBox);
    f.Pass();
    // Closed: the plus sign's bar instead of the line below.
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Line).size(), 7u);
}

} // namespace
