#pragma once

#include <string>

#include "statement/StatementModel.h"

class CMainDoc;

namespace Statement {

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text);
// The English three-letter name of a calendar month (0 = "Jan").
const char* CsvMonthName(int month);

// The statement as CSV text (RFC 4180, UTF-8, CRLF line ends): a header row `Line`, the twelve
// month headings from the year's start month, `Total` and `%` when the percentage column is
// shown, then one record per drawn line in drawing order. Figures are written in currency units
// with two decimals and a leading '-', whatever the brackets and cents settings; cells where
// the line draws nothing are empty.
std::string StatementCsv(const StatementModel& model);

// What exporting a selection came to.
struct StatementCsvResult {
    enum class Status {
        Written,    // `text` holds the statement
        GraphsPage, // the selection is the graphs page, which has no statement
        Nothing,    // the forecast has no scenario or company to show
    };
    Status status = Status::Nothing;
    std::string text;
};

// Recalculates the forecast as a drawing pass does, applies the view's selection rules to the
// given indices and writes the chosen year's statement.
StatementCsvResult ExportStatementCsv(CMainDoc& doc, Edition edition, int scenario, int company,
                                      int year);

} // namespace Statement
