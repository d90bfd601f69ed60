#include <memory>

#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/GuiApplication.h"
#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"
#include "platform/QtDeviceContext.h"
#include "views/StdDrawPass.h"

namespace {

// One repaint of the Standard view in a full-HD window: the recalculation and the drawing pass
// into the window's image, through the off-screen bitmap and its two copies.
void RepaintBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    EnsureGuiApplication();
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    QImage window(1920, 1080, QImage::Format_RGB32);
    window.fill(Qt::white);
    QtDeviceContext dc(window);
    StdViewState view;
    StdPassInput input;
    input.client = Rect{0, 0, window.width(), window.height()};
    for (auto _ : state) {
        RunStdDrawPass(dc, doc, view, input);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK_CAPTURE(RepaintBench, typical, LargeForecast::Typical())
    ->Name("BM_Repaint/typical")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintBench, large, LargeForecast::Large())
    ->Name("BM_Repaint/large")
    ->Unit(benchmark::kMillisecond);
