#include "items/CBank.h"

#include <initializer_list>

#include "database/Archive.h"

namespace Item {

void CBank::Serialize(Archive& ar) {
    CBaseItem::Serialize(ar);
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.Flag(NoCrInterest);
    ar.Flag(NoOdInterest);
    ar.Flag(NoOdLimit);
    ar.Money(ActualOpening);
    ar.Money(ExpectedOpening);
    for (int m = 0; m < kMonths; ++m) {
        ar.Money(ActualAdjustments[m]);
        ar.Money(ActualOdLimit[m]);
        ar.Money(ExpectedAdjustments[m]);
        ar.Money(ExpectedOdLimit[m]);
        ar.Money(OdRateWithin[m]);
        ar.Money(OdRateBeyond[m]);
        ar.Money(CrRate[m]);
        if (version >= 1.1) {
            ar.Money(ActualCrInterest[m]);
            ar.Money(ActualOdInterest[m]);
        }
        if (version >= 1.2)
            ar.Flag(ResetToActual[m]);
    }
}

int CBank::CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) {
    const auto* other = dynamic_cast<const CBank*>(&source);
    if (other == nullptr)
        return 1;
    if (!IsMonth(destMonth) || !IsMonth(sourceMonth))
        return 0;
    const int d = destMonth;
    const int s = sourceMonth;
    ActualCrInterest[d] = other->ActualCrInterest[s];
    ActualOdInterest[d] = other->ActualOdInterest[s];
    ActualAdjustments[d] = other->ActualAdjustments[s];
    ActualOdLimit[d] = other->ActualOdLimit[s];
    ResetToActual[d] = other->ResetToActual[s];
    ExpectedCrInterest[d] = other->ExpectedCrInterest[s];
    ExpectedOdInterest[d] = other->ExpectedOdInterest[s];
    ExpectedAdjustments[d] = other->ExpectedAdjustments[s];
    ExpectedOdLimit[d] = other->ExpectedOdLimit[s];
    OdRateWithin[d] = other->OdRateWithin[s];
    OdRateBeyond[d] = other->OdRateBeyond[s];
    CrRate[d] = other->CrRate[s];
    return 0;
}

int CBank::CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) {
    const auto* other = dynamic_cast<const CBank*>(&source);
    if (other == nullptr)
        return 1;
    if (copyName) {
        name = other->name;
        hidden = other->hidden;
        NoCrInterest = other->NoCrInterest;
        NoOdInterest = other->NoOdInterest;
        NoOdLimit = other->NoOdLimit;
    }
    if (copyActuals) {
        ActualOpening = other->ActualOpening;
        ActualCrInterest = other->ActualCrInterest;
        ActualOdInterest = other->ActualOdInterest;
        ActualBalance = other->ActualBalance;
        ActualAdjustments = other->ActualAdjustments;
        ActualOdLimit = other->ActualOdLimit;
        ResetToActual = other->ResetToActual;
    }
    if (mode == 1) {
        ExpectedOpening = other->ExpectedOpening;
        ExpectedAdjustments = other->ExpectedAdjustments;
        ExpectedOdLimit = other->ExpectedOdLimit;
    } else if (mode == 2) {
        ExpectedOpening = other->ActualOpening;
        ExpectedAdjustments = other->ActualAdjustments;
        ExpectedOdLimit = other->ActualOdLimit;
    }
    if (mode == 1 || mode == 2) {
        OdRateWithin = other->OdRateWithin;
        OdRateBeyond = other->OdRateBeyond;
        CrRate = other->CrRate;
    }
    return 0;
}

void CBank::ClearMonth(int month) {
    if (!IsMonth(month))
        return;
    for (MonthAmounts* figures :
         {&ActualCrInterest, &ActualOdInterest, &ActualAdjustments, &ActualOdLimit,
          &ExpectedCrInterest, &ExpectedOdInterest, &ExpectedAdjustments, &ExpectedOdLimit,
          &OdRateWithin, &OdRateBeyond, &CrRate})
        (*figures)[month] = 0;
    ResetToActual[month] = false;
}

void CBank::ClearMonthPart(int month, bool actual) {
    if (!IsMonth(month))
        return;
    if (actual) {
        ActualAdjustments[month] = 0;
        ActualCrInterest[month] = 0;
        ActualOdInterest[month] = 0;
    } else {
        ExpectedAdjustments[month] = 0;
    }
}

void CBank::ClearComputed(bool keepOpenings, bool clearInputs) {
    if (!keepOpenings) {
        ActualOpening = 0;
        ExpectedOpening = 0;
    }
    ActualBalance.fill(0);
    ExpectedBalance.fill(0);
    ExpectedCrInterest.fill(0);
    ExpectedOdInterest.fill(0);
    if (clearInputs) {
        ActualCrInterest.fill(0);
        ActualOdInterest.fill(0);
        ActualAdjustments.fill(0);
        ExpectedAdjustments.fill(0);
    }
}

void CBank::AddScaled(const CBaseItem& source, double a, double b, AddMode mode) {
    const auto* other = RowAs<CBank>(&source);
    if (other == nullptr)
        return;
    AddScaledMonths(ExpectedBalance, other->ExpectedBalance, a * b);
    AddScaledMonths(ExpectedCrInterest, other->ExpectedCrInterest, a * b);
    AddScaledMonths(ExpectedOdInterest, other->ExpectedOdInterest, a * b);
    AddScaledMonths(ExpectedAdjustments, other->ExpectedAdjustments, a * b);
    const std::optional<double> factor = ActualFactor(mode, a, b);
    if (!factor)
        return;
    const double actualFactor = *factor;
    AddScaledMonths(ActualBalance, other->ActualBalance, actualFactor);
    AddScaledMonths(ActualCrInterest, other->ActualCrInterest, actualFactor);
    AddScaledMonths(ActualOdInterest, other->ActualOdInterest, actualFactor);
    AddScaledMonths(ActualAdjustments, other->ActualAdjustments, actualFactor);
}

void CBank::Scale(double x) {
    for (MonthAmounts* figures :
         {&ExpectedBalance, &ExpectedCrInterest, &ExpectedOdInterest, &ExpectedAdjustments,
          &ActualBalance, &ActualCrInterest, &ActualOdInterest, &ActualAdjustments})
        ScaleMonths(*figures, x);
}

} // namespace Item
