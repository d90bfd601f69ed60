#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QScrollBar>
#include <QTest>

#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "document/SmallForecast.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelStdView.h"
#include "views/qt/ViewPlace.h"

using namespace Statement;

namespace {

const std::filesystem::path kExamples = VARNOBEL_EXAMPLES;

// The Standard view of the sample forecast (two real scenarios of two real companies of two
// years), in a window small enough to scroll both ways.
class ViewPlaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<CVarnobelStdView>(doc);
        view->resize(700, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        Load(kExamples / "sample.cfs");
    }

    // Reads a file into the document and gives the view its reset, as an open does.
    void Load(const std::filesystem::path& path) {
        RecordingMessageSink sink;
        ASSERT_EQ(doc.Load(path, sink), CMainDoc::OpenResult::Loaded);
        view->DocumentLoaded();
        Paint();
    }

    void Paint() {
        view->repaint();
        QApplication::processEvents();
        view->repaint();
    }

    // The second scenario's second company in its second year, scrolled, an Expense row focused.
    ViewPlace MoveAway() {
        view->SelectScenario(1);
        view->SelectCompany(1);
        view->SelectYear(1);
        view->State().FocusStatementRow(StatementSection::Expenses, 4);
        Paint();
        view->HorizontalBar()->setValue(view->HorizontalBar()->maximum());
        view->VerticalBar()->setValue(view->VerticalBar()->maximum() / 2);
        Paint();
        return TakePlace(*view);
    }

    CMainDoc doc;
    std::unique_ptr<CVarnobelStdView> view;
};

TEST_F(ViewPlaceTest, ThePlaceComesBackAfterTheFileIsReadAgain) {
    const ViewPlace place = MoveAway();
    ASSERT_GT(place.horizontalScroll, 0);
    ASSERT_GT(place.verticalScroll, 0);
    EXPECT_EQ(place.scenario, 1);
    EXPECT_EQ(place.focus,
              (CMainView::FocusPlace{static_cast<int>(StatementSection::Expenses), 4}));

    Load(kExamples / "sample.cfs");
    // The read itself starts the view over.
    EXPECT_EQ(view->SelectedScenario(), 0);
    EXPECT_EQ(view->CurrentFocus(), CMainView::FocusPlace{});

    RestorePlace(*view, place);
    Paint();
    EXPECT_EQ(TakePlace(*view), place);
    // The focus is the row the Expense section shows, not just a pair of numbers.
    EXPECT_EQ(view->FocusCategory(), 2);
    EXPECT_EQ(view->FocusIndex(), 4);
}

TEST_F(ViewPlaceTest, WhatTheNewForecastLacksResetsAsTheViewsRulesSay) {
    const ViewPlace place = MoveAway();

    // One scenario, one company, one year, no Expense rows.
    SmallForecast::TempFolder folder;
    CMainDoc small;
    SmallForecast::Build(small);
    SmallForecast::WriteFile(folder / "small.cfs", small.Store());
    Load(folder / "small.cfs");

    RestorePlace(*view, place);
    Paint();
    EXPECT_EQ(view->SelectedScenario(), 0);
    EXPECT_EQ(view->SelectedCompany(), 0);
    EXPECT_EQ(view->SelectedYear(), 0);
    EXPECT_EQ(view->CurrentFocus(), CMainView::FocusPlace{});
    EXPECT_EQ(view->FocusCategory(), LayoutKey::kNoEntry);

    // A tab row is there in every forecast that shows tabs.
    ViewPlace onYearRow = TakePlace(*view);
    onYearRow.focus = {static_cast<int>(FocusSection::YearTabs), StdViewState::kNoRow};
    RestorePlace(*view, onYearRow);
    EXPECT_EQ(view->CurrentFocus(), onYearRow.focus);
}

