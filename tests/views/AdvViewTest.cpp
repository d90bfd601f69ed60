#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "database/CGraphSettings.h"
#include "database/CTaxSetup.h"
#include "display/CColumnHeaders.h"
#include "display/CLineHeader.h"
#include "document/RecordingMessageSink.h"
#include "items/CNote.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/AdvStatementCsv.h"
#include "support/SmallAdvYear.h"
#include "views/AdvDrawPass.h"
#include "views/AdvExport.h"
#include "views/AdvInput.h"
#include "views/AdvMetrics.h"
#include "views/StatementForecast.h"
#include "views/StdDrawPass.h"

using namespace Statement;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

using Record = std::vector<std::string>;

// The CSV's records split into fields (the tests' texts hold no quotes or commas).
std::vector<Record> Records(const std::string& csv) {
    std::vector<Record> records;
    std::istringstream in(csv);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Record record;
        std::string field;
        std::istringstream fields(line);
        while (std::getline(fields, field, ','))
            record.push_back(field);
        if (!line.empty() && line.back() == ',')
            record.emplace_back();
        records.push_back(record);
    }
    return records;
}

std::vector<std::string> Labels(const std::string& csv) {
    std::vector<std::string> labels;
    for (const Record& record : Records(csv))
        labels.push_back(record.empty() ? "" : record[0]);
    return labels;
}

bool Has(const std::vector<std::string>& labels, const std::string& label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// The record whose first field is `label`.
Record Find(const std::string& csv, const std::string& label) {
    for (const Record& record : Records(csv))
        if (!record.empty() && record[0] == label)
            return record;
    return {};
}

Point Centre(const Rect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// One real scenario and company; every year starts in `startMonth` and has no bank.
class AdvViewTest : public ::testing::Test {
protected:
    explicit AdvViewTest(int startMonth = 0) : forecast({100}, {1.0}, 1, startMonth) {
        forecast.View().name = u"Main";
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.Items(kBank).Clear();
        });
        state.currentKey = LayoutKey(0, 0, 0, 0);
    }

    // An item with Expected and Actual figures in the given calendar months of every company.
    void AddItem(int category, const Text& name, std::vector<std::pair<int, Amount>> expected,
                 std::vector<std::pair<int, Amount>> actual) {
        AddMonthlyItem(forecast, category, name, expected, actual);
    }

    void AddItem(int category, const Text& name, Amount monthlyExpected) {
        std::vector<std::pair<int, Amount>> expected;
        for (int m = 0; m < kMonths; ++m)
            expected.emplace_back(m, monthlyExpected);
        AddItem(category, name, expected, {});
    }

    Database::CYear& Year() { return forecast.Year(0, 0, 0); }

    void Pass(int vScroll = 0) {
        RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, kWidth, kHeight}, 0, vScroll});
    }

    std::string Csv() {
        Pass();
        return AdvStatementCsv(*state.lists.model);
    }

    template <class T> T* FindObject(const std::function<bool(const T&)>& match) {
        for (const auto& object : state.lists.statement)
            if (auto* found = dynamic_cast<T*>(object.get()); found && match(*found))
                return found;
        return nullptr;
    }

    StatementForecast forecast;
    AdvViewState state;
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
};

// A three-month year from November, built so every figure can be checked by hand: income
// 2,500.00 expected and 2,000.00 actual over the months shown.
class AdvSmallYearTest : public AdvViewTest {
protected:
    AdvSmallYearTest() : AdvViewTest(10) { BuildSmallAdvYear(forecast); }
};

