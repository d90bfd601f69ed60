#pragma once

#include <functional>
#include <utility>

#include "platform/DrawTypes.h"
#include "platform/PrintLoop.h"
#include "views/PaperFit.h"
#include "views/StdPrintChoices.h"
#include "views/StdPrintWalk.h"
#include "views/StdViewState.h"

class CMainDoc;
class DeviceContext;

// The print job of the Standard and Basic views: the options, then page after page of every
// chosen year, graphs page, company and scenario, each year down its column band first and
// then across. Its walk moves the view's selection from object to object and puts it back when
// printing ends; the job breaks each object into pages through the view's print members. The
// window, the preview and the PDF export share it.
class StdPrintJob : public PrintableView {
public:
    // Shows the edition's options dialog with the choices preset; false unless closed with OK.
    using OptionsDialog = std::function<bool(StdPrintChoices&)>;

    StdPrintJob(CMainDoc& doc, StdViewState& state, Edition edition, OptionsDialog dialog);

    // The "Offset Year" check box, passed to the graphs.
    void SetOffsetYear(bool checked) { offsetYear_ = checked; }
    // How the statement is laid across the paper: as given, or as `source` answers when each
    // job begins (the window's settings, which Page Setup may change while a preview shows).
    void SetPaperFit(const PaperFit& fit) {
        paper_ = fit;
        paperSource_ = {};
    }
    void SetPaperFit(std::function<PaperFit()> source) { paperSource_ = std::move(source); }
    // Called when printing ends, so the window shows its own selection again.
    void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }
    // Between begin and end printing.
    bool Printing() const { return printing_; }
    // What the user should know about the pages once they are counted (a fit not reached).
    const Text& Notice() const { return notice_; }

    // The dialog's presets: "Current" unless the view prints all, "Cashflow" when a year is
    // shown, "Graphs" when the graphs page is.
    StdPrintChoices PresetChoices() const;

    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnPrepareDC(DeviceContext& dc, PrintInfo& info) override;
    void OnPrint(DeviceContext& dc, PrintInfo& info) override;
    void OnEndPrinting(PrintInfo& info) override;

private:
    bool Basic() const { return edition_ == Edition::Basic; }
    // The choices the state holds from the last job, and storing new ones there.
    StdPrintChoices StoredChoices() const;
    void StoreChoices(const StdPrintChoices& choices);
    // A new object, or the job's first page, starts at the top left of its first column band.
    void ResetOffsets();
    // One layout pass of the current page inside `area`, drawn only when state_.drawing.
    void RunPass(DeviceContext& dc, const Rect& area);

    CMainDoc& doc_;
    StdViewState& state_;
    Edition edition_;
    OptionsDialog dialog_;
    std::function<void()> redraw_;
    bool offsetYear_ = false;
    PaperFit paper_;
    std::function<PaperFit()> paperSource_;
    // Whether a statement of the job did not fit the pages wide asked.
    bool tooWide_ = false;
    Text notice_;
    bool printing_ = false;
    int rowPitch_ = 1;
    StdPrintWalk walk_;
};
