#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "document/SmallForecast.h"
#include "support/CommandRun.h"
#include "support/CsvRecords.h"
#include "support/ZipMember.h"

namespace {

using CommandRun::Command;
using CommandRun::Outcome;
using CsvRecords::Cents;

const std::string kExample = VARNOBEL_EXAMPLES "/sample.cfs";

// Column letters of a zero-based column.
std::string ColumnName(std::size_t column) {
    std::string name;
    for (++column; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
}

// A worksheet's number in hundredths, as a spreadsheet shows it to 15 significant digits (the
// writer keeps 16, so 970.43 may stand as 970.4299999999999).
long long CellCents(const std::string& text) {
    return std::llround(std::stold(text) * 100);
}

// The numeric cells of a worksheet by reference ("C4").
std::map<std::string, std::string> NumericCells(const std::string& sheet) {
    std::map<std::string, std::string> cells;
    const std::regex number("<c r=\"([A-Z]+[0-9]+)\"(?: s=\"[0-9]+\")?><v>([^<]*)</v></c>");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), number);
         it != std::sregex_iterator(); ++it)
        cells[(*it)[1]] = (*it)[2];
    return cells;
}

// Every figure of the CSV stands in the worksheet's cell of the same record and column as a
// number of the same value, and the worksheet holds no other numbers.
void ExpectSameFigures(const std::vector<std::string>& selection, std::size_t headingRows) {
    SmallForecast::TempFolder folder;
    const auto out = folder / "out.xlsx";
    std::vector<std::string> csvArguments{"--export", "csv", kExample};
    csvArguments.insert(csvArguments.end(), selection.begin(), selection.end());
    const Outcome csv = Command(csvArguments);
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::vector<std::string> xlsxArguments{"--export", "xlsx", kExample, "-o", out.string()};
    xlsxArguments.insert(xlsxArguments.end(), selection.begin(), selection.end());
    const Outcome xlsx = Command(xlsxArguments);
    ASSERT_EQ(xlsx.status, 0) << xlsx.err;
    EXPECT_EQ(xlsx.err, "");

    const std::map<std::string, std::string> cells =
        NumericCells(ZipMember(out, "xl/worksheets/sheet1.xml"));
    const auto records = CsvRecords::Parse(csv.out);
    std::size_t figures = 0;
    for (std::size_t r = 1; r < records.size(); ++r)
        for (std::size_t c = 1; c < records[r].size(); ++c) {
            const std::string& field = records[r][c];
            if (field.empty() || !std::regex_match(field, std::regex("-?[0-9]+\\.[0-9]{2}")))
                continue;
            ++figures;
            const std::string reference = ColumnName(c) + std::to_string(r + headingRows);
            const auto cell = cells.find(reference);
            ASSERT_NE(cell, cells.end()) << reference << " " << records[r][0];
            EXPECT_EQ(CellCents(cell->second), Cents(field)) << reference << " " << records[r][0];
        }
    EXPECT_GT(figures, 100u);
    EXPECT_EQ(cells.size(), figures);
}

TEST(XlsxCommandTest, TheExamplesFiguresAreTheCsvsCellForCell) {
    ExpectSameFigures({}, 1);
    ExpectSameFigures({"--edition", "Adv"}, 2);
    ExpectSameFigures({"--edition", "Adv", "--outline", "open", "--scenario", "0"}, 2);
}

// Sheet names of a workbook.
std::vector<std::string> SheetNames(const std::filesystem::path& workbook) {
    const std::string xml = ZipMember(workbook, "xl/workbook.xml");
    std::vector<std::string> names;
    const std::regex sheet("<sheet name=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), sheet);
         it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

TEST(XlsxCommandTest, AllGivesOneUniquelyNamedSheetPerStatement) {
    SmallForecast::TempFolder folder;
    const auto out = folder / "all.xlsx";
    // Three scenarios (the combined one first) of three companies (the consolidated one first)
    // of two years, in the example's one view; Basic: the first company's two years.
    for (const auto& [edition, count] :
         std::vector<std::pair<std::string, std::size_t>>{{"Std", 18}, {"Bas", 2}, {"Adv", 18}}) {
        const Outcome run = Command(
            {"--export", "xlsx", kExample, "--edition", edition, "--all", "-o", out.string()});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> names = SheetNames(out);
        EXPECT_EQ(names.size(), count) << edition;
        std::set<std::string> folded;
        for (std::string name : names) {
            EXPECT_LE(name.size(), 31u) << name; // ASCII names here
            for (char& c : name)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            folded.insert(name);
        }
        EXPECT_EQ(folded.size(), names.size()) << edition;
    }
}

TEST(XlsxCommandTest, RefusalsAndStandardOutput) {
    SmallForecast::TempFolder folder;
    const auto out = folder / "x.xlsx";
    const std::vector<std::vector<std::string>> refused = {
        {"--all", "--year", "1"},
        {"--edition", "Adv", "--all", "--view", "0"},
        {"--graph", "0", "--edition", "Adv"},
        {"--year", "2"}, // the graphs page has no statement
        {"--size", "10x10"},
    };
    for (const auto& options : refused) {
        std::vector<std::string> arguments{"--export", "xlsx", kExample, "-o", out.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const Outcome run = Command(arguments);
        EXPECT_EQ(run.status, 2) << options.front();
        EXPECT_FALSE(std::filesystem::exists(out)) << options.front();
    }
    // A workbook is not written to a terminal by accident; "-" asks for it there.
    EXPECT_EQ(Command({"--export", "xlsx", kExample}).status, 2);
    const Outcome piped = Command({"--export", "xlsx", kExample, "-o", "-"});
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out.substr(0, 4), std::string("PK\x03\x04", 4));
}

} // namespace
