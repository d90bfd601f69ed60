#include "display/CLayout.h"

#include <algorithm>

#include "display/TextWrap.h"
#include "platform/DeviceContext.h"

namespace Display {

void CLayout::Arrange(ArrangeContext&) {
    placed = false;
}

void CLayout::Draw(DrawContext&) {
    placed = false;
}

bool CLayout::HitTest(int x, int y) {
    return placed && bounds.Contains({x, y});
}

bool CLayout::HighlightedIn(const ArrangeContext& context) const {
    if (context.highlightEntry >= 0)
        return entryIndex == context.highlightEntry;
    return context.highlightKey && context.highlightKey->IsSet(LayoutKey::kView) &&
           key == *context.highlightKey;
}

void CLayout::BringIntoView(ArrangeContext& context, const Rect& row, const Rect& content) {
    if (!context.bringIntoView)
        return;
    if (row.top < content.top)
        context.scrollDelta = std::min(context.scrollDelta, row.top - content.top);
    else
        context.scrollDelta = row.bottom > content.bottom ? row.bottom - content.bottom : 0;
}

void CLayout::DrawTextInCell(DeviceContext& dc, const Text& text, Align align, const Rect& cell,
                             const Rect& clip) {
    const Rect visible = cell.Intersected(clip);
    if (visible.IsEmpty())
        return;
    const int x = align == Align::Left    ? cell.left
                  : align == Align::Right ? cell.right
                                          : (cell.left + cell.right) / 2;
    dc.DrawText(x, cell.top, text, align, visible);
}

void CLayout::DrawLabelInCell(DeviceContext& dc, const Text& text, Align align, const Rect& cell,
                              const Rect& clip) {
    if (!dc.IsPrinting()) {
        DrawTextInCell(dc, text, align, cell, clip);
        return;
    }
    DrawTextInCell(dc, ElideText(dc, text, cell.Width()), align, cell, clip);
}

} // namespace Display
