#pragma once

#include <string>
#include <vector>

// Worksheet names from tab paths, as spreadsheet programs accept them: the path's parts joined
// with '-' (leaving out a part every path of several has in the same place), each of []:*?/\ and
// control characters replaced by '_', no apostrophe at either end, at most 31 UTF-16 units (the
// longest parts shortened first), never empty, and unique without regard to case (a repeated name
// gets " (2)", " (3)", ...).
std::vector<std::string> SheetNames(const std::vector<std::vector<std::string>>& paths);
