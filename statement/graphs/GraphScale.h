#pragma once

#include <cstdint>

#include "core/Amount.h"
#include "core/WideText.h"

namespace Database {
class CYear;
}

// The value axis of a graph: the data range widened to whole steps of a power of ten, so that
// the ends and zero are all ticks.
struct GraphScale {
    Amount minValue = 0;   // -step × downTicks
    Amount maxValue = 100; // step × upTicks
    Amount step = 100;
    int upTicks = 1;
    int downTicks = 0;

    // Number of steps from minValue to maxValue (at least 1).
    int Steps() const { return upTicks + downTicks; }
    // maxValue - minValue, never 0.
    Amount Span() const { return maxValue - minValue; }
    // The value at tick t, counted from minValue.
    Amount TickValue(int t) const { return minValue + step * t; }
};

// The scale of a data range that includes zero (a range not including it is widened to it).
// An empty range is taken as 0 to 1.00. Values beyond ±(10^18 - 1) are treated as those
// limits, so no step, end or span can overflow.
GraphScale ScaleForRange(Amount minValue, Amount maxValue);

// The months along the time axis as running indexes (12 × year position + calendar month, so
// they may exceed 11), and the year the labels count from.
struct GraphMonthRange {
    std::int64_t firstIndex = 0;
    std::int64_t lastIndex = 1;
    std::int64_t firstYear = 0;
    // False when there is no month to name (a company without years): the axis has no labels.
    bool labelled = true;

    // Number of intervals along the axis: lastIndex - firstIndex, at least 1, so that a single
    // month still gets one interval.
    std::int64_t Intervals() const;
};

// One point of a graph line: a running month index and its value. A point that is not plotted
// breaks the line there.
struct GraphPoint {
    std::int64_t index = 0;
    Amount value = 0;
    bool plotted = true;
};

// The calendar year of a forecast year's first month, for month labels: its number, less 1
// when it runs into the next calendar year (its number is the year it ends in).
std::int64_t FirstCalendarYear(const Database::CYear& year);

// "Apr 24": the month name and two-digit year of a running month index, counted from
// `firstYear`.
Text GraphMonthLabel(std::int64_t runningIndex, std::int64_t firstYear);
