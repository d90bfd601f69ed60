#pragma once

#include "display/ArrangeContext.h"
#include "display/DrawContext.h"
#include "display/LayoutMetrics.h"
#include "platform/DeviceContext.h"
#include "views/AdvViewState.h"

class CMainDoc;

// What the window (or an export) tells one drawing pass of the Advanced view.
struct AdvPassInput {
    // The client rectangle: the pass draws into an off-screen bitmap of its size and copies it.
    Rect client;
    int hScroll = 0;
    int vScroll = 0;
};

// One drawing pass: recalculates the forecast, builds the statement again when the state asks
// for it (resolving the key first), computes the metrics, then arranges and draws the frame and
// the statement into `dc`, leaving the scroll ranges in the state.
void RunAdvDrawPass(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                    const AdvPassInput& input);

// Runs passes until the column widths settle (at most a few), as an export or a first paint
// wants: the first pass only learns how wide the descriptions and figures are.
void RunAdvDrawPassSettled(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                           const AdvPassInput& input);

// The year the state's key shows, or none (a graph page, a key that reaches no year).
const Database::CYear* AdvShownYear(const CMainDoc& doc, const AdvViewState& state);

// The arrange and draw contexts of one pass over the state's lists, on `dc` with `metrics`.
struct AdvPassContexts {
    Display::ArrangeContext arrange;
    Display::DrawContext draw;
};
AdvPassContexts MakeAdvPassContexts(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                                    Display::LayoutMetrics& metrics);
