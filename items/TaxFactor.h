#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "core/Amount.h"
#include "database/CCompany.h"
#include "database/CTaxSetup.h"
#include "items/CItem.h"

namespace Database {
class CYear;
} // namespace Database

namespace Item {

// A calendar month and the calendar year it falls in.
struct CalendarMonth {
    int year = 0;
    int month = 0;
};

// The calendar month of financial month k (0-11) of a year: month (start + k) mod 12 of year
// number − (1 when the year runs past December) + (start + k) div 12. Stored start months and
// counts outside their ranges still give a month 0-11, never an overflow.
CalendarMonth FinancialMonth(const Database::CYear& year, int k);

// The factor that separates a row's tax from its tax-inclusive figure in one calendar month:
// over the row's tax links, 1 + v × 0.0001 multiplies for a compound setup, v × 0.0001 adds for
// a simple one (v the rate in effect). Links to a missing setup or rate count as none.
double TaxFactor(const CItem& item, const Database::CCompany& company, int calendarYear,
                 int calendarMonth);

// The factor over the item's links, whoever says which rate is in effect: `valueOf(setup, setup
// index, rate index, value)` gives the rate's value, or false when the setup has no such rate
// (the link then counts as none).
template <class ValueOf>
double LinkedTaxFactor(const CItem& item, const Database::CCompany& company, ValueOf valueOf) {
    double s = 1.0;
    const std::size_t links =
        std::min<std::size_t>(item.TaxLinks.size(), std::numeric_limits<int>::max());
    for (std::size_t i = 0; i < links; ++i) {
        const std::int32_t r = item.TaxLinks[i];
        if (r < 0)
            continue;
        const int e = static_cast<int>(i);
        const Database::CTaxSetup* setup = company.TaxSetup(e);
        if (setup == nullptr)
            continue;
        Amount value = 0;
        if (!valueOf(*setup, e, r, value))
            continue;
        const double v = static_cast<double>(value);
        if (setup->Compound)
            s = s * (1 + v * 0.0001);
        else
            s = s + v * 0.0001;
    }
    return s;
}

} // namespace Item
