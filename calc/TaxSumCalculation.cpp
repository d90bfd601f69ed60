#include "calc/TaxSumCalculation.h"

#include <algorithm>
#include <cstdint>

#include "calc/ItemCalculation.h"
#include "core/Months.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "items/CItem.h"
#include "items/CTaxSum.h"

namespace Item {

namespace {

void Post(MonthAmounts& into, int m, Amount value) {
    into[m] = SaturatingAdd(into[m], value);
}

} // namespace

void CalculateTaxSum(CTaxSum& row, bool exclusive, const Database::CYear& year,
                     const Database::CTaxSetup* setup, CTaxSum* next, CItem& taxTotal) {
    if (row.IsHidden() || setup == nullptr)
        return;

    // A period shorter than a month would never end, and a negative delay would settle into a
    // month whose Tax total is already formed.
    const std::int64_t length = std::max<std::int32_t>(setup->PeriodLength, 1);
    const std::int64_t delay = std::max<std::int32_t>(setup->PaymentDelay, 0);

    const YearSpan span = SpanOf(year);
    const std::int64_t last = span.Last();

    // The first period end on the year's month scale (it may be negative). Computed rather than
    // stepped, so that a stored start far from 0-11 costs no loop.
    std::int64_t end = std::int64_t{setup->PeriodStart} - 1;
    if (end >= 0)
        end %= length;

    for (int i = span.start; i <= last; ++i) {
        const int m = i % 12;

        if (end < i)
            end += (i - end + length - 1) / length * length;
        const std::int64_t settlement = end + delay;

        CTaxSum* target = settlement <= last ? &row : next;
        if (target != nullptr) {
            const int t = static_cast<int>(settlement % 12);
            const bool fromActual = row.ExpectedFromActual[m];
            Post(target->ExpectedPayments, t,
                 fromActual ? row.ActualOnSales[m] : row.ExpectedOnSales[m]);
            Post(target->ExpectedRefunds, t,
                 fromActual ? row.ActualOnExpenses[m] : row.ExpectedOnExpenses[m]);
            Post(target->ActualPayments, t, row.ActualOnSales[m]);
            Post(target->ActualRefunds, t, row.ActualOnExpenses[m]);
        }

        if (exclusive) {
            Post(taxTotal.Expected, m,
                 SaturatingSub(row.ExpectedOnSales[m], row.ExpectedOnExpenses[m]));
            Post(taxTotal.Actual, m, SaturatingSub(row.ActualOnSales[m], row.ActualOnExpenses[m]));
        }
        Post(taxTotal.Expected, m,
             SaturatingSub(SaturatingAdd(row.ExpectedRefunds[m], row.ExpectedAdjustments[m]),
                           row.ExpectedPayments[m]));
        Post(taxTotal.Actual, m,
             SaturatingSub(SaturatingAdd(row.ActualRefunds[m], row.ActualAdjustments[m]),
                           row.ActualPayments[m]));
    }
}

} // namespace Item
