#include "items/CLoan.h"

#include <initializer_list>

#include "database/Archive.h"

namespace Item {

void CLoan::Serialize(Archive& ar) {
    CBaseItem::Serialize(ar);
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.Int32(Side);
    ar.Money(ExpectedOpening);
    ar.Money(ActualOpening);
    for (int m = 0; m < kMonths; ++m) {
        ar.Money(ExpectedAdvances[m]);
        ar.Money(Rate[m]);
        ar.Money(ExpectedPayments[m]);
        ar.Money(ActualAdvances[m]);
        ar.Money(ActualInterest[m]);
        ar.Money(ActualPayments[m]);
        if (version >= 1.1) {
            ar.Money(ExpectedAdjustments[m]);
            ar.Money(ActualAdjustments[m]);
        }
        if (version >= 1.2)
            ar.Flag(ResetToActual[m]);
    }
    if (version >= 1.3)
        ar.Int32(OutlineState);
}

void CLoan::ReadLegacy(Archive& ar) {
    ar.String(name);
    std::int32_t hiddenFlag = 0;
    ar.Int32(hiddenFlag);
    if (hiddenFlag != 0)
        hidden = true;
    ar.Int32(Side);
    ar.Money(ExpectedOpening);
    for (int m = 0; m < kMonths; ++m) {
        ar.Money(ExpectedAdvances[m]);
        ar.Money(Rate[m]);
        ar.Money(ExpectedPayments[m]);
    }
}

int CLoan::CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) {
    const auto* other = dynamic_cast<const CLoan*>(&source);
    if (other == nullptr)
        return 1;
    if (!IsMonth(destMonth) || !IsMonth(sourceMonth))
        return 0;
    const int d = destMonth;
    const int s = sourceMonth;
    ExpectedAdvances[d] = other->ExpectedAdvances[s];
    Rate[d] = other->Rate[s];
    ExpectedPayments[d] = other->ExpectedPayments[s];
    ExpectedAdjustments[d] = other->ExpectedAdjustments[s];
    ActualAdvances[d] = other->ActualAdvances[s];
    ActualPayments[d] = other->ActualPayments[s];
    ActualAdjustments[d] = other->ActualAdjustments[s];
    ResetToActual[d] = other->ResetToActual[s];
    return 0;
}

int CLoan::CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) {
    const auto* other = dynamic_cast<const CLoan*>(&source);
    if (other == nullptr)
        return 1;
    // Side decides nothing in the calculation but belongs to the row's identity.
    Side = other->Side;
    if (copyName) {
        name = other->name;
        hidden = other->hidden;
    }
    if (copyActuals) {
        ActualOpening = other->ActualOpening;
        ActualAdvances = other->ActualAdvances;
        ActualInterest = other->ActualInterest;
        ActualPayments = other->ActualPayments;
        ActualAdjustments = other->ActualAdjustments;
        ResetToActual = other->ResetToActual;
    }
    if (mode == 1) {
        ExpectedOpening = other->ExpectedOpening;
        ExpectedAdvances = other->ExpectedAdvances;
        Rate = other->Rate;
        ExpectedPayments = other->ExpectedPayments;
        ExpectedAdjustments = other->ExpectedAdjustments;
    } else if (mode == 2) {
        ExpectedOpening = other->ActualOpening;
        ExpectedAdvances = other->ActualAdvances;
        Rate = other->Rate;
        ExpectedPayments = other->ActualPayments;
        ExpectedAdjustments = other->ActualAdjustments;
    }
    return 0;
}

void CLoan::ClearMonth(int month) {
    if (!IsMonth(month))
        return;
    for (MonthAmounts* figures :
         {&ExpectedAdvances, &Rate, &ExpectedInterest, &ExpectedPayments, &ExpectedInterestPaid,
          &ExpectedPrincipalPaid, &ExpectedAdjustments, &ActualAdvances, &ActualInterest,
          &ActualPayments, &ActualInterestPaid, &ActualPrincipalPaid, &ActualAdjustments})
        (*figures)[month] = 0;
    ResetToActual[month] = false;
}

void CLoan::ClearMonthPart(int month, bool actual) {
    if (!IsMonth(month))
        return;
    if (actual) {
        ActualAdvances[month] = 0;
        ActualInterest[month] = 0;
        ActualPayments[month] = 0;
        ActualAdjustments[month] = 0;
    } else {
        ExpectedAdvances[month] = 0;
        ExpectedInterest[month] = 0;
        ExpectedPayments[month] = 0;
        ExpectedAdjustments[month] = 0;
    }
}

void CLoan::ClearComputed(bool keepOpenings, bool clearInputs) {
    if (!keepOpenings) {
        ExpectedOpening = 0;
        ActualOpening = 0;
    }
    for (MonthAmounts* figures : {&ExpectedBalance, &ExpectedInterest, &ExpectedInterestPaid,
                                  &ExpectedPrincipalPaid, &ActualBalance})
        figures->fill(0);
    if (!clearInputs)
        return;
    for (MonthAmounts* figures : {&ExpectedAdvances, &ExpectedPayments, &ExpectedAdjustments,
                                  &ActualAdvances, &ActualInterest, &ActualPayments,
                                  &ActualAdjustments, &ActualInterestPaid, &ActualPrincipalPaid})
        figures->fill(0);
}

void CLoan::AddScaled(const CBaseItem& source, double a, double b, AddMode mode) {
    const auto* other = RowAs<CLoan>(&source);
    if (other == nullptr)
        return;
    AddScaledMonths(ExpectedBalance, other->ExpectedBalance, a * b);
    AddScaledMonths(ExpectedAdvances, other->ExpectedAdvances, a * b);
    AddScaledMonths(ExpectedInterest, other->ExpectedInterest, a * b);
    AddScaledMonths(ExpectedPayments, other->ExpectedPayments, a * b);
    AddScaledMonths(ExpectedInterestPaid, other->ExpectedInterestPaid, a * b);
    AddScaledMonths(ExpectedPrincipalPaid, other->ExpectedPrincipalPaid, a * b);
    AddScaledMonths(ExpectedAdjustments, other->ExpectedAdjustments, a * b);
    const std::optional<double> factor = ActualFactor(mode, a, b);
    if (!factor)
        return;
    const double actualFactor = *factor;
    AddScaledMonths(ActualBalance, other->ActualBalance, actualFactor);
    AddScaledMonths(ActualAdvances, other->ActualAdvances, actualFactor);
    AddScaledMonths(ActualInterest, other->ActualInterest, actualFactor);
    AddScaledMonths(ActualPayments, other->ActualPayments, actualFactor);
    AddScaledMonths(ActualInterestPaid, other->ActualInterestPaid, actualFactor);
    AddScaledMonths(ActualPrincipalPaid, other->ActualPrincipalPaid, actualFactor);
    AddScaledMonths(ActualAdjustments, other->ActualAdjustments, actualFactor);
}

void CLoan::Scale(double x) {
    for (MonthAmounts* figures :
         {&ExpectedBalance, &ExpectedAdvances, &ExpectedInterest, &ExpectedPayments,
          &ExpectedInterestPaid, &ExpectedPrincipalPaid, &ExpectedAdjustments, &ActualBalance,
          &ActualAdvances, &ActualInterest, &ActualPayments, &ActualInterestPaid,
          &ActualPrincipalPaid, &ActualAdjustments})
        ScaleMonths(*figures, x);
}

} // namespace Item
