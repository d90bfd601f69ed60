#include "views/ShownTable.h"

#include <optional>

#include "database/CPERT.h"
#include "display/CPageHeader.h"
#include "document/CMainDoc.h"
#include "statement/AdvStatementModel.h"
#include "statement/StatementModel.h"
#include "statement/graphs/GraphTable.h"
#include "views/AdvInput.h"
#include "views/AdvKey.h"

using namespace Statement;

ShownTable StdShownTable(CMainDoc& doc, Edition edition, const StdViewState& state,
                         bool offsetYear) {
    ShownTable shown;
    doc.RecalculateIfChanged();
    int scenario = state.selectedScenario;
    int company = state.selectedCompany;
    int year = state.selectedYear;
    const StatementSelection selection =
        ResolveStatementSelection(doc.Root(), edition, scenario, company, year);
    if (!selection.Drawable())
        return shown;
    shown.shown = true;
    std::vector<std::string> path = StatementPath(selection, edition);
    if (selection.graphsPage) {
        // The graphs page stands where a year would, under its tab's name.
        if (!path.empty())
            path.back() = "Graphs";
        shown.table = Statement::StdGraphTable(
            doc, selection.company, state.SeriesShown(doc.seriesShown), offsetYear, path);
        return shown;
    }
    const StatementModel& model = state.statement.Get(doc, selection, edition);
    shown.table = BuildStatementTable(model, std::move(path));
    const std::optional<StatementSection> section = FocusedSection(state.focusSection);
    if (!section || state.focusRow < 0)
        return shown;
    for (std::size_t l = 0; l < model.lines.size(); ++l) {
        const StatementLine& line = model.lines[l];
        if (line.section == *section && line.row == state.focusRow && line.blockLines > 0) {
            shown.highlighted =
                TableRowsOf(shown.table, l, l + static_cast<std::size_t>(line.blockLines));
            break;
        }
    }
    return shown;
}

ShownTable AdvShownTable(CMainDoc& doc, const AdvViewState& state) {
    ShownTable shown;
    doc.RecalculateIfChanged();
    const LayoutKey key = ResolveAdvKey(doc.Root(), state.currentKey);
    const std::vector<std::string> path = AdvStatementPath(doc, key);
    if (key[LayoutKey::kGraph] != LayoutKey::kNoEntry) {
        shown.shown = true;
        shown.table = Statement::AdvGraphTable(doc, key, path);
        shown.table.caption = ToUtf8(Display::CPageHeader::Title(doc, key));
        return shown;
    }
    // The statement the view's lists hold while they are current; else built from the forecast
    // as it stands, which holds the sections and sub-columns the user flipped: either way the
    // statement the next pass draws.
    std::optional<AdvStatementModel> built;
    if (!state.ListsCurrent(doc.Revision()))
        built = BuildAdvStatementModel(doc, key, state.outline);
    const AdvStatementModel& model = built ? *built : *state.lists.model;
    if (!model.hasYear)
        return shown;
    shown.shown = true;
    shown.table = BuildAdvStatementTable(model, path);
    const auto entry = static_cast<std::size_t>(state.highlightEntry);
    if (HighlightLevel(state) == AdvLevel::Rows && state.highlightEntry >= 0 &&
        entry < model.entries.size())
        shown.highlighted = TableRowsOf(shown.table, entry, entry + 1);
    return shown;
}
