#pragma once

#include "database/LayoutKey.h"

class CMainDoc;
class DeviceContext;

namespace Display {

struct LayoutMetrics;

// What every layout object is given while it is arranged.
struct ArrangeContext {
    DeviceContext* dc = nullptr;
    CMainDoc* doc = nullptr;
    // The page being laid out when printing (1 for the first), 0 on screen.
    int printPage = 0;
    LayoutMetrics* metrics = nullptr;
    // The forecast object the user is looking at.
    const LayoutKey* currentKey = nullptr;
    // The highlighted row (all levels unset for none).
    const LayoutKey* highlightKey = nullptr;
    // The highlighted row by its entry in the statement model, when the highlight stands on one
    // row of several that share a key (or on a section heading, which has none); -1: every row
    // with the highlight key.
    int highlightEntry = -1;
    // The highlighted NOTES entry.
    const LayoutKey* notesHighlightKey = nullptr;
    // Set by the view to have the highlighted row brought into view; the row answers with the
    // vertical scroll change that would do it.
    bool bringIntoView = false;
    int scrollDelta = 0;
};

} // namespace Display
