#include <gtest/gtest.h>

#include <memory>

#include "database/CScenario.h"
#include "forecast/TreeTestSupport.h"
#include "items/CItem.h"
#include "support/ByteBuilder.h"

using Database::CScenario;
using namespace TreeTest;

TEST(ScenarioRecord, ReadsWeightThenCompanies) {
    ByteBuilder b;
    b.Base(u"Best").F64(1.0).I32(3).U16(2);
    b.NewClass("CCompany").Base(u"All").F64(0.9); // a company record stopping after its version
    b.OldClass(1).Base(u"A").F64(0.9);

    CScenario scenario;
    EXPECT_EQ(LoadRecord(scenario, b.Bytes()), 0u);
    EXPECT_EQ(scenario.name, u"Best");
    EXPECT_EQ(scenario.weight, 3);
    ASSERT_EQ(scenario.CompanyCount(), 2);
    EXPECT_EQ(scenario.Company(-1).name, u"All");
    EXPECT_EQ(scenario.Company(0).name, u"A");
}

TEST(ScenarioRecord, RoundTripsAndRejectsNewerVersions) {
    auto scenario = MakeScenario(u"S", 7, 2, 1);
    const Bytes stored = StoreRecord(*scenario);
    CScenario loaded;
    loaded.companies.Append(MakeCompany(u"stale", 0));
    EXPECT_EQ(LoadRecord(loaded, stored), 0u);
    EXPECT_EQ(loaded.CompanyCount(), 3);
    EXPECT_EQ(loaded.Company(1).name, u"B");
    EXPECT_EQ(StoreRecord(loaded), stored);

    ByteBuilder b;
    b.Base().F64(1.01);
    EXPECT_EQ(FailureOf([&] { LoadRecord(loaded, b.Bytes()); }), "not supported");
}

TEST(ScenarioLookup, CompaniesAreIndexedFromMinusOne) {
    auto scenario = MakeScenario(u"S", 1, 2, 1);
    EXPECT_EQ(scenario->Company(-1).name, u"Combined");
    EXPECT_EQ(scenario->Company(1).name, u"B");
    EXPECT_EQ(FailureOf([&] { scenario->Company(2); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { scenario->Company(-2); }), "Not Found");
    EXPECT_EQ(scenario->FindCompany(2), nullptr);
    scenario->Company(0).SetHidden(true);
    scenario->Company(-1).SetHidden(true);
    EXPECT_EQ(scenario->HiddenCompanyCount(), 2);

    CScenario only;
    only.companies.Append(MakeCompany(u"Combined", 0));
    EXPECT_EQ(FailureOf([&] { only.Company(0); }), "Not Found");
    EXPECT_EQ(&only.Company(-1), only.FindCompany(-1));
}

TEST(ScenarioLookup, ObjectAtContinuesAtTheCompanyLevel) {
    auto scenario = MakeScenario(u"S", 1, 1, 2);
    LayoutKey key;
    EXPECT_EQ(scenario->ObjectAt(key), scenario.get());
    key[LayoutKey::kCompany] = -1;
    EXPECT_EQ(scenario->ObjectAt(key), &scenario->Company(-1));
    key[LayoutKey::kYear] = 1;
    EXPECT_EQ(scenario->ObjectAt(key), &scenario->Company(-1).Year(1));
    key[LayoutKey::kCompany] = 1;
    EXPECT_EQ(FailureOf([&] { scenario->ObjectAt(key); }), "Not Found");
}

TEST(ScenarioMerge, OneRealCompanyIntoAnEmptyScenarioHidesTheCombined) {
    auto source = MakeScenario(u"Src", 5, 1, 1);
    source->Company(0).weight = 2.5;
    auto& sales = static_cast<Item::CItem&>(
        source->Company(0).Year(0).Items(kIncome).Append(std::make_unique<Item::CItem>()));
    sales.Expected[0] = 900;
    sales.Actual[0] = 800;

    CScenario target;
    target.name = u"Tgt";
    target.weight = 2;
    // p = 0 with q = 1 passed on: actuals copied, Expected not, names kept.
    EXPECT_FALSE(target.Merge(source.get(), 0, false));
    EXPECT_EQ(target.name, u"Tgt");
    EXPECT_EQ(target.weight, 2);
    ASSERT_EQ(target.CompanyCount(), 2);
    EXPECT_TRUE(target.Company(-1).IsHidden());
    EXPECT_FALSE(target.Company(0).IsHidden());
    EXPECT_EQ(target.Company(0).weight, 1.0);
    EXPECT_EQ(target.Company(0).name, u" ");
    const auto& row = static_cast<Item::CItem&>(target.Company(0).Year(0).ItemAt(kIncome, 0));
    EXPECT_EQ(row.Actual[0], 800);
    EXPECT_EQ(row.Expected[0], 0);

    CScenario copy;
    EXPECT_FALSE(copy.Merge(source.get(), 1, true));
    EXPECT_EQ(copy.name, u"Src");
    EXPECT_EQ(copy.weight, 5);
    EXPECT_EQ(copy.Company(0).name, u"A");
    EXPECT_EQ(copy.Company(0).weight, 2.5);
}

TEST(ScenarioMerge, TwoRealCompaniesLeaveTheCombinedShown) {
    auto source = MakeScenario(u"Src", 1, 2, 1);
    CScenario target;
    EXPECT_FALSE(target.Merge(source.get(), 0, false));
    EXPECT_EQ(target.CompanyCount(), 3);
    EXPECT_FALSE(target.Company(-1).IsHidden());
    EXPECT_TRUE(target.Merge(nullptr, 0, false));
}
