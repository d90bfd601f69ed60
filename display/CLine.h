#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Months.h"
#include "display/CLayout.h"

namespace Display {

class CTotal;

// What a statement row shows of its forecast object. Ordinary and total items are kOrdinary;
// the others pick one pair of monthly arrays (and a label) of a loan or investment, a tax
// summary or the bank.
enum LineKind : std::int32_t {
    kOrdinaryLine = 0,
    kBalanceOpening = 1,     // loan/investment: opening balances, first month as total
    kBalanceAdvances = 2,    // advances (loan) or deposits (investment)
    kBalanceInterest = 3,    // interest accrued on the balance
    kBalancePayments = 4,    // payments (loan) or withdrawals (investment), shown negative
    kCashAdvance = 5,        // "Advance <name>" / "Deposits <name>"
    kCashInterest = 6,       // "Interest <name>": interest paid in cash
    kCashPrincipal = 7,      // "Principal <name>" / "Withdrawals <name>"
    kBalanceAdjustments = 8, // adjustments to the balance
    kTaxOnSales = 9,
    kTaxOnExpenses = 10,
    kTaxPayments = 11,
    kTaxRefunds = 12,
    kTaxAdjustments = 13,
    kBankCrInterest = 14,
    kBankOdInterest = 15,
    kBankOpening = 16,
    kBankMovement = 17, // label only
    kBankAdjustments = 18,
    kBankOdLimit = 19,
};

// How a row or total forms its Total column.
enum TotalMode : std::int32_t {
    kSumOfMonths = 0,
    kFirstMonth = 1,
    kLastMonth = 2,
    kNoTotals = 3,
};

// One statement row: it finds its forecast object, picks the label and the two monthly arrays it
// shows, forms its totals, variance and percentages, feeds its section total, and draws its
// figures in the month, total and percentage cells.
//
// A row feeds its total in every month of the year's span: its figures times its sign, added
// when `addsToTotal` is set and subtracted otherwise. So a row shown negative (payments, tax on
// expenses) takes its amount off the total. A suppressed row feeds nothing; a hidden row (one of
// a closed section) still feeds, but takes no place.
class CLine : public CLayout {
  public:
    CLine();
    // `lineTotal` is not owned and must outlive the row.
    CLine(const LayoutKey& objectKey, std::int32_t kind, CTotal* lineTotal, bool adds,
          bool gapAbove, std::int32_t styleValue);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    LayoutKind GetKind() const override { return LayoutKind::Line; }

    Text text;
    LayoutKey yearKey;
    std::int32_t lineKind = kOrdinaryLine;
    CTotal* total = nullptr;
    bool addsToTotal = true;
    bool gapBefore = false;
    Rect clipRect;
    Rect figureClip;
    Rect descriptionCell;
    std::vector<Rect> taxCells;
    const MonthAmounts* actualValues = nullptr;
    const MonthAmounts* expectedValues = nullptr;
    std::array<Amount, kMonths> variance{};
    std::array<Amount, 3> totals{};
    bool showPercentage = true;
    int sign = 1;
    std::int32_t totalMode = kSumOfMonths;
    std::array<std::array<Rect, 3>, kMonths> monthCells{};
    std::array<Rect, 3> totalCells{};
    std::array<Rect, 3> percentCells{};
    // Percentages of the Actual and Expected income totals; an Actual or Expected one is empty
    // when its base is 0.
    std::array<Amount, 3> percents{};
    std::array<bool, 3> percentShown{};

  private:
    void Resolve(ArrangeContext& context);
    void FormFigures(ArrangeContext& context);
    void Place(ArrangeContext& context);

    std::int32_t ownStyle_ = kNoGlyph;
    // Tax-rate codes of an ordinary item, one per tax column.
    std::vector<Text> taxCodes_;
    // The months of the year's span: first calendar month and count.
    int startMonth_ = 0;
    int monthCount_ = 0;
};

} // namespace Display
