#pragma once

#include "core/Months.h"
#include "database/CDisplaySettings.h"
#include "database/YearSpan.h"

namespace Database {
class CYear;
} // namespace Database

namespace Statement {

struct AdvEntry;

// What the lines and child totals before a total fed it, by calendar month: true sums in every
// month of the year's span, whatever the display flags (which decide only what is drawn and
// what the Total column sums).
struct TotalFeed {
    MonthAmounts actual{};
    MonthAmounts expected{};

    // Adds (direction +1) or takes off (-1) the figures of the months in the span.
    void Add(const MonthAmounts& actualValues, const MonthAmounts& expectedValues, int direction,
             const Database::YearSpan& span);
};

// A variance: Actual less Expected, the statement's and its graphs' one rule.
inline Amount VarianceOf(Amount actual, Amount expected) {
    return SaturatingSub(actual, expected);
}

// Whether sub-column k (Database::SubColumn) of calendar month m is drawn, and whether the month
// counts towards the Total column (drawn, or all months included).
bool MonthShown(const Database::CDisplaySettings& display, Database::SubColumn k, int m);
bool MonthCounted(const Database::CDisplaySettings& display, Database::SubColumn k, int m);

// A line's figures: its monthly arrays times its sign in the months of the year's span whose
// sub-column is drawn, the variance of the months counted, the totals by its total mode and
// the percentages of the year's income totals.
void FormLineFigures(AdvEntry& entry, const MonthAmounts& actual, const MonthAmounts& expected,
                     int sign, const Database::CYear& year);
// A total's figures from what was fed to it, in all twelve display positions.
void FormTotalFigures(AdvEntry& entry, const TotalFeed& feed, const Database::CYear& year);

} // namespace Statement
