#include <gtest/gtest.h>

#include <algorithm>

#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxSetup.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "statement/AdvStatementModel.h"
#include "statement/StatementModel.h"
#include "statement/graphs/GraphSeriesData.h"
#include "statement/graphs/GraphTotals.h"

using namespace Statement;

namespace {

// Every point the example's graphs plot, in both editions, for every company of every scenario
// (and view), is the figure of the statement line it stands for: the Standard series the line
// of that label, the Advanced ones the total keyed to the total row (the bank's closing balance).
TEST(GraphPointsTest, EveryPlottedPointIsTheStatementFigureItPlots) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(VARNOBEL_EXAMPLES "/sample.cfs", sink), CMainDoc::OpenResult::Loaded);
    doc.Recalculate();
    const Text tax = doc.Root().TaxSetup(0)->name;
    const Text labels[GraphSeriesData::kSeries] = {u"Total Income",
                                                   u"Total Direct Costs",
                                                   u"GROSS SURPLUS",
                                                   u"Total Expenses",
                                                   u"NET SURPLUS BEFORE INTEREST",
                                                   u"Total Interest",
                                                   u"NET SURPLUS",
                                                   u"Total Capital Receipts",
                                                   u"Total Capital Expenses",
                                                   u"Total Capital Payments",
                                                   u"NET MOVEMENT BEFORE " + tax,
                                                   u"Total " + tax,
                                                   u"NET CASH MOVEMENT",
                                                   u"Closing Bank Balance",
                                                   u"Total Investments",
                                                   u"Total Loans"};
    std::vector<LayoutKey> companies;
    for (int v = 0; v < doc.ViewCount(); ++v)
        for (int s = -1; s < doc.Root().View(v).ScenarioCount() - 1; ++s)
            for (int c = -1; c < doc.Root().View(v).Scenario(s).CompanyCount() - 1; ++c)
                companies.emplace_back(v, s, c, LayoutKey::kNoEntry);
    int points = 0;
    for (const LayoutKey& key : companies) {
        const auto years = GraphTotals::GraphYears(doc, key);
        GraphSeriesData standard;
        standard.Load(doc, GraphTotals::CompanyOf(doc, key), {}, false);
        std::size_t position = 0;
        for (const GraphTotals::GraphYear& year : years) {
            const Database::YearSpan span = Database::SpanOf(*year.year);
            int s = key[LayoutKey::kScenario], c = key[LayoutKey::kCompany], y = year.position;
            const StatementModel model = BuildStatementModel(
                doc.Root(), ResolveStatementSelection(doc.Root(), Edition::Standard, s, c, y),
                Edition::Standard);
            for (int series = 0; series < GraphSeriesData::kSeries && key[LayoutKey::kView] == 0;
                 ++series) {
                const auto line = std::find_if(model.lines.begin(), model.lines.end(),
                                               [&](auto& l) { return l.label == labels[series]; });
                ASSERT_NE(line, model.lines.end()) << ToUtf8(labels[series]);
                for (int k = 0; k < span.count; ++k, ++points)
                    EXPECT_EQ(standard.Values(series).at(position + k),
                              line->values[span.Month(k)]);
            }
            position += span.count;

            // Every sub-column shown, so that the statement holds each figure plotted.
            Database::CDisplaySettings& display = const_cast<Database::CYear*>(year.year)->display;
            for (MonthFlags* flags :
                 {&display.showActual, &display.showExpected, &display.showVariance})
                flags->fill(true);
            LayoutKey yearKey = key;
            yearKey[LayoutKey::kYear] = year.position;
            const AdvStatementModel adv = BuildAdvStatementModel(doc, yearKey, AdvOutline::Open);
            for (int g = 0; g < year.year->GraphCount(); ++g)
                for (int series = 0; series < GraphTotals::kSeries; ++series)
                    for (int kind = 0; kind < GraphTotals::kKinds; ++kind)
                        for (const GraphPoint& point :
                             GraphTotals::YearPoints(year, year.year->Graph(g), kind, series)) {
                            if (!point.plotted)
                                continue;
                            const auto total = std::find_if(
                                adv.entries.begin(), adv.entries.end(), [&](const AdvEntry& e) {
                                    return e.IsTotal() &&
                                           (series == kTotalBank
                                                ? e.label == u"Closing Balance"
                                                : e.key[LayoutKey::kCategory] == kTotal &&
                                                      e.key[LayoutKey::kPosition] == series);
                                });
                            ASSERT_NE(total, adv.entries.end()) << series;
                            const int at = static_cast<int>(point.index % 12) - adv.span.start + 12;
                            const AdvCell& cell = total->months[at % 12][kind];
                            EXPECT_TRUE(cell.present && point.value == cell.value)
                                << s << c << y << " " << series << " " << kind << " " << at;
                            ++points;
                        }
        }
    }
    EXPECT_GT(points, 1000);
}

} // namespace
