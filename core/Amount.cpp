#include "core/Amount.h"

#include <cmath>
#include <cstdio>
#include <limits>

Amount TruncToAmount(double value) {
    if (std::isnan(value))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<Amount>::max();
    if (value <= -limit)
        return std::numeric_limits<Amount>::min();
    return static_cast<Amount>(value);
}

Amount AmountFromFile(double value) { return TruncToAmount(value * 100.0); }

double AmountToFile(Amount amount) { return static_cast<double>(amount) * 0.01; }

double ExactProduct(Amount a, Amount b) {
    return static_cast<double>(static_cast<__int128>(a) * static_cast<__int128>(b));
}

Amount MulTrunc(Amount a, Amount b, double factor) { return TruncToAmount(ExactProduct(a, b) * factor); }

Amount ScaleTrunc(Amount value, double factor) {
    return TruncToAmount(static_cast<double>(value) * factor);
}

Amount ScaleRound(Amount value, double factor) {
    return TruncToAmount(std::floor(static_cast<double>(value) * factor + 0.5));
}

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
