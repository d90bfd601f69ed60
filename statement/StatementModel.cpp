#include "statement/StatementModel.h"

#include <algorithm>
#include <atomic>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "database/YearSpan.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"
#include "statement/BlockLines.h"

namespace Statement {
namespace {

using Kind = StatementLine::Kind;
using Section = StatementSection;

Amount SumOf(const MonthAmounts& values) {
    Amount sum = 0;
    for (Amount value : values)
        sum = SaturatingAdd(sum, value);
    return sum;
}

int MonthOf(long long value) {
    const long long month = value % kMonths;
    return static_cast<int>(month < 0 ? month + kMonths : month);
}

// A row of sections 0-6 before it is placed: the figures it shows, or none when the row is
// hidden or missing in the shown year.
struct RowSource {
    const MonthAmounts* values = nullptr;
    Text label;
    Text taxCode;
    bool hidden = false;

    bool Visible() const { return values != nullptr && !hidden; }
};

class Builder {
public:
    Builder(const Database::CPERT& root, const StatementSelection& selection, Edition edition)
        : root_(root), selection_(selection), year_(*selection.year), edition_(edition) {
        const Database::CYear* counts = root.Year(selection.yearIndex);
        counts_ = counts ? counts : &year_;
    }

    StatementModel Build();

private:
    int Count(int category) const { return counts_->ItemCount(category); }
    template <class Row> const Row* Find(int category, int index) const {
        return dynamic_cast<const Row*>(year_.FindItem(category, index));
    }

    Text TaxCode(const Item::CItem& item) const;
    void AddItems(std::vector<RowSource>& rows, int category) const;
    // Investments (category 9) or loans (10) with the Expected figures of one of their cash
    // lines, under the row's name.
    void AddBalances(std::vector<RowSource>& rows, int category, LineKind kind) const;

    StatementLine& Push(Kind kind, Section section, Text label);
    StatementLine& Figures(Kind kind, Section section, Text label, const MonthAmounts& values,
                           int totalMonth = -1);
    void Spacer(Section section) { Push(Kind::Spacer, section, {}); }
    void Done(Section section) { model_.movementAfter[section] = movement_; }
    void Hidden(Section section, int row, bool hidden);
    void Surplus(Section section, Text label);
    // The sections of items, Income to Capital Payments: heading, rows, total; the total goes
    // into the running movement by `sign`.
    void ItemSection(Section section, Text heading, int rowCount,
                     const std::vector<RowSource>& rows, bool skipWhenNoneVisible, Text totalLabel,
                     int sign);
    void TaxSection();
    void BankSection();
    void BalanceSection(Section section, int category);

    Text NetMovementLabel() const {
        return model_.hasTaxSetup ? u"NET MOVEMENT BEFORE " + model_.taxName
                                  : Text(u"NET CASH MOVEMENT");
    }
    bool Basic() const { return edition_ == Edition::Basic; }

