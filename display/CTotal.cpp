#include "display/CTotal.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "database/CYear.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "display/MoneyText.h"
#include "display/RowCells.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"

namespace Display {

CTotal::CTotal() {
    style = &ownStyle_;
}

CTotal::CTotal(const Text& labelText, std::int32_t mode, bool gapBelow, CTotal* parentTotal,
               bool adds, std::int32_t styleValue, bool plainTotal, bool percentage,
               const LayoutKey& rowKey)
    : CLayout(rowKey), parent(parentTotal), addsToParent(adds), gapAfter(gapBelow),
      plain(plainTotal), showPercentage(percentage), label(labelText), totalMode(mode),
      ownStyle_(styleValue) {
    style = &ownStyle_;
}

void CTotal::Feed(const MonthAmounts& actual, const MonthAmounts& expected,
                  const Database::CYear& year, int direction) {
    const YearSpan span = SpanOf(year);
    for (int i = 0; i < span.count; ++i) {
        const int m = span.Month(i);
        Amount& a = incoming[Database::kActual][m];
        Amount& e = incoming[Database::kExpected][m];
        a = direction > 0 ? SaturatingAdd(a, actual[m]) : SaturatingSub(a, actual[m]);
        e = direction > 0 ? SaturatingAdd(e, expected[m]) : SaturatingSub(e, expected[m]);
        incoming[Database::kVariance][m] = SaturatingSub(a, e);
    }
}

void CTotal::AddRow(const MonthAmounts& actual, const MonthAmounts& expected,
                    const Database::CDisplaySettings&, const Database::CYear& year) {
    Feed(actual, expected, year, +1);
}

void CTotal::SubtractRow(const MonthAmounts& actual, const MonthAmounts& expected,
                         const Database::CDisplaySettings&, const Database::CYear& year) {
    Feed(actual, expected, year, -1);
}

// An opening balance belongs in every month's figure like any other row: the closing balance
// it leads to must include it whichever columns are switched on.
void CTotal::AddOpening(const MonthAmounts& actual, const MonthAmounts& expected,
                        const Database::CDisplaySettings&, const Database::CYear& year) {
    Feed(actual, expected, year, +1);
}

void CTotal::Arrange(ArrangeContext& context) {
    shown = incoming;
    for (auto& sub : incoming)
        sub.fill(0);

    placed = !hidden && !suppressed;
    if (context.currentKey)
        yearKey = *context.currentKey;
    highlighted = context.highlightKey && key.IsSet(LayoutKey::kView) &&
                  key == *context.highlightKey;
    LayoutMetrics& metrics = *context.metrics;
    clipRect = metrics.ContentArea();

    Database::CYear* year = FindYear(*context.doc, yearKey);
    if (!year)
        return;
    const Database::CDisplaySettings& display = year->display;
    const YearSpan span = SpanOf(*year);
    startMonth_ = span.start;
    DeviceContext& dc = *context.dc;
    FigureMeter measure(dc, metrics, display);

    totals.fill(0);
    for (int i = 0; i < kMonths; ++i) {
        const int m = span.Month(i);
        for (int k = 0; k < 3; ++k) {
            if (MonthShown(display, k, m))
                measure(shown[k][m]);
            if (MonthCounted(display, k, m))
                totals[k] = SaturatingAdd(totals[k], shown[k][m]);
        }
    }
    if (totalMode == kFirstMonth || totalMode == kLastMonth) {
        const int m = totalMode == kFirstMonth ? span.start : span.LastMonth();
        totals[Database::kActual] = shown[Database::kActual][m];
        totals[Database::kExpected] = shown[Database::kExpected][m];
    }
    totals[Database::kVariance] =
        SaturatingSub(totals[Database::kActual], totals[Database::kExpected]);

    percents.fill(0);
    percentShown.fill(false);
    if (placed && totalMode != kNoTotals)
        for (Amount value : totals)
            measure(value);
    if (placed && showPercentage) {
        FormPercentages(totals, *year, percents, percentShown);
        for (int k = 0; k < 3; ++k)
            if (percentShown[k])
                measure(percents[k]);
    }

    // A total feeds its parent once, added or subtracted, suppressed or not, so the chain of
    // summary rows holds whichever of them are shown.
    if (parent) {
        if (addsToParent)
            parent->AddRow(shown[Database::kActual], shown[Database::kExpected], display, *year);
        else
            parent->SubtractRow(shown[Database::kActual], shown[Database::kExpected], display,
                                *year);
    }

    if (!placed)
        return;
    const int gap = metrics.RowGap();
    metrics.PageBreak(metrics.rowCursor.Height() + gap);
    metrics.widestDescription = std::max(metrics.widestDescription, dc.TextExtent(label).width);
    bounds = metrics.rowCursor;
    metrics.rowCursor = Offset(metrics.rowCursor, 0, bounds.Height() + gap);
    if (gapAfter)
        metrics.rowCursor = Offset(metrics.rowCursor, 0, metrics.rowCursor.Height() + gap);
    expanderCell = ColumnCell(metrics.expanderColumn, bounds);
    expander.Set(expanderCell, clipRect, style);
    labelRect = ColumnCell(metrics.descriptionColumn, bounds);
    RowCells::Taxes(metrics, bounds, DocumentTaxes(*context.doc).size(), taxCells);
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < kMonths; ++i)
            monthCells[k][i] = RowCells::Figure(metrics, 3 * i + k, bounds);
        totalCells[k] = RowCells::Figure(metrics, LayoutMetrics::kTotalColumn + k, bounds);
        percentCells[k] = RowCells::Figure(metrics, LayoutMetrics::kPercentColumn + k, bounds);
    }
    bounds.top -= gap / 2;
    bounds.bottom += gap / 2 + 1;
}

