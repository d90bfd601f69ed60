#include "database/CTaxSubRate.h"

#include "database/Archive.h"

namespace Database {

void CTaxSubRate::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    const double version = ar.Version(kVersion);
    if (version >= 1.0) {
        ar.Int32(Year);
        ar.Int32(Month);
        ar.Money(Value);
    }
}

} // namespace Database
