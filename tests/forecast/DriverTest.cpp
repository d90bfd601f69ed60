#include <gtest/gtest.h>

#include <limits>

#include "calc/CalculationDriver.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"
#include "support/ForecastBuilder.h"

using namespace ForecastBuilder;
using Database::CCompany;
using Database::CTabView;
using Database::CYear;
using Item::CItem;
using Item::CLoan;

namespace {

// The real company k of real scenario j.
CCompany& Real(const CTabView& view, int j, int k = 0) {
    return view.Scenario(j).Company(k);
}

// Gives every year of every company (combined entries included) one Income row, so that all
// of them share one shape.
void AddIncomeRows(CTabView& view) {
    ForEachCompany(view, [](CCompany& company) {
        for (const auto& year : company.years)
            AddRow<CItem>(*year, kIncome);
    });
}

CItem& IncomeRow(const CYear& year) {
    return dynamic_cast<CItem&>(year.ItemAt(kIncome, 0));
}

} // namespace

TEST(Driver, ScenarioOfWeightThreeAndCompanyOfWeightHalf) {
    auto view = MakeView({3}, {0.5}, 1);
    AddIncomeRows(*view);
    CYear& year = Real(*view, 0).Year(0);
    IncomeRow(year).Expected[0] = 12345;
    IncomeRow(year).Actual[0] = 2001;
    Database::Calculate(*view);

    EXPECT_EQ(year.incomeExpected, 12345);
    EXPECT_EQ(year.incomeActual, 2001);

    // The combined scenario's company: a = 10, b = 3 / 3 = 1, so 10 × figures, then × 0.1.
    const CYear& combinedCompany = view->Scenario(-1).Company(0).Year(0);
    EXPECT_EQ(IncomeRow(combinedCompany).Expected[0], 12345);
    EXPECT_EQ(IncomeRow(combinedCompany).Actual[0], 2001);
    EXPECT_EQ(combinedCompany.incomeExpected, 12345); // trunc(12345 × 1.0)

    // The scenario's combined company: a = 10 × 0.5: trunc(5 × 12345) = 61725, then
    // floor(6172.5 + 0.5) = 6173; Actual trunc(5 × 2001) = 10005 → floor(1000.5 + 0.5) = 1001.
    const CYear& scenarioCombined = view->Scenario(0).Company(-1).Year(0);
    EXPECT_EQ(IncomeRow(scenarioCombined).Expected[0], 6173);
    EXPECT_EQ(IncomeRow(scenarioCombined).Actual[0], 1001);
    EXPECT_EQ(Total(scenarioCombined, kTotalIncome).Expected[0], 6173);
    // Income totals are added unscaled: trunc(12345 × 0.5) = 6172.
    EXPECT_EQ(scenarioCombined.incomeExpected, 6172);

    // The combined scenario's combined company: a = 5, b = 1, mode 2 (Actual × a × b).
    const CYear& all = view->Scenario(-1).Company(-1).Year(0);
    EXPECT_EQ(IncomeRow(all).Expected[0], 6173);
    EXPECT_EQ(IncomeRow(all).Actual[0], 1001);
    EXPECT_EQ(all.incomeExpected, 6172); // trunc(12345 × (3 × 0.5 / 3))
    EXPECT_EQ(all.incomeActual, 1000);   // trunc(2001 × 0.5)

    // A second calculation starts again from the inputs: nothing doubles.
    Database::Calculate(*view);
    EXPECT_EQ(IncomeRow(all).Expected[0], 6173);
    EXPECT_EQ(IncomeRow(combinedCompany).Expected[0], 12345);
    EXPECT_EQ(all.incomeExpected, 6172);
}

