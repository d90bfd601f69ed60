#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RecordingDeviceContext.h"
#include "support/SmallAdvYear.h"
#include "views/AccessChanges.h"
#include "views/AdvAccess.h"
#include "views/AdvDrawPass.h"
#include "views/AdvExport.h"
#include "views/StatementForecast.h"
#include "views/StdAccess.h"
#include "views/StdDrawPass.h"

namespace {

using Kind = AccessChange::Kind;

bool Has(const std::vector<AccessChange>& changes, AccessChange change) {
    return std::find(changes.begin(), changes.end(), change) != changes.end();
}

int ControlNamed(const StatementAccess& access, const Text& name) {
    for (std::size_t i = 0; i < access.controls.size(); ++i)
        if (access.controls[i].name == name)
            return static_cast<int>(i);
    return -1;
}

// The small Advanced year as a reader meets it, and what each step of a user or a reader
// announces: the highlight walked onto the rows and down, a section closed, another scenario.
TEST(StatementAccessTest, AdvancedDescriptionsAndWhatEachStepAnnounces) {
    StatementForecast forecast({100}, {1.0}, 1, 10);
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.year = 2024;
        year.Items(kBank).Clear();
    });
    BuildSmallAdvYear(forecast);
    AdvViewState state;
    state.currentKey = LayoutKey(0, 0, 0, 0);
    RecordingDeviceContext dc{DeviceCaps::Screen(1600, 1000)};
    const auto pass = [&] {
        RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, 1600, 1000}, 0, 0});
        return AdvStatementAccess(forecast.doc, state);
    };

    StatementAccess access = pass();
    EXPECT_EQ(access.name, u"Scenario 1 > Company 1 > 2024");
    EXPECT_EQ(access.table.RowCount(), 16);
    ASSERT_EQ(access.tabLists.size(), 4u);
    EXPECT_EQ(access.tabLists[3].name, u"Years");
    EXPECT_EQ(access.highlightedRow, -1);
    // Every row has its place, each below the one before.
    ASSERT_EQ(access.rowRects.size(), 16u);
    for (std::size_t r = 1; r < access.rowRects.size(); ++r)
        EXPECT_GT(access.rowRects[r].top, access.rowRects[r - 1].top) << r;
    // The expanders come first, then a check box per sub-column, named after its column.
    const int income = ControlNamed(access, u"INCOME");
    ASSERT_GE(income, 0);
    EXPECT_EQ(access.controls[static_cast<std::size_t>(income)].kind, AccessControlKind::Expander);
    EXPECT_TRUE(access.controls[static_cast<std::size_t>(income)].on);
    const int november = ControlNamed(access, u"Nov 23 Actual");
    ASSERT_GT(november, income);
    EXPECT_EQ(access.controls[static_cast<std::size_t>(november)].kind,
              AccessControlKind::SubColumn);
    EXPECT_EQ(access.controls[static_cast<std::size_t>(november) + 2].name, u"Nov 23 Variance");
    EXPECT_GE(ControlNamed(access, u"Percentage Variance"), 0);

    // From nothing the first description reads the table anew and selects the current tabs.
    const std::vector<AccessChange> first = AccessChanges({}, access, true);
    EXPECT_EQ(first.front(), (AccessChange{Kind::TableReset}));
    EXPECT_TRUE(Has(first, {Kind::TableRenamed}));
    EXPECT_TRUE(Has(first, {Kind::TabSelected, 1, 1}));

    // Tab walks the views, scenarios, companies and years to the rows.
    for (int level = 0; level < 4; ++level) {
        WalkLevels(state, true);
        const StatementAccess next = pass();
        EXPECT_EQ(AccessChanges(access, next, true),
                  (std::vector<AccessChange>{{Kind::FocusTab, level, level == 1 || level == 2}}))
            << level;
        access = next;
    }
    WalkLevels(state, true);
    StatementAccess rows = pass();
    EXPECT_EQ(rows.highlightedRow, 0);
    EXPECT_EQ(AccessChanges(access, rows, true),
              (std::vector<AccessChange>{{Kind::FocusRow, -1, 0}}));
    EXPECT_TRUE(AccessChanges(access, rows, false).empty());
    ASSERT_TRUE(StepHighlight(state, true));
    StatementAccess down = pass();
    EXPECT_EQ(down.table.At(down.highlightedRow, 0).text, u"Sales");
    EXPECT_EQ(AccessChanges(rows, down, true),
              (std::vector<AccessChange>{{Kind::FocusRow, -1, 1}}));

    // Closing INCOME drops Sales: the table is read anew, the expander says so, and the
    // highlight, handed to the heading, takes the focus again.
    EXPECT_EQ(PressAdvControl(forecast.doc, state, static_cast<std::size_t>(income)),
              AdvClick::SectionFlipped);
    StatementAccess closed = pass();
    EXPECT_FALSE(closed.controls[static_cast<std::size_t>(income)].on);
    EXPECT_EQ(closed.table.RowCount(), 15);
    EXPECT_EQ(AccessChanges(down, closed, true),
              (std::vector<AccessChange>{{Kind::TableReset},
                                         {Kind::ControlChanged, -1, income},
                                         {Kind::FocusRow, -1, 0}}));

    // A check box switches its column off; a press past the controls does nothing.
    const std::size_t box = static_cast<std::size_t>(ControlNamed(closed, u"Nov 23 Actual"));
    EXPECT_EQ(PressAdvControl(forecast.doc, state, box), AdvClick::ColumnFlipped);
    forecast.doc.Changed();
    StatementAccess narrower = pass();
    EXPECT_EQ(narrower.table.ColumnCount(), closed.table.ColumnCount() - 1);
    EXPECT_FALSE(narrower.controls[box].on);
    EXPECT_EQ(PressAdvControl(forecast.doc, state, narrower.controls.size()), AdvClick::Nothing);

    // The combined scenario's tab, as a click on it: its consolidated company's statement,
    // named anew, and the selection moves.
    EXPECT_EQ(ActivateAdvTab(state, 1, 0), AdvClick::TabSelected);
    StatementAccess combined = pass();
    EXPECT_EQ(combined.name, u"All > Group > 2024");
    const std::vector<AccessChange> changes = AccessChanges(narrower, combined, true);
    EXPECT_TRUE(Has(changes, {Kind::TableRenamed}));
    EXPECT_TRUE(Has(changes, {Kind::TabSelected, 1, 0}));
    EXPECT_TRUE(Has(changes, {Kind::TabDeselected, 1, 1}));
    EXPECT_TRUE(Has(changes, {Kind::FocusTab, 1, 0}));
    EXPECT_EQ(ActivateAdvTab(state, 4, 0), AdvClick::Nothing);
    EXPECT_EQ(ActivateAdvTab(state, 1, 9), AdvClick::Nothing);
}

