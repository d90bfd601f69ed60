#include "display/CGraphPage.h"

#include "display/LayoutMetrics.h"

namespace Display {

void CGraphPage::Arrange(ArrangeContext& context) {
    LayoutMetrics& metrics = *context.metrics;
    metrics.graphPage = true;
    bounds = metrics.ContentArea();
    placed = true;

    legend.Layout(context, {bounds.left, bounds.top});
    legendRect = {bounds.left, bounds.top, bounds.left + legend.bounds.Width(), bounds.bottom};
    graphRect = bounds;
    graphRect.left = legendRect.right + metrics.cornerSize.width;
    graph.Layout(context, graphRect);
}

void CGraphPage::Draw(DrawContext& context) {
    legend.Draw(context);
    // A window too narrow for the legend leaves no room to plot in.
    if (!graphRect.IsEmpty())
        graph.Draw(context);
}

bool CGraphPage::HitTest(int x, int y) {
    return bounds.Contains({x, y});
}

} // namespace Display
