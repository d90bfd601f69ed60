#include "statement/graphs/GraphTable.h"

#include <algorithm>
#include <limits>

#include "database/CCompany.h"
#include "database/CGraphSettings.h"
#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "statement/graphs/GraphSeriesData.h"
#include "statement/graphs/GraphTotals.h"

namespace Statement {
namespace {

constexpr const char* kKindNames[GraphTotals::kKinds] = {"Actual", "Expected", "Variance"};

// A table headed `Series` and the months from `first` to `last` (running indexes).
StatementTable MonthTable(std::vector<std::string> path, std::int64_t first, std::int64_t last,
                          std::int64_t firstYear) {
    StatementTable table;
    table.path = std::move(path);
    table.caption = table.Title();
    table.columns.push_back({TableColumnRole::Label, "Series", "Series", "", -1});
    for (std::int64_t index = first; index <= last; ++index) {
        const std::string month = ToUtf8(GraphMonthLabel(index, firstYear));
        table.columns.push_back({TableColumnRole::Figure, month, month, "", -1});
    }
    std::vector<TableHeading> headings;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        headings.push_back({table.columns[c].heading, c, 1, -1, false});
    table.headings = {std::move(headings)};
    return table;
}

TableRow SeriesRow(std::size_t source, const std::string& label, std::size_t columns) {
    TableRow row;
    row.source = source;
    row.cells.resize(columns);
    row.cells[0] = TableCell::Of(label);
    return row;
}

} // namespace

StatementTable StdGraphTable(const CMainDoc& doc, const Database::CCompany* company,
                             const std::array<bool, 16>& shown, bool offsetYear,
                             std::vector<std::string> path) {
    GraphSeriesData data;
    data.Load(doc, company, shown, offsetYear);
    const GraphMonthRange& months = data.Months();
    const std::int64_t last = months.firstIndex + data.MonthCount() - 1;
    StatementTable table = MonthTable(std::move(path), months.firstIndex, last, months.firstYear);
    table.cents = doc.Root().cents != 0;
    table.brackets = doc.Root().brackets != 0;
    const Database::CTaxSetup* taxSetup = doc.Root().TaxSetup(0);
    for (int series = 0; series < GraphSeriesData::kSeries; ++series) {
        if (!shown[static_cast<std::size_t>(series)])
            continue;
        TableRow row =
            SeriesRow(static_cast<std::size_t>(series),
                      ToUtf8(StdGraphSeriesLabel(series, taxSetup)), table.columns.size());
        const std::vector<Amount>& values = data.Values(series);
        for (std::size_t p = 0; p < values.size() && p + 1 < row.cells.size(); ++p)
            row.cells[p + 1] = TableCell::Money(values[p]);
        table.rows.push_back(std::move(row));
    }
    return table;
}

StatementTable AdvGraphTable(CMainDoc& doc, const LayoutKey& graphKey,
                             std::vector<std::string> path) {
    const std::vector<GraphTotals::GraphYear> years = GraphTotals::GraphYears(doc, graphKey);
    const int settingsIndex = graphKey[LayoutKey::kGraph];
    // The plotted points of every series and kind, and the months they span.
    struct Line {
        int series = 0;
        int kind = 0;
        std::string label;
        std::vector<GraphPoint> points;
    };
    std::vector<Line> lines;
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::min();
    for (int series = 0; series < GraphTotals::kSeries; ++series)
        for (int kind = 0; kind < GraphTotals::kKinds; ++kind) {
            Line line{series, kind, {}, {}};
            for (const GraphTotals::GraphYear& year : years) {
                const Database::CGraphSettings* settings =
                    GraphTotals::SettingsOf(*year.year, settingsIndex);
                if (!settings || !GraphTotals::Cell(settings->seriesOn, kind, series))
                    continue;
                if (line.label.empty())
                    if (const Text* name = GraphTotals::SeriesName(*year.year, series))
                        line.label = ToUtf8(*name) + ' ' + kKindNames[kind];
                for (const GraphPoint& point :
                     GraphTotals::YearPoints(year, *settings, kind, series)) {
                    if (!point.plotted)
                        continue;
                    line.points.push_back(point);
                    first = std::min(first, point.index);
                    last = std::max(last, point.index);
                }
            }
            if (!line.points.empty())
                lines.push_back(std::move(line));
        }
    if (lines.empty())
        first = last = 0;
    const std::int64_t firstYear = years.empty() ? 0 : FirstCalendarYear(*years.front().year);
    StatementTable table = MonthTable(std::move(path), first, last, firstYear);
    if (!years.empty()) {
        table.cents = years.front().year->display.cents;
        table.brackets = years.front().year->display.brackets;
    }
    for (const Line& line : lines) {
        TableRow row =
            SeriesRow(static_cast<std::size_t>(line.series * GraphTotals::kKinds + line.kind),
                      line.label, table.columns.size());
        for (const GraphPoint& point : line.points)
            row.cells[static_cast<std::size_t>(point.index - first) + 1] =
                TableCell::Money(point.value);
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace Statement
