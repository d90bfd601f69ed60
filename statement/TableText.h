#pragma once

#include <cstddef>
#include <string>

#include "statement/StatementTable.h"

namespace Statement {

// The table as tab-separated text for the clipboard: the caption (when the table has one), the
// heading line as the CSV heads its columns, then one line per row; "\n" ends every line.
// Figures are plain decimals with two places and a leading '-'; tabs and line breaks inside a
// text become blanks, so every row stays one line.
std::string TableText(const StatementTable& table);
// Rows [first, last) of the table alone, without caption or headings.
std::string TableRowsText(const StatementTable& table, std::size_t first, std::size_t last);

// The table rows that show the sources [firstSource, lastSource) (lines of a Standard model,
// entries of an Advanced one), as [first, last); empty when none is in the table.
struct TableRowRange {
    std::size_t first = 0;
    std::size_t last = 0;
    bool Empty() const { return first >= last; }
};
TableRowRange TableRowsOf(const StatementTable& table, std::size_t firstSource,
                          std::size_t lastSource);

} // namespace Statement
