#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "app/ShellFixture.h"
#include "app/frame/CMainFrame.h"

namespace {

class FrameStatusBarTest : public ::testing::Test, public ShellFixture {};

QStringList PaneTexts(const CMainFrame& frame) {
    QStringList texts;
    for (const QLabel* pane : frame.StatusBar()->LockKeyPanes())
        texts << pane->text();
    return texts;
}

TEST_F(FrameStatusBarTest, TheLockKeyPanesFollowTheKeysWhereThePlatformTellsThem) {
    CMainFrame& frame = MakeFrame();
    frame.show();
    // The offscreen platform tells nothing of the keys: the panes are blank, but in place at
    // the right end, after the reload report.
    EXPECT_EQ(PaneTexts(frame), QStringList({"", "", ""}));
    const QList<QLabel*> panes = frame.StatusBar()->LockKeyPanes();
    QLabel* follow = frame.findChild<QLabel*>("FollowStatus");
    ASSERT_NE(follow, nullptr);
    follow->setText("Reloaded 12:00:00");
    QCoreApplication::processEvents();
    EXPECT_LT(follow->geometry().right(), panes[0]->geometry().left());
    EXPECT_LT(panes[0]->geometry().right(), panes[1]->geometry().left());
    EXPECT_LT(panes[1]->geometry().right(), panes[2]->geometry().left());

    std::optional<LockKeyStates> keys;
    frame.StatusBar()->SetLockKeyReader([&keys] { return keys; });
    // The keys as the platform reports them after a key, pressed over the view or a toolbar box.
    const std::pair<std::optional<LockKeyStates>, QStringList> cases[] = {
        {LockKeyStates{true, false, false}, {"CAP", "", ""}},
        {LockKeyStates{false, true, true}, {"", "NUM", "SCRL"}},
        {LockKeyStates{}, {"", "", ""}},
        {LockKeyStates{true, true, true}, {"CAP", "NUM", "SCRL"}},
        // The platform stops telling: blank, not the last state known.
        {std::nullopt, {"", "", ""}},
    };
    bool overTheView = true;
    for (const auto& [states, shown] : cases) {
        keys = states;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
        QWidget* target = overTheView ? static_cast<QWidget*>(frame.View()) : frame.SizeBox();
        QApplication::sendEvent(target, &press);
        QCoreApplication::processEvents();
        EXPECT_EQ(PaneTexts(frame), shown) << shown.join(',').toStdString();
        overTheView = !overTheView;
    }
}

TEST_F(FrameStatusBarTest, ThePromptReturnsToReadyOnceAToolbarBoxWasUsed) {
    CMainFrame& frame = MakeFrame();
    frame.show();
    EXPECT_EQ(frame.StatusPrompt(), "Ready");
    // Each box chosen from (as the arrow keys choose, without its list), or its list opened and
    // closed without a choice.
    for (QComboBox* box : {frame.FontBox(), frame.SizeBox(), frame.ZoomBox()})
        for (const bool choose : {true, false}) {
            // The mouse comes over the box: its tip stands in the prompt's place.
            QStatusTipEvent tip(box->statusTip());
            QApplication::sendEvent(box, &tip);
            ASSERT_EQ(frame.StatusPrompt(), box->statusTip());
            if (choose) {
                emit box->activated(box->currentIndex());
            } else {
                box->showPopup();
                QCoreApplication::processEvents();
                box->hidePopup();
            }
            QCoreApplication::processEvents();
            EXPECT_EQ(frame.StatusPrompt(), "Ready") << box->statusTip().toStdString() << choose;
        }
}

} // namespace
