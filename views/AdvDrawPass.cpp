#include "views/AdvDrawPass.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "display/ArrangeContext.h"
#include "display/CLayout.h"
#include "display/DrawContext.h"
#include "display/StatementFont.h"
#include "document/CMainDoc.h"
#include "document/Presentation.h"
#include "views/AdvInput.h"
#include "views/AdvMetrics.h"

namespace {

using Display::CLayout;

constexpr int kMaxSettlingPasses = 4;

struct Reported {
    int description = 0;
    int figure = 0;
    int notes = 0;
    friend bool operator==(const Reported&, const Reported&) = default;
};

Reported ReportedWidths(const Display::LayoutMetrics& m) {
    return {m.widestDescription, m.widestFigure, m.notesWidth};
}

} // namespace

AdvPassYear ResolveAdvPassYear(const CMainDoc& doc, const LayoutKey& key) {
    LayoutKey yearKey = key;
    if (!yearKey.IsSet(LayoutKey::kYear))
        yearKey[LayoutKey::kYear] = 0;
    AdvPassYear year;
    year.placed = AdvKeyTargets(doc.Root(), yearKey).year;
    if (key.IsSet(LayoutKey::kYear) && !key.IsSet(LayoutKey::kGraph))
        year.shown = year.placed;
    return year;
}

bool UpdateAdvStatement(const CMainDoc& doc, AdvViewState& state) {
    if (state.ListsCurrent(doc.Revision()))
        return false;
    const LayoutKey shownYear = state.lists.model->yearKey;
    state.currentKey = ResolveAdvKey(doc.Root(), state.currentKey);
    state.lists = BuildAdvStatement(doc, state.currentKey, state.outline);
    ++state.builds;
    // Entries of another year's statement say nothing about this one's.
    if (!(state.lists.model->yearKey == shownYear))
        state.highlightEntry = -1;
    return true;
}

void RunAdvDrawPass(DeviceContext& screen, CMainDoc& doc, AdvViewState& state,
                    const AdvPassInput& input) {
    if (!doc.root || input.client.Width() <= 0 || input.client.Height() <= 0)
        return;
    doc.RecalculateIfChanged();
    UpdateAdvStatement(doc, state);
    SettleHighlight(state);
    const AdvPassYear year = ResolveAdvPassYear(doc, state.currentKey);

    // Composed off-screen and copied at the end, so a repaint does not flicker.
    const std::unique_ptr<DeviceContext> bitmap =
        screen.CreateCompatibleBitmap(input.client.right, input.client.bottom);
    DeviceContext& dc = *bitmap;
    const int zoom = UsableZoom(doc.zoom);
    Display::SelectStatementFont(dc, doc, zoom);

    Display::LayoutMetrics& metrics = state.metrics;
    const Reported before = ReportedWidths(metrics);
    ComputeLayoutMetrics(
        metrics, dc, doc,
        {input.client, input.hScroll, input.vScroll, zoom, state.currentKey, year.placed});

    auto [arrange, draw] = MakeAdvPassContexts(dc, doc, state, metrics, year.shown);
    arrange.bringIntoView = state.bringIntoView;
    draw.blankWhitePage = true;

    // The panels learn where their current tabs lie before they draw, so the frame is arranged
    // whole before it is drawn; the statement's objects arrange and draw one by one.
    for (const auto& object : state.lists.frame)
        object->Arrange(arrange);
    for (const auto& object : state.lists.frame)
        object->Draw(draw);
    StartRows(metrics, dc);
    for (const auto& object : state.lists.statement) {
        object->Arrange(arrange);
        object->Draw(draw);
    }

    state.bringIntoView = false;
    state.scrollDelta = arrange.scrollDelta;
    state.lineHeight = dc.TextExtent(u"Fg").height;
    const Rect& content = metrics.ContentArea();
    state.body = content;
    if (draw.year) {
        int right = metrics.figureAreaLeft;
        for (const Rect& column : metrics.figureColumns)
            right = std::max(right, column.right);
        // Scroll ranges start at 0.
        state.hScrollMax = std::max(0, ClampToInt(static_cast<std::int64_t>(right) + input.hScroll -
                                                  metrics.figureAreaLeft));
        state.hScrollPage = std::max(0, content.right - metrics.figureAreaLeft);
        state.vScrollMax = std::max(0, ClampToInt(static_cast<std::int64_t>(metrics.rowCursor.top) +
                                                  input.vScroll - content.top));
        state.vScrollPage = std::max(0, content.Height());
    } else {
        state.hScrollMax = state.hScrollPage = state.vScrollMax = state.vScrollPage = 0;
    }
    state.settled = ReportedWidths(metrics) == before;

    screen.BlockCopy(input.client, dc, Point{input.client.left, input.client.top});
}

void RunAdvDrawPassSettled(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                           const AdvPassInput& input) {
    for (int pass = 0; pass < kMaxSettlingPasses; ++pass) {
        RunAdvDrawPass(dc, doc, state, input);
        if (state.settled)
            return;
    }
}

AdvPassContexts MakeAdvPassContexts(DeviceContext& dc, CMainDoc& doc, AdvViewState& state,
                                    Display::LayoutMetrics& metrics, const Database::CYear* year) {
    AdvPassContexts contexts;
    Display::ArrangeContext& arrange = contexts.arrange;
    arrange.dc = &dc;
    arrange.doc = &doc;
    arrange.metrics = &metrics;
    arrange.currentKey = &state.currentKey;
    arrange.highlightKey = &state.highlightKey;
    arrange.highlightEntry = state.highlightEntry;
    arrange.notesHighlightKey = &state.notesHighlightKey;

    Display::DrawContext& draw = contexts.draw;
    draw.dc = &dc;
    draw.doc = &doc;
    draw.metrics = &metrics;
    draw.display = year ? &year->display : nullptr;
    draw.year = year;
    draw.highlightKey = &state.highlightKey;
    return contexts;
}