TEST_F(ViewPlaceTest, TheAdvancedViewGetsBackItsKeyAndItsHighlightedRow) {
    CVarnobelAdvView adv(doc);
    adv.resize(700, 300);
    adv.show();
    const auto paint = [&] {
        for (int i = 0; i < 3; ++i) {
            adv.repaint();
            QApplication::processEvents();
        }
    };
    adv.DocumentLoaded();
    adv.SelectScenario(1);
    adv.SelectCompany(0);
    adv.SelectYear(1);
    LayoutKey expense;
    expense.level = {0, 1, 0, 1, LayoutKey::kNoEntry, 2, 1};
    adv.FocusItem(&expense);
    paint();
    const ViewPlace place = TakePlace(adv);
    EXPECT_EQ(place.focusKey, expense);

    Load(kExamples / "sample.cfs");
    adv.DocumentLoaded();
    paint();
    ASSERT_EQ(adv.SelectedScenario(), -1);
    RestorePlace(adv, place);
    paint();
    EXPECT_EQ(adv.SelectedScenario(), 1);
    EXPECT_EQ(adv.SelectedCompany(), 0);
    EXPECT_EQ(adv.SelectedYear(), 1);
    EXPECT_EQ(adv.FocusCategory(), 2);
    EXPECT_EQ(adv.FocusIndex(), 1);
}

TEST_F(ViewPlaceTest, TheAdvancedViewKeepsTheTabRowItsHighlightStandsOn) {
    CVarnobelAdvView adv(doc);
    adv.resize(700, 300);
    adv.show();
    const auto paint = [&] {
        for (int i = 0; i < 3; ++i) {
            adv.repaint();
            QApplication::processEvents();
        }
    };
    const auto tabs = [&](int count) {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(&adv, Qt::Key_Tab);
        paint();
    };
    const auto reload = [&](const std::filesystem::path& file, const ViewPlace& place) {
        Load(file);
        adv.DocumentLoaded();
        paint();
        EXPECT_EQ(adv.CurrentFocus(), CMainView::FocusPlace{});
        RestorePlace(adv, place);
        paint();
    };
    adv.DocumentLoaded();
    adv.SelectScenario(1);
    adv.SelectCompany(0);
    adv.SelectYear(1);
    paint();
    tabs(3); // views, scenarios, companies
    const ViewPlace onCompanies = TakePlace(adv);
    ASSERT_EQ(onCompanies.focus, (CMainView::FocusPlace{2, LayoutKey::kNoEntry}));

    reload(kExamples / "sample.cfs", onCompanies);
    EXPECT_EQ(adv.CurrentFocus(), onCompanies.focus);
    // It stands on the shown company's tab: the arrow key goes on to the next company.
    QTest::keyClick(&adv, Qt::Key_Right);
    paint();
    EXPECT_EQ(adv.SelectedScenario(), 1);
    EXPECT_EQ(adv.SelectedCompany(), 1);

    // On the year row with a graph page shown, the graph's tab holds the highlight.
    adv.SelectGraph(0);
    paint();
    tabs(4);
    const ViewPlace onGraph = TakePlace(adv);
    ASSERT_EQ(onGraph.focus, (CMainView::FocusPlace{3, LayoutKey::kNoEntry}));
    reload(kExamples / "sample.cfs", onGraph);
    EXPECT_EQ(adv.CurrentFocus(), onGraph.focus);
    // The tab before the graph's is the year's, the year stays and the graph goes.
    QTest::keyClick(&adv, Qt::Key_Left);
    paint();
    EXPECT_EQ(adv.SelectedYear(), 1);
    EXPECT_EQ(adv.SelectedGraph(), LayoutKey::kNoEntry);

    // A forecast without that scenario, company, year or graph: the highlight goes to the tab
    // of the year shown in their place.
    SmallForecast::TempFolder folder;
    CMainDoc small;
    SmallForecast::Build(small);
    SmallForecast::WriteFile(folder / "small.cfs", small.Store());
    reload(folder / "small.cfs", onGraph);
    EXPECT_EQ(adv.SelectedScenario(), -1);
    EXPECT_EQ(adv.SelectedCompany(), -1);
    EXPECT_EQ(adv.SelectedYear(), 0);
    EXPECT_EQ(adv.CurrentFocus(), onGraph.focus);
    QTest::keyClick(&adv, Qt::Key_Backtab);
    QTest::keyClick(&adv, Qt::Key_Right);
    paint();
    EXPECT_EQ(adv.SelectedCompany(), 0);
}

} // namespace
