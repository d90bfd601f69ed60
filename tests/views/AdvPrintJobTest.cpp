#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PrintLoop.h"
#include "platform/RecordingDeviceContext.h"
#include "views/AdvPrintJob.h"
#include "views/CountingPageTarget.h"
#include "views/StatementForecast.h"

namespace {

// Gives each year as many pages as its number's last digit (2021: 1 page, 2023: 3 pages) and
// writes "year/scenario/company/page" on each page it prints.
class FakeLayout : public AdvPageLayout {
public:
    explicit FakeLayout(CMainDoc& doc) : doc_(doc) {}

    int CountPages(DeviceContext&, const Rect&, const LayoutKey& key) override {
        counted.push_back(Label(key, -1));
        return Year(key).year % 10;
    }
    void PrintPage(DeviceContext& dc, const Rect&, const LayoutKey& key, int page) override {
        dc.DrawText(0, 0, Label(key, page));
    }

    std::vector<Text> counted;

private:
    Database::CYear& Year(const LayoutKey& key) const {
        return doc_.Root()
            .View(key[LayoutKey::kView])
            .Scenario(key[LayoutKey::kScenario])
            .Company(key[LayoutKey::kCompany])
            .Year(key[LayoutKey::kYear]);
    }
    Text Label(const LayoutKey& key, int page) const {
        return DecimalText(Year(key).year) + u"/" + DecimalText(key[LayoutKey::kScenario]) + u"/" +
               DecimalText(key[LayoutKey::kCompany]) + u"/" + DecimalText(page);
    }
    CMainDoc& doc_;
};

DeviceCaps Paper() {
    return DeviceCaps{true, 800, 600, 800, 600, 0, 0, 96, 96};
}

Text PageText(RecordingDeviceContext& dc) {
    for (const DrawOp& op : dc.Operations())
        if (op.kind == DrawOp::Kind::Text)
            return op.text;
    return u"";
}

// The combined scenario and one real one, each with the combined company and one real company
// of three years (2021, 2022, 2023).
class AdvPrintJobTest : public ::testing::Test {
protected:
    AdvPrintJobTest() {
        for (const auto& scenario : forecast.View().scenarios)
            for (const auto& company : scenario->companies)
                for (int y = 0; y < company->YearCount(); ++y)
                    company->Year(y).year = 2021 + y;
        key[LayoutKey::kView] = 0;
        key[LayoutKey::kScenario] = 0;
        key[LayoutKey::kCompany] = 0;
        key[LayoutKey::kYear] = 1;
    }

    // Prints pages in the given order through one session, as a preview does.
    std::vector<Text> Print(std::vector<int> order, int* last = nullptr) {
        PrintInfo info;
        info.preview = true;
        AdvPrintJob job(forecast.doc, key, layout, [this] { return accept; });
        PrintSession session(job, info);
        std::vector<Text> pages;
        if (!session.Prepare())
            return pages;
        RecordingDeviceContext dc(Paper());
        session.Begin(dc);
        if (last)
            *last = info.maxPage;
        for (int page : order) {
            dc.Clear();
            const PrintSession::Page result = session.Print(dc, page);
            pages.push_back(result == PrintSession::Page::Printed ? PageText(dc) : u"-");
        }
        EXPECT_NE(key[LayoutKey::kYear], 1); // moved by the walk...
        session.End();
        EXPECT_EQ(key[LayoutKey::kYear], 1); // ...and put back
        return pages;
    }

    StatementForecast forecast{{100}, {1.0}, 3};
    LayoutKey key;
    FakeLayout layout{forecast.doc};
    bool accept = true;
};

TEST_F(AdvPrintJobTest, CountsMarkedYearsFirstThenPrintsAnyPageFromTheYearThatHoldsIt) {
    forecast.Year(-1, -1, 2).printMark = 1; // 3 pages
    forecast.Year(0, -1, 0).printMark = 1;  // 1 page
    forecast.Year(0, 0, 1).printMark = 1;   // 2 pages
    int last = 0;
    const std::vector<Text> pages = Print({1, 2, 4, 6, 5, 3, 1, 7}, &last);
    EXPECT_EQ(last, 6);
    // Only marked years are laid out, in view, scenario, company, year order.
    EXPECT_EQ(layout.counted,
              (std::vector<Text>{u"2023/-1/-1/-1", u"2021/0/-1/-1", u"2022/0/0/-1"}));
    EXPECT_EQ(pages,
              (std::vector<Text>{u"2023/-1/-1/0", u"2023/-1/-1/1", u"2021/0/-1/0", u"2022/0/0/1",
                                 u"2022/0/0/0", u"2023/-1/-1/2", u"2023/-1/-1/0", u"-"}));
}

TEST_F(AdvPrintJobTest, PrintsEveryCountedPageAndNothingWithoutMarksOrAfterCancel) {
    forecast.Year(0, 0, 2).printMark = 1;
    forecast.Year(-1, 0, 0).printMark = 1;
    PrintInfo info;
    AdvPrintJob job(forecast.doc, key, layout, [] { return true; });
    CountingPageTarget target(Paper());
    const PrintResult result = RunPrintLoop(job, target, info);
    EXPECT_EQ(result.status, PrintResult::Status::Printed);
    EXPECT_EQ(job.PageCount(), 4);
    EXPECT_EQ(result.pages, 4);
    EXPECT_EQ(target.kept, 4);

    forecast.Year(0, 0, 2).printMark = 0;
    forecast.Year(-1, 0, 0).printMark = 0;
    PrintInfo none;
    EXPECT_EQ(RunPrintLoop(job, target, none).status, PrintResult::Status::Nothing);

    forecast.Year(0, 0, 2).printMark = 1;
    accept = false;
    layout.counted.clear();
    EXPECT_TRUE(Print({1}).empty());
    EXPECT_TRUE(layout.counted.empty());
    EXPECT_EQ(key[LayoutKey::kYear], 1);

    // OK in the options, Cancel in the print dialog.
    accept = true;
    PrintInfo cancelled;
    cancelled.preparePrinting = [](PrintInfo&) { return false; };
    target.kept = 0;
    EXPECT_EQ(RunPrintLoop(job, target, cancelled).status, PrintResult::Status::Cancelled);
    EXPECT_EQ(target.kept, 0);
    EXPECT_TRUE(layout.counted.empty());
    EXPECT_EQ(key[LayoutKey::kYear], 1);
}

} // namespace
