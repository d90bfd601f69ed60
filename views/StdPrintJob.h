#pragma once

#include <functional>
#include <utility>

#include "platform/DrawTypes.h"
#include "platform/PrintLoop.h"
#include "views/StdPrintChoices.h"
#include "views/StdViewState.h"

class CMainDoc;
class DeviceContext;

// The print job of the Standard and Basic views: the options, then page after page of every
// chosen year, graphs page, company and scenario, each year down its column band first and
// then across. It walks the view's own state (selection and print members) and puts the
// selection back when printing ends; the window, the preview and the PDF export share it.
class StdPrintJob : public PrintableView {
public:
    // Shows the edition's options dialog with the choices preset; false unless closed with OK.
    using OptionsDialog = std::function<bool(StdPrintChoices&)>;

    StdPrintJob(CMainDoc& doc, StdViewState& state, Edition edition, OptionsDialog dialog);

    // The "Offset Year" check box, passed to the graphs.
    void SetOffsetYear(bool checked) { offsetYear_ = checked; }
    // Called when printing ends, so the window shows its own selection again.
    void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }
    // Between begin and end printing.
    bool Printing() const { return printing_; }

    // The dialog's presets: "Current" unless the view prints all, "Cashflow" when a year is
    // shown, "Graphs" when the graphs page is.
    StdPrintChoices PresetChoices() const;

    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnPrepareDC(DeviceContext& dc, PrintInfo& info) override;
    void OnPrint(DeviceContext& dc, PrintInfo& info) override;
    void OnEndPrinting(PrintInfo& info) override;

private:
    // A page's starting point, to tell a page that moves the job on from one that does not.
    struct PageStart {
        int scenario = 0;
        int company = 0;
        int year = 0;
        int offsetX = 0;
        int offsetY = 0;
        friend bool operator==(const PageStart&, const PageStart&) = default;
    };

    bool Basic() const { return edition_ == Edition::Basic; }
    bool GraphsOnly() const { return state_.printGraphs && !state_.printCashflow; }
    int ScenarioCount() const;
    int CompanyCount(int scenario) const;
    int YearCount(int scenario, int company) const;
    // The first scenario, company and year of a walk, as the restart and each advance set them.
    int FirstScenario() const;
    int FirstCompany() const;
    int FirstYear() const;
    // Whether the selection names an existing year or graphs page the options print.
    bool Printable() const;
    // Moves to the next object: year, graphs page, company, scenario; false when none is left.
    bool Advance();
    // Advances until a printable object; false when the job is complete.
    bool SkipToPrintable();
    void Restart();
    bool NothingToPrint() const;
    // One layout pass of the current page inside `area`, drawn only when state_.drawing.
    void RunPass(DeviceContext& dc, const Rect& area);

    CMainDoc& doc_;
    StdViewState& state_;
    Edition edition_;
    OptionsDialog dialog_;
    std::function<void()> redraw_;
    bool offsetYear_ = false;
    bool printing_ = false;
    int rowPitch_ = 1;
    bool hasLastStart_ = false;
    PageStart lastStart_;
};
