#include <gtest/gtest.h>

#include <memory>

#include "database/CCompany.h"
#include "forecast/TreeTestSupport.h"
#include "items/CItem.h"
#include "support/ByteBuilder.h"

using Database::CCompany;
using Database::CTaxSetup;
using Database::CYear;
using namespace TreeTest;

namespace {

std::unique_ptr<CTaxSetup> MakeSetup(const char16_t* name, std::int32_t periodLength) {
    auto setup = std::make_unique<CTaxSetup>();
    setup->name = name;
    setup->PeriodLength = periodLength;
    return setup;
}

} // namespace

TEST(CompanyRecord, TaxSetupsPrecedeYearsInTheFile) {
    ByteBuilder b;
    b.Base(u"Co").F64(1.0).F64(2.5);
    // Class CTaxSetup takes index 1, its objects 2 and 3.
    b.U16(2);
    b.NewClass("CTaxSetup").Base(u"T1").F64(1.0).I32(6).I32(3).I32(1).U8(0).U16(0);
    b.OldClass(1).Base(u"T2").F64(1.0).I32(0).I32(2).I32(0).U8(1).U16(0);
    // Class CYear takes index 4; these year records stop after their version (below 1.0).
    b.U16(3);
    b.NewClass("CYear").Base(u"Y1").F64(0.5);
    b.OldClass(4).Base(u"Y2").F64(0.5);
    b.OldClass(4).Base(u"Y3").F64(0.5);
    b.Wide(u"books.iif").Narrow("Other").U8(1);
    b.F64(1.0).I32(0); // an empty matching table

    CCompany company;
    company.importSource = u"stale";
    EXPECT_EQ(LoadRecord(company, b.Bytes()), 0u);
    EXPECT_EQ(company.name, u"Co");
    EXPECT_EQ(company.weight, 2.5);
    ASSERT_EQ(company.YearCount(), 3);
    EXPECT_EQ(company.Year(0).name, u"Y1");
    EXPECT_EQ(company.Year(2).name, u"Y3");
    ASSERT_EQ(company.TaxSetupCount(), 2);
    EXPECT_EQ(company.TaxSetup(0)->name, u"T1");
    EXPECT_EQ(company.TaxSetup(0)->PeriodLength, 3);
    EXPECT_EQ(company.TaxSetup(1)->name, u"T2");
    EXPECT_TRUE(company.TaxSetup(1)->Compound);
    EXPECT_EQ(company.importFile, u"books.iif");
    EXPECT_EQ(company.importSource, u"Other");
    EXPECT_TRUE(company.importTaxFlag);
    EXPECT_EQ(company.matchings.Count(), 0);
}

TEST(CompanyRecord, RoundTripsAndRejectsNewerVersions) {
    auto company = MakeCompany(u"Co", 2);
    company->weight = 0.75;
    company->taxSetups.Append(MakeSetup(u"GST", 2));
    company->importFile = u"f";
    company->matchings.Add(u"Sales", u"x", 0, 1, 2);
    const Bytes stored = StoreRecord(*company);

    CCompany loaded;
    EXPECT_EQ(LoadRecord(loaded, stored), 0u);
    EXPECT_EQ(loaded.weight, 0.75);
    EXPECT_EQ(loaded.YearCount(), 2);
    EXPECT_EQ(loaded.Year(1).year, 2002);
    EXPECT_EQ(loaded.matchings.Count(), 1);
    EXPECT_EQ(StoreRecord(loaded), stored);

    ByteBuilder b;
    b.Base().F64(1.1);
    EXPECT_EQ(FailureOf([&] { LoadRecord(loaded, b.Bytes()); }), "not supported");
}

