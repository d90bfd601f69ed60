#pragma once

#include <cstdint>

namespace Statement {

// What a statement line shows of its forecast row. Ordinary and total items are Ordinary; the
// others pick one pair of monthly arrays (and a label) of a loan or investment, a tax summary or
// the bank. The numbers are those the layout has always used for them.
enum class LineKind : std::int32_t {
    Ordinary = 0,
    BalanceOpening = 1,     // loan/investment: opening balances, first month as total
    BalanceAdvances = 2,    // advances (loan) or deposits (investment)
    BalanceInterest = 3,    // interest accrued on the balance
    BalancePayments = 4,    // payments (loan) or withdrawals (investment), shown negative
    CashAdvance = 5,        // "Advance <name>" / "Deposits <name>"
    CashInterest = 6,       // "Interest <name>": interest paid in cash
    CashPrincipal = 7,      // "Principal <name>" / "Withdrawals <name>"
    BalanceAdjustments = 8, // adjustments to the balance
    TaxOnSales = 9,
    TaxOnExpenses = 10,
    TaxPayments = 11,
    TaxRefunds = 12,
    TaxAdjustments = 13,
    BankCrInterest = 14,
    BankOdInterest = 15,
    BankOpening = 16,
    BankMovement = 17, // label only
    BankAdjustments = 18,
    BankOdLimit = 19,
};

// How a line or total forms its Total column.
enum class TotalMode : std::int32_t {
    SumOfMonths = 0,
    FirstMonth = 1,
    LastMonth = 2,
    None = 3,
};

} // namespace Statement
