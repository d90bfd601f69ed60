#include "views/AdvAccess.h"

#include <algorithm>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "display/CColumnHeaders.h"
#include "display/CGraphPage.h"
#include "display/CLineHeader.h"
#include "display/CPageHeader.h"
#include "display/CTab.h"
#include "document/CMainDoc.h"
#include "views/AdvKey.h"
#include "views/ShownTable.h"

using namespace Statement;

namespace {

constexpr const char16_t* kTabListNames[Display::LayoutMetrics::kPanels] = {u"Views", u"Scenarios",
                                                                            u"Companies", u"Years"};
constexpr const char16_t* kSubNames[3] = {u"Actual", u"Expected", u"Variance"};
constexpr int kGroups = 14;

template <class T> T* Find(const AdvStatement::LayoutList& list) {
    for (const auto& object : list)
        if (auto* found = dynamic_cast<T*>(object.get()))
            return found;
    return nullptr;
}

// A heading's label without the blanks that indent it.
Text Trimmed(const Text& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    return first == Text::npos ? Text() : text.substr(first);
}

Text GroupHeading(const AdvStatementModel& model, int group) {
    if (group == kAdvTotalGroup)
        return u"Total";
    if (group == kAdvPercentGroup)
        return u"Percentage";
    return model.monthHeadings[static_cast<std::size_t>(group)];
}

// Whether a tab of a strip shows the current entry: in the years' strip a year's tab stands
// for the year's statement, not for its graph pages.
bool Selected(const Display::CTab& tab, const LayoutKey& current) {
    if (!tab.isCurrent)
        return false;
    return tab.kind != LayoutKey::kYear || !current.IsSet(LayoutKey::kGraph);
}

void AddTabLists(StatementAccess& access, const AdvViewState& state) {
    for (int level = 0; level < Display::LayoutMetrics::kPanels; ++level) {
        AccessTabList list{kTabListNames[level], {}, -1};
        for (const Display::CTab* tab : state.lists.tabs[level]) {
            if (state.highlightEntry < 0 && tab->key == state.highlightKey)
                list.highlighted = static_cast<int>(list.tabs.size());
            list.tabs.push_back({tab->label, Selected(*tab, state.currentKey), tab->bounds});
        }
        access.tabLists.push_back(std::move(list));
    }
}

void AddControls(StatementAccess& access, const AdvViewState& state) {
    for (const AdvStatement::Expandable& expandable : state.lists.expandables) {
        const auto* heading = dynamic_cast<const Display::CLineHeader*>(expandable.heading);
        const std::int32_t style =
            expandable.heading->style ? *expandable.heading->style : kNoGlyph;
        access.controls.push_back({AccessControlKind::Expander,
                                   heading ? Trimmed(heading->text) : Text(), AdvStateOpen(style),
                                   expandable.heading->bounds});
    }
    const auto* headers = Find<Display::CColumnHeaders>(state.lists.statement);
    if (!headers)
        return;
    for (int group = 0; group < kGroups; ++group)
        for (int sub = 0; sub < 3; ++sub) {
            const Display::CheckToggle& toggle = headers->toggles[static_cast<std::size_t>(group)]
                                                     .toggles[static_cast<std::size_t>(sub)];
            if (!toggle.bound)
                continue;
            access.controls.push_back(
                {AccessControlKind::SubColumn,
                 GroupHeading(*state.lists.model, group) + u' ' + kSubNames[sub], toggle.shown,
                 toggle.rect.Intersected(toggle.clip)});
        }
}

// The graph page's legend: an entry per kind and series some year plots, in the order it
// stacks them. A click on the legend changes nothing, so they are fixed check boxes, checked.
void AddLegendEntries(StatementAccess& access, const AdvViewState& state) {
    const auto* page = Find<Display::CGraphPage>(state.lists.statement);
    if (!page)
        return;
    const Display::CGraphLedgend& legend = page->legend;
    for (std::size_t series = 0; series < legend.entryRects[0].size(); ++series)
        for (std::size_t kind = 0; kind < legend.entryRects.size(); ++kind) {
            const Text& label = legend.EntryLabel(static_cast<int>(kind), static_cast<int>(series));
            if (!label.empty())
                access.controls.push_back(
                    {AccessControlKind::Plotted, label, true, legend.entryRects[kind][series]});
        }
}

// Where the statement's objects were placed, by the model's entry they show.
void AddRowRects(StatementAccess& access, const AdvViewState& state) {
    std::vector<Rect> placed(state.lists.model->entries.size());
    for (const auto& object : state.lists.statement) {
        const auto entry = static_cast<std::size_t>(object->entryIndex);
        if (object->entryIndex >= 0 && entry < placed.size() && placed[entry].IsEmpty())
            placed[entry] = object->bounds;
    }
    for (const std::size_t entry : access.table.sources)
        access.rowRects.push_back(entry < placed.size() ? placed[entry] : Rect{});
}

// Where each table column was last drawn across. The description, notes and tax columns stay
// put; the figures scroll beneath them, seen between the last of them and the content's edge.
void AddColumnSpans(StatementAccess& access, const AdvViewState& state,
                    const StatementTable& table) {
    const Display::LayoutMetrics& m = state.metrics;
    const auto* headers = Find<Display::CColumnHeaders>(state.lists.statement);
    if (!headers)
        return;
    const AdvStatementModel& model = *state.lists.model;
    const std::size_t taxCount = std::min(m.taxColumns.size(), model.taxNames.size());
    const int seenLeft = taxCount == 0
                             ? m.figureAreaLeft
                             : AddClamped(m.taxColumns[taxCount - 1].right, m.cornerSize.width);
    const int seenRight =
        m.vScrollBar.IsEmpty() ? m.ContentArea().right : m.vScrollBar.left;
    const auto still = [](const Rect& column) { return AccessSpan{column.left, column.right}; };
    std::size_t tax = 0;
    for (const TableColumn& column : table.columns) {
        switch (column.role) {
        case TableColumnRole::Label:
            access.columnSpans.push_back(still(m.descriptionColumn));
            break;
        case TableColumnRole::Notes:
            access.columnSpans.push_back(still(m.notesColumn));
            break;
        case TableColumnRole::Tax:
            // The table lists the shown taxes; the layout keeps a place for each of the year's.
            while (tax < model.taxColumns.size() && !model.taxColumns[tax].shown)
                ++tax;
            access.columnSpans.push_back(tax < taxCount ? still(m.taxColumns[tax]) : AccessSpan{});
            ++tax;
            break;
        case TableColumnRole::Figure: {
            const int index = column.figureGroup * 3 + column.subColumn;
            if (column.figureGroup < 0 || column.subColumn < 0 ||
                index >= Display::LayoutMetrics::kFigureColumns) {
                access.columnSpans.push_back({0, 0, false, false});
                break;
            }
            const Rect& place = m.figureColumns[static_cast<std::size_t>(index)];
            access.columnSpans.push_back({place.left, place.right,
                                          place.right > place.left && place.right > seenLeft &&
                                              place.left < seenRight,
                                          true});
            break;
        }
        }
    }
    access.figuresSeen = AccessSpan{seenLeft, seenRight, true, false};
    access.headingsRect = headers->bounds;
}

// The check toggle of the n-th sub-column control, counted as AddControls lists them.
Display::CheckToggle* ToggleAt(AdvViewState& state, std::size_t n) {
    auto* headers = Find<Display::CColumnHeaders>(state.lists.statement);
    if (!headers)
        return nullptr;
    for (Display::ToggleTriple& triple : headers->toggles)
        for (Display::CheckToggle& toggle : triple.toggles)
            if (toggle.bound && n-- == 0)
                return &toggle;
    return nullptr;
}

} // namespace

