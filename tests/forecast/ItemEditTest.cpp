#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "database/CCompany.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/TaxFactor.h"

using Item::CItem;

namespace {

CItem RowWith(Amount expected, Amount actual) {
    CItem row;
    row.Expected.fill(expected);
    row.Actual.fill(actual);
    return row;
}

// A setup with one rate whose value applies from (year, month) on, and `before` until then.
void AddSetup(Database::CCompany& company, bool compound, Amount value, int year = 1950,
              int month = 0, Amount before = 0) {
    auto rate = std::make_unique<Database::CTaxRate>();
    rate->SubRates.Append(std::make_unique<Database::CTaxSubRate>(1950, 0, before));
    rate->SubRates.Append(std::make_unique<Database::CTaxSubRate>(year, month, value));
    auto setup = std::make_unique<Database::CTaxSetup>();
    setup->Compound = compound;
    setup->Rates.Append(std::move(rate));
    company.taxSetups.Append(std::move(setup));
}

} // namespace

TEST(ItemEdit, AddScaledFollowsTheMode) {
    const CItem source = RowWith(1001, 999);
    // Expected += trunc(0.5 × 0.3 × 1001) = trunc(150.15) = 150 in every mode.
    // Mode 1: Actual += trunc(0.5 × 999) = 499; mode 2: trunc(0.15 × 999) = trunc(149.85) = 149.
    const Amount actualAdded[] = {0, 499, 149, 0};
    for (int mode : {0, 1, 2, 3}) {
        CItem target = RowWith(10, 20);
        target.AddScaled(source, 0.5, 0.3, static_cast<Item::AddMode>(mode));
        EXPECT_EQ(target.Expected[4], 160) << "mode " << mode;
        EXPECT_EQ(target.Actual[4], 20 + actualAdded[mode]) << "mode " << mode;
    }
}

TEST(ItemEdit, AddScaledTruncatesTowardZero) {
    const CItem source = RowWith(-1001, -999);
    CItem target;
    target.AddScaled(source, 0.5, 0.3, Item::AddMode::ActualsByA);
    EXPECT_EQ(target.Expected[0], -150); // trunc(-150.15)
    EXPECT_EQ(target.Actual[0], -499);   // trunc(-499.5)
}

TEST(ItemEdit, AddScaledSkipsHiddenAndForeignSources) {
    CItem hidden = RowWith(100, 100);
    hidden.SetHidden(true);
    CItem target = RowWith(5, 5);
    target.AddScaled(hidden, 1.0, 1.0, Item::AddMode::ActualsByA);
    EXPECT_EQ(target.Expected[0], 5);
    Item::CBank bank;
    target.AddScaled(bank, 1.0, 1.0, Item::AddMode::ActualsByA);
    EXPECT_EQ(target.Actual[0], 5);
}

TEST(ItemEdit, ScaleRoundsHalfUpIncludingNegatives) {
    CItem row;
    row.Expected = {15, -15, 14, -14, 25, -25, 0, 1, -1, 100, 5, -5};
    row.Actual = row.Expected;
    row.Percent.fill(1234);
    row.Scale(0.1);
    // floor(v × 0.1 + 0.5): 1.5 → 2, -1.5 → -1, 1.4 → 1, -1.4 → -1, 2.5 → 3, -2.5 → -2,
    // 0.1 → 0, -0.1 → 0, 10, 0.5 → 1, -0.5 → 0.
    const MonthAmounts want = {2, -1, 1, -1, 3, -2, 0, 0, 0, 10, 1, 0};
    EXPECT_EQ(row.Expected, want);
    EXPECT_EQ(row.Actual, want);
    EXPECT_EQ(row.Percent[0], 1234); // percentages are not figures
}

TEST(ItemEdit, SumsAddIntoTheAccumulator) {
    CItem row;
    row.Expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    row.Actual.fill(-3);
    MonthAmounts accumulator{};
    accumulator[11] = 100;
    EXPECT_EQ(row.AddExpectedTo(accumulator), 78); // 12 × 13 / 2
    EXPECT_EQ(accumulator[0], 1);
    EXPECT_EQ(accumulator[11], 112);
    EXPECT_EQ(row.ActualSum(), -36);
}

TEST(ItemEdit, HugeFiguresSaturateInsteadOfOverflowing) {
    // Figures read from a damaged file may sit at the 64-bit limits.
    const Amount big = std::numeric_limits<Amount>::max();
    CItem row = RowWith(big, std::numeric_limits<Amount>::min());
    MonthAmounts accumulator{};
    accumulator.fill(big);
    EXPECT_EQ(row.AddExpectedTo(accumulator), big);
    EXPECT_EQ(accumulator[0], big);
    EXPECT_EQ(row.ActualSum(), std::numeric_limits<Amount>::min());
    CItem target = RowWith(big, 0);
    target.AddScaled(row, 1.0, 1.0, Item::AddMode::ActualsByA);
    EXPECT_EQ(target.Expected[0], big);
}

