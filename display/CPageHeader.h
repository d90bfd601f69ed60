#pragma once

#include "core/WideText.h"
#include "database/LayoutKey.h"
#include "display/CLayout.h"

class CMainDoc;

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

    // The names along the key, from the view (when there is more than one) down to the year or,
    // for a graph page, the graph: a graph spans every year of its company, so its title names
    // no year. A level that does not resolve ends the title there.
    static Text Title(CMainDoc& doc, const LayoutKey& key);
};

} // namespace Display
