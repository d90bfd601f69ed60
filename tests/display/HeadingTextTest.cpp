#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "database/CTaxSetup.h"
#include "display/HeadingText.h"
#include "support/ScopedTimeZone.h"

using namespace Display;

namespace {

// The stamp in the zone the machine is set to, by hand: 1700000000 s is 22:13:20 UTC on
// Tuesday 14 November 2023 (19675 days and 80000 s); 1000043200 s is 13:46:40 UTC on Sunday 9
// September 2001; 1678604340 s is 06:59 UTC on Sunday 12 March 2023, the last minute before New
// York's clocks went forward at 07:00 UTC, and 60 s later is the first after.
TEST(HeadingText, TheStampReadsInTheLocalTimeZone) {
    struct Case {
        const char* zone;
        std::int64_t stamp;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"UTC0", 0, u"Last Modified: 12:00AM Thu, 01 January, 1970"},
        {"UTC0", -2, u"Last Modified: 11:59PM Wed, 31 December, 1969"},
        {"UTC0", 1700049600, u"Last Modified: 12:00PM Wed, 15 November, 2023"},
        // Nine hours ahead: the next day; the same zone as a rule, which needs no zone files.
        {"Asia/Tokyo", 1700000000, u"Last Modified: 07:13AM Wed, 15 November, 2023"},
        {"JST-9", 1000043200, u"Last Modified: 10:46PM Sun, 09 September, 2001"},
        // Five hours behind in winter, four in summer; the epoch falls on the day before.
        {"America/New_York", 1700000000, u"Last Modified: 05:13PM Tue, 14 November, 2023"},
        {"America/New_York", 0, u"Last Modified: 07:00PM Wed, 31 December, 1969"},
        {"America/New_York", 1678604340, u"Last Modified: 01:59AM Sun, 12 March, 2023"},
        {"EST5EDT,M3.2.0,M11.1.0", 1678604400, u"Last Modified: 03:00AM Sun, 12 March, 2023"},
        // Half an hour off the hour.
        {"Asia/Kolkata", 1700000000, u"Last Modified: 03:43AM Wed, 15 November, 2023"},
        // A forecast never read from a file has no stamp, wherever it is shown.
        {"Asia/Tokyo", kNeverRead, u""},
        {"UTC0", kNeverRead, u""},
    };
    for (const Case& c : cases) {
        const ScopedTimeZone zone(c.zone);
        EXPECT_EQ(LastModifiedText(c.stamp), c.expected) << c.zone << " " << c.stamp;
    }
}

TEST(HeadingText, AStampFromADamagedFileIsStillADate) {
    EXPECT_EQ(LastModifiedText(std::numeric_limits<std::int64_t>::min()),
              LastModifiedText(-500'000'000'000));
    EXPECT_EQ(LastModifiedText(std::numeric_limits<std::int64_t>::max()),
              LastModifiedText(500'000'000'000));
    EXPECT_EQ(
        LastModifiedText(std::numeric_limits<std::int64_t>::max()).rfind(u"Last Modified: ", 0),
        0u);
}

TEST(HeadingText, TheTaxBasisNamesEverySetupInTheEditionsCase) {
    Database::CTaxSetup gst;
    gst.name = u"GST";
    Database::CTaxSetup pst;
    pst.name = u"PST";
    const std::vector<const Database::CTaxSetup*> one{&gst};
    const std::vector<const Database::CTaxSetup*> two{&gst, &pst};
    EXPECT_EQ(FiguresAreText(one, true, BasisCase::Upper), u"Figures are GST EXCLUSIVE");
    EXPECT_EQ(FiguresAreText(one, false, BasisCase::Upper), u"Figures are GST INCLUSIVE");
    EXPECT_EQ(FiguresAreText(two, true, BasisCase::Title), u"Figures are GST/PST Exclusive");
    EXPECT_EQ(FiguresAreText(two, false, BasisCase::Title), u"Figures are GST/PST Inclusive");
    EXPECT_EQ(FiguresAreText({}, true, BasisCase::Upper), u"");
    EXPECT_EQ(FiguresAreText({}, false, BasisCase::Title), u"");
}

} // namespace
