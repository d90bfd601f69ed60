#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/PrintLoop.h"
#include "platform/RecordingDeviceContext.h"
#include "support/ScopedTimeZone.h"
#include "views/StatementForecast.h"
#include "views/StdPrintJob.h"

// The page loop over the recorder at 96 dpi, zero margins and no physical offset: the geometry
// of the screen tests (StdDrawPassTest.cpp). The statement body starts at 140 and rows are 18
// apart; month columns are 120 wide and 129 apart, starting at 243 on the first column band and
// at 9 + 9 + 9 = 27 on the later ones (no description or tax column).
namespace {

constexpr int kBodyTop = 140;
constexpr int kRowPitch = 18;
constexpr Colour kRed = Rgb(200, 0, 0);

DeviceCaps Page(int width, int height) {
    return DeviceCaps{true, width, height, width, height, 0, 0, 96, 96};
}

// Keeps the operations of every page the loop keeps.
class RecordingTarget : public PageTarget {
public:
    explicit RecordingTarget(const DeviceCaps& caps) : dc(caps) {}

    bool StartDoc() override {
        started = true;
        return canStart;
    }
    DeviceContext& Context() override { return dc; }
    bool StartPage() override {
        dc.Clear();
        return true;
    }
    bool EndPage(bool keep) override {
        if (keep)
            pages.push_back(dc.Operations());
        return true;
    }
    bool EndDoc() override {
        ended = true;
        return true;
    }
    void AbortDoc() override { aborted = true; }

    RecordingDeviceContext dc;
    std::vector<std::vector<DrawOp>> pages;
    bool canStart = true;
    bool started = false;
    bool ended = false;
    bool aborted = false;
};

const DrawOp* FindText(const std::vector<DrawOp>& page, const Text& text) {
    for (const DrawOp& op : page)
        if (op.kind == DrawOp::Kind::Text && op.text == text)
            return &op;
    return nullptr;
}

bool Has(const std::vector<DrawOp>& page, const Text& text) {
    return FindText(page, text) != nullptr;
}

int TopOf(const std::vector<DrawOp>& page, const Text& text) {
    const DrawOp* op = FindText(page, text);
    return op ? op->point.y : -1;
}

// The leftmost month heading of a page.
Text FirstMonth(const std::vector<DrawOp>& page) {
    static const std::vector<Text> months = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                             u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    const DrawOp* first = nullptr;
    for (const DrawOp& op : page)
        if (op.kind == DrawOp::Kind::Text && op.point.y < kBodyTop &&
            std::find(months.begin(), months.end(), op.text) != months.end() &&
            (!first || op.point.x < first->point.x))
            first = &op;
    return first ? first->text : Text();
}

// The tabs a page shows selected (drawn in red): scenario name, company name and year.
std::string SelectedTabs(const std::vector<DrawOp>& page) {
    std::string scenario, company, year;
    for (const DrawOp& op : page) {
        if (op.kind != DrawOp::Kind::Text || op.textColour != kRed)
            continue;
        const std::string text = ToUtf8(op.text);
        if (text.find(" (Wt = ") != std::string::npos)
            scenario = text.substr(0, text.find(" (Wt = "));
        else if (text == "Group" || text.rfind("Company ", 0) == 0)
            company = text;
        else if (text == "Graphs" || text == "2020" || text == "2021")
            year = text;
    }
    return scenario + "/" + company + "/" + year;
}

class PrintJobTest : public ::testing::Test {
protected:
    explicit PrintJobTest(std::vector<int> scenarioWeights = {100},
                          std::vector<double> companyWeights = {1.0}, int years = 1)
        : owned(std::make_unique<StatementForecast>(std::move(scenarioWeights),
                                                    std::move(companyWeights), years)),
          forecast(*owned) {}

    // Runs a whole job with the given choices (the dialog's presets when none).
    PrintResult Print(int width, int height, std::optional<StdPrintChoices> choices = {},
                      Edition edition = Edition::Standard) {
        target = std::make_unique<RecordingTarget>(Page(width, height));
        StdPrintJob job(forecast.doc, state, edition, [&](StdPrintChoices& shown) {
            presets = shown;
            if (choices)
                shown = *choices;
            return dialogAnswer;
        });
        job.SetRedraw([this] { ++redraws; });
        info = PrintInfo{};
        info.preparePrinting = [this](PrintInfo&) { return printDialogAnswer; };
        return RunPrintLoop(job, *target, info);
    }

