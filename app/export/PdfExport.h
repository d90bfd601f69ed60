#pragma once

#include <optional>

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>

#include "database/PrintOption.h"
#include "document/Edition.h"
#include "platform/PrintLoop.h"
#include "views/PaperFit.h"

class CMainDoc;

// What a PDF export prints: the view's selection (already checked against the forecast) and
// the Printing Options choices, each unset choice taking the dialog's preset.
struct PdfRequest {
    Edition edition = Edition::Standard;
    int scenario = 0;
    int company = 0;
    int year = 0;
    std::optional<bool> allScenarios;
    std::optional<bool> allCompanies;
    std::optional<bool> allYears;
    // Given together: what the "Print" group's boxes hold.
    std::optional<bool> cashflow;
    std::optional<bool> graphs;
    // Advanced: the print option to use instead of the forecast's own.
    std::optional<PrintOption> printOption;
    // How the statement is laid across the paper (the Advanced edition fits pages wide).
    PaperFit fit;
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool portrait = false;
};

// How the export went: the page loop's result and, when it printed, the document's bytes.
struct PdfOutcome {
    PrintResult result;
    QByteArray bytes;
    // What the job found worth saying though it printed (the fit it could not reach).
    Text notice;
};

// Resolution of the exported pages.
inline constexpr int kPdfDpi = 600;

// Runs a print job (its options dialog included, when it has one) through the page loop into a
// PDF of the paper and orientation, with no border of the writer's own (the forecast's margins
// apply), at kPdfDpi. Needs a QGuiApplication (fonts).
PdfOutcome PrintToPdf(PrintableView& job, const QPageSize& paper,
                      QPageLayout::Orientation orientation);

// Prints the pages the request chooses through the page loop into a PDF: landscape unless
// `portrait`, no border of the writer's own (the forecast's margins apply), at kPdfDpi.
// Needs a QGuiApplication (fonts).
PdfOutcome ExportStatementPdf(CMainDoc& doc, const PdfRequest& request);

// The Advanced edition's pages into a PDF the same way: every shown year marked, with the
// request's print option when it has one.
PdfOutcome ExportAdvancedPdf(CMainDoc& doc, const PdfRequest& request);
