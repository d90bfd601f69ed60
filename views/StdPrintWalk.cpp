#include "views/StdPrintWalk.h"

#include <algorithm>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "document/CMainDoc.h"
#include "statement/StatementModel.h"

using namespace Statement;

StdPrintWalk::StdPrintWalk(const CMainDoc& doc, StdViewState& state, Edition edition)
    : doc_(doc), state_(state), edition_(edition) {}

void StdPrintWalk::SaveSelection() {
    savedScenario_ = Basic() ? 0 : state_.selectedScenario;
    savedCompany_ = Basic() ? 0 : state_.selectedCompany;
    savedYear_ = state_.selectedYear;
}

void StdPrintWalk::RestoreSelection() {
    state_.selectedScenario = savedScenario_;
    state_.selectedCompany = savedCompany_;
    state_.selectedYear = savedYear_;
}

int StdPrintWalk::ScenarioCount() const {
    const Database::CTabView* view = doc_.Root().views.Find(0);
    return view ? view->ScenarioCount() - 1 : 0;
}

int StdPrintWalk::CompanyCount(int scenario) const {
    const Database::CTabView* view = doc_.Root().views.Find(0);
    const Database::CScenario* found = view ? view->FindScenario(scenario) : nullptr;
    return found ? found->CompanyCount() - 1 : 0;
}

int StdPrintWalk::YearCount(int scenario, int company) const {
    const Database::CTabView* view = doc_.Root().views.Find(0);
    const Database::CScenario* s = view ? view->FindScenario(scenario) : nullptr;
    const Database::CCompany* c = s ? s->FindCompany(company) : nullptr;
    return c ? c->YearCount() : -1;
}

bool StdPrintWalk::NothingToPrint() const {
    if (!state_.printCashflow && !state_.printGraphs)
        return true;
    return state_.printCashflow && !state_.printGraphs && !state_.printAllYears &&
           savedYear_ == YearCount(savedScenario_, savedCompany_);
}

int StdPrintWalk::FirstScenario() const {
    if (Basic())
        return 0;
    if (state_.printAllScenarios)
        return ScenarioCount() >= 2 ? -1 : 0;
    return savedScenario_;
}

int StdPrintWalk::FirstCompany() const {
    if (Basic())
        return 0;
    if (state_.printAllCompanies)
        return CompanyCount(state_.selectedScenario) >= 2 ? -1 : 0;
    return savedCompany_;
}

int StdPrintWalk::FirstYear() const {
    // Graphs alone print each company's graphs page, wherever its year tabs end.
    if (GraphsOnly())
        return std::max(0, YearCount(state_.selectedScenario, state_.selectedCompany));
    return state_.printAllYears ? 0 : savedYear_;
}

bool StdPrintWalk::Printable() const {
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

bool StdPrintWalk::Step() {
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
    return true;
}

bool StdPrintWalk::SkipToPrintable() {
    while (!Printable())
        if (!Step())
            return false;
    return true;
}

bool StdPrintWalk::Restart() {
    state_.selectedScenario = FirstScenario();
    state_.selectedCompany = FirstCompany();
    state_.selectedYear = FirstYear();
    hasLastStart_ = false;
    return SkipToPrintable();
}

bool StdPrintWalk::Next() {
    return Step() && SkipToPrintable();
}

bool StdPrintWalk::OnGraphsPage() const {
    return state_.selectedYear == YearCount(state_.selectedScenario, state_.selectedCompany);
}

bool StdPrintWalk::Progresses(int offsetX, int offsetY) {
    const PageStart start{state_.selectedScenario, state_.selectedCompany, state_.selectedYear,
                          offsetX, offsetY};
    if (hasLastStart_ && start == lastStart_)
        return false;
    lastStart_ = start;
    hasLastStart_ = true;
    return true;
}
