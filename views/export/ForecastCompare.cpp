#include "views/export/ForecastCompare.h"

#include <string>

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "statement/compare/SettingChanges.h"
#include "views/StatementTables.h"

using namespace Statement;

namespace {

TableColumn Column(TableColumnRole role, const char* heading, bool difference = false) {
    TableColumn column{role, heading, heading, "", -1};
    column.difference = difference;
    return column;
}

// A table with one heading row of the columns' headings.
StatementTable ListTable(std::vector<std::string> path, std::vector<TableColumn> columns) {
    StatementTable table;
    table.path = std::move(path);
    table.columns = std::move(columns);
    std::vector<TableHeading> headings;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        headings.push_back({table.columns[c].heading, c, 1, -1, false});
    table.headings = {std::move(headings)};
    return table;
}

TableCell Figure(const std::optional<Amount>& value, bool percent = false) {
    if (!value)
        return {};
    return percent ? TableCell::Percentage(*value) : TableCell::Money(*value);
}

std::optional<Amount> Difference(const std::optional<Amount>& older,
                                 const std::optional<Amount>& newer) {
    if (!older || !newer)
        return std::nullopt;
    return SaturatingSub(*newer, *older);
}

TableRow Row(std::vector<TableCell> cells, TableRowKind kind = TableRowKind::Line) {
    TableRow row;
    row.kind = kind;
    row.cells = std::move(cells);
    return row;
}

StatementTable SummarySheet(const ForecastComparison& comparison) {
    StatementTable table =
        ListTable({"Summary"}, {Column(TableColumnRole::Label, "Statement"),
                                Column(TableColumnRole::Notes, "Changed figures"),
                                Column(TableColumnRole::Figure, "Older closing bank balance"),
                                Column(TableColumnRole::Figure, "Newer closing bank balance"),
                                Column(TableColumnRole::Figure, "Difference", true)});
    for (const StatementChanges& statement : comparison.statements) {
        std::string count = std::to_string(statement.changedFigures);
        if (statement.older == kUnmatched || statement.newer == kUnmatched)
            count = statement.changes.front().ColumnText();
        table.rows.push_back(
            Row({TableCell::Of(statement.Title()), TableCell::Of(count),
                 Figure(statement.olderClosing), Figure(statement.newerClosing),
                 Figure(Difference(statement.olderClosing, statement.newerClosing))}));
    }
    if (comparison.settings.empty())
        return table;
    table.rows.push_back(Row({TableCell::Of(""), {}, {}, {}, {}}));
    table.rows.push_back(Row({TableCell::Of("Settings that change figures"),
                              TableCell::Of("Setting"),
                              TableCell::Of("Older"),
                              TableCell::Of("Newer"),
                              {}},
                             TableRowKind::Heading));
    for (const SettingChange& setting : comparison.settings)
        table.rows.push_back(Row({TableCell::Of(setting.where),
                                  TableCell::Of(setting.setting),
                                  TableCell::Of(setting.older),
                                  TableCell::Of(setting.newer),
                                  {}}));
    return table;
}

} // namespace

std::vector<StatementTable> ComparedTables(CMainDoc& doc, Edition edition) {
    return edition == Edition::Advanced ? AllAdvStatementTables(doc, AdvOutline::Open)
                                        : AllStdStatementTables(doc, edition);
}

ForecastComparison CompareForecasts(const CMainDoc& older, const std::vector<StatementTable>& was,
                                    const CMainDoc& newer, const std::vector<StatementTable>& is,
                                    Edition edition) {
    ForecastComparison comparison = CompareTables(was, is);
    if (older.root && newer.root)
        comparison.settings = CompareSettings(older.Root(), newer.Root(),
                                              edition == Edition::Advanced ? newer.ViewCount() : 1);
    return comparison;
}

ForecastComparison CompareForecasts(CMainDoc& older, CMainDoc& newer, Edition edition) {
    const std::vector<StatementTable> was = ComparedTables(older, edition);
    const std::vector<StatementTable> is = ComparedTables(newer, edition);
    return CompareForecasts(older, was, newer, is, edition);
}

std::vector<StatementTable> ChangesWorkbookTables(const ForecastComparison& comparison) {
    std::vector<StatementTable> tables{SummarySheet(comparison)};
    for (const StatementChanges& statement : comparison.statements) {
        if (statement.changes.empty() || statement.older == kUnmatched ||
            statement.newer == kUnmatched)
            continue;
        StatementTable table = ListTable(
            statement.path,
            {Column(TableColumnRole::Label, "Row"), Column(TableColumnRole::Notes, "Column"),
             Column(TableColumnRole::Figure, "Older"), Column(TableColumnRole::Figure, "Newer"),
             Column(TableColumnRole::Figure, "Difference", true)});
        for (const Change& change : statement.changes)
            table.rows.push_back(
                Row({TableCell::Of(change.row), TableCell::Of(change.ColumnText()),
                     Figure(change.older, change.percent), Figure(change.newer, change.percent),
                     Figure(change.Difference(), change.percent)}));
        tables.push_back(std::move(table));
    }
    return tables;
}
