#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "document/SmallForecast.h"
#include "items/CItem.h"
#include "support/CommandRun.h"
#include "support/CsvRecords.h"
#include "support/ZipMember.h"

namespace {

using CommandRun::Command;
using CommandRun::Outcome;

const std::string kExample = VARNOBEL_EXAMPLES "/sample.cfs";
const std::string kHeader = "Statement,Row,Column,Older,Newer,Difference\r\n";

// The example with the 2025 year's (April 2024 to March 2025) June Expected retail sales of the Expected scenario's bakery raised
// from 9,500.00 to 9,700.00.
std::filesystem::path ChangedCopy(const SmallForecast::TempFolder& folder) {
    CMainDoc doc;
    RecordingMessageSink sink;
    EXPECT_TRUE(doc.Open(kExample, sink));
    auto& sales = dynamic_cast<Item::CItem&>(
        doc.Root().View(0).Scenario(0).Company(0).Year(0).ItemAt(kIncome, 0));
    EXPECT_EQ(sales.name, u"Retail Sales");
    sales.Expected[5] = 970000;
    const auto path = folder / "changed.cfs";
    SmallForecast::WriteFile(path, doc.Store());
    return path;
}

// Records of a changes CSV; every one's Difference is Newer less Older where both are given.
std::vector<std::vector<std::string>> CheckedRecords(const Outcome& run) {
    EXPECT_EQ(run.out.substr(0, kHeader.size()), kHeader);
    auto records = CsvRecords::Parse(run.out);
    records.erase(records.begin());
    for (const auto& record : records) {
        EXPECT_EQ(record.size(), 6u);
        if (record.size() == 6 && !record[3].empty() && !record[4].empty()) {
            EXPECT_EQ(CsvRecords::Cents(record[4]) - CsvRecords::Cents(record[3]),
                      CsvRecords::Cents(record[5]))
                << record[0] << " " << record[1] << " " << record[2];
        }
    }
    return records;
}

bool Has(const std::vector<std::vector<std::string>>& records,
         const std::vector<std::string>& wanted) {
    return std::find(records.begin(), records.end(), wanted) != records.end();
}

TEST(ChangesCommandTest, ListsTheChangedFigureAndWhatItMovesOnly) {
    SmallForecast::TempFolder folder;
    const std::string changed = ChangedCopy(folder).string();

    const Outcome standard =
        Command({"--export", "changes", kExample, changed, "--edition", "Std"});
    ASSERT_EQ(standard.status, 0) << standard.err;
    const auto records = CheckedRecords(standard);
    EXPECT_TRUE(Has(records, {"Expected > Harbour Bakery > 2025", "Retail Sales", "Jun",
                              "9500.00", "9700.00", "200.00"}));
    EXPECT_TRUE(Has(records, {"Expected > Harbour Bakery > 2025", "Retail Sales", "Total",
                              "113300.00", "113500.00", "200.00"}));
    for (const auto& record : records) {
        // The other company and scenario do not read the bakery's expected sales.
        EXPECT_EQ(record[0].find("Catering"), std::string::npos) << record[0];
        EXPECT_EQ(record[0].find("Cautious"), std::string::npos) << record[0];
        EXPECT_FALSE(record[3].empty() || record[4].empty()) << record[1];
    }

    const Outcome advanced =
        Command({"--export", "changes", kExample, changed, "--edition", "Adv"});
    ASSERT_EQ(advanced.status, 0) << advanced.err;
    const auto adv = CheckedRecords(advanced);
    const std::string bakery = "Forecast 2024-2026 > Expected > Harbour Bakery > 2025";
    EXPECT_TRUE(Has(adv, {bakery, "Retail Sales", "Jun 24 Expected", "9500.00", "9700.00",
                          "200.00"}));
    // Actual June sales were 9,410.00.
    EXPECT_TRUE(Has(adv, {bakery, "Retail Sales", "Jun 24 Variance", "-90.00", "-290.00",
                          "-200.00"}));

    const Outcome failing =
        Command({"--export", "changes", kExample, changed, "--fail-on-change"});
    EXPECT_EQ(failing.status, 3);
    EXPECT_EQ(failing.out, standard.out);
}

TEST(ChangesCommandTest, ItselfUnreadableAndRefused) {
    for (const char* edition : {"Bas", "Std", "Adv"}) {
        const Outcome itself = Command(
            {"--export", "changes", kExample, kExample, "--edition", edition, "--fail-on-change"});
        EXPECT_EQ(itself.status, 0) << edition << itself.err;
        EXPECT_EQ(itself.out, kHeader) << edition;
    }

    SmallForecast::TempFolder folder;
    const auto damaged = folder / "damaged.cfs";
    SmallForecast::WriteFile(damaged, {'n', 'o', 't'});
    const Outcome unreadable = Command({"--export", "changes", kExample, damaged.string()});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("cannot read the newer version \"" + damaged.string() + "\""),
              std::string::npos)
        << unreadable.err;
    EXPECT_EQ(unreadable.out, "");

    EXPECT_EQ(Command({"--export", "changes", kExample}).status, 2);
    EXPECT_EQ(Command({"--export", "changes", kExample, kExample, "--year", "0"}).status, 2);
    EXPECT_EQ(Command({"--export", "csv", kExample, "--fail-on-change"}).status, 2);
    EXPECT_EQ(Command({"--export", "changes", kExample, kExample, "-o", kExample}).status, 2);

    const auto workbook = folder / "changes.xlsx";
    const Outcome xlsx = Command({"--export", "changes", kExample, ChangedCopy(folder).string(),
                                  "-o", workbook.string()});
    EXPECT_EQ(xlsx.status, 0) << xlsx.err;
    // The first sheet is the summary; the second lists a statement's changes, each difference
    // formed by the spreadsheet.
    EXPECT_NE(ZipMember(workbook, "xl/worksheets/sheet2.xml").find("<f>D2-C2</f>"),
              std::string::npos);
}

} // namespace
