#include "views/StatementTables.h"

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "statement/PrintOrder.h"
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
    for (const YearInPrintOrder& year : YearsInPrintOrder(doc.Root(), HiddenEntries::Skipped))
        for (StatementTable& table : AdvStatementTables(doc, year.key, outline))
            tables.push_back(std::move(table));
    return tables;
}
