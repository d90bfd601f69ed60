#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/WideText.h"
#include "database/LayoutKey.h"
#include "display/CLayout.h"

namespace Display {

// The legend of a company's graph: a narrow column per year headed by the year turned on its
// side, and one entry per plotted kind and total row ("Expected - Income"), with a cell in each
// year's column filled in the colour that year plots the entry in.
class CGraphLedgend : public CLayout {
public:
    // Takes the current key and stacks the year columns and entries from `origin`.
    void Layout(ArrangeContext& context, Point origin);
    void Draw(DrawContext& context) override;
    bool HitTest(int x, int y) override;

    LayoutKey legendKey;
    // One per year of the company; empty for a year that plots nothing.
    std::vector<Rect> yearColumns;
    // [kind][series]; empty for an entry no year plots.
    std::array<std::array<Rect, 18>, 3> entryRects{};
    std::int32_t settingsIndex = LayoutKey::kNoEntry;

    // The label of an entry ("Expected - Income"); empty for one no year plots.
    const Text& EntryLabel(int kind, int series) const {
        return entryLabels[static_cast<std::size_t>(kind)][static_cast<std::size_t>(series)];
    }

private:
    std::array<std::array<Text, 18>, 3> entryLabels;
};

} // namespace Display
