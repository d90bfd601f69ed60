#include "statement/AdvStatementCsv.h"

#include <optional>
#include <vector>

#include "statement/StatementCsv.h"

namespace Statement {
namespace {

constexpr const char* kSubHeadings[3] = {"Actual", "Expected", "Variance"};

// A figure column: its heading group and sub-column.
struct Column {
    int group = 0;
    Database::SubColumn sub = Database::kActual;
};

class Writer {
public:
    explicit Writer(const AdvStatementModel& model) : model_(model) {
        for (std::size_t t = 0; t < model.taxColumns.size(); ++t)
            if (model.taxColumns[t].shown)
                taxes_.push_back(t);
        for (int group = 0; group < kAdvGroups; ++group)
            for (Database::SubColumn sub : Database::kSubColumns)
                if (model.ColumnShown(group, sub))
                    columns_.push_back({group, sub});
    }

    std::string Run() {
        Record header{"Line", "Notes"};
        for (std::size_t t : taxes_)
            header.push_back(ToUtf8(model_.taxColumns[t].name));
        for (const Column& column : columns_)
            header.push_back(Heading(column));
        Write(header);

        for (const AdvEntry& entry : model_.entries) {
            if (!entry.Shown())
                continue;
            if (entry.kind == AdvEntryKind::NoteEntry)
                Write(Plain(ToUtf8(entry.label), ToUtf8(entry.noteText)));
            else if (entry.IsHeading())
                Write(Plain(ToUtf8(entry.label), Markers(entry)));
            else
                Write(FigureRecord(entry));
        }
        return out_;
    }

private:
    using Record = std::vector<std::string>;

    std::string Heading(const Column& column) const {
        std::string title = column.group == kAdvTotalGroup     ? "Total"
                            : column.group == kAdvPercentGroup ? "Percentage"
                                                               : ToUtf8(model_.monthHeadings[static_cast<std::size_t>(column.group)]);
        return title + ' ' + kSubHeadings[column.sub];
    }

    void Write(const Record& record) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0)
                out_ += ',';
            out_ += CsvField(record[i]);
        }
        out_ += "\r\n";
    }

    Record Plain(const std::string& label, const std::string& notes) const {
        Record record{label, notes};
        record.resize(2 + taxes_.size() + columns_.size());
        return record;
    }

    // The markers drawn in the entry's notes cell: "1, 2, 3".
    static std::string Markers(const AdvEntry& entry) {
        std::string text;
        for (const AdvMarker& marker : entry.markers) {
            if (!marker.shown)
                continue;
            if (!text.empty())
                text += ", ";
            text += ToUtf8(marker.name);
        }
        return text;
    }

    Record FigureRecord(const AdvEntry& entry) const {
        Record record = Plain(ToUtf8(entry.label),
                              entry.IsTotal() ? std::string() : Markers(entry));
        for (std::size_t t = 0; t < taxes_.size(); ++t)
            if (taxes_[t] < entry.taxCodes.size())
                record[2 + t] = ToUtf8(entry.taxCodes[taxes_[t]]);
        if (!entry.hasFigures)
            return record;
        std::size_t cell = 2 + taxes_.size();
        for (const Column& column : columns_) {
            const auto sub = static_cast<std::size_t>(column.sub);
            const AdvCell* figure = nullptr;
            if (column.group == kAdvTotalGroup)
                figure = &entry.totals[sub];
            else if (column.group == kAdvPercentGroup)
                figure = entry.showPercentage ? &entry.percents[sub] : nullptr;
            else
                figure = &entry.months[static_cast<std::size_t>(column.group)][sub];
            if (figure && figure->present)
                record[cell] = DecimalAmountText(figure->value);
            ++cell;
        }
        return record;
    }

    const AdvStatementModel& model_;
    std::vector<std::size_t> taxes_;
    std::vector<Column> columns_;
    std::string out_;
};

} // namespace

std::string AdvStatementCsv(const AdvStatementModel& model) {
    if (!model.hasYear)
        return {};
    return Writer(model).Run();
}

} // namespace Statement
