#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Months.h"
#include "display/CLayout.h"
#include "display/CLine.h"

namespace Database {
class CDisplaySettings;
class CYear;
} // namespace Database

namespace Display {

// A section total or summary row. Its figures are not read from the forecast: rows arranged
// before it in the same pass feed it, and so do child totals that name it as their parent. When
// it is arranged it takes over what was fed and feeds its own parent in turn, so a total must
// come after everything that feeds it.
//
// Every feed covers every month of the year's span, whatever the display flags: the flags decide
// only which cells are drawn and which months the Total column sums.
class CTotal : public CLayout {
  public:
    using Figures = std::array<std::array<Amount, kMonths>, 3>;

    CTotal();
    // `parentTotal` is not owned and must outlive this total.
    CTotal(const Text& labelText, std::int32_t mode, bool gapBelow, CTotal* parentTotal,
           bool adds, std::int32_t styleValue, bool plainTotal, bool percentage,
           const LayoutKey& rowKey = LayoutKey());

    // Rows and child totals feed these while they are arranged: Actual and Expected by calendar
    // month. AddOpening serves the opening balances, which simply add.
    void AddRow(const MonthAmounts& actual, const MonthAmounts& expected,
                const Database::CDisplaySettings& display, const Database::CYear& year);
    void SubtractRow(const MonthAmounts& actual, const MonthAmounts& expected,
                     const Database::CDisplaySettings& display, const Database::CYear& year);
    void AddOpening(const MonthAmounts& actual, const MonthAmounts& expected,
                    const Database::CDisplaySettings& display, const Database::CYear& year);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    // Only a plain total answers.
    bool HitTest(int x, int y) override;

    LayoutKey yearKey;
    CTotal* parent = nullptr;
    bool addsToParent = true;
    bool gapAfter = false;
    bool plain = false;
    bool showPercentage = true;
    Rect clipRect;
    Text label;
    Rect labelRect;
    std::vector<Rect> taxCells;
    std::int32_t totalMode = kSumOfMonths;
    std::array<std::array<Rect, kMonths>, 3> monthCells{};
    std::array<Rect, 3> totalCells{};
    std::array<Rect, 3> percentCells{};
    Figures incoming{};
    Figures shown{};
    std::array<Amount, 3> totals{};
    std::array<Amount, 3> percents{};
    std::array<bool, 3> percentShown{};

  private:
    void Feed(const MonthAmounts& actual, const MonthAmounts& expected, const Database::CYear& year,
              int direction);

    std::int32_t ownStyle_ = kNoGlyph;
    int startMonth_ = 0;
};

} // namespace Display
