#pragma once

#include "core/Amount.h"
#include "core/WideText.h"

namespace Database {
class CDisplaySettings;
}

// How the statements, their graphs' axis labels and the measuring of their columns write an
// amount: the statement's text of it, with or without cents and brackets.
namespace Display {

Text MoneyText(Amount amount, bool cents, bool brackets);
// In the year's cents and brackets choices.
Text MoneyText(const Database::CDisplaySettings& display, Amount amount);

} // namespace Display
