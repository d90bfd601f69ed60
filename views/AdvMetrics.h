#pragma once

#include "database/LayoutKey.h"
#include "platform/DrawTypes.h"

class CMainDoc;
class DeviceContext;

namespace Database {
class CYear;
}
namespace Display {
struct LayoutMetrics;
}

// What one computation of the Advanced statement's geometry starts from.
struct AdvMetricsInput {
    // The rectangle to fill: the client area on screen, the page less its margins on paper.
    Rect area;
    // On screen the scroll positions; on paper the left edge of the page among the pages across.
    int hOffset = 0;
    int vOffset = 0;
    // Percent: the document's zoom on screen, 100 on paper.
    int unit = 100;
    LayoutKey key;
    // The year whose columns are placed (AdvPassYear::placed), resolved once by the pass.
    const Database::CYear* year = nullptr;
};

// Recomputes the metrics for the device context's current font: margins and gaps from the
// unit, the heading, the tab strips and nested panels, and the columns (description, notes,
// taxes, figure sub-columns) sized from what the rows reported on the previous pass, whose
// accumulators it then resets. Without a year at the key it stops after the panels.
void ComputeLayoutMetrics(Display::LayoutMetrics& metrics, DeviceContext& dc, const CMainDoc& doc,
                          const AdvMetricsInput& input);

// Where the first row goes once the panels are arranged: the top of the content area, one line
// of the current font high.
void StartRows(Display::LayoutMetrics& metrics, DeviceContext& dc);