TEST_F(AdvSmallYearTest, AnExpanderClickClosesTheSectionAndItsTotalKeepsItsFigures) {
    const std::string before = Csv();
    auto* income = FindObject<Display::CLineHeader>(
        [](const Display::CLineHeader& heading) { return heading.text == u"INCOME"; });
    ASSERT_NE(income, nullptr);
    const Rect glyph = income->expander.glyph.Intersected(income->expander.clip);
    ASSERT_FALSE(glyph.IsEmpty());

    EXPECT_EQ(ClickAt(forecast.doc, state, Centre(glyph)), AdvClick::SectionFlipped);
    EXPECT_FALSE(AdvStateOpen(Year().sectionState[kIncome]));
    const std::string after = Csv();
    const std::vector<std::string> labels = Labels(after);
    EXPECT_TRUE(Has(labels, "INCOME"));
    EXPECT_FALSE(Has(labels, "Sales"));
    EXPECT_EQ(Find(after, "Total Income"), Find(before, "Total Income"));
    EXPECT_EQ(Find(after, "GROSS SURPLUS"), Find(before, "GROSS SURPLUS"));

    // A second click opens it again.
    income = FindObject<Display::CLineHeader>(
        [](const Display::CLineHeader& heading) { return heading.text == u"INCOME"; });
    EXPECT_EQ(ClickAt(forecast.doc, state,
                      Centre(income->expander.glyph.Intersected(income->expander.clip))),
              AdvClick::SectionFlipped);
    EXPECT_EQ(Csv(), before);
}

TEST_F(AdvSmallYearTest, AToggleClickRemovesItsSubColumn) {
    Pass();
    auto* headers = FindObject<Display::CColumnHeaders>([](const auto&) { return true; });
    ASSERT_NE(headers, nullptr);
    const Display::CheckToggle& novemberActual = headers->toggles[0].toggles[0];
    const Rect toggle = novemberActual.rect.Intersected(novemberActual.clip);
    ASSERT_FALSE(toggle.IsEmpty());

    EXPECT_EQ(ClickAt(forecast.doc, state, Centre(toggle)), AdvClick::ColumnFlipped);
    EXPECT_FALSE(Year().display.showActual[10]);
    const Record header = Records(Csv())[0];
    EXPECT_EQ(std::count(header.begin(), header.end(), "Nov 23 Actual"), 0);
    EXPECT_EQ(std::count(header.begin(), header.end(), "Nov 23 Expected"), 1);
    EXPECT_EQ(std::count(header.begin(), header.end(), "Dec 23 Actual"), 1);
    EXPECT_TRUE(state.metrics.figureColumns[0].IsEmpty());
}

TEST_F(AdvSmallYearTest, ScrollingRepaintsWithoutBuildingTheStatementAgain) {
    Pass();
    const int builds = state.builds;
    const int firstRowTop = state.metrics.ContentArea().top;
    Pass(40);
    EXPECT_EQ(state.builds, builds);
    EXPECT_EQ(state.metrics.ContentArea().top, firstRowTop);
    forecast.doc.Changed();
    Pass(40);
    EXPECT_EQ(state.builds, builds + 1);
}

TEST_F(AdvSmallYearTest, FiguresScrolledLeftPassUnderTheNotesColumnWithoutTaxColumns) {
    // No taxes: the notes column is the last one that stays put when the figures scroll.
    Pass();
    const Rect notes = state.metrics.notesColumn;
    ASSERT_GT(notes.Width(), 0);
    ASSERT_TRUE(state.metrics.taxColumns.empty());
    dc.Clear();
    RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, kWidth, kHeight}, 300, 0});

    int inNotes = 0;
    for (const DrawOp& op : dc.Operations()) {
        if (op.kind != DrawOp::Kind::Text && op.kind != DrawOp::Kind::FillRect)
            continue;
        Rect seen = op.rect;
        if (op.clip)
            seen = seen.Intersected(*op.clip);
        if (op.deviceClip)
            seen = seen.Intersected(*op.deviceClip);
        if (seen.IsEmpty() || seen.right <= notes.left || seen.left >= notes.right)
            continue;
        if (op.text == u"Notes" || op.text == u"1" || seen.Width() > notes.Width() * 4)
            continue; // the column's own heading and marker, and fills behind the whole page
        ++inNotes;
    }
    EXPECT_EQ(inNotes, 0);
    ASSERT_NE(dc.FindText(u"Notes"), nullptr);
    EXPECT_EQ(dc.FindText(u"Notes")->point.x, notes.left);
}

