#include "views/StdAccess.h"

#include "database/CPERT.h"
#include "display/CPageHeader.h"
#include "document/CMainDoc.h"
#include "statement/StatementModel.h"
#include "statement/graphs/GraphSeriesData.h"
#include "views/ShownTable.h"
#include "views/StdTabLabels.h"

using namespace Statement;

namespace {

AccessTabList TabList(const Text& name, const std::vector<Text>& labels, int current,
                      const std::vector<Rect>& rects, bool highlighted) {
    AccessTabList list{name, {}, -1};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const bool selected = static_cast<int>(i) == current;
        list.tabs.push_back({labels[i], selected, i < rects.size() ? rects[i] : Rect{}});
        if (selected && highlighted)
            list.highlighted = static_cast<int>(i);
    }
    return list;
}

// The tax codes the window draws beside the labels of a real scenario's real company, which the
// exported table leaves out: a column after the labels, headed with the tax's name.
void AddTaxColumn(AccessTable& table, const StatementModel& model) {
    table.headings.insert(table.headings.begin() + 1, model.taxName);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::size_t line = table.sources[r];
        AccessCell code;
        if (line < model.lines.size())
            code.text = model.lines[line].taxCode;
        table.rows[r].insert(table.rows[r].begin() + 1, code);
    }
}

// Where the window placed each table row and column. The table's columns are the description,
// the tax codes where drawn, the months from the year's first, Total and %; a month outside the
// year's span, or scrolled sideways out of the month area, is out of sight.
void AddPlaces(StatementAccess& access, const StdViewState& state, const StatementModel& model,
               bool taxColumn) {
    if (state.lineRects.empty())
        return;
    for (const std::size_t line : access.table.sources)
        access.rowRects.push_back(line < state.lineRects.size() ? state.lineRects[line] : Rect{});
    const StdColumns& c = state.columns;
    const int seenLeft = c.monthAreaLeft;
    const int seenRight = state.area.right;
    const auto figure = [&](int left, int right) {
        return AccessSpan{left, right, right > left && right > seenLeft && left < seenRight, true};
    };
    std::vector<AccessSpan>& spans = access.columnSpans;
    spans.push_back({c.descLeft, c.descRight, true});
    if (taxColumn)
        spans.push_back({c.taxLeft, c.taxRight, true});
    for (int position = 0; position < kMonths; ++position) {
        const auto month = static_cast<std::size_t>(model.MonthAt(position));
        spans.push_back(model.InSpan(model.MonthAt(position))
                            ? figure(c.monthLeft[month], c.monthRight[month])
                            : AccessSpan{c.monthLeft[month], c.monthLeft[month], false});
    }
    spans.push_back(figure(c.totalLeft, c.totalRight));
    if (c.percent)
        spans.push_back(figure(c.percentLeft, c.percentRight));
    spans.resize(access.table.headings.size());
    access.headingsRect = Rect{state.area.left, state.monthArea.top, state.area.right,
                               state.monthArea.top + state.rowPitch};
    access.rowsRect = state.body;
    access.figuresSeen = AccessSpan{seenLeft, seenRight, true, false};
}

} // namespace

StatementAccess StdStatementAccess(CMainDoc& doc, const StdViewState& state, Edition edition,
                                   bool offsetYear) {
    StatementAccess access;
    if (!doc.root)
        return access;
    const ShownTable shown = StdShownTable(doc, edition, state, offsetYear);
    int scenario = state.selectedScenario;
    int company = state.selectedCompany;
    int year = state.selectedYear;
    const StatementSelection selection =
        ResolveStatementSelection(doc.Root(), edition, scenario, company, year);
    if (!shown.shown || !selection.Drawable())
        return access;

    const StdTabLabels labels = MakeStdTabLabels(selection, edition);
    if (edition != Edition::Basic) {
        access.tabLists.push_back(TabList(u"Scenarios", labels.scenarios,
                                          scenario + labels.scenarioOffset, state.scenarioTabs,
                                          state.focusSection == FocusSection::ScenarioTabs));
        access.tabLists.push_back(TabList(u"Companies", labels.companies,
                                          company + labels.companyOffset, state.companyTabs,
                                          state.focusSection == FocusSection::CompanyTabs));
    }
    access.tabLists.push_back(TabList(u"Years", labels.years, year, state.yearTabs,
                                      state.focusSection == FocusSection::YearTabs));

    access.table = AccessTableOf(shown.table);
    access.tableRect = state.area;
    // Named after the scenario, company and year (or the graphs page) even where the Basic
    // edition has no tabs for the first two.
    if (selection.graphsPage) {
        access.name =
            Display::CPageHeader::Title(doc, LayoutKey(0, scenario, company, LayoutKey::kNoEntry)) +
            u"Graphs";
        access.description = GraphDescription(access.table);
        const std::array<bool, GraphSeriesData::kSeries> series =
            state.SeriesShown(doc.seriesShown);
        for (std::size_t i = 0; i < series.size(); ++i)
            access.controls.push_back(
                {AccessControlKind::Series, Text(GraphSeriesData::kSeriesNames[i]), series[i],
                 i < state.legendButtons.size() ? state.legendButtons[i] : Rect{}});
        return access;
    }
    access.name = Display::CPageHeader::Title(doc, LayoutKey(0, scenario, company, year));
    // The first column is headed as the window heads it; the copied table says "Line".
    if (!access.table.headings.empty())
        access.table.headings[0] = u"Description";
    const StatementModel& model = state.statement.Get(doc, selection, edition);
    const bool taxColumn = model.hasTaxSetup && scenario >= 0 && company >= 0;
    if (taxColumn)
        AddTaxColumn(access.table, model);
    AddPlaces(access, state, model, taxColumn);
    // The highlight is drawn on a real scenario's real company only.
    if (scenario >= 0 && company >= 0 && !shown.highlighted.Empty())
        access.highlightedRow = static_cast<int>(shown.highlighted.first);
    return access;
}
