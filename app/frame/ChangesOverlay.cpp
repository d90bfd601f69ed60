#include "app/frame/ChangesOverlay.h"

#include <unordered_map>

#include <QHelpEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolTip>

#include "document/CMainDoc.h"
#include "platform/QtText.h"
#include "views/ShownTable.h"
#include "views/qt/CMainView.h"

using namespace Statement;

namespace {

// A light amber under the figure, and a darker corner mark that does not rely on colour.
const QColor kTint(255, 196, 0, 70);
const QColor kMark(176, 72, 0);
constexpr int kMarkSize = 7;

QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

// Whether a tab's label names a statement path's part: a scenario's tab adds its weight,
// "Expected (Wt = 3)".
bool TabNames(const std::string& label, const std::string& part) {
    return label == part || (label.size() > part.size() + 2 && label.starts_with(part) &&
                             label.compare(part.size(), 2, " (") == 0);
}

void DrawMark(QPainter& painter, const QRect& rect, bool tint) {
    if (tint)
        painter.fillRect(rect, kTint);
    const int size = std::min({kMarkSize, rect.width(), rect.height()});
    const QPoint corner = rect.topRight();
    painter.setBrush(kMark);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({corner, corner - QPoint(size, 0), corner + QPoint(0, size)}));
}

} // namespace

ChangesOverlay::ChangesOverlay(CMainView& view) : QWidget(&view), view_(view) {
    setObjectName(QStringLiteral("changesOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(view.rect());
    view.installEventFilter(this);
    hide();
}

void ChangesOverlay::SetComparison(std::shared_ptr<const ForecastComparison> comparison) {
    comparison_ = std::move(comparison);
    name_.clear();
    statement_ = nullptr;
    setVisible(comparison_ && shown_);
    raise();
    update();
}

void ChangesOverlay::SetMarksShown(bool shown) {
    shown_ = shown;
    setVisible(comparison_ && shown_);
    update();
}

const StatementChanges* ChangesOverlay::ShownChanges() {
    if (!comparison_)
        return nullptr;
    const StatementAccess& access = view_.Access();
    if (access.name == name_ && view_.Document().Revision() == revision_)
        return statement_;
    name_ = access.name;
    revision_ = view_.Document().Revision();
    statement_ = nullptr;
    const ShownTable shown = view_.ShownStatement();
    if (!shown.shown)
        return nullptr;
    for (const StatementChanges& statement : comparison_->statements)
        if (statement.newer != kUnmatched && statement.path == shown.table.path) {
            statement_ = &statement;
            break;
        }
    return statement_;
}

std::pair<int, int> ChangesOverlay::CellOf(const Change& change) {
    const StatementAccess& access = view_.Access();
    int row = -1;
    for (std::size_t r = 0; r < access.table.sources.size(); ++r)
        if (access.table.sources[r] == change.newerSource) {
            row = static_cast<int>(r);
            break;
        }
    if (row < 0 || change.kind != ChangeKind::Figure)
        return {row, row < 0 ? -1 : 0};
    const Text heading = FromUtf8(change.column);
    for (std::size_t c = 0; c < access.table.headings.size(); ++c)
        if (access.table.headings[c] == heading)
            return {row, static_cast<int>(c)};
    return {row, -1};
}

const std::vector<ChangesOverlay::Marked>& ChangesOverlay::MarkedCells() {
    marked_.clear();
    const StatementChanges* statement = ShownChanges();
    if (!statement)
        return marked_;
    const StatementAccess& access = view_.Access();
    std::unordered_map<std::size_t, int> rows;
    for (std::size_t r = 0; r < access.table.sources.size(); ++r)
        rows.emplace(access.table.sources[r], static_cast<int>(r));
    std::unordered_map<std::string, int> columns;
    for (std::size_t c = 0; c < access.table.headings.size(); ++c)
        columns.emplace(ToUtf8(access.table.headings[c]), static_cast<int>(c));
    for (const Change& change : statement->changes) {
        const auto row = rows.find(change.newerSource);
        if (row == rows.end())
            continue;
        if (change.kind == ChangeKind::RowAdded) {
            marked_.push_back({row->second, 0, &change});
            continue;
        }
        const auto column = columns.find(change.column);
        if (change.kind == ChangeKind::Figure && column != columns.end())
            marked_.push_back({row->second, column->second, &change});
    }
    return marked_;
}

QString ChangesOverlay::CellDescription(int row, int column) {
    if (!comparison_)
        return {};
    const bool cents = view_.Document().root && view_.Document().Root().cents != 0;
    for (const Marked& cell : MarkedCells())
        if (cell.row == row && cell.column == column)
            return QString::fromStdString(cell.change->Description(cents));
    return {};
}

bool ChangesOverlay::TabHasChanges(int list, int tab) {
    const StatementAccess& access = view_.Access();
    const auto lists = static_cast<int>(access.tabLists.size());
    const std::string label = ToUtf8(
        access.tabLists[static_cast<std::size_t>(list)].tabs[static_cast<std::size_t>(tab)].label);
    for (const StatementChanges& statement : comparison_->statements) {
        if (statement.changes.empty())
            continue;
        // The tab rows are the path's last parts, one each: the statement lies behind the tab
        // when its part is the tab's label and the rows above stand on its other parts.
        const int first = static_cast<int>(statement.path.size()) - lists;
        if (first < 0 || !TabNames(label, statement.path[static_cast<std::size_t>(first + list)]))
            continue;
        bool above = true;
        for (int l = 0; l < list && above; ++l) {
            const AccessTabList& row = access.tabLists[static_cast<std::size_t>(l)];
            bool selected = false;
            for (const AccessTab& other : row.tabs)
                selected =
                    selected || (other.selected &&
                                 TabNames(ToUtf8(other.label),
                                          statement.path[static_cast<std::size_t>(first + l)]));
            above = selected;
        }
        if (above)
            return true;
    }
    return false;
}

void ChangesOverlay::paintEvent(QPaintEvent*) {
    if (!comparison_ || !shown_)
        return;
    QPainter painter(this);
    const StatementAccess& access = view_.Access();
    for (const Marked& cell : MarkedCells())
        if (access.CellSeen(cell.row, cell.column))
            DrawMark(painter, ToQRect(access.CellRect(cell.row, cell.column)),
                     cell.change->kind == ChangeKind::Figure);
    for (std::size_t l = 0; l < access.tabLists.size(); ++l)
        for (std::size_t t = 0; t < access.tabLists[l].tabs.size(); ++t)
            if (TabHasChanges(static_cast<int>(l), static_cast<int>(t)))
                DrawMark(painter, ToQRect(access.tabLists[l].tabs[t].rect), false);
}

bool ChangesOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Resize) {
        setGeometry(view_.rect());
    } else if (event->type() == QEvent::ToolTip && comparison_ && shown_) {
        const QPoint at = static_cast<QHelpEvent*>(event)->pos();
        const StatementAccess& access = view_.Access();
        for (const Marked& cell : MarkedCells())
            if (ToQRect(access.CellRect(cell.row, cell.column)).contains(at)) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                                   CellDescription(cell.row, cell.column), &view_);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}