// A five-month year starting in each month in turn: the headings name its calendar months with
// the years they fall in, a line shows figures in its five months only and totals only them,
// while the section total shows zero in the months after the year.
TEST(AdvShortYearTest, AFiveMonthYearFromAnyMonthHeadsAndTotalsItsOwnMonths) {
    static const char* const kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int start = 0; start < kMonths; ++start) {
        SCOPED_TRACE(start);
        StatementForecast forecast({100}, {1.0}, 1, start);
        forecast.EveryYear(0, [](Database::CYear& year) {
            year.year = 2024;
            year.months = 5;
            year.Items(kBank).Clear();
            auto& item = ForecastBuilder::AddRow<Item::CItem>(year, kIncome);
            item.name = u"Sales";
            for (int m = 0; m < kMonths; ++m)
                item.Expected[static_cast<std::size_t>(m)] = 1000;
        });
        AdvViewState state;
        state.currentKey = LayoutKey(0, 0, 0, 0);
        RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
        RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, kWidth, kHeight}, 0, 0});
        const std::string csv = AdvStatementCsv(*state.lists.model);

        // A year running past December is named after the calendar year it ends in.
        const int first = 2024 - (start + 5 > 12 ? 1 : 0);
        const Record header = Records(csv)[0];
        const auto column = [&](int position, const char* sub) -> std::size_t {
            const int month = (start + position) % 12;
            const int year = (first + (start + position) / 12) % 100;
            const std::string name = std::string(kNames[month]) + " " + (year < 10 ? "0" : "") +
                                     std::to_string(year) + " " + sub;
            return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                            header.begin());
        };
        const Record sales = Find(csv, "Sales");
        const Record total = Find(csv, "Total Income");
        for (int position = 0; position < 5; ++position) {
            ASSERT_LT(column(position, "Expected"), sales.size()) << position;
            EXPECT_EQ(sales[column(position, "Expected")], "10.00") << position;
        }
        ASSERT_LT(column(5, "Expected"), total.size());
        EXPECT_EQ(sales[column(5, "Expected")], "");
        EXPECT_EQ(total[column(5, "Expected")], "0.00");
        const std::size_t sum = static_cast<std::size_t>(
            std::find(header.begin(), header.end(), "Total Expected") - header.begin());
        ASSERT_LT(sum, total.size());
        EXPECT_EQ(sales[sum], "50.00");
        EXPECT_EQ(total[sum], "50.00");
    }
}

// Both editions write the heading's stamp through one routine: a damaged stamp reads the same,
// and in a window it ends 2.5 mm (u25: 9 units) in from the right side in both.
TEST_F(AdvViewTest, TheStandardAndAdvancedHeadingsAgreeOnADamagedStamp) {
    const auto stampOf = [](const RecordingDeviceContext& drawn) {
        for (const DrawOp* op : drawn.OfKind(DrawOp::Kind::Text))
            if (op->text.rfind(u"Last Modified: ", 0) == 0) {
                EXPECT_EQ(op->rect.right, kWidth - 9);
                return op->text;
            }
        return Text();
    };
    for (const std::int64_t stamp :
         {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()}) {
        forecast.doc.stamp = stamp;
        dc.Clear();
        Pass();
        RecordingDeviceContext standard(DeviceCaps::Screen(kWidth, kHeight));
        StdViewState standardState;
        StdPassInput input;
        input.client = Rect{0, 0, kWidth, kHeight};
        RunStdDrawPass(standard, forecast.doc, standardState, input);
        const Text advanced = stampOf(dc);
        EXPECT_FALSE(advanced.empty());
        EXPECT_EQ(stampOf(standard), advanced);
    }
}

