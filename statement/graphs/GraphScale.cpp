#include "statement/graphs/GraphScale.h"

#include <algorithm>
#include <cstdio>

#include "calc/ItemCalculation.h"
#include "database/CYear.h"

namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The largest value whose step and tick count cannot overflow: its step is at most 10^17, so
// ten steps either side span at most 2 × 10^18.
constexpr Amount kLimit = 999'999'999'999'999'999;

// ceil(value / step) for value ≥ 0 and step > 0.
int StepsFor(Amount value, Amount step) {
    return static_cast<int>((value + step - 1) / step);
}

} // namespace

GraphScale ScaleForRange(Amount minValue, Amount maxValue) {
    minValue = std::clamp<Amount>(minValue, -kLimit, 0);
    maxValue = std::clamp<Amount>(maxValue, 0, kLimit);
    if (maxValue == minValue)
        maxValue = 100;
    // The largest power of ten not above the larger end. Counting digits keeps exact powers of
    // ten exact: an empty range (0 to 1.00) gets one step of 1.00.
    const Amount larger = std::max(maxValue, -minValue);
    Amount step = 1;
    while (step <= larger / 10)
        step *= 10;
    GraphScale scale;
    scale.step = step;
    scale.upTicks = StepsFor(maxValue, step);
    scale.downTicks = StepsFor(-minValue, step);
    scale.maxValue = step * scale.upTicks;
    scale.minValue = -step * scale.downTicks;
    return scale;
}

std::int64_t GraphMonthRange::Intervals() const {
    // Indexes come from year counts and start months; a damaged range still gives one interval.
    if (lastIndex <= firstIndex)
        return 1;
    return lastIndex - firstIndex;
}

std::int64_t FirstCalendarYear(const Database::CYear& year) {
    const Database::YearSpan span = Database::SpanOf(year);
    return std::int64_t{year.year} - (span.start + span.count > 12 ? 1 : 0);
}

Text GraphMonthLabel(std::int64_t runningIndex, std::int64_t firstYear) {
    // Floor division, so that a damaged negative index still names a month.
    std::int64_t yearsOn = runningIndex / 12;
    std::int64_t month = runningIndex % 12;
    if (month < 0) {
        month += 12;
        --yearsOn;
    }
    // Two digits of the calendar year, so that the labels run 98, 99, 00 across a century.
    const long long year = static_cast<long long>(((firstYear + yearsOn) % 100 + 100) % 100);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s %.2lld", kMonthNames[month], year);
    return Ascii(buffer);
}
