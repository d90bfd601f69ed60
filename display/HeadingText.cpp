#include "display/HeadingText.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "database/CTaxSetup.h"

namespace Display {

Text FiguresAreText(std::span<const Database::CTaxSetup* const> taxes, bool exclusive,
                    BasisCase basisCase) {
    Text text;
    for (const Database::CTaxSetup* tax : taxes)
        text += (text.empty() ? u"Figures are " : u"/") + tax->name;
    if (text.empty())
        return text;
    if (basisCase == BasisCase::Upper)
        return text + (exclusive ? u" EXCLUSIVE" : u" INCLUSIVE");
    return text + (exclusive ? u" Exclusive" : u" Inclusive");
}

// The machine's local time, as the user reads a clock; names in English whatever the language the
// viewer runs in.
Text LastModifiedText(std::int64_t stamp) {
    static constexpr const char* kMonthNames[12] = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    static constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

    if (stamp == kNeverRead)
        return {};
    // A stamp read from a damaged file may be anything: beyond some fifteen thousand years
    // either way the calendar's arithmetic would overflow, so such stamps read as that limit.
    constexpr std::int64_t kLimit = 500'000'000'000;
    const std::time_t time = static_cast<std::time_t>(std::clamp(stamp, -kLimit, kLimit));
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr)
        return {};
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;

    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "Last Modified: %02d:%02d%s %s, %02d %s, %lld", hour12,
                  local.tm_min, local.tm_hour < 12 ? "AM" : "PM", kDayNames[local.tm_wday],
                  local.tm_mday, kMonthNames[local.tm_mon], 1900LL + local.tm_year);
    return Ascii(buffer);
}

Rect WindowHeadingRect(const Rect& client, int inset) {
    return Rect{client.left + inset, client.top, client.right - inset, client.bottom};
}

} // namespace Display
