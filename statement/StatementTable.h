#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/Amount.h"
#include "statement/AdvStatementModel.h"
#include "statement/StatementModel.h"

namespace Statement {

// One cell of a statement table. Amounts and percentages are exact hundredths (a percentage of
// 43.16 % is 4316); text is UTF-8.
struct TableCell {
    enum class Kind { Empty, Text, Amount, Percent };
    Kind kind = Kind::Empty;
    Amount value = 0;
    std::string text;

    static TableCell Of(std::string text) { return {Kind::Text, 0, std::move(text)}; }
    static TableCell Money(Amount value) { return {Kind::Amount, value, {}}; }
    static TableCell Percentage(Amount value) { return {Kind::Percent, value, {}}; }
    bool IsFigure() const { return kind == Kind::Amount || kind == Kind::Percent; }
};

// What a column holds; the label, notes and tax columns stay in view when a table scrolls.
enum class TableColumnRole { Label, Notes, Tax, Figure };

// A column: its role, its one-line heading (as the CSV heads it), and the two heading rows it
// sits under when drawn (the group: a month, "Total", "Percentage"; the sub-column within it).
struct TableColumn {
    TableColumnRole role = TableColumnRole::Figure;
    std::string heading;
    std::string group;
    std::string sub;
    // The sub-column (Database::SubColumn) whose colour fills the headings, or -1.
    int subColumn = -1;
    // An Advanced figure column's heading group (a month's display position, Total or
    // Percentage), or -1.
    int figureGroup = -1;
    // A month's column: the month counted from January of year 0 (year × 12 + month), so that
    // two versions whose years start in different months still compare month for month; -1
    // for the others.
    std::optional<long long> calendarMonth{};
    // Formed from the two columns to its left (the right one less the left one): a spreadsheet
    // writes it as a formula.
    bool difference = false;
};

// A cell of a heading row. `span` columns from `column` share it (a month over its sub-columns).
struct TableHeading {
    std::string text;
    std::size_t column = 0;
    std::size_t span = 1;
    int subColumn = -1;
    // A group heading: filled with the month heading colour when the table has sub-columns.
    bool group = false;
};

// What a row shows, for how it is drawn.
enum class TableRowKind { Heading, Line, Total, Summary, NoteEntry };

struct TableRow {
    TableRowKind kind = TableRowKind::Line;
    // The leading blanks of the label as drawn (the label keeps them).
    int indent = 0;
    // The line of the Standard model or the entry of the Advanced model the row shows, or the
    // series of a graph.
    std::size_t source = 0;
    std::vector<TableCell> cells; // one per column
    // What the row is matched within when two versions are compared: its section and the bank,
    // loan, investment or tax block it belongs to; summary rows stand for the whole statement.
    std::string scope;
    // The closing balance of the bank, whose last month tells how a statement's outcome moved.
    bool bankBalance = false;
};

// A statement (or the figures of a graph page) as a table of cells: the same records and
// columns as its CSV, with what the spreadsheet and the clipboard need besides.
struct StatementTable {
    // The tab path of what is shown, outermost first ("Base", "Widgets Ltd", "2024").
    std::vector<std::string> path;
    // Written above the heading line by the clipboard texts (graph pages name themselves).
    std::string caption;
    std::vector<TableColumn> columns;
    // One or two heading rows.
    std::vector<std::vector<TableHeading>> headings;
    std::vector<TableRow> rows;
    // How the statement shows amounts: negatives in brackets, cents.
    bool brackets = true;
    bool cents = true;

    // The label, notes and tax columns at the left.
    std::size_t LeadingColumns() const;
    // The tab path joined with " / ".
    std::string Title() const;
};

// The Standard or Basic statement as a table: `Line`, the twelve months from the year's start,
// `Total` and `%` when the percentage column is shown; one row per drawn line.
StatementTable BuildStatementTable(const StatementModel& model, std::vector<std::string> path);

// The Advanced statement as a table: `Line`, `Notes`, a column per shown tax and per switched-on
// figure sub-column; one row per shown heading, line, total, summary row and note.
StatementTable BuildAdvStatementTable(const AdvStatementModel& model,
                                      std::vector<std::string> path);

// The tab path of a Standard selection (scenario, company and year) or a Basic one (the year).
std::vector<std::string> StatementPath(const StatementSelection& selection, Edition edition);
// The tab path of an Advanced key: view, scenario, company and year names.
std::vector<std::string> AdvStatementPath(const CMainDoc& doc, const LayoutKey& key);

// The table as CSV (RFC 4180, CRLF): the heading line, then one record per row. Figures are
// plain decimals with two places and a leading '-'; empty cells are empty.
std::string TableCsv(const StatementTable& table);

} // namespace Statement
