#include "calc/YearCalendar.h"

#include <cstddef>

#include "database/CCompany.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"

namespace Item {

YearCalendar::YearCalendar(const Database::CYear& year, const Database::CCompany& company)
    : company_(company), entries_(static_cast<std::size_t>(company.TaxSetupCount())) {
    for (int k = 0; k < kMonths; ++k)
        months_[static_cast<std::size_t>(k)] = FinancialMonth(year, k);
}

const MonthAmounts* YearCalendar::RatesInEffect(int setupIndex, std::int32_t rateIndex) {
    const Database::CTaxSetup* setup = company_.TaxSetup(setupIndex);
    if (setup == nullptr)
        return nullptr;
    const Database::CTaxRate* rate = setup->Rate(rateIndex);
    if (rate == nullptr)
        return nullptr;
    // Both indices address existing entries from here on.
    std::vector<Entry>& rates = entries_[static_cast<std::size_t>(setupIndex)];
    if (rates.empty())
        rates.resize(setup->Rates.Count());
    Entry& entry = rates[static_cast<std::size_t>(rateIndex)];
    if (!entry.known) {
        for (int k = 0; k < kMonths; ++k) {
            const CalendarMonth& when = months_[static_cast<std::size_t>(k)];
            entry.values[static_cast<std::size_t>(k)] = rate->RateInEffect(when.year, when.month);
        }
        entry.known = true;
    }
    return &entry.values;
}

double TaxFactor(const CItem& item, YearCalendar& calendar, int k) {
    return LinkedTaxFactor(item, calendar.Company(),
                           [&](const Database::CTaxSetup&, int e, std::int32_t r, Amount& value) {
                               const MonthAmounts* rates = calendar.RatesInEffect(e, r);
                               if (rates == nullptr)
                                   return false;
                               value = (*rates)[static_cast<std::size_t>(k)];
                               return true;
                           });
}

} // namespace Item