    std::vector<std::string> PageTabs() const {
        std::vector<std::string> tabs;
        for (const auto& page : target->pages)
            tabs.push_back(SelectedTabs(page));
        return tabs;
    }

    static constexpr PrintChoice kAll = PrintChoice::All;
    static constexpr PrintChoice kCurrent = PrintChoice::Current;

    static StdPrintChoices Choices(PrintChoice scenarios, PrintChoice companies, PrintChoice years,
                                   bool cashflow, bool graphs) {
        return StdPrintChoices{scenarios, companies, years, cashflow, graphs};
    }

    std::unique_ptr<StatementForecast> owned;
    StatementForecast& forecast;
    StdViewState state;
    PrintInfo info;
    std::unique_ptr<RecordingTarget> target;
    StdPrintChoices presets;
    bool dialogAnswer = true;
    bool printDialogAnswer = true;
    int redraws = 0;
};

// Sales (1.00 a month) and three costs (1.00, 2.00, 3.00): the statement's lines stand at
// 140 + 18 k for k = 0 … 24: INCOME, Sales, Total Income, -, EXPENSES (k = 4), Cost 0-2,
// Total Expenses, -, NET SURPLUS BEFORE INTEREST, - (k = 11), INTEREST (k = 12), O/D Interest,
// Total Interest, -, NET SURPLUS, -, the bank's name (k = 18), Opening Balance, Net Movement,
// Adjustments, Closing Bank Balance, O/D Limit (k = 23), -.
class BandTest : public PrintJobTest {
protected:
    BandTest() {
        forecast.AddItem(kIncome, u"Sales", 100);
        for (int i = 0; i < 3; ++i)
            forecast.AddItem(kExpense, u"Cost " + DecimalText(i), 100 * (i + 1));
    }
};

TEST_F(BandTest, PagesRunDownEachColumnBandThenAcross) {
    // A body of 12 rows (140 to 356): rows 0-11 on the first page, INTEREST (row 12) opens the
    // second, which ends with O/D Limit at 140 + 11 x 18 = 338. Across, 800 units hold Jan-Apr
    // (May, 759 to 879, is cut); the second band starts May at 27 and holds May-Oct (Nov would
    // start at 27 + 6 x 129 = 801); the third holds Nov, Dec, Total and %. 3 bands x 2 pages.
    const PrintResult result = Print(800, kBodyTop + 12 * kRowPitch);
    ASSERT_EQ(result.status, PrintResult::Status::Printed);
    ASSERT_EQ(result.pages, 6);
    const auto& pages = target->pages;

    const std::vector<Text> firstMonths = {u"Jan", u"Jan", u"May", u"May", u"Nov", u"Nov"};
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(FirstMonth(pages[p]), firstMonths[p]) << "page " << p + 1;
        EXPECT_EQ(Has(pages[p], u"Description"), p < 2) << "page " << p + 1;
    }
    // The cut month leads the next band, right-aligned in its column at 27 + 120.
    EXPECT_EQ(FindText(pages[2], u"May")->point.x, 27 + 120);
    EXPECT_FALSE(Has(pages[2], u"Apr"));
    EXPECT_TRUE(Has(pages[2], u"Oct"));
    EXPECT_FALSE(Has(pages[2], u"Nov"));
    EXPECT_EQ(FindText(pages[4], u"Nov")->point.x, 27 + 120);
    EXPECT_TRUE(Has(pages[4], u"Total"));
    EXPECT_TRUE(Has(pages[4], u"%"));

    // Down: the first page of each band holds rows 0-11, the second rows 12-23.
    EXPECT_EQ(TopOf(pages[0], u"Sales"), kBodyTop + kRowPitch);
    EXPECT_FALSE(Has(pages[0], u"INTEREST"));
    EXPECT_EQ(TopOf(pages[1], u"INTEREST"), kBodyTop);
    EXPECT_FALSE(Has(pages[1], u"Sales"));
    // Cost 2's figure (3.00) is row 7 in every band that shows months: 140 + 7 x 18.
    EXPECT_EQ(TopOf(pages[0], u"3.00 "), 266);
    EXPECT_EQ(TopOf(pages[2], u"3.00 "), 266);
    EXPECT_FALSE(Has(pages[3], u"3.00 "));
    // Its total (36.00) only in the third band, on its first page.
    EXPECT_EQ(TopOf(pages[4], u"36.00 "), 266);
    EXPECT_FALSE(Has(pages[5], u"36.00 "));
}

