#pragma once

#include <cstdint>

#include "platform/DrawTypes.h"

class CMainDoc;
class DeviceContext;

namespace Display {

// Makes the document's face current at its font size and the given zoom (percent: the
// document's zoom on screen, 100 on paper), both read as Presentation.h says; a file without a
// face keeps the device's font. Returns the font it replaces.
Font SelectStatementFont(DeviceContext& dc, const CMainDoc& doc, std::int32_t zoom);

} // namespace Display
