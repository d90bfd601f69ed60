#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

// Money, rates and percentages are whole hundredths held in 64 bits.
using Amount = std::int64_t;

// Converts a double to an amount by truncation toward zero. NaN gives 0; values outside the
// 64-bit range are clamped, so no stored or computed double can cause undefined behaviour.
// Inline, as are the scalings below: the calculation runs them for every month of every row.
inline Amount TruncToAmount(double value) {
    // 2^63 is exactly representable; anything at or beyond it does not fit. NaN fails the
    // comparison, so the common case costs one test.
    constexpr double limit = 9223372036854775808.0;
    if (std::fabs(value) < limit) [[likely]]
        return static_cast<Amount>(value);
    if (value >= limit)
        return std::numeric_limits<Amount>::max();
    if (value <= -limit)
        return std::numeric_limits<Amount>::min();
    return 0;
}

// Reads an amount from its file form: trunc(value × 100.0).
Amount AmountFromFile(double value);

// The file form of an amount: amount × 0.01.
double AmountToFile(Amount amount);

// The exact product of two amounts as a double: formed in 128 bits, so it cannot overflow,
// and converted once. Where the product fits in 64 bits it is converted from there: the same
// exact integer rounded once either way, without the slower 128-bit conversion.
inline double ExactProduct(Amount a, Amount b) {
    Amount narrow = 0;
    if (!__builtin_mul_overflow(a, b, &narrow)) [[likely]]
        return static_cast<double>(narrow);
    return static_cast<double>(static_cast<__int128>(a) * static_cast<__int128>(b));
}

// trunc(a × b × factor): the integer product formed exactly, then scaled in floating point.
inline Amount MulTrunc(Amount a, Amount b, double factor) {
    return TruncToAmount(ExactProduct(a, b) * factor);
}

// trunc(value × factor), evaluated in double precision.
inline Amount ScaleTrunc(Amount value, double factor) {
    return TruncToAmount(static_cast<double>(value) * factor);
}

// floor(value × factor + 0.5): rounding half up, as a row's Scale does.
inline Amount ScaleRound(Amount value, double factor) {
    const double x = static_cast<double>(value) * factor + 0.5;
    constexpr double limit = 9223372036854775808.0;
    if (std::fabs(x) < limit) [[likely]] {
        // floor in integers: the truncation converts back exactly, and is one too large just
        // when x is a negative non-integer (then |x| < 2^52, so subtracting cannot overflow).
        const Amount truncated = static_cast<Amount>(x);
        return static_cast<double>(truncated) > x ? truncated - 1 : truncated;
    }
    return TruncToAmount(std::floor(x));
}

// Sums, differences and negations of amounts stop at the ends of the 64-bit range instead of
// overflowing: figures read from a damaged file may lie near them, and no arithmetic on them may
// be undefined. Inline: the calculation adds for every month of every row.
inline Amount SaturatingAdd(Amount a, Amount b) {
    Amount sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) [[unlikely]]
        return b > 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
    return sum;
}
inline Amount SaturatingSub(Amount a, Amount b) {
    Amount difference = 0;
    if (__builtin_sub_overflow(a, b, &difference)) [[unlikely]]
        return b < 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
    return difference;
}
inline Amount SaturatingNegate(Amount value) {
    return SaturatingSub(0, value);
}
// The amount with a row's sign: negated for a negative sign, as it is otherwise.
inline Amount SaturatingTimes(Amount value, int sign) {
    return sign >= 0 ? value : SaturatingNegate(value);
}

// amount × 10000 ÷ base truncated toward zero (a percentage in hundredths of a point), exact
// for every amount and clamped to the amount range; base must not be 0.
Amount PercentOf(Amount amount, Amount base);

// The statement's text of an amount (separator ",", point "."; "-  " for zero).
std::string AmountText(Amount amount, bool cents, bool brackets);

// The plain text of an amount that exports write for other programs to read: units, "." and
// two decimals, a leading "-" for a negative, no separators ("-1234.50", "0.00"); exact for
// every amount.
std::string DecimalAmountText(Amount amount);
