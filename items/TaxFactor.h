#pragma once

namespace Database {
class CCompany;
class CYear;
} // namespace Database

namespace Item {

class CItem;
class YearCalendar;

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
// The same factor in financial month k of the calendar's year, with its company's rates.
double TaxFactor(const CItem& item, YearCalendar& calendar, int k);

} // namespace Item
