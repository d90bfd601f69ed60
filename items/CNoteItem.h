#pragma once

#include <cstdint>

#include "database/CObject.h"

namespace Item {

// One link of a note to a row of the same year.
class CNoteItem : public Database::CObject {
public:
    static constexpr double kVersion = 1.0;

    CNoteItem() = default;
    CNoteItem(std::int32_t category, std::int32_t index) : Category(category), Index(index) {}

    const char* ClassName() const override { return "CNoteItem"; }
    void Serialize(Archive& ar) override;

    std::int32_t Category = -1;
    std::int32_t Index = -1;
};

} // namespace Item
