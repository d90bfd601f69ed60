#include "items/CBaseItem.h"

#include <limits>

#include "database/Archive.h"

namespace Item {

void CBaseItem::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    const double version = ar.Version(kVersion);
    if (version >= 1.1)
        ar.Int32(NoteCount);
}

int CBaseItem::CopyMonth(int, const CBaseItem&, int) {
    return 0;
}

int CBaseItem::CopyFrom(const CBaseItem&, int, bool, bool) {
    return 0;
}

void CBaseItem::ClearMonth(int) {}

void CBaseItem::ClearMonthPart(int, bool) {}

void CBaseItem::ClearComputed(bool, bool) {}

Amount CBaseItem::AddExpectedTo(MonthAmounts&) const {
    return 0;
}

Amount CBaseItem::ActualSum() const {
    return 0;
}

void CBaseItem::AddScaled(const CBaseItem&, double, double, int) {}

void CBaseItem::Scale(double) {}

int CBaseItem::ApplyTaxFactor(bool, const Database::CCompany&, const Database::CYear&) {
    return 0;
}

bool CBaseItem::MoveTaxLink(int, int) {
    return false;
}

bool CBaseItem::AppendTaxLink() {
    return false;
}

bool CBaseItem::RemoveTaxLink(int) {
    return false;
}

bool CBaseItem::DropTaxRate(int, int) {
    return false;
}

bool CBaseItem::SetTaxLink(int, int) {
    return false;
}

std::int32_t* CBaseItem::Setting() {
    return nullptr;
}

void CBaseItem::AddTo(Amount& target, Amount value) {
    Amount sum = 0;
    if (!__builtin_add_overflow(target, value, &sum))
        target = sum;
    else
        target =
            value > 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
}

void CBaseItem::AddScaledMonths(MonthAmounts& target, const MonthAmounts& source, double factor) {
    for (int m = 0; m < kMonths; ++m)
        AddTo(target[m], ScaleTrunc(source[m], factor));
}

void CBaseItem::ScaleMonths(MonthAmounts& values, double x) {
    for (Amount& value : values)
        value = ScaleRound(value, x);
}

} // namespace Item