void CTotal::Draw(DrawContext& context) {
    if (suppressed || !placed)
        return;
    DeviceContext& dc = *context.dc;
    const LayoutMetrics& metrics = *context.metrics;
    const Rect& content = metrics.ContentArea();
    if (!Meets(bounds, content))
        return;
    const int gap = metrics.RowGap();
    expander.Draw(dc, gapAfter ? metrics.rowCursor.Height() + 2 * gap : gap);

    const bool tinted = plain && highlighted && !dc.IsPrinting();
    dc.SetBackColour(kWhite);
    if (tinted) {
        TintRow(
            dc, labelRect, [&](int i, int k) -> const Rect& { return monthCells[k][i]; },
            totalCells, showPercentage ? &percentCells : nullptr, content);
        dc.SetBackColour(kRowTint);
    }
    const Colour text = plain ? kBlack : kHeadingBlue;
    dc.SetTextColour(text);
    DrawTextInCell(dc, label, Align::Left, labelRect, clipRect);

    const Database::CDisplaySettings* display = context.display;
    if (!display) {
        dc.SetBackColour(kWhite);
        return;
    }
    Rect figureClip = content;
    figureClip.left = taxCells.empty() ? metrics.figureAreaLeft
                                       : taxCells.back().right + metrics.cornerSize.width;
    const Colour* colours = tinted ? kSubColumnDark : kSubColumn;
    const auto colourOf = [&](bool negative) {
        return plain ? kBlack : negative ? kCurrentRed : kHeadingBlue;
    };

    for (int i = 0; i < kMonths; ++i) {
        const int m = (i + startMonth_) % 12;
        for (int k = 0; k < 3; ++k) {
            if (!MonthShown(*display, k, m))
                continue;
            dc.SetTextColour(colourOf(shown[k][m] < 0));
            DrawFigure(dc, MoneyText(*display, shown[k][m]), monthCells[k][i], figureClip,
                       colours[k]);
        }
    }
    dc.SetTextColour(text);
    for (int k = 0; k < 3; ++k)
        if (totalMode != kNoTotals && TotalShown(*display, k))
            DrawFigure(dc, MoneyText(*display, totals[k]), totalCells[k], figureClip, colours[k]);
    if (showPercentage) {
        for (int k = 0; k < 3; ++k) {
            if (!percentShown[k] || !PercentageShown(*display, k))
                continue;
            bool red = totals[k] < 0;
            if (k == Database::kVariance)
                red = addsToParent ? totals[k] < 0 : totals[k] > 0;
            dc.SetTextColour(colourOf(red));
            DrawFigure(dc, MoneyText(*display, percents[k]), percentCells[k], figureClip,
                       colours[k]);
        }
    }

    if (!plain) {
        // The rule over a summary row's figures ends at its last cell that fits; on screen a
        // cell cut by the window's edge takes the rule to the edge.
        const int top = monthCells[0][0].top;
        int end = figureClip.left;
        bool pastClip = false;
        const auto consider = [&](const Rect& cell) {
            if (cell.IsEmpty())
                return;
            if (cell.right <= figureClip.right)
                end = std::max(end, cell.right);
            else
                pastClip = true;
        };
        for (const auto& sub : monthCells)
            for (const Rect& cell : sub)
                consider(cell);
        for (const Rect& cell : totalCells)
            consider(cell);
        if (showPercentage)
            for (const Rect& cell : percentCells)
                consider(cell);
        if (pastClip && !dc.IsPrinting())
            end = figureClip.right;
        if (top >= content.top && top < content.bottom && end > figureClip.left) {
            dc.SelectPen(kHeadingBlue);
            dc.Line(figureClip.left, top, end, top);
            dc.SelectPen(kBlack);
        }
    }
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);
}

bool CTotal::HitTest(int x, int y) {
    return plain && placed && bounds.Contains({x, y});
}

} // namespace Display
