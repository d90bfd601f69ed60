#include "statement/PrintOrder.h"

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"

namespace Statement {

std::vector<YearInPrintOrder> YearsInPrintOrder(const Database::CPERT& root, HiddenEntries hidden) {
    const auto passed = [&](const Database::CBase& entry) {
        return hidden == HiddenEntries::Skipped && entry.IsHidden();
    };
    std::vector<YearInPrintOrder> years;
    for (int v = 0; v < root.ViewCount(); ++v) {
        const Database::CTabView& view = root.View(v);
        if (passed(view))
            continue;
        // List position 0 is the combined entry, addressed as -1.
        for (int s = 0; s < view.ScenarioCount(); ++s) {
            const Database::CScenario& scenario = *view.scenarios.Find(s);
            if (passed(scenario))
                continue;
            for (int c = 0; c < scenario.CompanyCount(); ++c) {
                const Database::CCompany& company = *scenario.companies.Find(c);
                if (passed(company))
                    continue;
                for (int y = 0; y < company.YearCount(); ++y)
                    if (!passed(company.Year(y)))
                        years.push_back({LayoutKey(v, s - 1, c - 1, y), &company.Year(y)});
            }
        }
    }
    return years;
}

} // namespace Statement
