#include "app/export/StatementExport.h"

#include <QImage>

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "platform/QtDeviceContext.h"
#include "statement/StatementModel.h"
#include "views/AdvDrawPass.h"
#include "views/StdDrawPass.h"

using namespace Statement;

namespace {

// 96 dots per inch: the resolution the window has on a common screen.
constexpr int kDotsPerMeter96 = 3780;

std::string RangeText(const char* what, int index, int first, int count) {
    std::string text = std::string(what) + " " + std::to_string(index) + " is out of range";
    if (count - 1 < first)
        return text + " (there is none)";
    return text + " (" + std::to_string(first) + " to " + std::to_string(count - 1) + ")";
}

// A white picture of the window's client area at the common screen resolution.
QImage BlankImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96);
    image.setDotsPerMeterY(kDotsPerMeter96);
    image.fill(Qt::white);
    return image;
}

} // namespace

std::optional<std::string> CheckSelection(const CMainDoc& doc, const StatementRequest& request,
                                          bool graphsAllowed, CheckedSelection& selection) {
    const bool basic = request.edition == Edition::Basic;
    if (basic && request.scenario.value_or(0) != 0)
        return "the Basic statement shows scenario 0 only";
    if (basic && request.company.value_or(0) != 0)
        return "the Basic statement shows company 0 only";

    selection.scenario = request.scenario.value_or(0);
    selection.company = request.company.value_or(0);
    selection.year = request.year.value_or(0);
    const bool chosen = request.scenario || request.company || request.year;

    // Each level is checked in the list the level above selects; -1 is the combined entry that
    // heads every scenario and company list.
    const Database::CTabView* view = doc.Root().views.Find(0);
    const int scenarios = view ? view->ScenarioCount() - 1 : 0;
    const Database::CScenario* scenario = nullptr;
    if (view && selection.scenario >= -1 && selection.scenario < scenarios)
        scenario = view->FindScenario(selection.scenario);
    const int companies = scenario ? scenario->CompanyCount() - 1 : 0;
    const Database::CCompany* company = nullptr;
    if (scenario && selection.company >= -1 && selection.company < companies)
        company = scenario->FindCompany(selection.company);
    const int years = company ? company->YearCount() : 0;
    const int lastYear = graphsAllowed ? years : years - 1;
    const bool yearFound = company && selection.year >= 0 && selection.year <= lastYear;

    // A combined entry standing alone has nothing under it to show.
    selection.drawable = yearFound && scenarios > 0 && companies > 0;
    if (selection.drawable || !chosen)
        return std::nullopt;
    if (!scenario)
        return RangeText("scenario", selection.scenario, -1, scenarios);
    if (!company)
        return RangeText("company", selection.company, -1, companies);
    if (!yearFound) {
        if (selection.year == years && !graphsAllowed)
            return "year " + std::to_string(selection.year) +
                   " is the graphs page, which has no statement";
        return RangeText("year", selection.year, 0, lastYear + 1);
    }
    return "the selection shows no statement";
}

QImage RenderStatementImage(CMainDoc& doc, Edition edition, const CheckedSelection& selection,
                            QSize size) {
    // The state of a view that has just loaded the file and shows the selection.
    StdViewState state;
    state.selectedScenario = selection.scenario;
    state.selectedCompany = selection.company;
    state.selectedYear = selection.year;
    return RenderStdImage(doc, edition, state, doc.offsetYearChecked != 0, size);
}

QImage RenderStdImage(CMainDoc& doc, Edition edition, StdViewState state, bool offsetYear,
                      QSize size) {
    QImage image = BlankImage(size);
    {
        QtDeviceContext dc(image);
        // A picture of the statement, not of where the keyboard stands in it.
        state.ClearFocus();
        state.layoutDirty = true;
        StdPassInput input;
        input.edition = edition;
        input.client = Rect{0, 0, size.width(), size.height()};
        input.offsetYear = offsetYear;
        RunStdDrawPass(dc, doc, state, input);
    }
    return image;
}

QImage RenderAdvImage(CMainDoc& doc, const LayoutKey& key, AdvOutline outline, QSize size) {
    QImage image = BlankImage(size);
    {
        QtDeviceContext dc(image);
        AdvViewState state;
        state.currentKey = key;
        state.outline = outline;
        RunAdvDrawPassSettled(dc, doc, state, {Rect{0, 0, size.width(), size.height()}, 0, 0});
    }
    return image;
}
