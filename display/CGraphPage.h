#pragma once

#include "database/LayoutKey.h"
#include "display/CGraph.h"
#include "display/CGraphLedgend.h"
#include "display/CLayout.h"

namespace Display {

// A graph page of the Advanced statement: the whole content area, the legend at its left and
// the plot in the rest.
class CGraphPage : public CLayout {
public:
    CGraphPage() = default;
    // The page of the graph the current key selects.
    explicit CGraphPage(const LayoutKey& currentKey) : CLayout(currentKey) {}

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    bool HitTest(int x, int y) override;

    Rect legendRect;
    Rect graphRect;
    CGraphLedgend legend;
    CGraph graph;
};

} // namespace Display
