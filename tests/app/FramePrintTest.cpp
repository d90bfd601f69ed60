#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/ShellFixture.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CVarnobelAdvFrame.h"
#include "app/frame/CVarnobelBasFrame.h"
#include "support/WhenModal.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelBasView.h"
#include "views/qt/PageSetupDialog.h"
#include "views/qt/PreviewPane.h"
#include "views/qt/PrintOptionsAdvDialog.h"
#include "views/qt/PrintOptionsBasDialog.h"
#include "views/qt/PrintOptionsDialog.h"
#include "views/qt/PrintSetupDialog.h"

namespace {

class FramePrintTest : public ::testing::Test, public ShellFixture {
protected:
    CMainFrame& OpenFrame() {
        CMainFrame& frame = MakeFrame();
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(WriteForecast("plan.cfs")));
        return frame;
    }
};

TEST_F(FramePrintTest, FileMenuAndToolBarCarryThePrintCommands) {
    CMainFrame& frame = MakeFrame();
    QStringList entries;
    for (const QAction* action : frame.FileMenu()->actions())
        entries << action->text();
    EXPECT_EQ(entries.mid(2, 5), (QStringList{"", "&Print...", "Print Pre&view", "Page Set&up...",
                                              "P&rint Setup..."}));
    const QList<QAction*> buttons = frame.FileToolBar()->actions();
    EXPECT_TRUE(buttons.contains(frame.PrintAction()));
    EXPECT_TRUE(buttons.contains(frame.PrintPreviewAction()));
    EXPECT_EQ(frame.Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(FramePrintTest, PreviewTakesTheViewsPlaceUntilTheWindowIsClosed) {
    CMainFrame& frame = OpenFrame();
    CMainView* view = frame.View();
    bool asked = false;
    WhenModal([&asked](QWidget* modal) {
        if (auto* options = qobject_cast<Dialog::CPrint_Options_Dlg*>(modal)) {
            asked = true;
            options->accept();
        }
    });
    frame.PrintPreviewAction()->trigger();
    EXPECT_TRUE(asked);
    ASSERT_NE(frame.Preview(), nullptr);
    EXPECT_EQ(frame.centralWidget(), frame.Preview());
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(frame.Preview()->CurrentPage(), 1);

    // Closing the window closes the preview only.
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.Preview(), nullptr);
    EXPECT_EQ(frame.centralWidget(), view);
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(frame.close());
}

TEST_F(FramePrintTest, PreviewsCloseButtonAndTheOnePageToggleReachTheFrame) {
    CMainFrame& frame = OpenFrame();
    frame.SetPreviewPages(0);
    WhenModal([](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->accept();
    });
    frame.FilePrintPreview();
    ASSERT_NE(frame.Preview(), nullptr);
    frame.Preview()->SetPagesShown(2);
    EXPECT_EQ(frame.PreviewPages(), 2);
    frame.Preview()->CloseButton()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.Preview(), nullptr);
    EXPECT_EQ(frame.centralWidget(), frame.View());
}

