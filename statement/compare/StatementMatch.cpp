#include "statement/compare/StatementMatch.h"

#include <unordered_map>

namespace Statement {
namespace {

// Separates the parts of a key; no name or label holds it.
constexpr char kSeparator = '\x1f';

} // namespace

std::vector<std::size_t> MatchByOccurrence(const std::vector<std::string>& older,
                                           const std::vector<std::string>& newer) {
    struct Occurrences {
        std::vector<std::size_t> positions;
        std::size_t next = 0;
    };
    std::unordered_map<std::string, Occurrences> byKey;
    for (std::size_t i = 0; i < older.size(); ++i)
        byKey[older[i]].positions.push_back(i);
    std::vector<std::size_t> match(newer.size(), kUnmatched);
    for (std::size_t i = 0; i < newer.size(); ++i) {
        const auto found = byKey.find(newer[i]);
        if (found == byKey.end())
            continue;
        Occurrences& occurrences = found->second;
        if (occurrences.next < occurrences.positions.size())
            match[i] = occurrences.positions[occurrences.next++];
    }
    return match;
}

std::vector<MatchedPair> MergeOrder(std::size_t olderCount,
                                    const std::vector<std::size_t>& newerToOlder) {
    std::vector<bool> matched(olderCount, false);
    for (std::size_t older : newerToOlder)
        if (older < olderCount)
            matched[older] = true;
    std::vector<MatchedPair> order;
    order.reserve(olderCount + newerToOlder.size());
    std::size_t nextOlder = 0;
    const auto olderOnlyBefore = [&](std::size_t end) {
        for (; nextOlder < end; ++nextOlder)
            if (!matched[nextOlder])
                order.push_back({nextOlder, kUnmatched});
    };
    for (std::size_t n = 0; n < newerToOlder.size(); ++n) {
        const std::size_t older = newerToOlder[n];
        if (older < olderCount) {
            olderOnlyBefore(older);
            if (nextOlder == older)
                ++nextOlder;
        }
        order.push_back({older < olderCount ? older : kUnmatched, n});
    }
    olderOnlyBefore(olderCount);
    return order;
}

std::string StatementKey(const StatementTable& table) {
    std::string key;
    for (const std::string& part : table.path) {
        key += part;
        key += kSeparator;
    }
    return key;
}

std::string RowKey(const TableRow& row) {
    std::string label = row.cells.empty() ? std::string() : row.cells.front().text;
    label.erase(0, label.find_first_not_of(' '));
    return row.scope + kSeparator + label;
}

std::string ColumnKey(const TableColumn& column) {
    if (column.role != TableColumnRole::Figure)
        return {};
    if (column.calendarMonth)
        return std::to_string(*column.calendarMonth) + kSeparator +
               std::to_string(column.subColumn);
    return column.heading;
}

} // namespace Statement
