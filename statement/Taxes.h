#pragma once

#include <vector>

#include "core/WideText.h"

namespace Database {
class CPERT;
class CTaxSetup;
} // namespace Database

namespace Statement {

// The forecast's taxes as the statements name them: the tax setups the root gives for the first
// view, in order.
std::vector<const Database::CTaxSetup*> DocumentTaxes(const Database::CPERT& root);

// Their names joined by "/" (empty without any): the text the summary rows and the tax section
// of the Advanced statement add.
Text TaxText(const Database::CPERT& root);

} // namespace Statement