    const Database::CPERT& root_;
    const StatementSelection& selection_;
    const Database::CYear& year_;
    const Database::CYear* counts_ = nullptr;
    Edition edition_;
    StatementModel model_;
    MonthAmounts movement_{};
};

Text Builder::TaxCode(const Item::CItem& item) const {
    if (item.TaxLinks.empty() || !selection_.company)
        return {};
    const Database::CTaxSetup* setup = selection_.company->TaxSetup(0);
    const Database::CTaxRate* rate = setup ? setup->Rate(item.TaxLinks.front()) : nullptr;
    return rate ? rate->Code : Text();
}

void Builder::AddItems(std::vector<RowSource>& rows, int category) const {
    for (int i = 0; i < Count(category); ++i) {
        RowSource source;
        if (const auto* item = Find<Item::CItem>(category, i)) {
            source.values = &item->Expected;
            source.label = item->name;
            source.taxCode = TaxCode(*item);
            source.hidden = item->IsHidden();
        }
        rows.push_back(std::move(source));
    }
}

void Builder::AddBalances(std::vector<RowSource>& rows, int category, LineKind kind) const {
    for (int i = 0; i < Count(category); ++i) {
        RowSource source;
        if (const auto* loan = Find<Item::CLoan>(category, i)) {
            source.values = LoanLine(*loan, kind, {}).expected;
            source.label = loan->name;
            source.hidden = loan->IsHidden();
        }
        rows.push_back(std::move(source));
    }
}

StatementLine& Builder::Push(Kind kind, Section section, Text label) {
    StatementLine& line = model_.lines.emplace_back();
    line.kind = kind;
    line.section = section;
    line.label = std::move(label);
    return line;
}

StatementLine& Builder::Figures(Kind kind, Section section, Text label, const MonthAmounts& values,
                                int totalMonth) {
    StatementLine& line = Push(kind, section, std::move(label));
    line.values = values;
    line.total = totalMonth >= 0 ? values[static_cast<std::size_t>(totalMonth)] : SumOf(values);
    if (model_.percentColumn && model_.incomeBase != 0)
        line.percent = PercentOf(line.total, model_.incomeBase);
    return line;
}

void Builder::Hidden(Section section, int row, bool hidden) {
    Push(Kind::Hidden, section, {}).row = row;
    if (hidden)
        ++model_.hiddenRowCount;
}

void Builder::Surplus(Section section, Text label) {
    Figures(Kind::Surplus, section, std::move(label), movement_);
    Spacer(section);
}

void Builder::ItemSection(Section section, Text heading, int rowCount,
                          const std::vector<RowSource>& rows, bool skipWhenNoneVisible,
                          Text totalLabel, int sign) {
    const bool anyVisible =
        std::any_of(rows.begin(), rows.end(), [](const RowSource& row) { return row.Visible(); });
    if (rowCount <= 0 || (skipWhenNoneVisible && !anyVisible))
        return;
    Push(Kind::Heading, section, std::move(heading)).keepRows = std::min(rowCount, 5) + 2;
    MonthAmounts sums{};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const RowSource& source = rows[r];
        if (!source.Visible()) {
            Hidden(section, static_cast<int>(r), source.hidden);
            continue;
        }
        StatementLine& line = Figures(Kind::Item, section, source.label, *source.values);
        line.taxCode = source.taxCode;
        line.row = static_cast<int>(r);
        line.blockLines = 1;
        for (int m = 0; m < kMonths; ++m)
            sums[m] = SaturatingAdd(sums[m], (*source.values)[m]);
    }
    model_.sectionRows[section] = static_cast<int>(rows.size());
    Figures(Kind::Total, section, std::move(totalLabel), sums);
    for (int m = 0; m < kMonths; ++m)
        movement_[m] = SaturatingAdd(movement_[m], SaturatingTimes(sums[m], sign));
    Spacer(section);
}

void Builder::TaxSection() {
    constexpr Section section = Section::Tax;
    if (!model_.hasTaxSetup)
        return;
    Push(Kind::Heading, section, model_.taxName).keepRows = 7;
    const auto* sum = Find<Item::CTaxSum>(kTax, 0);
    static const Item::CTaxSum empty;
    const Item::CTaxSum& tax = sum ? *sum : empty;

    std::vector<BlockLine> parts;
    for (LineKind kind : {LineKind::TaxOnSales, LineKind::TaxOnExpenses, LineKind::TaxPayments,
                          LineKind::TaxRefunds, LineKind::TaxAdjustments}) {
        BlockLine part = TaxLine(tax, kind, model_.taxExclusive, Basic());
        if (!part.suppressed)
            parts.push_back(std::move(part));
    }

    MonthAmounts sums{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        Feed(sums, *parts[i].expected, parts[i].sign);
        StatementLine& line = Figures(Kind::Item, section, parts[i].words,
                                      Signed(*parts[i].expected, parts[i].sign));
        line.row = 0;
        if (i == 0)
            line.blockLines = static_cast<int>(parts.size());
    }
    model_.sectionRows[section] = 1;
    Figures(Kind::Total, section, u"Total " + model_.taxName, sums);
    for (int m = 0; m < kMonths; ++m)
        movement_[m] = SaturatingAdd(movement_[m], sums[m]);
    Spacer(section);
    Surplus(section, u"NET CASH MOVEMENT");
}

void Builder::BankSection() {
    constexpr Section section = Section::Bank;
    const auto* bank = Find<Item::CBank>(kBank, 0);
    if (!bank)
        return;
    Push(Kind::Heading, section, bank->name).keepRows = 6;
    // The bank's own switches leave nothing out of this statement.
    const BlockLine balance = BankLine(*bank, LineKind::BankOpening);
    const BlockLine adjustments = BankLine(*bank, LineKind::BankAdjustments, Basic());
    const BlockLine limit = BankLine(*bank, LineKind::BankOdLimit);
    StatementLine& opening =
        Figures(Kind::Item, section, balance.words, *balance.expected, model_.startMonth);
    opening.row = 0;
    opening.blockLines = 3;
    Figures(Kind::Item, section, u"Net Movement", movement_).row = 0;
    Figures(Kind::Item, section, adjustments.words, *adjustments.expected).row = 0;
    model_.sectionRows[section] = 1;

    MonthAmounts closing{};
    Feed(closing, *balance.expected, balance.sign);
    Feed(closing, movement_, 1);
    Feed(closing, *adjustments.expected, adjustments.sign);
    StatementLine& closingLine =
        Figures(Kind::BankBalance, section, u"Closing Bank Balance", closing, model_.lastMonth);
    for (int m = 0; m < kMonths; ++m)
        closingLine.beyondLimit[m] = closing[m] < SaturatingNegate((*limit.expected)[m]);
    closingLine.totalBeyondLimit =
        closingLine.beyondLimit[static_cast<std::size_t>(model_.lastMonth)];
    Figures(Kind::Limit, section, limit.words, *limit.expected, model_.lastMonth);
    Spacer(section);
}

void Builder::BalanceSection(Section section, int category) {
    const int rowCount = Count(category);
    std::vector<const Item::CLoan*> entries;
    int lastVisible = -1;
    for (int i = 0; i < rowCount; ++i) {
        const auto* loan = Find<Item::CLoan>(category, i);
        entries.push_back(loan);
        if (loan && !loan->IsHidden())
            lastVisible = i;
    }
    if (rowCount <= 0 || lastVisible < 0)
        return;
    Push(Kind::Heading, section, category == kInvestment ? u"INVESTMENTS" : u"LOANS").keepRows =
        rowCount == 1 ? 10 : 8;
    MonthAmounts totals{};
    for (int i = 0; i < rowCount; ++i) {
        const Item::CLoan* loan = entries[static_cast<std::size_t>(i)];
        if (!loan || loan->IsHidden()) {
            Hidden(section, i, loan != nullptr);
            continue;
        }
        StatementLine& name = Push(Kind::Name, section, loan->name);
        name.row = i;
        name.blockLines = 7;
        name.keepRows = i == lastVisible ? 9 : 7;
        // Investments read with a loan's words here; the opening balance totals its first month.
        MonthAmounts closing{};
        for (LineKind kind : {LineKind::BalanceOpening, LineKind::BalanceAdvances,
                              LineKind::BalanceInterest, LineKind::BalancePayments,
                              LineKind::BalanceAdjustments}) {
            const BlockLine part = LoanLine(*loan, kind, {true, Basic()});
            Feed(closing, *part.expected, part.sign);
            const int totalMonth =
                part.totalMode == TotalMode::FirstMonth ? model_.startMonth : -1;
            Figures(Kind::Item, section, u"   " + part.words, Signed(*part.expected, part.sign),
                    totalMonth)
                .row = i;
        }
        for (int m = 0; m < kMonths; ++m)
            totals[m] = SaturatingAdd(totals[m], closing[m]);
        Figures(Kind::BlockTotal, section, u"   Closing Balance", closing, model_.lastMonth).row =
            i;
    }
    model_.sectionRows[section] = rowCount;
    Figures(Kind::Total, section, category == kInvestment ? u"Total Investments" : u"Total Loans",
            totals, model_.lastMonth);
    Spacer(section);
}

StatementModel Builder::Build() {
    model_.startMonth = MonthOf(year_.startMonth);
    model_.span = std::clamp(year_.months, 0, kMonths);
    model_.lastMonth = MonthOf(static_cast<long long>(model_.startMonth) + model_.span - 1);
    model_.firstYear = Database::SpanOf(year_).FirstYear(year_.year);
    model_.taxExclusive = root_.TaxExclusive(0) != 0;
    model_.percentColumn = root_.percentage != 0;
    model_.cents = root_.cents != 0;
    model_.brackets = root_.brackets != 0;
    if (const Database::CTaxSetup* setup = root_.TaxSetup(0)) {
        model_.hasTaxSetup = true;
        model_.taxName = setup->name;
    }
    model_.incomeBase = year_.incomeExpected;

    const int investments = Count(kInvestment);
    const int loans = Count(kLoan);

    std::vector<RowSource> rows;
    AddItems(rows, kIncome);
    AddBalances(rows, kInvestment, LineKind::CashInterest);
    ItemSection(Section::Income, u"INCOME", Count(kIncome) + investments, rows, true,
                u"Total Income", +1);
    Done(Section::Income);
    if (!model_.lines.empty() && Count(kDirectCost) == 0 && Count(kExpense) == 0)
        Surplus(Section::Income, u"GROSS SURPLUS");

    const std::size_t beforeDirectCosts = model_.lines.size();
    rows.clear();
    AddItems(rows, kDirectCost);
    ItemSection(Section::DirectCosts, u"DIRECT COSTS", Count(kDirectCost), rows, true,
                u"Total Direct Costs", -1);
    Done(Section::DirectCosts);
    if (model_.lines.size() != beforeDirectCosts)
        Surplus(Section::DirectCosts, u"GROSS SURPLUS");

    const std::size_t beforeExpenses = model_.lines.size();
    rows.clear();
    AddItems(rows, kExpense);
    ItemSection(Section::Expenses, u"EXPENSES", Count(kExpense), rows, true, u"Total Expenses", -1);
    Done(Section::Expenses);
    if (model_.lines.size() != beforeExpenses)
        Surplus(Section::Expenses, u"NET SURPLUS BEFORE INTEREST");

    rows.clear();
    {
        RowSource overdraft;
        if (const auto* bank = Find<Item::CBank>(kBank, 0)) {
            overdraft.values = &bank->ExpectedOdInterest;
            overdraft.label = u"O/D Interest";
        }
        rows.push_back(std::move(overdraft));
    }
    AddBalances(rows, kLoan, LineKind::CashInterest);
    ItemSection(Section::Interest, u"INTEREST", loans + 1, rows, false, u"Total Interest", -1);
    Done(Section::Interest);
    Surplus(Section::Interest, u"NET SURPLUS");

    const int capitalExpenses = Count(kCapitalExpense);
    const int capitalPayments = Count(kCapitalPayment) + investments + loans;

    const std::size_t beforeReceipts = model_.lines.size();
    rows.clear();
    AddItems(rows, kCapitalReceipt);
    AddBalances(rows, kInvestment, LineKind::CashPrincipal);
    AddBalances(rows, kLoan, LineKind::CashAdvance);
    ItemSection(Section::CapitalReceipts, u"CAPITAL RECEIPTS",
                Count(kCapitalReceipt) + investments + loans, rows, true, u"Total Capital Receipts",
                +1);
    Done(Section::CapitalReceipts);
    if (model_.lines.size() != beforeReceipts && capitalExpenses == 0 && capitalPayments == 0)
        Surplus(Section::CapitalReceipts, NetMovementLabel());

    const std::size_t beforeCapitalExpenses = model_.lines.size();
    rows.clear();
    AddItems(rows, kCapitalExpense);
    ItemSection(Section::CapitalExpenses, u"CAPITAL EXPENSES", capitalExpenses, rows, true,
                u"Total Capital Expenses", -1);
    Done(Section::CapitalExpenses);
    if (model_.lines.size() != beforeCapitalExpenses && capitalPayments == 0)
        Surplus(Section::CapitalExpenses, NetMovementLabel());

    const std::size_t beforePayments = model_.lines.size();
    rows.clear();
    AddItems(rows, kCapitalPayment);
    AddBalances(rows, kInvestment, LineKind::CashAdvance);
    AddBalances(rows, kLoan, LineKind::CashPrincipal);
    ItemSection(Section::CapitalPayments, u"CAPITAL PAYMENTS", capitalPayments, rows, true,
                u"Total Capital Payments", -1);
    Done(Section::CapitalPayments);
    if (model_.lines.size() != beforePayments)
        Surplus(Section::CapitalPayments, NetMovementLabel());

    TaxSection();
    Done(Section::Tax);
    // The bank and balance sections move nothing.
    for (Section later : {Section::Bank, Section::Investments, Section::Loans})
        Done(later);
    BankSection();
    BalanceSection(Section::Investments, kInvestment);
    BalanceSection(Section::Loans, kLoan);
    return std::move(model_);
}

} // namespace

