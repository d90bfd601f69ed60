#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>

#include "app/export/ExportCommand.h"
#include "document/SmallForecast.h"
#include "support/CommandRun.h"

namespace {

using SmallForecast::ReadFile;
using SmallForecast::TempFolder;
using SmallForecast::WriteFile;

const std::filesystem::path kExamples = VARNOBEL_EXAMPLES;

using CommandRun::Command;
using CommandRun::Outcome;

using Record = std::vector<std::string>;

// Splits RFC 4180 text into records of fields.
std::vector<Record> ParseCsv(const std::string& text) {
    std::vector<Record> records;
    Record record;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.empty() || !record.empty()) {
        record.push_back(field);
        records.push_back(record);
    }
    return records;
}

const Record* Find(const std::vector<Record>& records, const std::string& label) {
    for (const Record& record : records)
        if (!record.empty() && record[0] == label)
            return &record;
    return nullptr;
}

bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return false;
    return true;
}

class StatementExportTest : public ::testing::Test {
protected:
    void SetUp() override { WriteFile(out, {'o', 'l', 'd'}); }

    TempFolder folder;
    std::string sample = (kExamples / "sample.cfs").string();
    std::string basic = (kExamples / "basic.cfb").string();
    std::filesystem::path out = folder / "out";
};

TEST_F(StatementExportTest, CsvOfTheSampleFollowsTheStandardStatement) {
    const Outcome run = Command({"--export", "csv", sample, "-o", out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::string text = ReadFile(out);
    const std::vector<Record> records = ParseCsv(text);
    ASSERT_GT(records.size(), 10u);
    // The 2025 year starts in April; the percentage column is on.
    EXPECT_EQ(records[0], (Record{"Line", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov",
                                  "Dec", "Jan", "Feb", "Mar", "Total", "%"}));
    EXPECT_EQ(records[1],
              (Record{"INCOME", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    for (const Record& record : records)
        EXPECT_EQ(record.size(), 15u) << record[0];

    // Default selection: scenario "Expected", company "Harbour Bakery", year 2025.
    // Wholesale Contracts: 3,000.00 every month, 12 x 3000 = 36000.
    const Record* wholesale = Find(records, "Wholesale Contracts");
    ASSERT_NE(wholesale, nullptr);
    for (int column = 1; column <= 12; ++column)
        EXPECT_EQ((*wholesale)[static_cast<std::size_t>(column)], "3000.00");
    EXPECT_EQ((*wholesale)[13], "36000.00");

    // Total Expenses, the hidden "Old Van Lease" left out:
    // April = Rent 2400 + Electricity 650 + Insurance 1800 + Marketing 300 = 5150;
    // January = 2400 + 980 + 300 + Accountancy 1200 = 4880;
    // year = 28800 + 9100 (electricity) + 1800 + 3600 + 1200 = 44500.
    const Record* expenses = Find(records, "Total Expenses");
    ASSERT_NE(expenses, nullptr);
    EXPECT_EQ((*expenses)[1], "5150.00");
    EXPECT_EQ((*expenses)[10], "4880.00");
    EXPECT_EQ((*expenses)[13], "44500.00");
    EXPECT_EQ(Find(records, "Old Van Lease"), nullptr);
    EXPECT_EQ(Find(records, "Market Stall"), nullptr);

    // Without -o the same text goes to standard output.
    const Outcome stdoutRun = Command({"--export", "csv", sample});
    ASSERT_EQ(stdoutRun.status, 0) << stdoutRun.err;
    EXPECT_EQ(stdoutRun.out, text);
}

TEST_F(StatementExportTest, CsvTakesTheSelectionAndTheBasicEdition) {
    // The combined company of the first scenario and the second year are both statements.
    EXPECT_EQ(Command({"--export", "csv", sample, "--company", "-1"}).status, 0);
    EXPECT_EQ(Command({"--export", "csv", sample, "--scenario", "-1", "--year", "1"}).status, 0);
    EXPECT_NE(Command({"--export", "csv", sample, "--year", "1"}).out,
              Command({"--export", "csv", sample}).out);

    const Outcome run = Command({"--export", "csv", basic, "--edition", "Bas"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Record> records = ParseCsv(run.out);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0], (Record{"Line", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug",
                                  "Sep", "Oct", "Nov", "Dec", "Total", "%"}));
    // January = Van 420 + Insurance 600 + Phone 85 + Advertising 150 = 1255; July = 420 + 85;
    // year = 5040 + 600 + 1020 + 900 = 7560.
    const Record* expenses = Find(records, "Total Expenses");
    ASSERT_NE(expenses, nullptr);
    EXPECT_EQ((*expenses)[1], "1255.00");
    EXPECT_EQ((*expenses)[7], "505.00");
    EXPECT_EQ((*expenses)[13], "7560.00");
}

TEST_F(StatementExportTest, TheAdvancedCsvTakesTheWindowsKeyAndOpensOrClosesSections) {
    // After a load the window shows the combined scenario's consolidated company: no tax column.
    const Outcome combined = Command({"--export", "csv", sample, "--edition", "Adv"});
    ASSERT_EQ(combined.status, 0) << combined.err;
    EXPECT_EQ(combined.out.rfind("Line,Notes,Apr 24 Actual,Apr 24 Expected,", 0), 0u);

    const auto records = [](const std::string& csv) {
        return std::count(csv.begin(), csv.end(), '\n');
    };
    const std::vector<std::string> real = {"--export",   "csv", sample,      "--edition", "Adv",
                                           "--scenario", "0",   "--company", "0"};
    const Outcome file = Command(real);
    ASSERT_EQ(file.status, 0) << file.err;
    EXPECT_EQ(file.out.rfind("Line,Notes,VAT,Apr 24 Actual,", 0), 0u);
    std::vector<std::string> closed = real;
    closed.insert(closed.end(), {"--outline", "closed"});
    std::vector<std::string> open = real;
    open.insert(open.end(), {"--outline", "open"});
    EXPECT_EQ(Command(open).out, file.out); // the example's sections are all open
    const std::string shut = Command(closed).out;
    EXPECT_LT(records(shut), records(file.out));
    EXPECT_EQ(shut.find("Retail Sales"), std::string::npos);
    EXPECT_NE(shut.find("\r\nTotal Income,"), std::string::npos);
}

TEST_F(StatementExportTest, SelectionsThatNameNothingAreStatus2) {
    const std::vector<std::vector<std::string>> commands = {
        {"--year", "2"}, // the graphs page of the two years
        {"--year", "-1"},
        {"--scenario", "2"}, // two real scenarios: -1, 0, 1
        {"--scenario", "-2"},
        {"--company", "2"},
        {"--scenario", "one"},
        {"--edition", "Adv", "--year", "2"}, // the Advanced statement has no graphs page by year
        {"--edition", "Adv", "--view", "1"},
        {"--edition", "Adv", "--outline", "half"},
        {"--outline", "open", "--edition", "Std"},
        {"--edition", "Bas", "--scenario", "1"},
        {"--size", "100x100"},
        {"--zoom", "100"},
        {"--fit-width", "1"},
    };
    for (const auto& extra : commands) {
        std::vector<std::string> command = {"--export", "csv", sample, "-o", out.string()};
        command.insert(command.end(), extra.begin(), extra.end());
        const Outcome run = Command(command);
        EXPECT_EQ(run.status, 2) << extra[0] << " " << extra[1];
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
    EXPECT_NE(Command({"--export", "csv", sample, "--year", "2"}).err.find("graphs page"),
              std::string::npos);
    EXPECT_NE(Command({"--export", "csv", sample, "--scenario", "2"}).err.find("scenario 2"),
              std::string::npos);
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{"--edition", "Adv", "--years", "all"},
          {"--edition", "Adv", "--print-option", "sideways"},
          {"--print-option", "expanded"},
          {"--fit-width", "4"},
          {"--fit-width", "one"}}) {
        std::vector<std::string> command = {"--export", "pdf", sample, "-o", out.string()};
        command.insert(command.end(), extra.begin(), extra.end());
        EXPECT_EQ(Command(command).status, 2) << extra[extra.size() - 2];
    }
    EXPECT_EQ(Command({"--export", "json", sample, "--scenario", "0"}).status, 2);
    EXPECT_EQ(ReadFile(out), "old");

    // An empty file is the empty forecast: its JSON is written, every other kind has nothing to
    // show (status 1, the command line being right); a rejected file is status 4.
    const auto empty = folder / "empty.cfs";
    const auto foreign = folder / "foreign.cfs";
    WriteFile(empty, {});
    WriteFile(foreign, {'n', 'o', 'n', 'e'});
    for (const std::vector<std::string>& kind : {std::vector<std::string>{"csv"},
                                                 {"csv", "--edition", "Adv"},
                                                 {"png"},
                                                 {"png", "--edition", "Adv"},
                                                 {"pdf"},
                                                 {"pdf", "--edition", "Adv"},
                                                 {"xlsx"},
                                                 {"xlsx", "--all", "--edition", "Adv"},
                                                 {"csv", "--scenario", "3"}}) {
        std::vector<std::string> command = {"--export", kind[0], empty.string(), "-o",
                                            out.string()};
        command.insert(command.end(), kind.begin() + 1, kind.end());
        const Outcome run = Command(command);
        EXPECT_EQ(run.status, 1) << kind[0];
        EXPECT_EQ(run.err,
                  "varnobel-view: there is nothing to show: \"" + empty.string() + "\" is empty\n");
    }
    const Outcome json = Command({"--export", "json", empty.string()});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"views\": []"), std::string::npos) << json.out;
    EXPECT_EQ(Command({"--export", "csv", foreign.string(), "-o", out.string()}).status, 4);
    EXPECT_EQ(Command({"--export", "png", foreign.string(), "-o", out.string()}).status, 4);
    EXPECT_EQ(ReadFile(out), "old");
}

// "-" names standard output for every kind, the picture and the pages included, and is never
// taken for a file of that name; the same export written to a file holds the same bytes.
// The pages of a PDF as the writer numbers them.
int PdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
         at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

TEST_F(StatementExportTest, TheAdvancedPdfPrintsEveryShownYearAsThePrintOptionSays) {
    const auto out = folder / "adv.pdf";
    const auto pages = [&](const std::string& option) {
        std::vector<std::string> command = {"--export",   "pdf",       sample, "-o",
                                            out.string(), "--edition", "Adv",  "--print-option",
                                            option};
        EXPECT_EQ(Command(command).status, 0) << option;
        return PdfPages(ReadFile(out));
    };
    const int collapsed = pages("collapsed");
    const int expanded = pages("expanded");
    EXPECT_GT(collapsed, 0);
    EXPECT_LT(collapsed, expanded);
}

TEST_F(StatementExportTest, DashWritesEveryKindToStandardOutput) {
    const std::pair<std::string, std::string> kinds[] = {
        {"json", "{"}, {"csv", "Line,Apr,"}, {"png", "\x89PNG\r\n"}, {"pdf", "%PDF-"}};
    for (const auto& [kind, start] : kinds) {
        const Outcome run = Command({"--export", kind, sample, "-o", "-"});
        ASSERT_EQ(run.status, 0) << kind << ": " << run.err;
        EXPECT_EQ(run.err, "") << kind;
        EXPECT_EQ(run.out.substr(0, start.size()), start) << kind;
        EXPECT_FALSE(std::filesystem::exists("-")) << kind;
        if (kind == "json" || kind == "csv") {
            ASSERT_EQ(Command({"--export", kind, sample, "-o", out.string()}).status, 0);
            EXPECT_EQ(run.out, ReadFile(out)) << kind;
        }
    }
    // Without -o the picture and the pages still refuse to go to a terminal.
    EXPECT_NE(Command({"--export", "png", sample}).err.find("-o -"), std::string::npos);
}

TEST_F(StatementExportTest, PngIsAnImageOfTheRequestedSize) {
    const auto png = folder / "out.png";
    const Outcome run =
        Command({"--export", "png", sample, "-o", png.string(), "--size", "640x480"});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_FALSE(AllWhite(image));

    // The default client area; the graphs page and the Basic edition draw too.
    ASSERT_EQ(Command({"--export", "png", sample, "-o", png.string()}).status, 0);
    ASSERT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
    EXPECT_EQ(image.size(), QSize(1600, 1000));
    ASSERT_EQ(Command({"--export", "png", sample, "-o", png.string(), "--year", "2"}).status, 0);
    ASSERT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
    EXPECT_FALSE(AllWhite(image));
    ASSERT_EQ(Command({"--export", "png", basic, "-o", png.string(), "--edition", "Bas", "--size",
                       "300x200"})
                  .status,
              0);
    ASSERT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
    EXPECT_EQ(image.size(), QSize(300, 200));

    // --zoom overrides the file's 100 %.
    const auto zoomed = folder / "zoomed.png";
    ASSERT_EQ(Command({"--export", "png", sample, "-o", png.string(), "--size", "400x300"}).status,
              0);
    ASSERT_EQ(Command({"--export", "png", sample, "-o", zoomed.string(), "--size", "400x300",
                       "--zoom", "200"})
                  .status,
              0);
    EXPECT_NE(ReadFile(png), ReadFile(zoomed));
}

TEST_F(StatementExportTest, BadPngOptionsAreStatus2AndLeaveOutAlone) {
    const std::vector<std::vector<std::string>> commands = {
        {"--export", "png", sample}, // no -o
        {"--export", "png", sample, "-o", out.string(), "--size", "0x10"},
        {"--export", "png", sample, "-o", out.string(), "--size", "10"},
        {"--export", "png", sample, "-o", out.string(), "--size", "9000x10"},
        {"--export", "png", sample, "-o", out.string(), "--size", "-5x10"},
        {"--export", "png", sample, "-o", out.string(), "--zoom", "0"},
        {"--export", "png", sample, "-o", out.string(), "--zoom", "1001"},
        {"--export", "png", sample, "-o", out.string(), "--zoom", "big"},
        {"--export", "png", sample, "-o", out.string(), "--year", "3"},
        {"--export", "png", sample, "-o", out.string(), "--company", "5"},
        // Graph pages are the Advanced edition's, and only its pictures show them; the
        // example's years have one graph each.
        {"--export", "png", sample, "-o", out.string(), "--graph", "0"},
        {"--export", "csv", sample, "-o", out.string(), "--edition", "Adv", "--graph", "0"},
        {"--export", "png", sample, "-o", out.string(), "--edition", "Adv", "--graph", "1"},
        {"--export", "png", sample, "-o", out.string(), "--edition", "Adv", "--graph", "x"},
        {"--export", "png", sample, "-o", out.string(), "--edition", "Adv", "--year", "2"},
    };
    for (const auto& command : commands) {
        const Outcome run = Command(command);
        EXPECT_EQ(run.status, 2) << command.back();
    }
    EXPECT_EQ(ReadFile(out), "old");
    EXPECT_EQ(
        Command({"--export", "png", (folder / "missing.cfs").string(), "-o", out.string()}).status,
        3);
    EXPECT_EQ(ReadFile(out), "old");
}

// The Advanced picture is the view's: a year's statement, or with --graph one of its graph
// pages, whose lines are drawn in the colours the forecast gives them.
TEST_F(StatementExportTest, TheAdvancedPngShowsTheStatementOrAGraphPage) {
    const auto png = folder / "adv.png";
    const auto shot = [&](std::vector<std::string> extra) {
        std::vector<std::string> command = {"--export",  "png", sample,   "-o",     png.string(),
                                            "--edition", "Adv", "--size", "800x600"};
        command.insert(command.end(), extra.begin(), extra.end());
        const Outcome run = Command(command);
        EXPECT_EQ(run.status, 0) << run.err;
        QImage image;
        EXPECT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
        return image;
    };
    const auto hasPixel = [](const QImage& image, QRgb rgb) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == rgb)
                    return true;
        return false;
    };
    const QImage statement = shot({});
    const QImage graph = shot({"--graph", "0"});
    EXPECT_EQ(graph.size(), QSize(800, 600));
    EXPECT_NE(graph, statement);
    // The example plots its Expected bank balance in blue, 0x00FF0000 as the file holds it.
    EXPECT_TRUE(hasPixel(graph, 0x0000FF));
    EXPECT_EQ(shot({"--year", "1", "--graph", "0", "--scenario", "0", "--company", "0"}).size(),
              QSize(800, 600));
}

} // namespace
