#include <gtest/gtest.h>

#include <chrono>
#include <limits>

#include "calc/TaxSumCalculation.h"
#include "items/CItem.h"
#include "items/CTaxSum.h"
#include "support/ForecastBuilder.h"

using namespace ForecastBuilder;
using Item::CItem;
using Item::CTaxSum;

namespace {

// A calendar year (January start) with one tax summary and its setup.
class TaxSettlement : public ::testing::Test {
  protected:
    TaxSettlement() : year(MakeYear(2021)) {
        // Tax on sales of 1.00 × (month + 1) in every month, Expected and Actual alike.
        for (int m = 0; m < kMonths; ++m) {
            row.ExpectedOnSales[m] = 100 * (m + 1);
            row.ActualOnSales[m] = 100 * (m + 1);
        }
    }

    void Run(bool exclusive = true, CTaxSum* next = nullptr) {
        Item::CalculateTaxSum(row, exclusive, *year, &setup, next, total);
    }

    std::unique_ptr<Database::CYear> year;
    Database::CTaxSetup setup;
    CTaxSum row;
    CItem total;
};

} // namespace

TEST_F(TaxSettlement, TwoMonthPeriodsFromJanuary) {
    setup.PeriodStart = 0;
    setup.PeriodLength = 2;
    Run();
    // January and February settle in February: 100 + 200
    EXPECT_EQ(row.ExpectedPayments[0], 0);
    EXPECT_EQ(row.ExpectedPayments[1], 300);
    EXPECT_EQ(row.ActualPayments[1], 300);
    EXPECT_EQ(row.ExpectedPayments[3], 700); // March 300 + April 400
    // Exclusive: the tax passes through when collected, then is paid over.
    EXPECT_EQ(total.Expected[0], 100);       // 100 collected
    EXPECT_EQ(total.Expected[1], 200 - 300); // 200 collected, 300 paid
}

TEST_F(TaxSettlement, DelayMovesTheSettlementLater) {
    setup.PeriodStart = 0;
    setup.PeriodLength = 2;
    setup.PaymentDelay = 1;
    Run();
    EXPECT_EQ(row.ExpectedPayments[1], 0);
    EXPECT_EQ(row.ExpectedPayments[2], 300); // January and February, paid in March
    EXPECT_EQ(row.ExpectedPayments[4], 700);
}

TEST_F(TaxSettlement, PeriodsFromFebruaryCloseOneInJanuary) {
    setup.PeriodStart = 1;
    setup.PeriodLength = 2;
    Run();
    // January ends the December-January period; February and March settle in March.
    EXPECT_EQ(row.ExpectedPayments[0], 100);
    EXPECT_EQ(row.ExpectedPayments[1], 0);
    EXPECT_EQ(row.ExpectedPayments[2], 500);
}

TEST_F(TaxSettlement, SettlementBeyondTheYearGoesToTheNextYearOrIsDropped) {
    setup.PaymentDelay = 1; // monthly periods paid a month later
    CTaxSum next;
    Run(true, &next);
    EXPECT_EQ(row.ExpectedPayments[11], 1100); // November's tax
    EXPECT_EQ(next.ExpectedPayments[0], 1200); // December's, in the next January
    EXPECT_EQ(next.ActualPayments[0], 1200);
    EXPECT_EQ(row.ExpectedPayments[0], 0);

    // The last year of a forecast: December's tax has nowhere to go.
    CTaxSum last;
    last.ExpectedOnSales[11] = 1200;
    CItem lastTotal;
    Item::CalculateTaxSum(last, true, *year, &setup, nullptr, lastTotal);
    EXPECT_EQ(last.ExpectedPayments[0], 0);
    EXPECT_EQ(lastTotal.Expected[11], 1200); // only collected
}

TEST_F(TaxSettlement, FinancialYearScaleRunsPastDecember) {
    // April 2020 - March 2021, quarterly periods from January: the quarter ending in March is
    // month 14 on the year's scale, which is still inside the year.
    year->startMonth = 3;
    setup.PeriodStart = 0;
    setup.PeriodLength = 3;
    Run();
    EXPECT_EQ(row.ExpectedPayments[5], 400 + 500 + 600);     // April-June
    EXPECT_EQ(row.ExpectedPayments[11], 1000 + 1100 + 1200); // October-December
    EXPECT_EQ(row.ExpectedPayments[2], 100 + 200 + 300);     // January-March
}

