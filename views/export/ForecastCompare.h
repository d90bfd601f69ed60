#pragma once

#include <vector>

#include "document/Edition.h"
#include "statement/StatementTable.h"
#include "statement/compare/ForecastComparison.h"

class CMainDoc;

// The statements two versions are compared by: every statement the window can show in the
// edition, in tab order (the Advanced ones with every section open). Recalculates first when
// the forecast has changed.
std::vector<Statement::StatementTable> ComparedTables(CMainDoc& doc, Edition edition);

// Two loaded versions of a forecast compared in an edition: their statements, then the settings
// that change figures.
Statement::ForecastComparison CompareForecasts(CMainDoc& older, CMainDoc& newer, Edition edition);
// The same from tables already built for each version.
Statement::ForecastComparison CompareForecasts(const CMainDoc& older,
                                               const std::vector<Statement::StatementTable>& was,
                                               const CMainDoc& newer,
                                               const std::vector<Statement::StatementTable>& is,
                                               Edition edition);

// A comparison as worksheets: a summary (each statement's count of changed figures and its
// closing bank balance in both versions, then the settings that changed), then one sheet per
// statement with changes listing them with the older and newer figures side by side and the
// difference formed by the spreadsheet.
std::vector<Statement::StatementTable>
ChangesWorkbookTables(const Statement::ForecastComparison& comparison);
