#pragma once

#include "core/Amount.h"
#include "core/Months.h"
#include "core/WideText.h"
#include "statement/LineKind.h"

namespace Item {
class CBank;
class CLoan;
class CTaxSum;
} // namespace Item

namespace Statement {

// One line of a bank, loan, investment or tax block, or one of their cash lines: the words it
// reads, the monthly arrays it shows (none for a line that names its row only), the sign its
// figures are shown and totalled with, how its Total column forms, and whether the row's own
// switches leave it out. Every edition reads its blocks through these, so a line reads the same
// wherever it is drawn; each edition indents and words the labels its own way.
struct BlockLine {
    Text words;
    const MonthAmounts* actual = nullptr;
    const MonthAmounts* expected = nullptr;
    int sign = 1;
    TotalMode totalMode = TotalMode::SumOfMonths;
    bool showPercentage = true;
    bool suppressed = false;

    bool HasFigures() const { return actual != nullptr && expected != nullptr; }
};

// How a block names its lines: a loan's words or an investment's ("Advances" or "Deposits"),
// and the Basic statement's singular "Advance" for the balance line.
struct BlockWording {
    bool loan = true;
    bool basic = false;
};

// Lines of a loan or investment: the balance lines (opening, advances, interest, payments,
// adjustments) read just their words ("Opening Balance"); the cash lines read their words
// followed by the row's name ("Interest Bank Loan"); any other kind reads the name.
BlockLine LoanLine(const Item::CLoan& loan, LineKind kind, BlockWording wording);
// Lines of a tax summary; `figuresExcludeTax` false leaves out the tax on sales and expenses.
BlockLine TaxLine(const Item::CTaxSum& tax, LineKind kind, bool figuresExcludeTax,
                  bool basic = false);
// Lines of a bank: its interest lines (after the bank's name), opening balance, adjustments and
// overdraft limit, each left out as the bank's own switches say.
BlockLine BankLine(const Item::CBank& bank, LineKind kind, bool basic = false);

// Adds a line's figures into a running total by calendar month, with the line's sign: this is
// how every total of every edition is fed, so a line shown negative takes its amount off.
void Feed(MonthAmounts& total, const MonthAmounts& values, int sign);

// The figures a line shows: its values times its sign.
MonthAmounts Signed(const MonthAmounts& values, int sign);

} // namespace Statement
