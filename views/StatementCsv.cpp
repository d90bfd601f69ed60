#include "views/StatementCsv.h"

#include <cstdint>

#include "database/CPERT.h"
#include "document/CMainDoc.h"

namespace {

constexpr const char* kMonthNames[kMonths] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

const char* CsvMonthName(int month) {
    return kMonthNames[((month % kMonths) + kMonths) % kMonths];
}

// The magnitude is taken unsigned so the most negative amount has one too.
std::string CsvDecimal(Amount amount) {
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    const std::uint64_t cents = magnitude % 100;
    std::string text = amount < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string StatementCsv(const StatementModel& model) {
    std::string out = "Line";
    for (int position = 0; position < kMonths; ++position) {
        out += ',';
        out += CsvMonthName(model.MonthAt(position));
    }
    out += ",Total";
    if (model.percentColumn)
        out += ",%";
    out += "\r\n";

    for (const StatementLine& line : model.lines) {
        if (line.kind == StatementLine::Kind::Spacer || line.kind == StatementLine::Kind::Hidden)
            continue;
        out += CsvField(ToUtf8(line.label));
        const bool figures = line.HasFigures();
        for (int position = 0; position < kMonths; ++position) {
            out += ',';
            const int month = model.MonthAt(position);
            if (figures && model.InSpan(month))
                out += CsvDecimal(line.values[static_cast<std::size_t>(month)]);
        }
        out += ',';
        if (figures)
            out += CsvDecimal(line.total);
        if (model.percentColumn) {
            out += ',';
            if (figures && line.percent)
                out += CsvDecimal(*line.percent);
        }
        out += "\r\n";
    }
    return out;
}

StatementCsvResult ExportStatementCsv(CMainDoc& doc, Edition edition, int scenario, int company,
                                      int year) {
    StatementCsvResult result;
    if (!doc.root)
        return result;
    doc.RecalculateIfChanged();
    const StatementSelection selection =
        ResolveStatementSelection(doc.Root(), edition, scenario, company, year);
    if (!selection.Drawable())
        return result;
    if (selection.graphsPage) {
        result.status = StatementCsvResult::Status::GraphsPage;
        return result;
    }
    result.status = StatementCsvResult::Status::Written;
    result.text = StatementCsv(BuildStatementModel(doc.Root(), selection, edition));
    return result;
}
