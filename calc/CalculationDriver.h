#pragma once

namespace Item {
class CItem;
} // namespace Item

namespace Database {

class CCompany;
class CPERT;
class CTabView;
class CYear;

// Recalculates every figure of a view (the calculation driver). A missing company, year or row
// ends the view's calculation; the work done stays.
void Calculate(CTabView& view);

// Runs the calculation of every view of the forecast, in list order.
void Recalculate(CPERT& root);

// Pieces of the calculation driver, each a pure function of the tree.

// The total row of a year at an index 0-17; fails with "Not Found" when it is missing or is not
// an ordinary row.
Item::CItem& TotalRow(const CYear& year, int index);

// The year's income totals: the Income total's figures summed over the months that count.
void RecountIncomeTotals(CYear& year);

// Forms the derived totals again from the others: Gross Surplus, the three Net Surplus lines,
// Net Movement Before Tax and Net Cash Movement.
void FormDerivedTotals(CYear& year);

// Calculates one year of a real company: clears the totals, runs the row calculations category
// by category, forms the derived totals, runs the bank and forms them again. `previous` and
// `next` are the company's neighbouring years, or none.
void CalculateYear(CYear& year, const CYear* previous, CYear* next, const CCompany& company,
                   bool exclusive);

} // namespace Database
