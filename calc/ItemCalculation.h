#pragma once

#include "core/Amount.h"
#include "database/YearSpan.h"

namespace Database {
class CCompany;
class CYear;
} // namespace Database

namespace Item {

class CItem;
class YearCalendar;

// The calculations walk the months of the year's span.
using Database::SpanOf;
using Database::YearSpan;

// A figure divided by a tax factor, truncated toward zero (a zero factor gives the clamped
// quotient rather than a division by zero).
Amount DivideByFactor(Amount value, double factor);

// The per-year calculation of an ordinary row: derives the Expected figures of its percentage
// months, adds the row into its category total and posts its tax into the year's tax summaries.
// A hidden row does nothing. `previous` is the row at the same place in the previous year, or
// none.
void CalculateItem(CItem& row, bool exclusive, const Database::CCompany& company,
                   Database::CYear& year, CItem& totalIncome, CItem& categoryTotal,
                   const CItem* previous);
// The same with the year's calendar, which the driver keeps for all the rows of a year.
void CalculateItem(CItem& row, bool exclusive, Database::CYear& year, YearCalendar& calendar,
                   CItem& totalIncome, CItem& categoryTotal, const CItem* previous);

} // namespace Item
