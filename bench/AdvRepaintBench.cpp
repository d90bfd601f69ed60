#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/GuiApplication.h"
#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"
#include "platform/QtDeviceContext.h"
#include "views/AdvDrawPass.h"

namespace {

// One repaint of the Advanced view in a full-HD window after a change of the key: the
// recalculation, the statement built again, then arranged and drawn into the window's image
// through the off-screen bitmap. It shows the first company's first year, as BM_Repaint does.
void AdvRepaintBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    EnsureGuiApplication();
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    QImage window(1920, 1080, QImage::Format_RGB32);
    window.fill(Qt::white);
    QtDeviceContext dc(window);
    AdvViewState view;
    view.currentKey = LayoutKey(0, 0, 0, 0);
    const AdvPassInput input{Rect{0, 0, window.width(), window.height()}, 0, 0};
    // The columns settle on the second pass; measure passes like every later one.
    RunAdvDrawPassSettled(dc, doc, view, input);
    for (auto _ : state) {
        view.rebuild = true;
        RunAdvDrawPass(dc, doc, view, input);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK_CAPTURE(AdvRepaintBench, typical, LargeForecast::Typical())
    ->Name("BM_Repaint/adv-typical")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AdvRepaintBench, large, LargeForecast::Large())
    ->Name("BM_Repaint/adv-large")
    ->Unit(benchmark::kMillisecond);
