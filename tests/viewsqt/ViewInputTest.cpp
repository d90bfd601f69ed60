#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "views/qt/CVarnobelBasView.h"
#include "views/qt/CVarnobelStdView.h"

using namespace Statement;

namespace {

const std::filesystem::path kExamples = VARNOBEL_EXAMPLES;

// The view of the sample forecast: two real scenarios (Expected, Cautious), two real companies
// in each, two years of each company. The first view's counts: 4 Income items
// (the fourth, "Market Stall", hidden), 3 Direct Cost, 6 Expense (the fifth hidden), one Capital
// Receipt, Expense and Payment item, one tax summary, one bank, one investment, one loan.
class StdViewTest : public ::testing::Test {
protected:
    void SetUp() override { Open(std::make_unique<CVarnobelStdView>(doc), "sample.cfs"); }

    void Open(std::unique_ptr<CVarnobelStdView> newView, const char* file,
              QSize size = {1200, 700}) {
        view = std::move(newView);
        RecordingMessageSink sink;
        ASSERT_EQ(doc.Load(kExamples / file, sink), CMainDoc::OpenResult::Loaded);
        view->resize(size);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->DocumentLoaded();
        Paint();
    }

    // Runs the drawing pass now, as a repaint does.
    void Paint() {
        view->repaint();
        QApplication::processEvents();
        view->repaint();
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view.get(), static_cast<Qt::Key>(key), modifiers);
        Paint();
    }

    void Click(const Rect& rect) {
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
        Paint();
    }

    void Wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at(view->width() / 2.0, view->height() / 2.0);
        QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
        Paint();
    }

    using Focused = std::pair<FocusSection, int>;
    Focused Focus() const { return {State().focusSection, State().focusRow}; }
    static Focused On(StatementSection section, int row) { return {FocusOn(section), row}; }
    static Focused OnTabs(FocusSection tabRow) { return {tabRow, StdViewState::kNoRow}; }
    static constexpr Focused kNoFocus{FocusSection::None, StdViewState::kNoRow};
    const StdViewState& State() const { return view->State(); }
    QImage Shot() const { return view->grab().toImage(); }

    CMainDoc doc;
    std::unique_ptr<CVarnobelStdView> view;
};

TEST_F(StdViewTest, TabRowsFollowTheForecast) {
    // Two real scenarios and two real companies: each row starts with its combined tab.
    EXPECT_EQ(State().scenarioTabs.size(), 3u);
    EXPECT_EQ(State().scenarioTabOffset, 1);
    EXPECT_EQ(State().companyTabs.size(), 3u);
    EXPECT_EQ(State().companyTabOffset, 1);
    EXPECT_EQ(State().yearTabs.size(), 3u); // 2025, 2026, "Graphs"
    EXPECT_EQ(view->SelectedView(), 0);
    EXPECT_EQ(view->SelectedGraph(), LayoutKey::kNoEntry);
}

TEST_F(StdViewTest, TabAndShiftTabCycleThroughTheRowsAndTheStatement) {
    const std::vector<Focused> forward = {
        OnTabs(FocusSection::ScenarioTabs), OnTabs(FocusSection::CompanyTabs),
        OnTabs(FocusSection::YearTabs), On(StatementSection::Income, 0),
        OnTabs(FocusSection::ScenarioTabs)};
    for (const auto& expected : forward) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(Focus(), expected);
    }
    // Backwards from the scenario row: the statement, the year row, the company row.
    const std::vector<Focused> backward = {
        On(StatementSection::Income, 0), OnTabs(FocusSection::YearTabs),
        OnTabs(FocusSection::CompanyTabs), OnTabs(FocusSection::ScenarioTabs)};
    for (const auto& expected : backward) {
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focus(), expected);
    }
    // A Shift key held down turns a plain Tab backwards until it is let go.
    QTest::keyPress(view.get(), Qt::Key_Shift);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), On(StatementSection::Income, 0));
    QTest::keyRelease(view.get(), Qt::Key_Shift);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), OnTabs(FocusSection::ScenarioTabs));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Focus(), kNoFocus);
}

