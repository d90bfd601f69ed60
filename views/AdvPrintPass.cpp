#include "views/AdvPrintPass.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "display/ArrangeContext.h"
#include "display/CLayout.h"
#include "display/CLineHeader.h"
#include "display/CNoteBox.h"
#include "display/DrawContext.h"
#include "display/StatementFont.h"
#include "document/CMainDoc.h"
#include "document/Presentation.h"
#include "views/AdvDrawPass.h"
#include "views/AdvMetrics.h"
#include "views/adv/AdvPageBreaks.h"

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
    const Font previous = Display::SelectStatementFont(dc, doc_, zoom_);

    Display::LayoutMetrics& metrics = state_.metrics;
    const int description = metrics.widestDescription;
    const int figure = metrics.widestFigure;
    const int notes = metrics.notesWidth;
    metrics.printing = true;
    const AdvPassYear year = ResolveAdvPassYear(doc_, state_.currentKey);
    ComputeLayoutMetrics(metrics, dc, doc_,
                         {area, hOffset, vOffset, zoom_, state_.currentKey, year.placed});
    const int across = metrics.pagesAcross;

    auto [arrange, draw] = MakeAdvPassContexts(dc, doc_, state_, metrics, year.shown);
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
    zoom_ = FitZoom(dc, area);
    SettleColumns(dc, area);
    // A heading followed by something taller than the lines it keeps (a long note) may still
    // end a page; each move can only push rows further down, so a few rounds settle it.
    for (int round = 0; round < kMaxSettlingPasses && KeepHeadingsWithRows(); ++round)
        Pass(dc, area, 0, 0, false);
    settledDescription_ = state_.metrics.widestDescription;
    settledFigure_ = state_.metrics.widestFigure;
    settledNotes_ = state_.metrics.notesWidth;
    down_ = std::max(1, state_.metrics.pagesDown);
    across_ = std::max(1, state_.metrics.pagesAcross);
    downLater_ = std::min(down_, PagesDownWithRows());
}

int AdvPrintLayout::SettleColumns(DeviceContext& dc, const Rect& area) {
    for (int pass = 0; pass < kMaxSettlingPasses; ++pass)
        if (Pass(dc, area, 0, 0, false))
            break;
    return std::max(1, state_.metrics.pagesAcross);
}

int AdvPrintLayout::FitZoom(DeviceContext& dc, const Rect& area) {
    // Fitting shrinks the font and every measure with it, as zooming the window does; the
    // smallest zoom is the one that keeps the font at the smallest size allowed.
    return PaperFit::FitSize(100, PaperFit::SmallestZoom(doc_.fontSize), fit_.pagesWide,
                             [&](int zoom) {
                                 zoom_ = zoom;
                                 return SettleColumns(dc, area);
                             });
}

int AdvPrintLayout::PageOf(const Display::CLayout& object) const {
    const Display::LayoutMetrics& metrics = state_.metrics;
    // A row's bounds take half the row gap above its line; the column headings stand above
    // the rows.
    const std::int64_t top = static_cast<std::int64_t>(object.bounds.top) + metrics.RowGap();
    if (metrics.pageBodyHeight <= 0 || top < metrics.pageBodyTop)
        return -1;
    return ClampToInt((top - metrics.pageBodyTop) / metrics.pageBodyHeight);
}

int AdvPrintLayout::PagesDownWithRows() const {
    if (state_.metrics.pageBodyHeight <= 0)
        return 1;
    int pages = 0;
    for (const auto& object : state_.lists.statement)
        if (object->placed && !object->OnLeftmostPageOnly())
            pages = std::max(pages, PageOf(*object) + 1);
    return pages;
}

bool AdvPrintLayout::KeepHeadingsWithRows() {
    bool moved = false;
    Display::CLineHeader* heading = nullptr;
    for (const auto& object : state_.lists.statement) {
        if (!object->placed)
            continue;
        // Markers stand on the line of their row and take no place of their own.
        if (const auto* box = dynamic_cast<const Display::CNoteBox*>(object.get());
            box && !box->IsEntry())
            continue;
        if (heading && !heading->startsPage && PageOf(*object) > PageOf(*heading)) {
            heading->startsPage = true;
            moved = true;
        }
        heading = dynamic_cast<Display::CLineHeader*>(object.get());
    }
    return moved;
}

int AdvPrintLayout::YearPages() const {
    const std::int64_t pages =
        down_ + static_cast<std::int64_t>(across_ - 1) * downLater_;
    return static_cast<int>(std::min<std::int64_t>(pages, kMaxPrintPages + 1));
}

int AdvPrintLayout::CountPages(DeviceContext& dc, const Rect& area, const LayoutKey& key) {
    built_ = false; // the forecast or the paper may have changed since the last job
    Settle(dc, area, key);
    if (state_.metrics.figuresOffPage)
        return kTooNarrow;
    // Margins that leave less than one row below the headings would print headings alone, or
    // nothing, on every page.
    const int lineHeight = state_.metrics.rowCursor.Height();
    if (state_.lists.model->hasYear &&
        state_.metrics.pageBodyHeight < lineHeight + state_.metrics.RowGap())
        return kTooShort;
    return YearPages();
}

void AdvPrintLayout::PrintPage(DeviceContext& dc, const Rect& area, const LayoutKey& key,
                               int page) {
    Settle(dc, area, key);
    // Down the leftmost band first, then down each band to its right as far as its rows go.
    int band = 0;
    int down = page;
    if (page >= down_ && downLater_ > 0) {
        band = 1 + (page - down_) / downLater_;
        down = (page - down_) % downLater_;
    }
    const std::int64_t hOffset = static_cast<std::int64_t>(band) * area.right;
    const std::int64_t vOffset = static_cast<std::int64_t>(down) * state_.metrics.pageBodyHeight;
    state_.metrics.widestDescription = settledDescription_;
    state_.metrics.widestFigure = settledFigure_;
    state_.metrics.notesWidth = settledNotes_;
    Pass(dc, area, ClampToInt(hOffset), ClampToInt(vOffset), true);
}

std::unique_ptr<AdvPrintJob> MakeAdvPrintJob(CMainDoc& doc, LayoutKey& currentKey,
                                             AdvPrintJob::OptionsDialog dialog) {
    return std::make_unique<AdvPrintJob>(doc, currentKey, std::make_unique<AdvPrintLayout>(doc),
                                         std::move(dialog));
}
