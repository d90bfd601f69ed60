#include <gtest/gtest.h>

#include "calc/LoanCalculation.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "support/ForecastBuilder.h"

using namespace ForecastBuilder;
using Item::CItem;
using Item::CLoan;

namespace {

// A calendar year with its totals; loans post as the driver posts them.
class LoanCalculation : public ::testing::Test {
  protected:
    LoanCalculation() : year(MakeYear(2021)) {
        loan.ExpectedOpening = 1200000; // 12 000.00
        loan.Rate.fill(1000);           // 10 %
    }

    Item::LoanTotals LoanPosting() {
        return {Total(*year, kTotalCapitalReceipts), Total(*year, kTotalInterest),
                Total(*year, kTotalCapitalPayments), Total(*year, kTotalLoans)};
    }
    Item::LoanTotals InvestmentPosting() {
        return {Total(*year, kTotalCapitalPayments), Total(*year, kTotalOtherIncome),
                Total(*year, kTotalCapitalReceipts), Total(*year, kTotalInvestments)};
    }

    std::unique_ptr<Database::CYear> year;
    CLoan loan;
};

} // namespace

TEST_F(LoanCalculation, MonthlyInterestOnTheOpeningBalance) {
    Item::CalculateLoan(loan, *year, nullptr, LoanPosting());
    // trunc(1200000 × 8.333333333333334e-6 × 1000) = 10000
    EXPECT_EQ(loan.ExpectedInterest[0], 10000);
    // Unpaid interest stays on the balance: February accrues on 1210000.
    EXPECT_EQ(loan.ExpectedBalance[1], 1210000);
    EXPECT_EQ(Total(*year, kTotalInterest).Expected[0], 0);
    EXPECT_EQ(Total(*year, kTotalLoans).Expected[0], 1210000);
}

TEST_F(LoanCalculation, PaymentBelowTheInterestIsAllInterest) {
    loan.ExpectedPayments[0] = 6000;
    Item::CalculateLoan(loan, *year, nullptr, LoanPosting());
    EXPECT_EQ(loan.ExpectedInterestPaid[0], 6000);
    EXPECT_EQ(loan.ExpectedPrincipalPaid[0], 0);
    EXPECT_EQ(loan.ExpectedBalance[1], 1204000); // grows by 40.00
    EXPECT_EQ(Total(*year, kTotalInterest).Expected[0], 6000);
    EXPECT_EQ(Total(*year, kTotalCapitalPayments).Expected[0], 0);
}

TEST_F(LoanCalculation, PaymentAboveTheInterestRepaysPrincipal) {
    loan.ExpectedPayments[0] = 50000;
    loan.ActualOpening = 100000;
    loan.ActualInterest[0] = 700;
    loan.ActualPayments[0] = 1000;
    loan.ExpectedAdvances[0] = 25000;
    loan.ActualAdvances[0] = 20000;
    Item::CalculateLoan(loan, *year, nullptr, LoanPosting());
    EXPECT_EQ(loan.ExpectedInterestPaid[0], 10000);
    EXPECT_EQ(loan.ExpectedPrincipalPaid[0], 40000);
    EXPECT_EQ(loan.ActualInterestPaid[0], 700);
    EXPECT_EQ(loan.ActualPrincipalPaid[0], 300);
    // A loan's advance is a capital receipt, its principal a capital payment.
    EXPECT_EQ(Total(*year, kTotalCapitalReceipts).Expected[0], 25000);
    EXPECT_EQ(Total(*year, kTotalCapitalReceipts).Actual[0], 20000);
    EXPECT_EQ(Total(*year, kTotalCapitalPayments).Expected[0], 40000);
    EXPECT_EQ(Total(*year, kTotalCapitalPayments).Actual[0], 300);
    EXPECT_EQ(Total(*year, kTotalInterest).Actual[0], 700);
    // 1200000 + 25000 + 10000 - 50000; Actual 100000 + 20000 + 700 - 1000
    EXPECT_EQ(Total(*year, kTotalLoans).Expected[0], 1185000);
    EXPECT_EQ(Total(*year, kTotalLoans).Actual[0], 119700);
}

TEST_F(LoanCalculation, InvestmentPostsTheOtherWayRound) {
    loan.ExpectedAdvances[0] = 25000; // a deposit
    loan.ExpectedPayments[0] = 50000; // a withdrawal
    Item::CalculateLoan(loan, *year, nullptr, InvestmentPosting());
    EXPECT_EQ(Total(*year, kTotalCapitalPayments).Expected[0], 25000);
    EXPECT_EQ(Total(*year, kTotalOtherIncome).Expected[0], 10000);
    EXPECT_EQ(Total(*year, kTotalCapitalReceipts).Expected[0], 40000);
    EXPECT_EQ(Total(*year, kTotalInvestments).Expected[0], 1185000);
    EXPECT_EQ(Total(*year, kTotalInterest).Expected[0], 0);
}

TEST_F(LoanCalculation, ClosingBalanceOpensTheNextYearsRow) {
    loan.Rate.fill(0);
    loan.ActualOpening = 500;
    loan.ExpectedAdjustments[11] = 3;
    CLoan next;
    Item::CalculateLoan(loan, *year, &next, LoanPosting());
    EXPECT_EQ(next.ExpectedOpening, 1200003);
    EXPECT_EQ(next.ActualOpening, 500);

    CLoan reset;
    reset.ExpectedOpening = 1200000;
    reset.ActualOpening = 500;
    reset.ResetToActual[11] = true;
    CLoan following;
    Item::CalculateLoan(reset, *year, &following, LoanPosting());
    EXPECT_EQ(following.ExpectedOpening, 500);
}

TEST_F(LoanCalculation, MonthsThatDoNotCountKeepTheBalance) {
    year->display.includeHidden = false;
    year->display.showExpected[0] = false;
    loan.ExpectedAdvances[0] = 25000;
    Item::CalculateLoan(loan, *year, nullptr, LoanPosting());
    EXPECT_EQ(loan.ExpectedBalance[1], 1200000); // neither advance nor interest lands
    EXPECT_EQ(Total(*year, kTotalLoans).Expected[0], 1200000);
    EXPECT_EQ(Total(*year, kTotalCapitalReceipts).Expected[0], 25000); // still posted
}

TEST_F(LoanCalculation, HiddenLoanCarriesNothing) {
    loan.SetHidden(true);
    loan.ExpectedAdvances[0] = 25000;
    CLoan next;
    Item::CalculateLoan(loan, *year, &next, LoanPosting());
    EXPECT_EQ(next.ExpectedOpening, 0);
    EXPECT_EQ(Total(*year, kTotalLoans).Expected, MonthAmounts{});
    EXPECT_EQ(Total(*year, kTotalCapitalReceipts).Expected, MonthAmounts{});
    EXPECT_EQ(loan.ExpectedInterest[0], 0);
}

TEST_F(LoanCalculation, NegativeBalanceAccruesNegativeInterest) {
    loan.ExpectedOpening = -1200000;
    Item::CalculateLoan(loan, *year, nullptr, LoanPosting());
    EXPECT_EQ(loan.ExpectedInterest[0], -10000);
}
