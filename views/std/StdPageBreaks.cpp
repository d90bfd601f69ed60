#include "views/std/StdPageBreaks.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"

namespace StdPageBreaks {

namespace {

// The label columns of a band that starts with a column `firstWidth` wide.
void FitLabels(Band& band, int firstWidth, int width, const Labels& labels, bool shown,
               bool withTax) {
    band.description = 0;
    band.tax = 0;
    if (!shown)
        return;
    const std::int64_t room = std::int64_t{width} - 3 * std::int64_t{labels.gap} - firstWidth;
    const std::int64_t description = std::min<std::int64_t>(labels.description, width / 2);
    const std::int64_t tax =
        withTax ? std::clamp<std::int64_t>(room - description, 0, labels.tax) : 0;
    band.tax = static_cast<int>(tax);
    band.description = static_cast<int>(
        std::clamp<std::int64_t>(room - tax, 0, std::max<std::int64_t>(0, description)));
}

// The room beside the band's labels.
std::int64_t FigureRoom(const Band& band, int width, const Labels& labels) {
    return std::int64_t{width} - 3 * std::int64_t{labels.gap} - band.description - band.tax;
}

// Whether columns [first, end) fit whole beside the labels the band would have.
bool FitsFrom(std::span<const Column> columns, std::size_t first, std::size_t end, int width,
              const Labels& labels, bool shown, bool withTax) {
    Band band;
    FitLabels(band, columns[first].width, width, labels, shown, withTax);
    std::int64_t used = columns[first].width;
    for (std::size_t i = first + 1; i < end; ++i)
        used += std::int64_t{columns[i].gapBefore} + columns[i].width;
    return used <= FigureRoom(band, width, labels);
}

} // namespace

std::vector<Band> Break(std::span<const Column> columns, int months, int width,
                        const Labels& labels, bool repeatLabels) {
    std::vector<Band> bands;
    const std::size_t count = columns.size();
    std::size_t i = 0;
    while (i < count) {
        Band band;
        const bool first = bands.empty();
        band.first = static_cast<int>(i);
        FitLabels(band, columns[i].width, width, labels, first || repeatLabels, first);
        const std::int64_t room = FigureRoom(band, width, labels);
        std::int64_t used = columns[i].width;
        std::size_t end = i + 1;
        while (end < count && used + columns[end].gapBefore + columns[end].width <= room) {
            used += std::int64_t{columns[end].gapBefore} + columns[end].width;
            ++end;
        }
        band.count = static_cast<int>(end - i);
        bands.push_back(band);
        i = end;
    }

    // A last band of Total or % alone, when the previous band's last month can come along.
    if (bands.size() >= 2 && bands.back().first >= months) {
        Band& previous = bands[bands.size() - 2];
        const int lastMonth = std::min(previous.first + previous.count, months) - 1;
        if (lastMonth > previous.first && FitsFrom(columns, static_cast<std::size_t>(lastMonth),
                                                   count, width, labels, repeatLabels, false)) {
            previous.count = lastMonth - previous.first;
            Band& last = bands.back();
            last.first = lastMonth;
            last.count = static_cast<int>(count) - lastMonth;
            FitLabels(last, columns[static_cast<std::size_t>(lastMonth)].width, width, labels,
                      repeatLabels, false);
        }
    }

    std::int64_t x = 0;
    std::size_t next = 0;
    for (Band& band : bands) {
        for (; next < static_cast<std::size_t>(band.first); ++next)
            x += std::int64_t{columns[next].width} + columns[next + 1].gapBefore;
        band.start = ClampToInt(x);
    }
    return bands;
}

} // namespace StdPageBreaks
