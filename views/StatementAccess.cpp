#include "views/StatementAccess.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"

namespace {

// A figure's text without the blanks that align it in its column ("-  " reads "-").
Text Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return Ascii(std::string_view(text).substr(first, text.find_last_not_of(' ') - first + 1));
}

AccessCell CellOf(const Statement::TableCell& cell, const Statement::StatementTable& table) {
    using Kind = Statement::TableCell::Kind;
    switch (cell.kind) {
    case Kind::Empty:
        return {};
    case Kind::Text:
        return {FromUtf8(cell.text), std::nullopt};
    case Kind::Amount:
        return {Trimmed(AmountText(cell.value, table.cents, table.brackets)), cell.value};
    case Kind::Percent:
        return {Trimmed(AmountText(cell.value, true, table.brackets)), cell.value};
    }
    return {};
}

template <class T> const T* Nth(const std::vector<T>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

} // namespace

Rect StatementAccess::CellRect(int row, int column) const {
    const Rect* rowPlace = Nth(rowRects, row);
    Rect place = rowPlace && !rowPlace->IsEmpty() ? *rowPlace : tableRect;
    if (const AccessSpan* span = Nth(columnSpans, column)) {
        place.left = span->left;
        place.right = span->right;
    }
    return place;
}

bool StatementAccess::CellSeen(int row, int column) const {
    const AccessSpan* span = Nth(columnSpans, column);
    if (span && !span->seen)
        return false;
    return !CellRect(row, column).Intersected(rowsRect.IsEmpty() ? tableRect : rowsRect).IsEmpty();
}

Rect StatementAccess::HeadingRect(int column) const {
    const AccessSpan* span = Nth(columnSpans, column);
    if (!span || headingsRect.IsEmpty())
        return {};
    return Rect{span->left, headingsRect.top, span->right, headingsRect.bottom};
}

int StatementAccess::ScrollToColumn(int column) const {
    const AccessSpan* span = Nth(columnSpans, column);
    if (!span || !span->scrolls || span->right <= span->left ||
        figuresSeen.right <= figuresSeen.left)
        return 0;
    const std::int64_t toLeft = static_cast<std::int64_t>(span->left) - figuresSeen.left;
    if (toLeft < 0)
        return ClampToInt(toLeft);
    const std::int64_t toRight = static_cast<std::int64_t>(span->right) - figuresSeen.right;
    return ClampToInt(std::min(toLeft, std::max<std::int64_t>(toRight, 0)));
}

const AccessCell& AccessTable::At(int row, int column) const {
    static const AccessCell kEmpty;
    if (row < 0 || row >= RowCount() || column < 0)
        return kEmpty;
    const std::vector<AccessCell>& cells = rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : kEmpty;
}

AccessTable AccessTableOf(const Statement::StatementTable& table) {
    AccessTable access;
    for (const Statement::TableColumn& column : table.columns)
        access.headings.push_back(FromUtf8(column.heading));
    for (const Statement::TableRow& row : table.rows) {
        std::vector<AccessCell> cells;
        for (const Statement::TableCell& cell : row.cells)
            cells.push_back(CellOf(cell, table));
        cells.resize(access.headings.size());
        access.rows.push_back(std::move(cells));
        access.sources.push_back(row.source);
    }
    return access;
}

Text GraphDescription(const AccessTable& table) {
    if (table.rows.empty() || table.ColumnCount() < 2)
        return u"Nothing plotted";
    Text text;
    for (const std::vector<AccessCell>& row : table.rows)
        text += (text.empty() ? u"" : u", ") + row[0].text;
    return text + u" by month from " + table.headings[1] + u" to " + table.headings.back();
}
