#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <limits>

#include <QScreen>
#include <QSettings>
#include <QToolBar>

#include "app/ShellFixture.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/WindowPlacement.h"

namespace {

class FramePlacementTest : public ::testing::Test, public ShellFixture {
protected:
    static QSize ScreenSize() { return QGuiApplication::primaryScreen()->geometry().size(); }
    static QVariant Stored(const QString& key) {
        return QSettings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"))
            .value(key);
    }
    static void Store(const QString& key, const QVariant& value) {
        QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
        settings.setValue(key, value);
        settings.sync();
    }
};

TEST_F(FramePlacementTest, ScalingFollowsTheScreenRatioAndRoundsToTheNearestPixel) {
    // Saved on 1600 × 1200, shown on 800 × 600: everything halves. 801 / 2 = 400.5 and
    // 399 / 2 = 199.5 round away from zero to 401 and 200; -101 / 2 = -50.5 gives -51.
    EXPECT_EQ(WindowPlacement::Scale(QRect(-101, 50, 801, 399), QSize(1600, 1200), QSize(800, 600)),
              QRect(-51, 25, 401, 200));
    // Horizontal values follow the width ratio (1920 / 1280 = 1.5), vertical ones the height
    // ratio (1080 / 1080 = 1): 100 × 1.5 = 150, 600 × 1.5 = 900.
    EXPECT_EQ(
        WindowPlacement::Scale(QRect(100, 70, 600, 500), QSize(1280, 1080), QSize(1920, 1080)),
        QRect(150, 70, 900, 500));
    // The same screen, or a damaged saved screen size, leaves the values as they are.
    const QRect same(13, 17, 555, 444);
    EXPECT_EQ(WindowPlacement::Scale(same, QSize(800, 600), QSize(800, 600)), same);
    EXPECT_EQ(WindowPlacement::Scale(same, QSize(0, -5), QSize(800, 600)), same);
    // A huge value on a tiny saved screen stays within int instead of overflowing:
    // 2e9 × 800 / 1 is far above INT_MAX.
    EXPECT_EQ(
        WindowPlacement::Scale(QRect(0, 0, 2000000000, 10), QSize(1, 600), QSize(800, 600)).width(),
        std::numeric_limits<int>::max());
}

TEST_F(FramePlacementTest, APlacementSavedOnCloseComesBackExactly) {
    {
        CMainFrame& frame = MakeFrame();
        frame.ShowWindow();
        frame.resize(500, 400);
        frame.move(50, 60);
        frame.close();
    }
    EXPECT_EQ(Stored("clientStd/maximized").toInt(), 0);
    EXPECT_EQ(Stored("clientStd/left").toInt(), 50);
    EXPECT_EQ(Stored("clientStd/top").toInt(), 60);
    EXPECT_EQ(Stored("clientStd/width").toInt(), 500);
    EXPECT_EQ(Stored("clientStd/height").toInt(), 400);
    EXPECT_EQ(Stored("clientStd/screenx").toInt(), ScreenSize().width());
    EXPECT_EQ(Stored("clientStd/screeny").toInt(), ScreenSize().height());

    CMainFrame& again = MakeFrame();
    again.ShowWindow();
    EXPECT_EQ(again.pos(), QPoint(50, 60));
    EXPECT_EQ(again.size(), QSize(500, 400));
}

TEST_F(FramePlacementTest, ASavedPlacementIsScaledToThisScreen) {
    const QSize screen = ScreenSize();
    // Saved on a screen twice as large: every value halves (30 / 2 = 15, 440 / 2 = 220, ...).
    Store("clientStd/screenx", screen.width() * 2);
    Store("clientStd/screeny", screen.height() * 2);
    Store("clientStd/left", 30);
    Store("clientStd/top", 40);
    Store("clientStd/width", 700);
    Store("clientStd/height", 440);
    CMainFrame& frame = MakeFrame();
    frame.ShowWindow();
    EXPECT_EQ(frame.pos(), QPoint(15, 20));
    EXPECT_EQ(frame.size(), QSize(350, 220));
}

TEST_F(FramePlacementTest, DamagedValuesFallBackToAUsableWindowOnTheScreen) {
    Store("clientStd/left", "abc");
    Store("clientStd/top", 100000);
    Store("clientStd/width", -40);
    Store("clientStd/height", 300);
    CMainFrame& frame = MakeFrame();
    frame.ShowWindow();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(frame.width(), 200);
    EXPECT_GE(frame.height(), 150);
    EXPECT_TRUE(available.intersects(frame.frameGeometry()));
}

TEST_F(FramePlacementTest, AMaximizedWindowIsRestoredMaximized) {
    {
        CMainFrame& frame = MakeFrame();
        frame.showMaximized();
        frame.close();
    }
    EXPECT_EQ(Stored("clientStd/maximized").toInt(), 1);
    CMainFrame& frame = MakeFrame();
    frame.ShowWindow();
    EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);
}

TEST_F(FramePlacementTest, TheToolbarLayoutIsKeptUnderTheEditionsKey) {
    {
        CMainFrame& frame = MakeFrame();
        frame.ShowWindow();
        frame.FileToolBar()->toggleViewAction()->trigger();
        ASSERT_FALSE(frame.FileToolBar()->isVisible());
        frame.close();
    }
    EXPECT_FALSE(Stored("ToolbarSettingsStd/State").toByteArray().isEmpty());
    EXPECT_FALSE(Stored("ToolbarSettingsBas/State").isValid());
    {
        CMainFrame& frame = MakeFrame();
        frame.ShowWindow();
        EXPECT_FALSE(frame.FileToolBar()->isVisible());
        EXPECT_TRUE(frame.FontToolbar()->isVisible());
    }

    // A damaged layout leaves the default one.
    Store("ToolbarSettingsStd/State", QByteArray("\x00\x01garbage", 9));
    CMainFrame& frame = MakeFrame();
    frame.ShowWindow();
    EXPECT_TRUE(frame.FileToolBar()->isVisible());
    EXPECT_TRUE(frame.FontToolbar()->isVisible());
}

} // namespace
