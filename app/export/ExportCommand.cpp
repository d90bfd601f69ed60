#include "platform/QtApplication.h"

#include "app/export/ExportCommand.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "app/CommandLine.h"
#include "app/Version.h"
#include "app/export/ChangesExport.h"
#include "app/export/OutputFile.h"
#include "app/export/PdfExport.h"
#include "app/export/StatementExport.h"
#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "document/JsonExport.h"
#include "document/StreamMessageSink.h"
#include "statement/StatementCsv.h"
#include "views/AdvExport.h"
#include "views/StatementTables.h"
#include "views/xlsx/XlsxWorkbook.h"

using namespace Statement;

namespace {

// The client area of the PNG export unless --size says otherwise.
constexpr int kDefaultWidth = 1600;
constexpr int kDefaultHeight = 1000;
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 1000;

int BadCommand(std::ostream& err, const QString& reason) {
    err << "varnobel-view: " << reason.toStdString() << '\n' << CommandLine::kUsage;
    return kExitBadCommand;
}

// Where an export goes, and where its reports go.
struct Target {
    QString input;  // OLDER for the changes
    QString output; // empty: standard output
    QString newer;  // NEWER for the changes, else empty
    std::ostream& out;
    std::ostream& err;

    // Writes the export to OUT, or to standard output.
    int Deliver(const QByteArray& bytes) const {
        if (!output.isEmpty()) {
            QString error;
            if (!WriteAtomically(output, bytes, error)) {
                err << "varnobel-view: cannot write \"" << output.toStdString()
                    << "\": " << error.toStdString() << '\n';
                return kExitFailed;
            }
            return kExitWritten;
        }
        out.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            err << "varnobel-view: cannot write to standard output\n";
            return kExitFailed;
        }
        return kExitWritten;
    }
};

// What a forecast without a view is to an export: a forecast like any other (the JSON), or one
// with nothing to show (the statements, pictures, pages and workbooks).
enum class NoView { Exported, NothingToShow };

// Loads FILE; returns the exit status of a failure, or nothing when the document holds it.
std::optional<int> Load(CMainDoc& doc, const QString& input, std::ostream& err,
                        NoView noView = NoView::NothingToShow) {
    StreamMessageSink sink(err);
    const std::filesystem::path path(QFile::encodeName(input).toStdString());
    const CMainDoc::OpenResult result = doc.Load(path, sink);
    switch (result) {
    case CMainDoc::OpenResult::Loaded:
    case CMainDoc::OpenResult::Empty:
        // Not a fault of the command line: the file holds nothing any option could choose.
        if (noView == NoView::NothingToShow && doc.ViewCount() == 0) {
            err << "varnobel-view: there is nothing to show: \"" << input.toStdString()
                << (result == CMainDoc::OpenResult::Empty ? "\" is empty\n"
                                                          : "\" holds no forecast view\n");
            return kExitFailed;
        }
        return std::nullopt;
    case CMainDoc::OpenResult::Unreadable:
        return kExitUnreadable;
    case CMainDoc::OpenResult::Rejected:
        return kExitRejected;
    }
    return kExitRejected;
}

