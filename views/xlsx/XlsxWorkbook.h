#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "statement/StatementTable.h"

namespace Database {
class CPERT;
}

// What a workbook says about itself and how its sheets print.
struct XlsxSettings {
    std::string title;   // the forecast's title
    std::string version; // the viewer's version
    // The forecast's print margins in millimetres: top, left, bottom, right.
    int marginTop = 0;
    int marginLeft = 0;
    int marginBottom = 0;
    int marginRight = 0;
};

// The settings of a workbook of the forecast `root`: its title, the viewer's version and the
// forecast's margins.
XlsxSettings XlsxSettingsOf(const Database::CPERT& root, std::string title, std::string version);

// Writes the tables as one worksheet each (named by SheetNames from their tab paths) into a
// workbook at `path`. The workbook is written to a new file beside `path` and moved over it
// only once complete, so `path` is either the whole new workbook or left as it was. Returns the
// reason when it cannot be written, empty on success.
std::string WriteXlsx(const std::filesystem::path& path,
                      const std::vector<Statement::StatementTable>& tables,
                      const XlsxSettings& settings);
