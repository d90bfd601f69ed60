#include "display/CLine.h"

#include <algorithm>

#include "database/Categories.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "platform/DeviceContext.h"
#include "statement/AdvStatementModel.h"

namespace Display {

CLine::CLine(const Statement::AdvStatementModel& model, const Statement::AdvEntry& entry)
    : CLayout(entry.key), gapBefore(entry.gapBefore), model_(&model), entry_(&entry),
      ownStyle_(entry.glyph) {
    style = &ownStyle_;
    hidden = entry.hidden;
    suppressed = entry.suppressed;
}

void CLine::Place(ArrangeContext& context) {
    LayoutMetrics& metrics = *context.metrics;
    DeviceContext& dc = *context.dc;
    const Rect& content = metrics.ContentArea();
    const int gap = metrics.RowGap();
    if (context.currentKey)
        yearKey = *context.currentKey;
    highlighted = HighlightedIn(context);
    clipRect = content;
    if (gapBefore)
        metrics.rowCursor = Offset(metrics.rowCursor, 0, metrics.rowCursor.Height() + gap);
    metrics.PageBreak(metrics.rowCursor.Height() + gap);
    metrics.widestDescription =
        std::max(metrics.widestDescription, dc.TextExtent(entry_->label).width);
    bounds = metrics.rowCursor;

    if (highlighted)
        BringIntoView(context, bounds, content);
    metrics.rowCursor = Offset(metrics.rowCursor, 0, bounds.Height() + gap);

    expanderCell = ColumnCell(metrics.expanderColumn, bounds);
    expander.Set(expanderCell, content, style);
    descriptionCell = ColumnCell(metrics.descriptionColumn, bounds);
    RowCells::Taxes(metrics, bounds, model_->taxNames.size(), taxCells);
    figureClip = content;
    // Figures scrolled left pass under every column that stays put, the notes column included.
    figureClip.left = taxCells.empty() ? metrics.figureAreaLeft
                                       : taxCells.back().right + metrics.cornerSize.width;
    cells.Place(metrics, bounds);
    bounds.top -= gap / 2;
    bounds.bottom += gap / 2 + 1;
    placed = true;
}

void CLine::Arrange(ArrangeContext& context) {
    placed = false;
    if (suppressed)
        return;
    // A line of a closed section is measured like any other, so the columns keep their widths
    // when it opens.
    MeasureFigures(*context.dc, *context.metrics, *entry_, true);
    if (!hidden)
        Place(context);
}

bool CLine::OnLeftmostPageOnly() const {
    return key[LayoutKey::kCategory] == kNote;
}

void CLine::Draw(DrawContext& context) {
    if (suppressed || hidden) {
        placed = false;
        return;
    }
    const LayoutMetrics& metrics = *context.metrics;
    if (metrics.RightOfLeftmostPage() && OnLeftmostPageOnly())
        return;
    DeviceContext& dc = *context.dc;
    placed = placed && Meets(bounds, metrics.ContentArea());
    if (!placed)
        return;
    const Statement::AdvEntry& entry = *entry_;
    // The tree line runs on across the gap to the next row, and across the empty row left over
    // a line that has one.
    const int gap = metrics.RowGap();
    expander.Draw(dc, gap, gapBefore ? descriptionCell.Height() + gap : 0);
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);

    const bool tinted = highlighted && !dc.IsPrinting();
    if (tinted) {
        TintRow(dc, descriptionCell, cells, entry.showPercentage, metrics.ContentArea(),
                figureClip);
        dc.SetBackColour(kRowTint);
    }
    DrawLabelInCell(dc, entry.label, Align::Left, descriptionCell, clipRect);
    if (!entry.hasFigures)
        return;
    for (std::size_t t = 0; t < taxCells.size() && t < entry.taxCodes.size(); ++t)
        DrawTextInCell(dc, entry.taxCodes[t], Align::Centre, taxCells[t], clipRect);

    const Colour* colours = tinted ? kSubColumnDark : kSubColumn;
    DrawMonthFigures(dc, entry, cells, figureClip, colours);
    for (Database::SubColumn k : Database::kSubColumns) {
        const auto sub = static_cast<std::size_t>(k);
        if (model_->TotalDrawn(entry, k))
            DrawFigure(dc, Ascii(entry.totals[sub].Text()), cells.totals[sub], figureClip,
                       colours[k]);
        if (model_->PercentDrawn(entry, k))
            DrawFigure(dc, Ascii(entry.percents[sub].Text()), cells.percents[sub], figureClip,
                       colours[k]);
    }
    dc.SetBackColour(kWhite);
}

} // namespace Display
