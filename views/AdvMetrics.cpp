#include "views/AdvMetrics.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "database/CPERT.h"
#include "database/Categories.h"
#include "display/CColumnHeaders.h"
#include "display/CPageHeader.h"
#include "display/HeadingText.h"
#include "display/LayoutMetrics.h"
#include "display/TabRow.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"
#include "views/AdvKey.h"
#include "views/AdvStatement.h"
#include "views/adv/AdvPageBreaks.h"
#include "statement/Taxes.h"

namespace {

using Display::LayoutMetrics;

// Logical units of the scroll bars the content keeps clear of.
constexpr int kScrollBarUnits = 16;
constexpr int kGroups = 14; // twelve months, Total, Percentage
constexpr int kTotalGroup = 12;
constexpr int kPercentGroup = 13;

// A size given in hundredths of a millimetre at 100 %, scaled by the unit and converted.
Size Scaled(DeviceContext& dc, int hundredthsMm, int unit) {
    const std::int64_t scaled = static_cast<std::int64_t>(hundredthsMm) * unit / 100;
    const int value = static_cast<int>(std::clamp<std::int64_t>(scaled, 0, 1'000'000));
    return Size{dc.HimetricToLogicalX(value), dc.HimetricToLogicalY(value)};
}

Rect Column(int left, int width, int top, int bottom) {
    return Rect{left, top, AddClamped(left, std::max(0, width)), bottom};
}

// Panels nest: each sits inside the one before, its tabs along its top (the views' panel has
// its tabs down its left side instead).
void PlacePanels(LayoutMetrics& m, DeviceContext& dc) {
    const int lineHeight = dc.TextExtent(u"Fg").height;
    // The view tabs read upwards in the current face and size, measured in the device's own
    // units, so the strip is as wide as its tabs on screen and on paper alike.
    const Font font = dc.CurrentFont();
    dc.SelectFont(Display::VerticalTabFont(font));
    const int tabThickness = dc.TextExtent(u"Fg").height;
    dc.SelectFont(font);

    const Size gap = m.gapSize;
    const int tabHeight = lineHeight + 2 * gap.height;
    const int verticalTabWidth = tabThickness + 2 * gap.height - m.tabInset.width;
    const int top = m.headerRect.bottom + gap.height;
    const int bottom = m.page.bottom;

    m.tabStrip[LayoutKey::kView] =
        Rect{m.page.left, top + m.cornerSize.height, m.page.left + verticalTabWidth, bottom};
    m.pageRect[LayoutKey::kView] =
        Rect{m.tabStrip[LayoutKey::kView].right, top, m.page.right, bottom};
    for (int level = LayoutKey::kScenario; level < LayoutMetrics::kPanels; ++level) {
        const Rect& outer = m.pageRect[static_cast<std::size_t>(level - 1)];
        const int stripTop = outer.top + gap.height;
        m.tabStrip[static_cast<std::size_t>(level)] =
            Rect{outer.left + m.cornerSize.width, stripTop, outer.right, stripTop + tabHeight};
        m.pageRect[static_cast<std::size_t>(level)] =
            Rect{outer.left + gap.width, stripTop + tabHeight, outer.right - gap.width,
                 std::max(stripTop + tabHeight, outer.bottom - gap.height)};
    }
}

// The three sub-column flags of a heading group: a month by display position, Total or
// Percentage.
std::array<bool, 3> GroupShown(const Database::CDisplaySettings& display, int startMonth,
                               int group) {
    if (group == kTotalGroup)
        return {display.totalActual, display.totalExpected, display.totalVariance};
    if (group == kPercentGroup)
        return {display.percentageActual, display.percentageExpected, display.percentageVariance};
    const auto m = static_cast<std::size_t>((group + startMonth) % kMonths);
    return {display.showActual[m], display.showExpected[m], display.showVariance[m]};
}

int FirstColumn(int group) {
    if (group == kTotalGroup)
        return LayoutMetrics::kTotalColumn;
    if (group == kPercentGroup)
        return LayoutMetrics::kPercentColumn;
    return 3 * group;
}

// Where the figures start on printed pages: on the leftmost one after the notes and tax
// columns, on the others after the description column alone.
struct PrintedStarts {
    int leftmost = 0;
    int later = 0;
    // The right edge of what a page shows: the content area's.
    int right = 0;
};

// Each figure column's width: the widest figure (at least "Expected") where its sub-column is
// shown, 0 where it is not; the Percentage columns together at least as wide as their heading.
std::array<int, LayoutMetrics::kFigureColumns> FigureWidths(LayoutMetrics& m, DeviceContext& dc,
                                                            const Database::CYear& year) {
    const int width = std::max(m.widestFigure, dc.TextExtent(u"Expected").width);
    m.widestFigure = 0;
    const Database::CDisplaySettings& display = year.display;
    const int start = ((year.startMonth % kMonths) + kMonths) % kMonths;

    std::array<int, LayoutMetrics::kFigureColumns> widths{};
    for (int group = 0; group < kGroups; ++group) {
        const std::array<bool, 3> shown = GroupShown(display, start, group);
        for (int k = 0; k < 3; ++k)
            if (shown[static_cast<std::size_t>(k)])
                widths[static_cast<std::size_t>(FirstColumn(group) + k)] = width;
    }
    const int heading = dc.TextExtent(u"Percentage").width + 2;
    const auto percent = [&](int k) -> int& {
        return widths[static_cast<std::size_t>(LayoutMetrics::kPercentColumn + k)];
    };
    const auto percentWidth = [&] { return percent(0) + percent(1) + percent(2); };
    if (percentWidth() > 0)
        while (percentWidth() < heading)
            for (int k = 0; k < 3 && percentWidth() < heading; ++k)
                if (percent(k) > 0)
                    ++percent(k);
    return widths;
}

int Clamped(std::int64_t x) {
    return static_cast<int>(std::clamp<std::int64_t>(x, INT32_MIN / 2, INT32_MAX / 2));
}

// On screen the columns run on from the frozen ones, scrolled by the offset; a group switched
// off whole keeps room for its heading and its three toggles.
void PlaceOnScreen(LayoutMetrics& m, DeviceContext& dc,
                   const std::array<int, LayoutMetrics::kFigureColumns>& widths, int top,
                   int bottom) {
    const int toggles = 3 * Display::CColumnHeaders::kBitmapSize;
    const int monthHeading = dc.TextExtent(u"Mmm 00").width + 2;
    const auto switchedOffWidth = [&](int group) {
        const int title = group == kPercentGroup ? dc.TextExtent(u"Percentage").width + 2
                          : group == kTotalGroup ? dc.TextExtent(u"Total").width + 2
                                                 : monthHeading;
        return std::max(toggles, title);
    };
    // Counted in 64 bits: frozen columns a damaged file makes as wide as an int can hold still
    // have the figures placed after them (at the clamped edge).
    std::int64_t x = static_cast<std::int64_t>(m.figureAreaLeft) - m.cornerSize.width;
    for (int group = 0; group < kGroups; ++group) {
        const int first = FirstColumn(group);
        bool shown = false;
        for (int k = 0; k < 3; ++k)
            shown = shown || widths[static_cast<std::size_t>(first + k)] > 0;
        if (!shown) {
            const int room = switchedOffWidth(group);
            x += m.cornerSize.width;
            m.switchedOffGroups[static_cast<std::size_t>(group)] =
                Column(Clamped(x - m.hOffset), room, top, bottom);
            x += room;
        }
        for (int k = 0; k < 3; ++k) {
            const int w = widths[static_cast<std::size_t>(first + k)];
            if (w > 0)
                x += m.cornerSize.width; // before the group, and between its shown columns
            m.figureColumns[static_cast<std::size_t>(first + k)] =
                Column(Clamped(x - m.hOffset), w, top, bottom);
            x += w;
        }
    }
}

// On paper the columns are shared out among bands of pages across (AdvPageBreaks). Band b is
// shifted right by b page widths, so the pass for the page at hOffset shows that band's
// columns and no others; every pass shares them out alike, whichever page it prints, so no
// column is printed twice or lost.
void PlaceOnPaper(LayoutMetrics& m, const std::array<int, LayoutMetrics::kFigureColumns>& widths,
                  int top, int bottom, const PrintedStarts& starts) {
    const int gap = m.cornerSize.width;
    const std::int64_t visibleRight = std::min(m.page.right, starts.right);
    // Where each band's figures start: after the first band's frozen columns, or after the
    // description column alone.
    const std::int64_t firstOrigin = static_cast<std::int64_t>(starts.leftmost) - gap;
    const std::int64_t laterOrigin = static_cast<std::int64_t>(starts.later) - gap;
    const AdvPageBreaks::Room room{Clamped(visibleRight - firstOrigin),
                                   Clamped(visibleRight - laterOrigin), gap};
    std::array<int, AdvPageBreaks::kColumns> figures{};
    std::copy_n(widths.begin(), AdvPageBreaks::kColumns, figures.begin());
    const AdvPageBreaks::Bands bands = AdvPageBreaks::Break(figures, room);
    for (std::size_t c = 0; c < figures.size(); ++c) {
        const int band = bands.band[c];
        const std::int64_t left = (band == 0 ? firstOrigin : laterOrigin) + bands.left[c] +
                                  static_cast<std::int64_t>(band) * m.page.right - m.hOffset;
        m.figureColumns[c] = Column(Clamped(left), figures[c], top, bottom);
    }
    m.figuresOffPage = !bands.fits;
    m.pagesAcross = bands.count;
}

// On paper, the most a tax column may take so that a month group of the widest figures still
// fits beside the tax columns on the first band; its heading is shortened with "…" to it. Never
// less than a short word, so that the column keeps room for its codes.
int TaxColumnShare(const LayoutMetrics& m, DeviceContext& dc, int taxesStart, int right,
                   int count) {
    if (count <= 0)
        return INT32_MAX;
    const std::int64_t figure = std::max(m.widestFigure, dc.TextExtent(u"Expected").width);
    const std::int64_t group = 3 * (m.cornerSize.width + figure);
    const std::int64_t room = static_cast<std::int64_t>(right) - taxesStart - group;
    const std::int64_t share = room / count - m.cornerSize.width;
    return static_cast<int>(std::clamp<std::int64_t>(share, dc.TextExtent(u"Tax…").width,
                                                     INT32_MAX));
}

} // namespace

