#pragma once

#include "core/ObjectList.h"
#include "database/CBase.h"
#include "database/CMatchingList.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/LayoutKey.h"

namespace Database {

// A company of a scenario: its years, tax setups and import matchings.
class CCompany : public CBase {
public:
    static constexpr double kVersion = 1.0;

    const char* ClassName() const override { return "CCompany"; }
    void Serialize(Archive& ar) override;

    // The year at a 0-based index; fails with "Not Found".
    CYear& Year(int index) const { return years.At(index); }
    CYear* FindYear(int index) const { return years.Find(index); }
    int YearCount() const { return static_cast<int>(years.Count()); }
    int HiddenYearCount() const;

    // The tax setup at an index, or none.
    CTaxSetup* TaxSetup(int index) const { return taxSetups.Find(index); }
    int TaxSetupCount() const { return static_cast<int>(taxSetups.Count()); }

    // The object at a key, continued at level 3.
    CObject* ObjectAt(const LayoutKey& key);

    // Merges a source company into this one; true on failure.
    bool Merge(const CCompany* source, int p, int q, bool copyIdentity);

    Text importFile;
    Text importSource = u"QuickBooks";
    bool importTaxFlag = false;
    CMatchingList matchings;
    double weight = 1.0;
    ObjectList<CYear> years;
    ObjectList<CTaxSetup> taxSetups;
};

} // namespace Database
