#pragma once

#include "database/LayoutKey.h"
#include "display/Palette.h"
#include "platform/DrawTypes.h"

class CMainDoc;

namespace Database {
class CYear;
} // namespace Database

// Lookups and small geometry shared by the layout objects.
namespace Display {

// The year a key shows (its levels below the year ignored), or none.
Database::CYear* FindYear(CMainDoc& doc, const LayoutKey& key);

// The column's x-extent over the rows' y-extent.
constexpr Rect ColumnCell(const Rect& column, const Rect& rows) {
    return {column.left, rows.top, column.right, rows.bottom};
}
constexpr bool Meets(const Rect& a, const Rect& b) {
    return !a.Intersected(b).IsEmpty();
}
constexpr Rect Offset(const Rect& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

} // namespace Display
