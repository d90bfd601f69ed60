#include "platform/DeviceContext.h"

#include <cstdint>

#include "core/ClampToInt.h"

namespace {

// value × dpi ÷ 2540 rounded half away from zero, formed in 64 bits so no input overflows.
int HimetricToUnits(int hundredthsMm, int dpi) {
    const std::int64_t product = static_cast<std::int64_t>(hundredthsMm) * dpi;
    const std::int64_t half = product < 0 ? -1270 : 1270;
    const std::int64_t units = (product + half) / 2540;
    return ClampToInt(units);
}

} // namespace

int DeviceContext::HimetricToLogicalX(int hundredthsMm) const {
    return HimetricToUnits(hundredthsMm, caps_.logPixelsX);
}

int DeviceContext::HimetricToLogicalY(int hundredthsMm) const {
    return HimetricToUnits(hundredthsMm, caps_.logPixelsY);
}
