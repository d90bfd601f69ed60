#include "display/MoneyText.h"

#include "database/CDisplaySettings.h"

namespace Display {

Text MoneyText(Amount amount, bool cents, bool brackets) {
    return Ascii(AmountText(amount, cents, brackets));
}

Text MoneyText(const Database::CDisplaySettings& display, Amount amount) {
    return Ascii(display.AmountText(amount));
}

} // namespace Display
