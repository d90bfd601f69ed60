#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "statement/StatementTable.h"
#include "support/SmallAdvYear.h"
#include "support/ZipMember.h"
#include "views/xlsx/SheetNames.h"
#include "views/xlsx/XlsxWorkbook.h"

using namespace Statement;

namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SheetNamesTest, Rules) {
    const std::string long300(300, 'x');
    struct Case {
        std::vector<std::vector<std::string>> paths;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{{"Main", "Base", "Shop", "2024"}}, {"Main-Base-Shop-2024"}},
        // Forbidden characters become '_', blanks at the ends of a part go.
        {{{"A/B", "[x]", "c:d*e?f\\g"}}, {"A_B-_x_-c_d_e_f_g"}},
        // Apostrophes at the ends are refused by spreadsheets; inside they stand.
        {{{"'Q'", "it's"}}, {"_Q'-it's"}},
        // The longest parts shorten first, to 31 units in all.
        {{{long300, "Company", "2024"}}, {std::string(18, 'x') + "-Company-2024"}},
        {{{long300, long300}}, {std::string(15, 'x') + "-" + std::string(15, 'x')}},
        // Never empty; repeated names (whatever their case) are numbered within 31 units.
        {{{"", " "}, {}}, {"Sheet", "Sheet (2)"}},
        {{{"Year"}, {"YEAR"}, {"year"}}, {"Year", "YEAR (2)", "year (3)"}},
        // Letters beyond A-Z fold too: accented, Greek (final sigma), Cyrillic, full width.
        {{{"CAF\xC3\x89"}, {"Caf\xC3\xA9"}}, {"CAF\xC3\x89", "Caf\xC3\xA9 (2)"}},
        {{{"\xCE\xA3\xCE\x9F\xCE\xA3"}, {"\xCF\x83\xCE\xBF\xCF\x82"}},
         {"\xCE\xA3\xCE\x9F\xCE\xA3", "\xCF\x83\xCE\xBF\xCF\x82 (2)"}},
        {{{"\xD0\x93\xD0\x9E\xD0\x94"}, {"\xD0\xB3\xD0\xBE\xD0\xB4"}},
         {"\xD0\x93\xD0\x9E\xD0\x94", "\xD0\xB3\xD0\xBE\xD0\xB4 (2)"}},
        {{{"\xEF\xBC\xA1"}, {"\xEF\xBD\x81"}}, {"\xEF\xBC\xA1", "\xEF\xBD\x81 (2)"}},
        // Letters that only look alike stay apart: e and é, i and dotless i.
        {{{"Cafe"}, {"Caf\xC3\xA9"}, {"i"}, {"\xC4\xB1"}},
         {"Cafe", "Caf\xC3\xA9", "i", "\xC4\xB1"}},
        {{{long300}, {long300}}, {std::string(31, 'x'), std::string(27, 'x') + " (2)"}},
        {{{"History"}}, {"History (2)"}},
        // A part all paths share is left out.
        {{{"Main", "Base", "2024"}, {"Main", "Base", "2025"}, {"Main", "Low", "2025"}},
         {"Base-2024", "Base-2025", "Low-2025"}},
        // Characters are never split; one outside the basic plane counts twice.
        {{{"\xC3\xA9t\xC3\xA9" + std::string(40, 'e')}},
         {"\xC3\xA9t\xC3\xA9" + std::string(28, 'e')}},
        {{{std::string(30, 'a') + "\xF0\x9F\x98\x80"}}, {std::string(30, 'a')}},
        {{{"tab\there"}}, {"tab_here"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetNames(c.paths), c.names) << c.names.front();
}

class XlsxExportTest : public ::testing::Test {
protected:
    XlsxExportTest() : forecast({100}, {1.0}, 1, 10) {
        forecast.View().name = u"Main";
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.Items(kBank).Clear();
            year.display.cents = false;
        });
        BuildSmallAdvYear(forecast);
        forecast.doc.RecalculateIfChanged();
        folder = fs::temp_directory_path() /
                 ("xlsx-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~XlsxExportTest() override { fs::remove_all(folder); }

    StatementTable Table() {
        const LayoutKey key(0, 0, 0, 0);
        return BuildAdvStatementTable(BuildAdvStatementModel(forecast.doc, key, AdvOutline::File),
                                      AdvStatementPath(forecast.doc, key));
    }

    StatementForecast forecast;
    fs::path folder;
};

TEST_F(XlsxExportTest, SmallYearRoundTrip) {
    const fs::path out = folder / "small.xlsx";
    XlsxSettings settings{"Small shop", "9.8.7", 10, 20, 254, 5};
    ASSERT_EQ(WriteXlsx(out, {Table(), Table()}, settings), "");
    // Only the workbook is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    const std::string sheet = ZipMember(out, "xl/worksheets/sheet1.xml");
    ASSERT_FALSE(sheet.empty());
    // Two heading rows; the label and notes columns stay in view.
    EXPECT_TRUE(Contains(sheet, "<pane xSplit=\"2\" ySplit=\"2\" topLeftCell=\"C3\" "
                                "activePane=\"bottomRight\" state=\"frozen\"/>"));
    // Row 4 is Sales: Nov 900.00, 1,000.00, -100.00 as numbers, 100.00 % of income actual.
    const std::regex number("<c r=\"([A-Z]+4)\" s=\"([0-9]+)\"><v>([-0-9.]+)</v></c>");
    std::map<std::string, std::pair<std::string, std::string>> cells;
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), number);
         it != std::sregex_iterator(); ++it)
        cells[(*it)[1]] = {(*it)[3], (*it)[2]};
    ASSERT_EQ(cells.size(), 15u);
    EXPECT_EQ(cells["C4"].first, "900");
    EXPECT_EQ(cells["E4"].first, "-100");
    EXPECT_EQ(cells["I4"].first, "0");
    EXPECT_EQ(cells["O4"].first, "100");
    // Amounts share one format, percentages another.
    EXPECT_EQ(cells["C4"].second, cells["E4"].second);
    EXPECT_NE(cells["C4"].second, cells["O4"].second);
    // Labels and the note marker are text.
    EXPECT_TRUE(Contains(sheet, "<c r=\"A4\" t=\"s\">"));
    EXPECT_TRUE(Contains(sheet, "<c r=\"B4\" t=\"s\">"));
    // A heading row has nothing in its figure columns.
    EXPECT_FALSE(Contains(sheet, "<c r=\"C3\""));
    // The months are merged over their sub-columns; the label heading over both rows.
    EXPECT_TRUE(Contains(sheet, "<mergeCell ref=\"C1:E1\"/>"));
    EXPECT_TRUE(Contains(sheet, "<mergeCell ref=\"A1:A2\"/>"));
    EXPECT_TRUE(Contains(sheet, "<pageMargins left=\"0.7874"));
    EXPECT_TRUE(Contains(sheet, "bottom=\"3.937"));
    EXPECT_TRUE(Contains(sheet, "orientation=\"landscape\""));
    EXPECT_TRUE(Contains(sheet, "fitToHeight=\"0\""));
    EXPECT_TRUE(Contains(sheet, "<pageSetUpPr fitToPage=\"1\"/>"));

    // Whole units and brackets, as the year shows them; sub-column fills.
    const std::string styles = ZipMember(out, "xl/styles.xml");
    EXPECT_TRUE(Contains(styles, "formatCode=\"#,##0;(#,##0)\""));
    EXPECT_TRUE(Contains(styles, "formatCode=\"0.00\""));
    EXPECT_TRUE(Contains(styles, "<fgColor rgb=\"FFC8FFC8\"/>"));
    EXPECT_TRUE(Contains(styles, "<fgColor rgb=\"FFC8C8FF\"/>"));

    const std::string workbook = ZipMember(out, "xl/workbook.xml");
    // The two sheets share their whole path, so nothing is left out.
    EXPECT_TRUE(Contains(workbook, "name=\"Main-Scenario 1-Company 1-2024\""));
    EXPECT_TRUE(Contains(workbook, "name=\"Main-Scenario-Company-2024 (2)\""));
    EXPECT_TRUE(Contains(workbook, "'Main-Scenario 1-Company 1-2024'!$A:$A,"
                                   "'Main-Scenario 1-Company 1-2024'!$1:$2"));
    const std::string core = ZipMember(out, "docProps/core.xml");
    EXPECT_TRUE(Contains(core, "<dc:title>Small shop</dc:title>"));
    EXPECT_TRUE(Contains(ZipMember(out, "docProps/core.xml") + ZipMember(out, "docProps/app.xml"),
                         "Varnobel Viewer 9.8.7"));
}

