#include <gtest/gtest.h>

#include "document/CMainDoc.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"
#include "statement/graphs/GraphSeriesData.h"
#include "support/ForecastBuilder.h"

namespace {

using namespace ForecastBuilder;
using S = GraphSeriesData;

// A document whose first view has one real scenario with one real company of `years` years.
Database::CCompany& MakeDoc(CMainDoc& doc, int years, int startMonth = 0) {
    doc.root->views.Append(MakeView({1}, {1.0}, years, startMonth));
    return *doc.Root().View(0).Scenario(0).FindCompany(0);
}

Item::CItem& AddItem(Database::CYear& year, int category, Amount january) {
    Item::CItem& item = AddRow<Item::CItem>(year, category);
    item.Expected[0] = january;
    return item;
}

std::array<bool, 16> AllShown() {
    std::array<bool, 16> shown;
    shown.fill(true);
    return shown;
}

// January of a one-year company holding every kind of row the series draw on.
class GraphSeriesSumsTest : public ::testing::Test {
protected:
    void SetUp() override {
        company_ = &MakeDoc(doc, 1);
        // The statement takes its rows' count from the combined company; a tax setup gives it
        // its tax block.
        ForEachCompany(doc.Root().View(0),
                       [](Database::CCompany& company) { Fill(company.Year(0)); });
        AddTaxSetup(*doc.Root().View(0).Scenario(-1).FindCompany(-1), 1750);
    }

    static void Fill(Database::CYear& year) {
        AddItem(year, kIncome, 100000);
        AddItem(year, kIncome, 999999).SetHidden(true);
        AddItem(year, kDirectCost, 30000);
        AddItem(year, kExpense, 20000);
        AddItem(year, kCapitalReceipt, 5000);
        AddItem(year, kCapitalExpense, 7000);
        AddItem(year, kCapitalPayment, 3000);
        AddItem(year, kOtherIncome, 123456); // not part of these statements

        Item::CBank& bank = Bank(year);
        bank.ExpectedOdInterest[0] = 1000;
        bank.ExpectedBalance[0] = 50000;
        bank.ExpectedAdjustments[0] = 200;

        auto& investment = AddRow<Item::CLoan>(year, kInvestment);
        investment.ExpectedInterestPaid[0] = 400;
        investment.ExpectedPrincipalPaid[0] = 600;
        investment.ExpectedAdvances[0] = 2000;
        investment.ExpectedBalance[0] = 10000;
        investment.ExpectedInterest[0] = 400;
        investment.ExpectedPayments[0] = 1000;

        auto& loan = AddRow<Item::CLoan>(year, kLoan);
        loan.ExpectedInterestPaid[0] = 250;
        loan.ExpectedAdvances[0] = 8000;
        loan.ExpectedPrincipalPaid[0] = 750;
        loan.ExpectedBalance[0] = 40000;
        loan.ExpectedInterest[0] = 250;
        loan.ExpectedPayments[0] = 1000;
        loan.ExpectedAdjustments[0] = -100;

        auto& hiddenLoan = AddRow<Item::CLoan>(year, kLoan);
        hiddenLoan.ExpectedBalance[0] = 888888;
        hiddenLoan.ExpectedInterestPaid[0] = 888;
        hiddenLoan.SetHidden(true);

        auto& tax = AddRow<Item::CTaxSum>(year, kTax);
        tax.ExpectedOnSales[0] = 17500;
        tax.ExpectedOnExpenses[0] = 4000;
        tax.ExpectedPayments[0] = 2500;
        tax.ExpectedRefunds[0] = 300;
        tax.ExpectedAdjustments[0] = 50;
    }

    Amount January(int series) const { return data.Values(series).at(0); }

