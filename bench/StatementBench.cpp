#include <benchmark/benchmark.h>

#include "bench/LargeForecast.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "document/CMainDoc.h"
#include "statement/AdvStatementModel.h"

namespace {

// The key of the year with the most rows in the whole forecast.
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

// Building the Advanced statement of one year from the recalculated forecast, as a change of
// the key, the outline or a display flag calls for (a repaint reuses it).
void StatementBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    doc.Recalculate();
    const LayoutKey key = BusiestYear(doc.Root());
    std::size_t entries = 0;
    for (auto _ : state) {
        const Statement::AdvStatementModel model =
            Statement::BuildAdvStatementModel(doc, key, Statement::AdvOutline::Open);
        entries = model.entries.size();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
}

} // namespace

BENCHMARK_CAPTURE(StatementBench, adv_large, LargeForecast::Large())
    ->Name("BM_Statement/adv-large")
    ->Unit(benchmark::kMillisecond);
