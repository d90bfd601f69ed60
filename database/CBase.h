#pragma once

#include <cstdint>

#include "core/WideText.h"
#include "database/CObject.h"

namespace Database {

// The base of every named forecast object: name, hidden flag and a carried 32-bit value.
class CBase : public CObject {
public:
    static constexpr double kVersion = 1.1;

    const char* ClassName() const override { return "CBase"; }
    void Serialize(Archive& ar) override;

    void SetHidden(bool flag) { hidden = flag; }
    bool IsHidden() const { return hidden; }
    // The name shown for the object (a year shows its number, a tax rate its code).
    virtual Text DisplayName() const { return name; }

    Text name = u" ";
    bool hidden = false;
    std::int32_t value = 0;
};

} // namespace Database
