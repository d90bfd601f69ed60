#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "statement/compare/ForecastComparison.h"

class CMainView;

// The marks of a comparison over a view: each changed figure of the statement on screen tinted
// with a mark in its corner (a shape as well as a colour), tabs leading to statements with
// changes marked the same way, and the older amount and the difference in a tooltip and in the
// cell's accessible description. It lets every mouse event through to the view below.
class ChangesOverlay : public QWidget {
    Q_OBJECT

public:
    explicit ChangesOverlay(CMainView& view);

    // Shows the comparison's marks (none: no comparison, nothing marked).
    void SetComparison(std::shared_ptr<const Statement::ForecastComparison> comparison);
    // View > Show Changes.
    void SetMarksShown(bool shown);
    bool MarksShown() const { return shown_; }

    // The changes of the statement on screen, none when it has no counterpart in the comparison.
    const Statement::StatementChanges* ShownChanges();
    // Where a change of the statement on screen stands in the view's table: row and column, or
    // -1 each where the view does not show it (a closed section, a switched-off sub-column).
    std::pair<int, int> CellOf(const Statement::Change& change);
    // "was 9,000.00, up 200.00" for a marked cell of the view's table, empty for any other.
    QString CellDescription(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Marked {
        int row = -1;
        int column = -1;
        const Statement::Change* change = nullptr;
    };

    // The marked cells of the view as its last pass described it.
    const std::vector<Marked>& MarkedCells();
    // Whether a tab of the view's tab rows leads to a statement with changes.
    bool TabHasChanges(int list, int tab);

    CMainView& view_;
    std::shared_ptr<const Statement::ForecastComparison> comparison_;
    bool shown_ = true;
    // What the marks were worked out for: the view's table name and the document's revision.
    std::u16string name_;
    std::uint64_t revision_ = 0;
    const Statement::StatementChanges* statement_ = nullptr;
    std::vector<std::string> path_;
    std::vector<Marked> marked_;
};
