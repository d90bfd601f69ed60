#include "database/CTabView.h"

#include <cstdint>

#include "database/Archive.h"
#include "database/Categories.h"

namespace Database {
namespace {

// The rows one merge of this scenario can create: its own, and the bank and totals that every
// year a merge creates starts with.
std::uint64_t MergeRows(const CScenario& scenario) {
    std::uint64_t rows = 0;
    for (const auto& company : scenario.companies) {
        for (const auto& year : company->years) {
            rows += 1 + kTotalRows;
            for (int g = 0; g < kCategories; ++g)
                rows += static_cast<std::uint64_t>(year->ItemCount(g));
        }
    }
    return rows;
}

} // namespace

void CTabView::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.IsLoading()) {
        scenarios.Clear();
        // Not stored with the view: only an old root record supplies another value.
        taxExclusive = 1;
    }
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.List(scenarios);
}

void CTabView::ReadSingleView(Archive& ar) {
    ar.List(scenarios);
    if (ar.IsStoring())
        return;

    // Old files kept the shape and the actual figures in the first real scenario only; spread
    // them to the combined entries and the other scenarios.
    try {
        if (ScenarioCount() < 2)
            return;
        CScenario& first = Scenario(0);
        // The conversion copies the first scenario once per scenario: a small damaged file
        // could otherwise ask for more rows than memory holds.
        if (MergeRows(first) * static_cast<std::uint64_t>(ScenarioCount()) > kMaxConvertedRows)
            return;
        if (first.CompanyCount() > 0)
            first.Company(-1).Merge(&first.Company(0), 0, 0, false);
        Scenario(-1).Merge(&first, 0, false);
        for (int i = 1; i < ScenarioCount() - 1; ++i)
            Scenario(i).Merge(&first, 0, false);
    } catch (const TextFailure& failure) {
        if (failure.Text() != kNotFound)
            throw;
        // A missing entry ends the conversion; what was converted stays.
    }
}

int CTabView::HiddenScenarioCount() const {
    int count = 0;
    for (const auto& scenario : scenarios)
        if (scenario->IsHidden())
            ++count;
    return count;
}

CObject* CTabView::ObjectAt(const LayoutKey& key) {
    if (key[LayoutKey::kScenario] == LayoutKey::kNoEntry)
        return this;
    return Scenario(key[LayoutKey::kScenario]).ObjectAt(key);
}

} // namespace Database
