#include "app/ExportCommand.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include <QBuffer>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSaveFile>

#include "app/PdfExport.h"
#include "app/StatementExport.h"
#include "document/CMainDoc.h"
#include "document/JsonExport.h"
#include "document/StreamMessageSink.h"
#include "views/StatementCsv.h"

namespace {

constexpr const char* kUsage =
    "Usage: varnobel-view --export json FILE [-o OUT]\n"
    "       varnobel-view --export csv FILE [--edition Std|Bas] [--scenario I] [--company I]\n"
    "                     [--year I] [-o OUT]\n"
    "       varnobel-view --export png FILE -o OUT.png [--edition Std|Bas] [--scenario I]\n"
    "                     [--company I] [--year I] [--size WxH] [--zoom PERCENT]\n"
    "       varnobel-view --export pdf FILE -o OUT.pdf [--edition Std|Bas] [--scenario I]\n"
    "                     [--company I] [--year I] [--scenarios all|current]\n"
    "                     [--companies all|current] [--years all|current] [--cashflow]\n"
    "                     [--graphs] [--paper A4|Letter|Legal] [--portrait]\n";

// The client area of the PNG export unless --size says otherwise.
constexpr int kDefaultWidth = 1600;
constexpr int kDefaultHeight = 1000;
// A side beyond this would ask for hundreds of megabytes twice (image and back buffer).
constexpr int kMaxImageSide = 8192;
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 1000;

int BadCommand(std::ostream& err, const QString& reason) {
    err << "varnobel-view: " << reason.toStdString() << '\n' << kUsage;
    return kExitBadCommand;
}

// Writes the whole text to OUT through a temporary file beside it, so that OUT is either the
// complete new text or left as it was.
bool WriteAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

// Writes the export to OUT, or to standard output without -o.
int Deliver(const QByteArray& bytes, const QString& output, bool toFile, std::ostream& out,
            std::ostream& err) {
    if (toFile) {
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

// Whether OUT names the forecast FILE itself: the same path once links are resolved, or the same
// file reached through another name (a hard link). Writing there would replace the forecast.
bool IsSameFile(const QString& input, const QString& output) {
    namespace fs = std::filesystem;
    const fs::path in(QFile::encodeName(input).toStdString());
    const fs::path out(QFile::encodeName(output).toStdString());
    std::error_code error;
    if (fs::equivalent(in, out, error))
        return true;
    const fs::path inResolved = fs::weakly_canonical(fs::absolute(in, error), error);
    if (error)
        return false;
    const fs::path outResolved = fs::weakly_canonical(fs::absolute(out, error), error);
    return !error && inResolved == outResolved;
}

// Loads FILE; returns the exit status of a failure, or nothing when the document holds it.
std::optional<int> Load(CMainDoc& doc, const QString& input, std::ostream& err) {
    StreamMessageSink sink(err);
    const std::filesystem::path path(QFile::encodeName(input).toStdString());
    switch (doc.Load(path, sink)) {
    case CMainDoc::OpenResult::Loaded:
        return std::nullopt;
    case CMainDoc::OpenResult::Unreadable:
        return kExitUnreadable;
    case CMainDoc::OpenResult::Rejected:
        return kExitRejected;
    }
    return kExitRejected;
}

// The statement options of the command line.
struct StatementOptions {
    StatementRequest request;
    std::optional<QSize> size;
    std::optional<int> zoom;
};

// "all" or "current" of a PDF export's choice; none for anything else.
std::optional<bool> ParseAll(const QString& text) {
    if (text == "all")
        return true;
    if (text == "current")
        return false;
    return std::nullopt;
}

// The PDF export: the page loop into a PDF of the selection and choices.
int ExportPdf(CMainDoc& doc, const CheckedSelection& selection, PdfRequest request,
              const QString& output, std::ostream& out, std::ostream& err) {
    if (!selection.drawable) {
        err << "varnobel-view: nothing to print: the forecast has no scenario, company or year "
               "to show\n";
        return kExitBadCommand;
    }
    request.scenario = selection.scenario;
    request.company = selection.company;
    request.year = selection.year;
    const PdfOutcome outcome = ExportStatementPdf(doc, request);
    switch (outcome.result.status) {
    case PrintResult::Status::Printed:
        return Deliver(outcome.bytes, output, true, out, err);
    case PrintResult::Status::Nothing:
    case PrintResult::Status::Cancelled:
        err << "varnobel-view: nothing to print: the options choose no statement and no graphs "
               "page for the selection\n";
        return kExitBadCommand;
    case PrintResult::Status::Failed:
        break;
    }
    err << "varnobel-view: cannot print: " << ToUtf8(outcome.result.message) << '\n';
    return kExitFailed;
}

std::optional<int> ParseIndex(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

bool IsExportCommand(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr)
            break;
        if (std::strcmp(argv[i], "--export") == 0 || std::strncmp(argv[i], "--export=", 9) == 0)
            return true;
    }
    return false;
}

bool IsDrawingExport(int argc, const char* const argv[]) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const char* format = nullptr;
        if (std::strcmp(argv[i], "--export") == 0)
            format = i + 1 < argc ? argv[i + 1] : nullptr;
        else if (std::strncmp(argv[i], "--export=", 9) == 0)
            format = argv[i] + 9;
        if (format != nullptr &&
            (std::strcmp(format, "png") == 0 || std::strcmp(format, "pdf") == 0))
            return true;
    }
    return false;
}

