#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "statement/compare/ForecastComparison.h"

namespace {

using namespace Statement;

// Items of two versions by key, and the pairs (older, newer position; -1 for none) in the order
// they are listed.
struct MatchCase {
    const char* rule;
    std::vector<std::string> older;
    std::vector<std::string> newer;
    std::vector<std::pair<int, int>> listed;
};

TEST(StatementMatchTest, PairsByKeyInOrderOfOccurrenceAndListsInTheNewerOrder) {
    const MatchCase cases[] = {
        {"same items", {"a", "b"}, {"a", "b"}, {{0, 0}, {1, 1}}},
        {"added in the middle", {"a", "c"}, {"a", "b", "c"}, {{0, 0}, {-1, 1}, {1, 2}}},
        {"removed stays in its place", {"a", "b", "c"}, {"a", "c"}, {{0, 0}, {1, -1}, {2, 1}}},
        {"removed at the end", {"a", "b"}, {"a"}, {{0, 0}, {1, -1}}},
        {"repeated keys by occurrence", {"x", "y", "x"}, {"x", "x"}, {{0, 0}, {1, -1}, {2, 1}}},
        {"renamed: one removed, one added", {"a", "b"}, {"a", "B"}, {{0, 0}, {-1, 1}, {1, -1}}},
        {"moved: matched out of order", {"a", "b"}, {"b", "a"}, {{1, 0}, {0, 1}}},
        {"nothing matches", {"a"}, {"b"}, {{-1, 0}, {0, -1}}},
    };
    for (const MatchCase& c : cases) {
        std::vector<std::pair<int, int>> listed;
        for (const MatchedPair& pair : MergeOrder(c.older.size(), MatchByOccurrence(c.older, c.newer)))
            listed.emplace_back(pair.older == kUnmatched ? -1 : static_cast<int>(pair.older),
                                pair.newer == kUnmatched ? -1 : static_cast<int>(pair.newer));
        EXPECT_EQ(listed, c.listed) << c.rule;
    }
}

// A one-row statement: a month column of the given calendar month (year × 12 + month) and a
// Total column; a figure of nullopt leaves the cell empty.
StatementTable OneRow(std::vector<std::string> path, std::string scope, std::string label,
                      long long month, std::optional<Amount> figure, Amount total) {
    StatementTable table;
    table.path = std::move(path);
    table.columns = {{TableColumnRole::Label, "Line", "Line", "", -1},
                     {TableColumnRole::Figure, "Apr", "Apr", "", -1, -1, month},
                     {TableColumnRole::Figure, "Total", "Total", "", -1}};
    TableRow row;
    row.scope = std::move(scope);
    row.cells = {TableCell::Of(std::move(label)),
                 figure ? TableCell::Money(*figure) : TableCell{}, TableCell::Money(total)};
    table.rows.push_back(std::move(row));
    return table;
}

TEST(StatementMatchTest, StatementsRowsAndMonthsMatchAsTheReadingSays) {
    const long long april2025 = 2025 * 12 + 3;
    struct Case {
        const char* rule;
        std::vector<StatementTable> older;
        std::vector<StatementTable> newer;
        std::string csv; // the records after the header
    };
    const Case cases[] = {
        {"an amount differing by a cent is a change",
         {OneRow({"S", "C", "2025"}, "0", "Sales", april2025, 100, 100)},
         {OneRow({"S", "C", "2025"}, "0", "Sales", april2025, 101, 101)},
         "S > C > 2025,Sales,Apr,1.00,1.01,0.01\r\nS > C > 2025,Sales,Total,1.00,1.01,0.01\r\n"},
        {"a label's leading blanks do not part a row",
         {OneRow({"2025"}, "0", "  Sales", april2025, 100, 100)},
         {OneRow({"2025"}, "0", "Sales", april2025, 100, 100)},
         ""},
        {"the same label in another section is another row",
         {OneRow({"2025"}, "0", "Sales", april2025, 100, 100)},
         {OneRow({"2025"}, "1", "Sales", april2025, 100, 100)},
         "2025,Sales,(row added),,,\r\n2025,Sales,(row removed),,,\r\n"},
        {"months match by calendar month and year, not by position",
         {OneRow({"2025"}, "0", "Sales", april2025, 100, 100)},
         {OneRow({"2025"}, "0", "Sales", april2025 + 12, 100, 100)},
         "2025,Sales,Apr,,1.00,\r\n2025,Sales,Apr,1.00,,\r\n"},
        {"a cell shown in one version only",
         {OneRow({"2025"}, "0", "Sales", april2025, 100, 100)},
         {OneRow({"2025"}, "0", "Sales", april2025, std::nullopt, 100)},
         "2025,Sales,Apr,1.00,,\r\n"},
        {"statements of the same path match by position among them",
         {OneRow({"2025"}, "0", "Sales", april2025, 100, 100),
          OneRow({"2025"}, "0", "Sales", april2025, 200, 200)},
         {OneRow({"2025"}, "0", "Sales", april2025, 100, 100)},
         "2025,,(statement removed),,,\r\n"},
        {"a renamed statement is one removed and one added",
         {OneRow({"Base", "2025"}, "0", "Sales", april2025, 100, 100)},
         {OneRow({"Plan", "2025"}, "0", "Sales", april2025, 100, 100)},
         "Plan > 2025,,(statement added),,,\r\nBase > 2025,,(statement removed),,,\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangesCsv(CompareTables(c.older, c.newer)),
                  "Statement,Row,Column,Older,Newer,Difference\r\n" + c.csv)
            << c.rule;
}

} // namespace
