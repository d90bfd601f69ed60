#pragma once

#include "core/WideText.h"
#include "platform/DrawTypes.h"

class DeviceContext;
namespace Database {
class CPERT;
}

// The part of a printed page inside the forecast's margins (millimetres), in device units of
// `dc`. A margin inside the printer's unprintable border has no further effect; margins that
// leave no room give an empty rectangle. Both statements print inside it; a print job works it
// out once per page and hands it to its passes.
Rect PrintArea(const DeviceContext& dc, const Database::CPERT& root);

// What a print job says when the margins leave no room on the paper.
extern const Text kNoPrintArea;
