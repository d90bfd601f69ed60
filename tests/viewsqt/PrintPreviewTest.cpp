#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollArea>
#include <QTest>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>

#include "platform/DeviceContext.h"
#include "views/AdvKey.h"
#include "views/AdvPrintJob.h"
#include "views/StatementForecast.h"
#include "views/StdPrintJob.h"
#include "views/qt/PreviewPane.h"

namespace {

// Two scenarios of one company: the graphs pages of "All", "Scenario 1" and "Scenario 2" make
// a job of three pages whatever the fonts.
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() {
        forecast.AddItem(kIncome, u"Sales", 100);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        state.selectedScenario = 1;
    }

    std::unique_ptr<CMy_Preview> MakePreview(int pages = 0) {
        auto preview = std::make_unique<CMy_Preview>(job, printer, pages);
        preview->resize(900, 700);
        return preview;
    }

    StatementForecast forecast{{60, 40}, {1.0}, 1};
    StdViewState state;
    StdPrintChoices choices{PrintChoice::All, PrintChoice::Current, PrintChoice::Current, false,
                            true};
    bool answer = true;
    StdPrintJob job{forecast.doc, state, Edition::Standard, [this](StdPrintChoices& shown) {
                        shown = choices;
                        return answer;
                    }};
    QPrinter printer{QPrinter::HighResolution};
};

QString PageLabel(const CMy_Preview& preview) {
    const auto* label = preview.findChild<QLabel*>(QStringLiteral("PageLabel"));
    return label ? label->text() : QStringLiteral("(no label)");
}

// Three pages for every marked year, whatever the paper, each with the page's number on it.
class ThreePagesAYear : public AdvPageLayout {
public:
    int CountPages(DeviceContext&, const Rect&, const LayoutKey&) override { return 3; }
    void PrintPage(DeviceContext& dc, const Rect&, const LayoutKey&, int page) override {
        dc.DrawText(100, 100, DecimalText(page + 1));
    }
};

