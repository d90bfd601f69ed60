#pragma once

namespace Database {
class CYear;
} // namespace Database

namespace Item {

class CItem;
class CLoan;

// The totals a loan or investment posts to. Loans: advances to Capital Receipts, interest paid
// to Interest, principal to Capital Payments, balances to Loans. Investments: deposits to Capital
// Payments, interest received to Other Income, withdrawn principal to Capital Receipts, balances
// to Investments.
struct LoanTotals {
    CItem& advances;
    CItem& interest;
    CItem& principal;
    CItem& own;
};

// The calculation of one loan or investment for one year: balances, Expected interest, the
// split of each payment into interest and principal, and the closing figures carried into the
// next year's row (`next`, or none). A hidden row does nothing.
void CalculateLoan(CLoan& loan, const Database::CYear& year, CLoan* next, const LoanTotals& totals);

} // namespace Item
