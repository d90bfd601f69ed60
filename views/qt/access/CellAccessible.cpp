#include "views/qt/access/CellAccessible.h"

#include "platform/QtText.h"
#include "views/qt/CMainView.h"
#include "views/qt/access/TableAccessible.h"

const AccessCell& CellAccessible::Cell() const {
    return Access().table.At(row_, column_);
}

QAccessibleInterface* CellAccessible::parent() const {
    return const_cast<TableAccessible*>(table_);
}

QAccessibleInterface* CellAccessible::table() const {
    return const_cast<TableAccessible*>(table_);
}

QString CellAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name || t == QAccessible::Value)
        return ToQString(Cell().text);
    if (t == QAccessible::Description && View() && View()->cellDescription)
        return View()->cellDescription(row_, column_);
    return {};
}

QRect CellAccessible::rect() const {
    return ScreenRect(Access().CellRect(row_, column_));
}

bool CellAccessible::isSelected() const {
    return row_ == Access().highlightedRow;
}

QAccessible::State CellAccessible::state() const {
    QAccessible::State state;
    state.readOnly = true;
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    // The highlight reads as the focus on its row's first cell while the view has the keyboard.
    state.focused = isSelected() && column_ == 0 && View() && View()->hasFocus();
    // Scrolled out of sight: a reader asks for it to be brought back (SetFocus).
    state.offscreen = !Access().CellSeen(row_, column_);
    return state;
}

void* CellAccessible::interface_cast(QAccessible::InterfaceType type) {
    switch (type) {
    case QAccessible::TableCellInterface:
        return static_cast<QAccessibleTableCellInterface*>(this);
    case QAccessible::ActionInterface:
        return static_cast<QAccessibleActionInterface*>(this);
    case QAccessible::ValueInterface:
        return Cell().figure ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    default:
        return nullptr;
    }
}

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const {
    if (QAccessibleInterface* header = table_->ColumnHeader(column_))
        return {header};
    return {};
}

QList<QAccessibleInterface*> CellAccessible::rowHeaderCells() const {
    // The label in the first column heads the row.
    if (QAccessibleInterface* label = table_->cellAt(row_, 0))
        return {label};
    return {};
}

QVariant CellAccessible::currentValue() const {
    const std::optional<Amount> figure = Cell().figure;
    if (!figure)
        return {};
    return static_cast<double>(*figure) / 100.0;
}

QStringList CellAccessible::actionNames() const {
    return {setFocusAction()};
}

void CellAccessible::doAction(const QString& action) {
    if (action == setFocusAction() && View())
        View()->FocusAccessCell(row_, column_);
}

QAccessibleInterface* ColumnHeaderAccessible::parent() const {
    return const_cast<TableAccessible*>(table_);
}

QRect ColumnHeaderAccessible::rect() const {
    return ScreenRect(Access().HeadingRect(column_));
}

QString ColumnHeaderAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name)
        return {};
    return table_->columnDescription(column_);
}
