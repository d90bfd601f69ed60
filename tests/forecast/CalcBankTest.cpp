#include <gtest/gtest.h>

#include <limits>

#include "calc/BankCalculation.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "support/ForecastBuilder.h"

using namespace ForecastBuilder;
using Item::CBank;
using Item::CItem;

namespace {

// A calendar year and the four totals the bank works with.
class BankCalculation : public ::testing::Test {
  protected:
    BankCalculation() : year(MakeYear(2021)), next(MakeYear(2022)) {}

    void Run(bool withNext = false) {
        Item::CalculateBank(bank, *year, withNext ? next.get() : nullptr, interest, otherIncome,
                            netCash, bankTotal);
    }

    std::unique_ptr<Database::CYear> year;
    std::unique_ptr<Database::CYear> next;
    CBank bank;
    CItem interest;
    CItem otherIncome;
    CItem netCash;
    CItem bankTotal;
};

} // namespace

TEST_F(BankCalculation, ZeroBalanceEarnsAndCostsNothing) {
    bank.CrRate.fill(600);
    bank.OdRateWithin.fill(1200);
    bank.OdRateBeyond.fill(2000);
    Run();
    EXPECT_EQ(bank.ExpectedCrInterest[0], 0);
    EXPECT_EQ(bank.ExpectedOdInterest[0], 0);
    EXPECT_EQ(interest.Expected, MonthAmounts{});
    EXPECT_EQ(otherIncome.Expected, MonthAmounts{});
}

TEST_F(BankCalculation, OverdraftSplitsAtTheLimit) {
    bank.ExpectedOpening = -150000;
    bank.ExpectedOdLimit[0] = 100000;
    bank.OdRateWithin[0] = 1200;
    bank.OdRateBeyond[0] = 2000;
    Run();
    // trunc((100000 × 1200 + 50000 × 2000) × 8.333333333333334e-6) = trunc(1833.33…) = 1833
    EXPECT_EQ(bank.ExpectedOdInterest[0], 1833);
    EXPECT_EQ(bank.ExpectedCrInterest[0], 0);
    EXPECT_EQ(interest.Expected[0], 1833);
    // The closing balance pays the interest: -150000 - 1833
    EXPECT_EQ(bankTotal.Expected[0], -151833);
    EXPECT_EQ(bank.ExpectedBalance[1], -151833);
}

TEST_F(BankCalculation, LimitOfZeroPutsAllAtTheRateBeyond) {
    bank.ExpectedOpening = -150000;
    bank.OdRateWithin[0] = 1200;
    bank.OdRateBeyond[0] = 2000;
    Run();
    // trunc(150000 × 2000 × 8.333333333333334e-6) = trunc(2500.0000000000005) = 2500
    EXPECT_EQ(bank.ExpectedOdInterest[0], 2500);
}

TEST_F(BankCalculation, CreditBalanceEarnsInterestIntoOtherIncome) {
    bank.ExpectedOpening = 1000000;
    bank.CrRate[0] = 600;
    bank.ActualCrInterest[0] = 4900; // entered
    Run();
    // trunc(1000000 × 8.333333333333334e-6 × 600) = 5000
    EXPECT_EQ(bank.ExpectedCrInterest[0], 5000);
    EXPECT_EQ(otherIncome.Expected[0], 5000);
    EXPECT_EQ(otherIncome.Actual[0], 4900);
    EXPECT_EQ(interest.Expected[0], 0);
    EXPECT_EQ(bankTotal.Expected[0], 1005000);
}

TEST_F(BankCalculation, NoInterestFlagsKeepTheTotalsUnchanged) {
    bank.ExpectedOpening = 1000000;
    bank.CrRate.fill(600);
    bank.ActualCrInterest[0] = 4900;
    bank.NoCrInterest = true;
    Run();
    EXPECT_EQ(bank.ExpectedCrInterest[0], 0);
    EXPECT_EQ(otherIncome.Expected, MonthAmounts{});
    EXPECT_EQ(otherIncome.Actual, MonthAmounts{});
    // The entered Actual interest still moves the Actual balance.
    EXPECT_EQ(bankTotal.Actual[0], 4900);

    CBank overdrawn;
    overdrawn.ExpectedOpening = -100000;
    overdrawn.OdRateBeyond.fill(2000);
    overdrawn.ActualOdInterest[0] = 100;
    overdrawn.NoOdInterest = true;
    CItem odInterest;
    Item::CalculateBank(overdrawn, *year, nullptr, odInterest, otherIncome, netCash, bankTotal);
    EXPECT_EQ(overdrawn.ExpectedOdInterest[0], 0);
    EXPECT_EQ(odInterest.Expected, MonthAmounts{});
    EXPECT_EQ(odInterest.Actual, MonthAmounts{});
}