TEST_F(StdViewTest, ArrowsMoveThroughVisibleRowsAndSkipTheTaxBlock) {
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Tab); // scenario, company, year row, first statement row
    ASSERT_EQ(Focus(), On(StatementSection::Income, 0));
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Focus(), On(StatementSection::Income, 2));
    // Row 3 is the hidden "Market Stall"; row 4 the investment after the four Income items.
    Key(Qt::Key_Down);
    EXPECT_EQ(Focus(), On(StatementSection::Income, 4));
    EXPECT_EQ(view->FocusCategory(), 9);
    EXPECT_EQ(view->FocusIndex(), 0); // 4 - 4 Income items
    Key(Qt::Key_Up);
    EXPECT_EQ(Focus(), On(StatementSection::Income, 2));
    EXPECT_EQ(view->FocusCategory(), 0);
    EXPECT_EQ(view->FocusIndex(), 2);

    // Capital Payments: the item, the investment, the loan; then the bank, past the tax block.
    view->State().FocusStatementRow(StatementSection::CapitalPayments, 2);
    EXPECT_EQ(view->FocusCategory(), 10);
    EXPECT_EQ(view->FocusIndex(), 0); // 2 - 1 item - 1 investment
    Key(Qt::Key_Down);
    EXPECT_EQ(Focus(), On(StatementSection::Bank, 0));
    EXPECT_EQ(view->FocusCategory(), 8);
    Key(Qt::Key_Up);
    EXPECT_EQ(Focus(), On(StatementSection::CapitalPayments, 2));

    // Interest: "O/D Interest" is the bank, the loan follows.
    view->State().FocusStatementRow(StatementSection::Interest, 1);
    EXPECT_EQ(view->FocusCategory(), 10);
    EXPECT_EQ(view->FocusIndex(), 0);

    // The reset after a load, and FocusItem, drop the focus.
    view->FocusItem(nullptr);
    EXPECT_EQ(view->FocusCategory(), LayoutKey::kNoEntry);
    EXPECT_EQ(view->FocusIndex(), LayoutKey::kNoEntry);
}

TEST_F(StdViewTest, LeftAndRightMoveTheSelectionOfTheFocusedTabRow) {
    Key(Qt::Key_Tab); // scenario row
    Key(Qt::Key_Right);
    EXPECT_EQ(view->SelectedScenario(), 1);
    Key(Qt::Key_Right);
    EXPECT_EQ(view->SelectedScenario(), 1); // the last real scenario
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Left);
    EXPECT_EQ(view->SelectedScenario(), -1); // the combined tab comes first

    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab); // year row
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(view->SelectedYear(), 2); // "Graphs" after the two years
    EXPECT_FALSE(view->HorizontalBar()->isVisible());
    EXPECT_FALSE(view->VerticalBar()->isVisible());
    EXPECT_TRUE(view->OffsetYearBox()->isVisible());
}

TEST_F(StdViewTest, ClicksOnTabsSelectThem) {
    Click(State().yearTabs[1]);
    EXPECT_EQ(view->SelectedYear(), 1);
    EXPECT_EQ(Focus(), OnTabs(FocusSection::YearTabs));
    Click(State().scenarioTabs[0]);
    EXPECT_EQ(view->SelectedScenario(), -1);
    EXPECT_EQ(Focus(), OnTabs(FocusSection::ScenarioTabs));
    Click(State().companyTabs[2]);
    EXPECT_EQ(view->SelectedCompany(), 1);
    EXPECT_EQ(Focus(), OnTabs(FocusSection::CompanyTabs));
    Click(State().yearTabs[2]);
    EXPECT_EQ(view->SelectedYear(), 2);
    EXPECT_TRUE(view->OffsetYearBox()->isVisible());
    Click(State().yearTabs[0]);
    EXPECT_EQ(view->SelectedYear(), 0);
    EXPECT_FALSE(view->OffsetYearBox()->isVisible());
    EXPECT_TRUE(view->VerticalBar()->isVisible());
}

TEST_F(StdViewTest, ScrollBarsSitInTheStripsAndReachTheEnd) {
    const QScrollBar* h = view->HorizontalBar();
    QScrollBar* v = view->VerticalBar();
    EXPECT_EQ(h->objectName(), "101");
    EXPECT_EQ(v->objectName(), "102");
    EXPECT_EQ(view->OffsetYearBox()->objectName(), "1190");
    EXPECT_EQ(h->geometry().bottom(), view->height() - 1);
    EXPECT_EQ(h->height(), CMainView::kScrollBarSize);
    EXPECT_EQ(h->geometry().right(), view->width() - CMainView::kScrollBarSize - 1);
    // From the description column's right edge, which the sample's tax column and a gap
    // separate from the first month.
    EXPECT_EQ(h->geometry().left(), State().descriptionRight);
    EXPECT_GT(State().descriptionRight, State().area.left);
    EXPECT_LT(State().descriptionRight, State().monthArea.left);
    EXPECT_EQ(v->geometry().left(), view->width() - CMainView::kScrollBarSize);
    EXPECT_EQ(v->geometry().top(), State().body.top);

    // The sample's statement is far taller than 700 pixels and its months wider than 1200.
    ASSERT_GT(v->maximum(), 0);
    EXPECT_GT(h->maximum(), 0);
    const Rect lastRow = State().sectionRows[StatementSection::Loans].back();
    EXPECT_GT(lastRow.bottom, State().body.bottom);
    v->setValue(v->maximum());
    Paint();
    // At the end the loans block is inside the body.
    EXPECT_LE(State().sectionRows[StatementSection::Loans].back().bottom, State().body.bottom);
    EXPECT_GE(State().sectionRows[StatementSection::Loans].back().top, State().body.top);

    // Page Up goes back by the body's height.
    const int before = v->value();
    Key(Qt::Key_PageUp);
    EXPECT_EQ(v->value(), std::max(0, before - State().body.Height()));

    // A window large enough for everything needs no scrolling.
    view->resize(5000, 3000);
    Paint();
    EXPECT_EQ(v->maximum(), 0);
    EXPECT_EQ(h->maximum(), 0);
    EXPECT_EQ(h->geometry().bottom(), 3000 - 1);
}

