#include "display/GraphSeriesData.h"

#include <algorithm>
#include <cstddef>

#include "calc/ItemCalculation.h"
#include "database/CCompany.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "display/MoneyText.h"
#include "document/CMainDoc.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"

namespace {

// The month of one year being filled: its calendar month and its place in the series.
struct MonthSlot {
    int month = 0;
    std::size_t position = 0;
};

class SeriesFiller {
public:
    SeriesFiller(std::array<std::vector<Amount>, GraphSeriesData::kSeries>& series, bool exclusive)
        : series(series), exclusive(exclusive) {}

    // Fills one month of a year.
    void Fill(const Database::CYear& year, MonthSlot slot) {
        const int m = slot.month;
        AddItems(year, kIncome, GraphSeriesData::kIncome, slot);
        AddItems(year, kDirectCost, GraphSeriesData::kDirectCosts, slot);
        AddItems(year, kExpense, GraphSeriesData::kExpenses, slot);
        AddItems(year, kCapitalReceipt, GraphSeriesData::kCapitalReceipts, slot);
        AddItems(year, kCapitalExpense, GraphSeriesData::kCapitalExpenses, slot);
        AddItems(year, kCapitalPayment, GraphSeriesData::kCapitalPayments, slot);

        // The bank counts whether hidden or not, as on the statement.
        if (const auto* bank = dynamic_cast<const Item::CBank*>(year.FindItem(kBank, 0))) {
            Add(GraphSeriesData::kInterest, slot, bank->ExpectedOdInterest[m]);
            Add(GraphSeriesData::kBank, slot, bank->ExpectedBalance[m]);
            Add(GraphSeriesData::kBank, slot, bank->ExpectedAdjustments[m]);
        }

        // Investments and loans post where the statement shows them: interest received as
        // income or paid as interest; principal returned or advanced as capital receipts;
        // deposits or principal repaid as capital payments; the closing balance as the total.
        for (const auto& row : year.Items(kInvestment)) {
            const auto* loan = dynamic_cast<const Item::CLoan*>(row.get());
            if (!loan || loan->IsHidden())
                continue;
            Add(GraphSeriesData::kInvestments, slot, ClosingBalance(*loan, m));
            Add(GraphSeriesData::kIncome, slot, loan->ExpectedInterestPaid[m]);
            Add(GraphSeriesData::kCapitalReceipts, slot, loan->ExpectedPrincipalPaid[m]);
            Add(GraphSeriesData::kCapitalPayments, slot, loan->ExpectedAdvances[m]);
        }
        for (const auto& row : year.Items(kLoan)) {
            const auto* loan = dynamic_cast<const Item::CLoan*>(row.get());
            if (!loan || loan->IsHidden())
                continue;
            Add(GraphSeriesData::kLoans, slot, ClosingBalance(*loan, m));
            Add(GraphSeriesData::kInterest, slot, loan->ExpectedInterestPaid[m]);
            Add(GraphSeriesData::kCapitalReceipts, slot, loan->ExpectedAdvances[m]);
            Add(GraphSeriesData::kCapitalPayments, slot, loan->ExpectedPrincipalPaid[m]);
        }

        const std::size_t p = slot.position;
        Set(GraphSeriesData::kGrossSurplus, p,
            SaturatingSub(At(GraphSeriesData::kIncome, p), At(GraphSeriesData::kDirectCosts, p)));
        Set(GraphSeriesData::kNetBeforeInterest, p,
            SaturatingSub(At(GraphSeriesData::kGrossSurplus, p),
                          At(GraphSeriesData::kExpenses, p)));
        Set(GraphSeriesData::kNetSurplus, p,
            SaturatingSub(At(GraphSeriesData::kNetBeforeInterest, p),
                          At(GraphSeriesData::kInterest, p)));
        Amount beforeTax = SaturatingAdd(At(GraphSeriesData::kNetSurplus, p),
                                         At(GraphSeriesData::kCapitalReceipts, p));
        beforeTax = SaturatingSub(beforeTax, At(GraphSeriesData::kCapitalExpenses, p));
        beforeTax = SaturatingSub(beforeTax, At(GraphSeriesData::kCapitalPayments, p));
        Set(GraphSeriesData::kNetBeforeTax, p, beforeTax);

        // The tax block of the statement: the year's first tax summary, shown also when hidden.
        if (const auto* tax = dynamic_cast<const Item::CTaxSum*>(year.FindItem(kTax, 0))) {
            Amount settled = 0;
            if (exclusive)
                settled = SaturatingSub(tax->ExpectedOnSales[m], tax->ExpectedOnExpenses[m]);
            settled = SaturatingSub(settled, tax->ExpectedPayments[m]);
            settled = SaturatingAdd(settled, tax->ExpectedRefunds[m]);
            settled = SaturatingAdd(settled, tax->ExpectedAdjustments[m]);
            Set(GraphSeriesData::kTax, p, settled);
        }
        Set(GraphSeriesData::kNetCashMovement, p,
            SaturatingAdd(At(GraphSeriesData::kNetBeforeTax, p), At(GraphSeriesData::kTax, p)));
        Add(GraphSeriesData::kBank, slot, At(GraphSeriesData::kNetCashMovement, p));
    }

private:
    static Amount ClosingBalance(const Item::CLoan& loan, int m) {
        Amount closing = SaturatingAdd(loan.ExpectedBalance[m], loan.ExpectedAdvances[m]);
        closing = SaturatingAdd(closing, loan.ExpectedInterest[m]);
        closing = SaturatingSub(closing, loan.ExpectedPayments[m]);
        return SaturatingAdd(closing, loan.ExpectedAdjustments[m]);
    }

