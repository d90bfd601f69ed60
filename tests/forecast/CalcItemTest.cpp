#include <gtest/gtest.h>

#include <limits>

#include "calc/ItemCalculation.h"
#include "items/CItem.h"
#include "items/CTaxSum.h"
#include "support/ForecastBuilder.h"

using namespace ForecastBuilder;
using Item::CItem;
using Item::CTaxSum;

namespace {

// One company, one calendar year (January start) with its totals, and a row to calculate.
class RowCalculation : public ::testing::Test {
  protected:
    RowCalculation() : company(MakeCompany(1.0, 1)), year(company->Year(0)) {}

    CItem& Income() { return Total(year, kTotalIncome); }
    CItem& Expenses() { return Total(year, kTotalExpenses); }
    CTaxSum& Summary(int index) { return dynamic_cast<CTaxSum&>(year.ItemAt(kTax, index)); }

    // Adds a tax setup and its year summary; the row links to its only rate.
    void AddTax(CItem& row, Amount rate, bool compound = false) {
        AddTaxSetup(*company, rate, compound);
        AddRow<CTaxSum>(year, kTax);
        row.TaxLinks.push_back(0);
    }

    std::unique_ptr<Database::CCompany> company;
    Database::CYear& year;
    CItem row;
};

} // namespace

TEST_F(RowCalculation, PercentageOfTotalIncomeIsTruncated) {
    Income().Expected[4] = 100001;
    row.PctType[4] = 1;
    row.Percent[4] = 1250;
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    // trunc(100001 × 1250 × 0.0001) = trunc(12500.125) = 12500
    EXPECT_EQ(row.Expected[4], 12500);
    EXPECT_EQ(Expenses().Expected[4], 12500);
}

TEST_F(RowCalculation, IncomeRowOfRuleOneSeesOnlyTheIncomeBeforeIt) {
    CItem first;
    first.Expected[0] = 50000;
    row.PctType[0] = 1;
    row.Percent[0] = 1000;
    CItem later; // rule 1, calculated before `first`
    later.PctType[0] = 1;
    later.Percent[0] = 1000;

    Item::CalculateItem(later, true, *company, year, Income(), Income(), nullptr);
    Item::CalculateItem(first, true, *company, year, Income(), Income(), nullptr);
    Item::CalculateItem(row, true, *company, year, Income(), Income(), nullptr);
    EXPECT_EQ(later.Expected[0], 0);  // 10 % of nothing yet
    EXPECT_EQ(row.Expected[0], 5000); // 10 % of 50000, itself excluded
    EXPECT_EQ(Income().Expected[0], 55000);
}

TEST_F(RowCalculation, PreviousYearRulesUseThatRowOrGiveZero) {
    CItem previous;
    previous.Expected[2] = 50000;
    previous.Actual[2] = 40000;
    row.PctType = {0, 0, 2, 3, 7};
    row.Percent[2] = 5000;
    row.Percent[3] = 5000;
    previous.Actual[3] = 40000;
    row.Expected[4] = 777; // an unknown rule keeps the entered figure
    row.Actual[2] = 123;

    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), &previous);
    EXPECT_EQ(row.Expected[2], 25000); // 50000 × 5000 × 0.0001
    EXPECT_EQ(row.Expected[3], 20000); // 40000 × 5000 × 0.0001, from the Actual figure
    EXPECT_EQ(row.Expected[4], 777);
    EXPECT_EQ(Expenses().Actual[2], 123);

    // The first year of a forecast: no previous row, so the derived months are 0.
    CItem first;
    first.PctType[2] = 2;
    first.PctType[3] = 3;
    first.Percent[2] = first.Percent[3] = 5000;
    first.Expected[2] = first.Expected[3] = 999;
    Item::CalculateItem(first, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(first.Expected[2], 0);
    EXPECT_EQ(first.Expected[3], 0);
}

TEST_F(RowCalculation, ProductsTooWideForSixtyFourBitsAreFormedExactly) {
    // 2^62 × 400 overflows 64 bits; 2^62 × 400 × 0.0001 = 2^62 × 0.04 ≈ 1.84e17 fits.
    Income().Expected[0] = Amount{1} << 62;
    row.PctType[0] = 1;
    row.Percent[0] = 400;
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_NEAR(static_cast<double>(row.Expected[0]), 4611686018427387904.0 * 0.04, 1e3);

    // A result beyond the 64-bit range is clamped, not undefined.
    CItem huge;
    huge.PctType[0] = 1;
    huge.Percent[0] = std::numeric_limits<Amount>::max();
    Item::CalculateItem(huge, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(huge.Expected[0], std::numeric_limits<Amount>::max());
    // The category total saturates as well.
    EXPECT_EQ(Expenses().Expected[0], std::numeric_limits<Amount>::max());
}

TEST_F(RowCalculation, HiddenRowAddsNothingAnywhere) {
    AddTax(row, 1000);
    row.SetHidden(true);
    row.Expected[0] = 10000;
    row.Actual[0] = 10000;
    row.PctType[1] = 1;
    row.Percent[1] = 5000;
    Income().Expected[1] = 2000;
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Expenses().Expected[0], 0);
    EXPECT_EQ(Expenses().Actual[0], 0);
    EXPECT_EQ(row.Expected[1], 0); // not derived either
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 0);
    EXPECT_EQ(Summary(0).ActualOnSales[0], 0);
}

