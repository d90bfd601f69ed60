#pragma once

#include "views/StatementAccess.h"
#include "views/StdViewState.h"

class CMainDoc;

// What the Standard or Basic view shows a screen reader after its last pass: the selected year's
// statement (or the graphs page's series) as a table named after the tabs, the tab rows, the
// graph legend's buttons, and the row the keyboard highlight stands on. `offsetYear` is the
// graphs page's "Offset Year" box.
StatementAccess StdStatementAccess(CMainDoc& doc, const StdViewState& state, Edition edition,
                                   bool offsetYear);
