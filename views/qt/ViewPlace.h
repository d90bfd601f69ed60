#pragma once

#include "views/qt/CMainView.h"

// Where the user stands in a view: the selection at every level, the keyboard focus and the
// scroll position, taken through the interface every edition's view answers. A file read again
// puts it back, so the user keeps the place; what the new forecast no longer has resets as the
// view's own rules say.
struct ViewPlace {
    int view = LayoutKey::kNoEntry;
    int scenario = LayoutKey::kNoEntry;
    int company = LayoutKey::kNoEntry;
    int year = LayoutKey::kNoEntry;
    int graph = LayoutKey::kNoEntry;
    CMainView::FocusPlace focus;
    // The focused forecast row under the selection, for a view that answers only FocusItem.
    LayoutKey focusKey;
    int horizontalScroll = 0;
    int verticalScroll = 0;

    bool operator==(const ViewPlace&) const = default;
};

// The place the view shows now.
ViewPlace TakePlace(const CMainView& view);
// Selects the place level by level from the view down, then puts back the focus and the scroll
// position.
void RestorePlace(CMainView& view, const ViewPlace& place);
