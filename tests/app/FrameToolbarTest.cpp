#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include "app/ShellFixture.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/FontZoomToolbar.h"
#include "views/qt/CMainView.h"
#include "views/qt/CVarnobelAdvView.h"

namespace {

class FrameToolbarTest : public ::testing::Test, public ShellFixture {};

// Turns the wheel over the view with Ctrl held by `delta` units: away from the user (zoom in)
// when positive, towards when negative; a notch is 120.
void CtrlWheel(QWidget* view, int delta) {
    const QPointF at(10, 10);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
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
        FontZoomToolbar::FaceNames({"Nimbus Sans [urw]", "DejaVu Sans", "Nimbus Sans [UKWN]",
                                    "Arial", "Fixed [Misc]", "Fixed [Sony]", "Fixed", "Odd [Name"}),
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

    // Values out of range are drawn at the defaults, and the boxes say so; the document keeps
    // what the file holds.
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("big.cfs", u"Courier New", 120, 80)));
    ASSERT_TRUE(
        frame.OpenDocumentFile(WriteForecast("wild.cfs", u"Arial", -1906935219, -609542420)));
    EXPECT_EQ(frame.SizeBox()->currentText(), "10");
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");
    EXPECT_EQ(frame.Document().zoom, -609542420);
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("huge.cfs", u"Arial", 10001, 1001)));
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

TEST_F(FrameToolbarTest, TheZoomBoxSelectsTheFirstEntryBeginningWithTheValue) {
    CMainFrame& frame = MakeFrame();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("odd.cfs", u"Times New Roman", 100, 75)));
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%"); // "75" begins no entry: unchanged
    // The document keeps what the file said; only the box could not show it.
    EXPECT_EQ(frame.Document().zoom, 75);

    frame.FontToolbar()->ShowZoom(5); // "5" begins "50%"
    EXPECT_EQ(frame.ZoomBox()->currentText(), "50%");
    frame.FontToolbar()->ShowZoom(1); // "1" begins "100%" first
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");
    frame.FontToolbar()->ShowZoom(200); // nothing begins with "200"
    EXPECT_EQ(frame.ZoomBox()->currentText(), "100%");
}

TEST_F(FrameToolbarTest, TheSizeBoxShowsTheFilesSizeWhateverItIs) {
    CMainFrame& frame = MakeFrame();
    // Files one after another: the size shown, and the box's entries afterwards. A size the box
    // lacks is added in its place by size, and goes when another one is added.
    struct Step {
        int tenths;
        const char* shown;
        QStringList entries;
    };
    const Step steps[] = {
        {90, "9", {"6", "8", "9", "10", "12"}},
        {105, "10.5", {"6", "8", "10", "10.5", "12"}},
        {100, "10", {"6", "8", "10", "10.5", "12"}},
        // Not "10", which begins with "1".
        {10, "1", {"1", "6", "8", "10", "12"}},
        {145, "14.5", {"6", "8", "10", "12", "14.5"}},
    };
    int file = 0;
    for (const Step& step : steps) {
        const std::string name = "size" + std::to_string(file++) + ".cfs";
        ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast(name, u"Arial", step.tenths)));
        EXPECT_EQ(frame.SizeBox()->currentText(), step.shown) << step.tenths;
        QStringList entries;
        for (int i = 0; i < frame.SizeBox()->count(); ++i)
            entries << frame.SizeBox()->itemText(i);
        EXPECT_EQ(entries, step.entries) << step.tenths;
        // What screen readers and scripts read as the box's name is its current text.
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(frame.SizeBox());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(QAccessible::Name), step.shown) << step.tenths;
    }

    // Choosing an added size gives the document that size exactly, tenths and all.
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("half.cfs", u"Arial", 85)));
    const int half = frame.SizeBox()->findText("8.5");
    ASSERT_GE(half, 0);
    frame.SizeBox()->setCurrentIndex(0);
    emit frame.SizeBox()->activated(0);
    EXPECT_EQ(frame.Document().fontSize, 60);
    frame.SizeBox()->setCurrentIndex(half);
    emit frame.SizeBox()->activated(half);
    EXPECT_EQ(frame.Document().fontSize, 85);
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

    CtrlWheel(view, 120);
    EXPECT_EQ(frame.ZoomBox()->currentText(), "110%");
    EXPECT_EQ(frame.Document().zoom, 110);
    for (int i = 0; i < 6; ++i)
        CtrlWheel(view, 120);
    // 110 + 4 steps reaches 150; the last two stay there.
    EXPECT_EQ(frame.ZoomBox()->currentText(), "150%");
    EXPECT_EQ(frame.Document().zoom, 150);

    for (int i = 0; i < 12; ++i)
        CtrlWheel(view, -120);
    EXPECT_EQ(frame.ZoomBox()->currentText(), "50%");
    EXPECT_EQ(frame.Document().zoom, 50);
    frame.FontToolbar()->ZoomOut();
    EXPECT_EQ(frame.ZoomBox()->currentText(), "50%");
    frame.FontToolbar()->ZoomIn();
    EXPECT_EQ(frame.Document().zoom, 60);
}

