#include <gtest/gtest.h>

#include <memory>

#include "calc/CalculationDriver.h"
#include "database/CPERT.h"
#include "forecast/TreeTestSupport.h"
#include "items/CItem.h"
#include "support/ByteBuilder.h"

using Database::CPERT;
using Database::CScenario;
using Database::CTabView;
using namespace TreeTest;

namespace {

// A root of two views: "Main" (one real scenario, two real companies, three years, two tax
// setups on the combined company) and a hidden "Other".
void Fill(CPERT& root) {
    auto main = MakeView(u"Main", 1, 2, 3);
    auto& combined = main->Scenario(-1).Company(-1);
    for (const char16_t* name : {u"GST", u"PST"}) {
        auto setup = std::make_unique<Database::CTaxSetup>();
        setup->name = name;
        combined.taxSetups.Append(std::move(setup));
    }
    main->taxExclusive = 0;
    root.views.Append(std::move(main));
    auto other = MakeView(u"Other", 2, 1, 1);
    other->SetHidden(true);
    root.views.Append(std::move(other));
}

Bytes ScenarioList(ObjectList<CScenario>& scenarios) {
    return Stored([&](Archive& ar) { ar.List(scenarios); });
}

} // namespace

TEST(RootRecord, Version12BecomesOneHiddenDefaultView) {
    ObjectList<CScenario> scenarios;
    scenarios.Append(MakeScenario(u"All", 0, 1, 1));
    scenarios.Append(MakeScenario(u"S0", 2, 1, 1));
    ByteBuilder b;
    b.Base(u"root").F64(1.2);
    b.I32(0);               // the view's tax-exclusive flag
    b.I32(0).I32(1).I32(0); // brackets, cents, percentage
    b.Raw(ScenarioList(scenarios));
    b.I32(10).I32(11).I32(12).I32(13); // margins

    CPERT root;
    root.printOption = 5;
    EXPECT_EQ(LoadRecord(root, b.Bytes()), 0u);
    EXPECT_EQ(root.name, u"root");
    EXPECT_EQ(root.brackets, 0);
    EXPECT_EQ(root.cents, 1);
    EXPECT_EQ(root.percentage, 0);
    EXPECT_EQ(root.marginTop, 10);
    EXPECT_EQ(root.marginRight, 13);
    EXPECT_EQ(root.printOption, 2);
    ASSERT_EQ(root.ViewCount(), 1);
    EXPECT_EQ(root.HiddenViewCount(), 1);
    const CTabView& view = root.View(0);
    EXPECT_EQ(view.name, u"Default");
    EXPECT_EQ(view.TaxExclusive(), 0);
    EXPECT_EQ(root.TaxExclusive(), 0);
    ASSERT_EQ(view.ScenarioCount(), 2);
    EXPECT_EQ(view.Scenario(0).name, u"S0");
    EXPECT_EQ(view.Scenario(0).weight, 2);
}

TEST(RootRecord, Version10ReadsNoMarginsAndEveryOldVersionPrintsOption2) {
    ObjectList<CScenario> scenarios;
    scenarios.Append(MakeScenario(u"All", 0, 0, 0));
    ByteBuilder b;
    b.Base().F64(1.0).I32(1).I32(1).I32(1).I32(1).Raw(ScenarioList(scenarios));

    CPERT root;
    root.marginTop = 5;
    root.marginLeft = 6;
    root.marginBottom = 7;
    root.marginRight = 8;
    root.printOption = 9;
    EXPECT_EQ(LoadRecord(root, b.Bytes()), 0u);
    EXPECT_EQ(root.marginTop, 5);
    EXPECT_EQ(root.marginLeft, 6);
    EXPECT_EQ(root.marginBottom, 7);
    EXPECT_EQ(root.marginRight, 8);
    EXPECT_EQ(root.printOption, 2);
    ASSERT_EQ(root.ViewCount(), 1);
    EXPECT_EQ(root.View(0).TaxExclusive(), 1);

    // 1.3 has the views list but no print option yet.
    CPERT source;
    Fill(source);
    ByteBuilder b13;
    b13.Base().F64(1.3).I32(0).I32(0).I32(0);
    b13.Raw(Stored([&](Archive& ar) { ar.List(source.views); }));
    b13.I32(1).I32(2).I32(3).I32(4);
    EXPECT_EQ(LoadRecord(root, b13.Bytes()), 0u);
    EXPECT_EQ(root.ViewCount(), 2); // the earlier view was deleted first
    EXPECT_EQ(root.View(1).name, u"Other");
    EXPECT_EQ(root.marginBottom, 3);
    EXPECT_EQ(root.printOption, 2);
    // Views read from their own records are tax exclusive.
    EXPECT_EQ(root.TaxExclusive(0), 1);
}

TEST(RootRecord, CurrentVersionRoundTripsAndNewerIsNotSupported) {
    CPERT source;
    Fill(source);
    source.cents = 0;
    source.marginLeft = 15;
    source.printOption = 1;
    const Bytes stored = StoreRecord(source);

    CPERT loaded;
    EXPECT_EQ(LoadRecord(loaded, stored), 0u);
    EXPECT_EQ(loaded.cents, 0);
    EXPECT_EQ(loaded.marginLeft, 15);
    EXPECT_EQ(loaded.printOption, 1);
    EXPECT_EQ(loaded.ViewCount(), 2);
    EXPECT_EQ(StoreRecord(loaded), stored);

    ByteBuilder b;
    b.Base().F64(1.41);
    EXPECT_EQ(FailureOf([&] { LoadRecord(loaded, b.Bytes()); }), "not supported");
    EXPECT_EQ(loaded.ViewCount(), 0); // views are deleted before the version is checked
}

