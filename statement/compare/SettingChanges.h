#pragma once

#include <vector>

#include "statement/compare/ForecastComparison.h"

namespace Database {
class CPERT;
}

namespace Statement {

// The settings that change figures and differ between two versions: scenario and company
// weights, tax setups and their rates, the bank's limits, rates and interest switches, the rates
// and sides of loans and investments, a year's start month and month count. Views, scenarios,
// companies, years, taxes and rows match by name in order of occurrence; the first `views` views
// are compared (a Standard or Basic statement reads the first alone).
std::vector<SettingChange> CompareSettings(const Database::CPERT& older,
                                           const Database::CPERT& newer, int views);

} // namespace Statement
