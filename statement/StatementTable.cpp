#include "statement/StatementTable.h"

#include <algorithm>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "statement/NoteMarker.h"
#include "statement/StatementCsv.h"

namespace Statement {
namespace {

constexpr const char* kSubHeadings[3] = {"Actual", "Expected", "Variance"};

int LeadingBlanks(const std::string& label) {
    const std::size_t first = label.find_first_not_of(' ');
    return static_cast<int>(first == std::string::npos ? label.size() : first);
}

TableRow MakeRow(TableRowKind kind, std::size_t source, std::string label, std::size_t columns) {
    TableRow row;
    row.kind = kind;
    row.source = source;
    row.indent = LeadingBlanks(label);
    row.cells.resize(columns);
    row.cells[0] = TableCell::Of(std::move(label));
    return row;
}

// One heading row of the columns' headings as they stand.
std::vector<TableHeading> SingleHeadingRow(const std::vector<TableColumn>& columns) {
    std::vector<TableHeading> row;
    for (std::size_t c = 0; c < columns.size(); ++c)
        row.push_back({columns[c].heading, c, 1, columns[c].subColumn, false});
    return row;
}

TableRowKind StdRowKind(StatementLine::Kind kind) {
    switch (kind) {
    case StatementLine::Kind::Heading:
        return TableRowKind::Heading;
    case StatementLine::Kind::Total:
    case StatementLine::Kind::BlockTotal:
    case StatementLine::Kind::BankBalance:
        return TableRowKind::Total;
    case StatementLine::Kind::Surplus:
        return TableRowKind::Summary;
    default:
        return TableRowKind::Line;
    }
}

TableRowKind AdvRowKind(AdvEntryKind kind) {
    switch (kind) {
    case AdvEntryKind::SectionHeading:
    case AdvEntryKind::BlockHeading:
        return TableRowKind::Heading;
    case AdvEntryKind::Total:
        return TableRowKind::Total;
    case AdvEntryKind::Summary:
        return TableRowKind::Summary;
    case AdvEntryKind::NoteEntry:
        return TableRowKind::NoteEntry;
    case AdvEntryKind::Line:
        break;
    }
    return TableRowKind::Line;
}

std::string Trimmed(const Text& label) {
    const std::string text = ToUtf8(label);
    return text.substr(std::min(text.size(), text.find_first_not_of(' ')));
}

// What summary rows are matched within: they stand for the statement, whatever surrounds them.
constexpr const char* kSummaryScope = "summary";

// The scope of each Advanced entry, read over every entry (suppressed and closed ones too), so
// that what is left out in one version does not move the others into another scope.
class AdvScopes {
public:
    std::string Of(const AdvEntry& entry) {
        switch (entry.kind) {
        case AdvEntryKind::SectionHeading:
            section_ = ToUtf8(entry.label);
            block_.clear();
            return section_;
        case AdvEntryKind::BlockHeading:
            blockKey_ = entry.key;
            block_ = Trimmed(entry.label);
            break;
        case AdvEntryKind::Summary:
            return kSummaryScope;
        default:
            break;
        }
        const bool inBlock = !block_.empty() &&
                             entry.key[LayoutKey::kCategory] == blockKey_[LayoutKey::kCategory] &&
                             entry.key[LayoutKey::kPosition] == blockKey_[LayoutKey::kPosition];
        return inBlock ? section_ + '/' + block_ : section_;
    }

private:
    std::string section_;
    std::string block_;
    LayoutKey blockKey_;
};

// The markers drawn in an entry's notes cell: "1, 2, 3".
std::string Markers(const AdvEntry& entry) {
    Text text;
    bool follows = false;
    for (const AdvMarker& marker : entry.markers) {
        if (!marker.shown)
            continue;
        text += MarkerText(marker.name, follows);
        follows = true;
    }
    return ToUtf8(text);
}

class AdvTableBuilder {
public:
    AdvTableBuilder(const AdvStatementModel& model, StatementTable& table)
        : model_(model), table_(table) {}

