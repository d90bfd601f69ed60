#include "display/GraphTotals.h"

#include "calc/ItemCalculation.h"
#include "core/Failure.h"
#include "database/CCompany.h"
#include "database/CGraphSettings.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "items/CItem.h"

namespace Display::GraphTotals {

namespace {

Amount KindValue(const Item::CItem& row, int kind, int month) {
    const auto m = static_cast<std::size_t>(month);
    switch (kind) {
    case Database::kActual:
        return row.Actual[m];
    case Database::kExpected:
        return row.Expected[m];
    default:
        return SaturatingSub(row.Actual[m], row.Expected[m]);
    }
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

std::vector<GraphPoint> YearPoints(const Database::CYear& year, int yearPosition,
                                   const Database::CGraphSettings& settings, int kind, int series) {
    const Database::YearSpan span = Database::SpanOf(year);
    std::vector<GraphPoint> points(static_cast<std::size_t>(span.count));
    const Item::CItem* row = IsSeries(kind, series) ? TotalRow(year, series) : nullptr;
    const bool on = row && Cell(settings.seriesOn, kind, series);
    const auto& monthOn = Cell(settings.months, on ? kind : 0, on ? series : 0);
    for (int k = 0; k < span.count; ++k) {
        const int j = span.start + k;
        const int month = j % 12;
        GraphPoint& point = points[static_cast<std::size_t>(k)];
        point.index = std::int64_t{12} * yearPosition + j;
        point.plotted = on && monthOn[static_cast<std::size_t>(month)];
        point.value = point.plotted ? KindValue(*row, kind, month) : 0;
    }
    return points;
}

} // namespace Display::GraphTotals
