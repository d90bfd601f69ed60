#pragma once

#include <optional>
#include <string>

#include "database/LayoutKey.h"
#include "statement/AdvOutline.h"

class CMainDoc;

// The Advanced statement for the headless exports. Free of the layout objects' headers, so the
// command line can include it beside the GUI application's.

// What an export asks for: each level unset takes the key the window shows after a load.
struct AdvRequest {
    std::optional<int> view;
    std::optional<int> scenario;
    std::optional<int> company;
    std::optional<int> year;
    std::optional<int> graph;
    Statement::AdvOutline outline = Statement::AdvOutline::File;
};

// The key of the request, each given index checked against the list the level above selects
// as the file stores it (-1 for a combined entry). Returns the reason when one is outside its
// list; hidden entries are left for the view's fallback.
std::optional<std::string> CheckAdvRequest(const CMainDoc& doc, const AdvRequest& request,
                                           LayoutKey& key);

// What exporting a key came to.
struct AdvCsvResult {
    enum class Status {
        Written,   // `text` holds the statement
        GraphPage, // the key shows a graph page, which has no statement
        Nothing,   // the key reaches no year
    };
    Status status = Status::Nothing;
    std::string text;
};

// Builds, arranges and writes the statement of the key (falling back as the window does) with
// sections opened as `outline` says.
AdvCsvResult ExportAdvStatementCsv(CMainDoc& doc, const LayoutKey& key, Statement::AdvOutline outline);
