#include "statement/StatementCsv.h"

#include "database/CPERT.h"
#include "document/CMainDoc.h"

namespace Statement {
namespace {

constexpr const char* kMonthNames[kMonths] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

const char* CsvMonthName(int month) {
    return kMonthNames[((month % kMonths) + kMonths) % kMonths];
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
                out += DecimalAmountText(line.values[static_cast<std::size_t>(month)]);
        }
        out += ',';
        if (figures)
            out += DecimalAmountText(line.total);
        if (model.percentColumn) {
            out += ',';
            if (figures && line.percent)
                out += DecimalAmountText(*line.percent);
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

} // namespace Statement
