#include <cstdint>
#include <memory>

#include <benchmark/benchmark.h>


#include "app/export/PdfExport.h"
#include "bench/GuiApplication.h"
#include "bench/LargeForecast.h"
#include "document/CMainDoc.h"

namespace {

using PdfExporter = PdfOutcome (*)(CMainDoc&, const PdfRequest&);

void RunPdfBench(benchmark::State& state, CMainDoc& doc, const PdfRequest& request,
                 PdfExporter exportPdf) {
    std::int64_t pages = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const PdfOutcome outcome = exportPdf(doc, request);
        if (outcome.result.status != PrintResult::Status::Printed) {
            state.SkipWithError("the export printed nothing");
            return;
        }
        pages += outcome.result.pages;
        bytes += outcome.bytes.size();
        benchmark::DoNotOptimize(outcome.bytes.constData());
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["pages"] = static_cast<double>(pages) / runs;
    state.counters["pdf_bytes"] = static_cast<double>(bytes) / runs;
    state.counters["pages_per_second"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
}

// Every page of the forecast into a PDF: all scenarios, companies and years with their graphs
// pages, through the page loop as --export pdf runs it (A4 landscape, 600 dpi). Each page is
// one drawing pass; the figures are calculated once, as the forecast does not change.
void PrintPdfBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    EnsureGuiApplication();
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    PdfRequest request;
    request.allScenarios = true;
    request.allCompanies = true;
    request.allYears = true;
    request.cashflow = true;
    request.graphs = true;
    RunPdfBench(state, doc, request, &ExportStatementPdf);
}

// The Advanced edition's PDF: every shown year of every view, scenario and company, as the
// forecast's print option lays it out; the counting pass that fixes the page total is part of
// each run.
void PrintAdvPdfBench(benchmark::State& state, const LargeForecast::Shape& shape) {
    EnsureGuiApplication();
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    PdfRequest request;
    request.edition = Edition::Advanced;
    RunPdfBench(state, doc, request, &ExportAdvancedPdf);
}

} // namespace

BENCHMARK_CAPTURE(PrintPdfBench, large, LargeForecast::Large())
    ->Name("BM_PrintPdf/large")
    ->Unit(benchmark::kSecond);

BENCHMARK_CAPTURE(PrintAdvPdfBench, adv_large, LargeForecast::Large())
    ->Name("BM_PrintPdf/adv-large")
    ->Unit(benchmark::kSecond);