    void Run() {
        AddColumns();
        AdvScopes scopes;
        for (std::size_t e = 0; e < model_.entries.size(); ++e) {
            const AdvEntry& entry = model_.entries[e];
            std::string scope = scopes.Of(entry);
            if (!entry.Shown())
                continue;
            TableRow row =
                MakeRow(AdvRowKind(entry.kind), e, ToUtf8(entry.label), table_.columns.size());
            row.scope = std::move(scope);
            row.bankBalance = entry.kind == AdvEntryKind::Total &&
                              entry.totalMode == TotalMode::LastMonth &&
                              entry.key[LayoutKey::kCategory] == kBank;
            if (entry.kind == AdvEntryKind::NoteEntry) {
                row.cells[1] = TableCell::Of(ToUtf8(entry.noteText));
            } else if (entry.IsHeading()) {
                row.cells[1] = TableCell::Of(Markers(entry));
            } else {
                if (!entry.IsTotal())
                    row.cells[1] = TableCell::Of(Markers(entry));
                AddFigures(entry, row);
            }
            table_.rows.push_back(std::move(row));
        }
    }

private:
    struct Figure {
        int group = 0;
        Database::SubColumn sub = Database::kActual;
    };

    std::string GroupTitle(int group) const {
        if (group == kAdvTotalGroup)
            return "Total";
        if (group == kAdvPercentGroup)
            return "Percentage";
        return ToUtf8(model_.monthHeadings[static_cast<std::size_t>(group)]);
    }

    void AddColumns() {
        table_.columns.push_back({TableColumnRole::Label, "Line", "Line", "", -1});
        table_.columns.push_back({TableColumnRole::Notes, "Notes", "Notes", "", -1});
        for (std::size_t t = 0; t < model_.taxColumns.size(); ++t) {
            if (!model_.taxColumns[t].shown)
                continue;
            const std::string name = ToUtf8(model_.taxColumns[t].name);
            table_.columns.push_back({TableColumnRole::Tax, name, name, "", -1});
            taxes_.push_back(t);
        }
        std::vector<TableHeading> groups;
        std::vector<TableHeading> subs;
        const long long firstMonth =
            model_.span.FirstYear(model_.yearNumber) * kMonths + model_.span.start;
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            groups.push_back({table_.columns[c].heading, c, 1, -1, false});
            subs.push_back({"", c, 1, -1, false});
        }
        for (int group = 0; group < kAdvGroups; ++group) {
            const std::string title = GroupTitle(group);
            bool started = false;
            for (Database::SubColumn sub : Database::kSubColumns) {
                if (!model_.ColumnShown(group, sub))
                    continue;
                const std::size_t column = table_.columns.size();
                table_.columns.push_back({TableColumnRole::Figure, title + ' ' + kSubHeadings[sub],
                                          title, kSubHeadings[sub], sub, group,
                                          group < kMonths ? std::optional<long long>(firstMonth + group)
                                                  : std::nullopt});
                figures_.push_back({group, sub});
                subs.push_back({kSubHeadings[sub], column, 1, sub, false});
                if (started)
                    ++groups.back().span;
                else
                    groups.push_back({title, column, 1, -1, true});
                started = true;
            }
        }
        table_.headings = {std::move(groups), std::move(subs)};
    }

    void AddFigures(const AdvEntry& entry, TableRow& row) const {
        const std::size_t firstTax = 2;
        for (std::size_t t = 0; t < taxes_.size(); ++t)
            if (taxes_[t] < entry.taxCodes.size())
                row.cells[firstTax + t] = TableCell::Of(ToUtf8(entry.taxCodes[taxes_[t]]));
        if (!entry.hasFigures)
            return;
        std::size_t cell = firstTax + taxes_.size();
        for (const Figure& figure : figures_) {
            const auto sub = static_cast<std::size_t>(figure.sub);
            const AdvCell* shown = nullptr;
            if (figure.group == kAdvTotalGroup)
                shown = &entry.totals[sub];
            else if (figure.group == kAdvPercentGroup)
                shown = entry.showPercentage ? &entry.percents[sub] : nullptr;
            else
                shown = &entry.months[static_cast<std::size_t>(figure.group)][sub];
            if (shown && shown->present)
                row.cells[cell] = figure.group == kAdvPercentGroup
                                      ? TableCell::Percentage(shown->value)
                                      : TableCell::Money(shown->value);
            ++cell;
        }
    }

    const AdvStatementModel& model_;
    StatementTable& table_;
    std::vector<std::size_t> taxes_;
    std::vector<Figure> figures_;
};

std::string NameOf(const Database::CBase* object) {
    return object ? ToUtf8(object->DisplayName()) : std::string();
}

} // namespace

std::size_t StatementTable::LeadingColumns() const {
    std::size_t count = 0;
    while (count < columns.size() && columns[count].role != TableColumnRole::Figure)
        ++count;
    return count;
}

