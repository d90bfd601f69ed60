#include "views/AccessChanges.h"

namespace {

using Kind = AccessChange::Kind;

bool TabSelected(const StatementAccess& access, std::size_t list, std::size_t tab) {
    return list < access.tabLists.size() && tab < access.tabLists[list].tabs.size() &&
           access.tabLists[list].tabs[tab].selected;
}

// The highlighted tab as (list, tab), or (-1, -1).
std::pair<int, int> HighlightedTab(const StatementAccess& access) {
    for (std::size_t list = 0; list < access.tabLists.size(); ++list)
        if (access.tabLists[list].highlighted >= 0)
            return {static_cast<int>(list), access.tabLists[list].highlighted};
    return {-1, -1};
}

} // namespace

std::vector<AccessChange> AccessChanges(const StatementAccess& before, const StatementAccess& after,
                                        bool focused) {
    std::vector<AccessChange> changes;
    const bool tableChanged = before.TableDiffers(after);
    if (tableChanged) {
        changes.push_back({Kind::TableReset});
        if (before.name != after.name)
            changes.push_back({Kind::TableRenamed});
        if (before.description != after.description)
            changes.push_back({Kind::TableRedescribed});
    }
    for (std::size_t list = 0; list < after.tabLists.size(); ++list)
        for (std::size_t tab = 0; tab < after.tabLists[list].tabs.size(); ++tab) {
            const bool selected = after.tabLists[list].tabs[tab].selected;
            if (TabSelected(before, list, tab) != selected)
                changes.push_back({selected ? Kind::TabSelected : Kind::TabDeselected,
                                   static_cast<int>(list), static_cast<int>(tab)});
        }
    for (std::size_t i = 0; i < after.controls.size(); ++i) {
        const AccessControl& control = after.controls[i];
        if (i >= before.controls.size() || before.controls[i].kind != control.kind ||
            before.controls[i].on != control.on)
            changes.push_back({Kind::ControlChanged, -1, static_cast<int>(i)});
    }
    if (!focused)
        return changes;
    if (after.highlightedRow >= 0) {
        if (after.highlightedRow != before.highlightedRow || tableChanged)
            changes.push_back({Kind::FocusRow, -1, after.highlightedRow});
        return changes;
    }
    const auto [list, tab] = HighlightedTab(after);
    if (tab >= 0 && (before.highlightedRow >= 0 || HighlightedTab(before) != std::pair{list, tab}))
        changes.push_back({Kind::FocusTab, list, tab});
    return changes;
}