// The Standard and Basic descriptions: the tab rows each edition draws, the statement named
// after them, the highlighted row found through its section, and the graphs page's series.
// The Advanced tax columns are those of the shown tax summaries, in the document's order: a hidden
// summary gives no column, and the CSV cells and the cells a reader is told of stand under each
// column's own tax.
TEST(StatementAccessTest, TheTaxColumnsAreTheShownSummariesEverywhere) {
    const struct {
        int hidden; // the tax summary hidden, or -1
        std::vector<std::size_t> taxes;
        std::string salesStart;
    } cases[] = {
        {-1, {0, 1}, "Sales,1,G,P,"},
        {0, {1}, "Sales,1,P,"},
        {1, {0}, "Sales,1,G,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hidden);
        StatementForecast forecast({100}, {1.0}, 1, 10);
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.Items(kBank).Clear();
        });
        BuildSmallAdvYear(forecast);
        forecast.AddTax(u"GST", 1000, u"G");
        forecast.AddTax(u"PST", 500, u"P");
        forecast.EveryYear(0, [&](Database::CYear& year) {
            dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).TaxLinks = {0, 0};
            if (c.hidden >= 0)
                year.ItemAt(kTax, c.hidden).SetHidden(true);
        });
        const LayoutKey key(0, 0, 0, 0);
        const AdvCsvResult csv =
            ExportAdvStatementCsv(forecast.doc, key, Statement::AdvOutline::File);
        const std::string names[] = {"GST", "PST"};
        std::string heading = "Line,Notes,";
        for (const std::size_t t : c.taxes)
            heading += names[t] + ",";
        EXPECT_EQ(csv.text.rfind(heading, 0), 0u) << csv.text.substr(0, 80);
        EXPECT_NE(csv.text.find("\r\n" + c.salesStart), std::string::npos) << csv.text;

        AdvViewState state;
        state.currentKey = key;
        RecordingDeviceContext dc{DeviceCaps::Screen(1600, 1000)};
        RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, 1600, 1000}, 0, 0});
        const StatementAccess access = AdvStatementAccess(forecast.doc, state);
        // The tax columns follow the label and notes columns.
        ASSERT_EQ(access.columnSpans.size(), access.table.headings.size());
        for (std::size_t i = 0; i < c.taxes.size(); ++i) {
            EXPECT_EQ(ToUtf8(access.table.headings[2 + i]), names[c.taxes[i]]);
            const Rect& place = state.metrics.taxColumns[c.taxes[i]];
            EXPECT_EQ(access.columnSpans[2 + i], (AccessSpan{place.left, place.right})) << i;
        }
    }
}

