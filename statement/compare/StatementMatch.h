#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "statement/StatementTable.h"

namespace Statement {

// A position with no counterpart in the other version.
inline constexpr std::size_t kUnmatched = std::numeric_limits<std::size_t>::max();

// For each newer item, the position of its older counterpart or kUnmatched: items match by key,
// the n-th occurrence of a key in one version with the n-th occurrence in the other.
std::vector<std::size_t> MatchByOccurrence(const std::vector<std::string>& older,
                                           const std::vector<std::string>& newer);

// One item of either version in the order both are listed in.
struct MatchedPair {
    std::size_t older = kUnmatched;
    std::size_t newer = kUnmatched;
};

// The newer version's order, each older-only item placed before the first newer item whose
// counterpart follows it, the rest at the end.
std::vector<MatchedPair> MergeOrder(std::size_t olderCount,
                                    const std::vector<std::size_t>& newerToOlder);

// What statements match by: the names along the tab path.
std::string StatementKey(const StatementTable& table);
// What rows match by within a statement: the scope and the label without its leading blanks
// (indentation follows from how many taxes or blocks there are, not from what the row is).
std::string RowKey(const TableRow& row);
// What figure columns match by: a month's calendar month and year with its sub-column, or the
// heading (Total, %, Total Expected, …); empty for the label, notes and tax columns.
std::string ColumnKey(const TableColumn& column);

} // namespace Statement
