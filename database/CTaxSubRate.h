#pragma once

#include <cstdint>

#include "core/Amount.h"
#include "database/CBase.h"

namespace Database {

// One dated value of a tax rate: it applies from (Year, Month) on.
class CTaxSubRate : public CBase {
public:
    static constexpr double kVersion = 1.0;

    CTaxSubRate() = default;
    CTaxSubRate(std::int32_t year, std::int32_t month, Amount value)
        : Year(year), Month(month), Value(value) {}

    const char* ClassName() const override { return "CTaxSubRate"; }
    void Serialize(Archive& ar) override;

    std::int32_t Year = 1950;
    std::int32_t Month = 0;
    Amount Value = 0;
};

} // namespace Database