// The command line's options and the parser that reads them.
struct Options {
    QCommandLineParser parser;
    const QCommandLineOption help{{"h", "help"}, "Shows this help."};
    const QCommandLineOption version{{"v", "version"}, "Shows the version."};
    const QCommandLineOption format{"export", "Exports FILE without a window.", "format"};
    const QCommandLineOption output{{"o", "output"}, "Writes the export to OUT.", "OUT"};
    const QCommandLineOption edition{"edition", "Statement edition: Std, Bas or Adv.", "edition"};
    const QCommandLineOption view{"view", "Advanced: view of the statement.", "I"};
    const QCommandLineOption outline{"outline", "Advanced: file, open or closed sections.",
                                     "which"};
    const QCommandLineOption scenario{"scenario", "Scenario of the statement.", "I"};
    const QCommandLineOption company{"company", "Company of the statement.", "I"};
    const QCommandLineOption year{"year", "Year of the statement.", "I"};
    const QCommandLineOption graph{"graph", "Advanced: graph of the year.", "I"};
    const QCommandLineOption size{"size", "Client area of the PNG export.", "WxH"};
    const QCommandLineOption zoom{"zoom", "Zoom of the PNG export.", "PERCENT"};
    const QCommandLineOption scenarios{"scenarios", "PDF: all or the current scenario.", "which"};
    const QCommandLineOption companies{"companies", "PDF: all or the current company.", "which"};
    const QCommandLineOption years{"years", "PDF: all or the current year.", "which"};
    const QCommandLineOption cashflow{"cashflow", "PDF: print the statement."};
    const QCommandLineOption graphs{"graphs", "PDF: print the graphs page."};
    const QCommandLineOption paper{"paper", "PDF: A4, Letter or Legal.", "paper"};
    const QCommandLineOption portrait{"portrait", "PDF: portrait pages."};
    const QCommandLineOption all{"all", "xlsx: every statement the window can show."};
    const QCommandLineOption fitWidth{
        "fit-width", "PDF: draws a year smaller to fit N pages across (0 off, 1-3).", "N"};
    const QCommandLineOption failOnChange{"fail-on-change",
                                          "changes: exit 3 when anything changed."};
    const QCommandLineOption repeatLabels{"repeat-labels",
                                          "PDF: repeats the row labels on every page."};
    const QCommandLineOption printOption{
        "print-option", "PDF, Advanced: as-selected, collapsed, per-display or expanded.",
        "option"};

    Options() {
        parser.addOptions({help,     version,  format, output, edition,  view,      outline,
                           scenario, company,  year,   size,   zoom,     scenarios, companies,
                           years,    cashflow, graphs, paper,  portrait, graph,     printOption,
                           all,      fitWidth, failOnChange, repeatLabels});
        parser.addPositionalArgument("FILE", "The forecast file.");
    }
    bool Has(const QCommandLineOption& option) const { return parser.isSet(option); }
    QString Value(const QCommandLineOption& option) const { return parser.value(option); }
};

QString Name(const QCommandLineOption& option) {
    return option.names().first();
}

