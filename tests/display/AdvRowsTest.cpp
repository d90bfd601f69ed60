#include <gtest/gtest.h>

#include "display/CColumnHeaders.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CTotal.h"
#include "items/CBank.h"
#include "display/LayoutFixture.h"

using namespace Display;
using Database::kActual;
using Database::kExpected;
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

// Income less direct costs: two section totals feeding one summary row in the same pass.
class RowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& sales = f.forecast.AddItem(kIncome, u"Sales", 100000);
        sales.Actual[0] = 90000;
        f.forecast.AddItem(kDirectCost, u"Stock", 30000);
        f.Year().incomeExpected = 1200000;
        gross = std::make_unique<CTotal>(u"GROSS SURPLUS", kSumOfMonths, true, nullptr, true,
                                         kNoGlyph, false, true);
        auto& income = f.Add<CLine>(f.RowKey(kIncome, 0), kOrdinaryLine, nullptr, true, false,
                                    kConnectorThrough);
        incomeTotal = &f.Add<CTotal>(u"Total Income", kSumOfMonths, true, gross.get(), true,
                                     kLineThrough, true, true);
        income.total = incomeTotal;
        auto& cost = f.Add<CLine>(f.RowKey(kDirectCost, 0), kOrdinaryLine, nullptr, true, false,
                                  kConnectorThrough);
        costTotal = &f.Add<CTotal>(u"Total Direct Costs", kSumOfMonths, true, gross.get(), false,
                                   kLineThrough, true, true);
        cost.total = costTotal;
    }
    void AddSummary() { f.objects.push_back(std::move(gross)); }

    LayoutFixture f;
    std::unique_ptr<CTotal> gross;
    CTotal* incomeTotal = nullptr;
    CTotal* costTotal = nullptr;
};

TEST_F(RowsTest, TotalsFeedTheirParentsInOnePassAndSummaryNegativesAreRed) {
    CTotal* summary = gross.get();
    AddSummary();
    f.Pass();

    EXPECT_EQ(incomeTotal->totals[kExpected], 1200000);
    EXPECT_EQ(costTotal->totals[kExpected], 360000);
    // 1,000.00 - 300.00 a month; Actual only in January.
    EXPECT_EQ(summary->shown[kExpected][5], 70000);
    EXPECT_EQ(summary->shown[kActual][0], 90000);
    EXPECT_EQ(summary->totals[kVariance], 90000 - 840000);
    EXPECT_EQ(summary->percents[kExpected], 7000);

    const auto row = f.TextsOnRow(summary->monthCells[0][0]);
    EXPECT_EQ(CountText(row, u"700.00 ", kBlue), 12);
    // Variance of every month but January: nothing actual against 700.00 expected.
    EXPECT_EQ(CountText(row, u"(700.00)", kRed), 11);
    EXPECT_EQ(CountText(row, u"200.00 ", kBlue), 1);
    EXPECT_EQ(CountText(row, u"8,400.00 ", kBlue), 1);
    EXPECT_EQ(CountText(row, u"70.00 ", kBlue), 1);
    // The rule over the figures ends at the last percentage cell.
    const auto lines = f.dc.OfKind(DrawOp::Kind::Line);
    const bool rule = std::any_of(lines.begin(), lines.end(), [&](const DrawOp* op) {
        return op->point.y == summary->monthCells[0][0].top &&
               op->end.x == summary->percentCells[2].right;
    });
    EXPECT_TRUE(rule);
}

TEST_F(RowsTest, ATotalArrangedBeforeItsRowsShowsThePreviousPass) {
    // The summary stands first: it takes over what the totals fed on the pass before.
    f.objects.insert(f.objects.begin(), std::move(gross));
    auto* summary = static_cast<CTotal*>(f.objects.front().get());
    f.Pass();
    EXPECT_EQ(summary->totals[kExpected], 0);
    f.Pass();
    EXPECT_EQ(summary->totals[kExpected], 840000);
}

