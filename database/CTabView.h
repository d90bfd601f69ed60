#pragma once

#include <cstdint>

#include "core/ObjectList.h"
#include "database/CBase.h"
#include "database/CScenario.h"
#include "database/LayoutKey.h"

namespace Database {

// One view (statement tab) of the forecast. Its scenario list starts with the combined scenario.
class CTabView : public CBase {
public:
    static constexpr double kVersion = 1.0;
    // The most rows the single-view conversion may create; beyond it the scenarios are kept
    // as read.
    static constexpr std::uint64_t kMaxConvertedRows = 1'000'000;

    const char* ClassName() const override { return "CTabView"; }
    void Serialize(Archive& ar) override;

    // Reads the single-view layout of an old root: the scenario list alone, then converts it.
    void ReadSingleView(Archive& ar);

    // The scenario at index -1 ... count - 2; fails with "Not Found".
    CScenario& Scenario(int index) const { return scenarios.At(static_cast<long long>(index) + 1); }
    CScenario* FindScenario(int index) const { return scenarios.Find(static_cast<long long>(index) + 1); }
    int ScenarioCount() const { return static_cast<int>(scenarios.Count()); }
    int HiddenScenarioCount() const;

    std::int32_t TaxExclusive() const { return taxExclusive; }

    // The object at a key, continued at level 1.
    CObject* ObjectAt(const LayoutKey& key);

    ObjectList<CScenario> scenarios;
    std::int32_t taxExclusive = 1;
};

} // namespace Database