std::optional<int> ParseIndex(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// "all" or "current" of a PDF export's choice; none for anything else.
std::optional<bool> ParseAll(const QString& text) {
    if (text == "all")
        return true;
    if (text == "current")
        return false;
    return std::nullopt;
}

// Options that take a list position, each into its target; the reason when one is not a number.
std::optional<QString> ParseIndexes(
    const Options& options,
    std::initializer_list<std::pair<const QCommandLineOption*, std::optional<int>*>> indexes) {
    for (const auto& [option, target] : indexes) {
        if (!options.Has(*option))
            continue;
        *target = ParseIndex(options.Value(*option));
        if (!*target)
            return QString("--%1 needs a whole number, not \"%2\"")
                .arg(Name(*option), options.Value(*option));
    }
    return std::nullopt;
}

// The edition and the tab of a statement export; the reason when an option is wrong.
std::optional<QString> ParseStatement(const Options& options, StatementRequest& request) {
    if (options.Has(options.edition)) {
        const QString word = options.Value(options.edition);
        if (word == "Std")
            request.edition = Edition::Standard;
        else if (word == "Bas")
            request.edition = Edition::Basic;
        else if (word == "Adv")
            request.edition = Edition::Advanced;
        else
            return QString("--edition must be Std, Bas or Adv, not \"%1\"").arg(word);
    }
    for (const QCommandLineOption* advancedOnly : {&options.view, &options.outline, &options.graph})
        if (request.edition != Edition::Advanced && options.Has(*advancedOnly))
            return QString("--%1 applies to --edition Adv only").arg(Name(*advancedOnly));
    return ParseIndexes(options, {{&options.scenario, &request.scenario},
                                  {&options.company, &request.company},
                                  {&options.year, &request.year}});
}

// Loads FILE and checks the statement's selection against it; the exit status of a failure.
std::optional<int> LoadStatement(CMainDoc& doc, const Target& target,
                                 const StatementRequest& request, bool graphsAllowed,
                                 CheckedSelection& selection) {
    if (const std::optional<int> failure = Load(doc, target.input, target.err))
        return failure;
    if (const std::optional<std::string> reason =
            CheckSelection(doc, request, graphsAllowed, selection))
        return BadCommand(target.err, QString::fromStdString(*reason));
    return std::nullopt;
}

// --export json: the whole forecast as a repaint would calculate it.
int ExportJsonCommand(const Options&, const Target& target) {
    CMainDoc doc;
    if (const std::optional<int> failure = Load(doc, target.input, target.err, NoView::Exported))
        return *failure;
    doc.Recalculate();
    return target.Deliver(QByteArray::fromStdString(ExportJson(doc)));
}

// The Advanced statement's key and outline; the reason when an option is wrong.
std::optional<QString> ParseAdvanced(const Options& options, const StatementRequest& request,
                                     AdvRequest& adv) {
    adv.scenario = request.scenario;
    adv.company = request.company;
    adv.year = request.year;
    if (std::optional<QString> reason =
            ParseIndexes(options, {{&options.view, &adv.view}, {&options.graph, &adv.graph}}))
        return reason;
    if (options.Has(options.outline)) {
        const QString which = options.Value(options.outline);
        if (which == "file")
            adv.outline = AdvOutline::File;
        else if (which == "open")
            adv.outline = AdvOutline::Open;
        else if (which == "closed")
            adv.outline = AdvOutline::Closed;
        else
            return QString("--outline must be file, open or closed, not \"%1\"").arg(which);
    }
    return std::nullopt;
}

// --export csv --edition Adv: one year's Advanced statement as the view draws it.
int ExportAdvancedCsv(const Options& options, const Target& target,
                      const StatementRequest& request) {
    AdvRequest adv;
    if (const std::optional<QString> reason = ParseAdvanced(options, request, adv))
        return BadCommand(target.err, *reason);
    CMainDoc doc;
    if (const std::optional<int> failure = Load(doc, target.input, target.err))
        return *failure;
    LayoutKey key;
    if (const std::optional<std::string> reason = CheckAdvRequest(doc, adv, key))
        return BadCommand(target.err, QString::fromStdString(*reason));
    const AdvCsvResult csv = ExportAdvStatementCsv(doc, key, adv.outline);
    if (csv.status != AdvCsvResult::Status::Written)
        return BadCommand(target.err, "the forecast has no year to show");
    return target.Deliver(QByteArray::fromStdString(csv.text));
}

// --export csv: one year's statement as the view draws it.
int ExportCsvCommand(const Options& options, const Target& target) {
    StatementRequest request;
    if (const std::optional<QString> reason = ParseStatement(options, request))
        return BadCommand(target.err, *reason);
    if (request.edition == Edition::Advanced)
        return ExportAdvancedCsv(options, target, request);
    CMainDoc doc;
    CheckedSelection selection;
    if (const std::optional<int> failure = LoadStatement(doc, target, request, false, selection))
        return *failure;
    if (!selection.drawable)
        return BadCommand(target.err, "the forecast has no scenario, company or year to show");
    const StatementCsvResult csv = ExportStatementCsv(doc, request.edition, selection.scenario,
                                                      selection.company, selection.year);
    if (csv.status != StatementCsvResult::Status::Written)
        return BadCommand(target.err, "the selection shows no statement");
    return target.Deliver(QByteArray::fromStdString(csv.text));
}

// The picture of an export as PNG bytes, delivered to OUT.
int DeliverPng(const QImage& image, const Target& target) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        target.err << "varnobel-view: cannot encode the image\n";
        return kExitFailed;
    }
    return target.Deliver(png);
}

// --export png --edition Adv: the Advanced view's client area showing the key: a year's
// statement or, with --graph, one of its graph pages.
int ExportAdvancedPng(const Options& options, const Target& target, const StatementRequest& request,
                      QSize size, std::optional<int> zoom) {
    AdvRequest adv;
    if (const std::optional<QString> reason = ParseAdvanced(options, request, adv))
        return BadCommand(target.err, *reason);
    CMainDoc doc;
    if (const std::optional<int> failure = Load(doc, target.input, target.err))
        return *failure;
    LayoutKey key;
    if (const std::optional<std::string> reason = CheckAdvRequest(doc, adv, key))
        return BadCommand(target.err, QString::fromStdString(*reason));
    if (zoom)
        doc.SetZoom(*zoom);
    return DeliverPng(RenderAdvImage(doc, key, adv.outline, size), target);
}

