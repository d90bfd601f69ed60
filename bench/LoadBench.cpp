#include <malloc.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/doc/CMainDoc.h"
#include "bench/LargeForecast.h"
#include "platform/base/MessageSink.h"

namespace {

class DiscardingSink : public MessageSink {
  public:
    void Message(const Text&, const Text&) override { ++messages; }
    void OpenFailed(const Text&) override { ++messages; }
    void FileError(const Text&) override { ++messages; }
    int messages = 0;
};

// The stored file of a shape, generated once per run. The tree it was stored from is gone and
// its heap returned before any measurement starts.
const std::vector<std::uint8_t>& StoredFile(const LargeForecast::Shape& shape) {
    static std::map<std::uint64_t, std::vector<std::uint8_t>> files;
    const std::uint64_t key =
        (std::uint64_t(shape.views) << 48) ^ (std::uint64_t(shape.scenarios) << 40) ^
        (std::uint64_t(shape.companies) << 32) ^ (std::uint64_t(shape.years) << 24) ^
        std::uint64_t(shape.rowsPerYear) ^ (shape.seed << 56);
    auto found = files.find(key);
    if (found == files.end()) {
        found = files.emplace(key, LargeForecast(shape).Stored()).first;
        malloc_trim(0);
    }
    return found->second;
}

// A field of /proc/self/status in kB (VmRSS, VmHWM), or -1 where there is none.
long StatusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return -1;
}

// The peak resident memory one load adds to the process, in bytes: the high-water mark is reset
// (clear_refs 5), the document read, and the new mark compared with the resident size before.
// -1 where the system cannot reset the mark.
double PeakLoadBytes(const std::vector<std::uint8_t>& bytes) {
    malloc_trim(0);
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";
        if (!reset)
            return -1;
    }
    const long before = StatusKb("VmRSS");
    {
        DiscardingSink sink;
        CMainDoc doc;
        if (!doc.Read(bytes, "large.cfs", sink))
            return -1;
        benchmark::DoNotOptimize(doc.Root().ViewCount());
    }
    const long peak = StatusKb("VmHWM");
    if (before < 0 || peak < 0)
        return -1;
    return double(peak - before) * 1024.0;
}

void BM_Load(benchmark::State& state, LargeForecast::Shape shape) {
    const LargeForecast forecast(shape);
    const auto& bytes = StoredFile(shape);
    const double peak = PeakLoadBytes(bytes);

    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CMainDoc>();
        DiscardingSink sink;
        state.ResumeTiming();

        const bool read = doc->Read(bytes, "large.cfs", sink);

        state.PauseTiming();
        if (!read) {
            state.SkipWithError("the generated forecast did not load");
            break;
        }
        doc.reset();
        state.ResumeTiming();
    }

    const auto iterations = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(forecast.RowCount()) * iterations, benchmark::Counter::kIsRate);
    state.counters["rows"] = static_cast<double>(forecast.RowCount());
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_file"] = peak / static_cast<double>(bytes.size());
}

BENCHMARK_CAPTURE(BM_Load, large, LargeForecast::Large())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, typical, LargeForecast::Typical())->Unit(benchmark::kMillisecond);

} // namespace
