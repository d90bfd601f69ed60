#include "database/YearSpan.h"

#include <algorithm>

#include "database/CYear.h"

namespace Database {

YearSpan SpanOf(const CYear& year) {
    return {((year.startMonth % 12) + 12) % 12, std::clamp(year.months, 0, 12)};
}

} // namespace Database