TEST(Driver, ScenarioWeightsOneAndThreeAverage) {
    auto view = MakeView({1, 3}, {1.0}, 1);
    AddIncomeRows(*view);
    IncomeRow(Real(*view, 0).Year(0)).Expected[0] = 1000;
    IncomeRow(Real(*view, 0).Year(0)).Actual[0] = 400;
    IncomeRow(Real(*view, 1).Year(0)).Expected[0] = 2000;
    IncomeRow(Real(*view, 1).Year(0)).Actual[0] = 800;
    Database::Calculate(*view);

    // Expected: trunc(10 × 0.25 × 1000) + trunc(10 × 0.75 × 2000) = 2500 + 15000 → 1750
    const CYear& combinedCompany = view->Scenario(-1).Company(0).Year(0);
    EXPECT_EQ(IncomeRow(combinedCompany).Expected[0], 1750);
    // Actual: mode 1 for the first scenario (trunc(10 × 400)), mode 0 afterwards → 400
    EXPECT_EQ(IncomeRow(combinedCompany).Actual[0], 400);
    EXPECT_EQ(combinedCompany.incomeExpected, 1750); // trunc(1000 × 0.25) + trunc(2000 × 0.75)

    // Mode 2 weighs the Actual figures too: 2.5 × 400 + 7.5 × 800 = 7000 → 700
    const CYear& all = view->Scenario(-1).Company(-1).Year(0);
    EXPECT_EQ(IncomeRow(all).Expected[0], 1750);
    EXPECT_EQ(IncomeRow(all).Actual[0], 700);
    EXPECT_EQ(all.incomeExpected, 1750);

    // Each scenario's combined company holds its own company's figures.
    EXPECT_EQ(IncomeRow(view->Scenario(1).Company(-1).Year(0)).Expected[0], 2000);
    EXPECT_EQ(IncomeRow(view->Scenario(0).Company(-1).Year(0)).Actual[0], 400);
}

TEST(Driver, OpeningsCarryFromYearToYearAndTheFirstYearKeepsItsOwn) {
    auto view = MakeView({1}, {1.0}, 3);
    AddIncomeRows(*view);
    ForEachCompany(*view, [](CCompany& company) {
        for (const auto& year : company.years)
            AddRow<CLoan>(*year, kLoan);
    });
    CCompany& company = Real(*view, 0);
    for (const auto& year : company.years)
        IncomeRow(*year).Expected.fill(100);
    Bank(company.Year(0)).ExpectedOpening = 1000;
    Bank(company.Year(1)).ExpectedOpening = 999999; // stale: replaced by the carried figure
    auto& loan = dynamic_cast<CLoan&>(company.Year(0).ItemAt(kLoan, 0));
    loan.ExpectedOpening = 5000;
    loan.ExpectedAdvances[0] = 10;

    for (int run = 0; run < 2; ++run) {
        Database::Calculate(*view);
        EXPECT_EQ(Bank(company.Year(0)).ExpectedOpening, 1000);
        // 1000 + 12 × 100 of income + the loan's advance of 10 in year 0
        EXPECT_EQ(Bank(company.Year(1)).ExpectedOpening, 2210);
        EXPECT_EQ(Bank(company.Year(2)).ExpectedOpening, 3410);
        EXPECT_EQ(Total(company.Year(2), kTotalBank).Expected[11], 4610);
        EXPECT_EQ(dynamic_cast<CLoan&>(company.Year(2).ItemAt(kLoan, 0)).ExpectedOpening, 5010);
        // The advance is a capital receipt.
        EXPECT_EQ(Total(company.Year(0), kTotalNetCashMovement).Expected[0], 110);
    }
}

TEST(Driver, BankInterestReachesTheTotalsAndNetCashIsFormedAgain) {
    auto view = MakeView({1}, {1.0}, 1);
    AddIncomeRows(*view);
    CYear& year = Real(*view, 0).Year(0);
    IncomeRow(year).Expected[0] = 10000;
    Bank(year).ExpectedOpening = 1000000;
    Bank(year).CrRate[0] = 600;
    Database::Calculate(*view);
    // Credit interest trunc(1000000 × 8.333333333333334e-6 × 600) = 5000 is other income.
    EXPECT_EQ(Total(year, kTotalOtherIncome).Expected[0], 5000);
    EXPECT_EQ(Total(year, kTotalNetSurplus).Expected[0], 15000);
    EXPECT_EQ(Total(year, kTotalNetCashMovement).Expected[0], 15000);
    // The bank used the movement before interest and adds its interest once: 1000000 + 10000
    // + 5000.
    EXPECT_EQ(Total(year, kTotalBank).Expected[0], 1015000);

    // An overdraft's interest is an Interest cost.
    auto overdrawn = MakeView({1}, {1.0}, 1);
    CYear& other = Real(*overdrawn, 0).Year(0);
    Bank(other).ExpectedOpening = -150000;
    Bank(other).ExpectedOdLimit[0] = 100000;
    Bank(other).OdRateWithin[0] = 1200;
    Bank(other).OdRateBeyond[0] = 2000;
    Database::Calculate(*overdrawn);
    EXPECT_EQ(Total(other, kTotalInterest).Expected[0], 1833);
    EXPECT_EQ(Total(other, kTotalNetBeforeOtherIncome).Expected[0], -1833);
    EXPECT_EQ(Total(other, kTotalNetCashMovement).Expected[0], -1833);
    EXPECT_EQ(Total(other, kTotalBank).Expected[0], -151833);
}

