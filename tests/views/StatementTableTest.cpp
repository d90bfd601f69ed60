#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "statement/StatementCsv.h"
#include "statement/TableHtml.h"
#include "statement/TableText.h"
#include "statement/graphs/GraphTable.h"
#include "support/SmallAdvYear.h"

using namespace Statement;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The small year's table (see SmallAdvYear.h), its note text holding a line break and markup.
class SmallYearTableTest : public ::testing::Test {
protected:
    SmallYearTableTest() : forecast({100}, {1.0}, 1, 10) {
        forecast.View().name = u"Main";
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.Items(kBank).Clear();
        });
        BuildSmallAdvYear(forecast);
        forecast.doc.RecalculateIfChanged();
    }

    StatementTable Table() {
        const LayoutKey key(0, 0, 0, 0);
        return BuildAdvStatementTable(BuildAdvStatementModel(forecast.doc, key, AdvOutline::File),
                                      AdvStatementPath(forecast.doc, key));
    }

    const TableRow& Row(const StatementTable& table, const std::string& label) {
        for (const TableRow& row : table.rows)
            if (row.cells[0].text == label)
                return row;
        ADD_FAILURE() << "no row " << label;
        return table.rows.front();
    }

    StatementForecast forecast;
};

TEST_F(SmallYearTableTest, TextIsTheCsvWithTabsForCommas) {
    // The golden CSV holds no quoted fields, so its records with tabs are the text's lines.
    std::string expected = ReadFile(VARNOBEL_TEST_DATA "/adv/small-year.csv");
    ASSERT_FALSE(expected.empty());
    expected = std::regex_replace(expected, std::regex(","), "\t");
    expected = std::regex_replace(expected, std::regex("\r\n"), "\n");
    const StatementTable table = Table();
    EXPECT_EQ(TableText(table), expected);
    EXPECT_EQ(table.Title(), "Main / Scenario 1 / Company 1 / 2024");
}

TEST_F(SmallYearTableTest, CellsKindsAndHeadings) {
    const StatementTable table = Table();
    ASSERT_EQ(table.columns.size(), 17u);
    EXPECT_EQ(table.LeadingColumns(), 2u);
    ASSERT_EQ(table.headings.size(), 2u);
    // Line, Notes, three months, Total and Percentage over their three sub-columns each.
    const std::vector<TableHeading>& groups = table.headings[0];
    ASSERT_EQ(groups.size(), 7u);
    EXPECT_EQ(groups[2].text, "Nov 23");
    EXPECT_EQ(groups[2].column, 2u);
    EXPECT_EQ(groups[2].span, 3u);
    EXPECT_TRUE(groups[2].group);
    EXPECT_EQ(groups[6].text, "Percentage");
    EXPECT_EQ(groups[6].column, 14u);
    const std::vector<TableHeading>& subs = table.headings[1];
    ASSERT_EQ(subs.size(), 17u);
    EXPECT_EQ(subs[16].text, "Variance");
    EXPECT_EQ(subs[16].subColumn, Database::kVariance);
    EXPECT_EQ(table.columns[3].heading, "Nov 23 Expected");
    EXPECT_EQ(table.columns[3].subColumn, Database::kExpected);

    const TableRow& sales = Row(table, "Sales");
    EXPECT_EQ(sales.kind, TableRowKind::Line);
    EXPECT_EQ(sales.cells[1].text, "1");
    // Nov Actual 900.00; Jan Actual nothing entered: 0.00 stands; Percentage Actual 100.00 %.
    EXPECT_EQ(sales.cells[2].kind, TableCell::Kind::Amount);
    EXPECT_EQ(sales.cells[2].value, 90000);
    EXPECT_EQ(sales.cells[8].value, 0);
    EXPECT_EQ(sales.cells[14].kind, TableCell::Kind::Percent);
    EXPECT_EQ(sales.cells[14].value, 10000);
    // Stock 800.00 of 2,000.00 income: 40.00 %.
    EXPECT_EQ(Row(table, "Stock").cells[14].value, 4000);

    EXPECT_EQ(Row(table, "INCOME").kind, TableRowKind::Heading);
    EXPECT_EQ(Row(table, "INCOME").cells[2].kind, TableCell::Kind::Empty);
    EXPECT_EQ(Row(table, "Total Income").kind, TableRowKind::Total);
    EXPECT_EQ(Row(table, "GROSS SURPLUS").kind, TableRowKind::Summary);
    EXPECT_EQ(Row(table, "1").kind, TableRowKind::NoteEntry);
    EXPECT_EQ(Row(table, "1").cells[1].text, "Check prices");
}

