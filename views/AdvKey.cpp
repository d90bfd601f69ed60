#include "views/AdvKey.h"

#include "database/CPERT.h"

namespace {

constexpr int kNone = LayoutKey::kNoEntry;

// The entry at `index` when it exists and is shown, else the first shown entry from `first`
// (kNone when there is none). `find` looks an index up, null when missing.
template <class Find> int ShownOrFirst(int index, int first, int last, Find find) {
    if (index != kNone && index >= first && index <= last) {
        const auto* entry = find(index);
        if (entry && !entry->hidden)
            return index;
    }
    for (int i = first; i <= last; ++i) {
        const auto* entry = find(i);
        if (entry && !entry->hidden)
            return i;
    }
    return kNone;
}

} // namespace

LayoutKey AdvInitialKey() {
    LayoutKey key;
    key[LayoutKey::kView] = 0;
    key[LayoutKey::kScenario] = -1;
    key[LayoutKey::kCompany] = -1;
    key[LayoutKey::kYear] = 0;
    return key;
}

LayoutKey ResolveAdvKey(const Database::CPERT& root, LayoutKey key) {
    using namespace Database;
    LayoutKey out;
    out[LayoutKey::kView] = ShownOrFirst(key[LayoutKey::kView], 0, root.ViewCount() - 1,
                                         [&](int i) { return root.views.Find(i); });
    const CTabView* view = root.views.Find(out[LayoutKey::kView]);
    if (!view)
        return out;
    out[LayoutKey::kScenario] =
        ShownOrFirst(key[LayoutKey::kScenario], -1, view->ScenarioCount() - 2,
                     [&](int i) { return view->FindScenario(i); });
    const CScenario* scenario = view->FindScenario(out[LayoutKey::kScenario]);
    if (!scenario || out[LayoutKey::kScenario] == kNone)
        return out;
    out[LayoutKey::kCompany] =
        ShownOrFirst(key[LayoutKey::kCompany], -1, scenario->CompanyCount() - 2,
                     [&](int i) { return scenario->FindCompany(i); });
    const CCompany* company = scenario->FindCompany(out[LayoutKey::kCompany]);
    if (!company || out[LayoutKey::kCompany] == kNone)
        return out;
    out[LayoutKey::kYear] = ShownOrFirst(key[LayoutKey::kYear], 0, company->YearCount() - 1,
                                         [&](int i) { return company->FindYear(i); });
    const CYear* year = company->FindYear(out[LayoutKey::kYear]);
    const int graph = key[LayoutKey::kGraph];
    if (year && graph >= 0 && graph < year->GraphCount() && !year->graphs.Find(graph)->hidden)
        out[LayoutKey::kGraph] = graph;
    return out;
}

AdvKeyObjects AdvKeyTargets(const Database::CPERT& root, const LayoutKey& key) {
    AdvKeyObjects found;
    if (key[LayoutKey::kView] == kNone)
        return found;
    found.view = root.views.Find(key[LayoutKey::kView]);
    if (!found.view || key[LayoutKey::kScenario] == kNone)
        return found;
    found.scenario = found.view->FindScenario(key[LayoutKey::kScenario]);
    if (!found.scenario || key[LayoutKey::kCompany] == kNone)
        return found;
    found.company = found.scenario->FindCompany(key[LayoutKey::kCompany]);
    if (!found.company || key[LayoutKey::kYear] == kNone)
        return found;
    found.year = found.company->FindYear(key[LayoutKey::kYear]);
    if (!found.year || key[LayoutKey::kGraph] == kNone)
        return found;
    found.graph = found.year->graphs.Find(key[LayoutKey::kGraph]);
    return found;
}
