#include "calc/CalculationDriver.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "calc/BankCalculation.h"
#include "calc/ItemCalculation.h"
#include "calc/LoanCalculation.h"
#include "calc/TaxSumCalculation.h"
#include "calc/YearCalendar.h"
#include "core/Failure.h"
#include "core/Months.h"
#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"

namespace Database {

namespace {

// Combined figures accumulate with one extra decimal, removed by the final scaling.
constexpr double kPrecision = 10.0;
constexpr double kUnscale = 0.1;

// The row at the same place of a neighbouring year, when that year has one of the class.
template <class Row> Row* Neighbour(const CYear* year, int category, int index) {
    return year ? Item::RowAs<Row>(year->FindItem(category, index)) : nullptr;
}

// The total rows of a year by index, once looked up. The clearing step of a year finds all
// eighteen before anything else, and rows are neither added nor removed while the driver runs,
// so every later lookup of a total would succeed: the year's calculation reads them from here.
using Totals = std::array<Item::CItem*, kTotalRows>;

// Derived totals from the looked-up totals 0-14.
void FormDerived(const Totals& t) {
    const Item::CItem& income = *t[kTotalIncome];
    const Item::CItem& directCosts = *t[kTotalDirectCosts];
    Item::CItem& gross = *t[kTotalGrossSurplus];
    const Item::CItem& expenses = *t[kTotalExpenses];
    Item::CItem& beforeInterest = *t[kTotalNetBeforeInterest];
    const Item::CItem& interest = *t[kTotalInterest];
    Item::CItem& beforeOtherIncome = *t[kTotalNetBeforeOtherIncome];
    const Item::CItem& otherIncome = *t[kTotalOtherIncome];
    Item::CItem& netSurplus = *t[kTotalNetSurplus];
    const Item::CItem& receipts = *t[kTotalCapitalReceipts];
    const Item::CItem& capitalExpenses = *t[kTotalCapitalExpenses];
    const Item::CItem& capitalPayments = *t[kTotalCapitalPayments];
    Item::CItem& beforeTax = *t[kTotalNetBeforeTax];
    const Item::CItem& tax = *t[kTotalTax];
    Item::CItem& netCash = *t[kTotalNetCashMovement];

    for (Item::CItem* derived :
         {&gross, &beforeInterest, &beforeOtherIncome, &netSurplus, &beforeTax, &netCash})
        derived->ClearTotal();

    // Expected and Actual alike; each line is formed from lines already formed above it.
    auto form = [&](auto side) {
        for (int m = 0; m < kMonths; ++m) {
            side(gross)[m] = SaturatingSub(side(income)[m], side(directCosts)[m]);
            side(beforeInterest)[m] = SaturatingSub(side(gross)[m], side(expenses)[m]);
            side(beforeOtherIncome)[m] = SaturatingSub(side(beforeInterest)[m], side(interest)[m]);
            side(netSurplus)[m] = SaturatingAdd(side(beforeOtherIncome)[m], side(otherIncome)[m]);
            side(beforeTax)[m] =
                SaturatingSub(SaturatingSub(SaturatingAdd(side(netSurplus)[m], side(receipts)[m]),
                                            side(capitalExpenses)[m]),
                              side(capitalPayments)[m]);
            side(netCash)[m] = SaturatingAdd(side(beforeTax)[m], side(tax)[m]);
        }
    };
    form([](auto& row) -> auto& { return row.Expected; });
    form([](auto& row) -> auto& { return row.Actual; });
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
    Item::AddMode mode;
    double income;
};

void AddIncome(CYear& target, const CYear& source, double factor) {
    target.incomeExpected =
        SaturatingAdd(target.incomeExpected, ScaleTrunc(source.incomeExpected, factor));
    target.incomeActual =
        SaturatingAdd(target.incomeActual, ScaleTrunc(source.incomeActual, factor));
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

                // The combined scenario's companies take the Actual figures whole and once, from
                // the first scenario: what has happened is the same in every scenario.
                const Share shares[3] = {
                    {toAll, kPrecision * wC, scenarioShare, Item::AddMode::ActualsByAB,
                     combinedIncome},
                    {toCompany, kPrecision, scenarioShare,
                     j == 0 ? Item::AddMode::ActualsByA : Item::AddMode::ExpectedOnly,
                     scenarioShare},
                    {toScenario, kPrecision * wC, 1.0, Item::AddMode::ActualsByA, wC},
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
    auto* total = Item::RowAs<Item::CItem>(&year.ItemAt(kTotal, index));
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
            expected = SaturatingAdd(expected, income.Expected[m]);
        if (year.display.ActualMonth(m))
            actual = SaturatingAdd(actual, income.Actual[m]);
    }
    year.incomeExpected = expected;
    year.incomeActual = actual;
}

void FormDerivedTotals(CYear& year) {
    // Totals 0-14 are looked up in order, so that a missing one stops the forming at the same
    // place as ever.
    Totals totals{};
    for (int t = 0; t <= kTotalNetCashMovement; ++t)
        totals[static_cast<std::size_t>(t)] = &TotalRow(year, t);
    FormDerived(totals);
}

void CalculateYear(CYear& year, const CYear* previous, CYear* next, const CCompany& company,
                   bool exclusive) {
    Totals totals{};
    for (int t = 0; t < kTotalRows; ++t) {
        Item::CItem& total = TotalRow(year, t);
        total.ClearTotal();
        totals[static_cast<std::size_t>(t)] = &total;
    }
    auto total = [&totals](int index) -> Item::CItem& {
        return *totals[static_cast<std::size_t>(index)];
    };
    Item::CItem& income = total(kTotalIncome);
    Item::YearCalendar calendar(year, company);

    for (int g = kIncome; g <= kLoan; ++g) {
        int i = 0;
        bool incomeCalculated = false;
        for (const auto& entry : year.Items(g)) {
            Item::CBaseItem& row = *entry;
            if (g <= kCapitalPayment) {
                if (auto* item = Item::RowAs<Item::CItem>(&row)) {
                    Item::CalculateItem(*item, exclusive, year, calendar, income,
                                        total(kCategoryTotal[g]),
                                        Neighbour<Item::CItem>(previous, g, i));
                    incomeCalculated = incomeCalculated || g == kIncome;
                }
            } else if (g == kTax) {
                if (auto* summary = Item::RowAs<Item::CTaxSum>(&row))
                    Item::CalculateTaxSum(*summary, exclusive, year, company.TaxSetup(i),
                                          Neighbour<Item::CTaxSum>(next, g, i), total(kTotalTax));
            } else if (g == kInvestment || g == kLoan) {
                if (auto* loan = Item::RowAs<Item::CLoan>(&row)) {
                    const Item::LoanTotals loanTotals =
                        g == kLoan
                            ? Item::LoanTotals{total(kTotalCapitalReceipts), total(kTotalInterest),
                                               total(kTotalCapitalPayments), total(kTotalLoans)}
                            : Item::LoanTotals{
                                  total(kTotalCapitalPayments), total(kTotalOtherIncome),
                                  total(kTotalCapitalReceipts), total(kTotalInvestments)};
                    Item::CalculateLoan(*loan, year, Neighbour<Item::CLoan>(next, g, i),
                                        loanTotals);
                }
            }
            // The bank is calculated once the totals are formed.
            ++i;
        }
        // The income totals are counted again after every Income row. Nothing reads them
        // before the category is done and no lookup can fail meanwhile, so counting once after
        // its last row leaves the same totals.
        if (incomeCalculated)
            RecountIncomeTotals(year);
    }

    FormDerived(totals);
    if (auto* bank = Item::RowAs<Item::CBank>(year.FindItem(kBank, 0))) {
        Item::CalculateBank(*bank, year, next, total(kTotalInterest), total(kTotalOtherIncome),
                            total(kTotalNetCashMovement), total(kTotalBank));
        FormDerived(totals);
    }
}

void Calculate(CTabView& view) {
    try {
        RunDriver(view);
    } catch (const TextFailure& failure) {
        // A missing company, year or row ends this view's calculation; the work done stays.
        if (failure.Text() != kNotFound)
            throw;
    }
}

void Recalculate(CPERT& root) {
    for (const auto& view : root.views)
        Calculate(*view);
}

} // namespace Database
