#pragma once

#include <array>
#include <vector>

#include "display/CLayout.h"
#include "document/CMainDoc.h"

namespace Statement {
struct AdvStatementModel;
}

namespace Display {

// One check box under a column heading: whether its sub-column is shown, and the part of the
// year's display the document switches for it.
struct CheckToggle {
    Rect rect;
    Rect clip;
    // Set for the toggles of a statement's year; an unbound toggle is neither drawn nor hit.
    bool bound = false;
    bool shown = false;
    ShownPart part;
    int offBitmap = 0;
    int onBitmap = 0;

    // The bitmap the state selects (0 when unbound).
    int Bitmap() const { return bound ? (shown ? onBitmap : offBitmap) : 0; }
    // Inside the toggle as cut to its clip.
    bool Contains(int x, int y) const;
};

// The Actual, Expected and Variance toggles of one heading, centred in `rect`.
struct ToggleTriple {
    std::array<CheckToggle, 3> toggles{};
    Rect rect;
};

// The heading row of the statement: "Description", "Notes", the taxes, the twelve months from
// the year's start, "Total" and "Percentage", each figure heading split into Actual, Expected
// and Variance, with a row of toggles that switch those sub-columns on and off.
class CColumnHeaders : public CLayout {
  public:
    // The check bitmaps: 20 × 20, a box on the sub-column colour with a cross (off) or tick (on).
    static constexpr int kBitmapSize = 20;
    static constexpr int kActualOff = 301, kActualOn = 305;
    static constexpr int kExpectedOff = 303, kExpectedOn = 302;
    static constexpr int kVarianceOff = 300, kVarianceOn = 304;
    static constexpr int kTotalTriple = 12;
    static constexpr int kPercentTriple = 13;

    // Heads the columns of the statement model (not owned; it must outlive the headings) and
    // binds month toggle i to calendar month (i + start) mod 12 of its year, whose sub-columns
    // the toggles show; a model without a year leaves the toggles unbound.
    explicit CColumnHeaders(const Statement::AdvStatementModel& model);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    // Inside the heading. A hit on a toggle flips what it shows first (FlippedToggle then
    // answers it until the next hit test, for the caller to switch the document's state).
    bool HitTest(int x, int y) override;
    const CheckToggle* FlippedToggle() const { return flipped_; }

    LayoutKey yearKey;
    Rect clipRect;
    Rect descriptionRect;
    Rect notesRect;
    std::vector<Rect> taxHeadRects;
    std::array<Rect, 12> monthHeadRects{};
    std::array<std::array<Rect, 3>, 12> monthSubRects{};
    Rect totalHeadRect;
    std::array<Rect, 3> totalSubRects{};
    Rect percentHeadRect;
    std::array<Rect, 3> percentSubRects{};
    std::array<ToggleTriple, 14> toggles{};
    int subHeadingTop = 0;

  private:
    const Statement::AdvStatementModel* model_ = nullptr;
    const CheckToggle* flipped_ = nullptr;
};

} // namespace Display
