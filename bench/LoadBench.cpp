#include <malloc.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"

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

// Resets the high-water mark of resident memory (clear_refs 5); false where the system cannot.
bool ResetPeak() {
    malloc_trim(0);
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
    reset.flush();
    return static_cast<bool>(reset);
}

// The peak resident memory `load` adds to the process, in bytes: the high-water mark is reset,
// `load` runs, and the new mark is compared with the resident size before. -1 where the system
// cannot tell or the load fails.
template <class Load> double PeakBytes(Load&& load) {
    if (!ResetPeak())
        return -1;
    const long before = StatusKb("VmRSS");
    if (!load())
        return -1;
    const long peak = StatusKb("VmHWM");
    if (before < 0 || peak < 0)
        return -1;
    return double(peak - before) * 1024.0;
}

// Reading from bytes already in memory.
double PeakReadBytes(const std::vector<std::uint8_t>& bytes) {
    return PeakBytes([&] {
        DiscardingSink sink;
        CMainDoc doc;
        return doc.Read(bytes, "large.cfs", sink);
    });
}

// Opening the file, which also holds its bytes while the forecast is read.
double PeakOpenBytes(const std::vector<std::uint8_t>& bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("varnobel-bench-" + std::to_string(::getpid()) + ".cfs");
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    const double peak = PeakBytes([&] {
        DiscardingSink sink;
        CMainDoc doc;
        return doc.Open(path, sink);
    });
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return peak;
}

void BM_Load(benchmark::State& state, LargeForecast::Shape shape) {
    const LargeForecast forecast(shape);
    const auto& bytes = StoredFile(shape);
    const double peakRead = PeakReadBytes(bytes);
    const double peakOpen = PeakOpenBytes(bytes);

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
    // Peak memory above the process's resident size before the load, as a multiple of the
    // file size: reading bytes already in memory, and opening the file (its bytes included).
    state.counters["read_peak_x"] = peakRead / static_cast<double>(bytes.size());
    state.counters["open_peak_x"] = peakOpen / static_cast<double>(bytes.size());
}

BENCHMARK_CAPTURE(BM_Load, large, LargeForecast::Large())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, typical, LargeForecast::Typical())->Unit(benchmark::kMillisecond);

} // namespace
