#include "views/StdPrintJob.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "display/PrintArea.h"
#include "display/StatementFont.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"
#include "statement/StatementModel.h"
#include "views/StdDrawPass.h"

using namespace Statement;

namespace {

const Text kTooShort = u"The page is too small to print one row of the statement. Choose smaller "
                       u"margins in Page Setup or a larger paper.";
const Text kNoProgress =
    u"The statement cannot be divided into pages on this paper; printing was stopped.";

} // namespace

StdPrintJob::StdPrintJob(CMainDoc& doc, StdViewState& state, Edition edition, OptionsDialog dialog)
    : doc_(doc), state_(state), edition_(edition), dialog_(std::move(dialog)),
      walk_(doc, state, edition) {}

StdPrintChoices StdPrintJob::StoredChoices() const {
    const auto choice = [](bool all) { return all ? PrintChoice::All : PrintChoice::Current; };
    return {choice(state_.printAllScenarios), choice(state_.printAllCompanies),
            choice(state_.printAllYears), state_.printCashflow, state_.printGraphs};
}

void StdPrintJob::StoreChoices(const StdPrintChoices& choices) {
    state_.printAllScenarios = !Basic() && choices.scenarios == PrintChoice::All;
    state_.printAllCompanies = !Basic() && choices.companies == PrintChoice::All;
    state_.printAllYears = choices.years == PrintChoice::All;
    state_.printCashflow = choices.cashflow;
    state_.printGraphs = choices.graphs;
}

StdPrintChoices StdPrintJob::PresetChoices() const {
    StdPrintChoices choices = StoredChoices();
    // What the screen shows: the pass would put a selection out of range back to the start.
    int scenario = state_.selectedScenario;
    int company = state_.selectedCompany;
    int year = state_.selectedYear;
    const StatementSelection shown =
        ResolveStatementSelection(doc_.Root(), edition_, scenario, company, year);
    choices.cashflow = shown.Drawable() && !shown.graphsPage;
    choices.graphs = shown.Drawable() && shown.graphsPage;
    return choices;
}

bool StdPrintJob::OnPreparePrinting(PrintInfo& info) {
    state_.printPage = -1;
    StdPrintChoices choices = PresetChoices();
    walk_.SaveSelection();
    if (dialog_ && !dialog_(choices))
        return false;
    info.previewPages = 1;
    const StdPrintChoices before = StoredChoices();
    StoreChoices(choices);
    // Choices that print nothing end the job here, before a print dialog opens a device that
    // would send a blank sheet.
    if (walk_.NothingToPrint()) {
        info.EndJob(0);
        return true;
    }
    if (info.DoPreparePrinting())
        return true;
    // The choices of a cancelled job are not kept.
    StoreChoices(before);
    return false;
}

void StdPrintJob::OnBeginPrinting(DeviceContext& dc, PrintInfo& info) {
    printing_ = true;
    if (paperSource_)
        paper_ = paperSource_();
    state_.printPage = -1;
    // The row pitch the pass will use at its smallest, to tell a page too short for one row.
    const int smallestZoom =
        paper_.pagesWide > 0 ? std::min(100, PaperFit::SmallestZoom(doc_.fontSize)) : 100;
    const Font previous = Display::SelectStatementFont(dc, doc_, smallestZoom);
    rowPitch_ = std::max(1, dc.TextExtent(u"NET SURPLUS BEFORE INTEREST").height +
                                dc.HimetricToLogicalY(50 * smallestZoom / 100));
    dc.SelectFont(previous);

    // Every page laid out once without output, so that the job's length is known before its
    // first page prints, as the preview and the print dialog show it.
    tooWide_ = false;
    PrintInfo counting;
    counting.currentPage = kMaxPrintPages + 1;
    OnPrint(dc, counting);
    state_.printPage = -1;
    if (counting.failure.empty() && counting.maxPage != PrintInfo::kUnknownPage)
        info.maxPage = counting.maxPage;
    notice_ = tooWide_ ? paper_.TooWideNotice() : Text();
}

void StdPrintJob::OnPrepareDC(DeviceContext&, PrintInfo& info) {
    // The job runs until the view finds it complete.
    info.continuePrinting = true;
}

void StdPrintJob::ResetOffsets() {
    state_.printOffsetX = 0;
    state_.printOffsetY = 0;
    state_.bandStartX = 0;
}

void StdPrintJob::RunPass(DeviceContext& dc, const Rect& area) {
    StdPassInput input;
    input.edition = edition_;
    input.offsetYear = offsetYear_;
    input.printArea = area;
    input.paper = paper_;
    state_.printTooWide = false;
    RunStdDrawPass(dc, doc_, state_, input);
    tooWide_ = tooWide_ || state_.printTooWide;
}

void StdPrintJob::OnPrint(DeviceContext& dc, PrintInfo& info) {
    const int page = info.currentPage;
    const Rect area = PrintArea(dc, doc_.Root());
    if (area.IsEmpty()) {
        info.Fail(kNoPrintArea);
        return;
    }
    // The first page, or the preview went back: lay the job out again from its first page.
    if (state_.printPage < 0 || state_.printPage >= page) {
        ResetOffsets();
        state_.moreAcross = false;
        state_.moreDown = false;
        state_.printPage = 0;
        if (!walk_.Restart()) {
            info.EndJob(state_.printPage);
            return;
        }
    }
    for (;;) {
        if (state_.moreDown) {
            // The next page down in the same column band.
            state_.moreDown = false;
            state_.printOffsetY =
                ClampToInt(static_cast<std::int64_t>(state_.printOffsetY) - state_.pageBodyHeight);
            state_.printOffsetX = state_.bandStartX;
        } else {
            state_.printOffsetY = 0;
            if (state_.moreAcross) {
                // The first page of the next column band.
                state_.moreAcross = false;
                state_.printOffsetX = ClampToInt(static_cast<std::int64_t>(state_.printOffsetX) -
                                                 state_.pageBodyWidth);
                state_.bandStartX = state_.printOffsetX;
            }
        }
        if (!walk_.Progresses(state_.printOffsetX, state_.printOffsetY)) {
            info.Fail(kNoProgress);
            return;
        }

        const bool graphsPage = walk_.OnGraphsPage();
        state_.drawing = page == state_.printPage + 1;
        RunPass(dc, area);
        ++state_.printPage;
        if (!graphsPage && state_.pageBodyHeight < rowPitch_) {
            info.Fail(kTooShort);
            return;
        }

        if (state_.moreDown || state_.moreAcross) {
            if (state_.printPage < page)
                continue;
            return;
        }
        // The object is finished: the next year, graphs page, company or scenario.
        if (!walk_.Next()) {
            info.EndJob(state_.printPage);
            return;
        }
        ResetOffsets();
        if (state_.printPage >= page)
            return;
    }
}

void StdPrintJob::OnEndPrinting(PrintInfo&) {
    walk_.RestoreSelection();
    state_.drawing = true;
    state_.layoutDirty = true;
    if (redraw_)
        redraw_();
    printing_ = false;
}
