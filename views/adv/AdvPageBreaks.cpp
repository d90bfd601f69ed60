#include "views/adv/AdvPageBreaks.h"

#include <algorithm>
#include <cstdint>

namespace AdvPageBreaks {

Bands Break(const std::array<int, kColumns>& widths, const Room& room) {
    Bands bands;
    int band = 0;
    // Counted in 64 bits: widths from a damaged file may add up past an int.
    std::int64_t x = 0;
    bool empty = true;
    const auto roomHere = [&] { return band == 0 ? room.first : room.later; };
    // Whether what does not fit the rest of this band goes on the next: always, but from an
    // empty band only when it is the first and the next has room for it.
    const auto moveOn = [&](std::int64_t width) {
        return x + width > roomHere() && (!empty || (band == 0 && width <= room.later));
    };
    const auto nextBand = [&] {
        ++band;
        x = 0;
        empty = true;
    };
    const auto place = [&](int column) {
        const int w = widths[static_cast<std::size_t>(column)];
        if (w > 0)
            x += room.gap;
        bands.band[static_cast<std::size_t>(column)] = band;
        bands.left[static_cast<std::size_t>(column)] =
            static_cast<int>(std::min<std::int64_t>(x, INT32_MAX));
        x += w;
        if (w > 0) {
            empty = false;
            if (x > roomHere())
                bands.fits = false;
        }
    };
    for (int group = 0; group < kGroups; ++group) {
        const int first = 3 * group;
        std::int64_t groupWidth = 0;
        for (int k = 0; k < 3; ++k)
            if (const int w = widths[static_cast<std::size_t>(first + k)]; w > 0)
                groupWidth += room.gap + w;
        const bool fitsLater = groupWidth <= room.later;
        // A group that fits a band of its own never shares out its columns: it moves on whole
        // when the rest of this band is too short, as it does from a first band whose labels
        // leave it too little room.
        if (groupWidth > 0 && fitsLater && moveOn(groupWidth))
            nextBand();
        if (x + groupWidth <= roomHere() || fitsLater) {
            for (int k = 0; k < 3; ++k)
                place(first + k);
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const int w = widths[static_cast<std::size_t>(first + k)];
            if (w > 0 && moveOn(static_cast<std::int64_t>(room.gap) + w))
                nextBand();
            place(first + k);
        }
    }
    bands.count = band + 1;
    return bands;
}

} // namespace AdvPageBreaks
