#include "display/CColumnHeaders.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "database/CDisplaySettings.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "display/RowCells.h"
#include "platform/DeviceContext.h"
#include "statement/AdvStatementModel.h"

namespace Display {
namespace {

constexpr const char16_t* kSubHeadings[3] = {u"Actual", u"Expected", u"Variance"};
static_assert(CColumnHeaders::kTotalTriple == Statement::kAdvTotalGroup &&
              CColumnHeaders::kPercentTriple == Statement::kAdvPercentGroup);

// The span from the first to the last non-empty rectangle of a group of columns.
Rect Span(const std::array<Rect, 3>& cells) {
    Rect span;
    for (const Rect& cell : cells) {
        if (cell.IsEmpty())
            continue;
        span = span.IsEmpty() ? cell : Rect{std::min(span.left, cell.left), cell.top,
                                            std::max(span.right, cell.right), cell.bottom};
    }
    return span;
}

// Binds the toggles of a group of the model (by display position) to the figure group the
// document knows it by (a calendar month, Total or Percentage).
void BindTriple(ToggleTriple& triple, const std::array<bool, 3>& shown, int group) {
    constexpr std::array<std::array<int, 2>, 3> kBitmaps = {
        {{CColumnHeaders::kActualOff, CColumnHeaders::kActualOn},
         {CColumnHeaders::kExpectedOff, CColumnHeaders::kExpectedOn},
         {CColumnHeaders::kVarianceOff, CColumnHeaders::kVarianceOn}}};
    for (Database::SubColumn sub : Database::kSubColumns)
        triple.toggles[sub] = {{},
                               {},
                               true,
                               shown[sub],
                               {ShownPart::Kind::SubColumn, group, sub},
                               kBitmaps[sub][0],
                               kBitmaps[sub][1]};
}

} // namespace

bool CheckToggle::Contains(int x, int y) const {
    return rect.Intersected(clip).Contains({x, y});
}

CColumnHeaders::CColumnHeaders(const Statement::AdvStatementModel& model)
    : yearKey(model.yearKey), model_(&model) {
    if (!model.hasYear)
        return;
    for (int i = 0; i < 12; ++i)
        BindTriple(toggles[static_cast<std::size_t>(i)], model.columns[static_cast<std::size_t>(i)],
                   model.span.Month(i));
    BindTriple(toggles[kTotalTriple], model.columns[kTotalTriple], ShownPart::kTotalGroup);
    BindTriple(toggles[kPercentTriple], model.columns[kPercentTriple], ShownPart::kPercentGroup);
}

void CColumnHeaders::Arrange(ArrangeContext& context) {
    LayoutMetrics& metrics = *context.metrics;
    DeviceContext& dc = *context.dc;
    const int gap = metrics.RowGap();
    clipRect = metrics.ContentArea();
    bounds = metrics.rowCursor;
    const int lineHeight = bounds.Height();
    subHeadingTop = bounds.bottom + gap;
    const Rect subLine{bounds.left, subHeadingTop, bounds.right, subHeadingTop + lineHeight};

    descriptionRect = ColumnCell(metrics.descriptionColumn, bounds);
    notesRect = ColumnCell(metrics.notesColumn, bounds);
    RowCells::Taxes(metrics, bounds, model_->taxNames.size(), taxHeadRects);
    // A group switched off whole keeps its heading where the metrics left room for it.
    const auto group = [&](int index, int first, Rect& head, std::array<Rect, 3>& subs) {
        for (int k = 0; k < 3; ++k)
            subs[static_cast<std::size_t>(k)] = RowCells::Figure(metrics, first + k, subLine);
        // On paper a group too wide for a band of its own is shared out among bands: each band
        // heads its own part of it.
        Rect span = Span(subs);
        if (dc.IsPrinting()) {
            std::array<Rect, 3> here{};
            for (std::size_t k = 0; k < here.size(); ++k)
                if (Meets(subs[k], clipRect))
                    here[k] = subs[k];
            if (!Span(here).IsEmpty())
                span = Span(here);
        }
        if (span.IsEmpty())
            span = metrics.switchedOffGroups[static_cast<std::size_t>(index)];
        head = span.IsEmpty() ? Rect{} : Rect{span.left, bounds.top, span.right, bounds.bottom};
    };
    for (int i = 0; i < 12; ++i)
        group(i, 3 * i, monthHeadRects[static_cast<std::size_t>(i)],
              monthSubRects[static_cast<std::size_t>(i)]);
    group(kTotalTriple, LayoutMetrics::kTotalColumn, totalHeadRect, totalSubRects);
    group(kPercentTriple, LayoutMetrics::kPercentColumn, percentHeadRect, percentSubRects);

    int height = 2 * lineHeight + gap;
    Rect toggleClip = clipRect;
    toggleClip.left = taxHeadRects.empty() ? metrics.figureAreaLeft
                                           : AddClamped(taxHeadRects.back().right, metrics.cornerSize.width);
    const bool screen = !dc.IsPrinting();
    // The toggles are controls of the window: on screen they take a line of their own under
    // the sub-headings, so that neither hides the other; a printed heading has none.
    const int toggleTop = subHeadingTop + lineHeight + gap;
    for (int t = 0; t < 14; ++t) {
        ToggleTriple& triple = toggles[static_cast<std::size_t>(t)];
        const Rect& head = t < 12 ? monthHeadRects[static_cast<std::size_t>(t)]
                           : t == kTotalTriple ? totalHeadRect
                                               : percentHeadRect;
        triple.rect = Offset(head, 0, toggleTop - bounds.top);
        const int width = 3 * kBitmapSize;
        int left = static_cast<int>(
            (static_cast<std::int64_t>(triple.rect.left) + triple.rect.right) / 2 - width / 2);
        for (CheckToggle& toggle : triple.toggles) {
            const bool visible = screen && toggle.bound && !head.IsEmpty();
            toggle.rect = visible ? Rect{left, toggleTop, left + kBitmapSize, toggleTop + kBitmapSize}
                                  : Rect{};
            toggle.clip = toggleClip;
            left += kBitmapSize;
        }
    }
    if (screen)
        height += gap + kBitmapSize;

    bounds.bottom = bounds.top + height;
    metrics.rowCursor = Offset(metrics.rowCursor, 0, height + gap - metrics.vOffset);
    metrics.ContentArea().top = bounds.bottom + gap;
    metrics.vScrollBar.top = bounds.bottom + gap;
    if (metrics.printing) {
        metrics.pageBodyTop = metrics.rowCursor.top;
        metrics.pageBodyHeight = metrics.ContentArea().Height();
    }
    placed = true;
}

void CColumnHeaders::Draw(DrawContext& context) {
    DeviceContext& dc = *context.dc;
    const LayoutMetrics& metrics = *context.metrics;
    dc.SetTextColour(kCurrentRed);
    dc.SetBackColour(kWhite);
    dc.SelectBrush(kSubColumn[0]);
    DrawTextInCell(dc, u"Description", Align::Left, descriptionRect, clipRect);
    if (!notesRect.IsEmpty())
        DrawTextInCell(dc, u"Notes", Align::Left, notesRect, clipRect);
    const std::vector<Text>& taxNames = model_->taxNames;
    for (std::size_t t = 0; t < taxHeadRects.size() && t < taxNames.size(); ++t)
        DrawLabelInCell(dc, taxNames[t], Align::Centre, taxHeadRects[t], clipRect);

    Rect figures = clipRect;
    figures.left = taxHeadRects.empty() ? metrics.figureAreaLeft
                                        : AddClamped(taxHeadRects.back().right, metrics.cornerSize.width);
    const auto drawGroup = [&](const Rect& head, const Text& title,
                               const std::array<Rect, 3>& subs) {
        if (head.IsEmpty() || !Meets(head, figures))
            return;
        dc.FillRect(head.Intersected(figures), kMonthHeading);
        dc.SetBackColour(kMonthHeading);
        DrawLabelInCell(dc, title, Align::Centre, head, figures);
        for (int k = 0; k < 3; ++k) {
            const Rect& sub = subs[static_cast<std::size_t>(k)];
            if (sub.IsEmpty() || !Meets(sub, figures))
                continue;
            dc.FillRect(sub.Intersected(figures), kSubColumn[k]);
            dc.SetBackColour(kSubColumn[k]);
            DrawTextInCell(dc, kSubHeadings[k], Align::Centre, sub, figures);
        }
    };
    for (std::size_t i = 0; i < 12; ++i)
        drawGroup(monthHeadRects[i], model_->monthHeadings[i], monthSubRects[i]);
    drawGroup(totalHeadRect, u"Total", totalSubRects);
    drawGroup(percentHeadRect, u"Percentage", percentSubRects);

    if (!dc.IsPrinting()) {
        for (const ToggleTriple& triple : toggles)
            for (const CheckToggle& toggle : triple.toggles)
                if (!toggle.rect.IsEmpty() && Meets(toggle.rect, toggle.clip))
                    dc.DrawBitmap(toggle.rect, toggle.Bitmap(), toggle.clip);
    }
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);
    dc.SelectBrush(kWhite);
}

bool CColumnHeaders::HitTest(int x, int y) {
    flipped_ = nullptr;
    if (!placed)
        return false;
    for (ToggleTriple& triple : toggles) {
        for (CheckToggle& toggle : triple.toggles) {
            if (toggle.bound && !toggle.rect.IsEmpty() && toggle.Contains(x, y)) {
                toggle.shown = !toggle.shown;
                flipped_ = &toggle;
                return true;
            }
        }
    }
    return bounds.Contains({x, y});
}

} // namespace Display