TEST(ItemEdit, CopyFromModes) {
    CItem source = RowWith(700, 300);
    source.name = u"Source";
    source.hidden = true;
    source.Percent.fill(50);
    source.PctType.fill(2);
    source.TaxLinks = {1, -1};

    CItem expectedSide = RowWith(1, 2);
    expectedSide.TaxLinks = {0, 0, 0};
    EXPECT_EQ(expectedSide.CopyFrom(source, 1, false, false), 0);
    EXPECT_EQ(expectedSide.TaxLinks, source.TaxLinks);
    EXPECT_EQ(expectedSide.Expected[6], 700);
    EXPECT_EQ(expectedSide.Actual[6], 2);
    EXPECT_EQ(expectedSide.PctType[6], 2);
    EXPECT_EQ(expectedSide.name, u" ");
    EXPECT_FALSE(expectedSide.hidden);

    CItem fromActuals = RowWith(1, 2);
    fromActuals.PctType.fill(1);
    fromActuals.CopyFrom(source, 2, true, true);
    EXPECT_EQ(fromActuals.Expected[0], 300);
    EXPECT_EQ(fromActuals.Actual[0], 300);
    EXPECT_EQ(fromActuals.Percent[0], 50);
    EXPECT_EQ(fromActuals.PctType[0], 0); // taken figures are entered, not derived
    EXPECT_EQ(fromActuals.name, u"Source");
    EXPECT_TRUE(fromActuals.hidden);

    Item::CBank bank;
    EXPECT_EQ(fromActuals.CopyFrom(bank, 1, true, true), 1);
    EXPECT_EQ(fromActuals.CopyMonth(0, bank, 0), 1);
    EXPECT_EQ(fromActuals.name, u"Source");
}

TEST(ItemEdit, MonthOperationsIgnoreMonthsOutsideTheYear) {
    CItem source = RowWith(9, 8);
    CItem row = RowWith(1, 2);
    row.Percent.fill(3);
    EXPECT_EQ(row.CopyMonth(12, source, 0), 0);
    EXPECT_EQ(row.CopyMonth(0, source, -1), 0);
    row.ClearMonth(12);
    row.ClearMonthPart(-1, true);
    EXPECT_EQ(row.Expected, RowWith(1, 2).Expected);
    EXPECT_EQ(row.Actual, RowWith(1, 2).Actual);

    row.CopyMonth(3, source, 5);
    EXPECT_EQ(row.Expected[3], 9);
    row.ClearMonthPart(3, false);
    EXPECT_EQ(row.Expected[3], 0);
    EXPECT_EQ(row.Percent[3], 0);
    EXPECT_EQ(row.Actual[3], 8);
}

TEST(ItemEdit, ClearComputedTouchesOnlyInputsOnRequest) {
    CItem row = RowWith(5, 6);
    row.Percent.fill(7);
    row.ClearComputed(false, false);
    EXPECT_EQ(row.Expected[0], 5); // an ordinary row has no computed-only figures
    row.ClearComputed(true, true);
    EXPECT_EQ(row.Expected[0], 0);
    EXPECT_EQ(row.Actual[11], 0);
    EXPECT_EQ(row.Percent[11], 7);
    row.ClearTotal();
    EXPECT_EQ(row.Percent[11], 0);
}

TEST(ItemTaxLinks, MoveAppendRemove) {
    CItem row;
    row.TaxLinks = {10, 11, 12, 13};
    EXPECT_FALSE(row.MoveTaxLink(0, 3)); // before the entry that was at 3
    EXPECT_EQ(row.TaxLinks, (std::vector<std::int32_t>{11, 12, 10, 13}));
    EXPECT_FALSE(row.MoveTaxLink(3, 0));
    EXPECT_EQ(row.TaxLinks, (std::vector<std::int32_t>{13, 11, 12, 10}));
    EXPECT_FALSE(row.MoveTaxLink(1, 99)); // past the end: to the end
    EXPECT_EQ(row.TaxLinks, (std::vector<std::int32_t>{13, 12, 10, 11}));
    EXPECT_TRUE(row.MoveTaxLink(4, 0));
    EXPECT_TRUE(row.MoveTaxLink(-1, 0));
    EXPECT_EQ(row.TaxLinks, (std::vector<std::int32_t>{13, 12, 10, 11}));

    EXPECT_FALSE(row.AppendTaxLink());
    EXPECT_EQ(row.TaxLinks.back(), -1);
    EXPECT_TRUE(row.RemoveTaxLink(5));
    EXPECT_FALSE(row.RemoveTaxLink(0));
    EXPECT_EQ(row.TaxLinks, (std::vector<std::int32_t>{12, 10, 11, -1}));
}

TEST(ItemTaxLinks, DropAndSetRates) {
    CItem row;
    row.TaxLinks = {2, 0};
    EXPECT_FALSE(row.DropTaxRate(0, 1)); // holds 2, not 1: unchanged
    EXPECT_EQ(row.TaxLinks[0], 2);
    EXPECT_FALSE(row.DropTaxRate(0, 2));
    EXPECT_EQ(row.TaxLinks[0], -1);
    EXPECT_TRUE(row.DropTaxRate(2, 0));
    EXPECT_FALSE(row.SetTaxLink(1, 4));
    EXPECT_TRUE(row.SetTaxLink(2, 4));
    EXPECT_TRUE(row.SetTaxLink(-1, 4));
    EXPECT_EQ(row.TaxLinks, (std::vector<std::int32_t>{-1, 4}));
}

