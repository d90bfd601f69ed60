#include "views/qt/CVarnobelStdView.h"

#include <algorithm>
#include <optional>

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "platform/QtDeviceContext.h"
#include "views/StdAccess.h"

using namespace Statement;

namespace {

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

// The year whose category counts shape the statement: the first view's year at the index (the
// combined scenario's combined company), else the shown year itself.
const Database::CYear* CountsYear(const CMainDoc& doc, int scenario, int company, int year) {
    if (const Database::CYear* counts = doc.Root().Year(year))
        return counts;
    const Database::CTabView* view = doc.Root().views.Find(0);
    const Database::CScenario* s = view ? view->FindScenario(scenario) : nullptr;
    const Database::CCompany* c = s ? s->FindCompany(company) : nullptr;
    return c ? c->FindYear(year) : nullptr;
}

} // namespace

CVarnobelStdView::CVarnobelStdView(CMainDoc& doc, QWidget* parent)
    : CVarnobelStdView(doc, Edition::Standard, parent) {}

CVarnobelStdView::CVarnobelStdView(CMainDoc& doc, Edition edition, QWidget* parent)
    : CMainView(doc, edition, parent) {
    connect(HorizontalBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    connect(VerticalBar(), &QScrollBar::valueChanged, this, [this] { update(); });
}

CVarnobelStdView::~CVarnobelStdView() = default;

void CVarnobelStdView::ResetScroll() {
    CMainView::ResetScroll();
    state_.ClearFocus();
}

CVarnobelStdView::RowAddress CVarnobelStdView::FocusedRow() const {
    using namespace Database;
    using Section = StatementSection;
    const std::optional<Section> focused = FocusedSection(state_.focusSection);
    const int row = state_.focusRow;
    if (!focused || row < 0)
        return {LayoutKey::kNoEntry, LayoutKey::kNoEntry};
    const Section section = *focused;
    // The category of the section's own items, which come before any investments and loans.
    int category = LayoutKey::kNoEntry;
    switch (section) {
    case Section::DirectCosts:
        return {kDirectCost, row};
    case Section::Expenses:
        return {kExpense, row};
    case Section::CapitalExpenses:
        return {kCapitalExpense, row};
    case Section::Interest:
        return row == 0 ? RowAddress{kBank, 0} : RowAddress{kLoan, row - 1};
    case Section::Tax:
        return {kTax, 0};
    case Section::Bank:
        return {kBank, 0};
    case Section::Investments:
        return {kInvestment, row};
    case Section::Loans:
        return {kLoan, row};
    case Section::Income:
        category = kIncome;
        break;
    case Section::CapitalReceipts:
        category = kCapitalReceipt;
        break;
    case Section::CapitalPayments:
        category = kCapitalPayment;
        break;
    }
    // Income shows its items, then investments; the capital receipts and payments their items,
    // then investments, then loans.
    const CYear* year = CountsYear(Document(), state_.selectedScenario, state_.selectedCompany,
                                   state_.selectedYear);
    if (!year)
        return {LayoutKey::kNoEntry, LayoutKey::kNoEntry};
    const int items = year->ItemCount(category);
    if (row < items)
        return {category, row};
    if (section == Section::Income)
        return {kInvestment, row - items};
    const int investments = year->ItemCount(kInvestment);
    if (row < items + investments)
        return {kInvestment, row - items};
    return {kLoan, row - items - investments};
}

int CVarnobelStdView::FocusCategory() const { return FocusedRow().category; }

int CVarnobelStdView::FocusIndex() const { return FocusedRow().index; }

void CVarnobelStdView::FocusItem(const LayoutKey*) {
    state_.ClearFocus();
    Redraw();
}

CMainView::FocusPlace CVarnobelStdView::CurrentFocus() const {
    if (state_.focusSection == FocusSection::None)
        return {};
    return {static_cast<int>(state_.focusSection), state_.focusRow};
}

void CVarnobelStdView::RestoreFocus(const FocusPlace& focus) {
    state_.ClearFocus();
    const auto level = static_cast<FocusSection>(focus.level);
    const std::vector<FocusSection> tabRows = FocusTabRows();
    if (std::find(tabRows.begin(), tabRows.end(), level) != tabRows.end()) {
        state_.FocusTabRow(level);
    } else if (const std::optional<StatementSection> section = FocusedSection(level);
               section && focus.row >= 0) {
        state_.FocusStatementRow(*section, focus.row);
        // Kept only while the forecast still has the row it shows.
        const RowAddress row = FocusedRow();
        const Database::CYear* year = CountsYear(Document(), state_.selectedScenario,
                                                 state_.selectedCompany, state_.selectedYear);
        if (!year || row.category == LayoutKey::kNoEntry || row.index >= year->ItemCount(row.category))
            state_.ClearFocus();
    }
    Redraw();
}

void CVarnobelStdView::SelectScenario(int index) {
    state_.selectedScenario = index;
    Redraw();
}

void CVarnobelStdView::SelectCompany(int index) {
    state_.selectedCompany = index;
    Redraw();
}

void CVarnobelStdView::SelectYear(int index) {
    state_.selectedYear = index;
    Redraw();
}

void CVarnobelStdView::DocumentLoaded() {
    // Legend clicks last for one forecast; the next file shows its own series.
    state_.seriesShownOverride.clear();
    CMainView::DocumentLoaded();
    EditionLoadStep();
    Redraw();
}

void CVarnobelStdView::EditionLoadStep() {
    state_.ClearFocus();
    InvalidateLayout();
    HorizontalBar()->setValue(0);
    VerticalBar()->setValue(0);
    state_.selectedScenario = 0;
    state_.selectedCompany = 0;
    state_.selectedYear = 0;
}

std::vector<FocusSection> CVarnobelStdView::FocusTabRows() const {
    return {FocusSection::ScenarioTabs, FocusSection::CompanyTabs, FocusSection::YearTabs};
}

bool CVarnobelStdView::SeriesShown(int series) const {
    if (series < 0 || series >= CMainDoc::kSeries)
        return false;
    return state_.SeriesShown(Document().seriesShown)[static_cast<std::size_t>(series)];
}

ShownTable CVarnobelStdView::ShownStatement() {
    return StdShownTable(Document(), GetEdition(), state_, OffsetYearBox()->isChecked());
}

QSize CVarnobelStdView::WholeSize() const {
    return SizeWithScrolled(state_.hScrollMax, state_.hScrollPage, state_.vScrollMax,
                            state_.vScrollPage);
}

void CVarnobelStdView::paintEvent(QPaintEvent*) {
    QtDeviceContext dc(*this);
    StdPassInput input;
    input.edition = GetEdition();
    input.client = Rect{0, 0, width(), height()};
    input.hScroll = HorizontalBar()->value();
    input.vScroll = VerticalBar()->value();
    input.offsetYear = OffsetYearBox()->isChecked();
    input.offsetYearHeight = OffsetYearBox()->sizeHint().expandedTo(QSize(95, 20)).height();
    state_.layoutDirty = layoutDirty;
    RunStdDrawPass(dc, Document(), state_, input);
    PlaceControls();
    AccessAfterPass();
}

StatementAccess CVarnobelStdView::BuildAccess() {
    return StdStatementAccess(Document(), state_, GetEdition(), OffsetYearBox()->isChecked());
}

void CVarnobelStdView::ActivateAccessTab(int list, int tab) {
    // The lists as the description gives them: the Basic edition has the years alone.
    if (GetEdition() == Edition::Basic)
        list += 2;
    switch (list) {
    case 0:
        state_.FocusTabRow(FocusSection::ScenarioTabs);
        SelectScenario(tab - state_.scenarioTabOffset);
        break;
    case 1:
        state_.FocusTabRow(FocusSection::CompanyTabs);
        SelectCompany(tab - state_.companyTabOffset);
        break;
    case 2:
        state_.FocusTabRow(FocusSection::YearTabs);
        SelectYear(tab);
        break;
    default:
        break;
    }
}

void CVarnobelStdView::PressAccessControl(int control) {
    if (GraphsPageShown() && control >= 0 && control < CMainDoc::kSeries)
        ToggleSeries(control);
}

void CVarnobelStdView::FocusAccessRow(int row) {
    const StatementAccess& access = Access();
    if (row < 0 || row >= access.table.RowCount() || GraphsPageShown())
        return;
    // The line the table row shows, found in the statement the last pass drew.
    int scenario = state_.selectedScenario;
    int company = state_.selectedCompany;
    int year = state_.selectedYear;
    const StatementSelection selection =
        ResolveStatementSelection(Document().Root(), GetEdition(), scenario, company, year);
    const StatementModel& model = state_.statement.Get(Document(), selection, GetEdition());
    const std::size_t source = access.table.sources[static_cast<std::size_t>(row)];
    if (source >= model.lines.size())
        return;
    const StatementLine& line = model.lines[source];
    // The arrow keys pass over the tax block; it takes no highlight either, nor do headings and
    // totals, which are only brought into view.
    if (line.row >= 0 && line.section != StatementSection::Tax && RowVisible(line.section, line.row))
        FocusRow(line.section, line.row);
    else if (source < state_.lineRects.size())
        BringIntoBody(state_.lineRects[source]);
}

bool CVarnobelStdView::GraphsPageShown() const {
    return !state_.yearTabs.empty() &&
           state_.selectedYear == static_cast<int>(state_.yearTabs.size()) - 1;
}

int CVarnobelStdView::YearCount() const {
    return state_.yearTabs.empty() ? 0 : static_cast<int>(state_.yearTabs.size()) - 1;
}

void CVarnobelStdView::PlaceControls() {
    QScrollBar* hBar = HorizontalBar();
    QScrollBar* vBar = VerticalBar();
    QCheckBox* box = OffsetYearBox();
    const bool nothingDrawn = state_.yearTabs.empty();

    if (GraphsPageShown() || nothingDrawn) {
        hBar->hide();
        vBar->hide();
        if (nothingDrawn) {
            box->hide();
        } else {
            // Under the legend, where the graph leaves room.
            int bottom = state_.area.top;
            for (const Rect& button : state_.legendButtons)
                bottom = std::max(bottom, button.bottom);
            const int left = state_.legendButtons[0].left;
            const QSize hint = box->sizeHint().expandedTo(QSize(95, 20));
            box->setGeometry(left, std::min(bottom + state_.rowPitch / 2, height() - hint.height()),
                             hint.width(), hint.height());
            box->show();
        }
        layoutDirty = false;
        state_.layoutDirty = false;
        return;
    }
    box->hide();

    // The bars take the strip the drawing area leaves at the right and the bottom; the
    // horizontal one starts at the description column's right edge.
    const int right = width() - kScrollBarSize;
    const int bottom = height() - kScrollBarSize;
    if (layoutDirty || !hBar->isVisible() || !vBar->isVisible()) {
        const int hLeft = Clamp(state_.descriptionRight, 0, right);
        hBar->setGeometry(hLeft, bottom, std::max(0, right - hLeft), kScrollBarSize);
        const int vTop = Clamp(state_.body.top, 0, bottom);
        vBar->setGeometry(right, vTop, kScrollBarSize, std::max(0, bottom - vTop));
        layoutDirty = false;
        state_.layoutDirty = false;
    }

    // The ranges count positions as a scroll bar with a page does: the last position shows the
    // last page.
    const auto setRange = [](QScrollBar* bar, int maximum, int page) {
        page = std::max(page, 1);
        bar->setPageStep(page);
        bar->setSingleStep(std::max(1, page / 20));
        bar->setRange(0, std::max(0, maximum - page + 1));
    };
    setRange(hBar, state_.hScrollMax, state_.hScrollPage);
    setRange(vBar, state_.vScrollMax, state_.vScrollPage);
    vBar->setSingleStep(std::max(1, state_.rowPitch));
    hBar->show();
    vBar->show();
}

int CVarnobelStdView::SectionRowCount(StatementSection section) const {
    return static_cast<int>(state_.sectionRows[section].size());
}

bool CVarnobelStdView::RowVisible(StatementSection section, int row) const {
    if (row < 0 || row >= SectionRowCount(section))
        return false;
    return state_.sectionRows[section][static_cast<std::size_t>(row)].Height() > 0;
}

bool CVarnobelStdView::MoveRowFocus(bool down) {
    // Rows in statement order, without hidden rows and the tax block, which the arrow keys pass
    // over.
    std::vector<std::pair<StatementSection, int>> rows;
    for (int s = 0; s < kStatementSections; ++s) {
        const auto section = static_cast<StatementSection>(s);
        if (section == StatementSection::Tax)
            continue;
        for (int row = 0; row < SectionRowCount(section); ++row)
            if (RowVisible(section, row))
                rows.emplace_back(section, row);
    }
    if (rows.empty())
        return false;

    const auto current = std::find_if(rows.begin(), rows.end(), [this](const auto& row) {
        return FocusOn(row.first) == state_.focusSection && row.second == state_.focusRow;
    });
    std::pair<StatementSection, int> target;
    if (current == rows.end()) {
        target = down ? rows.front() : rows.back();
        if (OnTabRow(state_.focusSection) && !down)
            return false; // from a tab row, Up has nowhere to go
    } else if (down) {
        target = std::next(current) == rows.end() ? *current : *std::next(current);
    } else {
        target = current == rows.begin() ? *current : *std::prev(current);
    }
    FocusRow(target.first, target.second);
    return true;
}

void CVarnobelStdView::FocusRow(StatementSection section, int row) {
    state_.FocusStatementRow(section, row);
    BringIntoBody(state_.sectionRows[section][static_cast<std::size_t>(row)]);
    Redraw();
}

void CVarnobelStdView::BringIntoBody(const Rect& rect) {
    if (rect.top < state_.body.top)
        ScrollVertically(rect.top - state_.body.top);
    else if (rect.bottom > state_.body.bottom)
        ScrollVertically(std::min(rect.bottom - state_.body.bottom, rect.top - state_.body.top));
}

void CVarnobelStdView::CycleFocus(bool forward) {
    // The cycle: the tab rows, then the statement; a stop with nothing to focus is passed over.
    const std::vector<FocusSection> tabRows = FocusTabRows();
    const int statement = static_cast<int>(tabRows.size());
    const int n = statement + 1;
    int at = -1;
    if (FocusedSection(state_.focusSection))
        at = statement;
    else
        for (int i = 0; i < statement; ++i)
            if (tabRows[static_cast<std::size_t>(i)] == state_.focusSection)
                at = i;

    int next = at;
    for (int tries = 0; tries < n; ++tries) {
        if (next < 0)
            next = forward ? 0 : n - 1;
        else
            next = (next + (forward ? 1 : n - 1)) % n;
        if (next < statement) {
            const FocusSection stop = tabRows[static_cast<std::size_t>(next)];
            const std::vector<Rect>& tabs = stop == FocusSection::ScenarioTabs ? state_.scenarioTabs
                                            : stop == FocusSection::CompanyTabs ? state_.companyTabs
                                                                                : state_.yearTabs;
            if (tabs.empty())
                continue;
            state_.FocusTabRow(stop);
            Redraw();
            return;
        }
        // The statement: its first row.
        const FocusSection savedSection = state_.focusSection;
        const int savedRow = state_.focusRow;
        state_.ClearFocus();
        if (MoveRowFocus(true))
            return;
        state_.focusSection = savedSection;
        state_.focusRow = savedRow;
    }
}

void CVarnobelStdView::StepTabSelection(int step) {
    switch (state_.focusSection) {
    case FocusSection::ScenarioTabs: {
        const int first = -state_.scenarioTabOffset;
        const int last = static_cast<int>(state_.scenarioTabs.size()) - 1 + first;
        if (last >= first)
            SelectScenario(Clamp(state_.selectedScenario + step, first, last));
        break;
    }
    case FocusSection::CompanyTabs: {
        const int first = -state_.companyTabOffset;
        const int last = static_cast<int>(state_.companyTabs.size()) - 1 + first;
        if (last >= first)
            SelectCompany(Clamp(state_.selectedCompany + step, first, last));
        break;
    }
    case FocusSection::YearTabs:
        if (!state_.yearTabs.empty())
            SelectYear(Clamp(state_.selectedYear + step, 0, YearCount()));
        break;
    default:
        break;
    }
}

void CVarnobelStdView::ScrollHorizontally(int delta) {
    if (GraphsPageShown())
        return;
    HorizontalBar()->setValue(HorizontalBar()->value() + delta);
}

void CVarnobelStdView::ScrollVertically(int delta) {
    if (GraphsPageShown())
        return;
    VerticalBar()->setValue(VerticalBar()->value() + delta);
}

void CVarnobelStdView::ToggleSeries(int series) {
    std::vector<bool>& shown = state_.seriesShownOverride;
    if (shown.size() != CMainDoc::kSeries)
        shown.assign(Document().seriesShown.begin(), Document().seriesShown.end());
    const auto index = static_cast<std::size_t>(series);
    shown[index] = !shown[index];
    Redraw();
}

void CVarnobelStdView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CMainView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    const Point point{p.x(), p.y()};
    const auto hit = [&](const std::vector<Rect>& tabs) {
        for (std::size_t i = 0; i < tabs.size(); ++i)
            if (tabs[i].Contains(point))
                return static_cast<int>(i);
        return -1;
    };
    if (const int i = hit(state_.scenarioTabs); i >= 0) {
        state_.FocusTabRow(FocusSection::ScenarioTabs);
        SelectScenario(i - state_.scenarioTabOffset);
        return;
    }
    if (const int i = hit(state_.companyTabs); i >= 0) {
        state_.FocusTabRow(FocusSection::CompanyTabs);
        SelectCompany(i - state_.companyTabOffset);
        return;
    }
    if (const int i = hit(state_.yearTabs); i >= 0) {
        state_.FocusTabRow(FocusSection::YearTabs);
        SelectYear(i); // the last tab is "Graphs", index = year count
        return;
    }
    if (GraphsPageShown())
        for (int series = 0; series < CMainDoc::kSeries; ++series)
            if (state_.legendButtons[static_cast<std::size_t>(series)].Contains(point)) {
                ToggleSeries(series);
                return;
            }
}