TEST_F(RowCalculation, ExclusiveFiguresAreTaxedAsTheyStand) {
    AddTax(row, 1000);
    row.Expected[0] = 10000;
    row.Actual[0] = 20000;
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 1000); // 10000 × 1000 × 0.0001
    EXPECT_EQ(Summary(0).ActualOnSales[0], 2000);
    EXPECT_EQ(row.Expected[0], 10000); // the row's own figures stay
    EXPECT_EQ(Expenses().Expected[0], 10000);
}

TEST_F(RowCalculation, InclusiveFigureDividedByOneSimpleSetup) {
    AddTax(row, 1000);
    row.Expected[5] = 11000;
    row.Actual[5] = 11000;
    Item::CalculateItem(row, false, *company, year, Income(), Expenses(), nullptr);
    // s = 1.0 + 1000 × 0.0001 = 1.1; net = trunc(11000 / 1.1) = 10000; tax = 1000
    EXPECT_EQ(Summary(0).ExpectedOnSales[5], 1000);
    EXPECT_EQ(Summary(0).ActualOnSales[5], 1000);
    EXPECT_EQ(row.Expected[5], 11000);
    EXPECT_EQ(Expenses().Expected[5], 11000); // the total takes the stored figure
}

TEST_F(RowCalculation, InclusiveFigureDividedByTwoSimpleSetups) {
    AddTax(row, 1000);
    AddTaxSetup(*company, 500);
    AddRow<CTaxSum>(year, kTax);
    row.TaxLinks.push_back(0);
    row.Expected[0] = 11500;
    Item::CalculateItem(row, false, *company, year, Income(), Expenses(), nullptr);
    // s = 1.0 + 0.1 + 0.05 = 1.1500000000000001; net = trunc(11500 / s) = trunc(9999.99…) = 9999
    // taxes trunc(9999 × 1000 × 0.0001) = 999 and trunc(9999 × 500 × 0.0001) = 499
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 999);
    EXPECT_EQ(Summary(1).ExpectedOnSales[0], 499);
}

TEST_F(RowCalculation, CompoundSetupTaxesTheTaxBeforeIt) {
    AddTax(row, 1000);
    AddTaxSetup(*company, 500, true);
    AddRow<CTaxSum>(year, kTax);
    row.TaxLinks.push_back(0);
    row.Expected[0] = 11500;
    Item::CalculateItem(row, false, *company, year, Income(), Expenses(), nullptr);
    // s = (1.0 + 0.1) × (1 + 0.05) = 1.1550000000000002; net = trunc(9956.70…) = 9956
    // first tax trunc(9956 × 1000 × 0.0001) = trunc(995.6) = 995
    // second trunc((9956 + 995) × 500 × 0.0001) = trunc(547.55) = 547
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 995);
    EXPECT_EQ(Summary(1).ExpectedOnSales[0], 547);
}

TEST_F(RowCalculation, TaxSidePicksSalesOrExpenses) {
    AddTax(row, 1000);
    row.TaxSide = 0;
    row.Expected[0] = 10000;
    row.Actual[0] = 5000;
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnExpenses[0], 1000);
    EXPECT_EQ(Summary(0).ActualOnExpenses[0], 500);
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 0);

    CItem sales;
    sales.TaxSide = 2; // any value of 1 or more is a sale
    sales.TaxLinks.push_back(0);
    sales.Expected[0] = 10000;
    Item::CalculateItem(sales, true, *company, year, Income(), Income(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 1000);
}

TEST_F(RowCalculation, BrokenLinksPostNothing) {
    AddTax(row, 1000);
    row.Expected[0] = 10000;
    row.TaxLinks = {-1, 0, 5}; // no rate; no setup 1; no setup 2
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 0);

    row.TaxLinks = {3}; // setup 0 has no rate 3
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 0);

    // A setup without its summary row in the year is skipped, the one after it still posts.
    AddTaxSetup(*company, 1000);
    CItem other;
    other.TaxLinks = {-1, 0};
    other.Expected[0] = 10000;
    Item::CalculateItem(other, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 0);
}

TEST_F(RowCalculation, RateInEffectFollowsTheCalendarMonthOfAFinancialYear) {
    // The year 2021 runs April 2020 - March 2021; the rate rises to 15 % in January 2021.
    year.year = 2021;
    year.startMonth = 3;
    AddTax(row, 1000);
    company->TaxSetup(0)->Rate(0)->SubRates.Append(
        std::make_unique<Database::CTaxSubRate>(2021, 0, 1500));
    row.Expected.fill(10000);
    Item::CalculateItem(row, true, *company, year, Income(), Expenses(), nullptr);
    EXPECT_EQ(Summary(0).ExpectedOnSales[3], 1000);  // April 2020: 10 %
    EXPECT_EQ(Summary(0).ExpectedOnSales[11], 1000); // December 2020
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], 1500);  // January 2021: 15 %
    EXPECT_EQ(Summary(0).ExpectedOnSales[2], 1500);
}

TEST_F(RowCalculation, ZeroTaxFactorIsNoDivisionByZero) {
    // A rate of -100 % makes the factor 1.0 + (-1.0) = 0.
    AddTax(row, -10000);
    row.Expected[0] = 500;
    Item::CalculateItem(row, false, *company, year, Income(), Expenses(), nullptr);
    // net = 500 / 0 clamps to 2^63 - 1; the tax (2^63 - 1) × -10000 is -2^63 × 10^4 as a double
    // (the spacing there is 2^24), times 0.0001 (a shade above 1e-4) at least 2^63 in size:
    // clamped to the least amount
    EXPECT_EQ(Summary(0).ExpectedOnSales[0], std::numeric_limits<Amount>::min());
    EXPECT_EQ(Summary(0).ExpectedOnSales[1], 0); // 0 / 0 stays 0
}
