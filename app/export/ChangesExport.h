#pragma once

#include <ostream>

#include <QString>

#include "document/Edition.h"

// What `--export changes OLDER NEWER` was asked for.
struct ChangesRequest {
    QString older;
    QString newer;
    QString output; // empty: CSV to standard output; a name ending in .xlsx: a workbook
    Edition edition = Edition::Standard;
    bool failOnChange = false;
};

// Exit statuses of the changes export.
enum ChangesStatus {
    kChangesWritten = 0,
    kChangesUnreadable = 1, // either version cannot be read, or OUT cannot be written
    kChangesBadCommand = 2,
    kChangesFound = 3, // written, and something changed (--fail-on-change)
};

// Loads and recalculates both versions, compares them and writes the changes. Reports go to
// `err`: which version could not be read with the reader's own messages.
int ExportChanges(const ChangesRequest& request, std::ostream& out, std::ostream& err);
