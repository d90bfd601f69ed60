#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include "app/export/ExportCommand.h"
#include "document/SmallForecast.h"
#include "support/ScopedTimeZone.h"
#include "views/StatementForecast.h"

namespace {

struct Outcome {
    int status = -1;
    std::string err;
};

Outcome Export(const std::vector<std::string>& arguments) {
    QStringList list{"varnobel-view", "--export", "pdf"};
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    run.status = RunCommandLine(list, out, err);
    run.err = err.str();
    return run;
}

// The page count and size pdfinfo reads from the file, e.g. {"9", "842 x 595"}.
std::pair<std::string, std::string> PdfInfo(const std::filesystem::path& pdf) {
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf.string())});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return {"pdfinfo failed", ""};
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const auto match = [&](const char* pattern) {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption)
            .match(text)
            .captured(1)
            .toStdString();
    };
    return {match("^Pages:\\s+(\\d+)"), match("^Page size:\\s+([0-9.]+ x [0-9.]+)")};
}

// The text pdftotext reads from the file, pages in order.
std::string PdfText(const std::filesystem::path& pdf) {
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
    if (!text.waitForFinished(30000) || text.exitCode() != 0)
        return "pdftotext failed";
    return text.readAllStandardOutput().toStdString();
}

// Two scenarios of two companies, one year: the tabs "All", "Scenario 1", "Scenario 2" and
// "Group", "Company 1", "Company 2".
class PrintPdfTest : public ::testing::Test {
protected:
    PrintPdfTest() {
        forecast.AddItem(kIncome, u"Sales", 100);
        Save();
    }
    void Save() { SmallForecast::WriteFile(file, forecast.doc.Store()); }

    StatementForecast forecast{{60, 40}, {1.0, 1.0}, 1};
    SmallForecast::TempFolder folder;
    std::filesystem::path file = folder / "plan.cfs";
    std::filesystem::path pdf = folder / "plan.pdf";
};

TEST_F(PrintPdfTest, EveryGraphsPageOfEveryScenarioAndCompany) {
    // 3 scenarios x 3 companies, one graphs page each: 9 pages, A4 landscape by default.
    const Outcome run = Export({file.string(), "-o", pdf.string(), "--scenarios", "all",
                                "--companies", "all", "--graphs"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PdfInfo(pdf), (std::pair<std::string, std::string>{"9", "842 x 595"}));

    // The current scenario's three companies, on portrait Letter (8.5 x 11 in).
    ASSERT_EQ(Export({file.string(), "-o", pdf.string(), "--companies", "all", "--graphs",
                      "--paper", "Letter", "--portrait"})
                  .status,
              0);
    EXPECT_EQ(PdfInfo(pdf), (std::pair<std::string, std::string>{"3", "612 x 792"}));
}

TEST_F(PrintPdfTest, NothingToPrintIsABadCommandAndWritesNothing) {
    // The graphs page (year 1 of one) with only "Cashflow" for the current year.
    const Outcome run = Export({file.string(), "-o", pdf.string(), "--year", "1", "--cashflow"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("nothing to print"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    EXPECT_EQ(Export({file.string(), "-o", pdf.string(), "--years", "every"}).status, 2);
    EXPECT_EQ(Export({file.string(), "-o", pdf.string(), "--paper", "A3"}).status, 2);
    EXPECT_EQ(Export({file.string(), "-o", pdf.string(), "--edition", "Bas", "--companies", "all"})
                  .status,
              2);
}

TEST_F(PrintPdfTest, MarginsLeavingNoRoomFailWithoutWriting) {
    // 120 + 100 mm of the 210 mm of a landscape A4 sheet.
    forecast.doc.SetMargins(120, 0, 100, 0);
    Save();
    const Outcome run = Export({file.string(), "-o", pdf.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("margins"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// 1700000000 s is 22:13:20 UTC on Tuesday 14 November 2023: the next morning in Tokyo, the
// afternoon before in New York.
TEST_F(PrintPdfTest, ThePageHeadingShowsTheStampInTheMachinesTimeZone) {
    forecast.doc.stamp = 1700000000;
    Save();
    const std::pair<const char*, const char*> zones[] = {
        {"Asia/Tokyo", "Last Modified: 07:13AM Wed, 15 November, 2023"},
        {"America/New_York", "Last Modified: 05:13PM Tue, 14 November, 2023"},
    };
    for (const auto& [zone, expected] : zones) {
        const ScopedTimeZone scoped(zone);
        ASSERT_EQ(Export({file.string(), "-o", pdf.string()}).status, 0) << zone;
        const std::string text = PdfText(pdf);
        EXPECT_NE(text.find(expected), std::string::npos) << zone << "\n" << text;
    }
}

} // namespace