TEST_F(FramePrintTest, PreviewTakesTheKeysAtOnceAndGivesThemBackToTheStatement) {
    CMainFrame& frame = OpenFrame();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    // The user last chose a font: the keys go to the font box.
    frame.FontBox()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), frame.FontBox());
    const Text font = doc.fontName;

    WhenModal([](QWidget* modal) {
        if (auto* options = qobject_cast<Dialog::CPrint_Options_Dlg*>(modal)) {
            // The statement and the graphs page: two pages to turn.
            options->findChild<QCheckBox*>(QString::number(Dialog::CPrint_Options_Dlg::kGraphsId))
                ->setChecked(true);
            options->accept();
        }
    });
    frame.PrintPreviewAction()->trigger();
    ASSERT_NE(frame.Preview(), nullptr);
    // The desktop hands the window back its activation once the dialog is gone.
    QApplication::setActiveWindow(&frame);
    QTest::qWait(50);
    EXPECT_EQ(QApplication::focusWidget(), frame.Preview());

    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    ASSERT_NE(frame.Preview(), nullptr);
    EXPECT_EQ(frame.Preview()->CurrentPage(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(frame.Preview()->CurrentPage(), 1);
    EXPECT_EQ(doc.fontName, font);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_EQ(frame.Preview(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), frame.View());
    EXPECT_EQ(doc.fontName, font);
}

TEST_F(FramePrintTest, PageSetupStoresTheMarginsInTheOpenForecast) {
    CMainFrame& frame = OpenFrame();
    WhenModal([](QWidget* modal) {
        if (auto* setup = qobject_cast<Dialog::CPage_Setup_Dlg*>(modal)) {
            setup->Edit(Dialog::CPage_Setup_Dlg::kLeftEditId)->setText("25");
            setup->accept();
        }
    });
    frame.PageSetupAction()->trigger();
    EXPECT_EQ(doc.Root().marginLeft, 25);
    EXPECT_EQ(doc.Root().marginTop, 0);
}

// Paper and orientation only, and not a word from Qt (whose own page setup dialog warned on
// standard error for every printer that is not native). The offscreen platform the tests run on
// says of every window it shows that it cannot pass size hints on; that one is its own.
TEST_F(FramePrintTest, PrintSetupChoosesThePaperAndItsOrientationOnly) {
    static QStringList qtSaid;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (text != QLatin1String("This plugin does not support propagateSizeHints()"))
                qtSaid << text;
        });
    CMainFrame& frame = OpenFrame();
    doc.SetMargins(11, 12, 13, 14);
    QPrinter& printer = frame.Printer();
    const QMarginsF printerMargins = printer.pageLayout().margins();

    for (const bool accept : {true, false}) {
        WhenModal([accept](QWidget* modal) {
            auto* setup = qobject_cast<Dialog::PrintSetupDialog*>(modal);
            if (!setup)
                return;
            EXPECT_EQ(setup->windowTitle(), "Print Setup");
            EXPECT_TRUE(setup->findChildren<QLineEdit*>().isEmpty()); // no margins to type
            // It opens on what the printer has: A4 landscape, then Letter portrait.
            EXPECT_EQ(setup->LandscapeButton()->isChecked(), accept);
            const int shown = setup->PaperBox()->currentIndex();
            ASSERT_GE(shown, 0);
            EXPECT_EQ(setup->Papers()[shown].id(), accept ? QPageSize::A4 : QPageSize::Letter);
            // Letter portrait, accepted; then Legal landscape, cancelled.
            const QPageSize::PageSizeId paper = accept ? QPageSize::Letter : QPageSize::Legal;
            for (qsizetype i = 0; i < setup->Papers().size(); ++i)
                if (setup->Papers()[i].id() == paper)
                    setup->PaperBox()->setCurrentIndex(static_cast<int>(i));
            (accept ? setup->PortraitButton() : setup->LandscapeButton())->click();
            accept ? setup->accept() : setup->reject();
        });
        frame.PrintSetupAction()->trigger();
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    }
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.pageLayout().margins(), printerMargins);
    EXPECT_EQ(doc.Root().marginTop, 11);
    EXPECT_EQ(doc.Root().marginRight, 14);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(qtSaid.isEmpty()) << qtSaid.join('\n').toStdString();
}

