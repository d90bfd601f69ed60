#include "items/TaxFactor.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "calc/YearCalendar.h"
#include "database/CCompany.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "items/CItem.h"

namespace Item {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The factor over the item's links; `valueOf(setup, setup index, rate index, value)` gives the
// rate in effect, or false when the setup has no such rate (the link then counts as none).
template <class ValueOf>
double Factor(const CItem& item, const Database::CCompany& company, ValueOf valueOf) {
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

} // namespace

CalendarMonth FinancialMonth(const Database::CYear& year, int k) {
    const std::int64_t position = std::int64_t{year.startMonth} + k;
    const std::int64_t runsPastDecember =
        std::int64_t{year.startMonth} + std::int64_t{year.months} > 12 ? 1 : 0;
    CalendarMonth result;
    result.month = static_cast<int>(position - 12 * FloorDiv(position, 12));
    result.year = ClampToInt(std::int64_t{year.year} - runsPastDecember + FloorDiv(position, 12));
    return result;
}

double TaxFactor(const CItem& item, const Database::CCompany& company, int calendarYear,
                 int calendarMonth) {
    return Factor(item, company,
                  [&](const Database::CTaxSetup& setup, int, std::int32_t r, Amount& value) {
                      const Database::CTaxRate* rate = setup.Rate(r);
                      if (rate == nullptr)
                          return false;
                      value = rate->RateInEffect(calendarYear, calendarMonth);
                      return true;
                  });
}

double TaxFactor(const CItem& item, YearCalendar& calendar, int k) {
    return Factor(item, calendar.Company(),
                  [&](const Database::CTaxSetup&, int e, std::int32_t r, Amount& value) {
                      const MonthAmounts* rates = calendar.RatesInEffect(e, r);
                      if (rates == nullptr)
                          return false;
                      value = (*rates)[static_cast<std::size_t>(k)];
                      return true;
                  });
}

} // namespace Item
