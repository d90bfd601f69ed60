#include "app/export/ChangesExport.h"

#include <filesystem>
#include <sstream>

#include <QFile>
#include <QFileInfo>

#include "app/export/OutputFile.h"
#include "app/Version.h"
#include "document/CMainDoc.h"
#include "document/StreamMessageSink.h"
#include "views/export/ForecastCompare.h"
#include "views/xlsx/XlsxWorkbook.h"

namespace {

// Loads one version; false with the reader's messages under a line naming the file.
bool LoadVersion(CMainDoc& doc, const QString& path, const char* which, std::ostream& err) {
    std::ostringstream messages;
    StreamMessageSink sink(messages);
    if (doc.Load(std::filesystem::path(QFile::encodeName(path).toStdString()), sink) ==
        CMainDoc::OpenResult::Loaded)
        return true;
    err << "varnobel-view: cannot read the " << which << " version \"" << path.toStdString()
        << "\":\n"
        << messages.str();
    return false;
}

bool IsWorkbook(const QString& output) {
    return output.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

int Written(const ChangesRequest& request, const Statement::ForecastComparison& comparison) {
    return request.failOnChange && comparison.Changed() ? kChangesFound : kChangesWritten;
}

} // namespace

int ExportChanges(const ChangesRequest& request, std::ostream& out, std::ostream& err) {
    CMainDoc older;
    CMainDoc newer;
    if (!LoadVersion(older, request.older, "older", err) ||
        !LoadVersion(newer, request.newer, "newer", err))
        return kChangesUnreadable;
    const Statement::ForecastComparison comparison =
        CompareForecasts(older, newer, request.edition);

    if (!request.output.isEmpty() && IsWorkbook(request.output)) {
        const XlsxSettings settings = XlsxSettingsOf(
            newer.Root(), QFileInfo(request.newer).completeBaseName().toStdString() + " changes",
            ViewerVersion::kText);
        const std::string error = WriteXlsx(QFile::encodeName(request.output).toStdString(),
                                            ChangesWorkbookTables(comparison), settings);
        if (!error.empty()) {
            err << "varnobel-view: cannot write \"" << request.output.toStdString()
                << "\": " << error << '\n';
            return kChangesUnreadable;
        }
        return Written(request, comparison);
    }
    const QByteArray csv = QByteArray::fromStdString(ChangesCsv(comparison));
    if (!request.output.isEmpty()) {
        QString error;
        if (!WriteAtomically(request.output, csv, error)) {
            err << "varnobel-view: cannot write \"" << request.output.toStdString()
                << "\": " << error.toStdString() << '\n';
            return kChangesUnreadable;
        }
        return Written(request, comparison);
    }
    out.write(csv.constData(), static_cast<std::streamsize>(csv.size()));
    out.flush();
    if (!out) {
        err << "varnobel-view: cannot write to standard output\n";
        return kChangesUnreadable;
    }
    return Written(request, comparison);
}
