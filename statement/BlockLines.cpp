#include "statement/BlockLines.h"

#include "items/CBank.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"

namespace Statement {
namespace {

BlockLine Pick(Text words, const MonthAmounts& actual, const MonthAmounts& expected, int sign = 1) {
    BlockLine line;
    line.words = std::move(words);
    line.actual = &actual;
    line.expected = &expected;
    line.sign = sign;
    return line;
}

} // namespace

BlockLine LoanLine(const Item::CLoan& loan, LineKind kind, BlockWording wording) {
    const bool loanWords = wording.loan;
    switch (kind) {
    case LineKind::BalanceOpening: {
        BlockLine line = Pick(u"Opening Balance", loan.ActualBalance, loan.ExpectedBalance);
        line.totalMode = TotalMode::FirstMonth;
        return line;
    }
    case LineKind::BalanceAdvances:
        return Pick(loanWords ? (wording.basic ? u"Advance" : u"Advances") : u"Deposits",
                    loan.ActualAdvances, loan.ExpectedAdvances);
    case LineKind::BalanceInterest:
        return Pick(u"Interest", loan.ActualInterest, loan.ExpectedInterest);
    case LineKind::BalancePayments:
        return Pick(loanWords ? u"Payments" : u"Withdrawals", loan.ActualPayments,
                    loan.ExpectedPayments, -1);
    case LineKind::BalanceAdjustments:
        return Pick(u"Adjustments", loan.ActualAdjustments, loan.ExpectedAdjustments);
    case LineKind::CashAdvance:
        return Pick((loanWords ? u"Advance " : u"Deposits ") + loan.name, loan.ActualAdvances,
                    loan.ExpectedAdvances);
    case LineKind::CashInterest:
        return Pick(u"Interest " + loan.name, loan.ActualInterestPaid, loan.ExpectedInterestPaid);
    case LineKind::CashPrincipal:
        return Pick((loanWords ? u"Principal " : u"Withdrawals ") + loan.name,
                    loan.ActualPrincipalPaid, loan.ExpectedPrincipalPaid);
    default: break;
    }
    BlockLine line;
    line.words = loan.name;
    return line;
}

BlockLine TaxLine(const Item::CTaxSum& tax, LineKind kind, bool figuresExcludeTax, bool basic) {
    BlockLine line;
    switch (kind) {
    case LineKind::TaxOnSales:
        line = Pick(u"on Sales", tax.ActualOnSales, tax.ExpectedOnSales);
        line.suppressed = !figuresExcludeTax;
        break;
    case LineKind::TaxOnExpenses:
        line = Pick(basic ? u"on Expense" : u"on Expenses", tax.ActualOnExpenses,
                    tax.ExpectedOnExpenses, -1);
        line.suppressed = !figuresExcludeTax;
        break;
    case LineKind::TaxPayments:
        line = Pick(u"Payments", tax.ActualPayments, tax.ExpectedPayments, -1);
        break;
    case LineKind::TaxRefunds: line = Pick(u"Refunds", tax.ActualRefunds, tax.ExpectedRefunds); break;
    case LineKind::TaxAdjustments:
        line = Pick(u"Adjustments", tax.ActualAdjustments, tax.ExpectedAdjustments);
        break;
    default: line.words = tax.name; break;
    }
    return line;
}

BlockLine BankLine(const Item::CBank& bank, LineKind kind, bool basic) {
    BlockLine line;
    switch (kind) {
    case LineKind::BankCrInterest:
        line = Pick(u"CR Interest " + bank.name, bank.ActualCrInterest, bank.ExpectedCrInterest);
        line.suppressed = bank.NoCrInterest;
        break;
    case LineKind::BankOdInterest:
        line = Pick(u"O/D Interest " + bank.name, bank.ActualOdInterest, bank.ExpectedOdInterest);
        line.suppressed = bank.NoOdInterest;
        break;
    case LineKind::BankOpening:
        line = Pick(u"Opening Balance", bank.ActualBalance, bank.ExpectedBalance);
        line.totalMode = TotalMode::FirstMonth;
        break;
    case LineKind::BankMovement: line.showPercentage = false; break;
    case LineKind::BankAdjustments:
        line = Pick(basic ? u"Adjustment" : u"Adjustments", bank.ActualAdjustments,
                    bank.ExpectedAdjustments);
        break;
    case LineKind::BankOdLimit:
        line = Pick(u"O/D Limit", bank.ActualOdLimit, bank.ExpectedOdLimit);
        line.totalMode = TotalMode::None;
        line.suppressed = bank.NoOdLimit;
        break;
    default: line.words = bank.name; break;
    }
    return line;
}

void Feed(MonthAmounts& total, const MonthAmounts& values, int sign) {
    for (int m = 0; m < kMonths; ++m)
        total[m] = SaturatingAdd(total[m], SaturatingTimes(values[m], sign));
}

MonthAmounts Signed(const MonthAmounts& values, int sign) {
    MonthAmounts shown = values;
    if (sign < 0)
        for (Amount& value : shown)
            value = SaturatingNegate(value);
    return shown;
}

} // namespace Statement