TEST(ItemTaxLinks, BaseRowAnswersFalseAndNone) {
    Item::CBank bank;
    EXPECT_FALSE(bank.MoveTaxLink(5, 0));
    EXPECT_FALSE(bank.RemoveTaxLink(5));
    EXPECT_FALSE(bank.SetTaxLink(5, 0));
    EXPECT_EQ(bank.Setting(), nullptr);
    MonthAmounts accumulator{};
    EXPECT_EQ(bank.AddExpectedTo(accumulator), 0);
}

TEST(ItemTaxFactor, TwoSimpleSetupsOn115) {
    Database::CCompany company;
    AddSetup(company, false, 1000); // 10 %
    AddSetup(company, false, 500);  // 5 %
    Database::CYear year;
    year.startMonth = 0;
    CItem row = RowWith(11500, 11500);
    row.TaxLinks = {0, 0};
    // s = 1.0 + 0.1 + 0.05 = 1.1500000000000001 in doubles: trunc(11500 / s) = 9999.
    EXPECT_EQ(Item::TaxFactor(row, company, 2000, 0), 1.0 + 1000 * 0.0001 + 500 * 0.0001);
    EXPECT_EQ(row.ApplyTaxFactor(true, company, year), 0);
    EXPECT_EQ(row.Expected[0], 9999);
    EXPECT_EQ(row.Actual[11], 9999);
    // Back again: trunc(9999 × 1.1500000000000001) = trunc(11498.85) = 11498.
    row.ApplyTaxFactor(false, company, year);
    EXPECT_EQ(row.Expected[5], 11498);
}

TEST(ItemTaxFactor, CompoundSetupMultiplies) {
    Database::CCompany company;
    AddSetup(company, false, 1000);
    AddSetup(company, true, 500);
    Database::CYear year;
    CItem row = RowWith(11550, 0);
    row.TaxLinks = {0, 0};
    // s = 1.1 × 1.05 = 1.1550000000000002: trunc(11550 / s) = 9999.
    row.ApplyTaxFactor(true, company, year);
    EXPECT_EQ(row.Expected[7], 9999);
}

TEST(ItemTaxFactor, MissingSetupsRatesAndNegativeLinksCountAsNone) {
    Database::CCompany company;
    AddSetup(company, false, 1000);
    CItem row = RowWith(11000, 0);
    row.TaxLinks = {-1, 0};
    EXPECT_EQ(Item::TaxFactor(row, company, 2000, 0), 1.0);
    row.TaxLinks = {5};
    EXPECT_EQ(Item::TaxFactor(row, company, 2000, 0), 1.0);
    row.TaxLinks = {0};
    EXPECT_EQ(Item::TaxFactor(row, company, 2000, 0), 1.1);
}

TEST(ItemTaxFactor, RateChangesFollowTheCalendarMonth) {
    // 10 % from January 2020; nothing before. A year numbered 2020 that starts in April runs
    // from April 2019 to March 2020, so only January to March carry the tax.
    Database::CCompany company;
    AddSetup(company, false, 1000, 2020, 0);
    Database::CYear year;
    year.year = 2020;
    year.startMonth = 3;
    year.months = 12;
    CItem row = RowWith(11000, 11000);
    row.TaxLinks = {0};
    row.ApplyTaxFactor(true, company, year);
    for (int m = 0; m < kMonths; ++m)
        EXPECT_EQ(row.Expected[m], m < 3 ? 10000 : 11000) << "month " << m;
}

TEST(ItemTaxFactor, FinancialMonthsOfAYear) {
    Database::CYear year;
    year.year = 2021;
    year.startMonth = 3;
    year.months = 12;
    EXPECT_EQ(Item::FinancialMonth(year, 0).month, 3);
    EXPECT_EQ(Item::FinancialMonth(year, 0).year, 2020);
    EXPECT_EQ(Item::FinancialMonth(year, 9).month, 0);
    EXPECT_EQ(Item::FinancialMonth(year, 9).year, 2021);
    year.startMonth = 0;
    EXPECT_EQ(Item::FinancialMonth(year, 11).year, 2021);
    // A short year that ends in December does not run past it.
    year.startMonth = 6;
    year.months = 6;
    EXPECT_EQ(Item::FinancialMonth(year, 0).year, 2021);
    // Damaged start months still name a calendar month.
    year.startMonth = -5;
    EXPECT_EQ(Item::FinancialMonth(year, 0).month, 7);
    year.startMonth = 2147483647;
    year.months = 2147483647;
    const Item::CalendarMonth far = Item::FinancialMonth(year, 11);
    EXPECT_GE(far.month, 0);
    EXPECT_LT(far.month, 12);
}
