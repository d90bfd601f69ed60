#include "views/PaperFit.h"

#include <cstdint>

#include "document/Presentation.h"

int PaperFit::SmallestZoom(int fontSize) {
    const std::int64_t own = ZoomedFontSize(fontSize, 100);
    return static_cast<int>((std::int64_t{kSmallestPoints} * 100 + own - 1) / own);
}

int PaperFit::FitSize(int own, int smallest, int pagesWide,
                      const std::function<int(int size)>& bandsAt) {
    if (pagesWide <= 0 || own <= smallest || bandsAt(own) <= pagesWide)
        return own;
    if (bandsAt(smallest) > pagesWide)
        return smallest;
    // bandsAt(low) fits, bandsAt(high) does not.
    int low = smallest;
    int high = own;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (bandsAt(middle) <= pagesWide)
            low = middle;
        else
            high = middle;
    }
    return low;
}