// A cell holds at most 32,767 characters: a text of exactly that many stays whole, one more is
// cut to it, at a character boundary.
TEST_F(XlsxExportTest, ACellTextIsCutOnlyBeyondTheLimit) {
    const std::string e = "\xC3\xA9";
    const auto repeat = [](const std::string& unit, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i)
            text += unit;
        return text;
    };
    const struct {
        std::string label;
        std::string kept;
    } cases[] = {
        {repeat("a", 32766), repeat("a", 32766)},   {repeat("b", 32767), repeat("b", 32767)},
        {repeat("c", 32768), repeat("c", 32767)},   {repeat(e, 32767), repeat(e, 32767)},
        {repeat(e, 32768) + "z", repeat(e, 32767)},
    };
    StatementTable table = Table();
    ASSERT_GE(table.rows.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        table.rows[i].cells[0] = TableCell::Of(cases[i].label);
    const fs::path out = folder / "long.xlsx";
    ASSERT_EQ(WriteXlsx(out, {table}, {}), "");
    const std::string strings = ZipMember(out, "xl/sharedStrings.xml");
    for (const auto& c : cases)
        EXPECT_TRUE(Contains(strings, "<t>" + c.kept + "</t>")) << c.kept.size();
}

TEST_F(XlsxExportTest, FailureLeavesTheTargetAlone) {
    const fs::path out = folder / "kept.xlsx";
    std::ofstream(out) << "before";
    // Nothing to write, and a folder that does not exist.
    EXPECT_NE(WriteXlsx(out, {}, {}), "");
    EXPECT_NE(WriteXlsx(folder / "missing" / "x.xlsx", {Table()}, {}), "");
    std::ifstream in(out);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "before");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    // Success replaces it.
    EXPECT_EQ(WriteXlsx(out, {Table()}, {}), "");
    EXPECT_FALSE(ZipMember(out, "xl/worksheets/sheet1.xml").empty());
}

} // namespace