TEST_F(RowsTest, AClosedSectionKeepsItsFiguresAndASuppressedRowFeedsNothing) {
    CTotal* summary = gross.get();
    AddSummary();
    f.objects[0]->SetHidden(true);  // the income row, its section closed
    f.objects[2]->SetSuppressed(true); // the cost row
    f.Pass();

    EXPECT_EQ(incomeTotal->totals[kExpected], 1200000);
    EXPECT_EQ(costTotal->totals[kExpected], 0);
    EXPECT_EQ(summary->totals[kExpected], 1200000);
    EXPECT_EQ(f.dc.FindText(u"Sales"), nullptr);
    EXPECT_EQ(f.dc.FindText(u"Stock"), nullptr);
    // The income total takes the place the hidden row would have had.
    EXPECT_EQ(incomeTotal->labelRect.top, 0);
    // A total without rows shows "-  " in every month and its totals.
    const auto costRow = f.TextsOnRow(costTotal->labelRect);
    EXPECT_EQ(CountText(costRow, u"-  ", Rgb(0, 0, 0)), 36 + 3 + 2); // no Actual % without a base
}

TEST_F(RowsTest, OpeningBalancesReachTheClosingBalanceWhateverTheColumnsShow) {
    Item::CBank& bank = f.forecast.Row<Item::CBank>(kBank, 0);
    for (int m = 0; m < 12; ++m) {
        bank.ExpectedBalance[m] = 10000 * (m + 1);
        bank.ExpectedAdjustments[m] = 500;
    }
    bank.NoOdLimit = true;
    f.Year().display.includeHidden = false;
    f.Year().display.showExpected[11] = false;
    f.objects.clear();
    auto closing = std::make_unique<CTotal>(u"Closing Balance", kLastMonth, false, nullptr, true,
                                            kLineThrough, true, true);
    auto& opening = f.Add<CLine>(f.RowKey(kBank, 0), kBankOpening, closing.get(), true, false, 5);
    f.Add<CLine>(f.RowKey(kBank, 0), kBankAdjustments, closing.get(), true, false, 5);
    f.Add<CLine>(f.RowKey(kBank, 0), kBankOdLimit, closing.get(), true, true, 5);
    CTotal* close = closing.get();
    f.objects.push_back(std::move(closing));
    f.Pass();

    EXPECT_EQ(opening.totals[kExpected], 10000);
    EXPECT_EQ(close->shown[kExpected][5], 60500);
    // December's Expected column is off, yet the year closes on it, opening included.
    EXPECT_EQ(close->shown[kExpected][11], 120500);
    EXPECT_EQ(close->totals[kExpected], 120500);
    EXPECT_EQ(f.dc.FindText(u"O/D Limit"), nullptr);
    EXPECT_EQ(f.TextsOnRow(close->labelRect).size(),
              1u + 12 + 11 + 12 + 3 + 2); // label, three kinds of month, totals, two %
}

TEST(ColumnHeadersTest, MonthsFollowTheYearStartAndTogglesFlipTheirMonth) {
    LayoutFixture f(DeviceCaps::Screen(4000, 3000), 6);
    f.Year().year = 2000;
    auto& headers = f.Add<CColumnHeaders>(f.forecast.doc, f.current);
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
    f.Add<CColumnHeaders>(f.forecast.doc, f.current);
    f.Add<CLineHeader>(Text(u"INCOME"), 1, &open);
    f.Add<CLine>(f.RowKey(kIncome, 0), kOrdinaryLine, nullptr, true, false, kConnectorEnd);
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
    // An open box: four sides and the minus bar.
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Line).size(), 5u);
    const Rect glyph = heading.expanderCell;
    EXPECT_FALSE(heading.HitTest(glyph.right + 30, glyph.top + 1));
    EXPECT_TRUE(heading.HitTest(glyph.left + 8, glyph.top + 8));
    EXPECT_EQ(state, kPlusBox);
    f.Pass();
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::Line).size(), 6u);
}

} // namespace