TEST_F(SmallYearTableTest, HtmlIsOneTableOfNumbersAndEscapedTexts) {
    forecast.EveryYear(0, [](Database::CYear& year) {
        auto& note = dynamic_cast<Item::CNote&>(*year.Items(kNote).Find(0));
        note.Text = u"  Ask <Jo> & \"Al\"\r\nsoon";
    });
    const StatementTable table = Table();
    const std::string html = TableHtml(table);
    // One row per table row and one heading row.
    std::size_t rows = 0;
    for (std::size_t at = html.find("<tr>"); at != std::string::npos;
         at = html.find("<tr>", at + 1))
        ++rows;
    EXPECT_EQ(rows, table.rows.size() + 1);
    EXPECT_NE(html.find("<th align=\"left\">Line</th><th align=\"left\">Notes</th>"
                        "<th align=\"right\">Nov 23 Actual</th>"),
              std::string::npos);
    // Sales: Nov 900.00, 1,000.00, -100.00.
    EXPECT_NE(html.find("<tr><td>Sales</td><td>1</td>"
                        "<td align=\"right\" sdval=\"900.00\" sdnum=\"1033;0;0.00\">900.00</td>"
                        "<td align=\"right\" sdval=\"1000.00\" sdnum=\"1033;0;0.00\">1000.00</td>"
                        "<td align=\"right\" sdval=\"-100.00\" sdnum=\"1033;0;0.00\">-100.00</td>"),
              std::string::npos);
    // Headings and summary rows are bold.
    EXPECT_NE(html.find("<tr><td><b>INCOME</b></td><td></td><td></td>"), std::string::npos);
    EXPECT_NE(
        html.find("<td><b>GROSS SURPLUS</b></td><td></td><td align=\"right\" sdval=\"600.00\" "
                  "sdnum=\"1033;0;0.00\"><b>600.00</b></td>"),
        std::string::npos);
    EXPECT_NE(html.find("<td>&#160;&#160;Ask &lt;Jo&gt; &amp; &quot;Al&quot;\r\nsoon</td>"),
              std::string::npos);
    // The text keeps the note on one line.
    EXPECT_NE(TableText(table).find("\n1\t  Ask <Jo> & \"Al\" soon\t"), std::string::npos);
}

TEST_F(SmallYearTableTest, OneRowAlone) {
    const StatementTable table = Table();
    const TableRow& stock = Row(table, "Stock");
    const TableRowRange range = TableRowsOf(table, stock.source, stock.source + 1);
    ASSERT_FALSE(range.Empty());
    EXPECT_EQ(range.last, range.first + 1);
    EXPECT_EQ(TableRowsText(table, range.first, range.last),
              "Stock\t\t300.00\t400.00\t-100.00\t500.00\t400.00\t100.00\t0.00\t400.00\t-400.00"
              "\t800.00\t1200.00\t-400.00\t40.00\t48.00\t-8.00\n");
    const std::string html = TableRowsHtml(table, range.first, range.last);
    EXPECT_EQ(html.find("<th"), std::string::npos);
    EXPECT_NE(html.find("<tr><td>Stock</td>"), std::string::npos);
    // A source the table does not show (a suppressed entry) gives no rows.
    EXPECT_TRUE(TableRowsOf(table, 100000, 100001).Empty());
}

// The Standard statement's table is the CSV's, cell for cell; its graphs page plots the shown
// series month by month.
TEST(StdStatementTableTest, MatchesTheCsvAndTheGraphsPage) {
    StatementForecast forecast({100}, {1.0}, 1, 3);
    forecast.AddItem(kIncome, u"Sales", 123450);
    forecast.AddItem(kDirectCost, u"Stock", 40000);
    forecast.doc.RecalculateIfChanged();
    int scenario = 0;
    int company = 0;
    int year = 0;
    const StatementSelection selection =
        ResolveStatementSelection(forecast.doc.Root(), Edition::Standard, scenario, company, year);
    const StatementModel model =
        BuildStatementModel(forecast.doc.Root(), selection, Edition::Standard);
    const StatementTable table =
        BuildStatementTable(model, StatementPath(selection, Edition::Standard));
    EXPECT_EQ(table.Title(), "Scenario 1 / Company 1 / " + ToUtf8(selection.year->DisplayName()));
    EXPECT_EQ(TableCsv(table), StatementCsv(model));
    EXPECT_EQ(table.LeadingColumns(), 1u);
    ASSERT_EQ(table.headings.size(), 1u);
    EXPECT_EQ(table.headings[0][1].text, "Apr");
    // Sales: 14,814.00 over the year, 100 % of income.
    const TableRow& sales = table.rows[1];
    EXPECT_EQ(sales.cells[0].text, "Sales");
    EXPECT_EQ(sales.cells[13].value, 1481400);
    EXPECT_EQ(sales.cells[14].kind, TableCell::Kind::Percent);
    EXPECT_EQ(sales.cells[14].value, 10000);

    std::array<bool, 16> shown{};
    shown[0] = true; // Income
    shown[1] = true; // Direct Costs
    const StatementTable graph = Statement::StdGraphTable(
        forecast.doc, selection.company, shown, false, {"Scenario 1", "Company 1", "Graphs"});
    ASSERT_EQ(graph.rows.size(), 2u);
    ASSERT_EQ(graph.columns.size(), 13u);
    EXPECT_EQ(graph.columns[0].heading, "Series");
    EXPECT_EQ(graph.rows[1].cells[0].text, "Direct Costs");
    EXPECT_EQ(graph.rows[1].cells[12].value, 40000);
    const std::string text = TableText(graph);
    EXPECT_EQ(text.substr(0, text.find('\n')), "Scenario 1 / Company 1 / Graphs");
    EXPECT_NE(text.find("\nIncome\t1234.50\t1234.50\t"), std::string::npos);
}

} // namespace
