#include <gtest/gtest.h>

#include <memory>

#include "database/CTabView.h"
#include "forecast/TreeTestSupport.h"
#include "items/CItem.h"
#include "support/ByteBuilder.h"

using Database::CCompany;
using Database::CScenario;
using Database::CTabView;
using namespace TreeTest;

namespace {

Item::CItem& IncomeRow(CCompany& company, int year) {
    return static_cast<Item::CItem&>(company.Year(year).ItemAt(kIncome, 0));
}

// Reads a scenario list in the single-view layout of old roots.
void ReadSingle(CTabView& view, ObjectList<CScenario>& scenarios) {
    const Bytes bytes = Stored([&](Archive& ar) { ar.List(scenarios); });
    Archive ar(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
    view.ReadSingleView(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
}

} // namespace

TEST(TabViewRecord, ReadingResetsTaxExclusiveAndRoundTrips) {
    auto view = MakeView(u"Main", 2, 1, 1);
    const Bytes stored = StoreRecord(*view);

    CTabView loaded;
    loaded.taxExclusive = 0;
    EXPECT_EQ(LoadRecord(loaded, stored), 0u);
    EXPECT_EQ(loaded.TaxExclusive(), 1);
    EXPECT_EQ(loaded.name, u"Main");
    ASSERT_EQ(loaded.ScenarioCount(), 3);
    EXPECT_EQ(loaded.Scenario(1).name, u"S1");
    EXPECT_EQ(StoreRecord(loaded), stored);

    ByteBuilder b;
    b.Base().F64(1.1);
    EXPECT_EQ(FailureOf([&] { LoadRecord(loaded, b.Bytes()); }), "not supported");
}

TEST(TabViewLookup, ScenariosAreIndexedFromMinusOne) {
    CTabView view;
    view.scenarios.Append(MakeScenario(u"Combined", 0, 1, 1));
    EXPECT_EQ(view.Scenario(-1).name, u"Combined");
    EXPECT_EQ(FailureOf([&] { view.Scenario(0); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { view.Scenario(-2); }), "Not Found");
    view.scenarios.Append(MakeScenario(u"S0", 1, 1, 1));
    view.Scenario(0).SetHidden(true);
    EXPECT_EQ(view.HiddenScenarioCount(), 1);

    LayoutKey key;
    EXPECT_EQ(view.ObjectAt(key), &view);
    key[LayoutKey::kScenario] = 0;
    EXPECT_EQ(view.ObjectAt(key), &view.Scenario(0));
    key[LayoutKey::kCompany] = 0;
    EXPECT_EQ(view.ObjectAt(key), &view.Scenario(0).Company(0));
    key[LayoutKey::kScenario] = 1;
    EXPECT_EQ(FailureOf([&] { view.ObjectAt(key); }), "Not Found");
}

TEST(TabViewSingleLayout, SpreadsTheFirstScenarioToTheOthers) {
    ObjectList<CScenario> scenarios;
    auto combined = std::make_unique<CScenario>();
    combined->name = u"All";
    scenarios.Append(std::move(combined));

    auto first = std::make_unique<CScenario>();
    first->weight = 1;
    first->companies.Append(MakeCompany(u"C0", 0));
    first->companies.Append(MakeCompany(u"A", 2));
    first->Company(0).weight = 2.5;
    auto& sales = static_cast<Item::CItem&>(
        first->Company(0).Year(0).Items(kIncome).Append(std::make_unique<Item::CItem>()));
    sales.name = u"Sales";
    sales.Expected[2] = 500;
    sales.Actual[2] = 300;
    scenarios.Append(std::move(first));

    auto second = std::make_unique<CScenario>();
    second->weight = 3;
    second->companies.Append(MakeCompany(u"C1", 0));
    second->companies.Append(MakeCompany(u"B", 1));
    second->Company(0).weight = 0.5;
    scenarios.Append(std::move(second));

    CTabView view;
    ReadSingle(view, scenarios);
    ASSERT_EQ(view.ScenarioCount(), 3);

    // S0's combined company takes the shape only (p = q = 0).
    CCompany& c0 = view.Scenario(0).Company(-1);
    EXPECT_EQ(c0.name, u"C0");
    ASSERT_EQ(c0.YearCount(), 2);
    EXPECT_EQ(IncomeRow(c0, 0).Actual[2], 0);
    EXPECT_EQ(IncomeRow(c0, 0).Expected[2], 0);
    EXPECT_FALSE(c0.IsHidden());

    // The combined scenario gets both companies, with actuals (q = 1) but no Expected (p = 0).
    CScenario& all = view.Scenario(-1);
    EXPECT_EQ(all.name, u"All");
    ASSERT_EQ(all.CompanyCount(), 2);
    EXPECT_TRUE(all.Company(-1).IsHidden());
    EXPECT_EQ(all.Company(0).name, u" ");
    EXPECT_EQ(all.Company(0).weight, 1.0);
    ASSERT_EQ(all.Company(0).YearCount(), 2);
    EXPECT_EQ(IncomeRow(all.Company(0), 0).Actual[2], 300);
    EXPECT_EQ(IncomeRow(all.Company(0), 0).Expected[2], 0);
    EXPECT_EQ(IncomeRow(all.Company(0), 0).name, u" ");

    // The second scenario keeps its own identity and gains the first one's shape and actuals.
    CScenario& s1 = view.Scenario(1);
    EXPECT_EQ(s1.weight, 3);
    EXPECT_TRUE(s1.Company(-1).IsHidden());
    EXPECT_EQ(s1.Company(0).name, u"B");
    EXPECT_EQ(s1.Company(0).weight, 0.5);
    ASSERT_EQ(s1.Company(0).YearCount(), 2);
    EXPECT_EQ(IncomeRow(s1.Company(0), 0).Actual[2], 300);
}

TEST(TabViewSingleLayout, AMissingCompanyEndsTheConversionSilently) {
    ObjectList<CScenario> scenarios;
    scenarios.Append(std::make_unique<CScenario>());
    auto first = std::make_unique<CScenario>();
    first->companies.Append(MakeCompany(u"C0", 1)); // the combined company only
    scenarios.Append(std::move(first));
    scenarios.Append(MakeScenario(u"S1", 1, 1, 1));

    CTabView view;
    ReadSingle(view, scenarios);
    ASSERT_EQ(view.ScenarioCount(), 3);
    EXPECT_EQ(view.Scenario(-1).CompanyCount(), 0);
    EXPECT_FALSE(view.Scenario(1).Company(-1).IsHidden());

    // A list holding only the combined scenario converts nothing.
    ObjectList<CScenario> lone;
    lone.Append(MakeScenario(u"All", 0, 1, 1));
    CTabView single;
    ReadSingle(single, lone);
    EXPECT_EQ(single.ScenarioCount(), 1);
    EXPECT_FALSE(single.Scenario(-1).Company(-1).IsHidden());
}

TEST(TabViewSingleLayout, ConversionBeyondTheRowBudgetKeepsTheScenariosAsRead) {
    // S0: an empty combined company and one company of one new year (bank + 18 totals), so one
    // merge may create (1 + 18) + 19 = 38 rows; enough empty scenarios to exceed the budget.
    const int count = static_cast<int>(CTabView::kMaxConvertedRows / 38) + 1;
    ObjectList<CScenario> scenarios;
    scenarios.Append(std::make_unique<CScenario>());
    auto first = std::make_unique<CScenario>();
    first->companies.Append(MakeCompany(u"C0", 0));
    first->companies.Append(MakeCompany(u"A", 1));
    scenarios.Append(std::move(first));
    for (int i = 2; i < count; ++i)
        scenarios.Append(std::make_unique<CScenario>());

    CTabView view;
    ReadSingle(view, scenarios);
    ASSERT_EQ(view.ScenarioCount(), count);
    EXPECT_EQ(view.Scenario(-1).CompanyCount(), 0);
    EXPECT_EQ(view.Scenario(0).Company(-1).YearCount(), 0);
    EXPECT_EQ(view.Scenario(count - 2).CompanyCount(), 0);
}
