#include "core/Amount.h"

#include <cmath>
#include <cstdio>

Amount AmountFromFile(double value) { return TruncToAmount(value * 100.0); }

double AmountToFile(Amount amount) { return static_cast<double>(amount) * 0.01; }

namespace {

// Below 10^15 hundredths the text is formed in integers: there the hundredths scaled by 0.01
// lie within 0.003 of their exact value, so the printed decimals are the exact ones, and whole
// units round halves away from zero alike (0.01 as a double is a little above 0.01, so a half
// never falls below its half). Statements format every figure of every row; this keeps that
// cheap.
constexpr Amount kIntegerTextLimit = 1'000'000'000'000'000;

std::string IntegerAmountText(Amount amount, bool cents, bool brackets) {
    const bool negative = amount < 0;
    const Amount magnitude = negative ? -amount : amount;
    Amount units = cents ? magnitude / 100 : (magnitude + 50) / 100;
    char digits[32];
    int at = sizeof digits;
    digits[--at] = '\0';
    if (cents) {
        const Amount hundredths = magnitude % 100;
        digits[--at] = static_cast<char>('0' + hundredths % 10);
        digits[--at] = static_cast<char>('0' + hundredths / 10);
        digits[--at] = '.';
    }
    int grouped = 0;
    do {
        if (grouped == 3) {
            digits[--at] = ',';
            grouped = 0;
        }
        digits[--at] = static_cast<char>('0' + units % 10);
        units /= 10;
        ++grouped;
    } while (units != 0);
    std::string text;
    text.reserve(20);
    if (negative)
        text += brackets ? '(' : '-';
    text += &digits[at];
    if (brackets)
        text += negative ? ')' : ' ';
    return text;
}

} // namespace

std::string AmountText(Amount amount, bool cents, bool brackets) {
    if (amount == 0)
        return "-  ";
    if (amount > -kIntegerTextLimit && amount < kIntegerTextLimit)
        return IntegerAmountText(amount, cents, brackets);
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
