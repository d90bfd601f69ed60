#pragma once

#include "display/CLayout.h"

namespace Display {

// An index tab that selects one entry of one key level: its kind is the level, LayoutKey::kView
// (vertical, down the left) to LayoutKey::kGraph, or kFixedTab for a tab at the content corner.
class CTab : public CLayout {
public:
    static constexpr int kFixedTab = LayoutKey::kGraph + 1;

    CTab() = default;
    CTab(const LayoutKey& tabKey, int tabKind) : CLayout(tabKey), kind(tabKind) {}

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    LayoutKind GetKind() const override { return LayoutKind::Tab; }
    // Whether the tab selects an entry of a key level (a fixed tab selects none).
    bool SelectsLevel() const { return kind >= LayoutKey::kView && kind <= LayoutKey::kGraph; }

    int kind = LayoutKey::kScenario;
    bool isCurrent = false;
    Text label;
};

} // namespace Display
