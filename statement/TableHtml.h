#pragma once

#include <cstddef>
#include <string>

#include "statement/StatementTable.h"

namespace Statement {

// The table as an HTML document for the clipboard: a <table> holding the caption (when the table
// has one) in a row of its own, the heading line as the CSV heads its columns, in bold, and one row
// per table row. Figures are right-aligned decimals with two places and carry their value for
// spreadsheets (sdval), so a paste gives numbers whatever the reader's locale; texts are escaped
// and keep their leading blanks.
std::string TableHtml(const StatementTable& table);
// Rows [first, last) of the table alone, without caption or headings, as such a document.
std::string TableRowsHtml(const StatementTable& table, std::size_t first, std::size_t last);

} // namespace Statement
