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

// One drawing pass: recalculates the forecast, builds the statement again unless the state's
// lists are current (AdvViewState::ListsCurrent), computes the metrics, then arranges and draws
// the frame and the statement into `dc`, leaving the scroll ranges in the state.
void RunAdvDrawPass(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                    const AdvPassInput& input);

// Builds the state's lists again when they are not current, resolving the key first; true when
// it built. Every pass, copy and screen reader of the view reads the lists through this.
bool UpdateAdvStatement(const CMainDoc& doc, AdvViewState& state);

// Runs passes until the column widths settle (at most a few), as an export or a first paint
// wants: the first pass only learns how wide the descriptions and figures are.
void RunAdvDrawPassSettled(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                           const AdvPassInput& input);

// The year of one pass, resolved once from the key: the one whose columns the metrics place
// (the company's first when the key names none) and the one the statement shows (none on a
// graph page or when the key names no year).
struct AdvPassYear {
    const Database::CYear* placed = nullptr;
    const Database::CYear* shown = nullptr;
};
AdvPassYear ResolveAdvPassYear(const CMainDoc& doc, const LayoutKey& key);

// The arrange and draw contexts of one pass over the state's lists, on `dc` with `metrics`,
// drawing `year` (AdvPassYear::shown).
struct AdvPassContexts {
    Display::ArrangeContext arrange;
    Display::DrawContext draw;
};
AdvPassContexts MakeAdvPassContexts(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                                    Display::LayoutMetrics& metrics, const Database::CYear* year);