// --export png: the window's client area as the view draws the selection.
int ExportPngCommand(const Options& options, const Target& target) {
    StatementRequest request;
    if (const std::optional<QString> reason = ParseStatement(options, request))
        return BadCommand(target.err, *reason);
    QSize size(kDefaultWidth, kDefaultHeight);
    if (options.Has(options.size)) {
        static const QRegularExpression pattern("^([0-9]{1,9})x([0-9]{1,9})$");
        const QRegularExpressionMatch match = pattern.match(options.Value(options.size));
        const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide)
            return BadCommand(target.err,
                              QString("--size must be WxH with each side 1 to %1, not \"%2\"")
                                  .arg(kMaxImageSide)
                                  .arg(options.Value(options.size)));
        size = QSize(width, height);
    }
    std::optional<int> zoom;
    if (options.Has(options.zoom)) {
        zoom = ParseIndex(options.Value(options.zoom));
        if (!zoom || *zoom < kMinZoom || *zoom > kMaxZoom)
            return BadCommand(target.err,
                              QString("--zoom must be a percentage from %1 to %2, not \"%3\"")
                                  .arg(kMinZoom)
                                  .arg(kMaxZoom)
                                  .arg(options.Value(options.zoom)));
    }
    if (request.edition == Edition::Advanced)
        return ExportAdvancedPng(options, target, request, size, zoom);

    CMainDoc doc;
    CheckedSelection selection;
    if (const std::optional<int> failure = LoadStatement(doc, target, request, true, selection))
        return *failure;
    if (zoom)
        doc.SetZoom(*zoom);
    return DeliverPng(RenderStatementImage(doc, request.edition, selection, size), target);
}

// The Printing Options choices and the paper of a PDF export.
std::optional<QString> ParsePdf(const Options& options, PdfRequest& pdf) {
    const std::pair<const QCommandLineOption*, std::optional<bool>*> choices[] = {
        {&options.scenarios, &pdf.allScenarios},
        {&options.companies, &pdf.allCompanies},
        {&options.years, &pdf.allYears}};
    for (const auto& [option, target] : choices) {
        if (!options.Has(*option))
            continue;
        *target = ParseAll(options.Value(*option));
        if (!*target)
            return QString("--%1 must be all or current, not \"%2\"")
                .arg(Name(*option), options.Value(*option));
        if (pdf.edition == Edition::Basic && option != &options.years)
            return QString("--%1 applies to the Standard edition only").arg(Name(*option));
    }
    if (options.Has(options.fitWidth)) {
        const std::optional<int> pages = ParseIndex(options.Value(options.fitWidth));
        if (!pages || *pages < 0 || *pages > PaperFit::kMostPagesWide)
            return QString("--fit-width must be 0 to %1, not \"%2\"")
                .arg(PaperFit::kMostPagesWide)
                .arg(options.Value(options.fitWidth));
        pdf.fit.pagesWide = *pages;
    }
    // The Advanced edition repeats them always.
    pdf.fit.repeatLabels = options.Has(options.repeatLabels) || pdf.edition == Edition::Advanced;
    if (options.Has(options.cashflow) || options.Has(options.graphs)) {
        pdf.cashflow = options.Has(options.cashflow);
        pdf.graphs = options.Has(options.graphs);
    }
    if (options.Has(options.paper)) {
        const QString name = options.Value(options.paper);
        if (name == "A4")
            pdf.paper = QPageSize::A4;
        else if (name == "Letter")
            pdf.paper = QPageSize::Letter;
        else if (name == "Legal")
            pdf.paper = QPageSize::Legal;
        else
            return QString("--paper must be A4, Letter or Legal, not \"%1\"").arg(name);
    }
    pdf.portrait = options.Has(options.portrait);
    return std::nullopt;
}

