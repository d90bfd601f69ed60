#pragma once

#include <cstdint>

#include "core/ObjectList.h"
#include "database/CTaxRate.h"

namespace Database {

// One sales tax of a company: its rates and how its periods are settled.
class CTaxSetup : public CBase {
public:
    static constexpr double kVersion = 1.0;

    CTaxSetup() { name = u"Tax"; }

    const char* ClassName() const override { return "CTaxSetup"; }
    void Serialize(Archive& ar) override;

    // The rate at an index, or none.
    CTaxRate* Rate(int index) const { return Rates.Find(index); }
    // Replaces the rates by copies of the other's, then copies name and settlement fields.
    // Returns true when a copy could not be made.
    bool CopyFrom(const CTaxSetup& other);

    ObjectList<CTaxRate> Rates;
    std::int32_t PeriodStart = 0;
    std::int32_t PeriodLength = 1;
    std::int32_t PaymentDelay = 0;
    bool Compound = false;
};

} // namespace Database