TEST_F(AdvViewTest, OnlyIncomeGivesNoGrossSurplusAndTheSubtotalModesDecide) {
    AddItem(kIncome, u"Sales", 1000);
    std::vector<std::string> labels = Labels(Csv());
    EXPECT_TRUE(Has(labels, "INCOME"));
    EXPECT_FALSE(Has(labels, "DIRECT COSTS"));
    EXPECT_FALSE(Has(labels, "Total Direct Costs"));
    EXPECT_FALSE(Has(labels, "GROSS SURPLUS"));
    EXPECT_FALSE(Has(labels, "NET SURPLUS BEFORE INTEREST"));
    // The last three summary rows always show under mode 0.
    EXPECT_TRUE(Has(labels, "NET SURPLUS"));
    EXPECT_TRUE(Has(labels, "NET CASH MOVEMENT"));
    // Nothing else has rows: no loans, investments or notes sections.
    EXPECT_FALSE(Has(labels, "LOANS"));
    EXPECT_FALSE(Has(labels, "INVESTMENTS"));
    EXPECT_FALSE(Has(labels, "NOTES"));

    forecast.EveryYear(0, [](Database::CYear& year) { year.subtotalMode[0] = 1; });
    forecast.doc.Changed();
    EXPECT_TRUE(Has(Labels(Csv()), "GROSS SURPLUS"));

    AddItem(kDirectCost, u"Stock", 400);
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.subtotalMode[0] = 0;
        year.subtotalMode[3] = 2;
    });
    forecast.doc.Changed();
    labels = Labels(Csv());
    EXPECT_TRUE(Has(labels, "GROSS SURPLUS"));
    EXPECT_FALSE(Has(labels, "NET SURPLUS"));
    forecast.EveryYear(0, [](Database::CYear& year) { year.subtotalMode[0] = 2; });
    forecast.doc.Changed();
    EXPECT_FALSE(Has(Labels(Csv()), "GROSS SURPLUS"));
}

TEST_F(AdvViewTest, WithoutIncomeOnlyTheVariancePercentageIsDrawn) {
    AddItem(kDirectCost, u"Stock", 1000);
    const Record stock = Find(Csv(), "Stock");
    ASSERT_GE(stock.size(), 3u);
    // The last three cells: Percentage Actual, Expected, Variance.
    EXPECT_EQ(stock[stock.size() - 3], "");
    EXPECT_EQ(stock[stock.size() - 2], "");
    EXPECT_EQ(stock[stock.size() - 1], "0.00");
}

TEST_F(AdvViewTest, TaxesNameTheSummaryRowsAndGiveColumnsOnlyForRealEntries) {
    forecast.AddTax(u"VAT", 2000, u"S");
    AddItem(kIncome, u"Sales", 1000);
    forecast.EveryYear(0, [](Database::CYear& year) {
        dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).TaxLinks = {0};
    });
    std::string csv = Csv();
    EXPECT_EQ(Records(csv)[0][2], "VAT");
    EXPECT_EQ(Find(csv, "Sales")[2], "S");
    EXPECT_TRUE(Has(Labels(csv), "NET MOVEMENT BEFORE VAT"));

    // The consolidated company has no tax columns.
    state.currentKey = LayoutKey(0, 0, -1, 0);
    csv = Csv();
    EXPECT_NE(Records(csv)[0][2], "VAT");

    // A hidden tax summary's column is not drawn.
    forecast.EveryYear(0, [](Database::CYear& year) { year.ItemAt(kTax, 0).hidden = true; });
    state.currentKey = LayoutKey(0, 0, 0, 0);
    forecast.doc.Changed();
    EXPECT_NE(Records(Csv())[0][2], "VAT");
}

TEST_F(AdvViewTest, AKeyThatNoLongerResolvesFallsBackLevelByLevel) {
    StatementForecast wide({100, 100}, {1.0, 1.0}, 2);
    const Database::CPERT& root = wide.doc.Root();
    EXPECT_EQ(ResolveAdvKey(root, AdvInitialKey()), LayoutKey(0, -1, -1, 0));
    // Out of range at every level: the first shown entries, the combined ones first.
    EXPECT_EQ(ResolveAdvKey(root, LayoutKey(5, 7, 9, 4)), LayoutKey(0, -1, -1, 0));

    wide.View().Scenario(-1).hidden = true;
    wide.View().Scenario(0).hidden = true;
    wide.View().Scenario(1).Company(-1).hidden = true;
    wide.View().Scenario(1).Company(0).Year(0).hidden = true;
    EXPECT_EQ(ResolveAdvKey(root, LayoutKey(0, 0, -1, 0)), LayoutKey(0, 1, 0, 1));
    // A graph the year does not hold falls back to the year's statement.
    EXPECT_EQ(
        ResolveAdvKey(root, LayoutKey(0, 1, 0, 1, LayoutKey::kNoEntry, LayoutKey::kNoEntry, 3)),
        LayoutKey(0, 1, 0, 1));
}

