#include "views/AdvExport.h"

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "statement/AdvStatementCsv.h"
#include "statement/AdvStatementModel.h"
#include "views/AdvKey.h"

using namespace Statement;

namespace {

std::string OutOfRange(const char* what, int index, int first, int last) {
    std::string text = std::string(what) + " " + std::to_string(index) + " is out of range";
    if (last < first)
        return text + " (there is none)";
    return text + " (" + std::to_string(first) + " to " + std::to_string(last) + ")";
}

} // namespace

std::optional<std::string> CheckAdvRequest(const CMainDoc& doc, const AdvRequest& request,
                                           LayoutKey& key) {
    key = AdvInitialKey();
    const auto take = [&](const std::optional<int>& index, int level) {
        if (index)
            key[level] = *index;
    };
    take(request.view, LayoutKey::kView);
    take(request.scenario, LayoutKey::kScenario);
    take(request.company, LayoutKey::kCompany);
    take(request.year, LayoutKey::kYear);
    take(request.graph, LayoutKey::kGraph);

    // Each level in the list the level above selects; a level not given is checked only when
    // a deeper one is.
    const bool deeper[] = {request.scenario || request.company || request.year || request.graph,
                           request.company || request.year || request.graph,
                           request.year || request.graph, request.graph.has_value()};
    const Database::CPERT& root = doc.Root();
    const int view = key[LayoutKey::kView];
    if ((request.view || deeper[0]) && (view < 0 || view >= root.ViewCount()))
        return OutOfRange("view", view, 0, root.ViewCount() - 1);
    const Database::CTabView* tabView = root.views.Find(view);
    const int scenarios = tabView ? tabView->ScenarioCount() - 1 : 0;
    const int scenario = key[LayoutKey::kScenario];
    if ((request.scenario || deeper[1]) && (scenario < -1 || scenario >= scenarios))
        return OutOfRange("scenario", scenario, -1, scenarios - 1);
    const Database::CScenario* s = tabView ? tabView->FindScenario(scenario) : nullptr;
    const int companies = s ? s->CompanyCount() - 1 : 0;
    const int company = key[LayoutKey::kCompany];
    if ((request.company || deeper[2]) && (company < -1 || company >= companies))
        return OutOfRange("company", company, -1, companies - 1);
    const Database::CCompany* c = s ? s->FindCompany(company) : nullptr;
    const int years = c ? c->YearCount() : 0;
    const int year = key[LayoutKey::kYear];
    if ((request.year || deeper[3]) && (year < 0 || year >= years))
        return OutOfRange("year", year, 0, years - 1);
    const Database::CYear* y = c ? c->FindYear(year) : nullptr;
    const int graphs = y ? y->GraphCount() : 0;
    if (request.graph && (*request.graph < 0 || *request.graph >= graphs))
        return OutOfRange("graph", *request.graph, 0, graphs - 1);
    return std::nullopt;
}

AdvCsvResult ExportAdvStatementCsv(CMainDoc& doc, const LayoutKey& key, AdvOutline outline) {
    AdvCsvResult result;
    if (!doc.root)
        return result;
    doc.RecalculateIfChanged();
    const LayoutKey shown = ResolveAdvKey(doc.Root(), key);
    if (shown[LayoutKey::kGraph] != LayoutKey::kNoEntry) {
        result.status = AdvCsvResult::Status::GraphPage;
        return result;
    }
    const Statement::AdvStatementModel model = Statement::BuildAdvStatementModel(doc, shown, outline);
    if (!model.hasYear)
        return result;
    result.status = AdvCsvResult::Status::Written;
    result.text = Statement::AdvStatementCsv(model);
    return result;
}
