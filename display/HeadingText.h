#pragma once

#include <cstdint>

#include "core/WideText.h"

namespace Display {

// "Last Modified: " and a time stamp (seconds since 1970, read as UTC) as
// "%I:%M%p %a, %d %B, %Y" with English names.
Text LastModifiedText(std::int64_t stamp);

} // namespace Display
