#pragma once

#include <cstdint>
#include <string>

// Money, rates and percentages are whole hundredths held in 64 bits.
using Amount = std::int64_t;

// Converts a double to an amount by truncation toward zero. NaN gives 0; values outside the
// 64-bit range are clamped, so no stored or computed double can cause undefined behaviour.
Amount TruncToAmount(double value);

// Reads an amount from its file form: trunc(value × 100.0).
Amount AmountFromFile(double value);

// The file form of an amount: amount × 0.01.
double AmountToFile(Amount amount);

// The exact product of two amounts as a double: formed in 128 bits, so it cannot overflow,
// and converted once (identical to the 64-bit product wherever that one fits).
double ExactProduct(Amount a, Amount b);

// trunc(a × b × factor): the integer product formed exactly, then scaled in floating point.
Amount MulTrunc(Amount a, Amount b, double factor);

// trunc(value × factor), evaluated in double precision.
Amount ScaleTrunc(Amount value, double factor);

// floor(value × factor + 0.5): rounding half up, as a row's Scale does.
Amount ScaleRound(Amount value, double factor);

// The statement's text of an amount (separator ",", point "."; "-  " for zero).
std::string AmountText(Amount amount, bool cents, bool brackets);
