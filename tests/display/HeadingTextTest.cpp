#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "database/CTaxSetup.h"
#include "display/HeadingText.h"

using namespace Display;

namespace {

TEST(HeadingText, TheStampReadsAsUtcInEnglish) {
    EXPECT_EQ(LastModifiedText(0), u"Last Modified: 12:00AM Thu, 01 January, 1970");
    // One second before the epoch.
    EXPECT_EQ(LastModifiedText(-1), u"Last Modified: 11:59PM Wed, 31 December, 1969");
    // 11016 days after the epoch: the leap day of 2000, a Tuesday.
    EXPECT_EQ(LastModifiedText(951782400), u"Last Modified: 12:00AM Tue, 29 February, 2000");
    // 11574 days and 49600 s: 13:46:40 on Sunday 9 September 2001.
    EXPECT_EQ(LastModifiedText(1000043200), u"Last Modified: 01:46PM Sun, 09 September, 2001");
    // 19675 days and 80000 s: 22:13:20 on Tuesday 14 November 2023.
    EXPECT_EQ(LastModifiedText(1700000000), u"Last Modified: 10:13PM Tue, 14 November, 2023");
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