    CMainDoc doc;
    Database::CCompany* company_ = nullptr;
    GraphSeriesData data;
};

TEST_F(GraphSeriesSumsTest, SeriesFollowTheStatementsSums) {
    data.Load(doc, company_, AllShown(), false);
    ASSERT_EQ(data.MonthCount(), 12);

    EXPECT_EQ(January(S::kIncome), 100400); // 100,000 + investment interest 400
    EXPECT_EQ(January(S::kDirectCosts), 30000);
    EXPECT_EQ(January(S::kGrossSurplus), 70400); // 100,400 - 30,000
    EXPECT_EQ(January(S::kExpenses), 20000);
    EXPECT_EQ(January(S::kNetBeforeInterest), 50400); // 70,400 - 20,000
    EXPECT_EQ(January(S::kInterest), 1250);           // O/D 1,000 + loan interest 250
    EXPECT_EQ(January(S::kNetSurplus), 49150);        // 50,400 - 1,250
    EXPECT_EQ(January(S::kCapitalReceipts), 13600);   // 5,000 + principal back 600 + advance 8,000
    EXPECT_EQ(January(S::kCapitalExpenses), 7000);
    EXPECT_EQ(January(S::kCapitalPayments), 5750);  // 3,000 + deposit 2,000 + principal 750
    EXPECT_EQ(January(S::kNetBeforeTax), 50000);    // 49,150 + 13,600 - 7,000 - 5,750
    EXPECT_EQ(January(S::kTax), 11350);             // 17,500 - 4,000 - 2,500 + 300 + 50
    EXPECT_EQ(January(S::kNetCashMovement), 61350); // 50,000 + 11,350
    EXPECT_EQ(January(S::kBank), 111550);           // 50,000 + 200 + 61,350
    EXPECT_EQ(January(S::kInvestments), 11400);     // 10,000 + 2,000 + 400 - 1,000
    EXPECT_EQ(January(S::kLoans), 47150);           // 40,000 + 8,000 + 250 - 1,000 - 100

    // February has no figures at all.
    for (int s = 0; s < S::kSeries; ++s)
        EXPECT_EQ(data.Values(s).at(1), 0) << s;
}

TEST_F(GraphSeriesSumsTest, TaxInclusiveFiguresLeaveOutTheTaxOnSalesAndExpenses) {
    doc.Root().View(0).taxExclusive = 0;
    data.Load(doc, company_, AllShown(), false);
    EXPECT_EQ(January(S::kTax), -2150);             // -2,500 + 300 + 50
    EXPECT_EQ(January(S::kNetCashMovement), 47850); // 50,000 - 2,150
}

TEST_F(GraphSeriesSumsTest, TheRangeCoversOnlyTheShownSeries) {
    std::array<bool, 16> shown{};
    shown[S::kIncome] = true;
    data.Load(doc, company_, shown, false);
    // Income peaks at 100,400: one step of 100,000 would not reach it, so two.
    EXPECT_EQ(data.Scale().maxValue, 200000);
    EXPECT_EQ(data.Scale().minValue, 0);

    shown[S::kBank] = true;
    data.Load(doc, company_, shown, false);
    EXPECT_EQ(data.Scale().maxValue, 200000); // 111,550 also fits two steps of 100,000

    shown = {};
    shown[S::kCapitalExpenses] = true; // 7,000 one month, 0 the others
    data.Load(doc, company_, shown, false);
    EXPECT_EQ(data.Scale().maxValue, 7000);
}

TEST(GraphSeriesDataTest, MonthsFollowOneAnotherFromTheFirstYearsStart) {
    CMainDoc doc;
    Database::CCompany& company = MakeDoc(doc, 2, 3); // years 2020 and 2021 from April
    ForEachCompany(doc.Root().View(0), [](Database::CCompany& each) {
        AddItem(each.Year(1), kIncome, 777); // January of the second year
    });
    GraphSeriesData data;
    data.Load(doc, &company, AllShown(), false);

    ASSERT_EQ(data.MonthCount(), 24);
    // The second year starts at position 12 with April; its January is 9 months on.
    EXPECT_EQ(data.Values(S::kIncome).at(21), 777);
    EXPECT_EQ(data.Values(S::kIncome).at(9), 0);
    EXPECT_EQ(data.Months().firstIndex, 3);
    EXPECT_EQ(data.Months().lastIndex, 26); // 3 + 24 - 1
    // April to March: the year 2020 began in calendar 2019.
    EXPECT_EQ(data.Months().firstYear, 2019);
    EXPECT_TRUE(data.Months().labelled);

    data.Load(doc, &company, AllShown(), true);
    EXPECT_EQ(data.Months().firstYear, 2020);
}

TEST(GraphSeriesDataTest, EmptyCompaniesGiveTheUnitAxisWithoutMonths) {
    CMainDoc doc;
    Database::CCompany& company = MakeDoc(doc, 0);
    GraphSeriesData data;
    for (const Database::CCompany* which : {&company, static_cast<Database::CCompany*>(nullptr)}) {
        data.Load(doc, which, AllShown(), false);
        EXPECT_EQ(data.MonthCount(), 0);
        EXPECT_TRUE(data.Values(S::kIncome).empty());
        EXPECT_EQ(data.Scale().maxValue, 100);
        EXPECT_EQ(data.Scale().Steps(), 1);
        EXPECT_FALSE(data.Months().labelled);
        EXPECT_EQ(data.Months().Intervals(), 1);
    }
    // A year of no months adds nothing; a damaged month count is held to twelve.
    company.years.Append(MakeYear(2020, 0, 0));
    company.years.Append(MakeYear(2021, 15, 40));
    data.Load(doc, &company, AllShown(), false);
    EXPECT_EQ(data.MonthCount(), 12);
    EXPECT_EQ(data.Months().firstIndex, 0);
    EXPECT_EQ(data.Values(99).size(), 0u);
}

TEST(GraphSeriesDataTest, AxisLabelsFollowTheRootsFlags) {
    CMainDoc doc;
    GraphSeriesData data;
    doc.Root().cents = 0;
    doc.Root().brackets = 1;
    data.Load(doc, nullptr, AllShown(), false);
    EXPECT_EQ(data.AmountLabel(-123456), u"(1,235)");
    doc.Root().cents = 1;
    doc.Root().brackets = 0;
    data.Load(doc, nullptr, AllShown(), false);
    EXPECT_EQ(data.AmountLabel(-123456), u"-1,234.56");
}

} // namespace
