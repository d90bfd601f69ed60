#include "database/CScenario.h"

#include <memory>

#include "database/Archive.h"

namespace Database {

void CScenario::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.IsLoading())
        companies.Clear();
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.Int32(weight);
    ar.List(companies);
}

int CScenario::HiddenCompanyCount() const {
    int count = 0;
    for (const auto& company : companies)
        if (company->IsHidden())
            ++count;
    return count;
}

CObject* CScenario::ObjectAt(const LayoutKey& key) {
    if (key[LayoutKey::kCompany] == LayoutKey::kNoEntry)
        return this;
    return Company(key[LayoutKey::kCompany]).ObjectAt(key);
}

bool CScenario::Merge(const CScenario* source, int p, bool copyIdentity) {
    if (!source)
        return true;
    if (source == this)
        return false;
    if (copyIdentity) {
        name = source->name;
        weight = source->weight;
    }

    // Element k of the list is company k - 1: the combined company comes first.
    for (int k = 0; k < source->CompanyCount(); ++k) {
        const CCompany& from = source->Company(k - 1);
        if (CCompany* to = FindCompany(k - 1)) {
            if (to->Merge(&from, p, 1, copyIdentity))
                return true;
            continue;
        }
        auto created = std::make_unique<CCompany>();
        if (created->Merge(&from, p, 1, copyIdentity))
            return true;
        companies.Append(std::move(created));
    }

    // With a single real company the combined one repeats it: hide it.
    if (CompanyCount() == 2)
        Company(-1).SetHidden(true);
    return false;
}

} // namespace Database
