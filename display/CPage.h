#pragma once

#include <optional>
#include <vector>

#include "display/CLayout.h"

namespace Display {

class CTab;

// One of the four nested panels of the page, its kind the key level of the tabs it carries: the
// views' panel has them down its left side, the scenarios' and companies' along their tops, and
// the years' panel (the content area) the year and graph tabs. The panel's border opens where
// its current tab joins it.
class CPage : public CLayout {
public:
    CPage() = default;
    // The tabs are not owned; they live in the view's frame list beside the panel.
    CPage(int panelKind, std::optional<std::vector<const CTab*>> panelTabs)
        : kind(panelKind), tabs(std::move(panelTabs)) {}

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    bool HitTest(int x, int y) override;

    int kind = LayoutKey::kScenario;
    std::optional<std::vector<const CTab*>> tabs;
    Rect currentTabRect;
    // Set when the next panel in (which must come after this one in the list) is drawn over
    // this one: then only this panel's rim is painted, as the next covers its middle anyway.
    bool innerPanelFollows = false;

  private:
    Rect innerBounds_;
};

} // namespace Display
