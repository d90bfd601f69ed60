#include <fstream>
#include <functional>
#include <stdexcept>
#include <sstream>

#include <gtest/gtest.h>

#include "database/CDisplaySettings.h"
#include "items/CBank.h"
#include "items/CNote.h"
#include "statement/AdvStatementCsv.h"
#include "statement/AdvStatementModel.h"
#include "support/SmallAdvYear.h"
#include "views/StatementForecast.h"

using namespace Statement;
using Database::kActual;
using Database::kExpected;
using Database::kVariance;

namespace {

std::string ReadExpected(const char* name) {
    std::ifstream in(std::string(VARNOBEL_TEST_DATA) + "/adv/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One real scenario and company whose year 0 has no bank unless a test gives it one.
class ModelTest : public ::testing::Test {
protected:
    explicit ModelTest(int startMonth = 0) : forecast({100}, {1.0}, 1, startMonth) {
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.Items(kBank).Clear();
        });
    }

    // An item with the given Expected and Actual figures by calendar month in every company.
    void AddItem(int category, const Text& name, std::vector<std::pair<int, Amount>> expected,
                 std::vector<std::pair<int, Amount>> actual = {}) {
        AddMonthlyItem(forecast, category, name, expected, actual);
    }
    void Every(const std::function<void(Database::CYear&)>& change) {
        forecast.EveryYear(0, change);
    }

    const AdvStatementModel& Build(AdvOutline outline = AdvOutline::File) {
        model = BuildAdvStatementModel(forecast.doc, LayoutKey(0, 0, 0, 0), outline);
        return model;
    }
    const AdvEntry& Entry(const Text& label) const {
        for (const AdvEntry& entry : model.entries)
            if (entry.label == label)
                return entry;
        throw std::out_of_range("no entry");
    }
    // Actual, Expected and Variance of a display position, or of the totals (-1).
    std::array<Amount, 3> Figures(const Text& label, int position) const {
        const AdvEntry& entry = Entry(label);
        const AdvTriple& cells =
            position < 0 ? entry.totals : entry.months[static_cast<std::size_t>(position)];
        return {cells[kActual].value, cells[kExpected].value, cells[kVariance].value};
    }

    StatementForecast forecast;
    AdvStatementModel model;
};

TEST_F(ModelTest, ASmallYearReadsAsItsCheckedInCsv) {
    BuildSmallAdvYear(forecast);
    EXPECT_EQ(AdvStatementCsv(Build()), ReadExpected("small-year.csv"));
}

// Income less direct costs: two section totals feeding one summary row.
TEST_F(ModelTest, TotalsAreTrueSumsThatFeedTheirParents) {
    std::vector<std::pair<int, Amount>> sales, stock;
    for (int m = 0; m < kMonths; ++m) {
        sales.emplace_back(m, 100000);
        stock.emplace_back(m, 30000);
    }
    AddItem(kIncome, u"Sales", sales, {{0, 90000}});
    AddItem(kDirectCost, u"Stock", stock);
    Every([](Database::CYear& year) {
        year.incomeExpected = 1200000;
        year.display.showExpected[11] = false; // shown or not, December counts (all months)
    });
    Build();
    EXPECT_EQ(Figures(u"Total Income", -1)[kExpected], 1200000);
    EXPECT_EQ(Figures(u"Total Direct Costs", -1)[kExpected], 360000);
    // 1,000.00 - 300.00 a month; Actual only in January.
    EXPECT_EQ(Figures(u"GROSS SURPLUS", 5), (std::array<Amount, 3>{0, 70000, -70000}));
    EXPECT_EQ(Figures(u"GROSS SURPLUS", 0), (std::array<Amount, 3>{90000, 70000, 20000}));
    EXPECT_EQ(Figures(u"GROSS SURPLUS", -1), (std::array<Amount, 3>{90000, 840000, -750000}));
    EXPECT_EQ(Entry(u"GROSS SURPLUS").percents[kExpected].value, 7000);
    EXPECT_EQ(Entry(u"GROSS SURPLUS").percents[kExpected].Text(), "70.00 ");
    // No Actual income: no Actual percentage, and the Variance one counts it as 0.
    EXPECT_FALSE(Entry(u"GROSS SURPLUS").percents[kActual].present);
    EXPECT_EQ(Entry(u"GROSS SURPLUS").percents[kVariance].value, -7000);
    // December's Expected is switched off: no figure there, though the total counts it.
    EXPECT_FALSE(Entry(u"Total Income").months[11][kExpected].present);
    EXPECT_TRUE(Entry(u"Total Income").months[11][kActual].present);
}

TEST_F(ModelTest, AClosedSectionKeepsItsFiguresAndAHiddenRowFeedsNothing) {
    AddItem(kIncome, u"Sales", {{0, 1000}});
    AddItem(kIncome, u"Fees", {{0, 500}});
    Every([](Database::CYear& year) {
        year.ItemAt(kIncome, 1).SetHidden(true);
        year.sectionState[kIncome] = 0;
    });
    Build();
    EXPECT_TRUE(Entry(u"Sales").hidden);
    EXPECT_FALSE(Entry(u"Total Income").hidden);
    EXPECT_TRUE(Entry(u"Fees").suppressed);
    EXPECT_EQ(Figures(u"Total Income", 0)[kExpected], 1000);
    EXPECT_EQ(Figures(u"NET SURPLUS", 0)[kExpected], 1000);
    // A section without rows keeps nothing to show.
    EXPECT_TRUE(Entry(u"DIRECT COSTS").suppressed);
    EXPECT_TRUE(Entry(u"Total Direct Costs").suppressed);
}

TEST_F(ModelTest, OpeningBalancesReachTheClosingBalanceWhateverTheColumnsShow) {
    Every([](Database::CYear& year) {
        Item::CBank& bank = ForecastBuilder::AddRow<Item::CBank>(year, kBank);
        bank.name = u"Current";
        for (int m = 0; m < 12; ++m) {
            bank.ExpectedBalance[static_cast<std::size_t>(m)] = 10000 * (m + 1);
            bank.ExpectedAdjustments[static_cast<std::size_t>(m)] = 500;
        }
        bank.NoOdLimit = true;
        year.display.includeHidden = false;
        year.display.showExpected[11] = false;
    });
    Build();
    EXPECT_EQ(Figures(u"Opening Balance", -1)[kExpected], 10000);
    EXPECT_EQ(Figures(u"Closing Balance", 5)[kExpected], 60500);
    // December's Expected column is off, yet the year closes on it, opening included.
    EXPECT_EQ(Figures(u"Closing Balance", -1)[kExpected], 120500);
    EXPECT_TRUE(Entry(u"O/D Limit").suppressed);
    EXPECT_EQ(Entry(u"  Current").kind, AdvEntryKind::BlockHeading);
}

TEST_F(ModelTest, TheColumnsFollowTheFlagsAlone) {
    AddItem(kIncome, u"Sales", {{0, 1000}});
    Every([](Database::CYear& year) {
        year.display.showActual[3] = year.display.showExpected[3] = false;
        year.display.showVariance[3] = false;
        year.display.totalVariance = false;
    });
    const std::string csv = AdvStatementCsv(Build());
    const std::string header = csv.substr(0, csv.find("\r\n"));
    EXPECT_EQ(header.find("Apr 24"), std::string::npos);
    EXPECT_NE(header.find("Mar 24 Variance,May 24 Actual"), std::string::npos);
    EXPECT_NE(header.find("Total Expected,Percentage Actual"), std::string::npos);
    EXPECT_EQ(Entry(u"Sales").months[0][kActual].Text(), "-  ");
}

} // namespace
