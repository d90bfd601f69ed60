#include "calc/ItemCalculation.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "calc/YearCalendar.h"
#include "core/Months.h"
#include "database/CCompany.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "items/CItem.h"
#include "items/CTaxSum.h"
#include "items/TaxFactor.h"

namespace Item {

namespace {

constexpr Amount kMax = std::numeric_limits<Amount>::max();
constexpr Amount kMin = std::numeric_limits<Amount>::min();

// Percentages and tax rates are held in hundredths of a percent point.
constexpr double kPercentFactor = 0.0001;

// Adds a row's twelve figures into an accumulator.
void AddMonths(MonthAmounts& into, const MonthAmounts& from) {
#pragma GCC unroll 12
    for (int m = 0; m < kMonths; ++m)
        into[m] = SaturatingAdd(into[m], from[m]);
}

} // namespace

Amount DivideByFactor(Amount value, double factor) {
    if (factor == 0.0) {
        if (value == 0)
            return 0;
        return value > 0 ? kMax : kMin;
    }
    return TruncToAmount(static_cast<double>(value) / factor);
}

void CalculateItem(CItem& row, bool exclusive, const Database::CCompany& company,
                   Database::CYear& year, CItem& totalIncome, CItem& categoryTotal,
                   const CItem* previous) {
    YearCalendar calendar(year, company);
    CalculateItem(row, exclusive, year, calendar, totalIncome, categoryTotal, previous);
}

void CalculateItem(CItem& row, bool exclusive, Database::CYear& year, YearCalendar& calendar,
                   CItem& totalIncome, CItem& categoryTotal, const CItem* previous) {
    if (row.IsHidden())
        return;

    // Percentage months. The base is read before this row adds into the totals, so an Income
    // row taking a share of Total Income sees only the Income rows before it.
    for (int m = 0; m < kMonths; ++m) {
        const Amount* base = nullptr;
        switch (row.RuleOf(m)) {
        case PercentRule::Entered:
            continue;
        case PercentRule::OfTotalIncome:
            base = &totalIncome.Expected[m];
            break;
        case PercentRule::OfPreviousExpected:
            base = previous ? &previous->Expected[m] : nullptr;
            break;
        case PercentRule::OfPreviousActual:
            base = previous ? &previous->Actual[m] : nullptr;
            break;
        }
        row.Expected[m] = base ? MulTrunc(*base, row.Percent[m], kPercentFactor) : 0;
    }

    AddMonths(categoryTotal.Expected, row.Expected);
    AddMonths(categoryTotal.Actual, row.Actual);

    // Net figures: inclusive figures have their tax divided out month by month, with the rates
    // in effect in each calendar month.
    MonthAmounts netExpected = row.Expected;
    MonthAmounts netActual = row.Actual;
    if (!exclusive) {
        for (int k = 0; k < kMonths; ++k) {
            const int q = calendar.Month(k).month;
            const double s = TaxFactor(row, calendar, k);
            netActual[q] = DivideByFactor(row.Actual[q], s);
            netExpected[q] = DivideByFactor(row.Expected[q], s);
        }
    }

    // Tax amounts, setup by setup; a compound setup also taxes the taxes of the setups before it.
    MonthAmounts taxedExpected{};
    MonthAmounts taxedActual{};
    const Database::CCompany& company = calendar.Company();
    const std::size_t links =
        std::min<std::size_t>(row.TaxLinks.size(), std::numeric_limits<int>::max());
    for (std::size_t link = 0; link < links; ++link) {
        const int e = static_cast<int>(link);
        auto* summary = RowAs<CTaxSum>(year.FindItem(kTax, e));
        const std::int32_t r = row.TaxLinks[link];
        if (summary == nullptr || r < 0)
            continue;
        const Database::CTaxSetup* setup = company.TaxSetup(e);
        if (setup == nullptr)
            continue;
        // The rate's value in effect in each financial month; none when the rate is missing.
        const MonthAmounts* rates = calendar.RatesInEffect(e, r);
        if (rates == nullptr)
            continue;
        const bool compound = setup->Compound;
        const bool onSales = row.TaxSide >= 1;
        MonthAmounts& postedActual = onSales ? summary->ActualOnSales : summary->ActualOnExpenses;
        MonthAmounts& postedExpected =
            onSales ? summary->ExpectedOnSales : summary->ExpectedOnExpenses;
        for (int n = 0; n < kMonths; ++n) {
            const Amount v = (*rates)[static_cast<std::size_t>(n)];
            // A zero rate (a zero-rated or exempt supply) taxes nothing and posts only zeros.
            if (v == 0)
                continue;
            const int q = calendar.Month(n).month;
            Amount taxActual = 0;
            Amount taxExpected = 0;
            if (compound) {
                taxActual =
                    MulTrunc(SaturatingAdd(netActual[q], taxedActual[q]), v, kPercentFactor);
                taxExpected =
                    MulTrunc(SaturatingAdd(netExpected[q], taxedExpected[q]), v, kPercentFactor);
            } else {
                taxActual = MulTrunc(netActual[q], v, kPercentFactor);
                taxExpected = MulTrunc(netExpected[q], v, kPercentFactor);
            }
            taxedActual[q] = SaturatingAdd(taxedActual[q], taxActual);
            taxedExpected[q] = SaturatingAdd(taxedExpected[q], taxExpected);
            postedActual[q] = SaturatingAdd(postedActual[q], taxActual);
            postedExpected[q] = SaturatingAdd(postedExpected[q], taxExpected);
        }
    }
}

} // namespace Item
