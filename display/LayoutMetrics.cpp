#include "display/LayoutMetrics.h"

#include <algorithm>

namespace Display {

void LayoutMetrics::PageBreak(int height) {
    if (!printing || pageBodyHeight <= 0)
        return;
    const int offset = rowCursor.top - pageBodyTop;
    if (offset < 0)
        return;
    const int page = offset / pageBodyHeight;
    pagesDown = std::max(pagesDown, page + 1);
    const int pageBottom = pageBodyTop + (page + 1) * pageBodyHeight;
    // A row taller than a whole page stays at the top of its page rather than moving on for
    // ever.
    if (rowCursor.top + height <= pageBottom || offset % pageBodyHeight == 0)
        return;
    const int rowHeight = rowCursor.Height();
    rowCursor.top = pageBottom;
    rowCursor.bottom = pageBottom + rowHeight;
    pagesDown = std::max(pagesDown, page + 2);
}

} // namespace Display
