#pragma once

namespace Database {
class CTaxSetup;
class CYear;
} // namespace Database

namespace Item {

class CItem;
class CTaxSum;

// The tax summary calculation of one year: moves each month's tax on sales and on expenses into
// the Payments and Refunds of the month its tax period is settled in (in `next`, the next
// year's summary, when that month lies beyond this year; dropped when there is none), and adds
// the cash movement to the Tax total. A hidden row, or one without a setup, does nothing.
void CalculateTaxSum(CTaxSum& row, bool exclusive, const Database::CYear& year,
                     const Database::CTaxSetup* setup, CTaxSum* next, CItem& taxTotal);

} // namespace Item
