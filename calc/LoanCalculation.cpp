#include "calc/LoanCalculation.h"

#include <algorithm>

#include "calc/ItemCalculation.h"
#include "core/Months.h"
#include "database/CYear.h"
#include "items/CItem.h"
#include "items/CLoan.h"

namespace Item {

namespace {

// 1/120000 as a double: a rate in hundredths of a percent point per year, per month.
constexpr double kMonthlyRate = 8.333333333333334e-6;

// The month's closing figure: balance + advances + interest − payments + adjustments.
Amount Closing(Amount balance, Amount advances, Amount interest, Amount payments,
               Amount adjustments) {
    Amount result = SaturatingAdd(balance, advances);
    result = SaturatingAdd(result, interest);
    result = SaturatingSub(result, payments);
    return SaturatingAdd(result, adjustments);
}

void Post(MonthAmounts& into, int m, Amount value) {
    into[m] = SaturatingAdd(into[m], value);
}

} // namespace

void CalculateLoan(CLoan& loan, const Database::CYear& year, CLoan* next,
                   const LoanTotals& totals) {
    if (loan.IsHidden())
        return;

    const YearSpan span = SpanOf(year);
    const int s = span.start;
    loan.ExpectedBalance[s] = loan.ExpectedOpening;
    loan.ActualBalance[s] = loan.ActualOpening;

    for (int i = s; i <= span.Last(); ++i) {
        const int m = i % 12;

        // No test of sign: a negative balance accrues negative interest.
        loan.ExpectedInterest[m] = TruncToAmount(static_cast<double>(loan.ExpectedBalance[m]) *
                                                 kMonthlyRate * static_cast<double>(loan.Rate[m]));

        // A payment covers the month's interest first.
        loan.ExpectedInterestPaid[m] = std::min(loan.ExpectedPayments[m], loan.ExpectedInterest[m]);
        loan.ExpectedPrincipalPaid[m] =
            SaturatingSub(loan.ExpectedPayments[m], loan.ExpectedInterestPaid[m]);
        loan.ActualInterestPaid[m] = std::min(loan.ActualPayments[m], loan.ActualInterest[m]);
        loan.ActualPrincipalPaid[m] =
            SaturatingSub(loan.ActualPayments[m], loan.ActualInterestPaid[m]);

        const Amount actualResult =
            year.display.ActualMonth(m)
                ? Closing(loan.ActualBalance[m], loan.ActualAdvances[m], loan.ActualInterest[m],
                          loan.ActualPayments[m], loan.ActualAdjustments[m])
                : loan.ActualBalance[m];
        const Amount expectedResult =
            year.display.ExpectedMonth(m)
                ? Closing(loan.ExpectedBalance[m], loan.ExpectedAdvances[m],
                          loan.ExpectedInterest[m], loan.ExpectedPayments[m],
                          loan.ExpectedAdjustments[m])
                : loan.ExpectedBalance[m];

        if (i < span.Last()) {
            const int n = (i + 1) % 12;
            loan.ActualBalance[n] = SaturatingAdd(loan.ActualBalance[n], actualResult);
            loan.ExpectedBalance[n] = loan.ResetToActual[m]
                                          ? loan.ActualBalance[n]
                                          : SaturatingAdd(loan.ExpectedBalance[n], expectedResult);
        } else if (next != nullptr) {
            next->ActualOpening = SaturatingAdd(next->ActualOpening, actualResult);
            next->ExpectedOpening = loan.ResetToActual[m]
                                        ? next->ActualOpening
                                        : SaturatingAdd(next->ExpectedOpening, expectedResult);
        }

        Post(totals.advances.Expected, m, loan.ExpectedAdvances[m]);
        Post(totals.advances.Actual, m, loan.ActualAdvances[m]);
        Post(totals.interest.Expected, m, loan.ExpectedInterestPaid[m]);
        Post(totals.interest.Actual, m, loan.ActualInterestPaid[m]);
        Post(totals.principal.Expected, m, loan.ExpectedPrincipalPaid[m]);
        Post(totals.principal.Actual, m, loan.ActualPrincipalPaid[m]);
        Post(totals.own.Expected, m, expectedResult);
        Post(totals.own.Actual, m, actualResult);
    }
}

} // namespace Item
