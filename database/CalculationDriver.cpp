#include "database/CalculationDriver.h"

#include <cstdint>

#include "core/Failure.h"
#include "core/Months.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "items/BankCalculation.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"
#include "items/ItemCalculation.h"
#include "items/LoanCalculation.h"
#include "items/TaxSumCalculation.h"

namespace Database {

namespace {

// Combined figures accumulate with one extra decimal, removed by the final scaling.
constexpr double kPrecision = 10.0;
constexpr double kUnscale = 0.1;

// The row at the same place of a neighbouring year, when that year has one of the class.
template <class Row> Row* Neighbour(const CYear* year, int category, int index) {
    return year ? dynamic_cast<Row*>(year->FindItem(category, index)) : nullptr;
}

// Clears a real company's years before they are calculated: only the first year keeps its
// openings, so later years' openings are carried afresh on every calculation.
void ClearCompany(const CCompany& company, int yearCount) {
    for (int l = 0; l < yearCount; ++l) {
        CYear& year = company.Year(l);
        year.incomeExpected = 0;
        year.incomeActual = 0;
        for (int g = kIncome; g <= kLoan; ++g)
            for (const auto& row : year.Items(g))
                row->ClearComputed(l == 0, false);
    }
}

// Empties a consolidation target before its first contribution.
void ResetTarget(CYear& target, bool firstYear) {
    target.incomeExpected = 0;
    target.incomeActual = 0;
    for (int g = kIncome; g <= kTotal; ++g)
        for (const auto& row : target.Items(g))
            row->ClearComputed(firstYear, true);
}

// How one calculated company year is added into one consolidation target.
struct Share {
    CYear& target;
    double a;
    double b;
    int mode;
    double income;
};

void AddIncome(CYear& target, const CYear& source, double factor) {
    target.incomeExpected =
        Item::AddAmounts(target.incomeExpected, ScaleTrunc(source.incomeExpected, factor));
    target.incomeActual =
        Item::AddAmounts(target.incomeActual, ScaleTrunc(source.incomeActual, factor));
}

void Consolidate(const CYear& source, const Share (&shares)[3]) {
    for (const Share& share : shares)
        AddIncome(share.target, source, share.income);
    for (int g = kIncome; g <= kTotal; ++g) {
        const int count = source.ItemCount(g);
        for (int i = 0; i < count; ++i) {
            const Item::CBaseItem& row = source.ItemAt(g, i);
            for (const Share& share : shares)
                share.target.ItemAt(g, i).AddScaled(row, share.a, share.b, share.mode);
        }
    }
}

void RunDriver(CTabView& view) {
    const bool exclusive = view.TaxExclusive() != 0;
    const int realScenarios = view.ScenarioCount() - 1;

    // Summed in 64 bits: no weights a file can hold overflow it.
    std::int64_t totalWeight = 0;
    for (int j = 0; j < realScenarios; ++j)
        totalWeight += view.Scenario(j).weight;

    CScenario& combined = view.Scenario(-1);
    const int companies = combined.CompanyCount() - 1;
    // Nothing to consolidate: the combined entries are left as they are rather than shrunk by
    // the final scaling on every calculation.
    if (realScenarios < 1 || companies < 1)
        return;
    CCompany& combinedCompany = combined.Company(-1);
    const int years = combinedCompany.YearCount();

    for (int j = 0; j < realScenarios; ++j) {
        CScenario& scenario = view.Scenario(j);
        const double wS = scenario.weight;
        // Weights summing to 0 leave the combined scenario's figures at 0 instead of dividing.
        const double scenarioShare = totalWeight != 0 ? wS / static_cast<double>(totalWeight) : 0.0;
        CCompany& scenarioCombined = scenario.Company(-1);

        for (int k = 0; k < companies; ++k) {
            CCompany& company = scenario.Company(k);
            const double wC = company.weight;
            CCompany& combinedK = combined.Company(k);
            const double combinedIncome =
                totalWeight != 0 ? wS * wC / static_cast<double>(totalWeight) : 0.0;

            ClearCompany(company, years);

            for (int v = 0; v < years; ++v) {
                CYear& year = company.Year(v);
                // A company year beyond the combined company's years is left alone, so it gets
                // no carried opening either.
                const CYear* previous = v > 0 ? company.FindYear(v - 1) : nullptr;
                CYear* next = v + 1 < years ? company.FindYear(v + 1) : nullptr;
                CalculateYear(year, previous, next, company, exclusive);

                CYear& toAll = combinedCompany.Year(v);
                CYear& toScenario = scenarioCombined.Year(v);
                CYear& toCompany = combinedK.Year(v);
                if (j == 0 && k == 0)
                    ResetTarget(toAll, v == 0);
                if (k == 0)
                    ResetTarget(toScenario, v == 0);
                if (j == 0)
                    ResetTarget(toCompany, v == 0);

                const Share shares[3] = {
                    {toAll, kPrecision * wC, scenarioShare, 2, combinedIncome},
                    {toCompany, kPrecision, scenarioShare, j == 0 ? 1 : 0, scenarioShare},
                    {toScenario, kPrecision * wC, 1.0, 1, wC},
                };
                Consolidate(year, shares);
            }
        }
    }

    const CYear& firstYear = combinedCompany.Year(0);
    for (int g = kIncome; g <= kTotal; ++g) {
        const int rows = firstYear.ItemCount(g);
        for (int i = 0; i < rows; ++i) {
            for (int u = 0; u < years; ++u) {
                combinedCompany.Year(u).ItemAt(g, i).Scale(kUnscale);
                for (int j = 0; j < realScenarios; ++j)
                    view.Scenario(j).Company(-1).Year(u).ItemAt(g, i).Scale(kUnscale);
                for (int k = 0; k < companies; ++k)
                    combined.Company(k).Year(u).ItemAt(g, i).Scale(kUnscale);
            }
        }
    }
}

} // namespace

Item::CItem& TotalRow(const CYear& year, int index) {
    auto* total = dynamic_cast<Item::CItem*>(&year.ItemAt(kTotal, index));
    if (total == nullptr)
        ThrowNotFound();
    return *total;
}

void RecountIncomeTotals(CYear& year) {
    const Item::CItem& income = TotalRow(year, kTotalIncome);
    Amount expected = 0;
    Amount actual = 0;
    for (int m = 0; m < kMonths; ++m) {
        if (year.display.ExpectedMonth(m))
            expected = Item::AddAmounts(expected, income.Expected[m]);
        if (year.display.ActualMonth(m))
            actual = Item::AddAmounts(actual, income.Actual[m]);
    }
    year.incomeExpected = expected;
    year.incomeActual = actual;
}

void FormDerivedTotals(CYear& year) {
    using Item::AddAmounts;
    using Item::SubtractAmounts;
    const Item::CItem& income = TotalRow(year, kTotalIncome);
    const Item::CItem& directCosts = TotalRow(year, kTotalDirectCosts);
    Item::CItem& gross = TotalRow(year, kTotalGrossSurplus);
    const Item::CItem& expenses = TotalRow(year, kTotalExpenses);
    Item::CItem& beforeInterest = TotalRow(year, kTotalNetBeforeInterest);
    const Item::CItem& interest = TotalRow(year, kTotalInterest);
    Item::CItem& beforeOtherIncome = TotalRow(year, kTotalNetBeforeOtherIncome);
    const Item::CItem& otherIncome = TotalRow(year, kTotalOtherIncome);
    Item::CItem& netSurplus = TotalRow(year, kTotalNetSurplus);
    const Item::CItem& receipts = TotalRow(year, kTotalCapitalReceipts);
    const Item::CItem& capitalExpenses = TotalRow(year, kTotalCapitalExpenses);
    const Item::CItem& capitalPayments = TotalRow(year, kTotalCapitalPayments);
    Item::CItem& beforeTax = TotalRow(year, kTotalNetBeforeTax);
    const Item::CItem& tax = TotalRow(year, kTotalTax);
    Item::CItem& netCash = TotalRow(year, kTotalNetCashMovement);

    for (Item::CItem* derived :
         {&gross, &beforeInterest, &beforeOtherIncome, &netSurplus, &beforeTax, &netCash})
        derived->ClearTotal();

    // Expected and Actual alike; each line is formed from lines already formed above it.
    auto form = [&](auto side) {
        for (int m = 0; m < kMonths; ++m) {
            side(gross)[m] = SubtractAmounts(side(income)[m], side(directCosts)[m]);
            side(beforeInterest)[m] = SubtractAmounts(side(gross)[m], side(expenses)[m]);
            side(beforeOtherIncome)[m] =
                SubtractAmounts(side(beforeInterest)[m], side(interest)[m]);
            side(netSurplus)[m] = AddAmounts(side(beforeOtherIncome)[m], side(otherIncome)[m]);
            side(beforeTax)[m] =
                SubtractAmounts(SubtractAmounts(AddAmounts(side(netSurplus)[m], side(receipts)[m]),
                                                side(capitalExpenses)[m]),
                                side(capitalPayments)[m]);
            side(netCash)[m] = AddAmounts(side(beforeTax)[m], side(tax)[m]);
        }
    };
    form([](auto& row) -> auto& { return row.Expected; });
    form([](auto& row) -> auto& { return row.Actual; });
}

void CalculateYear(CYear& year, const CYear* previous, CYear* next, const CCompany& company,
                   bool exclusive) {
    for (int t = 0; t < kTotalRows; ++t)
        TotalRow(year, t).ClearTotal();
    Item::CItem& income = TotalRow(year, kTotalIncome);

    for (int g = kIncome; g <= kLoan; ++g) {
        const int count = year.ItemCount(g);
        for (int i = 0; i < count; ++i) {
            Item::CBaseItem& row = year.ItemAt(g, i);
            if (g <= kCapitalPayment) {
                auto* item = dynamic_cast<Item::CItem*>(&row);
                if (item == nullptr)
                    continue;
                Item::CalculateItem(*item, exclusive, company, year, income,
                                    TotalRow(year, kCategoryTotal[g]),
                                    Neighbour<const Item::CItem>(previous, g, i));
                if (g == kIncome)
                    RecountIncomeTotals(year);
            } else if (g == kTax) {
                if (auto* summary = dynamic_cast<Item::CTaxSum*>(&row))
                    Item::CalculateTaxSum(*summary, exclusive, year, company.TaxSetup(i),
                                          Neighbour<Item::CTaxSum>(next, g, i),
                                          TotalRow(year, kTotalTax));
            } else if (g == kInvestment || g == kLoan) {
                auto* loan = dynamic_cast<Item::CLoan*>(&row);
                if (loan == nullptr)
                    continue;
                const Item::LoanTotals totals =
                    g == kLoan ? Item::LoanTotals{TotalRow(year, kTotalCapitalReceipts),
                                                  TotalRow(year, kTotalInterest),
                                                  TotalRow(year, kTotalCapitalPayments),
                                                  TotalRow(year, kTotalLoans)}
                               : Item::LoanTotals{TotalRow(year, kTotalCapitalPayments),
                                                  TotalRow(year, kTotalOtherIncome),
                                                  TotalRow(year, kTotalCapitalReceipts),
                                                  TotalRow(year, kTotalInvestments)};
                Item::CalculateLoan(*loan, year, Neighbour<Item::CLoan>(next, g, i), totals);
            }
            // The bank is calculated once the totals are formed.
        }
    }

    FormDerivedTotals(year);
    if (auto* bank = dynamic_cast<Item::CBank*>(year.FindItem(kBank, 0))) {
        Item::CalculateBank(*bank, year, next, TotalRow(year, kTotalInterest),
                            TotalRow(year, kTotalOtherIncome),
                            TotalRow(year, kTotalNetCashMovement), TotalRow(year, kTotalBank));
        FormDerivedTotals(year);
    }
}

void CTabView::Calculate() {
    try {
        RunDriver(*this);
    } catch (const TextFailure& failure) {
        // A missing company, year or row ends this view's calculation; the work done stays.
        if (failure.Text() != kNotFound)
            throw;
    }
}

} // namespace Database