// After "All" years was chosen for the open file, what the next dialog's years radios start from.
TEST_F(FramePrintTest, PrintChoicesLastUntilAnotherFileIsOpened) {
    enum class Next { OpenAnother, OpenAgain, ReadAgainAfterASave };
    const std::tuple<Edition, Next, bool> cases[] = {
        {Edition::Standard, Next::OpenAnother, false},
        {Edition::Standard, Next::OpenAgain, false},
        {Edition::Standard, Next::ReadAgainAfterASave, true},
        {Edition::Basic, Next::OpenAnother, false},
    };
    const QString plan = WriteForecast("plan.cfs");
    const QString other = WriteForecast("other.cfs");
    for (const auto& [edition, next, allKept] : cases) {
        const bool basic = edition == Edition::Basic;
        std::unique_ptr<CMainFrame> frame;
        if (basic)
            frame = std::make_unique<CVarnobelBasFrame>(doc, new CVarnobelBasView(doc), profile,
                                                        recent, sink);
        else
            frame = std::make_unique<CVarnobelStdFrame>(doc, new CVarnobelStdView(doc), profile,
                                                        recent, sink);
        frame->show();
        ASSERT_TRUE(frame->OpenDocumentFile(plan));
        // Both dialogs name their "All" years radio alike.
        static_assert(Dialog::CPrint_Options_Bas_Dlg::kYearsAllId ==
                      Dialog::CPrint_Options_Dlg::kYearsAllId);
        bool startedAll = false;
        const auto preview = [&](bool chooseAll) {
            WhenModal([&startedAll, chooseAll](QWidget* modal) {
                auto* all = modal->findChild<QRadioButton*>(
                    QString::number(Dialog::CPrint_Options_Dlg::kYearsAllId));
                if (!all)
                    return;
                startedAll = all->isChecked();
                if (chooseAll)
                    all->click();
                qobject_cast<QDialog*>(modal)->accept();
            });
            frame->FilePrintPreview();
            frame->ClosePreview();
        };
        preview(true);
        preview(false);
        ASSERT_TRUE(startedAll) << "kept while the file is open";
        if (next == Next::ReadAgainAfterASave)
            ASSERT_TRUE(frame->ReloadDocumentFile());
        else
            ASSERT_TRUE(frame->OpenDocumentFile(next == Next::OpenAgain ? plan : other));
        preview(false);
        EXPECT_EQ(startedAll, allKept) << basic << " " << static_cast<int>(next);
    }
}

TEST_F(FramePrintTest, TheAdvancedEditionPreviewsTheYearsTickedInItsOptions) {
    using Dialog::CPrint_Options_Adv_Dlg;
    CVarnobelAdvFrame frame(doc, new CVarnobelAdvView(doc), profile, recent, sink);
    EXPECT_TRUE(frame.PrintAction()->isEnabled());
    ASSERT_TRUE(frame.PrintPreviewAction()->isEnabled());
    frame.show();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteForecast("plan.cfs")));
    frame.View()->SelectScenario(0);
    // `clicks` presses on the check of the tree's root "All".
    const auto preview = [&frame](int clicks, bool accept) {
        WhenModal([clicks, accept](QWidget* modal) {
            auto* options = qobject_cast<CPrint_Options_Adv_Dlg*>(modal);
            if (!options)
                return;
            auto* tree = options->Tree(CPrint_Options_Adv_Dlg::kShownTreeId);
            for (int click = 0; click < clicks; ++click) {
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                                  tree->CheckRect(tree->topLevelItem(0)).center());
                // The press asks for the toggle by a queued call.
                QCoreApplication::processEvents();
            }
            accept ? options->accept() : options->reject();
        });
        frame.PrintPreviewAction()->trigger();
        QApplication::processEvents();
    };

    // Cancelled, there is no preview and no message.
    preview(0, false);
    EXPECT_EQ(frame.Preview(), nullptr);
    EXPECT_TRUE(sink.boxes.empty());
    // The year on screen starts ticked: OK at once previews it alone.
    preview(0, true);
    ASSERT_NE(frame.Preview(), nullptr);
    const int onScreen = frame.Preview()->LastPage();
    EXPECT_GE(onScreen, 1);
    // While the job walks the years the window draws no statement; it does again afterwards.
    auto* view = dynamic_cast<CVarnobelAdvView*>(frame.View());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->PrintingShown());
    frame.Preview()->CloseButton()->click();
    QApplication::processEvents();
    EXPECT_FALSE(view->PrintingShown());

    // "All" partly ticked: the first press clears it, the second ticks every year. Four years
    // (two scenarios of two companies), a page each at least, counted at the start.
    preview(2, true);
    ASSERT_NE(frame.Preview(), nullptr);
    EXPECT_GE(frame.Preview()->LastPage(), 4);
    EXPECT_GT(frame.Preview()->LastPage(), onScreen);
    EXPECT_TRUE(sink.boxes.empty());
    frame.Preview()->CloseButton()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.Preview(), nullptr);
    EXPECT_EQ(frame.View()->SelectedScenario(), 0);
    EXPECT_EQ(frame.View()->SelectedCompany(), -1);
}

} // namespace
