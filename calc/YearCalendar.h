#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Months.h"
#include "items/TaxFactor.h"

namespace Database {
class CCompany;
class CYear;
} // namespace Database

namespace Item {

// What the row calculations of one company year share: the calendar month of each financial
// month, and the values the company's tax rates have in effect in them. Every row of a year
// links to the same few rates, so each rate is looked up once a year rather than once per row,
// link and month. Holds nothing past the year's calculation: rates are read afresh each time.
class YearCalendar {
public:
    YearCalendar(const Database::CYear& year, const Database::CCompany& company);

    const Database::CCompany& Company() const { return company_; }

    // The calendar month of financial month k (0-11).
    const CalendarMonth& Month(int k) const { return months_[static_cast<std::size_t>(k)]; }

    // The value of rate `rateIndex` of tax setup `setupIndex` in effect in each financial
    // month, or none when the company has no such setup or the setup no such rate.
    const MonthAmounts* RatesInEffect(int setupIndex, std::int32_t rateIndex);

private:
    struct Entry {
        bool known = false;
        MonthAmounts values{};
    };

    const Database::CCompany& company_;
    std::array<CalendarMonth, kMonths> months_{};
    // By setup, then by rate; a setup's list is sized to its rates when first asked for.
    std::vector<std::vector<Entry>> entries_;
};

// The tax factor of a row in financial month k of the calendar's year, with its company's rates.
double TaxFactor(const CItem& item, YearCalendar& calendar, int k);

} // namespace Item
