#pragma once

#include "display/CLayout.h"

namespace Display {

// The heading above the tabs: the tax basis at the left, the forecast's time stamp at the right
// and, between them, the path of names down to the object shown.
class CPageHeader : public CLayout {
  public:
    CPageHeader() = default;

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    bool HitTest(int, int) override { return false; }

    // The height the heading needs: that of "Fg" in the title font.
    static int PageHeaderHeight(DeviceContext& dc);
};

} // namespace Display
