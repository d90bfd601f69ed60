#include "views/StdPrintJob.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "display/PrintArea.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"
#include "views/StatementModel.h"
#include "views/StdDrawPass.h"

namespace {

const Text kTooShort = u"The page is too small to print one row of the statement. Choose smaller "
                       u"margins in Page Setup or a larger paper.";
const Text kNoProgress =
    u"The statement cannot be divided into pages on this paper; printing was stopped.";

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

StdPrintJob::StdPrintJob(CMainDoc& doc, StdViewState& state, Edition edition, OptionsDialog dialog)
    : doc_(doc), state_(state), edition_(edition), dialog_(std::move(dialog)) {}

int StdPrintJob::ScenarioCount() const {
    const Database::CTabView* view = doc_.Root().views.Find(0);
    return view ? view->ScenarioCount() - 1 : 0;
}

int StdPrintJob::CompanyCount(int scenario) const {
    const Database::CTabView* view = doc_.Root().views.Find(0);
    const Database::CScenario* found = view ? view->FindScenario(scenario) : nullptr;
    return found ? found->CompanyCount() - 1 : 0;
}

int StdPrintJob::YearCount(int scenario, int company) const {
    const Database::CTabView* view = doc_.Root().views.Find(0);
    const Database::CScenario* s = view ? view->FindScenario(scenario) : nullptr;
    const Database::CCompany* c = s ? s->FindCompany(company) : nullptr;
    return c ? c->YearCount() : -1;
}

StdPrintChoices StdPrintJob::PresetChoices() const {
    StdPrintChoices choices;
    const auto choice = [](bool all) { return all ? PrintChoice::All : PrintChoice::Current; };
    choices.scenarios = choice(state_.printAllScenarios);
    choices.companies = choice(state_.printAllCompanies);
    choices.years = choice(state_.printAllYears);
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
    state_.savedScenario = Basic() ? 0 : state_.selectedScenario;
    state_.savedCompany = Basic() ? 0 : state_.selectedCompany;
    state_.savedYear = state_.selectedYear;
    if (dialog_ && !dialog_(choices))
        return false;
    info.previewPages = 1;
    if (!info.DoPreparePrinting())
        return false;
    state_.printAllScenarios = !Basic() && choices.scenarios == PrintChoice::All;
    state_.printAllCompanies = !Basic() && choices.companies == PrintChoice::All;
    state_.printAllYears = choices.years == PrintChoice::All;
    state_.printCashflow = choices.cashflow;
    state_.printGraphs = choices.graphs;
    return true;
}

void StdPrintJob::OnBeginPrinting(DeviceContext& dc, PrintInfo&) {
    printing_ = true;
    state_.printPage = -1;
    // The row pitch the pass will use at zoom 100, to tell a page too short for one row.
    const Font previous = dc.CurrentFont();
    if (!doc_.fontName.empty())
        dc.SelectFont(doc_.fontName, std::clamp(doc_.fontSize, 1, 100000));
    rowPitch_ = std::max(1, dc.TextExtent(u"NET SURPLUS BEFORE INTEREST").height +
                                dc.HimetricToLogicalY(50));
    dc.SelectFont(previous);
}

void StdPrintJob::OnPrepareDC(DeviceContext&, PrintInfo& info) {
    // The job runs until the view finds it complete.
    info.continuePrinting = true;
}

bool StdPrintJob::NothingToPrint() const {
    if (!state_.printCashflow && !state_.printGraphs)
        return true;
    // Only the statement of the current year, while the graphs page is the current year.
    return state_.printCashflow && !state_.printGraphs && !state_.printAllYears &&
           state_.savedYear == YearCount(state_.savedScenario, state_.savedCompany);
}

int StdPrintJob::FirstScenario() const {
    if (Basic())
        return 0;
    if (state_.printAllScenarios)
        return ScenarioCount() >= 2 ? -1 : 0;
    return state_.savedScenario;
}

int StdPrintJob::FirstCompany() const {
    if (Basic())
        return 0;
    if (state_.printAllCompanies)
        return CompanyCount(state_.selectedScenario) >= 2 ? -1 : 0;
    return state_.savedCompany;
}

int StdPrintJob::FirstYear() const {
    // Graphs alone print each company's graphs page, wherever its year tabs end.
    if (GraphsOnly())
        return std::max(0, YearCount(state_.selectedScenario, state_.selectedCompany));
    return state_.printAllYears ? 0 : state_.savedYear;
}

bool StdPrintJob::Printable() const {
    int scenario = state_.selectedScenario;
    int company = state_.selectedCompany;
    int year = state_.selectedYear;
    const StatementSelection selection =
        ResolveStatementSelection(doc_.Root(), edition_, scenario, company, year);
    // A selection the pass would reset (a company without the current year, say) is passed
    // over: resetting it would send the walk back to the start.
    if (!selection.Drawable() || scenario != state_.selectedScenario ||
        company != state_.selectedCompany || year != state_.selectedYear)
        return false;
    return selection.graphsPage ? state_.printGraphs : state_.printCashflow;
}

bool StdPrintJob::Advance() {
    int& scenario = state_.selectedScenario;
    int& company = state_.selectedCompany;
    int& year = state_.selectedYear;
    const int years = YearCount(scenario, company);
    if (state_.printAllYears && year >= 0 && year < years - 1) {
        ++year;
    } else if (state_.printGraphs && year >= 0 && year < years) {
        year = years;
    } else if (state_.printAllCompanies && company < CompanyCount(scenario) - 1) {
        ++company;
        year = FirstYear();
    } else if (state_.printAllScenarios && scenario < ScenarioCount() - 1) {
        ++scenario;
        company = FirstCompany();
        year = FirstYear();
    } else {
        return false;
    }
    state_.printOffsetX = 0;
    state_.printOffsetY = 0;
    state_.bandStartX = 0;
    return true;
}

bool StdPrintJob::SkipToPrintable() {
    while (!Printable())
        if (!Advance())
            return false;
    return true;
}

void StdPrintJob::Restart() {
    state_.printOffsetX = 0;
    state_.printOffsetY = 0;
    state_.bandStartX = 0;
    state_.moreAcross = false;
    state_.moreDown = false;
    state_.selectedScenario = FirstScenario();
    state_.selectedCompany = FirstCompany();
    state_.selectedYear = FirstYear();
    state_.printPage = 0;
    hasLastStart_ = false;
}

void StdPrintJob::RunPass(DeviceContext& dc, const Rect& area) {
    StdPassInput input;
    input.edition = edition_;
    input.offsetYear = offsetYear_;
    input.printArea = area;
    RunStdDrawPass(dc, doc_, state_, input);
}

void StdPrintJob::OnPrint(DeviceContext& dc, PrintInfo& info) {
    const int page = info.currentPage;
    if (NothingToPrint()) {
        info.EndJob(0);
        return;
    }
    const Rect area = PrintArea(dc, doc_.Root());
    if (area.IsEmpty()) {
        info.Fail(kNoPrintArea);
        return;
    }
    // The first page, or the preview went back: lay the job out again from its first page.
    if (state_.printPage < 0 || state_.printPage >= page) {
        Restart();
        if (!SkipToPrintable()) {
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
        const PageStart start{state_.selectedScenario, state_.selectedCompany, state_.selectedYear,
                              state_.printOffsetX, state_.printOffsetY};
        if (hasLastStart_ && start == lastStart_) {
            info.Fail(kNoProgress);
            return;
        }
        lastStart_ = start;
        hasLastStart_ = true;

        const bool graphsPage =
            state_.selectedYear == YearCount(state_.selectedScenario, state_.selectedCompany);
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
        if (!Advance() || !SkipToPrintable()) {
            info.EndJob(state_.printPage);
            return;
        }
        if (state_.printPage >= page)
            return;
    }
}

void StdPrintJob::OnEndPrinting(PrintInfo&) {
    state_.selectedScenario = state_.savedScenario;
    state_.selectedCompany = state_.savedCompany;
    state_.selectedYear = state_.savedYear;
    state_.drawing = true;
    state_.layoutDirty = true;
    if (redraw_)
        redraw_();
    printing_ = false;
}
