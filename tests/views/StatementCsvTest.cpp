#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "statement/StatementCsv.h"
#include "support/CsvRecords.h"
#include "views/StatementForecast.h"

using namespace Statement;

namespace {

std::vector<std::string> Records(const std::string& csv) {
    std::vector<std::string> records;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "record without CRLF: " << csv.substr(start);
            break;
        }
        records.push_back(csv.substr(start, end - start));
        start = end + 2;
    }
    return records;
}

// The record whose first field is `label`.
std::string Record(const std::vector<std::string>& records, const std::string& label) {
    for (const std::string& record : records)
        if (record.rfind(label + ",", 0) == 0)
            return record;
    ADD_FAILURE() << "no record " << label;
    return {};
}

// An April year of a small shop: Sales 1,234.50 a month, Stock 400.00 a month.
class CsvTest : public ::testing::Test {
protected:
    CsvTest() : forecast({100}, {1.0}, 1, 3) {
        forecast.AddItem(kIncome, u"Sales", 123450);
        forecast.AddItem(kDirectCost, u"Stock", 40000);
    }

    std::vector<std::string> Export(Edition edition = Edition::Standard, int scenario = 0,
                                    int company = 0, int year = 0) {
        const StatementCsvResult result =
            ExportStatementCsv(forecast.doc, edition, scenario, company, year);
        EXPECT_EQ(result.status, StatementCsvResult::Status::Written);
        return Records(result.text);
    }

    StatementForecast forecast;
};

TEST_F(CsvTest, HeaderRowStartsAtTheYearsStartMonth) {
    const auto records = Export();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0], "Line,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec,Jan,Feb,Mar,Total,%");
}

TEST_F(CsvTest, LinesInDrawingOrderWithFiguresInUnits) {
    const auto records = Export();
    ASSERT_GE(records.size(), 8u);
    // Headings have empty cells: twelve months, the total and the percentage.
    EXPECT_EQ(records[1], "INCOME,,,,,,,,,,,,,,");
    // 12 x 1,234.50 = 14,814.00; 100 %.
    EXPECT_EQ(records[2], "Sales,1234.50,1234.50,1234.50,1234.50,1234.50,1234.50,1234.50,"
                          "1234.50,1234.50,1234.50,1234.50,1234.50,14814.00,100.00");
    EXPECT_EQ(records[3].substr(0, 21), "Total Income,1234.50,");
    EXPECT_EQ(records[4], "DIRECT COSTS,,,,,,,,,,,,,,");
    // Stock 4,800.00 of 14,814.00: 480000 x 10000 / 1481400 = 3240.17... -> 32.40.
    EXPECT_EQ(Record(records, "Stock").substr(Record(records, "Stock").rfind(',') + 1), "32.40");
    // 1,234.50 - 400.00 = 834.50 a month.
    EXPECT_EQ(records[7].substr(0, 22), "GROSS SURPLUS,834.50,8");
    // No spacer records: the next record is the next section's heading.
    EXPECT_EQ(records[8], "INTEREST,,,,,,,,,,,,,,");
}

TEST_F(CsvTest, NegativeFiguresAndFlagsThatDoNotApply) {
    forecast.AddItem(kIncome, u"Refund", -123450);
    forecast.AddItem(kIncome, u"Nil", 0);
    forecast.doc.Root().brackets = 1;
    forecast.doc.Root().cents = 0;
    const auto records = Export();
    EXPECT_EQ(Record(records, "Refund").substr(0, 16), "Refund,-1234.50,");
    // Sales and Refund cancel: no income, so no percentage.
    EXPECT_EQ(Record(records, "Nil"), "Nil,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,"
                                      "0.00,0.00,0.00,");
}

TEST_F(CsvTest, ShortYearLeavesCellsOutsideTheSpanEmpty) {
    forecast.EveryYear(0, [](Database::CYear& year) { year.months = 3; });
    forecast.doc.Root().percentage = 0;
    const auto records = Export();
    EXPECT_EQ(records[0], "Line,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec,Jan,Feb,Mar,Total");
    // April to June shown; the total still adds all twelve stored months.
    EXPECT_EQ(Record(records, "Sales"), "Sales,1234.50,1234.50,1234.50,,,,,,,,,,14814.00");
}

TEST_F(CsvTest, LabelsAsDrawnQuotedWhereNeeded) {
    forecast.AddLoan(kLoan, u"Smith, \"Jr\"", 100000);
    auto records = Export();
    Record(records, "\"Smith, \"\"Jr\"\"\"");
    EXPECT_EQ(Record(records, "   Opening Balance").substr(0, 27), "   Opening Balance,1000.00,");
    Record(records, "   Advances");

    records = Export(Edition::Basic);
    Record(records, "   Advance");
}

TEST_F(CsvTest, HiddenRowsAreNotRecords) {
    forecast.AddItem(kIncome, u"Secret", 100);
    forecast.EveryYear(0, [](Database::CYear& year) { year.ItemAt(kIncome, 1).SetHidden(true); });
    const auto records = Export();
    for (const std::string& record : records)
        EXPECT_NE(record.rfind("Secret", 0), 0u);
    EXPECT_EQ(records[3].substr(0, 21), "Total Income,1234.50,");
}

// Every text comes back whole from a CSV reader: commas, quotes and line breaks of any kind are
// quoted.
TEST(CsvFieldTest, AnyTextRoundTripsThroughACsvReader) {
    const std::vector<std::string> texts = {
        "plain", "", "a,b", "say \"hi\"", "two\nlines", "two\r\nlines", "cr\ronly", "\"", " lead"};
    std::string record;
    for (const std::string& text : texts)
        record += (record.empty() ? "" : ",") + CsvField(text);
    const auto records = CsvRecords::Parse(record + "\r\n");
    EXPECT_EQ(records, std::vector<std::vector<std::string>>{texts});
}

TEST(CsvExport, GraphsPageAndEmptyForecast) {
    StatementForecast forecast;
    EXPECT_EQ(ExportStatementCsv(forecast.doc, Edition::Standard, 0, 0, 1).status,
              StatementCsvResult::Status::GraphsPage);
    CMainDoc empty;
    EXPECT_EQ(ExportStatementCsv(empty, Edition::Standard, 0, 0, 0).status,
              StatementCsvResult::Status::Nothing);
    // An index out of range falls back to the first year, as the view does.
    EXPECT_EQ(ExportStatementCsv(forecast.doc, Edition::Standard, 5, 0, 0).status,
              StatementCsvResult::Status::Written);
}

TEST(CsvExport, ExtremeFigures) {
    StatementModel model;
    model.percentColumn = false;
    StatementLine& line = model.lines.emplace_back();
    line.label = u"X";
    line.values.fill(std::numeric_limits<Amount>::min());
    line.total = 5;
    EXPECT_EQ(Records(StatementCsv(model))[1].substr(0, 24), "X,-92233720368547758.08,");
    EXPECT_EQ(Records(StatementCsv(model))[1].substr(Records(StatementCsv(model))[1].rfind(',')),
              ",0.05");
}

} // namespace