bool Blank(const QImage& image) {
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

TEST_F(PreviewTest, StepsThroughTheJobsPagesOneOrTwoAtATime) {
    auto preview = MakePreview();
    ASSERT_TRUE(preview->Start());
    // The job starts the preview with one page.
    EXPECT_EQ(preview->PagesShown(), 1);
    EXPECT_EQ(preview->CurrentPage(), 1);
    const QImage first = preview->ShownPage(0);
    ASSERT_FALSE(first.isNull());
    // A4 landscape at 150 dpi: 297 and 210 mm are 1753.9 and 1240.2 pixels.
    EXPECT_EQ(first.size(), QSize(1754, 1240));
    EXPECT_FALSE(Blank(first));
    EXPECT_TRUE(preview->ShownPage(1).isNull());
    EXPECT_FALSE(preview->PrevButton()->isEnabled());
    EXPECT_TRUE(preview->NextButton()->isEnabled());
    // The job counted its three pages before the first.
    EXPECT_EQ(preview->LastPage(), 3);

    preview->NextButton()->click();
    preview->NextButton()->click();
    EXPECT_EQ(preview->CurrentPage(), 3);
    EXPECT_EQ(preview->LastPage(), 3);
    EXPECT_FALSE(preview->NextButton()->isEnabled());

    QSignalSpy pagesChanged(preview.get(), &CMy_Preview::PagesShownChanged);
    preview->PagesButton()->click();
    ASSERT_EQ(pagesChanged.count(), 1);
    EXPECT_EQ(pagesChanged.at(0).at(0).toInt(), 2);
    EXPECT_EQ(preview->PagesButton()->text(), "&One Page");
    // Page 3 is the last: it stands alone until the preview goes back.
    EXPECT_TRUE(preview->ShownPage(1).isNull());
    preview->PrevButton()->click();
    EXPECT_EQ(preview->CurrentPage(), 2);
    EXPECT_FALSE(preview->ShownPage(1).isNull());
    EXPECT_NE(preview->ShownPage(0), preview->ShownPage(1));

    // Zooming shows one page larger; two steps in, and out again.
    preview->ZoomInButton()->click();
    EXPECT_EQ(preview->ZoomLevel(), 1);
    EXPECT_FALSE(preview->PagesButton()->isEnabled());
    preview->ZoomInButton()->click();
    EXPECT_FALSE(preview->ZoomInButton()->isEnabled());
    preview->ZoomOutButton()->click();
    preview->ZoomOutButton()->click();
    EXPECT_FALSE(preview->ZoomOutButton()->isEnabled());
    EXPECT_FALSE(preview->ShownPage(1).isNull());

    QSignalSpy closing(preview.get(), &CMy_Preview::CloseRequested);
    QSignalSpy printing(preview.get(), &CMy_Preview::PrintRequested);
    preview->PrintButton()->click();
    preview->CloseButton()->click();
    EXPECT_EQ(printing.count(), 1);
    EXPECT_EQ(closing.count(), 1);

    // While the preview lives the job walks the scenarios; its end puts the selection back.
    preview.reset();
    EXPECT_EQ(state.selectedScenario, 1);
    EXPECT_EQ(state.selectedYear, 0);
}

// A click on a page leaves the keys with the preview: Page Down still turns the page.
TEST_F(PreviewTest, KeysTurnPagesAfterAClickOnAPage) {
    auto preview = MakePreview();
    ASSERT_TRUE(preview->Start());
    preview->show();
    QApplication::setActiveWindow(preview.get());
    preview->setFocus();
    auto* scroll = preview->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    QTest::mouseClick(scroll->viewport(), Qt::LeftButton, {}, scroll->viewport()->rect().center());
    ASSERT_EQ(QApplication::focusWidget(), preview.get());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(preview->CurrentPage(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(preview->CurrentPage(), 1);
}

TEST_F(PreviewTest, BothJobsNameTheirTotalAndAClickOnAPageZooms) {
    // The Standard job lays its pages out once before the first: three graphs pages.
    auto standard = MakePreview();
    ASSERT_TRUE(standard->Start());
    EXPECT_EQ(PageLabel(*standard), "Page 1 of 3");
    standard->PagesButton()->click();
    EXPECT_EQ(PageLabel(*standard), "Pages 1-2 of 3");
    standard->NextButton()->click();
    standard->PagesButton()->click();
    EXPECT_EQ(PageLabel(*standard), "Page 2 of 3");
    // Each click zooms in a step, and the closest zoom gives the whole page back.
    QWidget* desk = standard->findChild<QScrollArea*>()->viewport();
    for (int expected : {1, 2, 0}) {
        QTest::mouseClick(desk, Qt::LeftButton, {}, QPoint(100, 100));
        EXPECT_EQ(standard->ZoomLevel(), expected);
    }
    standard.reset();

    // The Advanced job counts first: two marked years of three pages are six from the start.
    forecast.Year(-1, -1, 0).printMark = 1;
    forecast.Year(0, 0, 0).printMark = 1;
    LayoutKey key = AdvInitialKey();
    ThreePagesAYear layout;
    AdvPrintJob advanced(forecast.doc, key, layout, [] { return true; });
    CMy_Preview preview(advanced, printer, 0);
    preview.resize(900, 700);
    ASSERT_TRUE(preview.Start());
    EXPECT_EQ(PageLabel(preview), "Page 1 of 6");
    preview.PagesButton()->click();
    EXPECT_EQ(PageLabel(preview), "Pages 1-2 of 6");
    preview.NextButton()->click();
    preview.NextButton()->click();
    EXPECT_EQ(PageLabel(preview), "Pages 3-4 of 6");
    preview.NextButton()->click();
    preview.NextButton()->click();
    EXPECT_EQ(PageLabel(preview), "Pages 5-6 of 6");
    EXPECT_FALSE(preview.NextButton()->isEnabled());
    preview.PagesButton()->click();
    preview.PrevButton()->click();
    EXPECT_EQ(PageLabel(preview), "Page 4 of 6");

    // Clearing a mark and laying the pages out again counts them anew.
    forecast.Year(0, 0, 0).printMark = 0;
    preview.Refresh();
    EXPECT_EQ(PageLabel(preview), "Page 3 of 3");
}

TEST_F(PreviewTest, StartsWithTheStoredNumberOfPages) {
    auto preview = MakePreview(2);
    ASSERT_TRUE(preview->Start());
    EXPECT_EQ(preview->PagesShown(), 2);
    EXPECT_FALSE(preview->ShownPage(1).isNull());
}

TEST_F(PreviewTest, CancelledOrEmptyJobsDoNotStart) {
    answer = false;
    auto cancelled = MakePreview();
    EXPECT_FALSE(cancelled->Start());
    EXPECT_TRUE(cancelled->Failure().isEmpty());
    EXPECT_EQ(state.selectedScenario, 1);

    answer = true;
    choices = StdPrintChoices{PrintChoice::Current, PrintChoice::Current, PrintChoice::Current,
                              false, false};
    auto empty = MakePreview();
    EXPECT_FALSE(empty->Start());
    EXPECT_EQ(empty->Failure(), "There is nothing to print with these options.");

    // Margins larger than the sheet: the job cannot lay a page out.
    choices = StdPrintChoices{PrintChoice::Current, PrintChoice::Current, PrintChoice::Current,
                              true, false};
    forecast.doc.SetMargins(120, 0, 120, 0);
    auto cramped = MakePreview();
    EXPECT_FALSE(cramped->Start());
    EXPECT_TRUE(cramped->Failure().contains("margins"));
    EXPECT_EQ(state.selectedScenario, 1);
}

} // namespace
