#include "display/PrintArea.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "platform/DeviceContext.h"

const Text kNoPrintArea = u"The page margins leave no room to print on this paper. Choose "
                          u"smaller margins in Page Setup.";

namespace {

int Hundredths(std::int32_t mm) {
    return ClampToInt(static_cast<std::int64_t>(mm) * 100);
}

} // namespace

Rect PrintArea(const DeviceContext& dc, const Database::CPERT& root) {
    // Worked in 64 bits: a damaged file's margins reach far beyond the sheet.
    const std::int64_t left = dc.HimetricToLogicalX(Hundredths(root.marginLeft));
    const std::int64_t top = dc.HimetricToLogicalY(Hundredths(root.marginTop));
    const std::int64_t right = dc.HimetricToLogicalX(Hundredths(root.marginRight));
    const std::int64_t bottom = dc.HimetricToLogicalY(Hundredths(root.marginBottom));
    const std::int64_t horz = dc.HorzRes();
    const std::int64_t vert = dc.VertRes();
    return Rect{ClampToInt(std::max<std::int64_t>(0, left - dc.PhysicalOffsetX())),
                ClampToInt(std::max<std::int64_t>(0, top - dc.PhysicalOffsetY())),
                ClampToInt(horz - std::max<std::int64_t>(0, right + horz + dc.PhysicalOffsetX() -
                                                                dc.PhysicalWidth())),
                ClampToInt(vert - std::max<std::int64_t>(0, bottom + vert + dc.PhysicalOffsetY() -
                                                                dc.PhysicalHeight()))};
}
