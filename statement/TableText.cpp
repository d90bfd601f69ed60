#include "statement/TableText.h"

namespace Statement {
namespace {

// A text with its tabs and line breaks turned into single blanks.
std::string OneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    bool breaking = false;
    for (char c : text) {
        if (c == '\t' || c == '\r' || c == '\n') {
            if (!breaking)
                line += ' ';
            breaking = true;
            continue;
        }
        breaking = false;
        line += c;
    }
    return line;
}

void AppendRow(std::string& out, const TableRow& row) {
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (c > 0)
            out += '\t';
        const TableCell& cell = row.cells[c];
        if (cell.kind == TableCell::Kind::Text)
            out += OneLine(cell.text);
        else if (cell.IsFigure())
            out += DecimalAmountText(cell.value);
    }
    out += '\n';
}

} // namespace

std::string TableText(const StatementTable& table) {
    std::string out;
    if (!table.caption.empty())
        out += OneLine(table.caption) + '\n';
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0)
            out += '\t';
        out += OneLine(table.columns[c].heading);
    }
    out += '\n';
    return out + TableRowsText(table, 0, table.rows.size());
}

std::string TableRowsText(const StatementTable& table, std::size_t first, std::size_t last) {
    std::string out;
    for (std::size_t r = first; r < last && r < table.rows.size(); ++r)
        AppendRow(out, table.rows[r]);
    return out;
}

TableRowRange TableRowsOf(const StatementTable& table, std::size_t firstSource,
                          std::size_t lastSource) {
    TableRowRange range{table.rows.size(), table.rows.size()};
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::size_t source = table.rows[r].source;
        if (source < firstSource || source >= lastSource)
            continue;
        if (range.first == table.rows.size())
            range.first = r;
        range.last = r + 1;
    }
    return range;
}

} // namespace Statement