TEST_F(AdvViewTest, AGraphTabShowsOnlyTheGraphPageAndAYearTabTheStatementAgain) {
    AddItem(kIncome, u"Sales", 1000);
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.graphs.Append(std::make_unique<Database::CGraphSettings>()).name = u"Income";
    });
    Pass();
    const auto tabOf = [&](int graph) -> const Display::CTab* {
        for (const Display::CTab* tab : state.lists.tabs[LayoutKey::kYear])
            if (tab->key[LayoutKey::kGraph] == graph)
                return tab;
        return nullptr;
    };
    ASSERT_NE(tabOf(0), nullptr);
    EXPECT_EQ(ClickAt(forecast.doc, state, Centre(tabOf(0)->bounds)), AdvClick::TabSelected);
    dc.Clear();
    Pass();
    EXPECT_EQ(state.currentKey, LayoutKey(0, 0, 0, 0, LayoutKey::kNoEntry, LayoutKey::kNoEntry, 0));
    ASSERT_EQ(state.lists.statement.size(), 1u);
    EXPECT_TRUE(state.metrics.graphPage);
    EXPECT_EQ(dc.FindText(u"Sales"), nullptr);

    const Display::CTab* year = tabOf(LayoutKey::kNoEntry);
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(ClickAt(forecast.doc, state, Centre(year->bounds)), AdvClick::TabSelected);
    dc.Clear();
    Pass();
    EXPECT_FALSE(state.metrics.graphPage);
    EXPECT_NE(dc.FindText(u"Sales"), nullptr);
}

TEST_F(AdvViewTest, AFailedLookupInTheBuildShowsWhatWasBuilt) {
    // A view without scenarios: the key stops at the view.
    forecast.View().scenarios.Clear();
    Pass();
    EXPECT_FALSE(state.lists.complete);
    EXPECT_TRUE(state.lists.statement.empty());
    ASSERT_EQ(state.lists.tabs[LayoutKey::kView].size(), 1u);
    EXPECT_NE(dc.FindText(u"Main"), nullptr);

    // No view at all, in a window too small for its panels.
    forecast.doc.Root().views.Clear();
    forecast.doc.Changed();
    RunAdvDrawPass(dc, forecast.doc, state, {Rect{0, 0, 12, 9}, 0, 0});
    EXPECT_FALSE(state.lists.complete);
    EXPECT_TRUE(state.lists.tabs[LayoutKey::kView].empty());
}

TEST_F(AdvViewTest, MetricsScaleWithTheZoom) {
    AddItem(kIncome, u"Sales", 1000);
    Pass();
    const auto at = [&](int zoom) {
        forecast.doc.SetZoom(zoom);
        Pass();
        return state.metrics;
    };
    // 96 units per inch: 1 mm is 3.78 units.
    const Display::LayoutMetrics half = at(50);
    EXPECT_EQ(half.gapSize, (Size{2, 2}));
    EXPECT_EQ(half.tabMargin, (Size{3, 3}));
    EXPECT_EQ(half.cornerSize, (Size{5, 5}));
    const Display::LayoutMetrics full = at(100);
    EXPECT_EQ(full.gapSize, (Size{4, 4}));
    EXPECT_EQ(full.cornerSize, (Size{9, 9}));
    const Display::LayoutMetrics twice = at(200);
    EXPECT_EQ(twice.tabInset, (Size{4, 4}));
    EXPECT_EQ(twice.gapSize, (Size{8, 8}));
    EXPECT_EQ(twice.tabMargin, (Size{11, 11}));
    EXPECT_EQ(twice.cornerSize, (Size{19, 19}));

    for (const Display::LayoutMetrics* m : {&half, &full, &twice}) {
        // Sub-columns of a month are one corner apart, and the first month one corner right of
        // the frozen columns.
        EXPECT_EQ(m->figureColumns[1].left - m->figureColumns[0].right, m->cornerSize.width);
        EXPECT_EQ(m->figureColumns[0].left, m->figureAreaLeft);
        EXPECT_EQ(m->figureAreaLeft, m->descriptionColumn.right + m->cornerSize.width);
        EXPECT_GE(m->ContentArea().left + m->gapSize.width, m->pageRect[2].left);
    }
    // The text doubles with the zoom, so the columns widen with it.
    EXPECT_GT(twice.figureColumns[0].Width(), full.figureColumns[0].Width());
}

