#pragma once

#include <array>
#include <vector>

#include "display/CLayout.h"

namespace Statement {
struct AdvStatementModel;
}

namespace Display {

// One check box under a column heading, bound to the display flag it shows and flips.
struct CheckToggle {
    Rect rect;
    Rect clip;
    bool* flag = nullptr;
    int offBitmap = 0;
    int onBitmap = 0;

    // The bitmap the flag currently selects (0 when unbound).
    int Bitmap() const { return flag ? (*flag ? onBitmap : offBitmap) : 0; }
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
    // binds month toggle i to calendar month (i + start) mod 12 of its year, whose display
    // flags the toggles show and flip; a year that does not resolve leaves the toggles unbound.
    CColumnHeaders(CMainDoc& doc, const Statement::AdvStatementModel& model);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    // Inside the heading. A hit on a toggle flips its flag first (ToggleFlipped then answers
    // true until the next hit test).
    bool HitTest(int x, int y) override;
    bool ToggleFlipped() const { return toggleFlipped_; }

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
    bool toggleFlipped_ = false;
};

} // namespace Display
