#include <gtest/gtest.h>

#include "views/ShownTable.h"
#include "views/StatementForecast.h"
#include "views/StatementTables.h"

using namespace Statement;

namespace {

// Copying the highlighted Standard row takes its whole block: an item is one line, the bank's
// balance three, a loan's seven (its name, five balance lines and its closing balance).
TEST(ShownTablesTest, AHighlightedBlockIsEveryLineOfIt) {
    StatementForecast forecast({100}, {1.0}, 1, 0);
    forecast.AddItem(kIncome, u"Sales", 10000);
    forecast.AddLoan(kLoan, u"Van", 100000);
    forecast.SetBank(50000, 0);
    const struct {
        StatementSection section;
        std::size_t lines;
        std::string first;
        std::string last;
    } cases[] = {
        {StatementSection::Income, 1, "Sales", "Sales"},
        {StatementSection::Bank, 3, "", "Adjustments"},
        {StatementSection::Loans, 7, "Van", "   Closing Balance"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        StdViewState state;
        state.FocusStatementRow(c.section, 0);
        const ShownTable shown = StdShownTable(forecast.doc, Edition::Standard, state, false);
        ASSERT_TRUE(shown.shown);
        const TableRowRange rows = shown.highlighted;
        ASSERT_EQ(rows.last - rows.first, c.lines);
        if (!c.first.empty()) {
            EXPECT_EQ(shown.table.rows[rows.first].cells[0].text, c.first);
        }
        EXPECT_EQ(shown.table.rows[rows.last - 1].cells[0].text, c.last);
    }
}

// Every Advanced statement the window can show, and none it cannot: a hidden view, scenario,
// company or year gives no worksheet. Each view here has the combined and two real scenarios,
// the combined and one real company, and two years: twelve statements.
TEST(ShownTablesTest, EveryStatementIsEveryShownOneAndNoHiddenOne) {
    const struct {
        const char* hidden;
        std::size_t tables;
    } cases[] = {{"", 24}, {"view", 12}, {"scenario", 20}, {"company", 18}, {"year", 18}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hidden);
        StatementForecast forecast({60, 40}, {1.0}, 2, 0);
        forecast.doc.Root().views.Append(ForecastBuilder::MakeView({60, 40}, {1.0}, 2, 0));
        Database::CTabView& second = forecast.doc.Root().View(1);
        const std::string hidden = c.hidden;
        if (hidden == "view")
            second.SetHidden(true);
        if (hidden == "scenario")
            second.Scenario(1).SetHidden(true);
        if (hidden == "company")
            for (int s = -1; s < 2; ++s)
                second.Scenario(s).Company(0).SetHidden(true);
        if (hidden == "year")
            ForecastBuilder::ForEachCompany(
                second, [](Database::CCompany& company) { company.Year(1).SetHidden(true); });
        const std::vector<StatementTable> tables =
            AllAdvStatementTables(forecast.doc, AdvOutline::File);
        EXPECT_EQ(tables.size(), c.tables);
    }
}

} // namespace
