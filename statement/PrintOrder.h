#pragma once

#include <vector>

#include "database/LayoutKey.h"

namespace Database {
class CPERT;
class CYear;
} // namespace Database

namespace Statement {

// Whether a walk of the forecast passes over hidden views, scenarios, companies and years.
enum class HiddenEntries { Included, Skipped };

// One year of the forecast as the Advanced view addresses it (combined entries as -1).
struct YearInPrintOrder {
    LayoutKey key;
    const Database::CYear* year = nullptr;
};

// Every year of the forecast in print order: each view, its scenarios (the combined one first),
// their companies (the consolidated one first), their years. Printing and the exports of every
// statement walk it.
std::vector<YearInPrintOrder> YearsInPrintOrder(const Database::CPERT& root, HiddenEntries hidden);

} // namespace Statement
