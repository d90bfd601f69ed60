#pragma once

#include <functional>

#include "core/WideText.h"

// How a printed statement is laid across the paper, beyond the margins and the options of what
// to print. Kept per edition in the settings; Page Setup and the command line change it.
struct PaperFit {
    // The most pages a year's columns may take across, the statement drawn smaller to fit
    // (never below kSmallestPoints); 0 leaves it at its own size.
    int pagesWide = 0;
    // Every band of columns repeats the row labels, not only the first.
    bool repeatLabels = false;

    static constexpr int kMostPagesWide = 3;
    // The smallest font, in tenths of a point, that fitting may shrink the statement to.
    static constexpr int kSmallestPoints = 60;

    bool operator==(const PaperFit&) const = default;

    // The zoom, in percent and rounded up, that draws a statement of `fontSize` (tenths of a
    // point, as a file stores it) at kSmallestPoints.
    static int SmallestZoom(int fontSize);
    // The largest size from `own` down to `smallest` at which a statement takes at most
    // `pagesWide` bands across (`bandsAt` answers that for a size, more for a larger one);
    // `smallest` when even that takes more, and `own` when `pagesWide` is 0 or `own` is not
    // above `smallest`. A halving search asks `bandsAt` a handful of times.
    static int FitSize(int own, int smallest, int pagesWide,
                       const std::function<int(int size)>& bandsAt);

    // What a job tells the user when even the smallest size takes more pages across than asked.
    Text TooWideNotice() const {
        const Text points = DecimalText(kSmallestPoints / 10);
        return u"Some years do not fit " + DecimalText(pagesWide) +
               (pagesWide == 1 ? u" page" : u" pages") + u" wide even at " + points +
               u" pt; they print at " + points + u" pt on more pages across.";
    }
};
