#pragma once

#include <array>

#include "statement/StatementTable.h"
#include "statement/TableText.h"
#include "views/AdvViewState.h"
#include "views/StdViewState.h"

class CMainDoc;

// What a view shows, as a table, and the rows its highlight stands on: the clipboard and the
// window's exports read the statement through this, never the pixels.
struct ShownTable {
    Statement::StatementTable table;
    // The rows of the highlighted statement row; empty when the highlight is on a tab or nowhere,
    // which means the whole table.
    Statement::TableRowRange highlighted;
    // False when the view shows nothing to copy or export (no scenario or company, no year).
    bool shown = false;
};

// The Standard or Basic view: the selected year's statement with its focused row, or the graphs
// page with the series the legend switches on.
ShownTable StdShownTable(CMainDoc& doc, Edition edition, const StdViewState& state,
                         bool offsetYear);

// The Advanced view: the statement of the current key with its sections opened and closed and
// its sub-columns switched as on screen, and its highlighted row; or the graph page.
ShownTable AdvShownTable(CMainDoc& doc, const AdvViewState& state);