TEST_F(StdViewTest, WheelScrollsByThreeRowsAndCtrlWheelAsksForZoom) {
    QScrollBar* v = view->VerticalBar();
    ASSERT_GT(v->maximum(), 3 * State().rowPitch);
    Wheel(-120); // one notch towards the user: three rows down
    EXPECT_EQ(v->value(), 3 * State().rowPitch);
    Wheel(60);
    Wheel(60); // two half notches make one
    EXPECT_EQ(v->value(), 0);

    std::vector<bool> asked;
    view->SetZoomCallback([&](bool in) { asked.push_back(in); });
    QSignalSpy spy(view.get(), &CMainView::ZoomRequested);
    Wheel(120, Qt::ControlModifier);
    Wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toBool(), true);
    EXPECT_EQ(v->value(), 0);

    // The graphs page does not scroll.
    view->SelectYear(2);
    Paint();
    Wheel(-120);
    EXPECT_EQ(v->value(), 0);
}

TEST_F(StdViewTest, LegendClickTogglesASeriesForTheSessionOnly) {
    Click(State().yearTabs[2]);
    ASSERT_EQ(view->SelectedYear(), 2);
    const QImage before = Shot();
    // The sample shows Income, Net Cash Movement and Bank A/C; Direct Costs (1) is off.
    ASSERT_FALSE(view->SeriesShown(1));
    Click(State().legendButtons[1]);
    EXPECT_TRUE(view->SeriesShown(1));
    EXPECT_TRUE(view->SeriesShown(0));
    EXPECT_FALSE(doc.seriesShown[1]);
    EXPECT_NE(Shot(), before);
    Click(State().legendButtons[1]);
    EXPECT_FALSE(view->SeriesShown(1));
    EXPECT_EQ(Shot(), before);

    // Switching Income off leaves the document's flag alone too; a new load forgets the clicks.
    Click(State().legendButtons[0]);
    EXPECT_FALSE(view->SeriesShown(0));
    EXPECT_TRUE(doc.seriesShown[0]);
    view->DocumentLoaded();
    EXPECT_TRUE(view->SeriesShown(0));
}

TEST_F(StdViewTest, DocumentLoadedResetsSelectionFocusAndScrolling) {
    view->SelectScenario(1);
    view->SelectCompany(1);
    view->SelectYear(1);
    view->State().FocusStatementRow(StatementSection::Expenses, 1);
    view->VerticalBar()->setValue(40);
    doc.offsetYearChecked = 1; // as if the file had the box checked
    view->DocumentLoaded();
    EXPECT_EQ(view->SelectedScenario(), 0);
    EXPECT_EQ(view->SelectedCompany(), 0);
    EXPECT_EQ(view->SelectedYear(), 0);
    EXPECT_EQ(Focus(), kNoFocus);
    EXPECT_EQ(view->VerticalBar()->value(), 0);
    EXPECT_TRUE(view->OffsetYearBox()->isChecked());
}

TEST_F(StdViewTest, FailedOpenLeavesThePreviousForecastOnScreen) {
    view->SelectYear(1);
    Paint();
    const QImage before = Shot();
    const std::filesystem::path bad =
        std::filesystem::temp_directory_path() / "varnobel-viewsqt-not-a-forecast.cfs";
    {
        std::ofstream out(bad, std::ios::binary | std::ios::trunc);
        out << "this is no forecast at all";
    }
    RecordingMessageSink sink;
    EXPECT_EQ(doc.Load(bad, sink), CMainDoc::OpenResult::Rejected);
    std::filesystem::remove(bad);
    // The frame does not tell the view about a failed open; the next repaint shows the same.
    Paint();
    EXPECT_EQ(view->SelectedYear(), 1);
    EXPECT_EQ(Shot(), before);
}

TEST_F(StdViewTest, BasicViewHasOnlyYearTabsAndStaysOnTheFirstCompany) {
    Open(std::make_unique<CVarnobelBasView>(doc), "basic.cfb");
    EXPECT_TRUE(State().scenarioTabs.empty());
    EXPECT_TRUE(State().companyTabs.empty());
    EXPECT_EQ(State().yearTabs.size(), 2u); // 2025 and "Graphs"
    view->SelectScenario(1);
    view->SelectCompany(-1);
    EXPECT_EQ(view->SelectedScenario(), 0);
    EXPECT_EQ(view->SelectedCompany(), 0);
    EXPECT_EQ(view->SelectedView(), 0);

    // Tab visits the year row and the statement only.
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), OnTabs(FocusSection::YearTabs));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), On(StatementSection::Income, 0));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), OnTabs(FocusSection::YearTabs));
    Key(Qt::Key_Right);
    EXPECT_EQ(view->SelectedYear(), 1); // the graphs page
    Key(Qt::Key_Right);
    EXPECT_EQ(view->SelectedYear(), 1);
}

} // namespace
