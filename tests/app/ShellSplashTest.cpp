#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "app/RunningModeDialog.h"
#include "app/ShellFixture.h"
#include "app/SplashWnd.h"
#include "app/frame/CMainFrame.h"

namespace {

using SplashScreens::CSplashWnd;

class ShellSplashTest : public ::testing::Test, public ShellFixture {
protected:
    void TearDown() override {
        CSplashWnd::HideSplashScreen();
        CSplashWnd::EnableSplashScreen(false);
        QApplication::processEvents();
    }
};

TEST_F(ShellSplashTest, ThePictureIsOurs520By253) {
    const QPixmap picture = CSplashWnd::LoadPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(520, 253));
}

TEST_F(ShellSplashTest, TheSplashShowsOnlyOnceEnabledAndIsThePicturesSizeWithoutCaption) {
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::Instance(), nullptr);

    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(nullptr);
    CSplashWnd* splash = CSplashWnd::Instance();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(520, 253));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash->geometry().center(), screen.center());

    // A second call replaces the first splash.
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_NE(CSplashWnd::Instance(), nullptr);
    QApplication::processEvents();
}

TEST_F(ShellSplashTest, WithoutAFrameTheSplashStaysAndAKeyPressHidesIt) {
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(nullptr);
    QTest::qWait(20);
    ASSERT_NE(CSplashWnd::Instance(), nullptr);
    QTest::keyClick(CSplashWnd::Instance(), Qt::Key_Space);
    EXPECT_EQ(CSplashWnd::Instance(), nullptr);
}

TEST_F(ShellSplashTest, TheFramesSplashGoesAtTheFirstTickAfterTheFrameHoldsItsDocument) {
    CSplashWnd::EnableSplashScreen(true);
    CMainFrame& frame = MakeFrame(); // the frame shows a splash of its own while it is made
    ASSERT_NE(CSplashWnd::Instance(), nullptr);
    QTest::qWait(20);
    EXPECT_NE(CSplashWnd::Instance(), nullptr) << "no document yet";
    ASSERT_TRUE(frame.NewDocumentFile());
    EXPECT_TRUE(QTest::qWaitFor([] { return CSplashWnd::Instance() == nullptr; }, 1000));
}

TEST_F(ShellSplashTest, PaintingPutsTheVersionAndNoticeOnTheirColours) {
    const QPixmap picture = CSplashWnd::LoadPicture();
    QImage image(520, 253, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        CSplashWnd::PaintPicture(painter, picture);
    }
    EXPECT_EQ(CSplashWnd::VersionText(), "Version 1.0.5.3");
    // The version's box starts at (85, 163) in the pale green.
    EXPECT_EQ(QColor(image.pixel(85, 163)), QColor(176, 222, 176));
    // Yellow is the notice's alone (the picture's line is another yellow): it lies below y = 222
    // and is centred on x = 260. Black is the version's: it starts just right of x = 85.
    int yellowLeft = 520, yellowRight = -1, yellowTop = 253;
    int blackLeft = 520, blackCount = 0;
    for (int y = 0; y < 253; ++y) {
        for (int x = 0; x < 520; ++x) {
            const QColor colour(image.pixel(x, y));
            if (colour == QColor(255, 255, 0))
                yellowTop = std::min(yellowTop, y);
            // Thin strokes of a script face may hold no pixel of pure yellow: the notice's
            // extent counts every pixel at least half yellow over the band's green.
            if (y >= 222 && colour.red() > 160 && colour.green() > 200 && colour.blue() < 100) {
                yellowLeft = std::min(yellowLeft, x);
                yellowRight = std::max(yellowRight, x);
            }
            if (colour == QColor(0, 0, 0)) {
                blackLeft = std::min(blackLeft, x);
                ++blackCount;
                EXPECT_GE(y, 163);
            }
        }
    }
    ASSERT_GE(yellowRight, 0) << "no notice drawn";
    EXPECT_GE(yellowTop, 222);
    EXPECT_NEAR((yellowLeft + yellowRight) / 2.0, 260.0, 4.0);
    ASSERT_GT(blackCount, 20) << "no version drawn";
    EXPECT_GE(blackLeft, 85);
    EXPECT_LE(blackLeft, 92);
}

TEST_F(ShellSplashTest, TheModeDialogOffersAdvancedByDefault) {
    Dialog::CRunning_Mode_dlg dialog;
    EXPECT_EQ(dialog.mode, Edition::Advanced);
    EXPECT_TRUE(dialog.AdvancedButton()->isEnabled());
    EXPECT_TRUE(dialog.AdvancedButton()->isDefault());
    EXPECT_TRUE(dialog.windowTitle().isEmpty());

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.mode, Edition::Advanced);
}

TEST_F(ShellSplashTest, TheModeDialogsButtonsChooseAndEscapeCancels) {
    {
        Dialog::CRunning_Mode_dlg dialog;
        dialog.show();
        dialog.BasicButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.mode, Edition::Basic);
    }
    Dialog::CRunning_Mode_dlg dialog;
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