// --export pdf --edition Adv: every shown year of the forecast, with the print option given or
// the forecast's own.
int ExportAdvancedPdfCommand(const Options& options, const Target& target, PdfRequest& pdf) {
    for (const QCommandLineOption* standardOnly :
         {&options.scenario, &options.company, &options.year, &options.scenarios,
          &options.companies, &options.years, &options.cashflow, &options.graphs})
        if (options.Has(*standardOnly))
            return BadCommand(target.err, QString("--%1 applies to the Standard and Basic "
                                                  "editions only")
                                              .arg(Name(*standardOnly)));
    if (options.Has(options.printOption)) {
        static const std::pair<QString, PrintOption> kNames[] = {
            {"as-selected", PrintOption::AsSelected},
            {"collapsed", PrintOption::Collapsed},
            {"per-display", PrintOption::PerDisplay},
            {"expanded", PrintOption::Expanded}};
        const QString name = options.Value(options.printOption);
        for (const auto& [word, option] : kNames)
            if (name == word)
                pdf.printOption = option;
        if (!pdf.printOption)
            return BadCommand(
                target.err, QString("--print-option must be as-selected, collapsed, per-display or "
                                    "expanded, not \"%1\"")
                                .arg(name));
    }
    CMainDoc doc;
    if (const std::optional<int> failure = Load(doc, target.input, target.err))
        return *failure;
    const PdfOutcome outcome = ExportAdvancedPdf(doc, pdf);
    switch (outcome.result.status) {
    case PrintResult::Status::Printed:
        if (!outcome.notice.empty())
            target.err << "varnobel-view: " << ToUtf8(outcome.notice) << '\n';
        return target.Deliver(outcome.bytes);
    case PrintResult::Status::Nothing:
    case PrintResult::Status::Cancelled:
        target.err << "varnobel-view: nothing to print: the forecast shows no year\n";
        return kExitBadCommand;
    case PrintResult::Status::Failed:
        break;
    }
    target.err << "varnobel-view: cannot print: " << ToUtf8(outcome.result.message) << '\n';
    return kExitFailed;
}

// --export pdf: the page loop into a PDF of the selection and choices.
int ExportPdfCommand(const Options& options, const Target& target) {
    StatementRequest request;
    if (const std::optional<QString> reason = ParseStatement(options, request))
        return BadCommand(target.err, *reason);
    PdfRequest pdf;
    pdf.edition = request.edition;
    if (const std::optional<QString> reason = ParsePdf(options, pdf))
        return BadCommand(target.err, *reason);
    if (request.edition == Edition::Advanced)
        return ExportAdvancedPdfCommand(options, target, pdf);
    if (options.Has(options.printOption))
        return BadCommand(target.err, "--print-option applies to --edition Adv only");

    CMainDoc doc;
    CheckedSelection selection;
    if (const std::optional<int> failure = LoadStatement(doc, target, request, true, selection))
        return *failure;
    if (!selection.drawable) {
        target.err << "varnobel-view: nothing to print: the forecast has no scenario, company or "
                      "year to show\n";
        return kExitBadCommand;
    }
    pdf.scenario = selection.scenario;
    pdf.company = selection.company;
    pdf.year = selection.year;
    const PdfOutcome outcome = ExportStatementPdf(doc, pdf);
    switch (outcome.result.status) {
    case PrintResult::Status::Printed:
        if (!outcome.notice.empty())
            target.err << "varnobel-view: " << ToUtf8(outcome.notice) << '\n';
        return target.Deliver(outcome.bytes);
    case PrintResult::Status::Nothing:
    case PrintResult::Status::Cancelled:
        target.err << "varnobel-view: nothing to print: the options choose no statement and no "
                      "graphs page for the selection\n";
        return kExitBadCommand;
    case PrintResult::Status::Failed:
        break;
    }
    target.err << "varnobel-view: cannot print: " << ToUtf8(outcome.result.message) << '\n';
    return kExitFailed;
}

