#include "display/CPageHeader.h"

#include "document/CMainDoc.h"
#include "database/CBase.h"
#include "database/CDisplaySettings.h"
#include "database/CPERT.h"
#include "database/CTaxSetup.h"
#include "display/HeadingText.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "display/TextWrap.h"
#include "platform/DeviceContext.h"
#include "statement/Taxes.h"

namespace Display {
namespace {

// The title font: the current face at one and a half times its size, heavy.
Font TitleFont(const Font& current) {
    return Font{current.face, current.tenthsOfPoint * 3 / 2, 900, 0};
}

} // namespace

Text CPageHeader::Title(CMainDoc& doc, const LayoutKey& key) {
    Text title;
    const auto name = [&](const LayoutKey& at, Text& out) {
        const auto* object = dynamic_cast<const Database::CBase*>(doc.FindObject(at));
        if (!object)
            return false;
        out = object->DisplayName();
        return true;
    };
    Text part;
    const std::int32_t view = key[LayoutKey::kView];
    if (doc.ViewCount() > 1) {
        if (!name(LayoutKey(view, LayoutKey::kNoEntry, LayoutKey::kNoEntry, LayoutKey::kNoEntry),
                  part))
            return title;
        title += part + u" > ";
    }
    if (!name(LayoutKey(view, key[LayoutKey::kScenario], LayoutKey::kNoEntry,
                        LayoutKey::kNoEntry),
              part))
        return title;
    title += part + u" > ";
    if (!name(LayoutKey(view, key[LayoutKey::kScenario], key[LayoutKey::kCompany],
                        LayoutKey::kNoEntry),
              part))
        return title;
    title += part + u" > ";
    if (key.IsSet(LayoutKey::kYear) && !key.IsSet(LayoutKey::kGraph)) {
        if (!name(LayoutKey(view, key[LayoutKey::kScenario], key[LayoutKey::kCompany],
                            key[LayoutKey::kYear]),
                  part))
            return title;
        title += part;
    }
    if (key.IsSet(LayoutKey::kGraph)) {
        LayoutKey graph(view, key[LayoutKey::kScenario], key[LayoutKey::kCompany],
                        LayoutKey::kNoEntry);
        graph[LayoutKey::kGraph] = key[LayoutKey::kGraph];
        if (name(graph, part))
            title += part;
    }
    return title;
}

void CPageHeader::Arrange(ArrangeContext& context) {
    bounds = context.metrics->headerRect;
    if (context.currentKey)
        key = *context.currentKey;
}

void CPageHeader::Draw(DrawContext& context) {
    DeviceContext& dc = *context.dc;
    CMainDoc& doc = *context.doc;
    dc.SetTextColour(kCurrentRed);
    dc.SetBackTransparent();

    // Nothing overlaps in a narrow window: the stamp keeps the right end, the tax basis what is
    // left of it, and the title, shortened with "…", the room between them less a blank on
    // either side.
    const bool exclusive =
        context.display ? context.display->taxExclusive : doc.Root().TaxExclusive(0) != 0;
    const HeadingEnds ends = FitHeadingEnds(
        dc, FiguresAreText(Statement::DocumentTaxes(doc.Root()), exclusive, BasisCase::Title),
        LastModifiedText(doc.stamp), bounds.Width());
    DrawTextInCell(dc, ends.right, Align::Right, bounds, bounds);
    if (!ends.left.empty())
        DrawTextInCell(dc, ends.left, Align::Left, bounds, bounds);

    const Font previous = dc.SelectFont(TitleFont(dc.CurrentFont()));
    dc.SetTextColour(kHeadingBlue);
    const Rect between{bounds.left + ends.leftWidth + ends.blank, bounds.top,
                       bounds.right - ends.rightWidth - ends.blank, bounds.bottom};
    const Text title = ElideText(dc, Title(doc, key), between.Width());
    if (!title.empty())
        DrawTextInCell(dc, title, Align::Centre, between, between);
    dc.SelectFont(previous);
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);
}

int CPageHeader::PageHeaderHeight(DeviceContext& dc) {
    const Font previous = dc.SelectFont(TitleFont(dc.CurrentFont()));
    const int height = dc.TextExtent(u"Fg").height;
    dc.SelectFont(previous);
    return height;
}

} // namespace Display
