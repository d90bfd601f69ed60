#pragma once

#include "core/ObjectList.h"
#include "database/CTaxSubRate.h"

namespace Database {

// A tax rate: a code and its history of dated values.
class CTaxRate : public CBase {
public:
    static constexpr double kVersion = 1.1;

    const char* ClassName() const override { return "CTaxRate"; }
    void Serialize(Archive& ar) override;
    // Reads the older layout: code and one rate, without the base part.
    void ReadLegacy(Archive& ar);

    Text DisplayName() const override { return Code; }

    // The value in effect at a calendar year and month (0 without a qualifying sub-rate).
    Amount RateInEffect(int year, int month) const;
    // Takes the code and deep copies of the sub-rates.
    void CopyFrom(const CTaxRate& other);

    ::Text Code = u"N";
    ObjectList<CTaxSubRate> SubRates;
};

} // namespace Database