TEST(StatementAccessTest, StandardAndBasicDescriptions) {
    StatementForecast forecast({60, 40}, {1.0}, 2);
    forecast.EveryYear(0, [](Database::CYear& year) { year.year = 2024; });
    forecast.EveryYear(1, [](Database::CYear& year) { year.year = 2025; });
    forecast.AddItem(kIncome, u"Sales", 100000);
    forecast.AddItem(kExpense, u"Rent", 20000);
    forecast.AddTax(u"VAT", 2000, u"S");
    StdViewState state;
    RecordingDeviceContext dc{DeviceCaps::Screen(1400, 900)};
    const auto pass = [&](Edition edition) {
        StdPassInput input;
        input.edition = edition;
        input.client = Rect{0, 0, 1400, 900};
        RunStdDrawPass(dc, forecast.doc, state, input);
        return StdStatementAccess(forecast.doc, state, edition, false);
    };

    state.selectedScenario = 1;
    state.FocusStatementRow(Statement::StatementSection::Expenses, 0);
    const StatementAccess standard = pass(Edition::Standard);
    EXPECT_EQ(standard.name, u"Scenario 2 > Company 1 > 2024");
    ASSERT_EQ(standard.tabLists.size(), 3u);
    // The combined scenario leads its row; the scenario shown is the third tab.
    EXPECT_EQ(standard.tabLists[0].tabs.size(), 3u);
    EXPECT_EQ(standard.tabLists[0].tabs[2].label, u"Scenario 2 (Wt = 40)");
    EXPECT_TRUE(standard.tabLists[0].tabs[2].selected);
    EXPECT_FALSE(standard.tabLists[0].tabs[0].selected);
    EXPECT_EQ(standard.tabLists[2].tabs.back().label, u"Graphs");
    EXPECT_FALSE(standard.tabLists[2].tabs[0].rect.IsEmpty());
    ASSERT_GE(standard.highlightedRow, 0);
    EXPECT_EQ(standard.table.At(standard.highlightedRow, 0).text, u"Rent");
    // The tax codes drawn beside the labels stand in a column of their own.
    ASSERT_GE(standard.table.ColumnCount(), 3);
    // Headed as drawn, not as the copied table heads it.
    EXPECT_EQ(standard.table.headings[0], u"Description");
    EXPECT_EQ(standard.table.headings[1], u"VAT");
    EXPECT_EQ(standard.table.headings[2], u"Jan");
    EXPECT_EQ(standard.table.At(standard.highlightedRow, 2).text, u"200.00");

    // Each cell has its own place: on its row's line, in its column, left to right, with its
    // column's heading drawn above the first row.
    const int rent = standard.highlightedRow;
    const int total = standard.table.ColumnCount() - 1;
    const Rect label = standard.CellRect(rent, 0);
    for (int column = 1; column <= total; ++column) {
        const Rect cell = standard.CellRect(rent, column);
        EXPECT_LT(standard.CellRect(rent, column - 1).right, cell.left) << column;
        EXPECT_EQ(cell.top, label.top) << column;
        EXPECT_EQ(cell.bottom, label.bottom) << column;
    }
    const Rect heading = standard.HeadingRect(2);
    EXPECT_EQ(heading.left, standard.CellRect(rent, 2).left);
    EXPECT_LE(heading.bottom, standard.CellRect(0, 0).top);

    // Scrolled down past the first rows and across past the first months: those are out of
    // sight; the labels, the later months and the year's total are not.
    const int pitch = state.rowPitch;
    StdPassInput scrolled;
    scrolled.client = Rect{0, 0, 1400, 900};
    scrolled.vScroll = 3 * pitch;
    scrolled.hScroll = 5 * state.columns.figureWidth;
    RunStdDrawPass(dc, forecast.doc, state, scrolled);
    const StatementAccess moved = StdStatementAccess(forecast.doc, state, Edition::Standard, false);
    EXPECT_EQ(moved.CellRect(rent, 0).top, label.top - 3 * pitch);
    EXPECT_FALSE(moved.CellSeen(0, 0));
    EXPECT_TRUE(moved.CellSeen(rent, 0));
    EXPECT_FALSE(moved.CellSeen(rent, 2));
    EXPECT_TRUE(moved.CellSeen(rent, 8));
    EXPECT_TRUE(moved.CellSeen(rent, total));

    // The Basic edition: the first scenario's company, the years alone, no highlight on the
    // years' row until it has the keyboard.
    state.ClearFocus();
    const StatementAccess basic = pass(Edition::Basic);
    EXPECT_EQ(basic.name, u"Scenario 1 > Company 1 > 2024");
    ASSERT_EQ(basic.tabLists.size(), 1u);
    EXPECT_EQ(basic.tabLists[0].highlighted, -1);
    state.FocusTabRow(FocusSection::YearTabs);
    EXPECT_EQ(pass(Edition::Basic).tabLists[0].highlighted, 0);

    // The graphs page: the series shown by month over both years, and the legend's buttons.
    state.selectedYear = 2;
    state.seriesShownOverride.assign(16, false);
    state.seriesShownOverride[0] = true;
    state.seriesShownOverride[13] = true;
    const StatementAccess graphs = pass(Edition::Basic);
    EXPECT_EQ(graphs.name, u"Scenario 1 > Company 1 > Graphs");
    EXPECT_EQ(graphs.table.ColumnCount(), 1 + 24);
    EXPECT_EQ(graphs.controls.size(), 16u);
    EXPECT_EQ(graphs.controls[0].name, u"Income");
    EXPECT_EQ(graphs.controls[0].kind, AccessControlKind::Series);
    const int shown =
        static_cast<int>(std::count_if(graphs.controls.begin(), graphs.controls.end(),
                                       [](const AccessControl& control) { return control.on; }));
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(graphs.table.RowCount(), 2);
    EXPECT_EQ(graphs.description, u"Income, Bank A/C by month from Jan 24 to Dec 25");
    // Income: 1,000.00 every month of the first year, none in the second.
    EXPECT_EQ(graphs.table.At(0, 0).text, u"Income");
    EXPECT_EQ(graphs.table.At(0, 1).text, u"1,000.00");
    EXPECT_EQ(graphs.table.At(0, 1).figure, 100000);
    EXPECT_EQ(graphs.table.At(0, 24).text, u"-");
    EXPECT_EQ(graphs.table.At(0, 24).figure, 0);
}

} // namespace