TEST(Driver, DerivedTotalsFollowTheirFormulas) {
    CYear year;
    const Amount figures[kTotalRows] = {1000, 300, 0, 200, 0, 50, 0, 70, 0, 400, 90, 60, 0, -25};
    for (int t = 0; t < kTotalRows; ++t) {
        Total(year, t).Expected[3] = figures[t];
        Total(year, t).Actual[3] = 2 * figures[t];
    }
    Total(year, kTotalGrossSurplus).Percent[3] = 5; // cleared with the line
    Database::FormDerivedTotals(year);
    EXPECT_EQ(Total(year, kTotalGrossSurplus).Expected[3], 700);         // 1000 - 300
    EXPECT_EQ(Total(year, kTotalNetBeforeInterest).Expected[3], 500);    // 700 - 200
    EXPECT_EQ(Total(year, kTotalNetBeforeOtherIncome).Expected[3], 450); // 500 - 50
    EXPECT_EQ(Total(year, kTotalNetSurplus).Expected[3], 520);           // 450 + 70
    EXPECT_EQ(Total(year, kTotalNetBeforeTax).Expected[3], 770);         // 520 + 400 - 90 - 60
    EXPECT_EQ(Total(year, kTotalNetCashMovement).Expected[3], 745);      // 770 - 25
    EXPECT_EQ(Total(year, kTotalNetCashMovement).Actual[3], 1490);
    EXPECT_EQ(Total(year, kTotalGrossSurplus).Percent[3], 0);
}

TEST(Driver, TaxIsSettledIntoTheNextYear) {
    for (bool exclusive : {true, false}) {
        auto view = MakeView({1}, {1.0}, 2);
        view->taxExclusive = exclusive ? 1 : 0;
        AddIncomeRows(*view);
        ForEachCompany(*view, [](CCompany& company) {
            AddTaxSetup(company, 1000, false, 0, 1, 1); // monthly, paid a month later
            for (const auto& year : company.years) {
                AddRow<Item::CTaxSum>(*year, kTax);
                IncomeRow(*year).TaxLinks.push_back(0);
            }
        });
        CCompany& company = Real(*view, 0);
        // Exclusive: 10000 plus 10 % tax; inclusive: 11000 / 1.1 = 10000 plus 1000.
        IncomeRow(company.Year(0)).Expected[11] = exclusive ? 10000 : 11000;

        for (int run = 0; run < 2; ++run) {
            Database::Calculate(*view);
            const auto& next = dynamic_cast<Item::CTaxSum&>(company.Year(1).ItemAt(kTax, 0));
            EXPECT_EQ(next.ExpectedPayments[0], 1000) << exclusive;
            EXPECT_EQ(Total(company.Year(0), kTotalTax).Expected[11], exclusive ? 1000 : 0);
            EXPECT_EQ(Total(company.Year(1), kTotalTax).Expected[0], -1000);
        }
    }
}

TEST(Driver, YearWithoutBankRowIsCalculatedWithoutIt) {
    auto view = MakeView({1}, {1.0}, 2);
    AddIncomeRows(*view);
    ForEachCompany(*view, [](CCompany& company) {
        for (const auto& year : company.years)
            year->Items(kBank).Clear();
    });
    CCompany& company = Real(*view, 0);
    IncomeRow(company.Year(1)).Expected[4] = 300;
    Database::Calculate(*view);
    EXPECT_EQ(Total(company.Year(1), kTotalNetCashMovement).Expected[4], 300);
    EXPECT_EQ(Total(company.Year(1), kTotalBank).Expected, MonthAmounts{});
    // The calculation ran to its end: the combined entries were consolidated and scaled.
    EXPECT_EQ(IncomeRow(view->Scenario(-1).Company(-1).Year(1)).Expected[4], 300);
}