StatementAccess AdvStatementAccess(CMainDoc& doc, const AdvViewState& state) {
    StatementAccess access;
    if (!doc.root)
        return access;
    AddTabLists(access, state);
    const ShownTable shown = AdvShownTable(doc, state);
    access.table = AccessTableOf(shown.table);
    // Named as the page heading names it.
    access.name = Display::CPageHeader::Title(doc, ResolveAdvKey(doc.Root(), state.currentKey));
    access.tableRect = state.body;
    if (state.currentKey[LayoutKey::kGraph] != LayoutKey::kNoEntry) {
        access.description = GraphDescription(access.table);
        AddLegendEntries(access, state);
        return access;
    }
    if (!shown.highlighted.Empty())
        access.highlightedRow = static_cast<int>(shown.highlighted.first);
    AddRowRects(access, state);
    AddColumnSpans(access, state, shown.table);
    AddControls(access, state);
    return access;
}

AdvClick PressAdvControl(CMainDoc& doc, AdvViewState& state, std::size_t control) {
    const std::size_t expanders = state.lists.expandables.size();
    if (control < expanders) {
        const Display::CLayout* heading = state.lists.expandables[control].heading;
        for (const auto& object : state.lists.statement)
            if (object.get() == heading) {
                FlipSection(doc, state, *object);
                return AdvClick::SectionFlipped;
            }
        return AdvClick::Nothing;
    }
    Display::CheckToggle* toggle = ToggleAt(state, control - expanders);
    if (!toggle)
        return AdvClick::Nothing;
    toggle->shown = !toggle->shown;
    if (!doc.SetShownState(state.lists.model->yearKey, toggle->part, toggle->shown))
        state.BuildAgain();
    return AdvClick::ColumnFlipped;
}

AdvClick ActivateAdvTab(AdvViewState& state, std::size_t list, std::size_t tab) {
    if (list >= static_cast<std::size_t>(Display::LayoutMetrics::kPanels) ||
        tab >= state.lists.tabs[list].size())
        return AdvClick::Nothing;
    const LayoutKey key = state.lists.tabs[list][tab]->key;
    FocusKey(state, &key);
    return AdvClick::TabSelected;
}
