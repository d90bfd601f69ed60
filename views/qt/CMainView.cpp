#include "platform/QtApplication.h"

#include "views/qt/CMainView.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "core/ClampToInt.h"
#include "document/CMainDoc.h"
#include "statement/TableHtml.h"
#include "statement/TableText.h"
#include "views/qt/access/ViewAccessible.h"

CMainView::CMainView(CMainDoc& doc, Edition edition, QWidget* parent)
    : QWidget(parent), doc_(doc), edition_(edition) {
    paperFit_.repeatLabels = edition == Edition::Advanced;
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    hBar_->setObjectName(QString::number(kHorzScrollId));
    hBar_->setRange(0, 0);
    hBar_->hide();
    vBar_ = new QScrollBar(Qt::Vertical, this);
    vBar_->setObjectName(QString::number(kVertScrollId));
    vBar_->setRange(0, 0);
    vBar_->hide();
    // The bars scroll the view; the keyboard stays with the view itself.
    hBar_->setFocusPolicy(Qt::NoFocus);
    vBar_->setFocusPolicy(Qt::NoFocus);

    offsetYear_ = new QCheckBox(QStringLiteral("Offset Year"), this);
    offsetYear_->setObjectName(QString::number(kOffsetYearId));
    offsetYear_->setGeometry(0, 0, 95, 20);
    offsetYear_->setFocusPolicy(Qt::NoFocus);
    // Shown only with the graphs page, which it drives.
    offsetYear_->hide();
    connect(offsetYear_, &QCheckBox::toggled, this, [this] { Redraw(); });

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Statement"));
    InstallStatementAccessibility();
}

CMainView::~CMainView() = default;

void CMainView::ResetScroll() {
    hBar_->setValue(0);
    vBar_->setValue(0);
}

void CMainView::Redraw() {
    update();
}

void CMainView::FocusItem(const LayoutKey*) {}
void CMainView::ActivateAccessTab(int, int) {}
void CMainView::PressAccessControl(int) {}
void CMainView::FocusAccessRow(int) {}

void CMainView::FocusAccessCell(int row, int column) {
    const int across = Access().ScrollToColumn(column);
    FocusAccessRow(row);
    if (across != 0)
        hBar_->setValue(hBar_->value() + across);
}

const StatementAccess& CMainView::Access() {
    accessRead_ = true;
    if (accessStale_) {
        access_ = BuildAccess();
        accessStale_ = false;
    }
    return access_;
}

void CMainView::AccessAfterPass() {
    // Nothing to tell before anyone has read the description or listens on the platform's bus.
    if (!accessRead_ && !QAccessible::isActive()) {
        accessStale_ = true;
        return;
    }
    StatementAccess before = std::move(access_);
    access_ = BuildAccess();
    accessStale_ = false;
    AnnounceAccessChanges(*this, before, access_);
}
void CMainView::SelectView(int) {}
void CMainView::SelectScenario(int) {}
void CMainView::SelectCompany(int) {}
void CMainView::SelectYear(int) {}
void CMainView::SelectGraph(int) {}
void CMainView::RestoreFocus(const FocusPlace&) {}

void CMainView::DocumentLoaded() {
    offsetYear_->setChecked(doc_.offsetYearChecked != 0);
    hBar_->setValue(0);
    vBar_->setValue(0);

    // min(n - 2, 0): the first real entry, or the combined one (-1) when it stands alone.
    const Database::CTabView* view = doc_.Root().views.Find(0);
    const int scenarios = view ? view->ScenarioCount() : 0;
    const Database::CScenario* combined = view ? view->FindScenario(-1) : nullptr;
    const int companies = combined ? combined->CompanyCount() : 0;
    SelectView(0);
    SelectScenario(std::min(scenarios - 2, 0));
    SelectCompany(std::min(companies - 2, 0));
    SelectYear(0);
    Redraw();
}

void CMainView::SetZoomCallback(std::function<void(bool in)> callback) {
    zoomCallback_ = std::move(callback);
}

void CMainView::InvalidateLayout() {
    layoutDirty = true;
    Redraw();
}

void CMainView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    InvalidateLayout();
}

bool CMainView::ShiftHeld(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift)
        shiftDown_ = true;
    return shiftDown_ || (event->modifiers() & Qt::ShiftModifier);
}

void CMainView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift)
        shiftDown_ = false;
    QWidget::keyReleaseEvent(event);
}

void CMainView::SetPaperFit(PaperFit fit) {
    fit.pagesWide = std::clamp(fit.pagesWide, 0, PaperFit::kMostPagesWide);
    fit.repeatLabels = fit.repeatLabels || edition_ == Edition::Advanced;
    if (fit == paperFit_)
        return;
    paperFit_ = fit;
    emit PaperFitChanged(paperFit_);
}

void CMainView::RequestZoom(bool zoomIn) {
    if (zoomCallback_)
        zoomCallback_(zoomIn);
    emit ZoomRequested(zoomIn);
}

namespace {
// The units of one wheel notch.
constexpr int kNotch = 120;
} // namespace

void CMainView::ZoomByWheel(int delta) {
    zoomWheelRemainder_ += delta;
    const int steps = zoomWheelRemainder_ / kNotch;
    zoomWheelRemainder_ -= steps * kNotch;
    for (int i = 0; i < std::abs(steps); ++i)
        RequestZoom(steps > 0); // away from the user zooms in
}

int CMainView::WheelScrollDelta(QWheelEvent* event, bool scrolls, int lineHeight) {
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    event->accept();
    if (delta == 0)
        return 0;
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        ZoomByWheel(delta);
        return 0;
    }
    if (!scrolls)
        return 0;
    // Fine-grained wheels send small deltas: keep the remainder for the next event.
    scrollWheelRemainder_ += delta;
    const int steps = scrollWheelRemainder_ / kNotch;
    scrollWheelRemainder_ -= steps * kNotch;
    return -steps * WheelScrollLines() * std::max(1, lineHeight);
}

int CMainView::WheelScrollLines() {
    const int lines = QApplication::wheelScrollLines();
    return lines > 0 ? lines : 3;
}

QSize CMainView::SizeWithScrolled(int hMax, int hPage, int vMax, int vPage) const {
    const auto widened = [](int side, int maximum, int page) {
        return ClampToInt(static_cast<std::int64_t>(side) + std::max(0, maximum - page));
    };
    return QSize(widened(width(), hMax, hPage), widened(height(), vMax, vPage));
}

bool CMainView::CopyToClipboard() {
    const ShownTable shown = ShownStatement();
    if (!shown.shown)
        return false;
    const Statement::StatementTable& table = shown.table;
    const Statement::TableRowRange& rows = shown.highlighted;
    const bool row = !rows.Empty();
    auto data = std::make_unique<QMimeData>();
    data->setText(
        QString::fromStdString(row ? Statement::TableRowsText(table, rows.first, rows.last)
                                   : Statement::TableText(table)));
    data->setHtml(
        QString::fromStdString(row ? Statement::TableRowsHtml(table, rows.first, rows.last)
                                   : Statement::TableHtml(table)));
    QGuiApplication::clipboard()->setMimeData(data.release());
    return true;
}
