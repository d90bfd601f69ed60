#pragma once

#include <string>

#include "views/AdvViewState.h"

class CMainDoc;

// The Advanced statement of the state's last pass as CSV text (RFC 4180, UTF-8, CRLF line
// ends): one record per heading, row, total, summary row and NOTES entry that the pass placed,
// in list order. Columns: `Line`, `Notes`, one per tax column drawn (headed with the tax's name)
// and one per figure sub-column drawn ("Apr 24 Actual" ... "Percentage Variance"). Figures are
// currency units with two decimals whatever the brackets and cents settings; cells where
// nothing is drawn are empty.
std::string AdvStatementCsv(const CMainDoc& doc, const AdvViewState& state);
