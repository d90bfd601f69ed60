#include "views/StatementTables.h"

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "document/CMainDoc.h"
#include "statement/StatementModel.h"
#include "views/AdvKey.h"
#include "views/StdPrintWalk.h"

using namespace Statement;

std::vector<StatementTable> StdStatementTables(CMainDoc& doc, Edition edition, int scenario,
                                               int company, int year) {
    if (!doc.root)
        return {};
    doc.RecalculateIfChanged();
    const StatementSelection selection =
        ResolveStatementSelection(doc.Root(), edition, scenario, company, year);
    if (!selection.Drawable() || selection.graphsPage)
        return {};
    return {BuildStatementTable(BuildStatementModel(doc.Root(), selection, edition),
                                StatementPath(selection, edition))};
}

std::vector<StatementTable> AllStdStatementTables(CMainDoc& doc, Edition edition) {
    std::vector<StatementTable> tables;
    if (!doc.root)
        return tables;
    StdViewState state;
    state.printAllScenarios = true;
    state.printAllCompanies = true;
    state.printAllYears = true;
    state.printCashflow = true;
    state.printGraphs = false;
    StdPrintWalk walk(doc, state, edition);
    for (bool more = walk.Restart(); more; more = walk.Next()) {
        if (walk.OnGraphsPage())
            continue;
        for (StatementTable& table : StdStatementTables(doc, edition, state.selectedScenario,
                                                        state.selectedCompany, state.selectedYear))
            tables.push_back(std::move(table));
    }
    return tables;
}

std::vector<StatementTable> AdvStatementTables(CMainDoc& doc, const LayoutKey& key,
                                               AdvOutline outline) {
    if (!doc.root)
        return {};
    doc.RecalculateIfChanged();
    const LayoutKey shown = ResolveAdvKey(doc.Root(), key);
    if (shown[LayoutKey::kGraph] != LayoutKey::kNoEntry)
        return {};
    const AdvStatementModel model = BuildAdvStatementModel(doc, shown, outline);
    if (!model.hasYear)
        return {};
    return {BuildAdvStatementTable(model, AdvStatementPath(doc, shown))};
}

std::vector<StatementTable> AllAdvStatementTables(CMainDoc& doc, AdvOutline outline) {
    std::vector<StatementTable> tables;
    if (!doc.root)
        return tables;
    const Database::CPERT& root = doc.Root();
    for (int v = 0; v < root.ViewCount(); ++v) {
        const Database::CTabView& view = root.View(v);
        if (view.IsHidden())
            continue;
        // List position 0 is the combined entry, addressed as -1.
        for (int s = 0; s < view.ScenarioCount(); ++s) {
            const Database::CScenario& scenario = *view.scenarios.Find(s);
            if (scenario.IsHidden())
                continue;
            for (int c = 0; c < scenario.CompanyCount(); ++c) {
                const Database::CCompany& company = *scenario.companies.Find(c);
                if (company.IsHidden())
                    continue;
                for (int y = 0; y < company.YearCount(); ++y) {
                    if (company.Year(y).IsHidden())
                        continue;
                    for (StatementTable& table :
                         AdvStatementTables(doc, LayoutKey(v, s - 1, c - 1, y), outline))
                        tables.push_back(std::move(table));
                }
            }
        }
    }
    return tables;
}
