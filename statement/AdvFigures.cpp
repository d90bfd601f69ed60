#include "statement/AdvFigures.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "database/CYear.h"
#include "statement/AdvStatementModel.h"

namespace Statement {
namespace {

using Database::kActual;
using Database::kExpected;
using Database::kVariance;

void Set(AdvCell& cell, Amount value, const Database::CDisplaySettings& display) {
    cell.value = value;
    cell.SetText(display.AmountText(value));
    cell.present = true;
}

// The totals of a line or total: the months' sums (or the first or last month by the total
// mode), the Variance total as Actual less Expected, and the percentages of the year's income
// totals: Actual and Expected are absent when their base is 0; Variance (Actual - Expected, an
// absent one counting 0) always stands.
void FormTotals(AdvEntry& entry, std::array<Amount, 3> totals, const Database::CYear& year) {
    const Database::CDisplaySettings& display = year.display;
    totals[kVariance] = VarianceOf(totals[kActual], totals[kExpected]);
    if (entry.totalMode != TotalMode::None)
        for (int k = 0; k < 3; ++k)
            Set(entry.totals[static_cast<std::size_t>(k)], totals[static_cast<std::size_t>(k)],
                display);
    if (!entry.showPercentage)
        return;
    const Amount bases[2] = {year.incomeActual, year.incomeExpected};
    Amount percents[3] = {0, 0, 0};
    for (int k : {kActual, kExpected}) {
        if (bases[k] == 0)
            continue;
        percents[k] = PercentOf(totals[static_cast<std::size_t>(k)], bases[k]);
        Set(entry.percents[static_cast<std::size_t>(k)], percents[k], display);
    }
    Set(entry.percents[kVariance], VarianceOf(percents[kActual], percents[kExpected]), display);
}

} // namespace

void AdvCell::SetText(std::string_view text) {
    length = static_cast<std::uint8_t>(std::min(text.size(), chars.size()));
    std::copy_n(text.begin(), length, chars.begin());
}

void TotalFeed::Add(const MonthAmounts& actualValues, const MonthAmounts& expectedValues,
                    int direction, const Database::YearSpan& span) {
    for (int i = 0; i < span.count; ++i) {
        const auto m = static_cast<std::size_t>(span.Month(i));
        actual[m] = direction > 0 ? SaturatingAdd(actual[m], actualValues[m])
                                  : SaturatingSub(actual[m], actualValues[m]);
        expected[m] = direction > 0 ? SaturatingAdd(expected[m], expectedValues[m])
                                    : SaturatingSub(expected[m], expectedValues[m]);
    }
}

bool MonthShown(const Database::CDisplaySettings& display, Database::SubColumn k, int m) {
    const MonthFlags& flags = k == kActual     ? display.showActual
                              : k == kExpected ? display.showExpected
                                               : display.showVariance;
    return flags[static_cast<std::size_t>(m)];
}

bool MonthCounted(const Database::CDisplaySettings& display, Database::SubColumn k, int m) {
    return display.includeHidden || MonthShown(display, k, m);
}

void FormLineFigures(AdvEntry& entry, const MonthAmounts& actual, const MonthAmounts& expected,
                     int sign, const Database::CYear& year) {
    const Database::CDisplaySettings& display = year.display;
    const Database::YearSpan span = Database::SpanOf(year);
    entry.hasFigures = true;
    std::array<Amount, 3> totals{};
    for (int i = 0; i < span.count; ++i) {
        const int m = span.Month(i);
        const auto at = static_cast<std::size_t>(m);
        AdvTriple& cells = entry.months[static_cast<std::size_t>(i)];
        Amount variance = 0;
        if (MonthShown(display, kActual, m))
            Set(cells[kActual], SaturatingTimes(actual[at], sign), display);
        if (MonthCounted(display, kActual, m)) {
            variance = SaturatingAdd(variance, actual[at]);
            totals[kActual] = SaturatingAdd(totals[kActual], SaturatingTimes(actual[at], sign));
        }
        if (MonthShown(display, kExpected, m))
            Set(cells[kExpected], SaturatingTimes(expected[at], sign), display);
        if (MonthCounted(display, kExpected, m)) {
            variance = SaturatingSub(variance, expected[at]);
            totals[kExpected] =
                SaturatingAdd(totals[kExpected], SaturatingTimes(expected[at], sign));
        }
        if (MonthShown(display, kVariance, m))
            Set(cells[kVariance], SaturatingTimes(variance, sign), display);
    }
    if (entry.totalMode == TotalMode::FirstMonth || entry.totalMode == TotalMode::LastMonth) {
        const auto m = static_cast<std::size_t>(
            entry.totalMode == TotalMode::FirstMonth ? span.start : span.LastMonth());
        totals[kActual] = SaturatingTimes(actual[m], sign);
        totals[kExpected] = SaturatingTimes(expected[m], sign);
    }
    FormTotals(entry, totals, year);
}

void FormTotalFigures(AdvEntry& entry, const TotalFeed& feed, const Database::CYear& year) {
    const Database::CDisplaySettings& display = year.display;
    const Database::YearSpan span = Database::SpanOf(year);
    entry.hasFigures = true;
    entry.fed = feed;
    std::array<Amount, 3> totals{};
    for (int i = 0; i < kMonths; ++i) {
        const int m = span.Month(i);
        const auto at = static_cast<std::size_t>(m);
        const Amount shown[3] = {feed.actual[at], feed.expected[at],
                                 VarianceOf(feed.actual[at], feed.expected[at])};
        for (Database::SubColumn k : Database::kSubColumns) {
            if (MonthShown(display, k, m))
                Set(entry.months[static_cast<std::size_t>(i)][k], shown[k], display);
            if (MonthCounted(display, k, m))
                totals[k] = SaturatingAdd(totals[k], shown[k]);
        }
    }
    if (entry.totalMode == TotalMode::FirstMonth || entry.totalMode == TotalMode::LastMonth) {
        const auto m = static_cast<std::size_t>(
            entry.totalMode == TotalMode::FirstMonth ? span.start : span.LastMonth());
        totals[kActual] = feed.actual[m];
        totals[kExpected] = feed.expected[m];
    }
    FormTotals(entry, totals, year);
}

} // namespace Statement
