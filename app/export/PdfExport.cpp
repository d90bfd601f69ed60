#include "app/export/PdfExport.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>

#include "document/CMainDoc.h"
#include "platform/QtPrintTarget.h"
#include "views/AdvPrintJob.h"
#include "views/PrintTree.h"
#include "views/StdPrintJob.h"

PdfOutcome PrintToPdf(PrintableView& job, const QPageSize& paper,
                      QPageLayout::Orientation orientation) {
    PdfOutcome outcome;
    QBuffer buffer(&outcome.bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("Varnobel Viewer"));
        writer.setPageLayout(QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0)));
        QtPrintTarget target(writer);
        PrintInfo info;
        outcome.result = RunPrintLoop(job, target, info);
    }
    buffer.close();
    if (outcome.result.status != PrintResult::Status::Printed)
        outcome.bytes.clear();
    return outcome;
}

namespace {

// Runs the job through the page loop into a PDF of the request's paper.
PdfOutcome PrintPdf(PrintableView& job, const PdfRequest& request) {
    return PrintToPdf(job, QPageSize(request.paper),
                      request.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

} // namespace

PdfOutcome ExportStatementPdf(CMainDoc& doc, const PdfRequest& request) {
    // The state of a view that shows the selection, as after a load.
    StdViewState state;
    state.selectedScenario = request.scenario;
    state.selectedCompany = request.company;
    state.selectedYear = request.year;

    // The command line answers the options dialog; what it leaves out keeps the preset.
    StdPrintJob job(doc, state, request.edition, [&request](StdPrintChoices& choices) {
        const auto choice = [](const std::optional<bool>& all, PrintChoice& target) {
            if (all)
                target = *all ? PrintChoice::All : PrintChoice::Current;
        };
        choice(request.allScenarios, choices.scenarios);
        choice(request.allCompanies, choices.companies);
        choice(request.allYears, choices.years);
        if (request.cashflow || request.graphs) {
            choices.cashflow = request.cashflow.value_or(false);
            choices.graphs = request.graphs.value_or(false);
        }
        return true;
    });
    job.SetOffsetYear(doc.offsetYearChecked != 0);
    job.SetPaperFit(request.fit);
    PdfOutcome outcome = PrintPdf(job, request);
    outcome.notice = job.Notice();
    return outcome;
}

PdfOutcome ExportAdvancedPdf(CMainDoc& doc, const PdfRequest& request) {
    MarkShownYears(doc.Root());
    if (request.printOption)
        doc.Root().SetPrintOption(*request.printOption);
    LayoutKey key;
    const std::unique_ptr<AdvPrintJob> job = MakeAdvPrintJob(doc, key, {});
    job->SetPaperFit(request.fit);
    PdfOutcome outcome = PrintPdf(*job, request);
    outcome.notice = job->Notice();
    return outcome;
}
