#pragma once

#include "database/LayoutKey.h"

namespace Database {
class CPERT;
class CTabView;
class CScenario;
class CCompany;
class CYear;
class CGraphSettings;
} // namespace Database

// The forecast objects along the Advanced view's current key, each null when the key does not
// reach it.
struct AdvKeyObjects {
    const Database::CTabView* view = nullptr;
    const Database::CScenario* scenario = nullptr;
    const Database::CCompany* company = nullptr;
    const Database::CYear* year = nullptr;
    const Database::CGraphSettings* graph = nullptr;
};

// The key the Advanced view shows after a load: view 0, the combined scenario, the consolidated
// company, year 0 and no graph (row levels empty).
LayoutKey AdvInitialKey();

// The key made to resolve against the forecast: a level whose entry is missing or hidden falls
// back to the first shown entry of its list (the combined entry first), level by level; a graph
// that is missing or hidden falls back to the year's statement. Levels below one that has no
// shown entry at all become empty. The row levels are always emptied.
LayoutKey ResolveAdvKey(const Database::CPERT& root, LayoutKey key);

// The objects a key reaches, without falling back.
AdvKeyObjects AdvKeyTargets(const Database::CPERT& root, const LayoutKey& key);