bool StatementLine::HasFigures() const {
    return kind != Kind::Heading && kind != Kind::Name && kind != Kind::Spacer &&
           kind != Kind::Hidden;
}

bool StatementLine::Ruled() const {
    return kind == Kind::Total || kind == Kind::BlockTotal || kind == Kind::BankBalance;
}

bool StatementModel::InSpan(int month) const {
    const int position = ((month - startMonth) % kMonths + kMonths) % kMonths;
    return position < span;
}

StatementSelection ResolveStatementSelection(const Database::CPERT& root, Edition edition,
                                             int& scenario, int& company, int& year) {
    StatementSelection selection;
    const Database::CTabView* view = root.views.Find(0);
    if (!view || view->ScenarioCount() - 1 < 1)
        return selection;
    if (edition == Edition::Basic) {
        scenario = 0;
        company = 0;
    }
    const int scenarios = view->ScenarioCount() - 1;
    auto check = [&]() {
        if (scenario < -1 || scenario >= scenarios)
            return false;
        const Database::CScenario* shownScenario = view->FindScenario(scenario);
        const int companies = shownScenario ? shownScenario->CompanyCount() - 1 : 0;
        if (companies < 1 || company < -1 || company >= companies)
            return false;
        const Database::CCompany* shownCompany = shownScenario->FindCompany(company);
        if (!shownCompany || year < 0 || year > shownCompany->YearCount())
            return false;
        selection.view = view;
        selection.scenario = shownScenario;
        selection.company = shownCompany;
        selection.scenarioCount = scenarios;
        selection.companyCount = companies;
        selection.yearCount = shownCompany->YearCount();
        selection.yearIndex = year;
        selection.graphsPage = year == selection.yearCount;
        selection.year = selection.graphsPage ? nullptr : shownCompany->FindYear(year);
        return true;
    };
    if (!check()) {
        scenario = 0;
        company = 0;
        year = 0;
        if (!check())
            selection = StatementSelection{};
    }
    return selection;
}

StatementModel BuildStatementModel(const Database::CPERT& root, const StatementSelection& selection,
                                   Edition edition) {
    CountStatementBuilt();
    if (!selection.year)
        return {};
    return Builder(root, selection, edition).Build();
}

namespace {
std::atomic<std::uint64_t> statementsBuilt{0};
} // namespace

std::uint64_t StatementsBuilt() {
    return statementsBuilt.load(std::memory_order_relaxed);
}

void CountStatementBuilt() {
    statementsBuilt.fetch_add(1, std::memory_order_relaxed);
}

} // namespace Statement
