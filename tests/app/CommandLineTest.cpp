#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "app/export/ExportCommand.h"
#include "document/SmallForecast.h"
#include "support/ByteBuilder.h"
#include "support/CommandRun.h"
#include "support/TestJson.h"

namespace {

using SmallForecast::ReadFile;
using SmallForecast::TempFolder;
using SmallForecast::WriteFile;

using CommandRun::Command;
using CommandRun::Outcome;

std::vector<std::string> FolderContents(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> WithHeader(const std::u16string& header) {
    const auto stored = SmallForecast::Bytes();
    const std::size_t storedHeader = ByteBuilder().Wide(u"Cashflow file v2.0").Size();
    const std::vector<std::uint8_t> tail(stored.begin() + static_cast<long>(storedHeader),
                                         stored.end());
    return ByteBuilder().Wide(header).Raw(tail).Bytes();
}

class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(plan, SmallForecast::Bytes(u"Arial"));
        WriteFile(out, {'o', 'l', 'd'});
    }

    TempFolder folder;
    std::filesystem::path plan = folder / "plan.cfs";
    std::filesystem::path out = folder / "out.json";
};

TEST_F(ExportCommandTest, WritesTheRecalculatedForecastToOut) {
    const Outcome run = Command({"--export", "json", plan.string(), "-o", out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const TestJson::Json json = TestJson::Parse(ReadFile(out));
    EXPECT_EQ(json.at("document").at("fontName").get<std::string>(), "Arial");
    EXPECT_EQ(json.at("document").at("recoveryFile").get<std::string>(), "");
    // The real company's year holds one income row of 100.50 in each of the twelve months, so
    // after the recalculation its Income total row (category 11, row 0) carries 10050 a month.
    const TestJson::Json& year = json.at("root")
                                     .at("views")
                                     .at(0)
                                     .at("scenarios")
                                     .at(1)
                                     .at("companies")
                                     .at(1)
                                     .at("years")
                                     .at(0);
    EXPECT_EQ(TestJson::Int(year.at("categories").at(11).at(0).at("Expected").at(3)), 10050);
    // Nothing is left beside OUT.
    EXPECT_EQ(FolderContents(folder.Path()), (std::vector<std::string>{"out.json", "plan.cfs"}));
}

TEST_F(ExportCommandTest, WritesToStandardOutputWithoutOut) {
    const Outcome run = Command({"--export", "json", plan.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(TestJson::Int(TestJson::Parse(run.out).at("format")), 1);
    EXPECT_EQ(run.out.back(), '\n');
}

TEST_F(ExportCommandTest, BadCommandLinesAreStatus2WithUsage) {
    const std::vector<std::vector<std::string>> commands = {
        {},                                             // options that only an export takes
        {plan.string()},                                // likewise
        {"--export", "xml", plan.string()},             // unknown format
        {"--export", "json"},                           // no FILE
        {"--export", "json", plan.string(), "second"},  // two FILEs
        {"--export", "json", plan.string(), "--bogus"}, // unknown option
        {"--export", "json", plan.string(), "-o"},      // -o without OUT
        {"--export", "json", plan.string(), "--year", "1"},
        {"--export", "csv", plan.string(), "--zoom", "100"}, // a PNG option
        {"--export", "png", plan.string()},                  // PNG needs -o
        {"--export", "pdf", plan.string()},                  // PDF needs -o
        {"--export"},
    };
    for (const auto& command : commands) {
        const Outcome run = Command(command);
        std::string line;
        for (const auto& argument : command)
            line += argument + " ";
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_NE(run.err.find("Usage: varnobel-view --export json FILE [-o OUT]"),
                  std::string::npos)
            << line;
        EXPECT_EQ(run.out, "") << line;
    }
    EXPECT_NE(Command({"--export", "pdf", plan.string()}).err.find("needs -o OUT.pdf"),
              std::string::npos);
    EXPECT_EQ(ReadFile(out), "old");
}

TEST_F(ExportCommandTest, UnreadableFileIsStatus3) {
    const Outcome missing =
        Command({"--export", "json", (folder / "missing.cfs").string(), "-o", out.string()});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("missing.cfs"), std::string::npos);
    EXPECT_EQ(Command({"--export", "json", folder.Path().string()}).status, 3);
    EXPECT_EQ(ReadFile(out), "old");
}

TEST_F(ExportCommandTest, RejectedFileIsStatus4WithTheBoxTexts) {
    const auto newer = folder / "newer.cfs";
    const auto older = folder / "older.cfs";
    const auto foreign = folder / "foreign.cfs";
    WriteFile(newer, WithHeader(u"Cashflow file v2.1"));
    WriteFile(older, WithHeader(u"Cashflow file v1.9"));
    WriteFile(foreign, WithHeader(u"Something else"));

    const Outcome newerRun = Command({"--export", "json", newer.string(), "-o", out.string()});
    EXPECT_EQ(newerRun.status, 4);
    EXPECT_EQ(newerRun.err,
              "This file format is not supported. Please update to the lastest version.\n"
              "Unexpected file format.\n");

    const Outcome olderRun = Command({"--export", "json", older.string()});
    EXPECT_EQ(olderRun.status, 4);
    EXPECT_EQ(olderRun.out, "");
    EXPECT_EQ(olderRun.err,
              "This file format is not longer supported. Load and save your data file in "
              "V1.3.0.0 to V1.3.8.5 of Varnobel Standard to update the file format.\n"
              "Unexpected file format.\n");

    const Outcome foreignRun = Command({"--export", "json", foreign.string(), "-o", out.string()});
    EXPECT_EQ(foreignRun.status, 4);
    EXPECT_EQ(foreignRun.err,
              "The file does not begin as a forecast file does.\nUnexpected file format.\n");

    EXPECT_EQ(ReadFile(out), "old");
    EXPECT_EQ(FolderContents(folder.Path()),
              (std::vector<std::string>{"foreign.cfs", "newer.cfs", "older.cfs", "out.json",
                                        "plan.cfs"}));
}

TEST_F(ExportCommandTest, UnwritableOutFailsWithoutTouchingAnything) {
    const auto nowhere = folder / "no-such-folder" / "out.json";
    const Outcome run = Command({"--export", "json", plan.string(), "-o", nowhere.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(ExportCommandTest, OutThatIsTheForecastItselfIsRefusedAndBothStayAsTheyWere) {
    const std::string forecast = ReadFile(plan);
    const auto symlink = folder / "link.cfs";
    const auto hardLink = folder / "hard.cfs";
    std::filesystem::create_symlink(plan, symlink);
    std::filesystem::create_hard_link(plan, hardLink);
    const auto expectRefused = [&](const std::string& format, const std::string& input,
                                   const std::string& output) {
        const Outcome run = Command({"--export", format, input, "-o", output});
        const std::string line = format + " " + input + " -o " + output;
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_EQ(run.out, "") << line;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find("\"" + input + "\""), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("\"" + output + "\""), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Usage"), std::string::npos) << run.err;
    };

    for (const std::string format : {"json", "csv", "png", "pdf", "xlsx"})
        expectRefused(format, plan.string(), plan.string());
    expectRefused("json", plan.string(), symlink.string());
    expectRefused("csv", symlink.string(), plan.string());
    expectRefused("pdf", plan.string(), hardLink.string());
    expectRefused("json", (folder / "sub" / ".." / "plan.cfs").string(), plan.string());
    {
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        expectRefused("json", "plan.cfs", "./plan.cfs");
        expectRefused("png", plan.string(), "hard.cfs");
        std::filesystem::current_path(before);
    }

    EXPECT_EQ(ReadFile(plan), forecast);
    EXPECT_TRUE(std::filesystem::is_symlink(symlink));
    EXPECT_EQ(std::filesystem::hard_link_count(plan), 2u);
    EXPECT_EQ(FolderContents(folder.Path()),
              (std::vector<std::string>{"hard.cfs", "link.cfs", "out.json", "plan.cfs"}));

    // A copy is another forecast, never replaced either.
    const auto copy = folder / "copy.cfs";
    std::filesystem::copy_file(plan, copy);
    const Outcome copyRun = Command({"--export", "json", plan.string(), "-o", copy.string()});
    EXPECT_EQ(copyRun.status, 1);
    EXPECT_NE(copyRun.err.find("reads as a forecast"), std::string::npos) << copyRun.err;
    EXPECT_EQ(ReadFile(copy), forecast);
}

TEST_F(ExportCommandTest, HelpGoesToStandardOutput) {
    const Outcome run = Command({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage:"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

} // namespace