void PrepareExportPlatform(int argc, const char* const argv[]) {
    if (IsExportCommand(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int RunCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "Shows this help.");
    const QCommandLineOption exportFormat("export", "Exports FILE without a window.", "format");
    const QCommandLineOption output({"o", "output"}, "Writes the export to OUT.", "OUT");
    const QCommandLineOption edition("edition", "Statement edition: Std or Bas.", "edition");
    const QCommandLineOption scenario("scenario", "Scenario of the statement.", "I");
    const QCommandLineOption company("company", "Company of the statement.", "I");
    const QCommandLineOption year("year", "Year of the statement.", "I");
    const QCommandLineOption size("size", "Client area of the PNG export.", "WxH");
    const QCommandLineOption zoom("zoom", "Zoom of the PNG export.", "PERCENT");
    const QCommandLineOption scenarios("scenarios", "PDF: all or the current scenario.", "which");
    const QCommandLineOption companies("companies", "PDF: all or the current company.", "which");
    const QCommandLineOption years("years", "PDF: all or the current year.", "which");
    const QCommandLineOption cashflow("cashflow", "PDF: print the statement.");
    const QCommandLineOption graphs("graphs", "PDF: print the graphs page.");
    const QCommandLineOption paper("paper", "PDF: A4, Letter or Legal.", "paper");
    const QCommandLineOption portrait("portrait", "PDF: portrait pages.");
    parser.addOptions({help, exportFormat, output, edition, scenario, company, year, size, zoom,
                       scenarios, companies, years, cashflow, graphs, paper, portrait});
    parser.addPositionalArgument("FILE", "The forecast file.");

    if (!parser.parse(arguments))
        return BadCommand(err, parser.errorText());
    if (parser.isSet(help)) {
        out << kUsage;
        return kExitWritten;
    }
    if (!parser.isSet(exportFormat))
        return BadCommand(
            err, "these options need --export; to open the window give only FILE and the edition");

    const QString format = parser.value(exportFormat);
    if (format != "json" && format != "csv" && format != "png" && format != "pdf")
        return BadCommand(err, QString("unknown export format \"%1\"").arg(format));

    const bool statement = format == "csv" || format == "png" || format == "pdf";
    for (const QCommandLineOption* statementOnly : {&edition, &scenario, &company, &year})
        if (!statement && parser.isSet(*statementOnly))
            return BadCommand(err, QString("--%1 applies to --export csv, png and pdf only")
                                       .arg(statementOnly->names().first()));
    for (const QCommandLineOption* pngOnly : {&size, &zoom})
        if (format != "png" && parser.isSet(*pngOnly))
            return BadCommand(
                err, QString("--%1 applies to --export png only").arg(pngOnly->names().first()));
    for (const QCommandLineOption* pdfOnly :
         {&scenarios, &companies, &years, &cashflow, &graphs, &paper, &portrait})
        if (format != "pdf" && parser.isSet(*pdfOnly))
            return BadCommand(
                err, QString("--%1 applies to --export pdf only").arg(pdfOnly->names().first()));

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return BadCommand(err, files.isEmpty() ? "no FILE given" : "more than one FILE given");
    if (files.first().isEmpty())
        return BadCommand(err, "empty FILE name");
    const bool toFile = parser.isSet(output);
    if (toFile && parser.value(output).isEmpty())
        return BadCommand(err, "empty OUT name");
    if (toFile && IsSameFile(files.first(), parser.value(output))) {
        err << "varnobel-view: OUT \"" << parser.value(output).toStdString()
            << "\" is the forecast FILE \"" << files.first().toStdString()
            << "\" itself; a forecast is never overwritten\n";
        return kExitBadCommand;
    }
    if (format == "png" && !toFile)
        return BadCommand(err, "--export png needs -o OUT.png");
    if (format == "pdf" && !toFile)
        return BadCommand(err, "--export pdf needs -o OUT.pdf");

    StatementOptions options;
    if (parser.isSet(edition)) {
        const QString word = parser.value(edition);
        if (word == "Std")
            options.request.edition = Edition::Standard;
        else if (word == "Bas")
            options.request.edition = Edition::Basic;
        else
            return BadCommand(err, QString("--edition must be Std or Bas, not \"%1\"").arg(word));
    }
    const std::pair<const QCommandLineOption*, std::optional<int>*> indexes[] = {
        {&scenario, &options.request.scenario},
        {&company, &options.request.company},
        {&year, &options.request.year}};
    for (const auto& [option, target] : indexes) {
        if (!parser.isSet(*option))
            continue;
        *target = ParseIndex(parser.value(*option));
        if (!*target)
            return BadCommand(err, QString("--%1 needs a whole number, not \"%2\"")
                                       .arg(option->names().first(), parser.value(*option)));
    }
    if (parser.isSet(size)) {
        static const QRegularExpression pattern("^([0-9]{1,9})x([0-9]{1,9})$");
        const QRegularExpressionMatch match = pattern.match(parser.value(size));
        const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide)
            return BadCommand(err, QString("--size must be WxH with each side 1 to %1, not \"%2\"")
                                       .arg(kMaxImageSide)
                                       .arg(parser.value(size)));
        options.size = QSize(width, height);
    }
    if (parser.isSet(zoom)) {
        const std::optional<int> percent = ParseIndex(parser.value(zoom));
        if (!percent || *percent < kMinZoom || *percent > kMaxZoom)
            return BadCommand(err, QString("--zoom must be a percentage from %1 to %2, not \"%3\"")
                                       .arg(kMinZoom)
                                       .arg(kMaxZoom)
                                       .arg(parser.value(zoom)));
        options.zoom = percent;
    }
    PdfRequest pdf;
    pdf.edition = options.request.edition;
    const std::pair<const QCommandLineOption*, std::optional<bool>*> choices[] = {
        {&scenarios, &pdf.allScenarios}, {&companies, &pdf.allCompanies}, {&years, &pdf.allYears}};
    for (const auto& [option, target] : choices) {
        if (!parser.isSet(*option))
            continue;
        *target = ParseAll(parser.value(*option));
        if (!*target)
            return BadCommand(err, QString("--%1 must be all or current, not \"%2\"")
                                       .arg(option->names().first(), parser.value(*option)));
        if (pdf.edition == Edition::Basic && option != &years)
            return BadCommand(
                err,
                QString("--%1 applies to the Standard edition only").arg(option->names().first()));
    }
    if (parser.isSet(cashflow) || parser.isSet(graphs)) {
        pdf.cashflow = parser.isSet(cashflow);
        pdf.graphs = parser.isSet(graphs);
    }
    if (parser.isSet(paper)) {
        const QString name = parser.value(paper);
        if (name == "A4")
            pdf.paper = QPageSize::A4;
        else if (name == "Letter")
            pdf.paper = QPageSize::Letter;
        else if (name == "Legal")
            pdf.paper = QPageSize::Legal;
        else
            return BadCommand(err,
                              QString("--paper must be A4, Letter or Legal, not \"%1\"").arg(name));
    }
    pdf.portrait = parser.isSet(portrait);

    if ((format == "png" || format == "pdf") &&
        !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << "varnobel-view: the " << format.toUpper().toStdString()
            << " export needs the graphical application\n";
        return kExitFailed;
    }

    CMainDoc doc;
    if (const std::optional<int> failure = Load(doc, files.first(), err))
        return *failure;

    if (format == "json") {
        // The figures a repaint would show: one recalculation of every view.
        doc.Root().Recalculate();
        const std::string json = ExportJson(doc);
        return Deliver(QByteArray::fromStdString(json), parser.value(output), toFile, out, err);
    }

    CheckedSelection selection;
    if (const std::optional<std::string> reason =
            CheckSelection(doc, options.request, format != "csv", selection))
        return BadCommand(err, QString::fromStdString(*reason));

    if (format == "pdf")
        return ExportPdf(doc, selection, pdf, parser.value(output), out, err);

    if (format == "csv") {
        if (!selection.drawable)
            return BadCommand(err, "the forecast has no scenario, company or year to show");
        const StatementCsvResult csv = ExportStatementCsv(
            doc, options.request.edition, selection.scenario, selection.company, selection.year);
        if (csv.status != StatementCsvResult::Status::Written)
            return BadCommand(err, "the selection shows no statement");
        return Deliver(QByteArray::fromStdString(csv.text), parser.value(output), toFile, out, err);
    }

    if (options.zoom)
        doc.SetZoom(*options.zoom);
    const QImage image =
        RenderStatementImage(doc, options.request.edition, selection,
                             options.size.value_or(QSize(kDefaultWidth, kDefaultHeight)));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        err << "varnobel-view: cannot encode the image\n";
        return kExitFailed;
    }
    return Deliver(png, parser.value(output), toFile, out, err);
}
