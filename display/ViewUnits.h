#pragma once

#include "platform/DrawTypes.h"

// The unit sizes of a drawing pass: 0.5, 1, 1.5 and 2.5 mm scaled by the zoom, in logical units.
struct ViewUnits {
    Size u05;
    Size u1;
    Size u15;
    Size u25;
};
