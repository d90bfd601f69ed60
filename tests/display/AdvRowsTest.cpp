#include <gtest/gtest.h>

#include "display/CColumnHeaders.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CTotal.h"
#include "display/LayoutFixture.h"
#include "display/LayoutSupport.h"
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

// A summary row colours each figure by its own sign, whatever the cell. Surplus behind plan on
// a larger share of income: 400.00 a month against 700.00, 80 % against 70 %; ahead of plan on a
// smaller share: 800.00 against 700.00, 57.14 % against 70 %.
TEST(SummaryColoursTest, EveryNegativeFigureIsRedAndEveryOtherBlue) {
    struct Case {
        Amount incomeActual, costActual; // a month, against 1,000.00 and 300.00 expected
        Text totalVariance, percentVariance;
    };
    for (const Case& c : {Case{50000, 10000, u"(3,600.00)", u"10.00 "},
                          Case{140000, 60000, u"1,200.00 ", u"(12.86)"}}) {
        SCOPED_TRACE(ToUtf8(c.totalVariance));
        LayoutFixture f;
        f.forecast.AddItem(kIncome, u"Sales", 100000).Actual.fill(c.incomeActual);
        f.forecast.AddItem(kDirectCost, u"Stock", 30000).Actual.fill(c.costActual);
        f.Year().incomeExpected = 12 * 100000;
        f.Year().incomeActual = 12 * c.incomeActual;
        CTotal& summary = f.AddTotal(u"GROSS SURPLUS");
        f.Pass();
        const auto row = f.TextsOnRow(summary.cells.months[0][0]);
        for (const DrawOp* op : row) {
            const Colour expected = op->text[0] == u'(' ? kRed : kBlue;
            EXPECT_EQ(op->textColour, expected) << ToUtf8(op->text);
        }
        EXPECT_EQ(row.size(), 1u + 36 + 3 + 3);
        EXPECT_EQ(f.dc.FindText(c.totalVariance)->point.x, summary.cells.totals[kVariance].right);
        EXPECT_EQ(f.dc.FindText(c.percentVariance)->point.x,
                  summary.cells.percents[kVariance].right);
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

// Scrolled right, the first months lie under the fixed columns: a highlighted line or total
// tints its figure cells only where its figures may be drawn, its description in full.
TEST(HighlightTintTest, FiguresScrolledLeftTakeTheirTintUnderTheFixedColumns) {
    for (const bool total : {false, true}) {
        LayoutFixture f;
        f.forecast.AddItem(kIncome, u"Sales", 100);
        for (Rect& column : f.metrics.figureColumns)
            column = Offset(column, -250, 0);
        total ? (void)f.AddTotal(u"Total Income") : (void)f.AddLine(kIncome, 0);
        f.highlight = total ? f.RowKey(kTotal, 0) : f.RowKey(kIncome, 0);
        f.Pass();
        int figureTints = 0, descriptionTints = 0;
        for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::FillRect)) {
            descriptionTints += op->fill == kRowTint && op->rect.left == 20;
            if (op->fill == kGroupTint || op->fill == kSubColumnDark[kActual]) {
                ++figureTints;
                EXPECT_GE(op->rect.left, f.metrics.figureAreaLeft) << total;
            }
        }
        EXPECT_EQ(descriptionTints, 1);
        EXPECT_GT(figureTints, 0);
    }
}

TEST(ColumnHeadersTest, MonthsFollowTheYearStartAndTogglesFlipTheirMonth) {
    LayoutFixture f(DeviceCaps::Screen(4000, 3000), 6);
    f.Year().year = 2000;
    auto& headers = f.Add<CColumnHeaders>(f.Model());
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
    EXPECT_EQ(headers.toggles[0].toggles[kActual].part.group, 6);
    EXPECT_EQ(headers.toggles[6].toggles[kVariance].part.group, 0);
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Bitmap).size(), 14u * 3);
    // Rows start below the heading: two lines and the toggles.
    EXPECT_EQ(f.metrics.ContentArea().top, 2 * 16 + 4 + 4 + 20 + 4);

    const Rect toggle = headers.toggles[0].toggles[kActual].rect;
    EXPECT_TRUE(headers.HitTest(toggle.left + 1, toggle.top + 1));
    const CheckToggle* flipped = headers.FlippedToggle();
    ASSERT_NE(flipped, nullptr);
    EXPECT_TRUE(f.forecast.doc.SetShownState(headers.yearKey, flipped->part, flipped->shown));
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
    f.Add<CColumnHeaders>(f.Model());
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
    // An open box: four sides, the minus bar, and the tree line into it and on below it. The
    // box stands inside its cell, so boxes on rows one under the other keep apart.
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Line).size(), 7u);
    const Rect glyph = heading.expanderCell;
    for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::Line)) {
        const bool across = op->point.y == op->end.y; // the box's edges and its bar
        EXPECT_TRUE(!across || (op->point.y > glyph.top && op->point.y < glyph.bottom - 1));
    }
    EXPECT_FALSE(heading.HitTest(glyph.right + 30, glyph.top + 1));
    EXPECT_TRUE(heading.HitTest(glyph.left + 8, glyph.top + 8));
    EXPECT_EQ(state, kPlusBox);
    f.Pass();
    // Closed: the plus sign's bar instead of the line below.
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Line).size(), 7u);
}

} // namespace
