#include <benchmark/benchmark.h>

#include "bench/LargeForecast.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "items/CItem.h"
#include "views/export/ForecastCompare.h"

namespace {

// Two recalculated versions of the forecast that differ in one row's figures compared in an
// edition: every statement of both built as tables, matched and compared, and the settings.
void CompareBench(benchmark::State& state, const LargeForecast::Shape& shape, Edition edition) {
    CMainDoc older;
    CMainDoc newer;
    const LargeForecast forecast(shape);
    forecast.Build(older);
    forecast.Build(newer);
    auto* row = dynamic_cast<Item::CItem*>(
        newer.Root().View(0).Scenario(0).Company(0).Year(0).FindItem(kIncome, 0));
    if (!row) {
        state.SkipWithError("the forecast has no income row");
        return;
    }
    for (Amount& figure : row->Expected)
        figure += 12345;
    older.Recalculate();
    newer.Recalculate();
    int changes = 0;
    for (auto _ : state) {
        const Statement::ForecastComparison comparison = CompareForecasts(older, newer, edition);
        changes = comparison.ChangedFigures();
        benchmark::DoNotOptimize(changes);
    }
    state.counters["changes"] = changes;
}

} // namespace

BENCHMARK_CAPTURE(CompareBench, large, LargeForecast::Large(), Edition::Standard)
    ->Name("BM_Compare/large")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CompareBench, adv_large, LargeForecast::Large(), Edition::Advanced)
    ->Name("BM_Compare/adv_large")
    ->Unit(benchmark::kMillisecond);
