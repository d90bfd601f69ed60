#include "statement/StatementCsv.h"

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "statement/StatementTable.h"

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
    return TableCsv(BuildStatementTable(model, {}));
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