// The workbook of the tables delivered to OUT or standard output: written whole into a private
// folder, then delivered as bytes like every other kind, so OUT is written as the window writes it.
int DeliverXlsx(const std::vector<Statement::StatementTable>& tables, const CMainDoc& doc,
                const Target& target) {
    const XlsxSettings settings = XlsxSettingsOf(
        doc.Root(), QFileInfo(target.input).completeBaseName().toStdString(), ViewerVersion::kText);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("statement.xlsx"));
    std::string error = folder.isValid() ? WriteXlsx(QFile::encodeName(path).toStdString(),
                                                     tables, settings)
                                         : folder.errorString().toStdString();
    QFile file(path);
    if (error.empty() && !file.open(QIODevice::ReadOnly))
        error = file.errorString().toStdString();
    if (!error.empty()) {
        target.err << "varnobel-view: cannot write the workbook: " << error << '\n';
        return kExitFailed;
    }
    return target.Deliver(file.readAll());
}

// --export xlsx: the selected statement, or with --all every statement the window can show,
// one worksheet each.
int ExportXlsxCommand(const Options& options, const Target& target) {
    StatementRequest request;
    if (const std::optional<QString> reason = ParseStatement(options, request))
        return BadCommand(target.err, *reason);
    const bool all = options.Has(options.all);
    if (all)
        for (const QCommandLineOption* one :
             {&options.view, &options.scenario, &options.company, &options.year})
            if (options.Has(*one))
                return BadCommand(target.err,
                                  QString("--%1 names one statement; --all exports every one")
                                      .arg(Name(*one)));
    CMainDoc doc;
    std::vector<Statement::StatementTable> tables;
    if (request.edition == Edition::Advanced) {
        AdvRequest adv;
        if (const std::optional<QString> reason = ParseAdvanced(options, request, adv))
            return BadCommand(target.err, *reason);
        if (const std::optional<int> failure = Load(doc, target.input, target.err))
            return *failure;
        LayoutKey key;
        if (all)
            tables = AllAdvStatementTables(doc, adv.outline);
        else if (const std::optional<std::string> reason = CheckAdvRequest(doc, adv, key))
            return BadCommand(target.err, QString::fromStdString(*reason));
        else
            tables = AdvStatementTables(doc, key, adv.outline);
    } else if (all) {
        if (const std::optional<int> failure = Load(doc, target.input, target.err))
            return *failure;
        tables = AllStdStatementTables(doc, request.edition);
    } else {
        CheckedSelection selection;
        if (const std::optional<int> failure =
                LoadStatement(doc, target, request, false, selection))
            return *failure;
        if (selection.drawable)
            tables = StdStatementTables(doc, request.edition, selection.scenario,
                                        selection.company, selection.year);
    }
    if (tables.empty())
        return BadCommand(target.err, "the forecast has no statement to show");
    return DeliverXlsx(tables, doc, target);
}

// The export kinds, as bits so that an option can name the kinds it applies to.
enum KindBit : unsigned {
    kJson = 1,
    kCsv = 2,
    kPng = 4,
    kPdf = 8,
    kXlsx = 16,
    kChanges = 32,
    kStatement = kCsv | kPng | kPdf | kXlsx
};

// --export changes OLDER NEWER: what changed between two versions, as CSV or a workbook.
int ExportChangesCommand(const Options& options, const Target& target) {
    StatementRequest request;
    if (const std::optional<QString> reason = ParseStatement(options, request))
        return BadCommand(target.err, *reason);
    return ExportChanges({target.input, target.newer, target.output, request.edition,
                          options.Has(options.failOnChange)},
                         target.out, target.err);
}

// An export kind: its --export word, how it runs, and what it needs.
struct ExportKind {
    const char* name;
    KindBit bit;
    int (*run)(const Options&, const Target&);
    bool binary; // a picture, pages or a workbook: OUT must be named (- for standard output)
    bool gui;    // draws text, so needs the graphical application's fonts
};

constexpr ExportKind kKinds[] = {
    {"json", kJson, ExportJsonCommand, false, false},
    {"csv", kCsv, ExportCsvCommand, false, false},
    {"png", kPng, ExportPngCommand, true, true},
    {"pdf", kPdf, ExportPdfCommand, true, true},
    {"xlsx", kXlsx, ExportXlsxCommand, true, false},
    {"changes", kChanges, ExportChangesCommand, false, false},
};