    // Adds the Expected figure of every ordinary row of a category that is not hidden.
    void AddItems(const Database::CYear& year, int category, int target, MonthSlot slot) {
        for (const auto& row : year.Items(category)) {
            const auto* item = dynamic_cast<const Item::CItem*>(row.get());
            if (item && !item->IsHidden())
                Add(target, slot, item->Expected[slot.month]);
        }
    }

    Amount At(int s, std::size_t p) const { return series[static_cast<std::size_t>(s)][p]; }
    void Set(int s, std::size_t p, Amount value) { series[static_cast<std::size_t>(s)][p] = value; }
    void Add(int s, MonthSlot slot, Amount value) {
        Amount& target = series[static_cast<std::size_t>(s)][slot.position];
        target = SaturatingAdd(target, value);
    }

    std::array<std::vector<Amount>, GraphSeriesData::kSeries>& series;
    bool exclusive;
};

} // namespace

void GraphSeriesData::Load(const CMainDoc& doc, const Database::CCompany* company,
                           const std::array<bool, kSeries>& shown, bool offsetYear) {
    Free();
    const Database::CPERT& root = doc.Root();
    cents = root.cents != 0;
    brackets = root.brackets != 0;
    months = GraphMonthRange{};
    months.labelled = false;

    std::size_t total = 0;
    if (company) {
        for (const auto& year : company->years)
            total += static_cast<std::size_t>(Database::SpanOf(*year).count);
    }
    if (total > 0) {
        for (auto& values : series)
            values.assign(total, 0);
        monthCount = static_cast<int>(std::min<std::size_t>(total, 0x7FFFFFFF));
        SeriesFiller filler(series, root.TaxExclusive() != 0);
        std::size_t position = 0;
        for (const auto& year : company->years) {
            const Database::YearSpan span = Database::SpanOf(*year);
            for (int k = 0; k < span.count; ++k)
                filler.Fill(*year, {(span.start + k) % 12, position + static_cast<std::size_t>(k)});
            position += static_cast<std::size_t>(span.count);
        }

        // The months follow one another from the first year's first month.
        const Database::CYear& first = **company->years.begin();
        months.firstIndex = Database::SpanOf(first).start;
        months.lastIndex = months.firstIndex + static_cast<std::int64_t>(total) - 1;
        if (months.lastIndex <= months.firstIndex)
            months.lastIndex = months.firstIndex + 1;
        months.firstYear = FirstCalendarYear(first) + (offsetYear ? 1 : 0);
        months.labelled = true;
    }

    Amount low = 0;
    Amount high = 0;
    for (int s = 0; s < kSeries; ++s) {
        if (!shown[static_cast<std::size_t>(s)])
            continue;
        for (Amount value : series[static_cast<std::size_t>(s)]) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    scale = ScaleForRange(low, high);
}

void GraphSeriesData::Free() {
    for (auto& values : series) {
        values.clear();
        values.shrink_to_fit();
    }
    monthCount = 0;
}

const std::vector<Amount>& GraphSeriesData::Values(int index) const {
    static const std::vector<Amount> none;
    if (index < 0 || index >= kSeries)
        return none;
    return series[static_cast<std::size_t>(index)];
}

Text GraphSeriesData::AmountLabel(Amount value) const {
    return Display::MoneyText(value, cents, brackets);
}
