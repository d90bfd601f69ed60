#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "database/LayoutKey.h"
#include "platform/DrawTypes.h"

class DeviceContext;

namespace Display {

// Widths of figure texts from the advances of their characters. Rows measure every figure they
// hold for the widest one; this costs a few additions a figure instead of a measurement. Each
// character's advance is taken from ten of it, so the sum keeps the fractions a figure's own
// measurement would.
class FigureWidths {
public:
    // The width of an ASCII text in the device's current font.
    int Width(DeviceContext& dc, std::string_view text);

private:
    Font font_;
    bool known_ = false;
    std::array<int, 128> tenfold_{};
};

// The geometry of one arrangement of the Advanced statement, in the device's logical units.
// The view fills the extents before every full arrangement; layout objects read them and move
// the running cursors, so the order in which objects are arranged is their order on the page.
struct LayoutMetrics {
    // 12 months × (Actual, Expected, Variance), then Total × 3, Percentage × 3, and three more.
    static constexpr int kFigureColumns = 45;
    static constexpr int kTotalColumn = 36;
    static constexpr int kPercentColumn = 39;
    // The heading groups of the figure columns: twelve months, Total and Percentage.
    static constexpr int kFigureGroups = 14;
    // Panels and tab strips, by the key level of their tabs: the views' down the left, then the
    // scenarios', the companies' and the years', which is the content area.
    static constexpr int kPanels = LayoutKey::kYear + 1;
    static constexpr int kContentPanel = LayoutKey::kYear;
    // The panel and tab strip of a level's tabs: the graphs' tabs follow the years'.
    static constexpr int PanelOf(int level) {
        return level == LayoutKey::kGraph ? LayoutKey::kYear : level;
    }

    Rect page;       // the rectangle the view asked to fill
    Rect headerRect; // the page heading
    // Running cursors (their top-left corners) for the tabs of each panel.
    std::array<Rect, kPanels> tabStrip{};
    // The nested page panels; the last one is the content area for rows, totals and notes.
    std::array<Rect, kPanels> pageRect{};
    // Where the next row goes: as wide as the content and one text line high. Rows take it and
    // move it down by their height and the row gap; the column headings move it back up by the
    // vertical scroll offset, so the rows scroll under them.
    Rect rowCursor;

    // Column extents (left and right matter; they run down the page).
    Rect descriptionColumn;
    Rect notesColumn;
    Rect noteNumberColumn;
    Rect notesTextArea;
    Rect markerColumn;
    Rect popupArea;
    Rect expanderColumn;
    int figureAreaLeft = 0;
    std::vector<Rect> taxColumns; // one per tax column shown; empty when none
    std::array<Rect, kFigureColumns> figureColumns{};
    // On screen, the place a heading group keeps when all three of its sub-columns are switched
    // off: its heading and toggles stay, so that any of them can be switched on again. Empty for
    // the other groups and on paper.
    std::array<Rect, kFigureGroups> switchedOffGroups{};

    // Reported by rows during a pass; the next pass sizes the columns from them.
    int widestDescription = 0;
    int widestFigure = 0;
    int notesWidth = 0;
    FigureWidths figureWidths;

    // The window's scroll bars (empty on a printer).
    Rect vScrollBar;
    Rect hScrollBar;

    // tabInset: width = text inset of vertical tabs, height = half a graph tick.
    Size tabInset;
    // gapSize: width = inner margin of the content area and axis tick length; height = the
    // vertical margin of tabs and the gap between rows.
    Size gapSize;
    // tabMargin: width = horizontal margin of tabs and notes; height = drop of month labels.
    Size tabMargin;
    // cornerSize: the ellipse rounding panels and tabs; its width also separates the frozen
    // columns (description, notes, taxes) from the figures.
    Size cornerSize;

    // On screen the scroll positions; on a printer hOffset is the left edge of the page being
    // printed among the pages across (0 for the leftmost) and vOffset is unused.
    int hOffset = 0;
    int vOffset = 0;
    int pagesDown = 1;
    int pagesAcross = 1;
    // On paper: some figure group lies beyond the right edge of the page it is given, because
    // the frozen columns leave no room beside them.
    bool figuresOffPage = false;

    // Printing: rows are laid as if the printed pages stood one under the other, each giving
    // `pageBodyHeight` units from `pageBodyTop` of the first page; a row that would cross a
    // page's bottom starts the next page, and `pagesDown` counts the pages reached. The column
    // headings set both from the content area below them, already moved up by vOffset: so
    // printing page n with vOffset = (n - 1) × pageBodyHeight brings that page's rows into the
    // content area, and rows of other pages fall outside it and are not drawn.
    bool printing = false;
    int pageBodyTop = 0;
    int pageBodyHeight = 0;

    // Set by the graph page when it fills the content area.
    bool graphPage = false;

    Rect& ContentArea() { return pageRect[kContentPanel]; }
    const Rect& ContentArea() const { return pageRect[kContentPanel]; }
    int RowGap() const { return gapSize.height; }
    // Whether this pass draws a printed page right of the leftmost one, where only the
    // description column repeats.
    bool RightOfLeftmostPage() const { return printing && hOffset > 0; }

    // Before a row of `height` (gap included) is placed: on a printer, moves the row cursor to
    // the top of the next page when the row would cross the bottom of the page it starts on.
    void PageBreak(int height);
};

} // namespace Display
