#include "bench/LargeForecast.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"

namespace {

constexpr int kTaxSetups = 2;

// Share of the rows, in thousandths, of the categories that take a variable number of rows.
// Tax summaries (one per setup) and the bank row are fixed; expenses take the remainder.
struct CategoryShare {
    int category;
    int perMille;
};
constexpr CategoryShare kShares[] = {
    {kIncome, 200},        {kDirectCost, 150},    {kExpense, 350},       {kOtherIncome, 40},
    {kCapitalReceipt, 30}, {kCapitalExpense, 60}, {kCapitalPayment, 30}, {kInvestment, 30},
    {kLoan, 30},           {kNote, 80},
};

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // An amount in [0, limit) hundredths.
    Amount Below(std::int64_t limit) {
        return static_cast<Amount>(Next() % static_cast<std::uint64_t>(limit));
    }

private:
    std::uint64_t state_;
};

std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    return Random(a * 0x100000001B3ULL ^ b).Next();
}

Text Numbered(const char* prefix, int number) {
    return Ascii(prefix) + DecimalText(number);
}

struct SubRate {
    std::int32_t year;
    std::int32_t month;
    Amount value;
};

std::unique_ptr<Database::CTaxSetup> MakeTaxSetup(int index) {
    auto setup = std::make_unique<Database::CTaxSetup>();
    auto addRate = [&](const char* code, std::initializer_list<SubRate> subRates) {
        auto rate = std::make_unique<Database::CTaxRate>();
        rate->Code = Ascii(code);
        rate->name = rate->Code;
        for (const auto& sub : subRates)
            rate->SubRates.Append(
                std::make_unique<Database::CTaxSubRate>(sub.year, sub.month, sub.value));
        setup->Rates.Append(std::move(rate));
    };
    if (index == 0) {
        setup->name = u"GST";
        setup->PeriodStart = 0;
        setup->PeriodLength = 2;
        setup->PaymentDelay = 1;
        addRate("S", {{1950, 0, 1000}, {2022, 6, 1250}});
        addRate("Z", {{1950, 0, 0}});
    } else {
        setup->name = u"PST";
        setup->PeriodStart = 1;
        setup->PeriodLength = 3;
        setup->PaymentDelay = 0;
        setup->Compound = true;
        addRate("P", {{1950, 0, 700}});
    }
    return setup;
}

void FillMonths(MonthAmounts& values, Random& random, std::int64_t limit) {
    for (auto& v : values)
        v = random.Below(limit);
}

std::unique_ptr<Item::CItem> MakeItem(int category, int position, Random& random) {
    auto item = std::make_unique<Item::CItem>();
    item->name = Numbered("Row ", position + 1);
    item->hidden = random.Next() % 29 == 0;
    const bool income = category == kIncome || category == kOtherIncome;
    item->TaxSide = income ? 1 : 2;
    // Income rows are fewer than cost rows but larger, so balances stay within reach of zero.
    FillMonths(item->Expected, random, income ? 4'000'000 : 1'000'000);
    for (int m = 0; m < 4; ++m)
        item->Actual[static_cast<std::size_t>(m)] = random.Below(1'000'000);
    // Some direct costs follow income by a percentage instead of entered figures.
    if (category == kDirectCost && position % 3 == 0) {
        for (int m = 0; m < kMonths; ++m) {
            item->PctType[static_cast<std::size_t>(m)] = 1 + m % 3;
            item->Percent[static_cast<std::size_t>(m)] = 2500 + random.Below(2000);
        }
    }
    item->TaxLinks.assign(kTaxSetups, -1);
    if (category <= kCapitalPayment) {
        item->TaxLinks[0] = static_cast<std::int32_t>(random.Next() % 2);
        if (category == kIncome && position % 4 == 0)
            item->TaxLinks[1] = 0;
    }
    return item;
}

