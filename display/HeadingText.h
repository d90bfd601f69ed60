#pragma once

#include <cstdint>
#include <span>

#include "core/WideText.h"
#include "platform/DeviceContext.h"

namespace Database {
class CTaxSetup;
}

namespace Display {

// The Standard and Basic headings write the tax basis in capitals ("EXCLUSIVE"), the Advanced
// one in title case ("Exclusive").
enum class BasisCase { Upper, Title };

// "Figures are " + the tax setups' names joined by "/" + " EXCLUSIVE" or " INCLUSIVE" (in the
// given case); empty without a setup.
Text FiguresAreText(std::span<const Database::CTaxSetup* const> taxes, bool exclusive,
                    BasisCase basisCase);

// Where a window's heading line stands, in both editions: the client area less `inset` (2.5 mm
// at the zoom, as far in as the first tab) on either side, so that neither end touches the
// window's edge. Paper keeps its margins instead.
Rect WindowHeadingRect(const Rect& client, int inset);

// The stamp New leaves: a forecast that was never read from a file.
inline constexpr std::int64_t kNeverRead = -1;

// "Last Modified: " and a time stamp (seconds since 1970) in the machine's local time as
// "%I:%M%p %a, %d %B, %Y" with English names; empty for kNeverRead.
Text LastModifiedText(std::int64_t stamp);

} // namespace Display
