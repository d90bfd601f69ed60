#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/ShellFixture.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/FileFollower.h"
#include "statement/StatementCsv.h"
#include "views/qt/PrintOptionsDialog.h"

namespace {

constexpr int kWaitMs = 5000;

// A shown Standard frame following "plan.cfs": the small forecast with a second year whose
// monthly sales are twice the first year's.
class FrameFollowTest : public ::testing::Test, public ShellFixture {
protected:
    CMainFrame& OpenPlan(std::int64_t sales) {
        SmallForecast::WriteFile(plan, PlanBytes(sales));
        CMainFrame& frame = MakeFrame();
        frame.show();
        frame.Follower().SetQuietInterval(50);
        EXPECT_TRUE(frame.OpenDocumentFile(QString::fromStdString(plan.string())));
        return frame;
    }

    // Every company of every scenario has a "Sales" row in both years, so the combined
    // company's years, which set the rows a statement shows, have one too.
    static std::vector<std::uint8_t> PlanBytes(std::int64_t sales) {
        CMainDoc doc;
        Database::CTabView& view = SmallForecast::Build(doc, sales);
        for (const auto& scenario : view.scenarios)
            for (const auto& company : scenario->companies) {
                company->years.Append(std::make_unique<Database::CYear>());
                for (int y = 0; y < 2; ++y) {
                    Database::CYear& year = *company->FindYear(y);
                    year.year = 2024 + y;
                    year.Items(kIncome).Clear();
                    auto row = std::make_unique<Item::CItem>();
                    row->name = u"Sales";
                    row->Expected.fill((y + 1) * sales);
                    year.Items(kIncome).Append(std::move(row));
                }
            }
        return doc.Store();
    }

    // The statement the view shows, as its CSV.
    std::string Shown(const CMainFrame& frame) const {
        const CMainView& view = *frame.View();
        return Statement::ExportStatementCsv(frame.Document(), Edition::Standard, view.SelectedScenario(),
                                  view.SelectedCompany(), view.SelectedYear())
            .text;
    }

    bool WaitUntil(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, kWaitMs);
    }

    std::filesystem::path plan = folder / "plan.cfs";
};

TEST_F(FrameFollowTest, ASavedFileIsShownAtTheSamePlaceAndAnUnreadableOneKeepsTheForecast) {
    CMainFrame& frame = OpenPlan(10050);
    frame.View()->SelectYear(1);
    const std::string before = Shown(frame);
    ASSERT_NE(before.find("201.00"), std::string::npos);
    const std::vector<std::uint8_t> next = PlanBytes(20000);

    // Caught half-written, empty, then gone: each said once in the status bar, with no box.
    SmallForecast::WriteFile(plan, {next.begin(), next.begin() + next.size() / 2});
    ASSERT_TRUE(
        WaitUntil([&] { return frame.FollowStatus().endsWith("Unexpected file format."); }));
    // One line that names the file.
    EXPECT_TRUE(frame.FollowStatus().contains(
        "Cannot open \"" + QString::fromStdString(plan.string()) + "\": The file ends after "))
        << frame.FollowStatus().toStdString();
    SmallForecast::WriteFile(plan, {});
    ASSERT_TRUE(WaitUntil([&] { return frame.FollowStatus().endsWith("the file is empty."); }));
    std::filesystem::remove(plan);
    ASSERT_TRUE(WaitUntil([&] { return frame.FollowStatus().contains("No such file"); }));
    EXPECT_TRUE(frame.FollowStatus().startsWith("Not reloaded "));
    EXPECT_EQ(Shown(frame), before);
    EXPECT_TRUE(sink.Empty());

    SmallForecast::WriteFile(plan, next);
    ASSERT_TRUE(WaitUntil([&] { return frame.FollowStatus().startsWith("Reloaded "); }));
    EXPECT_EQ(frame.View()->SelectedYear(), 1);
    EXPECT_NE(Shown(frame).find("400.00"), std::string::npos);
    EXPECT_EQ(frame.windowTitle(), "plan.cfs - Varnobel Viewer");
    EXPECT_TRUE(sink.Empty());
}

TEST_F(FrameFollowTest, APreviewOrADialogKeepsTheForecastItStartedWith) {
    CMainFrame& frame = OpenPlan(10050);
    EXPECT_FALSE(frame.ReloadMustWait());
    bool waitedInDialog = false;
    QTimer::singleShot(10, [&] {
        waitedInDialog = frame.ReloadMustWait();
        if (auto* options =
                qobject_cast<Dialog::CPrint_Options_Dlg*>(QApplication::activeModalWidget()))
            options->accept();
    });
    frame.PrintPreviewAction()->trigger();
    ASSERT_NE(frame.Preview(), nullptr);
    EXPECT_TRUE(waitedInDialog);
    EXPECT_TRUE(frame.ReloadMustWait());

    const std::string before = Shown(frame);
    SmallForecast::WriteFile(plan, PlanBytes(20000));
    ASSERT_TRUE(WaitUntil([&] { return frame.Follower().Pending(); }));
    QTest::qWait(300); // several quiet periods
    EXPECT_EQ(Shown(frame), before);
    EXPECT_TRUE(frame.Follower().Pending());

    frame.ClosePreview();
    ASSERT_TRUE(WaitUntil([&] { return frame.FollowStatus().startsWith("Reloaded "); }));
    EXPECT_NE(Shown(frame).find("200.00"), std::string::npos);
}

TEST_F(FrameFollowTest, FollowingIsAViewMenuChoiceKeptInTheSettings) {
    CMainFrame& frame = MakeFrame();
    QAction* follow = frame.FollowFileAction();
    EXPECT_TRUE(frame.ViewMenu()->actions().contains(follow));
    EXPECT_EQ(follow->text(), "F&ollow File Changes");
    EXPECT_TRUE(follow->isChecked());
    EXPECT_TRUE(frame.Follower().IsEnabled());

    follow->trigger();
    EXPECT_FALSE(frame.Follower().IsEnabled());
    EXPECT_EQ(profile.GetProfileInt("Settings", "FollowFile", 1), 0);
    CMainFrame& again = MakeFrame();
    EXPECT_FALSE(again.FollowFileAction()->isChecked());
    EXPECT_FALSE(again.Follower().IsEnabled());
    again.FollowFileAction()->trigger();
    EXPECT_EQ(profile.GetProfileInt("Settings", "FollowFile", 0), 1);
}

} // namespace
