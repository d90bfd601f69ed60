#include "statement/TableHtml.h"

namespace Statement {
namespace {

constexpr const char* kHead = "<html><head><meta charset=\"utf-8\"></head><body>\n<table>\n";
constexpr const char* kFoot = "</table>\n</body></html>\n";

// The text escaped for HTML, its leading blanks kept as no-break spaces.
std::string Escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool leading = true;
    for (char c : text) {
        if (c != ' ')
            leading = false;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case ' ':
            out += leading ? "&#160;" : " ";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void AppendCell(std::string& out, const TableCell& cell, bool bold) {
    if (cell.IsFigure()) {
        const std::string number = DecimalAmountText(cell.value);
        out += "<td align=\"right\" sdval=\"" + number + "\" sdnum=\"1033;0;0.00\">";
        out += bold ? "<b>" + number + "</b>" : number;
        out += "</td>";
        return;
    }
    out += "<td>";
    if (cell.kind == TableCell::Kind::Text && !cell.text.empty())
        out += bold ? "<b>" + Escaped(cell.text) + "</b>" : Escaped(cell.text);
    out += "</td>";
}

void AppendRows(std::string& out, const StatementTable& table, std::size_t first,
                std::size_t last) {
    for (std::size_t r = first; r < last && r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        const bool bold = row.kind == TableRowKind::Heading || row.kind == TableRowKind::Summary;
        out += "<tr>";
        for (const TableCell& cell : row.cells)
            AppendCell(out, cell, bold);
        out += "</tr>\n";
    }
}

} // namespace

std::string TableHtml(const StatementTable& table) {
    std::string out = kHead;
    if (!table.caption.empty())
        out += "<tr><td colspan=\"" + std::to_string(table.columns.size()) + "\"><b>" +
               Escaped(table.caption) + "</b></td></tr>\n";
    out += "<tr>";
    for (const TableColumn& column : table.columns)
        out += std::string(column.role == TableColumnRole::Figure ? "<th align=\"right\">"
                                                                  : "<th align=\"left\">") +
               Escaped(column.heading) + "</th>";
    out += "</tr>\n";
    AppendRows(out, table, 0, table.rows.size());
    return out + kFoot;
}

std::string TableRowsHtml(const StatementTable& table, std::size_t first, std::size_t last) {
    std::string out = kHead;
    AppendRows(out, table, first, last);
    return out + kFoot;
}

} // namespace Statement
