#include "app/ExportCommand.h"

#include <filesystem>
#include <string>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QSaveFile>

#include "app/doc/CMainDoc.h"
#include "app/doc/JsonExport.h"
#include "platform/base/StreamMessageSink.h"

namespace {

constexpr const char* kUsage =
    "Usage: varnobel-view --export json FILE [-o OUT]\n"
    "       varnobel-view --export csv FILE [--edition Std|Bas] [--scenario I] [--company I]\n"
    "                     [--year I] [-o OUT]\n"
    "       varnobel-view --export png|pdf FILE [-o OUT]\n";

int BadCommand(std::ostream& err, const QString& reason) {
    err << "varnobel-view: " << reason.toStdString() << '\n' << kUsage;
    return kExitBadCommand;
}

// Writes the whole text to OUT through a temporary file beside it, so that OUT is either the
// complete new text or left as it was.
bool WriteAtomically(const QString& path, const std::string& text, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
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

int ExportJsonCommand(const QString& input, const QString& output, bool toFile, std::ostream& out,
                      std::ostream& err) {
    CMainDoc doc;
    StreamMessageSink sink(err);
    const std::filesystem::path path(QFile::encodeName(input).toStdString());
    switch (doc.Load(path, sink)) {
    case CMainDoc::OpenResult::Loaded:
        break;
    case CMainDoc::OpenResult::Unreadable:
        return kExitUnreadable;
    case CMainDoc::OpenResult::Rejected:
        return kExitRejected;
    }

    // The figures a repaint would show: one recalculation of every view.
    doc.Root().Recalculate();
    const std::string json = ExportJson(doc);

    if (toFile) {
        QString error;
        if (!WriteAtomically(output, json, error)) {
            err << "varnobel-view: cannot write \"" << output.toStdString()
                << "\": " << error.toStdString() << '\n';
            return kExitFailed;
        }
        return kExitWritten;
    }
    out.write(json.data(), static_cast<std::streamsize>(json.size()));
    out.flush();
    if (!out) {
        err << "varnobel-view: cannot write to standard output\n";
        return kExitFailed;
    }
    return kExitWritten;
}

} // namespace

int RunCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "Shows this help.");
    const QCommandLineOption exportFormat("export", "Exports FILE without a window.", "format");
    const QCommandLineOption output({"o", "output"}, "Writes the export to OUT.", "OUT");
    const QCommandLineOption edition("edition", "Statement edition of the CSV export.", "edition");
    const QCommandLineOption scenario("scenario", "Scenario of the CSV export.", "I");
    const QCommandLineOption company("company", "Company of the CSV export.", "I");
    const QCommandLineOption year("year", "Year of the CSV export.", "I");
    parser.addOptions({help, exportFormat, output, edition, scenario, company, year});
    parser.addPositionalArgument("FILE", "The forecast file.");

    if (!parser.parse(arguments))
        return BadCommand(err, parser.errorText());
    if (parser.isSet(help)) {
        out << kUsage;
        return kExitWritten;
    }
    if (!parser.isSet(exportFormat))
        return BadCommand(err, "the viewer window is not built yet; only --export is available");

    const QString format = parser.value(exportFormat);
    if (format != "json" && format != "csv" && format != "png" && format != "pdf")
        return BadCommand(err, QString("unknown export format \"%1\"").arg(format));
    if (format != "json")
        return BadCommand(err, QString("--export %1 is not available yet").arg(format));

    for (const QCommandLineOption* csvOnly : {&edition, &scenario, &company, &year})
        if (parser.isSet(*csvOnly))
            return BadCommand(
                err, QString("--%1 applies to --export csv only").arg(csvOnly->names().first()));

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return BadCommand(err, files.isEmpty() ? "no FILE given" : "more than one FILE given");
    if (files.first().isEmpty())
        return BadCommand(err, "empty FILE name");
    const bool toFile = parser.isSet(output);
    if (toFile && parser.value(output).isEmpty())
        return BadCommand(err, "empty OUT name");

    return ExportJsonCommand(files.first(), parser.value(output), toFile, out, err);
}
