#pragma once

#include <optional>
#include <vector>

#include "display/CLayout.h"

namespace Display {

class CTab;

// One of the four nested panels of the page: kind 0 carries the view tabs down its left side,
// kinds 1 and 2 the scenario and company tabs along their tops, and kind 3 the year and graph
// tabs around the content area. The panel's border opens where its current tab joins it.
class CPage : public CLayout {
  public:
    CPage() = default;
    // The tabs are not owned; they live in the view's frame list beside the panel.
    CPage(int panelKind, std::optional<std::vector<const CTab*>> panelTabs)
        : kind(panelKind), tabs(std::move(panelTabs)) {}

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    bool HitTest(int x, int y) override;

    int kind = 1;
    std::optional<std::vector<const CTab*>> tabs;
    Rect currentTabRect;
};

} // namespace Display
