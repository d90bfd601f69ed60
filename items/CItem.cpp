#include "items/CItem.h"

#include <cstddef>

#include "database/Archive.h"
#include "database/CCompany.h"
#include "database/CYear.h"
#include "items/TaxFactor.h"

namespace Item {

namespace {

// A link index that addresses an existing entry.
bool HasEntry(const std::vector<std::int32_t>& links, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < links.size();
}

} // namespace

void CItem::Serialize(Archive& ar) {
    CBaseItem::Serialize(ar);
    if (ar.IsLoading())
        TaxLinks.clear();
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.Int32(TaxSide);
    std::int32_t legacyRule = 0;
    if (version < 1.1)
        ar.Int32(legacyRule);
    for (int m = 0; m < kMonths; ++m) {
        ar.Money(Expected[m]);
        ar.Money(Actual[m]);
        ar.Money(Percent[m]);
        if (version >= 1.1)
            ar.Int32(PctType[m]);
        else
            SetRule(m, legacyRule != 0 ? PercentRule::OfTotalIncome : PercentRule::Entered);
    }
    std::uint32_t count = static_cast<std::uint32_t>(TaxLinks.size());
    ar.Count(count);
    if (ar.IsLoading()) {
        ar.CheckFits(count, 4);
        TaxLinks.resize(count);
    }
    for (std::int32_t& link : TaxLinks)
        ar.Int32(link);
}

void CItem::ReadLegacy(Archive& ar) {
    ar.String(name);
    std::int32_t firstLink = 0;
    ar.Int32(firstLink);
    TaxLinks.push_back(-1);
    TaxLinks[0] = firstLink;
    std::int32_t hiddenFlag = 0;
    ar.Int32(hiddenFlag);
    if (hiddenFlag != 0)
        hidden = true;
    std::int32_t legacyRule = 0;
    ar.Int32(legacyRule);
    ar.Int32(TaxSide);
    for (int m = 0; m < kMonths; ++m) {
        ar.Money(Expected[m]);
        ar.Money(Percent[m]);
        PctType[m] = legacyRule;
    }
}

int CItem::CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) {
    const auto* other = dynamic_cast<const CItem*>(&source);
    if (other == nullptr)
        return 1;
    if (!IsMonth(destMonth) || !IsMonth(sourceMonth))
        return 0;
    Expected[destMonth] = other->Expected[sourceMonth];
    Actual[destMonth] = other->Actual[sourceMonth];
    Percent[destMonth] = other->Percent[sourceMonth];
    PctType[destMonth] = other->PctType[sourceMonth];
    return 0;
}

int CItem::CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) {
    const auto* other = dynamic_cast<const CItem*>(&source);
    if (other == nullptr)
        return 1;
    TaxLinks = other->TaxLinks;
    if (copyName) {
        name = other->name;
        hidden = other->hidden;
    }
    for (int m = 0; m < kMonths; ++m) {
        if (copyActuals)
            Actual[m] = other->Actual[m];
        if (mode == 1) {
            Expected[m] = other->Expected[m];
            Percent[m] = other->Percent[m];
            PctType[m] = other->PctType[m];
        } else if (mode == 2) {
            Expected[m] = other->Actual[m];
            Percent[m] = other->Percent[m];
            SetRule(m, PercentRule::Entered);
        }
    }
    return 0;
}

void CItem::ClearMonth(int month) {
    if (!IsMonth(month))
        return;
    Expected[month] = 0;
    Actual[month] = 0;
    Percent[month] = 0;
}

void CItem::ClearMonthPart(int month, bool actual) {
    if (!IsMonth(month))
        return;
    if (actual) {
        Actual[month] = 0;
    } else {
        Expected[month] = 0;
        Percent[month] = 0;
    }
}

void CItem::ClearComputed(bool, bool clearInputs) {
    if (!clearInputs)
        return;
    Expected.fill(0);
    Actual.fill(0);
}

void CItem::ClearTotal() {
    Expected.fill(0);
    Actual.fill(0);
    Percent.fill(0);
}

PercentRule CItem::RuleOf(int month) const {
    const std::int32_t stored = PctType[month];
    switch (static_cast<PercentRule>(stored)) {
    case PercentRule::OfTotalIncome:
    case PercentRule::OfPreviousExpected:
    case PercentRule::OfPreviousActual:
        return static_cast<PercentRule>(stored);
    default:
        return PercentRule::Entered;
    }
}

Amount CItem::AddExpectedTo(MonthAmounts& accumulator) const {
    Amount sum = 0;
    for (int m = 0; m < kMonths; ++m) {
        AddTo(accumulator[m], Expected[m]);
        AddTo(sum, Expected[m]);
    }
    return sum;
}

Amount CItem::ActualSum() const {
    Amount sum = 0;
    for (Amount value : Actual)
        AddTo(sum, value);
    return sum;
}

void CItem::AddScaled(const CBaseItem& source, double a, double b, AddMode mode) {
    const auto* other = RowAs<CItem>(&source);
    if (other == nullptr || other->IsHidden())
        return;
    AddScaledMonths(Expected, other->Expected, a * b);
    if (const std::optional<double> factor = ActualFactor(mode, a, b))
        AddScaledMonths(Actual, other->Actual, *factor);
}

void CItem::Scale(double x) {
    ScaleMonths(Expected, x);
    ScaleMonths(Actual, x);
}

int CItem::ApplyTaxFactor(bool divide, const Database::CCompany& company,
                          const Database::CYear& year) {
    for (int k = 0; k < kMonths; ++k) {
        const CalendarMonth at = FinancialMonth(year, k);
        const double s = TaxFactor(*this, company, at.year, at.month);
        const int q = at.month;
        if (divide) {
            Actual[q] = TruncToAmount(static_cast<double>(Actual[q]) / s);
            Expected[q] = TruncToAmount(static_cast<double>(Expected[q]) / s);
        } else {
            Actual[q] = ScaleTrunc(Actual[q], s);
            Expected[q] = ScaleTrunc(Expected[q], s);
        }
    }
    return 0;
}

bool CItem::MoveTaxLink(int from, int before) {
    if (!HasEntry(TaxLinks, from))
        return true;
    const std::int32_t link = TaxLinks[static_cast<std::size_t>(from)];
    TaxLinks.erase(TaxLinks.begin() + from);
    // `before` names a position of the list as it was; past the end means at the end.
    int target = before < 0 ? 0 : before;
    if (target > from)
        --target;
    if (static_cast<std::size_t>(target) > TaxLinks.size())
        target = static_cast<int>(TaxLinks.size());
    TaxLinks.insert(TaxLinks.begin() + target, link);
    return false;
}

bool CItem::AppendTaxLink() {
    TaxLinks.push_back(-1);
    return false;
}

bool CItem::RemoveTaxLink(int index) {
    if (!HasEntry(TaxLinks, index))
        return true;
    TaxLinks.erase(TaxLinks.begin() + index);
    return false;
}

bool CItem::DropTaxRate(int setupIndex, int rateIndex) {
    if (!HasEntry(TaxLinks, setupIndex))
        return true;
    std::int32_t& link = TaxLinks[static_cast<std::size_t>(setupIndex)];
    if (link == rateIndex)
        link = -1;
    return false;
}

bool CItem::SetTaxLink(int setupIndex, int rateIndex) {
    if (!HasEntry(TaxLinks, setupIndex))
        return true;
    TaxLinks[static_cast<std::size_t>(setupIndex)] = rateIndex;
    return false;
}

} // namespace Item
