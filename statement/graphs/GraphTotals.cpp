#include "statement/graphs/GraphTotals.h"

#include "calc/ItemCalculation.h"
#include "core/Failure.h"
#include "database/CCompany.h"
#include "database/CGraphSettings.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "items/CItem.h"
#include "statement/AdvStatementModel.h"

namespace Statement::GraphTotals {

namespace {

Amount KindValue(const TotalFeed& fed, int kind, int month) {
    const auto m = static_cast<std::size_t>(month);
    switch (kind) {
    case Database::kActual:
        return fed.actual[m];
    case Database::kExpected:
        return fed.expected[m];
    default:
        return VarianceOf(fed.actual[m], fed.expected[m]);
    }
}

// The statement's total that stands for total row `series`: the section total or summary row
// keyed to it; for the bank, the closing balance of its block.
const AdvEntry* TotalOf(const AdvStatementModel& model, int series) {
    for (const AdvEntry& entry : model.entries) {
        if (!entry.IsTotal())
            continue;
        const LayoutKey& key = entry.key;
        if (series == kTotalBank
                ? key[LayoutKey::kCategory] == kBank && entry.totalMode == TotalMode::LastMonth
                : key[LayoutKey::kCategory] == kTotal && key[LayoutKey::kPosition] == series)
            return &entry;
    }
    return nullptr;
}

const Item::CItem* TotalRow(const Database::CYear& year, int series) {
    return dynamic_cast<const Item::CItem*>(year.FindItem(kTotal, series));
}

bool IsSeries(int kind, int series) {
    return kind >= 0 && kind < kKinds && series >= 0 && series < kSeries;
}

} // namespace

const Database::CCompany* CompanyOf(const CMainDoc& doc, const LayoutKey& key) {
    LayoutKey company = key;
    for (int level = LayoutKey::kYear; level <= LayoutKey::kPosition; ++level)
        company[level] = LayoutKey::kNoEntry;
    try {
        return dynamic_cast<const Database::CCompany*>(doc.ObjectAt(company));
    } catch (const TextFailure&) {
        return nullptr;
    }
}

const Database::CGraphSettings* SettingsOf(const Database::CYear& year, int settingsIndex) {
    return year.graphs.Find(settingsIndex);
}

const Text* SeriesName(const Database::CYear& year, int series) {
    const Item::CItem* row = TotalRow(year, series);
    return row ? &row->name : nullptr;
}

std::vector<GraphYear> GraphYears(CMainDoc& doc, const LayoutKey& key) {
    std::vector<GraphYear> years;
    const Database::CCompany* company = CompanyOf(doc, key);
    if (!company)
        return years;
    for (int i = 0; i < company->YearCount(); ++i) {
        GraphYear& year = years.emplace_back();
        year.year = &company->Year(i);
        year.position = i;
        const AdvStatementModel model =
            BuildAdvStatementModel(doc,
                                   LayoutKey(key[LayoutKey::kView], key[LayoutKey::kScenario],
                                             key[LayoutKey::kCompany], i),
                                   AdvOutline::Open);
        for (int series = 0; series < kSeries; ++series)
            if (TotalRow(*year.year, series))
                if (const AdvEntry* total = TotalOf(model, series))
                    year.totals[static_cast<std::size_t>(series)] = total->fed;
    }
    return years;
}

std::vector<GraphPoint> YearPoints(const GraphYear& year, const Database::CGraphSettings& settings,
                                   int kind, int series) {
    const Database::YearSpan span = Database::SpanOf(*year.year);
    std::vector<GraphPoint> points(static_cast<std::size_t>(span.count));
    const TotalFeed* fed = nullptr;
    if (IsSeries(kind, series))
        if (const auto& total = year.totals[static_cast<std::size_t>(series)])
            fed = &*total;
    const bool on = fed && Cell(settings.seriesOn, kind, series);
    const auto& monthOn = Cell(settings.months, on ? kind : 0, on ? series : 0);
    for (int k = 0; k < span.count; ++k) {
        const int j = span.start + k;
        const int month = j % 12;
        GraphPoint& point = points[static_cast<std::size_t>(k)];
        point.index = std::int64_t{12} * year.position + j;
        point.plotted = on && monthOn[static_cast<std::size_t>(month)];
        point.value = point.plotted ? KindValue(*fed, kind, month) : 0;
    }
    return points;
}

} // namespace Statement::GraphTotals
