#include "items/CTaxSum.h"

#include <initializer_list>

#include "database/Archive.h"

namespace Item {

void CTaxSum::Serialize(Archive& ar) {
    CBaseItem::Serialize(ar);
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    for (int m = 0; m < kMonths; ++m) {
        ar.Money(ActualAdjustments[m]);
        ar.Money(ExpectedAdjustments[m]);
        if (version >= 1.1)
            ar.Flag(ExpectedFromActual[m]);
    }
    if (version >= 1.2)
        ar.Int32(OutlineState);
}

int CTaxSum::CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) {
    const auto* other = dynamic_cast<const CTaxSum*>(&source);
    if (other == nullptr)
        return 1;
    if (!IsMonth(destMonth) || !IsMonth(sourceMonth))
        return 0;
    ExpectedAdjustments[destMonth] = other->ExpectedAdjustments[sourceMonth];
    ActualAdjustments[destMonth] = other->ActualAdjustments[sourceMonth];
    ExpectedFromActual[destMonth] = other->ExpectedFromActual[sourceMonth];
    return 0;
}

int CTaxSum::CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) {
    const auto* other = dynamic_cast<const CTaxSum*>(&source);
    if (other == nullptr)
        return 1;
    if (copyName)
        name = other->name;
    // Taken before clearing, so that a row merged with itself keeps its own flags.
    const MonthFlags sourceFlags = other->ExpectedFromActual;
    ExpectedFromActual.fill(false);
    if (copyActuals) {
        ActualAdjustments = other->ActualAdjustments;
        ExpectedFromActual = sourceFlags;
    }
    if (mode == 1)
        ExpectedAdjustments = other->ExpectedAdjustments;
    else if (mode == 2)
        ExpectedAdjustments = other->ActualAdjustments;
    return 0;
}

void CTaxSum::ClearMonth(int month) {
    if (!IsMonth(month))
        return;
    ExpectedAdjustments[month] = 0;
    ActualAdjustments[month] = 0;
    ExpectedFromActual[month] = false;
}

void CTaxSum::ClearMonthPart(int month, bool actual) {
    if (!IsMonth(month))
        return;
    if (actual)
        ActualAdjustments[month] = 0;
    else
        ExpectedAdjustments[month] = 0;
}

void CTaxSum::ClearComputed(bool, bool clearInputs) {
    for (MonthAmounts* figures :
         {&ExpectedOnSales, &ExpectedOnExpenses, &ExpectedPayments, &ExpectedRefunds,
          &ActualOnSales, &ActualOnExpenses, &ActualPayments, &ActualRefunds})
        figures->fill(0);
    if (clearInputs) {
        ExpectedAdjustments.fill(0);
        ActualAdjustments.fill(0);
    }
}

void CTaxSum::AddScaled(const CBaseItem& source, double a, double b, AddMode mode) {
    const auto* other = RowAs<CTaxSum>(&source);
    if (other == nullptr)
        return;
    AddScaledMonths(ExpectedOnSales, other->ExpectedOnSales, a * b);
    AddScaledMonths(ExpectedOnExpenses, other->ExpectedOnExpenses, a * b);
    AddScaledMonths(ExpectedPayments, other->ExpectedPayments, a * b);
    AddScaledMonths(ExpectedRefunds, other->ExpectedRefunds, a * b);
    AddScaledMonths(ExpectedAdjustments, other->ExpectedAdjustments, a * b);
    const std::optional<double> factor = ActualFactor(mode, a, b);
    if (!factor)
        return;
    const double actualFactor = *factor;
    AddScaledMonths(ActualOnSales, other->ActualOnSales, actualFactor);
    AddScaledMonths(ActualOnExpenses, other->ActualOnExpenses, actualFactor);
    AddScaledMonths(ActualPayments, other->ActualPayments, actualFactor);
    AddScaledMonths(ActualRefunds, other->ActualRefunds, actualFactor);
    AddScaledMonths(ActualAdjustments, other->ActualAdjustments, actualFactor);
}

void CTaxSum::Scale(double x) {
    for (MonthAmounts* figures :
         {&ExpectedOnSales, &ExpectedOnExpenses, &ExpectedPayments, &ExpectedRefunds,
          &ExpectedAdjustments, &ActualOnSales, &ActualOnExpenses, &ActualPayments, &ActualRefunds,
          &ActualAdjustments})
        ScaleMonths(*figures, x);
}

} // namespace Item
