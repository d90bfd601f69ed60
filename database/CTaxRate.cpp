#include "database/CTaxRate.h"

#include <memory>

#include "database/Archive.h"

namespace Database {

namespace {

// Records before 1.1 held one rate; it applies from the earliest date a forecast can have.
constexpr std::int32_t kLegacyYear = 1950;

} // namespace

void CTaxRate::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.IsLoading())
        SubRates.Clear();
    const double version = ar.Version(kVersion);
    if (version >= 1.1) {
        ar.String(Code);
        ar.List(SubRates);
    } else if (version >= 1.0) {
        ReadLegacy(ar);
    }
}

void CTaxRate::ReadLegacy(Archive& ar) {
    ar.String(Code);
    if (ar.IsStoring()) {
        // The older layout holds one value: the first dated one stands for the rate.
        Amount value = SubRates.Empty() ? 0 : SubRates.At(0).Value;
        ar.Money(value);
        return;
    }
    Amount value = 0;
    ar.Money(value);
    SubRates.Clear();
    SubRates.Append(std::make_unique<CTaxSubRate>(kLegacyYear, 0, value));
}

Amount CTaxRate::RateInEffect(int year, int month) const {
    // The list order decides between several qualifying entries, not their dates.
    Amount value = 0;
    for (const auto& sub : SubRates)
        if (sub->Year < year || (sub->Year == year && month >= sub->Month))
            value = sub->Value;
    return value;
}

void CTaxRate::CopyFrom(const CTaxRate& other) {
    if (&other == this)
        return;
    Code = other.Code;
    SubRates.Clear();
    for (const auto& sub : other.SubRates)
        SubRates.Append(std::make_unique<CTaxSubRate>(sub->Year, sub->Month, sub->Value));
}

} // namespace Database
