#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/CAboutDlg.h"
#include "app/ShellFixture.h"
#include "app/SplashWnd.h"
#include "app/frame/CMainFrame.h"

namespace {

class ShellAboutTest : public ::testing::Test, public ShellFixture {};

TEST_F(ShellAboutTest, HelpAboutShowsTheVersionUntilAKeyOrALeftClick) {
    const QList<QAction*> help = MakeFrame().HelpMenu()->actions();
    ASSERT_EQ(help.size(), 2);
    EXPECT_EQ(help[0]->text(), "&About Varnobel Viewer...");
    EXPECT_EQ(help[1]->text(), "Check For &Updates");
    EXPECT_TRUE(help[0]->isEnabled());
    EXPECT_FALSE(help[1]->isEnabled());

    // The box is modal: it is looked at, and closed by a key, from inside its own loop.
    QColor versionBox;
    QTimer::singleShot(0, [&] {
        if (auto* about = qobject_cast<Dialog::CAboutDlg*>(QApplication::activeModalWidget())) {
            versionBox = about->grab().toImage().pixelColor(85, 163);
            QTest::keyClick(about, Qt::Key_Space);
        }
    });
    help[0]->trigger();
    EXPECT_EQ(versionBox, QColor(176, 222, 176));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    Dialog::CAboutDlg about;
    about.open();
    QTest::mouseClick(&about, Qt::RightButton);
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(&about, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ShellAboutTest, TheVersionIsWrittenInTheFirstInstalledScriptFace) {
    const QStringList faces = SplashScreens::CSplashWnd::ScriptFaces();
    const auto installed = std::find_if(faces.begin(), faces.end(), QFontDatabase::hasFamily);
    if (installed == faces.end())
        GTEST_SKIP() << "no script face installed";
    const QFont font = SplashScreens::CSplashWnd::VersionFont();
    EXPECT_EQ(font.pointSize(), 14);
    EXPECT_EQ(QFontInfo(font).family(), *installed);
}

} // namespace
