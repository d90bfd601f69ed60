#pragma once

#include <cstdint>
#include <vector>

#include "display/CLayout.h"
#include "display/RowCells.h"

namespace Statement {
struct AdvEntry;
struct AdvStatementModel;
} // namespace Statement

namespace Display {

// A section total or summary row, placed and drawn as the statement model holds it: a plain
// total in black, tinted when highlighted; a summary row in blue with its negative figures in
// red and a rule above its figures.
class CTotal : public CLayout {
  public:
    // The model and its entry are not owned and must outlive the total.
    CTotal(const Statement::AdvStatementModel& model, const Statement::AdvEntry& entry);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    // Only a plain total answers.
    bool HitTest(int x, int y) override;

    const Statement::AdvEntry& Entry() const { return *entry_; }
    bool Plain() const;

    LayoutKey yearKey;
    bool gapAfter = false;
    Rect clipRect;
    Rect labelRect;
    std::vector<Rect> taxCells;
    FigureCells cells;

  private:
    void DrawRule(DeviceContext& dc, const Rect& figureClip, const Rect& content) const;

    const Statement::AdvStatementModel* model_;
    const Statement::AdvEntry* entry_;
    std::int32_t ownStyle_;
};

} // namespace Display
