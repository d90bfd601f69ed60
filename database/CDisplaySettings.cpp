#include "database/CDisplaySettings.h"

#include "database/Archive.h"

namespace Database {

CDisplaySettings::CDisplaySettings() {
    // A new year shows every month of every kind.
    showActual.fill(true);
    showExpected.fill(true);
    showVariance.fill(true);
}

void CDisplaySettings::Serialize(Archive& ar) {
    const double version = ar.Version(kVersion);
    if (version >= 1.0) {
        ar.Flag(taxExclusive);
        ar.Flag(brackets);
        ar.Flag(cents);
        ar.Flag(includeHidden);
        ar.Flag(totalExpected);
        ar.Flag(percentageExpected);
        ar.Flag(totalActual);
        ar.Flag(percentageActual);
        ar.Flag(totalVariance);
        ar.Flag(percentageVariance);
        ar.Flag(extraA);
        ar.Flag(extraB);
        for (int m = 0; m < kMonths; ++m) {
            ar.Flag(showActual[m]);
            ar.Flag(showExpected[m]);
            ar.Flag(showVariance[m]);
        }
    }
}

void CDisplaySettings::CopyFrom(const CDisplaySettings& other) {
    // includeHidden stays this year's own choice.
    taxExclusive = other.taxExclusive;
    brackets = other.brackets;
    cents = other.cents;
    showActual = other.showActual;
    showExpected = other.showExpected;
    showVariance = other.showVariance;
    totalExpected = other.totalExpected;
    percentageExpected = other.percentageExpected;
    totalActual = other.totalActual;
    percentageActual = other.percentageActual;
    totalVariance = other.totalVariance;
    percentageVariance = other.percentageVariance;
    extraA = other.extraA;
    extraB = other.extraB;
}

bool CDisplaySettings::ActualMonth(int month) const {
    return IsMonth(month) && (showActual[month] || includeHidden);
}

bool CDisplaySettings::ExpectedMonth(int month) const {
    return IsMonth(month) && (showExpected[month] || includeHidden);
}

std::string CDisplaySettings::AmountText(Amount amount) const {
    return ::AmountText(amount, cents, brackets);
}

} // namespace Database
