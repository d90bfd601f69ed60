#include "views/StdTabLabels.h"

#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"

StdTabLabels MakeStdTabLabels(const Statement::StatementSelection& selection, Edition edition) {
    StdTabLabels labels;
    if (!selection.Drawable())
        return labels;
    if (edition != Edition::Basic) {
        labels.scenarioOffset = selection.scenarioCount > 1 ? 1 : 0;
        for (int i = -labels.scenarioOffset; i < selection.scenarioCount; ++i) {
            const Database::CScenario* scenario = selection.view->FindScenario(i);
            labels.scenarios.push_back(scenario ? scenario->name + u" (Wt = " +
                                                      DecimalText(scenario->weight) + u")"
                                                : Text());
        }
        labels.companyOffset = selection.companyCount > 1 ? 1 : 0;
        for (int i = -labels.companyOffset; i < selection.companyCount; ++i) {
            const Database::CCompany* company = selection.scenario->FindCompany(i);
            labels.companies.push_back(company ? company->name : Text());
        }
    }
    for (int i = 0; i < selection.yearCount; ++i) {
        const Database::CYear* year = selection.company->FindYear(i);
        labels.years.push_back(year ? DecimalText(year->year) : Text());
    }
    labels.years.push_back(u"Graphs");
    return labels;
}