void ComputeLayoutMetrics(LayoutMetrics& m, DeviceContext& dc, const CMainDoc& doc,
                          const AdvMetricsInput& input) {
    // What carries over from the previous pass: the widths the rows reported and the print
    // job's page settings.
    LayoutMetrics fresh;
    fresh.widestDescription = m.widestDescription;
    fresh.widestFigure = m.widestFigure;
    fresh.notesWidth = m.notesWidth;
    fresh.printing = m.printing;
    fresh.pageBodyTop = m.pageBodyTop;
    fresh.pageBodyHeight = m.pageBodyHeight;
    m = fresh;

    m.page = input.area;
    m.hOffset = input.hOffset;
    m.vOffset = input.vOffset;
    const int unit = std::max(1, input.unit);
    m.tabInset = Scaled(dc, 50, unit);
    m.gapSize = Scaled(dc, 100, unit);
    m.tabMargin = Scaled(dc, 150, unit);
    m.cornerSize = Scaled(dc, 250, unit);

    m.headerRect =
        dc.IsPrinting() ? input.area : Display::WindowHeadingRect(input.area, m.cornerSize.width);
    m.headerRect.bottom = input.area.top + Display::CPageHeader::PageHeaderHeight(dc);
    PlacePanels(m, dc);

    const Database::CYear* year = input.year;
    if (!year)
        return;

    const bool laterPage = m.RightOfLeftmostPage();
    const bool printer = dc.IsPrinting();
    // The content area as the innermost panel will leave it.
    const Rect& innermost = m.pageRect[LayoutMetrics::kContentPanel];
    const Rect content{innermost.left + m.gapSize.width, innermost.top + m.gapSize.height,
                       innermost.right - m.gapSize.width, innermost.bottom - m.gapSize.height};
    const int top = content.top;
    const int bottom = std::max(top, m.page.bottom - 1);
    const int lineHeight = dc.TextExtent(u"Fg").height;

    m.expanderColumn = Column(content.left + m.tabMargin.width, lineHeight, top, bottom);
    int descriptionWidth = std::max(m.widestDescription, dc.TextExtent(u"Description").width);
    // On paper the labels leave at least half the page to the figures: longer ones are
    // shortened with "…" where they are drawn.
    if (printer)
        descriptionWidth = std::min(descriptionWidth, std::max(0, input.area.Width() / 2));
    m.widestDescription = 0;
    const int descriptionLeft = printer
                                    ? content.left + m.tabMargin.width
                                    : content.left + m.expanderColumn.Width() + m.cornerSize.width;
    m.descriptionColumn = Column(descriptionLeft, descriptionWidth, top, bottom);

    const bool notes = year->ItemCount(kNote) > 0 && !laterPage;
    const int notesHeading = dc.TextExtent(u"Notes").width;
    const int notesWidth = m.notesWidth;
    m.notesColumn = Column(AddClamped(m.descriptionColumn.right, m.cornerSize.width),
                           notes ? std::max(notesWidth, notesHeading) : 0, top, bottom);
    m.notesWidth = 0;
    m.markerColumn = Column(m.descriptionColumn.left, notes ? notesHeading / 2 : 0, top, bottom);
    m.noteNumberColumn = m.markerColumn;

    int end = notes ? m.notesColumn.right : m.descriptionColumn.right;
    const bool realEntries =
        input.key[LayoutKey::kScenario] >= 0 && input.key[LayoutKey::kCompany] >= 0;
    // The frozen columns of the leftmost printed page, measured on every page so that all of
    // them spread the figures alike.
    int leftmostEnd = year->ItemCount(kNote) > 0
                          ? AddClamped(AddClamped(m.descriptionColumn.right, m.cornerSize.width),
                                       std::max(notesWidth, notesHeading))
                          : m.descriptionColumn.right;
    if (realEntries) {
        const int count = std::min(year->ItemCount(kTax), static_cast<int>(Statement::DocumentTaxes(doc.Root()).size()));
        const int share = printer ? TaxColumnShare(m, dc, leftmostEnd, content.right, count)
                                  : INT32_MAX;
        for (int t = 0; t < count; ++t) {
            const Item::CBaseItem* summary = year->FindItem(kTax, t);
            int width = 0;
            if (summary && !summary->hidden)
                width = std::min(share, dc.TextExtent(doc.Root().TaxSetup(t)->name).width);
            leftmostEnd = AddClamped(leftmostEnd, static_cast<std::int64_t>(m.cornerSize.width) + width);
            if (laterPage)
                continue;
            m.taxColumns.push_back(Column(AddClamped(end, m.cornerSize.width), width, top, bottom));
            end = m.taxColumns.back().right;
        }
    }
    m.figureAreaLeft = AddClamped(end, m.cornerSize.width);
    m.popupArea =
        Rect{m.descriptionColumn.left + m.cornerSize.width, top, m.figureAreaLeft, bottom};
    m.notesTextArea =
        Rect{m.markerColumn.right + m.cornerSize.width, top, m.figureAreaLeft, bottom};

    const auto widths = FigureWidths(m, dc, *year);
    if (printer)
        PlaceOnPaper(m, widths, top, bottom,
                     {AddClamped(leftmostEnd, m.cornerSize.width),
                      AddClamped(m.descriptionColumn.right, m.cornerSize.width), content.right});
    else
        PlaceOnScreen(m, dc, widths, top, bottom);

    if (!printer) {
        const int frozenRight =
            m.taxColumns.empty() ? m.descriptionColumn.right : m.taxColumns.back().right;
        m.vScrollBar = Rect{content.right - kScrollBarUnits, content.top, content.right,
                            content.bottom - kScrollBarUnits};
        m.hScrollBar = Rect{AddClamped(frozenRight, m.cornerSize.width), content.bottom - kScrollBarUnits,
                            content.right - kScrollBarUnits, content.bottom};
    }
    if (input.key[LayoutKey::kYear] == -1) {
        m.pagesDown = 1;
        m.pagesAcross = 1;
    }
}

void StartRows(LayoutMetrics& m, DeviceContext& dc) {
    const Rect& content = m.ContentArea();
    m.rowCursor =
        Rect{content.left, content.top, content.right, content.top + dc.TextExtent(u"Fg").height};
}
