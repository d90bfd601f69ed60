#include "display/LayoutMetrics.h"

#include <algorithm>

#include "platform/DeviceContext.h"

namespace Display {

int FigureWidths::Width(DeviceContext& dc, std::string_view text) {
    if (!known_ || dc.CurrentFont() != font_) {
        font_ = dc.CurrentFont();
        known_ = true;
        tenfold_.fill(-1);
    }
    int tenths = 0;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= tenfold_.size())
            return dc.TextExtent(Ascii(text)).width;
        int& advance = tenfold_[code];
        if (advance < 0)
            advance = dc.TextExtent(Text(10, static_cast<char16_t>(code))).width;
        tenths += advance;
    }
    return (tenths + 9) / 10;
}

void LayoutMetrics::PageBreak(int height) {
    if (!printing || pageBodyHeight <= 0)
        return;
    const int offset = rowCursor.top - pageBodyTop;
    if (offset < 0)
        return;
    const int page = offset / pageBodyHeight;
    pagesDown = std::max(pagesDown, page + 1);
    const int pageBottom = pageBodyTop + (page + 1) * pageBodyHeight;
    // A row taller than a whole page (a long note) runs on over the pages below wherever it
    // starts, so it stays where it is rather than leave a page behind it empty.
    if (rowCursor.top + height <= pageBottom || offset % pageBodyHeight == 0 ||
        height > pageBodyHeight)
        return;
    const int rowHeight = rowCursor.Height();
    rowCursor.top = pageBottom;
    rowCursor.bottom = pageBottom + rowHeight;
    pagesDown = std::max(pagesDown, page + 2);
}

} // namespace Display
