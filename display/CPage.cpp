#include "display/CPage.h"

#include "display/CTab.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "display/TabRow.h"
#include "platform/DeviceContext.h"

namespace Display {
void CPage::Arrange(ArrangeContext& context) {
    LayoutMetrics& metrics = *context.metrics;
    if (kind < 0 || kind >= static_cast<int>(metrics.pageRect.size()))
        return;
    bounds = metrics.pageRect[static_cast<std::size_t>(kind)];
    if (kind == LayoutMetrics::kContentPanel) {
        // Rows stay inside the panel's margins and, on screen, clear of the scroll bars.
        Rect& content = metrics.ContentArea();
        content.left += metrics.gapSize.width;
        content.right -= metrics.gapSize.width;
        content.top += metrics.gapSize.height;
        content.bottom -= metrics.gapSize.height;
        if (!context.dc->IsPrinting()) {
            content.right -= metrics.vScrollBar.Width();
            content.bottom -= metrics.hScrollBar.Height();
        }
    }
    currentTabRect = Rect{};
    if (tabs) {
        for (const CTab* tab : *tabs) {
            if (tab && tab->isCurrent) {
                currentTabRect = tab->bounds;
                break;
            }
        }
    }
}

void CPage::Draw(DrawContext& context) {
    if (kind != LayoutMetrics::kContentPanel && !tabs)
        return;
    DeviceContext& dc = *context.dc;
    // The panel's outline is its own fill: only the tabs are outlined.
    const Colour colour = TabFillsOf(kind, kHighlightGrey).panel;
    DrawPanel(dc, bounds, context.metrics->cornerSize, colour, 1, colour);
    if (!currentTabRect.IsEmpty()) {
        // The views' tabs join the panel at its left edge, every other level at its top.
        if (kind == LayoutKey::kView)
            dc.Line(bounds.left, currentTabRect.top + 1, bounds.left, currentTabRect.bottom - 1);
        else
            JoinTab(dc, currentTabRect, bounds.top, colour, 1);
    }
    dc.SelectPen(kBlack);
    dc.SelectBrush(kWhite);
}

bool CPage::HitTest(int x, int y) {
    return kind == LayoutMetrics::kContentPanel && bounds.Contains({x, y});
}

} // namespace Display
