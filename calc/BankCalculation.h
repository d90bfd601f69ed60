#pragma once

#include "core/Amount.h"

namespace Database {
class CYear;
} // namespace Database

namespace Item {

class CBank;
class CItem;

// The bank calculation of one year: the month-by-month balances from the year's Net Cash
// Movement, the Expected credit and overdraft interest, the closing balances in the Bank A/C
// total and the interest in the Interest and Other Income totals. The last month's closing
// figures open the next year's bank row when `next` holds one. Runs whether the row is hidden
// or not.
void CalculateBank(CBank& bank, const Database::CYear& year, Database::CYear* next, CItem& interest,
                   CItem& otherIncome, const CItem& netCash, CItem& bankTotal);

// One month's overdraft interest on an overdrawn amount: the part up to the limit at one rate,
// the part beyond it at the other.
Amount OverdraftInterest(Amount balance, Amount limit, Amount rateWithin, Amount rateBeyond);

} // namespace Item
