#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "support/SmallAdvYear.h"
#include "views/StatementForecast.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelStdView.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Clipboard {
    std::string text;
    std::string html;
};

Clipboard Copied() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return {data->text().toStdString(), data->html().toStdString()};
}

// The small year (see SmallAdvYear.h) in a view of its own, in a window.
class ClipboardCopyTest : public ::testing::Test {
protected:
    ClipboardCopyTest() : forecast({100}, {1.0}, 1, 10) {
        forecast.View().name = u"Main";
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.Items(kBank).Clear();
        });
        BuildSmallAdvYear(forecast);
        QGuiApplication::clipboard()->clear();
    }

    template <class View> View& Show() {
        auto view = std::make_unique<View>(forecast.doc);
        View& shown = *view;
        view_ = std::move(view);
        view_->resize(1000, 600);
        view_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
        view_->DocumentLoaded();
        view_->SelectScenario(0);
        view_->SelectCompany(0);
        Paint();
        return shown;
    }

    void Paint() {
        for (int i = 0; i < 3; ++i) {
            view_->repaint();
            QApplication::processEvents();
        }
    }

    void Key(Qt::Key key) {
        QTest::keyClick(view_.get(), key);
        Paint();
    }

    StatementForecast forecast;
    std::unique_ptr<CMainView> view_;
};

TEST_F(ClipboardCopyTest, WithoutAHighlightTheWholeAdvancedStatementIsCopiedAsShown) {
    Show<CVarnobelAdvView>();
    ASSERT_TRUE(view_->CopyToClipboard());
    // The golden CSV holds no quoted fields: its records with tabs are the copied lines.
    std::string expected = ReadFile(VARNOBEL_TEST_DATA "/adv/small-year.csv");
    ASSERT_FALSE(expected.empty());
    expected = std::regex_replace(expected, std::regex(","), "\t");
    expected = std::regex_replace(expected, std::regex("\r\n"), "\n");
    const Clipboard whole = Copied();
    EXPECT_EQ(whole.text, expected);
    EXPECT_NE(whole.html.find("<table>"), std::string::npos);
    EXPECT_NE(whole.html.find("sdval=\"-100.00\""), std::string::npos);

    // A closed section leaves its rows out, as on screen; its heading and total stay.
    forecast.Year().sectionState[kIncome] = 0;
    view_->InvalidateLayout();
    Paint();
    ASSERT_TRUE(view_->CopyToClipboard());
    const std::string closed = Copied().text;
    EXPECT_EQ(closed.find("\nSales\t"), std::string::npos);
    EXPECT_NE(closed.find("\nINCOME\t"), std::string::npos);
    EXPECT_NE(closed.find("\nTotal Income\t\t900.00\t1000.00\t-100.00\t"), std::string::npos);

    // A sub-column switched off is not copied.
    forecast.Year().display.showVariance[10] = false;
    view_->InvalidateLayout();
    Paint();
    ASSERT_TRUE(view_->CopyToClipboard());
    EXPECT_EQ(Copied().text.find("Nov 23 Variance"), std::string::npos);
}

TEST_F(ClipboardCopyTest, TheHighlightedAdvancedRowIsCopiedAloneAndATabHighlightCopiesAll) {
    Show<CVarnobelAdvView>();
    // Tab walks views, scenarios, companies and years to the rows; Down steps from the INCOME
    // heading to the sales.
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Tab);
    Key(Qt::Key_Down);
    ASSERT_TRUE(view_->CopyToClipboard());
    const Clipboard row = Copied();
    EXPECT_EQ(row.text, "Sales\t1\t900.00\t1000.00\t-100.00\t1100.00\t1000.00\t100.00\t0.00\t"
                        "500.00\t-500.00\t2000.00\t2500.00\t-500.00\t100.00\t100.00\t0.00\n");
    // One row of cells, no headings.
    EXPECT_EQ(row.html.find("<th"), std::string::npos);
    EXPECT_NE(row.html.find("sdval=\"2500.00\""), std::string::npos);
    ASSERT_NE(row.html.find("<tr"), std::string::npos);
    EXPECT_EQ(row.html.find("<tr", row.html.find("<tr") + 1), std::string::npos);

    // Back on the years' tabs: the whole statement again.
    Key(Qt::Key_Tab); // round to the views
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Tab);
    ASSERT_TRUE(view_->CopyToClipboard());
    EXPECT_EQ(Copied().text.rfind("Line\tNotes\tNov 23 Actual\t", 0), 0u);
}

TEST_F(ClipboardCopyTest, TheStandardViewCopiesItsFocusedRowOrTheWholeStatement) {
    CVarnobelStdView& view = Show<CVarnobelStdView>();
    ASSERT_TRUE(view.CopyToClipboard());
    const std::string whole = Copied().text;
    // The heading line, then Expected figures from the year's start in November; months
    // outside its three are empty, the total is the year's, the percentage of 2,500.00.
    EXPECT_EQ(
        whole.rfind("Line\tNov\tDec\tJan\tFeb\tMar\tApr\tMay\tJun\tJul\tAug\tSep\tOct\tTotal\t%\n"
                    "INCOME\t",
                    0),
        0u);
    const std::string sales =
        "Sales\t1000.00\t1000.00\t500.00\t\t\t\t\t\t\t\t\t\t2500.00\t100.00\n";
    EXPECT_NE(whole.find("\n" + sales), std::string::npos);

    view.State().FocusStatementRow(Statement::StatementSection::Income, 0);
    Paint();
    ASSERT_TRUE(view.CopyToClipboard());
    EXPECT_EQ(Copied().text, sales);

    // On a tab row the highlight names no row.
    view.State().FocusTabRow(FocusSection::YearTabs);
    ASSERT_TRUE(view.CopyToClipboard());
    EXPECT_EQ(Copied().text, whole);
}

TEST_F(ClipboardCopyTest, TheGraphsPageCopiesItsTitleAndThePlottedFigures) {
    CVarnobelStdView& view = Show<CVarnobelStdView>();
    view.SelectYear(1); // the tab after the only year
    view.State().seriesShownOverride.assign(CMainDoc::kSeries, false);
    view.State().seriesShownOverride[0] = true; // Income
    Paint();
    ASSERT_TRUE(view.CopyToClipboard());
    const Clipboard graphs = Copied();
    // The income the year expects in its three months, from November.
    EXPECT_EQ(graphs.text, "Scenario 1 / Company 1 / Graphs\n"
                           "Series\tNov 23\tDec 23\tJan 24\n"
                           "Income\t1000.00\t1000.00\t500.00\n");
    EXPECT_NE(graphs.html.find("sdval=\"500.00\""), std::string::npos);
}

} // namespace
