#pragma once

#include <string>

class CMainDoc;

// The document and its forecast tree as one JSON object (UTF-8): the settings the file carries,
// every record's fields and every figure, amounts in hundredths. The caller recalculates first
// when the computed figures are wanted.
std::string ExportJson(const CMainDoc& doc);
