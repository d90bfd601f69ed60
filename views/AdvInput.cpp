#include "views/AdvInput.h"

#include <algorithm>
#include <vector>

#include "display/CColumnHeaders.h"
#include "display/CLayout.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CPage.h"
#include "display/CTab.h"
#include "display/CTotal.h"
#include "document/CMainDoc.h"
#include "views/AdvKey.h"

namespace {

using namespace Display;

constexpr int kNone = LayoutKey::kNoEntry;

// The key a tab or row makes current: its view, scenario, company, year and graph.
LayoutKey CurrentPart(const LayoutKey& key) {
    LayoutKey current = key;
    current[LayoutKey::kCategory] = kNone;
    current[LayoutKey::kPosition] = kNone;
    return current;
}

// A heading's glyph was hit: the click opens or closes it (the heading may have flipped its
// style already), and the forecast's state in memory follows, so the rebuilt statement keeps it.
void FlipHeading(CMainDoc& doc, AdvViewState& state, CLayout& heading, std::int32_t styleBefore) {
    if (heading.style && *heading.style == styleBefore)
        *heading.style = FlippedStyle(styleBefore);
    for (const AdvStatement::Expandable& entry : state.lists.expandables)
        if (entry.heading == &heading && heading.style &&
            doc.SetShownState(entry.stateKey, {ShownPart::Kind::Outline}, *heading.style))
            return;
    // Nothing stored to switch (a forced outline): the statement built again shows it as before.
    state.BuildAgain();
}

// The tabs of a level's strip (years and graphs share one).
const std::vector<CTab*>* StripOf(const AdvViewState& state, AdvLevel level) {
    const int strip = static_cast<int>(level);
    if (strip < 0 || strip >= Display::LayoutMetrics::kPanels)
        return nullptr;
    return &state.lists.tabs[strip];
}

// The tab of the strip showing the current entry, or none.
const CTab* CurrentTab(const AdvViewState& state, AdvLevel level) {
    const std::vector<CTab*>* strip = StripOf(state, level);
    if (!strip)
        return nullptr;
    const int deepest =
        level == AdvLevel::YearOrGraph && state.currentKey[LayoutKey::kGraph] != kNone
            ? LayoutKey::kGraph
            : static_cast<int>(level);
    for (const CTab* tab : *strip) {
        bool same = true;
        for (int l = 0; l <= deepest; ++l)
            same = same && tab->key[l] == state.currentKey[l];
        if (same && (deepest == LayoutKey::kGraph || tab->key[LayoutKey::kGraph] == kNone))
            return tab;
    }
    return nullptr;
}

// Whether the highlight can stand on an entry of this kind: headings, lines and plain totals
// (summary rows are drawn in their own colours and never tinted; notes have a highlight of
// their own).
bool CarriesHighlight(Statement::AdvEntryKind kind) {
    switch (kind) {
    case Statement::AdvEntryKind::SectionHeading:
    case Statement::AdvEntryKind::BlockHeading:
    case Statement::AdvEntryKind::Line:
    case Statement::AdvEntryKind::Total: return true;
    case Statement::AdvEntryKind::Summary:
    case Statement::AdvEntryKind::NoteEntry: return false;
    }
    return false;
}

// Rows the highlight can stand on, in drawing order: every heading, line and plain total that
// took a place in the last pass, each once, rows that show the same forecast row included.
std::vector<const CLayout*> HighlightableRows(const AdvViewState& state) {
    std::vector<const CLayout*> rows;
    const std::vector<Statement::AdvEntry>& entries = state.lists.model->entries;
    for (const auto& object : state.lists.statement) {
        const int entry = object->entryIndex;
        const bool row = dynamic_cast<const CLine*>(object.get()) ||
                         dynamic_cast<const CLineHeader*>(object.get()) ||
                         dynamic_cast<const CTotal*>(object.get());
        if (row && entry >= 0 && static_cast<std::size_t>(entry) < entries.size() &&
            CarriesHighlight(entries[static_cast<std::size_t>(entry)].kind) && !object->hidden &&
            !object->suppressed && !object->bounds.IsEmpty())
            rows.push_back(object.get());
    }
    return rows;
}

void HighlightRow(AdvViewState& state, const CLayout& row) {
    state.highlightKey = row.key;
    state.highlightEntry = row.entryIndex;
    state.bringIntoView = true;
}

} // namespace

