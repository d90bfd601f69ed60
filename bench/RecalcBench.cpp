#include <benchmark/benchmark.h>

#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"

namespace {

// One recalculation of every view, as a read or a change of a display flag calls for.
void RecalcBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    CMainDoc doc;
    const LargeForecast forecast(shape);
    forecast.Build(doc);
    for (auto _ : state) {
        doc.Recalculate();
        benchmark::ClobberMemory();
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(forecast.RowCount()),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK_CAPTURE(RecalcBench, large, LargeForecast::Large())
    ->Name("BM_Recalc/large")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RecalcBench, typical, LargeForecast::Typical())
    ->Name("BM_Recalc/typical")
    ->Unit(benchmark::kMicrosecond);
