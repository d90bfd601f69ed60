#include "views/AdvPrintPass.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "display/ArrangeContext.h"
#include "display/CLayout.h"
#include "display/DrawContext.h"
#include "document/CMainDoc.h"
#include "views/AdvDrawPass.h"
#include "views/AdvMetrics.h"

using namespace Statement;

namespace {

constexpr int kMaxSettlingPasses = 4;

} // namespace

AdvOutline PrintOutline(PrintOption option) {
    switch (option) {
    case PrintOption::Collapsed:
        return AdvOutline::Closed;
    case PrintOption::Expanded:
        return AdvOutline::Open;
    default:
        return AdvOutline::File;
    }
}

bool AdvPrintLayout::Pass(DeviceContext& dc, const Rect& area, int hOffset, int vOffset,
                          bool drawing) {
    doc_.RecalculateIfChanged();
    if (area.IsEmpty())
        return true;
    const Font previous = dc.CurrentFont();
    if (!doc_.fontName.empty())
        dc.SelectFont(doc_.fontName, std::clamp(doc_.fontSize, 1, 100000));

    Display::LayoutMetrics& metrics = state_.metrics;
    const int description = metrics.widestDescription;
    const int figure = metrics.widestFigure;
    const int notes = metrics.notesWidth;
    metrics.printing = true;
    ComputeLayoutMetrics(metrics, dc, doc_, {area, hOffset, vOffset, 100, state_.currentKey});
    const int across = metrics.pagesAcross;

    auto [arrange, draw] = MakeAdvPassContexts(dc, doc_, state_, metrics);
    arrange.printPage = 1;

    for (const auto& object : state_.lists.frame)
        object->Arrange(arrange);
    if (drawing)
        for (const auto& object : state_.lists.frame)
            object->Draw(draw);
    StartRows(metrics, dc);
    for (const auto& object : state_.lists.statement) {
        object->Arrange(arrange);
        if (drawing)
            object->Draw(draw);
    }
    dc.SelectFont(previous);
    metrics.pagesAcross = across;
    return metrics.widestDescription == description && metrics.widestFigure == figure &&
           metrics.notesWidth == notes;
}

void AdvPrintLayout::Settle(DeviceContext& dc, const Rect& area, const LayoutKey& key) {
    if (built_ && state_.currentKey.level == key.level)
        return;
    state_.currentKey = key;
    state_.outline = PrintOutline(doc_.Root().GetPrintOption());
    doc_.RecalculateIfChanged();
    state_.lists = BuildAdvStatement(doc_, key, state_.outline);
    built_ = true;
    for (int pass = 0; pass < kMaxSettlingPasses; ++pass)
        if (Pass(dc, area, 0, 0, false))
            break;
    down_ = std::max(1, state_.metrics.pagesDown);
    across_ = std::max(1, state_.metrics.pagesAcross);
}

int AdvPrintLayout::CountPages(DeviceContext& dc, const Rect& area, const LayoutKey& key) {
    built_ = false; // the forecast or the paper may have changed since the last job
    Settle(dc, area, key);
    if (state_.metrics.figuresOffPage)
        return kTooNarrow;
    const std::int64_t pages = static_cast<std::int64_t>(down_) * across_;
    return static_cast<int>(std::min<std::int64_t>(pages, kMaxPrintPages + 1));
}

void AdvPrintLayout::PrintPage(DeviceContext& dc, const Rect& area, const LayoutKey& key,
                               int page) {
    Settle(dc, area, key);
    const std::int64_t hOffset = static_cast<std::int64_t>(page / down_) * area.right;
    const std::int64_t vOffset =
        static_cast<std::int64_t>(page % down_) * state_.metrics.pageBodyHeight;
    Pass(dc, area, ClampToInt(hOffset), ClampToInt(vOffset), true);
}

std::unique_ptr<AdvPrintJob> MakeAdvPrintJob(CMainDoc& doc, LayoutKey& currentKey,
                                             AdvPrintJob::OptionsDialog dialog) {
    return std::make_unique<AdvPrintJob>(doc, currentKey, std::make_unique<AdvPrintLayout>(doc),
                                         std::move(dialog));
}