void CVarnobelStdView::wheelEvent(QWheelEvent* event) {
    ScrollVertically(WheelScrollDelta(event, !GraphsPageShown(), state_.rowPitch));
}

bool CVarnobelStdView::focusNextPrevChild(bool) {
    // Tab and Shift+Tab move the focus inside the view.
    return false;
}

void CVarnobelStdView::keyPressEvent(QKeyEvent* event) {
    const bool shift = ShiftHeld(event);
    const bool onTabRow = OnTabRow(state_.focusSection);
    const int bodyWidth = std::max(1, state_.monthArea.Width());
    const int bodyHeight = std::max(1, state_.body.Height());
    switch (event->key()) {
    case Qt::Key_Shift:
        break;
    case Qt::Key_Tab:
        CycleFocus(!shift);
        break;
    case Qt::Key_Backtab:
        CycleFocus(false);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Right ? 1 : -1;
        if (onTabRow)
            StepTabSelection(step);
        else
            ScrollHorizontally(step * std::max(1, bodyWidth / 20));
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool down = event->key() == Qt::Key_Down;
        if (state_.focusSection == FocusSection::None || shift)
            ScrollVertically((down ? 1 : -1) * std::max(1, bodyHeight / 20));
        else
            MoveRowFocus(down);
        break;
    }
    case Qt::Key_PageUp:
        ScrollVertically(-bodyHeight);
        break;
    case Qt::Key_PageDown:
        ScrollVertically(bodyHeight);
        break;
    case Qt::Key_Escape:
        state_.ClearFocus();
        Redraw();
        break;
    default:
        CMainView::keyPressEvent(event);
        return;
    }
    event->accept();
}
