#include "views/qt/access/TableAccessible.h"

#include "platform/QtText.h"
#include "views/qt/access/CellAccessible.h"

TableAccessible::~TableAccessible() {
    DropCells();
}

void TableAccessible::DropCells() {
    for (const auto& [place, id] : cells_)
        QAccessible::deleteAccessibleInterface(id);
    for (const auto& [column, id] : headers_)
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
    headers_.clear();
}

void TableAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    DropCells();
}

QAccessibleInterface* TableAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    auto found = cells_.find({row, column});
    if (found != cells_.end())
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(found->second))
            return cell;
    auto* cell = new CellAccessible(View(), this, row, column);
    cells_[{row, column}] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

QAccessibleInterface* TableAccessible::ColumnHeader(int column) const {
    if (column < 0 || column >= columnCount())
        return nullptr;
    auto found = headers_.find(column);
    if (found != headers_.end())
        if (QAccessibleInterface* header = QAccessible::accessibleInterface(found->second))
            return header;
    auto* header = new ColumnHeaderAccessible(View(), this, column);
    headers_[column] = QAccessible::registerAccessibleInterface(header);
    return header;
}

QAccessibleInterface* TableAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int TableAccessible::childCount() const {
    return rowCount() * columnCount();
}

int TableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const CellAccessible*>(child);
    if (!cell || cell->table() != this)
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QString TableAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return ToQString(Access().name);
    case QAccessible::Description:
        return ToQString(Access().description);
    default:
        return {};
    }
}

QAccessible::State TableAccessible::state() const {
    QAccessible::State state;
    state.readOnly = true;
    state.focusable = true;
    return state;
}

void* TableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return nullptr;
}

QString TableAccessible::columnDescription(int column) const {
    const std::vector<Text>& headings = Access().table.headings;
    if (column < 0 || column >= static_cast<int>(headings.size()))
        return {};
    return ToQString(headings[static_cast<std::size_t>(column)]);
}

QString TableAccessible::rowDescription(int row) const {
    return ToQString(Access().table.At(row, 0).text);
}

QList<int> TableAccessible::selectedRows() const {
    const int row = Access().highlightedRow;
    return row >= 0 ? QList<int>{row} : QList<int>{};
}

bool TableAccessible::isRowSelected(int row) const {
    return row >= 0 && row == Access().highlightedRow;
}
