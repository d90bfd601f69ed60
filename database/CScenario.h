#pragma once

#include <cstdint>

#include "core/ObjectList.h"
#include "database/CBase.h"
#include "database/CCompany.h"
#include "database/LayoutKey.h"

namespace Database {

// A scenario of a view. Its company list starts with the combined company, addressed as -1.
class CScenario : public CBase {
public:
    static constexpr double kVersion = 1.0;

    const char* ClassName() const override { return "CScenario"; }
    void Serialize(Archive& ar) override;

    // The company at index -1 ... count - 2; fails with "Not Found".
    CCompany& Company(int index) const { return companies.At(static_cast<long long>(index) + 1); }
    CCompany* FindCompany(int index) const { return companies.Find(static_cast<long long>(index) + 1); }
    // List count, combined entry included.
    int CompanyCount() const { return static_cast<int>(companies.Count()); }
    int HiddenCompanyCount() const;

    // The object at a key, continued at level 2.
    CObject* ObjectAt(const LayoutKey& key);

    // Merges a source scenario into this one; true on failure.
    bool Merge(const CScenario* source, int p, bool copyIdentity);

    std::int32_t weight = 0;
    ObjectList<CCompany> companies;
};

} // namespace Database