TEST_F(BankCalculation, BalancesFollowTheNetCashMovement) {
    bank.ExpectedOpening = 1000;
    bank.ActualOpening = 2000;
    netCash.Expected[0] = 500;
    netCash.Expected[1] = -300;
    netCash.Actual[0] = 50;
    bank.ExpectedAdjustments[1] = 7;
    Run();
    EXPECT_EQ(bank.ExpectedBalance[0], 1000);
    EXPECT_EQ(bank.ExpectedBalance[1], 1500); // 1000 + 500
    EXPECT_EQ(bank.ExpectedBalance[2], 1207); // 1500 - 300 + 7
    EXPECT_EQ(bankTotal.Expected[1], 1207);   // closing, assigned
    EXPECT_EQ(bankTotal.Expected[11], 1207);
    EXPECT_EQ(bank.ActualBalance[1], 2050);
}

TEST_F(BankCalculation, MonthsThatDoNotCountCarryTheBalanceUnchanged) {
    bank.ActualOpening = 2000;
    bank.ExpectedOpening = 1000;
    netCash.Actual[0] = 50;
    netCash.Expected[0] = 70;
    bank.ActualAdjustments[0] = 9;
    year->display.includeHidden = false;
    year->display.showActual[0] = false;
    Run();
    EXPECT_EQ(bank.ActualBalance[1], 2000); // January is not an Actual month
    EXPECT_EQ(bank.ExpectedBalance[1], 1070);

    // The all-months override makes it count again.
    CBank again;
    again.ActualOpening = 2000;
    again.ActualAdjustments[0] = 9;
    year->display.includeHidden = true;
    Item::CalculateBank(again, *year, nullptr, interest, otherIncome, netCash, bankTotal);
    EXPECT_EQ(again.ActualBalance[1], 2059);
}

TEST_F(BankCalculation, LastMonthOpensTheNextYear) {
    bank.ExpectedOpening = 1000;
    bank.ActualOpening = 3000;
    netCash.Expected[11] = 10;
    Run(true);
    EXPECT_EQ(Bank(*next).ExpectedOpening, 1010);
    EXPECT_EQ(Bank(*next).ActualOpening, 3000);

    // With ResetToActual on the last month, the Expected opening is the Actual one.
    Bank(*next).ExpectedOpening = 0;
    Bank(*next).ActualOpening = 0;
    CBank reset; // uncalculated: its balances start from zero as after clearing
    reset.ExpectedOpening = 1000;
    reset.ActualOpening = 3000;
    reset.ResetToActual[11] = true;
    Item::CalculateBank(reset, *year, next.get(), interest, otherIncome, netCash, bankTotal);
    EXPECT_EQ(Bank(*next).ExpectedOpening, 3000);
}

TEST_F(BankCalculation, ResetToActualWithinTheYear) {
    bank.ExpectedOpening = 1000;
    bank.ActualOpening = 3000;
    bank.ResetToActual[0] = true;
    Run();
    EXPECT_EQ(bank.ExpectedBalance[1], 3000);
    EXPECT_EQ(bankTotal.Expected[0], 1000); // the month's own closing figure stays
}

TEST_F(BankCalculation, FinancialYearStartsAtItsStartMonth) {
    year->startMonth = 3;
    bank.ExpectedOpening = 100;
    netCash.Expected[2] = 1; // March, the last month
    Run(true);
    EXPECT_EQ(bank.ExpectedBalance[3], 100);
    EXPECT_EQ(bank.ExpectedBalance[0], 100); // January, after December
    EXPECT_EQ(bankTotal.Expected[2], 101);
    EXPECT_EQ(Bank(*next).ExpectedOpening, 101);
}

TEST_F(BankCalculation, ExtremeBalancesAreClampedNotUndefined) {
    constexpr Amount kMax = std::numeric_limits<Amount>::max();
    constexpr Amount kMin = std::numeric_limits<Amount>::min();
    bank.ExpectedOpening = kMin;
    bank.ExpectedOdLimit[0] = kMin;
    bank.OdRateWithin[0] = kMax;
    bank.OdRateBeyond[0] = kMax;
    Run();
    // overdrawn 2^63 (beyond 64 bits); within = limit = -2^63; beyond = 2^64;
    // -2^63 × (2^63 - 1) + 2^64 × (2^63 - 1) = 2^63 × (2^63 - 1) > 0, far beyond: clamped
    EXPECT_EQ(bank.ExpectedOdInterest[0], kMax);
    // The closing balance min - max saturates at the least amount.
    EXPECT_EQ(bankTotal.Expected[0], kMin);
}

TEST(OverdraftInterest, SplitsAndSigns) {
    // 1 500.00 overdrawn, 1 000.00 limit, 12 % and 20 %: 18.33
    EXPECT_EQ(Item::OverdraftInterest(-150000, 100000, 1200, 2000), 1833);
    // Within the limit only the lower rate: trunc(50000 × 1200 × 8.333333333333334e-6) = 500
    EXPECT_EQ(Item::OverdraftInterest(-50000, 100000, 1200, 2000), 500);
}
