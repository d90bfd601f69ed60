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

// One statement row: it places the line the statement model holds (its label, tax codes and
// figures, all formed when the statement was built) and draws it in the month, total and
// percentage cells. A hidden line (one of a closed section) takes no place.
class CLine : public CLayout {
  public:
    // The model and its entry are not owned and must outlive the row.
    CLine(const Statement::AdvStatementModel& model, const Statement::AdvEntry& entry);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    LayoutKind GetKind() const override { return LayoutKind::Line; }
    bool OnLeftmostPageOnly() const override;

    const Statement::AdvEntry& Entry() const { return *entry_; }

    LayoutKey yearKey;
    bool gapBefore = false;
    Rect clipRect;
    Rect figureClip;
    Rect descriptionCell;
    std::vector<Rect> taxCells;
    FigureCells cells;

  private:
    void Place(ArrangeContext& context);

    const Statement::AdvStatementModel* model_;
    const Statement::AdvEntry* entry_;
    std::int32_t ownStyle_;
};

} // namespace Display