TEST_F(AdvViewTest, ThousandsOfRowsAllFeedTheirTotal) {
    constexpr int kRows = 2000;
    forecast.EveryYear(0, [](Database::CYear& year) {
        for (int i = 0; i < kRows; ++i) {
            auto& item = ForecastBuilder::AddRow<Item::CItem>(year, kExpense);
            item.name = u"Cost " + DecimalText(i);
            item.Expected.fill(1);
        }
    });
    const std::string csv = Csv();
    EXPECT_EQ(Records(csv).size(), 1u + 1 + kRows + 1 + 3);
    // Twelve months of 0.01 from each of 2,000 rows.
    const Record total = Find(csv, "Total Expenses");
    const std::size_t totalExpected = 2 + 36 + 1;
    ASSERT_GT(total.size(), totalExpected);
    EXPECT_EQ(total[totalExpected], "240.00");
}

// Cents of a CSV figure ("-1234.50").
Amount Cents(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    const std::size_t point = digits.find('.');
    const Amount value =
        std::stoll(digits.substr(0, point)) * 100 + std::stoll(digits.substr(point + 1));
    return negative ? -value : value;
}

// In every month column, the block's total is the sum of what its lines show: lines shown
// negative (tax on expenses, payments) take their amount off.
void ExpectBlockSums(const std::string& csv, const std::string& first, const std::string& total) {
    const std::vector<Record> records = Records(csv);
    const Record& header = records[0];
    std::size_t at = 0;
    while (at < records.size() && records[at][0] != first)
        ++at;
    ASSERT_LT(at, records.size()) << first;
    for (std::size_t column = 2; column < header.size(); ++column) {
        const std::string& heading = header[column];
        const bool month = heading.size() > 7 && heading[3] == ' ' && heading[6] == ' ';
        if (!month)
            continue; // the notes, tax and Total and Percentage columns
        Amount sum = 0;
        std::size_t row = at + 1;
        for (; row < records.size() && records[row][0] != total; ++row)
            if (!records[row][column].empty())
                sum += Cents(records[row][column]);
        ASSERT_LT(row, records.size()) << total;
        EXPECT_EQ(Cents(records[row][column]), sum) << total << " in " << header[column];
    }
}

TEST(AdvExampleTest, BlockTotalsAreTheSumOfTheirLinesAsShown) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(std::filesystem::path(VARNOBEL_EXAMPLES) / "sample.cfs", sink),
              CMainDoc::OpenResult::Loaded);
    const AdvCsvResult csv = ExportAdvStatementCsv(doc, LayoutKey(0, 0, 0, 0), AdvOutline::File);
    ASSERT_EQ(csv.status, AdvCsvResult::Status::Written);
    ExpectBlockSums(csv.text, "VAT", "Total VAT");
    ExpectBlockSums(csv.text, "  Equipment Loan", "  Total Equipment Loan");
    ExpectBlockSums(csv.text, "  Tax Reserve Deposit", "  Total Tax Reserve Deposit");
}

