#pragma once

#include <cstdint>

#include "core/WideText.h"
#include "database/LayoutKey.h"
#include "display/ArrangeContext.h"
#include "display/DrawContext.h"
#include "display/Expander.h"
#include "platform/DrawTypes.h"

class DeviceContext;

namespace Display {

// What a click on a layout object means to the view.
enum class LayoutKind { Plain = 0, Tab = 1, Line = 2, NoteBox = 3 };

// The base of every object of the Advanced statement: it knows the forecast object it shows,
// where its last arrangement placed it, and how to draw itself. The view arranges and then
// draws its objects in list order on every pass.
class CLayout {
  public:
    CLayout() = default;
    explicit CLayout(const LayoutKey& objectKey) : key(objectKey) {}
    virtual ~CLayout() = default;
    CLayout(const CLayout&) = delete;
    CLayout& operator=(const CLayout&) = delete;

    // A hidden object keeps its figures but takes no place and draws nothing.
    virtual void SetHidden(bool flag) { hidden = flag; }
    // Computes the object's place and moves the metrics' cursors past it.
    virtual void Arrange(ArrangeContext& context);
    virtual void Draw(DrawContext& context);
    virtual LayoutKind GetKind() const { return LayoutKind::Plain; }
    // Whether the point hits the object as last placed.
    virtual bool HitTest(int x, int y);
    // A suppressed object is left out of the statement altogether.
    virtual void SetSuppressed(bool flag) { suppressed = flag; }

    // Whether the object is printed on the leftmost of the pages across only (the notes).
    virtual bool OnLeftmostPageOnly() const { return false; }

    // True for an opening or closing glyph under the point.
    bool ExpanderHitTest(int x, int y) const { return expander.HitTest(x, y); }
    // Whether the row highlight stands on this object: on its entry when the context names one
    // (rows that show the same forecast row are told apart), else on its key.
    bool HighlightedIn(const ArrangeContext& context) const;
    // When the view asks for the highlighted row to be brought into view, the vertical scroll
    // change that shows `row` whole in the content area.
    static void BringIntoView(ArrangeContext& context, const Rect& row, const Rect& content);

    // One line of text at the cell's left edge, right edge or centre (by `align`) with its top
    // at the cell's top, cut to the cell and the clip; nothing when they do not meet.
    static void DrawTextInCell(DeviceContext& dc, const Text& text, Align align, const Rect& cell,
                               const Rect& clip);
    // A label or heading as DrawTextInCell draws it; on paper, where its column may be narrower
    // than it, shortened to the cell with "…" as the window shortens its heading.
    static void DrawLabelInCell(DeviceContext& dc, const Text& text, Align align, const Rect& cell,
                                const Rect& clip);

    LayoutKey key;
    // The statement model's entry this object places (its index in drawing order); a note
    // marker takes its row's. -1 for objects that place none.
    int entryIndex = -1;
    Rect bounds;
    Rect expanderCell;
    Expander expander;
    std::int32_t extra = 0;
    bool hidden = false;
    bool placed = false;
    bool highlighted = false;
    bool suppressed = false;
    // The expander style; none reads as kNoGlyph. Rows point it at a value of their own;
    // section headings at one the view shares (a section's stored open/closed state).
    std::int32_t* style = nullptr;
};

} // namespace Display