// A notch is 120 units of wheel angle, however many events bring it: fine-grained wheels and
// touchpads send a notch in pieces, fast wheels several notches in one event.
TEST_F(FrameToolbarTest, TheWheelZoomsOnceANotchSummedOverEvents) {
    struct Case {
        std::vector<int> deltas;
        const char* zoom; // from 100%
    };
    const Case cases[] = {
        {{40, 40, 40}, "110%"},        {{60, 59}, "100%"},       {{240}, "120%"},
        {{-30, -30, -30, -30}, "90%"}, {{-120, 50, 70}, "100%"}, {{90, 90, -90, 90}, "110%"},
    };
    for (const Case& c : cases) {
        CMainFrame& frame = MakeFrame();
        CVarnobelAdvView advanced(doc);
        int advancedSteps = 0;
        QObject::connect(&advanced, &CMainView::ZoomRequested,
                         [&advancedSteps](bool in) { advancedSteps += in ? 1 : -1; });
        for (const int delta : c.deltas) {
            CtrlWheel(frame.View(), delta);
            CtrlWheel(&advanced, delta);
        }
        std::string deltas;
        for (const int delta : c.deltas)
            deltas += std::to_string(delta) + " ";
        EXPECT_EQ(frame.ZoomBox()->currentText(), c.zoom) << deltas;
        // The Advanced view asks for the same steps.
        EXPECT_EQ(QString::number(100 + 10 * advancedSteps) + "%", frame.ZoomBox()->currentText())
            << deltas;
    }
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

// The toolbar tells only what the user chose: showing a file's values signals nothing, and a
// choice signals the value its entry stands for.
TEST(FontZoomToolbarTest, SignalsChoicesButNotWhatItShows) {
    FontZoomToolbar toolbar(nullptr);
    QSignalSpy faces(&toolbar, &FontZoomToolbar::FontNameChosen);
    QSignalSpy sizes(&toolbar, &FontZoomToolbar::FontSizeChosen);
    QSignalSpy zooms(&toolbar, &FontZoomToolbar::ZoomChosen);
    QSignalSpy ended(&toolbar, &FontZoomToolbar::BoxUseEnded);
    toolbar.ShowFontName(u"Zz Missing Face");
    toolbar.ShowFontSize(85);
    toolbar.ShowZoom(150);
    EXPECT_EQ(faces.count() + sizes.count() + zooms.count() + ended.count(), 0);

    emit toolbar.SizeBox()->activated(toolbar.SizeBox()->currentIndex()); // the added "8.5"
    ASSERT_EQ(sizes.count(), 1);
    EXPECT_EQ(sizes.at(0).at(0).toInt(), 85);
    emit toolbar.FontBox()->activated(toolbar.FontBox()->currentIndex());
    ASSERT_EQ(faces.count(), 1);
    EXPECT_EQ(faces.at(0).at(0).toString(), "Zz Missing Face");
    EXPECT_EQ(ended.count(), 2);

    // At the last entry a step in chooses it again; a step out chooses the one before.
    toolbar.ZoomIn();
    toolbar.ZoomOut();
    ASSERT_EQ(zooms.count(), 2);
    EXPECT_EQ(zooms.at(0).at(0).toInt(), 150);
    EXPECT_EQ(zooms.at(1).at(0).toInt(), 140);
}

TEST(FontZoomToolbarTest, SizeTextsAndTenthsConvertBothWays) {
    for (const int tenths : {0, 5, 10, 85, 105, 120, -15})
        EXPECT_EQ(FontZoomToolbar::FontSizeTenths(FontZoomToolbar::FontSizeText(tenths)), tenths);
    EXPECT_EQ(FontZoomToolbar::FontSizeText(-15), "-1.5");
    EXPECT_EQ(FontZoomToolbar::FontSizeTenths("x"), 0);
    EXPECT_EQ(FontZoomToolbar::FontSizeTenths("inf"), 0);
    EXPECT_EQ(FontZoomToolbar::FontSizeTenths("1e300"), INT_MAX);
}

} // namespace