// The reason the options do not fit the export kind, if they do not.
std::optional<QString> CheckKindOptions(const Options& options, const ExportKind& kind) {
    struct KindOnly {
        const QCommandLineOption& option;
        unsigned kinds;
    };
    const KindOnly rules[] = {
        {options.edition, kStatement | kChanges},
        {options.view, kCsv | kPng | kXlsx},
        {options.outline, kCsv | kPng | kXlsx},
        {options.graph, kPng},
        {options.scenario, kStatement}, {options.company, kStatement},
        {options.year, kStatement},     {options.size, kPng},
        {options.zoom, kPng},           {options.scenarios, kPdf},
        {options.companies, kPdf},      {options.years, kPdf},
        {options.cashflow, kPdf},       {options.graphs, kPdf},
        {options.paper, kPdf},          {options.portrait, kPdf},
        {options.printOption, kPdf},    {options.all, kXlsx},
        {options.failOnChange, kChanges},
        {options.fitWidth, kPdf},       {options.repeatLabels, kPdf},
    };
    for (const KindOnly& rule : rules) {
        if (!options.Has(rule.option) || (rule.kinds & kind.bit) != 0)
            continue;
        QStringList names;
        for (const ExportKind& other : kKinds)
            if ((rule.kinds & other.bit) != 0)
                names << other.name;
        const QString where =
            names.size() == 1 ? names.first()
                              : names.mid(0, names.size() - 1).join(", ") + " and " + names.last();
        return QString("--%1 applies to --export %2 only").arg(Name(rule.option), where);
    }
    return std::nullopt;
}

} // namespace

int RunCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    Options options;
    if (!options.parser.parse(arguments))
        return BadCommand(err, options.parser.errorText());
    if (options.Has(options.help)) {
        out << CommandLine::HelpText();
        return kExitWritten;
    }
    if (options.Has(options.version)) {
        out << CommandLine::VersionText();
        return kExitWritten;
    }
    if (!options.Has(options.format))
        return BadCommand(
            err, "these options need --export; to open the window give only FILE and the edition");

    const QString format = options.Value(options.format);
    const ExportKind* kind = nullptr;
    for (const ExportKind& candidate : kKinds)
        if (format == candidate.name)
            kind = &candidate;
    if (kind == nullptr)
        return BadCommand(err, QString("unknown export format \"%1\"").arg(format));
    if (const std::optional<QString> reason = CheckKindOptions(options, *kind))
        return BadCommand(err, *reason);

    const QStringList files = options.parser.positionalArguments();
    const qsizetype wanted = kind->bit == kChanges ? 2 : 1;
    if (files.size() != wanted)
        return BadCommand(err, wanted == 2         ? "--export changes needs OLDER and NEWER"
                               : files.isEmpty() ? "no FILE given"
                                                 : "more than one FILE given");
    if (files.contains(QString()))
        return BadCommand(err, "empty FILE name");
    const QString output = options.Value(options.output);
    if (options.Has(options.output) && output.isEmpty())
        return BadCommand(err, "empty OUT name");
    // A picture or pages are not written to a terminal by accident: "-" asks for them there.
    if (kind->binary && !options.Has(options.output))
        return BadCommand(
            err, QString("--export %1 needs -o OUT.%1 (or -o - for standard output)").arg(format));
    const bool toStandardOutput = !options.Has(options.output) || output == "-";
    for (const QString& file : files)
        if (!toStandardOutput && IsSameFile(file, output)) {
            err << "varnobel-view: OUT \"" << output.toStdString() << "\" is the forecast FILE \""
                << file.toStdString() << "\" itself; a forecast is never overwritten\n";
            return kExitBadCommand;
        }
    if (kind->gui && !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << "varnobel-view: the " << format.toUpper().toStdString()
            << " export needs the graphical application\n";
        return kExitFailed;
    }

    const Target target{files.first(), toStandardOutput ? QString() : output,
                        wanted == 2 ? files.last() : QString(), out, err};
    return kind->run(options, target);
}
