#include "display/CLineHeader.h"

#include <algorithm>

#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "platform/DeviceContext.h"
#include "statement/AdvStatementModel.h"

namespace Display {
namespace {

constexpr const char16_t* kNotesTitle = u"NOTES";

} // namespace

CLineHeader::CLineHeader(const Statement::AdvEntry& entry, std::int32_t* sharedStyle)
    : CLayout(entry.key), text(entry.label), lines(entry.lines) {
    style = sharedStyle;
    hidden = entry.hidden;
    suppressed = entry.suppressed;
}

CLineHeader::CLineHeader(const Text& title, int lineCount, std::int32_t* sharedStyle)
    : text(title), lines(lineCount) {
    style = sharedStyle;
}

void CLineHeader::Arrange(ArrangeContext& context) {
    placed = false;
    if (suppressed || hidden)
        return;
    LayoutMetrics& metrics = *context.metrics;
    if (metrics.RightOfLeftmostPage() && OnLeftmostPageOnly())
        return;
    DeviceContext& dc = *context.dc;
    const Size size = dc.TextExtent(text);
    metrics.widestDescription = std::max(metrics.widestDescription, size.width);
    const int gap = metrics.RowGap();
    const int lineHeight = metrics.rowCursor.Height();
    // A heading keeps at least the line after it on its page: it never ends a printed page.
    metrics.PageBreak(startsPage ? metrics.pageBodyHeight + 1
                                 : (lines > 4 ? 5 : std::max(lines, 2)) * (lineHeight + gap));
    bounds = metrics.rowCursor;
    highlighted = HighlightedIn(context);
    if (highlighted)
        BringIntoView(context, bounds, metrics.ContentArea());
    metrics.rowCursor = Offset(metrics.rowCursor, 0, lineHeight + gap);
    textRect = ColumnCell(metrics.descriptionColumn, bounds);
    expanderCell = ColumnCell(metrics.expanderColumn, bounds);
    expander.Set(expanderCell, metrics.ContentArea(), style);
    placed = true;
}

void CLineHeader::Draw(DrawContext& context) {
    if (suppressed || hidden || !placed)
        return;
    const LayoutMetrics& metrics = *context.metrics;
    if (!Meets(bounds, metrics.ContentArea()))
        return;
    DeviceContext& dc = *context.dc;
    expander.Draw(dc, metrics.RowGap());
    dc.SetTextColour(kHeadingBlue);
    dc.SetBackColour(kWhite);
    // A heading has no figures: the highlight tints its description cell, as a row's.
    if (highlighted && !dc.IsPrinting()) {
        const Rect tint = textRect.Intersected(metrics.ContentArea());
        if (!tint.IsEmpty())
            dc.FillRect(tint, kRowTint);
        dc.SetBackColour(kRowTint);
    }
    DrawLabelInCell(dc, text, Align::Left, textRect, metrics.ContentArea());
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);
}

bool CLineHeader::OnLeftmostPageOnly() const {
    return !key.IsSet(LayoutKey::kView) && text == kNotesTitle;
}

bool CLineHeader::HitTest(int x, int y) {
    if (!placed || !style || !ExpanderHitTest(x, y))
        return false;
    *style = FlippedStyle(*style);
    return true;
}

} // namespace Display
