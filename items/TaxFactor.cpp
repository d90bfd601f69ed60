#include "items/TaxFactor.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/ClampToInt.h"
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
    return LinkedTaxFactor(item, company,
                  [&](const Database::CTaxSetup& setup, int, std::int32_t r, Amount& value) {
                      const Database::CTaxRate* rate = setup.Rate(r);
                      if (rate == nullptr)
                          return false;
                      value = rate->RateInEffect(calendarYear, calendarMonth);
                      return true;
                  });
}

} // namespace Item
