#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Amount.h"
#include "database/LayoutKey.h"
#include "statement/AdvFigures.h"
#include "statement/graphs/GraphScale.h"

class CMainDoc;
namespace Database {
class CCompany;
class CGraphSettings;
class CYear;
} // namespace Database

// What the Advanced graphs plot: the eighteen total rows of each year of a company, each as
// Actual, Expected and Variance, switched on per year, per series and per month by the year's
// graph settings at one index. The figures are those of the year's Advanced statement: the
// section totals, summary rows and closing balances that stand for the total rows.
namespace Statement::GraphTotals {

inline constexpr int kKinds = 3;
inline constexpr int kSeries = 18;

// The entry of a [kind][series] table: the settings' switches and colours, the legend's cells.
template <class Grid> auto& Cell(Grid& grid, int kind, int series) {
    return grid[static_cast<std::size_t>(kind)][static_cast<std::size_t>(series)];
}

// The company a graph key addresses (its year and graph levels ignored), or none when the key
// does not resolve to one.
const Database::CCompany* CompanyOf(const CMainDoc& doc, const LayoutKey& key);

// The settings a year keeps at the graph index, or none.
const Database::CGraphSettings* SettingsOf(const Database::CYear& year, int settingsIndex);

// The name of a year's total row, or none when the row does not resolve.
const Text* SeriesName(const Database::CYear& year, int series);

// One year of a company as its graphs read it: what its statement's totals were fed, by total
// row (none where the total row does not resolve or the statement has no total for it).
struct GraphYear {
    const Database::CYear* year = nullptr;
    int position = 0; // in the company's list of years
    std::array<std::optional<TotalFeed>, kSeries> totals;
};

// The years of the company a graph key addresses (none when it does not resolve), each read
// from its Advanced statement.
std::vector<GraphYear> GraphYears(CMainDoc& doc, const LayoutKey& key);

// One point per month of the year's span, at running index 12 × position + month of the year
// (the start month onwards, so past 11 for a year that runs into the next calendar year). A
// point is plotted when the settings switch the kind of the series and the calendar month on
// and the year has the series' total.
std::vector<GraphPoint> YearPoints(const GraphYear& year, const Database::CGraphSettings& settings,
                                   int kind, int series);

} // namespace Statement::GraphTotals