TEST_F(TaxSettlement, ExpectedFromActualSettlesWithTheActualTax) {
    row.ExpectedOnSales[4] = 999;
    row.ExpectedOnExpenses[4] = 888;
    row.ActualOnExpenses[4] = 50;
    row.ExpectedFromActual[4] = true;
    Run();
    EXPECT_EQ(row.ExpectedPayments[4], 500); // Actual on sales of May
    EXPECT_EQ(row.ExpectedRefunds[4], 50);
}

TEST_F(TaxSettlement, RefundsAndAdjustmentsReachTheTotal) {
    row.ExpectedOnExpenses[0] = 40;
    row.ExpectedAdjustments[0] = 7;
    row.ActualOnExpenses[0] = 30;
    row.ActualAdjustments[0] = -3;
    Run();
    EXPECT_EQ(row.ExpectedRefunds[0], 40);
    // collected 100 - 40, then + refunds 40 + adjustment 7 - payments 100 = 7
    EXPECT_EQ(total.Expected[0], 7);
    // 100 - 30 + 30 - 3 - 100 = -3
    EXPECT_EQ(total.Actual[0], -3);
}

TEST_F(TaxSettlement, InclusiveTotalMovesOnlyBySettlements) {
    setup.PeriodLength = 2;
    Run(false);
    EXPECT_EQ(total.Expected[0], 0);
    EXPECT_EQ(total.Expected[1], -300);
    EXPECT_EQ(total.Actual[1], -300);
}

TEST_F(TaxSettlement, HiddenRowOrMissingSetupDoesNothing) {
    row.SetHidden(true);
    Run();
    EXPECT_EQ(row.ExpectedPayments[0], 0);
    EXPECT_EQ(total.Expected[0], 0);

    CTaxSum plain;
    plain.ExpectedOnSales[0] = 100;
    Item::CalculateTaxSum(plain, true, *year, nullptr, nullptr, total);
    EXPECT_EQ(plain.ExpectedPayments[0], 0);
    EXPECT_EQ(total.Expected[0], 0);
}

TEST_F(TaxSettlement, PeriodLengthBelowOneCountsAsOne) {
    for (int length : {0, -5}) {
        CTaxSum fresh = row;
        CItem freshTotal;
        setup.PeriodLength = length;
        Item::CalculateTaxSum(fresh, true, *year, &setup, nullptr, freshTotal);
        for (int m = 0; m < kMonths; ++m)
            EXPECT_EQ(fresh.ExpectedPayments[m], 100 * (m + 1)) << length << " month " << m;
    }
}

TEST_F(TaxSettlement, NegativeDelayCountsAsZero) {
    setup.PeriodLength = 2;
    setup.PaymentDelay = -1;
    Run();
    // As without delay: settled in the period's last month, never before it.
    EXPECT_EQ(row.ExpectedPayments[0], 0);
    EXPECT_EQ(row.ExpectedPayments[1], 300);
    EXPECT_EQ(total.Expected[1], -100);
}

TEST_F(TaxSettlement, ExtremePeriodStartsNeitherLoopNorOverflow) {
    // 2^31 - 2 ≡ 0 (mod 7), so a start of 2^31 - 1 ends periods where a start of 1 does.
    setup.PeriodLength = 7;
    setup.PeriodStart = std::numeric_limits<std::int32_t>::max();
    const auto began = std::chrono::steady_clock::now();
    Run();
    EXPECT_EQ(row.ExpectedPayments[0], 100);                                     // period end 0
    EXPECT_EQ(row.ExpectedPayments[7], 200 + 300 + 400 + 500 + 600 + 700 + 800); // end 7

    CTaxSum low = TaxSettlement::row;
    low.ExpectedPayments = {};
    CItem lowTotal;
    setup.PeriodLength = 1;
    setup.PeriodStart = std::numeric_limits<std::int32_t>::min();
    Item::CalculateTaxSum(low, true, *year, &setup, nullptr, lowTotal);
    EXPECT_EQ(low.ExpectedPayments[5], 600); // monthly: every month settles itself
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
}

TEST_F(TaxSettlement, StoredSpanOutsideItsRangeStaysInsideTheYear) {
    year->startMonth = -9; // taken mod 12: April
    year->months = 400;    // at most twelve months
    Run();
    EXPECT_EQ(row.ExpectedPayments[3], 400);
    EXPECT_EQ(row.ExpectedPayments[2], 300);

    CTaxSum none = TaxSettlement::row;
    none.ExpectedPayments = {};
    year->months = -3; // no months at all
    CItem noneTotal;
    Item::CalculateTaxSum(none, true, *year, &setup, nullptr, noneTotal);
    EXPECT_EQ(none.ExpectedPayments, MonthAmounts{});
    EXPECT_EQ(noneTotal.Expected, MonthAmounts{});
}
