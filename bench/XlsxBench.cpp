#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"
#include "statement/AdvStatementModel.h"
#include "statement/StatementTable.h"
#include "views/xlsx/XlsxWorkbook.h"

namespace {

// The spreadsheet export of one Advanced statement from the recalculated forecast: the
// statement, its table and the workbook written to a file.
void XlsxBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    doc.Recalculate();
    const LayoutKey key = BusiestYear(doc.Root());
    const std::filesystem::path out = std::filesystem::temp_directory_path() /
                                      ("varnobel-bench-" + std::to_string(getpid()) + ".xlsx");
    std::size_t rows = 0;
    for (auto _ : state) {
        const Statement::StatementTable table = Statement::BuildAdvStatementTable(
            Statement::BuildAdvStatementModel(doc, key, Statement::AdvOutline::Open),
            Statement::AdvStatementPath(doc, key));
        rows = table.rows.size();
        const std::string error = WriteXlsx(out, {table}, XlsxSettings{"large", "bench"});
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
    std::error_code ignored;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(out, ignored));
    std::filesystem::remove(out, ignored);
}

} // namespace

BENCHMARK_CAPTURE(XlsxBench, large, LargeForecast::Large())
    ->Name("BM_ExportXlsx/large")
    ->Unit(benchmark::kMillisecond);
