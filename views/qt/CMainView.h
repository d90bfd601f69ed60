#pragma once

#include <functional>

#include <QWidget>

#include "database/LayoutKey.h"
#include "document/Edition.h"
#include "views/PaperFit.h"
#include "views/ShownTable.h"
#include "views/StatementAccess.h"

class QCheckBox;
class QResizeEvent;
class QScrollBar;
class QWheelEvent;
class CMainDoc;

// The common base of the edition views: it owns the two scroll bars and the "Offset Year" check
// box, and answers the small interface through which the frame, the document and printing talk
// to any edition's view. LayoutKey::kNoEntry means "no entry at this level".
class CMainView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHorzScrollId = 101;
    static constexpr int kVertScrollId = 102;
    static constexpr int kOffsetYearId = 1190;
    // Width of a scroll bar and of the strip the drawing area leaves for it.
    static constexpr int kScrollBarSize = 21;

    CMainView(CMainDoc& doc, Edition edition, QWidget* parent = nullptr);
    ~CMainView() override;

    CMainDoc& Document() const { return doc_; }
    Edition GetEdition() const { return edition_; }

    // Both scroll positions to 0 (editions also drop their own position state).
    virtual void ResetScroll();
    // Repaints the whole window.
    virtual void Redraw();
    // The forecast row of the focused statement row: category and index, kNoEntry without focus.
    virtual int FocusCategory() const { return LayoutKey::kNoEntry; }
    virtual int FocusIndex() const { return LayoutKey::kNoEntry; }
    // Moves the focus to the row the key names (null: none).
    virtual void FocusItem(const LayoutKey* item);
    virtual int SelectedView() const { return LayoutKey::kNoEntry; }
    virtual int SelectedScenario() const { return LayoutKey::kNoEntry; }
    virtual int SelectedCompany() const { return LayoutKey::kNoEntry; }
    virtual int SelectedYear() const { return LayoutKey::kNoEntry; }
    virtual int SelectedGraph() const { return LayoutKey::kNoEntry; }
    virtual void SelectView(int index);
    virtual void SelectScenario(int index);
    virtual void SelectCompany(int index);
    virtual void SelectYear(int index);
    virtual void SelectGraph(int index);

    // The keyboard focus in the edition's own terms: the level it stands on (a tab row or a part
    // of the statement) and the row there; kNoEntry for none.
    struct FocusPlace {
        int level = LayoutKey::kNoEntry;
        int row = LayoutKey::kNoEntry;
        bool operator==(const FocusPlace&) const = default;
    };
    virtual FocusPlace CurrentFocus() const { return {}; }
    // Puts back a focus CurrentFocus gave, if the forecast shown still has it; otherwise the
    // view has no focus.
    virtual void RestoreFocus(const FocusPlace& focus);

    // The window's part of reading a file, called once the document has read one: the check
    // box takes the file's state, both scroll bars go to 0, the selection goes to the first
    // view, scenario, company and year, then the edition resets what it keeps.
    virtual void DocumentLoaded();
    // Another file was opened (or the same one again) or a new forecast made: the printing
    // choices the view kept for the last one go, so the next print starts from the tab on
    // screen. A file read again after another program saved it keeps them.
    virtual void ForgetPrintChoices() {}

    // What the view shows, as a table, with the rows its highlight stands on: the statement or
    // graph page of the selection, sections and sub-columns as on screen.
    virtual ShownTable ShownStatement() { return {}; }
    // Edit > Copy: the highlighted row, or (with the highlight on a tab or nowhere) everything
    // shown, onto the clipboard as tab-separated text and as an HTML table at once. False when
    // the view shows nothing to copy.
    bool CopyToClipboard();
    // The client size that shows the whole statement without scrolling, as the last pass found
    // it: the window's own size, widened and lengthened by what the scroll bars reach.
    virtual QSize WholeSize() const { return size(); }

    // Called with true (zoom in) or false (zoom out) when Ctrl + wheel asks the frame to zoom;
    // ZoomRequested is emitted as well.
    void SetZoomCallback(std::function<void(bool in)> callback);
    // The font, size or zoom changed: the next pass re-places the scroll bars; repaints.
    virtual void InvalidateLayout();

    // What assistive technology is told about the view, as of its last pass.
    const StatementAccess& Access();
    // A screen reader's press on a tab or a control of Access(): what a click on it does.
    virtual void ActivateAccessTab(int list, int tab);
    virtual void PressAccessControl(int control);
    // A screen reader asks for a row of Access()'s table: the keyboard highlight moves there
    // and the row scrolls into view, where the highlight can stand on it.
    virtual void FocusAccessRow(int row);
    // The same for a cell, whose column also scrolls sideways into view.
    void FocusAccessCell(int row, int column);

    // What a reader is told about a cell besides its text (a comparison's older amount); set by
    // whoever marks cells, empty by default.
    std::function<QString(int row, int column)> cellDescription;

    // How the edition's printouts are laid across the paper (the settings keep it, Page Setup
    // changes it); the Advanced edition repeats the row labels always.
    const PaperFit& GetPaperFit() const { return paperFit_; }
    void SetPaperFit(PaperFit fit);

    QCheckBox* OffsetYearBox() const { return offsetYear_; }
    QScrollBar* HorizontalBar() const { return hBar_; }
    QScrollBar* VerticalBar() const { return vBar_; }

signals:
    void ZoomRequested(bool zoomIn);
    // SetPaperFit changed the fit.
    void PaperFitChanged(const PaperFit& fit);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The window's size widened and lengthened by what scroll ranges of the given maximum and
    // page reach beyond it.
    QSize SizeWithScrolled(int hMax, int hPage, int vMax, int vPage) const;
    // Asks the frame to zoom in or out.
    void RequestZoom(bool zoomIn);
    // A wheel turned with Ctrl or Shift held: one zoom step per notch of 120 units, summed over
    // events, so a fine-grained wheel or a touchpad steps once a notch rather than once an event.
    void ZoomByWheel(int delta);
    // Lines one wheel step scrolls: the system's setting, 3 when it gives none.
    static int WheelScrollLines();
    // What a wheel event does to either edition's view: with Ctrl or Shift it zooms
    // (ZoomByWheel); otherwise, where the view `scrolls`, it answers how far down to scroll,
    // WheelScrollLines lines of `lineHeight` a notch, keeping what is short of a notch for the
    // next event (0 when nothing is to scroll).
    int WheelScrollDelta(QWheelEvent* event, bool scrolls, int lineHeight);
    // Whether Shift is held for a key press: the event's modifiers, or a press of the Shift key
    // itself not yet released.
    bool ShiftHeld(const QKeyEvent* event);
    void keyReleaseEvent(QKeyEvent* event) override;

    // The edition's description of what its last pass showed.
    virtual StatementAccess BuildAccess() { return {}; }
    // Called after every screen pass: once assistive technology has read the description or
    // listens, it is made afresh and what changed is announced; otherwise it is made when next
    // asked for.
    void AccessAfterPass();

    // Set on construction and resize: the next pass re-places the scroll bars and the box.
    bool layoutDirty = true;

private:
    CMainDoc& doc_;
    Edition edition_;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    QCheckBox* offsetYear_ = nullptr;
    std::function<void(bool)> zoomCallback_;
    int zoomWheelRemainder_ = 0;
    int scrollWheelRemainder_ = 0;
    bool shiftDown_ = false;
    StatementAccess access_;
    bool accessStale_ = true;
    bool accessRead_ = false;
    PaperFit paperFit_;
};
