#include <gtest/gtest.h>

#include <string>

#include "views/PaperFit.h"
#include "views/adv/AdvPageBreaks.h"

namespace {

using AdvPageBreaks::kColumns;
using AdvPageBreaks::kGroups;

// Every column of a group shown ('x') or none ('.'), at the width given.
std::array<int, kColumns> Widths(const std::string& groups, int width) {
    std::array<int, kColumns> widths{};
    for (int c = 0; c < kColumns; ++c)
        widths[static_cast<std::size_t>(c)] =
            groups[static_cast<std::size_t>(c / 3)] == 'x' ? width : 0;
    return widths;
}

// The band of every shown column, a group at a time.
std::string BandsText(const AdvPageBreaks::Bands& bands, const std::array<int, kColumns>& widths) {
    std::string text;
    for (std::size_t c = 0; c < widths.size(); ++c)
        if (widths[c] > 0)
            text += (c % 3 == 0 && !text.empty() ? " " : "") + std::to_string(bands.band[c]);
    return text;
}

const std::string kAll(kGroups, 'x');
const std::string kJan = "x" + std::string(kGroups - 1, '.');
const std::string kJanFeb = "xx" + std::string(kGroups - 2, '.');

// Columns of 10 after gaps of 2 at the statement's own size (tenths of a point); fitting draws
// both smaller in proportion, rounded down, and the rooms stay.
struct Case {
    const char* name;
    std::string groups;
    int first;
    int later;
    int ownSize;
    int pagesWide;
    int fittedSize;
    std::string bands;
    bool fits;
};

TEST(AdvPageBreaksTest, ColumnsGoOnBandsWholeGroupsFirstAndFitToPagesWide) {
    const Case cases[] = {
        // Groups of 36 (three 10s, each after a gap of 2): two beside the first band's labels
        // (100), three on each later band (120).
        {"groups that fit stay whole", kAll, 100, 120, 90, 0, 90,
         "000 000 111 111 111 222 222 222 333 333 333 444 444 444", true},
        // 36 is wider than any band's 30: two columns of 12 go on each band, filling what is
        // left of it.
        {"a group wider than a band is split", kJanFeb, 30, 30, 90, 0, 90, "001 122", true},
        {"an empty first band passes a group on", kJan, 20, 40, 90, 0, 90, "111", true},
        {"a group too wide for a later band splits from the first", kJan, 20, 30, 90, 0, 90, "011",
         true},
        {"a column wider than a band is cut", kJan, 10, 10, 90, 0, 90, "012", false},
        // At 7.1 pt a column is 7 and a gap 1: groups of 24, four then five a band. At 7.2 pt
        // the columns are 8, groups of 27 take four bands.
        {"fit to 3 pages wide", kAll, 100, 120, 90, 3, 71,
         "000 000 000 000 111 111 111 111 111 222 222 222 222 222", true},
        // At 6 pt (6 and 1: groups of 21) the columns still take three bands.
        {"fit to 2 pages wide stops at 6 pt", kAll, 100, 120, 90, 2, 60,
         "000 000 000 000 111 111 111 111 111 222 222 222 222 222", true},
        {"a size below 6 pt is not fitted", kAll, 100, 120, 50, 1, 50,
         "000 000 111 111 111 222 222 222 333 333 333 444 444 444", true},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const auto at = [&](int size) {
            return AdvPageBreaks::Break(Widths(row.groups, 10 * size / row.ownSize),
                                        {row.first, row.later, 2 * size / row.ownSize});
        };
        const int size =
            PaperFit::FitSize(row.ownSize, 60, row.pagesWide, [&](int s) { return at(s).count; });
        EXPECT_EQ(size, row.fittedSize);
        const AdvPageBreaks::Bands bands = at(size);
        EXPECT_EQ(BandsText(bands, Widths(row.groups, 10 * size / row.ownSize)), row.bands);
        EXPECT_EQ(bands.count, row.bands.back() - '0' + 1);
        EXPECT_EQ(bands.fits, row.fits);
    }
}

} // namespace
