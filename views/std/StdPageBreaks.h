#pragma once

#include <span>
#include <vector>

// Which columns of a printed Standard or Basic statement go on which band of pages across, from
// the columns' widths and the page's: every column whole on exactly one band, the row labels on
// the first band (and on every band when repeated) never wider than leaves room for the band's
// first figure column.
namespace StdPageBreaks {

// A figure column, in the order the statement shows them (the months of the year, Total, %).
struct Column {
    int width = 0;
    // The gap before the column when another stands left of it on the same band.
    int gapBefore = 0;
};

// The label columns at their own widths, and the gap that stands before the description, after
// it and after the tax column (also when they are empty).
struct Labels {
    int description = 0;
    // 0 without a tax column.
    int tax = 0;
    int gap = 0;
};

struct Band {
    // The figure columns [first, first + count).
    int first = 0;
    int count = 0;
    // The label columns' widths on this band: 0 where they are not printed, narrower than
    // their own (the texts elided) where the page leaves no more room.
    int description = 0;
    int tax = 0;
    // Where the band's first column starts, measured from the first column's left edge when
    // the whole year stands on one line.
    int start = 0;
};

// Breaks `columns` into bands for a page `width` wide: the first band carries the description
// and tax columns, later bands the description only when `repeatLabels`. A band takes columns
// while they fit whole; one that is wider than any page stands alone. The description never
// takes more than half the width, and the tax column, then the description, give way so that
// the band's first column fits. A last band that would hold no month (only Total or %) takes
// the previous band's last month with it when that fits. The first `months` columns are months.
std::vector<Band> Break(std::span<const Column> columns, int months, int width,
                        const Labels& labels, bool repeatLabels);

} // namespace StdPageBreaks
