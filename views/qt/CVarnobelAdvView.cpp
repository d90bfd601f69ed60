#include "views/qt/CVarnobelAdvView.h"

#include <algorithm>

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "display/Palette.h"
#include "document/CMainDoc.h"
#include "platform/QtDeviceContext.h"
#include "views/AdvAccess.h"
#include "views/AdvDrawPass.h"
#include "views/AdvInput.h"
#include "views/AdvViewState.h"

namespace {

// A pass that finds the column widths changed repaints; widths settle on the second pass, so a
// few more mean something keeps changing and the view stops asking.
constexpr int kMaxUnsettledPasses = 3;

QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
}

// The cursor of a pan direction: -1, 0 or 1 across and down.
Qt::CursorShape PanCursor(int across, int down) {
    if (across == 0 && down == 0)
        return Qt::SizeAllCursor;
    if (across == 0)
        return Qt::SizeVerCursor;
    if (down == 0)
        return Qt::SizeHorCursor;
    return across == down ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

CVarnobelAdvView::CVarnobelAdvView(CMainDoc& doc, QWidget* parent)
    : CMainView(doc, Edition::Advanced, parent) {
    connect(HorizontalBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    connect(VerticalBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    panTimer_.setInterval(kPanInterval);
    connect(&panTimer_, &QTimer::timeout, this, [this] { PanStep(mapFromGlobal(QCursor::pos())); });
    setMouseTracking(true);
}

CVarnobelAdvView::~CVarnobelAdvView() = default;

int CVarnobelAdvView::SelectedView() const {
    return state_.currentKey[LayoutKey::kView];
}
int CVarnobelAdvView::SelectedScenario() const {
    return state_.currentKey[LayoutKey::kScenario];
}
int CVarnobelAdvView::SelectedCompany() const {
    return state_.currentKey[LayoutKey::kCompany];
}
int CVarnobelAdvView::SelectedYear() const {
    return state_.currentKey[LayoutKey::kYear];
}
int CVarnobelAdvView::SelectedGraph() const {
    return state_.currentKey[LayoutKey::kGraph];
}

int CVarnobelAdvView::FocusCategory() const {
    return state_.highlightKey[LayoutKey::kCategory];
}

int CVarnobelAdvView::FocusIndex() const {
    return state_.highlightKey[LayoutKey::kPosition];
}

void CVarnobelAdvView::FocusItem(const LayoutKey* item) {
    FocusKey(state_, item);
    if (item)
        state_.bringIntoView = true;
    Redraw();
}

CMainView::FocusPlace CVarnobelAdvView::CurrentFocus() const {
    const AdvLevel level = HighlightLevel(state_);
    if (level == AdvLevel::None || level == AdvLevel::Rows)
        return {};
    return {static_cast<int>(level), LayoutKey::kNoEntry};
}

void CVarnobelAdvView::RestoreFocus(const FocusPlace& focus) {
    HighlightCurrentTab(state_, Document().Root(), static_cast<AdvLevel>(focus.level));
    Redraw();
}

void CVarnobelAdvView::SelectLevel(int level, int index) {
    if (state_.currentKey[level] == index)
        return;
    state_.currentKey[level] = index;
    Redraw();
}

void CVarnobelAdvView::SelectView(int index) {
    SelectLevel(LayoutKey::kView, index);
}
void CVarnobelAdvView::SelectScenario(int index) {
    SelectLevel(LayoutKey::kScenario, index);
}
void CVarnobelAdvView::SelectCompany(int index) {
    SelectLevel(LayoutKey::kCompany, index);
}
void CVarnobelAdvView::SelectYear(int index) {
    SelectLevel(LayoutKey::kYear, index);
}

void CVarnobelAdvView::SelectGraph(int index) {
    if (index == LayoutKey::kNoEntry || state_.currentKey[LayoutKey::kGraph] == index)
        return;
    FocusKey(state_, nullptr);
    VerticalBar()->setValue(0);
    SelectLevel(LayoutKey::kGraph, index);
}

void CVarnobelAdvView::DropStatement() {
    state_.lists = AdvStatement();
}

bool CVarnobelAdvView::StatementStale() const {
    return !state_.ListsCurrent(Document().Revision());
}

void CVarnobelAdvView::DocumentLoaded() {
    StopPanning();
    DropStatement();
    const Display::LayoutMetrics fresh;
    state_.metrics = fresh;
    state_.currentKey = AdvInitialKey();
    FocusKey(state_, nullptr);
    state_.notesHighlightKey = LayoutKey();
    OffsetYearBox()->setChecked(Document().offsetYearChecked != 0);
    ResetScroll();
    CMainView::InvalidateLayout();
}

LayoutKey& CVarnobelAdvView::CurrentKey() {
    return state_.currentKey;
}

void CVarnobelAdvView::InvalidateLayout() {
    DropStatement();
    CMainView::InvalidateLayout();
}

ShownTable CVarnobelAdvView::ShownStatement() {
    return AdvShownTable(Document(), state_);
}

QSize CVarnobelAdvView::WholeSize() const {
    return SizeWithScrolled(state_.hScrollMax, state_.hScrollPage, state_.vScrollMax,
                            state_.vScrollPage);
}

void CVarnobelAdvView::SetPrinting(bool printing) {
    printing_ = printing;
    update();
}

void CVarnobelAdvView::paintEvent(QPaintEvent*) {
    QtDeviceContext dc(*this);
    if (printing_) {
        dc.FillRect(Rect{0, 0, width(), height()}, Display::kWhite);
        return;
    }
    AdvPassInput input;
    input.client = Rect{0, 0, width(), height()};
    input.hScroll = HorizontalBar()->value();
    input.vScroll = VerticalBar()->value();
    RunAdvDrawPass(dc, Document(), state_, input);
    PlaceScrollBars();

    if (state_.scrollDelta != 0) {
        const int delta = state_.scrollDelta;
        state_.scrollDelta = 0;
        VerticalBar()->setValue(VerticalBar()->value() + delta);
    }
    unsettledPasses_ = state_.settled ? 0 : unsettledPasses_ + 1;
    if (!state_.settled && unsettledPasses_ < kMaxUnsettledPasses)
        update();
    AccessAfterPass();
}

StatementAccess CVarnobelAdvView::BuildAccess() {
    // Objects of a statement that is to be built again stand for what changed.
    if (StatementStale())
        return {};
    return AdvStatementAccess(Document(), state_);
}

void CVarnobelAdvView::ActivateAccessTab(int list, int tab) {
    if (StatementStale() || list < 0 || tab < 0)
        return;
    if (ActivateAdvTab(state_, static_cast<std::size_t>(list), static_cast<std::size_t>(tab)) !=
        AdvClick::Nothing)
        Redraw();
}

void CVarnobelAdvView::PressAccessControl(int control) {
    if (StatementStale() || control < 0)
        return;
    if (PressAdvControl(Document(), state_, static_cast<std::size_t>(control)) != AdvClick::Nothing)
        Redraw();
}

void CVarnobelAdvView::FocusAccessRow(int row) {
    const StatementAccess& access = Access();
    if (StatementStale() || row < 0 || row >= access.table.RowCount() || state_.lists.graphPage)
        return;
    const std::size_t entry = access.table.sources[static_cast<std::size_t>(row)];
    const auto& entries = state_.lists.model->entries;
    if (entry >= entries.size())
        return;
    const Statement::AdvEntry& shown = entries[entry];
    // Summary rows and notes take no row highlight.
    if (shown.kind == Statement::AdvEntryKind::Summary ||
        shown.kind == Statement::AdvEntryKind::NoteEntry)
        return;
    state_.highlightKey = shown.key;
    state_.highlightEntry = static_cast<int>(entry);
    state_.bringIntoView = true;
    Redraw();
}

void CVarnobelAdvView::PlaceScrollBars() {
    QScrollBar* hBar = HorizontalBar();
    QScrollBar* vBar = VerticalBar();
    const Display::LayoutMetrics& m = state_.metrics;
    if (m.vScrollBar.IsEmpty() || m.hScrollBar.IsEmpty() || m.graphPage) {
        hBar->hide();
        vBar->hide();
        return;
    }
    // The content stops short of the bars, so they never cover a figure.
    Rect vRect = m.vScrollBar;
    vRect.top = std::max(vRect.top, state_.body.top);
    hBar->setGeometry(ToQRect(m.hScrollBar));
    vBar->setGeometry(ToQRect(vRect));
    const auto setRange = [](QScrollBar* bar, int maximum, int page, int step) {
        page = std::max(page, 1);
        bar->setPageStep(page);
        bar->setSingleStep(std::max(1, step));
        bar->setRange(0, std::max(0, maximum - page));
    };
    setRange(hBar, state_.hScrollMax, state_.hScrollPage, state_.hScrollPage / 20);
    setRange(vBar, state_.vScrollMax, state_.vScrollPage, state_.lineHeight);
    hBar->show();
    vBar->show();
    layoutDirty = false;
}

void CVarnobelAdvView::ScrollBy(int dx, int dy) {
    if (dx != 0)
        HorizontalBar()->setValue(HorizontalBar()->value() + dx);
    if (dy != 0)
        VerticalBar()->setValue(VerticalBar()->value() + dy);
}

void CVarnobelAdvView::StopPanning() {
    if (!panning_)
        return;
    panning_ = false;
    panTimer_.stop();
    unsetCursor();
    Redraw();
}

void CVarnobelAdvView::PanStep(QPoint mouse) {
    if (!panning_)
        return;
    const int dx = PanSpeed(mouse.x() - anchor_.x(), kPanFactorX);
    const int dy = PanSpeed(mouse.y() - anchor_.y(), kPanFactorY);
    const auto move = [](QScrollBar* bar, int delta, bool& atEnd) {
        const int target = std::clamp(bar->value() + delta, bar->minimum(), bar->maximum());
        bar->setValue(target);
        atEnd = delta != 0 && (target == bar->minimum() || target == bar->maximum());
    };
    move(HorizontalBar(), dx, hAtEnd_);
    move(VerticalBar(), dy, vAtEnd_);
    setCursor(PanCursor(Sign(dx), Sign(dy)));
}

void CVarnobelAdvView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (panning_) {
        StopPanning();
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        // Objects are stale until the statement is built again.
        if (!StatementStale())
            ClickAt(Document(), state_, Point{p.x(), p.y()});
        Redraw();
        event->accept();
        return;
    }
    if (event->button() == Qt::MiddleButton && state_.body.Contains(Point{p.x(), p.y()})) {
        panning_ = true;
        anchor_ = p;
        setCursor(Qt::SizeAllCursor);
        panTimer_.start();
        event->accept();
        return;
    }
    CMainView::mousePressEvent(event);
}

void CVarnobelAdvView::mouseReleaseEvent(QMouseEvent* event) {
    StopPanning();
    CMainView::mouseReleaseEvent(event);
}

void CVarnobelAdvView::mouseDoubleClickEvent(QMouseEvent* event) {
    StopPanning();
    CMainView::mouseDoubleClickEvent(event);
}

void CVarnobelAdvView::mouseMoveEvent(QMouseEvent* event) {
    if (panning_)
        PanStep(event->position().toPoint());
    CMainView::mouseMoveEvent(event);
}

void CVarnobelAdvView::wheelEvent(QWheelEvent* event) {
    ScrollBy(0, WheelScrollDelta(event, !state_.metrics.graphPage, state_.lineHeight));
}

bool CVarnobelAdvView::focusNextPrevChild(bool) {
    // Tab and Shift+Tab walk the highlight inside the view.
    return false;
}

void CVarnobelAdvView::keyPressEvent(QKeyEvent* event) {
    const bool shift = ShiftHeld(event);
    const int bodyWidth = std::max(1, state_.hScrollPage);
    const int bodyHeight = std::max(1, state_.body.Height());
    const bool stale = StatementStale();
    switch (event->key()) {
    case Qt::Key_Shift:
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!stale)
            WalkLevels(state_, event->key() == Qt::Key_Tab && !shift);
        Redraw();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool forward = event->key() == Qt::Key_Right || event->key() == Qt::Key_Down;
        const bool across = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
        const bool onRows = HighlightLevel(state_) == AdvLevel::Rows;
        // On the rows, Left and Right still scroll across.
        if (!stale && !(onRows && across) && StepHighlight(state_, forward)) {
            Redraw();
            break;
        }
        const int step = forward ? 1 : -1;
        if (across)
            ScrollBy(step * std::max(1, bodyWidth / 20), 0);
        else
            ScrollBy(0, step * std::max(1, bodyHeight / 20));
        break;
    }
    case Qt::Key_PageUp:
        ScrollBy(0, -bodyHeight);
        break;
    case Qt::Key_PageDown:
        ScrollBy(0, bodyHeight);
        break;
    case Qt::Key_Escape:
        FocusItem(nullptr);
        break;
    default:
        CMainView::keyPressEvent(event);
        return;
    }
    event->accept();
}
