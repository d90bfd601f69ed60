#pragma once

#include <cstddef>

#include "views/AdvInput.h"
#include "views/AdvViewState.h"
#include "views/StatementAccess.h"

class CMainDoc;

// What the Advanced view shows a screen reader after its last pass: the statement model (or the
// graph page's lines) as a table named after the tabs, the four rows of tabs, each section's and
// block's expander and each sub-column's check box, and the row the keyboard highlight stands
// on. The controls come in this order: expanders as the statement lists them, then the check
// boxes by column group and sub-column.
StatementAccess AdvStatementAccess(CMainDoc& doc, const AdvViewState& state);

// Pressing a control or activating a tab does what a click on it does; Nothing when there is no
// such control or tab. The statement is built again on the next pass.
AdvClick PressAdvControl(CMainDoc& doc, AdvViewState& state, std::size_t control);
AdvClick ActivateAdvTab(AdvViewState& state, std::size_t list, std::size_t tab);
