#pragma once

#include <vector>

#include "database/LayoutKey.h"
#include "document/Edition.h"
#include "statement/AdvOutline.h"
#include "statement/StatementTable.h"

class CMainDoc;

// The statements a view can show, as tables for the spreadsheet and the clipboard. Each
// recalculates the forecast first when it has changed.

// The Standard or Basic statement of a selection (the view's rules applied to the indices);
// none when the selection is the graphs page or shows nothing.
std::vector<Statement::StatementTable> StdStatementTables(CMainDoc& doc, Edition edition,
                                                          int scenario, int company, int year);
// Every Standard or Basic statement: each year of each company (the consolidated one first) of
// each scenario (the combined one first), as printing every tab visits them.
std::vector<Statement::StatementTable> AllStdStatementTables(CMainDoc& doc, Edition edition);

// The Advanced statement of a key (falling back as the window does); none when the key shows a
// graph page or reaches no year.
std::vector<Statement::StatementTable> AdvStatementTables(CMainDoc& doc, const LayoutKey& key,
                                                          Statement::AdvOutline outline);
// Every Advanced statement the window can show: each year of each company of each scenario of
// each view (combined entries first) where none of them is hidden.
std::vector<Statement::StatementTable> AllAdvStatementTables(CMainDoc& doc,
                                                             Statement::AdvOutline outline);