TEST(Driver, MonthsSwitchedOffLeaveTheIncomeTotals) {
    auto view = MakeView({1}, {1.0}, 1);
    AddIncomeRows(*view);
    CYear& year = Real(*view, 0).Year(0);
    IncomeRow(year).Expected.fill(100);
    IncomeRow(year).Actual.fill(10);
    year.display.showExpected[5] = false;
    year.display.showActual[6] = false;
    year.display.showActual[7] = false;

    Database::Calculate(*view); // include hidden columns is on: every month counts
    EXPECT_EQ(year.incomeExpected, 1200);
    EXPECT_EQ(year.incomeActual, 120);

    year.display.includeHidden = false;
    Database::Calculate(*view);
    EXPECT_EQ(year.incomeExpected, 1100);                  // June left out
    EXPECT_EQ(year.incomeActual, 100);                     // July and August left out
    EXPECT_EQ(Total(year, kTotalIncome).Expected[5], 100); // the total row keeps every month
    // The bank does not move in a month that does not count.
    EXPECT_EQ(Total(year, kTotalBank).Expected[5], 500);
    EXPECT_EQ(Total(year, kTotalBank).Expected[6], 600);
}

TEST(Driver, RowsOfAnUnexpectedClassAreSkipped) {
    auto view = MakeView({1}, {1.0}, 1);
    ForEachCompany(*view, [](CCompany& company) {
        CYear& year = company.Year(0);
        AddRow<CLoan>(year, kIncome);
        AddRow<CItem>(year, kIncome);
        AddRow<CItem>(year, kLoan);
        AddRow<CItem>(year, kTax);
    });
    CYear& year = Real(*view, 0).Year(0);
    dynamic_cast<CLoan&>(year.ItemAt(kIncome, 0)).ExpectedOpening = 5000;
    dynamic_cast<CItem&>(year.ItemAt(kIncome, 1)).Expected[0] = 700;
    dynamic_cast<CItem&>(year.ItemAt(kLoan, 0)).Expected[0] = 900;
    Database::Calculate(*view);
    EXPECT_EQ(Total(year, kTotalIncome).Expected[0], 700);
    EXPECT_EQ(Total(year, kTotalLoans).Expected, MonthAmounts{});
    EXPECT_EQ(year.incomeExpected, 700);
}

TEST(Driver, ScenarioWeightsSummingToZeroGiveZeroCombinedFigures) {
    auto view = MakeView({2, -2}, {1.0}, 1);
    AddIncomeRows(*view);
    IncomeRow(Real(*view, 0).Year(0)).Expected[0] = 1000;
    IncomeRow(Real(*view, 1).Year(0)).Expected[0] = 3000;
    Database::Calculate(*view);
    EXPECT_EQ(IncomeRow(view->Scenario(-1).Company(0).Year(0)).Expected[0], 0);
    EXPECT_EQ(IncomeRow(view->Scenario(-1).Company(-1).Year(0)).Expected[0], 0);
    EXPECT_EQ(view->Scenario(-1).Company(-1).Year(0).incomeExpected, 0);
    // Each scenario's own combined company does not depend on the sum.
    EXPECT_EQ(IncomeRow(view->Scenario(1).Company(-1).Year(0)).Expected[0], 3000);
}

TEST(Driver, LargeScenarioWeightsDoNotOverflowTheirSum) {
    constexpr int kBig = std::numeric_limits<std::int32_t>::max();
    auto view = MakeView({kBig, kBig}, {1.0}, 1);
    AddIncomeRows(*view);
    IncomeRow(Real(*view, 0).Year(0)).Expected[0] = 1000;
    IncomeRow(Real(*view, 1).Year(0)).Expected[0] = 3000;
    Database::Calculate(*view);
    // Each share is (2^31 - 1) / (2^32 - 2) = 0.5: trunc(5 × 1000) + trunc(5 × 3000) → 2000
    EXPECT_EQ(IncomeRow(view->Scenario(-1).Company(0).Year(0)).Expected[0], 2000);
}

