#include "items/CBaseItem.h"

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

void CBaseItem::AddScaled(const CBaseItem&, double, double, AddMode) {}

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

} // namespace Item
