#pragma once

#include <string>

#include "statement/AdvStatementModel.h"

namespace Statement {

// The Advanced statement as CSV text (RFC 4180, UTF-8, CRLF line ends): one record per heading,
// line, total, summary row and NOTES entry the statement shows, in drawing order. Columns:
// `Line`, `Notes`, one per tax column with a tax in it (headed with the tax's name) and one per
// figure sub-column the display flags switch on ("Apr 24 Actual" ... "Percentage Variance").
// Figures are currency units with two decimals whatever the brackets and cents settings; cells
// where nothing is drawn are empty. Nothing here depends on a zoom, a font or a page.
std::string AdvStatementCsv(const AdvStatementModel& model);

} // namespace Statement
