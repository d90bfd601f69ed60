#include "display/CPage.h"

#include "display/CTab.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "platform/DeviceContext.h"

namespace Display {
namespace {

Colour PanelColour(int kind) {
    return kind == 1 ? kPanelGrey : kind == 2 ? kLightPanel : kWhite;
}

} // namespace

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
    const Colour colour = PanelColour(kind);
    dc.SelectPen(colour, 1);
    dc.SelectBrush(colour);
    const Size corner = context.metrics->cornerSize;
    dc.RoundRect(bounds, corner.width, corner.height);
    if (!currentTabRect.IsEmpty()) {
        // Open the border where the current tab joins the panel.
        if (kind == 0)
            dc.Line(bounds.left, currentTabRect.top + 1, bounds.left, currentTabRect.bottom - 1);
        else
            dc.Line(currentTabRect.left + 1, bounds.top, currentTabRect.right - 1, bounds.top);
    }
    dc.SelectPen(kBlack);
    dc.SelectBrush(kWhite);
}

bool CPage::HitTest(int x, int y) {
    return kind == LayoutMetrics::kContentPanel && bounds.Contains({x, y});
}

} // namespace Display
