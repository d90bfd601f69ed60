#pragma once

#include "display/CLayout.h"

namespace Display {

// An index tab that selects one entry of one key level: kind 0 views (vertical, down the left),
// 1 scenarios, 2 companies, 3 years and 4 graphs; kind 5 is a fixed tab at the content corner.
class CTab : public CLayout {
  public:
    CTab() = default;
    CTab(const LayoutKey& tabKey, int tabKind) : CLayout(tabKey), kind(tabKind) {}

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    LayoutKind GetKind() const override { return LayoutKind::Tab; }

    int kind = 1;
    bool isCurrent = false;
    Text label;
};

} // namespace Display