TEST(RootLookup, KeysResolveLevelByLevel) {
    CPERT root;
    Fill(root);
    LayoutKey key;
    EXPECT_EQ(FailureOf([&] { root.ObjectAt(key); }), "Not Found");
    key[LayoutKey::kView] = 0;
    EXPECT_EQ(root.ObjectAt(key), &root.View(0));
    key[LayoutKey::kScenario] = -1;
    EXPECT_EQ(root.ObjectAt(key), &root.View(0).Scenario(-1));
    key[LayoutKey::kCompany] = 1;
    auto& company = root.View(0).Scenario(-1).Company(1);
    EXPECT_EQ(root.ObjectAt(key), &company);
    key[LayoutKey::kYear] = 2;
    EXPECT_EQ(root.ObjectAt(key), &company.Year(2));
    key[LayoutKey::kCategory] = kTotal;
    key[LayoutKey::kPosition] = 17;
    EXPECT_EQ(root.ObjectAt(key), &company.Year(2).ItemAt(kTotal, 17));
    EXPECT_EQ(company.Year(2).ItemAt(kTotal, 17).name, u"Loans");

    LayoutKey missing = key;
    missing[LayoutKey::kView] = 2;
    EXPECT_EQ(FailureOf([&] { root.ObjectAt(missing); }), "Not Found");
    missing = key;
    missing[LayoutKey::kScenario] = 1;
    EXPECT_EQ(FailureOf([&] { root.ObjectAt(missing); }), "Not Found");
    missing = key;
    missing[LayoutKey::kYear] = 3;
    EXPECT_EQ(FailureOf([&] { root.ObjectAt(missing); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { root.View(2); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { root.View(-1); }), "Not Found");
}

TEST(RootForwarding, AnswersForTheFirstViewsCombinedCompany) {
    CPERT root;
    Fill(root);
    EXPECT_EQ(root.HiddenViewCount(), 1);
    EXPECT_EQ(root.TaxExclusive(), 0);
    EXPECT_EQ(root.TaxExclusive(1), 1);
    EXPECT_EQ(root.TaxExclusive(7), 1); // a missing view answers 1
    EXPECT_EQ(FailureOf([&] { root.TaxExclusive(LayoutKey::kNoEntry); }), "Not Found");
    EXPECT_EQ(root.CompanyCount(), 2);
    EXPECT_EQ(root.YearCount(), 3);
    auto& combined = root.View(0).Scenario(-1).Company(-1);
    EXPECT_EQ(root.Year(1), &combined.Year(1));
    EXPECT_EQ(root.Year(3), nullptr);
    ASSERT_NE(root.TaxSetup(1), nullptr);
    EXPECT_EQ(root.TaxSetup(1)->name, u"PST");
    EXPECT_EQ(root.TaxSetup(2), nullptr);
}

TEST(RootForwarding, MissingViewsScenariosAndCompaniesAnswerNothing) {
    CPERT empty;
    EXPECT_EQ(empty.TaxExclusive(), 1);
    EXPECT_EQ(empty.TaxSetup(0), nullptr);
    EXPECT_EQ(empty.Year(0), nullptr);
    EXPECT_EQ(empty.CompanyCount(), 0);
    EXPECT_EQ(empty.YearCount(), 0);
    EXPECT_EQ(empty.ViewCount(), 0);

    CPERT noScenario;
    noScenario.views.Append(std::make_unique<CTabView>());
    EXPECT_EQ(noScenario.CompanyCount(), 0);
    EXPECT_EQ(noScenario.YearCount(), 0);

    CPERT noCompany;
    auto view = std::make_unique<CTabView>();
    view->scenarios.Append(std::make_unique<CScenario>());
    noCompany.views.Append(std::move(view));
    EXPECT_EQ(noCompany.CompanyCount(), 0);
    EXPECT_EQ(noCompany.Year(0), nullptr);
    EXPECT_EQ(noCompany.TaxSetup(0), nullptr);
}

TEST(RootRecalculate, CalculatesEveryView) {
    CPERT root;
    for (const char16_t* name : {u"First", u"Second"}) {
        auto view = MakeView(name, 1, 1, 1);
        auto& sales =
            static_cast<Item::CItem&>(view->Scenario(0).Company(0).Year(0).Items(kIncome).Append(
                std::make_unique<Item::CItem>()));
        sales.Expected[4] = 1000;
        root.views.Append(std::move(view));
    }
    Database::Recalculate(root);
    for (int v = 0; v < 2; ++v) {
        // One row of 10.00 in May: the Income total of the company's year holds it.
        const auto& total = static_cast<const Item::CItem&>(
            root.View(v).Scenario(0).Company(0).Year(0).ItemAt(kTotal, kTotalIncome));
        EXPECT_EQ(total.Expected[4], 1000) << v;
    }
}