std::string StatementTable::Title() const {
    std::string title;
    for (const std::string& part : path) {
        if (!title.empty())
            title += " / ";
        title += part;
    }
    return title;
}

StatementTable BuildStatementTable(const StatementModel& model, std::vector<std::string> path) {
    StatementTable table;
    table.path = std::move(path);
    table.brackets = model.brackets;
    table.cents = model.cents;
    table.columns.push_back({TableColumnRole::Label, "Line", "Line", "", -1});
    for (int position = 0; position < kMonths; ++position) {
        const std::string month = CsvMonthName(model.MonthAt(position));
        table.columns.push_back({TableColumnRole::Figure, month, month, "", -1, -1,
                                 model.firstYear * kMonths + model.startMonth + position});
    }
    table.columns.push_back({TableColumnRole::Figure, "Total", "Total", "", -1});
    if (model.percentColumn)
        table.columns.push_back({TableColumnRole::Figure, "%", "%", "", -1});
    table.headings = {SingleHeadingRow(table.columns)};

    // The investment or loan whose balance block the lines are in: its row and name.
    int blockRow = -1;
    std::string block;
    for (std::size_t l = 0; l < model.lines.size(); ++l) {
        const StatementLine& line = model.lines[l];
        if (line.kind == StatementLine::Kind::Spacer || line.kind == StatementLine::Kind::Hidden)
            continue;
        TableRow row = MakeRow(StdRowKind(line.kind), l, ToUtf8(line.label), table.columns.size());
        if (line.kind == StatementLine::Kind::Name) {
            blockRow = line.row;
            block = Trimmed(line.label);
        }
        const bool inBlock = blockRow >= 0 && line.row == blockRow &&
                             (line.section == StatementSection::Investments ||
                              line.section == StatementSection::Loans);
        row.scope = line.kind == StatementLine::Kind::Surplus
                        ? std::string(kSummaryScope)
                        : std::to_string(static_cast<int>(line.section)) +
                              (inBlock ? '/' + block : std::string());
        row.bankBalance = line.kind == StatementLine::Kind::BankBalance;
        if (line.HasFigures()) {
            for (int position = 0; position < kMonths; ++position) {
                const int month = model.MonthAt(position);
                if (model.InSpan(month))
                    row.cells[1 + static_cast<std::size_t>(position)] =
                        TableCell::Money(line.values[static_cast<std::size_t>(month)]);
            }
            row.cells[1 + kMonths] = TableCell::Money(line.total);
            if (model.percentColumn && line.percent)
                row.cells[2 + kMonths] = TableCell::Percentage(*line.percent);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

StatementTable BuildAdvStatementTable(const AdvStatementModel& model,
                                      std::vector<std::string> path) {
    StatementTable table;
    table.path = std::move(path);
    if (!model.hasYear)
        return table;
    table.brackets = model.brackets;
    table.cents = model.cents;
    AdvTableBuilder(model, table).Run();
    return table;
}

std::vector<std::string> StatementPath(const StatementSelection& selection, Edition edition) {
    if (edition == Edition::Basic)
        return {NameOf(selection.year)};
    return {NameOf(selection.scenario), NameOf(selection.company), NameOf(selection.year)};
}

std::vector<std::string> AdvStatementPath(const CMainDoc& doc, const LayoutKey& key) {
    std::vector<std::string> path;
    const Database::CTabView* view = doc.Root().views.Find(key[LayoutKey::kView]);
    const Database::CScenario* scenario =
        view ? view->FindScenario(key[LayoutKey::kScenario]) : nullptr;
    const Database::CCompany* company =
        scenario ? scenario->FindCompany(key[LayoutKey::kCompany]) : nullptr;
    const Database::CYear* year = company ? company->FindYear(key[LayoutKey::kYear]) : nullptr;
    for (const Database::CBase* level :
         {static_cast<const Database::CBase*>(view), static_cast<const Database::CBase*>(scenario),
          static_cast<const Database::CBase*>(company), static_cast<const Database::CBase*>(year)})
        if (level)
            path.push_back(NameOf(level));
    return path;
}

std::string TableCsv(const StatementTable& table) {
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0)
            out += ',';
        out += CsvField(table.columns[c].heading);
    }
    out += "\r\n";
    for (const TableRow& row : table.rows) {
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            if (c > 0)
                out += ',';
            const TableCell& cell = row.cells[c];
            if (cell.kind == TableCell::Kind::Text)
                out += CsvField(cell.text);
            else if (cell.IsFigure())
                out += DecimalAmountText(cell.value);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace Statement
