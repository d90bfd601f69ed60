#include "display/CTotal.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "platform/DeviceContext.h"
#include "statement/AdvStatementModel.h"

namespace Display {

CTotal::CTotal(const Statement::AdvStatementModel& model, const Statement::AdvEntry& entry)
    : CLayout(entry.key), gapAfter(entry.gapAfter), model_(&model), entry_(&entry),
      ownStyle_(entry.glyph) {
    style = &ownStyle_;
    hidden = entry.hidden;
    suppressed = entry.suppressed;
}

bool CTotal::Plain() const {
    return entry_->kind == Statement::AdvEntryKind::Total;
}

void CTotal::Arrange(ArrangeContext& context) {
    placed = !hidden && !suppressed;
    if (context.currentKey)
        yearKey = *context.currentKey;
    highlighted = HighlightedIn(context);
    LayoutMetrics& metrics = *context.metrics;
    clipRect = metrics.ContentArea();
    DeviceContext& dc = *context.dc;
    // Every total's months are measured, shown or not, so the columns keep their widths when a
    // section opens.
    MeasureFigures(dc, metrics, *entry_, placed);
    if (!placed)
        return;

    const int gap = metrics.RowGap();
    metrics.PageBreak(metrics.rowCursor.Height() + gap);
    metrics.widestDescription =
        std::max(metrics.widestDescription, dc.TextExtent(entry_->label).width);
    bounds = metrics.rowCursor;
    if (highlighted && Plain())
        BringIntoView(context, bounds, clipRect);
    metrics.rowCursor = Offset(metrics.rowCursor, 0, bounds.Height() + gap);
    if (gapAfter)
        metrics.rowCursor = Offset(metrics.rowCursor, 0, metrics.rowCursor.Height() + gap);
    expanderCell = ColumnCell(metrics.expanderColumn, bounds);
    expander.Set(expanderCell, clipRect, style);
    labelRect = ColumnCell(metrics.descriptionColumn, bounds);
    RowCells::Taxes(metrics, bounds, model_->taxNames.size(), taxCells);
    cells.Place(metrics, bounds);
    bounds.top -= gap / 2;
    bounds.bottom += gap / 2 + 1;
}

void CTotal::Draw(DrawContext& context) {
    if (suppressed || !placed)
        return;
    DeviceContext& dc = *context.dc;
    const LayoutMetrics& metrics = *context.metrics;
    const Rect& content = metrics.ContentArea();
    if (!Meets(bounds, content))
        return;
    const Statement::AdvEntry& entry = *entry_;
    const bool plain = Plain();
    const int gap = metrics.RowGap();
    expander.Draw(dc, gapAfter ? metrics.rowCursor.Height() + 2 * gap : gap);

    Rect figureClip = content;
    figureClip.left = taxCells.empty() ? metrics.figureAreaLeft
                                       : taxCells.back().right + metrics.cornerSize.width;
    const bool tinted = plain && highlighted && !dc.IsPrinting();
    dc.SetBackColour(kWhite);
    if (tinted) {
        TintRow(dc, labelRect, cells, entry.showPercentage, content, figureClip);
        dc.SetBackColour(kRowTint);
    }
    const Colour text = plain ? kBlack : kHeadingBlue;
    dc.SetTextColour(text);
    DrawLabelInCell(dc, entry.label, Align::Left, labelRect, clipRect);
    const Colour* colours = tinted ? kSubColumnDark : kSubColumn;
    const auto colourOf = [&](bool negative) {
        return plain ? kBlack : negative ? kCurrentRed : kHeadingBlue;
    };

    // Every figure of a summary row takes its colour from its own sign, in the months, the
    // totals and the percentages alike.
    DrawMonthFigures(dc, entry, cells, figureClip, colours,
                     [&](Amount value) { return colourOf(value < 0); });
    for (Database::SubColumn k : Database::kSubColumns) {
        const auto sub = static_cast<std::size_t>(k);
        if (model_->TotalDrawn(entry, k)) {
            dc.SetTextColour(colourOf(entry.totals[sub].value < 0));
            DrawFigure(dc, Ascii(entry.totals[sub].Text()), cells.totals[sub], figureClip,
                       colours[k]);
        }
        if (model_->PercentDrawn(entry, k)) {
            dc.SetTextColour(colourOf(entry.percents[sub].value < 0));
            DrawFigure(dc, Ascii(entry.percents[sub].Text()), cells.percents[sub], figureClip,
                       colours[k]);
        }
    }

    if (!plain)
        DrawRule(dc, figureClip, content);
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);
}

// The rule over a summary row's figures ends at its last cell that fits; on screen a cell cut by
// the window's edge takes the rule to the edge.
void CTotal::DrawRule(DeviceContext& dc, const Rect& figureClip, const Rect& content) const {
    const int top = cells.months[0][0].top;
    int end = figureClip.left;
    bool pastClip = false;
    const auto consider = [&](const Rect& cell) {
        if (cell.IsEmpty())
            return;
        if (cell.right <= figureClip.right)
            end = std::max(end, cell.right);
        else
            pastClip = true;
    };
    for (const auto& month : cells.months)
        for (const Rect& cell : month)
            consider(cell);
    for (const Rect& cell : cells.totals)
        consider(cell);
    if (entry_->showPercentage)
        for (const Rect& cell : cells.percents)
            consider(cell);
    if (pastClip && !dc.IsPrinting())
        end = figureClip.right;
    if (top >= content.top && top < content.bottom && end > figureClip.left) {
        dc.SelectPen(kHeadingBlue);
        dc.Line(figureClip.left, top, end, top);
        dc.SelectPen(kBlack);
    }
}

bool CTotal::HitTest(int x, int y) {
    return Plain() && placed && bounds.Contains({x, y});
}

} // namespace Display
