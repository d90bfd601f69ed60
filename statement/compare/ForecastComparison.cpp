#include "statement/compare/ForecastComparison.h"

#include "statement/StatementCsv.h"

namespace Statement {
namespace {

// The sub-column a statement's outcome is read from: the Expected figures (a Standard or Basic
// statement has no sub-columns and shows them).
constexpr int kExpectedSub = 1;

// The closing bank balance of the statement's last month, when it shows one.
std::optional<Amount> ClosingBalance(const StatementTable& table) {
    for (const TableRow& row : table.rows) {
        if (!row.bankBalance)
            continue;
        std::optional<long long> last;
        std::optional<Amount> closing;
        for (std::size_t c = 0; c < table.columns.size() && c < row.cells.size(); ++c) {
            const TableColumn& column = table.columns[c];
            if (!column.calendarMonth ||
                (column.subColumn >= 0 && column.subColumn != kExpectedSub))
                continue;
            if (row.cells[c].IsFigure() && (!last || *column.calendarMonth > *last)) {
                last = column.calendarMonth;
                closing = row.cells[c].value;
            }
        }
        return closing;
    }
    return std::nullopt;
}

template <class Item, class KeyOf>
std::vector<std::string> Keys(const std::vector<Item>& items, KeyOf keyOf) {
    std::vector<std::string> keys;
    keys.reserve(items.size());
    for (const Item& item : items)
        keys.push_back(keyOf(item));
    return keys;
}

const std::string& LabelOf(const TableRow& row) {
    static const std::string none;
    return row.cells.empty() || row.cells.front().kind != TableCell::Kind::Text
               ? none
               : row.cells.front().text;
}

// The figure columns of both tables, matched, in the newer table's order.
std::vector<MatchedPair> FigureColumns(const StatementTable& older, const StatementTable& newer) {
    const std::vector<std::string> olderKeys = Keys(older.columns, ColumnKey);
    const std::vector<std::string> newerKeys = Keys(newer.columns, ColumnKey);
    std::vector<MatchedPair> figures;
    for (const MatchedPair& pair :
         MergeOrder(olderKeys.size(), MatchByOccurrence(olderKeys, newerKeys))) {
        const bool figure = pair.newer != kUnmatched ? !newerKeys[pair.newer].empty()
                                                     : !olderKeys[pair.older].empty();
        if (figure)
            figures.push_back(pair);
    }
    return figures;
}

void CompareRows(const StatementTable& older, const StatementTable& newer,
                 StatementChanges& statement) {
    const std::vector<MatchedPair> columns = FigureColumns(older, newer);
    const std::vector<std::string> olderKeys = Keys(older.rows, RowKey);
    const std::vector<std::string> newerKeys = Keys(newer.rows, RowKey);
    static const TableCell empty;
    for (const MatchedPair& rows :
         MergeOrder(olderKeys.size(), MatchByOccurrence(olderKeys, newerKeys))) {
        if (rows.older == kUnmatched || rows.newer == kUnmatched) {
            Change change;
            const bool added = rows.older == kUnmatched;
            change.kind = added ? ChangeKind::RowAdded : ChangeKind::RowRemoved;
            change.row = LabelOf(added ? newer.rows[rows.newer] : older.rows[rows.older]);
            change.newerRow = rows.newer;
            if (added)
                change.newerSource = newer.rows[rows.newer].source;
            statement.changes.push_back(std::move(change));
            continue;
        }
        const TableRow& olderRow = older.rows[rows.older];
        const TableRow& newerRow = newer.rows[rows.newer];
        for (const MatchedPair& column : columns) {
            const TableCell& was =
                column.older < olderRow.cells.size() ? olderRow.cells[column.older] : empty;
            const TableCell& is =
                column.newer < newerRow.cells.size() ? newerRow.cells[column.newer] : empty;
            if (!was.IsFigure() && !is.IsFigure())
                continue;
            if (was.IsFigure() && is.IsFigure() && was.value == is.value)
                continue;
            Change change;
            change.row = LabelOf(newerRow);
            change.column = column.newer != kUnmatched ? newer.columns[column.newer].heading
                                                       : older.columns[column.older].heading;
            if (was.IsFigure())
                change.older = was.value;
            if (is.IsFigure())
                change.newer = is.value;
            change.percent = (is.IsFigure() ? is : was).kind == TableCell::Kind::Percent;
            change.newerRow = rows.newer;
            change.newerColumn = column.newer;
            change.newerSource = newerRow.source;
            statement.changes.push_back(std::move(change));
            ++statement.changedFigures;
        }
    }
}

} // namespace

std::optional<Amount> Change::Difference() const {
    if (!older || !newer)
        return std::nullopt;
    return SaturatingSub(*newer, *older);
}

std::string Change::ColumnText() const {
    switch (kind) {
    case ChangeKind::Figure:
        break;
    case ChangeKind::RowAdded:
        return "(row added)";
    case ChangeKind::RowRemoved:
        return "(row removed)";
    case ChangeKind::StatementAdded:
        return "(statement added)";
    case ChangeKind::StatementRemoved:
        return "(statement removed)";
    }
    return column;
}

std::string Change::Description(bool cents) const {
    const auto text = [&](Amount value) {
        if (percent)
            return DecimalAmountText(value) + " %";
        // The statement draws a dash for nothing; a sentence says the number.
        return value == 0 ? std::string(cents ? "0.00" : "0") : AmountText(value, cents, false);
    };
    switch (kind) {
    case ChangeKind::Figure:
        break;
    case ChangeKind::RowAdded:
        return "row added";
    case ChangeKind::RowRemoved:
        return "row removed";
    case ChangeKind::StatementAdded:
        return "statement added";
    case ChangeKind::StatementRemoved:
        return "statement removed";
    }
    if (!older)
        return "not shown before";
    if (!newer)
        return "was " + text(*older) + ", not shown now";
    const Amount difference = *Difference();
    return "was " + text(*older) + (difference < 0 ? ", down " : ", up ") +
           text(difference < 0 ? SaturatingNegate(difference) : difference);
}

std::string StatementChanges::Title() const {
    std::string title;
    for (const std::string& part : path) {
        if (!title.empty())
            title += " > ";
        title += part;
    }
    return title;
}

bool ForecastComparison::Changed() const {
    if (!settings.empty())
        return true;
    for (const StatementChanges& statement : statements)
        if (!statement.changes.empty())
            return true;
    return false;
}

int ForecastComparison::ChangedFigures() const {
    int count = 0;
    for (const StatementChanges& statement : statements)
        count += statement.changedFigures;
    return count;
}

const StatementChanges* ForecastComparison::ForNewer(std::size_t table) const {
    for (const StatementChanges& statement : statements)
        if (statement.newer == table)
            return &statement;
    return nullptr;
}

ForecastComparison CompareTables(const std::vector<StatementTable>& older,
                                 const std::vector<StatementTable>& newer) {
    ForecastComparison comparison;
    const std::vector<std::string> olderKeys = Keys(older, StatementKey);
    const std::vector<std::string> newerKeys = Keys(newer, StatementKey);
    for (const MatchedPair& pair :
         MergeOrder(olderKeys.size(), MatchByOccurrence(olderKeys, newerKeys))) {
        StatementChanges& statement = comparison.statements.emplace_back();
        statement.older = pair.older;
        statement.newer = pair.newer;
        const StatementTable* was = pair.older != kUnmatched ? &older[pair.older] : nullptr;
        const StatementTable* is = pair.newer != kUnmatched ? &newer[pair.newer] : nullptr;
        statement.path = is ? is->path : was->path;
        if (was)
            statement.olderClosing = ClosingBalance(*was);
        if (is)
            statement.newerClosing = ClosingBalance(*is);
        if (was && is) {
            CompareRows(*was, *is, statement);
        } else {
            Change change;
            change.kind = is ? ChangeKind::StatementAdded : ChangeKind::StatementRemoved;
            statement.changes.push_back(std::move(change));
        }
    }
    return comparison;
}

std::string ChangesCsv(const ForecastComparison& comparison) {
    std::string out = "Statement,Row,Column,Older,Newer,Difference\r\n";
    const auto figure = [](const std::optional<Amount>& value) {
        return value ? DecimalAmountText(*value) : std::string();
    };
    for (const StatementChanges& statement : comparison.statements) {
        const std::string title = CsvField(statement.Title());
        for (const Change& change : statement.changes) {
            out += title;
            out += ',';
            out += CsvField(change.row);
            out += ',';
            out += CsvField(change.ColumnText());
            out += ',';
            out += figure(change.older);
            out += ',';
            out += figure(change.newer);
            out += ',';
            out += figure(change.Difference());
            out += "\r\n";
        }
    }
    return out;
}

} // namespace Statement
