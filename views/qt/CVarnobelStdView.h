#pragma once

#include "views/StdDrawPass.h"
#include "views/StdViewState.h"
#include "views/qt/CMainView.h"

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QWheelEvent;

// The Standard edition's view: the statement of one year of one company of one scenario, drawn
// by the Standard drawing pass, with tab rows, scroll bars, keyboard focus and the graphs page.
class CVarnobelStdView : public CMainView {
    Q_OBJECT

public:
    explicit CVarnobelStdView(CMainDoc& doc, QWidget* parent = nullptr);
    ~CVarnobelStdView() override;

    // Selection, focus, print state and the rectangles of the last pass.
    StdViewState& State() { return state_; }
    const StdViewState& State() const { return state_; }

    void ResetScroll() override;
    int FocusCategory() const override;
    int FocusIndex() const override;
    void FocusItem(const LayoutKey* item) override;
    FocusPlace CurrentFocus() const override;
    void RestoreFocus(const FocusPlace& focus) override;
    int SelectedView() const override { return 0; }
    int SelectedScenario() const override { return state_.selectedScenario; }
    int SelectedCompany() const override { return state_.selectedCompany; }
    int SelectedYear() const override { return state_.selectedYear; }
    void SelectScenario(int index) override;
    void SelectCompany(int index) override;
    void SelectYear(int index) override;
    void DocumentLoaded() override;
    void ForgetPrintChoices() override { state_.ForgetPrintChoices(); }
    ShownTable ShownStatement() override;
    QSize WholeSize() const override;

    void ActivateAccessTab(int list, int tab) override;
    void PressAccessControl(int control) override;
    void FocusAccessRow(int row) override;

    // Whether a legend series is drawn: the session's choice once the legend was clicked,
    // otherwise the document's flag.
    bool SeriesShown(int series) const;

protected:
    CVarnobelStdView(CMainDoc& doc, Edition edition, QWidget* parent);

    // The forecast row a focused statement row shows (kNoEntry at both levels for none).
    struct RowAddress {
        int category;
        int index;
    };
    RowAddress FocusedRow() const;

    // The edition's reset after a file was read.
    virtual void EditionLoadStep();
    // The tab rows Tab and Shift+Tab visit before the statement, in order.
    virtual std::vector<FocusSection> FocusTabRows() const;

    StatementAccess BuildAccess() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Places and ranges the scroll bars and the check box after a screen pass.
    void PlaceControls();
    bool GraphsPageShown() const;
    int YearCount() const;
    // Number of rows of a statement section in the last pass (0 when it was skipped).
    int SectionRowCount(Statement::StatementSection section) const;
    // Scrolls the statement up or down until `rect` (of the last pass) is in the body.
    void BringIntoBody(const Rect& rect);
    // Whether a statement row took space in the last pass (hidden rows collapse to nothing).
    bool RowVisible(Statement::StatementSection section, int row) const;
    // Moves the focus to the next (or previous) visible statement row; false when there is none.
    bool MoveRowFocus(bool down);
    // Puts the focus on a statement row, scrolls it into the body and repaints.
    void FocusRow(Statement::StatementSection section, int row);
    void CycleFocus(bool forward);
    // Moves the selection of the focused tab row by one.
    void StepTabSelection(int step);
    void ScrollHorizontally(int delta);
    void ScrollVertically(int delta);
    void ToggleSeries(int series);

    StdViewState state_;
};
