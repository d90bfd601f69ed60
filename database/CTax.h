#pragma once

#include <array>
#include <cstdint>

#include "core/Amount.h"
#include "core/WideText.h"
#include "database/CObject.h"

namespace Database {

// A tax record the editing product may store; the viewer reads and keeps it.
class CTax : public CObject {
public:
    const char* ClassName() const override { return "CTax"; }
    void Serialize(Archive& ar) override;

    ::Text label; // not persisted
    std::array<std::int32_t, 3> FirstCodes{1, 2, 3};
    std::array<Amount, 2> FirstAmounts{};
    std::array<std::int32_t, 3> SecondCodes{1, 2, 3};
    std::array<Amount, 2> SecondAmounts{};
};

} // namespace Database
