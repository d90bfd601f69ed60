#pragma once

#include "core/ClampToInt.h"
#include "database/LayoutKey.h"
#include "display/Palette.h"
#include "platform/DrawTypes.h"

class CMainDoc;

namespace Database {
class CYear;
} // namespace Database

// Lookups and small geometry shared by the layout objects.
namespace Display {

// The column's x-extent over the rows' y-extent.
constexpr Rect ColumnCell(const Rect& column, const Rect& rows) {
    return {column.left, rows.top, column.right, rows.bottom};
}
constexpr bool Meets(const Rect& a, const Rect& b) {
    return !a.Intersected(b).IsEmpty();
}
// Coordinates held at the ends of the int range, so that a statement a damaged file makes wider
// or taller than an int can count ends at the edge instead of wrapping round.
constexpr Rect Offset(const Rect& rect, int dx, int dy) {
    return {AddClamped(rect.left, dx), AddClamped(rect.top, dy), AddClamped(rect.right, dx),
            AddClamped(rect.bottom, dy)};
}
// The rectangle of `size` whose top left corner is (left, top).
constexpr Rect PlacedAt(int left, int top, Size size) {
    return {left, top, AddClamped(left, size.width), AddClamped(top, size.height)};
}

} // namespace Display
