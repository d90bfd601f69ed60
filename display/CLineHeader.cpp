#include "display/CLineHeader.h"

#include <algorithm>

#include "database/CYear.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "items/CBaseItem.h"
#include "items/CTaxSum.h"
#include "platform/DeviceContext.h"

namespace Display {
namespace {

constexpr const char16_t* kNotesTitle = u"NOTES";

// A keyed heading shows its object's name: a tax summary's unindented when its year holds fewer
// than two of them, every other row's after two spaces.
Text HeadingName(CMainDoc& doc, const LayoutKey& key, const Database::CObject* object) {
    const auto* row = dynamic_cast<const Item::CBaseItem*>(object);
    if (!row)
        return Text();
    if (dynamic_cast<const Item::CTaxSum*>(row)) {
        const Database::CYear* year = FindYear(doc, key);
        if (!year || year->ItemCount(kTax) < 2)
            return row->name;
    }
    return u"  " + row->name;
}

} // namespace

CLineHeader::CLineHeader(const LayoutKey& objectKey, int lineCount, std::int32_t* sharedStyle)
    : CLayout(objectKey), lines(lineCount) {
    style = sharedStyle;
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
    if (metrics.RightOfLeftmostPage() && text == kNotesTitle)
        return;
    Text shownText = text;
    if (text.empty() && key.IsSet(LayoutKey::kView)) {
        Database::CObject* object = FindObject(*context.doc, key);
        if (const auto* row = dynamic_cast<const Item::CBaseItem*>(object); row && row->IsHidden()) {
            suppressed = true;
            return;
        }
        shownText = HeadingName(*context.doc, key, object);
    }
    displayText_ = shownText;

    DeviceContext& dc = *context.dc;
    const Size size = dc.TextExtent(shownText);
    metrics.widestDescription = std::max(metrics.widestDescription, size.width);
    const int gap = metrics.RowGap();
    const int lineHeight = metrics.rowCursor.Height();
    metrics.PageBreak((lines > 4 ? 5 : std::max(lines, 1)) * (lineHeight + gap));
    bounds = metrics.rowCursor;
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
    expander.Draw(dc);
    dc.SetTextColour(kHeadingBlue);
    dc.SetBackColour(kWhite);
    DrawTextInCell(dc, displayText_, Align::Left, textRect, metrics.ContentArea());
    dc.SetTextColour(kBlack);
}

bool CLineHeader::HitTest(int x, int y) {
    if (!placed || !style || !ExpanderHitTest(x, y))
        return false;
    *style = FlippedStyle(*style);
    return true;
}

} // namespace Display