TEST(CompanyLookup, YearsFailSetupsAnswerNone) {
    auto company = MakeCompany(u"Co", 3);
    company->Year(1).SetHidden(true);
    company->taxSetups.Append(MakeSetup(u"GST", 1));
    EXPECT_EQ(company->HiddenYearCount(), 1);
    EXPECT_EQ(FailureOf([&] { company->Year(3); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { company->Year(-1); }), "Not Found");
    EXPECT_EQ(company->FindYear(3), nullptr);
    EXPECT_NE(company->TaxSetup(0), nullptr);
    EXPECT_EQ(company->TaxSetup(1), nullptr);
    EXPECT_EQ(company->TaxSetup(-1), nullptr);
}

TEST(CompanyLookup, ObjectAtContinuesAtTheYearLevel) {
    auto company = MakeCompany(u"Co", 2);
    company->Year(0).graphs.Append(std::make_unique<Database::CGraphSettings>());
    LayoutKey key;
    EXPECT_EQ(company->ObjectAt(key), company.get());
    // A graph without a year is the first year's graph.
    key[LayoutKey::kGraph] = 0;
    EXPECT_EQ(company->ObjectAt(key), &company->Year(0).Graph(0));
    key[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    key[LayoutKey::kYear] = 1;
    EXPECT_EQ(company->ObjectAt(key), &company->Year(1));
    key[LayoutKey::kCategory] = kBank;
    key[LayoutKey::kPosition] = 0;
    EXPECT_EQ(company->ObjectAt(key), &company->Year(1).ItemAt(kBank, 0));
    key[LayoutKey::kYear] = 2;
    EXPECT_EQ(FailureOf([&] { company->ObjectAt(key); }), "Not Found");

    CCompany empty;
    LayoutKey graphKey;
    graphKey[LayoutKey::kGraph] = 0;
    EXPECT_EQ(FailureOf([&] { empty.ObjectAt(graphKey); }), "Not Found");
}

TEST(CompanyMerge, AppendsMissingYearsAndSetups) {
    auto source = MakeCompany(u"Src", 3);
    source->weight = 4.0;
    source->taxSetups.Append(MakeSetup(u"GST", 2));
    source->taxSetups.Append(MakeSetup(u"PST", 4));
    auto& sales = static_cast<Item::CItem&>(
        source->Year(2).Items(kIncome).Append(std::make_unique<Item::CItem>()));
    sales.Expected[1] = 500;
    sales.Actual[1] = 400;

    auto target = MakeCompany(u"Tgt", 1);
    target->weight = 0.5;
    target->Year(0).year = 1980;
    target->taxSetups.Append(MakeSetup(u"Old", 1));
    // p = 1, q = 0: Expected copied, actuals not.
    EXPECT_FALSE(target->Merge(source.get(), 1, 0, false));
    EXPECT_EQ(target->name, u"Tgt");
    EXPECT_EQ(target->weight, 0.5);
    ASSERT_EQ(target->YearCount(), 3);
    EXPECT_EQ(target->Year(0).year, 1980); // merged without identity
    EXPECT_EQ(target->Year(2).year, 2000); // a new year keeps its constructor number
    ASSERT_EQ(target->Year(2).ItemCount(kIncome), 1);
    const auto& row = static_cast<Item::CItem&>(target->Year(2).ItemAt(kIncome, 0));
    EXPECT_EQ(row.Expected[1], 500);
    EXPECT_EQ(row.Actual[1], 0);
    ASSERT_EQ(target->TaxSetupCount(), 2);
    EXPECT_EQ(target->TaxSetup(0)->name, u"GST"); // a setup copy takes its name
    EXPECT_EQ(target->TaxSetup(1)->PeriodLength, 4);

    EXPECT_FALSE(target->Merge(source.get(), 1, 1, true));
    EXPECT_EQ(target->name, u"Src");
    EXPECT_EQ(target->weight, 4.0);
    EXPECT_EQ(target->Year(0).year, 2001);

    EXPECT_TRUE(target->Merge(nullptr, 1, 1, true));
}

TEST(CompanyMerge, AFailingYearMergeReportsFailure) {
    auto source = MakeCompany(u"Src", 2);
    source->Year(1).Items(kBank).Clear();
    source->Year(1).Items(kBank).Append(std::make_unique<Item::CItem>());
    auto target = MakeCompany(u"Tgt", 1);
    EXPECT_TRUE(target->Merge(source.get(), 1, 1, false));
    EXPECT_EQ(target->YearCount(), 1); // the new year that failed is not kept
}
