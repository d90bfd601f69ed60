#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "statement/compare/ForecastComparison.h"
#include "views/StatementForecast.h"
#include "views/export/ForecastCompare.h"

namespace {

using Statement::ForecastComparison;
using Statement::SettingChange;

// Two years of one income row of 100.00 a month and a row of nothing, without a bank (so that
// no balance carries one change into every later month) and without the percentage column.
// The newer version raises March 2020's sales to 130.00, adds a row to 2020, renames the
// row of nothing in 2021, ends 2021 after October and halves the company's weight.
std::unique_ptr<StatementForecast> Version(bool newer) {
    auto forecast = std::make_unique<StatementForecast>(std::vector<int>{100},
                                                        std::vector<double>{1.0}, 2);
    forecast->doc.Root().percentage = 0;
    forecast->View().name = u"Plan";
    for (int index : {0, 1}) {
        forecast->AddItem(kIncome, u"Sales", 10000, index);
        forecast->AddItem(kIncome, u"Fees", 0, index);
        forecast->EveryYear(index, [](Database::CYear& year) { year.Items(kBank).Clear(); });
    }
    if (newer) {
        forecast->EveryYear(0, [](Database::CYear& year) {
            dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).Expected[2] = 13000;
        });
        forecast->AddItem(kIncome, u"Grants", 0, 0);
        forecast->EveryYear(1, [](Database::CYear& year) {
            year.ItemAt(kIncome, 1).name = u"Service Fees";
            year.months = 10;
            // What a shortened year keeps beyond its end is not the comparison's concern.
            auto& sales = dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0));
            sales.Expected[10] = sales.Expected[11] = 0;
        });
        forecast->View().Scenario(0).Company(0).weight = 0.5;
    }
    forecast->doc.Recalculate();
    return forecast;
}

TEST(ForecastCompareTest, ListsEveryKnownDifferenceAndNothingElse) {
    const auto older = Version(false);
    const auto newer = Version(true);
    const ForecastComparison comparison =
        CompareForecasts(older->doc, newer->doc, Edition::Basic);

    EXPECT_EQ(Statement::ChangesCsv(comparison),
              "Statement,Row,Column,Older,Newer,Difference\r\n"
              "2020,Sales,Mar,100.00,130.00,30.00\r\n"
              "2020,Sales,Total,1200.00,1230.00,30.00\r\n"
              "2020,Grants,(row added),,,\r\n"
              "2020,Total Income,Mar,100.00,130.00,30.00\r\n"
              "2020,Total Income,Total,1200.00,1230.00,30.00\r\n"
              "2020,GROSS SURPLUS,Mar,100.00,130.00,30.00\r\n"
              "2020,GROSS SURPLUS,Total,1200.00,1230.00,30.00\r\n"
              "2020,NET SURPLUS,Mar,100.00,130.00,30.00\r\n"
              "2020,NET SURPLUS,Total,1200.00,1230.00,30.00\r\n"
              "2021,Sales,Nov,100.00,,\r\n"
              "2021,Sales,Dec,100.00,,\r\n"
              "2021,Sales,Total,1200.00,1000.00,-200.00\r\n"
              "2021,Service Fees,(row added),,,\r\n"
              "2021,Fees,(row removed),,,\r\n"
              "2021,Total Income,Nov,100.00,,\r\n"
              "2021,Total Income,Dec,100.00,,\r\n"
              "2021,Total Income,Total,1200.00,1000.00,-200.00\r\n"
              "2021,GROSS SURPLUS,Nov,100.00,,\r\n"
              "2021,GROSS SURPLUS,Dec,100.00,,\r\n"
              "2021,GROSS SURPLUS,Total,1200.00,1000.00,-200.00\r\n"
              "2021,Total Interest,Nov,0.00,,\r\n"
              "2021,Total Interest,Dec,0.00,,\r\n"
              "2021,NET SURPLUS,Nov,100.00,,\r\n"
              "2021,NET SURPLUS,Dec,100.00,,\r\n"
              "2021,NET SURPLUS,Total,1200.00,1000.00,-200.00\r\n");
    ASSERT_EQ(comparison.statements.size(), 2u);
    EXPECT_EQ(comparison.statements[0].changedFigures, 8);
    EXPECT_EQ(comparison.statements[1].changedFigures, 14);

    const std::vector<std::array<std::string, 4>> settings = {
        {"Plan > All > Group > 2021", "Months", "12", "10"},
        {"Plan > All > Company 1 > 2021", "Months", "12", "10"},
        {"Plan > Scenario 1 > Group > 2021", "Months", "12", "10"},
        {"Plan > Scenario 1 > Company 1", "Weight", "1", "0.5"},
        {"Plan > Scenario 1 > Company 1 > 2021", "Months", "12", "10"},
    };
    ASSERT_EQ(comparison.settings.size(), settings.size());
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const SettingChange& change = comparison.settings[i];
        EXPECT_EQ((std::array<std::string, 4>{change.where, change.setting, change.older,
                                              change.newer}),
                  settings[i]);
    }

    const ForecastComparison itself = CompareForecasts(newer->doc, newer->doc, Edition::Basic);
    EXPECT_FALSE(itself.Changed());
    EXPECT_EQ(Statement::ChangesCsv(itself), "Statement,Row,Column,Older,Newer,Difference\r\n");
}

} // namespace
