#include "app/export/DirectPrint.h"

#include <filesystem>
#include <memory>
#include <sstream>

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/export/ExportCommand.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/StreamMessageSink.h"
#include "platform/QtPrintTarget.h"
#include "platform/QtText.h"
#include "platform/RecordingDeviceContext.h"
#include "views/AdvKey.h"
#include "views/AdvPrintJob.h"
#include "views/PrintTree.h"
#include "views/StdPrintJob.h"

namespace DirectPrint {

namespace {

int Fail(std::ostream& err, const std::string& reason) {
    err << "varnobel-view: " << reason << '\n';
    return kExitFailed;
}

// Lays a job's pages out on a sheet of A4 in landscape at 600 dpi, drawing nowhere: whether the
// job has a page at all is known before the printer hears of it. A printer's job, once begun,
// reaches the printer even when it is abandoned, as a blank sheet.
class LayoutOnlyTarget : public PageTarget {
public:
    LayoutOnlyTarget() : dc_(DeviceCaps{true, 7016, 4961, 7016, 4961, 0, 0, 600, 600}) {}
    bool StartDoc() override { return true; }
    DeviceContext& Context() override { return dc_; }
    bool StartPage() override {
        dc_.Clear();
        return true;
    }
    bool EndPage(bool) override { return true; }
    bool EndDoc() override { return true; }
    void AbortDoc() override {}

private:
    RecordingDeviceContext dc_;
};

// Marks the years the Advanced "Printing Options" dialog starts with, as its OK would: those
// marked, or the year on screen when none is (marks live in memory only, so after a read none
// is), in the tree without hidden entries the dialog uses.
void MarkAsTheDialogStarts(CMainDoc& doc, const LayoutKey& onScreen) {
    PrintTreePair trees(doc.Root());
    trees.CheckIfNone(dynamic_cast<const Database::CYear*>(doc.FindObject(onScreen)));
    trees.StoreMarks(trees.Shown());
}

} // namespace

bool Load(CMainDoc& doc, const QString& file, std::ostream& err) {
    std::ostringstream lines;
    StreamMessageSink sink(lines);
    const std::filesystem::path path(QFile::encodeName(file).toStdString());
    switch (doc.Load(path, sink)) {
    case CMainDoc::OpenResult::Loaded:
    case CMainDoc::OpenResult::Empty:
        err << lines.str();
        return true;
    case CMainDoc::OpenResult::Unreadable:
        // The file system's reason names the file itself.
        err << lines.str();
        return false;
    case CMainDoc::OpenResult::Rejected:
        err << "Cannot open \"" << file.toStdString() << "\":\n" << lines.str();
        return false;
    }
    return false;
}

int Print(CMainDoc& doc, Edition edition, QPrinter& printer, std::ostream& err) {
    // The view as it stands after the file was opened: for the Standard and Basic editions the
    // first scenario, company and year, no choices of their own yet; for the Advanced one its
    // first key, whose year is the one marked for printing.
    StdViewState state;
    LayoutKey key = ResolveAdvKey(doc.Root(), AdvInitialKey());
    if (edition == Edition::Advanced)
        MarkAsTheDialogStarts(doc, key);
    const auto printOn = [&](PageTarget& target) {
        std::unique_ptr<PrintableView> job;
        if (edition == Edition::Advanced) {
            job = MakeAdvPrintJob(doc, key, {});
        } else {
            auto statement =
                std::make_unique<StdPrintJob>(doc, state, edition, StdPrintJob::OptionsDialog());
            statement->SetOffsetYear(doc.offsetYearChecked != 0);
            job = std::move(statement);
        }
        PrintInfo info;
        return RunPrintLoop(*job, target, info);
    };

    LayoutOnlyTarget layout;
    PrintResult result = printOn(layout);
    if (result.status != PrintResult::Status::Nothing) {
        QtPrintTarget target(printer);
        result = printOn(target);
    }
    switch (result.status) {
    case PrintResult::Status::Printed:
        return kExitWritten;
    case PrintResult::Status::Nothing:
        return Fail(err, "there is nothing to print with the choices the Printing Options dialog "
                         "starts with");
    case PrintResult::Status::Failed:
        return Fail(err, ToUtf8(result.message));
    case PrintResult::Status::Cancelled:
        break;
    }
    return Fail(err, "the print job was cancelled");
}

int Run(const QStringList& arguments, std::ostream& err) {
    const CommandLine::PrintArguments request = CommandLine::ParsePrintArguments(arguments);
    if (!request.error.isEmpty()) {
        err << "varnobel-view: " << request.error.toStdString() << '\n' << CommandLine::kUsage;
        return kExitBadCommand;
    }

    CMainDoc doc;
    if (!Load(doc, request.file, err))
        return kExitFailed;

    QPrinter printer(QPrinter::HighResolution);
    if (request.printer.isEmpty()) {
        const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
        if (standard.isNull())
            return Fail(err, "no default printer is set up");
        printer.setPrinterName(standard.printerName());
    } else {
        if (!QPrinterInfo::availablePrinterNames().contains(request.printer))
            return Fail(err, "there is no printer \"" + request.printer.toStdString() + "\"");
        printer.setPrinterName(request.printer);
    }
    // As the window's printer starts: statements are wider than high.
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Varnobel Viewer - ") + request.file.section(u'/', -1));
    return Print(doc, request.edition, printer, err);
}

} // namespace DirectPrint
