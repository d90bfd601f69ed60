#include "database/CTaxSetup.h"

#include <memory>
#include <new>

#include "database/Archive.h"

namespace Database {

void CTaxSetup::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.IsLoading())
        Rates.Clear();
    const double version = ar.Version(kVersion);
    if (version >= 1.0) {
        ar.Int32(PeriodStart);
        ar.Int32(PeriodLength);
        ar.Int32(PaymentDelay);
        ar.Flag(Compound);
        ar.List(Rates);
    }
}

bool CTaxSetup::CopyFrom(const CTaxSetup& other) {
    if (&other == this)
        return false;
    Rates.Clear();
    try {
        for (const auto& rate : other.Rates) {
            // A new rate takes only the code and the dated values; its base part stays new.
            auto copy = std::make_unique<CTaxRate>();
            copy->CopyFrom(*rate);
            Rates.Append(std::move(copy));
        }
    } catch (const std::bad_alloc&) {
        return true;
    }
    name = other.name;
    PeriodStart = other.PeriodStart;
    PeriodLength = other.PeriodLength;
    PaymentDelay = other.PaymentDelay;
    Compound = other.Compound;
    return false;
}

} // namespace Database
