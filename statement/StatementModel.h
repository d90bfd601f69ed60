#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Months.h"
#include "core/WideText.h"
#include "document/Edition.h"
#include "statement/StatementSection.h"
namespace Database {
class CPERT;
class CTabView;
class CScenario;
class CCompany;
class CYear;
} // namespace Database

namespace Statement {

// What one Standard or Basic statement shows, once the selection has been checked: the view,
// scenario, company and year (none when the graphs page is selected).
struct StatementSelection {
    const Database::CTabView* view = nullptr;
    const Database::CScenario* scenario = nullptr;
    const Database::CCompany* company = nullptr;
    const Database::CYear* year = nullptr;
    int scenarioCount = 0; // real entries
    int companyCount = 0;
    int yearCount = 0;
    int yearIndex = 0;
    bool graphsPage = false;

    // False when there is nothing to draw at all (no real scenario or company).
    bool Drawable() const { return company != nullptr; }
};

// Checks the three selections against the first view: -1 stands for a combined entry, a year
// equal to the year count for the graphs page; any index out of range resets all three to 0,
// once. The Basic edition always shows the first scenario's first company. The indices are
// updated in place.
StatementSelection ResolveStatementSelection(const Database::CPERT& root, Edition edition,
                                             int& scenario, int& company, int& year);

// One line of the statement, in drawing order. Figures are those the line shows, after its
// sign, indexed by calendar month.
struct StatementLine {
    enum class Kind {
        Heading,     // section heading, black, no figures
        Item,        // item, tax, bank and balance-block lines, grey
        Name,        // the name above an investment's or loan's balance block, grey, no figures
        Total,       // section total rows, black, ruled above
        BlockTotal,  // "   Closing Balance", grey, ruled above
        BankBalance, // "Closing Bank Balance": red where beyond the overdraft limit, ruled above
        Limit,       // "O/D Limit", black
        Surplus,     // blue
        Spacer,      // one empty row after a total or surplus line
        Hidden,      // a hidden or missing row: takes no space, draws nothing
    };

    Kind kind = Kind::Item;
    Text label;
    Text taxCode;
    StatementSection section = StatementSection::Income;
    // The focusable row of the section this line belongs to, or -1.
    int row = -1;
    // On the first line of a focusable row: how many lines the row spans (its highlight).
    int blockLines = 0;
    // While printing: the rows that must fit below this line on the page, or it moves on.
    int keepRows = 0;
    MonthAmounts values{};
    Amount total = 0;
    std::optional<Amount> percent;
    // BankBalance: months (and the total) below the negated overdraft limit.
    MonthFlags beyondLimit{};
    bool totalBeyondLimit = false;

    bool HasFigures() const;
    // Drawn with the lines along its top edge.
    bool Ruled() const;
    // Occupies one row pitch (every kind but Hidden).
    bool TakesSpace() const { return kind != Kind::Hidden; }
};

// The statement of one year: its lines and what the columns need to know.
struct StatementModel {
    int startMonth = 0; // calendar month of the first column
    int span = 12;      // months shown
    int lastMonth = 11; // calendar month of the last column
    long long firstYear = 0; // calendar year of the first column
    bool taxExclusive = true;
    bool percentColumn = true;
    bool cents = true;
    bool brackets = true;
    bool hasTaxSetup = false;
    Text taxName;
    Amount incomeBase = 0;
    std::vector<StatementLine> lines;
    // Focusable rows of each section (0 for a section that is not drawn).
    PerSection<int> sectionRows{};
    // The running movement once each section is done, drawn or not: what a surplus line after it
    // shows, also where the statement draws none (the graphs plot it every year).
    PerSection<MonthAmounts> movementAfter{};
    int hiddenRowCount = 0;

    // The calendar month shown at display position 0-11.
    int MonthAt(int position) const { return (startMonth + position) % kMonths; }
    // Whether a calendar month lies in the year's span.
    bool InSpan(int month) const;
};

// Builds the statement of the selected year from the freshly calculated forecast. Without a
// selected year (the graphs page, nothing drawable) the statement has no lines.
StatementModel BuildStatementModel(const Database::CPERT& root, const StatementSelection& selection,
                                   Edition edition);

// How many statements of any edition this process has built: a view whose statement is current
// builds none to repaint, copy or answer a screen reader. Each builder counts itself in.
std::uint64_t StatementsBuilt();
void CountStatementBuilt();

} // namespace Statement
