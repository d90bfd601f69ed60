#include "display/CTab.h"

#include <cstdio>

#include "core/ClampToInt.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "display/TabRow.h"
#include "document/CMainDoc.h"
#include "platform/DeviceContext.h"

namespace Display {
namespace {

Text TabLabel(CMainDoc& doc, const LayoutKey& key) {
    Database::CObject* object = doc.FindObject(key);
    if (const auto* scenario = dynamic_cast<const Database::CScenario*>(object)) {
        if (key[LayoutKey::kScenario] >= 0)
            return scenario->name + u" (Wt = " + DecimalText(scenario->weight) + u")";
        return scenario->name;
    }
    if (const auto* company = dynamic_cast<const Database::CCompany*>(object)) {
        if (key[LayoutKey::kScenario] >= 0 && key[LayoutKey::kCompany] >= 0) {
            char weight[64];
            std::snprintf(weight, sizeof weight, " (Wt = %.2f)", company->weight);
            return company->name + Ascii(weight);
        }
        return company->name;
    }
    if (const auto* base = dynamic_cast<const Database::CBase*>(object))
        return base->DisplayName();
    return Text();
}

} // namespace

void CTab::Arrange(ArrangeContext& context) {
    LayoutMetrics& metrics = *context.metrics;
    DeviceContext& dc = *context.dc;
    placed = true;
    highlighted = context.highlightKey && key == *context.highlightKey;
    isCurrent = SelectsLevel() && context.currentKey && key[kind] == (*context.currentKey)[kind];
    label = TabLabel(*context.doc, key);

    Size size;
    if (kind == LayoutKey::kView) {
        const Font previous = dc.SelectFont(VerticalTabFont(dc.CurrentFont()));
        const Size measured = dc.TextExtent(label);
        size = {measured.height, measured.width};
        size.width = AddClamped(size.width, 2LL * metrics.gapSize.height - metrics.tabInset.width);
        size.height = AddClamped(size.height, 2LL * metrics.tabMargin.width);
        dc.SelectFont(previous);
    } else {
        size = TabSize(dc, label, {metrics.tabMargin.width, metrics.gapSize.height});
    }

    if (kind == LayoutKey::kView) {
        Rect& cursor = metrics.tabStrip[LayoutKey::kView];
        bounds = PlacedAt(cursor.left, cursor.top, size);
        cursor.top = bounds.bottom;
    } else if (SelectsLevel()) {
        Rect& cursor = metrics.tabStrip[static_cast<std::size_t>(LayoutMetrics::PanelOf(kind))];
        bounds = PlacedAt(cursor.left, cursor.top, size);
        cursor.left = bounds.right;
    } else {
        const Rect& content = metrics.ContentArea();
        bounds = PlacedAt(content.left, content.top, size);
    }
}

void CTab::Draw(DrawContext& context) {
    // Fixed tabs show only while they are not current.
    if (isCurrent ? kind > LayoutKey::kGraph : kind > kFixedTab)
        return;
    DeviceContext& dc = *context.dc;
    const LayoutMetrics& metrics = *context.metrics;
    const TabFills fills = TabFillsOf(kind, kHighlightGrey);
    const Colour fill = fills.Of(isCurrent, highlighted && !dc.IsPrinting());
    if (kind == LayoutKey::kView) {
        const Font previous = dc.SelectFont(VerticalTabFont(dc.CurrentFont()));
        DrawTab(dc, bounds, metrics.cornerSize, label,
                {AddClamped(bounds.left, metrics.tabInset.width),
                 AddClamped(bounds.bottom, -static_cast<std::int64_t>(metrics.gapSize.height))},
                fill, isCurrent);
        dc.SelectFont(previous);
    } else {
        DrawTab(dc, bounds, metrics.cornerSize, label,
                {AddClamped(bounds.left, metrics.tabMargin.width),
                 AddClamped(bounds.top, metrics.gapSize.height)},
                fill,
                isCurrent);
    }
    dc.SelectPen(kBlack);
    dc.SelectBrush(kWhite);
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);
}

} // namespace Display
