#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/Amount.h"
#include "statement/StatementTable.h"
#include "statement/compare/StatementMatch.h"

namespace Statement {

// What one difference between two versions is.
enum class ChangeKind { Figure, RowAdded, RowRemoved, StatementAdded, StatementRemoved };

// One difference: a figure cell whose shown amount differs (or that one version alone shows), a
// row or a whole statement present in one version only.
struct Change {
    ChangeKind kind = ChangeKind::Figure;
    // The row's label as the statement's CSV gives it; empty for a statement.
    std::string row;
    // The figure column's heading; empty for a row or a statement.
    std::string column;
    // The figures shown; none on the side where the cell does not exist.
    std::optional<Amount> older;
    std::optional<Amount> newer;
    bool percent = false;
    // Where the change stands in the newer statement's table (row and column), or kUnmatched.
    std::size_t newerRow = kUnmatched;
    std::size_t newerColumn = kUnmatched;
    // The line or entry of the newer statement's model the row shows (TableRow::source), which
    // stays the same whichever sections are open.
    std::size_t newerSource = kUnmatched;

    // Newer less older (saturating), when both exist.
    std::optional<Amount> Difference() const;
    // "(row added)", "(statement removed)", …, or the column's heading.
    std::string ColumnText() const;
    // What a reader hears and a tooltip shows beside the newer figure: "was 9,000.00, up
    // 200.00", "was 9,000.00, not shown now", "not shown before"; amounts in the statement's
    // cents and with a minus (an "up" or "down" says the sign of a difference).
    std::string Description(bool cents) const;
};

// One statement of either version and what changed in it.
struct StatementChanges {
    std::vector<std::string> path;
    // The statement's place in each version's list of tables, or kUnmatched.
    std::size_t older = kUnmatched;
    std::size_t newer = kUnmatched;
    std::vector<Change> changes;
    int changedFigures = 0;
    // The closing bank balance of the statement's last month, in each version.
    std::optional<Amount> olderClosing;
    std::optional<Amount> newerClosing;

    // The tab path joined with " > ".
    std::string Title() const;
};

// A setting of the forecast that changes figures: where it is (a tab path, and a row or a tax
// rate within it), what it is, and its two values as text.
struct SettingChange {
    std::string where;
    std::string setting;
    std::string older;
    std::string newer;
};

// Two versions of a forecast compared, statement by statement in tab order.
struct ForecastComparison {
    std::vector<StatementChanges> statements;
    std::vector<SettingChange> settings;

    // Whether any statement or setting changed.
    bool Changed() const;
    int ChangedFigures() const;
    // The statement of a newer table, or none.
    const StatementChanges* ForNewer(std::size_t table) const;
};

// Compares two versions' statements (each list in tab order, as the window shows them).
ForecastComparison CompareTables(const std::vector<StatementTable>& older,
                                 const std::vector<StatementTable>& newer);

// The comparison as CSV (RFC 4180, CRLF): Statement, Row, Column, Older, Newer, Difference; one
// record per change, nothing else.
std::string ChangesCsv(const ForecastComparison& comparison);

} // namespace Statement