TEST_F(BandTest, PreviewGoingBackLaysOutTheEarlierPagesWithoutOutput) {
    const int height = kBodyTop + 12 * kRowPitch;
    ASSERT_EQ(Print(800, height).pages, 6);
    const std::vector<DrawOp> fourth = target->pages[3];

    StdPrintJob job(forecast.doc, state, Edition::Standard, {});
    PrintInfo preview;
    preview.preview = true;
    PrintSession session(job, preview);
    ASSERT_TRUE(session.Prepare());
    RecordingDeviceContext dc(Page(800, height));
    session.Begin(dc);
    for (int page = 1; page <= 5; ++page)
        ASSERT_EQ(session.Print(dc, page), PrintSession::Page::Printed);
    EXPECT_EQ(state.printPage, 5);

    // Back to page 4: pages 1-3 are laid out again, page 4 alone is drawn.
    dc.Clear();
    ASSERT_EQ(session.Print(dc, 4), PrintSession::Page::Printed);
    EXPECT_EQ(state.printPage, 4);
    ASSERT_EQ(dc.Operations().size(), fourth.size());
    for (std::size_t i = 0; i < fourth.size(); ++i) {
        EXPECT_EQ(dc.Operations()[i].text, fourth[i].text);
        EXPECT_EQ(dc.Operations()[i].point, fourth[i].point);
    }
    // Asked again (a preview redrawn), the last page laid out is laid out and drawn anew.
    dc.Clear();
    ASSERT_EQ(session.Print(dc, 4), PrintSession::Page::Printed);
    EXPECT_EQ(dc.Operations().size(), fourth.size());
    EXPECT_EQ(FirstMonth(dc.Operations()), u"May");
    // The job has six pages.
    ASSERT_EQ(session.Print(dc, 5), PrintSession::Page::Printed);
    ASSERT_EQ(session.Print(dc, 6), PrintSession::Page::Printed);
    EXPECT_EQ(session.Print(dc, 7), PrintSession::Page::Beyond);
    EXPECT_EQ(preview.maxPage, 6);
}

TEST_F(BandTest, PrintDialogRangeStartsLaterWithTheSamePages) {
    const int height = kBodyTop + 12 * kRowPitch;
    ASSERT_EQ(Print(800, height).pages, 6);
    const std::vector<DrawOp> third = target->pages[2];

    target = std::make_unique<RecordingTarget>(Page(800, height));
    StdPrintJob job(forecast.doc, state, Edition::Standard, {});
    info = PrintInfo{};
    info.fromPage = 3;
    info.toPage = 4;
    const PrintResult result = RunPrintLoop(job, *target, info);
    ASSERT_EQ(result.pages, 2);
    ASSERT_EQ(target->pages[0].size(), third.size());
    EXPECT_EQ(FirstMonth(target->pages[0]), u"May");
    EXPECT_EQ(TopOf(target->pages[0], u"3.00 "), 266);
}

// Sales and ten expenses: INCOME 140, Sales, Total Income, -, EXPENSES at 212, Cost 0-9 at
// 230 … 392.
class SectionRulesTest : public PrintJobTest {
protected:
    SectionRulesTest() {
        forecast.AddItem(kIncome, u"Sales", 100000);
        for (int i = 0; i < 10; ++i)
            forecast.AddItem(kExpense, u"Cost " + DecimalText(i), 100);
    }
};

TEST_F(SectionRulesTest, HeadingFourRowsAboveTheBottomMovesItsTenRowSection) {
    // 4 rows left below 212; the section needs min(10, 5) + 2 = 7.
    ASSERT_EQ(Print(3000, 212 + 4 * kRowPitch).status, PrintResult::Status::Printed);
    ASSERT_GE(target->pages.size(), 2u);
    EXPECT_TRUE(Has(target->pages[0], u"Total Income"));
    EXPECT_FALSE(Has(target->pages[0], u"EXPENSES"));
    EXPECT_EQ(TopOf(target->pages[1], u"EXPENSES"), kBodyTop);
    EXPECT_EQ(TopOf(target->pages[1], u"Cost 0"), kBodyTop + kRowPitch);
}

