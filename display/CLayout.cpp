#include "display/CLayout.h"

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

} // namespace Display
