#include "platform/QtApplication.h"

#include "app/export/PrintCommands.h"

#include <algorithm>
#include <memory>

#include <QCheckBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "platform/QtPrintTarget.h"
#include "platform/QtText.h"
#include "views/AdvPrintJob.h"
#include "views/StdPrintJob.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelStdView.h"
#include "views/qt/PrintOptionsAdvDialog.h"
#include "views/qt/PrintOptionsBasDialog.h"
#include "views/qt/PrintOptionsDialog.h"

namespace PrintCommands {

namespace {

const Text kTitle = u"Varnobel Viewer";

bool RunStandardOptions(CMainView& view, QWidget* parent, StdPrintChoices& choices) {
    Dialog::CPrint_Options_Dlg dialog(view.Document(), parent, &view);
    dialog.scenarios = choices.scenarios;
    dialog.companies = choices.companies;
    dialog.years = choices.years;
    dialog.Cashflow = choices.cashflow ? 1 : 0;
    dialog.Graphs = choices.graphs ? 1 : 0;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choices.scenarios = dialog.scenarios;
    choices.companies = dialog.companies;
    choices.years = dialog.years;
    choices.cashflow = dialog.Cashflow != 0;
    choices.graphs = dialog.Graphs != 0;
    return true;
}

bool RunBasicOptions(CMainView& view, QWidget* parent, StdPrintChoices& choices) {
    Dialog::CPrint_Options_Bas_Dlg dialog(view.Document(), parent, &view);
    dialog.years = choices.years;
    dialog.Cashflow = choices.cashflow ? 1 : 0;
    dialog.Graph = choices.graphs ? 1 : 0;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choices.years = dialog.years;
    choices.cashflow = dialog.Cashflow != 0;
    choices.graphs = dialog.Graph != 0;
    return true;
}

} // namespace

std::unique_ptr<PrintableView> MakePrintJob(CMainView& view, QWidget* dialogParent) {
    CMainDoc& doc = view.Document();
    if (auto* advanced = dynamic_cast<CVarnobelAdvView*>(&view)) {
        // The options' Page Setup may change the fit before the job counts its pages.
        auto made = std::make_shared<AdvPrintJob*>(nullptr);
        auto job = MakeAdvPrintJob(
            doc, advanced->CurrentKey(), [&doc, &view, advanced, dialogParent, made] {
                // The year on screen, or the year of the graph page on screen.
                LayoutKey onScreen = advanced->CurrentKey();
                onScreen[LayoutKey::kGraph] = LayoutKey::kNoEntry;
                const Database::CYear* year =
                    dynamic_cast<const Database::CYear*>(doc.FindObject(onScreen));
                Dialog::CPrint_Options_Adv_Dlg dialog(doc, dialogParent, year, &view);
                dialog.SetRefresh([&view] { view.InvalidateLayout(); });
                const bool accepted = dialog.exec() == QDialog::Accepted;
                (*made)->SetPaperFit(view.GetPaperFit());
                return accepted;
            });
        *made = job.get();
        job->SetPaperFit(view.GetPaperFit());
        job->SetRedraw([&view] { view.InvalidateLayout(); });
        job->SetPrintingChanged([advanced](bool printing) { advanced->SetPrinting(printing); });
        return job;
    }
    auto* statement = dynamic_cast<CVarnobelStdView*>(&view);
    if (!statement)
        return nullptr;
    const Edition edition = view.GetEdition();
    auto job = std::make_unique<StdPrintJob>(
        doc, statement->State(), edition, [&view, edition, dialogParent](StdPrintChoices& choices) {
            return edition == Edition::Basic ? RunBasicOptions(view, dialogParent, choices)
                                             : RunStandardOptions(view, dialogParent, choices);
        });
    // Read as each job begins: Page Setup may change it from the options or while previewing.
    job->SetPaperFit([&view] { return view.GetPaperFit(); });
    job->SetOffsetYear(view.OffsetYearBox()->isChecked());
    job->SetRedraw([&view] { view.InvalidateLayout(); });
    return job;
}

PrintResult PrintOnPrinter(PrintableView& job, QPrinter& printer, QWidget* parent,
                           MessageSink& sink) {
    PrintInfo info;
    info.preparePrinting = [&printer, parent](PrintInfo& prepared) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setMinMax(1, kMaxPrintPages);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            prepared.fromPage = printer.fromPage();
            prepared.toPage = std::max(printer.fromPage(), printer.toPage());
        }
        return true;
    };
    // Made when the first page starts, after the dialogs; it stays hidden for short jobs, and
    // its Cancel drops the whole job.
    std::unique_ptr<QProgressDialog> progress;
    info.pageStarting = [&progress, parent](int page) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(
                QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, kMaxPrintPages, parent);
            progress->setWindowTitle(ToQString(kTitle));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(500);
            progress->setAutoReset(false);
            progress->setAutoClose(false);
        }
        progress->setLabelText(QStringLiteral("Printing page %1").arg(page));
        progress->setValue(std::min(page - 1, kMaxPrintPages));
        QCoreApplication::processEvents();
        return !progress->wasCanceled();
    };

    QtPrintTarget target(printer);
    const PrintResult result = RunPrintLoop(job, target, info);
    progress.reset();
    if (const Text message = ResultMessage(result); !message.empty())
        sink.Message(message, kTitle);
    return result;
}

Text ResultMessage(const PrintResult& result) {
    switch (result.status) {
    case PrintResult::Status::Nothing:
        return u"There is nothing to print with these options.";
    case PrintResult::Status::Failed:
        return result.message;
    case PrintResult::Status::Printed:
    case PrintResult::Status::Cancelled:
        break;
    }
    return {};
}

} // namespace PrintCommands