TEST_F(SectionRulesTest, RowStraddlingTheBottomOpensTheNextPage) {
    // 7 rows and 9 units below 212: Cost 0-5 end at 338; Cost 6 (338 to 356) straddles 347.
    ASSERT_EQ(Print(3000, 212 + 7 * kRowPitch + 9).status, PrintResult::Status::Printed);
    ASSERT_GE(target->pages.size(), 2u);
    EXPECT_EQ(TopOf(target->pages[0], u"Cost 5"), 320);
    EXPECT_FALSE(Has(target->pages[0], u"Cost 6"));
    EXPECT_EQ(TopOf(target->pages[1], u"Cost 6"), kBodyTop);
    EXPECT_FALSE(Has(target->pages[1], u"Cost 5"));
}

// Sales and two loans: the LOANS section opens at 734 with the blocks of Van (752 … 860) and
// Car (878: its name, five lines, "   Closing Balance" at 986), then Total Loans at 1004.
class BlockRuleTest : public PrintJobTest {
protected:
    BlockRuleTest() {
        forecast.AddItem(kIncome, u"Sales", 100000);
        forecast.AddLoan(kLoan, u"Van", 100000);
        forecast.AddLoan(kLoan, u"Car", 50000);
    }
};

TEST_F(BlockRuleTest, LastBlockNeedsNineRows) {
    // Nine rows below 878 keep the last block on the page: it and Total Loans end at 1022.
    ASSERT_EQ(Print(3000, 878 + 9 * kRowPitch).pages, 1);
    EXPECT_EQ(TopOf(target->pages[0], u"Total Loans"), 1004);

    // With eight the block moves: the next page starts with it, Total Loans 7 rows lower.
    ASSERT_EQ(Print(3000, 878 + 8 * kRowPitch).pages, 2);
    EXPECT_FALSE(Has(target->pages[0], u"Total Loans"));
    EXPECT_EQ(TopOf(target->pages[0], u"   Closing Balance"), 860); // Van's
    EXPECT_EQ(TopOf(target->pages[1], u"Car"), kBodyTop);
    EXPECT_EQ(TopOf(target->pages[1], u"Total Loans"), kBodyTop + 7 * kRowPitch);
}

TEST_F(BandTest, NothingToPrintEndsWithNoPages) {
    // Neither box checked: the job ends before the print dialog, and no device is opened (a
    // printer's job, once begun, reaches the printer as a blank sheet).
    printDialogAnswer = false;
    PrintResult result = Print(800, 2000, Choices(kCurrent, kCurrent, kCurrent, false, false));
    EXPECT_EQ(result.status, PrintResult::Status::Nothing);
    EXPECT_EQ(result.pages, 0);
    EXPECT_EQ(info.maxPage, 0);
    EXPECT_FALSE(target->started);
    printDialogAnswer = true;

    // The graphs tab shown, "Cashflow" only for the current year.
    state.selectedYear = 1; // one year: the graphs page
    result = Print(800, 2000, Choices(kCurrent, kCurrent, kCurrent, true, false));
    EXPECT_EQ(result.status, PrintResult::Status::Nothing);
    EXPECT_TRUE(target->pages.empty());
    EXPECT_EQ(state.selectedYear, 1);
}

TEST_F(BandTest, CancelPrintsNothingAndKeepsTheSelection) {
    dialogAnswer = false;
    EXPECT_EQ(Print(800, 2000).status, PrintResult::Status::Cancelled);
    EXPECT_FALSE(target->started);

    dialogAnswer = true;
    printDialogAnswer = false;
    EXPECT_EQ(Print(800, 2000, Choices(kAll, kAll, kAll, true, true)).status,
              PrintResult::Status::Cancelled);
    EXPECT_FALSE(target->started);
    // The choices of a cancelled job are not kept.
    EXPECT_FALSE(state.printAllYears);

    // Stopped while printing the second page: nothing is printed.
    printDialogAnswer = true;
    target = std::make_unique<RecordingTarget>(Page(800, kBodyTop + 12 * kRowPitch));
    StdPrintJob job(forecast.doc, state, Edition::Standard, {});
    info = PrintInfo{};
    info.pageStarting = [](int page) { return page < 2; };
    const PrintResult stopped = RunPrintLoop(job, *target, info);
    EXPECT_EQ(stopped.status, PrintResult::Status::Cancelled);
    EXPECT_EQ(stopped.pages, 0);
    EXPECT_TRUE(target->aborted);
    EXPECT_EQ(state.selectedYear, 0);
}

