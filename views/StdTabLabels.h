#pragma once

#include <vector>

#include "core/WideText.h"
#include "document/Edition.h"
#include "statement/StatementModel.h"

// The labels of the Standard and Basic tab rows for a resolved selection: the scenarios with
// their weights and the companies, each row led by its combined entry when it has more than one
// real entry, then the years followed by "Graphs". The Basic edition has the years alone.
struct StdTabLabels {
    std::vector<Text> scenarios;
    std::vector<Text> companies;
    std::vector<Text> years;
    // How many tabs stand before real entry 0 of the row (the combined entry's, or none).
    int scenarioOffset = 0;
    int companyOffset = 0;
};

StdTabLabels MakeStdTabLabels(const Statement::StatementSelection& selection, Edition edition);