TEST(Driver, NothingToConsolidateLeavesTheCombinedEntriesAlone) {
    // No real scenario.
    auto empty = MakeView({}, {1.0}, 1);
    AddIncomeRows(*empty);
    IncomeRow(empty->Scenario(-1).Company(-1).Year(0)).Expected[0] = 50;
    Database::Calculate(*empty);
    EXPECT_EQ(IncomeRow(empty->Scenario(-1).Company(-1).Year(0)).Expected[0], 50);

    // A combined scenario without real companies.
    auto lonely = MakeView({1}, {}, 1);
    AddIncomeRows(*lonely);
    IncomeRow(lonely->Scenario(-1).Company(-1).Year(0)).Expected[0] = 50;
    IncomeRow(lonely->Scenario(0).Company(-1).Year(0)).Expected[0] = 60;
    Database::Calculate(*lonely);
    Database::Calculate(*lonely);
    EXPECT_EQ(IncomeRow(lonely->Scenario(-1).Company(-1).Year(0)).Expected[0], 50);
    EXPECT_EQ(IncomeRow(lonely->Scenario(0).Company(-1).Year(0)).Expected[0], 60);

    // No scenarios at all.
    CTabView bare;
    EXPECT_NO_THROW(Database::Calculate(bare));
}

TEST(Driver, CompanyShorterThanTheCombinedOneStopsAfterClearing) {
    auto view = MakeView({1}, {1.0}, 1);
    AddIncomeRows(*view);
    // The combined companies get a second year; the real company has only one.
    for (CCompany* combined : {&view->Scenario(-1).Company(-1), &view->Scenario(-1).Company(0),
                               &view->Scenario(0).Company(-1)})
        combined->years.Append(MakeYear(2021));
    CYear& year = Real(*view, 0).Year(0);
    Bank(year).ExpectedBalance[5] = 77;
    Total(year, kTotalIncome).Expected[0] = 55;
    IncomeRow(year).Expected[0] = 1000;

    EXPECT_NO_THROW(Database::Calculate(*view));
    EXPECT_EQ(Bank(year).ExpectedBalance[5], 0);          // year 0 was cleared
    EXPECT_EQ(Total(year, kTotalIncome).Expected[0], 55); // and not calculated
    EXPECT_EQ(IncomeRow(view->Scenario(-1).Company(-1).Year(0)).Expected[0], 0);
}

TEST(Driver, CompanyYearBeyondTheCombinedOnesIsLeftAlone) {
    auto view = MakeView({1}, {1.0}, 1);
    AddIncomeRows(*view);
    CCompany& company = Real(*view, 0);
    CYear& extra = company.years.Append(MakeYear(2021));
    AddRow<CItem>(extra, kIncome).Expected[0] = 400;
    Bank(extra).ExpectedOpening = 123;
    IncomeRow(company.Year(0)).Expected[0] = 1000;

    Database::Calculate(*view);
    Database::Calculate(*view);
    EXPECT_EQ(Bank(extra).ExpectedOpening, 123); // no carried opening, however often
    EXPECT_EQ(Total(extra, kTotalIncome).Expected[0], 0);
    EXPECT_EQ(Total(company.Year(0), kTotalBank).Expected[11], 1000);
}

TEST(Driver, MissingTotalRowsEndTheCalculationQuietly) {
    auto view = MakeView({1}, {1.0}, 2);
    AddIncomeRows(*view);
    CCompany& company = Real(*view, 0);
    IncomeRow(company.Year(0)).Expected[0] = 1000;
    company.Year(1).Items(kTotal).Clear();
    EXPECT_NO_THROW(Database::Calculate(*view));
    // Year 0 was calculated before year 1 failed; the combined figures stay as accumulated.
    EXPECT_EQ(Total(company.Year(0), kTotalIncome).Expected[0], 1000);
    EXPECT_EQ(IncomeRow(view->Scenario(-1).Company(-1).Year(0)).Expected[0], 10000);
}

TEST(Driver, StoredSpanOutsideItsRangeIsCalculatedSafely) {
    auto view = MakeView({1}, {1.0}, 1, 27); // start month 27 is April
    AddIncomeRows(*view);
    ForEachCompany(*view, [](CCompany& company) { company.Year(0).months = 100; });
    CYear& year = Real(*view, 0).Year(0);
    IncomeRow(year).Expected.fill(100);
    Bank(year).ExpectedOpening = 1;
    Database::Calculate(*view);
    EXPECT_EQ(year.incomeExpected, 1200);
    EXPECT_EQ(Total(year, kTotalBank).Expected[2], 1201); // March closes the year
    EXPECT_EQ(Bank(year).ExpectedBalance[3], 1);

    ForEachCompany(*view, [](CCompany& company) { company.Year(0).months = -7; });
    Database::Calculate(*view);
    EXPECT_EQ(Total(year, kTotalBank).Expected, MonthAmounts{}); // no months to walk
}
