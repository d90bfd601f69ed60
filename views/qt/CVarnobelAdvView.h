#pragma once

#include <memory>

#include <QPoint>
#include <QTimer>

#include "views/AdvViewState.h"
#include "views/qt/CMainView.h"

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QWheelEvent;

// The Advanced edition's view: the statement of one year (or one graph page) of one company of
// one scenario of one view, built from layout objects, with tabs on four nested panels,
// sections that open and close, sub-column toggles, middle-button panning, the wheel and keys.
class CVarnobelAdvView : public CMainView {
    Q_OBJECT

public:
    static constexpr int kPanInterval = 100; // milliseconds between pan steps

    explicit CVarnobelAdvView(CMainDoc& doc, QWidget* parent = nullptr);
    ~CVarnobelAdvView() override;

    // Key, highlights, objects and metrics of the last pass.
    AdvViewState& State() { return state_; }
    const AdvViewState& State() const { return state_; }
    // The forecast object shown, which printing moves along and puts back.
    LayoutKey& CurrentKey();

    int FocusCategory() const override;
    int FocusIndex() const override;
    void FocusItem(const LayoutKey* item) override;
    // The tab row the highlight stands on (its AdvLevel); none for a highlighted row, which
    // comes back through FocusItem by its forecast key.
    FocusPlace CurrentFocus() const override;
    void RestoreFocus(const FocusPlace& focus) override;
    int SelectedView() const override;
    int SelectedScenario() const override;
    int SelectedCompany() const override;
    int SelectedYear() const override;
    int SelectedGraph() const override;
    void SelectView(int index) override;
    void SelectScenario(int index) override;
    void SelectCompany(int index) override;
    void SelectYear(int index) override;
    void SelectGraph(int index) override;
    void DocumentLoaded() override;
    void InvalidateLayout() override;
    ShownTable ShownStatement() override;
    QSize WholeSize() const override;

    void ActivateAccessTab(int list, int tab) override;
    void PressAccessControl(int control) override;
    void FocusAccessRow(int row) override;

    // While a print job moves the key along the years, the window shows a plain background
    // rather than a statement built for one year drawn against another.
    void SetPrinting(bool printing);
    bool PrintingShown() const { return printing_; }

    // Whether middle-button panning is running.
    bool Panning() const { return panning_; }
    // One pan step for the mouse at the point (the timer's tick and mouse moves call it).
    void PanStep(QPoint mouse);

protected:
    StatementAccess BuildAccess() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Stores one level of the current key and builds the statement again.
    void SelectLevel(int level, int index);
    // Drops the statement's objects: they stand for a forecast that is going away or changed.
    void DropStatement();
    // Whether the statement's objects are to be built again before they answer clicks and keys.
    bool StatementStale() const;
    void PlaceScrollBars();
    void StopPanning();
    void ScrollBy(int dx, int dy);

    AdvViewState state_;
    // Passes in a row that found the column widths still changing.
    int unsettledPasses_ = 0;

    bool printing_ = false;
    bool panning_ = false;
    QPoint anchor_;
    QTimer panTimer_;
    bool hAtEnd_ = false;
    bool vAtEnd_ = false;
};
