#include "display/HeadingText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
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

// Read as UTC so the heading does not depend on where or in which language the viewer runs.
Text LastModifiedText(std::int64_t stamp) {
    using namespace std::chrono;
    static constexpr const char* kMonthNames[12] = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    static constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

    // A stamp read from a damaged file may be anything: beyond some fifteen thousand years
    // either way the calendar's arithmetic would overflow, so such stamps read as that limit.
    constexpr std::int64_t kLimit = 500'000'000'000;
    const sys_seconds time{seconds{std::clamp(stamp, -kLimit, kLimit)}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss<seconds> clock{time - day};
    const long hour = clock.hours().count();
    const long hour12 = hour % 12 == 0 ? 12 : hour % 12;

    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "Last Modified: %02ld:%02ld%s %s, %02u %s, %d", hour12,
                  static_cast<long>(clock.minutes().count()), hour < 12 ? "AM" : "PM",
                  kDayNames[weekday{day}.c_encoding()], static_cast<unsigned>(date.day()),
                  kMonthNames[static_cast<unsigned>(date.month()) - 1],
                  static_cast<int>(date.year()));
    return Ascii(buffer);
}

} // namespace Display