void FlipSection(CMainDoc& doc, AdvViewState& state, CLayout& heading) {
    FlipHeading(doc, state, heading, heading.style ? *heading.style : kNoGlyph);
}

void FocusKey(AdvViewState& state, const LayoutKey* key) {
    // A row's key names no entry yet: the next pass finds the first row that shows it.
    state.highlightEntry = -1;
    if (!key) {
        state.highlightKey = LayoutKey();
        return;
    }
    state.highlightKey = *key;
    // Another current key has the next pass build its statement.
    const LayoutKey current = CurrentPart(*key);
    if (current[LayoutKey::kView] != kNone)
        state.currentKey = current;
}

AdvClick ClickAt(CMainDoc& doc, AdvViewState& state, Point point) {
    const auto hit = [&](const AdvStatement::LayoutList& list) -> CLayout* {
        for (const auto& object : list) {
            const std::int32_t styleBefore = object->style ? *object->style : kNoGlyph;
            if (object->HitTest(point.x, point.y)) {
                if (dynamic_cast<CLineHeader*>(object.get())) {
                    FlipHeading(doc, state, *object, styleBefore);
                    return object.get();
                }
                return object.get();
            }
        }
        return nullptr;
    };
    CLayout* object = hit(state.lists.statement);
    if (!object)
        object = hit(state.lists.frame);
    if (!object || dynamic_cast<CPage*>(object)) {
        FocusKey(state, nullptr);
        return AdvClick::HighlightCleared;
    }
    if (dynamic_cast<CLineHeader*>(object))
        return AdvClick::SectionFlipped;
    if (const auto* headers = dynamic_cast<const CColumnHeaders*>(object)) {
        const CheckToggle* toggle = headers->FlippedToggle();
        if (!toggle)
            return AdvClick::Nothing;
        if (!doc.SetShownState(headers->yearKey, toggle->part, toggle->shown))
            state.BuildAgain();
        return AdvClick::ColumnFlipped;
    }
    if (object->GetKind() == LayoutKind::Tab) {
        const LayoutKey key = object->key;
        FocusKey(state, &key);
        return AdvClick::TabSelected;
    }
    return AdvClick::Nothing;
}

AdvLevel HighlightLevel(const AdvViewState& state) {
    const LayoutKey& key = state.highlightKey;
    if (state.highlightEntry >= 0)
        return AdvLevel::Rows;
    if (key[LayoutKey::kView] == kNone)
        return AdvLevel::None;
    if (key[LayoutKey::kCategory] != kNone)
        return AdvLevel::Rows;
    for (int level = LayoutKey::kGraph; level > LayoutKey::kView; --level)
        if (key[level] != kNone)
            return level >= LayoutKey::kYear ? AdvLevel::YearOrGraph : static_cast<AdvLevel>(level);
    return AdvLevel::View;
}

void WalkLevels(AdvViewState& state, bool forward) {
    constexpr int kLevels = 5;
    int level = static_cast<int>(HighlightLevel(state));
    for (int tries = 0; tries < kLevels; ++tries) {
        if (level < 0)
            level = forward ? 0 : kLevels - 1;
        else
            level = (level + (forward ? 1 : kLevels - 1)) % kLevels;
        if (level == static_cast<int>(AdvLevel::Rows)) {
            const std::vector<const CLayout*> rows = HighlightableRows(state);
            if (rows.empty())
                continue;
            HighlightRow(state, forward ? *rows.front() : *rows.back());
            return;
        }
        if (const CTab* tab = CurrentTab(state, static_cast<AdvLevel>(level))) {
            state.highlightKey = tab->key;
            state.highlightEntry = -1;
            return;
        }
    }
}

