#include "database/CBase.h"

#include "database/Archive.h"

namespace Database {

void CBase::Serialize(Archive& ar) {
    const double version = ar.Version(kVersion);
    if (version >= 1.0) {
        ar.String(name);
        ar.Flag(hidden);
    }
    if (version >= 1.1)
        ar.Int32(value);
}

} // namespace Database
