#include "database/CPERT.h"

#include <memory>

#include "database/Archive.h"

namespace Database {
namespace {

// The combined scenario's combined company of a view, or none.
CCompany* CombinedCompany(const CTabView* view) {
    if (!view)
        return nullptr;
    CScenario* scenario = view->FindScenario(-1);
    return scenario ? scenario->FindCompany(-1) : nullptr;
}

} // namespace

void CPERT::Serialize(Archive& ar) {
    if (ar.IsLoading())
        views.Clear();
    CBase::Serialize(ar);
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;

    if (version >= 1.3) {
        ar.Int32(brackets);
        ar.Int32(cents);
        ar.Int32(percentage);
        ar.List(views);
        ar.Int32(marginTop);
        ar.Int32(marginLeft);
        ar.Int32(marginBottom);
        ar.Int32(marginRight);
    } else {
        // Before 1.3 the forecast had a single view, stored without a record of its own.
        std::int32_t taxExclusive = 1;
        ar.Int32(taxExclusive);
        ar.Int32(brackets);
        ar.Int32(cents);
        ar.Int32(percentage);
        auto created = std::make_unique<CTabView>();
        created->name = u"Default";
        created->SetHidden(true);
        CTabView& view = views.Append(std::move(created));
        view.ReadSingleView(ar);
        view.taxExclusive = taxExclusive;
        if (version >= 1.1) {
            ar.Int32(marginTop);
            ar.Int32(marginLeft);
            ar.Int32(marginBottom);
            ar.Int32(marginRight);
        }
    }

    if (version >= 1.4)
        ar.Int32(printOption);
    else
        SetPrintOption(PrintOption::PerDisplay);
}

CTabView& CPERT::View(int index) const {
    return views.At(index);
}

int CPERT::HiddenViewCount() const {
    int count = 0;
    for (const auto& view : views)
        if (view->IsHidden())
            ++count;
    return count;
}

CObject* CPERT::ObjectAt(const LayoutKey& key) {
    const std::int32_t index = key[LayoutKey::kView];
    if (index == LayoutKey::kNoEntry)
        ThrowNotFound();
    return View(index).ObjectAt(key);
}

std::int32_t CPERT::TaxExclusive(int view) const {
    if (view == LayoutKey::kNoEntry)
        ThrowNotFound();
    const CTabView* found = views.Find(view);
    return found ? found->TaxExclusive() : 1;
}

CTaxSetup* CPERT::TaxSetup(int index) const {
    const CCompany* company = CombinedCompany(views.Find(0));
    return company ? company->TaxSetup(index) : nullptr;
}

CYear* CPERT::Year(int index) const {
    const CCompany* company = CombinedCompany(views.Find(0));
    return company ? company->FindYear(index) : nullptr;
}

int CPERT::CompanyCount() const {
    const CTabView* view = views.Find(0);
    const CScenario* scenario = view ? view->FindScenario(-1) : nullptr;
    if (!scenario || scenario->CompanyCount() < 1)
        return 0;
    return scenario->CompanyCount() - 1;
}

int CPERT::YearCount() const {
    const CCompany* company = CombinedCompany(views.Find(0));
    return company ? company->YearCount() : 0;
}

} // namespace Database
