#pragma once

#include "core/Amount.h"
#include "core/Months.h"
#include "database/CObject.h"

namespace Database {

// Sub-column kinds of the statement.
enum SubColumn { kActual = 0, kExpected = 1, kVariance = 2 };
// The three in order, for walking them.
inline constexpr SubColumn kSubColumns[3] = {kActual, kExpected, kVariance};

// A year's display choices: which columns show, how amounts are written, and which months count.
// Stored in place inside the year record (no object tag).
class CDisplaySettings : public CObject {
public:
    static constexpr double kVersion = 1.0;

    CDisplaySettings();

    const char* ClassName() const override { return "CDisplaySettings"; }
    void Serialize(Archive& ar) override;

    // Takes every flag of the other except include hidden columns.
    void CopyFrom(const CDisplaySettings& other);

    // A month counts for a kind when its show flag or the include-hidden-columns flag is set.
    bool ActualMonth(int month) const;
    bool ExpectedMonth(int month) const;

    // The amount text with this object's cents and brackets flags.
    std::string AmountText(Amount amount) const;

    bool taxExclusive = true;
    bool brackets = true;
    bool cents = true;
    bool includeHidden = true;
    MonthFlags showActual;
    MonthFlags showExpected;
    MonthFlags showVariance;
    bool totalExpected = true;
    bool percentageExpected = true;
    bool totalActual = true;
    bool percentageActual = true;
    bool totalVariance = true;
    bool percentageVariance = true;
    bool extraA = false;
    bool extraB = false;
};

} // namespace Database
