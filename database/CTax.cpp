#include "database/CTax.h"

#include "database/Archive.h"

namespace Database {

// The record has no version of its own.
void CTax::Serialize(Archive& ar) {
    for (auto& code : FirstCodes)
        ar.Int32(code);
    for (auto& amount : FirstAmounts)
        ar.Money(amount);
    for (auto& code : SecondCodes)
        ar.Int32(code);
    for (auto& amount : SecondAmounts)
        ar.Money(amount);
}

} // namespace Database
