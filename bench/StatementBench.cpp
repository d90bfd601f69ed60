#include <benchmark/benchmark.h>

#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"
#include "statement/AdvStatementModel.h"

namespace {

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
