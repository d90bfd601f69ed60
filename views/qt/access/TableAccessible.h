#pragma once

#include <map>
#include <utility>

#include "views/qt/access/AccessPart.h"

// The statement, or a graph page's figures, as a table: named after the tab path, one row per
// drawn line, one column per drawn column. Rows outside the scrolled area are in it too. Its
// cells are made when a reader first asks for them and dropped when the statement changes.
class TableAccessible : public AccessPart, public QAccessibleTableInterface {
public:
    explicit TableAccessible(CMainView* view) : AccessPart(view) {}
    ~TableAccessible() override;

    QAccessibleInterface* parent() const override { return ViewInterface(); }
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override { return ScreenRect(Access().tableRect); }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return Access().table.ColumnCount(); }
    int rowCount() const override { return Access().table.RowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    // The highlighted row counts as the selected one.
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // The heading cell of a column, or none.
    QAccessibleInterface* ColumnHeader(int column) const;

private:
    void DropCells();

    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
    mutable std::map<int, QAccessible::Id> headers_;
};
