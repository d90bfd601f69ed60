#pragma once

#include <cstdint>

#include "platform/DeviceContext.h"
#include "views/PaperFit.h"
#include "views/StdViewState.h"

class CMainDoc;

// What the window (or the page loop) tells one drawing pass of the Standard or Basic view.
struct StdPassInput {
    Edition edition = Edition::Standard;
    // Screen: the client rectangle; the pass draws into an off-screen bitmap of its size and
    // copies it. Printing: ignored.
    Rect client;
    // Printing: the part of the page to fill, the PrintArea of the device and the root's margins.
    Rect printArea;
    int hScroll = 0; // screen only
    int vScroll = 0; // screen only
    // The "Offset Year" check box, passed to the graph.
    bool offsetYear = false;
    // Screen: the height the "Offset Year" box takes under the graphs page's legend.
    int offsetYearHeight = 0;
    // Printing: how the statement is laid across the paper.
    PaperFit paper;
};

// One drawing pass: recalculates the forecast, then draws the heading line, the tab rows and
// either the statement or the graphs page into `dc`, updating `state` (rectangles for hit
// testing, scroll ranges, print progress). With a printing device it lays out one page and draws
// it only when state.drawing is set.
void RunStdDrawPass(DeviceContext& dc, CMainDoc& doc, StdViewState& state,
                    const StdPassInput& input);

