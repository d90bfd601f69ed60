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
    // The next panel in, as it will be drawn: the content panel narrows the metrics' rectangle
    // to the rows' area when it is arranged, after this one.
    innerBounds_ = kind + 1 < LayoutMetrics::kPanels
                       ? metrics.pageRect[static_cast<std::size_t>(kind + 1)]
                       : Rect{};
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
    const Size corner = context.metrics->cornerSize;
    // The middle of the next panel in, which that panel paints over whatever lies beneath; or,
    // for the innermost panel in white on a blank page, its own middle, which only it covers.
    const bool innermostOnBlank =
        kind == LayoutMetrics::kContentPanel && colour == kWhite && context.blankWhitePage;
    const Rect inner = innermostOnBlank ? bounds : innerBounds_;
    // Clear of the rounded corners and of the outline.
    const Rect covered{inner.left + corner.width + 1, inner.top + corner.height + 1,
                       inner.right - corner.width - 1, inner.bottom - corner.height - 1};
    if ((innerPanelFollows || innermostOnBlank) && !covered.IsEmpty() && !dc.IsPrinting()) {
        // Filling a window-sized panel four times over costs more than the rest of the frame:
        // paint the rim only, in the four bands around the covered middle.
        const Rect bands[4] = {{bounds.left, bounds.top, bounds.right, covered.top},
                               {bounds.left, covered.bottom, bounds.right, bounds.bottom},
                               {bounds.left, covered.top, covered.left, covered.bottom},
                               {covered.right, covered.top, bounds.right, covered.bottom}};
        for (const Rect& band : bands) {
            if (band.IsEmpty())
                continue;
            dc.SetClip(band);
            DrawPanel(dc, bounds, corner, colour, 1, colour);
        }
        dc.ResetClip();
    } else {
        DrawPanel(dc, bounds, corner, colour, 1, colour);
    }
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
