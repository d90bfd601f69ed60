#include <gtest/gtest.h>

#include <vector>

#include "views/PaperFit.h"
#include "views/std/StdPageBreaks.h"

using namespace StdPageBreaks;

namespace {

// A page 1000 wide, gaps of 10: months `width` wide 10 apart, Total and % 20 after the last
// month, % two thirds of a month.
std::vector<Column> Year(int months, int width) {
    std::vector<Column> columns;
    for (int m = 0; m < months; ++m)
        columns.push_back({width, m == 0 ? 0 : 10});
    columns.push_back({width, 20});
    columns.push_back({width * 2 / 3, 20});
    return columns;
}

struct Expected {
    int first;
    int count;
    int description;
    int tax;
    int start;
};

TEST(StdPageBreaks, BandsByFontSizeAndLabels) {
    struct Case {
        const char* name;
        int months;
        int width; // a month column, as the font size makes it
        Labels labels;
        bool repeat;
        std::vector<Expected> bands;
    };
    const Case cases[] = {
        // Labels 200 + 50 + three gaps leave 720: Jan 100, then 110 a month, six months (650).
        // The rest, 650 + 120 + 86 = 856, fits the 970 of a band without labels.
        {"labels on the first band",
         12,
         100,
         {200, 50, 10},
         false,
         {{0, 6, 200, 50, 0}, {6, 8, 0, 0, 660}}},
        // Repeated, the description leaves 770: Jul to Dec and Total (770), then % alone, which
        // takes Dec and Total along (306): Jul to Nov, then Dec, Total, %.
        {"repeated labels, last band balanced",
         12,
         100,
         {200, 50, 10},
         true,
         {{0, 6, 200, 50, 0}, {6, 5, 200, 0, 660}, {11, 3, 200, 0, 1210}}},
        // A tax name wider than the page: the description takes half (500), the tax column
        // what leaves Jan its 100 (370); then Feb to Sep (870 of 970), then the rest (526).
        {"tax name wider than the page",
         12,
         100,
         {1500, 1400, 10},
         false,
         {{0, 1, 500, 370, 0}, {1, 8, 0, 0, 110}, {9, 5, 0, 0, 990}}},
        // A large font: a month wider than the room beside the labels squeezes them out, and
        // each column stands alone, whole; % (800) leaves the description 170. Total alone
        // before % is no month to balance with.
        {"columns wider than the page",
         3,
         1200,
         {200, 50, 10},
         true,
         {{0, 1, 0, 0, 0},
          {1, 1, 0, 0, 1210},
          {2, 1, 0, 0, 2420},
          {3, 1, 0, 0, 3640},
          {4, 1, 170, 0, 4860}}},
        // A short year: 4 months (430), Total (120) and % (86) beside 280 of labels.
        {"short year on one page", 4, 100, {200, 50, 10}, false, {{0, 6, 200, 50, 0}}},
        // Two months a band (810 of 870, then of 970); Total and % (686) end it. Dec, Total and
        // % would take 1106, so nothing moves.
        {"balanced only when it fits",
         12,
         400,
         {100, 0, 10},
         false,
         {{0, 2, 100, 0, 0},
          {2, 2, 0, 0, 820},
          {4, 2, 0, 0, 1640},
          {6, 2, 0, 0, 2460},
          {8, 2, 0, 0, 3280},
          {10, 2, 0, 0, 4100},
          {12, 2, 0, 0, 4930}}},
    };
    for (const Case& c : cases) {
        const std::vector<Column> columns = Year(c.months, c.width);
        const std::vector<Band> bands = Break(columns, c.months, 1000, c.labels, c.repeat);
        ASSERT_EQ(bands.size(), c.bands.size()) << c.name;
        for (std::size_t b = 0; b < bands.size(); ++b) {
            const Expected& e = c.bands[b];
            EXPECT_EQ(bands[b].first, e.first) << c.name << " band " << b;
            EXPECT_EQ(bands[b].count, e.count) << c.name << " band " << b;
            EXPECT_EQ(bands[b].description, e.description) << c.name << " band " << b;
            EXPECT_EQ(bands[b].tax, e.tax) << c.name << " band " << b;
            EXPECT_EQ(bands[b].start, e.start) << c.name << " band " << b;
        }
    }
}

TEST(PaperFit, FitSizeByPagesWide) {
    // A statement that takes one band per 40 of size, started.
    const auto bandsAt = [](int size) { return (size + 39) / 40; };
    struct Case {
        int own;
        int smallest;
        int pagesWide;
        int expected;
    };
    const Case cases[] = {
        {100, 25, 0, 100},                    // off: its own size
        {100, 25, 1, 40},                     // 41 would take two bands
        {100, 25, 2, 80},  {100, 25, 3, 100}, // fits at its own size
        {100, 60, 1, 60},                     // never below the smallest, even when that takes two
        {50, 60, 1, 50},                      // already below the smallest: left alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaperFit::FitSize(c.own, c.smallest, c.pagesWide, bandsAt), c.expected)
            << c.own << " " << c.smallest << " " << c.pagesWide;
}

} // namespace
