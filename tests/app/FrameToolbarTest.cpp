#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include "app/CMainFrame.h"
#include "app/ShellFixture.h"
#include "views/qt/CMainView.h"

namespace {

class FrameToolbarTest : public ::testing::Test, public ShellFixture {};

// Turns the wheel over the view with Ctrl held: away from the user (zoom in) or towards.
void CtrlWheel(QWidget* view, bool away) {
    const QPointF at(10, 10);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, away ? 120 : -120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

TEST_F(FrameToolbarTest, BoxesHoldTheirEntriesAndShowTheDefaultsOnAFirstRun) {
    CMainFrame& frame = MakeFrame();
    EXPECT_EQ(frame.FontBox()->currentText(), "Times New Roman");
    EXPECT_EQ(frame.SizeBox()->currentText(), "10");
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");

    QStringList sizes;
    for (int i = 0; i < frame.SizeBox()->count(); ++i)
        sizes << frame.SizeBox()->itemText(i);
    EXPECT_EQ(sizes, QStringList({"6", "8", "10", "12"}));
    QStringList zooms;
    for (int i = 0; i < frame.ZoomBox()->count(); ++i)
        zooms << frame.ZoomBox()->itemText(i);
    EXPECT_EQ(zooms, QStringList({"50%", "60%", "70%", "80%", "90%", "100%", "110%", "120%", "130%",
                                  "140%", "150%"}));

    // The font box is sorted and holds every name once.
    for (int i = 1; i < frame.FontBox()->count(); ++i)
        EXPECT_LT(QString::compare(frame.FontBox()->itemText(i - 1), frame.FontBox()->itemText(i),
                                   Qt::CaseInsensitive),
                  0)
            << frame.FontBox()->itemText(i).toStdString();

    // The Font Toolbar's last button has no command behind it.
    QAction* extra = frame.FontToolbar()->findChild<QAction*>(QString::number(32807));
    ASSERT_NE(extra, nullptr);
    EXPECT_FALSE(extra->isEnabled());
    EXPECT_EQ(frame.FontToolbar()->windowTitle(), "Font Toolbar");
    EXPECT_EQ(frame.FileToolBar()->windowTitle(), "File ToolBar");
    EXPECT_EQ(frame.windowTitle(), "Untitled - Varnobel Viewer");
}

TEST_F(FrameToolbarTest, FontBoxListsFaceNamesOnceWithoutTheirFoundries) {
    EXPECT_EQ(
        CMainFrame::FaceNames({"Nimbus Sans [urw]", "DejaVu Sans", "Nimbus Sans [UKWN]", "Arial",
                               "Fixed [Misc]", "Fixed [Sony]", "Fixed", "Odd [Name"}),
        QStringList({"Arial", "DejaVu Sans", "Fixed", "Nimbus Sans", "Odd [Name"}));

    CMainFrame& frame = MakeFrame();
    for (int i = 0; i < frame.FontBox()->count(); ++i)
        EXPECT_FALSE(frame.FontBox()->itemText(i).endsWith(']'))
            << frame.FontBox()->itemText(i).toStdString();
}

TEST_F(FrameToolbarTest, ALoadedFileShowsItsFontSizeAndZoom) {
    CMainFrame& frame = MakeFrame();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("big.cfs", u"Courier New", 120, 80)));
    EXPECT_EQ(frame.FontBox()->currentText(), "Courier New");
    EXPECT_EQ(frame.SizeBox()->currentText(), "12");
    EXPECT_EQ(frame.ZoomBox()->currentText(), "80%");
    EXPECT_EQ(frame.windowTitle(), "big.cfs - Varnobel Viewer");

    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("plain.cfs", u"Times New Roman", 100, 100)));
    EXPECT_EQ(frame.FontBox()->currentText(), "Times New Roman");
    EXPECT_EQ(frame.SizeBox()->currentText(), "10");
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");
}

TEST_F(FrameToolbarTest, AFaceThatIsNotInstalledIsShownWithoutPilingUp) {
    CMainFrame& frame = MakeFrame();
    const int installed = frame.FontBox()->count();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("a.cfs", u"Zz Missing Face A")));
    EXPECT_EQ(frame.FontBox()->currentText(), "Zz Missing Face A");
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("b.cfs", u"Zz Missing Face B")));
    EXPECT_EQ(frame.FontBox()->currentText(), "Zz Missing Face B");
    EXPECT_EQ(frame.FontBox()->findText("Zz Missing Face A"), -1);
    // At most one entry more than at the start ("Times New Roman" may have been the first).
    EXPECT_LE(frame.FontBox()->count(), installed + 1);
}

