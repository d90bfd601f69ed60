#include "statement/graphs/GraphSeriesData.h"

#include <algorithm>
#include <cstddef>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/YearSpan.h"
#include "document/CMainDoc.h"
#include "statement/StatementModel.h"

namespace {

using Statement::StatementLine;
using Statement::StatementModel;
using Statement::StatementSection;

// Where a series finds its figures in a year's statement.
enum class From {
    Total,    // the section's total row; a section the statement leaves out has none: 0
    Movement, // the running movement once the section is done, as its surplus line shows it
    Bank,     // "Closing Bank Balance"; without a bank, the net cash movement alone
};
struct Source {
    From from;
    StatementSection section;
};
constexpr std::array<Source, GraphSeriesData::kSeries> kSources = {{
    {From::Total, StatementSection::Income},
    {From::Total, StatementSection::DirectCosts},
    {From::Movement, StatementSection::DirectCosts},
    {From::Total, StatementSection::Expenses},
    {From::Movement, StatementSection::Expenses},
    {From::Total, StatementSection::Interest},
    {From::Movement, StatementSection::Interest},
    {From::Total, StatementSection::CapitalReceipts},
    {From::Total, StatementSection::CapitalExpenses},
    {From::Total, StatementSection::CapitalPayments},
    {From::Movement, StatementSection::CapitalPayments},
    {From::Total, StatementSection::Tax},
    {From::Movement, StatementSection::Tax},
    {From::Bank, StatementSection::Bank},
    {From::Total, StatementSection::Investments},
    {From::Total, StatementSection::Loans},
}};

const MonthAmounts* LineOf(const StatementModel& model, StatementLine::Kind kind,
                           StatementSection section) {
    for (const StatementLine& line : model.lines)
        if (line.kind == kind && line.section == section)
            return &line.values;
    return nullptr;
}

// The monthly figures a series plots in one year's statement.
MonthAmounts Figures(const StatementModel& model, Source source) {
    switch (source.from) {
    case From::Total:
        if (const MonthAmounts* total = LineOf(model, StatementLine::Kind::Total, source.section))
            return *total;
        return {};
    case From::Movement:
        return model.movementAfter[source.section];
    case From::Bank:
        if (const MonthAmounts* closing =
                LineOf(model, StatementLine::Kind::BankBalance, source.section))
            return *closing;
        return model.movementAfter[StatementSection::Tax];
    }
    return {};
}

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
        std::size_t position = 0;
        int yearIndex = 0;
        for (const auto& year : company->years) {
            // Each year's statement as the Standard view draws it (the Basic one differs in
            // words only).
            Statement::StatementSelection selection;
            selection.company = company;
            selection.year = year.get();
            selection.yearIndex = yearIndex++;
            const StatementModel model =
                Statement::BuildStatementModel(root, selection, Edition::Standard);
            const Database::YearSpan span = Database::SpanOf(*year);
            for (int s = 0; s < kSeries; ++s) {
                const MonthAmounts figures = Figures(model, kSources[static_cast<std::size_t>(s)]);
                std::vector<Amount>& values = series[static_cast<std::size_t>(s)];
                for (int k = 0; k < span.count; ++k)
                    values[position + static_cast<std::size_t>(k)] =
                        figures[static_cast<std::size_t>(span.Month(k))];
            }
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
    return Ascii(AmountText(value, cents, brackets));
}

Text StdGraphSeriesLabel(int series, const Database::CTaxSetup* taxSetup) {
    if (series == GraphSeriesData::kNetBeforeTax)
        return taxSetup ? u"Net Movement Before " + taxSetup->name : Text();
    if (series == GraphSeriesData::kTax)
        return taxSetup ? taxSetup->name : Text();
    return Text(GraphSeriesData::kSeriesNames[static_cast<std::size_t>(series)]);
}
