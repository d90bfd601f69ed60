#include "core/Amount.h"

#include <cmath>
#include <cstdio>

Amount AmountFromFile(double value) { return TruncToAmount(value * 100.0); }

double AmountToFile(Amount amount) { return static_cast<double>(amount) * 0.01; }

std::string AmountText(Amount amount, bool cents, bool brackets) {
    if (amount == 0)
        return "-  ";
    const double x = static_cast<double>(amount) * 0.01;
    char buffer[400];
    // Whole units round halves away from zero, which printf's own rounding does not promise.
    if (cents)
        std::snprintf(buffer, sizeof buffer, "%0.2f", x);
    else
        std::snprintf(buffer, sizeof buffer, "%0.0f", std::round(x));
    std::string text = buffer;
    std::size_t p = cents ? text.size() - 3 : text.size();
    const std::size_t digitsBefore = amount < 0 ? 4 : 3;
    while (p > digitsBefore) {
        p -= 3;
        text.insert(p, ",");
    }
    if (brackets) {
        if (amount < 0)
            text = "(" + text.substr(1) + ")";
        else
            text += " ";
    }
    return text;
}
