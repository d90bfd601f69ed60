#include "core/Amount.h"

#include <cmath>
#include <cstdint>
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

// Writes `units`, grouped by threes with "," when asked, and then "." and `hundredths` when
// there are any (0-99), backwards so that the last character lands just before `end`. Returns
// where the text begins; 32 characters hold any 64-bit magnitude.
char* WriteMagnitude(char* end, std::uint64_t units, int hundredths, bool grouped) {
    char* at = end;
    if (hundredths >= 0) {
        *--at = static_cast<char>('0' + hundredths % 10);
        *--at = static_cast<char>('0' + hundredths / 10);
        *--at = '.';
    }
    int inGroup = 0;
    do {
        if (grouped && inGroup == 3) {
            *--at = ',';
            inGroup = 0;
        }
        *--at = static_cast<char>('0' + units % 10);
        units /= 10;
        ++inGroup;
    } while (units != 0);
    return at;
}

// The magnitude is taken unsigned so the most negative amount has one too.
std::uint64_t Magnitude(Amount amount) {
    return amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
}

std::string IntegerAmountText(Amount amount, bool cents, bool brackets) {
    const bool negative = amount < 0;
    const std::uint64_t magnitude = Magnitude(amount);
    const std::uint64_t units = cents ? magnitude / 100 : (magnitude + 50) / 100;
    char digits[32];
    char* const end = digits + sizeof digits;
    char* begin = WriteMagnitude(end, units, cents ? static_cast<int>(magnitude % 100) : -1, true);
    std::string text;
    text.reserve(20);
    if (negative)
        text += brackets ? '(' : '-';
    text.append(begin, end);
    if (brackets)
        text += negative ? ')' : ' ';
    return text;
}

} // namespace

Amount PercentOf(Amount amount, Amount base) {
    Amount scaled = 0;
    if (!__builtin_mul_overflow(amount, Amount{10000}, &scaled)) [[likely]]
        return scaled / base; // a multiple of 10000 is never the most negative amount
    const __int128 quotient = static_cast<__int128>(amount) * 10000 / base;
    if (quotient > std::numeric_limits<Amount>::max())
        return std::numeric_limits<Amount>::max();
    if (quotient < std::numeric_limits<Amount>::min())
        return std::numeric_limits<Amount>::min();
    return static_cast<Amount>(quotient);
}

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

std::string DecimalAmountText(Amount amount) {
    const std::uint64_t magnitude = Magnitude(amount);
    char digits[32];
    char* const end = digits + sizeof digits;
    char* begin = WriteMagnitude(end, magnitude / 100, static_cast<int>(magnitude % 100), false);
    std::string text = amount < 0 ? "-" : "";
    text.append(begin, end);
    return text;
}