TEST_F(BandTest, PresetsFollowTheShownTabAndTheLastChoices) {
    Print(800, 2000, Choices(kAll, kAll, kAll, true, true));
    EXPECT_EQ(presets.scenarios, kCurrent);
    EXPECT_EQ(presets.years, kCurrent);
    EXPECT_TRUE(presets.cashflow);
    EXPECT_FALSE(presets.graphs);
    // The view keeps the choices; the graphs page is now shown.
    state.selectedYear = 1;
    Print(800, 2000, Choices(kCurrent, kCurrent, kCurrent, true, false));
    EXPECT_EQ(presets.scenarios, kAll);
    EXPECT_EQ(presets.companies, kAll);
    EXPECT_EQ(presets.years, kAll);
    EXPECT_FALSE(presets.cashflow);
    EXPECT_TRUE(presets.graphs);
}

TEST_F(BandTest, PageShorterThanOneRowEndsWithAMessage) {
    // The body runs from 140 to 150, shorter than one row of 18.
    const PrintResult result = Print(3000, 150);
    EXPECT_EQ(result.status, PrintResult::Status::Failed);
    EXPECT_NE(result.message.find(u"too small"), Text::npos);
    EXPECT_TRUE(target->aborted);
    EXPECT_TRUE(target->pages.empty());
    EXPECT_EQ(redraws, 1);
}

TEST_F(BandTest, MarginsInMillimetresAreClampedByThePhysicalOffsets) {
    // The stamp 0 read in UTC, whose text the test finds.
    const ScopedTimeZone utc("UTC0");
    // A sheet of 800 x 1100 whose printable area (700 x 1000) starts 50 across and 40 down.
    // Left 100 mm is 10000 x 96 / 2540 = 378 units, 328 into the printable area. Right 111 mm
    // is 419.5, rounded 420: 420 + 700 + 50 - 800 = 370 cut from 700 leaves the right edge at
    // 330, two units of room. Right 112 mm (423) leaves the edge at 327, left of 328.
    Database::CPERT& root = forecast.doc.Root();
    root.marginLeft = 100;
    root.marginRight = 111;
    const auto run = [&] {
        target = std::make_unique<RecordingTarget>(
            DeviceCaps{true, 700, 1000, 800, 1100, 50, 40, 96, 96});
        StdPrintJob job(forecast.doc, state, Edition::Standard, {});
        info = PrintInfo{};
        return RunPrintLoop(job, *target, info);
    };
    const PrintResult narrow = run();
    ASSERT_EQ(narrow.status, PrintResult::Status::Printed);
    // One column a page: the twelve months, Total and %.
    EXPECT_EQ(narrow.pages, 14);
    // Two units leave the stamp no room; the tab rows' panels span the area.
    const auto panel =
        std::find_if(target->pages[0].begin(), target->pages[0].end(), [](const DrawOp& op) {
            return op.kind == DrawOp::Kind::RoundRect && op.rect.left == 328;
        });
    ASSERT_NE(panel, target->pages[0].end());
    EXPECT_EQ(panel->rect.right, 330);

    root.marginRight = 112;
    const PrintResult none = run();
    EXPECT_EQ(none.status, PrintResult::Status::Failed);
    EXPECT_NE(none.message.find(u"margins"), Text::npos);

    // Margins inside the unprintable border change nothing: the area is the printable one.
    root.marginLeft = 13; // 49 units, inside 50
    root.marginRight = 0;
    root.marginTop = 10; // 38 units, inside 40
    ASSERT_EQ(run().status, PrintResult::Status::Printed);
    EXPECT_EQ(FindText(target->pages[0], u"Last Modified: 12:00AM Thu, 01 January, 1970")->point,
              (Point{700, 0}));
}