TEST_F(FrameToolbarTest, BoxesSelectTheFirstEntryBeginningWithTheValue) {
    CMainFrame& frame = MakeFrame();
    // 105 tenths is 10 pt (105 / 10 truncated); no entry begins with "75".
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("odd.cfs", u"Times New Roman", 105, 75)));
    EXPECT_EQ(frame.SizeBox()->currentText(), "10");
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%"); // "75" begins no entry: unchanged
    // The document keeps what the file said; only the boxes could not show it.
    EXPECT_EQ(frame.Document().zoom, 75);

    frame.ShowZoom(5); // "5" begins "50%"
    EXPECT_EQ(frame.ZoomBox()->currentText(), "50%");
    frame.ShowZoom(1); // "1" begins "100%" first
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");
    frame.ShowZoom(200); // nothing begins with "200"
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");
    frame.ShowFontSize(60);
    EXPECT_EQ(frame.SizeBox()->currentText(), "6");
    frame.ShowFontSize(90); // "9" begins no entry
    EXPECT_EQ(frame.SizeBox()->currentText(), "6");
}

TEST_F(FrameToolbarTest, ChoosingAnEntrySetsTheDocument) {
    CMainFrame& frame = MakeFrame();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("a.cfs")));

    frame.SizeBox()->setCurrentIndex(3);
    emit frame.SizeBox()->activated(3);
    EXPECT_EQ(frame.Document().fontSize, 120); // "12" × 10 tenths

    frame.ZoomBox()->setCurrentIndex(10);
    emit frame.ZoomBox()->activated(10);
    EXPECT_EQ(frame.Document().zoom, 150);

    const int times = frame.FontBox()->findText("Times New Roman");
    ASSERT_GE(times, 0);
    ASSERT_EQ(frame.Document().fontName, u"Arial");
    frame.FontBox()->setCurrentIndex(times);
    emit frame.FontBox()->activated(times);
    EXPECT_EQ(frame.Document().fontName, u"Times New Roman");
}

TEST_F(FrameToolbarTest, TheCtrlWheelZoomsOneEntryAtATimeAndStopsAtBothEnds) {
    CMainFrame& frame = MakeFrame();
    QWidget* view = frame.View();

    CtrlWheel(view, true);
    EXPECT_EQ(frame.ZoomBox()->currentText(), "110%");
    EXPECT_EQ(frame.Document().zoom, 110);
    for (int i = 0; i < 6; ++i)
        CtrlWheel(view, true);
    // 110 + 4 steps reaches 150; the last two stay there.
    EXPECT_EQ(frame.ZoomBox()->currentText(), "150%");
    EXPECT_EQ(frame.Document().zoom, 150);

    for (int i = 0; i < 12; ++i)
        CtrlWheel(view, false);
    EXPECT_EQ(frame.ZoomBox()->currentText(), "50%");
    EXPECT_EQ(frame.Document().zoom, 50);
    frame.ZoomOut();
    EXPECT_EQ(frame.ZoomBox()->currentText(), "50%");
    frame.ZoomIn();
    EXPECT_EQ(frame.Document().zoom, 60);
}

TEST_F(FrameToolbarTest, ViewMenuTogglesTheToolbarsAndTheStatusBar) {
    CMainFrame& frame = MakeFrame();
    frame.show();
    QAction* fontToggle = frame.FontToolbar()->toggleViewAction();
    ASSERT_TRUE(frame.ViewMenu()->actions().contains(fontToggle));
    EXPECT_TRUE(fontToggle->isChecked());
    fontToggle->trigger();
    EXPECT_FALSE(frame.FontToolbar()->isVisible());
    EXPECT_FALSE(fontToggle->isChecked());
    fontToggle->trigger();
    EXPECT_TRUE(frame.FontToolbar()->isVisible());

    QAction* statusToggle = frame.findChild<QAction*>("StatusBarToggle");
    ASSERT_NE(statusToggle, nullptr);
    statusToggle->trigger();
    EXPECT_FALSE(frame.statusBar()->isVisible());
}

} // namespace
