#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "views/qt/CVarnobelAdvView.h"

namespace {

const std::filesystem::path kExamples = VARNOBEL_EXAMPLES;
const std::filesystem::path kTestData = VARNOBEL_TEST_DATA;

// The Advanced view of the sample forecast in a window of its own.
class AdvViewWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<CVarnobelAdvView>(doc);
        view->resize(1200, 700);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        ASSERT_EQ(doc.Load(kExamples / "sample.cfs", sink), CMainDoc::OpenResult::Loaded);
        view->DocumentLoaded();
        Paint();
    }

    // Runs the drawing passes a repaint asks for.
    void Paint() {
        for (int i = 0; i < 3; ++i) {
            view->repaint();
            QApplication::processEvents();
        }
    }

    void Key(Qt::Key key) {
        QTest::keyClick(view.get(), key);
        Paint();
    }

    QImage Shot() const { return view->grab().toImage(); }

    CMainDoc doc;
    std::unique_ptr<CVarnobelAdvView> view;
    RecordingMessageSink sink;
};

TEST_F(AdvViewWindowTest, AfterALoadTheCombinedEntriesOfTheFirstViewShow) {
    EXPECT_EQ(view->SelectedView(), 0);
    EXPECT_EQ(view->SelectedScenario(), -1);
    EXPECT_EQ(view->SelectedCompany(), -1);
    EXPECT_EQ(view->SelectedYear(), 0);
    EXPECT_EQ(view->SelectedGraph(), LayoutKey::kNoEntry);
}

TEST_F(AdvViewWindowTest, AFailedOpenLeavesThePreviousForecastWhole) {
    view->SelectCompany(0);
    Paint();
    const QImage before = Shot();
    // The document keeps its forecast and tells the view nothing.
    EXPECT_EQ(doc.Load(kTestData / "not-a-forecast.cfs", sink), CMainDoc::OpenResult::Rejected);
    Paint();
    EXPECT_EQ(view->SelectedCompany(), 0);
    EXPECT_EQ(Shot(), before);
}

TEST_F(AdvViewWindowTest, TabAndArrowKeysWalkTheLevelsAndSelectOnATabLevel) {
    Key(Qt::Key_Tab); // the views
    Key(Qt::Key_Tab); // the scenarios
    Key(Qt::Key_Right);
    EXPECT_EQ(view->SelectedScenario(), 0);
    Key(Qt::Key_Left);
    EXPECT_EQ(view->SelectedScenario(), -1);
    Key(Qt::Key_Left); // the combined scenario is the first tab
    EXPECT_EQ(view->SelectedScenario(), -1);
    Key(Qt::Key_Escape);
    // Without a highlight the arrows scroll.
    Key(Qt::Key_Down);
    EXPECT_GT(view->VerticalBar()->value(), 0);
}

TEST_F(AdvViewWindowTest, MiddleButtonPanningScrollsBeyondTheDeadZoneUntilReleased) {
    const QPoint anchor(view->width() / 2, view->height() / 2);
    QTest::mousePress(view.get(), Qt::MiddleButton, Qt::NoModifier, anchor);
    ASSERT_TRUE(view->Panning());
    view->PanStep(anchor + QPoint(5, 5));
    EXPECT_EQ(view->VerticalBar()->value(), 0);
    EXPECT_EQ(view->HorizontalBar()->value(), 0);
    view->PanStep(anchor + QPoint(0, 6));
    EXPECT_EQ(view->VerticalBar()->value(), 2 * 43);
    QTest::mouseRelease(view.get(), Qt::MiddleButton, Qt::NoModifier, anchor);
    EXPECT_FALSE(view->Panning());
    view->PanStep(anchor + QPoint(0, 50));
    EXPECT_EQ(view->VerticalBar()->value(), 2 * 43);
}

} // namespace