// Two scenarios of three companies each, one year: the tabs are the combined scenario "All",
// "Scenario 1", "Scenario 2", and the consolidated company "Group", "Company 1-3".
class WalkTest : public PrintJobTest {
protected:
    WalkTest() : PrintJobTest({60, 40}, {1.0, 1.0, 1.0}, 1) {
        forecast.AddItem(kIncome, u"Sales", 100);
    }
};

TEST_F(WalkTest, AllScenariosAndCompaniesInTabOrderEachWithItsGraphsPage) {
    state.selectedScenario = 1;
    state.selectedCompany = 2;
    const PrintResult result = Print(3000, 3000, Choices(kAll, kAll, kCurrent, true, true));
    ASSERT_EQ(result.status, PrintResult::Status::Printed);
    std::vector<std::string> expected;
    for (const char* scenario : {"All", "Scenario 1", "Scenario 2"})
        for (const char* company : {"Group", "Company 1", "Company 2", "Company 3"})
            for (const char* year : {"2020", "Graphs"})
                expected.push_back(std::string(scenario) + "/" + company + "/" + year);
    EXPECT_EQ(PageTabs(), expected);
    EXPECT_EQ(result.pages, 24);

    // The window's selection is back.
    EXPECT_EQ(state.selectedScenario, 1);
    EXPECT_EQ(state.selectedCompany, 2);
    EXPECT_EQ(state.selectedYear, 0);
    EXPECT_TRUE(state.drawing);
    EXPECT_TRUE(state.layoutDirty);
    EXPECT_EQ(redraws, 1);
}

TEST_F(WalkTest, CurrentScenarioAllCompaniesGraphsOnly) {
    // Shown: Scenario 2, Company 1, the statement of 2020. Graphs alone print each company's
    // graphs page, not the shown year.
    state.selectedScenario = 1;
    state.selectedCompany = 0;
    const PrintResult result = Print(3000, 3000, Choices(kCurrent, kAll, kCurrent, false, true));
    EXPECT_EQ(PageTabs(), (std::vector<std::string>{
                              "Scenario 2/Group/Graphs", "Scenario 2/Company 1/Graphs",
                              "Scenario 2/Company 2/Graphs", "Scenario 2/Company 3/Graphs"}));
    EXPECT_EQ(state.selectedScenario, 1);
    EXPECT_EQ(state.selectedCompany, 0);
    EXPECT_EQ(state.selectedYear, 0);
}

// Two scenarios of two companies, two years.
class BasicWalkTest : public PrintJobTest {
protected:
    BasicWalkTest() : PrintJobTest({60, 40}, {1.0, 1.0}, 2) {
        forecast.AddItem(kIncome, u"Sales", 100);
        forecast.AddItem(kIncome, u"Sales", 100, 1);
    }
};

TEST_F(BasicWalkTest, BasicViewPrintsItsYearsThenItsGraphsPage) {
    // The Basic view prints 2020, 2021 and the graphs page of the first company of the first
    // scenario, whatever the Standard choices say.
    state.printAllScenarios = true;
    const PrintResult result =
        Print(3000, 3000, Choices(kAll, kAll, kAll, true, true), Edition::Basic);
    ASSERT_EQ(result.pages, 3);
    EXPECT_EQ(PageTabs(), (std::vector<std::string>{"//2020", "//2021", "//Graphs"}));
    EXPECT_FALSE(state.printAllScenarios);
}

TEST_F(WalkTest, DeviceThatCannotStartPrintsNothingAndKeepsTheSelection) {
    state.selectedScenario = 0;
    state.selectedCompany = 1;
    target = std::make_unique<RecordingTarget>(Page(3000, 3000));
    target->canStart = false;
    StdPrintJob job(forecast.doc, state, Edition::Standard, [](StdPrintChoices& choices) {
        choices = Choices(kAll, kAll, kAll, true, true);
        return true;
    });
    job.SetRedraw([this] { ++redraws; });
    const PrintResult result = RunPrintLoop(job, *target, info);
    EXPECT_EQ(result.status, PrintResult::Status::Failed);
    EXPECT_FALSE(result.message.empty());
    EXPECT_TRUE(target->pages.empty());
    EXPECT_FALSE(job.Printing());
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(state.selectedScenario, 0);
    EXPECT_EQ(state.selectedCompany, 1);
}

} // namespace
