#pragma once

#include "views/qt/access/AccessPart.h"

class TableAccessible;

// One cell of the statement table: the text drawn there (a figure as formatted), its row's
// label as its row header and its column's heading as its column header. A figure's cell also
// gives its amount as a value.
class CellAccessible : public AccessLeaf,
                       public QAccessibleTableCellInterface,
                       public QAccessibleValueInterface,
                       public QAccessibleActionInterface {
public:
    CellAccessible(CMainView* view, const TableAccessible* table, int row, int column)
        : AccessLeaf(view), table_(table), row_(row), column_(column) {}

    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    // The amount in currency units; none for a cell without a figure.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return currentValue(); }
    QVariant minimumValue() const override { return currentValue(); }
    QVariant minimumStepSize() const override { return 0.01; }

    // "SetFocus" moves the keyboard highlight to the cell's row, as Up and Down would.
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const AccessCell& Cell() const;

    const TableAccessible* table_;
    int row_;
    int column_;
};

// The heading of one column of the statement table ("Apr 24 Actual"), where it was drawn.
class ColumnHeaderAccessible : public AccessLeaf {
public:
    ColumnHeaderAccessible(CMainView* view, const TableAccessible* table, int column)
        : AccessLeaf(view), table_(table), column_(column) {}

    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override { return {}; }

private:
    const TableAccessible* table_;
    int column_;
};
