#pragma once

#include <array>

#include "core/WideText.h"
#include "display/ViewUnits.h"
#include "platform/DeviceContext.h"

class CMainDoc;
namespace Database {
class CCompany;
}

// The graphs page of the Standard and Basic views: the legend of the sixteen summary series at
// the left of `area`, in as many columns as its height needs, and, when at least one series is
// shown, the graph of `company` (none: axes only) in the rest, its month labels under the plot.
// `shown` says which series are drawn (the document's flags or the session's legend clicks).
// The legend button rectangles are written to `legendButtons` when `layoutLegend` is set (on
// screen, not while printing). `keepBelowLegend` is the height the legend leaves free at the
// bottom of the area (the window's "Offset Year" box).
void DrawStdGraphsPage(DeviceContext& dc, const CMainDoc& doc, const Database::CCompany* company,
                       const Rect& area, const ViewUnits& units, const std::array<bool, 16>& shown,
                       bool offsetYear, bool layoutLegend, std::array<Rect, 16>& legendButtons,
                       int keepBelowLegend = 0);
