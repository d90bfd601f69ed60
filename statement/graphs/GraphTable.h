#pragma once

#include <array>
#include <string>
#include <vector>

#include "database/LayoutKey.h"
#include "statement/StatementTable.h"

class CMainDoc;
namespace Database {
class CCompany;
}

// What a graph page plots, as a table: the page's title as caption, a `Series` column and one
// column per month of the time axis ("Apr 24"), one row per plotted series with its figures in
// the months it plots and empty cells elsewhere.
namespace Statement {

// The Standard and Basic graphs page of `company` with the series `shown` switches on.
StatementTable StdGraphTable(const CMainDoc& doc, const Database::CCompany* company,
                             const std::array<bool, 16>& shown, bool offsetYear,
                             std::vector<std::string> path);

// The Advanced graph page at `graphKey` (a key whose graph level names the year's settings):
// every total row and kind (Actual, Expected, Variance) some year switches on, across the years.
StatementTable AdvGraphTable(CMainDoc& doc, const LayoutKey& graphKey,
                             std::vector<std::string> path);

} // namespace Statement
