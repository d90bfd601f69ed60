#include "views/AdvInput.h"

#include <vector>

#include "display/CColumnHeaders.h"
#include "display/CLayout.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CPage.h"
#include "display/CTab.h"
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
void FlipHeading(AdvViewState& state, CLayout& heading, std::int32_t styleBefore) {
    if (heading.style && *heading.style == styleBefore)
        *heading.style = FlippedStyle(styleBefore);
    for (const AdvStatement::Expandable& entry : state.lists.expandables)
        if (entry.heading == &heading && heading.style && entry.state != heading.style)
            *entry.state = *heading.style;
    state.rebuild = true;
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

// Rows the highlight can stand on, in statement order: lines and block headings of a forecast
// row that took a place in the last pass.
std::vector<const CLayout*> HighlightableRows(const AdvViewState& state) {
    std::vector<const CLayout*> rows;
    for (const auto& object : state.lists.statement) {
        const bool row = dynamic_cast<const CLine*>(object.get()) ||
                         dynamic_cast<const CLineHeader*>(object.get());
        if (row && object->key[LayoutKey::kCategory] != kNone && !object->hidden &&
            !object->suppressed && !object->bounds.IsEmpty())
            rows.push_back(object.get());
    }
    return rows;
}

void HighlightRow(AdvViewState& state, const LayoutKey& key) {
    state.highlightKey = key;
    state.bringIntoView = true;
}

} // namespace

void FocusKey(AdvViewState& state, const LayoutKey* key) {
    if (!key) {
        state.highlightKey = LayoutKey();
        return;
    }
    state.highlightKey = *key;
    const LayoutKey current = CurrentPart(*key);
    if (current[LayoutKey::kView] != kNone && !(current == state.currentKey)) {
        state.currentKey = current;
        state.rebuild = true;
    }
}

AdvClick ClickAt(AdvViewState& state, Point point) {
    const auto hit = [&](const AdvStatement::LayoutList& list) -> CLayout* {
        for (const auto& object : list) {
            const std::int32_t styleBefore = object->style ? *object->style : kNoGlyph;
            if (object->HitTest(point.x, point.y)) {
                if (dynamic_cast<CLineHeader*>(object.get())) {
                    FlipHeading(state, *object, styleBefore);
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
    if (auto* headers = dynamic_cast<CColumnHeaders*>(object)) {
        if (!headers->ToggleFlipped())
            return AdvClick::Nothing;
        state.rebuild = true;
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
            HighlightRow(state, forward ? rows.front()->key : rows.back()->key);
            return;
        }
        if (const CTab* tab = CurrentTab(state, static_cast<AdvLevel>(level))) {
            state.highlightKey = tab->key;
            return;
        }
    }
}

void HighlightCurrentTab(AdvViewState& state, const Database::CPERT& root, AdvLevel level) {
    state.highlightKey = LayoutKey();
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
        int at = -1;
        for (int i = 0; i < static_cast<int>(rows.size()); ++i)
            if (rows[static_cast<std::size_t>(i)]->key == state.highlightKey) {
                at = i;
                if (!forward)
                    break;
            }
        if (at < 0) {
            if (!rows.empty())
                HighlightRow(state, forward ? rows.front()->key : rows.back()->key);
            return true;
        }
        // Rows of one block share a key: step past all of them.
        for (int i = at + (forward ? 1 : -1); i >= 0 && i < static_cast<int>(rows.size());
             i += forward ? 1 : -1)
            if (!(rows[static_cast<std::size_t>(i)]->key == state.highlightKey)) {
                HighlightRow(state, rows[static_cast<std::size_t>(i)]->key);
                break;
            }
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

int PanSpeed(int distance, int factor) {
    if (distance < -5)
        return (distance + 4) * factor;
    if (distance > 5)
        return (distance - 4) * factor;
    return 0;
}
