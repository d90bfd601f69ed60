#include <benchmark/benchmark.h>

#ifdef VARNOBEL_BENCH_GUI
#include "bench/GuiApplication.h"
#endif

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
#ifdef VARNOBEL_BENCH_GUI
    ReleaseGuiApplication();
#endif
    return 0;
}