// What the columns are is the statement's business alone: a stored zoom or font size out of any
// sensible range, drawn in the window first, leaves every statement of the example as it is at
// 100 % and 10 pt, figure columns and all.
TEST(AdvExampleTest, TheCsvOfEveryKeyIgnoresTheZoomAndTheFontSize) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(std::filesystem::path(VARNOBEL_EXAMPLES) / "sample.cfs", sink),
              CMainDoc::OpenResult::Loaded);
    const auto csvAt = [&](const LayoutKey& key, int zoom, int fontSize) {
        doc.zoom = zoom;
        doc.fontSize = fontSize;
        AdvViewState state;
        state.currentKey = key;
        RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
        RunAdvDrawPass(dc, doc, state, {Rect{0, 0, kWidth, kHeight}, 0, 0});
        return AdvStatementCsv(*state.lists.model);
    };
    int statements = 0;
    const Database::CPERT& root = doc.Root();
    for (int v = 0; v < root.ViewCount(); ++v) {
        const Database::CTabView& view = root.View(v);
        for (int s = -1; s < view.ScenarioCount() - 1; ++s) {
            const Database::CScenario& scenario = view.Scenario(s);
            for (int c = -1; c < scenario.CompanyCount() - 1; ++c) {
                for (int y = 0; y < scenario.Company(c).YearCount(); ++y) {
                    const LayoutKey key(v, s, c, y);
                    const std::string expected = csvAt(key, 100, 100);
                    ASSERT_NE(Records(expected)[0].size(), 2u) << "no figure columns";
                    for (const auto& [zoom, size] : {std::pair{-5, 100},
                                                     {1, 100},
                                                     {100000, 100},
                                                     {100, -7},
                                                     {100, 1},
                                                     {100, 100000}})
                        EXPECT_EQ(csvAt(key, zoom, size), expected)
                            << v << s << c << y << " at " << zoom << " % and " << size;
                    ++statements;
                }
            }
        }
    }
    EXPECT_GT(statements, 10);
}

TEST(AdvKeysTest, TabWalksTheLevelsAndArrowsStepOverHiddenEntries) {
    StatementForecast three({100, 100, 100}, {1.0}, 1);
    three.View().Scenario(1).hidden = true;
    three.EveryYear(0, [](Database::CYear& year) {
        for (const char16_t* name : {u"Rent", u"Rates"}) {
            auto& item = ForecastBuilder::AddRow<Item::CItem>(year, kExpense);
            item.name = name;
            item.Expected.fill(100);
        }
    });
    AdvViewState state;
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
    const auto pass = [&] {
        RunAdvDrawPassSettled(dc, three.doc, state, {Rect{0, 0, kWidth, kHeight}, 0, 0});
    };
    pass();

    WalkLevels(state, true);
    EXPECT_EQ(HighlightLevel(state), AdvLevel::View);
    WalkLevels(state, true);
    EXPECT_EQ(HighlightLevel(state), AdvLevel::Scenario);
    EXPECT_EQ(state.highlightKey[LayoutKey::kScenario], -1);
    EXPECT_TRUE(StepHighlight(state, true));
    EXPECT_EQ(state.currentKey[LayoutKey::kScenario], 0);
    pass();
    EXPECT_TRUE(StepHighlight(state, true));
    EXPECT_EQ(state.currentKey[LayoutKey::kScenario], 2); // the hidden scenario 1 has no tab
    pass();
    EXPECT_TRUE(StepHighlight(state, true));
    EXPECT_EQ(state.currentKey[LayoutKey::kScenario], 2);

    // Back round through the companies and years to the rows, then down them.
    WalkLevels(state, true);
    WalkLevels(state, true);
    WalkLevels(state, true);
    // The rows start at the first one drawn: the EXPENSES heading, which shows no forecast row.
    ASSERT_EQ(HighlightLevel(state), AdvLevel::Rows);
    EXPECT_EQ(state.highlightKey, LayoutKey());
    EXPECT_TRUE(StepHighlight(state, true));
    EXPECT_EQ(state.highlightKey, LayoutKey(0, 2, -1, 0, kExpense, 0));
    EXPECT_TRUE(StepHighlight(state, true));
    EXPECT_EQ(state.highlightKey, LayoutKey(0, 2, -1, 0, kExpense, 1));
    EXPECT_TRUE(state.ListsCurrent(three.doc.Revision()));
    WalkLevels(state, false);
    EXPECT_EQ(HighlightLevel(state), AdvLevel::YearOrGraph);
    FocusKey(state, nullptr);
    EXPECT_FALSE(StepHighlight(state, true));
}

TEST(AdvPanTest, ThePanSpeedHasADeadZoneOfFiveUnits) {
    EXPECT_EQ(PanSpeed(5, kPanFactorX), 0);
    EXPECT_EQ(PanSpeed(-5, kPanFactorY), 0);
    EXPECT_EQ(PanSpeed(6, kPanFactorX), 2 * 22);
    EXPECT_EQ(PanSpeed(-10, kPanFactorY), -6 * 43);
}

} // namespace
