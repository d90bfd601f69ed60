#include "views/StatementCsv.h"

#include <cstdint>

#include "database/CPERT.h"
#include "document/CMainDoc.h"

namespace {

constexpr const char* kMonthNames[kMonths] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Hundredths as units with two decimals; the magnitude is taken unsigned so the most negative
// amount has one too.
std::string Decimal(Amount amount) {
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

// A field quoted when it holds a separator, a quote or a line break.
std::string Field(const std::string& text) {
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

} // namespace

std::string StatementCsv(const StatementModel& model) {
    std::string out = "Line";
    for (int position = 0; position < kMonths; ++position) {
        out += ',';
        out += kMonthNames[model.MonthAt(position)];
    }
    out += ",Total";
    if (model.percentColumn)
        out += ",%";
    out += "\r\n";

    for (const StatementLine& line : model.lines) {
        if (line.kind == StatementLine::Kind::Spacer || line.kind == StatementLine::Kind::Hidden)
            continue;
        out += Field(ToUtf8(line.label));
        const bool figures = line.HasFigures();
        for (int position = 0; position < kMonths; ++position) {
            out += ',';
            const int month = model.MonthAt(position);
            if (figures && model.InSpan(month))
                out += Decimal(line.values[static_cast<std::size_t>(month)]);
        }
        out += ',';
        if (figures)
            out += Decimal(line.total);
        if (model.percentColumn) {
            out += ',';
            if (figures && line.percent)
                out += Decimal(*line.percent);
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
    doc.Root().Recalculate();
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
