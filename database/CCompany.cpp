#include "database/CCompany.h"

#include <memory>

#include "database/Archive.h"

namespace Database {

void CCompany::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.IsLoading()) {
        years.Clear();
        taxSetups.Clear();
    }
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    // Tax setups are stored before the years.
    ar.Double(weight);
    ar.List(taxSetups);
    ar.List(years);
    ar.String(importFile);
    ar.String(importSource);
    ar.Flag(importTaxFlag);
    matchings.Serialize(ar);
}

int CCompany::HiddenYearCount() const {
    int count = 0;
    for (const auto& y : years)
        if (y->IsHidden())
            ++count;
    return count;
}

CObject* CCompany::ObjectAt(const LayoutKey& key) {
    const std::int32_t yearIndex = key[LayoutKey::kYear];
    if (yearIndex == LayoutKey::kNoEntry) {
        if (key[LayoutKey::kGraph] == LayoutKey::kNoEntry)
            return this;
        // A graph addressed without a year belongs to the first year.
        return Year(0).ObjectAt(key);
    }
    return Year(yearIndex).ObjectAt(key);
}

bool CCompany::Merge(const CCompany* source, int p, int q, bool copyIdentity) {
    if (!source)
        return true;
    if (source == this)
        return false;
    if (copyIdentity) {
        weight = source->weight;
        name = source->name;
    }

    for (int i = 0; i < source->YearCount(); ++i) {
        const CYear& from = source->Year(i);
        if (CYear* to = FindYear(i)) {
            if (to->Merge(&from, p, q, copyIdentity))
                return true;
            continue;
        }
        auto created = std::make_unique<CYear>();
        if (created->Merge(&from, p, q, copyIdentity))
            return true;
        years.Append(std::move(created));
    }

    for (int i = 0; i < source->TaxSetupCount(); ++i) {
        const CTaxSetup& from = *source->TaxSetup(i);
        if (CTaxSetup* to = TaxSetup(i)) {
            if (to->CopyFrom(from))
                return true;
            continue;
        }
        auto created = std::make_unique<CTaxSetup>();
        if (created->CopyFrom(from))
            return true;
        taxSetups.Append(std::move(created));
    }
    return false;
}

} // namespace Database
