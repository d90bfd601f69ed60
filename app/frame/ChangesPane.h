#pragma once

#include <QDockWidget>

#include "statement/compare/ForecastComparison.h"

class QTreeWidget;
class QTreeWidgetItem;

// The dockable Changes pane: the changes of the statement on screen, then the whole forecast's
// summary (statements added or removed, each changed statement's count and closing bank balance,
// the settings that change figures). Activating a change of the statement asks for its cell.
class ChangesPane : public QDockWidget {
    Q_OBJECT

public:
    explicit ChangesPane(QWidget* parent = nullptr);

    // Lists the comparison with the changes of `shown` (none: the statement on screen has no
    // counterpart). The comparison must outlive the next Show or Clear.
    void Show(const Statement::ForecastComparison& comparison,
              const Statement::StatementChanges* shown, bool cents);
    void Clear();

signals:
    void ChangeActivated(const Statement::Change& change);

private:
    void Activated(QTreeWidgetItem* item);

    QTreeWidget* tree_ = nullptr;
    std::vector<const Statement::Change*> changes_;
};