void HighlightCurrentTab(AdvViewState& state, const Database::CPERT& root, AdvLevel level) {
    state.highlightKey = LayoutKey();
    state.highlightEntry = -1;
    if (level < AdvLevel::View || level > AdvLevel::YearOrGraph)
        return;
    // A tab's key is the current key down to its own level (a graph tab's down to the graph).
    const LayoutKey current = ResolveAdvKey(root, state.currentKey);
    const int own = static_cast<int>(level);
    if (!current.IsSet(own))
        return;
    const int deepest = level == AdvLevel::YearOrGraph && current.IsSet(LayoutKey::kGraph)
                            ? static_cast<int>(LayoutKey::kGraph)
                            : own;
    for (int l = 0; l <= deepest; ++l)
        state.highlightKey[l] = current[l];
}

bool StepHighlight(AdvViewState& state, bool forward) {
    const AdvLevel level = HighlightLevel(state);
    if (level == AdvLevel::None)
        return false;
    if (level == AdvLevel::Rows) {
        const std::vector<const CLayout*> rows = HighlightableRows(state);
        // The row the highlight stands on; a key that names no entry yet stands on its first row.
        const auto at = std::find_if(rows.begin(), rows.end(), [&](const CLayout* row) {
            return state.highlightEntry >= 0 ? row->entryIndex == state.highlightEntry
                                             : row->key == state.highlightKey;
        });
        if (at == rows.end()) {
            if (!rows.empty())
                HighlightRow(state, forward ? *rows.front() : *rows.back());
            return true;
        }
        if (forward && at + 1 != rows.end())
            HighlightRow(state, **(at + 1));
        else if (!forward && at != rows.begin())
            HighlightRow(state, **(at - 1));
        return true;
    }
    const std::vector<CTab*>& strip = *StripOf(state, level);
    for (std::size_t i = 0; i < strip.size(); ++i) {
        if (!(strip[i]->key == state.highlightKey))
            continue;
        const std::size_t next = forward ? i + 1 : i - 1;
        if (next < strip.size()) {
            const LayoutKey key = strip[next]->key;
            FocusKey(state, &key);
        }
        break;
    }
    return true;
}

void SettleHighlight(AdvViewState& state) {
    if (state.highlightEntry < 0 && !state.highlightKey.IsSet(LayoutKey::kCategory))
        return;
    const std::vector<Statement::AdvEntry>& entries = state.lists.model->entries;
    const auto entryAt = [&](int index) -> const Statement::AdvEntry* {
        return index >= 0 && static_cast<std::size_t>(index) < entries.size()
                   ? &entries[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    // An entry that no longer shows the highlighted row (another statement was built) is
    // forgotten, and the row is looked for by its key.
    const Statement::AdvEntry* entry = entryAt(state.highlightEntry);
    if (!entry || !(entry->key == state.highlightKey))
        state.highlightEntry = -1;
    if (state.highlightEntry < 0) {
        int first = -1;
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            const Statement::AdvEntry& candidate = entries[static_cast<std::size_t>(i)];
            if (!(candidate.key == state.highlightKey) || candidate.suppressed ||
                !CarriesHighlight(candidate.kind))
                continue;
            if (first < 0)
                first = i;
            if (!candidate.hidden) {
                first = i;
                break;
            }
        }
        if (first < 0)
            return; // the statement does not show the row: nothing is highlighted
        state.highlightEntry = first;
    }
    // A row of a closed section or block passes the highlight to the nearest heading above it
    // that is shown: the one whose box closed it.
    for (int i = state.highlightEntry; i >= 0; --i) {
        const Statement::AdvEntry& candidate = entries[static_cast<std::size_t>(i)];
        if (candidate.Shown() && (i == state.highlightEntry || candidate.IsHeading())) {
            state.highlightEntry = i;
            state.highlightKey = candidate.key;
            return;
        }
    }
}

int PanSpeed(int distance, int factor) {
    if (distance < -5)
        return (distance + 4) * factor;
    if (distance > 5)
        return (distance - 4) * factor;
    return 0;
}