std::unique_ptr<Item::CLoan> MakeLoan(int category, int position, bool firstYear, Random& random) {
    auto loan = std::make_unique<Item::CLoan>();
    loan->name = Numbered(category == kLoan ? "Loan " : "Investment ", position + 1);
    loan->Side = category == kLoan ? 1 : 2;
    if (firstYear) {
        loan->ExpectedOpening = 1'000'000 + random.Below(50'000'000);
        loan->ActualOpening = loan->ExpectedOpening;
    }
    for (auto& rate : loan->Rate)
        rate = 450 + random.Below(600);
    loan->ExpectedAdvances[0] = random.Below(5'000'000);
    FillMonths(loan->ExpectedPayments, random, 300'000);
    loan->ExpectedAdjustments[6] = random.Below(100'000);
    for (int m = 0; m < 4; ++m) {
        loan->ActualPayments[static_cast<std::size_t>(m)] = random.Below(300'000);
        loan->ActualInterest[static_cast<std::size_t>(m)] = random.Below(50'000);
    }
    loan->ResetToActual[3] = true;
    return loan;
}

std::unique_ptr<Item::CTaxSum> MakeTaxSum(int setup, Random& random) {
    auto sum = std::make_unique<Item::CTaxSum>();
    sum->name = setup == 0 ? u"GST" : u"PST";
    sum->ExpectedAdjustments[2] = random.Below(20'000);
    sum->ActualAdjustments[1] = random.Below(20'000);
    sum->ExpectedFromActual[0] = true;
    return sum;
}

void FillBank(Item::CBank& bank, bool firstYear, Random& random) {
    if (firstYear) {
        bank.ExpectedOpening = 2'500'000 + random.Below(5'000'000);
        bank.ActualOpening = bank.ExpectedOpening;
    }
    for (int m = 0; m < kMonths; ++m) {
        const auto i = static_cast<std::size_t>(m);
        bank.ExpectedOdLimit[i] = 2'000'000;
        bank.ActualOdLimit[i] = 2'000'000;
        bank.OdRateWithin[i] = 900;
        bank.OdRateBeyond[i] = 1500;
        bank.CrRate[i] = 150;
    }
    bank.ExpectedAdjustments[5] = random.Below(400'000);
    bank.ActualAdjustments[1] = random.Below(400'000);
    bank.ActualCrInterest[0] = random.Below(5'000);
    bank.ResetToActual[2] = true;
}

} // namespace

LargeForecast::Shape LargeForecast::Large() {
    return Shape{3, 3, 6, 5, 150, 1};
}

LargeForecast::Shape LargeForecast::Typical() {
    return Shape{1, 2, 3, 3, 60, 1};
}

LargeForecast::LargeForecast(const Shape& shape) : shape_(shape) {}

std::vector<int> LargeForecast::RowsByCategory() const {
    std::vector<int> rows(kCategories, 0);
    rows[kTax] = kTaxSetups;
    rows[kBank] = 1;
    const int rest = std::max(shape_.rowsPerYear - kTaxSetups - 1, 0);
    int given = 0;
    for (const auto& share : kShares) {
        rows[static_cast<std::size_t>(share.category)] = rest * share.perMille / 1000;
        given += rows[static_cast<std::size_t>(share.category)];
    }
    rows[kExpense] += rest - given;
    return rows;
}

std::uint64_t LargeForecast::YearCount() const {
    return std::uint64_t(shape_.views) * std::uint64_t(shape_.scenarios + 1) *
           std::uint64_t(shape_.companies + 1) * std::uint64_t(shape_.years);
}

std::uint64_t LargeForecast::RowCount() const {
    const auto rows = RowsByCategory();
    const auto perYear = std::accumulate(rows.begin(), rows.end(), 0) + kTotalRows;
    return YearCount() * static_cast<std::uint64_t>(perYear);
}

void LargeForecast::FillYear(Database::CYear& year, int index, int taxSetups,
                             std::uint64_t salt) const {
    Random random(salt);
    const auto rows = RowsByCategory();
    year.name = DecimalText(2020 + index);
    year.year = 2020 + index;
    year.startMonth = 6;
    year.months = 12;

    for (int category : {kIncome, kDirectCost, kExpense, kOtherIncome, kCapitalReceipt,
                         kCapitalExpense, kCapitalPayment}) {
        for (int i = 0; i < rows[static_cast<std::size_t>(category)]; ++i)
            year.Items(category).Append(MakeItem(category, i, random));
    }
    for (int i = 0; i < taxSetups; ++i)
        year.Items(kTax).Append(MakeTaxSum(i, random));
    if (auto* bank = dynamic_cast<Item::CBank*>(year.FindItem(kBank, 0)))
        FillBank(*bank, index == 0, random);
    for (int category : {kInvestment, kLoan}) {
        for (int i = 0; i < rows[static_cast<std::size_t>(category)]; ++i)
            year.Items(category).Append(MakeLoan(category, i, index == 0, random));
    }

    // Notes are numbered from 1 and each links two rows of the year, which count their notes.
    const int incomeRows = rows[kIncome];
    for (int k = 0; k < rows[kNote]; ++k) {
        auto note = std::make_unique<Item::CNote>();
        note->name = DecimalText(k + 1);
        note->Text = Numbered("Note on the figures of row ", k + 1);
        if (incomeRows > 0) {
            note->AddLink(kIncome, k % incomeRows);
            year.ItemAt(kIncome, k % incomeRows).NoteCount += 1;
        }
        if (rows[kLoan] > 0) {
            note->AddLink(kLoan, k % rows[kLoan]);
            year.ItemAt(kLoan, k % rows[kLoan]).NoteCount += 1;
        }
        year.Items(kNote).Append(std::move(note));
    }

    auto graph = std::make_unique<Database::CGraphSettings>();
    graph->name = u"Summary";
    for (int k = 0; k < Database::kGraphKinds; ++k)
        for (int s = 0; s < Database::kGraphSeries; s += 4)
            graph->seriesOn[static_cast<std::size_t>(k)][static_cast<std::size_t>(s)] = true;
    year.graphs.Append(std::move(graph));

    for (int i = 0; i < Database::CYear::kSubtotals; ++i) {
        year.subtotalLabel[static_cast<std::size_t>(i)] = Numbered("Subtotal ", i + 1);
        year.subtotalMode[static_cast<std::size_t>(i)] = i % 2;
    }
}

void LargeForecast::FillCompany(Database::CCompany& company, std::uint64_t salt) const {
    for (int i = 0; i < kTaxSetups; ++i)
        company.taxSetups.Append(MakeTaxSetup(i));
    for (int y = 0; y < shape_.years; ++y) {
        auto year = std::make_unique<Database::CYear>();
        FillYear(*year, y, kTaxSetups, Mix(salt, static_cast<std::uint64_t>(y)));
        company.years.Append(std::move(year));
    }
    company.importFile = u"ledger.iif";
    company.matchings.Add(u"Sales", u"Income", kIncome, 0, 1);
    company.matchings.Add(u"Rent", u"Expenses", kExpense, 0, 1);
}

void LargeForecast::Build(CMainDoc& doc) const {
    auto& root = doc.Root();
    root.views.Clear();
    root.name = u"Forecast";
    root.marginTop = 10;
    root.marginLeft = 15;
    root.marginBottom = 10;
    root.marginRight = 15;
    doc.fontName = u"Arial";
    doc.fontSize = 90;
    doc.zoom = 125;
    doc.seriesShown[0] = true;
    doc.seriesShown[12] = true;

    for (int v = 0; v < shape_.views; ++v) {
        auto view = std::make_unique<Database::CTabView>();
        view->name = Numbered("View ", v + 1);
        for (int s = 0; s <= shape_.scenarios; ++s) {
            auto scenario = std::make_unique<Database::CScenario>();
            scenario->name = s == 0 ? u"Combined" : Numbered("Scenario ", s);
            scenario->weight = s;
            for (int c = 0; c <= shape_.companies; ++c) {
                auto company = std::make_unique<Database::CCompany>();
                company->name = c == 0 ? u"Consolidated" : Numbered("Company ", c);
                company->weight = c % 2 == 0 ? 0.5 : 1.0;
                const std::uint64_t salt =
                    Mix(shape_.seed, static_cast<std::uint64_t>((v * 64 + s) * 64 + c));
                FillCompany(*company, salt);
                scenario->companies.Append(std::move(company));
            }
            view->scenarios.Append(std::move(scenario));
        }
        root.views.Append(std::move(view));
    }
}

std::vector<std::uint8_t> LargeForecast::Stored() const {
    CMainDoc doc;
    Build(doc);
    return doc.Store();
}

LayoutKey BusiestYear(const Database::CPERT& root) {
    LayoutKey busiest(0, 0, 0, 0);
    int most = -1;
    for (int v = 0; v < root.ViewCount(); ++v) {
        const Database::CTabView& view = root.View(v);
        for (int s = -1; s < view.ScenarioCount() - 1; ++s) {
            const Database::CScenario& scenario = view.Scenario(s);
            for (int c = -1; c < scenario.CompanyCount() - 1; ++c) {
                const Database::CCompany& company = scenario.Company(c);
                for (int y = 0; y < company.YearCount(); ++y) {
                    int rows = 0;
                    for (int category = 0; category <= kNote; ++category)
                        rows += company.Year(y).ItemCount(category);
                    if (rows > most) {
                        most = rows;
                        busiest = LayoutKey(v, s, c, y);
                    }
                }
            }
        }
    }
    return busiest;
}
